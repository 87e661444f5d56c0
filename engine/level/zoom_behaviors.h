#pragma once
// Scale behaviours: zoom to a factor (smooth or elastic) and a pulse.
#include "engine/level/behavior.h"

// Type 11: brings the element's scale to a target factor on both axes.
// Effect 0 grows or shrinks by a share of the scale per ms; effects 1 and 2
// swing around the target with a shrinking amplitude (2 settles y twice as
// fast); any other effect finishes at once.
class BvZoomToBehavior : public BvBehavior {
 public:
  BvZoomToBehavior(float targetFactor, float speed, int effect);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorZoomTo; }
  void OnTargetSet() override;
  void OnFinished() override;

  float GetTargetFactor() const { return m_TargetFactor; }
  float GetSpeed() const { return m_Speed; }
  int GetEffect() const { return m_Effect; }

 private:
  void ApplySmooth(float dt);
  void ApplyElastic(float dt);

  float m_AmplitudeX = -1.0f;
  float m_AmplitudeY = -1.0f;
  float m_TargetFactor;
  float m_SignX = 0.0f;
  float m_SignY = 0.0f;
  float m_Speed;
  int m_Effect;
  bool m_DoneX = false;
  bool m_DoneY = false;
};

// Type 12: half a sine period of scale around a peak, then back to the
// starting scale and finished.
class BvPulseBehavior : public BvBehavior {
 public:
  BvPulseBehavior(float peakScale, float speed);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorPulse; }
  void OnTargetSet() override;
  void OnFinished() override;

 private:
  float m_Amplitude = -1.0f;
  float m_PeakScale;
  float m_Sign = 0.0f;
  float m_Speed;
  float m_StartScale = 1.0f;
};
