// Run search, match resolution, scoring and cascades on hand-made grids
// (no level elements: the rules alone).
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "board/board_grid.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::DrawBackgrounds;
using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::ReadPieces;
using board_test::Rows;
using Cells = std::set<std::pair<int, int>>;

class LayoutMatches : public ::testing::Test {
 protected:
  LayoutMatches() {
    world.host.manager = nullptr;  // rules only: no element is made
    board.SetHost(&world.host);
    board.Reset();
    world.ClearSounds();
  }
  // Presses a then b (a 4-neighbour): the swap starts; then both arrive.
  void Swap(int c1, int r1, int c2, int r2) {
    board.GetCell(c1, r1).Click();
    board.GetCell(c2, r2).Click();
    ASSERT_TRUE(board.IsSwapRunning());
    board.OnNotify(kEventSwapArrived, &board.GetCell(c1, r1));
    ASSERT_TRUE(board.IsSwapFinished());
  }

  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(LayoutMatches, FindMatchesAtCollectsLinesAndCrossingRuns) {
  struct Case {
    const char* what;
    Rows grid;
    int column, row;
    Cells expected;
    size_t entries;  // list length, shared cells counted twice
  };
  const Case cases[] = {
      {"line of three", {"111"}, 0, 0, {{0, 0}, {1, 0}, {2, 0}}, 3},
      {"line of five from the middle", {"11111"}, 2, 0, {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}, 5},
      {"column of four", {"1", "1", "1", "1"}, 0, 3, {{0, 0}, {0, 1}, {0, 2}, {0, 3}}, 4},
      {"L shape", {"111", "122", "122"}, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {0, 1}, {0, 2}}, 6},
      {"T shape", {"111", "212", "212"}, 0, 0, {{0, 0}, {1, 0}, {2, 0}, {1, 1}, {1, 2}}, 6},
      {"column through a pair", {"21", "11", "21"}, 0, 1, {{1, 0}, {1, 1}, {1, 2}}, 3},
      {"pair only", {"112"}, 0, 0, {}, 0},
  };
  for (const Case& c : cases) {
    board.Reset();
    DrawPieces(board, c.grid);
    std::vector<BvPiece*> found;
    board.FindMatchesAt(c.column, c.row, board.GetCell(c.column, c.row).colour, found);
    Cells cells;
    for (BvPiece* p : found) cells.insert({p->column, p->row});
    EXPECT_EQ(cells, c.expected) << c.what;
    EXPECT_EQ(found.size(), c.entries) << c.what;
  }
}

TEST_F(LayoutMatches, ARunWithAMovingPieceWaitsAndIsNotSearchedAgain) {
  DrawPieces(board, {"111"});
  board.GetCell(2, 0).motion = kMotionFall;
  std::vector<BvPiece*> found;
  board.FindMatchesAt(0, 0, 1, found);
  EXPECT_TRUE(found.empty());
  EXPECT_TRUE(board.GetCell(1, 0).runHasMover);
  board.FindMatchesAt(1, 0, 1, found);
  EXPECT_TRUE(found.empty()) << "a flagged cell finds nothing";
  board.ResolveMatches();
  EXPECT_EQ(ReadPieces(board, 3, 1), Rows{"111"}) << "nothing destroyed this frame";
}

TEST_F(LayoutMatches, ScoringByBackground) {
  struct Case {
    const char* what;
    Rows backgrounds;
    std::vector<int> scores;
    Rows backgroundsAfter;
    int cleared;  // backfills counted in the statistics
  };
  const Case cases[] = {
      {"plain cells: 5 a piece", {"111"}, {5, 5, 5}, {"111"}, 0},
      {"over backfills: 15 a piece", {"222"}, {15, 15, 15}, {"111"}, 3},
      {"blockers crack into backfills", {"333"}, {5, 5, 5}, {"222"}, 0},
      {"mixed", {"213"}, {15, 5, 5}, {"112"}, 1},
  };
  for (const Case& c : cases) {
    board.Reset();
    world.host.scores.clear();
    world.host.stats = BvLevelStats{};
    DrawBackgrounds(board, c.backgrounds);
    DrawPieces(board, {"444"});
    board.ResolveMatches();
    EXPECT_EQ(world.host.scores, c.scores) << c.what;
    Rows after{""};
    for (int x = 0; x < 3; ++x) after[0] += char('0' + board.GetCell(x, 0).background);
    EXPECT_EQ(after, c.backgroundsAfter) << c.what;
    EXPECT_EQ(world.host.stats.backgroundsCleared, c.cleared) << c.what;
    EXPECT_EQ(ReadPieces(board, 3, 1), Rows{"..."}) << c.what;
    EXPECT_FLOAT_EQ(board.GetCell(0, 0).delay, 500) << c.what << ": the cell waits before refilling";
  }
}

TEST_F(LayoutMatches, ALockedPieceInARunLosesALinkAndStays) {
  DrawPieces(board, {"111"});
  DrawLocks(board, {"020"});
  board.ResolveMatches();
  EXPECT_EQ(ReadPieces(board, 3, 1), Rows{".1."});
  EXPECT_EQ(board.GetCell(1, 0).lockCounter, 1);
  EXPECT_EQ(world.host.scores, (std::vector<int>{5, 5})) << "the locked piece scores nothing";
  EXPECT_EQ(world.host.profile.chainsBroken, 1);
}

TEST_F(LayoutMatches, EachCellIsTakenOnceInCrossingRuns) {
  DrawPieces(board, {"111", "122", "122"});
  board.ResolveMatches();
  EXPECT_EQ(world.host.scores.size(), 5u);
  for (BvSpellRecord& spell : board.GetSpells()) EXPECT_FLOAT_EQ(spell.charge, 5 * 200.0f);
}

TEST_F(LayoutMatches, CascadesCountWithTheirSounds) {
  const std::vector<std::vector<std::string>> expected = {
      {"matchauto"}, {"matchauto2"}, {"matchauto3"}, {"matchauto4"}, {"matchauto4", "excellent"},
      {"matchauto4"}};
  for (size_t i = 0; i < expected.size(); ++i) {
    world.ClearSounds();
    DrawPieces(board, {"333"});
    board.ResolveMatches();
    EXPECT_EQ(board.GetCascadeCount(), int(i) + 1);
    EXPECT_EQ(world.PlayedSounds(), expected[i]) << "cascade " << i + 1;
  }
}

TEST(CascadeCombos, TheThirdCascadeIsTheFirstToShowACombo) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  board.Reset();
  // Cascades 1 to 5: combos from the third on, bigger from the fourth.
  const int combos[] = {0, 0, 1, 2, 3};
  for (int i = 0; i < 5; ++i) {
    DrawPieces(board, {"333"}, 4, 4);
    board.ResolveMatches();
    ASSERT_EQ(board.GetCascadeCount(), i + 1);
    EXPECT_EQ(world.CountElements("combo1"), combos[i]) << "cascade " << i + 1;
  }
  std::vector<float> scales;
  for (const auto& entry : world.level()->GetIdIndex()) {
    auto* element = static_cast<BvLevelElement*>(entry.second);
    if (element->GetSourceElement() && element->GetSourceElement()->GetNameString() == "combo1") {
      scales.push_back(element->GetScale().X);
      EXPECT_EQ(element->GetPosition(), CellToScreen(5, 4)) << "at the run's centre";
      EXPECT_EQ(element->GetLayer(), 5);
    }
  }
  EXPECT_EQ(scales, (std::vector<float>{3.0f, 4.0f, 4.0f}));
}

TEST_F(LayoutMatches, APlayersRunOfThreeScoresPlainAndEndsTheSwap) {
  DrawPieces(board, {"1121"});
  Swap(2, 0, 3, 0);
  world.ClearSounds();
  board.ResolveMatches();
  EXPECT_EQ(world.host.scores, (std::vector<int>{5, 5, 5}));
  EXPECT_EQ(world.PlayedSounds(), std::vector<std::string>{"match"});
  EXPECT_EQ(ReadPieces(board, 4, 1), Rows{"...2"});
  EXPECT_EQ(board.GetCell(3, 0).motion, kMotionIdle) << "the partner landed";
  EXPECT_FALSE(board.IsSwapRunning());
  EXPECT_EQ(board.GetFirstColumn(), -1);
  EXPECT_EQ(board.GetCascadeCount(), 0);
  EXPECT_EQ(world.host.stats.matches, 1);
  EXPECT_EQ(world.host.profile.matches, 1);
}

TEST_F(LayoutMatches, APlayersRunOfFourOrMoreScoresDouble) {
  struct Case {
    Rows grid;
    int c1, r1, c2, r2;
    std::vector<int> scores;
  };
  const Case cases[] = {
      {{"11121"}, 3, 0, 4, 0, {10, 10, 10, 10}},
      {{"11211", "..1.."}, 2, 0, 2, 1, {10, 10, 10, 10, 10}},
  };
  for (const Case& c : cases) {
    board.Reset();
    world.host.scores.clear();
    DrawPieces(board, c.grid);
    Swap(c.c1, c.r1, c.c2, c.r2);
    world.ClearSounds();
    board.ResolveMatches();
    EXPECT_EQ(world.host.scores, c.scores) << c.grid[0];
    EXPECT_EQ(world.PlayedSounds(), std::vector<std::string>{"match4"}) << c.grid[0];
  }
}

TEST_F(LayoutMatches, ASwapWithoutARunGoesBack) {
  DrawPieces(board, {"1213", "3444"});
  // A cascade elsewhere in the same frame does not keep the swap.
  Swap(0, 0, 1, 0);
  board.ResolveMatches();
  EXPECT_EQ(world.host.scores, (std::vector<int>{5, 5, 5})) << "the cascade scores";
  EXPECT_EQ(board.GetCascadeCount(), 1);
  EXPECT_EQ(board.GetCell(0, 0).motion, kMotionSwapBack);
  EXPECT_EQ(board.GetCell(1, 0).motion, kMotionSwapBack);
  EXPECT_TRUE(board.IsSwapRunning()) << "until the swap back arrives";
  EXPECT_FALSE(board.IsSwapFinished());
  board.OnNotify(kEventSwapBackArrived, &board.GetCell(1, 0));
  EXPECT_TRUE(board.IsSwapRunning()) << "only the first cell's arrival counts";
  board.OnNotify(kEventSwapBackArrived, &board.GetCell(0, 0));
  EXPECT_FALSE(board.IsSwapRunning());
  EXPECT_EQ(ReadPieces(board, 4, 1), Rows{"1213"}) << "back where they were";
  EXPECT_EQ(board.GetCell(0, 0).motion, kMotionIdle);
  EXPECT_EQ(world.host.profile.matches, 0);
}

}  // namespace
