#pragma once
// GUI 7, the achievement notice: opened by the board in mode 3 (the board
// plays on underneath, the screen is not told) with the BvAchievement just
// unlocked. A banner with the achievement's icon, title and description
// rises from the bottom of the screen, stays four seconds, then sinks and
// fades away, closing with result 0. No key or click closes it earlier.
#include "game/gui/gui.h"

struct BvAchievement;

class BvAchieveGui : public BvGui {
 public:
  // How long the banner stays before it sinks, ms of scene time.
  static constexpr float kShowMs = 4000.0f;

  // argument: a BvAchievement* (0: the banner without its texts and icon).
  void Init(intptr_t argument) override;
  void Update(float ms) override;

 private:
  void Build(const BvAchievement& achievement);
};
