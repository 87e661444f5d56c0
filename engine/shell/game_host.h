#pragma once
// The object in which one run of the game takes place: owns the game object
// and the player store, reads "savegame.sav" before the first frame and
// writes it after every finished scene and when it is destroyed.
#include <optional>
#include <string>

#include "engine/platform/kept_file.h"
#include "game/core/player_store.h"

class BvGame;
class BvSystem;

class BvGameHost {
 public:
  // Constructs the store, then the game (which loads nothing); g_Game is
  // set once the game's constructor has returned.
  explicit BvGameHost(BvSystem* system);
  // Deletes the game, then writes the save file.
  virtual ~BvGameHost();
  BvGameHost(const BvGameHost&) = delete;
  BvGameHost& operator=(const BvGameHost&) = delete;

  // Reads the save file, then runs the game's frame loop until g_Quit.
  void Run();
  // One entry into the game's frame loop (when g_Quit is clear).
  void Step();
  // The save file into the store; a missing, short or unreadable file
  // resets it (see ReadSaveFile for what is kept and told).
  void LoadSaveGame();
  // Submits every profile's score to the hiscores, then writes the store,
  // unless the save could not be read this run. The first failure is told
  // to the player; returns whether the file was written.
  bool SaveSaveGame();

  BvSystem* GetSystem() const { return m_System; }
  BvGame* GetGame() const { return m_Game; }
  BvPlayerStore& GetStore() { return m_Store; }
  // Full path of "savegame.sav" in the user folder ("" when there is none).
  static std::string GetSavePath();

 private:
  BvSystem* m_System;
  BvGame* m_Game = nullptr;
  BvPlayerStore m_Store;
  // The save file of this run, from the first read or write on.
  std::optional<bv::KeptFile> m_SaveFile;
};

namespace bv {
// The session that RunSystem runs once the display and timer are up: the
// system's RunSession (host created, run when the display is ready, deleted).
void RunGameSession(BvSystem& system);
}  // namespace bv
