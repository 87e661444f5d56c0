#include "engine/platform/message_box.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBox, CaptureKeepsCaptionAndText) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  bv::ShowMessageBox("Alert", "GetObjectByName, Object not found : x");
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "GetObjectByName, Object not found : x");
}

TEST(MessageBox, Latin1BecomesUtf8) {
  EXPECT_EQ(bv::Latin1ToUtf8("abc"), "abc");
  EXPECT_EQ(bv::Latin1ToUtf8("\xe9t\xe9"), "\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(bv::Latin1ToUtf8("\xff"), "\xc3\xbf");
}

}  // namespace
