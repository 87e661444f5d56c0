// The achievement notice headless: the banner's texts and icon, its rise,
// the four seconds it stays whatever the player does, its sinking, and its
// close with result 0; a missing icon leaves a banner that still closes.
#include "game/gui/achieve_gui.h"

#include <cstring>

#include "engine/level/motion_behaviors.h"
#include "engine/platform/message_box.h"
#include "game/core/achievement.h"
#include "game/gui/gui_results.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

class AchieveGuiTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    WriteGlobal({{7, Element("interfaceback", "panel", 0, 0)}});
    world.AddText("achievenew", "New trophy!");
    std::strcpy(achievement.id, "achievefreed");
    std::wcscpy(achievement.title, L"Liberator");
    std::wcscpy(achievement.description, L"Free 5 creatures");
  }
  void Open() { world.game()->ShowGui(7, 3, reinterpret_cast<intptr_t>(&achievement)); }
  BvLevelElement* WithSource(const char* name) const {
    for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (element->GetSourceElement() && element->GetSourceElement()->GetNameString() == name)
        return element;
    }
    return nullptr;
  }

  BvAchievement achievement;
};

TEST_F(AchieveGuiTest, BannerTextsAndIcon) {
  Open();
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Liberator", L"New trophy!", L"Free 5 creatures"}));
  BvLevelElement* title = TextElement(L"Liberator");
  EXPECT_EQ(title->GetLocalPosition(), irr::core::vector2df(20, 30));
  EXPECT_EQ(title->GetTextAlign(), 0);
  EXPECT_EQ(TextElement(L"Free 5 creatures")->GetLocalPosition(), irr::core::vector2df(20, -20));
  BvLevelElement* back = WithSource("achieveback");
  BvLevelElement* icon = WithSource("achievefreed");
  ASSERT_NE(back, nullptr);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(back->GetParent(), Find("interfaceback"));
  EXPECT_EQ(back->GetLocalPosition(), irr::core::vector2df(-125, -3));
  EXPECT_EQ(icon->GetParent(), back);
  EXPECT_EQ(icon->GetLayer(), 2);
  EXPECT_EQ(world.Plays("achieve"), 1);
  EXPECT_EQ(world.Plays("guimove"), 0) << "the notice has its own sound";
  Frames(30);
  EXPECT_EQ(title->GetColor().color, 0xFFFFB4FFu) << "faded in to its own colour";
}

TEST_F(AchieveGuiTest, RisesStaysFourSecondsWhateverThePlayerDoesThenSinks) {
  Open();
  EXPECT_EQ(world.game()->GetGuiMode(), 3);
  BvLevelElement* panel = Find("interfaceback");
  EXPECT_EQ(panel->GetPosition(), irr::core::vector2df(0, -420)) << "below the screen";
  float highest = -420.0f;
  bool pressed = false;
  while (OpenGui()->GetState() == BvGui::kStateOpen) {
    // Clicks and Escape do not close it.
    world.MoveCursor(panel->GetPosition().X, panel->GetPosition().Y);
    world.PressLeft(pressed = !pressed);
    world.system()->keyDown[27] = 1;
    Frame();
    highest = std::max(highest, panel->GetPosition().Y);
  }
  world.PressLeft(false);
  EXPECT_GT(OpenGui()->GetElapsed(), BvAchieveGui::kShowMs);
  EXPECT_LE(OpenGui()->GetElapsed(), BvAchieveGui::kShowMs + kFrameMs);
  EXPECT_GE(highest, -210.0f) << "rises through the point 20 pixels past its place";
  EXPECT_NEAR(panel->GetPosition().Y, -230.0f, 0.5f) << "and settles there";
  EXPECT_EQ(world.Plays("guimove"), 1) << "sinking";
  EXPECT_TRUE(scene->events.empty());
  float lowest = panel->GetPosition().Y;
  for (int i = 0; i < 60 && world.game()->GetGuiMode() != 0; ++i) {
    Frame();
    // The level removes the panel with its last fade.
    if (BvLevelElement* sinking = Find("interfaceback")) lowest = std::min(lowest, sinking->GetPosition().Y);
  }
  EXPECT_EQ(world.game()->GetGuiMode(), 0) << "closed after one second of fading";
  EXPECT_LT(lowest, -300.0f) << "it sank";
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultNone});
}

// A missing icon is reported and the banner shows without it; it still
// closes on time.
TEST_F(AchieveGuiTest, MissingIconIsReportedAndTheBannerStillCloses) {
  std::strcpy(achievement.id, "achievelost");
  bv::ClearShownMessages();
  Open();
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_NE(bv::ShownMessages()[0].text.find("achievelost"), std::string::npos);
  EXPECT_NE(WithSource("achieveback"), nullptr);
  Frames(int(BvAchieveGui::kShowMs / kFrameMs));
  EXPECT_TRUE(RunUntilClosed(60));
}

}  // namespace
