#include "game/core/player_store.h"

#include <cstdint>
#include <cstring>


namespace {
// The table a fresh store starts with, best first, keys 0..9.
constexpr int kDefaultScores[BvPlayerStore::kHiscoreCount] = {
    100000, 50000, 30000, 20000, 10000, 5000, 4000, 3000, 2000, 1000};
constexpr const char* kDefaultHiscoreName = "Brasvolt";
}  // namespace

BvPlayerStore::BvPlayerStore() {
  for (BvProfile& profile : profiles) profile.ClearAchievements();
}

void BvPlayerStore::Reset() {
  current = kNoProfile;
  for (BvProfile& profile : profiles) profile.Reset();
  for (int j = 0; j < kHiscoreCount; ++j) {
    hiscores[j].score = 0;
    hiscores[j].key = j;
    hiscores[j].SetName(nullptr);
  }
  for (int j = 0; j < kHiscoreCount; ++j) AddHiscore(kDefaultScores[j], kDefaultHiscoreName, j);
}

bool BvPlayerStore::HasCurrentProfile() const { return current >= 0 && current < kProfileCount; }

BvProfile* BvPlayerStore::GetCurrentProfile() {
  return HasCurrentProfile() ? &profiles[current] : nullptr;
}

const BvProfile* BvPlayerStore::GetCurrentProfile() const {
  return HasCurrentProfile() ? &profiles[current] : nullptr;
}

void BvPlayerStore::SelectProfile(int index, const char* name) {
  if (index < 0 || index >= kProfileCount) return;
  current = static_cast<int16_t>(index);
  if (name) {
    BvProfile& profile = profiles[index];
    profile.key = BvProfile::KeyFromClock();
    profile.SetName(name);
  }
}

void BvPlayerStore::DeleteProfile(int index) {
  if (index < 0 || index >= kProfileCount) return;
  SubmitScores();
  if (profiles[index].IsFree()) return;
  for (int i = index; i < kProfileCount - 1; ++i) profiles[i] = profiles[i + 1];
  profiles[kProfileCount - 1].Reset();
  // The current player moved down with the others: follow it.
  if (index < current) --current;
  while (current > 0 && profiles[current].IsFree()) --current;
}

void BvPlayerStore::SubmitProfileScore(const BvProfile& profile) {
  AddHiscore(profile.score, profile.name, profile.key);
}

void BvPlayerStore::SubmitScores() {
  for (const BvProfile& profile : profiles) SubmitProfileScore(profile);
}

void BvPlayerStore::AddHiscore(int score, const char* name, int key) {
  int old = -1;
  for (int k = 0; k < kHiscoreCount; ++k) {
    if (hiscores[k].key == key) {
      old = k;
      break;
    }
  }
  int place = -1;
  for (int k = 0; k < kHiscoreCount; ++k) {
    if (hiscores[k].score <= score) {
      place = k;
      break;
    }
  }
  if (place < 0) return;  // below the whole table
  // The key already holds a better place: keep it, so the key stays unique
  // and no other game's entry is overwritten.
  if (old >= 0 && old < place) return;
  if (old < 0) old = kHiscoreCount - 1;  // the last entry drops out
  for (int k = old - 1; k >= place; --k) hiscores[k + 1] = hiscores[k];
  hiscores[place].score = score;
  hiscores[place].key = key;
  hiscores[place].SetName(name);
}
