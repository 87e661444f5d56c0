// The test doorway: the start scene switch, the test profile, and the probe's
// snapshot and its throttled, atomic writing.
#include "game/core/probe.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <fstream>
#include <sstream>

#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/game_host.h"
#include "game/board/layout.h"
#include "game/board/monster_manager.h"
#include "game/core/game.h"
#include "game/core/level_stats.h"
#include "game/core/player_store.h"
#include "game/core/test_doorway.h"
#include "game/gui/create_text.h"
#include "game/scenes/scene.h"
#include "support/fake_clock.h"
#include "support/game_world.h"
#include "support/null_video.h"
#include "support/scoped_env.h"

namespace {

class StateScene : public BvScene {
 public:
  void Init(intptr_t) override { SetState(2); }
};

TEST(TestDoorway, StartSceneComesOnlyFromAValidNumber) {
  struct Case { const char* value; int want; };
  const Case cases[] = {{"4", 4}, {"17", 17}, {"1", 1}, {"0", 0}, {"18", 0},
                        {"-4", 0}, {"4x", 0}, {"", 0}, {nullptr, 0}};
  for (const Case& c : cases) {
    bv::test::ScopedEnv env("QUORVEL_START_SCENE", c.value);
    EXPECT_EQ(StartSceneFromEnvironment(), c.want) << (c.value ? c.value : "unset");
  }
}

TEST(TestDoorway, TimeLimitOnlyShortensTheLimit) {
  struct Case { const char* value; float want; };
  const Case cases[] = {{"5000", 5000.0f}, {"1", 1.0f}, {"600000", 600000.0f}, {"600001", 0.0f},
                        {"0", 0.0f}, {"-5", 0.0f}, {"5s", 0.0f}, {"", 0.0f}, {nullptr, 0.0f}};
  for (const Case& c : cases) {
    bv::test::ScopedEnv env("QUORVEL_TIME_LIMIT_MS", c.value);
    EXPECT_EQ(TimeLimitFromEnvironment(), c.want) << (c.value ? c.value : "unset");
  }
}

TEST(TestDoorway, TestProfileOnlyWhenNoneIsCurrent) {
  BvPlayerStore store;
  store.Reset();
  EnsureTestProfile(store);
  EXPECT_EQ(store.current, 0);
  EXPECT_STREQ(store.profiles[0].name, "Tester");

  store.Reset();
  store.profiles[0].SetName("Ann");
  store.profiles[1].SetName("Bob");
  EnsureTestProfile(store);
  EXPECT_EQ(store.current, 2) << "the first free slot";
  EXPECT_STREQ(store.profiles[0].name, "Ann");

  for (int i = 0; i < 4; ++i) store.profiles[i].SetName("Full");
  store.current = -1;
  EnsureTestProfile(store);
  EXPECT_EQ(store.current, 0);
  EXPECT_STREQ(store.profiles[0].name, "Full") << "no slot free: nothing renamed";

  store.current = 3;
  EnsureTestProfile(store);
  EXPECT_EQ(store.current, 3) << "a current profile stays";
}

class StatsScene : public StateScene {
 public:
  BvLevelStats* GetLevelStats() override { return &stats; }
  BvLevelStats stats;
};

class ProbeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    world.game()->SetSceneEntry(4, new StateScene);
    world.game()->SetScene(4);
    BvLevelManager* levels = world.game()->GetCurrentLevels();
    world.AddTemplate(levels, "button");
    world.AddElement(levels, "btnmenu", "button", -100.0f, 50.0f);
    world.AddElement(levels, "painting", "button", 0.0f, 0.0f)->SetDynType(-1);
    levels->RenderCurrentLevel(10.0f, false, false);  // bodies are made
    world.host()->GetStore().SelectProfile(1, "Ann");
    world.host()->GetStore().profiles[1].world = 2;
    world.host()->GetStore().profiles[1].score = 4321;
    path = world.dir() + "/probe.json";
  }
  nlohmann::json Read() const {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return nlohmann::json::parse(text.str());
  }
  bool Exists(const std::string& file) const {
    struct stat st;
    return stat(file.c_str(), &st) == 0;
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  std::string path;
};

TEST_F(ProbeTest, SnapshotShowsSceneProfileAndClickableElements) {
  const nlohmann::json shot = BvProbe::Snapshot(*world.game());
  EXPECT_EQ(shot["scene"]["number"], 4);
  EXPECT_EQ(shot["scene"]["state"], 2);
  EXPECT_EQ(shot["gui"]["mode"], 0);
  EXPECT_EQ(shot["profile"]["name"], "Ann");
  EXPECT_EQ(shot["profile"]["world"], 2);
  EXPECT_EQ(shot["profile"]["score"], 4321);
  ASSERT_EQ(shot["elements"].size(), 1u) << "only named elements with a body: " << shot.dump();
  const nlohmann::json& button = shot["elements"][0];
  EXPECT_EQ(button["name"], "btnmenu");
  EXPECT_EQ(button["level"], "scene");
  // The default 20 by 20 box at world (-100, 50): window (290..310, 240..260).
  EXPECT_EQ(button["x"], 290);
  EXPECT_EQ(button["y"], 240);
  EXPECT_EQ(button["w"], 20);
  EXPECT_EQ(button["h"], 20);
  EXPECT_EQ(shot["window"]["w"], 800);

  // Scene 4 is a board screen: every cell, with its centre in the window.
  const nlohmann::json& board = shot["board"];
  ASSERT_EQ(board["cells"].size(), 17u * 13u);
  const nlohmann::json& corner = board["cells"][0];
  EXPECT_EQ(corner["col"], 0);
  EXPECT_EQ(corner["row"], 0);
  EXPECT_EQ(corner["x"], 50);  // cell (0, 0) at (-350, 257)
  EXPECT_EQ(corner["y"], 43);
  EXPECT_EQ(corner["colour"], -1);
  EXPECT_EQ(board["selected"], nlohmann::json({-1, -1}));
  world.game()->SetSceneEntry(16, new StateScene);
  world.game()->SetScene(16);
  EXPECT_TRUE(BvProbe::Snapshot(*world.game())["board"].is_null()) << "off the board screens";
}

TEST_F(ProbeTest, TheBoardShowsItsSpellsAndMonsters) {
  BvLevelManager* levels = world.game()->GetCurrentLevels();
  world.AddElement(levels, "sortgui", "button", 100.0f, -200.0f);
  world.AddTemplate(levels, "bat");
  BvLayout* board = world.game()->GetBoard();
  board->Reset();
  board->GetSpells()[1].locked = false;
  board->GetSpells()[1].ready = true;
  board->GetSpells()[1].charge = 20000.0f;
  board->GetMonsters()->SpawnMonster(kMonsterBat);
  BvLevelElement* body = board->GetMonsters()->GetSlot(0).body;
  body->ClearBehaviors();  // no path: it stays where it is put
  body->SetPosition(-200.0f, 100.0f);
  levels->RenderCurrentLevel(10.0f, false, false);  // the monster's body is made

  const nlohmann::json shot = BvProbe::Snapshot(*world.game())["board"];
  ASSERT_EQ(shot["spells"].size(), 6u);
  const nlohmann::json& spell = shot["spells"][1];
  EXPECT_EQ(spell["ready"], true);
  EXPECT_EQ(spell["locked"], false);
  EXPECT_EQ(spell["charge"], 20000.0);
  // The middle of the second place: world (100 - 152 + 75, -200 + 34 - 20).
  EXPECT_EQ(spell["x"], 423);
  EXPECT_EQ(spell["y"], 486);
  EXPECT_EQ(shot["spells"][0]["locked"], true);
  ASSERT_EQ(shot["monsters"].size(), 1u);
  const nlohmann::json& bat = shot["monsters"][0];
  EXPECT_EQ(bat["kind"], kMonsterBat);
  EXPECT_EQ(bat["life"], 50000.0);
  ASSERT_TRUE(bat.contains("w")) << bat.dump();
  EXPECT_NEAR(bat["x"].get<int>() + bat["w"].get<int>() / 2, 200, 2) << "centred on world x -200";
}

TEST_F(ProbeTest, WritesAtomicallyOnlyChangesAndAtMostEvery50Ms) {
  bv::test::FakeClock clock(0);
  bv::test::ScopedClock installed(&clock);
  BvProbe probe(path);
  EXPECT_TRUE(probe.AfterFrame(*world.game())) << "the first frame is written";
  EXPECT_EQ(Read()["profile"]["score"], 4321);
  EXPECT_FALSE(Exists(path + ".tmp"));
  EXPECT_EQ(Read()["clock"]["frame"], 1);
  clock.AdvanceMs(100);
  // Nothing but the game's clock changed: still written, so a test sees
  // the frames and game time go on.
  EXPECT_TRUE(probe.AfterFrame(*world.game())) << "the clock moved on";
  EXPECT_EQ(Read()["clock"]["frame"], 2);
  const int64_t gameMs = Read()["clock"]["ms"].get<int64_t>();
  EXPECT_GT(gameMs, 0) << "every frame advances the game's time";
  clock.AdvanceMs(100);
  world.host()->GetStore().profiles[1].score = 5000;
  EXPECT_TRUE(probe.AfterFrame(*world.game()));
  EXPECT_GT(Read()["clock"]["ms"].get<int64_t>(), gameMs);
  world.host()->GetStore().profiles[1].score = 6000;
  clock.AdvanceMs(30);
  EXPECT_FALSE(probe.AfterFrame(*world.game())) << "30 ms after the last write";
  EXPECT_EQ(Read()["profile"]["score"], 5000);
  clock.AdvanceMs(30);
  EXPECT_TRUE(probe.AfterFrame(*world.game())) << "the held-back change, later";
  EXPECT_EQ(Read()["profile"]["score"], 6000);
  EXPECT_FALSE(Exists(path + ".tmp"));

  // A state held for one frame between two writes is still reported.
  clock.AdvanceMs(10);
  world.game()->GetCurrentScene()->SetState(1);
  EXPECT_FALSE(probe.AfterFrame(*world.game()));
  world.game()->GetCurrentScene()->SetState(3);
  clock.AdvanceMs(60);
  EXPECT_TRUE(probe.AfterFrame(*world.game()));
  EXPECT_EQ(Read()["scene"]["states"], nlohmann::json({2, 1, 3}));

  BvProbe unwritable(world.dir() + "/missing/folder/probe.json");
  EXPECT_FALSE(unwritable.AfterFrame(*world.game()));
}

// A damaged save gives a name of any bytes at all, a damaged data file an
// element name that is not UTF-8: the probe writes them as text and the game
// goes on. Names are Latin-1, so 0xFF is written as "\u00ff"; bytes that
// are no text in any sense come out as replacement characters.
TEST_F(ProbeTest, NamesThatAreNotTextAreWrittenEscapedAndNeverEndTheGame) {
  BvProfile& profile = world.host()->GetStore().profiles[1];
  std::memset(profile.name, 0xFF, BvProfile::kNameSize - 1);
  profile.name[BvProfile::kNameSize - 1] = '\0';
  BvLevelManager* levels = world.game()->GetCurrentLevels();
  world.AddElement(levels, "bad\xC3", "button", 100.0f, 50.0f);
  levels->RenderCurrentLevel(10.0f, false, false);
  BvProbe probe(path);
  bool written = false;
  EXPECT_NO_THROW(written = probe.AfterFrame(*world.game()));
  ASSERT_TRUE(written);
  const nlohmann::json shot = Read();
  std::string expected;
  for (int i = 0; i < BvProfile::kNameSize - 1; ++i) expected += "\xC3\xBF";
  EXPECT_EQ(shot["profile"]["name"], expected);
  bool found = false;
  for (const nlohmann::json& element : shot["elements"])
    found = found || element["name"] == "bad\xEF\xBF\xBD";
  EXPECT_TRUE(found) << shot["elements"].dump();
}

}  // namespace

namespace {

TEST_F(ProbeTest, SnapshotShowsLevelStatsAndTheDialogsTexts) {
  EXPECT_TRUE(BvProbe::Snapshot(*world.game())["scene"]["stats"].is_null()) << "a scene without";
  auto* scene = new StatsScene;
  scene->stats.playSeconds = 75;
  scene->stats.gaugeLeft = 1500.0f;
  world.game()->SetSceneEntry(5, scene);
  world.game()->SetScene(5);
  BvLevelManager* gui = world.game()->GetGlobalLevels();
  world.AddTemplate(gui, "panel");
  gui->GetElements()->AddObject(new BvTextElement("guifont"));
  world.AddElement(gui, "interfaceback", "panel", 0.0f, 0.0f);
  CreateText(gui, {0, 0}, L"+13 X 50", "guifont");
  CreateText(gui, {0, 0}, L"", "guifont");
  CreateText(gui, {0, 0}, L"flash", "panel");
  CreateText(gui, {0, 0}, L"D\u00e9j\u00e0", "guifont");
  world.game()->SetGuiMode(2);
  const nlohmann::json shot = BvProbe::Snapshot(*world.game());
  EXPECT_EQ(shot["scene"]["stats"]["playSeconds"], 75);
  EXPECT_EQ(shot["scene"]["stats"]["gaugeLeft"], 1500.0);
  EXPECT_EQ(shot["board"]["timeUsed"], 0.0);
  EXPECT_EQ(shot["gui"]["texts"], nlohmann::json({"+13 X 50", "D?j?"}));
  world.game()->SetGuiMode(0);
  EXPECT_TRUE(BvProbe::Snapshot(*world.game())["gui"]["texts"].empty()) << "no dialog open";
}

}  // namespace
