// The title menu and the world map as a player meets them: the confirmed
// quit, the expert badge, the buttons fading when play starts, the map
// arrow's move and its sound, the interlude texts; and the scene table.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <typeinfo>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "game/board/layout.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/core/scene_numbers.h"
#include "game/scenes/hidden_scene.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/map_scene.h"
#include "game/scenes/scene_table.h"
#include "game/scenes/splash_distri_scene.h"
#include "game/scenes/splash_scene.h"
#include "game/scenes/story_scene.h"
#include "game/scenes/swap_scene.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 16.0f;

std::string Template(const char* name) { return "<element type=\"image\" name=\"" + std::string(name) + "\"/>"; }

std::string Placed(const std::string& name, const char* source, int x, int y) {
  return "<lvlelement name=\"" + name + "\"><sourceelement>" + source + "</sourceelement><pos x=\"" +
         std::to_string(x) + "\" y=\"" + std::to_string(y) + "\"/></lvlelement>";
}

void WriteScreen(const char* file, const std::string& templates, const std::string& level,
                 const std::string& images = "") {
  std::ofstream out(file);
  out << "<scene><images>" << images << "</images><elements>" << templates << "</elements><levels><level name=\"screen\"><lvlelements>"
      << level << "</lvlelements></level></levels></scene>";
}

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(char(*text));
  return out;
}

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string levels;
    for (int n = 0; n <= 10; ++n) levels += "<level name=\"gui\"></level>";
    world.WriteLevels("global.xml", levels);
    world.game()->GetStore().SelectProfile(0, "Ann");
  }
  BvProfile& Profile() { return *world.game()->GetCurrentProfile(); }
  BvLevel* Level() const { return world.game()->GetCurrentLevels()->GetCurrentLevel(); }
  void Frames(BvScene* scene, int count) {
    for (int i = 0; i < count; ++i) {
      scene->Update(kFrameMs);
      world.game()->GetCurrentLevels()->RenderCurrentLevel(kFrameMs, false, false);
    }
  }
  // Live elements of the current level made from the named template.
  std::vector<BvLevelElement*> Made(const char* source) const {
    std::vector<BvLevelElement*> out;
    for (const auto& entry : Level()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (!element->m_bDead && element->GetSourceElement() &&
          element->GetSourceElement()->GetNameString() == source)
        out.push_back(element);
    }
    return out;
  }
  // The element of the current level showing this text, or null.
  BvLevelElement* ShowingText(const std::string& text) const {
    for (const auto& entry : Level()->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (!element->m_bDead && element->GetText() && Narrow(element->GetText()) == text) return element;
    }
    return nullptr;
  }
  void ClickAt(BvScene* scene, float x, float y) {
    world.MoveCursor(x, y);
    world.PressLeft(true);
    Frames(scene, 1);
    world.PressLeft(false);
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
};

// ---- title menu ---------------------------------------------------------

class TitleMenuTest : public ScreenTest {
 protected:
  // images: the screen's images (the welcome line's font needs one).
  BvIntroScene* Open(const std::string& images = "") {
    WriteScreen("intro.xml",
                Template("titrejeu") + Template("expertmode") + Template("play1") + Template("trophies1") +
                    Template("options1") + Template("exit1") + Template("item"),
                "", images);
    world.game()->SetScene(kSceneIntro);
    return static_cast<BvIntroScene*>(world.game()->GetScene(kSceneIntro));
  }
  void UntilLive(BvIntroScene* intro) {
    for (int i = 0; i < 2000 && intro->GetState() != BvIntroScene::kStateLive; ++i) Frames(intro, 1);
    ASSERT_EQ(intro->GetState(), BvIntroScene::kStateLive);
  }
  // Frames until the visit is done; false after limit frames.
  bool UntilDone(BvIntroScene* intro, int limit = 1000) {
    for (int i = 0; i < limit && !intro->IsDone(); ++i) Frames(intro, 1);
    return intro->IsDone();
  }
};

TEST_F(TitleMenuTest, EventsFromTheDialogsEndTheMenuOrLeaveItLive) {
  struct Case {
    const char* what;
    int code;
    bool leaves;
    int result;
    bool buttonsFade;
  };
  const Case cases[] = {
      {"quit confirmed", 12, true, 1, false},
      {"quit cancelled", 13, false, 0, false},
      {"new player created", 6, true, 0, true},
      {"player chosen", 10, false, 0, false},
      {"the pause menu's resume", 2, false, 0, false},
  };
  for (const Case& c : cases) {
    BvIntroScene* intro = Open();
    UntilLive(intro);
    intro->OnEvent(c.code);
    EXPECT_EQ(intro->GetState(), c.leaves ? BvIntroScene::kStateLeaving : BvIntroScene::kStateLive) << c.what;
    EXPECT_EQ(intro->GetPlayButton() == nullptr, c.buttonsFade) << c.what;
    if (!c.leaves) continue;
    EXPECT_TRUE(UntilDone(intro)) << c.what << ": the screen covers and closes";
    EXPECT_EQ(intro->GetResult(), c.result) << c.what;
  }
}

TEST_F(TitleMenuTest, TheExpertBadgeOnlyForAPlayerWhoFinishedTheGame) {
  for (int completed : {0, 1, 3}) {
    Profile().completedGames = completed;
    Open();
    const std::vector<BvLevelElement*> badges = Made("expertmode");
    ASSERT_EQ(badges.size(), completed > 0 ? 1u : 0u) << completed << " games completed";
    if (badges.empty()) continue;
    EXPECT_EQ(badges[0]->GetPosition(), irr::core::vector2df(100, 130));
    EXPECT_EQ(badges[0]->GetLayer(), 7);
    EXPECT_FLOAT_EQ(badges[0]->GetScale().X, 1.1f);
  }
}

// A dialog that only records that it was opened.
class OpenedGui : public BvScene {
 public:
  void Init(intptr_t) override { ++openings; }
  int openings = 0;
};

// Each button of the menu opens its own dialog; Play opens the new-player
// dialog while there is no player.
TEST_F(TitleMenuTest, EachButtonOpensItsOwnDialog) {
  struct Case {
    const char* button;
    float x, y;
    bool player;
    int gui;
  };
  const Case cases[] = {
      {"play without a player", 0, 70, false, kGuiNewPlayer},
      {"trophies", 0, 0, true, kGuiTrophies},
      {"options", 0, -70, true, kGuiOptions},
      {"exit", 0, -140, true, kGuiQuit},
      {"change player", 0, -270, true, kGuiPlayers},
  };
  OpenedGui* guis[kGuiTableSize] = {};
  for (int n : {kGuiPause, kGuiOptions, kGuiNewPlayer, kGuiPlayers, kGuiQuit, kGuiTrophies}) {
    guis[n] = new OpenedGui;
    world.game()->SetGuiEntry(n, guis[n]);
  }
  for (const Case& c : cases) {
    world.game()->GetStore().current = c.player ? 0 : -1;
    world.game()->SetGuiMode(0);
    BvIntroScene* intro = Open();
    UntilLive(intro);
    ClickAt(intro, c.x, c.y);
    EXPECT_EQ(world.game()->GetGuiMode(), kGuiModeRunning) << c.button;
    EXPECT_EQ(world.game()->GetCurrentGui(), c.gui) << c.button;
    EXPECT_EQ(guis[c.gui]->openings, 1) << c.button;
    guis[c.gui]->openings = 0;
  }
}

// The title music plays under a welcome line that names the current
// player, renamed when another player is chosen.
TEST_F(TitleMenuTest, TheWelcomeLineNamesThePlayerOverTheTitleMusic) {
  world.AddText("welcomeplayer", "Welcome, %s!");
  world.AddText("changeplayer", "Change player");
  BvIntroScene* intro = Open("<image name=\"mael-font18\"><filename>missing18.png</filename></image>");
  EXPECT_TRUE(world.IsPlaying("musicintro"));
  EXPECT_NE(ShowingText("Welcome, Ann!"), nullptr);
  EXPECT_NE(ShowingText("Change player"), nullptr);
  world.game()->GetStore().SelectProfile(1, "Ben");
  intro->OnEvent(10);  // the player dialog's OK
  EXPECT_EQ(ShowingText("Welcome, Ann!"), nullptr);
  EXPECT_NE(ShowingText("Welcome, Ben!"), nullptr);
}

TEST_F(TitleMenuTest, PlayFadesTheButtonsAndTheTitleAway) {
  BvIntroScene* intro = Open();
  Frames(intro, 1);
  UntilLive(intro);
  std::vector<BvLevelElement*> shown;
  for (const char* name : {"titrejeu", "play1", "trophies1", "options1", "exit1"}) {
    ASSERT_EQ(Made(name).size(), 1u) << name;
    shown.push_back(Made(name)[0]);
  }
  const int starts = world.Plays("guistartplay");
  ClickAt(intro, 0, 70);
  EXPECT_EQ(intro->GetState(), BvIntroScene::kStateLeaving);
  EXPECT_EQ(world.Plays("guistartplay"), starts + 1);
  for (BvLevelElement* element : shown) {
    const std::string name = element->GetSourceElement()->GetNameString();
    const std::vector<BvBehavior*>& behaviours = element->GetBehaviors();
    if (name != "titrejeu") {
      EXPECT_EQ(behaviours.size(), 1u) << name << ": the hover behaviours are gone";
    }
    ASSERT_FALSE(behaviours.empty()) << name;
    auto* fade = dynamic_cast<BvFadeOutBehavior*>(behaviours.back());
    ASSERT_NE(fade, nullptr) << name;
    EXPECT_TRUE(fade->GetRemoveElement()) << name;
    EXPECT_FLOAT_EQ(fade->GetSpeed(), 10.0f) << name;
  }
  Frames(intro, 40);
  for (const char* name : {"titrejeu", "play1", "trophies1", "options1", "exit1"})
    EXPECT_TRUE(Made(name).empty()) << name << " faded away";
}

// ---- world map -----------------------------------------------------------

class MapTest : public ScreenTest {
 protected:
  // Spots 0..30 ten pixels apart, zig-zagging 300 pixels up and down so
  // the arrow's move is long; the play arrow bottom right.
  // more: further level elements placed on the map.
  // images: more images of the screen (fonts).
  BvMapScene* Open(int worldNumber, int level, const std::string& more = "", const std::string& images = "") {
    Profile().world = worldNumber;
    Profile().level = level;
    std::string placed = Placed("arrow", "arrow", 300, -250) + Placed("maparrow", "maparrow", 0, 0) + more;
    for (int i = 0; i <= 30; ++i)
      placed += Placed("sp" + std::to_string(i), i % 11 == 0 ? "spotbigoff" : "spotoff", i * 10 - 300,
                       i % 2 ? -150 : 150);
    WriteScreen("map.xml",
                Template("arrow") + Template("maparrow") + Template("spotoff") + Template("spoton") +
                    Template("spotbigoff") + Template("spotbigon") + Template("sparkle") +
                    Template("cinema") + Template("bar"),
                placed,
                // The interlude's font: without it no interlude text is made.
                "<image name=\"cooper-font20\"><filename>missing20.png</filename></image>" + images);
    world.game()->SetScene(kSceneMap);
    return static_cast<BvMapScene*>(world.game()->GetScene(kSceneMap));
  }
  static irr::core::vector2df Above(int spot) {
    return irr::core::vector2df(spot * 10.0f - 300.0f, spot % 2 ? -100.0f : 200.0f);
  }
  void UntilLive(BvMapScene* map) {
    for (int i = 0; i < 500 && map->GetState() != BvMapScene::kStateLive; ++i) Frames(map, 1);
    ASSERT_EQ(map->GetState(), BvMapScene::kStateLive);
  }
};

TEST_F(MapTest, TheMapArrowMovesFromThePreviousSpotWithItsSound) {
  struct Case {
    const char* what;
    int worldNumber, level;
    int from, to;  // spots
    int sounds;
  };
  const Case cases[] = {
      {"level 5 of world 2", 2, 5, 26, 27, 1},
      {"the first level of world 1", 1, 0, 10, 11, 1},
      {"level 9 of world 0", 0, 9, 8, 9, 1},
      {"a new game", 0, 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    const int before = world.Plays("arrowmove");
    BvMapScene* map = Open(c.worldNumber, c.level);
    ASSERT_NE(map->GetMapArrow(), nullptr) << c.what;
    EXPECT_EQ(map->GetMapArrow()->GetPosition(), Above(c.from)) << c.what;
    while (map->GetElapsed() < 1450.0f) Frames(map, 1);
    EXPECT_EQ(world.Plays("arrowmove"), before) << c.what << ": not before 1.5 s";
    while (map->GetElapsed() < 1550.0f) Frames(map, 1);
    EXPECT_EQ(world.Plays("arrowmove"), before + c.sounds) << c.what;
    UntilLive(map);
    EXPECT_GT(map->GetElapsed(), 2300.0f) << c.what;
    EXPECT_EQ(map->GetMapArrow()->GetPosition().X, Above(c.to).X) << c.what;
    EXPECT_NEAR(map->GetMapArrow()->GetPosition().Y, Above(c.to).Y, 5.0f) << c.what << ": bobbing over it";
    EXPECT_EQ(world.Plays("arrowmove"), before + c.sounds) << c.what << ": once";
  }
}

TEST_F(MapTest, BeforeTheThirdSixthAndNinthLevelsAnInterludeComesFirst) {
  world.AddText("st21a", "The road bends");
  world.AddText("st21b", "toward the hills");
  world.AddText("st12a", "Night falls");
  world.AddText("st12b", "over the marsh");
  struct Case {
    const char* what;
    int worldNumber, level;
    const char* first;  // nullptr: no interlude
    const char* second;
  };
  const Case cases[] = {
      {"level 5 of world 2", 2, 5, "The road bends", "toward the hills"},
      {"level 8 of world 1", 1, 8, "Night falls", "over the marsh"},
      {"level 4 of world 2", 2, 4, nullptr, nullptr},
  };
  for (const Case& c : cases) {
    BvMapScene* map = Open(c.worldNumber, c.level);
    UntilLive(map);
    ClickAt(map, 300, -250);
    if (!c.first) {
      EXPECT_EQ(map->GetState(), BvMapScene::kStateLeaving) << c.what;
      continue;
    }
    EXPECT_EQ(map->GetState(), BvMapScene::kStateInterlude) << c.what;
    Frames(map, 1);
    EXPECT_EQ(map->GetState(), BvMapScene::kStateAfterInterlude) << c.what;
    BvLevelElement* first = ShowingText(c.first);
    BvLevelElement* second = ShowingText(c.second);
    ASSERT_NE(first, nullptr) << c.what;
    ASSERT_NE(second, nullptr) << c.what;
    EXPECT_EQ(first->GetPosition(), irr::core::vector2df(0, 20)) << c.what;
    EXPECT_EQ(second->GetPosition(), irr::core::vector2df(0, -20)) << c.what;
    EXPECT_EQ(first->GetLayer(), 7) << c.what;
    EXPECT_EQ(Made("cinema").size(), 1u) << c.what << ": the shade behind the texts";
    Frames(map, 5);
    ClickAt(map, 300, -250);
    EXPECT_EQ(map->GetState(), BvMapScene::kStateLeaving) << c.what << ": the next click leaves";
  }
}

TEST_F(MapTest, TheInterludeLinesShowOnlyOnceTheBarsHaveClosedBehindThem) {
  // The bars carry the panel the lines are printed on: until both stand at
  // home, a line would be printed over the map's names and spots.
  world.AddText("st21a", "The road bends");
  world.AddText("st21b", "toward the hills");
  BvMapScene* map = Open(2, 5, Placed("cinema1", "bar", 0, 450) + Placed("cinema2", "bar", 0, -450));
  UntilLive(map);
  ClickAt(map, 300, -250);
  ASSERT_EQ(map->GetState(), BvMapScene::kStateInterlude);
  Frames(map, 1);
  BvLevelElement* lines[] = {ShowingText("The road bends"), ShowingText("toward the hills")};
  ASSERT_NE(lines[0], nullptr);
  ASSERT_NE(lines[1], nullptr);
  auto* top = static_cast<BvLevelElement*>(Level()->FindObjectByName("cinema1"));
  auto* bottom = static_cast<BvLevelElement*>(Level()->FindObjectByName("cinema2"));
  ASSERT_NE(top, nullptr);
  ASSERT_NE(bottom, nullptr);
  const irr::core::vector2df topHome(0, 250), bottomHome(0, -250);
  int moving = 0;
  for (; moving < 500 && (top->GetPosition() != topHome || bottom->GetPosition() != bottomHome); ++moving) {
    for (BvLevelElement* line : lines)
      ASSERT_FALSE(line->IsVisible()) << "shown while the bars are at " << top->GetPosition().Y << " and "
                                      << bottom->GetPosition().Y << ", after " << moving << " frames";
    Frames(map, 1);
  }
  ASSERT_LT(moving, 500) << "the bars reach home";
  EXPECT_GT(moving, 5) << "the bars took some frames to come in";
  Frames(map, 1);
  for (BvLevelElement* line : lines) {
    EXPECT_TRUE(line->IsVisible()) << "shown on the frame after the bars arrived";
    ASSERT_FALSE(line->GetBehaviors().empty());
    EXPECT_NE(dynamic_cast<BvFadeInBehavior*>(line->GetBehaviors().back()), nullptr) << "fading in";
  }
}

// Every ten seconds, the first time one second after the map is live, a
// sparkle rises over each spot still ahead of the player, none over the
// spots reached.
TEST_F(MapTest, TheSparkleWaveRunsOverTheSpotsStillAhead) {
  BvMapScene* map = Open(0, 3);
  UntilLive(map);
  const float live = map->GetElapsed();
  while (map->GetElapsed() < live + 900.0f) Frames(map, 1);
  EXPECT_TRUE(Made("sparkle").empty()) << "not before a second";
  while (map->GetElapsed() < live + 1100.0f) Frames(map, 1);
  std::set<float> ahead, sparkled;
  for (int spot = 4; spot <= 30; ++spot) ahead.insert(spot * 10.0f - 300.0f);
  for (BvLevelElement* sparkle : Made("sparkle")) sparkled.insert(sparkle->GetPosition().X);
  EXPECT_EQ(Made("sparkle").size(), 27u);
  EXPECT_EQ(sparkled, ahead);
}

// The six worlds' names where their lands lie, and the menu button's label.
TEST_F(MapTest, TheWorldsAreNamedAndTheMenuButtonLabelled) {
  const struct {
    const char* key;
    const char* name;
    float x, y;
  } worlds[] = {{"worldname1", "Shore", -280, 200}, {"worldname2", "Forest", -50, 250},
                {"worldname3", "Peaks", 250, 200},  {"worldname4", "Marsh", 200, 10},
                {"worldname5", "Caves", 0, -10},    {"worldname6", "Keep", -250, 10}};
  for (const auto& w : worlds) world.AddText(w.key, w.name);
  world.AddText("menu", "Menu");
  Open(0, 0, Placed("btnmenu", "arrow", -300, -250),
       "<image name=\"cooper-font16\"><filename>missing16.png</filename></image>"
       "<image name=\"galaxy-font16\"><filename>missingg16.png</filename></image>");
  for (const auto& w : worlds) {
    BvLevelElement* name = ShowingText(w.name);
    ASSERT_NE(name, nullptr) << w.key;
    EXPECT_EQ(name->GetPosition(), irr::core::vector2df(w.x, w.y)) << w.key;
  }
  auto* menu = static_cast<BvLevelElement*>(Level()->FindObjectByName("btnmenu"));
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> labels;
  for (BvLevelElement* child : menu->GetChildren())
    if (child->GetText()) labels.push_back(Narrow(child->GetText()));
  EXPECT_EQ(labels, std::vector<std::string>{"Menu"});
}

// The menu button opens the pause menu over the frozen map; the pause
// menu's ways out leave the map with their own results.
TEST_F(MapTest, TheMenuButtonPausesAndThePauseMenusWaysOut) {
  OpenedGui* pause = new OpenedGui;
  world.game()->SetGuiEntry(kGuiPause, pause);
  BvMapScene* map = Open(1, 4, Placed("btnmenu", "arrow", -300, -250));
  UntilLive(map);
  ClickAt(map, -300, -250);
  EXPECT_EQ(world.game()->GetGuiMode(), kGuiModeFrozen);
  EXPECT_EQ(world.game()->GetCurrentGui(), kGuiPause);
  EXPECT_EQ(pause->openings, 1);
  EXPECT_EQ(map->GetState(), BvMapScene::kStateLive) << "the map stays";

  struct Case {
    const char* what;
    int code;
    int result;
  };
  for (const Case& c : {Case{"main menu", 3, kResultTitle}, Case{"quit", 1, kResultQuit}}) {
    world.game()->SetGuiMode(0);
    map = Open(1, 4);
    UntilLive(map);
    map->OnEvent(c.code);
    EXPECT_EQ(map->GetState(), BvMapScene::kStateLeaving) << c.what;
    for (int i = 0; i < 500 && !map->IsDone(); ++i) Frames(map, 1);
    EXPECT_TRUE(map->IsDone()) << c.what;
    EXPECT_EQ(map->GetResult(), c.result) << c.what;
  }
}

// ---- story book ------------------------------------------------------------

// The book the story shows is the one of the profile's world: its chapter
// at the start of the world, the page of its spell after the world's
// hidden-object level, and after the last world the last chapter.
class StoryBookTest : public ScreenTest {
 protected:
  static constexpr int kBooks = 7;
  void SetUp() override {
    ScreenTest::SetUp();
    std::string templates = Template("arrow");
    for (int book = 1; book <= kBooks; ++book) {
      templates += Template(("img" + std::to_string(book)).c_str());
      templates += Template(("sort" + std::to_string(book)).c_str());
      world.AddText(("ch" + std::to_string(book) + "ap1").c_str(),
                    ("Chapter " + std::to_string(book)).c_str());
      world.AddText(("so" + std::to_string(book) + "ap1").c_str(),
                    ("Spell " + std::to_string(book)).c_str());
    }
    WriteScreen("story.xml", templates, Placed("arrow", "arrow", 300, -250),
                "<image name=\"gothic-font30\"><filename>missing30.png</filename></image>"
                "<image name=\"gothic-font14\"><filename>missing14.png</filename></image>");
  }
};

TEST_F(StoryBookTest, ThePageAndPictureOfThePlayersWorld) {
  struct Case {
    int worldNumber, level;
    int book;
    bool spell;
  };
  const Case cases[] = {
      {0, 0, 1, false}, {1, 0, 2, false}, {2, 0, 3, false}, {3, 0, 4, false},
      {4, 0, 5, false}, {5, 0, 6, false}, {6, 0, 7, false},  // the game finished
      {0, 2, 1, true},  {1, 2, 2, true},  {2, 2, 3, true},
  };
  for (const Case& c : cases) {
    Profile().world = c.worldNumber;
    Profile().level = c.level;
    world.game()->SetScene(kSceneStory);
    BvScene* story = world.game()->GetScene(kSceneStory);
    Frames(story, 1);
    const std::string what = "world " + std::to_string(c.worldNumber) + " level " + std::to_string(c.level);
    for (int book = 1; book <= kBooks; ++book) {
      const bool shown = book == c.book;
      const std::string n = std::to_string(book);
      EXPECT_EQ(ShowingText("Chapter " + n) != nullptr, shown && !c.spell) << what << ", chapter " << n;
      EXPECT_EQ(ShowingText("Spell " + n) != nullptr, shown && c.spell) << what << ", spell " << n;
      EXPECT_EQ(Made(("img" + n).c_str()).size(), shown && !c.spell ? 1u : 0u) << what << ", img" << n;
      EXPECT_EQ(Made(("sort" + n).c_str()).size(), shown && c.spell ? 1u : 0u) << what << ", sort" << n;
    }
  }
}

// The story plays the map's music and leaves only by its play arrow, with
// a click's sound.
TEST_F(StoryBookTest, OnlyThePlayArrowLeavesTheStory) {
  world.game()->SetScene(kSceneStory);
  auto* story = static_cast<BvStoryScene*>(world.game()->GetScene(kSceneStory));
  EXPECT_TRUE(world.IsPlaying("musicmap"));
  for (int i = 0; i < 500 && story->GetState() != BvStoryScene::kStateLive; ++i) Frames(story, 1);
  ASSERT_EQ(story->GetState(), BvStoryScene::kStateLive);
  const int clicks = world.Plays("guiclick");
  ClickAt(story, 0, 0);
  Frames(story, 1);
  EXPECT_EQ(story->GetState(), BvStoryScene::kStateLive) << "a click beside the arrow";
  EXPECT_EQ(world.Plays("guiclick"), clicks);
  ClickAt(story, 300, -250);
  EXPECT_EQ(story->GetState(), BvStoryScene::kStateLeaving);
  EXPECT_EQ(world.Plays("guiclick"), clicks + 1);
  for (int i = 0; i < 500 && !story->IsDone(); ++i) Frames(story, 1);
  EXPECT_TRUE(story->IsDone());
  EXPECT_EQ(story->GetResult(), kResultContinue);
}

// ---- scene table -----------------------------------------------------------

TEST(SceneTable, EverySceneNumberHasItsClassAndReadsItsFile) {
  struct Case {
    int scene;
    const std::type_info& type;
    const char* file;
  };
  const Case cases[] = {
      {1, typeid(BvSplashScene), "splash.xml"},      {2, typeid(BvIntroScene), "intro.xml"},
      {3, typeid(BvStoryScene), "story.xml"},        {4, typeid(BvSwapScene), "swap1.xml"},
      {5, typeid(BvSwapScene2), "swap2.xml"},        {6, typeid(BvSwapScene3), "swap3.xml"},
      {7, typeid(BvSwapScene4), "swap4.xml"},        {8, typeid(BvSwapScene5), "swap5.xml"},
      {9, typeid(BvSwapScene6), "swap6.xml"},        {10, typeid(BvHiddenScene), "hidden1.xml"},
      {11, typeid(BvHiddenScene2), "hidden2.xml"},   {12, typeid(BvHiddenScene3), "hidden3.xml"},
      {13, typeid(BvHiddenScene), "hidden1.xml"},    {14, typeid(BvHiddenScene3), "hidden3.xml"},
      {15, typeid(BvHiddenScene2), "hidden2.xml"},   {16, typeid(BvMapScene), "map.xml"},
      {17, typeid(BvSplashDistriScene), "splashdistri.xml"},
  };
  bv::test::NullVideo video;
  bv::test::GameWorld world;
  world.WriteLevels("global.xml", "<level name=\"pause\"></level>");
  // Every file holds one element named after it.
  for (const Case& c : cases) WriteScreen(c.file, Template("mark"), Placed(c.file, "mark", 0, 0));
  BvLayout board;
  EXPECT_EQ(CreateScene(0, &board), nullptr);
  EXPECT_EQ(CreateScene(18, &board), nullptr);
  for (const Case& c : cases) {
    std::unique_ptr<BvScene> scene(CreateScene(c.scene, &board));
    ASSERT_NE(scene, nullptr) << "scene " << c.scene;
    EXPECT_EQ(typeid(*scene), c.type) << "scene " << c.scene;
    BvLevelManager* levels = world.game()->GetCurrentLevels();
    levels->ClearScene();
    ASSERT_TRUE(scene->Load()) << "scene " << c.scene;
    BvLevel* level = levels->GetCurrentLevel();
    ASSERT_NE(level, nullptr) << "scene " << c.scene;
    EXPECT_NE(level->FindObjectByName(c.file), nullptr) << "scene " << c.scene << " reads " << c.file;
  }
}

}  // namespace
