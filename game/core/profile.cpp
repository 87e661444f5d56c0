#include "game/core/profile.h"

#include <cstring>

#include "engine/platform/random_source.h"

int32_t BvProfile::KeyFromClock() {
  return static_cast<int32_t>(static_cast<uint32_t>(bv::WallClockSeconds()));
}

void BvProfile::Reset() {
  freed = score = monstersKilled = chainsBroken = spellsCast = 0;
  reserved = matches = completedGames = 0;
  level = world = 0;
  key = 0;
  seenTips = 0;
  name[0] = '\0';
  showHints = 1;
  timeMode = 1;
}

void BvProfile::ClearAchievements() { std::memset(achievements, 0, sizeof(achievements)); }

void BvProfile::CompleteGame() {
  ++completedGames;
  level = 0;
  world = 0;
  score = 0;
  key = KeyFromClock();
}

void BvProfile::NextLevel() {
  if (level == kLastLevel) {
    level = 0;
    ++world;
  } else {
    ++level;
  }
}

int BvProfile::GetLayoutIndex() const {
  if (level == kHiddenLevel) return -1;
  if (level == 0) return world * kLayoutsPerWorld;
  return world * kLayoutsPerWorld + level - 1;
}

bool BvProfile::HasAchievement(int kind, int step) const {
  constexpr int kSteps = 7;
  if (kind < 0 || step < 0 || step >= kSteps) return false;
  int index = kind * kSteps + step;
  return index < kAchievementFlags && achievements[index] != 0;
}

void BvProfile::SetName(const char* text) {
  std::memset(name, 0, sizeof(name));
  if (text) std::strncpy(name, text, kMaxNameLength);
}
