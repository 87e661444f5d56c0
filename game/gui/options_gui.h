#pragma once
// GUI 1: the music and sound-effect volume sliders, the full-screen switch
// and the current profile's two switches (tips shown, time limit). Volume
// changes reach the sound manager and the configuration at once; closing
// (Enter, Escape or OK) never undoes them.
#include "game/gui/gui.h"

class BvOptionsGui : public BvGui {
 public:
  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }

  // The texts, the labelled switches with their ticks, and the OK button.
  void Build();
  // The knobs where the configured volumes put them; the full-screen tick.
  void PlaceSliders();
  // Result 8 and the closing animation.
  void Finish();

  BvLevelElement* GetFullScreenTick() const { return m_FullScreenTick; }
  BvLevelElement* GetShowHintsTick() const { return m_ShowHintsTick; }
  BvLevelElement* GetTimeModeTick() const { return m_TimeModeTick; }

 protected:
  void HandleInput() override;

 private:
  // Follows the cursor with the knob of a bar held down and sets its volume.
  void DragSlider(const char* knobName, bool music);
  // The switch's label and tick; returns the tick.
  BvLevelElement* BuildSwitch(const char* name, const char* labelKey);

  BvLevelElement* m_FullScreenTick = nullptr;
  BvLevelElement* m_ShowHintsTick = nullptr;
  BvLevelElement* m_TimeModeTick = nullptr;
};
