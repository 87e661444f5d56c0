// Cost of the board's per-frame update on a full board (15 x 12 pieces on
// backfills): match search, swaps, gravity, backgrounds, the possible-move
// check, and the level elements it makes (pieces, effects, pop-ups) in a
// level manager without display (templates without images, so the level
// pass updates and moves everything but draws nothing). Plays the board's
// own hint whenever the board rests, starting a new level once it is won,
// for the given number of frames at the 75 Hz time step, and prints the
// mean and 99th-percentile CPU time of the board's update and of the
// level pass beside the frame budget.
//
//   board_update_bench [frames]
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "game/board/board_element_names.h"
#include "game/board/board_host.h"
#include "game/board/layout.h"
#include "game/core/layout_cell.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"
#include "bench/frame_stats.h"

namespace {

constexpr int kDefaultFrames = 20000;
constexpr float kStepMs = 1000.0f / 75.0f;

using bench::CpuMs;
using bench::Stats;
using bench::Summarise;

// A host with a profile and statistics and nothing else.
class BenchHost : public BvBoardHost {
 public:
  BvLevelManager* GetLevelManager() override { return manager; }
  BvProfile* GetProfile() override { return &profile; }
  BvLevelStats* GetLevelStats() override { return &stats; }
  void AddScore(int points) override { score += points; }
  void ScheduleTip(int, float) override {}
  bool IsMouseOver(const char*) override { return false; }
  void SetSceneState(int) override {}
  int GetGuiMode() override { return 1; }
  void ShowGui(int, int, intptr_t) override {}
  bool IsExpertMode() override { return false; }
  BvLayoutBank* GetLayoutBank() override { return nullptr; }
  int GetLayoutIndex() override { return 0; }
  bool WasLeftClicked() override { return false; }
  void ShowGameCursor(bool) override {}

  BvLevelManager* manager = nullptr;
  BvProfile profile;
  BvLevelStats stats;
  long score = 0;
};

}  // namespace

int main(int argc, char** argv) {
  const int frames = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultFrames;
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  BvLevelManager manager(nullptr, true);
  for (const char* name : kBoardElementNames) manager.GetElements()->AddObject(new BvImageElement(name));
  manager.GetLevels()->AddObject(new BvLevel("board"));
  BenchHost host;
  host.manager = &manager;
  host.profile.matches = 1;
  host.profile.timeMode = 0;
  std::vector<BvLayoutCell> layout(kBoardCells);
  for (int c = 1; c <= 15; ++c) {
    for (int r = 1; r <= 12; ++r) layout[c * kBoardRows + r] = BvLayoutCell{2, 1};
  }
  BvLayout board(&host);
  board.Setup(layout.data());
  std::vector<double> updates, passes;
  updates.reserve(frames);
  passes.reserve(frames);
  int moves = 0, levels = 1;
  for (int frame = 0; frame < frames; ++frame) {
    if (board.IsWon()) {
      manager.ClearLevels();
      manager.GetLevels()->AddObject(new BvLevel("board"));
      board.ForgetElements();
      board.Setup(layout.data());
      ++levels;
    }
    if (board.IsSettled() && !board.IsSwapRunning() && !board.IsNoMoreMoves() &&
        board.HasPossibleMove()) {
      BvHintHelper& hint = board.GetHint();
      int pc = hint.GetColumn(), pr = hint.GetRow();
      if (hint.GetDirection() == kHintUp) --pr;
      if (hint.GetDirection() == kHintDown) ++pr;
      if (hint.GetDirection() == kHintLeft) --pc;
      if (hint.GetDirection() == kHintRight) ++pc;
      board.GetCell(hint.GetColumn(), hint.GetRow()).Click();
      board.GetCell(pc, pr).Click();
      ++moves;
    }
    double start = CpuMs();
    board.Update(kStepMs);
    updates.push_back(CpuMs() - start);
    start = CpuMs();
    manager.RenderCurrentLevel(kStepMs, false, false);
    passes.push_back(CpuMs() - start);
  }
  const Stats update = Summarise(updates), pass = Summarise(passes);
  std::printf("board: %d frames, %d levels, %d moves, score %ld\n", frames, levels, moves, host.score);
  std::printf("  board update  mean %.4f ms  p99 %.4f ms\n", update.mean, update.p99);
  std::printf("  level pass    mean %.4f ms  p99 %.4f ms\n", pass.mean, pass.p99);
  std::printf("  frame budget  %.3f ms\n", kStepMs);
  return 0;
}
