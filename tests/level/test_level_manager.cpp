// The level manager headless: the layer pass (order, pause, removal),
// world/screen mapping and the camera, the physics step window, the contact
// filter, borders and run-time element creation.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "support/null_video.h"

using irr::core::vector2df;
using irr::video::SColor;

namespace {

// Records its updates in a shared log, then updates as any element does.
class ProbeElement : public BvLevelElement {
 public:
  ProbeElement(BvLevelManager* manager, std::vector<std::string>* log)
      : BvLevelElement(manager), m_Log(log) {}
  void Update(float dt) override {
    m_Log->push_back("u:" + GetNameString());
    if (onUpdate) onUpdate(this);
    BvLevelElement::Update(dt);
  }
  std::function<void(ProbeElement*)> onUpdate;

 private:
  std::vector<std::string>* m_Log;
};

// A behaviour that only logs its applications.
class LogBehavior : public BvBehavior {
 public:
  LogBehavior(std::vector<std::string>* log, std::string tag) : m_Log(log), m_Tag(tag) {}
  void Apply(float) override { m_Log->push_back(m_Tag); }
  int GetType() const override { return 900; }

 private:
  std::vector<std::string>* m_Log;
  std::string m_Tag;
};

class LevelManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    folder = bv::test::MakeTempFolder("qv-level");
    ASSERT_TRUE(video.WritePng(folder + "/img.png", 10, 10, SColor(255, 255, 255, 255)));
    manager = std::make_unique<BvLevelManager>(nullptr, true);
    // One image, one 10 by 10 sprite, one image element "box" drawing it.
    auto* image = new BvImage("img");
    image->SetFileName((folder + "/img.png").c_str());
    manager->GetImages()->AddObject(image);
    auto* sprite = new BvSprite("spr");
    sprite->SetImage(image);
    sprite->SetSourceRect(0, 0, 10, 10);
    manager->GetSprites()->AddObject(sprite);
    box = new BvImageElement("box");
    box->SetSprite(sprite);
    manager->GetElements()->AddObject(box);
    manager->LoadImageTextures();
    ASSERT_NE(g_TextureManager->Find("img"), nullptr);
    level = new BvLevel("level");
    manager->GetLevels()->AddObject(level);
    bv::SetQuadObserver([this](const bv::QuadDraw& quad) {
      auto found = colourNames.find(quad.colours[0].color);
      log.push_back("d:" + (found == colourNames.end() ? std::string("?") : found->second));
      quads.push_back(quad);
    });
    bv::ClearShownMessages();
  }
  void TearDown() override {
    bv::SetQuadObserver({});
    manager.reset();
  }

  // A probe drawing the box sprite, named, on a layer, with a colour that
  // tells its drawings apart.
  ProbeElement* AddProbe(const std::string& name, int layer) {
    auto* element = new ProbeElement(manager.get(), &log);
    element->SetName(name);
    element->SetSourceElement(box);
    element->SetLayer(layer);
    element->SetDynType(-1);
    const SColor colour(255, 10 + int(colourNames.size()), 20, 30);
    element->SetColor(colour);
    colourNames[colour.color] = name;
    EXPECT_TRUE(level->AddObject(element));
    return element;
  }

  bv::test::NullVideo video;
  std::string folder;
  std::unique_ptr<BvLevelManager> manager;
  BvImageElement* box = nullptr;
  BvLevel* level = nullptr;
  std::vector<std::string> log;
  std::vector<bv::QuadDraw> quads;
  std::map<irr::u32, std::string> colourNames;
};

using Log = std::vector<std::string>;

TEST_F(LevelManagerTest, PassRunsLayersInOrderUpdatingThenDrawingEachElement) {
  AddProbe("a3", 3);
  AddProbe("b0", 0);
  AddProbe("c7", 7);
  AddProbe("d0", 0);
  AddProbe("e8", 8);
  AddProbe("fneg", -1);
  AddProbe("g3", 3);
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_EQ(log, (Log{"u:b0", "d:b0", "u:d0", "d:d0", "u:a3", "d:a3", "u:g3", "d:g3", "u:c7",
                      "d:c7"}))
      << "layers 0 to 7, id order inside a layer; layers 8 and -1 are left alone";
}

TEST_F(LevelManagerTest, DeadElementsAreRemovedAfterThePassOnlyOnLayersZeroToSeven) {
  AddProbe("dead0", 0)->m_bDead = true;
  AddProbe("dead8", 8)->m_bDead = true;
  AddProbe("deadneg", -1)->m_bDead = true;
  ProbeElement* dies = AddProbe("dies", 1);
  dies->onUpdate = [](ProbeElement* self) { self->m_bDead = true; };
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_EQ(log, (Log{"u:dies", "d:dies"}))
      << "a dead element is neither updated nor drawn; one dying in its update is drawn";
  EXPECT_EQ(level->FindObjectByName("dead0"), nullptr);
  EXPECT_NE(level->FindObjectByName("dead8"), nullptr) << "outside 0..7 nothing is removed";
  EXPECT_NE(level->FindObjectByName("deadneg"), nullptr);
  EXPECT_NE(level->FindObjectByName("dies"), nullptr) << "removed in the next pass";
  log.clear();
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_TRUE(log.empty());
  EXPECT_EQ(level->FindObjectByName("dies"), nullptr);
}

TEST_F(LevelManagerTest, ElementCreatedDuringThePassIsFirstDrawnNextFrame) {
  ProbeElement* maker = AddProbe("maker", 0);
  BvLevelElement* made = nullptr;
  maker->onUpdate = [&](ProbeElement*) {
    if (!made) made = CreateLevelElement(manager.get(), vector2df(0, 0), "box", 0.0f);
  };
  manager->RenderCurrentLevel(16.0f, false, false);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(quads.size(), 1u) << "only the maker is drawn in the frame of the creation";
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_EQ(quads.size(), 3u) << "maker and the new element";
}

TEST_F(LevelManagerTest, PausedPassDrawsEverythingAndMovesNothing) {
  AddProbe("a", 0);
  auto* faller = new BvLevelElement(manager.get());
  faller->SetName("faller");
  faller->SetSourceElement(box);
  faller->SetDynType(2);
  faller->SetGravity(true);
  faller->SetPosition(0.0f, 100.0f);
  level->AddObject(faller);
  manager->GetCamera()->AddBehavior(new LogBehavior(&log, "camera"));
  // One running frame makes the body; then pause.
  manager->RenderCurrentLevel(1.0f, false, false);
  const float y = faller->GetPosition().Y;
  log.clear();
  quads.clear();
  for (int i = 0; i < 5; ++i) manager->RenderCurrentLevel(16.0f, true, true);
  EXPECT_EQ(log, (Log{"d:a", "d:?", "d:a", "d:?", "d:a", "d:?", "d:a", "d:?", "d:a", "d:?"}))
      << "no camera behaviour, no update, every element drawn";
  EXPECT_FLOAT_EQ(faller->GetPosition().Y, y) << "no physics step while paused";
  EXPECT_TRUE(manager->IsUnderGui());
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_FALSE(manager->IsUnderGui());
  EXPECT_EQ(log.back(), "d:?");
  EXPECT_LT(faller->GetPosition().Y, y) << "running again, gravity acts";
}

TEST_F(LevelManagerTest, UnderGuiFlagIsStoredEvenWithoutLevel) {
  BvLevelManager empty(nullptr, false);
  empty.RenderCurrentLevel(16.0f, false, true);
  EXPECT_TRUE(empty.IsUnderGui());
  EXPECT_EQ(empty.GetWorld(), nullptr);
}

TEST_F(LevelManagerTest, StartDelayHoldsTheDrawingButNotTheUpdate) {
  ProbeElement* late = AddProbe("late", 0);
  late->SetStartDelay(5.0f);
  manager->RenderCurrentLevel(3.0f, false, false);
  EXPECT_EQ(log, (Log{"u:late"}));
  manager->RenderCurrentLevel(3.0f, false, false);
  EXPECT_EQ(log, (Log{"u:late", "u:late", "d:late"})) << "drawn once the delay is spent";
}

TEST_F(LevelManagerTest, APassNotDrawnUpdatesEveryElementAndDrawsNone) {
  AddProbe("a", 0);
  AddProbe("b", 5);
  manager->RenderCurrentLevel(16.0f, false, false, false);
  EXPECT_EQ(log, (Log{"u:a", "u:b"})) << "a dialog coming in unseen still runs";
  log.clear();
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_EQ(log, (Log{"u:a", "d:a", "u:b", "d:b"}));
}

TEST_F(LevelManagerTest, ElementDrawingFollowsScaleFlipAndPosition) {
  struct Case {
    const char* what;
    vector2df scale;
    bool flipX;
    bool drawn;
    float left, right;  // screen x span of the quad
    bool mirrored;
  };
  const Case cases[] = {
      {"scale 2", {2, 2}, false, true, 490, 510, false},
      {"scale (-1, 1) is not drawn", {-1, 1}, false, false, 0, 0, false},
      {"flip x mirrors in place", {1, 1}, true, true, 495, 505, true},
      {"scale (-1, -1) is a half turn", {-1, -1}, false, true, 495, 505, true},
  };
  ProbeElement* element = AddProbe("e", 0);
  element->SetPosition(100.0f, 0.0f);  // screen x 500
  for (const Case& c : cases) {
    quads.clear();
    element->SetScale(c.scale);
    element->SetFlipX(c.flipX);
    manager->RenderCurrentLevel(16.0f, true, false);
    ASSERT_EQ(quads.size(), c.drawn ? 1u : 0u) << c.what;
    if (!c.drawn) continue;
    float lo = 1e9f, hi = -1e9f;
    for (const vector2df& p : quads[0].corners) {
      lo = std::min(lo, p.X);
      hi = std::max(hi, p.X);
    }
    EXPECT_FLOAT_EQ(lo, c.left) << c.what;
    EXPECT_FLOAT_EQ(hi, c.right) << c.what;
    // The leftmost corner samples the texture's right edge when mirrored.
    int leftmost = 0;
    for (int i = 1; i < 4; ++i)
      if (quads[0].corners[i].X < quads[0].corners[leftmost].X) leftmost = i;
    const float uLeft = quads[0].uv[leftmost].X;
    const float uOther = quads[0].uv[(leftmost + 1) % 4].X == uLeft
                             ? quads[0].uv[(leftmost + 2) % 4].X
                             : quads[0].uv[(leftmost + 1) % 4].X;
    EXPECT_EQ(uLeft > uOther, c.mirrored) << c.what;
  }
}

TEST_F(LevelManagerTest, WorldRotationTurnsCounterClockwiseOnScreen) {
  ProbeElement* element = AddProbe("e", 0);
  element->SetRotation(float(M_PI / 2));
  manager->RenderCurrentLevel(16.0f, true, false);
  ASSERT_EQ(quads.size(), 1u);
  // The sprite's top-left corner (400-5, 300-5) turned a quarter turn
  // counter-clockwise on screen goes to the bottom-left (395, 305).
  EXPECT_NEAR(quads[0].corners[0].X, 395.0f, 1e-3f);
  EXPECT_NEAR(quads[0].corners[0].Y, 305.0f, 1e-3f);
}

TEST_F(LevelManagerTest, EmptyOrInvisibleElementsAreNotDrawnButStillUpdated) {
  ProbeElement* hidden = AddProbe("hidden", 0);
  hidden->SetVisible(false);
  auto* bare = new ProbeElement(manager.get(), &log);
  bare->SetName("bare");
  level->AddObject(bare);
  manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_EQ(log, (Log{"u:hidden", "u:bare"}));
}

TEST(LevelManagerCoordinates, WorldAndScreenMapping) {
  EXPECT_EQ(BvLevelManager::WorldToScreen(vector2df(0, 0)), vector2df(400, 300));
  EXPECT_EQ(BvLevelManager::ScreenToWorld(vector2df(0, 0)), vector2df(-400, 300));
  EXPECT_EQ(BvLevelManager::WorldToScreen(vector2df(-400, -300)), vector2df(0, 600));
  EXPECT_EQ(BvLevelManager::ScreenToWorld(BvLevelManager::WorldToScreen(vector2df(12, -34))),
            vector2df(12, -34));
}

TEST(LevelManagerCoordinates, CameraTransformPerLayer) {
  BvLevelManager manager(nullptr, false);
  BvCamera* camera = manager.GetCamera();
  camera->SetPosition(10.0f, 0.0f);
  camera->SetParallax(0.5f);
  struct Case {
    int layer;
    float x;
  };
  for (const Case& c : {Case{0, -10.0f}, Case{1, -15.0f}, Case{2, -20.0f}}) {
    vector2df p(0, 0), s(1, 1);
    float a = 0.0f;
    manager.ApplyCamera(p, s, a, c.layer);
    EXPECT_FLOAT_EQ(p.X, c.x) << "layer " << c.layer;
    EXPECT_FLOAT_EQ(p.Y, 0.0f);
  }
  // Scale and rotation apply to all layers; the inverse undoes them.
  camera->SetScale(2.0f, 0.5f);
  camera->SetRotation(0.3f);
  vector2df p(50, -20), s(1, 1);
  float a = 1.0f;
  manager.ApplyCamera(p, s, a, 3);
  EXPECT_EQ(s, vector2df(2.0f, 0.5f));
  EXPECT_FLOAT_EQ(a, 0.7f);
  manager.UnapplyCamera(p, 3);
  EXPECT_NEAR(p.X, 50.0f, 1e-4f);
  EXPECT_NEAR(p.Y, -20.0f, 1e-4f);
}

TEST(LevelManagerCoordinates, AnyNonZeroCameraRotationTurnsPositions) {
  BvLevelManager manager(nullptr, false);
  manager.GetCamera()->SetRotation(1e-3f);
  vector2df p(100, 0), s(1, 1);
  float a = 0.0f;
  manager.ApplyCamera(p, s, a, 0);
  EXPECT_LT(p.Y, 0.0f) << "turned by minus the camera rotation";
}

TEST(LevelManagerWorld, StepsOnlyStrictlyBetweenZeroAndFiveSeconds) {
  struct Case {
    float dt;
    bool steps;
  };
  for (const Case& c : {Case{0.0f, false}, Case{-16.0f, false}, Case{5000.0f, false},
                        Case{4999.9f, true}, Case{16.0f, true}}) {
    BvLevelManager manager(nullptr, true);
    ASSERT_NE(manager.GetWorld(), nullptr);
    EXPECT_FLOAT_EQ(manager.GetWorld()->GetGravity().y, -40.0f);
    b2BodyDef def;
    def.type = b2_dynamicBody;
    b2Body* body = manager.GetWorld()->CreateBody(&def);
    b2PolygonShape shape;
    shape.SetAsBox(1, 1);
    body->CreateFixture(&shape, 1.0f);
    manager.StepWorld(c.dt);
    EXPECT_EQ(body->GetLinearVelocity().y < 0.0f, c.steps) << "dt " << c.dt;
  }
}

TEST(LevelManagerWorld, NewWorldOnEveryClear) {
  BvLevelManager manager(nullptr, false);
  EXPECT_EQ(manager.GetWorld(), nullptr);
  manager.ClearLevels();
  b2World* first = manager.GetWorld();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(manager.GetWorld()->GetAllowSleeping());
  manager.GetCamera()->SetPosition(5.0f, 5.0f);
  manager.ClearScene();
  EXPECT_NE(manager.GetWorld(), nullptr);
  EXPECT_EQ(manager.GetCamera()->GetLocalPosition(), vector2df(0, 0)) << "camera reset";
}

TEST(LevelManagerLevels, CurrentLevelIsTheSmallestId) {
  BvLevelManager manager(nullptr, true);
  EXPECT_EQ(manager.GetCurrentLevel(), nullptr);
  auto* first = new BvLevel("first");
  auto* second = new BvLevel("second");
  manager.GetLevels()->AddObject(second);
  manager.GetLevels()->AddObject(first);
  EXPECT_EQ(manager.GetCurrentLevel(), first);
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  manager.SetCurrentLevelNumber(1);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "SetCurrentLevelNumber Not implemented use LoadLevel");
  EXPECT_EQ(manager.GetCurrentLevel(), first);
}

// The contact filter: an element with its collision flag off collides with
// nothing; otherwise Box2D's group, category and mask rule.
TEST(LevelManagerContacts, FilterTable) {
  BvLevelManager manager(nullptr, true);
  struct Side {
    bool hasElement;
    bool collision;
    int16_t group;
    uint16_t category, mask;
  };
  struct Case {
    const char* what;
    Side a, b;
    bool collide;
  };
  const Case cases[] = {
      {"both on, shared category", {true, true, 0, 1, 1}, {true, true, 0, 1, 1}, true},
      {"one flag off", {true, false, 0, 1, 1}, {true, true, 0, 1, 1}, false},
      {"flag off wins over a positive group", {true, true, 3, 1, 1}, {true, false, 3, 1, 1},
       false},
      {"positive shared group ignores masks", {true, true, 3, 2, 0}, {true, true, 3, 4, 0}, true},
      {"negative shared group never", {true, true, -3, 1, 1}, {true, true, -3, 1, 1}, false},
      {"different groups use masks", {true, true, 1, 2, 2}, {true, true, 2, 4, 4}, false},
      {"mask must hold the other's category both ways", {true, true, 0, 2, 1 | 2},
       {true, true, 0, 1, 1}, false},
      {"border mask 255 with any layer's default mask", {true, true, 0, 1, 255},
       {true, true, 0, 8, 8 | 1}, true},
      {"no element: plain rule", {false, false, 0, 1, 1}, {true, true, 0, 1, 1}, true},
  };
  for (const Case& c : cases) {
    BvLevelElement ea(&manager), eb(&manager);
    ea.SetCollision(c.a.collision);
    eb.SetCollision(c.b.collision);
    b2Fixture* fixtures[2];
    const Side* sides[2] = {&c.a, &c.b};
    BvLevelElement* elements[2] = {&ea, &eb};
    b2Body* bodies[2];
    for (int i = 0; i < 2; ++i) {
      b2BodyDef def;
      if (sides[i]->hasElement) def.userData.pointer = reinterpret_cast<uintptr_t>(elements[i]);
      bodies[i] = manager.GetWorld()->CreateBody(&def);
      b2CircleShape shape;
      shape.m_radius = 1.0f;
      b2FixtureDef fd;
      fd.shape = &shape;
      fd.filter.groupIndex = sides[i]->group;
      fd.filter.categoryBits = sides[i]->category;
      fd.filter.maskBits = sides[i]->mask;
      fixtures[i] = bodies[i]->CreateFixture(&fd);
    }
    EXPECT_EQ(manager.ShouldCollide(fixtures[0], fixtures[1]), c.collide) << c.what;
    for (b2Body* body : bodies) manager.GetWorld()->DestroyBody(body);
  }
}

TEST_F(LevelManagerTest, CollisionFlagDecidesWhetherAFallerLandsOnTheGround) {
  for (bool collision : {true, false}) {
    manager->ClearLevels();
    level = new BvLevel("level");
    manager->GetLevels()->AddObject(level);
    auto* ground = new BvLevelElement(manager.get());
    ground->SetName("ground");
    ground->SetSourceElement(box);
    ground->SetCollision(collision);
    level->AddObject(ground);
    auto* faller = new BvLevelElement(manager.get());
    faller->SetName("faller");
    faller->SetSourceElement(box);
    faller->SetDynType(2);
    faller->SetGravity(true);
    faller->SetCollision(collision);
    faller->SetPosition(0.0f, 40.0f);
    level->AddObject(faller);
    for (int i = 0; i < 200; ++i) manager->RenderCurrentLevel(16.0f, false, false);
    if (collision)
      EXPECT_NEAR(faller->GetPosition().Y, 20.0f, 1.0f) << "rests on the 20-pixel ground box";
    else
      EXPECT_LT(faller->GetPosition().Y, -100.0f) << "falls through";
  }
}

// Records the pairs the level manager passes on.
class CollisionOwner : public BvApplication {
 public:
  CollisionOwner() : BvApplication(nullptr) {}
  void OnCollision(BvLevelElement* first, BvLevelElement* second) override {
    pairs.emplace_back(first, second);
  }
  std::vector<std::pair<BvLevelElement*, BvLevelElement*>> pairs;
};

TEST_F(LevelManagerTest, EverySolvedContactReachesTheOwner) {
  CollisionOwner owner;
  manager->SetOwner(&owner);
  auto* a = new BvLevelElement(manager.get());
  a->SetName("a");
  a->SetSourceElement(box);
  a->SetCollision(true);
  level->AddObject(a);
  auto* b = new BvLevelElement(manager.get());
  b->SetName("b");
  b->SetSourceElement(box);
  b->SetCollision(true);
  b->SetDynType(2);
  b->SetGravity(true);
  b->SetPosition(0.0f, 21.0f);
  level->AddObject(b);
  for (int i = 0; i < 30; ++i) manager->RenderCurrentLevel(16.0f, false, false);
  ASSERT_FALSE(owner.pairs.empty());
  for (const auto& pair : owner.pairs) {
    const bool ab = pair.first == a && pair.second == b;
    const bool ba = pair.first == b && pair.second == a;
    EXPECT_TRUE(ab || ba) << "the two level elements of the contact";
  }
  manager->SetOwner(nullptr);
}

TEST_F(LevelManagerTest, BordersAreFourEdgesAndAreReusedByTheNextLevel) {
  CreateBorders(level, manager.get());
  const vector2df expected[4][2] = {{{-400, 300}, {400, 300}},
                                    {{400, 300}, {400, -300}},
                                    {{400, -300}, {-400, -300}},
                                    {{-400, -300}, {-400, 300}}};
  for (int i = 0; i < 4; ++i) {
    const std::string name = "_bdr" + std::to_string(i);
    auto* edge = static_cast<BvElement*>(manager->GetElements()->FindObjectByName(name));
    ASSERT_NE(edge, nullptr) << name;
    EXPECT_EQ(edge->GetShapeType(), kShapeEdge);
    ASSERT_EQ(edge->GetVertexCount(), 2);
    EXPECT_EQ(edge->GetVertex(0), expected[i][0]) << name;
    EXPECT_EQ(edge->GetVertex(1), expected[i][1]) << name;
    auto* border = static_cast<BvLevelElement*>(level->FindObjectByName(name));
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->GetSourceElement(), edge);
    EXPECT_TRUE(border->GetCollision());
    EXPECT_EQ(border->GetLayer(), 0);
    EXPECT_EQ(border->GetCollisionMask(), 255);
    EXPECT_EQ(border->GetBehaviors().size(), 1u);
  }
  // A level load keeps the scene's elements: the borders of the new level
  // must point at the listed edges, not at refused (deleted) newcomers.
  manager->ClearLevels();
  BvLevel* next = new BvLevel("next");
  manager->GetLevels()->AddObject(next);
  CreateBorders(next, manager.get());
  EXPECT_TRUE(bv::ShownMessages().empty()) << "no refused duplicates";
  for (int i = 0; i < 4; ++i) {
    const std::string name = "_bdr" + std::to_string(i);
    auto* border = static_cast<BvLevelElement*>(next->FindObjectByName(name));
    ASSERT_NE(border, nullptr);
    EXPECT_EQ(border->GetSourceElement(), manager->GetElements()->FindObjectByName(name));
  }
  // The borders' bodies hold a faller of any layer inside the field.
  auto* faller = new BvLevelElement(manager.get());
  faller->SetName("faller");
  faller->SetSourceElement(box);
  faller->SetDynType(2);
  faller->SetGravity(true);
  faller->SetCollision(true);
  faller->SetLayer(5);
  faller->SetPosition(0.0f, 0.0f);
  next->AddObject(faller);
  for (int i = 0; i < 500; ++i) manager->RenderCurrentLevel(16.0f, false, false);
  EXPECT_NEAR(faller->GetPosition().Y, -290.0f, 1.0f) << "rests on the bottom border";
  EXPECT_TRUE(bv::ShownMessages().empty());
}

TEST_F(LevelManagerTest, CreateLevelElementDefaultsAndRefusals) {
  BvLevelElement* made = CreateLevelElement(manager.get(), vector2df(5, 6), "box", 500.0f);
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetNameString(), CManagedObjectBase::MakeIdName(made->GetId()));
  EXPECT_EQ(level->FindObjectByName(made->GetNameString()), made);
  EXPECT_EQ(made->GetSourceElement(), box);
  EXPECT_EQ(made->GetLocalPosition(), vector2df(5, 6));
  EXPECT_FLOAT_EQ(made->GetStartDelay(), 500.0f);
  EXPECT_EQ(made->GetDynType(), 0);
  EXPECT_FALSE(made->GetCollision());
  EXPECT_EQ(made->GetLayer(), 0);

  BvLevelElement* bare = CreateLevelElement(manager.get(), vector2df(0, 0), nullptr, 0.0f);
  ASSERT_NE(bare, nullptr);
  EXPECT_EQ(bare->GetSourceElement(), nullptr);

  EXPECT_EQ(CreateLevelElement(nullptr, vector2df(0, 0), "box", 0.0f), nullptr);
  BvLevelManager noLevel(nullptr, true);
  EXPECT_EQ(CreateLevelElement(&noLevel, vector2df(0, 0), nullptr, 0.0f), nullptr);

  // An authored element that already carries the next generated name: the
  // level refuses the newcomer and the call says so.
  auto* authored = new BvLevelElement(manager.get());
  authored->SetName(CManagedObjectBase::MakeIdName(CManagedObjectBase::PeekNextId()));
  ASSERT_TRUE(level->AddObject(authored));
  bv::ClearShownMessages();
  EXPECT_EQ(CreateLevelElement(manager.get(), vector2df(0, 0), "box", 0.0f), nullptr);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_NE(bv::ShownMessages()[0].text.find("TRYING TO ADD EXISTING OBJECT"), std::string::npos);
}

TEST_F(LevelManagerTest, RenderElementByNameAlertsOnAMissingName) {
  AddProbe("shown", 0);
  manager->RenderElementByName("shown");
  EXPECT_EQ(log, (Log{"d:shown"}));
  manager->RenderElementByName("missing");
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].text, "GetObjectByName, Object not found : missing");
}

TEST_F(LevelManagerTest, ImmediateDrawingByName) {
  const vector2df at(100, 100), one(1, 1);
  const SColor white(255, 255, 255, 255);
  manager->DrawSpriteByName("spr", at, 0.0f, one, white, false, false);
  manager->DrawElementByName("box", at, 0.0f, one, white, false, false, true);
  ASSERT_EQ(quads.size(), 2u);
  EXPECT_FALSE(quads[0].additive) << "sprites by name draw normally";
  EXPECT_TRUE(quads[1].additive);
  EXPECT_FLOAT_EQ(quads[0].corners[0].X, 95.0f) << "centred on the screen point";

  manager->DrawSpriteByName("nope", at, 0.0f, one, white, false, false);
  BvParticleElement emitter("emitter");
  manager->DrawElement(&emitter, at, 0.0f, one, white, false, false, false);
  manager->DrawSprite(nullptr, at, 0.0f, one, white, false, false, false);
  g_TextureManager->Select("unknown");
  manager->DrawTextureRect(irr::core::recti(0, 0, 4, 4), 0, 0, 0, one, white, true, false, false,
                           false);
  EXPECT_EQ(quads.size(), 2u) << "nothing for a missing sprite, another kind, no texture";
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].text, "GetObjectByName, Object not found : nope");
}

}  // namespace
