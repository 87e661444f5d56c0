#pragma once
// Everything the board needs of the game, as one small interface: the game
// forwards it to the current screen and the game object; board tests use a
// recording fake. Randomness and the wall clock come from bv::Random()
// (engine/platform/random_source.h), sounds from the sound manager, whose
// backend tests replace.
#include <cstdint>

class BvLevelManager;
class BvLayoutBank;
struct BvLevelStats;
struct BvProfile;

class BvBoardHost {
 public:
  virtual ~BvBoardHost() = default;

  // The level manager the board creates its elements in (the screen's
  // current one); null: no element is created and every step copes.
  virtual BvLevelManager* GetLevelManager() = 0;
  // The current player's profile, or null.
  virtual BvProfile* GetProfile() = 0;
  // The current screen's level statistics, or null when it keeps none.
  virtual BvLevelStats* GetLevelStats() = 0;

  // Points for the current screen's score (and the profile's).
  virtual void AddScore(int points) = 0;
  // A tutorial tip through the current screen.
  virtual void ScheduleTip(int bit, float delayMs) = 0;
  // The cursor is over the named level element of the current level.
  virtual bool IsMouseOver(const char* name) = 0;
  // The current screen's state (the board sets 1 when its won show ends).
  virtual void SetSceneState(int state) = 0;

  // The game's GUI mode (0 none, 1 frozen, 2 running, 3 notice).
  virtual int GetGuiMode() = 0;
  virtual void ShowGui(int n, int mode, intptr_t argument) = 0;
  // The current profile has completed the game at least once.
  virtual bool IsExpertMode() = 0;
  // The layouts bank, and the index of the layout being played (-1 none).
  virtual BvLayoutBank* GetLayoutBank() = 0;
  virtual int GetLayoutIndex() = 0;

  // Reads and clears the application's left-click flag.
  virtual bool WasLeftClicked() = 0;
  // The window's cursor: the game's own (true, over a monster) or the
  // default one.
  virtual void ShowGameCursor(bool gameCursor) = 0;
};
