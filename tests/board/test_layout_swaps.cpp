// Selection and swaps through the cells' events, without level elements.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::ReadPieces;
using board_test::Rows;

class LayoutSwaps : public ::testing::Test {
 protected:
  LayoutSwaps() {
    world.host.manager = nullptr;
    board.SetHost(&world.host);
    board.Reset();
    DrawPieces(board, {"1234", "2345", "3451"});
    world.ClearSounds();
  }
  void Press(int c, int r) { board.GetCell(c, r).Click(); }

  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(LayoutSwaps, PressesSelectMoveTheSelectionAndStartSwaps) {
  Press(1, 1);
  EXPECT_EQ(board.GetFirstColumn(), 1);
  EXPECT_EQ(board.GetFirstRow(), 1);
  EXPECT_EQ(board.GetCell(1, 1).animation, kAnimTurn);

  Press(1, 1);
  EXPECT_EQ(board.GetFirstColumn(), 1) << "holding the button on the selection changes nothing";
  EXPECT_FALSE(board.IsSwapRunning());

  Press(2, 2);  // diagonal: the selection moves
  EXPECT_EQ(board.GetFirstColumn(), 2);
  EXPECT_EQ(board.GetFirstRow(), 2);
  EXPECT_EQ(board.GetCell(1, 1).animation, kAnimPlain);
  EXPECT_EQ(board.GetCell(2, 2).animation, kAnimTurn);

  Press(0, 2);  // two cells away: moves again
  EXPECT_EQ(board.GetFirstColumn(), 0);

  Press(0, 1);  // neighbour above: the swap starts
  EXPECT_TRUE(board.IsSwapRunning());
  EXPECT_EQ(board.GetCell(0, 2).motion, kMotionSwap);
  EXPECT_EQ(board.GetCell(0, 1).motion, kMotionSwap);
  EXPECT_EQ(board.GetCell(0, 2).swapRow, 1);
  EXPECT_EQ(board.GetCell(0, 1).swapRow, 2);

  Press(3, 0);
  EXPECT_EQ(board.GetSecondColumn(), 0) << "presses wait while the swap runs";
}

TEST_F(LayoutSwaps, ALockedPieceRefusesWithASound) {
  DrawLocks(board, {"0100"});
  Press(1, 0);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  EXPECT_EQ(world.PlayedSounds(), std::vector<std::string>{"locked"});
}

TEST_F(LayoutSwaps, TheBoardTakesTheLeftClickOfALockedPressAndOfAnArrival) {
  // The click a press raised is used up where the board acts on it for
  // good, so nothing else (a monster under the cursor) acts on it too.
  struct Case {
    const char* what;
    void (*act)(BvLayout&);
    bool consumed;
  };
  const Case cases[] = {
      {"a press on a locked piece",
       [](BvLayout& b) {
         b.GetCell(1, 0).lockCounter = 1;
         b.GetCell(1, 0).Click();
       },
       true},
      {"the swap's arrival",
       [](BvLayout& b) {
         b.GetCell(0, 0).Click();
         b.GetCell(1, 0).Click();
         b.OnNotify(kEventSwapArrived, &b.GetCell(0, 0));
       },
       true},
      {"the swap back's arrival",
       [](BvLayout& b) {
         b.GetCell(0, 0).Click();
         b.GetCell(1, 0).Click();
         b.OnNotify(kEventSwapBackArrived, &b.GetCell(0, 0));
       },
       true},
      {"the partner's own arrival", [](BvLayout& b) {
         b.GetCell(0, 0).Click();
         b.GetCell(1, 0).Click();
         b.OnNotify(kEventSwapArrived, &b.GetCell(1, 0));
       },
       false},
      {"a press that only selects", [](BvLayout& b) { b.GetCell(2, 2).Click(); }, false},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, {"1234", "2345", "3451"});
    world.host.leftClicked = true;
    c.act(board);
    EXPECT_EQ(world.host.leftClicked, !c.consumed) << c.what;
  }
}

TEST_F(LayoutSwaps, OnlyTheFirstCellsArrivalExchangesThePieces) {
  Press(0, 0);
  Press(1, 0);
  board.OnNotify(kEventSwapArrived, &board.GetCell(1, 0));
  EXPECT_FALSE(board.IsSwapFinished());
  EXPECT_EQ(ReadPieces(board, 2, 1), Rows{"12"});
  board.OnNotify(kEventSwapArrived, &board.GetCell(0, 0));
  EXPECT_TRUE(board.IsSwapFinished());
  EXPECT_EQ(ReadPieces(board, 2, 1), Rows{"21"});
  EXPECT_EQ(board.GetCell(0, 0).motion, kMotionSwapped);
  EXPECT_EQ(board.GetCell(1, 0).motion, kMotionSwapped);
}

TEST_F(LayoutSwaps, APieceSlidingAwayStartsNoSwap) {
  Press(1, 1);
  board.GetCell(1, 1).motion = kMotionSlideLeft;
  Press(2, 1);
  EXPECT_FALSE(board.IsSwapRunning());
  board.GetCell(1, 1).motion = kMotionIdle;
  board.ClearSelection();
  Press(1, 1);
  board.GetCell(1, 1).motion = kMotionFall;
  Press(1, 2);
  EXPECT_TRUE(board.IsSwapRunning()) << "a falling selection still swaps";
}

TEST_F(LayoutSwaps, PressesAndDeselectionWaitWhileTheBoardIsBusy) {
  struct Case {
    const char* what;
    void (*makeBusy)(BvLayout&);
  };
  const Case cases[] = {
      {"swap running",
       [](BvLayout& b) { b.GetCell(1, 0).Click(); }},
      {"no-more-moves show",
       [](BvLayout& b) {
         b.SetNoMoreMoves();
         b.UpdateNoMoreMoves(16);
       }},
      // The won show's fades remove the sprites a press would touch.
      {"level won",
       [](BvLayout& b) { b.CheckLevelWon(); }},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, {"1234", "2345", "3451"});
    Press(0, 0);
    ASSERT_EQ(board.GetFirstColumn(), 0);
    c.makeBusy(board);
    const int second = board.GetSecondColumn();
    Press(1, 1);
    EXPECT_EQ(board.GetFirstColumn(), 0) << c.what;
    EXPECT_EQ(board.GetSecondColumn(), second) << c.what;
    EXPECT_EQ(board.GetCell(1, 1).animation, kAnimPlain) << c.what;
    board.ClearSelection();
    EXPECT_EQ(board.GetFirstColumn(), 0) << c.what << ": deselection waits too";
    EXPECT_EQ(board.GetCell(0, 0).animation, kAnimTurn) << c.what;
  }
}

TEST_F(LayoutSwaps, RightButtonDropsTheSelection) {
  Press(2, 1);
  board.ClearSelection();
  EXPECT_EQ(board.GetFirstColumn(), -1);
  EXPECT_EQ(board.GetSecondColumn(), -1);
  EXPECT_EQ(board.GetCell(2, 1).animation, kAnimPlain);
}

TEST_F(LayoutSwaps, ASwapWhosePieceIsDestroyedOnTheWayEnds) {
  struct Case {
    const char* what;
    bool destroyFirst;
  };
  for (const Case& c : {Case{"first destroyed", true}, Case{"second destroyed", false}}) {
    board.Reset();
    DrawPieces(board, {"1234", "2345", "3451"});
    board_test::KeepUnwon(board);
    Press(1, 1);
    Press(2, 1);
    ASSERT_TRUE(board.IsSwapRunning());
    BvPiece& gone = board.GetCell(c.destroyFirst ? 1 : 2, 1);
    BvPiece& kept = board.GetCell(c.destroyFirst ? 2 : 1, 1);
    gone.Destroy(0, false);
    board.Update(16);
    EXPECT_FALSE(board.IsSwapRunning()) << c.what;
    EXPECT_EQ(kept.motion, kMotionIdle) << c.what << ": the other piece lands";
    EXPECT_EQ(gone.motion, kMotionIdle) << c.what;
    EXPECT_EQ(board.GetFirstColumn(), -1) << c.what;
    Press(0, 0);
    EXPECT_EQ(board.GetFirstColumn(), 0) << c.what << ": input works again";
  }
}

}  // namespace
