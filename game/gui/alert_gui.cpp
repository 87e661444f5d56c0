#include "game/gui/alert_gui.h"

#include "engine/level/fade_behaviors.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/physics_values.h"
#include "engine/resources/lang_table.h"
#include "game/core/game.h"
#include "game/gui/create_text.h"
#include "game/gui/own_colour_fade_in.h"

namespace {
constexpr const char* kBack = "alertback";
constexpr const char* kButton = "btnlarge";
constexpr const char* kButtonOver = "btnlargeover";
constexpr const char* kHoverSound = "guimouseover";
constexpr const char* kFont = "guifont";
constexpr int kLayer = 3;
constexpr float kNoStartDelay = -1.0f;
const irr::core::vector2df kBackPosition(0.0f, -40.0f);
const irr::core::vector2df kMessagePosition(0.0f, 25.0f);
const irr::core::vector2df kLabelPosition(0.0f, 3.0f);
const irr::core::vector2df kButtonScale(0.4f, 0.8f);
constexpr float kButtonY = -25.0f;
// With two buttons OK sits right, cancel left.
constexpr float kOkX = 70.0f;
constexpr float kCancelX = -70.0f;
// The hover animation keeps its own speed.
constexpr float kHoverAnimSpeed = -1.0f;
// A quarter of a second: 5000 / 20 ms.
constexpr float kFadeSpeed = 20.0f;
constexpr float kAlertStepMs = 1.0f;

BvLevelManager* GuiLevels() { return g_Game ? g_Game->GetGlobalLevels() : nullptr; }
}  // namespace

BvLevelElement* BvAlertGui::MakeButton(float x, const char* hoverSound, const char* labelKey,
                                       BvLevelElement** label) {
  BvLevelManager* levels = GuiLevels();
  // Without its template (the lookup's "Alert") no button is made: an
  // element without a picture never fades out, and the owner would never
  // close.
  BvLevelElement* button = CreateElement(kButton, irr::core::vector2df(x, kButtonY), kNoStartDelay);
  if (!button) return nullptr;
  button->SetLayer(kLayer);
  button->SetScale(kButtonScale);
  button->SetParent(m_Back);
  button->AddBehavior(new BvMouseOverElementBehavior(kButtonOver, kHoverAnimSpeed, hoverSound));
  *label = CreateText(levels, kLabelPosition, GetText(labelKey), kFont);
  if (*label) {
    (*label)->SetLayer(kLayer);
    (*label)->SetParent(button);
  }
  return button;
}

void BvAlertGui::Open(bool show, const wchar_t* text, int buttons, int newPurpose) {
  open = show;
  resultReady = false;
  result = 0;
  BvLevelElement** parts[] = {&m_Back, &m_Message, &m_FirstButton,
                              &m_FirstLabel, &m_SecondButton, &m_SecondLabel};
  if (!show) {
    for (BvLevelElement** part : parts) {
      if (*part) (*part)->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, 0.0f, true, false));
      // The level removes the element at the fade's end: the box keeps no
      // pointer that could outlive it.
      *part = nullptr;
    }
    return;
  }
  for (BvLevelElement** part : parts) *part = nullptr;
  purpose = newPurpose;
  BvLevelManager* levels = GuiLevels();
  m_Back = CreateElement(kBack, kBackPosition, kNoStartDelay);
  if (m_Back) {
    m_Back->SetDynType(bv::kNoBody);
    m_Back->SetLayer(kLayer);
  }
  m_Message = CreateText(levels, kMessagePosition, text, kFont);
  if (m_Message) {
    m_Message->SetLayer(kLayer);
    m_Message->SetParent(m_Back);
  }
  if (buttons == kButtonsOk) {
    m_FirstButton = MakeButton(0.0f, kHoverSound, "ok", &m_FirstLabel);
  } else if (buttons == kButtonsOkCancel) {
    m_FirstButton = MakeButton(kOkX, nullptr, "ok", &m_FirstLabel);
    m_SecondButton = MakeButton(kCancelX, nullptr, "cancel", &m_SecondLabel);
  }
  for (BvLevelElement** part : parts)
    if (*part)
      (*part)->AddBehavior(new BvOwnColourFadeIn(kFadeSpeed));
  // A box whose buttons could not be made can never be answered: it closes
  // at once as cancelled, which changes nothing.
  const bool wantsButtons = buttons == kButtonsOk || buttons == kButtonsOkCancel;
  if (wantsButtons && !m_FirstButton) SetResult(kResultCancel);
}

void BvAlertGui::SetResult(int n) {
  Open(false, L"", kButtonsOk, 0);
  resultReady = true;
  result = n;
}

void BvAlertGui::Update(float) {
  BvGui::Update(kAlertStepMs);
  if (!open) return;
  if (m_FirstButton && IsButtonClicked(m_FirstButton->GetName(), true)) SetResult(kResultOk);
  if (m_SecondButton && IsButtonClicked(m_SecondButton->GetName(), true)) SetResult(kResultCancel);
}
