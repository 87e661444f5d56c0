// The hidden-object screen headless: the pick and the names panel, clicks
// on the objects (one per click, the strike-through), the hint button, the
// win with its end show and the recap, the result table, and the pictures
// that hold fewer objects than asked for.
#include "game/scenes/hidden_scene.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/random_source.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "support/fixed_random.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 16.0f;
constexpr int kScene = 10;

// A dialog that records its openings.
class RecordingGui : public BvScene {
 public:
  void Init(intptr_t argument) override { arguments.push_back(argument); }
  std::vector<intptr_t> arguments;
};

// An object of the picture: a 40 by 40 pixel box at (x, y) in a layer.
struct Placed {
  const char* name;
  float x, y;
  int layer;
};

// labelFont: the image behind the labels' font alias "galaxy16".
std::string ScreenFile(const std::vector<Placed>& objects, int strikeWidth, bool labelFont = true) {
  std::string xml =
      "<scene><images><image name=\"ui\"><filename>missing.png</filename></image>"
      "<image name=\"andalus-font12\"><filename>missing12.png</filename></image>" +
      std::string(labelFont ? "<image name=\"galaxy-font16\"><filename>missing16.png</filename></image>" : "") +
      "</images>"
      "<sprites><sprite name=\"strike\"><sourceimage>ui</sourceimage>"
      "<sourcerect x=\"0\" y=\"0\" width=\"" + std::to_string(strikeWidth) + "\" height=\"12\"/></sprite>"
      "<sprite name=\"tipart\"><sourceimage>ui</sourceimage><sourcerect x=\"0\" y=\"0\" width=\"140\" height=\"40\"/></sprite>"
      "<sprite name=\"panelart\"><sourceimage>ui</sourceimage><sourcerect x=\"0\" y=\"0\" width=\"600\" height=\"120\"/></sprite>"
      "</sprites>"
      "<elements>"
      "<element type=\"image\" name=\"box\"><shape type=\"polygon\">"
      "<vertex x=\"-20\" y=\"-20\"/><vertex x=\"20\" y=\"-20\"/><vertex x=\"20\" y=\"20\"/><vertex x=\"-20\" y=\"20\"/>"
      "</shape></element>"
      "<element type=\"image\" name=\"rayure\"><sourcesprite>strike</sourcesprite></element>"
      "<element type=\"image\" name=\"tooltip\"><sourcesprite>tipart</sourcesprite></element>"
      "<element type=\"image\" name=\"namespanel\"><sourcesprite>panelart</sourcesprite></element>";
  for (const char* name : {"hinton", "hintoff", "hintsparkle", "halosort", "stars", "levelcomplete"})
    xml += std::string("<element type=\"image\" name=\"") + name + "\"/>";
  xml += "</elements><levels><level name=\"picture\"><lvlelements>"
         "<lvlelement name=\"panel\"><sourceelement>namespanel</sourceelement><pos x=\"-68\" y=\"-380\"/><layer>6</layer><dyntype>-1</dyntype></lvlelement>"
         "<lvlelement name=\"hint\"><sourceelement>box</sourceelement><pos x=\"300\" y=\"-228\"/><layer>5</layer><dyntype>0</dyntype></lvlelement>"
         "<lvlelement name=\"btnmenu\"><sourceelement>box</sourceelement><pos x=\"334\" y=\"274\"/><layer>5</layer><dyntype>0</dyntype></lvlelement>"
         "<lvlelement name=\"decoy\"><sourceelement>box</sourceelement><pos x=\"0\" y=\"200\"/><layer>2</layer><dyntype>0</dyntype></lvlelement>";
  for (const Placed& p : objects) {
    xml += std::string("<lvlelement name=\"") + p.name + "\"><sourceelement>box</sourceelement>"
           "<pos x=\"" + std::to_string(p.x) + "\" y=\"" + std::to_string(p.y) + "\"/>"
           "<layer>" + std::to_string(p.layer) + "</layer><dyntype>0</dyntype></lvlelement>";
  }
  return xml + "</lvlelements></level></levels></scene>";
}

// count objects "o0".."o<count-1>" in a row, alternately in layers 1 and 3.
std::vector<Placed> Row(int count) {
  static const char* const kNames[] = {"o0", "o1", "o2", "o3", "o4", "o5", "o6",
                                       "o7", "o8", "o9", "o10", "o11", "o12", "o13"};
  std::vector<Placed> row;
  for (int i = 0; i < count; ++i) row.push_back({kNames[i], -350.0f + 50.0f * i, 100.0f, i % 2 ? 3 : 1});
  return row;
}

class HiddenSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetRandomSource(&random);
    std::string guiLevels;
    for (int n = 0; n < 11; ++n) guiLevels += "<level name=\"gui\"></level>";
    world.WriteLevels("global.xml", guiLevels);
    world.AddText("o0", "Teapot");
    world.AddText("hint", "Hint");
    world.AddText("menu", "Menu");
    scene = new BvHiddenScene();
    world.game()->SetSceneEntry(kScene, scene);
    for (int n : {0, 1, 6}) {
      guis[n] = new RecordingGui;
      world.game()->SetGuiEntry(n, guis[n]);
    }
    BvPlayerStore& store = world.host()->GetStore();
    store.SelectProfile(0, "Ann");
    Profile().level = 1;
    Profile().showHints = 0;  // no tip page over the screen
  }
  void TearDown() override { bv::SetRandomSource(nullptr); }

  void Enter(const std::vector<Placed>& objects, int strikeWidth = 128, bool labelFont = true) {
    FILE* f = std::fopen("hidden1.xml", "w");
    std::fputs(ScreenFile(objects, strikeWidth, labelFont).c_str(), f);
    std::fclose(f);
    world.game()->SetGuiMode(0);
    world.game()->SetScene(kScene);
  }
  // Into the searching time: objects picked, clicks counted.
  void EnterAndSearch(const std::vector<Placed>& objects, int strikeWidth = 128) {
    Enter(objects, strikeWidth);
    Frames(130);
  }
  void Frames(int count, float ms = kFrameMs) {
    for (int i = 0; i < count; ++i) {
      scene->Update(ms);
      world.game()->GetCurrentLevels()->RenderCurrentLevel(ms, false, false);
    }
  }
  // A press and release at world pixel (x, y), the cursor resting there a
  // frame first so the objects see it.
  void Click(float x, float y) {
    world.MoveCursor(x, y);
    Frames(1);
    world.PressLeft(true);
    Frames(1);
    world.PressLeft(false);
  }
  void ClickItem(int i) {
    const irr::core::vector2df at = scene->GetItem(i).element->GetPosition();
    Click(at.X, at.Y);
  }
  BvLevelElement* Element(const char* name) const {
    BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
    return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
  }
  // Live level elements drawn with the named source element.
  int CountOf(const char* source) const {
    int count = 0;
    BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
    for (const auto& entry : level->GetIdIndex()) {
      const auto* element = static_cast<const BvLevelElement*>(entry.second);
      if (element->GetSourceElement() && std::string(element->GetSourceElement()->GetName()) == source &&
          !element->m_bDead)
        ++count;
    }
    return count;
  }
  BvProfile& Profile() { return world.host()->GetStore().profiles[0]; }

  bv::test::ScriptedRandom random;
  bv::test::NullVideo video;
  bv::test::GameWorld world;
  BvHiddenScene* scene = nullptr;
  RecordingGui* guis[11] = {};
};

TEST_F(HiddenSceneTest, PicksTwelveObjectsOfLayersOneAndThreeAndNamesThemOnThePanel) {
  // Zero draws take the first candidate, then walk down from the end.
  Enter(Row(14));
  Frames(62);
  EXPECT_EQ(scene->GetItemCount(), 0) << "nothing before one second";
  Frames(1);
  ASSERT_EQ(scene->GetItemCount(), 12);
  const char* expected[] = {"o0", "o13", "o12", "o11", "o10", "o9", "o8", "o7", "o6", "o5", "o4", "o3"};
  BvLevelElement* panel = Element("panel");
  for (int i = 0; i < 12; ++i) {
    const BvHiddenItem& item = scene->GetItem(i);
    EXPECT_STREQ(item.element->GetName(), expected[i]) << i;
    EXPECT_EQ(item.element->m_pUser, static_cast<CManagedObjectBase*>(const_cast<BvHiddenItem*>(&item)));
    ASSERT_NE(item.nameText, nullptr);
    EXPECT_EQ(item.nameText->GetParent(), panel);
    EXPECT_EQ(item.nameText->GetLocalPosition(),
              irr::core::vector2df(float(i % 4) * 144.0f - 280.0f, 23.0f - float(i / 4) * 23.0f))
        << i;
    EXPECT_EQ(item.nameText->GetLayer(), 6);
    EXPECT_EQ(item.nameText->GetTextAlign(), 1);
  }
  EXPECT_EQ(std::wstring(scene->GetItem(0).nameText->GetText()), L"Teapot");
  EXPECT_EQ(std::wstring(scene->GetItem(1).nameText->GetText()), L"undefined") << "no language entry";
  EXPECT_EQ(scene->GetHint().target, &scene->GetItem(0));
  ASSERT_FALSE(panel->GetBehaviors().empty());
  EXPECT_EQ(panel->GetBehaviors().back()->GetType(), kBehaviorMoveTo) << "the panel slides in";
}

// A picture with fewer than twelve objects plays with all it has, and one
// with none counts as cleared instead of dividing by zero.
TEST_F(HiddenSceneTest, PicturesWithFewerObjectsThanTwelve) {
  for (int count : {0, 1, 5, 11}) {
    Profile().level = 1;
    random.Push(std::vector<int>(12, 7));
    EnterAndSearch(Row(count));
    EXPECT_EQ(scene->GetItemCount(), count) << count;
    std::set<std::string> names;
    for (int i = 0; i < scene->GetItemCount(); ++i) names.insert(scene->GetItem(i).element->GetName());
    EXPECT_EQ(int(names.size()), count) << "each object once";
    EXPECT_EQ(names.count("decoy"), 0u);
    for (int i = 0; i < scene->GetItemCount(); ++i) ClickItem(i);
    EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateWon) << count;
    EXPECT_EQ(Profile().level, 2) << count;
  }
}

TEST_F(HiddenSceneTest, OneObjectPerClickAndTheFoundNameStruckThrough) {
  // o0 and o1 overlap: a click there finds the first in item order only.
  std::vector<Placed> objects = Row(12);
  objects[1].x = objects[0].x + 10.0f;
  EnterAndSearch(objects);
  const int first = 0;
  int second = -1;
  for (int i = 0; i < 12; ++i)
    if (std::string(scene->GetItem(i).element->GetName()) == "o1") second = i;
  ASSERT_NE(second, -1);
  const int strikesBefore = CountOf("rayure");
  Click(objects[0].x + 5.0f, objects[0].y);
  EXPECT_TRUE(scene->GetItem(first).found);
  EXPECT_FALSE(scene->GetItem(second).found) << "one object per click";
  EXPECT_EQ(world.Plays("wordfound"), 1);
  EXPECT_EQ(scene->GetItem(first).nameText->GetColor().color, 0x64FFFFFFu);
  EXPECT_EQ(CountOf("rayure"), strikesBefore + 1);
  {
    // The strike reaches 3 pixels past each end of the name, slightly tilted.
    BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
    const BvLevelElement* strike = nullptr;
    for (const auto& entry : level->GetIdIndex()) {
      const auto* e = static_cast<const BvLevelElement*>(entry.second);
      if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "rayure") strike = e;
    }
    ASSERT_NE(strike, nullptr);
    const float nameWidth = float(scene->GetItem(first).nameText->GetTextWidth());
    EXPECT_FLOAT_EQ(strike->GetScale().X, (nameWidth + 6.0f) / 128.0f);
  }
  EXPECT_EQ(scene->GetHint().target, &scene->GetItem(1)) << "the hint moves on";
  Frames(100);
  EXPECT_EQ(scene->GetItem(first).nameText->GetColor().color, 0x64FFFFFFu) << "no fade-in brightens it";

  world.MoveCursor(objects[1].x + 15.0f, objects[1].y);
  Frames(1);
  world.PressLeft(true);
  Frames(1);
  world.PressLeft(false);
  EXPECT_TRUE(scene->GetItem(second).found);

  // A press held down is one click: it is consumed by the first frame.
  const irr::core::vector2df at = scene->GetItem(2).element->GetPosition();
  world.MoveCursor(at.X, at.Y);
  Frames(1);
  world.PressLeft(true);
  Frames(3);
  world.PressLeft(false);
  EXPECT_EQ(world.Plays("wordfound"), 3);
}

TEST_F(HiddenSceneTest, AZeroWidthStrikePictureOnlyDimsTheName) {
  EnterAndSearch(Row(14), 0);
  ClickItem(0);
  ASSERT_TRUE(scene->GetItem(0).found);
  Frames(1);
  EXPECT_EQ(CountOf("rayure"), 0);
  EXPECT_EQ(scene->GetItem(0).nameText->GetColor().color, 0x64FFFFFFu);
}

TEST_F(HiddenSceneTest, HintButtonRechargesLightsAndCirclesTheFirstHiddenObject) {
  EnterAndSearch(Row(14));
  BvLevelElement* button = Element("hint");
  const irr::core::vector2df at = button->GetPosition();
  // Dark: a click fails and does not hurry the recharge.
  const float before = scene->GetHint().countdown;
  Click(at.X, at.Y);
  EXPECT_EQ(world.Plays("clickfail"), 1);
  EXPECT_NEAR(scene->GetHint().countdown, before - 2 * kFrameMs, 0.01f);
  EXPECT_TRUE(scene->IsTooltipShown()) << "the cursor rests on the button";
  world.MoveCursor(0.0f, -100.0f);
  Frames(1);
  EXPECT_FALSE(scene->IsTooltipShown());

  Frames(1, scene->GetHint().countdown);
  EXPECT_FALSE(scene->GetHint().ready) << "lit only below zero";
  Frames(1);
  EXPECT_TRUE(scene->GetHint().ready);
  EXPECT_STREQ(button->GetSourceElement()->GetName(), "hinton");
  EXPECT_EQ(CountOf("halosort"), 1);
  EXPECT_EQ(world.Plays("hintactive"), 1);
  Frames(10, 1000.0f);
  EXPECT_TRUE(scene->GetHint().ready) << "stays lit";
  EXPECT_EQ(scene->GetHint().countdown, 40000.0f) << "no recharge while lit";

  ClickItem(0);  // the target moves on to item 1
  Click(at.X, at.Y);
  EXPECT_FALSE(scene->GetHint().ready);
  EXPECT_EQ(scene->GetStats().hintsUsed, 1);
  EXPECT_EQ(world.Plays("hint"), 1);
  EXPECT_EQ(CountOf("hintsparkle"), 30);
  EXPECT_STREQ(button->GetSourceElement()->GetName(), "hintoff");
  EXPECT_EQ(scene->GetHint().target, &scene->GetItem(1));
  // Every sparkle sits 40 pixels from the target.
  const irr::core::vector2df target = scene->GetItem(1).element->GetPosition();
  BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
  for (const auto& entry : level->GetIdIndex()) {
    const auto* e = static_cast<const BvLevelElement*>(entry.second);
    if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "hintsparkle") {
      EXPECT_NEAR((e->GetPosition() - target).getLength(), 40.0f, 0.5f);
    }
  }
}

TEST_F(HiddenSceneTest, HintTooltipClearsTheNamesPanelAndStaysInTheWindow) {
  // The button sits right of the names panel; the tooltip asked for 70 left
  // of and 30 above the cursor would cover the panel's right end, so it is
  // lifted just clear of the panel, no further and not sideways.
  EnterAndSearch(Row(14));
  Frames(200);  // the panel has slid in
  const irr::core::vector2df cursor = Element("hint")->GetPosition();
  world.MoveCursor(cursor.X, cursor.Y);
  Frames(1);
  ASSERT_TRUE(scene->IsTooltipShown());
  const irr::core::vector2df panel = Element("panel")->GetPosition();
  const float panelTop = panel.Y + 60.0f;
  BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
  const BvLevelElement* tooltip = nullptr;
  for (const auto& entry : level->GetIdIndex()) {
    const auto* e = static_cast<const BvLevelElement*>(entry.second);
    if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "tooltip") tooltip = e;
  }
  ASSERT_NE(tooltip, nullptr);
  ASSERT_EQ(tooltip->GetChildren().size(), 1u);
  ASSERT_NE(tooltip->GetChildren()[0]->GetText(), nullptr);
  EXPECT_EQ(std::wstring(tooltip->GetChildren()[0]->GetText()), L"Hint") << "the button's name";
  const irr::core::vector2df at = tooltip->GetPosition();
  ASSERT_LT(cursor.Y + 30.0f - 20.0f, panelTop) << "where asked it would cover the panel";
  EXPECT_FLOAT_EQ(at.X, cursor.X - 70.0f);
  EXPECT_FLOAT_EQ(at.Y - 20.0f, panelTop) << "its lower edge on the panel's upper edge";
  EXPECT_LE(at.X + 70.0f, 400.0f);
  EXPECT_GE(at.X - 70.0f, -400.0f);
}

// Without the labels' font the tooltip has no text: its panel stays hidden
// and hovering the hint button shows nothing.
TEST_F(HiddenSceneTest, WithoutTheLabelFontNoTooltipIsShown) {
  Enter(Row(14), 128, false);
  Frames(330);
  ASSERT_EQ(CountOf("tooltip"), 1);
  BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
  for (const auto& entry : level->GetIdIndex()) {
    const auto* e = static_cast<const BvLevelElement*>(entry.second);
    if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "tooltip") {
      EXPECT_FALSE(e->IsVisible()) << "an empty panel over the picture";
    }
  }
  const irr::core::vector2df cursor = Element("hint")->GetPosition();
  world.MoveCursor(cursor.X, cursor.Y);
  Frames(1);
  EXPECT_FALSE(scene->IsTooltipShown());
}

// With tips on, the picture's own tutorial page opens three seconds after
// the objects are laid out, once.
TEST_F(HiddenSceneTest, TheHiddenObjectTutorialPageThreeSecondsAfterTheSetUp) {
  auto* tutorial = new RecordingGui;
  world.game()->SetGuiEntry(8, tutorial);
  Profile().showHints = 1;
  Profile().seenTips = 0;
  Enter(Row(14));
  Frames(63);  // the objects are laid out at one second
  ASSERT_EQ(scene->GetItemCount(), 12);
  Frames(185);  // 2960 ms later
  EXPECT_TRUE(tutorial->arguments.empty()) << "not before three seconds";
  Frames(5);
  EXPECT_EQ(tutorial->arguments, std::vector<intptr_t>{16}) << "the hidden-object page";
  EXPECT_EQ(world.game()->GetCurrentGui(), 8);
}

TEST_F(HiddenSceneTest, TheMenuButtonIsLabelled) {
  Enter(Row(14));
  std::vector<std::wstring> labels;
  for (BvLevelElement* child : Element("btnmenu")->GetChildren())
    if (child->GetText()) labels.push_back(child->GetText());
  EXPECT_EQ(labels, std::vector<std::wstring>{L"Menu"});
}

TEST_F(HiddenSceneTest, WinningAdvancesAtOnceThenTheEndShowThenTheRecap) {
  EnterAndSearch(Row(12));
  PlayMusic("musichidden", 0.6f);
  for (int i = 0; i < 11; ++i) ClickItem(i);
  EXPECT_EQ(Profile().level, 1);
  ClickItem(11);
  EXPECT_EQ(Profile().level, 2) << "advanced in memory before the show";
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateWon);
  Frames(1, 400.0f);
  EXPECT_EQ(CountOf("levelcomplete"), 0);
  Frames(1, 200.0f);
  EXPECT_EQ(CountOf("levelcomplete"), 1);
  EXPECT_EQ(world.Plays("endgame"), 1);
  EXPECT_NEAR(g_SoundManager->GetSoundVolume("musichidden"), 0.2f, 1e-4f);
  Frames(1, 6800.0f);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateWon);
  Frames(1, 200.0f);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateOpenRecap);
  EXPECT_NEAR(g_SoundManager->GetSoundVolume("musichidden"), 0.6f, 1e-4f);
  world.game()->SetGuiMode(3);  // even over a notice
  Frames(1);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateRecap);
  EXPECT_EQ(world.game()->GetCurrentGui(), 6);
  EXPECT_EQ(world.game()->GetGuiMode(), 2);
  EXPECT_EQ(guis[6]->arguments, std::vector<intptr_t>{reinterpret_cast<intptr_t>(scene)});
}

// A visit left during the end show (pause menu) does not shorten the next
// level's show, and the music gets its volume back.
TEST_F(HiddenSceneTest, TheEndShowStartsAfreshOnTheNextVisit) {
  EnterAndSearch(Row(12));
  PlayMusic("musichidden", 0.6f);
  for (int i = 0; i < 12; ++i) ClickItem(i);
  Frames(1, 3000.0f);
  ASSERT_EQ(scene->GetEndShow().GetPhase(), BvHiddenEndShow::kShowing);
  world.game()->NotifyScene(3);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateLeaving);

  Profile().level = 1;
  EnterAndSearch(Row(12));
  EXPECT_EQ(scene->GetEndShow().GetPhase(), BvHiddenEndShow::kIdle);
  EXPECT_EQ(scene->GetEndShow().GetTimer(), 0.0f);
  EXPECT_NEAR(g_SoundManager->GetSoundVolume("musichidden"), 0.6f, 1e-4f);
  for (int i = 0; i < 12; ++i) ClickItem(i);
  Frames(1, 7000.0f);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateWon) << "the whole show plays";
  Frames(1, 600.0f);
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateOpenRecap);
}

TEST_F(HiddenSceneTest, ResultTableAndPlayClock) {
  struct Case { int code; int state; int result; int gui; };
  const Case cases[] = {
      {1, 4, 1, -1}, {3, 4, 2, -1}, {15, 4, 0, -1},
      {4, 0, 0, 1},  // the options, frozen
      {2, 0, 0, -1}, {5, 0, 0, -1}, {14, 0, 0, -1}, {99, 0, 0, -1},
  };
  for (const Case& c : cases) {
    Enter(Row(12));
    world.game()->NotifyScene(c.code);
    EXPECT_EQ(scene->GetState(), c.state) << c.code;
    EXPECT_EQ(scene->GetResult(), c.result) << c.code;
    if (c.gui >= 0) {
      EXPECT_EQ(world.game()->GetCurrentGui(), c.gui) << c.code;
      EXPECT_EQ(world.game()->GetGuiMode(), 1) << c.code;
    }
  }
  // The play clock runs on the wall clock, and not under a dialog.
  bv::test::FixedRandom clock(1, 1000);
  bv::SetRandomSource(&clock);
  EnterAndSearch(Row(12));
  clock.now = 1010;
  world.game()->NotifyScene(17);
  EXPECT_EQ(scene->GetStats().playSeconds, 10);
  clock.now = 1050;
  world.game()->NotifyScene(18);
  clock.now = 1055;
  world.game()->NotifyScene(17);
  EXPECT_EQ(scene->GetStats().playSeconds, 15);
}


// The found count follows the right clicks one by one, and a click beside
// every object (on the picture's decoration or on bare ground) finds
// nothing, sounds nothing and costs nothing: the count, the hint's target,
// the statistics and the profile stay as they were.
TEST_F(HiddenSceneTest, TheFoundCountFollowsTheRightClicksAndAWrongClickCostsNothing) {
  EnterAndSearch(Row(12));
  ASSERT_EQ(scene->GetItemCount(), 12);
  Profile().score = 700;
  auto found = [&] {
    int count = 0;
    for (int i = 0; i < scene->GetItemCount(); ++i) count += scene->GetItem(i).found ? 1 : 0;
    return count;
  };
  for (int i = 0; i < 12; ++i) {
    const BvHiddenItem* target = scene->GetHint().target;
    for (auto [x, y] : {std::pair{0.0f, 200.0f}, std::pair{0.0f, -100.0f}}) {
      Click(x, y);
      EXPECT_EQ(found(), i) << "a wrong click after " << i << " found";
      EXPECT_EQ(world.Plays("wordfound"), i);
      EXPECT_EQ(scene->GetHint().target, target) << "the hint stays on its object";
      EXPECT_EQ(scene->GetStats().hintsUsed, 0);
      EXPECT_EQ(Profile().score, 700);
      EXPECT_EQ(Profile().level, 1);
    }
    ClickItem(i);
    EXPECT_EQ(found(), i + 1);
    EXPECT_EQ(world.Plays("wordfound"), i + 1);
    EXPECT_EQ(Profile().level, i == 11 ? 2 : 1) << "advanced only with the last object";
  }
  EXPECT_EQ(scene->GetState(), BvHiddenScene::kStateWon);
  EXPECT_EQ(Profile().score, 700) << "a hidden-object level scores nothing";
}

}  // namespace
