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
