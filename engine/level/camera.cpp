#include "engine/level/camera.h"

#include "engine/level/behavior.h"
#include "engine/level/physics_values.h"

BvCamera::BvCamera() : BvLevelElement(nullptr) { Reset(); }

BvCamera::~BvCamera() = default;

const char* BvCamera::GetClassName() const { return "BvCamera"; }

void BvCamera::Update(float dt) {
  BvBehavior::RunList(m_Behaviors, dt);
  BvBehavior::SweepList(m_Behaviors);
}

void BvCamera::Reset() {
  m_Parallax = 0.0f;
  m_Rotation = 0.0f;
  m_Scale.set(1.0f, 1.0f);
  m_Position.set(0.0f, 0.0f);
  m_DynType = bv::kNoBody;
}

float BvCamera::GetLayerFactor(int layer) const {
  return m_Parallax * static_cast<float>(layer) + 1.0f;
}
