#pragma once
// GUI 5, the recap of a won board level: score, tiles cleared, matches,
// play time and the gauge's time bonus, then the new total; OK gives
// result 14.
#include "game/gui/recap_gui.h"

class BvRecapSwapGui : public BvRecapGui {
 public:
  BvRecapSwapGui();

  int GetTimeBonus() const { return m_TimeBonus; }

 protected:
  void ComputeBonuses() override;
  int TotalBonus() const override;
  void ShowStep(int step) override;

 private:
  // Of this opening: points for the time left on the gauge.
  int m_TimeBonus = 0;
};
