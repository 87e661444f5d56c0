#include "game/gui/pause_gui.h"

#include "engine/resources/lang_table.h"
#include "game/core/game.h"
#include "game/gui/gui_results.h"

namespace {
constexpr int kKeyEscape = 27;
constexpr int kLabelLayer = 1;
const irr::core::vector2df kTitlePosition(0.0f, 110.0f);
}  // namespace

void BvPauseGui::Build() {
  AddText(FindElement("interfaceback"), kTitlePosition, GetText("pause"), kLabelLayer);
  LabelButton("btnresume", "resume", kLabelLayer);
  LabelButton("btnoptions", "menuoptions", kLabelLayer);
  LabelButton("btnmainmenu", "mainmenu", kLabelLayer);
  LabelButton("btnquit", "quit", kLabelLayer);
}

void BvPauseGui::Init(intptr_t argument) {
  Build();
  BvGui::Init(argument);
  m_State = kStateOpen;
  if (BvGame* game = GetGame()) game->NotifyScene(kGuiResultOpened);
}

void BvPauseGui::HandleInput() {
  BvGame* game = GetGame();
  if (game && game->WasKeyPressed(kKeyEscape)) HideWithResult(kGuiResultResume);
  if (IsButtonClicked("btnresume", true)) HideWithResult(kGuiResultResume);
  else if (IsButtonClicked("btnoptions", true)) HideWithResult(kGuiResultOptions);
  else if (IsButtonClicked("btnmainmenu", true)) HideWithResult(kGuiResultMainMenu);
  else if (IsButtonClicked("btnquit", true)) HideWithResult(kGuiResultQuit);
}
