#pragma once
// GUI 4, the quit confirmation of the title menu: OK (result 12) or cancel
// (result 13).
#include "game/gui/gui.h"

class BvQuitGui : public BvGui {
 public:
  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }

 protected:
  void HandleInput() override;

 private:
  void Build();
};
