// Motion behaviours on an element without a body: their position,
// rotation and finishing at chosen instants.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "engine/level/behavior_math.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"

namespace {

constexpr float kPi = 3.14159265f;
using irr::core::vector2df;

std::unique_ptr<BvLevelElement> ElementAt(float x, float y) {
  auto element = std::make_unique<BvLevelElement>(nullptr);
  element->SetPosition(x, y);
  return element;
}

// Runs the element's behaviour list once with dt, as the element does.
void Step(BvLevelElement& element, float dt) {
  BvBehavior::RunList(element.GetBehaviors(), dt);
  BvBehavior::SweepList(element.GetBehaviors());
}

TEST(MotionBehaviors, SineAndCosineSwingAroundTheirStart) {
  struct Case {
    const char* what;
    bool cosine;
    float range, speed, phase;
    float elapsed;
    vector2df expected;
  };
  // Element starts at (10, 100).
  const Case cases[] = {
      {"sine quarter period", false, 20, 500, 0, 500 * kPi / 2, {10, 120}},
      {"sine half period", false, 20, 500, 0, 500 * kPi, {10, 100}},
      {"sine three quarters", false, 20, 500, 0, 1500 * kPi / 2, {10, 80}},
      {"sine with phase", false, 20, 500, kPi / 2, 0.001f, {10, 120}},
      {"cosine start", true, 20, 500, 0, 0.001f, {30, 100}},
      {"cosine half period", true, 20, 500, 0, 500 * kPi, {-10, 100}},
      {"speed 0: no motion", false, 20, 0, 1, 1000, {10, 100}},
      {"cosine speed 0: no motion", true, 20, 0, 1, 1000, {10, 100}},
  };
  for (const Case& c : cases) {
    auto element = ElementAt(10, 100);
    if (c.cosine) {
      element->AddBehavior(new BvCosinusXBehavior(c.range, c.speed, c.phase));
    } else {
      element->AddBehavior(new BvSinusYBehavior(c.range, c.speed, c.phase));
    }
    Step(*element, c.elapsed);
    const vector2df p = element->GetLocalPosition();
    EXPECT_NEAR(p.X, c.expected.X, 0.01f) << c.what;
    EXPECT_NEAR(p.Y, c.expected.Y, 0.01f) << c.what;
    EXPECT_TRUE(std::isfinite(p.X) && std::isfinite(p.Y)) << c.what;
  }
}

TEST(MotionBehaviors, SineSeesTheStartDelayInItsElapsedTime) {
  auto element = ElementAt(0, 0);
  auto* sine = new BvSinusYBehavior(20, 500, 0);
  sine->SetStartDelay(500 * kPi / 2);
  element->AddBehavior(sine);
  Step(*element, 500 * kPi / 4);
  EXPECT_FLOAT_EQ(element->GetLocalPosition().Y, 0.0f) << "still in its delay";
  Step(*element, 500 * kPi / 4);
  EXPECT_NEAR(element->GetLocalPosition().Y, 20.0f, 0.01f) << "first apply at a quarter period";
}

TEST(MotionBehaviors, MoveDriftsAlongItsUnitDirection) {
  struct Case {
    const char* what;
    vector2df direction;
    float speed;
    vector2df after100ms;
  };
  const Case cases[] = {
      {"(3, 4) at speed 10", {3, 4}, 10, {6, 8}},
      {"zero direction stays still", {0, 0}, 10, {0, 0}},
      {"negative speed runs backwards", {1, 0}, -5, {-5, 0}},
  };
  for (const Case& c : cases) {
    auto element = ElementAt(0, 0);
    element->AddBehavior(new BvMoveBehavior(c.direction, c.speed));
    for (int i = 0; i < 4; ++i) Step(*element, 25.0f);
    EXPECT_NEAR(element->GetLocalPosition().X, c.after100ms.X, 1e-4f) << c.what;
    EXPECT_NEAR(element->GetLocalPosition().Y, c.after100ms.Y, 1e-4f) << c.what;
    EXPECT_EQ(element->GetBehaviors().size(), 1u) << c.what << ": never finishes";
  }
}

TEST(MotionBehaviors, MoveToAcceleratesAndFinishesOnlyWhenBothAxesArrive) {
  // dt 20, speed 1: steps 0.01, 0.02, 0.03 pixels.
  auto element = ElementAt(0, 0);
  element->AddBehavior(new BvMoveToBehavior({100, 0}, 1));
  const float expected[] = {0.01f, 0.03f, 0.06f};
  for (float x : expected) {
    Step(*element, 20.0f);
    EXPECT_NEAR(element->GetLocalPosition().X, x, 1e-5f);
  }
  // y starts on its target and never counts as arrived: the element reaches
  // (100, 0) and stays, the behaviour never finishes.
  for (int i = 0; i < 2000; ++i) Step(*element, 20.0f);
  EXPECT_FLOAT_EQ(element->GetLocalPosition().X, 100.0f);
  EXPECT_FLOAT_EQ(element->GetLocalPosition().Y, 0.0f);
  EXPECT_EQ(element->GetBehaviors().size(), 1u);

  // Both axes moving: finished on the frame the second axis passes.
  auto diagonal = ElementAt(0, 0);
  diagonal->AddBehavior(new BvMoveToBehavior({30, -40}, 10));
  int frames = 0;
  while (!diagonal->GetBehaviors().empty() && frames < 10000) {
    Step(*diagonal, 20.0f);
    ++frames;
  }
  EXPECT_LT(frames, 10000);
  EXPECT_FLOAT_EQ(diagonal->GetLocalPosition().X, 30.0f);
  EXPECT_FLOAT_EQ(diagonal->GetLocalPosition().Y, -40.0f);
}

TEST(MotionBehaviors, RotateTurnsAtHundredOverSpeedRadiansPerSecond) {
  struct Case {
    const char* what;
    float speed;
    float after1s;
  };
  const Case cases[] = {
      {"speed 100", 100, 1.0f},
      {"speed -50 turns clockwise", -50, -2.0f},
      {"speed 0: no rotation", 0, 0.0f},
  };
  for (const Case& c : cases) {
    auto element = ElementAt(0, 0);
    element->AddBehavior(new BvRotateBehavior(c.speed));
    Step(*element, 1000.0f);
    EXPECT_NEAR(element->GetLocalRotation(), c.after1s, 1e-5f) << c.what;
  }
}

TEST(MotionBehaviors, PathWithStopRunsThroughItsPointsAndFinishes) {
  auto element = ElementAt(0, 0);
  auto* path = new BvPathBehavior({{100, 0}}, BvPathBehavior::kFlagStop, 1000, 0.5f);
  element->AddBehavior(path);
  ASSERT_EQ(path->GetPoints().size(), 3u) << "start inserted, last point doubled";
  EXPECT_EQ(path->GetPoints()[0], vector2df(0, 0));

  // speed 1000: one segment per 100 ms of elapsed time.
  Step(*element, 50.0f);  // t = 0.5
  // Hermite at t = 0.5 with m0 = 0 (wraps to (100, 0) - (100, 0)) and
  // m1 = 0.5 x (100, 0): 0.5 x 100 - 0.125 x 50.
  EXPECT_NEAR(element->GetLocalPosition().X, 43.75f, 1e-3f);
  EXPECT_EQ(element->GetBehaviors().size(), 1u);
  Step(*element, 50.0f);  // u = 1: the real path is run through
  EXPECT_EQ(element->GetLocalPosition(), vector2df(100, 0));
  EXPECT_TRUE(element->GetBehaviors().empty()) << "finished at the end of the path";
}

TEST(MotionBehaviors, PathWithoutStopLoopsAndCanTurnTheElement) {
  auto element = ElementAt(0, 0);
  element->AddBehavior(
      new BvPathBehavior({{100, 0}, {100, 100}}, BvPathBehavior::kFlagTurn, 1000, 0.5f));
  for (int i = 0; i < 25; ++i) Step(*element, 10.0f);  // u = 2.5: third segment
  EXPECT_EQ(element->GetBehaviors().size(), 1u) << "a path without stop loops";
  // Third segment runs from (100, 100) back to the start (0, 0).
  const vector2df p = element->GetLocalPosition();
  EXPECT_GT(p.X, 0.0f);
  EXPECT_LT(p.X, 100.0f);
  EXPECT_GT(p.Y, 0.0f);
  EXPECT_LT(p.Y, 100.0f);
  EXPECT_NE(element->GetLocalRotation(), 0.0f) << "turned along the path";
  for (int i = 0; i < 5; ++i) Step(*element, 10.0f);  // u = 3: back at the start
  EXPECT_NEAR(element->GetLocalPosition().X, 0.0f, 1e-3f);
  EXPECT_NEAR(element->GetLocalPosition().Y, 0.0f, 1e-3f);
}

TEST(MotionBehaviors, PathAngleFollowsTheScreenConvention) {
  struct Case {
    vector2df d;
    double degrees;
  };
  const Case cases[] = {
      {{1, 0}, 0},     {{-1, 0}, 180},  {{0, -1}, 90},   {{0, 1}, 270},
      {{1, 1}, 315},   {{1, -1}, 45},   {{-1, -1}, 135}, {{-1, 1}, 225},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(bv::PathAngleDegrees(c.d), c.degrees, 1e-4) << c.d.X << "," << c.d.Y;
  }
}

}  // namespace
