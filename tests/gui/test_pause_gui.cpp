// The pause menu headless: what it builds, the event it sends on opening,
// each way out with its result, and Escape tested before the buttons.
#include "game/gui/pause_gui.h"

#include "game/gui/gui_results.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

constexpr int kKeyEscape = 27;

class PauseGuiTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteGlobal({{0, PanelWithButtons({"btnresume", "btnoptions", "btnmainmenu", "btnquit"})}});
    for (auto [key, text] : {std::pair{"pause", "Pause"}, {"resume", "Resume"},
                             {"menuoptions", "Options"}, {"mainmenu", "Main menu"},
                             {"quit", "Quit"}})
      world.AddText(key, text);
  }
  // Opens the menu as Escape does and lets the panel settle.
  void Open() {
    world.game()->ShowGui(0, 1, 0);
    Frames(40);
  }
};

TEST_F(PauseGuiTest, BuildsTitleAndLabelsAndTellsTheScreen) {
  world.game()->ShowGui(0, 1, 0);
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultOpened}) << "event 5 on opening";
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Pause", L"Resume", L"Options", L"Main menu", L"Quit"}));
  EXPECT_EQ(TextElement(L"Pause")->GetParent(), Find("interfaceback"));
  EXPECT_EQ(TextElement(L"Pause")->GetLocalPosition(), irr::core::vector2df(0, 110));
  EXPECT_EQ(TextElement(L"Quit")->GetParent(), Find("btnquit"));
  EXPECT_EQ(TextElement(L"Quit")->GetLocalPosition(), irr::core::vector2df(0, 3));
  EXPECT_EQ(Find("btnquit")->GetParent(), Find("interfaceback"));
  Frames(40);
  EXPECT_EQ(OpenGui()->GetState(), BvGui::kStateOpen);
  EXPECT_NEAR(Find("btnresume")->GetPosition().Y, 100.0f, 0.5f) << "the buttons came down with the panel";
}

TEST_F(PauseGuiTest, EachWayOutClosesWithItsResult) {
  struct Case {
    const char* button;  // null: Escape
    int result;
  };
  const Case cases[] = {
      {nullptr, kGuiResultResume},       {"btnresume", kGuiResultResume},
      {"btnoptions", kGuiResultOptions}, {"btnmainmenu", kGuiResultMainMenu},
      {"btnquit", kGuiResultQuit},
  };
  for (const Case& c : cases) {
    const std::string what = c.button ? c.button : "Escape";
    scene->events.clear();
    Open();
    const int clicks = world.Plays("guiclick");
    if (c.button) {
      Click(c.button);
    } else {
      PressKey(kKeyEscape);
      Frame();
      EXPECT_EQ(world.system()->keyDown[kKeyEscape], 0) << "the dialog took the key";
    }
    EXPECT_EQ(world.Plays("guiclick"), clicks + (c.button ? 1 : 0)) << what;
    EXPECT_EQ(OpenGui()->GetState(), BvGui::kStateClosing) << what;
    ASSERT_TRUE(RunUntilClosed()) << what;
    EXPECT_EQ(scene->events, (std::vector<int>{kGuiResultOpened, c.result})) << what;
  }
}

// Escape is read first and does not end the button tests: a button pressed
// in the same frame acts too, and its result is the one delivered.
TEST_F(PauseGuiTest, EscapeIsTestedBeforeTheButtons) {
  Open();
  PressKey(kKeyEscape);
  Click("btnquit");
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events.back(), kGuiResultQuit);

  // Nothing is read before the panel is open, nor after it began to close.
  scene->events.clear();
  Open();
  Click("btnmainmenu");
  PressKey(kKeyEscape);
  Frame();
  EXPECT_EQ(world.system()->keyDown[kKeyEscape], 1) << "closing: the key is left alone";
  world.system()->keyDown[kKeyEscape] = 0;
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events, (std::vector<int>{kGuiResultOpened, kGuiResultMainMenu}));
}

// Escape opens the pause menu on every screen numbered above the title
// menu (2), never on the first splash or the title menu itself.
TEST_F(PauseGuiTest, EscapeOpensTheMenuOnlyAboveTheTitleScreen) {
  for (const int n : {1, 2, 3, 5, 11, 16, 17}) {
    auto* screen = new bv::test::ListeningScene;
    world.game()->SetSceneEntry(n, screen);
    world.game()->SetScene(n);
    world.game()->SetGuiMode(0);
    PressKey(kKeyEscape);
    world.game()->UpdateMouse();
    const bool pauses = n > 2;
    EXPECT_EQ(world.game()->GetGuiMode(), pauses ? 1 : 0) << "scene " << n;
    if (pauses) EXPECT_EQ(world.game()->GetCurrentGui(), 0) << "scene " << n;
    world.system()->keyDown[kKeyEscape] = 0;
  }
}

}  // namespace
