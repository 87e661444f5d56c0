#include "engine/platform/message_box.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bv {
namespace {

bool g_modeChosen = false;
MessageBoxMode g_mode = MessageBoxMode::Stderr;
std::vector<ShownMessage> g_shown;

bool EnvSet(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr && v[0] != '\0';
}

}  // namespace

MessageBoxMode DefaultMessageBoxMode() {
  const char* choice = std::getenv("QUORVEL_MESSAGES");
  if (choice != nullptr && std::strcmp(choice, "capture") == 0) return MessageBoxMode::Capture;
  if (choice != nullptr && std::strcmp(choice, "stderr") == 0) return MessageBoxMode::Stderr;
  if (EnvSet("CI") || !EnvSet("DISPLAY")) return MessageBoxMode::Stderr;
  return MessageBoxMode::Interactive;
}

MessageBoxMode GetMessageBoxMode() {
  if (!g_modeChosen) {
    g_mode = DefaultMessageBoxMode();
    g_modeChosen = true;
  }
  return g_mode;
}

void SetMessageBoxMode(MessageBoxMode mode) {
  g_mode = mode;
  g_modeChosen = true;
}

std::string Latin1ToUtf8(const std::string& latin1) {
  std::string out;
  out.reserve(latin1.size());
  for (unsigned char c : latin1) {
    if (c < 0x80) {
      out.push_back(static_cast<char>(c));
    } else {
      out.push_back(static_cast<char>(0xC0 | (c >> 6)));
      out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return out;
}

void ShowMessageBox(const std::string& caption, const std::string& text) {
  if (g_shown.size() >= kMaxKeptMessages) g_shown.erase(g_shown.begin());
  g_shown.push_back({caption, text});
  MessageBoxMode mode = GetMessageBoxMode();
  if (mode == MessageBoxMode::Capture) return;
  std::string utf8Caption = Latin1ToUtf8(caption);
  std::string utf8Text = Latin1ToUtf8(text);
  std::fprintf(stderr, "[%s] %s\n", utf8Caption.c_str(), utf8Text.c_str());
  if (mode == MessageBoxMode::Interactive) {
    Uint32 flags = caption == "Error" ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_WARNING;
    if (SDL_ShowSimpleMessageBox(flags, utf8Caption.c_str(), utf8Text.c_str(), nullptr) != 0) {
      std::fprintf(stderr, "(message box unavailable: %s)\n", SDL_GetError());
    }
  }
}

const std::vector<ShownMessage>& ShownMessages() { return g_shown; }

void ClearShownMessages() { g_shown.clear(); }

}  // namespace bv
