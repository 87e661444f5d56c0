#include "engine/shell/command_line.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

#include "engine/shell/globals.h"

namespace {

// Longest "-scene" value kept.
constexpr size_t kMaxSceneNameLength = 79;

std::vector<std::string> SplitAtBlanks(const std::string& text) {
  std::vector<std::string> words;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    words.push_back(text.substr(start, end - start));
    pos = end;
  }
  return words;
}

// Decimal conversion in the manner of atoi (leading white space, optional
// sign, digits; anything else ends the number), clamped to the int range
// instead of overflowing.
int ParseNumber(const std::string& word) {
  errno = 0;
  long value = std::strtol(word.c_str(), nullptr, 10);
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

}  // namespace

void ParseCommandLine(const std::string& commandLine) {
  g_CmdSceneName.clear();
  g_CmdSceneGiven = false;
  g_CmdDebugInfo = false;
  g_CmdLevel = -1;
  g_CmdWorld = -1;
  g_CmdLayout = -1;

  std::vector<std::string> words = SplitAtBlanks(commandLine);
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word.empty() || word[0] != '-') continue;
    bool hasNext = i + 1 < words.size();
    if (word == "-scene") {
      if (hasNext) {
        g_CmdSceneName = words[i + 1].substr(0, kMaxSceneNameLength);
        g_CmdSceneGiven = true;
      }
      ++i;  // the value word is consumed, present or not
    } else if (word == "-debuginfo") {
      g_CmdDebugInfo = true;
    } else if (word == "-level") {
      // The value word is not consumed: it is looked at as a word in turn.
      if (hasNext) g_CmdLevel = ParseNumber(words[i + 1]);
    } else if (word == "-world") {
      if (hasNext) g_CmdWorld = ParseNumber(words[i + 1]);
    } else if (word == "-layout") {
      if (hasNext) g_CmdLayout = ParseNumber(words[i + 1]);
    }
  }
}

namespace bv {

std::string JoinArguments(int argc, const char* const* argv) {
  std::string joined;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) joined += ' ';
    joined += argv[i];
  }
  return joined;
}

}  // namespace bv
