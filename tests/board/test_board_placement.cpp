// Board geometry and the three element-creation helpers.
#include <gtest/gtest.h>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "game/board/board_geometry.h"
#include "game/board/board_placement.h"
#include "support/board_world.h"

namespace {

TEST(BoardPlacement, CellToScreenFollowsTheBoardGrid) {
  struct Case {
    int column, row;
    float x, y;
  };
  const Case cases[] = {{0, 0, -350, 257}, {16, 12, 354, -271}, {8, 6, 2, -7}, {1, 0, -306, 257}};
  for (const Case& c : cases) {
    const irr::core::vector2df p = CellToScreen(c.column, c.row);
    EXPECT_FLOAT_EQ(p.X, c.x) << c.column << "," << c.row;
    EXPECT_FLOAT_EQ(p.Y, c.y) << c.column << "," << c.row;
  }
}

TEST(BoardPlacement, WithoutAManagerNothingIsCreated) {
  const irr::core::vector2df at(0, 0);
  EXPECT_EQ(CreateFallingElement(nullptr, at, "P1", true, -1), nullptr);
  EXPECT_EQ(CreateImageElement(nullptr, at, "P1", -1), nullptr);
  EXPECT_EQ(CreateEffectElement(nullptr, at, "P1", 1, 1, 1, 100), nullptr);
}

TEST(BoardPlacement, ElementsGetTheirBodiesDelaysAndBehaviours) {
  bv::test::BoardWorld world;
  const irr::core::vector2df at(10, 20);

  BvLevelElement* debris = CreateFallingElement(world.manager(), at, "P2", true, -1);
  ASSERT_NE(debris, nullptr);
  EXPECT_EQ(debris->GetDynType(), 2);
  EXPECT_TRUE(debris->GetGravity());
  EXPECT_FALSE(debris->GetCollision()) << "debris passes the level's borders and falls off";
  EXPECT_STREQ(debris->GetSourceElement()->GetName(), "P2");

  BvLevelElement* image = CreateImageElement(world.manager(), at, "pt5", 250);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->GetDynType(), -1);
  EXPECT_FLOAT_EQ(image->GetStartDelay(), 250);

  BvLevelElement* effect = CreateEffectElement(world.manager(), at, "explo1", 0, 0, 0.6f, 100);
  ASSERT_NE(effect, nullptr);
  EXPECT_EQ(effect->GetDynType(), -1);
  EXPECT_FLOAT_EQ(effect->GetScale().X, 0.6f);
  ASSERT_EQ(effect->GetBehaviors().size(), 1u);
  EXPECT_EQ(effect->GetBehaviors()[0]->GetType(), kBehaviorExpire);
  world.RunLevel(150);
  world.RunLevel(16);
  EXPECT_EQ(world.CountElements("explo1"), 0) << "the effect removes itself after its lifetime";
}

TEST(BoardPlacement, DebrisFallsThroughTheBorders) {
  bv::test::BoardWorld world;
  CreateBorders(world.level(), world.manager());
  BvLevelElement* debris = CreateFallingElement(world.manager(), irr::core::vector2df(0, -250), "P1", true, -1);
  ASSERT_NE(debris, nullptr);
  for (int i = 0; i < 120; ++i) world.RunLevel(16);
  EXPECT_LT(debris->GetPosition().Y, -300.0f) << "below the bottom border";
}

}  // namespace
