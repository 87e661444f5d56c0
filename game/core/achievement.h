#pragma once
// Achievements (trophies): six kinds of profile counters, each with seven
// steps reached at fixed thresholds. A BvAchievement describes one step for
// the notice and the trophies list; it is made on demand and copied by value.

constexpr int kAchievementKinds = 6;
constexpr int kAchievementSteps = 7;

// Kinds, in the order of the profile's flag bytes (kind x 7 + step).
constexpr int kAchievementFreed = 0;      // creatures freed from cages
constexpr int kAchievementKilled = 1;     // monster hits
constexpr int kAchievementChain = 2;      // chains broken
constexpr int kAchievementSpellUsed = 3;  // spells cast
constexpr int kAchievementMatches = 4;    // matches made
constexpr int kAchievementScore = 5;      // score of the current game

struct BvAchievement {
  static constexpr int kIdSize = 20;
  static constexpr int kTitleSize = 40;        // terminator included
  static constexpr int kDescriptionSize = 80;  // terminator included

  // The kind's identifier, also the stem of its two language keys.
  char id[kIdSize] = {};
  // Language text "<id>title".
  wchar_t title[kTitleSize] = {};
  // Language text "<id>desc" with the step's threshold in place of its %d.
  wchar_t description[kDescriptionSize] = {};
};

// Kind 0..5 and step 0..6.
bool IsAchievementStep(int kind, int step);
// The counter value that reaches the step; 0 outside the table.
int AchievementThreshold(int kind, int step);
// Fills out for a valid kind and step; otherwise leaves it untouched.
void MakeAchievement(BvAchievement& out, int kind, int step);
