// The no-transform behaviour: pins an element to the screen against its
// manager's camera.
#include "engine/level/camera.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"

void BvNoTransformBehavior::OnTargetSet() {
  m_ScaleX = m_Target->GetScale().X;
  m_ScaleY = m_Target->GetScale().Y;
  m_PositionX = m_Target->GetLocalPosition().X;
  m_PositionY = m_Target->GetLocalPosition().Y;
  m_Rotation = m_Target->GetLocalRotation();
}

void BvNoTransformBehavior::Apply(float dt) {
  BvLevelManager* manager = GetTargetManager();
  if (!manager) return;
  BvCamera* camera = manager->GetCamera();
  if (!camera) return;
  m_Target->SetRotation(camera->GetLocalRotation() + m_Rotation);
  const irr::core::vector2df cameraScale = camera->GetScale();
  // A camera of scale 0 draws nothing; keep the element's scale finite.
  if (cameraScale.X != 0.0f && cameraScale.Y != 0.0f) {
    m_Target->SetScale(m_ScaleX / cameraScale.X, m_ScaleY / cameraScale.Y);
  }
  irr::core::vector2df position(m_PositionX, m_PositionY);
  manager->UnapplyCamera(position, m_Target->GetLayer());
  m_Target->SetPosition(position);
}

