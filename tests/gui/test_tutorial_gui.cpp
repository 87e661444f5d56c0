// The tutorial page headless: each tip bit's four lines and picture, the
// monster pictures taken from the current screen's data, the check box
// bound to the profile's show-hints byte, and closing by OK or Escape.
#include "game/gui/tutorial_gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 20.0f;
constexpr int kTutorial = 8;

class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  std::vector<int> events;
};

const char* const kStems[] = {"tutomatch3-", "tutoturtle-", "tutospider-", "tutobat-",
                              "tutohidden-", "tutospell-", "tutocage-", "tutotimer-"};

class TutorialGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BvLevelManager* gui = Gui();
    for (const char* name : {"interfaceback", "showhint", "btnok", "checked", "tutotile", "tutoarrow1",
                             "tutoarrow2", "tutohidden", "tutospell", "tutogauge", "achievefreed"})
      world.AddTemplate(gui, name);
    for (const char* font : {"guifont", "tutofont"}) gui->GetElements()->AddObject(new BvTextElement(font));
    for (const char* stem : kStems)
      for (int line = 1; line <= 4; ++line) {
        const std::string key = stem + std::to_string(line);
        world.AddText(key.c_str(), (key + " text").c_str());
      }
    std::string levels;
    for (int n = 0; n < 11; ++n) {
      levels += n != kTutorial ? "<level name=\"empty\"></level>"
                               : "<level name=\"tuto\"><lvlelements>"
                                 "<lvlelement name=\"interfaceback\"><sourceelement>interfaceback</sourceelement></lvlelement>"
                                 "<lvlelement name=\"showhint\"><sourceelement>showhint</sourceelement><pos x=\"-215\" y=\"-120\"/></lvlelement>"
                                 "<lvlelement name=\"btnok\"><sourceelement>btnok</sourceelement><pos x=\"150\" y=\"-120\"/></lvlelement>"
                                 "</lvlelements></level>";
    }
    world.WriteLevels("global.xml", levels);
    scene = new ListeningScene;
    world.game()->SetSceneEntry(4, scene);
    world.game()->SetScene(4);
    tutorial = static_cast<BvTutorialGui*>(world.game()->GetGui(kTutorial));
    world.host()->GetStore().SelectProfile(0, "Ann");
  }
  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvLevelElement* Element(const char* name) const {
    return static_cast<BvLevelElement*>(Gui()->GetCurrentLevel()->FindObjectByName(name));
  }
  void Open(int bit) {
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(kTutorial, 1, bit);
  }
  void Frame() {
    tutorial->Update(kFrameMs);
    Gui()->RenderCurrentLevel(kFrameMs, false, false);
  }
  // Level elements of the page drawn with the named source element.
  std::vector<BvLevelElement*> Drawing(const char* source) const {
    std::vector<BvLevelElement*> found;
    for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
      auto* e = static_cast<BvLevelElement*>(entry.second);
      if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == source) found.push_back(e);
    }
    return found;
  }
  std::vector<int> BehaviorTypes(const BvLevelElement* e) const {
    std::vector<int> types;
    for (const BvBehavior* b : e->GetBehaviors()) types.push_back(b->GetType());
    return types;
  }
  // Runs frames until the page has closed; false after 200.
  bool RunUntilClosed() {
    for (int i = 0; i < 200 && !tutorial->IsDone(); ++i) Frame();
    return tutorial->IsDone();
  }
  BvProfile& Profile() { return world.host()->GetStore().profiles[0]; }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  ListeningScene* scene = nullptr;
  BvTutorialGui* tutorial = nullptr;
};

TEST_F(TutorialGuiTest, EachTipBitShowsItsFourLinesAndPicture) {
  BvLevelManager* screen = world.game()->GetCurrentLevels();
  for (const char* monster : {"turtle", "crabs", "bat"}) world.AddTemplate(screen, monster);
  struct Case {
    int bit;
    const char* picture;
    float scale;
    // Behaviour types before the fade-in every element gets.
    std::vector<int> motion;
  };
  const Case cases[] = {
      {1, "tutotile", 1.0f, {}},           {2, "turtle", 0.9f, {kBehaviorRotate}},
      {4, "crabs", 0.9f, {kBehaviorRotate}}, {8, "bat", 1.0f, {kBehaviorSinusY}},
      {16, "tutohidden", 0.9f, {kBehaviorSinusY}}, {32, "tutospell", 1.0f, {}},
      {64, "achievefreed", 0.9f, {kBehaviorSinusY, kBehaviorCosinusX}}, {128, "tutogauge", 1.0f, {}},
  };
  for (size_t i = 0; i < sizeof(cases) / sizeof(cases[0]); ++i) {
    const Case& c = cases[i];
    Open(c.bit);
    BvLevelElement* panel = Element("interfaceback");
    EXPECT_EQ(panel->GetPosition(), irr::core::vector2df(0, 0)) << c.bit << ": no slide";
    std::vector<std::wstring> lines;
    for (BvLevelElement* child : panel->GetChildren())
      if (child->GetText() && child->GetTextAlign() == 1) lines.push_back(child->GetText());
    const std::string stem = kStems[i];
    std::vector<std::wstring> expected;
    for (int line = 1; line <= 4; ++line) {
      const std::string text = stem + std::to_string(line) + " text";
      expected.emplace_back(text.begin(), text.end());
    }
    EXPECT_EQ(lines, expected) << c.bit;
    const std::vector<BvLevelElement*> pictures = Drawing(c.picture);
    ASSERT_EQ(pictures.size(), 1u) << c.bit;
    EXPECT_EQ(pictures[0]->GetParent(), panel) << c.bit;
    EXPECT_EQ(pictures[0]->GetLocalPosition(), irr::core::vector2df(-150, 25)) << c.bit;
    EXPECT_FLOAT_EQ(pictures[0]->GetScale().X, c.scale) << c.bit;
    std::vector<int> motion = BehaviorTypes(pictures[0]);
    motion.pop_back();  // the opening fade, added once the page is built
    EXPECT_EQ(motion, c.motion) << c.bit;
    EXPECT_EQ(Drawing("tutoarrow1").size(), c.bit == 1 ? 1u : 0u) << c.bit;
  }
  EXPECT_EQ(world.Plays("tuto"), 8);
  EXPECT_EQ(world.Plays("guimove"), 0);
  EXPECT_EQ(scene->events, std::vector<int>(8, 5)) << "the screen hears of each opening";
}

// The page's title, the check box's label and the OK button's, the same on
// every page.
TEST_F(TutorialGuiTest, TitleAndLabelsOfThePage) {
  world.AddText("tutorial", "Tutorial");
  world.AddText("dontshowhint", "Show tips");
  world.AddText("ok", "OK");
  for (const int bit : {1, 32}) {
    Open(bit);
    const struct {
      const char* element;
      const wchar_t* text;
      bool pageLines;  // the element also holds the page's left-aligned lines
    } labels[] = {{"interfaceback", L"Tutorial", true}, {"showhint", L"Show tips", false}, {"btnok", L"OK", false}};
    for (const auto& label : labels) {
      std::vector<std::wstring> texts;
      for (BvLevelElement* child : Element(label.element)->GetChildren())
        if (child->GetText() && *child->GetText() && !(label.pageLines && child->GetTextAlign() == 1))
          texts.push_back(child->GetText());
      EXPECT_EQ(texts, std::vector<std::wstring>{label.text}) << bit << ", " << label.element;
    }
  }
}

TEST_F(TutorialGuiTest, CheckBoxFollowsTheProfileAndOkCloses) {
  Open(16);
  Frame();
  ASSERT_NE(tutorial->GetTick(), nullptr);
  EXPECT_TRUE(tutorial->GetTick()->IsVisible());
  world.MoveCursor(-215, -120);
  for (uint8_t expected : {0, 1, 0}) {
    world.PressLeft(true);
    Frame();
    EXPECT_EQ(Profile().showHints, expected);
    Frame();
    EXPECT_EQ(tutorial->GetTick()->IsVisible(), expected != 0);
  }
  world.MoveCursor(150, -120);
  world.PressLeft(true);
  Frame();
  EXPECT_EQ(tutorial->GetState(), BvGui::kStateClosing);
  EXPECT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events.back(), 2);
  EXPECT_EQ(world.game()->GetGuiMode(), 0);
}

TEST_F(TutorialGuiTest, EscapeCloses) {
  Open(128);
  Frame();
  world.system()->keyDown[27] = 1;
  Frame();
  EXPECT_EQ(tutorial->GetState(), BvGui::kStateClosing);
  EXPECT_TRUE(RunUntilClosed());
  EXPECT_EQ(scene->events.back(), 2);
}

// A monster page over a screen without that monster's picture, and a page
// without the tick's picture, still close: no element is left behind
// without a source (it would never fade away).
TEST_F(TutorialGuiTest, MissingPicturesDoNotKeepThePageOpen) {
  Gui()->GetElements()->RemoveObjectByName("checked");
  Open(2);
  EXPECT_EQ(tutorial->GetTick(), nullptr);
  Frame();
  world.system()->keyDown[27] = 1;
  Frame();
  EXPECT_TRUE(RunUntilClosed());
}

// The page's button handler on its own: Escape hides the page.
TEST_F(TutorialGuiTest, HandleButtonsReadsEscape) {
  Open(128);
  world.system()->keyDown[27] = 1;
  tutorial->HandleButtons();
  EXPECT_EQ(tutorial->GetState(), BvGui::kStateClosing);
}

}  // namespace
