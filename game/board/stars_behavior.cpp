#include "game/board/stars_behavior.h"

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_placement.h"

namespace {
// Spin: radians per ms of 1/150; growth: scale per ms of 1/4000.
constexpr float kSpinMsPerRadian = 150.0f;
constexpr float kGrowMsPerUnit = 4000.0f;
constexpr int kBurstLayer = 5;
constexpr float kFadeSpeed = 3.0f;
constexpr float kStarsFadeOutDelayMs = 1800.0f;
constexpr float kStarsFadeInDelayMs = 300.0f;
constexpr float kStarsRotateSpeed = -30.0f;
constexpr float kObjectFadeOutDelayMs = 1500.0f;
constexpr float kToCentreSpeed = 2.0f;
const irr::core::vector2df kCentre(0.0f, 0.0f);
}  // namespace

void BvStarsBehavior::OnTargetSet() {
  if (m_Target) m_Target->AddListener(this);
}

BvFoundObject* BvStarsBehavior::GetPiece() const {
  if (!m_Target || !m_Target->m_pUser) return nullptr;
  return dynamic_cast<BvFoundObject*>(static_cast<CManagedObjectBase*>(m_Target->m_pUser));
}

void BvStarsBehavior::Apply(float dt) {
  if (!m_Target || !m_Target->GetLevelManager() || IsTargetUnderGui()) return;
  BvFoundObject* record = GetPiece();
  if (!record) return;
  if (!record->found) {
    record->hovered = m_Target->HitTest(m_Target->GetLevelManager()->GetMouseWorldPosition(0));
    return;
  }
  m_Target->SetRotation(m_Target->GetRotation() + dt / kSpinMsPerRadian);
  const float s = m_Target->GetScale().X + dt / kGrowMsPerUnit;
  m_Target->SetScale(s, s);
  if (!m_BurstShown) {
    m_BurstShown = true;
    if (BvLevelElement* stars =
            CreateImageElement(m_Target->GetLevelManager(), m_Target->GetPosition(), "stars", -1.0f)) {
      stars->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, kStarsFadeOutDelayMs, true, false));
      stars->AddBehavior(new BvFadeInBehavior(kFadeSpeed, kStarsFadeInDelayMs));
      stars->AddBehavior(new BvRotateBehavior(kStarsRotateSpeed));
      stars->AddBehavior(new BvMoveToBehavior(kCentre, kToCentreSpeed));
      stars->SetLayer(kBurstLayer);
    }
    m_Target->SetLayer(kBurstLayer);
    m_Target->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, kObjectFadeOutDelayMs, true, false));
    m_Target->AddBehavior(new BvMoveToBehavior(kCentre, kToCentreSpeed));
  }
  m_FoundTime += dt;
}
