#include "engine/platform/choice_box.h"

#include <gtest/gtest.h>

#include "engine/platform/message_box.h"

namespace {

class ChoiceBoxTest : public ::testing::Test {
 protected:
  ChoiceBoxTest() : previousMode(bv::GetMessageBoxMode()) { bv::ClearShownChoices(); }
  ~ChoiceBoxTest() override {
    bv::ClearShownChoices();
    bv::SetMessageBoxMode(previousMode);
  }
  int Ask() { return bv::ShowChoiceBox("Title", "Pick one", {{5, "Five"}, {6, "Six"}}, 5, 6); }

  bv::MessageBoxMode previousMode;
};

TEST_F(ChoiceBoxTest, CaptureAnswersFromTheQueueThenTheDefault) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::QueueChoiceAnswers({6, 99});
  EXPECT_EQ(Ask(), 6);
  EXPECT_EQ(Ask(), 99) << "queued answers are given as they are";
  EXPECT_EQ(Ask(), 5);
  ASSERT_EQ(bv::ShownChoices().size(), 3u);
  EXPECT_EQ(bv::ShownChoices()[0].caption, "Title");
  EXPECT_EQ(bv::ShownChoices()[0].buttons[1].label, "Six");
}

TEST_F(ChoiceBoxTest, StderrPressesTheDefaultWithoutWaiting) {
  bv::SetMessageBoxMode(bv::MessageBoxMode::Stderr);
  bv::QueueChoiceAnswers({6});
  testing::internal::CaptureStderr();
  EXPECT_EQ(Ask(), 5) << "the queue is for capture mode only";
  const std::string printed = testing::internal::GetCapturedStderr();
  EXPECT_NE(printed.find("[Title] Pick one"), std::string::npos) << printed;
  EXPECT_NE(printed.find("[Five] (default)"), std::string::npos) << printed;
  EXPECT_EQ(bv::ShownChoices().size(), 1u);
}

}  // namespace
