#include "engine/level/motion_behaviors.h"

#include <cmath>

#include "engine/level/behavior_math.h"
#include "engine/level/level_element.h"
#include "engine/level/vector_math.h"

namespace {
// Body type of a dynamic Box2D body.
constexpr int kDynamicBody = 2;
// Elapsed milliseconds times speed, times this, gives path segments.
constexpr double kPathSegmentsPerMsSpeed = 0.00001;

irr::core::vector2df Normalized(irr::core::vector2df v) {
  bv::NormalizeVector(v.X, v.Y);
  return v;
}
}  // namespace

// ---- sine and cosine ---------------------------------------------------

BvSinusYBehavior::BvSinusYBehavior(float range, float speed, float phase)
    : m_Range(range), m_Speed(speed), m_Phase(phase) {}

void BvSinusYBehavior::OnTargetSet() {
  const irr::core::vector2df start = m_Target->GetLocalPosition();
  m_StartX = start.X;
  m_StartY = start.Y;
}

bool BvSinusYBehavior::WaveAngle(float* angle) const {
  // A speed of 0 would divide by zero and send NaN into Box2D: no motion.
  if (m_Speed == 0.0f || !std::isfinite(m_Speed)) return false;
  *angle = static_cast<float>(m_Elapsed / m_Speed + m_Phase);
  return std::isfinite(*angle);
}

void BvSinusYBehavior::Apply(float dt) {
  float angle = 0.0f;
  if (!WaveAngle(&angle)) return;
  const float wave = static_cast<float>(std::sin(angle));
  if (m_Target->GetDynType() != kDynamicBody) {
    m_Target->SetPosition(
        irr::core::vector2df(m_Target->GetLocalPosition().X, wave * m_Range + m_StartY));
    return;
  }
  irr::core::vector2df velocity = m_Target->GetLinearVelocity();
  velocity.Y += wave * m_Range;
  m_Target->SetVelocity(velocity);
}

BvCosinusXBehavior::BvCosinusXBehavior(float range, float speed, float phase)
    : BvSinusYBehavior(range, speed, phase) {}

void BvCosinusXBehavior::Apply(float dt) {
  float angle = 0.0f;
  if (!WaveAngle(&angle)) return;
  const float wave = static_cast<float>(std::cos(angle));
  if (m_Target->GetDynType() != kDynamicBody) {
    m_Target->SetPosition(
        irr::core::vector2df(wave * m_Range + m_StartX, m_Target->GetLocalPosition().Y));
    return;
  }
  irr::core::vector2df velocity = m_Target->GetLinearVelocity();
  velocity.X += wave * m_Range;
  m_Target->SetVelocity(velocity);
}

// ---- move ---------------------------------------------------------------

BvMoveBehavior::BvMoveBehavior(irr::core::vector2df direction, float speed)
    : m_Direction(Normalized(direction)), m_Speed(speed) {}

void BvMoveBehavior::Apply(float dt) {
  // Pixels per 100 ms along the unit direction.
  const float step = static_cast<float>(m_Speed * dt / 100.0f);
  m_Target->SetPosition(m_Target->GetLocalPosition() + m_Direction * step);
}

// ---- move to -----------------------------------------------------------

BvMoveToBehavior::BvMoveToBehavior(irr::core::vector2df target, float speed)
    : m_TargetPoint(target), m_Speed(speed) {}

void BvMoveToBehavior::OnTargetSet() {
  m_Start = m_Target->GetLocalPosition();
  m_Direction = Normalized(m_TargetPoint - m_Start);
}

void BvMoveToBehavior::Apply(float dt) {
  m_Accumulator = static_cast<float>(m_Accumulator + dt * dt);
  const float step = static_cast<float>(m_Accumulator * dt * m_Speed / 800000.0f);
  m_Previous = m_Target->GetLocalPosition();
  irr::core::vector2df next = m_Previous + m_Direction * step;
  // An axis counts as arrived once a step passes its target (strictly).
  auto passed = [](float target, float previous, float now) {
    return (target < previous && now < target) || (target > previous && now > target);
  };
  if (passed(m_TargetPoint.X, m_Previous.X, next.X)) m_ArrivedX = true;
  if (passed(m_TargetPoint.Y, m_Previous.Y, next.Y)) m_ArrivedY = true;
  if (m_ArrivedX) next.X = m_TargetPoint.X;
  if (m_ArrivedY) next.Y = m_TargetPoint.Y;
  m_Target->SetPosition(next);
  if (m_ArrivedX && m_ArrivedY) OnFinished();
}

void BvMoveToBehavior::OnFinished() { Finish(); }

// ---- rotate -------------------------------------------------------------

BvRotateBehavior::BvRotateBehavior(float speed) : m_Speed(speed) {}

void BvRotateBehavior::Apply(float dt) {
  // Speed x 10 ms per radian; 0 means no rotation rather than an infinite
  // angle.
  if (m_Speed == 0.0f || !std::isfinite(m_Speed)) return;
  m_Target->SetRotation(
      static_cast<float>(m_Target->GetLocalRotation() + dt / (m_Speed * 10.0f)));
}

// ---- path ---------------------------------------------------------------

BvPathBehavior::BvPathBehavior(const std::vector<irr::core::vector2df>& points, int flags,
                               float speed, float tension)
    : m_Points(points), m_Tension(tension), m_Speed(speed), m_Flags(flags) {}

void BvPathBehavior::OnTargetSet() {
  m_Points.insert(m_Points.begin(), m_Target->GetLocalPosition());
  // The duplicate end point lets the last real segment run to its end.
  if (m_Flags & kFlagStop) m_Points.push_back(m_Points.back());
  m_StartRotation = m_Target->GetLocalRotation();
  m_AnimFactor = m_Target->GetAnimSpeed();
}

void BvPathBehavior::Apply(float dt) {
  const long long n = static_cast<long long>(m_Points.size());
  if (n == 0) return;
  if (n == 1) {
    m_Target->SetPosition(m_Points[0]);
    return;
  }
  const float u = static_cast<float>(m_Speed * m_Elapsed * kPathSegmentsPerMsSpeed);
  if (!std::isfinite(u)) return;
  const long long i = static_cast<long long>(std::floor(u));
  const float t = u - static_cast<float>(i);
  if ((m_Flags & kFlagStop) && i >= n - 2) {
    m_Target->SetPosition(m_Points.back());
    Finish();
    return;
  }
  auto point = [&](long long index) {
    long long wrapped = index % n;
    if (wrapped < 0) wrapped += n;
    return m_Points[static_cast<size_t>(wrapped)];
  };
  const long long k = i;
  const irr::core::vector2df next =
      bv::HermitePoint(point(k - 1), point(k), point(k + 1), point(k + 2), m_Tension, t);
  const irr::core::vector2df step = next - m_Target->GetLocalPosition();
  const float length = static_cast<float>(step.getLength());
  if ((m_Flags & kFlagTurn) && length != 0.0f) {
    m_Target->SetRotation(
        static_cast<float>(m_StartRotation - bv::PathAngleDegrees(step) * bv::kPi / 180.0));
  }
  if ((m_Flags & kFlagAnimSpeed) && length != 0.0f) {
    m_Target->SetAnimSpeed(length * m_AnimFactor);
  }
  m_Target->SetPosition(next);
}
