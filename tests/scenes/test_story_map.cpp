// The spot the map shows for each world and level, and the lines of the
// story's pages.
#include <gtest/gtest.h>

#include <set>

#include "game/scenes/map_scene.h"
#include "game/scenes/story_scene.h"

namespace {

TEST(MapSpotTest, EveryWorldAndLevelHasItsOwnSpot) {
  std::set<int> seen;
  for (int world = 0; world < 6; ++world) {
    for (int level = 0; level <= 10; ++level) {
      const int spot = MapSpotIndex(world, level);
      EXPECT_EQ(spot, level + 11 * world) << world << "/" << level;
      seen.insert(spot);
    }
  }
  EXPECT_EQ(seen.size(), 66u);
  EXPECT_EQ(*seen.begin(), 0);
  EXPECT_EQ(*seen.rbegin(), 65);
}

TEST(MapSpotTest, PositionsOutOfRangeStayOnTheMap) {
  struct Case {
    int world;
    int level;
    int spot;
  };
  // The finished game's world 6, damaged files and command lines.
  for (const Case& c : {Case{6, 0, 55}, Case{-1, 3, 3}, Case{2, 11, 32}, Case{0, -4, 0},
                        Case{100, 100, 65}, Case{-7, -7, 0}})
    EXPECT_EQ(MapSpotIndex(c.world, c.level), c.spot) << c.world << "/" << c.level;
}

TEST(StoryPageTest, ChapterPageOfTheFourthWorld) {
  const std::vector<BvStoryLine> lines = StoryPageLines(4, false);
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[0].key, "ch4ap1");
  EXPECT_STREQ(lines[0].font, "gothic30");
  EXPECT_EQ(lines[5].key, "ch4ap6");
  EXPECT_EQ(lines[5].y, -150.0f);
  EXPECT_STREQ(lines[5].font, "gothic14");
  EXPECT_EQ(lines[6].key, "ch4p1");
  EXPECT_EQ(lines[6].alignment, 1);
  EXPECT_EQ(lines[23].key, "ch4p18");
  EXPECT_EQ(lines[23].y, -150.0f);
  EXPECT_EQ(lines[23].delayMs, 5400.0f) << "the last right line";
  EXPECT_EQ(lines[5].delayMs, lines[11].delayMs) << "the columns build side by side";
}

TEST(StoryPageTest, SpellPageOfTheFirstWorld) {
  const std::vector<BvStoryLine> lines = StoryPageLines(1, true);
  ASSERT_EQ(lines.size(), 16u);
  EXPECT_EQ(lines[1].key, "so1ap2");
  EXPECT_EQ(lines[1].y, 158.0f);
  EXPECT_EQ(lines[2].y, -90.0f);
  EXPECT_EQ(lines[6].key, "so1p1");
  EXPECT_EQ(lines[6].x, 150.0f);
  EXPECT_EQ(lines[6].alignment, 0);
  EXPECT_EQ(lines[7].y, 130.0f);
  EXPECT_EQ(lines[15].key, "so1p10");
  EXPECT_EQ(lines[15].y, -30.0f);
  for (const BvStoryLine& line : lines)
    if (line.key.rfind("so1ap", 0) == 0) EXPECT_STREQ(line.font, "gothic30") << line.key;
}

}  // namespace
