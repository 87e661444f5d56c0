#pragma once
// Base of the two recaps (GUIs 5 and 6), opened in mode 2 by a screen whose
// level was won, with the screen as argument. After the panel drops in the
// level's results arrive line by line in a timed count-up, each value with
// a flash, a ring of sparkles and a sound; the first line shows the
// profile's score, which then gains the level's bonuses, and the total line
// shows the new score with a pulse of the dialog layer. Then "btnok" closes
// with the recap's result.
#include <string>

#include "game/gui/gui.h"

struct BvLevelStats;

class BvRecapGui : public BvGui {
 public:
  // Base opening, then the title, the OK button and the labels; the count
  // starts (state 2). argument: the BvScene whose statistics are shown.
  void Init(intptr_t argument) override;
  // State 2 the count-up, state 3 the OK button, state 4 the close.
  void Update(float ms) override;

  // The recap's result (14 or 15), then Hide.
  void Finish();

  int GetStep() const { return m_Step; }
  float GetTimer() const { return m_Timer; }

  // A row's label: its language key and row (0 at the top).
  struct Label {
    const char* key;
    int row;
  };

 protected:
  // result: 14 or 15; labels: the rows' labels, the total's last (a
  // table that lives as long as the program).
  template <int N>
  BvRecapGui(int result, const Label (&labels)[N])
      : m_FinishResult(result), m_Labels(labels), m_LabelCount(N) {}

  // The statistics of the scene given to Init (null without one).
  const BvLevelStats* Stats() const;
  // Called once per opening when the count starts.
  virtual void ComputeBonuses() = 0;
  // What the bonuses add to the score, at step 1.
  virtual int TotalBonus() const = 0;
  // Shows the value of a step between the first and the total.
  virtual void ShowStep(int step) = 0;
  // One step a row, so the total's is the last label's; the next step
  // ends the count.
  int TotalStep() const { return m_LabelCount; }

  // A value text on its row (green, or orange when negative) with its
  // flash, its ring of sparkles and its sound.
  void AddLine(const std::wstring& text, int row, bool negative, const char* sound);
  // Three shrinking zoom beats of the dialog layer's camera.
  void PulseCamera();
  // The beats on any element: zoom 1.04, 1, 1.02, 1, 1.01, 1, a wait after each.
  static void AddZoomPulse(BvLevelElement* element);

 private:
  void Build();
  void UpdateCount(float ms);
  // Time at which a step fires: one second before the total, half a second
  // between the others.
  float StepTime(int step) const;
  void HandleButtons();

  const int m_FinishResult;
  const Label* const m_Labels;
  const int m_LabelCount;
  // "interfaceback", parent of the texts.
  BvLevelElement* m_Back = nullptr;
  BvScene* m_Scene = nullptr;
  // 0 before the first line.
  int m_Step = 0;
  // Milliseconds since the count began.
  float m_Timer = 0.0f;
};
