#include "game/core/achievement.h"

#include <cstring>
#include <string>

#include "engine/resources/lang_table.h"
#include "game/core/bounded_format.h"

namespace {

const char* const kIds[kAchievementKinds] = {
    "achievefreed", "achievekilled", "achievechain", "achievespellused", "achievematches", "achievescore",
};

constexpr int kThresholds[kAchievementKinds][kAchievementSteps] = {
    {2, 5, 10, 15, 20, 25, 30},
    {10, 25, 50, 80, 100, 200, 300},
    {10, 50, 100, 150, 200, 250, 350},
    {10, 20, 50, 100, 200, 300, 400},
    {500, 800, 1000, 2000, 3000, 4000, 5000},
    {10000, 50000, 200000, 300000, 500000, 600000, 700000},
};

}  // namespace

bool IsAchievementStep(int kind, int step) {
  return kind >= 0 && kind < kAchievementKinds && step >= 0 && step < kAchievementSteps;
}

int AchievementThreshold(int kind, int step) {
  return IsAchievementStep(kind, step) ? kThresholds[kind][step] : 0;
}

void MakeAchievement(BvAchievement& out, int kind, int step) {
  if (!IsAchievementStep(kind, step)) return;
  std::memset(out.id, 0, sizeof(out.id));
  std::strncpy(out.id, kIds[kind], sizeof(out.id) - 1);
  const std::string stem = kIds[kind];
  bv::CopyBounded(out.title, BvAchievement::kTitleSize, GetText((stem + "title").c_str()));
  bv::FormatOneNumber(out.description, BvAchievement::kDescriptionSize,
                      GetText((stem + "desc").c_str()), kThresholds[kind][step]);
}
