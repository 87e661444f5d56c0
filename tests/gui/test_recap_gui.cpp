// The two recaps headless: the timed count-up with its texts, colours and
// sounds, the bonuses added to the score once, the pulse of the dialog
// layer, OK only after the count-up, and the results 14 and 15.
#include "game/gui/recap_swap_gui.h"
#include "game/gui/recap_hidden_gui.h"

#include <map>

#include "engine/level/camera.h"
#include "engine/platform/message_box.h"
#include "game/gui/gui_results.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

constexpr uint32_t kRgb = 0x00FFFFFFu;
constexpr uint32_t kGreen = 0x64FF00u;
constexpr uint32_t kOrange = 0xFF6400u;

// A value line as it appeared: its text, the count-up time it came at, its
// row's y and colour (without alpha: it is fading in).
struct Line {
  std::wstring text;
  float atMs;
  float y;
  uint32_t colour;
};

class RecapGuiTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    const std::string level = PanelWithButtons({"btnok"});
    WriteGlobal({{5, level}, {6, level}});
    for (auto [key, text] :
         {std::pair{"congratulations", "Well done!"}, {"ok", "OK"}, {"recapscore", "Score"},
          {"recaptiles", "Tiles"}, {"recapmatches", "Matches"}, {"recapyourtime", "Your time"},
          {"recaptime", "Time bonus"}, {"recaphint", "Hint bonus"}, {"recaptotal", "Total"}})
      world.AddText(key, text);
    Profile().score = 1000;
  }

  BvRecapGui* Recap() const { return static_cast<BvRecapGui*>(OpenGui()); }

  // Opens recap n over the scene and runs the count-up to its end (state
  // 3), collecting the value lines in their order.
  std::vector<Line> CountUp(int n) {
    world.game()->ShowGui(n, 2, reinterpret_cast<intptr_t>(scene));
    const size_t labels = Texts().size();
    std::vector<Line> lines;
    for (int frame = 0; frame < 400 && Recap()->GetState() == BvGui::kStateOpen; ++frame) {
      const float timer = Recap()->GetTimer() + kFrameMs;
      Frame();
      const std::vector<std::wstring> texts = Texts();
      for (size_t i = labels + lines.size(); i < texts.size(); ++i) {
        BvLevelElement* value = TextElement(texts[i]);
        lines.push_back({texts[i], timer, value->GetLocalPosition().Y, value->GetColor().color & kRgb});
      }
    }
    return lines;
  }

  int Count(const char* templateName) const {
    int count = 0;
    for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
      const BvElement* source = static_cast<const BvLevelElement*>(entry.second)->GetSourceElement();
      if (source && source->GetNameString() == templateName) ++count;
    }
    return count;
  }
};

TEST_F(RecapGuiTest, BoardRecapCountsUpItsLinesAndAddsTheBonusesOnce) {
  scene->stats.backgroundsCleared = 13;
  scene->stats.matches = 20;
  scene->stats.playSeconds = 3725;
  scene->stats.gaugeLeft = 12000.0f;
  world.game()->ShowGui(5, 2, reinterpret_cast<intptr_t>(scene));
  EXPECT_EQ(Texts(), (std::vector<std::wstring>{L"Well done!", L"OK", L"Score", L"Tiles", L"Matches",
                                                 L"Your time", L"Time bonus", L"Total"}));
  EXPECT_EQ(TextElement(L"Total")->GetLocalPosition(), irr::core::vector2df(-145, -72))
      << "one row left free above the total";
  EXPECT_EQ(TextElement(L"Tiles")->GetTextAlign(), 1);
  world.game()->SetGuiMode(0);

  const int total = 1000 + 13 * 50 + 20 * 100 + 48;
  const std::vector<Line> lines = CountUp(5);
  const std::vector<Line> want = {
      {L"1000", 1000, 120, kGreen},     {L"+13 X 50", 1500, 88, kGreen},
      {L"+20 X 100", 2000, 56, kGreen}, {L"1:02:05", 2500, 24, kGreen},
      {L"+48", 3000, -8, kGreen},       {std::to_wstring(total), 4000, -72, kGreen},
  };
  ASSERT_EQ(lines.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(lines[i].text, want[i].text);
    EXPECT_GT(lines[i].atMs, want[i].atMs) << "line " << i << " not before its time";
    EXPECT_LE(lines[i].atMs, want[i].atMs + kFrameMs) << "line " << i << " in the first frame after";
    EXPECT_EQ(lines[i].y, want[i].y) << i;
    EXPECT_EQ(lines[i].colour, want[i].colour) << i;
  }
  EXPECT_EQ(Recap()->GetState(), BvGui::kStateCountedUp);
  EXPECT_EQ(Profile().score, total);
  EXPECT_EQ(world.Plays("guicourt"), 5);
  EXPECT_EQ(world.Plays("guilong"), 1);
  EXPECT_EQ(world.Plays("explo1"), 1);

  Frames(100);
  EXPECT_EQ(Profile().score, total) << "added once";
  Click("btnok");
  ASSERT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events, std::vector<int>{kGuiResultBoardRecap});
  EXPECT_EQ(Profile().score, total);
}

TEST_F(RecapGuiTest, HiddenRecapBonusesAndTheirColours) {
  struct Case {
    int seconds;
    int hints;
    std::vector<std::wstring> lines;
    uint32_t hintColour;
  };
  const Case cases[] = {
      {200, 0, {L"1000", L"0:03:20", L"+0", L"+500", L"1500"}, kGreen},
      {100, 2, {L"1000", L"0:01:40", L"+800", L"-1000", L"800"}, kOrange},
  };
  for (const Case& c : cases) {
    Profile().score = 1000;
    scene->events.clear();
    scene->stats.playSeconds = c.seconds;
    scene->stats.hintsUsed = c.hints;
    const std::vector<Line> lines = CountUp(6);
    ASSERT_EQ(lines.size(), c.lines.size());
    for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i].text, c.lines[i]) << c.hints << " hints";
    EXPECT_EQ(lines[3].colour, c.hintColour);
    EXPECT_EQ(lines[4].y, -40.0f);
    EXPECT_GT(lines[4].atMs, 3500.0f);
    EXPECT_LE(lines[4].atMs, 3500.0f + kFrameMs);
    Click("btnok");
    ASSERT_TRUE(RunUntilClosed());
    EXPECT_EQ(scene->events, std::vector<int>{kGuiResultHiddenRecap});
  }
}

TEST_F(RecapGuiTest, OkWorksOnlyAfterTheCountUp) {
  world.game()->ShowGui(5, 2, reinterpret_cast<intptr_t>(scene));
  Frames(100);
  ASSERT_EQ(Recap()->GetState(), BvGui::kStateOpen);
  Click("btnok");
  EXPECT_EQ(Recap()->GetState(), BvGui::kStateOpen) << "ignored during the count-up";
  EXPECT_EQ(world.Plays("guiclick"), 0);
  while (Recap()->GetState() == BvGui::kStateOpen) Frame();
  EXPECT_GT(Recap()->GetElapsed(), 4500.0f);
  EXPECT_EQ(Recap()->GetStep(), 0);
  Click("btnok");
  EXPECT_EQ(Recap()->GetState(), BvGui::kStateClosing);
}

// Each value arrives with a flash and a ring of fifteen sparkles that fade
// away; the total swells the dialog layer in three beats back to 1.
TEST_F(RecapGuiTest, FlashesSparklesAndThePulse) {
  world.game()->ShowGui(5, 2, reinterpret_cast<intptr_t>(scene));
  while (Recap()->GetStep() < 2) Frame();
  EXPECT_EQ(Count("guiaura"), 1);
  EXPECT_EQ(Count("sparkle"), 15);
  BvCamera* camera = Gui()->GetCamera();
  float widest = 1.0f;
  while (Recap()->GetState() == BvGui::kStateOpen) {
    Frame();
    widest = std::max(widest, camera->GetScale().X);
  }
  EXPECT_NEAR(widest, 1.04f, 0.001f);
  Frames(150);
  EXPECT_EQ(camera->GetScale().X, 1.0f);
  EXPECT_TRUE(camera->GetBehaviors().empty());
  EXPECT_EQ(Count("guiaura") + Count("sparkle"), 0) << "every effect faded away";
}

// The values are drawn in front of their flash and sparkles, so the digits
// stay readable while the lights play (the total's most of all).
TEST_F(RecapGuiTest, ValuesStayInFrontOfTheirLights) {
  world.game()->ShowGui(5, 2, reinterpret_cast<intptr_t>(scene));
  int lowestText = 1000, highestLight = -1, lights = 0;
  while (Recap()->GetState() == BvGui::kStateOpen) {
    Frame();
    for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
      const auto* element = static_cast<const BvLevelElement*>(entry.second);
      const BvElement* source = element->GetSourceElement();
      if (!source || element->m_bDead) continue;
      if (source->GetNameString() == "guiaura" || source->GetNameString() == "sparkle") {
        highestLight = std::max(highestLight, element->GetLayer());
        ++lights;
      } else if (element->GetText() && *element->GetText()) {
        lowestText = std::min(lowestText, element->GetLayer());
      }
    }
  }
  ASSERT_GT(lights, 0);
  EXPECT_LT(highestLight, lowestText);
}

// A missing effect template is reported and the recap still closes: an
// element made without its template would never fade away.
TEST_F(RecapGuiTest, MissingEffectTemplatesDoNotKeepTheRecapOpen) {
  Gui()->GetElements()->RemoveObjectByName("sparkle");
  bv::ClearShownMessages();
  world.game()->ShowGui(5, 2, reinterpret_cast<intptr_t>(scene));
  while (Recap()->GetState() == BvGui::kStateOpen) Frame();
  size_t alerts = 0;
  for (const auto& message : bv::ShownMessages())
    if (message.text.find("sparkle") != std::string::npos) ++alerts;
  EXPECT_EQ(alerts, 6u) << "once per line";
  Click("btnok");
  EXPECT_TRUE(RunUntilClosed());
}

// Finish closes each recap with its own result, whatever the count-up.
TEST_F(RecapGuiTest, FinishClosesWithTheRecapsResult) {
  for (auto [gui, result] : {std::pair{5, kGuiResultBoardRecap}, {6, kGuiResultHiddenRecap}}) {
    world.game()->ShowGui(gui, 2, reinterpret_cast<intptr_t>(scene));
    Frame();
    Recap()->Finish();
    EXPECT_EQ(Recap()->GetState(), BvGui::kStateClosing);
    ASSERT_TRUE(RunUntilClosed()) << gui;
    EXPECT_EQ(scene->events.back(), result) << gui;
  }
}

}  // namespace
