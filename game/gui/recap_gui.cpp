#include "game/gui/recap_gui.h"

#include <cmath>

#include "engine/level/camera.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/physics_values.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/resources/lang_table.h"
#include "engine/sound/sound_functions.h"
#include "game/core/game.h"
#include "game/core/level_stats.h"
#include "game/core/player_store.h"
#include "game/gui/recap_values.h"

namespace {
// The texts above the lights, so a value stays readable while its flash
// and sparkles play over it.
constexpr int kLayerFlash = 1;
constexpr int kLayerSparkles = 2;
constexpr int kLayerTexts = 3;
const irr::core::vector2df kTitlePosition(0.0f, 160.0f);
// Rows: labels at x -145, values right-aligned at x 120, flashes and
// sparkle rings around x 90; row 0 at y 120, one every 32 pixels down.
constexpr float kLabelX = -145.0f;
constexpr float kValueX = 120.0f;
constexpr float kFlashX = 90.0f;
constexpr float kFirstRowY = 120.0f;
constexpr float kRowHeight = 32.0f;
constexpr int kAlignLeft = 1;
constexpr int kAlignRight = 2;
const irr::video::SColor kGreen(0xFF64FF00);
const irr::video::SColor kOrange(0xFFFF6400);
constexpr float kNoStartDelay = -1.0f;
constexpr float kValueFadeSpeed = 20.0f;
// The flash: from a tenth of its size, swelling three times while turning.
constexpr const char* kFlash = "guiaura";
const irr::core::vector2df kFlashStartScale(0.1f, 0.1f);
constexpr float kFlashFadeInSpeed = 40.0f;
constexpr float kFlashZoom = 3.0f;
constexpr float kFlashZoomSpeed = 200.0f;
constexpr float kFlashTurnSpeed = 100.0f;
constexpr float kFlashFadeOutSpeed = 20.0f;
constexpr float kFlashFadeOutDelay = 100.0f;
// The ring: 15 sparkles on a 30-pixel circle, one every 80 ms.
constexpr const char* kSparkle = "sparkle";
constexpr int kSparkleSteps = 28;  // i = 0, 2, ... 28
constexpr double kSparkleAngleStep = 3.14159265358979323846 / 13.0;
constexpr float kSparkleRadius = 30.0f;
constexpr float kSparkleDelayPerStep = 40.0f;  // 80 ms per sparkle
const irr::core::vector2df kSparkleScale(1.01f, 1.01f);
constexpr float kSparkleFadeSpeed = 20.0f;
constexpr float kSparkleTurnSpeed = 50.0f;
constexpr float kSparkleFadeOutDelay = 100.0f;
constexpr uint32_t kClearWhite = 0x00FFFFFFu;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// Sounds at half volume.
constexpr const char* kStepSound = "guicourt";
constexpr const char* kTotalSound = "guilong";
constexpr const char* kTotalBang = "explo1";
constexpr float kSoundVolume = 0.5f;
// The layer's pulse.
constexpr float kPulseBeats[] = {1.04f, 1.0f, 1.02f, 1.0f, 1.01f, 1.0f};
constexpr float kPulseSpeed = 100.0f;
constexpr int kZoomSmooth = 0;
// Count-up times: a step fires once the timer is above these.
constexpr float kStepBaseMs = 500.0f;
constexpr float kTotalBaseMs = 1000.0f;
constexpr float kStepSpacingMs = 500.0f;
constexpr int kFirstStep = 1;
constexpr const char* kOkButton = "btnok";
constexpr bool kRemove = true;
constexpr bool kHold = true;
}  // namespace

const BvLevelStats* BvRecapGui::Stats() const {
  return m_Scene ? m_Scene->GetLevelStats() : nullptr;
}

void BvRecapGui::Init(intptr_t argument) {
  BvGui::Init(argument);
  Build();
  m_Timer = 0.0f;
  m_Scene = reinterpret_cast<BvScene*>(argument);
  m_Step = 0;
  m_State = kStateOpen;
}

void BvRecapGui::Build() {
  m_Back = FindElement("interfaceback");
  AddText(m_Back, kTitlePosition, GetText("congratulations"), kLayerTexts);
  LabelButton(kOkButton, "ok", kLayerTexts);
  for (int i = 0; i < m_LabelCount; ++i) {
    const irr::core::vector2df position(kLabelX, kFirstRowY - kRowHeight * m_Labels[i].row);
    if (BvLevelElement* label = AddText(m_Back, position, GetText(m_Labels[i].key), kLayerTexts))
      label->SetTextAlign(kAlignLeft);
  }
}

void BvRecapGui::Update(float ms) {
  BvGui::Update(ms);
  switch (m_State) {
    case kStateOpen: UpdateCount(ms); break;
    case kStateCountedUp: HandleButtons(); break;
    case kStateClosing: CloseOnceFaded(); break;
    default: break;
  }
}

float BvRecapGui::StepTime(int step) const {
  return (step >= TotalStep() ? kTotalBaseMs : kStepBaseMs) + kStepSpacingMs * step;
}

void BvRecapGui::UpdateCount(float ms) {
  m_Timer += ms;
  if (m_Step == 0) {
    m_Step = kFirstStep;
    ComputeBonuses();
  }
  if (!(m_Timer > StepTime(m_Step))) return;
  BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  const int total = TotalStep();
  if (m_Step == kFirstStep) {
    AddLine(NumberText(profile ? profile->score : 0), 0, false, kStepSound);
    // The level's bonuses reach the score once per opening.
    if (profile) profile->score += TotalBonus();
  } else if (m_Step < total) {
    ShowStep(m_Step);
  } else if (m_Step == total) {
    const int totalRow = m_Labels[m_LabelCount - 1].row;
    AddLine(NumberText(profile ? profile->score : 0), totalRow, false, kTotalSound);
    PulseCamera();
    PlayEffect(kTotalBang, false, kSoundVolume);
  } else {
    m_Step = 0;
    m_Timer = 0.0f;
    m_State = kStateCountedUp;
    return;
  }
  ++m_Step;
}

void BvRecapGui::HandleButtons() {
  if (IsButtonClicked(kOkButton, true)) Finish();
}

void BvRecapGui::Finish() { HideWithResult(m_FinishResult); }

void BvRecapGui::AddLine(const std::wstring& text, int row, bool negative, const char* sound) {
  const float y = kFirstRowY - kRowHeight * row;
  if (BvLevelElement* value = AddText(m_Back, {kValueX, y}, text.c_str(), kLayerTexts)) {
    value->SetTextAlign(kAlignRight);
    value->SetColor(negative ? kOrange : kGreen);
    value->AddBehavior(new BvFadeInBehavior(kValueFadeSpeed, 0.0f));
  }
  // The flash is made like a text, from the aura's template.
  if (BvLevelElement* flash = CreateElement(kFlash, {kFlashX, y}, kNoStartDelay)) {
    flash->SetDynType(bv::kNoBody);
    flash->SetText(text.c_str());
    flash->SetLayer(kLayerFlash);
    flash->SetScale(kFlashStartScale);
    if (m_Back) flash->SetParent(m_Back);
    flash->AddBehavior(new BvFadeInBehavior(kFlashFadeInSpeed, 0.0f));
    flash->AddBehavior(new BvZoomToBehavior(kFlashZoom, kFlashZoomSpeed, kZoomSmooth));
    flash->AddBehavior(new BvRotateBehavior(kFlashTurnSpeed));
    flash->AddBehavior(new BvFadeOutBehavior(kFlashFadeOutSpeed, kFlashFadeOutDelay, kRemove, kHold));
  }
  for (int i = 0; i <= kSparkleSteps; i += 2) {
    const double angle = i * kSparkleAngleStep;
    const irr::core::vector2df position(kFlashX + kSparkleRadius * float(std::cos(angle)),
                                        y + kSparkleRadius * float(std::sin(angle)));
    BvLevelElement* sparkle = CreateElement(kSparkle, position, kSparkleDelayPerStep * i);
    if (!sparkle) break;  // its template is missing: said once, not fifteen times
    sparkle->SetLayer(kLayerSparkles);
    sparkle->SetScale(kSparkleScale);
    if (m_Back) sparkle->SetParent(m_Back);
    sparkle->AddBehavior(new BvColorFadeBehavior(kClearWhite, kOpaqueWhite, kSparkleFadeSpeed, 0.0f, false));
    sparkle->AddBehavior(new BvRotateBehavior(kSparkleTurnSpeed));
    sparkle->AddBehavior(new BvFadeOutBehavior(kSparkleFadeSpeed, kSparkleFadeOutDelay, kRemove, kHold));
  }
  PlayEffect(sound, false, kSoundVolume);
}

void BvRecapGui::PulseCamera() {
  BvLevelManager* levels = GetGame() ? GetGame()->GetGlobalLevels() : nullptr;
  if (levels) AddZoomPulse(levels->GetCamera());
}

void BvRecapGui::AddZoomPulse(BvLevelElement* element) {
  if (!element) return;
  for (float beat : kPulseBeats) {
    element->AddBehavior(new BvZoomToBehavior(beat, kPulseSpeed, kZoomSmooth));
    element->AddBehavior(new BvWaitBehavior(0.0f));
  }
}
