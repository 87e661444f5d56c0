#pragma once
// GUI 6, the recap of a finished hidden-object level: score, play time, its
// time bonus and the hint bonus (a loss, in orange, when hints were used),
// then the new total; OK gives result 15.
#include "game/gui/recap_gui.h"

class BvRecapHiddenGui : public BvRecapGui {
 public:
  BvRecapHiddenGui();

  int GetTimeBonus() const { return m_TimeBonus; }
  int GetHintBonus() const { return m_HintBonus; }

 protected:
  void ComputeBonuses() override;
  int TotalBonus() const override;
  void ShowStep(int step) override;

 private:
  // Of this opening.
  int m_TimeBonus = 0;
  int m_HintBonus = 0;
};
