// The recaps' bonuses and value texts.
#include "game/gui/recap_values.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

TEST(RecapValues, Bonuses) {
  struct GaugeCase {
    float gaugeLeftMs;
    int bonus;
  };
  const GaugeCase gauge[] = {
      {12000.0f, 48}, {2499.0f, 9}, {2500.0f, 10}, {250.0f, 1}, {249.9f, 0},
      {600000.0f, 2400}, {0.0f, 0}, {-5.0f, 0},
  };
  for (const GaugeCase& c : gauge)
    EXPECT_EQ(BoardTimeBonus(c.gaugeLeftMs), c.bonus) << "gauge " << c.gaugeLeftMs;

  struct HiddenCase {
    int seconds;
    int timeBonus;
  };
  const HiddenCase hidden[] = {{0, 1800}, {100, 800}, {179, 10}, {180, 0}, {200, 0}, {-30, 1800}};
  for (const HiddenCase& c : hidden)
    EXPECT_EQ(HiddenTimeBonus(c.seconds), c.timeBonus) << c.seconds << " s";

  EXPECT_EQ(HiddenHintBonus(0), 500);
  EXPECT_EQ(HiddenHintBonus(1), -500);
  EXPECT_EQ(HiddenHintBonus(2), -1000);
}

TEST(RecapValues, Texts) {
  EXPECT_EQ(NumberText(12345), L"12345");
  EXPECT_EQ(NumberText(-1000), L"-1000");
  EXPECT_EQ(BonusText(48), L"+48");
  EXPECT_EQ(CountText(13, 50), L"+13 X 50");
  EXPECT_EQ(CountText(0, 100), L"+0 X 100");
  struct TimeCase {
    int seconds;
    std::wstring text;
  };
  const TimeCase times[] = {
      {3725, L"1:02:05"}, {0, L"0:00:00"}, {59, L"0:00:59"}, {3600, L"1:00:00"},
      {359999, L"99:59:59"},
      // A negative count is split as unsigned, as the clock would be.
      {-1, L"1193046:28:15"},
  };
  for (const TimeCase& c : times) EXPECT_EQ(PlayTimeText(c.seconds), c.text) << c.seconds;
  EXPECT_LE(PlayTimeText(INT_MAX).size(), 79u);
}

}  // namespace
