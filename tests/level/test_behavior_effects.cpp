// Effect behaviours: colour fades with their events, expiry, zoom, wait and
// the one-shot sound, run on an element of a headless level manager.
#include <gtest/gtest.h>

#include <vector>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"

namespace {

class EventCounter : public CManagedObjectBase {
 public:
  void OnNotify(int event, CManagedObjectBase* sender) override { events.push_back(event); }
  std::vector<int> events;
};

class EffectBehaviors : public ::testing::Test {
 protected:
  void Step(float dt) {
    BvBehavior::RunList(element.GetBehaviors(), dt);
    BvBehavior::SweepList(element.GetBehaviors());
  }
  uint32_t Colour() const { return element.GetColor().color; }

  BvLevelManager manager{nullptr, false};
  BvLevelElement element{&manager};
  EventCounter counter;
};

TEST_F(EffectBehaviors, FadeInReachesTheOwnColourAndSendsEvent2) {
  element.SetColor(0xFF336699u);
  auto* fade = new BvFadeInBehavior(20.0f, 0.0f);
  element.AddBehavior(fade);
  fade->AddListener(&counter);
  Step(125.0f);
  EXPECT_EQ(Colour() & 0x00FFFFFFu, 0x336699u) << "only alpha fades";
  EXPECT_NEAR(double(Colour() >> 24), 127.0, 1.0) << "half way after 125 ms";
  EXPECT_TRUE(counter.events.empty());
  Step(130.0f);
  EXPECT_EQ(Colour(), 0xFF336699u);
  EXPECT_EQ(counter.events, std::vector<int>{2});
  EXPECT_TRUE(element.GetBehaviors().empty()) << "deleted in the update that finished it";
  EXPECT_FALSE(element.m_bDead);
}

TEST_F(EffectBehaviors, FadeOutWithDelayShowsItsColourThenRemovesTheElement) {
  element.SetColor(0xFF808080u);
  auto* fade = new BvFadeOutBehavior(20.0f, 500.0f, true, false);
  element.AddBehavior(fade);
  fade->AddListener(&counter);
  for (int i = 0; i < 4; ++i) Step(100.0f);
  Step(99.0f);
  EXPECT_EQ(Colour(), 0xFF808080u) << "from colour during the delay";
  // Elapsed reaches the delay: the fade applies from this update on.
  Step(26.0f);
  EXPECT_NEAR(double(Colour() >> 24), 229.0, 1.0) << "26 ms of 250 faded";
  Step(100.0f);
  EXPECT_FALSE(element.m_bDead);
  Step(130.0f);
  EXPECT_EQ(Colour(), 0x00808080u);
  EXPECT_TRUE(element.m_bDead) << "remove element flags it dead";
  EXPECT_EQ(counter.events, std::vector<int>{3});
}

TEST_F(EffectBehaviors, AdditiveElementsFadeThroughBlack) {
  element.SetBlitMode(2);
  element.SetColor(0x80112233u);
  element.AddBehavior(new BvFadeInBehavior(20.0f, 0.0f));
  Step(1.0f);
  EXPECT_LT(Colour() & 0xFFu, 0x10u) << "from black, whatever the own colour";
  Step(300.0f);
  EXPECT_EQ(Colour(), 0xFFFFFFFFu) << "to white";
}

TEST_F(EffectBehaviors, HoldKeepsTheElementsColourDuringTheDelay) {
  element.SetColor(0xFF000000u);
  element.AddBehavior(new BvColorFadeBehavior(0xFFFF0000u, 0xFF0000FFu, 20.0f, 200.0f, true));
  element.SetColor(0xFF00FF00u);
  Step(100.0f);
  EXPECT_EQ(Colour(), 0xFF00FF00u) << "hold: own colour kept";
  Step(100.0f);
  EXPECT_EQ(Colour(), 0xFF990066u) << "delay reached: 100 ms of the 250 ms fade, red to blue";
}

TEST_F(EffectBehaviors, FadesWaitForALevelManager) {
  BvLevelElement orphan(nullptr);
  orphan.SetColor(0xFF123456u);
  orphan.AddBehavior(new BvFadeOutBehavior(1000.0f, 0.0f, true, false));
  for (int i = 0; i < 10; ++i) BvBehavior::RunList(orphan.GetBehaviors(), 100.0f);
  EXPECT_FALSE(orphan.m_bDead);
  EXPECT_EQ(orphan.GetBehaviors().size(), 1u);
}

TEST_F(EffectBehaviors, ExpireEndsTheElementAtTheFirstOfItsLimits) {
  struct Case {
    const char* what;
    float lifetime, fadeSpeed;
    int deadAfterSteps;  // of 100 ms
  };
  const Case cases[] = {
      {"lifetime 1000", 1000.0f, 0.0f, 10},
      {"fade speed 10 before a long lifetime", 100000.0f, 10.0f, 6},
  };
  for (const Case& c : cases) {
    BvLevelElement e(&manager);
    e.AddBehavior(new BvExpireBehavior(c.lifetime, 0.0f, c.fadeSpeed));
    int steps = 0;
    while (!e.m_bDead && steps < 100) {
      BvBehavior::RunList(e.GetBehaviors(), 100.0f);
      ++steps;
    }
    EXPECT_EQ(steps, c.deadAfterSteps) << c.what;
    EXPECT_EQ(e.GetBehaviors().size(), 1u) << c.what << ": the behaviour goes with its element";
  }
}

TEST_F(EffectBehaviors, ExpireEndsAPlayOnceAnimationsElementAtItsEnd) {
  element.SetAnimType(3);
  element.AddBehavior(new BvExpireBehavior(100000.0f, 0.0f, 0.0f));
  element.Notify(1);
  EXPECT_TRUE(element.m_bDead);
}

TEST_F(EffectBehaviors, SmoothZoomGrowsByAShareOfItsScale) {
  element.AddBehavior(new BvZoomToBehavior(2.0f, 20.0f, 0));
  Step(20.0f);
  EXPECT_FLOAT_EQ(element.GetScale().X, 1.04f);
  Step(20.0f);
  EXPECT_FLOAT_EQ(element.GetScale().Y, 1.0816f);
  int steps = 2;
  while (!element.GetBehaviors().empty() && steps < 1000) {
    Step(20.0f);
    ++steps;
  }
  EXPECT_EQ(element.GetScale(), irr::core::vector2df(2.0f, 2.0f)) << "set exactly on passing";
}

TEST_F(EffectBehaviors, ZoomToTheCurrentScaleOrAnUnknownEffect) {
  struct Case {
    const char* what;
    int effect;
    bool finishesFirstUpdate;
  };
  const Case cases[] = {
      {"smooth: nothing to do, never finishes", 0, false},
      {"elastic: both amplitudes 0", 1, true},
      {"squash: both amplitudes 0", 2, true},
      {"unknown effect finishes at once", 3, true},
  };
  for (const Case& c : cases) {
    BvLevelElement e(&manager);
    e.SetScale(1.5f, 1.5f);
    e.AddBehavior(new BvZoomToBehavior(c.effect == 3 ? 4.0f : 1.5f, 20.0f, c.effect));
    BvBehavior::RunList(e.GetBehaviors(), 20.0f);
    BvBehavior::SweepList(e.GetBehaviors());
    EXPECT_EQ(e.GetBehaviors().empty(), c.finishesFirstUpdate) << c.what;
    EXPECT_EQ(e.GetScale(), irr::core::vector2df(1.5f, 1.5f)) << c.what;
  }
}

TEST_F(EffectBehaviors, ElasticZoomStartsAtItsScaleAndSettlesOnTheTarget) {
  element.AddBehavior(new BvZoomToBehavior(2.0f, 60.0f, 1));
  Step(0.001f);
  EXPECT_NEAR(element.GetScale().X, 1.0f, 1e-3f) << "starts at its own scale";
  int steps = 0;
  while (!element.GetBehaviors().empty() && steps < 10000) {
    Step(20.0f);
    ++steps;
  }
  // Amplitude 1 shrinks at 60 / 60000 per ms: gone after 1000 ms.
  EXPECT_NEAR(steps, 50, 1);
  EXPECT_EQ(element.GetScale(), irr::core::vector2df(2.0f, 2.0f));
}

TEST_F(EffectBehaviors, SquashZoomSettlesYTwiceAsFast) {
  element.AddBehavior(new BvZoomToBehavior(2.0f, 60.0f, 2));
  for (int i = 0; i < 26; ++i) Step(20.0f);  // just past 500 ms
  EXPECT_FLOAT_EQ(element.GetScale().Y, 2.0f) << "y amplitude gone after 500 ms";
  EXPECT_NE(element.GetScale().X, 2.0f) << "x still swinging";
  EXPECT_EQ(element.GetBehaviors().size(), 1u);
}

TEST_F(EffectBehaviors, WaitFinishesOnceMoreThanItsDurationElapsed) {
  element.AddBehavior(new BvWaitBehavior(1000.0f));
  int steps = 0;
  while (!element.GetBehaviors().empty() && steps < 100) {
    Step(100.0f);
    ++steps;
  }
  EXPECT_EQ(steps, 11) << "elapsed 1100 > 1000";
}

TEST_F(EffectBehaviors, SoundBehaviorFinishesAfterItsFirstApplyEvenUnheard) {
  // No sound manager: nothing can be heard, the behaviour ends all the same.
  element.AddBehavior(new BvSoundBehavior("click"));
  Step(10.0f);
  EXPECT_TRUE(element.GetBehaviors().empty());
}

}  // namespace
