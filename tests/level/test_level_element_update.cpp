// The level element's per-frame update: start delay, behaviour run with the
// wait rule and the sweep, velocity reset, animation advance with event 1,
// particle emission.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/platform/random_source.h"
#include "engine/resources/sprite.h"

namespace {

// Logs the elapsed time of each apply; never finishes.
class TimeLogBehavior : public BvBehavior {
 public:
  explicit TimeLogBehavior(std::vector<float>* log) : m_Log(log) {}
  void Apply(float dt) override { m_Log->push_back(m_Elapsed); }
  int GetType() const override { return 100; }

 private:
  std::vector<float>* m_Log;
};

class EventCounter : public CManagedObjectBase {
 public:
  void OnNotify(int event, CManagedObjectBase* sender) override { events.push_back(event); }
  std::vector<int> events;
};

// Fixed random values for the particle spread.
class FixedRandom : public bv::RandomSource {
 public:
  void Seed(uint32_t) override {}
  int Next() override { return values[next++ % values.size()]; }
  int64_t WallClockSeconds() override { return 0; }
  std::vector<int> values{0};
  size_t next = 0;
};

class LevelElementUpdate : public ::testing::Test {
 protected:
  LevelElementUpdate() {
    image = new BvImageElement("image");
    manager.GetElements()->AddObject(image);
    animation = new BvAnimElement("anim4");
    for (auto& sprite : sprites) {
      sprite = std::make_unique<BvSprite>();
      animation->AddFrame(sprite.get());
    }
    manager.GetElements()->AddObject(animation);
    element.SetSourceElement(image);
  }

  // An animated element at speed 10 of the given type.
  void Animate(int type) {
    element.SetSourceElement(animation);
    element.SetAnimSpeed(10.0f);
    element.SetAnimType(type);
    element.AddListener(&counter);
  }

  BvLevelManager manager{nullptr, false};
  BvImageElement* image = nullptr;
  BvAnimElement* animation = nullptr;
  std::unique_ptr<BvSprite> sprites[4];
  BvLevelElement element{&manager};
  EventCounter counter;
};

TEST_F(LevelElementUpdate, StartDelayHoldsEverythingBackForItsFrames) {
  std::vector<float> log;
  element.SetStartDelay(100.0f);
  element.AddBehavior(new TimeLogBehavior(&log));
  for (int i = 0; i < 3; ++i) element.Update(40.0f);  // 100, 60, 20 -> -20
  EXPECT_TRUE(log.empty());
  EXPECT_FLOAT_EQ(element.GetStartDelay(), -20.0f);
  element.Update(40.0f);
  EXPECT_EQ(log, std::vector<float>{40.0f}) << "runs normally from the fourth update";
}

TEST_F(LevelElementUpdate, WithoutSourceOnlyThePhysicsIsSetUp) {
  std::vector<float> log;
  BvLevelElement bare(&manager);
  bare.AddBehavior(new TimeLogBehavior(&log));
  bare.Update(10.0f);
  EXPECT_TRUE(bare.IsPhysicsInitialised());
  EXPECT_TRUE(log.empty());
}

TEST_F(LevelElementUpdate, AWaitTurnsTheListIntoASequence) {
  // [fade-in, wait 1000, later]: the wait counts only once the fade-in is
  // gone, and "later" starts about a second after the fade ended.
  std::vector<float> log;
  element.AddBehavior(new BvFadeInBehavior(20.0f, 0.0f));
  element.AddBehavior(new BvWaitBehavior(1000.0f));
  element.AddBehavior(new TimeLogBehavior(&log));
  float now = 0.0f;
  float fadeGoneAt = -1.0f;
  while (log.empty() && now < 5000.0f) {
    element.Update(50.0f);
    now += 50.0f;
    if (fadeGoneAt < 0.0f && element.GetBehaviors().size() == 2) fadeGoneAt = now;
  }
  ASSERT_FALSE(log.empty());
  EXPECT_NEAR(fadeGoneAt, 250.0f, 50.0f);
  const float later = now - fadeGoneAt;
  EXPECT_GE(later, 1000.0f);
  EXPECT_LE(later, 1100.0f);
  EXPECT_FLOAT_EQ(log[0], 50.0f) << "it had not counted any time before";
}

TEST_F(LevelElementUpdate, AZeroWaitFirstInTheListGoesInItsFirstUpdate) {
  std::vector<float> log;
  element.AddBehavior(new BvWaitBehavior(0.0f));
  element.AddBehavior(new TimeLogBehavior(&log));
  element.Update(16.0f);
  EXPECT_EQ(element.GetBehaviors().size(), 1u) << "the wait is deleted in the same update";
  EXPECT_TRUE(log.empty()) << "what follows starts next frame";
  element.Update(16.0f);
  EXPECT_EQ(log.size(), 1u);
}

TEST_F(LevelElementUpdate, MotionBehavioursStartEachFrameFromRest) {
  element.SetVelocity(5.0f, 5.0f);
  element.AddBehavior(new BvRotateBehavior(100.0f));
  element.Update(10.0f);
  EXPECT_EQ(element.GetVelocity(), irr::core::vector2df(5.0f, 5.0f)) << "rotate keeps motion";
  element.AddBehavior(new BvSinusYBehavior(20.0f, 500.0f, 0.0f));
  element.Update(10.0f);
  EXPECT_EQ(element.GetVelocity(), irr::core::vector2df(0.0f, 0.0f));
}

TEST(LevelElementUpdateBody, SineDrivesADynamicBodyThroughItsVelocity) {
  BvLevelManager manager(nullptr, true);
  auto* image = new BvImageElement("image");
  manager.GetElements()->AddObject(image);
  BvLevelElement element(&manager);
  element.SetSourceElement(image);
  element.SetDynType(2);
  element.AddBehavior(new BvSinusYBehavior(20.0f, 500.0f, 0.0f));
  const float dt = 500.0f * 3.14159265f / 2.0f;  // a quarter period
  element.Update(dt);
  ASSERT_NE(element.GetBody(), nullptr);
  EXPECT_NEAR(element.GetLinearVelocity().Y, 20.0f, 1e-3f) << "metres per second";
  EXPECT_FLOAT_EQ(element.GetLocalPosition().Y, 0.0f) << "the position is left to the body";
  element.Update(dt);  // half a period: from rest again, then sin = 0
  EXPECT_NEAR(element.GetLinearVelocity().Y, 0.0f, 1e-3f);
}

TEST_F(LevelElementUpdate, AnimationTypesAtTheirEnds) {
  struct Case {
    const char* what;
    int type;
    float startPosition;
    int startDirection;
    float dt;
    float position;
    int direction;
    int events;
    bool playing;
  };
  // 4 frames at 10 frames per second.
  const Case cases[] = {
      {"loop wraps twice", 1, 0.0f, 1, 1000.0f, 2.0f, 1, 2, true},
      {"loop inside the frames", 1, 0.0f, 1, 150.0f, 1.5f, 1, 0, true},
      {"ping-pong at the last frame", 2, 3.5f, 1, 100.0f, 3.5f, -1, 1, true},
      {"ping-pong at the first frame", 2, 0.5f, -1, 100.0f, 0.5f, 1, 0, true},
      {"once stops on the last frame", 3, 3.5f, 1, 100.0f, 3.0f, 1, 1, false},
      {"unknown type ends as once", 7, 3.5f, 1, 100.0f, 3.0f, 1, 1, false},
  };
  for (const Case& c : cases) {
    BvLevelElement e(&manager);
    e.SetSourceElement(animation);
    e.SetAnimSpeed(10.0f);
    e.SetAnimType(c.type);
    e.SetAnimPosition(c.startPosition);
    e.SetAnimDirection(c.startDirection);
    EventCounter events;
    e.AddListener(&events);
    e.Update(c.dt);
    EXPECT_FLOAT_EQ(e.GetAnimPosition(), c.position) << c.what;
    EXPECT_EQ(e.GetAnimDirection(), c.direction) << c.what;
    EXPECT_EQ(events.events.size(), size_t(c.events)) << c.what;
    EXPECT_EQ(e.IsPlaying(), c.playing) << c.what;
  }
}

TEST_F(LevelElementUpdate, PlayOnceSendsItsEventOnlyOnce) {
  Animate(3);
  for (int i = 0; i < 10; ++i) element.Update(200.0f);
  EXPECT_EQ(counter.events, std::vector<int>{1});
  EXPECT_FLOAT_EQ(element.GetAnimPosition(), 3.0f);
  EXPECT_EQ(element.GetFrame(), 3);
}

TEST_F(LevelElementUpdate, AnAnimationWithoutFramesStaysPut) {
  auto* empty = new BvAnimElement("empty");
  manager.GetElements()->AddObject(empty);
  element.SetSourceElement(empty);
  element.SetAnimType(1);
  element.AddListener(&counter);
  element.Update(1000.0f);
  EXPECT_FLOAT_EQ(element.GetAnimPosition(), 0.0f);
  EXPECT_TRUE(counter.events.empty());
}

TEST_F(LevelElementUpdate, EmitterMakesOneFadingDriftingParticlePerDelay) {
  FixedRandom random;
  random.values = {0, 4};  // spread +2 on x, -2 on y
  bv::SetRandomSource(&random);
  manager.GetLevels()->AddObject(new BvLevel("level"));
  BvLevel* level = manager.GetCurrentLevel();
  ASSERT_NE(level, nullptr);
  auto* emitter = new BvParticleElement("emitter");
  emitter->SetSourceElement(image);
  emitter->SetEmitterDelay(100.0f);
  emitter->SetLifetime(50.0f);
  emitter->SetParticleSize(0.5f);
  emitter->SetDirection(0.0f, 2.0f);
  manager.GetElements()->AddObject(emitter);
  BvLevelElement* source = new BvLevelElement(&manager);
  source->SetName("source");
  source->SetSourceElement(emitter);
  source->SetPosition(10.0f, 20.0f);
  source->SetLayer(3);
  level->AddObject(source);

  int updates = 0;
  while (level->GetCount() == 1 && updates < 20) {
    source->Update(16.7f);
    ++updates;
  }
  bv::SetRandomSource(nullptr);
  EXPECT_EQ(updates, 6) << "timer about 100.2 > 100";
  EXPECT_FLOAT_EQ(source->GetEmitterTimer(), 0.0f);
  ASSERT_EQ(level->GetCount(), 2u);

  BvLevelElement* particle = nullptr;
  for (const auto& entry : level->GetIdIndex()) {
    if (entry.second != source) particle = static_cast<BvLevelElement*>(entry.second);
  }
  ASSERT_NE(particle, nullptr);
  EXPECT_EQ(particle->GetSourceElement(), image);
  EXPECT_EQ(particle->GetLocalPosition(), irr::core::vector2df(12.0f, 18.0f));
  EXPECT_EQ(particle->GetScale(), irr::core::vector2df(0.5f, 0.5f));
  EXPECT_EQ(particle->GetDynType(), -1);
  EXPECT_EQ(particle->GetLayer(), 3);
  EXPECT_FALSE(particle->GetCollision());
  ASSERT_EQ(particle->GetBehaviors().size(), 2u);
  EXPECT_EQ(particle->GetBehaviors()[0]->GetType(), kBehaviorColorFade);
  EXPECT_EQ(particle->GetBehaviors()[1]->GetType(), kBehaviorMove);

  // It drifts 100 x |direction| pixels per second and is gone after
  // 10 x lifetime ms.
  particle->Update(100.0f);
  EXPECT_NEAR(particle->GetLocalPosition().Y, 18.0f + 20.0f, 1e-3f);
  for (int i = 0; i < 5 && !particle->m_bDead; ++i) particle->Update(100.0f);
  EXPECT_TRUE(particle->m_bDead);
}

}  // namespace
