#pragma once
// The statistics of one board or hidden-object level, kept by its screen,
// written by the board (through its host) and read by the recaps.
#include <cstdint>

struct BvLevelStats {
  // Wall-clock seconds at which the play clock last started.
  int64_t clockStart = 0;
  // Whole seconds of play so far (time under a dialog excluded).
  int32_t playSeconds = 0;
  // Player's matches on this level.
  int32_t matches = 0;
  // Background cells cleared on this level.
  int32_t backgroundsCleared = 0;
  // Hints used on a hidden-object level.
  int32_t hintsUsed = 0;
  // Milliseconds left on the time gauge.
  float gaugeLeft = 0.0f;

  // Everything 0, the clock started at now (seconds).
  void Reset(int64_t now) {
    *this = BvLevelStats{};
    clockStart = now;
  }
  // A dialog opened: the time since the clock started counts as play.
  void StopClock(int64_t now) {
    playSeconds += int32_t(now - clockStart);
    clockStart = now;
  }
  // A dialog closed: the clock starts again.
  void StartClock(int64_t now) { clockStart = now; }
};
