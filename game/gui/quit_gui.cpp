#include "game/gui/quit_gui.h"

#include "engine/resources/lang_table.h"
#include "game/gui/gui_results.h"

namespace {
constexpr int kLabelLayer = 1;
const irr::core::vector2df kTitlePosition(0.0f, 20.0f);
}  // namespace

void BvQuitGui::Build() {
  AddText(FindElement("interfaceback"), kTitlePosition, GetText("quitconfirm"), kLabelLayer);
  LabelButton("btnok", "ok", kLabelLayer);
  LabelButton("btncancel", "cancel", kLabelLayer);
}

void BvQuitGui::Init(intptr_t argument) {
  Build();
  BvGui::Init(argument);
  m_State = kStateOpen;
}

void BvQuitGui::HandleInput() {
  if (IsButtonClicked("btnok", true)) HideWithResult(kGuiResultQuitConfirmed);
  if (IsButtonClicked("btncancel", true)) HideWithResult(kGuiResultQuitCancelled);
}
