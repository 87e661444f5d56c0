#include "game/gui/recap_hidden_gui.h"

#include "game/core/level_stats.h"
#include "game/gui/gui_results.h"
#include "game/gui/recap_values.h"

namespace {
constexpr const char* kSound = "guicourt";

// The rows between the score (step 1) and the total.
enum Step { kStepPlayTime = 2, kStepTimeBonus, kStepHintBonus };

constexpr BvRecapGui::Label kLabels[] = {
    {"recapscore", 0}, {"recapyourtime", 1}, {"recaptime", 2}, {"recaphint", 3}, {"recaptotal", 5},
};
}  // namespace

BvRecapHiddenGui::BvRecapHiddenGui() : BvRecapGui(kGuiResultHiddenRecap, kLabels) {}

void BvRecapHiddenGui::ComputeBonuses() {
  const BvLevelStats* stats = Stats();
  m_TimeBonus = HiddenTimeBonus(stats ? stats->playSeconds : 0);
  m_HintBonus = HiddenHintBonus(stats ? stats->hintsUsed : 0);
}

int BvRecapHiddenGui::TotalBonus() const { return m_HintBonus + m_TimeBonus; }

void BvRecapHiddenGui::ShowStep(int step) {
  const BvLevelStats* stats = Stats();
  switch (step) {
    case kStepPlayTime:
      AddLine(PlayTimeText(stats ? stats->playSeconds : 0), 1, false, kSound);
      break;
    case kStepTimeBonus:
      AddLine(BonusText(m_TimeBonus), 2, false, kSound);
      break;
    case kStepHintBonus:
      AddLine(m_HintBonus > 0 ? BonusText(m_HintBonus) : NumberText(m_HintBonus), 3,
              m_HintBonus < 0, kSound);
      break;
    default: break;
  }
}
