#include "game/gui/new_player_gui.h"

#include <string>

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/text_format.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/dialog_parts.h"
#include "game/gui/gui_results.h"
#include "game/gui/text_cursor.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kEditBox = "editname";
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kTextLayer = 1;
constexpr int kNewPlayerSlot = 0;
const irr::core::vector2df kTitlePosition(0.0f, 110.0f);
const irr::core::vector2df kPromptPosition(0.0f, 30.0f);
const irr::core::vector2df kNamePosition(0.0f, 3.0f);
const irr::video::SColor kNameColour(0xFF141414);
// Black, like the name, on the light name field.
const irr::video::SColor kCursorColour(0xFF000000);
}  // namespace

std::string DefaultPlayerName(int number) {
  const std::wstring wide = FormatText(GetText("playern"), {number}, BvNameEntry::kMaxLength);
  std::string name;
  // The language file is Latin-1: every character fits a byte.
  for (wchar_t c : wide) name.push_back(static_cast<char>(c & 0xFF));
  return name;
}

void BvNewPlayerGui::Init(intptr_t argument) {
  m_Name.Clear();
  Build();
  BvGui::Init(argument);
  m_State = kStateOpen;
}

void BvNewPlayerGui::Build() {
  BvLevel* level = GetLevel();
  BvLevelElement* panel = bv::GetNamed(level, kPanel);
  bv::MakeGuiText(kTitlePosition, GetText("welcome"), kTextLayer, panel);
  bv::MakeGuiText(kPromptPosition, GetText("entername"), kTextLayer, panel);
  bv::AttachToPanel(level, panel, "btnok", "ok", kTextLayer);
  bv::AttachToPanel(level, panel, "btncancel", "cancel", kTextLayer);
  BvLevelElement* box = bv::AttachToPanel(level, panel, kEditBox);
  m_NameText = box ? bv::MakeGuiText(kNamePosition, L"", kTextLayer, box) : nullptr;
  if (m_NameText) m_NameText->SetColor(kNameColour);
  m_Cursor = MakeTextCursor(m_NameText, kCursorColour);
}

void BvNewPlayerGui::CreatePlayer() {
  const std::string name =
      m_Name.IsEmpty() ? DefaultPlayerName(kNewPlayerSlot + 1) : std::string(m_Name.GetText());
  if (BvGame* game = GetGame()) game->GetStore().SelectProfile(kNewPlayerSlot, name.c_str());
  HideWithResult(kGuiResultPlayerCreated);
}

void BvNewPlayerGui::Cancel() { HideWithResult(kGuiResultPlayerCancel); }

void BvNewPlayerGui::HandleInput() {
  BvGame* game = GetGame();
  const int key = game ? game->GetLastKey() : -1;
  // Enter and Escape do not end the frame: the buttons are read too, and
  // the last result stored is the one the screen gets.
  if (key == kKeyEnter) CreatePlayer();
  else if (key == kKeyEscape) Cancel();
  if (m_Name.TypeKey(key)) ShowTypedName(m_NameText, m_Cursor, m_Name.GetText());
  if (IsButtonClicked("btnok", true)) CreatePlayer();
  else if (IsButtonClicked("btncancel", true)) Cancel();
}
