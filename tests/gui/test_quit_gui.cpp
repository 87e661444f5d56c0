// The quit confirmation headless: its texts and its two results.
#include "game/gui/quit_gui.h"

#include "game/gui/gui_results.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

class QuitGuiTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteGlobal({{4, PanelWithButtons({"btnok", "btncancel"})}});
    world.AddText("quitconfirm", "Leave the game?");
    world.AddText("ok", "OK");
    world.AddText("cancel", "Cancel");
  }
};

TEST_F(QuitGuiTest, OkConfirmsAndCancelCancels) {
  for (auto [button, result] : {std::pair{"btnok", kGuiResultQuitConfirmed},
                                std::pair{"btncancel", kGuiResultQuitCancelled}}) {
    scene->events.clear();
    world.game()->ShowGui(4, 2, 0);
    EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Leave the game?", L"OK", L"Cancel"}));
    EXPECT_EQ(TextElement(L"Leave the game?")->GetLocalPosition(), irr::core::vector2df(0, 20));
    Frames(40);
    Click(button);
    ASSERT_TRUE(RunUntilClosed()) << button;
    EXPECT_EQ(scene->events, std::vector<int>{result}) << button << ": nothing on opening";
  }
}


// The two buttons are the only ways out: a click on the panel beside them,
// Enter and Escape leave the question open and send nothing.
TEST_F(QuitGuiTest, OnlyTheButtonsClose) {
  world.game()->ShowGui(4, 2, 0);
  Frames(40);
  Click("interfaceback");
  Frames(5);
  for (int key : {13, 27}) {
    world.system()->lastKey = key;
    PressKey(key);
    Frames(5);
  }
  EXPECT_NE(world.game()->GetGuiMode(), 0) << "still asking";
  EXPECT_TRUE(scene->events.empty());
  Click("btncancel");
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultQuitCancelled});
}

}  // namespace
