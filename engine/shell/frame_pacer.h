#pragma once
// When each frame of the loop ends. Frames are due one frame time apart on
// the counter (absolute deadlines, so a late wake-up does not delay the
// frames after it); the loop sleeps until the frame is due, and at least a
// minimum time (1 ms, 10 ms while an inactive window waits). A frame that
// starts well after its due time starts a new cadence instead of making the
// next frames hurry.
#include <cstdint>

namespace bv {

class FramePacer {
 public:
  // A frame starts at `now`, due `frameTicks` after the previous one's due
  // time (after `now` for the first frame and after a late start).
  void BeginFrame(int64_t now, int64_t frameTicks, int64_t lateTicks);
  // The counter reading to sleep until: the due time, but no sooner than
  // minimumSleep after now.
  int64_t WakeTime(int64_t now, int64_t minimumSleep) const;
  // Records the wake-up; returns the frame's duration in ticks (from the
  // previous wake-up, or from the first frame's start).
  int64_t EndFrame(int64_t now);
  // Forgets the cadence (a new run of the loop).
  void Reset() { m_Started = false; }

  int64_t Deadline() const { return m_Deadline; }

 private:
  bool m_Started = false;
  // When the current frame is due.
  int64_t m_Deadline = 0;
  // When the current frame began: the previous wake-up.
  int64_t m_FrameStart = 0;
};

}  // namespace bv
