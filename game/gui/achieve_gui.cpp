#include "game/gui/achieve_gui.h"

#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/resources/lang_table.h"
#include "engine/sound/sound_functions.h"
#include "game/core/achievement.h"
#include "game/gui/gui_results.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kBack = "achieveback";
constexpr int kAlignCentre = 0;
constexpr int kLayerTexts = 1;
constexpr int kLayerIcon = 2;
const irr::core::vector2df kTitlePosition(20.0f, 30.0f);
const irr::core::vector2df kHeadingPosition(20.0f, 5.0f);
const irr::core::vector2df kDescriptionPosition(20.0f, -20.0f);
const irr::core::vector2df kBackPosition(-125.0f, -3.0f);
const irr::core::vector2df kIconPosition(-3.0f, 2.0f);
const irr::video::SColor kTitleColour(0xFFFFB4FF);
constexpr float kNoStartDelay = -1.0f;
// The banner waits below the screen, rises past its place by 20 pixels
// and settles; it sinks back to where it started.
const irr::core::vector2df kBelowScreen(0.0f, -420.0f);
const irr::core::vector2df kRisePeak(0.0f, -210.0f);
const irr::core::vector2df kShown(0.0f, -230.0f);
constexpr float kPathSpeed = 100.0f;
constexpr float kPathTension = 1.0f;
constexpr const char* kArriveSound = "achieve";
constexpr float kArriveVolume = 1.0f;
constexpr const char* kLeaveSound = "guimove";
constexpr float kLeaveVolume = 0.4f;
}  // namespace

void BvAchieveGui::Init(intptr_t argument) {
  m_Elapsed = 0.0f;
  m_Previous = 0.0f;
  m_Done = false;
  m_Result = kGuiResultNone;
  if (argument) Build(*reinterpret_cast<const BvAchievement*>(argument));
  PlayEffect(kArriveSound, false, kArriveVolume);
  if (BvLevelElement* panel = FindElement(kPanel)) {
    panel->SetPosition(kBelowScreen);
    panel->AddBehavior(new BvPathBehavior({kRisePeak, kShown}, BvPathBehavior::kFlagStop,
                                          kPathSpeed, kPathTension));
  }
  FadeInElements();
  m_State = kStateOpen;
}

void BvAchieveGui::Build(const BvAchievement& achievement) {
  BvLevelElement* panel = FindElement(kPanel);
  auto centred = [&](const irr::core::vector2df& position, const wchar_t* text) {
    BvLevelElement* element = AddText(panel, position, text, kLayerTexts);
    if (element) element->SetTextAlign(kAlignCentre);
    return element;
  };
  if (BvLevelElement* title = centred(kTitlePosition, achievement.title))
    title->SetColor(kTitleColour);
  centred(kHeadingPosition, GetText("achievenew"));
  centred(kDescriptionPosition, achievement.description);
  BvLevelElement* back = CreateElement(kBack, kBackPosition, kNoStartDelay);
  if (back) {
    back->SetLayer(kLayerTexts);
    if (panel) back->SetParent(panel);
  }
  if (BvLevelElement* icon = CreateElement(achievement.id, kIconPosition, kNoStartDelay)) {
    icon->SetLayer(kLayerIcon);
    if (back) icon->SetParent(back);
  }
}

void BvAchieveGui::Update(float ms) {
  BvGui::Update(ms);
  if (m_State == kStateOpen && m_Elapsed > kShowMs) {
    PlayEffect(kLeaveSound, false, kLeaveVolume);
    if (BvLevelElement* panel = FindElement(kPanel))
      panel->AddBehavior(new BvPathBehavior({kBelowScreen}, BvPathBehavior::kFlagStop, kPathSpeed,
                                            kPathTension));
    FadeOutElements();
    m_State = kStateClosing;
  }
  if (m_State == kStateClosing && IsLevelIdle()) Close(kGuiResultNone);
}
