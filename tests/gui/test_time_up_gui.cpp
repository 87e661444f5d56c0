// The time's-up notice headless: its texts, its sound under the sound
// switch, and OK's result.
#include "game/gui/time_up_gui.h"

#include "game/gui/gui_results.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

class TimeUpGuiTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteGlobal({{10, PanelWithButtons({"btnok"})}});
    world.AddText("timeup", "Time's up!");
    world.AddText("ok", "OK");
  }
};

TEST_F(TimeUpGuiTest, PlaysItsSoundAndOkAsksForAReplay) {
  world.game()->ShowGui(10, 1, 0);
  EXPECT_EQ(world.Plays("timesup"), 1);
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Time's up!", L"OK"}));
  EXPECT_EQ(TextElement(L"Time's up!")->GetLayer(), 1);
  EXPECT_EQ(TextElement(L"OK")->GetLayer(), 2) << "the label over the button";
  Frames(40);
  Click("btnok");
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultTimeUp});
}

TEST_F(TimeUpGuiTest, SilentWithSoundEffectsOff) {
  world.system()->config.soundOn = 0;
  world.game()->ShowGui(10, 1, 0);
  EXPECT_EQ(world.Plays("timesup"), 0);
  EXPECT_EQ(OpenGui()->GetState(), BvGui::kStateOpen);
}

// The spare operation beside the notice closes it as a cancelled quit.
TEST_F(TimeUpGuiTest, HideAsCancelledClosesWithResultThirteen) {
  world.game()->ShowGui(10, 1, 0);
  static_cast<BvTimeUpGui*>(OpenGui())->HideAsCancelled();
  EXPECT_EQ(OpenGui()->GetState(), BvGui::kStateClosing);
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultQuitCancelled});
}

}  // namespace
