#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/platform/random_source.h"
#include "game/core/player_store.h"

namespace {

// Fixed clock, so profile keys are known.
class FixedClock : public bv::RandomSource {
 public:
  explicit FixedClock(int64_t seconds) : m_Seconds(seconds) {}
  void Seed(uint32_t) override {}
  int Next() override { return 0; }
  int64_t WallClockSeconds() override { return m_Seconds; }
  int64_t m_Seconds;
};

class PlayerStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetRandomSource(&clock);
    store.Reset();
  }
  void TearDown() override { bv::SetRandomSource(nullptr); }

  std::vector<int> Scores() const {
    std::vector<int> out;
    for (const BvHiscoreEntry& e : store.hiscores) out.push_back(e.score);
    return out;
  }
  std::vector<int> Keys() const {
    std::vector<int> out;
    for (const BvHiscoreEntry& e : store.hiscores) out.push_back(e.key);
    return out;
  }

  FixedClock clock{1000};
  BvPlayerStore store;
};

const std::vector<int> kDefaultScores = {100000, 50000, 30000, 20000, 10000,
                                         5000,   4000,  3000,  2000,  1000};

TEST_F(PlayerStoreTest, ResetGivesDefaultTableAndFreeProfiles) {
  EXPECT_EQ(Scores(), kDefaultScores);
  EXPECT_EQ(Keys(), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  for (const BvHiscoreEntry& e : store.hiscores) EXPECT_STREQ(e.name, "Brasvolt");
  EXPECT_EQ(store.current, -1);
  EXPECT_FALSE(store.HasCurrentProfile());
  EXPECT_EQ(store.GetCurrentProfile(), nullptr);
  for (const BvProfile& p : store.profiles) {
    EXPECT_TRUE(p.IsFree());
    EXPECT_EQ(p.showHints, 1);
    EXPECT_EQ(p.timeMode, 1);
  }
  // A fresh profile (score 0) enters nothing.
  store.SubmitScores();
  EXPECT_EQ(Scores(), kDefaultScores);
}

TEST_F(PlayerStoreTest, AddHiscoreCases) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, int>> adds;  // (score, key) in order
    std::vector<int> scores;
    std::vector<int> keys;
  };
  const std::vector<Case> cases = {
      {"below the table: unchanged", {{999, 50}}, kDefaultScores, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
      {"equal score goes before the entry",
       {{30000, 50}},
       {100000, 50000, 30000, 30000, 20000, 10000, 5000, 4000, 3000, 2000},
       {0, 1, 50, 2, 3, 4, 5, 6, 7, 8}},
      {"same key, same score twice: unchanged after the first",
       {{4500, 50}, {4500, 50}},
       {100000, 50000, 30000, 20000, 10000, 5000, 4500, 4000, 3000, 2000},
       {0, 1, 2, 3, 4, 5, 50, 6, 7, 8}},
      {"same key, higher score: moves up, those between shift by one",
       {{4500, 50}, {25000, 50}},
       {100000, 50000, 30000, 25000, 20000, 10000, 5000, 4000, 3000, 2000},
       {0, 1, 2, 50, 3, 4, 5, 6, 7, 8}},
      {"same key, lower score: the better entry stays, nothing is lost",
       {{25000, 50}, {4500, 50}},
       {100000, 50000, 30000, 25000, 20000, 10000, 5000, 4000, 3000, 2000},
       {0, 1, 2, 50, 3, 4, 5, 6, 7, 8}},
      {"top score", {{200000, 77}},
       {200000, 100000, 50000, 30000, 20000, 10000, 5000, 4000, 3000, 2000},
       {77, 0, 1, 2, 3, 4, 5, 6, 7, 8}},
  };
  for (const Case& c : cases) {
    store.Reset();
    for (auto [score, key] : c.adds) store.AddHiscore(score, "Ann", key);
    EXPECT_EQ(Scores(), c.scores) << c.what;
    EXPECT_EQ(Keys(), c.keys) << c.what;
  }
}

// A hidden-object level's hint penalty can lower a profile's score between
// two saves: the table keeps the game's better entry, holds each key once
// and loses no other entry, wherever the lower score would fall.
TEST_F(PlayerStoreTest, SubmitScoresWithALoweredScore) {
  for (int lowered : {24500, 3500, 500, -1500}) {
    store.Reset();
    clock.m_Seconds = 1000;
    store.SelectProfile(0, "Ann");
    clock.m_Seconds = 2000;
    store.SelectProfile(1, "Bob");
    store.profiles[0].score = 25000;
    store.profiles[1].score = 4500;
    store.SubmitScores();
    const std::vector<int> scores = Scores();
    const std::vector<int> keys = Keys();
    ASSERT_EQ(keys, (std::vector<int>{0, 1, 2, 1000, 3, 4, 5, 2000, 6, 7}));

    store.profiles[0].score = lowered;
    store.SubmitScores();
    EXPECT_EQ(Scores(), scores) << "Ann lowered to " << lowered;
    EXPECT_EQ(Keys(), keys) << "Ann lowered to " << lowered;

    // Her score grows past the kept entry again: the entry moves up.
    store.profiles[0].score = 40000;
    store.SubmitScores();
    EXPECT_EQ(Keys(), (std::vector<int>{0, 1, 1000, 2, 3, 4, 5, 2000, 6, 7})) << lowered;
    EXPECT_EQ(store.hiscores[2].score, 40000);
  }
}

TEST_F(PlayerStoreTest, AddHiscoreKeepsAtMostTwentyFourCharacters) {
  store.AddHiscore(500000, "ABCDEFGHIJKLMNOPQRSTUVWXYZ", 42);
  EXPECT_EQ(std::string(store.hiscores[0].name), "ABCDEFGHIJKLMNOPQRSTUVWX");
  EXPECT_EQ(store.hiscores[0].name[24], '\0');
}

TEST_F(PlayerStoreTest, SelectProfileNamesWithClockKey) {
  clock.m_Seconds = 0x1'2345'6789LL;  // only the low 32 bits are kept
  store.SelectProfile(2, "Mira");
  EXPECT_EQ(store.current, 2);
  EXPECT_STREQ(store.profiles[2].name, "Mira");
  EXPECT_EQ(store.profiles[2].key, 0x23456789);
  store.profiles[2].score = 70;
  store.SelectProfile(1, nullptr);  // selecting leaves the profile as it is
  EXPECT_EQ(store.current, 1);
  EXPECT_TRUE(store.profiles[1].IsFree());
  store.SelectProfile(4, "X");
  store.SelectProfile(-1, "X");
  EXPECT_EQ(store.current, 1);
}

TEST_F(PlayerStoreTest, DeleteProfileMovesLaterProfilesDown) {
  store.SelectProfile(0, "A");
  store.SelectProfile(1, "B");
  store.SelectProfile(2, "C");
  store.profiles[1].score = 60000;
  store.profiles[1].key = 11;
  store.DeleteProfile(1);
  EXPECT_STREQ(store.profiles[0].name, "A");
  EXPECT_STREQ(store.profiles[1].name, "C");
  EXPECT_TRUE(store.profiles[2].IsFree());
  EXPECT_TRUE(store.profiles[3].IsFree());
  // Current was 2: a free slot after the move, so it steps back to 1.
  EXPECT_EQ(store.current, 1);
  // The deleted player's game stays in the hiscores.
  EXPECT_EQ(store.hiscores[1].key, 11);
  EXPECT_EQ(store.hiscores[1].score, 60000);
}

TEST_F(PlayerStoreTest, DeleteProfileKeepsTheSamePlayerCurrent) {
  struct Case {
    int deleted;
    int current;
    int expectedCurrent;
    const char* expectedName;
  };
  // Four players A..D; deleting below the current one moves it down a slot.
  const Case cases[] = {
      {0, 2, 1, "C"}, {1, 3, 2, "D"}, {0, 1, 0, "B"},  // below: follows its player
      {3, 1, 1, "B"}, {2, 0, 0, "A"},                   // above: unchanged
      {3, 3, 2, "C"},                                   // the current, last: steps back
  };
  for (const Case& c : cases) {
    store.Reset();
    for (int i = 0; i < 4; ++i) store.SelectProfile(i, std::string(1, char('A' + i)).c_str());
    store.SelectProfile(c.current, nullptr);
    store.DeleteProfile(c.deleted);
    EXPECT_EQ(store.current, c.expectedCurrent) << "delete " << c.deleted << " of current " << c.current;
    ASSERT_NE(store.GetCurrentProfile(), nullptr);
    EXPECT_STREQ(store.GetCurrentProfile()->name, c.expectedName);
  }
}

TEST_F(PlayerStoreTest, DeleteOnlyProfileAndIgnoredIndices) {
  store.SelectProfile(0, "A");
  store.DeleteProfile(0);
  EXPECT_EQ(store.current, 0);
  EXPECT_TRUE(store.profiles[0].IsFree());
  EXPECT_EQ(store.GetCurrentProfile(), &store.profiles[0]);
  store.SelectProfile(0, "A");
  store.DeleteProfile(4);
  store.DeleteProfile(-1);
  store.DeleteProfile(3);  // free slot: nothing moves
  EXPECT_STREQ(store.profiles[0].name, "A");
}

TEST(ProfileTest, NextLevelAndLayoutIndexOverWorlds) {
  BvProfile p;
  p.Reset();
  // Walk the whole game: 6 worlds x 11 levels.
  std::vector<int> layouts;
  for (int step = 0; step < 66; ++step) {
    EXPECT_EQ(p.GetWorld(), step / 11);
    EXPECT_EQ(p.GetLevel(), step % 11);
    EXPECT_EQ(p.IsHiddenLevel(), step % 11 == 1);
    EXPECT_EQ(p.IsSwapLevel(), step % 11 != 1);
    layouts.push_back(p.GetLayoutIndex());
    p.NextLevel();
  }
  EXPECT_EQ(p.GetWorld(), 6);
  EXPECT_EQ(p.GetLevel(), 0);
  // Board levels of world W use layouts 10W..10W+9, each once, in order.
  std::vector<int> boards;
  for (int index : layouts)
    if (index >= 0) boards.push_back(index);
  ASSERT_EQ(boards.size(), 60u);
  for (int i = 0; i < 60; ++i) EXPECT_EQ(boards[i], i);
  struct Case { int world, level, layout; };
  for (Case c : {Case{2, 0, 20}, Case{2, 2, 21}, Case{2, 10, 29}, Case{2, 1, -1}}) {
    p.world = c.world;
    p.level = c.level;
    EXPECT_EQ(p.GetLayoutIndex(), c.layout) << "world " << c.world << " level " << c.level;
  }
}

TEST(ProfileTest, CompleteGameStartsNewGameWithNewKey) {
  FixedClock clock(5555);
  bv::SetRandomSource(&clock);
  BvProfile p;
  p.Reset();
  p.world = 6;
  p.score = 123;
  p.key = 1;
  p.CompleteGame();
  bv::SetRandomSource(nullptr);
  EXPECT_EQ(p.completedGames, 1);
  EXPECT_EQ(p.world, 0);
  EXPECT_EQ(p.level, 0);
  EXPECT_EQ(p.score, 0);
  EXPECT_EQ(p.key, 5555);
}

TEST(ProfileTest, ResetKeepsAchievementFlags) {
  BvProfile p;
  p.ClearAchievements();
  p.achievements[5] = 1;
  p.seenTips = 7;
  p.SetName("Zed");
  p.Reset();
  EXPECT_TRUE(p.HasAchievement(0, 5));
  EXPECT_FALSE(p.HasAchievement(0, 4));
  EXPECT_EQ(p.seenTips, 0u);
  EXPECT_TRUE(p.IsFree());
}

}  // namespace
