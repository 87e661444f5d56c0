#include <gtest/gtest.h>

#include <string>

#include "game/core/profile.h"
#include "game/core/scene_flow.h"
#include "game/core/scene_numbers.h"

namespace {

constexpr int kStay = -1;
constexpr int kQuit = -2;

struct FlowCase {
  int finished;
  int result;
  bool hasProfile;
  int world;
  int level;
  int next;  // scene, kStay or kQuit
  bool completes = false;
};

TEST(SceneFlowTest, NextSceneTable) {
  const FlowCase cases[] = {
      {1, 0, false, 0, 0, 17},   {1, 3, false, 0, 0, kStay},
      {17, 0, false, 0, 0, 2},   {17, 3, true, 0, 0, kStay},
      {2, 0, false, 0, 0, 3},    // no profile: level 0, the story
      {2, 0, true, 2, 0, 3},     {2, 0, true, 2, 4, 16},
      {2, 1, true, 2, 4, kQuit}, {2, 2, true, 2, 4, 2},
      {3, 0, true, 3, 0, 16},    {3, 0, true, 6, 0, 2, true},
      {3, 3, true, 3, 0, kStay},
      {4, 0, true, 0, 3, 16},    {6, 0, true, 3, 0, 3},  // a new world starts with its story
      {9, 3, true, 5, 7, 9},     {5, 3, true, 1, 7, 5},  // replay the same board
      {9, 3, true, 6, 0, 9},     // world 6 never reaches past the last board
      {7, 1, true, 3, 3, kQuit}, {7, 2, true, 3, 3, 2},
      {10, 0, true, 0, 2, 3},    {15, 0, true, 5, 2, 3}, {12, 3, true, 2, 2, kStay},
      {16, 0, true, 2, 1, 12},   {16, 0, true, 5, 1, 15}, {16, 0, true, 2, 5, 6},
      {16, 0, false, 0, 0, 4},   {16, 3, true, 2, 5, kStay},
      {16, 0, true, 6, 1, 15},   // world 6 stays inside the scene table
  };
  for (const FlowCase& c : cases) {
    BvProfile profile;
    profile.Reset();
    profile.world = c.world;
    profile.level = c.level;
    const BvSceneFlowStep step = NextSceneAfter(c.finished, c.result, c.hasProfile ? &profile : nullptr);
    int got = kStay;
    if (step.action == BvSceneFlowStep::kQuit) got = kQuit;
    if (step.action == BvSceneFlowStep::kSetScene) got = step.scene;
    EXPECT_EQ(got, c.next) << "scene " << c.finished << " result " << c.result << " world "
                           << c.world << " level " << c.level;
    EXPECT_EQ(step.completeGame, c.completes) << "scene " << c.finished << " world " << c.world;
    if (got >= 0) {
      EXPECT_GE(got, 1);
      EXPECT_LE(got, kLastScene);
    }
  }
}


// Every world and level: the map leads to the world's own board screen, or
// on level 1 to its own hidden-object screen; a won board to the map (to
// the story on a new world's first level); a hidden-object screen to the
// story's spell page; the title menu to the story only at a world's start.
TEST(SceneFlowTest, EveryWorldAndLevelReachesItsOwnScreens) {
  auto next = [](int finished, int result, int world, int level) {
    BvProfile profile;
    profile.Reset();
    profile.world = world;
    profile.level = level;
    const BvSceneFlowStep step = NextSceneAfter(finished, result, &profile);
    return step.action == BvSceneFlowStep::kSetScene ? step.scene : kStay;
  };
  for (int world = 0; world < 6; ++world) {
    const int board = 4 + world;
    const int hidden = 10 + world;
    for (int level = 0; level <= 10; ++level) {
      const std::string at = "world " + std::to_string(world) + " level " + std::to_string(level);
      EXPECT_EQ(next(16, 0, world, level), level == 1 ? hidden : board) << at << ": from the map";
      EXPECT_EQ(next(2, 0, world, level), level == 0 ? 3 : 16) << at << ": from the title";
      EXPECT_EQ(next(board, 3, world, level), board) << at << ": a board replayed";
      // After a win the profile is already at the next level.
      EXPECT_EQ(next(board, 0, world, level), level == 0 ? 3 : 16) << at << ": after a board";
      EXPECT_EQ(next(hidden, 0, world, level), 3) << at << ": after the hidden objects";
    }
  }
}

}  // namespace
