// The drawing savings leave every pixel of a played board as it is. Two
// processes are started apart on a private X server, one with every saving
// on from its start and one with QUORVEL_RENDER_SAVINGS=0 from its start,
// with the same seed, clock and frame time. Each plays the same board of
// world 1 (the real data pack): at rest, a swap and the cascade it starts,
// the board's shake, the pause dialog sliding in and closing. Each frame is
// drawn as the game loop draws it and its back buffer is read before the
// swap; the two processes' frames must be equal byte for byte, on a 24-bit
// and on a 16-bit screen. At 24 bits the board at rest must draw from the
// layer cache's picture (so the comparison proves the cache); at 16 bits it
// must not (the window's channels are not the picture's). With the savings,
// the dialogs' art is out of memory on the board, all there from the
// dialog's first frame, and out again once it closed.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "engine/level/layer_cache.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/frame_clear.h"
#include "engine/resources/image.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/command_line.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/shell/run_system.h"
#include "engine/shell/system.h"
#include "game/board/layout.h"
#include "game/core/game.h"
#include "game/core/profile.h"
#include "game/core/texture_needs.h"
#include "support/child_process.h"
#include "support/private_display.h"

namespace {

constexpr int kBoardScene = 4;
constexpr float kStepMs = 1000.0f / 75.0f;
constexpr int kWarmUpLimit = 1500;
constexpr int kRestFrames = 150;
constexpr int kPauseGui = 0;
constexpr int kGuiFrozen = 1;
constexpr int kChildTimeoutMs = 280000;
// Child exit codes.
constexpr int kNoBoard = 101;
constexpr int kDialogArtOnBoard = 103;
constexpr int kDialogArtMissing = 104;
constexpr int kDialogArtKept = 105;
constexpr int kNoOutput = 106;
constexpr int kOtherDialogsArt = 107;
// Pictures of the pause dialog, as "global.xml" names them.
constexpr const char* kPausePanel = "dlg_panel_pause";
constexpr const char* kPauseButton = "dlg_button";
// Where the child writes its frames (set only in the child).
constexpr const char* kFramesVariable = "QUORVEL_TEST_FRAMES_FILE";

enum Phase : uint8_t { kRest, kCascade, kShake, kDialog, kDialogClosed, kPhaseCount };
constexpr const char* kPhaseNames[kPhaseCount] = {"at rest", "cascade", "shake", "dialog",
                                                 "dialog closed"};

// One frame as a child records it: a hash of each row of its back buffer.
struct FrameRecord {
  uint8_t phase = 0;
  uint8_t pictured = 0;  // drawn with the layer cache's picture
  std::vector<uint64_t> rows;
};

uint64_t RowHash(const unsigned char* bytes, size_t count) {
  uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (size_t i = 0; i < count; ++i) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

// How many of the dialogs' global images have a texture, and how many there
// are (the fonts' pictures never get one).
std::pair<size_t, size_t> GlobalTexturesHeld(BvGame* game) {
  size_t held = 0, images = 0;
  for (const auto& entry : game->GetGlobalLevels()->GetImages()->GetIdIndex()) {
    if (GlobalTextureNeed(*static_cast<const BvImage*>(entry.second)) != BvTextureNeed::kOnDemand)
      continue;
    ++images;
    const BvTextureEntry* texture = g_TextureManager->Find(entry.second->GetName());
    if (texture && texture->texture) ++held;
  }
  return {held, images};
}

bool BoardSettled(BvGame* game) {
  BvLayout* board = game->GetBoard();
  return game->GetCurrentSceneNumber() == kBoardScene && board && board->IsSettled() &&
         !board->IsSwapRunning() && !board->IsSpellRunning() && !board->IsNoMoreMoves();
}

// The hint's swap, as a player makes it.
void SwapHinted(BvLayout* board) {
  BvHintHelper& hint = board->GetHint();
  int column = hint.GetColumn(), row = hint.GetRow();
  if (hint.GetDirection() == kHintUp) --row;
  if (hint.GetDirection() == kHintDown) ++row;
  if (hint.GetDirection() == kHintLeft) --column;
  if (hint.GetDirection() == kHintRight) ++column;
  board->GetCell(hint.GetColumn(), hint.GetRow()).Click();
  board->GetCell(column, row).Click();
}

// The child's session: frames drawn as the game loop draws them (update,
// scene, the game's drawing, the fade), each recorded into out.
class Recorder {
 public:
  Recorder(BvGame* game, std::ofstream& out) : m_Game(game), m_Out(out) {}

  void Frame(Phase phase, bool record) {
    g_System->PumpMessages();
    m_Game->SetLastFrameMs(kStepMs);
    if (bv::TheFrameClear().BeginScene(g_Driver, g_SceneManager,
                                       irr::video::SColor(255, 0, 0, 0))) {
      m_Game->Update();
      if (g_SceneManager) g_SceneManager->drawAll();
      m_Game->Render();
      m_Game->DrawFade();
    }
    bv::FlushQuads(g_Driver);
    if (record) Write(phase);
    g_Driver->endScene();
  }

 private:
  void Write(Phase phase) {
    const irr::core::dimension2du size = g_Driver->getScreenSize();
    const size_t pitch = size_t(size.Width) * 4;
    m_Rgba.resize(pitch * size.Height);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GLsizei(size.Width), GLsizei(size.Height), GL_RGBA, GL_UNSIGNED_BYTE,
                 m_Rgba.data());
    BvLayerCache* cache =
        m_Game->GetCurrentLevels() ? m_Game->GetCurrentLevels()->GetLayerCache() : nullptr;
    const uint8_t pictured = cache && cache->PicturedElements() > 0 ? 1 : 0;
    const uint32_t height = size.Height;
    m_Out.put(char(phase)).put(char(pictured));
    m_Out.write(reinterpret_cast<const char*>(&height), sizeof height);
    for (uint32_t y = 0; y < height; ++y) {
      const uint64_t hash = RowHash(&m_Rgba[y * pitch], pitch);
      m_Out.write(reinterpret_cast<const char*>(&hash), sizeof hash);
    }
  }

  BvGame* m_Game;
  std::ofstream& m_Out;
  std::vector<unsigned char> m_Rgba;
};

int g_ChildResult = 0;

void Session(BvSystem& system) {
  std::ofstream out(std::getenv(kFramesVariable), std::ios::binary);
  if (!out) {
    g_ChildResult = kNoOutput;
    return;
  }
  BvGameHost host(&system);
  host.LoadSaveGame();
  BvGame* game = host.GetGame();
  game->PrepareFirstFrame();
  // Tip pages would freeze the board under them.
  if (BvProfile* profile = game->GetCurrentProfile()) profile->showHints = 0;
  Recorder frames(game, out);
  for (int f = 0; f < kWarmUpLimit && !BoardSettled(game); ++f) frames.Frame(kRest, false);
  if (!BoardSettled(game)) {
    g_ChildResult = kNoBoard;
    return;
  }
  // At rest, long enough for the picture to be made.
  for (int f = 0; f < kRestFrames; ++f) frames.Frame(kRest, f % 5 == 4);
  const bool artOnBoard = g_TextureManager->Find(kPausePanel) != nullptr;
  BvLayout* board = game->GetBoard();
  if (board->HasPossibleMove()) SwapHinted(board);
  for (int f = 0; f < 150; ++f) frames.Frame(kCascade, true);
  for (int f = 0; f < 30; ++f) frames.Frame(kCascade, false);
  game->GetBoard()->ShakeBoard();
  for (int f = 0; f < 60; ++f) frames.Frame(kShake, true);
  // The pause dialog sliding in and standing over the frozen board.
  game->ShowGui(kPauseGui, kGuiFrozen, 0);
  for (int f = 0; f < 90; ++f) {
    frames.Frame(kDialog, true);
    // Its pictures, asked for as it draws them, are decoded off the main
    // thread; here each frame waits for them, so that they come in the
    // same frames whatever the machine's speed, in both processes.
    game->GetGlobalLevels()->WaitForDecodedTextures();
  }
  // The pause dialog's pictures, and not every dialog's.
  const std::pair<size_t, size_t> open = GlobalTexturesHeld(game);
  const bool ownArtHeld = g_TextureManager->Find(kPausePanel) != nullptr &&
                          g_TextureManager->Find(kPauseButton) != nullptr;
  // Closed: the next frames draw the board alone again.
  game->SetGuiMode(0);
  for (int f = 0; f < 5; ++f) frames.Frame(kDialogClosed, true);
  const bool artKept = g_TextureManager->Find(kPausePanel) != nullptr;
  out.close();
  if (!bv::RenderSavingsOn()) g_ChildResult = 0;
  else if (artOnBoard) g_ChildResult = kDialogArtOnBoard;
  else if (!ownArtHeld) g_ChildResult = kDialogArtMissing;
  else if (open.first == open.second) g_ChildResult = kOtherDialogsArt;
  else if (artKept) g_ChildResult = kDialogArtKept;
  else g_ChildResult = 0;
}

// The child's body: runs only inside a child that the test started.
TEST(BoardRenderSavingsChild, PlayAndRecord) {
  if (!std::getenv(kFramesVariable)) GTEST_SKIP() << "run by BoardRenderSavings only";
  if (chdir(QV_BUILD_DIR) != 0) _exit(126);
  ParseCommandLine("-world 1 -level 0 -layout 0");
  RunSystem(Session);
  std::fflush(nullptr);
  _exit(g_ChildResult);
}

// Starts this program's child body with the savings as given.
pid_t StartChild(bool savings, const std::string& folder, const std::string& frames) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  setenv(kFramesVariable, frames.c_str(), 1);
  setenv("XDG_DATA_HOME", folder.c_str(), 1);
  setenv("QUORVEL_START_SCENE", std::to_string(kBoardScene).c_str(), 1);
  setenv("QUORVEL_SEED", "515", 1);
  setenv("QUORVEL_TIME", "1700000000", 1);
  setenv("QUORVEL_FRAME_MS", std::to_string(kStepMs).c_str(), 1);
  setenv("QUORVEL_MESSAGES", "stderr", 1);
  setenv("ALSOFT_DRIVERS", "null", 1);
  unsetenv("QUORVEL_NULL_DRIVER");
  if (savings)
    unsetenv("QUORVEL_RENDER_SAVINGS");
  else
    setenv("QUORVEL_RENDER_SAVINGS", "0", 1);
  char filter[] = "--gtest_filter=BoardRenderSavingsChild.*";
  char* argv[] = {const_cast<char*>("quorvel_tests"), filter, nullptr};
  execv("/proc/self/exe", argv);
  _exit(127);
}

std::vector<FrameRecord> ReadFrames(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<FrameRecord> frames;
  FrameRecord frame;
  uint32_t height = 0;
  while (in.read(reinterpret_cast<char*>(&frame.phase), 1) &&
         in.read(reinterpret_cast<char*>(&frame.pictured), 1) &&
         in.read(reinterpret_cast<char*>(&height), sizeof height)) {
    frame.rows.resize(height);
    if (!in.read(reinterpret_cast<char*>(frame.rows.data()), std::streamsize(height * 8))) break;
    frames.push_back(frame);
  }
  return frames;
}

std::string ExitMeaning(int code) {
  switch (code) {
    case kNoBoard: return "the board screen was not reached";
    case kDialogArtOnBoard: return "the dialogs' art was held on the board without a dialog";
    case kDialogArtMissing: return "the open dialog's pictures had no texture";
    case kOtherDialogsArt: return "every dialog's pictures loaded for one dialog";
    case kDialogArtKept: return "the dialogs' art stayed after the dialog closed";
    case kNoOutput: return "the frames file could not be written";
    default: return "exit code " + std::to_string(code);
  }
}

class BoardRenderSavings : public ::testing::TestWithParam<int> {};

TEST_P(BoardRenderSavings, TwoProcessesDrawTheSameFramesWithAndWithoutTheSavings) {
  const int depth = GetParam();
  bv::test::PrivateDisplay display(depth);
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  char pattern[] = "/tmp/quorvel_savings_XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string folder = pattern;
  const std::string onFile = folder + "/on.frames", offFile = folder + "/off.frames";
  // Each with its own profile folder, started apart.
  ASSERT_EQ(std::system(("mkdir -p " + folder + "/on " + folder + "/off").c_str()), 0);
  const pid_t on = StartChild(true, folder + "/on", onFile);
  const pid_t off = StartChild(false, folder + "/off", offFile);
  ASSERT_GT(on, 0);
  ASSERT_GT(off, 0);
  const int onCode = bv::test::WaitForExit(on, kChildTimeoutMs);
  const int offCode = bv::test::WaitForExit(off, kChildTimeoutMs);
  const std::vector<FrameRecord> withSavings = ReadFrames(onFile);
  const std::vector<FrameRecord> without = ReadFrames(offFile);
  std::system(("rm -rf " + folder).c_str());
  ASSERT_EQ(onCode, 0) << "with the savings: " << ExitMeaning(onCode);
  ASSERT_EQ(offCode, 0) << "without the savings: " << ExitMeaning(offCode);
  ASSERT_FALSE(withSavings.empty());
  ASSERT_EQ(withSavings.size(), without.size()) << "the two sessions recorded different frames";

  int differing = 0, pictured = 0, restPictured = 0;
  for (size_t f = 0; f < withSavings.size(); ++f) {
    const FrameRecord& a = withSavings[f];
    const FrameRecord& b = without[f];
    ASSERT_EQ(a.phase, b.phase) << "frame " << f;
    pictured += a.pictured;
    if (a.phase == kRest) restPictured += a.pictured;
    EXPECT_EQ(b.pictured, 0) << "no picture without the savings";
    if (a.rows == b.rows) continue;
    ++differing;
    // Rows are read bottom first: the top differing row is the last found.
    size_t rows = 0, top = 0;
    for (size_t y = 0; y < a.rows.size() && y < b.rows.size(); ++y)
      if (a.rows[y] != b.rows[y]) {
        ++rows;
        top = a.rows.size() - 1 - y;
      }
    ADD_FAILURE() << kPhaseNames[a.phase < kPhaseCount ? a.phase : 0] << ": frame " << f
                  << " differs on " << rows << " rows, the top one " << top
                  << " from the top (picture " << (a.pictured ? "in use" : "not in use") << ")";
  }
  std::fprintf(stderr, "%d-bit screen: %zu frames compared, %d drawn from the picture, %d differ\n",
               depth, withSavings.size(), pictured, differing);
  EXPECT_EQ(differing, 0);
  if (depth == 24)
    EXPECT_GT(restPictured, 0) << "the board at rest never drew from the cached picture";
  else
    EXPECT_EQ(pictured, 0) << "the picture was used on a window of other than 8-bit channels";
}

INSTANTIATE_TEST_SUITE_P(ScreenDepths, BoardRenderSavings, ::testing::Values(24, 16),
                         [](const ::testing::TestParamInfo<int>& info) {
                           return "Bits" + std::to_string(info.param);
                         });

}  // namespace
