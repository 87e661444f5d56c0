#include "game/gui/recap_swap_gui.h"

#include "game/core/level_stats.h"
#include "game/gui/gui_results.h"
#include "game/gui/recap_values.h"

namespace {
constexpr int kPointsPerTile = 50;
constexpr int kPointsPerMatch = 100;
constexpr const char* kSound = "guicourt";

// The rows between the score (step 1) and the total.
enum Step { kStepTiles = 2, kStepMatches, kStepPlayTime, kStepTimeBonus };

constexpr BvRecapGui::Label kLabels[] = {
    {"recapscore", 0},    {"recaptiles", 1}, {"recapmatches", 2},
    {"recapyourtime", 3}, {"recaptime", 4},  {"recaptotal", 6},
};
}  // namespace

BvRecapSwapGui::BvRecapSwapGui() : BvRecapGui(kGuiResultBoardRecap, kLabels) {}

void BvRecapSwapGui::ComputeBonuses() {
  const BvLevelStats* stats = Stats();
  m_TimeBonus = stats ? BoardTimeBonus(stats->gaugeLeft) : 0;
}

int BvRecapSwapGui::TotalBonus() const {
  const BvLevelStats* stats = Stats();
  if (!stats) return m_TimeBonus;
  return stats->backgroundsCleared * kPointsPerTile + stats->matches * kPointsPerMatch + m_TimeBonus;
}

void BvRecapSwapGui::ShowStep(int step) {
  const BvLevelStats none{};
  const BvLevelStats& stats = Stats() ? *Stats() : none;
  switch (step) {
    case kStepTiles:
      AddLine(CountText(stats.backgroundsCleared, kPointsPerTile), 1, false, kSound);
      break;
    case kStepMatches:
      AddLine(CountText(stats.matches, kPointsPerMatch), 2, false, kSound);
      break;
    case kStepPlayTime:
      AddLine(PlayTimeText(stats.playSeconds), 3, false, kSound);
      break;
    case kStepTimeBonus:
      AddLine(BonusText(m_TimeBonus), 4, false, kSound);
      break;
    default: break;
  }
}
