#include "engine/level/zoom_behaviors.h"

#include <cmath>

#include "engine/level/behavior_math.h"
#include "engine/level/level_element.h"

namespace {
enum ZoomEffect { kZoomSmooth = 0, kZoomElastic = 1, kZoomSquash = 2 };
// Smooth zoom: share of the scale per ms is speed / kSmoothScale.
constexpr float kSmoothScale = 10000.0f;
// Elastic zoom: the swing's angle grows by speed / kSwingScale per ms and
// its amplitude shrinks by speed / kDecayScale per ms (twice as fast on y
// for the squash).
constexpr float kSwingScale = 5000.0f;
constexpr float kDecayScale = 60000.0f;
constexpr float kSquashDecayScaleY = 30000.0f;
// Pulse: angle per ms is speed / kPulseScale.
constexpr float kPulseScale = 5000.0f;

void InitAxis(float scale, float target, float* amplitude, float* sign) {
  if (scale < target) {
    *amplitude = target - scale;
    *sign = -1.0f;
  } else {
    *amplitude = scale - target;
    *sign = 1.0f;
  }
}
}  // namespace

// ---- zoom to -----------------------------------------------------------

BvZoomToBehavior::BvZoomToBehavior(float targetFactor, float speed, int effect)
    : m_TargetFactor(targetFactor), m_Speed(speed), m_Effect(effect) {}

void BvZoomToBehavior::OnTargetSet() {
  InitAxis(m_Target->GetScale().X, m_TargetFactor, &m_AmplitudeX, &m_SignX);
  InitAxis(m_Target->GetScale().Y, m_TargetFactor, &m_AmplitudeY, &m_SignY);
}

void BvZoomToBehavior::Apply(float dt) {
  switch (m_Effect) {
    case kZoomSmooth:
      ApplySmooth(dt);
      break;
    case kZoomElastic:
    case kZoomSquash:
      ApplyElastic(dt);
      break;
    default:
      OnFinished();
      break;
  }
}

void BvZoomToBehavior::ApplySmooth(float dt) {
  const float target = m_TargetFactor;
  auto step = [&](float s, bool* done) {
    if (s < target) {
      float next = static_cast<float>(s + s * dt * m_Speed / kSmoothScale);
      if (next > target) {
        next = target;
        *done = true;
      }
      return next;
    }
    if (s > target) {
      float next = static_cast<float>(s - s * dt * m_Speed / kSmoothScale);
      if (next < target) {
        next = target;
        *done = true;
      }
      return next;
    }
    return s;
  };
  const float x = step(m_Target->GetScale().X, &m_DoneX);
  const float y = step(m_Target->GetScale().Y, &m_DoneY);
  m_Target->SetScale(x, y);
  if (m_DoneX && m_DoneY) OnFinished();
}

void BvZoomToBehavior::ApplyElastic(float dt) {
  const float angle = static_cast<float>(m_Elapsed * m_Speed / kSwingScale + bv::kPi / 2.0);
  const float c = static_cast<float>(std::sin(angle));
  auto axis = [&](float sign, float* amplitude, float decayScale) {
    float n = static_cast<float>(m_TargetFactor + c * sign * *amplitude);
    if (n < 0.0f) n = 0.0f;
    *amplitude = static_cast<float>(*amplitude - dt * m_Speed / decayScale);
    if (*amplitude < 0.0f) {
      *amplitude = 0.0f;
      n = m_TargetFactor;
    }
    return n;
  };
  const float x = axis(m_SignX, &m_AmplitudeX, kDecayScale);
  const float y = axis(m_SignY, &m_AmplitudeY,
                       m_Effect == kZoomSquash ? kSquashDecayScaleY : kDecayScale);
  m_Target->SetScale(x, y);
  if (m_AmplitudeX <= 0.0f && m_AmplitudeY <= 0.0f) OnFinished();
}

void BvZoomToBehavior::OnFinished() { Finish(); }

// ---- pulse -------------------------------------------------------------

BvPulseBehavior::BvPulseBehavior(float peakScale, float speed)
    : m_PeakScale(peakScale), m_Speed(speed) {}

void BvPulseBehavior::OnTargetSet() {
  m_StartScale = m_Target->GetScale().X;
  if (m_StartScale < m_PeakScale) {
    m_Amplitude = m_PeakScale - m_StartScale;
    m_Sign = 1.0f;
  } else {
    m_Amplitude = m_StartScale - m_PeakScale;
    m_Sign = -1.0f;
  }
}

void BvPulseBehavior::Apply(float dt) {
  const float angle = static_cast<float>(m_Speed * m_Elapsed / kPulseScale);
  if (angle > bv::kPi) {
    m_Target->SetScale(m_StartScale, m_StartScale);
    OnFinished();
    return;
  }
  float s = static_cast<float>(m_PeakScale + m_Sign * m_Amplitude * std::sin(angle));
  if (s < 0.0f) s = 0.0f;
  m_Target->SetScale(s, s);
}

void BvPulseBehavior::OnFinished() { Finish(); }
