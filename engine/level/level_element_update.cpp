// BvLevelElement's per-frame update: body set-up, start delay, behaviours
// with the wait gating and the sweep, animation advance with its end event,
// particle emission.
#include <cmath>
#include <limits>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/platform/random_source.h"

namespace {
// Sent to the element's listeners when its animation reaches its end.
constexpr int kEventAnimationEnd = 1;
enum AnimType { kAnimLoop = 1, kAnimPingPong = 2, kAnimOnce = 3 };
// A loop's whole turns counted one by one (each sends event 1) before the
// rest is folded at once; bounds the work of an absurd speed.
constexpr int kMaxLoopTurnsPerUpdate = 64;
// Particles fade out with speed kParticleFadeScale / lifetime.
constexpr float kParticleFadeScale = 500.0f;
// A particle's drift speed per unit of the emitter's direction length.
constexpr float kParticleSpeedPerLength = 10.0f;
}  // namespace

void BvLevelElement::Update(float dt) {
  if (!m_PhysicsInitialised) InitPhysics();
  if (!m_Source) return;
  // Nothing else runs in a frame that counts the delay down, even the one
  // where it reaches 0.
  if (m_StartDelay > 0.0f) {
    m_StartDelay -= dt;
    return;
  }
  // Behaviours that drive the body's velocity start every frame from rest.
  if (BvBehavior::ListStopsMotion(m_Behaviors)) SetVelocity(0.0f, 0.0f);
  BvBehavior::RunList(m_Behaviors, dt);
  BvBehavior::SweepList(m_Behaviors);

  // Behaviours may have changed the source.
  if (!m_Source) return;
  const int kind = m_Source->GetType();
  if (kind == kElementAnim && m_Playing) UpdateAnimation(dt);
  if (kind == kElementParticle) UpdateEmitter(dt);
}

void BvLevelElement::UpdateAnimation(float dt) {
  BvAnimElement* animation = static_cast<BvAnimElement*>(m_Source);
  const float frames = static_cast<float>(animation->GetFrameCount());
  // Without frames there is nothing to advance through.
  if (frames <= 0.0f) return;
  const float before = m_AnimPosition;
  int direction = m_AnimDirection;
  float next = before + m_AnimSpeed * dt / 1000.0f * static_cast<float>(direction);
  if (!std::isfinite(next)) return;

  int turns = 0;
  while (next >= frames) {
    Notify(kEventAnimationEnd);
    // A listener that assigned another source restarted the animation:
    // that state stands.
    if (m_Source != animation) return;
    if (m_AnimType == kAnimLoop) {
      next -= frames;
      if (++turns >= kMaxLoopTurnsPerUpdate) next = std::fmod(next, frames);
      continue;
    }
    if (m_AnimType == kAnimPingPong) {
      direction = -direction;
      next = before;
      break;
    }
    // Play once, and any other type: stop on the last frame.
    next = frames - 1.0f;
    m_Playing = 0;
    break;
  }
  // The first frame reverses the direction without an event.
  if (next < 0.0f) {
    direction = -direction;
    next = before;
  }
  m_AnimPosition = next;
  m_AnimDirection = direction;
}

void BvLevelElement::UpdateEmitter(float dt) {
  m_EmitterTimer += dt;
  // At most one particle per update, whatever dt is.
  if (!(m_EmitterTimer > m_EmitterDelay)) return;
  m_EmitterTimer = 0.0f;
  BvParticleElement* emitter = static_cast<BvParticleElement*>(m_Source);
  BvElement* particleSource = emitter->GetSourceElement();
  if (!particleSource || !m_Owner) return;

  // The stored position, spread by up to jitter / 2 pixels on each axis.
  irr::core::vector2df position = m_Position;
  if (m_Jitter > 0) {
    position.X += static_cast<float>(m_Jitter / 2 - bv::Rand() % m_Jitter);
    position.Y += static_cast<float>(m_Jitter / 2 - bv::Rand() % m_Jitter);
  }
  BvLevelElement* particle =
      CreateLevelElement(m_Owner, position, particleSource->GetName(), -1.0f);
  if (!particle) return;
  if (m_ParticleSize > 0.0f) particle->SetScale(m_ParticleSize, m_ParticleSize);
  particle->SetDynType(-1);
  // A lifetime of 0 or less ends the particle in its first frame.
  const float fadeSpeed = m_Lifetime > 0.0f ? kParticleFadeScale / m_Lifetime
                                            : std::numeric_limits<float>::max();
  particle->AddBehavior(new BvFadeOutBehavior(fadeSpeed, 0.0f, /*removeElement=*/true,
                                              /*hold=*/false));
  particle->AddBehavior(
      new BvMoveBehavior(m_Direction, m_Direction.getLength() * kParticleSpeedPerLength));
  particle->SetLayer(m_Layer);
}
