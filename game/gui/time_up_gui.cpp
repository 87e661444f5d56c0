#include "game/gui/time_up_gui.h"

#include "engine/resources/lang_table.h"
#include "engine/sound/sound_functions.h"
#include "game/gui/gui_results.h"

namespace {
constexpr int kTitleLayer = 1;
// The label sits over the button's own layer here.
constexpr int kLabelLayer = 2;
const irr::core::vector2df kTitlePosition(0.0f, 20.0f);
constexpr const char* kSound = "timesup";
constexpr float kSoundVolume = 0.5f;
}  // namespace

void BvTimeUpGui::Build() {
  AddText(FindElement("interfaceback"), kTitlePosition, GetText("timeup"), kTitleLayer);
  LabelButton("btnok", "ok", kLabelLayer);
}

void BvTimeUpGui::Init(intptr_t argument) {
  Build();
  BvGui::Init(argument);
  PlayEffect(kSound, false, kSoundVolume);
  m_State = kStateOpen;
}

void BvTimeUpGui::HandleInput() {
  if (IsButtonClicked("btnok", true)) HideWithResult(kGuiResultTimeUp);
}

void BvTimeUpGui::HideAsCancelled() { HideWithResult(kGuiResultQuitCancelled); }
