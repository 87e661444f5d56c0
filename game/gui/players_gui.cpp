#include "game/gui/players_gui.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/resources/lang_table.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/dialog_parts.h"
#include "game/gui/gui_results.h"
#include "game/gui/text_cursor.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kItems[BvPlayersGui::kSlotCount] = {"item1", "item2", "item3", "item4"};
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kTitleLayer = 1;
constexpr int kSlotLayer = 2;
const irr::core::vector2df kTitlePosition(0.0f, 115.0f);
const irr::core::vector2df kSlotTextPosition(0.0f, 3.0f);
const irr::core::vector2df kCursorHome(0.0f, -3.0f);
const irr::video::SColor kHighlight(0xFFFF0000);
const irr::video::SColor kPlain(0xFFFFFFFF);
// White like the slot texts: black would vanish on the dark slots.
const irr::video::SColor kCursorColour(0xFFFFFFFF);

BvPlayerStore* Store() { return g_Game ? &g_Game->GetStore() : nullptr; }

bool HasName(int slot) {
  BvPlayerStore* store = Store();
  return store && slot >= 0 && slot < BvPlayerStore::kProfileCount &&
         !store->profiles[slot].IsFree();
}

int CurrentIndex() {
  BvPlayerStore* store = Store();
  return store ? store->current : BvPlayerStore::kNoProfile;
}
}  // namespace

void BvPlayersGui::Init(intptr_t argument) {
  m_Name.Clear();
  m_Editing = kNoSlot;
  m_Alert.open = false;
  m_Alert.resultReady = false;
  Build();
  FillSlots();
  HighlightSlot(CurrentIndex());
  BvGui::Init(argument);
  m_State = kStateOpen;
}

void BvPlayersGui::Build() {
  BvLevel* level = GetLevel();
  BvLevelElement* panel = bv::GetNamed(level, kPanel);
  bv::MakeGuiText(kTitlePosition, GetText("players"), kTitleLayer, panel);
  bv::AttachToPanel(level, panel, "frame");
  for (int i = 0; i < kSlotCount; ++i) {
    BvLevelElement* item = bv::AttachToPanel(level, panel, kItems[i]);
    m_SlotTexts[i] = item ? bv::MakeGuiText(kSlotTextPosition, L"", kSlotLayer, item) : nullptr;
  }
  m_Cursor = MakeTextCursor(nullptr, kCursorColour);
  if (m_Cursor) m_Cursor->SetVisible(false);
  bv::AttachToPanel(level, panel, "btnok", "ok", kTitleLayer);
  bv::AttachToPanel(level, panel, "btncancel", "cancel", kTitleLayer);
  bv::AttachToPanel(level, panel, "btndelete", "delete", kTitleLayer);
}

void BvPlayersGui::FillSlots() {
  BvPlayerStore* store = Store();
  bool freeShown = false;
  for (int i = 0; i < kSlotCount; ++i) {
    BvLevelElement* text = m_SlotTexts[i];
    if (!text) continue;
    if (HasName(i)) {
      text->SetTextA(store->profiles[i].name);
    } else {
      text->SetText(GetText(freeShown ? "freeslot" : "newplayer"));
      freeShown = true;
    }
  }
}

void BvPlayersGui::HighlightSlot(int slot) {
  m_Selected = slot;
  for (int i = 0; i < kSlotCount; ++i)
    if (m_SlotTexts[i]) m_SlotTexts[i]->SetColor(i == slot ? kHighlight : kPlain);
}

void BvPlayersGui::CommitName() {
  if (m_Editing != kNoSlot && !m_Name.IsEmpty()) {
    if (BvPlayerStore* store = Store()) store->SelectProfile(m_Editing, m_Name.GetText());
    HighlightSlot(m_Editing);
  }
  FillSlots();
  if (m_Cursor) {
    m_Cursor->SetVisible(false);
    m_Cursor->DetachFromParent();
    m_Cursor->SetPosition(kCursorHome);
  }
  m_Editing = kNoSlot;
}

void BvPlayersGui::Accept() {
  if (m_Editing != kNoSlot) CommitName();
  if (CurrentIndex() != m_Selected)
    if (BvPlayerStore* store = Store()) store->SelectProfile(m_Selected, nullptr);
  HideWithResult(kGuiResultPlayerChosen);
}

void BvPlayersGui::Cancel() { HideWithResult(kGuiResultPlayersCancel); }

void BvPlayersGui::ShowMessage() {
  if (m_Editing != kNoSlot) return;
  if (m_Selected == CurrentIndex()) {
    m_Alert.Open(true, GetText("currentplayermsg"), BvAlertGui::kButtonsOk, kPurposeRefused);
  } else if (HasName(m_Selected)) {
    m_Alert.Open(true, GetText("deleteplayermsg"), BvAlertGui::kButtonsOkCancel, kPurposeDelete);
  }
}

void BvPlayersGui::TypeKey(int key) {
  if (key == -1) return;
  if (key == kKeyEnter) {
    if (m_Editing != kNoSlot) CommitName();
    return;
  }
  if (key == kKeyEscape) {
    Cancel();
    return;
  }
  if (m_Editing == kNoSlot) return;
  m_Name.TypeKey(key);
  ShowTypedName(m_SlotTexts[m_Editing], m_Cursor, m_Name.GetText());
}

void BvPlayersGui::ClickSlot(int slot) {
  if (m_Editing != kNoSlot && m_Editing != slot) {
    CommitName();
  } else if (HasName(slot)) {
    HighlightSlot(slot);
  } else if (slot == 0 || HasName(slot - 1)) {
    m_Editing = slot;
    m_Name.Clear();
    BvLevelElement* text = m_SlotTexts[slot];
    if (text) text->SetText(L"");
    if (m_Cursor) {
      m_Cursor->SetVisible(true);
      if (text) m_Cursor->SetParent(text);
      ShowTypedName(text, m_Cursor, "");
    }
  }
}

void BvPlayersGui::HandleInput() {
  if (m_Alert.open) {
    m_Alert.Update(0.0f);
    return;
  }
  if (m_Alert.resultReady) {
    if (m_Alert.purpose == kPurposeDelete && m_Alert.result == BvAlertGui::kResultOk) {
      if (BvPlayerStore* store = Store()) store->DeleteProfile(m_Selected);
      FillSlots();
      HighlightSlot(CurrentIndex());
    }
    m_Alert.resultReady = false;
  }
  BvGame* game = GetGame();
  // Escape does not end the frame: the items and buttons are read too, and
  // the last result stored is the one the screen gets.
  TypeKey(game ? game->GetLastKey() : -1);
  for (int i = 0; i < kSlotCount; ++i) {
    if (IsButtonClicked(kItems[i], true)) ClickSlot(i);
  }
  if (IsButtonClicked("btnok", true)) Accept();
  else if (IsButtonClicked("btncancel", true)) Cancel();
  else if (IsButtonClicked("btndelete", true)) ShowMessage();
}
