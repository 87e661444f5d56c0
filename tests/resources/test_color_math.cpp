// Colour interpolation on channels scaled to 0..1 and truncated back.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/resources/color_math.h"

namespace {

TEST(ColorMath, EndsAreExactForEveryChannelPair) {
  for (uint32_t a = 0; a < 256; a += 1) {
    for (uint32_t b = 0; b < 256; b += 1) {
      uint32_t from = (a << 24) | (b << 16) | (a << 8) | b;
      uint32_t to = (b << 24) | (a << 16) | (b << 8) | a;
      ASSERT_EQ(bv::InterpolateColor(from, to, 0.0f), from) << a << " " << b;
      ASSERT_EQ(bv::InterpolateColor(from, to, 1.0f), to) << a << " " << b;
    }
  }
}

TEST(ColorMath, MiddleValuesAreTruncated) {
  // Alpha 0 -> 255 at 0.5 is 127.5, truncated to 127; red 255 -> 0 likewise.
  EXPECT_EQ(bv::InterpolateColor(0x00FF0000u, 0xFF000000u, 0.5f), 0x7F7F0000u);
  EXPECT_EQ(bv::InterpolateColor(0xFFFFFFFFu, 0x00000000u, 0.25f), 0xBFBFBFBFu);
}

TEST(ColorMath, OutOfRangeValuesStayInTheirChannel) {
  EXPECT_EQ(bv::InterpolateColor(0x00000000u, 0xFFFFFFFFu, 2.0f), 0xFFFFFFFFu);
  EXPECT_EQ(bv::InterpolateColor(0x80808080u, 0xFFFFFFFFu, -3.0f), 0x00000000u);
  EXPECT_EQ(bv::InterpolateColor(0x80808080u, 0xFFFFFFFFu, std::numeric_limits<float>::quiet_NaN()),
            0x00000000u);
  EXPECT_EQ(bv::UnitToChannel(0.9999f), 254u);
  EXPECT_EQ(bv::OpaqueColorFromUnit(1.0f, 0.5f, 0.0f), 0xFFFF7F00u);
}

}  // namespace
