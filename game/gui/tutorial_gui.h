#pragma once
// GUI 8: the tutorial page of one tip, opened by a screen when a scheduled
// tip falls due (the scene frozen under it). A title, four lines, an
// illustration, a check box bound to the profile's show-hints byte and an
// OK button; no slide, it fades in and out in place.
#include "game/gui/gui.h"

class BvTutorialGui : public BvGui {
 public:
  BvTutorialGui() = default;

  // argument: the tip's bit; another value builds the page's frame only.
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  // Fade-out only; state 4.
  void Hide() override;

  // The page's texts and pictures for the tip bit.
  void Build(int bit);
  BvLevelElement* GetTick() const { return m_Tick; }
  // The frame's buttons and keys while open (state 2).
  void HandleButtons();

 private:
  void BuildCheckBox();
  void BuildPage(int bit);

  // The tick of the check box (null without "showhint").
  BvLevelElement* m_Tick = nullptr;
};
