// The camera: its reset view, the per-layer parallax factor as the level
// manager applies it, and its behaviour run with the wait rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/camera.h"
#include "engine/level/level_manager.h"
#include "support/recording_behavior.h"

namespace {

using StepBehavior = bv::test::RecordingBehavior;

TEST(Camera, ResetRestoresTheViewButKeepsBehaviours) {
  std::vector<std::string> log;
  BvCamera camera;
  EXPECT_STREQ(camera.GetClassName(), "BvCamera");
  EXPECT_EQ(camera.GetDynType(), -1);
  EXPECT_EQ(camera.GetType(), 0);
  camera.SetPosition(30.0f, -40.0f);
  camera.SetScale(2.0f, 3.0f);
  camera.SetRotation(0.5f);
  camera.SetParallax(0.7f);
  camera.AddBehavior(new StepBehavior(&log, "a", 100, 0));
  camera.Reset();
  EXPECT_EQ(camera.GetLocalPosition(), irr::core::vector2df(0.0f, 0.0f));
  EXPECT_EQ(camera.GetScale(), irr::core::vector2df(1.0f, 1.0f));
  EXPECT_EQ(camera.GetLocalRotation(), 0.0f);
  EXPECT_EQ(camera.GetParallax(), 0.0f);
  EXPECT_EQ(camera.GetBehaviors().size(), 1u);
  camera.InitPhysics();
  EXPECT_EQ(camera.GetBody(), nullptr);
}

TEST(Camera, LayerFollowsParallaxTimesLayerPlusOne) {
  BvLevelManager manager(nullptr, false);
  BvCamera* camera = manager.GetCamera();
  camera->SetPosition(100.0f, 0.0f);
  struct Case {
    float parallax;
    int layer;
    float shownX;
  };
  const Case cases[] = {{0.0f, 0, -100.0f}, {0.0f, 5, -100.0f}, {1.0f, 3, -400.0f},
                        {0.5f, 2, -200.0f}, {1.0f, 0, -100.0f}};
  for (const Case& c : cases) {
    camera->SetParallax(c.parallax);
    EXPECT_FLOAT_EQ(camera->GetLayerFactor(c.layer), c.parallax * c.layer + 1.0f);
    irr::core::vector2df position(0.0f, 0.0f), scale(1.0f, 1.0f);
    float angle = 0.0f;
    manager.ApplyCamera(position, scale, angle, c.layer);
    EXPECT_FLOAT_EQ(position.X, c.shownX) << "parallax " << c.parallax << " layer " << c.layer;
  }
}

TEST(Camera, WaitSecondHoldsUntilTheFirstIsGone) {
  std::vector<std::string> log;
  BvCamera camera;
  camera.AddBehavior(new StepBehavior(&log, "move", 100, 2));
  camera.AddBehavior(new StepBehavior(&log, "wait", kBehaviorWait, 1));
  camera.AddBehavior(new StepBehavior(&log, "zoom", 100, 0));
  camera.Update(16.0f);
  camera.Update(16.0f);  // move finishes and is deleted
  camera.Update(16.0f);  // the wait is first: runs, finishes, stops the run
  camera.Update(16.0f);
  const std::vector<std::string> expected = {"move", "move", "~move", "wait", "~wait", "zoom"};
  EXPECT_EQ(log, expected);
  EXPECT_EQ(camera.GetBehaviors().size(), 1u);
}

}  // namespace
