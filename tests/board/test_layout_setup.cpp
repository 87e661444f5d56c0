// Reset, set-up from a layout and the order of the frame's update.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "engine/level/level_manager.h"
#include "game/board/layout.h"
#include "support/board_world.h"
#include "support/fake_board_host.h"
#include "support/fixed_random.h"

namespace {

using board_test::BlockLayout;
using board_test::MakeLayout;
using board_test::ReadPieces;
using board_test::Rows;

// Any run of three in a row or a column among the pieces.
bool HasRun(const BvLayout& board) {
  for (int c = 0; c < kBoardColumns; ++c) {
    for (int r = 0; r < kBoardRows; ++r) {
      const int k = board.GetCell(c, r).colour;
      if (k == kNoColour) continue;
      if (c + 2 < kBoardColumns && board.GetCell(c + 1, r).colour == k && board.GetCell(c + 2, r).colour == k)
        return true;
      if (r + 2 < kBoardRows && board.GetCell(c, r + 1).colour == k && board.GetCell(c, r + 2).colour == k)
        return true;
    }
  }
  return false;
}

TEST(LayoutSetup, NoRunIsEverLeftAndEveryBoardHasAMove) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    bv::test::FixedRandom random(seed);
    bv::test::ScopedRandom scoped(&random);
    bv::test::FakeBoardHost host;
    BvLayout board(&host);
    board.Setup(BlockLayout(1, 1, 15, 12).data());
    EXPECT_FALSE(HasRun(board)) << "seed " << seed;
    EXPECT_TRUE(board.HasPossibleMove()) << "seed " << seed;
    for (int c = 1; c <= 15; ++c) {
      for (int r = 1; r <= 12; ++r) ASSERT_EQ(board.GetCell(c, r).present, 1);
    }
  }
}

TEST(LayoutSetup, FrontCodesGiveLocksAndOnlyOneToThreeArePieces) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  const std::vector<BvLayoutCell> layout =
      MakeLayout({"0111111110"}, {"0123045670"});
  board.Setup(layout.data());
  struct Case {
    int column;
    int present, lock;
  };
  const Case cases[] = {{1, 1, 0}, {2, 1, 1}, {3, 1, 2}, {4, 0, 0}, {5, 0, 0},
                        {6, 0, 0}, {7, 0, 0}, {8, 0, 0}};
  for (const Case& c : cases) {
    const BvPiece& cell = board.GetCell(c.column, 0);
    EXPECT_EQ(cell.present, c.present) << "front at column " << c.column;
    EXPECT_EQ(cell.lockCounter, c.lock) << "front at column " << c.column;
    if (!c.present) {
      EXPECT_EQ(cell.colour, kNoColour) << "front at column " << c.column;
    }
    EXPECT_EQ(cell.background, kBackClear);
  }
}

TEST(LayoutSetup, ACellWithAnUnknownFrontCodeTakesAFallingPiece) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  // Column 2: a piece on top of a cell whose front code is 7.
  const std::vector<BvLayoutCell> layout = MakeLayout({"0110", "0120"}, {"0110", "0170"});
  board.Setup(layout.data());
  ASSERT_EQ(board.GetCell(2, 1).present, 0);
  board.Update(16);
  EXPECT_EQ(board.GetCell(2, 1).present, 1) << "the empty cell is filled from above";
  EXPECT_EQ(board.GetCell(2, 1).motion, kMotionFall);
}

TEST(LayoutSetup, ALayoutWithoutAMoveIsShuffled) {
  bv::test::FixedRandom random(3);
  bv::test::ScopedRandom scoped(&random);
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  // Two rows of five pieces often have no move as drawn.
  int shuffled = 0;
  for (int i = 0; i < 10; ++i) {
    board.Setup(BlockLayout(2, 2, 6, 3).data());
    EXPECT_FALSE(HasRun(board));
    shuffled += board.HasPossibleMove() ? 1 : 0;
  }
  EXPECT_EQ(shuffled, 10);
}

TEST(LayoutSetup, ASecondSetupKeepsNothingOfTheFirst) {
  bv::test::FixedRandom random(1, 1000);
  bv::test::ScopedRandom scoped(&random);
  bv::test::FakeBoardHost host;
  host.stats.matches = 4;
  host.stats.playSeconds = 30;
  BvLayout board(&host);
  std::vector<BvLayoutCell> first = BlockLayout(1, 1, 5, 5, 4);
  first[3 * kBoardRows + 3].front = 3;
  board.Setup(first.data());
  ASSERT_TRUE(board.HasCage());
  board.GetCell(2, 2).Click();
  board.SetTimeUsed(5000);
  board.ChargeSpells();

  host.stats.matches = 4;
  board.Setup(BlockLayout(8, 8, 10, 10).data());
  EXPECT_FALSE(board.HasCage());
  EXPECT_EQ(board.GetFirstColumn(), -1);
  EXPECT_FLOAT_EQ(board.GetTimeUsed(), 0);
  EXPECT_EQ(board.GetCell(3, 3).lockCounter, 0);
  EXPECT_EQ(board.GetCell(3, 3).present, 0);
  EXPECT_EQ(board.GetCell(3, 3).background, kBackNone);
  for (BvSpellRecord& spell : board.GetSpells()) EXPECT_FLOAT_EQ(spell.charge, 0);
  EXPECT_EQ(host.stats.matches, 0);
  EXPECT_EQ(host.stats.playSeconds, 0);
  EXPECT_EQ(host.stats.clockStart, 1000) << "the play clock starts now";
}

TEST(LayoutSetup, TheUpdateSchedulesItsTipsInOrder) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  std::vector<BvLayoutCell> layout = BlockLayout(1, 1, 5, 5);
  layout[3 * kBoardRows + 0] = BvLayoutCell{4, 0};
  layout[4 * kBoardRows + 3].back = 2;
  board.Setup(layout.data());
  board.Update(16);
  const std::vector<std::pair<int, float>> expected = {{64, 2500}, {1, 2500}, {128, 1500}};
  EXPECT_EQ(host.tips, expected);

  host.tips.clear();
  host.profile.matches = 1;
  board.Setup(BlockLayout(1, 1, 5, 5, 2).data());
  board.Update(16);
  EXPECT_EQ(host.tips, (std::vector<std::pair<int, float>>{{128, 1500}}));
}

TEST(LayoutSetup, ASettledBoardWithoutAMoveStartsTheNoMoreMovesShow) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  board.Reset();
  board_test::DrawPieces(board, {"12345"}, 2, 2);
  board_test::KeepUnwon(board);
  board.GetCell(2, 2).delay = 20;
  board.Update(16);
  board.Update(16);
  ASSERT_TRUE(board.IsSettled());
  board.Update(50);
  EXPECT_FALSE(board.IsNoMoreMoves()) << "the check waits 100 ms of rest";
  board.Update(50);
  EXPECT_TRUE(board.IsNoMoreMoves());
}

TEST(LayoutSetup, ForgettingElementsDropsEveryPointerAndTheSelection) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  board.Setup(BlockLayout(2, 2, 8, 8).data());
  board.GetCell(4, 4).Click();
  ASSERT_NE(board.GetCell(4, 4).GetSprite(), nullptr);
  ASSERT_FALSE(board.GetSelectionCorners().empty());
  ASSERT_FALSE(board.GetFrameSprites().empty());
  board.ForgetElements();
  for (int c = 0; c < kBoardColumns; ++c) {
    for (int r = 0; r < kBoardRows; ++r) {
      const BvPiece& cell = board.GetCell(c, r);
      ASSERT_EQ(cell.GetSprite(), nullptr);
      ASSERT_EQ(cell.GetBackgroundSprite(), nullptr);
      ASSERT_EQ(cell.GetLockSprite(), nullptr);
    }
  }
  EXPECT_TRUE(board.GetSelectionCorners().empty());
  EXPECT_TRUE(board.GetFrameSprites().empty());
  EXPECT_EQ(board.GetGaugeBar(), nullptr);
  EXPECT_EQ(board.GetHint().GetFirstSprite(), nullptr);
  for (BvSpellRecord& spell : board.GetSpells()) EXPECT_EQ(spell.gauge, nullptr);
  EXPECT_EQ(board.GetFirstColumn(), -1);
  // The old level goes; a press before the next set-up touches nothing.
  world.manager()->ClearLevels();
  board.GetCell(5, 5).Click();
  board.ClearSelection();
  EXPECT_EQ(board.GetFirstColumn(), -1);
}

}  // namespace

namespace {

TEST(LayoutAchievements, ANewlyReachedStepOpensTheNoticeWithTheBoardsCopy) {
  bv::test::FakeBoardHost host;
  BvLayout board(&host);
  board.Setup(BlockLayout(2, 2, 4, 4, 2).data());
  host.profile.freed = 2;
  host.profile.score = 10000;
  host.guiMode = 1;
  board.Update(16);
  EXPECT_TRUE(host.guis.empty()) << "not while a dialog is open";
  host.guiMode = 0;
  board.Update(16);
  ASSERT_EQ(host.guis.size(), 1u);
  EXPECT_EQ(host.guis[0].n, 7);
  EXPECT_EQ(host.guis[0].mode, 3);
  const auto* shown = reinterpret_cast<const BvAchievement*>(host.guis[0].argument);
  EXPECT_EQ(shown, &board.GetAnnouncedAchievement()) << "the notice reads the board's copy";
  EXPECT_STREQ(shown->id, "achievefreed");
  board.Update(16);
  ASSERT_EQ(host.guis.size(), 2u);
  EXPECT_STREQ(reinterpret_cast<const BvAchievement*>(host.guis[1].argument)->id, "achievescore");
  board.Update(16);
  EXPECT_EQ(host.guis.size(), 2u);
}

}  // namespace
