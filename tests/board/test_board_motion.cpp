// The board with level elements: sprites that travel, swaps that stay or
// go back, falls that land, and a scripted game played headless that ends
// the same way on every run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "board/board_grid.h"
#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "game/board/layout.h"
#include "support/board_world.h"

namespace {

using board_test::BlockLayout;
using board_test::ReadPieces;
using board_test::Rows;

constexpr float kFrameMs = 1000.0f / 75.0f;

class BoardMotion : public ::testing::Test {
 protected:
  BoardMotion() : board(&world.host) {}

  // One frame as the game runs it: the screen's update, then the level.
  void Frame() {
    board.Update(kFrameMs);
    world.RunLevel(kFrameMs);
  }
  // Frames until nothing moves or waits (false when it never settles).
  bool Settle(int maxFrames = 2000) {
    for (int i = 0; i < maxFrames; ++i) {
      Frame();
      if (board.IsSettled() && !board.IsSwapRunning() && !board.IsSwapFinished()) {
        Frame();
        if (board.IsSettled()) return true;
      }
    }
    return false;
  }
  // Repaints the block's colours (sprites follow) from rows of digits.
  void Paint(const Rows& rows, int column0, int row0) {
    for (size_t r = 0; r < rows.size(); ++r) {
      for (size_t c = 0; c < rows[r].size(); ++c)
        board.GetCell(column0 + int(c), row0 + int(r)).SetColour(rows[r][c] - '0');
    }
  }
  std::string SpriteName(int c, int r) {
    BvLevelElement* sprite = board.GetCell(c, r).GetSprite();
    return sprite && sprite->GetSourceElement() ? sprite->GetSourceElement()->GetNameString() : "";
  }

  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(BoardMotion, SetupFillsTheBlockWithSpritesAndNoRun) {
  std::vector<BvLayoutCell> layout = BlockLayout(4, 3, 12, 10);
  layout[6 * kBoardRows + 5].front = 2;
  layout[7 * kBoardRows + 5].front = 3;
  board.Setup(layout.data());
  for (int c = 4; c <= 12; ++c) {
    for (int r = 3; r <= 10; ++r) {
      const BvPiece& cell = board.GetCell(c, r);
      ASSERT_EQ(cell.present, 1);
      ASSERT_NE(cell.GetSprite(), nullptr);
      EXPECT_EQ(cell.GetSprite()->m_pUser, &cell);
      EXPECT_EQ(SpriteName(c, r), "P" + std::to_string(cell.colour));
      EXPECT_FALSE(board.MakesRun(c, r, cell.colour)) << c << "," << r;
    }
  }
  EXPECT_EQ(board.GetCell(6, 5).lockCounter, 1);
  EXPECT_EQ(board.GetCell(7, 5).lockCounter, 2);
  ASSERT_NE(board.GetCell(6, 5).GetLockSprite(), nullptr);
  EXPECT_EQ(board.GetCell(6, 5).GetLockSprite()->GetSourceElement()->GetNameString(), "chaine1");
  EXPECT_EQ(board.GetCell(7, 5).GetLockSprite()->GetSourceElement()->GetNameString(), "chaine2");
  EXPECT_EQ(board.GetCell(3, 3).GetSprite(), nullptr) << "no piece outside the block";
  EXPECT_TRUE(board.HasPossibleMove());
}

// A 5 x 5 block (columns 4..8, rows 3..7) with no run; swapping (6, 5) and
// (7, 5) makes "111" in row 5, swapping (4, 3) and (5, 3) makes nothing.
const Rows kBlock = {"12345", "23451", "11214", "45123", "51234"};

TEST_F(BoardMotion, ASwapThatMakesARunStaysAndScores) {
  board.Setup(BlockLayout(4, 3, 8, 7).data());
  Paint(kBlock, 4, 3);
  board_test::KeepUnwon(board);
  world.ClearSounds();
  board.GetCell(6, 5).Click();
  board.GetCell(7, 5).Click();
  ASSERT_TRUE(board.IsSwapRunning());
  ASSERT_TRUE(Settle());
  ASSERT_GE(world.host.scores.size(), 3u);
  EXPECT_EQ(std::vector<int>(world.host.scores.begin(), world.host.scores.begin() + 3),
            (std::vector<int>{5, 5, 5}));
  EXPECT_EQ(world.host.profile.matches, 1);
  EXPECT_EQ(world.host.stats.matches, 1);
  for (int i = 0; i < 30; ++i) Frame();  // the last landing bounces end
  const std::vector<std::string> sounds = world.PlayedSounds();
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "match"), sounds.end());
  for (int c = 4; c <= 8; ++c) {
    for (int r = 3; r <= 7; ++r) {
      const BvPiece& cell = board.GetCell(c, r);
      ASSERT_EQ(cell.present, 1) << "refilled " << c << "," << r;
      ASSERT_NE(cell.GetSprite(), nullptr);
      const irr::core::vector2df at = cell.GetSprite()->GetPosition();
      EXPECT_NEAR(at.X, cell.GetScreenPosition().X, 0.01f) << c << "," << r;
      EXPECT_NEAR(at.Y, cell.GetScreenPosition().Y, 0.01f) << c << "," << r;
      EXPECT_EQ(cell.GetSprite()->m_pUser, &cell);
    }
  }
}

TEST_F(BoardMotion, ASwapWithoutARunTravelsBack) {
  board.Setup(BlockLayout(4, 3, 8, 7).data());
  Paint(kBlock, 4, 3);
  board_test::KeepUnwon(board);
  BvLevelElement* left = board.GetCell(4, 3).GetSprite();
  BvLevelElement* right = board.GetCell(5, 3).GetSprite();
  board.GetCell(4, 3).Click();
  board.GetCell(5, 3).Click();
  // Halfway the sprites have left their cells.
  for (int i = 0; i < 5; ++i) Frame();
  EXPECT_GT(left->GetPosition().X, CellToScreen(4, 3).X);
  ASSERT_TRUE(Settle());
  EXPECT_EQ(ReadPieces(board, 5, 5, 4, 3), kBlock);
  EXPECT_EQ(board.GetCell(4, 3).GetSprite(), left);
  EXPECT_EQ(board.GetCell(5, 3).GetSprite(), right);
  EXPECT_FLOAT_EQ(left->GetPosition().X, CellToScreen(4, 3).X);
  EXPECT_FLOAT_EQ(right->GetPosition().X, CellToScreen(5, 3).X);
  EXPECT_TRUE(world.host.scores.empty());
  EXPECT_EQ(board.GetFirstColumn(), -1);
}

TEST_F(BoardMotion, APieceFallsAcceleratingAndLandsWithABounce) {
  board.Setup(BlockLayout(4, 3, 8, 7).data());
  Paint(kBlock, 4, 3);
  board_test::KeepUnwon(board);
  BvLevelElement* faller = board.GetCell(6, 4).GetSprite();
  board.GetCell(6, 5).Clear(0);
  world.ClearSounds();
  Frame();
  EXPECT_EQ(board.GetCell(6, 5).GetSprite(), faller) << "the piece belongs to the cell below";
  EXPECT_EQ(board.GetCell(6, 5).motion, kMotionFall);
  float previousY = faller->GetPosition().Y, previousStep = 0.0f;
  int frames = 0;
  while (board.GetCell(6, 5).motion == kMotionFall && frames++ < 200) {
    Frame();
    const float step = previousY - faller->GetPosition().Y;
    if (board.GetCell(6, 5).motion == kMotionFall) {
      EXPECT_GT(step, previousStep) << "accelerates";
    }
    previousStep = step;
    previousY = faller->GetPosition().Y;
  }
  EXPECT_EQ(board.GetCell(6, 5).motion, kMotionIdle);
  bool bounces = false;
  for (BvBehavior* b : faller->GetBehaviors()) bounces |= b->GetType() == kBehaviorPath;
  EXPECT_TRUE(bounces);
  EXPECT_GT(faller->GetPosition().Y, CellToScreen(6, 5).Y) << "bounced up from its cell";
  for (int i = 0; i < 30; ++i) Frame();
  EXPECT_NEAR(faller->GetPosition().Y, CellToScreen(6, 5).Y, 0.01f) << "back on its cell";
  const std::vector<std::string> sounds = world.PlayedSounds();
  EXPECT_NE(std::find(sounds.begin(), sounds.end(), "fall"), sounds.end());
}

// Plays the board's own hint as the player's move, again and again.
struct PlaythroughResult {
  int score = 0;
  Rows pieces;
  Rows backgrounds;
  BvLevelStats stats;
  int profileMatches = 0;
  int chainsBroken = 0;
  int moves = 0;
};

PlaythroughResult PlayScript(uint32_t seed) {
  bv::test::BoardWorld world(seed);
  BvLayout board(&world.host);
  // Backfills, blockers and a locked pair in a 9 x 8 block.
  std::vector<BvLayoutCell> layout = BlockLayout(4, 3, 12, 10, 2);
  for (int c = 6; c <= 9; ++c) layout[c * kBoardRows + 6].back = 3;
  layout[8 * kBoardRows + 8].front = 2;
  layout[9 * kBoardRows + 8].front = 3;
  board.Setup(layout.data());
  auto frame = [&] {
    board.Update(kFrameMs);
    world.RunLevel(kFrameMs);
  };
  PlaythroughResult result;
  for (int move = 0; move < 12 && !board.IsWon(); ++move) {
    int settledFrames = 0;
    for (int i = 0; i < 3000 && settledFrames < 10; ++i) {
      frame();
      settledFrames = board.IsSettled() && !board.IsSwapRunning() && !board.IsNoMoreMoves()
                          ? settledFrames + 1
                          : 0;
    }
    if (!board.HasPossibleMove()) break;
    BvHintHelper& hint = board.GetHint();
    int c = hint.GetColumn(), r = hint.GetRow();
    int pc = c, pr = r;
    switch (hint.GetDirection()) {
      case kHintUp: --pr; break;
      case kHintDown: ++pr; break;
      case kHintLeft: --pc; break;
      case kHintRight: ++pc; break;
    }
    board.GetCell(c, r).Click();
    board.GetCell(pc, pr).Click();
    ++result.moves;
  }
  for (int i = 0; i < 600; ++i) frame();
  result.score = world.host.score;
  for (int r = 0; r < kBoardRows; ++r) {
    std::string pieces, backs;
    for (int c = 0; c < kBoardColumns; ++c) {
      const BvPiece& cell = board.GetCell(c, r);
      pieces += cell.present == 1 ? char('0' + cell.colour) : '.';
      backs += char('0' + cell.background);
    }
    result.pieces.push_back(pieces);
    result.backgrounds.push_back(backs);
  }
  result.stats = world.host.stats;
  result.profileMatches = world.host.profile.matches;
  result.chainsBroken = world.host.profile.chainsBroken;
  return result;
}

TEST(BoardPlaythrough, AScriptedGameEndsTheSameOnEveryRun) {
  const PlaythroughResult first = PlayScript(7);
  const PlaythroughResult second = PlayScript(7);
  EXPECT_EQ(first.moves, 12);
  EXPECT_GT(first.score, 0);
  EXPECT_GT(first.stats.backgroundsCleared, 0);
  EXPECT_EQ(first.profileMatches, first.stats.matches);
  EXPECT_GT(first.stats.matches, 0);
  EXPECT_EQ(second.score, first.score);
  EXPECT_EQ(second.pieces, first.pieces);
  EXPECT_EQ(second.backgrounds, first.backgrounds);
  EXPECT_EQ(second.stats.matches, first.stats.matches);
  EXPECT_EQ(second.stats.backgroundsCleared, first.stats.backgroundsCleared);
  EXPECT_EQ(second.chainsBroken, first.chainsBroken);
  const PlaythroughResult other = PlayScript(8);
  EXPECT_NE(other.pieces, first.pieces) << "another seed plays another game";
}

}  // namespace
