#include "game/gui/options_gui.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/physics_values.h"
#include "engine/resources/lang_table.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"
#include "game/scenes/element_templates.h"
#include "game/core/player_store.h"
#include "game/gui/dialog_parts.h"
#include "game/gui/gui_results.h"
#include "game/gui/volume_slider.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kMusicBar = "slidebar1";
constexpr const char* kMusicKnob = "slider1";
constexpr const char* kEffectsBar = "slidebar2";
constexpr const char* kEffectsKnob = "slider2";
constexpr const char* kFullScreen = "fullscreen";
constexpr const char* kShowHints = "showhint";
constexpr const char* kTimeMode = "timemode";
constexpr const char* kOk = "btnok";
constexpr const char* kTick = "checked";
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
constexpr int kTextLayer = 1;
constexpr int kTickLayer = 2;
constexpr float kNoStartDelay = -1.0f;
const irr::core::vector2df kTitlePosition(0.0f, 110.0f);
const irr::core::vector2df kBarLabelPosition(-220.0f, 3.0f);
const irr::core::vector2df kSwitchLabelPosition(40.0f, 3.0f);
const irr::core::vector2df kLabelPosition(0.0f, 3.0f);
constexpr float kKnobY = -5.0f;

void ShowTick(BvLevelElement* tick, bool shown) {
  if (tick) tick->SetVisible(shown);
}

void Toggle(uint8_t& flag) { flag = flag == 0 ? 1 : 0; }
}  // namespace

void BvOptionsGui::Init(intptr_t argument) {
  Build();
  BvGui::Init(argument);
  PlaceSliders();
  m_State = kStateOpen;
}

BvLevelElement* BvOptionsGui::BuildSwitch(const char* name, const char* labelKey) {
  BvLevel* level = GetLevel();
  BvLevelElement* button = bv::AttachToPanel(level, bv::GetNamed(level, kPanel), name);
  if (!button) return nullptr;
  bv::MakeGuiText(kSwitchLabelPosition, GetText(labelKey), kTextLayer, button, bv::kAlignLeft);
  BvLevelManager* levels = g_Game ? g_Game->GetGlobalLevels() : nullptr;
  if (!bv::HasTemplate(levels, kTick)) return nullptr;
  BvLevelElement* tick =
      CreateLevelElement(levels, irr::core::vector2df(0.0f, 0.0f), kTick, kNoStartDelay);
  if (!tick) return nullptr;
  tick->SetDynType(bv::kNoBody);
  tick->SetLayer(kTickLayer);
  tick->SetParent(button);
  return tick;
}

void BvOptionsGui::Build() {
  BvLevel* level = GetLevel();
  BvLevelElement* panel = bv::GetNamed(level, kPanel);
  bv::MakeGuiText(kTitlePosition, GetText("options"), kTextLayer, panel);
  const struct {
    const char* bar;
    const char* knob;
    const char* labelKey;
  } sliders[] = {{kMusicBar, kMusicKnob, "music"}, {kEffectsBar, kEffectsKnob, "son"}};
  for (const auto& slider : sliders) {
    BvLevelElement* bar = bv::AttachToPanel(level, panel, slider.bar);
    if (!bar) continue;
    bv::MakeGuiText(kBarLabelPosition, GetText(slider.labelKey), kTextLayer, bar, bv::kAlignLeft);
    if (BvLevelElement* knob = bv::GetNamed(level, slider.knob)) {
      knob->SetParent(bar);
      knob->SetPosition(0.0f, kKnobY);
    }
  }
  m_FullScreenTick = BuildSwitch(kFullScreen, "fullscreen");
  m_ShowHintsTick = BuildSwitch(kShowHints, "dontshowhint");
  m_TimeModeTick = BuildSwitch(kTimeMode, "timemode");
  bv::AttachToPanel(level, panel, kOk, "close", kTextLayer);
}

void BvOptionsGui::PlaceSliders() {
  if (!g_System) return;
  const BvConfig& config = g_System->config;
  BvLevel* level = GetLevel();
  if (BvLevelElement* knob = bv::FindNamed(level, kMusicKnob))
    knob->SetPosition(float(bv::SliderXForVolume(config.musicVolume)), knob->GetLocalPosition().Y);
  if (BvLevelElement* knob = bv::FindNamed(level, kEffectsKnob))
    knob->SetPosition(float(bv::SliderXForVolume(config.effectsVolume)),
                      knob->GetLocalPosition().Y);
  ShowTick(m_FullScreenTick, config.fullScreen != 0);
}

void BvOptionsGui::Finish() { HideWithResult(kGuiResultOptionsDone); }

void BvOptionsGui::DragSlider(const char* knobName, bool music) {
  BvLevelElement* knob = bv::FindNamed(GetLevel(), knobName);
  if (!knob) return;
  const float x =
      bv::ClampSliderX(knob->GetLocalPosition().X + (m_CursorX - knob->GetPosition().X));
  knob->SetPosition(x, knob->GetLocalPosition().Y);
  const float volume = bv::VolumeForSliderX(x);
  if (g_System) {
    int32_t& stored = music ? g_System->config.musicVolume : g_System->config.effectsVolume;
    stored = static_cast<int32_t>(volume);
  }
  if (g_SoundManager) {
    if (music) g_SoundManager->SetMusicVolume(volume / 100.0f);
    else g_SoundManager->SetEffectsVolume(volume / 100.0f);
  }
}

void BvOptionsGui::HandleInput() {
  BvGame* game = GetGame();
  const int key = game ? game->GetLastKey() : -1;
  if (key == kKeyEnter || key == kKeyEscape) Finish();

  BvLevel* level = GetLevel();
  if (bv::FindNamed(level, kMusicBar) && IsMouseDownOver(kMusicBar)) DragSlider(kMusicKnob, true);
  else if (bv::FindNamed(level, kEffectsBar) && IsMouseDownOver(kEffectsBar))
    DragSlider(kEffectsKnob, false);

  if (g_System) ShowTick(m_FullScreenTick, g_System->config.fullScreen != 0);
  // The request outlives the mouse release after the click; the frame loop
  // switches and the tick follows the configuration.
  if (IsButtonClicked(kFullScreen, true) && g_System) g_System->fullScreenToggleRequest = 1;

  BvProfile* profile = game ? game->GetCurrentProfile() : nullptr;
  // "Show tips": the tick stands while tips are on.
  ShowTick(m_ShowHintsTick, !profile || profile->showHints != 0);
  if (IsButtonClicked(kShowHints, true) && profile) Toggle(profile->showHints);
  ShowTick(m_TimeModeTick, !profile || profile->timeMode != 0);
  if (IsButtonClicked(kTimeMode, true) && profile) Toggle(profile->timeMode);

  if (IsButtonClicked(kOk, true)) Finish();
}
