// The drawing savings leave every pixel of a live board as it is: the real
// game on the board of world 1 (its own X server, the real data pack) draws
// each compared frame twice, once with every saving on (opaque art without
// blending, no depth clear, the cached picture of the unchanging elements)
// and once with them off, and the two back buffers must be equal byte for
// byte: at rest, during a cascade after a swap, during the board's shake and
// with the pause dialog open. At rest the picture must be in use, so the
// comparison proves the cache and not only the direct drawing. The dialogs'
// art is out of memory on the board, all there from the dialog's first
// frame, and out again once it closed.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/layer_cache.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/image.h"
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
#include "game/scenes/scene.h"
#include "support/child_process.h"
#include "support/private_display.h"

namespace {

constexpr int kBoardScene = 4;
constexpr float kStepMs = 1000.0f / 75.0f;
constexpr int kWarmUpLimit = 1500;
constexpr int kRestFrames = 150;
constexpr int kPauseGui = 0;
constexpr int kGuiFrozen = 1;
// Child exit codes besides the number of differing frames.
constexpr int kNoBoard = 101;
constexpr int kNoPicture = 102;
constexpr int kDialogArtOnBoard = 103;
constexpr int kDialogArtMissing = 104;
constexpr int kDialogArtKept = 105;
constexpr int kOtherDialogsArt = 106;
// Pictures of the pause dialog, as "global.xml" names them.
constexpr const char* kPausePanel = "dlg_panel_pause";
constexpr const char* kPauseButton = "dlg_button";

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

// Camera, physics and every element of the manager's level, as its pass
// would update them.
void UpdateLevel(BvLevelManager* levels, float dt) {
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return;
  levels->GetCamera()->Update(dt);
  levels->StepWorld(dt);
  std::vector<BvLevelElement*> order;
  for (int layer = 0; layer < kLayerCount; ++layer)
    for (const auto& entry : level->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (element && element->GetLayer() == layer && !element->m_bDead) order.push_back(element);
    }
  for (BvLevelElement* element : order) element->Update(dt);
}

// The game's frame taken apart: one update, then the drawing alone (the
// level passes paused), so that one state can be drawn twice.
void Update(BvGame* game) {
  g_System->PumpMessages();
  game->SetLastFrameMs(kStepMs);
  const float dt = game->GetTimeStepMs();
  game->Update();
  if (game->GetGuiMode() != kGuiFrozen) UpdateLevel(game->GetCurrentLevels(), dt);
  if (game->GetGuiMode() != 0) UpdateLevel(game->GetGlobalLevels(), dt);
}

// Draws the current state as the frame loop does and returns the back
// buffer (RGBA rows) when read is set. The fade overlay is left out: it is
// drawn once per fade step (so only the first of two drawings would show
// it), after the level passes, and no saving touches it.
std::vector<unsigned char> Draw(BvGame* game, bool read) {
  const irr::video::SColor clear(255, 0, 0, 0);
  std::vector<unsigned char> rgba;
  if (!bv::BeginFrameScene(g_Driver, g_SceneManager, clear)) return rgba;
  const float dt = game->GetTimeStepMs();
  if (BvLevelManager* levels = game->GetCurrentLevels())
    levels->RenderCurrentLevel(dt, true, game->GetGuiMode() != 0);
  if (game->GetGuiMode() != 0 && game->GetGlobalLevels())
    game->GetGlobalLevels()->RenderCurrentLevel(dt, true, false);
  bv::FlushQuads(g_Driver);
  if (read) {
    const irr::core::dimension2du size = g_Driver->getScreenSize();
    rgba.resize(size_t(size.Width) * size.Height * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, GLsizei(size.Width), GLsizei(size.Height), GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.data());
  }
  g_Driver->endScene();
  return rgba;
}

struct Comparison {
  int compared = 0;
  int differing = 0;
  int pictured = 0;  // compared frames drawn with the cached picture
};

// One frame: an update, the drawing with the savings on (the frame the
// game shows), and when compare is set the same state again with them off.
void Frame(BvGame* game, bool compare, Comparison& result, const char* what) {
  Update(game);
  const std::vector<unsigned char> on = Draw(game, compare);
  if (!compare) return;
  BvLayerCache* cache = game->GetCurrentLevels()->GetLayerCache();
  const bool pictured = cache && cache->PicturedElements() > 0;
  bv::SetRenderSavings(false);
  const std::vector<unsigned char> off = Draw(game, true);
  bv::SetRenderSavings(true);
  ++result.compared;
  if (pictured) ++result.pictured;
  if (on.empty() || on != off) {
    size_t differ = 0, first = 0;
    for (size_t i = 0; i < on.size() && i < off.size(); ++i)
      if (on[i] != off[i] && differ++ == 0) first = i;
    const size_t width = g_Driver->getScreenSize().Width;
    std::fprintf(stderr,
                 "%s: frame %d differs in %zu bytes (picture %s), first at x %zu, y %zu "
                 "(from the bottom), channel %zu: %d with the savings, %d without\n",
                 what, result.compared, differ, pictured ? "in use" : "not in use",
                 first / 4 % width, first / 4 / width, first % 4, on.empty() ? -1 : on[first],
                 off.empty() ? -1 : off[first]);
    ++result.differing;
  }
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

int g_ChildResult = 0;

void Session(BvSystem& system) {
  BvGameHost host(&system);
  host.LoadSaveGame();
  BvGame* game = host.GetGame();
  game->PrepareFirstFrame();
  // Tip pages would freeze the board under them.
  if (BvProfile* profile = game->GetCurrentProfile()) profile->showHints = 0;
  Comparison result;
  for (int f = 0; f < kWarmUpLimit && !BoardSettled(game); ++f) Frame(game, false, result, "");
  if (!BoardSettled(game)) {
    g_ChildResult = kNoBoard;
    return;
  }
  // At rest, long enough for the picture to be made.
  for (int f = 0; f < kRestFrames; ++f) Frame(game, f % 10 == 9, result, "at rest");
  const bool restPictured = result.pictured > 0;
  const bool artOnBoard = g_TextureManager->Find(kPausePanel) != nullptr;
  // A swap and the cascade it starts, every frame.
  BvLayout* board = game->GetBoard();
  if (board->HasPossibleMove()) SwapHinted(board);
  for (int f = 0; f < 150; ++f) Frame(game, true, result, "cascade");
  // The board's shake, every frame.
  for (int f = 0; f < 30; ++f) Frame(game, false, result, "");
  game->GetBoard()->ShakeBoard();
  for (int f = 0; f < 60; ++f) Frame(game, true, result, "shake");
  // The pause dialog sliding in and standing over the frozen board.
  game->ShowGui(kPauseGui, kGuiFrozen, 0);
  for (int f = 0; f < 90; ++f) {
    Frame(game, f % 3 == 0 || f > 80, result, "dialog");
    // Its pictures, asked for as it draws them, are decoded off the main
    // thread; here each frame waits for them, so that they come in the
    // same frames whatever the machine's speed.
    game->GetGlobalLevels()->WaitForDecodedTextures();
  }
  // The pause dialog's pictures, and not every dialog's.
  const std::pair<size_t, size_t> open = GlobalTexturesHeld(game);
  const bool ownArtHeld = g_TextureManager->Find(kPausePanel) != nullptr &&
                          g_TextureManager->Find(kPauseButton) != nullptr;
  // Closed: the next frames draw the board alone again.
  game->SetGuiMode(0);
  for (int f = 0; f < 3; ++f) Frame(game, true, result, "dialog closed");
  const bool artKept = g_TextureManager->Find(kPausePanel) != nullptr;
  std::fprintf(stderr, "%d frames compared, %d with the picture, %d differing; "
               "global textures with the dialog open %zu of %zu\n",
               result.compared, result.pictured, result.differing, open.first, open.second);
  if (result.differing > 0) g_ChildResult = std::min(result.differing, 100);
  else if (!restPictured) g_ChildResult = kNoPicture;
  else if (artOnBoard) g_ChildResult = kDialogArtOnBoard;
  else if (!ownArtHeld) g_ChildResult = kDialogArtMissing;
  else if (open.first == open.second) g_ChildResult = kOtherDialogsArt;
  else if (artKept) g_ChildResult = kDialogArtKept;
  else g_ChildResult = 0;
}

TEST(BoardRenderSavings, FramesWithAndWithoutTheSavingsAreIdentical) {
  bv::test::PrivateDisplay display;
  ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
  char folder[] = "/tmp/quorvel_savings_XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const pid_t pid = fork();
  if (pid == 0) {
    if (chdir(QV_BUILD_DIR) != 0) _exit(126);
    setenv("XDG_DATA_HOME", folder, 1);
    setenv("QUORVEL_START_SCENE", std::to_string(kBoardScene).c_str(), 1);
    setenv("QUORVEL_SEED", "515", 1);
    setenv("QUORVEL_MESSAGES", "stderr", 1);
    setenv("ALSOFT_DRIVERS", "null", 1);
    unsetenv("QUORVEL_NULL_DRIVER");
    unsetenv("QUORVEL_RENDER_SAVINGS");
    bv::SetRenderSavings(true);
    ParseCommandLine("-world 1 -level 0 -layout 0");
    RunSystem(Session);
    _exit(g_ChildResult);
  }
  ASSERT_GT(pid, 0);
  const int code = bv::test::WaitForExit(pid, 240000);
  std::system((std::string("rm -rf ") + folder).c_str());
  EXPECT_NE(code, kNoBoard) << "the board screen was not reached";
  EXPECT_NE(code, kNoPicture) << "the board at rest never drew from the cached picture";
  EXPECT_NE(code, kDialogArtOnBoard) << "the dialogs' art was held on the board without a dialog";
  EXPECT_NE(code, kDialogArtMissing) << "the open dialog's pictures had no texture";
  EXPECT_NE(code, kOtherDialogsArt) << "every dialog's pictures loaded for one dialog";
  EXPECT_NE(code, kDialogArtKept) << "the dialogs' art stayed after the dialog closed";
  EXPECT_EQ(code, 0) << "frames drawn with the savings differ from those without (see stderr)";
}

}  // namespace
