// The behaviour base: timing with a start delay, the run order with the
// wait rule, the sweep of finished behaviours, and listener hygiene.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/level_element.h"
#include "support/recording_behavior.h"

namespace {

using bv::test::RecordingBehavior;

// Counts the events it receives.
class EventCounter : public CManagedObjectBase {
 public:
  void OnNotify(int event, CManagedObjectBase* sender) override { events.push_back(event); }
  std::vector<int> events;
};

TEST(Behavior, StartDelayCountsBeforeTheFirstApplyAndIncludesEqual) {
  std::vector<std::string> log;
  BvLevelElement element(nullptr);
  auto* behavior = new RecordingBehavior(&log, "a");
  behavior->SetStartDelay(300.0f);
  element.AddBehavior(behavior);
  behavior->Update(100.0f);
  behavior->Update(100.0f);
  EXPECT_TRUE(log.empty()) << "no apply while elapsed is below the delay";
  behavior->Update(100.0f);
  EXPECT_FLOAT_EQ(behavior->GetElapsed(), 300.0f);
  EXPECT_EQ(log, std::vector<std::string>{"a"}) << "elapsed equal to the delay applies";
}

TEST(Behavior, WithoutTargetNothingCounts) {
  std::vector<std::string> log;
  RecordingBehavior behavior(&log, "a");
  behavior.Update(100.0f);
  EXPECT_FLOAT_EQ(behavior.GetElapsed(), 0.0f);
  EXPECT_TRUE(log.empty());
  EXPECT_STREQ(behavior.GetClassName(), "BvBehavior");
}

TEST(Behavior, SetTargetMakesTheElementAListenerOfTheBehavior) {
  std::vector<std::string> log;
  BvLevelElement element(nullptr);
  auto* behavior = new RecordingBehavior(&log, "a");
  element.AddBehavior(behavior);
  ASSERT_EQ(behavior->GetListeners().size(), 1u);
  EXPECT_EQ(behavior->GetListeners()[0], &element);
  EXPECT_EQ(behavior->GetTarget(), &element);
}

// The run stops before a wait that is not first and right after a wait
// that is first; behaviours before the first wait run side by side.
TEST(Behavior, RunListHoldsBackEverythingBehindAWait) {
  std::vector<std::string> log;
  BvLevelElement element(nullptr);
  element.AddBehavior(new RecordingBehavior(&log, "a", 100, 2));
  element.AddBehavior(new RecordingBehavior(&log, "b", 100, 1));
  element.AddBehavior(new RecordingBehavior(&log, "wait", kBehaviorWait, 1));
  element.AddBehavior(new RecordingBehavior(&log, "c", 100, 0));
  auto& list = element.GetBehaviors();

  struct Frame {
    std::vector<std::string> log;
    size_t remaining;
  };
  const std::vector<Frame> frames = {
      {{"a", "b", "~b"}, 3},       // b finishes and is swept in its frame
      {{"a", "~a"}, 2},            // a finishes: the wait is first from now on
      {{"wait", "~wait"}, 1},      // the wait runs alone and stops the run
      {{"c"}, 1},                  // c runs from the next frame on
  };
  for (size_t i = 0; i < frames.size(); ++i) {
    log.clear();
    BvBehavior::RunList(list, 16.0f);
    BvBehavior::SweepList(list);
    EXPECT_EQ(log, frames[i].log) << "frame " << i;
    EXPECT_EQ(list.size(), frames[i].remaining) << "frame " << i;
  }
}

TEST(Behavior, ListStopsMotionOnlyWithAMotionType) {
  std::vector<std::string> log;
  std::vector<BvBehavior*> list;
  RecordingBehavior plain(&log, "p");
  list.push_back(&plain);
  EXPECT_FALSE(BvBehavior::ListStopsMotion(list));
}

// A behaviour that listened to its element must leave the element's
// listener list when it is deleted, or the element's next event calls a
// deleted object.
TEST(Behavior, DeletedBehaviorLeavesItsElementsListeners) {
  std::vector<std::string> log;
  BvLevelElement element(nullptr);
  auto* behavior = new RecordingBehavior(&log, "a", 100, 1);
  element.AddBehavior(behavior);
  element.AddListener(behavior);
  EventCounter other;
  element.AddListener(&other);
  BvBehavior::RunList(element.GetBehaviors(), 10.0f);
  BvBehavior::SweepList(element.GetBehaviors());
  ASSERT_TRUE(element.GetBehaviors().empty());
  ASSERT_EQ(element.GetListeners().size(), 1u);
  element.Notify(1);
  EXPECT_EQ(other.events, std::vector<int>{1});
}

}  // namespace
