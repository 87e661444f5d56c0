#pragma once
// BvCamera: the view of a level manager, a level element without body or
// look. Its local position (pixels), scale and local rotation (radians) say
// which part of the world is shown; its parallax makes layer L follow the
// camera position (parallax x L + 1) times. Behaviours attached to it move,
// zoom or turn the view.
#include "engine/level/level_element.h"

class BvCamera : public BvLevelElement {
 public:
  // No owning manager; starts reset.
  BvCamera();
  ~BvCamera() override;

  // "BvCamera".
  const char* GetClassName() const override;
  // Runs the behaviour list only (wait gating as for level elements), then
  // deletes the finished behaviours. dt in ms.
  void Update(float dt) override;

  // Parallax 0, rotation 0, scale (1, 1), position (0, 0), no body; the
  // behaviours are kept.
  void Reset();
  float GetParallax() const { return m_Parallax; }
  void SetParallax(float parallax) { m_Parallax = parallax; }
  // How many times layer follows the camera position: parallax x layer + 1.
  float GetLayerFactor(int layer) const;

 private:
  float m_Parallax = 0.0f;
};
