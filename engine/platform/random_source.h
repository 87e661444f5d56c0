#pragma once
// The one source of randomness and wall-clock time for the engine and the
// game: every rand/srand/time use goes through here, so tests can fix both.
//
// QUORVEL_SEED=<n> fixes the seed (reseeding is then ignored) and
// QUORVEL_TIME=<seconds> fixes the wall clock.
#include <cstdint>

namespace bv {

// Largest value Rand() returns (the classic 15-bit generator).
constexpr int kRandMax = 32767;

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual void Seed(uint32_t seed) = 0;
  // 0..kRandMax.
  virtual int Next() = 0;
  // Seconds since the epoch.
  virtual int64_t WallClockSeconds() = 0;
};

// The generator in use (the real one unless a test installed another).
RandomSource& Random();
// Installs a source for tests; null restores the real one.
void SetRandomSource(RandomSource* source);

// Shorthands in the style of the C library calls they replace.
inline int Rand() { return Random().Next(); }
inline void SeedRand(uint32_t seed) { Random().Seed(seed); }
inline int64_t WallClockSeconds() { return Random().WallClockSeconds(); }

}  // namespace bv
