#include <gtest/gtest.h>

#include <vector>

#include "engine/platform/random_source.h"
#include "engine/shell/application.h"
#include "support/fake_clock.h"

namespace {

// An application whose frames-per-second average is set by the test.
class RateApp : public BvApplication {
 public:
  explicit RateApp(float fps) : BvApplication(nullptr) { fpsAverage = fps; }
};

struct FrameCountCase {
  float fps;
  int n;
  int expected;
};

TEST(ApplicationRates, ConvertFrameCountFollowsTheRateBands) {
  const FrameCountCase cases[] = {
      {0.0f, 7, 7},        // no average yet: unchanged
      {40.0f, 4, 6},       // below 55: scaled, 4 * 60 / 40
      {54.9f, 10, 10},     // trunc(10.93)
      {55.0f, 10, 10},     // 55 up to 70: unchanged
      {69.9f, 9, 9},
      {70.0f, 3, 2},       // the 70 Hz table from 70 on
      {70.0f, 10, 8},
      {79.9f, 9, 7},
      {80.0f, 2, 1},       // the 80 Hz table from 80 on
      {80.0f, 10, 7},
      {144.0f, 5, 3},
      {75.0f, 11, 8},      // beyond the tables: scaled, trunc(8.8)
      {60.0f, 11, 11},
      {75.0f, -5, -4},     // negative counts are scaled, never looked up
  };
  for (const FrameCountCase& c : cases) {
    RateApp app(c.fps);
    EXPECT_EQ(app.ConvertFrameCount(c.n), c.expected) << "n " << c.n << " at " << c.fps << " fps";
  }
}

TEST(ApplicationRates, TablesHoldEveryCountFromZeroToTen) {
  const std::vector<int> from70 = {0, 1, 2, 2, 3, 4, 5, 6, 7, 7, 8};
  const std::vector<int> from80 = {0, 1, 1, 2, 3, 3, 4, 5, 5, 6, 7};
  RateApp at75(75.0f);
  RateApp at85(85.0f);
  for (int n = 0; n <= 10; ++n) {
    EXPECT_EQ(at75.ConvertFrameCount(n), from70[n]) << n;
    EXPECT_EQ(at85.ConvertFrameCount(n), from80[n]) << n;
  }
}

TEST(ApplicationRates, SixtyHertzConversions) {
  RateApp app(75.0f);
  EXPECT_EQ(app.FramesFor(60), 75);
  EXPECT_EQ(app.FramesFor(1), 1) << "trunc(1.25)";
  EXPECT_EQ(app.FramesFor(0), 1) << "at least one frame";
  EXPECT_FLOAT_EQ(app.ToSixtyHertz(75.0f), 60.0f);
  EXPECT_FLOAT_EQ(app.FromSixtyHertz(60.0f), 75.0f);

  RateApp idle(0.0f);
  EXPECT_FLOAT_EQ(idle.ToSixtyHertz(3.5f), 3.5f) << "no division by a zero average";
  EXPECT_FLOAT_EQ(idle.FromSixtyHertz(3.5f), 0.0f);
  EXPECT_EQ(idle.FramesFor(10), 1);
}

class RecordingRandom : public bv::RandomSource {
 public:
  void Seed(uint32_t seed) override { seeds.push_back(seed); }
  int Next() override { return 0; }
  int64_t WallClockSeconds() override { return 0; }
  std::vector<uint32_t> seeds;
};

TEST(ApplicationRates, SeedRandomSeedsTheRandomSourceWithTheCounter) {
  bv::test::FakeClock clock(0);
  bv::test::ScopedClock useClock(&clock);
  clock.AdvanceMs(4295000.0);  // beyond 32 bits of microsecond ticks
  RecordingRandom random;
  bv::SetRandomSource(&random);
  RateApp app(75.0f);
  app.SeedRandom();
  bv::SetRandomSource(nullptr);
  ASSERT_EQ(random.seeds.size(), 1u);
  EXPECT_EQ(random.seeds[0], static_cast<uint32_t>(int64_t{4295000000} & 0xFFFFFFFF));
}

}  // namespace
