#pragma once
// The name a player types in the player dialogs: letters, digits and
// spaces, the first letter upper case and the rest lower case, at most 15
// characters, Backspace removing the last one.
#include <irrlicht.h>

class BvLevelElement;

class BvNameEntry {
 public:
  static constexpr int kMaxLength = 15;
  // Irrlicht key code of Backspace.
  static constexpr int kKeyBackspace = 8;

  void Clear();
  // One key (an Irrlicht key code; -1 is no key): Backspace removes the
  // last character, a letter, digit or space is added while there is room.
  // True when the name changed.
  bool TypeKey(int key);

  const char* GetText() const { return m_Buffer; }
  int GetLength() const { return m_Length; }
  bool IsEmpty() const { return m_Length == 0; }

 private:
  char m_Buffer[kMaxLength + 1] = {};
  int m_Length = 0;
};

// Shows name in the centred text element and puts the cursor, its child,
// just after the text's last character.
void ShowTypedName(BvLevelElement* text, BvLevelElement* cursor, const char* name);
