#include "engine/shell/command_line.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "engine/shell/globals.h"

namespace {

struct Options {
  bool debugInfo;
  int level;
  int world;
  int layout;
  bool sceneGiven;
  std::string scene;
};

struct Case {
  const char* name;  // the test's name: letters and digits only
  const char* commandLine;
  Options expected;
};

// Shown by gtest in place of the case's raw bytes.
void PrintTo(const Case& c, std::ostream* os) { *os << '"' << c.commandLine << '"'; }

const std::string kLongName(100, 'n');

class CommandLineCases : public ::testing::TestWithParam<Case> {};

TEST_P(CommandLineCases, SetsTheOptionValues) {
  // Leftovers from an earlier parse must not survive.
  ParseCommandLine("-debuginfo -level 9 -world 9 -layout 9 -scene old");
  const Case& c = GetParam();
  ParseCommandLine(c.commandLine);
  EXPECT_EQ(g_CmdDebugInfo, c.expected.debugInfo) << c.commandLine;
  EXPECT_EQ(g_CmdLevel, c.expected.level) << c.commandLine;
  EXPECT_EQ(g_CmdWorld, c.expected.world) << c.commandLine;
  EXPECT_EQ(g_CmdLayout, c.expected.layout) << c.commandLine;
  EXPECT_EQ(g_CmdSceneGiven, c.expected.sceneGiven) << c.commandLine;
  EXPECT_EQ(g_CmdSceneName, c.expected.scene) << c.commandLine;
}

const Options kNone{false, -1, -1, -1, false, ""};

INSTANTIATE_TEST_SUITE_P(
    Words, CommandLineCases,
    ::testing::Values(
        Case{"Empty", "", kNone},
        Case{"OnlyBlanks", "   ", kNone},
        Case{"DebugInfo", "-debuginfo", {true, -1, -1, -1, false, ""}},
        // A value word is not consumed: "3" and "2" are looked at and ignored.
        Case{"LevelAndWorld", "-level 3 -world 2", {false, 3, 2, -1, false, ""}},
        Case{"Layout", "-layout 17", {false, -1, -1, 17, false, ""}},
        // -1 is stored, then examined as an option and matches none.
        Case{"NegativeLevel", "-level -1", kNone},
        // Missing values.
        Case{"LevelWithoutValue", "-level", kNone},
        Case{"LayoutWithoutValue", "-world 4 -layout", {false, -1, 4, -1, false, ""}},
        Case{"SceneWithoutValue", "-scene", kNone},
        // "-scene" consumes its value even when it looks like an option.
        Case{"SceneConsumesOptionLikeValue", "-scene -debuginfo",
             {false, -1, -1, -1, true, "-debuginfo"}},
        Case{"SceneThenLevel", "-scene map -level 2", {false, 2, -1, -1, true, "map"}},
        // Exact, case-sensitive words only.
        Case{"CaseSensitiveExactWords", "-Level 3 -DEBUGINFO -level=3 debuginfo", kNone},
        // Decimal conversion: no digits gives 0, trailing letters end it.
        Case{"NoDigitsGivesZero", "-level abc", {false, 0, -1, -1, false, ""}},
        Case{"TrailingLettersEndTheNumber", "-level 12ab", {false, 12, -1, -1, false, ""}},
        Case{"PlusSign", "-level +7", {false, 7, -1, -1, false, ""}},
        // Out of range clamps instead of overflowing.
        Case{"OutOfRangeClamps", "-level 99999999999", {false, 2147483647, -1, -1, false, ""}},
        // The last occurrence wins.
        Case{"LastOccurrenceWins", "-level 1 -level 5", {false, 5, -1, -1, false, ""}},
        // Only blanks separate words: several are one separator, and a tab
        // belongs to the word.
        Case{"SeveralBlanksAndATab", "-level    6     -world\t2", {false, 6, -1, -1, false, ""}},
        Case{"TabBelongsToTheWord", "-world 3\t-level", {false, -1, 3, -1, false, ""}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

TEST(CommandLine, SceneNameKeepsItsFirst79Characters) {
  ParseCommandLine("-scene " + kLongName);
  EXPECT_TRUE(g_CmdSceneGiven);
  EXPECT_EQ(g_CmdSceneName, std::string(79, 'n'));
}

TEST(CommandLine, ArgumentsJoinWithSingleBlanks) {
  const char* argv[] = {"/usr/bin/quorvel", "-level", "3", "-world", "2"};
  EXPECT_EQ(bv::JoinArguments(5, argv), "-level 3 -world 2");
  EXPECT_EQ(bv::JoinArguments(1, argv), "");
  ParseCommandLine(bv::JoinArguments(5, argv));
  EXPECT_EQ(g_CmdLevel, 3);
  EXPECT_EQ(g_CmdWorld, 2);
  ParseCommandLine("");
}

}  // namespace
