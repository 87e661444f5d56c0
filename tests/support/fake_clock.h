#pragma once
// A clock for frame-loop tests: time moves only when read (by a fixed tick)
// and when the loop sleeps, so frames have exact, repeatable durations.
#include <cstdint>
#include <vector>

#include "engine/platform/clock.h"

namespace bv {
namespace test {

class FakeClock : public Clock {
 public:
  // Microsecond ticks; every reading advances time by readStepUs.
  explicit FakeClock(int64_t readStepUs = 100) : m_ReadStep(readStepUs) {}
  int64_t Ticks() override { return m_Now += m_ReadStep; }
  int64_t TicksPerSecond() override { return 1000000; }
  // Time jumps to the deadline (never backwards), plus oversleepUs as a real
  // sleep's late wake-up would add.
  void SleepUntil(int64_t deadline) override {
    sleepsUs.push_back(deadline > m_Now ? deadline - m_Now : 0);
    deadlines.push_back(deadline);
    if (deadline > m_Now) m_Now = deadline;
    m_Now += oversleepUs;
  }
  // Time spent in the work of a frame.
  void AdvanceMs(double milliseconds) { m_Now += int64_t(milliseconds * 1000.0); }

  int64_t NowUs() const { return m_Now; }

  // Per sleep: how long it lasted and the deadline it was given (us).
  std::vector<int64_t> sleepsUs;
  std::vector<int64_t> deadlines;
  int64_t oversleepUs = 0;

 private:
  int64_t m_ReadStep;
  int64_t m_Now = 0;
};

// Installs the clock for its lifetime.
class ScopedClock {
 public:
  explicit ScopedClock(Clock* clock) { SetClock(clock); }
  ~ScopedClock() { SetClock(nullptr); }
};

}  // namespace test
}  // namespace bv
