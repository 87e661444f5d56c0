// Possible moves and the hint they record, the shuffle, the idle wave.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "game/board/layout.h"
#include "support/fake_board_host.h"
#include "support/fixed_random.h"

namespace {

using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::Rows;

class LayoutMoves : public ::testing::Test {
 protected:
  LayoutMoves() : board(&host) { board.Reset(); }
  bv::test::FixedRandom random{5};
  bv::test::ScopedRandom scoped{&random};
  bv::test::FakeBoardHost host;
  BvLayout board;
};

TEST_F(LayoutMoves, EachPatternRecordsItsMove) {
  struct Case {
    const char* what;
    Rows grid;  // drawn at (3, 3); the tested cell is (a, b) in the drawing
    int a, b;
    int hintColumn, hintRow, direction;  // in the drawing
  };
  // '1' is the colour tested; '2' fills gaps; '.' empty cells.
  const Case cases[] = {
      {"x.x with the partner above", {".1.", "121"}, 0, 1, 1, 1, kHintUp},
      {"x.x with the partner below", {"121", ".1."}, 0, 0, 1, 0, kHintDown},
      {"xx. with the partner above", {"..1", "112"}, 0, 1, 2, 1, kHintUp},
      {"xx. with the partner beyond", {"1121"}, 0, 0, 2, 0, kHintRight},
      {".xx with the partner before", {"1211"}, 3, 0, 1, 0, kHintLeft},
      {"x.x from the right", {".1.", "121"}, 2, 1, 1, 1, kHintUp},
      {"vertical x.x, partner left", {"1.", "21", "1."}, 0, 0, 0, 1, kHintRight},
      {"vertical xx., partner below", {"1", "1", "2", "1"}, 0, 0, 0, 2, kHintDown},
      {"vertical from below, partner above", {"1", "2", "1", "1"}, 0, 3, 0, 1, kHintUp},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, c.grid, 3, 3);
    EXPECT_TRUE(board.HasMoveAt(3 + c.a, 3 + c.b, 1)) << c.what;
    const BvHintHelper& hint = board.GetHint();
    EXPECT_EQ(hint.GetColumn(), 3 + c.hintColumn) << c.what;
    EXPECT_EQ(hint.GetRow(), 3 + c.hintRow) << c.what;
    EXPECT_EQ(hint.GetDirection(), c.direction) << c.what;
  }
}

TEST_F(LayoutMoves, LocksEmptyCellsAndTheBoardsEdgeGiveNoMove) {
  struct Case {
    const char* what;
    Rows grid, locks;
    int column0;
  };
  const Case cases[] = {
      {"locked partner", {".1.", "121"}, {"010", "000"}, 3},
      {"locked gap", {".1.", "121"}, {"000", "010"}, 3},
      {"empty gap", {".1.", "1.1"}, {"000", "000"}, 3},
      {"partner beyond the left edge", {"2112"}, {"0000"}, 0},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, c.grid, c.column0, 3);
    DrawLocks(board, c.locks, c.column0, 3);
    EXPECT_FALSE(board.HasPossibleMove()) << c.what;
    EXPECT_EQ(board.GetHint().GetDirection(), kHintNone) << c.what;
  }
}

TEST_F(LayoutMoves, TheHintIsTheFirstMoveInRowOrder) {
  DrawPieces(board, {"3343", "5545", "1121"}, 4, 4);
  ASSERT_TRUE(board.HasPossibleMove());
  EXPECT_EQ(board.GetHint().GetColumn(), 6);
  EXPECT_EQ(board.GetHint().GetRow(), 4);
  EXPECT_EQ(board.GetHint().GetDirection(), kHintRight);
}

TEST_F(LayoutMoves, ShuffleLeavesAMoveAndNoRunOnTheSameCells) {
  DrawPieces(board, {"123451", "345123", "512345", "234512"}, 2, 2);
  DrawLocks(board, {"000000", "001000", "000000", "000000"}, 2, 2);
  ASSERT_FALSE(board.HasPossibleMove());
  board.Shuffle();
  EXPECT_TRUE(board.HasPossibleMove());
  for (int c = 2; c < 8; ++c) {
    for (int r = 2; r < 6; ++r) {
      const BvPiece& cell = board.GetCell(c, r);
      ASSERT_EQ(cell.present, 1);
      EXPECT_GE(cell.colour, 1);
      EXPECT_LE(cell.colour, 5);
      const int k = cell.colour;
      // No run: the cell with its two right or two lower neighbours.
      if (c + 2 < 8) {
        EXPECT_FALSE(board.GetCell(c + 1, r).colour == k && board.GetCell(c + 2, r).colour == k);
      }
      if (r + 2 < 6) {
        EXPECT_FALSE(board.GetCell(c, r + 1).colour == k && board.GetCell(c, r + 2).colour == k);
      }
    }
  }
  EXPECT_EQ(board.GetCell(4, 3).lockCounter, 1) << "locks stay with their cells";
}

TEST_F(LayoutMoves, AShuffleThatFindsNoMoveStopsAfterTenPasses) {
  // Two pieces can never make a run: every pass fails. Each draw is taken
  // at once (it differs from the cell's colour before the pass), so a pass
  // draws twice: the first cell takes 1, 2, 1, ... and the second 3, 4, 3,
  // ... pass after pass.
  // Values for more passes than any cap would run (a colour repeated from
  // an exhausted script would be drawn again forever).
  bv::test::ScriptedRandom scripted;
  for (int pass = 0; pass < 200; ++pass) scripted.Push({pass % 2, 2 + pass % 2});
  bv::test::ScopedRandom install(&scripted);
  DrawPieces(board, {"12"}, 5, 5);
  board.Shuffle();
  EXPECT_EQ(scripted.drawn, 20) << "ten passes of two draws";
  EXPECT_FALSE(board.HasPossibleMove());
  EXPECT_EQ(board.GetCell(5, 5).colour, 2) << "the tenth pass's colours stay";
  EXPECT_EQ(board.GetCell(6, 5).colour, 4);
}

TEST_F(LayoutMoves, TheIdleWaveSweepsDiagonalsEveryTenSeconds) {
  board.Reset();
  board_test::RestartIdleWave(board);
  DrawPieces(board, {"12", "34", "51"}, 0, 0);
  board.UpdateIdleWave(10000);
  EXPECT_FALSE(board.IsIdleWaveActive()) << "starts after more than 10 s";
  board.UpdateIdleWave(1);
  EXPECT_TRUE(board.IsIdleWaveActive());
  board.UpdateIdleWave(10);  // diagonal 0
  EXPECT_EQ(board.GetCell(0, 0).animation, kAnimIdle);
  EXPECT_EQ(board.GetCell(1, 0).animation, kAnimPlain);
  board.UpdateIdleWave(150);  // diagonal 1
  EXPECT_EQ(board.GetCell(1, 0).animation, kAnimIdle);
  EXPECT_EQ(board.GetCell(0, 1).animation, kAnimIdle);
  EXPECT_EQ(board.GetCell(1, 1).animation, kAnimPlain);
  board.GetCell(1, 1).animation = kAnimTurn;  // the selected piece
  board.UpdateIdleWave(150);                  // diagonal 2
  EXPECT_EQ(board.GetCell(0, 2).animation, kAnimIdle);
  EXPECT_EQ(board.GetCell(1, 1).animation, kAnimTurn) << "only a piece at rest idles";
  board.UpdateIdleWave(34 * 150);
  EXPECT_FALSE(board.IsIdleWaveActive());
  EXPECT_FLOAT_EQ(board.GetIdleWaveTimer(), 0);
}

TEST_F(LayoutMoves, TheIdleWaveRunsOnBetweenLevels) {
  board.UpdateIdleWave(6000);
  board.Reset();  // the next level
  EXPECT_FLOAT_EQ(board.GetIdleWaveTimer(), 6000) << "the wait is not started again";
  board.UpdateIdleWave(4001);
  ASSERT_TRUE(board.IsIdleWaveActive());
  board.Reset();
  EXPECT_TRUE(board.IsIdleWaveActive()) << "a running wave goes on over the new level";
  DrawPieces(board, {"1"}, 0, 0);
  board.UpdateIdleWave(10);
  EXPECT_EQ(board.GetCell(0, 0).animation, kAnimIdle);
}

}  // namespace
