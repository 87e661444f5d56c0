#pragma once
// BvConfirmBox: a Yes / Cancel question drawn with the bitmap font. Left
// and right (arrow keys or joystick) switch the answer, Enter closes with it,
// Escape closes with Cancel.
#include <cstdint>

class BvApplication;
class BvBitmapFont;

class BvConfirmBox {
 public:
  static constexpr int16_t kYes = 0;
  static constexpr int16_t kCancel = 1;
  // Longest question kept, in characters.
  static constexpr int kMaxText = 79;

  // Keeps the first 79 characters of text and shows the box with Cancel
  // chosen; a result not yet taken is dropped.
  void Show(const char* text, BvBitmapFont* font, BvApplication* app);
  // Reads the keys of a frame while the box is shown.
  void HandleInput();
  bool IsShown() const { return shown != 0; }
  // The answer once the box closed (kYes or kCancel); true once per close.
  bool TakeResult(int16_t* choiceOut);
  // Draws the box over the screen while it is shown and has a font.
  void Draw();

  int16_t GetChoice() const { return choice; }

 private:
  void Close();

  char text[kMaxText + 1] = {};
  BvBitmapFont* font = nullptr;  // not owned
  uint8_t shown = 0;
  BvApplication* app = nullptr;  // not owned
  int16_t choice = kCancel;
  uint8_t resultReady = 0;
};
