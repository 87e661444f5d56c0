#pragma once
// A small OK or OK-cancel box a dialog embeds (never opened through
// ShowGui): a back panel with a message and its buttons, made on the
// owner's level and faded in and out in a quarter of a second. The owner
// calls Update instead of its own input handling while the box is open,
// then reads and clears resultReady.
#include <string>

#include "game/gui/gui.h"

class BvAlertGui : public BvGui {
 public:
  // Button layouts of Open.
  static constexpr int kButtonsOk = 0;
  static constexpr int kButtonsOkCancel = 1;
  // Results.
  static constexpr int kResultOk = 1;
  static constexpr int kResultCancel = 2;

  BvAlertGui() = default;

  // Never opened as a dialog of its own.
  void Init(intptr_t argument) override {}
  // show false fades out whatever exists; show true builds the box with
  // the message and buttons 0 (OK), 1 (OK and cancel) or none, keeping
  // purpose for the owner.
  void Open(bool show, const wchar_t* text, int buttons, int purpose);
  // Closes the box with a result for the owner.
  void SetResult(int n);
  // One millisecond of the dialog's timer, then the buttons.
  void Update(float ms) override;

  bool open = false;
  bool resultReady = false;
  int result = 0;
  int purpose = 0;

  BvLevelElement* GetBack() const { return m_Back; }
  BvLevelElement* GetMessage() const { return m_Message; }
  BvLevelElement* GetFirstButton() const { return m_FirstButton; }
  BvLevelElement* GetSecondButton() const { return m_SecondButton; }

 private:
  BvLevelElement* MakeButton(float x, const char* hoverSound, const char* labelKey,
                             BvLevelElement** label);

  BvLevelElement* m_Back = nullptr;
  BvLevelElement* m_Message = nullptr;
  BvLevelElement* m_FirstButton = nullptr;
  BvLevelElement* m_FirstLabel = nullptr;
  BvLevelElement* m_SecondButton = nullptr;
  BvLevelElement* m_SecondLabel = nullptr;
};
