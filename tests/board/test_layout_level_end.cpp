// The win test, the level-complete and no-more-moves shows, and the time
// gauge.
#include <gtest/gtest.h>

#include <algorithm>

#include "board/board_grid.h"
#include "engine/level/level_element.h"
#include "engine/resources/sprite.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "support/board_world.h"

namespace {

using board_test::BlockLayout;
using board_test::DrawBackgrounds;
using board_test::DrawPieces;
using board_test::Rows;

constexpr float kFrameMs = 1000.0f / 75.0f;

bool Played(const std::vector<std::string>& sounds, const char* name) {
  return std::find(sounds.begin(), sounds.end(), name) != sounds.end();
}

TEST(LevelWon, OnlyWhenNoBackfillAndNoBlockerIsLeft) {
  struct Case {
    const char* what;
    Rows backgrounds;
    bool won;
  };
  const Case cases[] = {
      {"a backfill left", {"1112"}, false},
      {"a blocker left", {"3111"}, false},
      {"chains, cages and cleared cells", {"1456"}, true},
  };
  for (const Case& c : cases) {
    bv::test::FakeBoardHost host;
    host.profile.world = 1;
    host.profile.level = 10;
    host.stats.clockStart = 900;
    bv::test::FixedRandom random(1, 1000);
    bv::test::ScopedRandom scoped(&random);
    BvLayout board(&host);
    board.Reset();
    host.stats.clockStart = 900;
    DrawBackgrounds(board, c.backgrounds, 3, 3);
    board.CheckLevelWon();
    EXPECT_EQ(board.IsWon(), c.won) << c.what;
    if (!c.won) continue;
    EXPECT_EQ(host.profile.world, 2) << "the profile advances at once";
    EXPECT_EQ(host.profile.level, 0);
    EXPECT_EQ(host.stats.playSeconds, 100);
    board.CheckLevelWon();
    EXPECT_EQ(host.profile.level, 0) << "only once";
  }
}

class LevelEndShows : public ::testing::Test {
 protected:
  LevelEndShows() : board(&world.host) {
    PlayMusic("musicswap", 0.6f);
    world.ClearSounds();
  }
  void Frames(float ms) {
    for (float t = 0; t < ms; t += kFrameMs) {
      board.Update(kFrameMs);
      world.RunLevel(kFrameMs);
    }
  }
  float MusicVolume() const { return g_SoundManager->GetSoundVolume("musicswap"); }
  // The pieces of a 5 x 2 block with no move, on backfills (not won).
  void NoMoveBoard() {
    board.Reset();
    DrawBackgrounds(board, {"22222", "22222"}, 4, 4);
    DrawPieces(board, {"12345", "45123"}, 4, 4);
    ASSERT_FALSE(board.HasPossibleMove());
  }

  bv::test::BoardWorld world;
  BvLayout board;
};

TEST_F(LevelEndShows, TheLevelCompleteShowRunsSevenAndAHalfSeconds) {
  board.Setup(BlockLayout(4, 4, 8, 8).data());
  Frames(100);
  ASSERT_TRUE(board.IsWon());
  EXPECT_EQ(board.GetLevelCompleteStep(), 1);
  EXPECT_FALSE(Played(world.PlayedSounds(), "endgame"));
  Frames(500);
  EXPECT_EQ(board.GetLevelCompleteStep(), 2);
  EXPECT_TRUE(Played(world.PlayedSounds(), "endgame"));
  EXPECT_NEAR(MusicVolume(), 0.2f, 1e-5f) << "the music drops to a third";
  EXPECT_EQ(world.CountElements("levelcomplete"), 1);
  Frames(3500);
  for (const char* piece : {"P1", "P2", "P3", "P4", "P5", "backclear", "bright"})
    EXPECT_EQ(world.CountElements(piece), 0) << piece << " vanished";
  EXPECT_TRUE(world.host.states.empty());
  float shown = 4100;
  while (world.host.states.empty() && shown < 9000) {
    board.Update(kFrameMs);
    world.RunLevel(kFrameMs);
    shown += kFrameMs;
  }
  EXPECT_EQ(world.host.states, std::vector<int>{1}) << "the screen opens the recap";
  EXPECT_NEAR(shown, 7500, 2 * kFrameMs);
  EXPECT_NEAR(MusicVolume(), 0.6f, 1e-5f);
  EXPECT_EQ(board.GetLevelCompleteStep(), 0);
  // Presses during the show reach no vanished sprite.
  board.GetCell(5, 5).Click();
  board.ClearSelection();
  EXPECT_EQ(board.GetFirstColumn(), -1);
}

// The monsters on the board go when the level is won, and none comes back
// during the show.
TEST_F(LevelEndShows, AWonLevelSendsItsMonstersAway) {
  board.Setup(BlockLayout(4, 4, 8, 8, kBackFill).data());
  BvMonsterManager& monsters = *board.GetMonsters();
  monsters.SpawnMonster(kMonsterBat);
  ASSERT_EQ(monsters.GetSlot(0).kind, kMonsterBat);
  for (int c = 4; c <= 8; ++c)
    for (int r = 4; r <= 8; ++r) board.GetCell(c, r).background = kBackClear;
  Frames(100);
  ASSERT_TRUE(board.IsWon());
  EXPECT_EQ(monsters.GetSlot(0).kind, kMonsterNone);
  Frames(6000);
  for (int i = 0; i < kMonsterSlots; ++i) EXPECT_EQ(monsters.GetSlot(i).kind, kMonsterNone) << "slot " << i;
}

TEST_F(LevelEndShows, ALevelLeftDuringAShowStartsClean) {
  board.Setup(BlockLayout(4, 4, 8, 8).data());
  Frames(1000);
  ASSERT_EQ(board.GetLevelCompleteStep(), 2);
  ASSERT_NEAR(MusicVolume(), 0.2f, 1e-5f);
  board.Reset();
  EXPECT_NEAR(MusicVolume(), 0.6f, 1e-5f) << "the lowered music comes back";
  EXPECT_EQ(board.GetLevelCompleteStep(), 0);
  EXPECT_FLOAT_EQ(board.GetLevelCompleteTimer(), 0);

  // A no-more-moves show cut off after its shuffle, then a new level with
  // no move: its own show shuffles again.
  world.host.manager = nullptr;
  NoMoveBoard();
  board.SetNoMoreMoves();
  for (float t = 0; t < 2200; t += kFrameMs) board.UpdateNoMoreMoves(kFrameMs);
  ASSERT_TRUE(board.IsNoMoreMovesBusy());
  NoMoveBoard();
  EXPECT_FALSE(board.IsNoMoreMovesBusy());
  EXPECT_FLOAT_EQ(board.GetNoMoreMovesTimer(), 0);
  board.SetNoMoreMoves();
  for (int i = 0; i < 300 && board.IsNoMoreMoves(); ++i) board.UpdateNoMoreMoves(kFrameMs);
  EXPECT_FALSE(board.IsNoMoreMoves());
  EXPECT_TRUE(board.HasPossibleMove());
}

TEST_F(LevelEndShows, TheIdleWaveDoesNotRunDuringTheShows) {
  struct Case {
    const char* what;
    void (*startShow)(BvLayout&);
  };
  const Case cases[] = {
      {"no more moves", [](BvLayout& b) { b.SetNoMoreMoves(); }},
      {"level complete",
       [](BvLayout& b) {
         for (int c = 0; c < kBoardColumns; ++c)
           for (int r = 0; r < kBoardRows; ++r) b.GetCell(c, r).background = kBackClear;
       }},
  };
  world.host.manager = nullptr;
  for (const Case& c : cases) {
    // 9 s of play leave the wave 1 s from its start.
    BvLayout fresh(&world.host);
    fresh.Reset();
    board_test::RestartIdleWave(fresh);
    DrawBackgrounds(fresh, {"2222", "2222", "2222"}, 4, 4);
    DrawPieces(fresh, {"3343", "5545", "1121"}, 4, 4);
    for (float t = 0; t < 9000; t += kFrameMs) fresh.Update(kFrameMs);
    ASSERT_FALSE(fresh.IsIdleWaveActive()) << c.what;
    ASSERT_FALSE(fresh.IsNoMoreMoves()) << c.what;
    c.startShow(fresh);
    for (float t = 0; t < 2400; t += kFrameMs) {
      fresh.Update(kFrameMs);
      ASSERT_FALSE(fresh.IsIdleWaveActive()) << c.what << " at " << t << " ms of the show";
    }
    for (int col = 4; col < 8; ++col)
      for (int row = 4; row < 7; ++row)
        EXPECT_NE(fresh.GetCell(col, row).animation, kAnimIdle) << c.what;
  }
}

TEST_F(LevelEndShows, TheNoMoreMovesShowShufflesAndGivesTheBoardBack) {
  world.host.manager = nullptr;
  NoMoveBoard();
  board_test::KeepUnwon(board);
  board.SetNoMoreMoves();
  board.Update(kFrameMs);
  EXPECT_TRUE(board.IsNoMoreMovesBusy());
  EXPECT_TRUE(Played(world.PlayedSounds(), "nomoremoves"));
  for (float t = 0; t < 1900; t += kFrameMs) board.Update(kFrameMs);
  EXPECT_FALSE(board.HasPossibleMove()) << "not shuffled before 2 s";
  for (float t = 0; t < 700; t += kFrameMs) board.Update(kFrameMs);
  EXPECT_FALSE(board.IsNoMoreMoves());
  EXPECT_FALSE(board.IsNoMoreMovesBusy());
  EXPECT_TRUE(board.HasPossibleMove());
}

TEST_F(LevelEndShows, ALongFrameDoesNotSkipTheShuffle) {
  world.host.manager = nullptr;
  NoMoveBoard();
  board.SetNoMoreMoves();
  for (float t = 0; t < 1900; t += kFrameMs) board.UpdateNoMoreMoves(kFrameMs);
  board.UpdateNoMoreMoves(1000);  // the timer jumps past 2.5 s
  board.UpdateNoMoreMoves(kFrameMs);
  EXPECT_FALSE(board.IsNoMoreMoves());
  EXPECT_TRUE(board.HasPossibleMove()) << "shuffled on the way out";
}

TEST_F(LevelEndShows, TheTimeGaugeRunsDownInTimeMode) {
  board.Setup(BlockLayout(4, 4, 8, 8, 2).data());
  BvLevelElement* bar = board.GetGaugeBar();
  ASSERT_NE(bar, nullptr);
  ASSERT_TRUE(bar->IsVisible());
  struct Case {
    float usedBefore, step;
    float gaugeLeft;
    float v;  // pixels of the 420 high bar used up
  };
  const Case cases[] = {
      {0, 1000, 599000, 0.7f},
      {299000, 1000, 300000, 210},
      {449000, 1000, 150000, 315},
  };
  for (const Case& c : cases) {
    board.SetTimeUsed(c.usedBefore);
    board.UpdateTimeGauge(c.step);
    EXPECT_FLOAT_EQ(world.host.stats.gaugeLeft, c.gaugeLeft) << c.usedBefore;
    const irr::core::recti rect = bar->GetCurrentSprite()->GetSourceRect();
    EXPECT_EQ(rect.UpperLeftCorner.Y, int(c.v)) << c.usedBefore;
    EXPECT_EQ(rect.LowerRightCorner, irr::core::vector2di(90, 420)) << c.usedBefore;
    EXPECT_NEAR(bar->GetLocalPosition().Y, -c.v / 2.0f, 1e-3f) << c.usedBefore;
  }
  EXPECT_FALSE(board.IsWarningPlayed());
  board.SetTimeUsed(479000);
  board.UpdateTimeGauge(1000);
  EXPECT_TRUE(board.IsWarningPlayed()) << "from 80 %";
  EXPECT_TRUE(g_SoundManager->IsSoundPlaying("warning"));
  board.UpdateTimeGauge(1000);
  const std::vector<std::string> sounds = world.PlayedSounds();
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "warning"), 1);
  EXPECT_TRUE(world.host.guis.empty());
  board.SetTimeUsed(599990);
  board.UpdateTimeGauge(16);
  ASSERT_EQ(world.host.guis.size(), 1u);
  EXPECT_EQ(world.host.guis[0].n, 10);
  EXPECT_EQ(world.host.guis[0].mode, 1);
  EXPECT_FALSE(g_SoundManager->IsSoundPlaying("warning"));
}

TEST_F(LevelEndShows, AShortenedLimitHoldsForEveryLevelSetUpAfterwards) {
  board.SetLevelTimeLimit(5000);
  for (int level = 0; level < 2; ++level) {
    board.Setup(BlockLayout(4, 4, 8, 8, 2).data());
    EXPECT_EQ(board.GetTimeLimit(), 5000.0f);
    board.UpdateTimeGauge(3000);
    EXPECT_FLOAT_EQ(world.host.stats.gaugeLeft, 2000);
    EXPECT_EQ(world.host.guis.size(), size_t(level));
    board.UpdateTimeGauge(2000);
    ASSERT_EQ(world.host.guis.size(), size_t(level + 1));
    EXPECT_EQ(world.host.guis[level].n, 10) << "time's up at the shortened limit";
  }
}

TEST_F(LevelEndShows, WithTimeModeOffTheGaugeHidesAndPlayTimeCounts) {
  board.Setup(BlockLayout(4, 4, 8, 8, 2).data());
  world.host.profile.timeMode = 0;
  board.UpdateTimeGauge(1000);
  EXPECT_FALSE(board.GetGaugeBar()->IsVisible());
  EXPECT_FLOAT_EQ(board.GetTimeUsed(), 0);
  EXPECT_FLOAT_EQ(board.GetPlayTimeTotal(), 1000);
  EXPECT_FLOAT_EQ(world.host.stats.gaugeLeft, 599000);
  board.UpdateTimeGauge(700000);
  EXPECT_FLOAT_EQ(world.host.stats.gaugeLeft, 0) << "never below 0";
  EXPECT_TRUE(world.host.guis.empty());
}

TEST_F(LevelEndShows, TheWinStopsTheWarning) {
  board.Setup(BlockLayout(4, 4, 8, 8, 2).data());
  board.SetTimeUsed(500000);
  board.UpdateTimeGauge(16);
  ASSERT_TRUE(g_SoundManager->IsSoundPlaying("warning"));
  for (int c = 4; c <= 8; ++c) {
    for (int r = 4; r <= 8; ++r) board.GetCell(c, r).background = kBackClear;
  }
  board.CheckLevelWon();
  EXPECT_FALSE(g_SoundManager->IsSoundPlaying("warning"));
}

}  // namespace
