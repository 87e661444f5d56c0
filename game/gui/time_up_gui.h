#pragma once
// GUI 10, opened by the board over the frozen screen when the time gauge
// reaches its limit: "timesup", then OK (result 16) replays the level.
#include "game/gui/gui.h"

class BvTimeUpGui : public BvGui {
 public:
  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }
  // Result 13 (as a cancelled quit), then Hide; the game itself never
  // calls it.
  void HideAsCancelled();

 protected:
  void HandleInput() override;

 private:
  void Build();
};
