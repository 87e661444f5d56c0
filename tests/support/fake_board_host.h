#pragma once
// A board host for tests: hands the board a level manager (or none), a
// profile and level statistics it owns, and records every request.
#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/board/board_host.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"

namespace bv {
namespace test {

class FakeBoardHost : public BvBoardHost {
 public:
  struct GuiCall {
    int n;
    int mode;
    intptr_t argument;
  };

  BvLevelManager* GetLevelManager() override { return manager; }
  BvProfile* GetProfile() override { return hasProfile ? &profile : nullptr; }
  BvLevelStats* GetLevelStats() override { return hasStats ? &stats : nullptr; }
  void AddScore(int points) override {
    scores.push_back(points);
    score += points;
  }
  void ScheduleTip(int bit, float delayMs) override { tips.emplace_back(bit, delayMs); }
  bool IsMouseOver(const char* name) override { return mouseOver.count(name) != 0; }
  void SetSceneState(int state) override { states.push_back(state); }
  int GetGuiMode() override { return guiMode; }
  void ShowGui(int n, int mode, intptr_t argument) override { guis.push_back({n, mode, argument}); }
  bool IsExpertMode() override { return expert; }
  BvLayoutBank* GetLayoutBank() override { return bank; }
  int GetLayoutIndex() override { return layoutIndex; }
  bool WasLeftClicked() override {
    const bool clicked = leftClicked;
    leftClicked = false;
    return clicked;
  }
  void ShowGameCursor(bool gameCursor) override { cursors.push_back(gameCursor); }

  BvLevelManager* manager = nullptr;
  BvProfile profile;
  bool hasProfile = true;
  BvLevelStats stats;
  bool hasStats = true;
  std::vector<int> scores;
  int score = 0;
  std::vector<std::pair<int, float>> tips;
  std::set<std::string> mouseOver;
  std::vector<int> states;
  int guiMode = 0;
  std::vector<GuiCall> guis;
  bool expert = false;
  int layoutIndex = 0;
  BvLayoutBank* bank = nullptr;
  bool leftClicked = false;
  std::vector<bool> cursors;  // true: the game cursor was shown
};

}  // namespace test
}  // namespace bv
