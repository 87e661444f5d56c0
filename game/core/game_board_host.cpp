#include "game/core/game_board_host.h"

#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/profile.h"
#include "game/scenes/scene.h"

namespace {
BvScene* CurrentScene() { return g_Game ? g_Game->GetCurrentScene() : nullptr; }
}  // namespace

BvLevelManager* BvGameBoardHost::GetLevelManager() {
  return g_Game ? g_Game->GetCurrentLevels() : nullptr;
}

BvProfile* BvGameBoardHost::GetProfile() { return g_Game ? g_Game->GetCurrentProfile() : nullptr; }

BvLevelStats* BvGameBoardHost::GetLevelStats() {
  BvScene* scene = CurrentScene();
  return scene ? scene->GetLevelStats() : nullptr;
}

void BvGameBoardHost::AddScore(int points) {
  if (BvScene* scene = CurrentScene()) scene->AddScore(points);
}

void BvGameBoardHost::ScheduleTip(int bit, float delayMs) {
  if (BvScene* scene = CurrentScene()) scene->ScheduleTip(bit, delayMs);
}

bool BvGameBoardHost::IsMouseOver(const char* name) {
  BvScene* scene = CurrentScene();
  return scene && scene->IsMouseOver(name);
}

void BvGameBoardHost::SetSceneState(int state) {
  if (BvScene* scene = CurrentScene()) scene->SetState(state);
}

int BvGameBoardHost::GetGuiMode() { return g_Game ? g_Game->GetGuiMode() : 0; }

void BvGameBoardHost::ShowGui(int n, int mode, intptr_t argument) {
  if (g_Game) g_Game->ShowGui(n, mode, argument);
}

bool BvGameBoardHost::IsExpertMode() { return g_Game && g_Game->IsExpertMode(); }

BvLayoutBank* BvGameBoardHost::GetLayoutBank() { return g_Game ? g_Game->GetLayoutBank() : nullptr; }

int BvGameBoardHost::GetLayoutIndex() {
  if (g_CmdLayout != -1) return g_CmdLayout;
  BvProfile* profile = GetProfile();
  return profile ? profile->GetLayoutIndex() : -1;
}

bool BvGameBoardHost::WasLeftClicked() { return g_Game && g_Game->WasLeftClicked(); }

void BvGameBoardHost::ShowGameCursor(bool gameCursor) {
  if (!g_System) return;
  if (gameCursor && g_Game) {
    g_System->SetClassCursor(g_Game->GetGameCursor());
  } else {
    g_System->RestoreDefaultCursor();
  }
}
