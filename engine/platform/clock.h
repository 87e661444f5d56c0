#pragma once
// The high-resolution counter and the sleep that pace the frame loop, behind a
// seam so tests can run frames on a fake time line.
#include <cstdint>

namespace bv {

class Clock {
 public:
  virtual ~Clock() = default;
  // Counter ticks; only differences matter.
  virtual int64_t Ticks() = 0;
  // Ticks per second; 0 would mean there is no counter.
  virtual int64_t TicksPerSecond() = 0;
  // Sleeps until the counter reads at least `deadline` (ticks); returns at
  // once when that has already passed.
  virtual void SleepUntil(int64_t deadline) = 0;
};

// The clock in use (steady_clock and sleep_for unless a test installed one).
Clock& GetClock();
// Installs a clock for tests; null restores the real one.
void SetClock(Clock* clock);

}  // namespace bv
