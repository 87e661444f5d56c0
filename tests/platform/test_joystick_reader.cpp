#include "engine/platform/joystick_reader.h"

#include <gtest/gtest.h>

#include "support/joystick_events.h"
#include "support/null_video.h"

namespace {

using bv::test::JsAxis;
using bv::test::JsButton;

TEST(JoystickReader, MapsAxesToTheUnsignedRangeAndTracksButtons) {
  std::string path = bv::test::WriteJoystickEvents({
      // State sent on opening (flagged as initial).
      JsAxis(0, 0, bv::test::kJsInit),
      JsAxis(1, 0, bv::test::kJsInit),
      JsAxis(0, -32767),
      JsAxis(1, 32767),
      // Axis 2 is not read.
      JsAxis(2, -32767),
      JsButton(0, true),
      JsButton(3, true),
      JsButton(5, true),
      JsButton(5, false),
  });
  bv::JoystickReader reader(path);
  bv::JoystickSample sample;
  ASSERT_TRUE(reader.Read(&sample));
  EXPECT_EQ(sample.x, 1);
  EXPECT_EQ(sample.y, 65535);
  EXPECT_EQ(sample.buttons, 0x9u);
  // Nothing new: the state stays.
  ASSERT_TRUE(reader.Read(&sample));
  EXPECT_EQ(sample.buttons, 0x9u);
}

TEST(JoystickReader, MissingOrBrokenDeviceReadsAsNoJoystick) {
  bv::JoystickReader missing(bv::test::MakeTempFolder("joystick_missing") + "/js0");
  bv::JoystickSample sample;
  sample.buttons = 7;
  EXPECT_FALSE(missing.Read(&sample));
  EXPECT_EQ(sample.buttons, 0u);
  EXPECT_EQ(sample.x, 32768);

  // A torn event (a partial record) is a read error.
  bv::JoystickReader torn(bv::test::WriteJoystickEvents({JsButton(1, true)}, 3));
  EXPECT_FALSE(torn.Read(&sample));
}

}  // namespace
