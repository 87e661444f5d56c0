#include "engine/platform/clock.h"

#include <chrono>
#include <thread>

namespace bv {
namespace {

class SteadyClock : public Clock {
 public:
  int64_t Ticks() override {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
  }
  int64_t TicksPerSecond() override { return 1000000000; }
  void SleepUntil(int64_t deadline) override {
    // An absolute time on the same clock: oversleeping one frame does not
    // push the next deadline back.
    std::this_thread::sleep_until(
        std::chrono::steady_clock::time_point(
            std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                std::chrono::nanoseconds(deadline))));
  }
};

SteadyClock g_steady;
Clock* g_clock = nullptr;

}  // namespace

Clock& GetClock() { return g_clock != nullptr ? *g_clock : g_steady; }

void SetClock(Clock* clock) { g_clock = clock; }

}  // namespace bv
