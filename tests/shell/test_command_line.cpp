#include "engine/shell/command_line.h"

#include <gtest/gtest.h>

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
  const char* commandLine;
  Options expected;
};

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
        Case{"", kNone},
        Case{"   ", kNone},
        Case{"-debuginfo", {true, -1, -1, -1, false, ""}},
        // A value word is not consumed: "3" and "2" are looked at and ignored.
        Case{"-level 3 -world 2", {false, 3, 2, -1, false, ""}},
        Case{"-layout 17", {false, -1, -1, 17, false, ""}},
        // -1 is stored, then examined as an option and matches none.
        Case{"-level -1", kNone},
        // Missing values.
        Case{"-level", kNone},
        Case{"-world 4 -layout", {false, -1, 4, -1, false, ""}},
        Case{"-scene", kNone},
        // "-scene" consumes its value even when it looks like an option.
        Case{"-scene -debuginfo", {false, -1, -1, -1, true, "-debuginfo"}},
        Case{"-scene map -level 2", {false, 2, -1, -1, true, "map"}},
        // Exact, case-sensitive words only.
        Case{"-Level 3 -DEBUGINFO -level=3 debuginfo", kNone},
        // Decimal conversion: no digits gives 0, trailing letters end it.
        Case{"-level abc", {false, 0, -1, -1, false, ""}},
        Case{"-level 12ab", {false, 12, -1, -1, false, ""}},
        Case{"-level +7", {false, 7, -1, -1, false, ""}},
        // Out of range clamps instead of overflowing.
        Case{"-level 99999999999", {false, 2147483647, -1, -1, false, ""}},
        // The last occurrence wins.
        Case{"-level 1 -level 5", {false, 5, -1, -1, false, ""}},
        // Only blanks separate words: several are one separator, and a tab
        // belongs to the word.
        Case{"-level    6     -world\t2", {false, 6, -1, -1, false, ""}},
        Case{"-world 3\t-level", {false, -1, 3, -1, false, ""}}),
    [](const ::testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

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
