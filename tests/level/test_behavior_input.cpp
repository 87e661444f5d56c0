// Mouse-driven behaviours with a simulated cursor: the element switch and
// its restore, growth while hovered, following the mouse, and the GUI lock.
#include <gtest/gtest.h>

#include <memory>

#include "engine/level/element.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/sprite.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

class InputBehaviors : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!g_System) {
      ownSystem = std::make_unique<BvSystem>();
      g_System = ownSystem.get();
    }
    for (const char* name : {"home", "hover"}) {
      manager.GetElements()->AddObject(new BvImageElement(name));
    }
    hoverAnim = new BvAnimElement("hoveranim");
    hoverAnim->AddFrame(&sprite);
    hoverAnim->AddFrame(&sprite);
    manager.GetElements()->AddObject(hoverAnim);
    element.SetSourceElementByName("home");
    element.Update(1.0f);  // makes the static 20 by 20 pixel box at (0, 0)
  }
  void TearDown() override {
    if (ownSystem) g_System = nullptr;
  }

  // Cursor over the element (screen centre) or far from it.
  void CursorOver(bool over) {
    g_System->mouseX = over ? 400 : 10;
    g_System->mouseY = over ? 300 : 10;
  }
  const char* SourceName() const { return element.GetSourceElement()->GetName(); }

  std::unique_ptr<BvSystem> ownSystem;
  BvLevelManager manager{nullptr, true};
  BvSprite sprite;
  BvAnimElement* hoverAnim = nullptr;
  BvLevelElement element{&manager};
};

TEST_F(InputBehaviors, MouseOverElementSwitchesAndRestores) {
  element.SetAnimSpeed(7.0f);
  element.AddBehavior(new BvMouseOverElementBehavior("hover", 25.0f, nullptr));
  CursorOver(false);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "home");
  CursorOver(true);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "hover");
  EXPECT_FLOAT_EQ(element.GetAnimSpeed(), 25.0f);
  CursorOver(false);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "home");
  EXPECT_FLOAT_EQ(element.GetAnimSpeed(), 7.0f) << "the saved speed comes back";
}

TEST_F(InputBehaviors, AnAnimatedHoverGoesHomeAtItsEnd) {
  element.AddBehavior(new BvMouseOverElementBehavior("hoveranim", -1.0f, nullptr));
  CursorOver(true);
  element.Update(16.0f);
  ASSERT_STREQ(SourceName(), "hoveranim");
  CursorOver(false);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "hoveranim") << "waits for the animation's end";
  element.SetAnimType(1);
  element.Update(1000.0f);  // 10 frames per second over 2 frames: event 1
  EXPECT_STREQ(SourceName(), "home");
}

TEST_F(InputBehaviors, AMouseOverElementOnASourcelessElementHasNoHome) {
  BvLevelElement bare(&manager);
  auto* over = new BvMouseOverElementBehavior("hover", -1.0f, nullptr);
  bare.AddBehavior(over);
  EXPECT_EQ(over->GetHomeElementName(), "");
  bare.Notify(1);  // no source: nothing to compare, nothing happens
  EXPECT_EQ(bare.GetSourceElement(), nullptr);
}

TEST_F(InputBehaviors, GrowthTowardAFactorBelowOneStaysThere) {
  auto* grow = new BvMouseOverGrowBehavior(0.5f, 20.0f, nullptr);
  element.AddBehavior(grow);
  CursorOver(true);
  element.Update(16.0f);
  EXPECT_FLOAT_EQ(grow->GetCurrentFactor(), 0.5f) << "the first hovered frame passes 0.5";
  CursorOver(false);
  element.Update(16.0f);
  EXPECT_FLOAT_EQ(element.GetScale().X, 0.5f) << "shrinking back works only above 1";
}

TEST_F(InputBehaviors, GrowthSlowsAsItApproachesAndShrinksBack) {
  auto* grow = new BvMouseOverGrowBehavior(2.0f, 50.0f, nullptr);
  element.AddBehavior(grow);
  CursorOver(true);
  element.Update(100.0f);
  // current = 1 + |2 - 1| x 50 x 100 / 5000 = 2: capped at the factor.
  EXPECT_FLOAT_EQ(grow->GetCurrentFactor(), 2.0f);
  CursorOver(false);
  element.Update(50.0f);
  EXPECT_FLOAT_EQ(grow->GetCurrentFactor(), 1.5f);
  EXPECT_FLOAT_EQ(element.GetScale().X, 1.5f);
  element.Update(100.0f);
  EXPECT_FLOAT_EQ(grow->GetCurrentFactor(), 1.0f);
}

TEST_F(InputBehaviors, NothingReactsUnderAGui) {
  element.AddBehavior(new BvMouseOverElementBehavior("hover", -1.0f, nullptr));
  manager.RenderCurrentLevel(0.0f, true, true);
  ASSERT_TRUE(manager.IsUnderGui());
  CursorOver(true);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "home");
  manager.RenderCurrentLevel(0.0f, true, false);
  element.Update(16.0f);
  EXPECT_STREQ(SourceName(), "hover");
}

TEST_F(InputBehaviors, MouseMoveAddsTheMouseMovementToTheVelocity) {
  SetMouseDeltaSource([] { return BvMouseDelta{30.0f, 20.0f}; });
  BvLevelElement body(&manager);
  body.SetSourceElementByName("home");
  body.SetDynType(1);
  body.AddBehavior(new BvMouseMoveBehavior(true, true));
  body.Update(16.0f);
  EXPECT_EQ(body.GetLinearVelocity(), irr::core::vector2df(30.0f, -20.0f)) << "screen y is down";
  SetMouseDeltaSource(nullptr);
  body.Update(16.0f);
  EXPECT_EQ(body.GetLinearVelocity(), irr::core::vector2df(0.0f, 0.0f)) << "from rest each frame";
}

}  // namespace
