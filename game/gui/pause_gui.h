#pragma once
// GUI 0, the pause menu: opened by Escape or a screen's menu button over a
// frozen screen. Resume (also Escape), options, main menu or quit; the
// screen acts on the result.
#include "game/gui/gui.h"

class BvPauseGui : public BvGui {
 public:
  // Builds the title and the button labels, opens, then tells the screen
  // (event 5).
  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }

 protected:
  // Escape first; then the first of the four buttons clicked. Both may act
  // in one frame: the button's result then stands.
  void HandleInput() override;

 private:
  void Build();
};
