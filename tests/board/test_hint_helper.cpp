// The hint as the player sees it: when its arrows come, where they stand
// for each direction, the sound, and what takes a shown hint away.
#include "game/board/hint_helper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::DrawPieces;

constexpr float kPi = 3.14159265f;

int CountSounds(const bv::test::BoardWorld& world, const char* name) {
  const std::vector<std::string> sounds = world.PlayedSounds();
  return int(std::count(sounds.begin(), sounds.end(), name));
}

const BvSinusYBehavior* Swing(const BvLevelElement* arrow) {
  for (const BvBehavior* behaviour : arrow->GetBehaviors()) {
    if (behaviour->GetType() == kBehaviorSinusY || behaviour->GetType() == kBehaviorCosinusX)
      return static_cast<const BvSinusYBehavior*>(behaviour);
  }
  return nullptr;
}

bool HasRemovingFadeOut(const BvLevelElement* arrow) {
  for (const BvBehavior* behaviour : arrow->GetBehaviors()) {
    auto* fade = dynamic_cast<const BvFadeOutBehavior*>(behaviour);
    if (fade && fade->GetRemoveElement()) return true;
  }
  return false;
}

TEST(HintCountdown, TheArrowsComeAfterTwentySecondsOfARecordedMove) {
  bv::test::BoardWorld world;
  BvHintHelper hint;
  hint.Update(30000.0f, world.manager());
  EXPECT_FALSE(hint.HasSprites()) << "no move recorded: no countdown";
  EXPECT_FLOAT_EQ(hint.GetCountdown(), 20000.0f);

  hint.SetHint(8, 6, kHintUp);
  hint.Update(19990.0f, world.manager());
  EXPECT_FALSE(hint.HasSprites()) << "19.99 s";
  EXPECT_FALSE(world.Played("hint"));
  hint.Update(20.0f, world.manager());
  ASSERT_TRUE(hint.HasSprites()) << "20.01 s";
  EXPECT_FLOAT_EQ(hint.GetCountdown(), 20000.0f) << "the countdown starts again";
  EXPECT_EQ(CountSounds(world, "hint"), 1);
  EXPECT_EQ(world.CountElements("hintright"), 1);
  EXPECT_EQ(world.CountElements("hintleft"), 1);

  // While shown the countdown stands and nothing is shown twice.
  hint.Update(30000.0f, world.manager());
  hint.ShowHint(world.manager());
  EXPECT_FLOAT_EQ(hint.GetCountdown(), 20000.0f);
  EXPECT_EQ(CountSounds(world, "hint"), 1);
  EXPECT_EQ(world.CountElements("hintright"), 1);

  // Reset starts the twenty seconds again.
  hint.Reset();
  hint.SetHint(8, 6, kHintUp);
  hint.Update(19990.0f, world.manager());
  EXPECT_FALSE(hint.HasSprites());
}

TEST(HintArrows, EachDirectionPointsTowardsThePartner) {
  struct Case {
    const char* what;
    int direction;
    irr::core::vector2df first, second;  // relative to the hint cell
    float rotation;
    int swing;  // behaviour type of the oscillation
  };
  const Case cases[] = {
      {"partner above", kHintUp, {-10, 22}, {10, 22}, kPi / 2, kBehaviorSinusY},
      {"partner below", kHintDown, {-10, -22}, {10, -22}, kPi / 2, kBehaviorSinusY},
      {"partner left", kHintLeft, {-22, 10}, {-22, -10}, 0.0f, kBehaviorCosinusX},
      {"partner right", kHintRight, {22, 10}, {22, -10}, 0.0f, kBehaviorCosinusX},
  };
  for (const Case& c : cases) {
    bv::test::BoardWorld world;
    BvHintHelper hint;
    hint.SetHint(5, 3, c.direction);
    hint.ShowHint(world.manager());
    ASSERT_TRUE(hint.HasSprites()) << c.what;
    const irr::core::vector2df cell = CellToScreen(5, 3);
    BvLevelElement* first = hint.GetFirstSprite();
    BvLevelElement* second = hint.GetSecondSprite();
    EXPECT_EQ(first->GetSourceElement()->GetNameString(), "hintright") << c.what;
    EXPECT_EQ(second->GetSourceElement()->GetNameString(), "hintleft") << c.what;
    EXPECT_EQ(first->GetPosition(), cell + c.first) << c.what;
    EXPECT_EQ(second->GetPosition(), cell + c.second) << c.what;
    int index = 0;
    for (BvLevelElement* arrow : {first, second}) {
      EXPECT_FLOAT_EQ(arrow->GetRotation(), c.rotation) << c.what;
      EXPECT_EQ(arrow->GetLayer(), 7) << c.what;
      const BvSinusYBehavior* swing = Swing(arrow);
      ASSERT_NE(swing, nullptr) << c.what;
      EXPECT_EQ(swing->GetType(), c.swing) << c.what;
      EXPECT_FLOAT_EQ(swing->GetRange(), 10.0f) << c.what;
      EXPECT_FLOAT_EQ(swing->GetPhase(), index++ == 0 ? 0.0f : kPi) << c.what << ": in opposition";
    }
    EXPECT_EQ(CountSounds(world, "hint"), 1) << c.what;
  }
}

// A board whose hint each case shows before it acts.
class ShownHint : public ::testing::Test {
 protected:
  ShownHint() : board(&world.host) {}
  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(ShownHint, AMatchACascadeOrASpellTakesItAway) {
  struct Case {
    const char* what;
    std::function<void(BvLayout&)> act;
  };
  const Case cases[] = {
      {"a cascade", [](BvLayout& b) {
         DrawPieces(b, {"555"}, 10, 10);
         b.ResolveMatches();
       }},
      {"the player's match", [](BvLayout& b) {
         DrawPieces(b, {"5545"}, 9, 10);
         b.GetCell(11, 10).Click();
         b.GetCell(12, 10).Click();
         b.OnNotify(kEventSwapArrived, &b.GetCell(11, 10));
         b.ResolveMatches();
       }},
      {"a spell", [](BvLayout& b) {
         b.GetSpells()[0].ready = true;
         b.StartSpell(0);
       }},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, {"12", "21", "12", "34", "53"}, 4, 4);
    ASSERT_TRUE(board.HasPossibleMove());
    BvHintHelper& hint = board.GetHint();
    hint.ShowHint(world.manager());
    ASSERT_TRUE(hint.HasSprites()) << c.what;
    BvLevelElement* first = hint.GetFirstSprite();
    BvLevelElement* second = hint.GetSecondSprite();
    c.act(board);
    EXPECT_FALSE(hint.HasSprites()) << c.what;
    EXPECT_EQ(hint.GetDirection(), kHintNone) << c.what;
    EXPECT_FLOAT_EQ(hint.GetCountdown(), 20000.0f) << c.what;
    EXPECT_TRUE(HasRemovingFadeOut(first)) << c.what << ": the arrows fade away";
    EXPECT_TRUE(HasRemovingFadeOut(second)) << c.what;
    for (int i = 0; i < 100; ++i) world.RunLevel(20.0f);
    EXPECT_EQ(world.CountElements("hintright"), 0) << c.what;
    EXPECT_EQ(world.CountElements("hintleft"), 0) << c.what;
  }
}

}  // namespace
