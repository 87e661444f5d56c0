#include "game/gui/name_entry.h"

#include "engine/level/level_element.h"
#include "engine/objects/key_helpers.h"

namespace {
// The cursor stands this far right of the text's end, slightly lowered.
constexpr int kCursorGap = 5;
constexpr float kCursorY = -3.0f;
constexpr char kLowerCaseOffset = 'a' - 'A';

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ';
}
}  // namespace

void BvNameEntry::Clear() {
  m_Length = 0;
  m_Buffer[0] = 0;
}

bool BvNameEntry::TypeKey(int key) {
  if (key == -1) return false;
  if (key == kKeyBackspace) {
    if (m_Length == 0) return false;
    m_Buffer[--m_Length] = 0;
    return true;
  }
  char c = VirtualKeyToChar(key);
  if (!IsNameCharacter(c) || m_Length >= kMaxLength) return false;
  if (c >= 'A' && c <= 'Z' && m_Length > 0) c = static_cast<char>(c + kLowerCaseOffset);
  m_Buffer[m_Length++] = c;
  m_Buffer[m_Length] = 0;
  return true;
}

void ShowTypedName(BvLevelElement* text, BvLevelElement* cursor, const char* name) {
  if (!text) return;
  text->SetTextA(name);
  if (cursor) cursor->SetPosition(float(text->GetTextWidth() / 2 + kCursorGap), kCursorY);
}
