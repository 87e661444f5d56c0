#include "game/core/profile.h"

#include <cstring>

#include "engine/platform/random_source.h"
#include "game/core/achievement.h"

static_assert(kAchievementKinds * kAchievementSteps == BvProfile::kAchievementFlags,
              "one flag byte per step of every kind");

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
  return IsAchievementStep(kind, step) && achievements[kind * kAchievementSteps + step] != 0;
}

void BvProfile::UnlockAchievement(int kind, int step, BvAchievement& out) {
  if (!IsAchievementStep(kind, step)) return;
  MakeAchievement(out, kind, step);
  achievements[kind * kAchievementSteps + step] = 1;
}

bool BvProfile::CheckAchievements(BvAchievement& out) {
  // Score steps come right after the freed ones.
  constexpr int kOrder[kAchievementKinds] = {kAchievementFreed,     kAchievementScore,
                                             kAchievementKilled,    kAchievementChain,
                                             kAchievementSpellUsed, kAchievementMatches};
  for (int kind : kOrder) {
    const int counter = AchievementCounter(kind);
    for (int step = 0; step < kAchievementSteps; ++step) {
      if (AchievementThreshold(kind, step) <= counter && !HasAchievement(kind, step)) {
        UnlockAchievement(kind, step, out);
        return true;
      }
    }
  }
  return false;
}

int BvProfile::AchievementCounter(int kind) const {
  switch (kind) {
    case kAchievementFreed: return freed;
    case kAchievementKilled: return monstersKilled;
    case kAchievementChain: return chainsBroken;
    case kAchievementSpellUsed: return spellsCast;
    case kAchievementMatches: return matches;
    case kAchievementScore: return score;
    default: return 0;
  }
}

void BvProfile::SetName(const char* text) {
  std::memset(name, 0, sizeof(name));
  if (text) std::strncpy(name, text, kMaxNameLength);
}
