#include "game/gui/gui.h"

#include <vector>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/resources/lang_table.h"
#include "engine/shell/system.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"
#include "game/core/game.h"
#include "game/gui/create_text.h"
#include "game/gui/own_colour_fade_in.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kFont = "guifont";
const irr::core::vector2df kButtonLabelPosition(0.0f, 3.0f);
constexpr const char* kMoveSound = "guimove";
constexpr float kMoveVolume = 0.4f;
// The panel starts above the screen, overshoots 40 pixels and settles at
// the centre; on hiding it dips, then leaves upwards.
const irr::core::vector2df kPanelAbove(0.0f, 450.0f);
const irr::core::vector2df kPanelDip(0.0f, -40.0f);
const irr::core::vector2df kPanelHome(0.0f, 0.0f);
constexpr float kPanelSpeed = 400.0f;
constexpr float kDropTension = 1.0f;
constexpr float kLiftTension = 0.5f;
// Fade speeds: 5000 / speed ms.
constexpr float kFadeInSpeed = 10.0f;
constexpr float kFadeOutSpeed = 5.0f;

// The level's elements, collected first: adding behaviours does not change
// the level, but a copy keeps the walk independent of it.
std::vector<BvLevelElement*> ElementsOf(const BvLevel* level) {
  std::vector<BvLevelElement*> elements;
  if (!level) return elements;
  for (const auto& entry : level->GetIdIndex())
    elements.push_back(static_cast<BvLevelElement*>(entry.second));
  return elements;
}
}  // namespace

BvLevel* BvGui::GetLevel() const {
  BvLevelManager* levels = g_Game ? g_Game->GetGlobalLevels() : nullptr;
  return levels ? levels->GetCurrentLevel() : nullptr;
}

BvLevelElement* BvGui::FindElement(const char* name) const {
  BvLevel* level = GetLevel();
  return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
}

BvLevelElement* BvGui::GetElement(const char* name) const {
  BvLevel* level = GetLevel();
  return level ? static_cast<BvLevelElement*>(level->GetObjectByName(name)) : nullptr;
}

BvLevelElement* BvGui::AddText(BvLevelElement* parent, const irr::core::vector2df& position,
                               const wchar_t* text, int layer) {
  BvLevelElement* element = CreateText(g_Game ? g_Game->GetGlobalLevels() : nullptr, position, text, kFont);
  if (!element) return nullptr;
  element->SetLayer(layer);
  if (parent) element->SetParent(parent);
  return element;
}

BvLevelElement* BvGui::LabelButton(const char* name, const char* labelKey, int layer) {
  BvLevel* level = GetLevel();
  auto* button = level ? static_cast<BvLevelElement*>(level->GetObjectByName(name)) : nullptr;
  BvLevelElement* panel = FindElement(kPanel);
  if (button && panel) button->SetParent(panel);
  AddText(button, kButtonLabelPosition, GetText(labelKey), layer);
  return button;
}

BvLevelElement* BvGui::CreateElement(const char* templateName, const irr::core::vector2df& position,
                                     float startDelay) {
  BvLevelManager* levels = g_Game ? g_Game->GetGlobalLevels() : nullptr;
  if (!levels || !levels->GetElements()->GetObjectByName(templateName)) return nullptr;
  return CreateLevelElement(levels, position, templateName, startDelay);
}

void BvGui::Init(intptr_t) {
  if (g_System) g_System->RestoreDefaultCursor();
  m_Elapsed = 0.0f;
  m_Previous = 0.0f;
  m_Done = false;
  m_Result = 0;
  PlayEffect(kMoveSound, false, kMoveVolume);
  if (BvLevelElement* panel = FindElement(kPanel)) {
    panel->SetPosition(kPanelAbove);
    panel->AddBehavior(new BvPathBehavior({kPanelDip, kPanelHome}, BvPathBehavior::kFlagStop,
                                          kPanelSpeed, kDropTension));
  }
  FadeInElements();
}

void BvGui::Update(float ms) {
  BvScene::Update(ms);
  BvLevelManager* levels = g_Game ? g_Game->GetGlobalLevels() : nullptr;
  if (!levels) return;
  const irr::core::vector2df cursor = levels->GetMouseWorldPosition(0);
  m_CursorX = cursor.X;
  m_CursorY = cursor.Y;
}

bool BvGui::IsMouseOver(const char* name) {
  BvLevel* level = GetLevel();
  if (!level) return false;
  auto* element = static_cast<BvLevelElement*>(level->GetObjectByName(name));
  if (!element) return false;
  return element->HitTest(irr::core::vector2df(m_CursorX, m_CursorY));
}

void BvGui::Close(int result) {
  RequestClose();
  if (!g_Game) return;
  g_Game->SetGuiMode(kGuiModeNone);
  g_Game->NotifyScene(result);
}

void BvGui::Hide() {
  FadeOutElements();
  PlayEffect(kMoveSound, false, kMoveVolume);
  if (BvLevelElement* panel = FindElement(kPanel))
    panel->AddBehavior(new BvPathBehavior({kPanelDip, kPanelAbove}, BvPathBehavior::kFlagStop,
                                          kPanelSpeed, kLiftTension));
  m_State = kStateClosing;
}

void BvGui::HideWithResult(int result) {
  m_Result = result;
  Hide();
}

bool BvGui::IsLevelIdle() const {
  // An element without a picture (a level-file element whose template is
  // missing) runs no behaviours, so its fade-out never ends; it shows
  // nothing either, so it counts as faded away.
  for (const BvLevelElement* element : ElementsOf(GetLevel()))
    if (element->GetSourceElement()) return false;
  return true;
}

void BvGui::FadeInElements() {
  for (BvLevelElement* element : ElementsOf(GetLevel()))
    element->AddBehavior(new BvOwnColourFadeIn(kFadeInSpeed));
}

void BvGui::FadeOutElements() {
  constexpr bool kRemove = true, kHold = false;
  for (BvLevelElement* element : ElementsOf(GetLevel()))
    element->AddBehavior(new BvFadeOutBehavior(kFadeOutSpeed, 0.0f, kRemove, kHold));
}

void BvGui::RunStandardFrame(float ms) {
  BvGui::Update(ms);
  if (m_State == kStateOpen) HandleInput();
  CloseOnceFaded();
}

void BvGui::CloseOnceFaded() {
  if (m_State == kStateClosing && IsLevelIdle()) Close(m_Result);
}
