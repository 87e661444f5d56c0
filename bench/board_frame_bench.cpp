// Frame cost of a live board: the real game, entered on the board screen of
// world 1 (QUORVEL_START_SCENE=4, "-world 1 -level 0 -layout 0"), with its
// own window and fresh user folder. The frame loop is the game's own, taken
// apart so that each phase can be timed: the game's update (scene, board,
// spells, monsters), physics (camera and world step), the level elements'
// update, draw submission (building and flushing the quads) and the buffer
// swap. A move from the board's own hint is made every second of game time;
// every few seconds a spell is charged and cast, and a monster is brought
// onto the board whenever none lives, so that spells and monsters stay
// active throughout.
//
// Prints the mean and 99th percentile per phase, as CPU time of the main
// thread and of the whole process (with a software GL, its worker threads
// count in the process figure), beside the 75 Hz frame budget, and how many
// moves, spells and monsters the run saw.
//
//   xvfb-run -a -s "-screen 0 1024x768x24" ./build/bench/board_frame_bench [frames]
//       [--breakdown]
//
// --breakdown instead lets the board rest for two seconds (no play) and
// prints where one frame's rasterising goes, layer by layer, and where the
// textures' memory goes (bench/frame_breakdown.h).
//
// Runs from the build folder (the game finds data/ there).
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/layer_cache.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/memory_reuse.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/frame_clear.h"
#include "engine/resources/render_savings.h"
#include "engine/shell/command_line.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/shell/run_system.h"
#include "engine/shell/system.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "game/core/game.h"
#include "game/core/profile.h"
#include "game/scenes/scene.h"
#include "bench/frame_breakdown.h"
#include "bench/frame_stats.h"

namespace {

constexpr int kDefaultFrames = 3000;
constexpr int kBoardScene = 4;
constexpr int kWarmUpLimit = 1500;  // frames allowed for the board to set up
constexpr float kStepMs = 1000.0f / 75.0f;
constexpr int kMoveEvery = 75;    // frames: one move a second
constexpr int kSpellEvery = 300;  // frames: one spell every four seconds
constexpr float kFullCharge = 1.0e6f;

enum Phase { kUpdate, kPhysics, kElements, kDraw, kSwap, kPhaseCount };
constexpr const char* kPhaseNames[kPhaseCount] = {"game update", "physics", "elements",
                                                  "draw submit", "swap"};

using bench::CpuMs;
using bench::Stats;
using bench::Summarise;

// Main-thread and process CPU of one phase, frame by frame.
struct PhaseSamples {
  std::vector<double> thread, process;
};

class PhaseClock {
 public:
  void Start() {
    m_Thread = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    m_Process = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
  }
  // The time since the last Start or Lap; restarts.
  void Lap(double& threadMs, double& processMs) {
    const double thread = CpuMs(CLOCK_THREAD_CPUTIME_ID);
    const double process = CpuMs(CLOCK_PROCESS_CPUTIME_ID);
    threadMs = thread - m_Thread;
    processMs = process - m_Process;
    m_Thread = thread;
    m_Process = process;
  }

 private:
  double m_Thread = 0.0, m_Process = 0.0;
};

struct Run {
  int frames = 0;
  int moves = 0;
  int spells = 0;
  int monsters = 0;
  int kindTurn = 0;       // the next monster kind to try
  int monsterFrames = 0;  // measured frames with a monster alive
  long cachedLayers = 0;  // layers drawn from the cached picture, summed over frames
  int cachedFrames = 0;   // frames that drew any layer from it
  bool boardReached = false;
  bool won = false;
  PhaseSamples phases[kPhaseCount];
  PhaseSamples total;
};

Run g_Run;
int g_Frames = kDefaultFrames;
bool g_Breakdown = false;
constexpr int kRestFrames = 150;

// Every level element of the current level in layer order, as the level
// pass updates them.
std::vector<BvLevelElement*> ElementsInLayerOrder(BvLevelManager* levels) {
  std::vector<BvLevelElement*> order;
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return order;
  for (int layer = 0; layer < kLayerCount; ++layer)
    for (const auto& entry : level->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (element && element->GetLayer() == layer && !element->m_bDead) order.push_back(element);
    }
  return order;
}

bool BoardReady(BvGame* game) {
  BvLayout* board = game->GetBoard();
  return game->GetCurrentSceneNumber() == kBoardScene && board && board->IsSettled() &&
         !board->IsSwapRunning() && !board->IsSpellRunning() && !board->IsNoMoreMoves();
}

bool AnyMonster(const BvMonsterManager& monsters) {
  for (int i = 0; i < kMonsterSlots; ++i)
    if (monsters.GetSlot(i).kind != 0) return true;
  return false;
}

// The player's part: the hint's swap, a spell, a monster.
void Play(BvGame* game, int frame) {
  BvLayout* board = game->GetBoard();
  if (!board || game->GetCurrentSceneNumber() != kBoardScene || board->IsWon()) return;
  BvMonsterManager* monsters = board->GetMonsters();
  if (monsters && !AnyMonster(*monsters)) {
    // A kind the board cannot take now (no cage, no room) brings none.
    monsters->SpawnMonster(1 + g_Run.kindTurn++ % kMonsterKindCount);
    if (AnyMonster(*monsters)) ++g_Run.monsters;
  }
  if (!BoardReady(game)) return;
  if (frame % kSpellEvery == 0) {
    auto& spells = board->GetSpells();
    const int spell = g_Run.spells % int(spells.size());
    spells[spell].locked = false;
    spells[spell].charge = kFullCharge;
    spells[spell].ready = true;
    board->StartSpell(spell);
    ++g_Run.spells;
    return;
  }
  if (frame % kMoveEvery != 0 || !board->HasPossibleMove()) return;
  BvHintHelper& hint = board->GetHint();
  int column = hint.GetColumn(), row = hint.GetRow();
  if (hint.GetDirection() == kHintUp) --row;
  if (hint.GetDirection() == kHintDown) ++row;
  if (hint.GetDirection() == kHintLeft) --column;
  if (hint.GetDirection() == kHintRight) ++column;
  board->GetCell(hint.GetColumn(), hint.GetRow()).Click();
  board->GetCell(column, row).Click();
  ++g_Run.moves;
}

// One frame of the game's loop, phase by phase; times it when measured.
void Frame(BvGame* game, bool measured) {
  g_System->PumpMessages();
  game->SetLastFrameMs(kStepMs);
  const float dt = game->GetTimeStepMs();
  double thread[kPhaseCount] = {}, process[kPhaseCount] = {};
  PhaseClock clock;
  if (!bv::TheFrameClear().BeginScene(g_Driver, g_SceneManager, irr::video::SColor(255, 0, 0, 0)))
    return;
  clock.Start();
  game->Update();
  clock.Lap(thread[kUpdate], process[kUpdate]);
  BvLevelManager* levels = game->GetCurrentLevels();
  const bool frozen = game->GetGuiMode() == 1;
  if (levels && !frozen) {
    levels->GetCamera()->Update(dt);
    levels->StepWorld(dt);
  }
  clock.Lap(thread[kPhysics], process[kPhysics]);
  if (!frozen)
    for (BvLevelElement* element : ElementsInLayerOrder(levels)) element->Update(dt);
  clock.Lap(thread[kElements], process[kElements]);
  // The pass, paused: it only draws (and removes the dead).
  if (levels) levels->RenderCurrentLevel(dt, true, game->GetGuiMode() != 0);
  if (game->GetGuiMode() != 0 && game->GetGlobalLevels())
    game->GetGlobalLevels()->RenderCurrentLevel(dt, false, false);
  if (!frozen)
    if (BvScene* scene = game->GetCurrentScene()) scene->Render(dt);
  game->DrawFade();
  bv::FlushQuads(g_Driver);
  clock.Lap(thread[kDraw], process[kDraw]);
  g_Driver->endScene();
  clock.Lap(thread[kSwap], process[kSwap]);
  if (!measured) return;
  if (levels && levels->GetLayerCache()) {
    const int cached = levels->GetLayerCache()->CachedLayers();
    g_Run.cachedLayers += cached;
    if (cached > 0) ++g_Run.cachedFrames;
  }
  double threadSum = 0.0, processSum = 0.0;
  for (int p = 0; p < kPhaseCount; ++p) {
    g_Run.phases[p].thread.push_back(thread[p]);
    g_Run.phases[p].process.push_back(process[p]);
    if (p != kSwap) {
      threadSum += thread[p];
      processSum += process[p];
    }
  }
  g_Run.total.thread.push_back(threadSum);
  g_Run.total.process.push_back(processSum);
}

void Session(BvSystem& system) {
  BvGameHost host(&system);
  host.LoadSaveGame();
  BvGame* game = host.GetGame();
  game->PrepareFirstFrame();
  // The tip pages would freeze the board under them.
  if (BvProfile* profile = game->GetCurrentProfile()) profile->showHints = 0;
  int frame = 0;
  for (; frame < kWarmUpLimit && !g_Quit; ++frame) {
    Frame(game, false);
    if (BoardReady(game)) break;
  }
  g_Run.boardReached = BoardReady(game);
  if (!g_Run.boardReached) return;
  if (g_Breakdown) {
    std::vector<int> cachedPerFrame;
    for (int f = 0; f < kRestFrames && !g_Quit; ++f) {
      Frame(game, false);
      if (BvLayerCache* cache = game->GetCurrentLevels()->GetLayerCache())
        cachedPerFrame.push_back(cache->CachedLayers());
    }
    std::printf("layers drawn from the cached picture over the last 20 frames at rest:");
    for (size_t i = cachedPerFrame.size() > 20 ? cachedPerFrame.size() - 20 : 0;
         i < cachedPerFrame.size(); ++i)
      std::printf(" %d", cachedPerFrame[i]);
    std::printf("\n");
    if (BvLayerCache* cache = game->GetCurrentLevels()->GetLayerCache())
      std::printf("last frame: %d elements drawn from the picture (layers 0 to %d)\n",
                  cache->PicturedElements(), cache->PictureTopLayer());
    const irr::core::dimension2du size = g_Driver->getScreenSize();
    std::vector<bench::LayerCost> scene(kLayerCount), gui(kLayerCount);
    g_Driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    bench::MeasureLevel(game->GetCurrentLevels(), scene);
    if (game->GetGuiMode() != 0) bench::MeasureLevel(game->GetGlobalLevels(), gui);
    g_Driver->endScene();
    const double screen = double(size.Width) * size.Height;
    bench::PrintLayerCosts("board at rest, scene level", scene, screen);
    if (game->GetGuiMode() != 0) bench::PrintLayerCosts("open dialog's level", gui, screen);
    bench::PrintTextureMemory();
    bench::PrintProcessMemory();
    return;
  }
  for (int f = 0; f < g_Frames && !g_Quit; ++f) {
    Play(game, f);
    Frame(game, true);
    ++g_Run.frames;
    BvLayout* board = game->GetBoard();
    if (board && board->GetMonsters() && AnyMonster(*board->GetMonsters())) ++g_Run.monsterFrames;
    if (game->GetCurrentSceneNumber() != kBoardScene || (board && board->IsWon())) {
      g_Run.won = true;
      break;
    }
  }
}

void PrintRow(const char* name, const PhaseSamples& samples) {
  const Stats thread = Summarise(samples.thread), process = Summarise(samples.process);
  std::printf("  %-22s %8.3f %8.3f   %8.3f %8.3f\n", name, thread.mean, thread.p99, process.mean,
              process.p99);
}

}  // namespace

int main(int argc, char** argv) {
  bv::KeepFreedMemoryForReuse();
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--breakdown")
      g_Breakdown = true;
    else
      g_Frames = std::max(1, std::atoi(argv[i]));
  }
  // A fresh user folder, the board of world 1 and a fixed seed.
  char folder[] = "/tmp/quorvel_board_bench_XXXXXX";
  if (!mkdtemp(folder)) return 1;
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("QUORVEL_START_SCENE", std::to_string(kBoardScene).c_str(), 1);
  setenv("QUORVEL_SEED", "515", 0);
  setenv("QUORVEL_MESSAGES", "stderr", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  ParseCommandLine("-world 1 -level 0 -layout 0");
  RunSystem(Session);
  std::filesystem::remove_all(folder);

  if (g_Breakdown) return g_Run.boardReached ? 0 : 1;
  if (!g_Run.boardReached) {
    std::printf("the board screen was not reached (run from the build folder, with DISPLAY)\n");
    return 1;
  }
  std::printf("live board: world 1, level 0, layout 0; %d frames at %.3f ms%s\n", g_Run.frames,
              kStepMs, g_Run.won ? " (stopped: the level ended)" : "");
  std::printf("  %d moves, %d spells cast, %d monsters brought, a monster alive in %d%% of "
              "frames\n",
              g_Run.moves, g_Run.spells, g_Run.monsters,
              g_Run.frames ? 100 * g_Run.monsterFrames / g_Run.frames : 0);
  std::printf("  render savings %s; cached picture drawn in %d%% of frames, %.1f layers on "
              "average\n",
              bv::RenderSavingsOn() ? "on" : "off (QUORVEL_RENDER_SAVINGS=0)",
              g_Run.frames ? 100 * g_Run.cachedFrames / g_Run.frames : 0,
              g_Run.cachedFrames ? double(g_Run.cachedLayers) / g_Run.cachedFrames : 0.0);
  std::printf("CPU per frame, ms         main thread          whole process\n");
  std::printf("  %-22s %8s %8s   %8s %8s\n", "phase", "mean", "p99", "mean", "p99");
  for (int p = 0; p < kPhaseCount; ++p) PrintRow(kPhaseNames[p], g_Run.phases[p]);
  PrintRow("update+physics+draw", g_Run.total);
  std::printf("  frame budget at 75 Hz  %.3f ms\n", kStepMs);
  return 0;
}
