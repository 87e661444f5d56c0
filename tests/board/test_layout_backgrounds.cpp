// Background reactions: transitions, chains, locks, cages and the
// explosions of a freed cage, and the images of cleared cells.
#include <gtest/gtest.h>

#include "board/board_grid.h"
#include "engine/level/level.h"
#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "game/board/layout.h"
#include "support/board_world.h"
#include "support/fake_board_host.h"

namespace {

using board_test::DrawBackgrounds;
using board_test::DrawLocks;
using board_test::DrawPieces;
using board_test::ReadBackgrounds;
using board_test::Rows;

class LayoutBackgrounds : public ::testing::Test {
 protected:
  LayoutBackgrounds() : board(&host) { board.Reset(); }
  bv::test::FakeBoardHost host;
  BvLayout board;
};

TEST_F(LayoutBackgrounds, DestroyingACellMakesItsBackgroundReact) {
  struct Case {
    const char* what;
    int kind;
    bool piece;
    int flags;
    int kindAfter;
    std::vector<int> scores;
  };
  const Case cases[] = {
      {"plain cell", kBackClear, true, kDestroyPiece, kBackClear, {5}},
      {"backfill", kBackFill, true, kDestroyPiece | kDestroyBackfillCleared, kBackClear, {15}},
      {"blocker", kBackBlocker, true, kDestroyPiece | kDestroyBlockerCracked, kBackFill, {5}},
      {"cage", kBackCage, true, kDestroyPiece | kDestroyCageOpened, kBackNone, {5}},
      {"horizontal chain", kBackChainH, true, kDestroyPiece | kDestroyChainH, kBackNone, {5}},
      {"vertical chain", kBackChainV, false, kDestroyChainV, kBackNone, {}},
      {"empty backfill", kBackFill, false, kDestroyBackfillCleared, kBackClear, {15}},
  };
  for (const Case& c : cases) {
    board.Reset();
    host.scores.clear();
    BvPiece& cell = board.GetCell(5, 5);
    cell.background = c.kind;
    if (c.piece) {
      cell.present = 1;
      cell.colour = 3;
    }
    EXPECT_EQ(cell.Destroy(0, false), c.flags) << c.what;
    EXPECT_EQ(cell.background, c.kindAfter) << c.what;
    EXPECT_EQ(host.scores, c.scores) << c.what;
    EXPECT_EQ(cell.present, 0) << c.what;
  }
}

TEST_F(LayoutBackgrounds, ADoubleLockNeedsTwoRunsBeforeThePieceGoes) {
  BvPiece& cell = board.GetCell(5, 5);
  cell.background = kBackFill;
  cell.present = 1;
  cell.colour = 2;
  cell.lockCounter = 2;
  EXPECT_EQ(cell.Destroy(0, false), kDestroyLockLinkLost);
  EXPECT_EQ(cell.lockCounter, 1);
  EXPECT_EQ(cell.Destroy(0, false), kDestroyLockRemoved);
  EXPECT_EQ(cell.lockCounter, 0);
  EXPECT_EQ(cell.present, 1);
  EXPECT_EQ(cell.background, kBackFill) << "a lock keeps the background";
  EXPECT_EQ(cell.Destroy(0, false), kDestroyPiece | kDestroyBackfillCleared);
  EXPECT_EQ(host.profile.chainsBroken, 2);
  EXPECT_EQ(host.scores, std::vector<int>{15});
}

TEST(LockImages, ALostLinkShowsOneChainAndThrowsOneOff) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  std::vector<BvLayoutCell> layout = board_test::BlockLayout(5, 5, 5, 5);
  layout[5 * kBoardRows + 5].front = 3;  // a double lock
  board.Setup(layout.data());
  BvPiece& cell = board.GetCell(5, 5);
  BvLevelElement* lock = cell.GetLockSprite();
  ASSERT_NE(lock, nullptr);
  ASSERT_EQ(lock->GetSourceElement()->GetNameString(), "chaine2");
  auto thrown = [&](BvLevelElement* except) {
    std::vector<BvLevelElement*> pieces;
    for (const auto& entry : world.level()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (element != except && !element->m_bDead && element->GetDynType() == 2 &&
          element->GetSourceElement() && element->GetSourceElement()->GetNameString() == "chaine1")
        pieces.push_back(element);
    }
    return pieces;
  };
  EXPECT_EQ(cell.Destroy(0, false), kDestroyLockLinkLost);
  EXPECT_EQ(cell.GetLockSprite(), lock) << "the same sprite stays over the piece";
  EXPECT_FALSE(lock->m_bDead);
  EXPECT_EQ(lock->GetSourceElement()->GetNameString(), "chaine1") << "one chain left";
  std::vector<BvLevelElement*> first = thrown(lock);
  ASSERT_EQ(first.size(), 1u) << "one chain thrown off";
  EXPECT_FLOAT_EQ(first[0]->GetRotation(), 3.14159265f / 2) << "turned across";
  EXPECT_EQ(first[0]->GetLayer(), 4);

  EXPECT_EQ(cell.Destroy(0, false), kDestroyLockRemoved);
  EXPECT_EQ(cell.GetLockSprite(), nullptr);
  EXPECT_TRUE(lock->m_bDead) << "no chain over the free piece";
  std::vector<BvLevelElement*> both = thrown(lock);
  ASSERT_EQ(both.size(), 2u);
  BvLevelElement* second = both[0] == first[0] ? both[1] : both[0];
  EXPECT_FLOAT_EQ(second->GetRotation(), 0.0f) << "the last chain falls as it lay";
  EXPECT_TRUE(world.Played("chaine"));
}

// Each kind of background a layout sets up shows its own picture; a
// vertical chain is the horizontal one turned a quarter.
TEST(BackgroundImages, EachKindOfTheLayoutShowsItsPicture) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  std::vector<BvLayoutCell> layout = board_test::BlockLayout(2, 2, 10, 8);
  struct Case {
    int column, row, kind;
    const char* picture;
    float rotation;
  };
  const Case cases[] = {
      {3, 3, kBackClear, "backclear", 0.0f},     {4, 3, kBackFill, "backfill", 0.0f},
      {5, 3, kBackBlocker, "blocker", 0.0f},     {6, 3, kBackChainH, "chaineh", 0.0f},
      {7, 3, kBackChainV, "chaineh", 3.14159265f / 2},
  };
  for (const Case& c : cases) layout[c.column * kBoardRows + c.row].back = c.kind;
  for (const Case& c : cases)
    if (c.kind == kBackChainH || c.kind == kBackChainV) layout[c.column * kBoardRows + c.row].front = 0;
  board.Setup(layout.data());
  for (const Case& c : cases) {
    BvLevelElement* sprite = board.GetCell(c.column, c.row).GetBackgroundSprite();
    ASSERT_NE(sprite, nullptr) << c.picture;
    ASSERT_NE(sprite->GetSourceElement(), nullptr) << c.picture;
    if (c.kind != kBackClear)
      EXPECT_EQ(sprite->GetSourceElement()->GetNameString(), c.picture) << "kind " << c.kind;
    EXPECT_FLOAT_EQ(sprite->GetRotation(), c.rotation) << "kind " << c.kind;
  }
}

TEST_F(LayoutBackgrounds, AFreedBackfillBreaksChainsAndOpensTheCageBeyond) {
  // Row 5: backfill at 4, horizontal chain at 5, cage at 6; a vertical
  // chain above the backfill, a horizontal one below it (not broken: it
  // does not point at the backfill).
  DrawBackgrounds(board, {"16111", "11111"}, 3, 4);
  DrawBackgrounds(board, {"12541"}, 3, 5);
  DrawBackgrounds(board, {"15111"}, 3, 6);
  board.HitNeighbours(4, 5);
  EXPECT_EQ(ReadBackgrounds(board, 5, 3, 3, 4), (Rows{"10111", "12001", "15111"}));
  EXPECT_EQ(host.profile.freed, 1);
}

TEST_F(LayoutBackgrounds, ACageOpensOnlyWhenNoChainTouchesIt) {
  DrawBackgrounds(board, {"111", "545", "111"}, 4, 4);
  DrawBackgrounds(board, {"2"}, 3, 5);
  DrawBackgrounds(board, {"2"}, 7, 5);
  board.HitNeighbours(3, 5);
  EXPECT_EQ(ReadBackgrounds(board, 3, 1, 4, 5), Rows{"045"}) << "the right chain still holds it";
  EXPECT_EQ(host.profile.freed, 0);
  board.HitNeighbours(7, 5);
  EXPECT_EQ(ReadBackgrounds(board, 3, 1, 4, 5), Rows{"000"});
  EXPECT_EQ(host.profile.freed, 1);
}

TEST_F(LayoutBackgrounds, NeighboursOffTheBoardAreSkipped) {
  // A chain at the board's edge: the cell two steps away lies outside.
  DrawBackgrounds(board, {"52"}, 0, 5);
  DrawBackgrounds(board, {"25"}, 15, 5);
  DrawBackgrounds(board, {"6", "2"}, 8, 0);
  board.HitNeighbours(1, 5);
  board.HitNeighbours(15, 5);
  board.HitNeighbours(8, 1);
  EXPECT_EQ(board.GetCell(0, 5).background, kBackNone);
  EXPECT_EQ(board.GetCell(16, 5).background, kBackNone);
  EXPECT_EQ(board.GetCell(8, 0).background, kBackNone);
  // A cage in a corner opens: its missing neighbours are no chains.
  board.GetCell(0, 0).background = kBackCage;
  board.Luminos(0, 0);
  EXPECT_EQ(board.GetCell(0, 0).background, kBackNone);
  board.GetCell(16, 12).background = kBackCage;
  board.Luminos(16, 12);
  EXPECT_EQ(board.GetCell(16, 12).background, kBackNone);
}

TEST_F(LayoutBackgrounds, AFreedCageExplodesItsLinesButNotLockedBackgrounds) {
  // Cage at (8, 6). To its left, columns 3..7 on backfills, (5, 6) locked;
  // above it a backfill at row 3 and a blocker at row 4, both with pieces.
  board.GetCell(8, 6).background = kBackCage;
  DrawBackgrounds(board, {"22222"}, 3, 6);
  DrawPieces(board, {"12345"}, 3, 6);
  DrawLocks(board, {"00100"}, 3, 6);
  DrawBackgrounds(board, {"2", "3", "1"}, 8, 3);
  DrawPieces(board, {"1", "2", "."}, 8, 3);
  board.Luminos(8, 6);
  EXPECT_EQ(ReadBackgrounds(board, 5, 1, 3, 6), Rows{"11212"})
      << "from two cells away: the locked backfill and the neighbour stay";
  EXPECT_EQ(ReadBackgrounds(board, 1, 3, 8, 3), (Rows{"1", "2", "1"}));
  EXPECT_EQ(board.GetCell(6, 6).present, 1) << "explosions leave the pieces";
  EXPECT_EQ(host.scores, (std::vector<int>{15, 15, 15, 15}));
  EXPECT_EQ(host.profile.freed, 1);
}

TEST(ClearedBackgrounds, TheEdgeMaskChoosesTheImage) {
  const char* const expected[] = {"backclear",  "backclearct", "backcleart", "backcleart",
                                  "backclearl", "backclearl",  "backcleartl", "backcleartl"};
  for (int mask = 0; mask < 8; ++mask)
    EXPECT_STREQ(BvLayout::ClearedBackgroundName(mask), expected[mask]) << mask;
}

TEST(ClearedBackgrounds, ACellBelowAndRightOfBackfillsShowsTheirEdges) {
  bv::test::BoardWorld world;
  BvLayout board(&world.host);
  std::vector<BvLayoutCell> layout = board_test::BlockLayout(2, 2, 6, 6);
  layout[4 * kBoardRows + 3].back = 2;  // above (4, 4)
  layout[3 * kBoardRows + 4].back = 2;  // left of (4, 4)
  board.Setup(layout.data());
  board.Update(16);
  auto image = [&](int c, int r) {
    return board.GetCell(c, r).GetBackgroundSprite()->GetSourceElement()->GetNameString();
  };
  EXPECT_EQ(image(4, 4), "backcleartl");
  EXPECT_EQ(image(5, 4), "backclearct") << "a backfill up-left only";
  EXPECT_EQ(image(5, 5), "backclear");
  EXPECT_EQ(image(4, 2), "backcleart") << "no cell above";
  EXPECT_EQ(image(2, 2), "backcleartl") << "no cells above and left";
  EXPECT_EQ(image(4, 3), "backfill");
}

}  // namespace
