#include "engine/resources/frame_clear.h"

#include "engine/resources/render_savings.h"

namespace bv {

bool FrameClear::BeginScene(irr::video::IVideoDriver* driver, irr::scene::ISceneManager* scene,
                            irr::video::SColor clear) {
  m_Owed = false;
  m_Untouched = false;
  if (!driver) return false;
  const bool depthClear = FrameNeedsDepthClear(scene);
  const bool owe = RenderSavingsOn() && !depthClear;
  if (!driver->beginScene(!owe, depthClear, clear)) return false;
  m_Owed = owe;
  m_Untouched = true;
  m_Clear = clear;
  return true;
}

bool FrameClear::Coverable(irr::video::SColor* clear) const {
  if (clear) *clear = m_Clear;
  return m_Owed && m_Untouched;
}

void FrameClear::BeforeDrawing(irr::video::IVideoDriver* driver) {
  m_Untouched = false;
  if (!m_Owed || !driver) return;
  m_Owed = false;
  // The window is the target whenever drawing starts on a frame.
  driver->setRenderTarget(nullptr, true, false, m_Clear);
}

void FrameClear::Covered() {
  m_Owed = false;
  m_Untouched = false;
}

FrameClear& TheFrameClear() {
  static FrameClear clear;
  return clear;
}

bool FrameNeedsDepthClear(irr::scene::ISceneManager* scene) {
  if (!RenderSavingsOn()) return true;
  return scene && scene->getRootSceneNode() && !scene->getRootSceneNode()->getChildren().empty();
}

}  // namespace bv
