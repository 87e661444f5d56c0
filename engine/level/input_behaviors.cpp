#include "engine/level/input_behaviors.h"

#include <cmath>

#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/sound/sound_manager.h"

namespace {
constexpr int kEventAnimationEnd = 1;
constexpr int kAnimOnce = 3;
// Grow and shrink close grow speed / kGrowScale of the gap per ms.
constexpr float kGrowScale = 5000.0f;
// Hover sounds keep the sound's own volume.
constexpr float kOwnVolume = -1.0f;

std::string NameOrEmpty(const char* name) { return name ? std::string(name) : std::string(); }

// Hover sounds ignore the sound switch, as the sound manager's PlaySound does.
void PlayHoverSound(const std::string& name) {
  if (name.empty() || !g_SoundManager) return;
  g_SoundManager->PlaySound(name.c_str(), false, kOwnVolume);
}

// Whether the cursor is over the element's body, as its layer sees it.
bool CursorOver(BvLevelElement* element, BvLevelManager* manager) {
  return element->HitTest(manager->GetMouseWorldPosition(element->GetLayer()));
}
}  // namespace

// ---- mouse move --------------------------------------------------------

namespace {
BvMouseDeltaSource g_MouseDeltaSource = nullptr;
}  // namespace

void SetMouseDeltaSource(BvMouseDeltaSource source) { g_MouseDeltaSource = source; }

BvMouseMoveBehavior::BvMouseMoveBehavior(bool followX, bool followY)
    : m_FollowX(followX), m_FollowY(followY) {}

void BvMouseMoveBehavior::Apply(float dt) {
  if (IsTargetUnderGui()) return;
  const BvMouseDelta delta = g_MouseDeltaSource ? g_MouseDeltaSource() : BvMouseDelta{};
  irr::core::vector2df velocity = m_Target->GetLinearVelocity();
  // The mouse's y grows downward on the screen, the world's upward.
  if (m_FollowX) velocity.X += delta.x;
  if (m_FollowY) velocity.Y -= delta.y;
  m_Target->SetVelocity(velocity);
}

// ---- mouse over element -------------------------------------------------

BvMouseOverElementBehavior::BvMouseOverElementBehavior(const char* switchElementName,
                                                       float animSpeed,
                                                       const char* soundName)
    : m_SwitchElementName(NameOrEmpty(switchElementName)),
      m_HoverAnimSpeed(animSpeed),
      m_SoundName(NameOrEmpty(soundName)) {}

void BvMouseOverElementBehavior::OnTargetSet() {
  // An element without a source yet has no home to return to: an empty
  // name, which restores nothing.
  BvElement* source = m_Target->GetSourceElement();
  m_HomeElementName = source ? source->GetName() : "";
  m_SavedAnimSpeed = m_Target->GetAnimSpeed();
  // For the end of the hover animation (event 1).
  m_Target->AddListener(this);
}

void BvMouseOverElementBehavior::Restore() {
  if (!m_HomeElementName.empty()) m_Target->SetSourceElementByName(m_HomeElementName.c_str());
  m_Target->SetAnimSpeed(m_SavedAnimSpeed);
}

void BvMouseOverElementBehavior::OnNotify(int event, CManagedObjectBase* sender) {
  if (event != kEventAnimationEnd || !m_Target) return;
  BvElement* source = m_Target->GetSourceElement();
  if (!source || m_SwitchElementName != source->GetName()) return;
  // A play-once hover animation goes home at its end even while hovered;
  // hovered stays set, so it comes back only after the cursor left.
  if (!m_Hovered || m_Target->GetAnimType() == kAnimOnce) Restore();
}

void BvMouseOverElementBehavior::Apply(float dt) {
  BvLevelManager* manager = GetTargetManager();
  if (!manager || IsTargetUnderGui()) return;
  const bool hit = CursorOver(m_Target, manager);
  if (hit) {
    if (m_Hovered) return;
    m_SavedAnimSpeed = m_Target->GetAnimSpeed();
    if (!m_SwitchElementName.empty()) {
      m_Target->SetSourceElementByName(m_SwitchElementName.c_str());
    }
    if (m_HoverAnimSpeed > 0.0f) m_Target->SetAnimSpeed(m_HoverAnimSpeed);
    PlayHoverSound(m_SoundName);
    m_Hovered = true;
    return;
  }
  // An animation goes home at its end (OnNotify).
  BvElement* source = m_Target->GetSourceElement();
  const bool animating = source && source->GetType() == kElementAnim;
  if (m_Hovered && !animating) Restore();
  m_Hovered = false;
}

// ---- mouse over grow ----------------------------------------------------

BvMouseOverGrowBehavior::BvMouseOverGrowBehavior(float growFactor, float growSpeed,
                                                 const char* soundName)
    : m_GrowFactor(growFactor), m_GrowSpeed(growSpeed), m_SoundName(NameOrEmpty(soundName)) {}

void BvMouseOverGrowBehavior::OnTargetSet() {
  m_BaseScaleX = m_Target->GetScale().X;
  m_BaseScaleY = m_Target->GetScale().Y;
}

void BvMouseOverGrowBehavior::Apply(float dt) {
  BvLevelManager* manager = GetTargetManager();
  if (!manager || IsTargetUnderGui()) return;
  if (CursorOver(m_Target, manager)) {
    if (!m_Hovered) {
      m_Hovered = true;
      PlayHoverSound(m_SoundName);
    }
    m_Current = static_cast<float>(
        m_Current + std::fabs(m_GrowFactor - m_Current) * m_GrowSpeed * dt / kGrowScale);
    if (m_Current > m_GrowFactor) m_Current = m_GrowFactor;
    m_Target->SetScale(m_BaseScaleX * m_Current, m_BaseScaleY * m_Current);
    return;
  }
  m_Hovered = false;
  if (m_Current <= 1.0f) return;
  m_Current = static_cast<float>(
      m_Current - std::fabs(m_Current - 1.0f) * m_GrowSpeed * dt / kGrowScale);
  if (m_Current < 1.0f) m_Current = 1.0f;
  m_Target->SetScale(m_BaseScaleX * m_Current, m_BaseScaleY * m_Current);
}
