#include "game/core/achievement.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/platform/message_box.h"
#include "engine/resources/lang_table.h"
#include "game/core/profile.h"

namespace fs = std::filesystem;

namespace {

using Step = std::pair<int, int>;  // kind, step

// A language table written for the test, and a fresh profile.
class AchievementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
    char pattern[] = "/tmp/qv_achieve_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    profile.Reset();
    profile.ClearAchievements();
  }
  void TearDown() override {
    g_LangTable.Clear();
    std::error_code ignored;
    fs::remove_all(dir, ignored);
  }
  void LoadTexts(const std::vector<std::pair<std::string, std::string>>& texts) {
    const fs::path path = dir / "lang.xml";
    std::ofstream file(path, std::ios::binary);
    file << "<lang>";
    for (const auto& [code, value] : texts) file << "<text code=\"" << code << "\">" << value << "</text>";
    file << "</lang>";
    file.close();
    ASSERT_TRUE(g_LangTable.LoadLang(path.c_str()));
  }
  // Steps unlocked by repeated checks until one finds nothing.
  std::vector<Step> CheckUntilDone() {
    std::vector<Step> unlocked;
    for (int guard = 0; guard < 50; ++guard) {
      uint8_t before[BvProfile::kAchievementFlags];
      std::memcpy(before, profile.achievements, sizeof(before));
      BvAchievement out;
      if (!profile.CheckAchievements(out)) break;
      for (int i = 0; i < BvProfile::kAchievementFlags; ++i) {
        if (!before[i] && profile.achievements[i]) unlocked.push_back({i / 7, i % 7});
      }
    }
    return unlocked;
  }
  fs::path dir;
  BvProfile profile;
};

TEST_F(AchievementTest, MakeFillsIdTitleAndThresholdDescription) {
  LoadTexts({{"achievespellusedtitle", "Spell Caster"}, {"achievespelluseddesc", "Cast %d spells"},
             {"achievescoretitle", "Treasures"}, {"achievescoredesc", "Gather %d points"}});
  BvAchievement out;
  MakeAchievement(out, kAchievementSpellUsed, 6);
  EXPECT_STREQ(out.id, "achievespellused");
  EXPECT_STREQ(out.title, L"Spell Caster");
  EXPECT_STREQ(out.description, L"Cast 400 spells");
  MakeAchievement(out, kAchievementScore, 1);
  EXPECT_STREQ(out.id, "achievescore");
  EXPECT_STREQ(out.description, L"Gather 50000 points");
  EXPECT_TRUE(bv::ShownMessages().empty());
}

// Whatever a translator writes, the descriptor stays bounded and terminated;
// a missing text reads "undefined" after its "Alert" box.
TEST_F(AchievementTest, HostileOrMissingTextsStayInsideTheDescriptor) {
  const std::string longText(300, 'w');
  LoadTexts({{"achievefreedtitle", longText}, {"achievefreeddesc", "%s%n%x %d%d " + longText}});
  BvAchievement out;
  MakeAchievement(out, kAchievementFreed, 0);
  EXPECT_EQ(std::wstring(out.title), std::wstring(BvAchievement::kTitleSize - 1, L'w'));
  const std::wstring description = out.description;
  EXPECT_EQ(description.size(), size_t(BvAchievement::kDescriptionSize - 1));
  EXPECT_EQ(description.substr(0, 13), L"%s%n%x 2%d ww");

  MakeAchievement(out, kAchievementChain, 0);
  EXPECT_STREQ(out.title, L"undefined");
  EXPECT_STREQ(out.description, L"undefined");
  EXPECT_FALSE(bv::ShownMessages().empty());
}

TEST_F(AchievementTest, KindsAndStepsOutsideTheTableAreRefused) {
  const Step refused[] = {{-1, 0}, {6, 0}, {0, -1}, {0, 7}, {5, 7}, {1000, 3}};
  profile.freed = profile.score = profile.matches = 1000000;
  for (const auto& [kind, step] : refused) {
    BvAchievement out;
    std::fill(std::begin(out.id), std::end(out.id), 'z');
    std::fill(std::begin(out.title), std::end(out.title), L'z');
    std::fill(std::begin(out.description), std::end(out.description), L'z');
    const auto untouched = [&out] {
      return std::count(std::begin(out.id), std::end(out.id), 'z') == BvAchievement::kIdSize &&
             std::count(std::begin(out.title), std::end(out.title), L'z') == BvAchievement::kTitleSize &&
             std::count(std::begin(out.description), std::end(out.description), L'z') ==
                 BvAchievement::kDescriptionSize;
    };
    MakeAchievement(out, kind, step);
    EXPECT_TRUE(untouched()) << "make " << kind << "," << step;
    profile.UnlockAchievement(kind, step, out);
    EXPECT_TRUE(untouched()) << "unlock " << kind << "," << step;
    EXPECT_FALSE(profile.HasAchievement(kind, step));
    EXPECT_EQ(AchievementThreshold(kind, step), 0);
  }
  for (uint8_t flag : profile.achievements) EXPECT_EQ(flag, 0);
  EXPECT_TRUE(profile.IsFree()) << "no byte beside the flags written";
  EXPECT_EQ(profile.world, 0);
}

TEST_F(AchievementTest, UnlockSetsTheFlagOfKindTimesSevenPlusStep) {
  BvAchievement out;
  profile.UnlockAchievement(kAchievementScore, 6, out);
  profile.UnlockAchievement(kAchievementKilled, 0, out);
  EXPECT_EQ(profile.achievements[41], 1);
  EXPECT_EQ(profile.achievements[7], 1);
  EXPECT_TRUE(profile.HasAchievement(kAchievementScore, 6));
  EXPECT_TRUE(profile.HasAchievement(kAchievementKilled, 0));
  EXPECT_FALSE(profile.HasAchievement(kAchievementKilled, 1));
  EXPECT_STREQ(out.id, "achievekilled");
}

// One step per check: freed first, then score, then monster hits, chains,
// spells and matches; lowest step first within a kind.
TEST_F(AchievementTest, ChecksUnlockOneStepAtATimeInKindOrder) {
  struct Case {
    const char* what;
    int freed, score, killed, chains, spells, matches;
    std::vector<int> preset;  // flag indices already set
    std::vector<Step> want;
  };
  const Case cases[] = {
      {"nothing reached", 1, 9999, 9, 9, 9, 499, {}, {}},
      {"score 60000", 0, 60000, 0, 0, 0, 0, {}, {{5, 0}, {5, 1}}},
      {"freed before score", 2, 10000, 0, 0, 0, 0, {}, {{0, 0}, {5, 0}}},
      {"every first step", 2, 10000, 10, 10, 10, 500, {},
       {{0, 0}, {5, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}}},
      {"seen steps skipped", 5, 0, 0, 0, 0, 0, {0}, {{0, 1}}},
      {"a gap is filled", 30, 0, 0, 0, 0, 0, {0, 1, 2, 4, 5, 6}, {{0, 3}}},
      {"all seven score steps", 0, 700000, 0, 0, 0, 0, {},
       {{5, 0}, {5, 1}, {5, 2}, {5, 3}, {5, 4}, {5, 5}, {5, 6}}},
  };
  for (const Case& c : cases) {
    profile.ClearAchievements();
    profile.freed = c.freed;
    profile.score = c.score;
    profile.monstersKilled = c.killed;
    profile.chainsBroken = c.chains;
    profile.spellsCast = c.spells;
    profile.matches = c.matches;
    for (int index : c.preset) profile.achievements[index] = 1;
    EXPECT_EQ(CheckUntilDone(), c.want) << c.what;
  }
}

// The counter each kind follows and its thresholds: a step is reached at its
// threshold, not one below.
TEST_F(AchievementTest, ThresholdsOfEveryKind) {
  struct Case { int kind; int BvProfile::*counter; std::vector<int> thresholds; };
  const Case cases[] = {
      {kAchievementFreed, &BvProfile::freed, {2, 5, 10, 15, 20, 25, 30}},
      {kAchievementKilled, &BvProfile::monstersKilled, {10, 25, 50, 80, 100, 200, 300}},
      {kAchievementChain, &BvProfile::chainsBroken, {10, 50, 100, 150, 200, 250, 350}},
      {kAchievementSpellUsed, &BvProfile::spellsCast, {10, 20, 50, 100, 200, 300, 400}},
      {kAchievementMatches, &BvProfile::matches, {500, 800, 1000, 2000, 3000, 4000, 5000}},
      {kAchievementScore, &BvProfile::score,
       {10000, 50000, 200000, 300000, 500000, 600000, 700000}},
  };
  for (const Case& c : cases) {
    for (int step = 0; step < kAchievementSteps; ++step) {
      const int threshold = c.thresholds[step];
      EXPECT_EQ(AchievementThreshold(c.kind, step), threshold) << c.kind << "," << step;
      profile.Reset();
      profile.ClearAchievements();
      profile.*c.counter = threshold - 1;
      EXPECT_EQ(CheckUntilDone().size(), size_t(step)) << c.kind << " at " << threshold - 1;
      profile.*c.counter = threshold;
      EXPECT_EQ(CheckUntilDone(), std::vector<Step>{Step(c.kind, step)}) << c.kind << " at " << threshold;
    }
  }
}

TEST_F(AchievementTest, CheckFillsTheDescriptorOfTheUnlockedStep) {
  LoadTexts({{"achievescoretitle", "Treasures"}, {"achievescoredesc", "Gather %d points"}});
  profile.score = 60000;
  BvAchievement out;
  ASSERT_TRUE(profile.CheckAchievements(out));
  EXPECT_STREQ(out.id, "achievescore");
  EXPECT_STREQ(out.description, L"Gather 10000 points");
  ASSERT_TRUE(profile.CheckAchievements(out));
  EXPECT_STREQ(out.description, L"Gather 50000 points");
  BvAchievement untouched;
  EXPECT_FALSE(profile.CheckAchievements(untouched));
  EXPECT_STREQ(untouched.id, "");
}

}  // namespace
