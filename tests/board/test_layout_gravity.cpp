// One gravity and refill pass on hand-made columns: which pieces fall,
// slide or appear.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "engine/level/level_element.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "support/board_world.h"
#include "support/fake_board_host.h"
#include "support/fixed_random.h"

namespace {

using board_test::DrawBackgrounds;
using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::ReadPieces;
using board_test::Rows;

// Motions of columns column0..column0 + 2 as text: '0'..'6' for cells with a
// piece, '.' without.
Rows ReadMotions(const BvLayout& board, int rows, int column0) {
  Rows out;
  for (int r = 0; r < rows; ++r) {
    std::string line;
    for (int c = column0; c < column0 + 3; ++c) {
      const BvPiece& cell = board.GetCell(c, r);
      line += cell.present == 1 ? char('0' + cell.motion) : '.';
    }
    out.push_back(line);
  }
  return out;
}

TEST(LayoutGravity, OnePassMovesPiecesAsTheCellsAllow) {
  struct Case {
    const char* what;
    Rows pieces, backgrounds, locks;
    bool leftSupplierFalls;
    Rows piecesAfter, motionsAfter;
  };
  // Columns 1 to 3 from row 0. New pieces take the first colour drawn from
  // seed 1, which is 2.
  const Case cases[] = {
      {"a piece falls into the hole below and on through empty cells",
       {"#1#", "#.#", "#.#"}, {"010", "010", "010"}, {}, false,
       {"...", "...", ".1."}, {"...", "...", ".1."}},
      {"a piece at rest beside an empty cell under a lock slides right",
       {"11#", "#.#"}, {"110", "010"}, {"010"}, false,
       {".1.", ".1."}, {".0.", ".3."}},
      {"the left supplier is preferred",
       {"213", "#.#"}, {"111", "010"}, {"010"}, false,
       {".13", ".2."}, {".00", ".3."}},
      {"the right supplier when the left one moves",
       {"213", "#.#"}, {"111", "010"}, {"010"}, true,
       {"21.", ".3."}, {"10.", ".2."}},
      {"a new piece under a cage",
       {"###", "#.#"}, {"040", "010"}, {}, false,
       {"...", ".2."}, {"...", ".1."}},
      {"a new piece under a hole at the top",
       {"###", "#.#"}, {"000", "010"}, {}, false,
       {"...", ".2."}, {"...", ".1."}},
      {"a locked piece with no free neighbour leaves the cell empty",
       {"#1#", "#.#"}, {"010", "010"}, {"010"}, false,
       {".1.", "..."}, {".0.", "..."}},
      {"a chain cell feeds no piece but refills below",
       {"#.#", "#.#"}, {"050", "010"}, {}, false,
       {"...", ".2."}, {"...", ".1."}},
  };
  for (const Case& c : cases) {
    bv::test::FixedRandom random(1);
    bv::test::ScopedRandom scoped(&random);
    bv::test::FakeBoardHost host;
    BvLayout board(&host);
    board.Reset();
    DrawPieces(board, c.pieces, 1, 0);
    DrawBackgrounds(board, c.backgrounds, 1, 0);
    if (!c.locks.empty()) DrawLocks(board, c.locks, 1, 0);
    if (c.leftSupplierFalls) board.GetCell(1, 0).motion = kMotionFall;
    board.ApplyGravityAndRefill();
    const int rows = int(c.pieces.size());
    EXPECT_EQ(ReadPieces(board, 3, rows, 1, 0), c.piecesAfter) << c.what;
    EXPECT_EQ(ReadMotions(board, rows, 1), c.motionsAfter) << c.what;
  }
}

TEST(LayoutGravity, AFallWaitsForTheTargetsDelayButSlidesDoNot) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  board.Reset();
  DrawPieces(board, {"#1#", "#.#"}, 1, 0);
  board.GetCell(2, 1).delay = 500;
  board.ApplyGravityAndRefill();
  EXPECT_EQ(ReadPieces(board, 3, 2, 1, 0), (Rows{".1.", "..."}));

  // Now the cell above is no cell and a piece waits up-left.
  DrawPieces(board, {"1#", "#."}, 1, 0);
  board.GetCell(2, 1).delay = 500;
  board.ApplyGravityAndRefill();
  EXPECT_EQ(board.GetCell(2, 1).present, 1) << "the slide ignores the delay";
  EXPECT_EQ(board.GetCell(2, 1).motion, kMotionSlideRight);
}

TEST(LayoutGravity, ANewPieceStartsOneCellAboveItsTarget) {
  struct Case {
    const char* what;
    int above;  // background kind of the cell above the empty one
    int row;    // of the cell above
  };
  const Case cases[] = {
      {"under the hole at the top", kBackNone, 0},
      {"under a cage", kBackCage, 4},
      {"under a horizontal chain", kBackChainH, 7},
      {"under a vertical chain", kBackChainV, 10},
  };
  for (const Case& c : cases) {
    bv::test::BoardWorld world;
    BvLayout board(&world.host);
    board.Reset();
    board.GetCell(6, c.row).background = c.above;
    DrawPieces(board, {"."}, 6, c.row + 1);
    board.ApplyGravityAndRefill();
    const BvPiece& target = board.GetCell(6, c.row + 1);
    ASSERT_EQ(target.present, 1) << c.what;
    ASSERT_NE(target.GetSprite(), nullptr) << c.what;
    EXPECT_EQ(target.GetSprite()->GetPosition(), CellToScreen(6, c.row)) << c.what;
    EXPECT_EQ(target.motion, kMotionFall) << c.what;
  }
}

TEST(LayoutGravity, TheOuterColumnsAreNeverRefilled) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  board.Reset();
  DrawPieces(board, {"1", "."}, 0, 0);
  DrawPieces(board, {"1", "."}, 16, 0);
  board.ApplyGravityAndRefill();
  EXPECT_EQ(board.GetCell(0, 1).present, 0);
  EXPECT_EQ(board.GetCell(16, 1).present, 0);
}

}  // namespace
