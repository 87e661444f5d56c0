// Frames around a dialog's opening: the real game on one screen (the title
// menu, world 1's board or its hidden-object screen) with its own window and
// fresh user folder, run frame by frame as the game's loop runs them (the
// message pump, update, the scene manager, the level passes, the fade, the
// swap; paced to 75 Hz). Each of the screen's dialogs is opened as the game
// opens it (BvGame::ShowGui with its mode and argument), left open for a
// second, closed (its Hide, then the fade-out), and the screen rests a
// second before the next. Prints one line per opening with the longest of
// the twelve frames from the opening on (the opening frame and those that
// take in its pictures; the frame's work, pump to swap, wall time in ms) and
// which frame it was, and the median frame of the screen without a dialog:
//
//   open <screen> <dialog number> <name> <longest ms> <frame index>
//   median <screen> <ms> <frames>
//
// With QV_BENCH_TRACE=1 each opening's line is followed by its measured
// frames one by one.
//
//   xvfb-run -a -s "-screen 0 1024x768x24" ./build/bench/dialog_open_bench
//       title|board|hidden [openings of each dialog, default 3]
//
// Runs from the build folder (the game finds data/ there).
// bench/dialog_bench.py runs it for this build and a baseline commit's.
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/resources/quad_renderer.h"
#include "engine/shell/command_line.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/shell/run_system.h"
#include "engine/shell/system.h"
#include "game/core/achievement.h"
#include "game/core/game.h"
#include "game/core/profile.h"
#include "game/gui/gui.h"
#include "game/scenes/scene.h"

namespace {

constexpr float kStepMs = 1000.0f / 75.0f;
constexpr int kSettleFrames = 300;  // the screen comes in before the first opening
constexpr int kOpenFrames = 75;     // a second with the dialog open
// Frames measured from the opening on: the opening frame and those that
// take in its pictures (a longer window mostly measures the machine's
// other load on a shared machine).
constexpr int kMeasuredFrames = 12;
constexpr int kCloseLimit = 400;    // frames a dialog may take to fade out
constexpr int kRestFrames = 75;     // a second without a dialog between openings

struct Dialog {
  int number;
  const char* name;
  int mode;        // 1 scene frozen, 2 scene running, 3 over the live board
  bool sceneArg;   // the argument is the current scene (the recaps)
  bool achievement;
  intptr_t arg;
};

struct Screen {
  const char* key;
  int scene;
  const char* words;
  std::vector<Dialog> dialogs;
};

const Screen kScreens[] = {
    {"title", 2, "",
     {{1, "options", 2, false, false, 0},
      {2, "new player", 2, false, false, 0},
      {3, "players", 2, false, false, 0},
      {4, "quit", 2, false, false, 0},
      {9, "trophies", 2, false, false, 0}}},
    {"board", 4, "-world 1 -level 0 -layout 0",
     {{0, "pause", 1, false, false, 0},
      {5, "board recap", 2, true, false, 0},
      {7, "achievement", 3, false, true, 0},
      {8, "tutorial", 1, false, false, 1},
      {10, "time's up", 1, false, false, 0}}},
    {"hidden", 10, "-world 0 -level 1", {{6, "hidden recap", 2, true, false, 0}}},
};

double NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1.0e6;
}

const Screen* g_Screen = nullptr;
int g_Openings = 3;
std::vector<double> g_RestFrames;
bool g_Reached = false;

// One frame of the game's loop; its work in ms (pump to swap). Paced: it
// ends no sooner than 1/75 s after it began.
double Frame(BvGame* game) {
  const double start = NowMs();
  g_System->wheel = 0.0f;
  g_System->PumpMessages();
  game->SetLastFrameMs(kStepMs);
  if (g_Driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0))) {
    game->Update();
    if (g_SceneManager) g_SceneManager->drawAll();
    game->Render();
    game->DrawFade();
  }
  bv::FlushQuads(g_Driver);
  g_Driver->endScene();
  const double work = NowMs() - start;
  const double due = start + kStepMs;
  const double left = due - NowMs();
  if (left > 0) usleep(useconds_t(left * 1000.0));
  return work;
}

void Rest(BvGame* game, int frames) {
  for (int f = 0; f < frames && !g_Quit; ++f) {
    const double ms = Frame(game);
    if (game->GetGuiMode() == 0) g_RestFrames.push_back(ms);
  }
}

void Open(BvGame* game, const Dialog& dialog, int round) {
  static BvAchievement achievement;
  std::strncpy(achievement.id, "achievematches", sizeof achievement.id - 1);
  intptr_t arg = dialog.arg;
  if (dialog.sceneArg) arg = reinterpret_cast<intptr_t>(game->GetCurrentScene());
  if (dialog.achievement) arg = reinterpret_cast<intptr_t>(&achievement);
  // Opened between frames, as an input handler or the board would.
  const double start = NowMs();
  game->ShowGui(dialog.number, dialog.mode, arg);
  const double opening = NowMs() - start;
  double longest = 0.0;
  int at = -1;
  std::string frames;
  for (int f = 0; f < kOpenFrames && !g_Quit; ++f) {
    double ms = Frame(game);
    // The opening call belongs to the frame that follows it.
    if (f == 0) ms += opening;
    if (f < kMeasuredFrames) frames += " " + std::to_string(int(ms * 10 + 0.5) / 10.0).substr(0, 5);
    if (f < kMeasuredFrames && ms > longest) {
      longest = ms;
      at = f;
    }
  }
  if (BvGui* gui = static_cast<BvGui*>(game->GetGui(dialog.number))) {
    if (game->GetGuiMode() != 0) gui->Hide();
    for (int f = 0; f < kCloseLimit && game->GetGuiMode() != 0 && !g_Quit; ++f) Frame(game);
    if (game->GetGuiMode() != 0) gui->Close(0);
  }
  std::printf("open %s %d %s %.2f %d (round %d)\n", g_Screen->key, dialog.number, dialog.name,
              longest, at, round);
  // QV_BENCH_TRACE=1: the measured frames one by one.
  if (getenv("QV_BENCH_TRACE")) std::printf("  frames:%s\n", frames.c_str());
  std::fflush(stdout);
}

void Session(BvSystem& system) {
  BvGameHost host(&system);
  host.LoadSaveGame();
  BvGame* game = host.GetGame();
  game->SetupCamera();
  game->EnsureLoaded();
  game->ApplyMouseCapture();
  game->LoadGlobalData();
  // No tip page of its own in between the openings.
  if (BvProfile* profile = game->GetCurrentProfile()) profile->showHints = 0;
  for (int f = 0; f < kSettleFrames && !g_Quit; ++f) Frame(game);
  g_Reached = game->GetCurrentSceneNumber() == g_Screen->scene;
  if (!g_Reached) return;
  for (int round = 0; round < g_Openings && !g_Quit; ++round) {
    for (const Dialog& dialog : g_Screen->dialogs) {
      Rest(game, kRestFrames);
      Open(game, dialog, round);
    }
  }
  Rest(game, kRestFrames);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string key = argc > 1 ? argv[1] : "title";
  for (const Screen& screen : kScreens)
    if (key == screen.key) g_Screen = &screen;
  if (!g_Screen) {
    std::printf("usage: dialog_open_bench title|board|hidden [openings]\n");
    return 2;
  }
  if (argc > 2) g_Openings = std::max(1, std::atoi(argv[2]));
  char folder[] = "/tmp/quorvel_dialog_bench_XXXXXX";
  if (!mkdtemp(folder)) return 1;
  setenv("XDG_DATA_HOME", folder, 1);
  setenv("QUORVEL_START_SCENE", std::to_string(g_Screen->scene).c_str(), 1);
  setenv("QUORVEL_SEED", "515", 0);
  setenv("QUORVEL_MESSAGES", "stderr", 0);
  setenv("ALSOFT_DRIVERS", "null", 0);
  ParseCommandLine(g_Screen->words);
  RunSystem(Session);
  std::filesystem::remove_all(folder);
  if (!g_Reached) {
    std::printf("screen %s (scene %d) not reached (run from the build folder, with DISPLAY)\n",
                g_Screen->key, g_Screen->scene);
    return 1;
  }
  std::vector<double> rest = g_RestFrames;
  std::sort(rest.begin(), rest.end());
  const double median = rest.empty() ? 0.0 : rest[rest.size() / 2];
  std::printf("median %s %.2f %zu\n", g_Screen->key, median, rest.size());
  return 0;
}
