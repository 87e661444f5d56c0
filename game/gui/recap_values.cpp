#include "game/gui/recap_values.h"

#include "engine/resources/text_format.h"

namespace {
// Board: gauge milliseconds per 10 points, so 250 ms a point.
constexpr double kGaugeMsPerPoint = 2500.0 / 10.0;
// Hidden-object level: seconds that still earn a time bonus, points each.
constexpr int kHiddenBonusSeconds = 180;
constexpr int kHiddenPointsPerSecond = 10;
constexpr int kNoHintBonus = 500;
constexpr int kHintPenalty = -500;
constexpr unsigned kSecondsPerHour = 3600;
constexpr unsigned kSecondsPerMinute = 60;
}  // namespace

int BoardTimeBonus(float gaugeLeftMs) {
  if (!(gaugeLeftMs > 0.0f)) return 0;
  // In double, whole milliseconds divide exactly: 12000 ms is 48, not 47.
  return int(double(gaugeLeftMs) / kGaugeMsPerPoint);
}

int HiddenTimeBonus(int playSeconds) {
  if (playSeconds >= kHiddenBonusSeconds) return 0;
  // A clock set back gives no more than the whole bonus.
  if (playSeconds < 0) playSeconds = 0;
  return (kHiddenBonusSeconds - playSeconds) * kHiddenPointsPerSecond;
}

int HiddenHintBonus(int hintsUsed) {
  return hintsUsed == 0 ? kNoHintBonus : kHintPenalty * hintsUsed;
}

std::wstring NumberText(int value) { return FormatText(L"%d", {value}); }

std::wstring BonusText(int value) { return FormatText(L"+%d", {value}); }

std::wstring CountText(int count, int pointsEach) {
  return FormatText(L"+%d X %d", {count, pointsEach});
}

std::wstring PlayTimeText(int seconds) {
  const unsigned total = unsigned(seconds);
  const unsigned hours = total / kSecondsPerHour;
  const unsigned minutes = total % kSecondsPerHour / kSecondsPerMinute;
  return FormatText(L"%d:%02d:%02d",
                    {int(hours), int(minutes), int(total % kSecondsPerMinute)});
}
