#include "engine/level/fade_behaviors.h"

#include "engine/level/level_element.h"
#include "engine/resources/color_math.h"

namespace {
// Blit mode of additive drawing, which ignores alpha: such elements fade
// through black.
constexpr int kAdditiveBlitMode = 2;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kTransparentBlack = 0x00000000u;
constexpr uint32_t kColourWithoutAlpha = 0x00FFFFFFu;
// Events sent to the behaviour's listeners.
constexpr int kEventFadeInDone = 2;
constexpr int kEventFadeOutDone = 3;
constexpr int kEventAnimationEnd = 1;
constexpr int kAnimOnce = 3;
// Progress per ms is speed / kFadeScale.
constexpr float kFadeScale = 5000.0f;

// The fade-out's ends for an element: its colour to that colour without
// alpha, or white to black when it is drawn additively.
void FadeOutColours(const BvLevelElement* element, uint32_t* from, uint32_t* to) {
  if (element->GetBlitMode() == kAdditiveBlitMode) {
    *from = kOpaqueWhite;
    *to = kTransparentBlack;
    return;
  }
  *from = element->GetColor().color;
  *to = element->GetColor().color & kColourWithoutAlpha;
}
}  // namespace

// ---- colour fade -------------------------------------------------------

BvColorFadeBehavior::BvColorFadeBehavior(uint32_t from, uint32_t to, float speed,
                                         float startDelay, bool hold)
    : m_Speed(speed), m_From(from), m_To(to), m_Hold(hold) {
  m_StartDelay = startDelay;
}

void BvColorFadeBehavior::Update(float dt) {
  BvBehavior::Update(dt);
  if (!m_Target) return;
  if (m_Elapsed < m_StartDelay && m_Hold) return;
  m_Target->SetColor(bv::InterpolateColor(m_From, m_To, m_Progress));
}

void BvColorFadeBehavior::Apply(float dt) {
  if (!m_Target->GetLevelManager()) return;
  m_Progress = static_cast<float>(m_Progress + m_Speed * dt / kFadeScale);
  if (m_Progress > 1.0f) {
    m_Progress = 1.0f;
    Finish();
    OnFinished();
  }
}

BvFadeInBehavior::BvFadeInBehavior(float speed, float startDelay)
    : BvColorFadeBehavior(kTransparentBlack, kTransparentBlack, speed, startDelay, false) {}

void BvFadeInBehavior::OnTargetSet() {
  if (m_Target->GetBlitMode() == kAdditiveBlitMode) {
    m_From = kTransparentBlack;
    m_To = kOpaqueWhite;
    return;
  }
  m_From = m_Target->GetColor().color & kColourWithoutAlpha;
  m_To = m_Target->GetColor().color;
}

void BvFadeInBehavior::OnFinished() { Notify(kEventFadeInDone); }

BvFadeOutBehavior::BvFadeOutBehavior(float speed, float startDelay, bool removeElement,
                                     bool hold)
    : BvColorFadeBehavior(kTransparentBlack, kTransparentBlack, speed, startDelay, hold),
      m_RemoveElement(removeElement) {}

void BvFadeOutBehavior::OnTargetSet() { FadeOutColours(m_Target, &m_From, &m_To); }

void BvFadeOutBehavior::OnFinished() {
  if (m_RemoveElement) m_Target->m_bDead = true;
  Notify(kEventFadeOutDone);
}

// ---- expire ------------------------------------------------------------

BvExpireBehavior::BvExpireBehavior(float lifetime, float animSpeed, float fadeSpeed,
                                   float unused)
    : m_AnimSpeed(animSpeed), m_Lifetime(lifetime), m_FadeSpeed(fadeSpeed) {}

void BvExpireBehavior::OnTargetSet() {
  FadeOutColours(m_Target, &m_From, &m_To);
  if (m_AnimSpeed > 0.0f) m_Target->SetAnimSpeed(m_AnimSpeed);
  // For the end of a play-once animation (event 1).
  m_Target->AddListener(this);
}

void BvExpireBehavior::OnNotify(int event, CManagedObjectBase* sender) {
  if (event != kEventAnimationEnd || !m_Target) return;
  if (m_Target->GetAnimType() == kAnimOnce) OnFinished();
}

void BvExpireBehavior::Apply(float dt) {
  if (!m_Target->GetLevelManager()) return;
  m_Lifetime = static_cast<float>(m_Lifetime - dt);
  if (m_Lifetime <= 0.0f) OnFinished();
  if (m_FadeSpeed > 0.0f) {
    m_Progress = static_cast<float>(m_Progress + m_FadeSpeed * dt / kFadeScale);
    if (m_Progress > 1.0f) {
      m_Progress = 1.0f;
      OnFinished();
    }
    m_Target->SetColor(bv::InterpolateColor(m_From, m_To, m_Progress));
  }
}

// The element goes (with this behaviour) after the level pass.
void BvExpireBehavior::OnFinished() { m_Target->m_bDead = true; }
