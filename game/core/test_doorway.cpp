#include "game/core/test_doorway.h"

#include <cstdlib>
#include <string>

#include "game/core/player_store.h"
#include "game/core/scene_numbers.h"

namespace {
constexpr const char* kStartSceneVariable = "QUORVEL_START_SCENE";
constexpr const char* kTestProfileName = "Tester";
constexpr const char* kTimeLimitVariable = "QUORVEL_TIME_LIMIT_MS";
// A test may only shorten the ten-minute limit.
constexpr long kLongestTimeLimitMs = 600000;
}  // namespace

int StartSceneFromEnvironment() {
  const char* value = std::getenv(kStartSceneVariable);
  if (!value || !*value) return 0;
  char* end = nullptr;
  const long n = std::strtol(value, &end, 10);
  if (*end != '\0' || n < kSceneSplash || n > kLastScene) return 0;
  return int(n);
}

void EnsureTestProfile(BvPlayerStore& store) {
  if (store.HasCurrentProfile()) return;
  for (int i = 0; i < BvPlayerStore::kProfileCount; ++i) {
    if (store.profiles[i].IsFree()) {
      store.SelectProfile(i, kTestProfileName);
      return;
    }
  }
  store.SelectProfile(0, nullptr);
}

float TimeLimitFromEnvironment() {
  const char* value = std::getenv(kTimeLimitVariable);
  if (!value || !*value) return 0.0f;
  char* end = nullptr;
  const long ms = std::strtol(value, &end, 10);
  if (*end != '\0' || ms < 1 || ms > kLongestTimeLimitMs) return 0.0f;
  return float(ms);
}
