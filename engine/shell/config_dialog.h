#pragma once
// BvConfigDialog: asks for the display mode before a game (full screen or
// window), then Play or Quit. On a screen too small for the window the full
// screen is forced. Play stores the choice and the driver type 3.
#include <cstdint>
#include <functional>

#include "engine/shell/dialog.h"

class BvConfigDialog : public BvDialog {
 public:
  explicit BvConfigDialog(unsigned long parent = 0);

  // 1 French, 2 English, 3 Spanish (chosen only by the language dialog).
  int32_t language = 0;
  uint8_t fullScreen = 0;
  int16_t driverType = 0;
  // Answers the screen size (pixels); false when it can't be known, which
  // allows the window. Tests replace it.
  std::function<bool(int*, int*)> screenSize;

 protected:
  BvConfigDialog(uint16_t templateId, unsigned long parent);
  // Checks full screen (window disabled) on a small screen, else window.
  virtual intptr_t OnInitDialog(unsigned long window, uintptr_t first, intptr_t second);
  // Play stores the choices and ends with Ok; Quit ends with Cancel.
  virtual intptr_t OnCommand(unsigned long window, uintptr_t first, intptr_t second);
  // The language at Play; the display dialog asks none.
  virtual void StoreLanguage() {}
};
