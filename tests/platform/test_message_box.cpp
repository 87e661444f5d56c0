#include "engine/platform/message_box.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(MessageBox, CaptureKeepsCaptionAndText) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  bv::ShowMessageBox("Alert", "GetObjectByName, Object not found : x");
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "GetObjectByName, Object not found : x");
}

// A lookup that misses every frame shows a message every frame: the list
// keeps only the latest ones.
TEST(MessageBox, KeptMessagesStayBounded) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  const size_t shown = 10 * bv::kMaxKeptMessages + 3;
  for (size_t i = 0; i < shown; ++i) bv::ShowMessageBox("Alert", std::to_string(i));
  ASSERT_EQ(bv::ShownMessages().size(), bv::kMaxKeptMessages);
  EXPECT_EQ(bv::ShownMessages().back().text, std::to_string(shown - 1));
  EXPECT_EQ(bv::ShownMessages().front().text, std::to_string(shown - bv::kMaxKeptMessages));
  bv::ClearShownMessages();
}

TEST(MessageBox, Latin1BecomesUtf8) {
  EXPECT_EQ(bv::Latin1ToUtf8("abc"), "abc");
  EXPECT_EQ(bv::Latin1ToUtf8("\xe9t\xe9"), "\xc3\xa9t\xc3\xa9");
  EXPECT_EQ(bv::Latin1ToUtf8("\xff"), "\xc3\xbf");
}

}  // namespace
