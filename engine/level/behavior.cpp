#include "engine/level/behavior.h"

#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"

BvBehavior::BvBehavior() : CManagedObjectBase(nullptr) {}

BvBehavior::~BvBehavior() {
  // Types that watch their element's events registered with it; the element
  // outlives its behaviours, so it must not call this one any more.
  if (m_Target) m_Target->RemoveListener(this);
}

const char* BvBehavior::GetClassName() const { return "BvBehavior"; }

void BvBehavior::OnNotify(int event, CManagedObjectBase* sender) {}

void BvBehavior::Update(float dt) {
  if (!m_Target) return;
  m_Elapsed += dt;
  if (m_Elapsed >= m_StartDelay) Apply(dt);
}

void BvBehavior::SetTarget(BvLevelElement* element) {
  m_Target = element;
  if (element) AddListener(element);
  OnTargetSet();
}

BvLevelManager* BvBehavior::GetTargetManager() const {
  return m_Target ? m_Target->GetLevelManager() : nullptr;
}

bool BvBehavior::IsTargetUnderGui() const {
  BvLevelManager* manager = GetTargetManager();
  return manager && manager->IsUnderGui();
}

bool BvBehavior::IsFinished() const { return m_bDead; }

void BvBehavior::Finish() { m_bDead = true; }

void BvBehavior::RunList(std::vector<BvBehavior*>& list, float dt) {
  size_t i = 0;
  while (i < list.size()) {
    BvBehavior* behavior = list[i];
    const bool isWait = behavior->GetType() == kBehaviorWait;
    // A wait holds back everything from itself on until it is first.
    if (isWait && i > 0) break;
    behavior->Update(dt);
    if (isWait) break;
    ++i;
  }
}

void BvBehavior::SweepList(std::vector<BvBehavior*>& list) {
  for (size_t i = list.size(); i-- > 0;) {
    if (!list[i]->m_bDead) continue;
    BvBehavior* finished = list[i];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
    delete finished;
  }
}

bool BvBehavior::ListStopsMotion(const std::vector<BvBehavior*>& list) {
  for (const BvBehavior* behavior : list) {
    if (behavior->StopsMotion()) return true;
  }
  return false;
}
