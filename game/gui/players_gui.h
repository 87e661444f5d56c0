#pragma once
// GUI 3: the four player slots. A click highlights a named player, or starts
// typing a name into the first free slot; OK makes the highlighted player
// current (result 10), cancel or Escape reports 11. Delete asks for
// confirmation in an alert box; the current player cannot be deleted.
#include "game/gui/alert_gui.h"
#include "game/gui/gui.h"
#include "game/gui/name_entry.h"

class BvPlayersGui : public BvGui {
 public:
  static constexpr int kSlotCount = 4;
  static constexpr int kNoSlot = -1;
  // Purposes of the alert box.
  static constexpr int kPurposeDelete = 1;
  static constexpr int kPurposeRefused = 2;

  BvPlayersGui() = default;

  void Init(intptr_t argument) override;
  void Update(float ms) override { RunStandardFrame(ms); }

  void Build();
  // Names, then "newplayer" in the first free slot and "freeslot" after.
  void FillSlots();
  // The slot's text red, the others white (kNoSlot: all white).
  void HighlightSlot(int slot);
  // The typed name becomes the editing slot's player, made current.
  void CommitName();
  void Accept();
  void Cancel();
  // The delete button: confirmation, or the refusal for the current player.
  void ShowMessage();
  // The click on slot i (0..3).
  void ClickSlot(int slot);

  int GetSelected() const { return m_Selected; }
  int GetEditing() const { return m_Editing; }
  BvLevelElement* GetSlotText(int slot) const { return m_SlotTexts[slot]; }
  BvLevelElement* GetCursor() const { return m_Cursor; }
  BvAlertGui& GetAlert() { return m_Alert; }
  const BvAlertGui& GetAlert() const { return m_Alert; }
  const BvNameEntry& GetName() const { return m_Name; }
  // One key as the dialog takes it while open (tests drive it this way).
  void TypeKey(int key);

 protected:
  void HandleInput() override;

 private:
  BvAlertGui m_Alert;
  BvNameEntry m_Name;
  BvLevelElement* m_SlotTexts[kSlotCount] = {};
  BvLevelElement* m_Cursor = nullptr;
  int m_Selected = kNoSlot;
  int m_Editing = kNoSlot;
};
