#pragma once
// Everything the game remembers between runs: the current profile, four
// profiles and the ten-entry hiscore table. Its file image is "savegame.sav"
// (see save_file.h).
#include <cstdint>

#include "game/core/hiscore_entry.h"
#include "game/core/profile.h"

struct BvPlayerStore {
  static constexpr int kProfileCount = 4;
  static constexpr int kHiscoreCount = 10;
  static constexpr int kNoProfile = -1;

  int16_t current = kNoProfile;  // -1 or 0..3
  BvProfile profiles[kProfileCount];
  BvHiscoreEntry hiscores[kHiscoreCount];  // best first

  // Profiles with cleared achievement flags and no current profile; the
  // host then loads the file or calls Reset.
  BvPlayerStore();

  // No current profile, every profile reset, the default hiscore table.
  void Reset();
  bool HasCurrentProfile() const;
  BvProfile* GetCurrentProfile();
  const BvProfile* GetCurrentProfile() const;
  // Makes slot index current; with a name the slot is being named and gets
  // a new key. Indices outside 0..3 are ignored.
  void SelectProfile(int index, const char* name);
  // Removes a named slot, moving the later profiles down one slot; the
  // current index follows its player.
  void DeleteProfile(int index);
  void SubmitProfileScore(const BvProfile& profile);
  // Every slot's score into the table (free slots score 0, enter nothing).
  void SubmitScores();
  // Places a game's score; the table keeps each key at most once.
  void AddHiscore(int score, const char* name, int key);
};
