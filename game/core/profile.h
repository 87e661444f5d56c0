#pragma once
// One player's profile: progress, counters for the trophies, name, options
// and the tips already seen (120 bytes of "savegame.sav").
#include <cstdint>

struct BvAchievement;

struct BvProfile {
  static constexpr int kAchievementFlags = 42;  // 6 kinds x 7 steps
  static constexpr int kNameSize = 26;          // terminator included
  static constexpr int kMaxNameLength = 24;
  static constexpr int kLastLevel = 10;         // levels 0..10 in a world
  static constexpr int kHiddenLevel = 1;        // the world's hidden-object level
  static constexpr int kWorldCount = 6;         // worlds 0..5; 6 = game finished
  static constexpr int kLayoutsPerWorld = 10;

  int32_t freed = 0;           // creatures freed from cages
  int32_t score = 0;           // points of the current game
  int32_t monstersKilled = 0;  // monsters killed by clicks
  int32_t chainsBroken = 0;
  int32_t spellsCast = 0;
  int32_t reserved = 0;        // always 0
  int32_t matches = 0;         // matches made by the player's own swaps
  int32_t completedGames = 0;  // above 0 = expert mode
  int32_t level = 0;           // 0..10 within the world
  int32_t world = 0;           // 0..5, 6 once the last level is won
  uint8_t achievements[kAchievementFlags] = {};  // 1 = unlocked, kind x 7 + step
  char name[kNameSize] = {};   // empty = free slot
  int32_t key = 0;             // low 32 bits of the time the game began (s)
  uint8_t showHints = 1;
  uint8_t timeMode = 1;
  uint32_t seenTips = 0;       // tip bits already shown

  // Counters, progress, key, name and seen tips cleared, both options on.
  // The achievement flags stay as they are.
  void Reset();
  void ClearAchievements();
  // A finished game: one more completed game, back to world 0 level 0 with
  // score 0, and a new key (a new hiscore identity).
  void CompleteGame();
  // A won level: the next level, or level 0 of the next world after 10.
  void NextLevel();

  int GetLevel() const { return level; }
  int GetWorld() const { return world; }
  bool IsSwapLevel() const { return level != kHiddenLevel; }
  bool IsHiddenLevel() const { return level == kHiddenLevel; }
  bool IsFree() const { return name[0] == '\0'; }
  // Board layout of the current level: -1 on the hidden-object level.
  int GetLayoutIndex() const;
  bool HasAchievement(int kind, int step) const;
  // Fills out with the step's descriptor and sets its flag; a kind outside
  // 0..5 or a step outside 0..6 is refused (out untouched, nothing set).
  void UnlockAchievement(int kind, int step, BvAchievement& out);
  // Unlocks the first step reached and not yet unlocked, kinds examined in
  // the order freed, score, monster hits, chains, spells, matches and steps
  // lowest first; true when one was unlocked (out filled). At most one step
  // per call, so each gets its own notice.
  bool CheckAchievements(BvAchievement& out);
  // The counter a kind of achievement follows; 0 for another kind.
  int AchievementCounter(int kind) const;

  // A new key: the low 32 bits of the wall clock in seconds.
  static int32_t KeyFromClock();
  // Copies at most kMaxNameLength characters (null = empty).
  void SetName(const char* text);
};
