// Conversions between frame counts and rates of a 60 Hz frame loop and the
// running loop's frames-per-second average, and the random seed.
#include <cmath>

#include "engine/platform/clock.h"
#include "engine/platform/random_source.h"
#include "engine/shell/application.h"

namespace {

// The rate the conversions are made from (frames per second).
constexpr float kReferenceRate = 60.0f;
// Rates (frames per second) where ConvertFrameCount changes its rule.
constexpr float kSlowRate = 55.0f;
constexpr float kFirstTableRate = 70.0f;
constexpr float kSecondTableRate = 80.0f;
// Frame counts 0..10 of 60 Hz at 70 to 80 Hz, and at 80 Hz and above.
constexpr int kTableSize = 11;
constexpr int16_t kFramesFrom70[kTableSize] = {0, 1, 2, 2, 3, 4, 5, 6, 7, 7, 8};
constexpr int16_t kFramesFrom80[kTableSize] = {0, 1, 1, 2, 3, 3, 4, 5, 5, 6, 7};

}  // namespace

int16_t BvApplication::FramesFor(int n) const {
  const int16_t frames = static_cast<int16_t>(std::trunc(fpsAverage * n / kReferenceRate));
  return frames < 1 ? 1 : frames;
}

float BvApplication::ToSixtyHertz(float x) const {
  return fpsAverage == 0.0f ? x : x * kReferenceRate / fpsAverage;
}

float BvApplication::FromSixtyHertz(float x) const { return fpsAverage * x / kReferenceRate; }

int BvApplication::ConvertFrameCount(int n) const {
  if (fpsAverage == 0.0f) return n;
  // Counts outside the tables (negative ones too) are scaled.
  if (n < 0 || n >= kTableSize || fpsAverage < kSlowRate) {
    return static_cast<int>(std::trunc(n * kReferenceRate / fpsAverage));
  }
  if (fpsAverage < kFirstTableRate) return n;
  if (fpsAverage < kSecondTableRate) return kFramesFrom70[n];
  return kFramesFrom80[n];
}

void BvApplication::SeedRandom() {
  // The low 32 bits of the counter; a seed fixed for tests stays fixed.
  bv::SeedRand(static_cast<uint32_t>(bv::GetClock().Ticks()));
}
