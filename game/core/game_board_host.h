#pragma once
// The board's way to the game: forwards every request to g_Game and its
// current scene. Without a game object (or a current scene) the requests
// find nothing and do nothing.
#include "game/board/board_host.h"

class BvGameBoardHost : public BvBoardHost {
 public:
  BvLevelManager* GetLevelManager() override;
  BvProfile* GetProfile() override;
  BvLevelStats* GetLevelStats() override;
  void AddScore(int points) override;
  void ScheduleTip(int bit, float delayMs) override;
  bool IsMouseOver(const char* name) override;
  void SetSceneState(int state) override;
  int GetGuiMode() override;
  void ShowGui(int n, int mode, intptr_t argument) override;
  bool IsExpertMode() override;
  BvLayoutBank* GetLayoutBank() override;
  // The "-layout" value when given, else the current profile's layout.
  int GetLayoutIndex() override;
  bool WasLeftClicked() override;
  void ShowGameCursor(bool gameCursor) override;
};
