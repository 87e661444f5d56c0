// BvLevelElement's physics body and fixtures. Everything handed to the
// physics library is checked first: its assertions abort the process.
#include <box2d/box2d.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/physics_values.h"
#include "engine/level/polygon_shape.h"
#include "engine/platform/message_box.h"

namespace {

// Half size of the box given to shapes without corners, metres (20 by 20
// pixels).
constexpr float kDefaultBoxHalfMetres = 1.0f;

}  // namespace

b2World* BvLevelElement::GetWorld() const { return m_Owner ? m_Owner->GetWorld() : nullptr; }

b2Body* BvLevelElement::GetBody() const {
  // A body belongs to the world it was made in; once the manager's world is
  // replaced, the pointer is stale and must not be followed.
  if (!m_Body || m_BodyWorld != GetWorld()) return nullptr;
  return m_Body;
}

void BvLevelElement::PlaceBody(float xMetres, float yMetres, float angle) const {
  b2Body* body = GetBody();
  if (!body || m_BodyWorld->IsLocked()) return;
  body->SetTransform(bv::FiniteOrZero(b2Vec2(xMetres, yMetres)), bv::FiniteOrZero(angle));
}

void BvLevelElement::DestroyBody() {
  b2Body* body = GetBody();
  if (body) {
    if (m_BodyWorld->IsLocked()) {
      // Inside a step the body cannot go; it is cut loose from this element
      // and goes with its world.
      body->GetUserData().pointer = 0;
    } else {
      m_BodyWorld->DestroyBody(body);
    }
  }
  m_Body = nullptr;
  m_BodyWorld = nullptr;
}

void BvLevelElement::InitPhysics() {
  b2World* world = GetWorld();
  if (world && world->IsLocked()) return;  // tried again at the next update
  m_PhysicsInitialised = 1;
  if (!world || m_DynType == bv::kNoBody) return;
  DestroyBody();

  b2BodyDef def;
  def.type = static_cast<b2BodyType>(bv::SanitizeDynType(m_DynType));
  irr::core::vector2df position = GetPosition();
  def.position = bv::FiniteOrZero(b2Vec2(position.X / kPixelsPerMetre, position.Y / kPixelsPerMetre));
  def.angle = bv::FiniteOrZero(GetRotation());
  def.linearVelocity = bv::FiniteOrZero(b2Vec2(m_Velocity.X, m_Velocity.Y));
  def.angularVelocity = bv::FiniteOrZero(m_AngularVelocity);
  def.linearDamping = bv::NonNegative(m_LinearDamping);
  def.angularDamping = bv::NonNegative(m_AngularDamping);
  def.allowSleep = true;
  def.awake = true;
  def.enabled = true;
  def.bullet = false;
  def.fixedRotation = m_FixedRotation != 0;
  // Only elements whose gravity is switched on fall.
  def.gravityScale = m_Gravity ? 1.0f : 0.0f;
  def.userData.pointer = reinterpret_cast<uintptr_t>(this);
  m_Body = world->CreateBody(&def);
  m_BodyWorld = world;
  CreateFixture();
}

void BvLevelElement::DestroyFixtures() {
  b2Body* body = GetBody();
  if (!body || m_BodyWorld->IsLocked()) return;
  while (b2Fixture* fixture = body->GetFixtureList()) body->DestroyFixture(fixture);
}

void BvLevelElement::CreateFixture() {
  b2Body* body = GetBody();
  if (!body || !m_Source || m_BodyWorld->IsLocked()) return;

  const float sx = m_Scale.X / kPixelsPerMetre;
  const float sy = m_Scale.Y / kPixelsPerMetre;
  // The shapes of the new fixtures; empty for a degenerate shape, which
  // leaves the body without fixture.
  std::vector<b2PolygonShape> polygons;
  b2CircleShape circle;
  b2EdgeShape edge;
  const b2Shape* single = nullptr;

  b2PolygonShape box;
  box.SetAsBox(kDefaultBoxHalfMetres, kDefaultBoxHalfMetres);
  const int count = m_Source->GetVertexCount();
  switch (m_Source->GetShapeType()) {
    case kShapePolygon:
      if (count <= 0) {
        polygons.push_back(box);
        break;
      } else {
        // A mirror on exactly one axis turns the winding; the corners are
        // then taken backwards (the hull makes the order immaterial, but the
        // pieces keep the authored sense).
        bool reverse = (m_FlipX != 0) != (m_FlipY != 0);
        std::vector<b2Vec2> points;
        for (int k = 0; k < count; ++k) {
          irr::core::vector2df v = m_Source->GetVertex(reverse ? count - 1 - k : k);
          float x = m_FlipX ? -v.X : v.X;
          float y = m_FlipY ? -v.Y : v.Y;
          points.emplace_back(x * sx, y * sy);
        }
        polygons = bv::MakeConvexPieces(points);
      }
      break;
    case kShapeCircle: {
      // A mirrored scale still gives a positive radius.
      float radius = std::fabs(bv::FiniteOrZero(m_Source->GetRadius() * sx));
      // Beyond the polygons' reach the body's mass sums lose all meaning.
      if (radius >= b2_linearSlop && radius <= bv::kMaxCornerCoordinate) {
        circle.m_radius = radius;
        single = &circle;
      }
      break;
    }
    case kShapeEdge: {
      if (count != 2) {
        bv::ShowMessageBox("Alert", std::string("Edge shape vertex count not equal 2 : ") +
                                        m_Source->GetName());
        return;  // the previous fixture stays
      }
      irr::core::vector2df a = m_Source->GetVertex(0);
      irr::core::vector2df b = m_Source->GetVertex(1);
      b2Vec2 v1 = bv::FiniteOrZero(b2Vec2(a.X * sx, a.Y * sy));
      b2Vec2 v2 = bv::FiniteOrZero(b2Vec2(b.X * sx, b.Y * sy));
      if (b2Distance(v1, v2) >= b2_linearSlop) {
        edge.SetTwoSided(v1, v2);
        single = &edge;
      }
      break;
    }
    default:
      polygons.push_back(box);
      break;
  }

  // Every earlier fixture goes, not only the first.
  DestroyFixtures();

  b2FixtureDef def;
  def.friction = bv::NonNegative(m_Friction);
  def.restitution = bv::NonNegative(m_Restitution);
  def.density = bv::NonNegative(m_Density);
  def.isSensor = false;
  def.filter.categoryBits = bv::CollisionCategory(m_Layer);
  def.filter.maskBits = bv::CollisionMask(m_Layer, m_CollisionMask);
  def.filter.groupIndex = 0;
  if (single) {
    def.shape = single;
    body->CreateFixture(&def);
  }
  for (const b2PolygonShape& polygon : polygons) {
    def.shape = &polygon;
    body->CreateFixture(&def);
  }
}

bool BvLevelElement::HitTest(const irr::core::vector2df& point) const {
  b2Body* body = GetBody();
  if (!body || !std::isfinite(point.X) || !std::isfinite(point.Y)) return false;
  b2Vec2 metres(point.X / kPixelsPerMetre, point.Y / kPixelsPerMetre);
  for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
    if (f->TestPoint(metres)) return true;
  }
  return false;
}
