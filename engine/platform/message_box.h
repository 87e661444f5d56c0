#pragma once
// Message boxes for content errors ("Alert") and fatal start-up errors
// ("Error"). Texts are Latin-1, as the game's data is.
#include <cstddef>
#include <string>
#include <vector>

namespace bv {

enum class MessageBoxMode {
  Interactive,  // SDL message box, and the text on stderr
  Stderr,       // stderr only: never blocks
  Capture,      // kept in a list for tests, nothing shown
};

struct ShownMessage {
  std::string caption;
  std::string text;
};

// The mode chosen from the environment: Stderr when CI is set, DISPLAY is
// empty or QUORVEL_MESSAGES=stderr; Capture for QUORVEL_MESSAGES=capture;
// else Interactive.
MessageBoxMode DefaultMessageBoxMode();
MessageBoxMode GetMessageBoxMode();
void SetMessageBoxMode(MessageBoxMode mode);

// Shows a message (modal only in Interactive mode).
void ShowMessageBox(const std::string& caption, const std::string& text);

// Most messages kept: a long run that misses a lookup every frame must not
// grow without end, so the oldest go first.
constexpr size_t kMaxKeptMessages = 256;

// The latest messages shown since the last clear, oldest first (kept in
// every mode, at most kMaxKeptMessages).
const std::vector<ShownMessage>& ShownMessages();
void ClearShownMessages();

// Latin-1 bytes to UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);

}  // namespace bv
