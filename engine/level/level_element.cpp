#include "engine/level/level_element.h"

#include <algorithm>
#include <cmath>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level_manager.h"
#include "engine/level/physics_values.h"
#include "engine/level/registries.h"
#include "engine/resources/sprite.h"

namespace {

// Scale changes at or below this per axis leave the fixture alone.
constexpr float kScaleEpsilon = 0.000001f;

irr::core::vector2df Turn(const irr::core::vector2df& v, float angle) {
  float c = std::cos(angle);
  float s = std::sin(angle);
  return irr::core::vector2df(v.X * c - v.Y * s, v.X * s + v.Y * c);
}

}  // namespace

BvLevelElement::BvLevelElement(BvLevelManager* owner) : m_Owner(owner) {}

BvLevelElement::~BvLevelElement() {
  m_Text.reset();
  // Children first, while this element's pose (and body) is still whole.
  DetachChildren();
  DetachFromParent();
  DestroyBody();
  ClearBehaviors();
}

const char* BvLevelElement::GetClassName() const { return "BvLevelElement"; }

void BvLevelElement::OnNotify(int, CManagedObjectBase*) {}

int BvLevelElement::GetType() const { return m_Source ? m_Source->GetType() : kElementNone; }

// ---- source -----------------------------------------------------------------

void BvLevelElement::SetSourceElement(BvElement* element) {
  if (!element) return;
  m_Source = element;
  switch (element->GetType()) {
    case kElementImage:
      if (auto* image = dynamic_cast<BvImageElement*>(element)) m_BlitMode = image->GetBlitMode();
      break;
    case kElementAnim:
      if (auto* anim = dynamic_cast<BvAnimElement*>(element)) {
        m_BlitMode = anim->GetBlitMode();
        m_AnimSpeed = anim->GetAnimSpeed();
        SetAnimType(anim->GetAnimType());
        m_Playing = 1;
      }
      break;
    case kElementParticle:
      if (auto* particle = dynamic_cast<BvParticleElement*>(element)) {
        SetLifetime(particle->GetLifetime());
        SetEmitterDelay(particle->GetEmitterDelay());
        SetParticleSize(particle->GetParticleSize());
        SetDirection(particle->GetDirection());
      }
      break;
    default:
      break;
  }
}

void BvLevelElement::SetSourceElementByName(const char* name) {
  if (!m_Owner || !name || !m_Owner->GetElements()) return;
  CManagedObjectBase* found = m_Owner->GetElements()->GetObjectByName(name);
  if (auto* element = dynamic_cast<BvElement*>(found)) SetSourceElement(element);
}

BvSprite* BvLevelElement::GetCurrentSprite() const {
  if (!m_Source) return nullptr;
  if (auto* image = dynamic_cast<BvImageElement*>(m_Source)) return image->GetSprite();
  if (auto* anim = dynamic_cast<BvAnimElement*>(m_Source)) {
    if (!(m_AnimPosition >= 0.0f)) return nullptr;  // negative or not a number
    return anim->GetFrame(GetFrame());
  }
  return nullptr;
}

// ---- transforms ---------------------------------------------------------

irr::core::vector2df BvLevelElement::GetPosition() const {
  b2Body* body = GetBody();
  if (m_Parent) {
    irr::core::vector2df result = m_Parent->GetPosition() + Turn(m_Position, m_Parent->GetRotation());
    if (body) {
      PlaceBody(result.X / kPixelsPerMetre, result.Y / kPixelsPerMetre, body->GetAngle());
    }
    return result;
  }
  if (body) {
    const b2Vec2& p = body->GetPosition();
    return irr::core::vector2df(p.x * kPixelsPerMetre, p.y * kPixelsPerMetre);
  }
  return m_Position;
}

float BvLevelElement::GetRotation() const {
  if (m_FixedRotation) return 0.0f;
  b2Body* body = GetBody();
  if (m_Parent) {
    float rotation = m_Parent->GetRotation() + m_Rotation;
    if (body) PlaceBody(body->GetPosition().x, body->GetPosition().y, rotation);
    return rotation;
  }
  if (body) {
    const b2Rot& q = body->GetTransform().q;
    return std::atan2(q.s, q.c);
  }
  return m_Rotation;
}

void BvLevelElement::SetPosition(const irr::core::vector2df& position) {
  m_Position.set(bv::FiniteOrZero(position.X), bv::FiniteOrZero(position.Y));
  b2Body* body = GetBody();
  if (!body) return;
  if (m_Parent) {
    GetPosition();
  } else {
    PlaceBody(m_Position.X / kPixelsPerMetre, m_Position.Y / kPixelsPerMetre, body->GetAngle());
  }
}

void BvLevelElement::SetRotation(float radians) {
  m_Rotation = bv::FiniteOrZero(radians);
  b2Body* body = GetBody();
  if (!body) return;
  float angle = m_Parent ? GetRotation() : m_Rotation;
  PlaceBody(body->GetPosition().x, body->GetPosition().y, angle);
}

void BvLevelElement::SetScale(const irr::core::vector2df& scale) {
  irr::core::vector2df clean(bv::FiniteOrZero(scale.X), bv::FiniteOrZero(scale.Y));
  if (std::fabs(clean.X - m_Scale.X) <= kScaleEpsilon &&
      std::fabs(clean.Y - m_Scale.Y) <= kScaleEpsilon) {
    return;
  }
  m_Scale = clean;
  CreateFixture();
}

void BvLevelElement::SetVelocity(const irr::core::vector2df& velocity) {
  m_Velocity.set(bv::FiniteOrZero(velocity.X), bv::FiniteOrZero(velocity.Y));
  if (b2Body* body = GetBody()) body->SetLinearVelocity(b2Vec2(m_Velocity.X, m_Velocity.Y));
}

irr::core::vector2df BvLevelElement::GetLinearVelocity() const {
  b2Body* body = GetBody();
  if (!body) return irr::core::vector2df(0.0f, 0.0f);
  const b2Vec2& v = body->GetLinearVelocity();
  return irr::core::vector2df(v.x, v.y);
}

void BvLevelElement::SetAngularVelocity(float radiansPerSecond) {
  m_AngularVelocity = bv::FiniteOrZero(radiansPerSecond);
  b2Body* body = GetBody();
  if (!body || body->GetType() == b2_staticBody) return;
  if (m_AngularVelocity != 0.0f) body->SetAwake(true);
  body->SetAngularVelocity(m_AngularVelocity);
}

// ---- hierarchy ------------------------------------------------------------

bool BvLevelElement::IsSelfOrAncestor(const BvLevelElement* element) const {
  for (const BvLevelElement* e = this; e; e = e->m_Parent) {
    if (e == element) return true;
  }
  return false;
}

void BvLevelElement::AddChild(BvLevelElement* child) {
  if (!child || IndexOfChild(child) >= 0 || IsSelfOrAncestor(child)) return;
  // One parent at a time: the old one lets go first (keeping the world pose).
  child->DetachFromParent();
  child->m_Parent = this;
  m_Children.push_back(child);
}

void BvLevelElement::SetParent(BvLevelElement* parent) {
  if (parent) parent->AddChild(this);
}

int BvLevelElement::IndexOfChild(const BvLevelElement* child) const {
  auto found = std::find(m_Children.begin(), m_Children.end(), child);
  return found == m_Children.end() ? -1 : static_cast<int>(found - m_Children.begin());
}

void BvLevelElement::DetachFromParent() {
  if (!m_Parent) return;
  irr::core::vector2df position = GetPosition();
  float rotation = GetRotation();
  auto& siblings = m_Parent->m_Children;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  m_Parent = nullptr;
  m_Position = position;
  m_Rotation = rotation;
  PlaceBody(position.X / kPixelsPerMetre, position.Y / kPixelsPerMetre, rotation);
}

void BvLevelElement::DetachChildren() {
  while (!m_Children.empty()) m_Children.back()->DetachFromParent();
}

void BvLevelElement::SetParentName(const char* name) {
  m_ParentName = name ? std::string(name).substr(0, kMaxParentName) : std::string();
}

// ---- behaviours -------------------------------------------------------------

void BvLevelElement::AddBehavior(BvBehavior* behavior) {
  if (!behavior) return;
  behavior->SetTarget(this);
  m_Behaviors.push_back(behavior);
}

void BvLevelElement::ClearBehaviors() {
  std::vector<BvBehavior*> doomed;
  doomed.swap(m_Behaviors);
  for (BvBehavior* behavior : doomed) delete behavior;
}

// ---- settings -------------------------------------------------------------

void BvLevelElement::SetAngularDamping(float value) { m_AngularDamping = bv::NonNegative(value); }
void BvLevelElement::SetLinearDamping(float value) { m_LinearDamping = bv::NonNegative(value); }
void BvLevelElement::SetFriction(float value) { m_Friction = bv::NonNegative(value); }
void BvLevelElement::SetRestitution(float value) { m_Restitution = bv::NonNegative(value); }
void BvLevelElement::SetDensity(float value) { m_Density = bv::NonNegative(value); }
void BvLevelElement::SetDynType(int type) { m_DynType = bv::SanitizeDynType(type); }

// ---- animation --------------------------------------------------------------

void BvLevelElement::SetAnimType(int type) {
  m_AnimType = type;
  m_AnimPosition = 0.0f;
  m_AnimDirection = 1;
}

void BvLevelElement::SetFrame(int frame) {
  auto* anim = dynamic_cast<BvAnimElement*>(m_Source);
  if (!anim || frame < 0 || frame >= anim->GetFrameCount()) return;
  m_AnimPosition = static_cast<float>(frame);
}

// ---- text -----------------------------------------------------------------

void BvLevelElement::SetText(const wchar_t* text) {
  if (!m_Text) m_Text.reset(new wchar_t[kTextCapacity]);
  size_t n = 0;
  for (; text && text[n] != L'\0' && n < kTextCapacity - 1; ++n) m_Text[n] = text[n];
  m_Text[n] = L'\0';
}

void BvLevelElement::SetTextA(const char* text) {
  if (!m_Text) m_Text.reset(new wchar_t[kTextCapacity]);
  size_t n = 0;
  for (; text && text[n] != '\0' && n < kTextCapacity - 1; ++n) {
    m_Text[n] = static_cast<wchar_t>(static_cast<unsigned char>(text[n]));
  }
  m_Text[n] = L'\0';
}

int BvLevelElement::GetTextWidth() const {
  auto* textElement = dynamic_cast<BvTextElement*>(m_Source);
  if (!textElement || !textElement->GetFont() || !m_Text) return 0;
  return static_cast<int>(textElement->GetFont()->getDimension(m_Text.get()).Width);
}
