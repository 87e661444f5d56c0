#pragma once
// Behaviours that move, turn and hold a level element: sine and cosine
// swings, a straight drift, an accelerating move to a point, a steady
// rotation, a smooth path through points, and the pin against the camera.
// Positions are the element's stored (local) position in pixels.
#include <vector>

#include "engine/level/behavior.h"
#include <vector2d.h>

// Type 1: y = sin(elapsed / speed + phase) x range + start y (a static or
// kinematic element), or that value added to the vertical velocity of a
// dynamic body. Period 2 pi x speed ms; range in pixels (metres per second
// for a dynamic body); phase in radians. Never finishes.
class BvSinusYBehavior : public BvBehavior {
 public:
  BvSinusYBehavior(float range, float speed, float phase);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorSinusY; }
  bool StopsMotion() const override { return true; }
  void OnTargetSet() override;

  float GetRange() const { return m_Range; }
  void SetRange(float range) { m_Range = range; }
  float GetSpeed() const { return m_Speed; }
  void SetSpeed(float speed) { m_Speed = speed; }
  float GetPhase() const { return m_Phase; }

 protected:
  // The wave's phase angle now (radians); false when the speed gives no
  // motion (0 or not a number).
  bool WaveAngle(float* angle) const;

  float m_StartX = 0.0f;
  float m_StartY = 0.0f;
  float m_Range;
  // Milliseconds per radian.
  float m_Speed;
  float m_Phase;
};

// Type 2: the same swing on x with the cosine.
class BvCosinusXBehavior : public BvSinusYBehavior {
 public:
  BvCosinusXBehavior(float range, float speed, float phase);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorCosinusX; }
};

// Type 4: keeps the element at its captured screen position, scale and
// rotation whatever the camera of its manager does. Never finishes.
class BvNoTransformBehavior : public BvBehavior {
 public:
  BvNoTransformBehavior() = default;

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorNoTransform; }
  void OnTargetSet() override;

 private:
  float m_ScaleX = 0.0f;
  float m_ScaleY = 0.0f;
  float m_PositionX = 0.0f;
  float m_PositionY = 0.0f;
  float m_Rotation = 0.0f;
};

// Type 9: drifts along a unit direction at speed pixels per 100 ms, for
// ever.
class BvMoveBehavior : public BvBehavior {
 public:
  BvMoveBehavior(irr::core::vector2df direction, float speed);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorMove; }

 private:
  irr::core::vector2df m_Direction;
  float m_Speed;
};

// Type 10: moves toward a point with a step growing every frame (the
// accumulator grows by dt squared); finished when both axes have passed
// the target, the element then sits on it.
class BvMoveToBehavior : public BvBehavior {
 public:
  BvMoveToBehavior(irr::core::vector2df target, float speed);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorMoveTo; }
  void OnTargetSet() override;
  void OnFinished() override;

 private:
  float m_Accumulator = 0.0f;
  bool m_ArrivedX = false;
  bool m_ArrivedY = false;
  irr::core::vector2df m_TargetPoint;
  irr::core::vector2df m_Start;
  irr::core::vector2df m_Previous;
  irr::core::vector2df m_Direction;
  float m_Speed;
};

// Type 13: turns the element by dt / (speed x 10) radians per update
// (counter-clockwise for a positive speed). Never finishes.
class BvRotateBehavior : public BvBehavior {
 public:
  explicit BvRotateBehavior(float speed);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorRotate; }

 private:
  float m_Speed;
};

// Type 14: runs a Hermite spline through the element's position at attach
// time and the given points, one segment per 100000 / speed ms of elapsed
// time; loops unless flag 1 is set.
class BvPathBehavior : public BvBehavior {
 public:
  // Stop at the end of the path.
  static constexpr int kFlagStop = 1;
  // Turn the element along the path.
  static constexpr int kFlagTurn = 2;
  // Animation speed follows the path speed.
  static constexpr int kFlagAnimSpeed = 4;

  BvPathBehavior(const std::vector<irr::core::vector2df>& points, int flags,
                 float speed, float tension);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorPath; }
  bool StopsMotion() const override { return true; }
  void OnTargetSet() override;

  float GetSpeed() const { return m_Speed; }
  void SetSpeed(float speed) { m_Speed = speed; }
  float GetTension() const { return m_Tension; }
  void SetTension(float tension) { m_Tension = tension; }
  const std::vector<irr::core::vector2df>& GetPoints() const { return m_Points; }

 private:
  std::vector<irr::core::vector2df> m_Points;
  // 0.5 gives a Catmull-Rom spline.
  float m_Tension;
  // Segments per 100000 ms.
  float m_Speed;
  int m_Flags;
  float m_StartRotation = 0.0f;
  float m_AnimFactor = 0.0f;
};
