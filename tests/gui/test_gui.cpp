// The dialog base headless: the panel's drop-in and lift-out, the fade to
// each element's own colour, the result delivered only once the level is
// empty, and the alert box's buttons.
#include "game/gui/gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "game/core/game.h"
#include "game/gui/alert_gui.h"
#include "game/gui/create_text.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 20.0f;

// A screen that logs the events it receives.
class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  std::vector<int> events;
};

// The shape of most dialogs: "btnok" closes with result 14.
class OkGui : public BvGui {
 public:
  void Init(intptr_t argument) override {
    BvGui::Init(argument);
    m_State = kStateOpen;
  }
  void Update(float ms) override { RunStandardFrame(ms); }
  void HandleInput() override {
    if (IsButtonClicked("btnok", true)) HideWithResult(14);
  }
};

class GuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BvLevelManager* gui = Gui();
    for (const char* name : {"interfaceback", "btnok", "alertback", "btnlarge", "btnlargeover"})
      world.AddTemplate(gui, name);
    gui->GetElements()->AddObject(new BvTextElement("guifont"));
    world.AddText("ok", "OK");
    world.AddText("cancel", "Cancel");
    // GUI 5's level: the panel and a coloured button on it.
    std::string levels;
    for (int n = 0; n < 5; ++n) levels += "<level name=\"empty\"></level>";
    levels +=
        "<level name=\"recap\"><lvlelements>"
        "<lvlelement name=\"interfaceback\"><sourceelement>interfaceback</sourceelement></lvlelement>"
        "<lvlelement name=\"btnok\"><sourceelement>btnok</sourceelement><pos x=\"50\" y=\"-60\"/>"
        "<color a=\"255\" r=\"32\" g=\"128\" b=\"192\"/></lvlelement>"
        "</lvlelements></level>";
    world.WriteLevels("global.xml", levels);
    scene = new ListeningScene;
    world.game()->SetSceneEntry(4, scene);
    world.game()->SetScene(4);
    dialog = new OkGui;
    world.game()->SetGuiEntry(5, dialog);
  }
  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvLevelElement* Element(const char* name) const {
    return static_cast<BvLevelElement*>(Gui()->GetCurrentLevel()->FindObjectByName(name));
  }
  // One frame of the open dialog: its update, then its level's pass.
  void Frame(BvScene* gui) {
    gui->Update(kFrameMs);
    Gui()->RenderCurrentLevel(kFrameMs, false, false);
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  ListeningScene* scene = nullptr;
  OkGui* dialog = nullptr;
};

TEST_F(GuiTest, OpensWithDropInAndClosesOnlyOnceItsLevelIsEmpty) {
  world.game()->ShowGui(5, 2, 0);
  EXPECT_EQ(world.Plays("guimove"), 1);
  EXPECT_EQ(world.game()->GetGuiMode(), 2);
  EXPECT_EQ(Element("interfaceback")->GetPosition(), irr::core::vector2df(0, 450))
      << "the panel starts above the screen";
  float lowest = 450.0f;
  for (int i = 0; i < 40; ++i) {
    Frame(dialog);
    lowest = std::min(lowest, Element("interfaceback")->GetPosition().Y);
  }
  EXPECT_LT(lowest, -20.0f) << "it overshoots below the centre";
  EXPECT_NEAR(Element("interfaceback")->GetPosition().Y, 0.0f, 0.5f) << "and settles there";

  world.MoveCursor(50, -60);
  world.PressLeft(true);
  Frame(dialog);
  EXPECT_EQ(dialog->GetState(), BvGui::kStateClosing);
  EXPECT_EQ(world.Plays("guimove"), 2) << "closing plays it again";
  EXPECT_EQ(world.Plays("guiclick"), 1);
  int frames = 0;
  while (scene->events.empty() && frames < 200) {
    Frame(dialog);
    ++frames;
    if (scene->events.empty()) {
      EXPECT_EQ(world.game()->GetGuiMode(), 2);
    }
  }
  EXPECT_EQ(scene->events, std::vector<int>{14});
  EXPECT_NEAR(frames * kFrameMs, 1000.0f, 3 * kFrameMs) << "the one-second fade-out";
  EXPECT_EQ(world.game()->GetGuiMode(), 0);
  EXPECT_TRUE(dialog->IsDone());
}

// Colours set while the dialog is built (a player's highlight) and colours
// of the level file are where the fade-in arrives, not opaque white.
TEST_F(GuiTest, FadeInArrivesAtEachElementsOwnColour) {
  world.game()->ShowGui(5, 2, 0);
  BvLevelElement* highlight = CreateText(Gui(), {0, 0}, L"Ann", "guifont");
  Element("interfaceback")->SetColor(irr::video::SColor(0xFFFF4000));
  Frame(dialog);
  EXPECT_LT(Element("btnok")->GetColor().getAlpha(), 40u) << "starts transparent";
  for (int i = 0; i < 30; ++i) Frame(dialog);
  EXPECT_EQ(Element("btnok")->GetColor().color, 0xFF2080C0u);
  EXPECT_EQ(Element("interfaceback")->GetColor().color, 0xFFFF4000u);
  EXPECT_EQ(highlight->GetColor().color, 0xFFFFFFFFu) << "made after the fade: untouched";
}

TEST_F(GuiTest, AnElementMadeAfterHideKeepsTheDialogOpen) {
  world.game()->ShowGui(5, 2, 0);
  dialog->Hide();
  CreateText(Gui(), {0, 0}, L"late", "guifont");
  for (int i = 0; i < 100; ++i) Frame(dialog);
  EXPECT_FALSE(dialog->IsLevelIdle());
  EXPECT_TRUE(scene->events.empty());
  EXPECT_EQ(world.game()->GetGuiMode(), 2);
}

TEST_F(GuiTest, AlertBoxButtonsAndResults) {
  struct Case {
    int buttons;
    std::vector<float> buttonX;  // relative to the centre
    float clickX;
    int result;
  };
  const Case cases[] = {
      {BvAlertGui::kButtonsOk, {0.0f}, 0.0f, BvAlertGui::kResultOk},
      {BvAlertGui::kButtonsOkCancel, {70.0f, -70.0f}, 70.0f, BvAlertGui::kResultOk},
      {BvAlertGui::kButtonsOkCancel, {70.0f, -70.0f}, -70.0f, BvAlertGui::kResultCancel},
  };
  for (const Case& c : cases) {
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(5, 2, 0);
    BvAlertGui alert;
    alert.Open(true, L"Delete?", c.buttons, 7);
    ASSERT_NE(alert.GetBack(), nullptr);
    EXPECT_EQ(alert.GetBack()->GetPosition(), irr::core::vector2df(0, -40));
    EXPECT_EQ(alert.GetSecondButton() != nullptr, c.buttonX.size() == 2);
    EXPECT_EQ(alert.GetFirstButton()->GetPosition().X, c.buttonX[0]);
    EXPECT_EQ(alert.GetFirstButton()->GetPosition().Y, -65.0f);
    for (int i = 0; i < 20; ++i) Frame(&alert);
    EXPECT_EQ(alert.GetBack()->GetColor().getAlpha(), 255u) << "faded in";
    world.MoveCursor(c.clickX, -65.0f);
    world.PressLeft(true);
    alert.Update(kFrameMs);
    world.PressLeft(false);
    EXPECT_TRUE(alert.resultReady) << "buttons " << c.buttons << " click " << c.clickX;
    EXPECT_EQ(alert.result, c.result);
    EXPECT_EQ(alert.purpose, 7) << "kept";
    EXPECT_FALSE(alert.open);
    const size_t before = Gui()->GetCurrentLevel()->GetCount();
    for (int i = 0; i < 20; ++i) Frame(&alert);
    EXPECT_EQ(Gui()->GetCurrentLevel()->GetCount(), before - (c.buttonX.size() == 2 ? 6 : 4))
        << "the box faded away in a quarter of a second";
    alert.Update(kFrameMs);  // closed: nothing left to touch
  }
}

}  // namespace
