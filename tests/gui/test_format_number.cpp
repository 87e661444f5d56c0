// FormatNumber: digits in a base within a width, negative values with their
// sign, and the refused widths and bases.
#include "game/gui/format_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "engine/platform/message_box.h"

namespace {

TEST(FormatNumber, DigitsSignAndWidth) {
  struct Case {
    int value, base, width;
    const char* text;
  };
  const Case cases[] = {
      {0, 10, 30, "0"},
      {100000, 10, 30, "100000"},
      {7, 10, 1, "7"},
      {255, 16, 30, "ff"},
      {5, 2, 30, "101"},
      {123456, 10, 3, "456"},  // only the last places fit
      {-42, 10, 30, "-42"},
      {-7, 16, 30, "-7"},
      {INT_MIN, 10, 30, "-2147483648"},
      {INT_MAX, 10, 30, "2147483647"},
      {-42, 10, 2, "42"},  // no place left for the sign
  };
  for (const Case& c : cases) {
    std::string out = "old";
    EXPECT_TRUE(FormatNumber(out, c.value, c.base, c.width)) << c.value;
    EXPECT_EQ(out, c.text) << c.value << " base " << c.base << " width " << c.width;
  }
}

TEST(FormatNumber, RefusesWidthsAndBasesItCannotWrite) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  std::string out = "old";
  EXPECT_FALSE(FormatNumber(out, 5, 10, 31));
  EXPECT_EQ(out, "");
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "itoa buffer overflow");
  for (int base : {0, 1, 17}) {
    out = "old";
    EXPECT_FALSE(FormatNumber(out, 5, base, 30)) << base;
    EXPECT_EQ(out, "") << base;
  }
  out = "old";
  EXPECT_FALSE(FormatNumber(out, 5, 10, 0));
  EXPECT_EQ(out, "");
  EXPECT_EQ(bv::ShownMessages().size(), 1u) << "only the overflow is announced";
  bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
}

}  // namespace
