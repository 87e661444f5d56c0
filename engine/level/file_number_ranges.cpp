#include "engine/level/file_number_ranges.h"

#include <cmath>
#include <cstdint>

#include "engine/resources/image_file_check.h"

namespace bv {
namespace {

bool WithinReach(float value, float reach) { return std::isfinite(value) && std::fabs(value) <= reach; }

bool IsSpanInPicture(int start, int length) {
  return start >= 0 && length >= 0 &&
         int64_t{start} + int64_t{length} <= int64_t{kLargestPictureSide};
}

}  // namespace

bool IsSourceRectInRange(int x, int y, int width, int height) {
  return IsSpanInPicture(x, width) && IsSpanInPicture(y, height);
}

bool IsPositionInRange(float x, float y) {
  return WithinReach(x, kFieldReach) && WithinReach(y, kFieldReach);
}

bool IsRadiusInRange(float radius) { return WithinReach(radius, kFieldReach) && radius >= 0.0f; }

bool IsScaleInRange(float x, float y) {
  return WithinReach(x, kLargestScale) && WithinReach(y, kLargestScale);
}

}  // namespace bv
