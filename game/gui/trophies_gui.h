#pragma once
// GUI 9: the five best hiscores and the current profile's six trophies, each
// with a star per level reached; hovering a trophy shows a tip with the next
// level to reach. Opening it first submits every profile's score and lets
// the profile unlock one pending achievement, without a notice.
#include <string>
#include <vector>

#include "game/core/achievement.h"
#include "game/gui/gui.h"
#include "game/gui/tip_placement.h"

class BvTrophiesGui : public BvGui {
 public:
  // Hiscore entries shown.
  static constexpr int kShownScores = 5;

  BvTrophiesGui() = default;

  void Init(intptr_t argument) override;
  void Update(float ms) override;
  // Fade-out only; state 4.
  void Hide() override;

  void Build();
  // The stars of one trophy and its kind's tip text.
  void SetupTrophy(int kind, BvLevelElement* trophy);
  void ShowTip(int kind);
  void HideTip();

  bool IsTipShown() const { return m_TipShown; }
  const std::wstring& GetTipText(int kind) const { return m_TipTexts[kind]; }
  // The frame's buttons and keys while open (state 2).
  void HandleButtons();

 private:
  void BuildHiscores(BvLevelElement* panel);
  void BuildTip();
  // The tip's box around the panel's position: the panel and its texts.
  BvTipBox TipExtent() const;
  // Where a text lies in the window, by its alignment.
  static BvTipBox TextBox(const BvLevelElement& text);
  // The box round the hiscores' title, names and scores; false when none
  // is shown.
  bool ScoresBox(BvTipBox& box) const;

  bool m_TipShown = false;
  // The tip panel and its two texts (null when one of them is missing).
  BvLevelElement* m_TipPanel = nullptr;
  BvLevelElement* m_TipTitle = nullptr;
  BvLevelElement* m_TipText = nullptr;
  // Per achievement kind: the next level to reach, or the completed words.
  std::wstring m_TipTexts[kAchievementKinds];
  // Per achievement kind: the trophy's title, which its tip keeps clear of.
  BvLevelElement* m_TrophyTitles[kAchievementKinds] = {};
  // The hiscores' title and lines, which every tip keeps clear of.
  std::vector<BvLevelElement*> m_ScoreTexts;
};
