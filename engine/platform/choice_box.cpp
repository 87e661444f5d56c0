#include "engine/platform/choice_box.h"

#include <SDL.h>

#include <cstdio>
#include <deque>

#include "engine/platform/message_box.h"

namespace bv {
namespace {

std::vector<ShownChoice> g_shownChoices;
std::deque<int> g_queuedAnswers;

int AskInteractively(const std::string& caption, const std::string& text,
                     const std::vector<ChoiceButton>& buttons, int defaultId, int cancelId) {
  std::vector<SDL_MessageBoxButtonData> data;
  for (const ChoiceButton& button : buttons) {
    Uint32 flags = 0;
    if (button.id == defaultId) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (button.id == cancelId) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    data.push_back({flags, button.id, button.label.c_str()});
  }
  SDL_MessageBoxData box{};
  box.flags = SDL_MESSAGEBOX_INFORMATION | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  box.title = caption.c_str();
  box.message = text.c_str();
  box.numbuttons = static_cast<int>(data.size());
  box.buttons = data.data();
  int pressed = cancelId;
  if (SDL_ShowMessageBox(&box, &pressed) != 0) {
    std::fprintf(stderr, "(message box unavailable: %s)\n", SDL_GetError());
    return cancelId;
  }
  // -1: the box was closed without a button.
  return pressed < 0 ? cancelId : pressed;
}

}  // namespace

int ShowChoiceBox(const std::string& caption, const std::string& text,
                  const std::vector<ChoiceButton>& buttons, int defaultId, int cancelId) {
  if (g_shownChoices.size() >= kMaxKeptMessages) g_shownChoices.erase(g_shownChoices.begin());
  g_shownChoices.push_back({caption, text, buttons});
  const MessageBoxMode mode = GetMessageBoxMode();
  if (mode == MessageBoxMode::Capture) {
    if (g_queuedAnswers.empty()) return defaultId;
    const int answer = g_queuedAnswers.front();
    g_queuedAnswers.pop_front();
    return answer;
  }
  std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
  for (const ChoiceButton& button : buttons) {
    std::fprintf(stderr, "  [%s]%s\n", button.label.c_str(),
                 button.id == defaultId ? " (default)" : "");
  }
  if (mode == MessageBoxMode::Interactive) {
    return AskInteractively(caption, text, buttons, defaultId, cancelId);
  }
  return defaultId;
}

void QueueChoiceAnswers(const std::vector<int>& ids) {
  g_queuedAnswers.insert(g_queuedAnswers.end(), ids.begin(), ids.end());
}

const std::vector<ShownChoice>& ShownChoices() { return g_shownChoices; }

void ClearShownChoices() {
  g_shownChoices.clear();
  g_queuedAnswers.clear();
}

}  // namespace bv
