// Level elements: world transforms through parents and bodies, detaching,
// bodies by dynamic type, the collision category and mask rule, the gravity
// exemption, polygon fixtures of up to 20 corners, and a table of bad input
// (degenerate shapes, layers, physics values) that must never reach the
// physics library's aborting assertions.
#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/sprite.h"

namespace {

constexpr float kPi = 3.14159265f;
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();

int FixtureCount(const BvLevelElement& e) {
  int n = 0;
  if (e.GetBody()) {
    for (const b2Fixture* f = e.GetBody()->GetFixtureList(); f; f = f->GetNext()) ++n;
  }
  return n;
}

class LevelElementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
  }

  // A polygon template with the given corners (pixels).
  BvElement* Polygon(const std::vector<irr::core::vector2df>& corners) {
    auto* e = new BvImageElement();
    e->SetShapeType(kShapePolygon);
    for (const auto& c : corners) e->AddVertex(c);
    templates_.emplace_back(e);
    return e;
  }
  BvElement* Circle(float radius) {
    auto* e = new BvImageElement();
    e->SetShapeType(kShapeCircle);
    e->SetRadius(radius);
    templates_.emplace_back(e);
    return e;
  }
  BvLevelElement* Make(BvElement* source, int dynType = 0) {
    auto* e = new BvLevelElement(&manager_);
    if (source) e->SetSourceElement(source);
    e->SetDynType(dynType);
    elements_.emplace_back(e);
    return e;
  }
  b2World* World() { return manager_.GetWorld(); }

  BvLevelManager manager_{nullptr, true};
  std::vector<std::unique_ptr<BvElement>> templates_;
  // Declared last: destroyed before the templates and the manager.
  std::vector<std::unique_ptr<BvLevelElement>> elements_;
};

std::vector<irr::core::vector2df> RegularCorners(int n, float radius) {
  std::vector<irr::core::vector2df> corners;
  for (int i = 0; i < n; ++i) {
    float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(n);
    corners.emplace_back(radius * std::cos(a), radius * std::sin(a));
  }
  return corners;
}

TEST_F(LevelElementTest, ChildPositionIsRelativeToTheTurnedParent) {
  BvLevelElement* parent = Make(nullptr, -1);
  BvLevelElement* child = Make(nullptr, -1);
  parent->SetPosition(100.0f, 50.0f);
  parent->SetRotation(kPi / 2.0f);
  child->SetPosition(10.0f, 0.0f);
  child->SetRotation(0.25f);
  child->SetParent(parent);
  EXPECT_EQ(child->GetParent(), parent);
  EXPECT_EQ(parent->IndexOfChild(child), 0);
  EXPECT_NEAR(child->GetPosition().X, 100.0f, 1e-4f);
  EXPECT_NEAR(child->GetPosition().Y, 60.0f, 1e-4f);
  EXPECT_NEAR(child->GetRotation(), kPi / 2.0f + 0.25f, 1e-6f);

  child->DetachFromParent();
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_EQ(parent->IndexOfChild(child), -1);
  EXPECT_NEAR(child->GetLocalPosition().X, 100.0f, 1e-4f);
  EXPECT_NEAR(child->GetLocalPosition().Y, 60.0f, 1e-4f);
  EXPECT_NEAR(child->GetLocalRotation(), kPi / 2.0f + 0.25f, 1e-6f);
}

TEST_F(LevelElementTest, DetachedBodyStaysWhereItWasShown) {
  BvElement* box = Polygon({});
  BvLevelElement* parent = Make(box, 0);
  BvLevelElement* child = Make(box, 2);
  parent->SetPosition(-40.0f, 20.0f);
  parent->SetRotation(kPi);
  child->SetPosition(30.0f, 5.0f);
  child->SetParent(parent);
  parent->InitPhysics();
  child->InitPhysics();
  ASSERT_NE(child->GetBody(), nullptr);
  irr::core::vector2df shown = child->GetPosition();  // (-70, 15)
  child->DetachFromParent();
  b2Vec2 body = child->GetBody()->GetPosition();
  EXPECT_NEAR(body.x * 10.0f, shown.X, 1e-3f);
  EXPECT_NEAR(body.y * 10.0f, shown.Y, 1e-3f);
  EXPECT_NEAR(child->GetRotation(), std::atan2(std::sin(kPi), std::cos(kPi)), 1e-5f);
}

TEST_F(LevelElementTest, DestroyedParentLeavesChildrenAtTheirWorldPose) {
  BvElement* box = Polygon({});
  auto* parent = new BvLevelElement(&manager_);
  parent->SetSourceElement(box);
  parent->SetPosition(200.0f, -100.0f);
  parent->SetRotation(kPi / 2.0f);
  parent->InitPhysics();  // the parent's pose then comes from its body
  BvLevelElement* a = Make(box, 2);
  BvLevelElement* b = Make(nullptr, -1);
  a->SetPosition(10.0f, 0.0f);
  b->SetPosition(0.0f, 20.0f);
  a->SetParent(parent);
  b->SetParent(parent);
  a->InitPhysics();
  delete parent;
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_NEAR(a->GetPosition().X, 200.0f, 1e-3f);
  EXPECT_NEAR(a->GetPosition().Y, -90.0f, 1e-3f);
  EXPECT_NEAR(a->GetRotation(), kPi / 2.0f, 1e-5f);
  EXPECT_NEAR(b->GetLocalPosition().X, 180.0f, 1e-3f);
  EXPECT_NEAR(b->GetLocalPosition().Y, -100.0f, 1e-3f);
}

TEST_F(LevelElementTest, HierarchyRefusesCyclesAndKeepsOneParent) {
  BvLevelElement* a = Make(nullptr, -1);
  BvLevelElement* b = Make(nullptr, -1);
  BvLevelElement* c = Make(nullptr, -1);
  a->AddChild(b);
  b->AddChild(c);
  c->AddChild(a);  // would close a loop
  a->AddChild(a);
  a->AddChild(nullptr);
  a->AddChild(b);  // already there
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(a->GetChildren().size(), 1u);
  EXPECT_EQ(c->GetChildren().size(), 0u);
  EXPECT_NO_FATAL_FAILURE(a->GetPosition());

  c->SetParent(a);  // moves from b to a
  EXPECT_EQ(c->GetParent(), a);
  EXPECT_EQ(b->IndexOfChild(c), -1);
  EXPECT_EQ(a->IndexOfChild(c), 1);
  a->DetachChildren();
  EXPECT_TRUE(a->GetChildren().empty());
  EXPECT_EQ(b->GetParent(), nullptr);
}

TEST_F(LevelElementTest, NoBodyWithoutWorldOrWithTypeMinusOne) {
  BvLevelManager noWorld(nullptr, false);
  BvElement* box = Polygon({});
  BvLevelElement orphan(nullptr);
  BvLevelElement worldless(&noWorld);
  BvLevelElement* none = Make(box, -1);
  for (BvLevelElement* e : {&orphan, &worldless, none}) {
    e->SetSourceElement(box);
    e->SetPosition(12.0f, 34.0f);
    e->SetVelocity(3.0f, 4.0f);
    e->InitPhysics();
    EXPECT_TRUE(e->IsPhysicsInitialised());
    EXPECT_EQ(e->GetBody(), nullptr);
    EXPECT_FALSE(e->HitTest(irr::core::vector2df(12.0f, 34.0f)));
    EXPECT_EQ(e->GetPosition(), irr::core::vector2df(12.0f, 34.0f));
    EXPECT_EQ(e->GetLinearVelocity(), irr::core::vector2df(0.0f, 0.0f));
  }
}

TEST_F(LevelElementTest, BodyTypeFollowsDynType) {
  struct Case {
    int given;
    int kept;
  };
  const Case cases[] = {{0, 0}, {1, 1}, {2, 2}, {-1, -1}, {3, -1}, {-2, -1}, {1000, -1}};
  BvElement* box = Polygon({});
  for (const Case& c : cases) {
    BvLevelElement* e = Make(box, c.given);
    EXPECT_EQ(e->GetDynType(), c.kept) << c.given;
    e->InitPhysics();
    if (c.kept < 0) {
      EXPECT_EQ(e->GetBody(), nullptr) << c.given;
    } else {
      ASSERT_NE(e->GetBody(), nullptr) << c.given;
      EXPECT_EQ(static_cast<int>(e->GetBody()->GetType()), c.kept);
      EXPECT_EQ(e->GetBody()->GetUserData().pointer, reinterpret_cast<uintptr_t>(e));
    }
  }
}

TEST_F(LevelElementTest, CollisionCategoryAndMaskFromLayer) {
  struct Case {
    int layer;
    int16_t mask;
    uint16_t category;
    uint16_t maskBits;
  };
  const Case cases[] = {
      {0, -1, 0x0001, 0x0001},  {1, -1, 0x0002, 0x0003},   {7, -1, 0x0080, 0x0081},
      {8, -1, 0x0100, 0x0101},  {15, -1, 0x8000, 0x8001},  {16, -1, 0, 0x0001},
      {31, -1, 0, 0x0001},      {-1, -1, 0, 0x0001},       {1000, -1, 0, 0x0001},
      {0, 255, 0x0001, 0x00FF}, {3, 0x0F0F, 0x0008, 0x0F0F},
  };
  BvElement* box = Polygon({});
  for (const Case& c : cases) {
    BvLevelElement* e = Make(box, 0);
    e->SetLayer(c.layer);
    e->SetCollisionMask(c.mask);
    e->InitPhysics();
    ASSERT_EQ(FixtureCount(*e), 1);
    const b2Filter& f = e->GetBody()->GetFixtureList()->GetFilterData();
    EXPECT_EQ(f.categoryBits, c.category) << "layer " << c.layer;
    EXPECT_EQ(f.maskBits, c.maskBits) << "layer " << c.layer << " mask " << c.mask;
    EXPECT_EQ(f.groupIndex, 0);
  }
}

TEST_F(LevelElementTest, OnlyElementsWithGravityFall) {
  BvElement* box = Polygon({});
  BvLevelElement* falling = Make(box, 2);
  BvLevelElement* floating = Make(box, 2);
  falling->SetGravity(true);
  falling->SetPosition(-100.0f, 0.0f);
  floating->SetPosition(100.0f, 0.0f);
  falling->InitPhysics();
  floating->InitPhysics();
  for (int i = 0; i < 30; ++i) World()->Step(1.0f / 60.0f, 8, 3);
  EXPECT_LT(falling->GetLinearVelocity().Y, -5.0f);
  EXPECT_LT(falling->GetPosition().Y, -10.0f);
  EXPECT_EQ(floating->GetLinearVelocity().Y, 0.0f);
  EXPECT_EQ(floating->GetPosition().Y, 0.0f);
}

TEST_F(LevelElementTest, TwentyCornerPolygonHitsAndWeighsAsOne) {
  BvElement* shape = Polygon(RegularCorners(20, 30.0f));
  BvLevelElement* e = Make(shape, 2);
  e->SetDensity(2.0f);
  e->SetScale(2.0f, 1.0f);
  e->SetPosition(50.0f, -20.0f);
  e->InitPhysics();
  ASSERT_EQ(FixtureCount(*e), 3);
  // Area of the scaled 20-gon in square metres: 1/2 n r^2 sin(2pi/n), x 2.
  float area = 0.5f * 20.0f * 3.0f * 3.0f * std::sin(2.0f * kPi / 20.0f) * 2.0f;
  EXPECT_NEAR(e->GetBody()->GetMass(), 2.0f * area, 1e-3f);
  EXPECT_NEAR(e->GetBody()->GetWorldCenter().x, 5.0f, 1e-4f);

  // Inside the ellipse-like outline versus outside it, away from the edge.
  struct Probe {
    float x, y;
    bool inside;
  };
  const Probe probes[] = {{50, -20, true},  {105, -20, true}, {-5, -20, true},  {50, 7, true},
                          {50, 12, false},  {115, -20, false}, {90, 5, false},  {10, -45, false},
                          {75, -35, true},  {-20, -20, false}};
  for (const Probe& p : probes) {
    EXPECT_EQ(e->HitTest(irr::core::vector2df(p.x, p.y)), p.inside) << p.x << ", " << p.y;
  }
}

TEST_F(LevelElementTest, FlipsMirrorThePolygon) {
  // A triangle only on the +x, +y side.
  BvElement* shape = Polygon({{0, 0}, {40, 0}, {0, 40}});
  struct Case {
    bool fx, fy;
    float hx, hy;
  };
  const Case cases[] = {{false, false, 10, 10}, {true, false, -10, 10},
                        {false, true, 10, -10}, {true, true, -10, -10}};
  for (const Case& c : cases) {
    BvLevelElement* e = Make(shape, 0);
    e->SetFlipX(c.fx);
    e->SetFlipY(c.fy);
    e->InitPhysics();
    ASSERT_EQ(FixtureCount(*e), 1);
    EXPECT_TRUE(e->HitTest(irr::core::vector2df(c.hx, c.hy))) << c.fx << c.fy;
    EXPECT_FALSE(e->HitTest(irr::core::vector2df(-c.hx, -c.hy))) << c.fx << c.fy;
  }
}

TEST_F(LevelElementTest, RescaleReplacesEveryFixtureAndSameScaleKeepsThem) {
  BvLevelElement* e = Make(Polygon(RegularCorners(20, 30.0f)), 2);
  e->InitPhysics();
  ASSERT_EQ(FixtureCount(*e), 3);
  const b2Fixture* first = e->GetBody()->GetFixtureList();
  e->SetScale(1.0000005f, 0.9999995f);
  EXPECT_EQ(e->GetBody()->GetFixtureList(), first) << "within 0.000001: no rebuild";
  e->SetScale(0.5f, 0.5f);
  EXPECT_EQ(FixtureCount(*e), 3) << "all old pieces went";
  EXPECT_TRUE(e->HitTest(irr::core::vector2df(12.0f, 0.0f)));
  EXPECT_FALSE(e->HitTest(irr::core::vector2df(18.0f, 0.0f)));
}

TEST_F(LevelElementTest, CircleRadiusIsPositiveForAMirroredScale) {
  BvLevelElement* e = Make(Circle(10.0f), 2);
  e->SetScale(-2.0f, 1.0f);
  e->InitPhysics();
  ASSERT_EQ(FixtureCount(*e), 1);
  EXPECT_FLOAT_EQ(e->GetBody()->GetFixtureList()->GetShape()->m_radius, 2.0f);
  EXPECT_TRUE(e->HitTest(irr::core::vector2df(15.0f, 0.0f)));
  EXPECT_FALSE(e->HitTest(irr::core::vector2df(25.0f, 0.0f)));
}

TEST_F(LevelElementTest, EdgeNeedsExactlyTwoCorners) {
  auto* edge = new BvImageElement("wall");
  edge->SetShapeType(kShapeEdge);
  edge->AddVertex({-50, 0});
  edge->AddVertex({50, 0});
  templates_.emplace_back(edge);
  BvLevelElement* e = Make(edge, 0);
  e->InitPhysics();
  ASSERT_EQ(FixtureCount(*e), 1);
  EXPECT_EQ(e->GetBody()->GetFixtureList()->GetType(), b2Shape::e_edge);
  edge->AddVertex({60, 10});
  e->SetScale(2.0f, 2.0f);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "Edge shape vertex count not equal 2 : wall");
  EXPECT_EQ(FixtureCount(*e), 1) << "the previous edge stays";
}

TEST_F(LevelElementTest, StaticBodyIgnoresAngularVelocityButStoresIt) {
  BvElement* box = Polygon({});
  BvLevelElement* still = Make(box, 0);
  BvLevelElement* spinning = Make(box, 1);
  still->InitPhysics();
  spinning->InitPhysics();
  still->SetAngularVelocity(2.0f);
  spinning->SetAngularVelocity(2.0f);
  EXPECT_FLOAT_EQ(still->GetAngularVelocity(), 2.0f);
  EXPECT_EQ(still->GetBody()->GetAngularVelocity(), 0.0f);
  EXPECT_FLOAT_EQ(spinning->GetBody()->GetAngularVelocity(), 2.0f);
}

TEST_F(LevelElementTest, PhysicsValuesAreCleanedWhenSet) {
  BvLevelElement* e = Make(nullptr, 0);
  e->SetLinearDamping(-3.0f);
  e->SetAngularDamping(kNaN);
  e->SetFriction(-1.0f);
  e->SetDensity(kInf);
  e->SetRestitution(0.25f);
  EXPECT_EQ(e->GetLinearDamping(), 0.0f);
  EXPECT_EQ(e->GetAngularDamping(), 0.0f);
  EXPECT_EQ(e->GetFriction(), 0.0f);
  EXPECT_EQ(e->GetDensity(), 0.0f);
  EXPECT_EQ(e->GetRestitution(), 0.25f);
  e->SetPosition(kNaN, 5.0f);
  e->SetVelocity(kInf, -kInf);
  e->SetRotation(kNaN);
  EXPECT_EQ(e->GetLocalPosition(), irr::core::vector2df(0.0f, 5.0f));
  EXPECT_EQ(e->GetVelocity(), irr::core::vector2df(0.0f, 0.0f));
  EXPECT_EQ(e->GetLocalRotation(), 0.0f);
}

// Every combination below once aborted or could abort inside the physics
// library. Each element is built, given its body, rescaled and stepped; the
// test passes by not ending the program, and degenerate shapes have no
// fixture (so no hit).
TEST_F(LevelElementTest, BadShapesLayersAndValuesNeverAbort) {
  struct ShapeCase {
    const char* what;
    int type;
    std::vector<irr::core::vector2df> corners;
    float radius;
    bool degenerate;  // at scale (1, 1)
  };
  const std::vector<ShapeCase> shapes = {
      {"one corner", kShapePolygon, {{5, 5}}, 0, true},
      {"two corners", kShapePolygon, {{0, 0}, {10, 0}}, 0, true},
      {"collinear", kShapePolygon, {{0, 0}, {10, 0}, {20, 0}}, 0, true},
      {"merged", kShapePolygon, {{1, 1}, {1, 1}, {1.01f, 1}, {1, 1.01f}}, 0, true},
      {"not a number", kShapePolygon, {{kNaN, 0}, {0, kNaN}, {kNaN, kNaN}}, 0, true},
      {"infinite", kShapePolygon, {{kInf, 0}, {0, -kInf}, {1, 1}}, 0, true},
      {"twenty-five corners", kShapePolygon, RegularCorners(25, 20.0f), 0, false},
      {"bow tie", kShapePolygon, {{-10, -10}, {10, 10}, {10, -10}, {-10, 10}}, 0, false},
      {"zero circle", kShapeCircle, {}, 0, true},
      {"nan circle", kShapeCircle, {}, kNaN, true},
      {"huge circle", kShapeCircle, {}, 1e20f, true},
      {"huge polygon", kShapePolygon, {{1e20f, 0}, {-1e20f, 1e20f}, {0, -1e20f}}, 0, true},
      {"point edge", kShapeEdge, {{3, 3}, {3, 3}}, 0, true},
      {"unknown type", 42, {}, 0, false},
  };
  struct ValueCase {
    float scale;
    int layer;
    int dynType;
    float damping;
    float value;  // velocity, position offset, rotation
  };
  const std::vector<ValueCase> values = {
      {1.0f, 0, 2, 0.5f, 0.0f},   {0.0f, 3, 2, -1.0f, kNaN}, {1e-7f, 9, 1, kNaN, kInf},
      {-1.0f, 16, 0, kInf, -kInf}, {kNaN, -5, 7, -kInf, 1e30f}, {kInf, 1000, -9, 2.0f, 5.0f},
  };
  for (const ShapeCase& s : shapes) {
    auto* t = new BvImageElement();
    t->SetShapeType(s.type);
    t->SetRadius(s.radius);
    for (const auto& c : s.corners) t->AddVertex(c);
    templates_.emplace_back(t);
    for (const ValueCase& v : values) {
      BvLevelElement* e = Make(t, v.dynType);
      e->SetLayer(v.layer);
      e->SetLinearDamping(v.damping);
      e->SetAngularDamping(v.damping);
      e->SetDensity(v.damping);
      e->SetFriction(v.damping);
      e->SetVelocity(v.value, v.value);
      e->SetAngularVelocity(v.value);
      e->SetPosition(v.value, 0.0f);
      e->SetRotation(v.value);
      e->SetGravity(true);
      e->Update(16.0f);
      e->SetScale(v.scale, v.scale);
      e->SetScale(1.0f, 1.0f);
      e->HitTest(irr::core::vector2df(v.value, v.value));
      if (s.degenerate && e->GetBody()) {
        EXPECT_EQ(FixtureCount(*e), 0) << s.what;
        EXPECT_FALSE(e->HitTest(irr::core::vector2df(0.0f, 0.0f))) << s.what;
      }
    }
    World()->Step(1.0f / 60.0f, 8, 3);
  }
  SUCCEED() << "no assertion of the physics library fired";
}

TEST_F(LevelElementTest, ScaleZeroLeavesNoFixture) {
  BvLevelElement* e = Make(Polygon(RegularCorners(6, 20.0f)), 2);
  e->InitPhysics();
  ASSERT_TRUE(e->HitTest(irr::core::vector2df(0.0f, 0.0f)));
  e->SetScale(0.0f, 1.0f);
  EXPECT_EQ(FixtureCount(*e), 0);
  EXPECT_FALSE(e->HitTest(irr::core::vector2df(0.0f, 0.0f)));
}

TEST_F(LevelElementTest, SourceCopiesDefaultsByKind) {
  auto* anim = new BvAnimElement();
  anim->SetAnimSpeed(25.0f);
  anim->SetAnimType(2);
  anim->SetBlitMode(2);
  auto* particle = new BvParticleElement();
  particle->SetLifetime(300.0f);
  particle->SetEmitterDelay(40.0f);
  particle->SetParticleSize(0.5f);
  particle->SetDirection(1.0f, -2.0f);
  templates_.emplace_back(anim);
  templates_.emplace_back(particle);

  BvLevelElement* a = Make(nullptr, -1);
  a->SetAnimPosition(3.5f);
  a->SetAnimDirection(-1);
  a->SetSourceElement(anim);
  EXPECT_EQ(a->GetType(), kElementAnim);
  EXPECT_EQ(a->GetAnimSpeed(), 25.0f);
  EXPECT_EQ(a->GetAnimType(), 2);
  EXPECT_EQ(a->GetBlitMode(), 2);
  EXPECT_TRUE(a->IsPlaying());
  EXPECT_EQ(a->GetAnimPosition(), 0.0f);
  EXPECT_EQ(a->GetAnimDirection(), 1);

  BvLevelElement* p = Make(nullptr, -1);
  p->SetSourceElement(particle);
  p->SetSourceElement(nullptr);  // ignored
  EXPECT_EQ(p->GetSourceElement(), particle);
  EXPECT_EQ(p->GetLifetime(), 300.0f);
  EXPECT_EQ(p->GetEmitterDelay(), 40.0f);
  EXPECT_EQ(p->GetParticleSize(), 0.5f);
  EXPECT_EQ(p->GetDirection(), irr::core::vector2df(1.0f, -2.0f));
}

TEST_F(LevelElementTest, FramesOutsideTheAnimationDrawNothing) {
  BvSprite s0("s0"), s1("s1"), s2("s2");
  auto* three = new BvAnimElement();
  three->AddFrame(&s0);
  three->AddFrame(&s1);
  three->AddFrame(&s2);
  auto* one = new BvAnimElement();
  one->AddFrame(&s0);
  auto* empty = new BvAnimElement();
  templates_.emplace_back(three);
  templates_.emplace_back(one);
  templates_.emplace_back(empty);

  BvLevelElement* e = Make(three, -1);
  e->SetFrame(2);
  EXPECT_EQ(e->GetFrame(), 2);
  EXPECT_EQ(e->GetCurrentSprite(), &s2);
  for (int bad : {3, -1, 100}) {
    e->SetFrame(bad);
    EXPECT_EQ(e->GetFrame(), 2) << bad;
  }
  // The source switched under a running position (as a listener may do).
  e->SetAnimPosition(2.5f);
  e->SetSourceElement(one);
  e->SetAnimPosition(2.5f);
  EXPECT_EQ(e->GetCurrentSprite(), nullptr);
  e->SetAnimPosition(-0.5f);
  EXPECT_EQ(e->GetCurrentSprite(), nullptr);
  e->SetSourceElement(empty);
  EXPECT_EQ(e->GetCurrentSprite(), nullptr);
  e->SetFrame(0);
  EXPECT_EQ(e->GetFrame(), 0);
}

TEST_F(LevelElementTest, SourceByNameLooksInTheOwnersElements) {
  auto* image = new BvImageElement("star");
  image->SetBlitMode(2);
  manager_.GetElements()->AddObject(image);
  BvLevelElement* e = Make(nullptr, -1);
  e->SetSourceElementByName("star");
  EXPECT_EQ(e->GetSourceElement(), image);
  EXPECT_EQ(e->GetBlitMode(), 2);
  bv::ClearShownMessages();
  e->SetSourceElementByName("moon");
  EXPECT_EQ(e->GetSourceElement(), image) << "a miss keeps the previous source";
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].text, "GetObjectByName, Object not found : moon");
  BvLevelElement orphan(nullptr);
  orphan.SetSourceElementByName("star");
  EXPECT_EQ(orphan.GetSourceElement(), nullptr);
}

TEST_F(LevelElementTest, TextsKeep79Characters) {
  BvLevelElement* e = Make(nullptr, -1);
  EXPECT_EQ(e->GetText(), nullptr);
  EXPECT_EQ(e->GetTextWidth(), 0);
  std::string narrow(100, 'x');
  narrow[0] = '\xE9';  // Latin-1 e acute
  e->SetTextA(narrow.c_str());
  std::wstring kept(e->GetText());
  EXPECT_EQ(kept.size(), 79u);
  EXPECT_EQ(kept[0], L'\xE9');
  e->SetText(std::wstring(200, L'w').c_str());
  EXPECT_EQ(std::wstring(e->GetText()).size(), 79u);
  e->SetText(L"ok");
  EXPECT_EQ(std::wstring(e->GetText()), L"ok");
  e->SetParentName(std::string(40, 'p').c_str());
  EXPECT_EQ(std::string(e->GetParentName()), std::string(29, 'p'));
}

}  // namespace
