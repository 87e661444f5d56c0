// The game's two behaviours: the piece's mouse (type 1001) and the found
// object's stars (type 1002).
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "game/board/layout.h"
#include "game/board/piece_mouse_behavior.h"
#include "game/board/stars_behavior.h"
#include "support/board_world.h"

namespace {

constexpr float kFrameMs = 16.0f;

class PieceMouse : public ::testing::Test {
 protected:
  PieceMouse() : board(&world.host) {
    board.Setup(board_test::BlockLayout(4, 4, 8, 8).data());
    world.RunLevel(kFrameMs);  // bodies are made
    world.host.profile.matches = 1;
  }
  void Hover(int c, int r) {
    const irr::core::vector2df p = CellToScreen(c, r);
    world.MoveCursorTo(p.X, p.Y);
  }
  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(PieceMouse, HoverShowsTheIdleAnimationAndAHeldButtonPresses) {
  Hover(6, 6);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetCell(6, 6).animation, kAnimIdle);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  world.SetLeftButton(true);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), 6);
  EXPECT_EQ(board.GetFirstRow(), 6);
  // Dragging onto the neighbour with the button held swaps.
  Hover(7, 6);
  world.RunLevel(kFrameMs);
  EXPECT_TRUE(board.IsSwapRunning());
  world.SetLeftButton(false);
  Hover(0, 0);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetCell(7, 6).animation, kAnimPlain) << "an image sprite resets at once";
}

TEST_F(PieceMouse, NoPressOnAMovingPieceOrUnderADialog) {
  board.GetCell(5, 5).motion = kMotionFall;
  Hover(5, 5);
  world.SetLeftButton(true);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  board.GetCell(5, 5).motion = kMotionIdle;
  world.manager()->RenderCurrentLevel(kFrameMs, false, true);  // under a GUI
  EXPECT_EQ(board.GetFirstColumn(), -1);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), 5);
}

TEST_F(PieceMouse, ASpriteThatIsNoLongerACellsPieceIsLeftAlone) {
  BvLevelElement* sprite = board.GetCell(5, 5).GetSprite();
  // A user pointer that is no piece, and one of a cell holding another
  // sprite: neither is pressed.
  BvFoundObject stranger;
  sprite->m_pUser = &stranger;
  Hover(5, 5);
  world.SetLeftButton(true);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  sprite->m_pUser = &board.GetCell(6, 6);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  EXPECT_EQ(board.GetCell(6, 6).animation, kAnimPlain);
  sprite->m_pUser = &board.GetCell(5, 5);
  world.RunLevel(kFrameMs);
  EXPECT_EQ(board.GetFirstColumn(), 5);
}

// Pieces whose idle sprites are animations of four frames at 40 frames a
// second: one run lasts 100 ms and ends with the element's notification.
TEST(IdlePieces, AnIdleAnimationThatEndsReturnsThePieceToRestThroughItsNotification) {
  constexpr int kLoop = 1, kOnce = 3;
  struct Case {
    const char* what;
    int animType;
    bool hovered;       // the cursor over the piece from the start
    float leaveAtMs;    // the cursor moves away then (-1: never)
    bool plainAtEnd;    // back to "P%d" once the run has ended
  };
  const Case cases[] = {
      {"the idle wave's animation, cursor elsewhere", kLoop, false, -1, true},
      {"a play-once animation under the cursor", kOnce, true, -1, true},
      {"a looping animation under the cursor plays on", kLoop, true, -1, false},
      {"the cursor leaves half-way: the run ends first", kLoop, true, 48, true},
  };
  for (const Case& c : cases) {
    bv::test::BoardWorld world;
    for (const char* name : {"P1Idle", "P2Idle", "P3Idle", "P4Idle", "P5Idle"})
      world.AnimateTemplate(name, c.animType, 4, 40.0f);
    BvLayout board(&world.host);
    board.Setup(board_test::BlockLayout(4, 4, 8, 8).data());
    world.RunLevel(kFrameMs);
    BvPiece& cell = board.GetCell(6, 6);  // anti-diagonal 12
    const std::string plain = "P" + std::to_string(cell.colour);
    const std::string idle = plain + "Idle";
    if (c.hovered) {
      const irr::core::vector2df p = CellToScreen(6, 6);
      world.MoveCursorTo(p.X, p.Y);
    } else {
      board_test::RestartIdleWave(board);
      board.UpdateIdleWave(10001.0f);
      board.UpdateIdleWave(12 * 150.0f + 1.0f);
    }
    world.RunLevel(0.0f);
    ASSERT_EQ(cell.animation, kAnimIdle) << c.what;
    float t = 0;
    for (; t < 96; t += kFrameMs) {
      if (c.leaveAtMs >= 0 && t >= c.leaveAtMs) world.MoveCursorTo(-1000, -1000);
      world.RunLevel(kFrameMs);
      ASSERT_EQ(cell.animation, kAnimIdle) << c.what << " at " << t << " ms: the run is not over";
      EXPECT_EQ(cell.GetSprite()->GetSourceElement()->GetNameString(), idle) << c.what;
    }
    world.RunLevel(kFrameMs);  // past 100 ms
    EXPECT_EQ(cell.animation, c.plainAtEnd ? kAnimPlain : kAnimIdle) << c.what;
    EXPECT_EQ(cell.GetSprite()->GetSourceElement()->GetNameString(), c.plainAtEnd ? plain : idle)
        << c.what;
  }
}

class StarsBehavior : public ::testing::Test {
 protected:
  StarsBehavior() {
    target = CreateLevelElement(world.manager(), irr::core::vector2df(100, 50), "P1", -1);
    target->m_pUser = &record;
    target->AddBehavior(new BvStarsBehavior());
    world.RunLevel(kFrameMs);
  }
  bv::test::BoardWorld world;
  BvFoundObject record;
  BvLevelElement* target = nullptr;
};

TEST_F(StarsBehavior, UntilFoundItTracksTheCursor) {
  world.MoveCursorTo(100, 50);
  world.RunLevel(kFrameMs);
  EXPECT_TRUE(record.hovered);
  world.MoveCursorTo(-300, 50);
  world.RunLevel(kFrameMs);
  EXPECT_FALSE(record.hovered);
  EXPECT_EQ(world.CountElements("stars"), 0);
}

TEST_F(StarsBehavior, AFoundObjectBurstsOnceAndSpinsAway) {
  record.found = true;
  world.RunLevel(0);  // a frame with no time still bursts only once
  for (int i = 0; i < 10; ++i) world.RunLevel(kFrameMs);
  EXPECT_EQ(world.CountElements("stars"), 1);
  EXPECT_GT(target->GetScale().X, 1.0f);
  EXPECT_EQ(target->GetLayer(), 5);
  for (int i = 0; i < 300; ++i) world.RunLevel(kFrameMs);
  EXPECT_EQ(world.CountElements("P1"), 0) << "the object faded away";
}

TEST_F(StarsBehavior, ATargetWhoseUserIsNoFoundObjectIsLeftAlone) {
  BvLayout board(&world.host);
  target->m_pUser = &board.GetCell(1, 1);
  world.MoveCursorTo(100, 50);
  for (int i = 0; i < 5; ++i) world.RunLevel(kFrameMs);
  EXPECT_EQ(world.CountElements("stars"), 0);
  EXPECT_FLOAT_EQ(target->GetScale().X, 1.0f);
  target->m_pUser = nullptr;
}

}  // namespace
