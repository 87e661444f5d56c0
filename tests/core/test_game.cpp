#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
#include "engine/platform/random_source.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/scenes/scene.h"
#include "game/scenes/splash_distri_scene.h"
#include "game/scenes/splash_scene.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"
#include "engine/sound/sound_manager.h"
#include "support/fake_sound_backend.h"
#include "support/null_video.h"

namespace {

// A screen or dialog that records what the game object asks of it.
class RecordingScene : public BvScene {
 public:
  explicit RecordingScene(std::vector<std::string>* log, std::string name)
      : m_Log(log), m_Name(std::move(name)) {}
  bool Load() override {
    BvScene::Load();
    m_Log->push_back(m_Name + " load");
    return loads;
  }
  void Init(intptr_t argument) override {
    m_Log->push_back(m_Name + " init " + std::to_string(argument));
  }
  void Update(float ms) override {
    BvScene::Update(ms);
    ++updates;
  }
  void OnEvent(int code) override { m_Log->push_back(m_Name + " event " + std::to_string(code)); }
  void Finish(int result) {
    SetResult(result);
    RequestClose();
  }
  bool loads = true;
  int updates = 0;

 private:
  std::vector<std::string>* m_Log;
  std::string m_Name;
};

// A game with recording scenes 1..17 and GUIs 0..10, a host whose save file
// goes to a temporary user folder, and a global.xml with eleven GUI levels
// in a temporary working folder.
class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qv_game_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    oldXdg = getenv("XDG_DATA_HOME") ? getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", dir.c_str(), 1);
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    oldCwd = cwd;
    ASSERT_EQ(chdir(dir.c_str()), 0);
    std::ofstream xml("global.xml");
    xml << "<global><levels>";
    for (int n = 0; n < 11; ++n) xml << "<level name=\"gui" << n << "\"></level>";
    xml << "</levels></global>";
    xml.close();
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
    g_Quit = false;
    host = new BvGameHost(nullptr);
    game = host->GetGame();
    for (int n = 1; n <= 17; ++n) {
      scenes[n] = new RecordingScene(&log, "scene" + std::to_string(n));
      game->SetSceneEntry(n, scenes[n]);
    }
    for (int n = 0; n <= 10; ++n) {
      guis[n] = new RecordingScene(&log, "gui" + std::to_string(n));
      game->SetGuiEntry(n, guis[n]);
    }
    host->GetStore().Reset();
  }
  void TearDown() override {
    delete host;
    g_Quit = false;
    if (chdir(oldCwd.c_str()) != 0) ADD_FAILURE() << "chdir back";
    if (oldXdg.empty()) unsetenv("XDG_DATA_HOME");
    else setenv("XDG_DATA_HOME", oldXdg.c_str(), 1);
    std::string cmd = "rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "cleanup";
  }
  std::string SavePath() const { return dir + "/brasvolt/quorvel/savegame.sav"; }
  long SaveSize() const {
    struct stat st;
    return stat(SavePath().c_str(), &st) == 0 ? long(st.st_size) : -1;
  }
  // Events the scene got since the log was last cleared.
  std::vector<std::string> Take() {
    std::vector<std::string> out;
    out.swap(log);
    return out;
  }
  bool Shown(const std::string& text) const {
    for (const bv::ShownMessage& m : bv::ShownMessages())
      if (m.caption == "Alert" && m.text == text) return true;
    return false;
  }

  std::string dir, oldCwd, oldXdg;
  std::vector<std::string> log;
  BvGameHost* host = nullptr;
  BvGame* game = nullptr;
  RecordingScene* scenes[18] = {};
  RecordingScene* guis[11] = {};
};

TEST_F(GameTest, SceneFlowSavesAfterEveryFinishedScene) {
  struct Case {
    int finished, result;
    bool profile;
    int world, level;
    int next;  // 0: stays
  };
  const Case cases[] = {
      {1, 0, false, 0, 0, 17}, {17, 0, false, 0, 0, 2}, {2, 0, false, 0, 0, 3},
      {2, 0, true, 1, 3, 16},  {16, 0, true, 1, 1, 11}, {16, 0, true, 1, 3, 5},
      {5, 3, true, 1, 3, 5},   {5, 0, true, 2, 0, 3},   {3, 0, true, 2, 0, 16},
      {11, 0, true, 1, 2, 3},  {8, 2, true, 4, 4, 2},   {1, 3, false, 0, 0, 0},
  };
  for (const Case& c : cases) {
    BvPlayerStore& store = host->GetStore();
    store.Reset();
    if (c.profile) {
      store.SelectProfile(0, "Ann");
      store.profiles[0].world = c.world;
      store.profiles[0].level = c.level;
    }
    game->SetScene(c.finished);
    std::remove(SavePath().c_str());
    Take();
    game->OnSceneDone(c.result);
    EXPECT_EQ(SaveSize(), 844) << "save after scene " << c.finished;
    const int expected = c.next ? c.next : c.finished;
    EXPECT_EQ(game->GetCurrentSceneNumber(), expected) << "after scene " << c.finished;
    if (c.next) {
      const std::string name = "scene" + std::to_string(c.next);
      EXPECT_EQ(Take(), (std::vector<std::string>{name + " load", name + " init 0"}));
    }
  }
  game->SetScene(2);
  game->OnSceneDone(1);
  EXPECT_TRUE(g_Quit);
  EXPECT_EQ(SaveSize(), 844);
}

TEST_F(GameTest, LastStoryCompletesTheGameOnce) {
  BvPlayerStore& store = host->GetStore();
  store.SelectProfile(0, "Ann");
  store.profiles[0].world = 6;
  store.profiles[0].score = 250000;
  EXPECT_FALSE(game->IsExpertMode());
  game->SetScene(3);
  game->OnSceneDone(0);
  EXPECT_EQ(game->GetCurrentSceneNumber(), 2);
  EXPECT_EQ(store.profiles[0].completedGames, 1);
  EXPECT_EQ(store.profiles[0].world, 0);
  EXPECT_TRUE(game->IsExpertMode());
  EXPECT_EQ(store.hiscores[0].score, 250000);
  EXPECT_STREQ(store.hiscores[0].name, "Ann");
  // World 0 now: the next story end goes to the map.
  game->SetScene(3);
  game->OnSceneDone(0);
  EXPECT_EQ(game->GetCurrentSceneNumber(), 16);
  EXPECT_EQ(store.profiles[0].completedGames, 1);
}

TEST_F(GameTest, MissingOrOutOfRangeScenesQuitWithMessage) {
  struct Case { int n; const char* message; };
  for (Case c : {Case{0, "Scene #0 not implemented !!"}, Case{18, "Scene #18 not implemented !!"},
                 Case{-3, "Scene #-3 not implemented !!"}}) {
    g_Quit = false;
    bv::ClearShownMessages();
    game->SetScene(c.n);
    EXPECT_TRUE(Shown(c.message)) << c.n;
    EXPECT_TRUE(g_Quit) << c.n;
    EXPECT_EQ(game->GetCurrentScene(), nullptr) << c.n;
  }
  g_Quit = false;
  game->SetSceneEntry(2, nullptr);
  game->SetScene(2);
  EXPECT_TRUE(Shown("Scene #2 not implemented !!"));
  EXPECT_TRUE(g_Quit);
  g_Quit = false;
  scenes[4]->loads = false;
  Take();
  game->SetScene(4);
  EXPECT_TRUE(Shown("Scene not loaded !"));
  EXPECT_TRUE(g_Quit);
  EXPECT_EQ(Take(), (std::vector<std::string>{"scene4 load"})) << "no Init after a failed load";
}

TEST_F(GameTest, ShowGuiModesAndOpenCloseEvents) {
  game->SetScene(4);
  struct Case { int mode; bool announced; };
  for (Case c : {Case{1, true}, Case{2, true}, Case{3, false}}) {
    Take();
    game->ShowGui(5, c.mode, 77);
    EXPECT_EQ(game->GetGuiMode(), c.mode);
    EXPECT_EQ(game->GetCurrentGui(), 5);
    game->Update();
    game->Update();
    game->SetGuiMode(0);  // the GUI closed
    game->Update();
    game->Update();
    std::vector<std::string> events;
    for (const std::string& e : Take())
      if (e.rfind("scene4 event", 0) == 0 || e.rfind("gui5 init", 0) == 0) events.push_back(e);
    std::vector<std::string> want = {"gui5 init 77"};
    if (c.announced) {
      want.push_back("scene4 event 17");
      want.push_back("scene4 event 18");
    }
    EXPECT_EQ(events, want) << "mode " << c.mode;
  }
}

TEST_F(GameTest, ClosingRecapAndOpeningNoticeInOneFrameStillSendsClosed) {
  game->SetScene(4);
  game->ShowGui(5, 2, 0);
  game->Update();
  Take();
  game->SetGuiMode(0);      // the recap closed
  game->ShowGui(7, 3, 0);   // and a notice opened before the next update
  game->Update();
  std::vector<std::string> events;
  for (const std::string& e : Take())
    if (e.rfind("scene4 event", 0) == 0) events.push_back(e);
  EXPECT_EQ(events, (std::vector<std::string>{"scene4 event 18"}));
}

TEST_F(GameTest, HostWritesWithScoresOnDestructionAndReadsItBack) {
  BvPlayerStore& store = host->GetStore();
  store.SelectProfile(0, "Ann");
  store.profiles[0].score = 60000;
  std::remove(SavePath().c_str());
  delete host;  // writes the save, after submitting the scores
  host = nullptr;
  EXPECT_EQ(SaveSize(), 844);
  host = new BvGameHost(nullptr);
  host->LoadSaveGame();
  EXPECT_EQ(host->GetStore().current, 0);
  EXPECT_STREQ(host->GetStore().profiles[0].name, "Ann");
  EXPECT_EQ(host->GetStore().hiscores[1].score, 60000);
  EXPECT_STREQ(host->GetStore().hiscores[1].name, "Ann");
  // No save file: a reset store, and a new file when the host goes.
  delete host;
  std::remove(SavePath().c_str());
  host = new BvGameHost(nullptr);
  host->LoadSaveGame();
  EXPECT_EQ(host->GetStore().current, -1);
  EXPECT_EQ(host->GetStore().hiscores[1].score, 50000);
  delete host;
  host = nullptr;
  EXPECT_EQ(SaveSize(), 844);
  host = new BvGameHost(nullptr);  // for TearDown
}

// A save the host could not keep a copy of (a folder stands where the oldest
// copy would be dropped) is never written over in that run: not after a
// scene, not when the host goes; the player is told once.
TEST_F(GameTest, HostNeverWritesOverASaveItCouldNotKeep) {
  delete host;
  host = nullptr;
  const std::string folder = dir + "/brasvolt/quorvel/";
  std::filesystem::create_directories(folder + "savegame.sav.bad.4/inside");
  std::ofstream(folder + "savegame.sav.bad.3") << "older";
  std::ofstream(folder + "savegame.sav") << "short";
  bv::ClearShownMessages();
  host = new BvGameHost(nullptr);
  host->LoadSaveGame();
  EXPECT_EQ(host->GetStore().current, -1) << "a fresh store";
  host->GetStore().SelectProfile(0, "Ann");
  EXPECT_FALSE(host->SaveSaveGame()) << "after a scene";
  delete host;
  host = nullptr;
  EXPECT_EQ(SaveSize(), 5) << "the damaged save as it was";
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_NE(bv::ShownMessages()[0].text.find("no copy of it could be kept"), std::string::npos);
  host = new BvGameHost(nullptr);  // for TearDown
}

TEST_F(GameTest, FrozenGuiStopsSceneUpdatesAndSecondGuiIsDropped) {
  game->SetScene(4);
  game->ShowGui(0, 1, 0);
  const int before = scenes[4]->updates;
  game->Update();
  EXPECT_EQ(scenes[4]->updates, before) << "mode 1 freezes the scene";
  EXPECT_EQ(guis[0]->updates, 1);
  Take();
  game->ShowGui(8, 1, 4);
  EXPECT_EQ(game->GetCurrentGui(), 0);
  EXPECT_TRUE(Take().empty()) << "a second GUI is dropped entirely";
  game->SetGuiMode(0);
  game->ShowGui(5, 2, 0);
  game->Update();
  EXPECT_EQ(scenes[4]->updates, before + 1) << "mode 2 keeps the scene running";
}

TEST_F(GameTest, ShowGuiOutsideTableOrMissingLeavesModeZero) {
  game->SetScene(4);
  game->SetGuiEntry(9, nullptr);
  struct Case { int n; const char* message; };
  for (Case c : {Case{-1, "Gui #-1 not implemented !!"}, Case{11, "Gui #11 not implemented !!"},
                 Case{9, "Gui #9 not implemented !!"}}) {
    bv::ClearShownMessages();
    game->ShowGui(c.n, 1, 0);
    EXPECT_TRUE(Shown(c.message)) << c.n;
    EXPECT_EQ(game->GetGuiMode(), 0) << c.n;
  }
  // Later dialogs still open.
  game->ShowGui(1, 2, 0);
  EXPECT_EQ(game->GetGuiMode(), 2);
}

// A dialog whose level is missing from "global.xml" is reported and not
// opened: the mode stays 0, so the screen is not left waiting for it.
TEST_F(GameTest, ShowGuiWithoutItsLevelIsReportedAndOpensNothing) {
  game->SetScene(4);
  std::ofstream("global.xml") << "<global><levels><level name=\"gui0\"></level></levels></global>";
  Take();
  game->ShowGui(5, 2, 0);
  EXPECT_TRUE(Shown("Gui level #5 not found in global.xml"));
  EXPECT_EQ(game->GetGuiMode(), 0);
  EXPECT_EQ(game->GetCurrentGui(), -1);
  EXPECT_TRUE(Take().empty()) << "no Init";
  game->ShowGui(0, 1, 0);
  EXPECT_EQ(game->GetGuiMode(), 1) << "a dialog whose level exists still opens";
}

// A scene whose file fails to load in the flow is neither initialised nor
// updated in the frame that entered it (the quit ends the loop after it).
TEST_F(GameTest, SceneThatFailedToLoadIsNotUpdated) {
  game->SetScene(5);
  scenes[5]->Finish(3);  // replay: scene 4 + world 0
  scenes[4]->loads = false;
  game->Update();
  EXPECT_EQ(game->GetCurrentSceneNumber(), 4);
  EXPECT_TRUE(g_Quit);
  EXPECT_EQ(scenes[4]->updates, 0);
}

TEST_F(GameTest, StartPositionIsRangeChecked) {
  struct Case { int world, level, layout; bool profile; int wantWorld, wantLevel, wantLayout; };
  const Case cases[] = {
      {2, -1, -1, false, 0, 0, -1},  // no profile: nothing changes
      {2, -1, 12, true, 2, 5, 12},   // the saved level stays
      {2, 3, -1, true, 2, 3, -1},
      {9, 11, 60, true, 0, 5, -1},   // out of range: as if not given
      {6, -1, 70, true, 0, 5, -1},
      {-4, -7, -2, true, 0, 5, -1},  // negative values are "not given" too
  };
  for (const Case& c : cases) {
    BvPlayerStore& store = host->GetStore();
    store.Reset();
    if (c.profile) {
      store.SelectProfile(0, "Ann");
      store.profiles[0].level = 5;
    }
    g_CmdWorld = c.world;
    g_CmdLevel = c.level;
    g_CmdLayout = c.layout;
    game->ApplyStartPosition();
    EXPECT_EQ(store.profiles[0].world, c.wantWorld) << "-world " << c.world;
    EXPECT_EQ(store.profiles[0].level, c.wantLevel) << "-level " << c.level;
    EXPECT_EQ(g_CmdLayout, c.wantLayout) << "-layout " << c.layout;
  }
  g_CmdWorld = g_CmdLevel = g_CmdLayout = -1;
}

TEST_F(GameTest, TipsAreScheduledOnceAndRecordedWhenRefused) {
  BvPlayerStore& store = host->GetStore();
  store.SelectProfile(0, "Ann");
  game->SetScene(4);
  RecordingScene* scene = scenes[4];
  scene->ScheduleTip(8, 100.0f);
  scene->ScheduleTip(2, 10.0f);  // dropped: one is pending
  EXPECT_EQ(scene->GetTipBit(), 8);
  game->ShowGui(5, 2, 0);  // a recap open: the tip cannot show
  scene->Update(60.0f);
  EXPECT_TRUE(scene->IsTipPending());
  scene->Update(60.0f);
  EXPECT_FALSE(scene->IsTipPending());
  EXPECT_EQ(game->GetCurrentGui(), 5);
  EXPECT_EQ(store.profiles[0].seenTips, 8u) << "seen even though refused";
  scene->ScheduleTip(8, 10.0f);
  EXPECT_FALSE(scene->IsTipPending()) << "a seen tip is not scheduled again";
  scene->ScheduleTip(2, 10.0f);
  EXPECT_EQ(scene->GetTipBit(), 2) << "the dropped tip comes again at its next event";
  scene->Update(20.0f);
  EXPECT_EQ(store.profiles[0].seenTips, 10u);
  store.profiles[0].showHints = 0;
  scene->ScheduleTip(4, 10.0f);
  EXPECT_FALSE(scene->IsTipPending()) << "hints off";
}

}  // namespace

// Without "data/layouts.bin" no board can be set up: the player is told why
// in an "Error" box before the program quits; the remaining steps still run
// (the splash is entered and the quit takes effect at the frame's end).
TEST_F(GameTest, MissingLayoutsFileIsReportedBeforeQuitting) {
  bv::test::NullVideo video;
  bv::ClearShownMessages();
  game->LoadGlobalData();
  int errors = 0;
  for (const bv::ShownMessage& m : bv::ShownMessages())
    errors += m.caption == "Error" && m.text.find("data/layouts.bin") != std::string::npos;
  EXPECT_EQ(errors, 1);
  EXPECT_TRUE(g_Quit);
  EXPECT_EQ(game->GetCurrentSceneNumber(), 1);

  // With the whole file in place the same start says nothing about it.
  ASSERT_EQ(mkdir("data", 0755), 0);
  std::ofstream("data/layouts.bin", std::ios::binary)
      << std::string(60 * 17 * 13 * 8, '\0');
  g_Quit = false;
  bv::ClearShownMessages();
  game->LoadGlobalData();
  for (const bv::ShownMessage& m : bv::ShownMessages())
    EXPECT_NE(m.caption, "Error") << m.text;
}

// The global data's four font images become the dialogs' four fonts.
TEST_F(GameTest, EachDialogFontIsMadeFromItsOwnImage) {
  bv::test::NullVideo video;
  const std::pair<const char*, const char*> fonts[] = {{"guifont", "andalous-font18"},
                                                       {"tutofont", "andalus-font12"},
                                                       {"scorefont", "showcard-font12"},
                                                       {"trophyfont", "matura-font13"}};
  std::ofstream xml("global.xml");
  xml << "<global><images>";
  for (const auto& font : fonts)
    xml << "<image name=\"" << font.second << "\"><filename>" << font.second << ".png</filename></image>";
  xml << "</images><levels>";
  for (int n = 0; n < 11; ++n) xml << "<level name=\"gui" << n << "\"></level>";
  xml << "</levels></global>";
  xml.close();
  game->LoadGlobalData();
  for (const auto& font : fonts) {
    auto* text = dynamic_cast<BvTextElement*>(game->GetGlobalLevels()->GetElements()->FindObjectByName(font.first));
    ASSERT_NE(text, nullptr) << font.first;
    ASSERT_NE(text->GetFontImage(), nullptr) << font.first;
    EXPECT_STREQ(text->GetFontImage()->GetName(), font.second) << font.first;
  }
}

// The two splash screens on white: each uncovers, holds, covers at 200
// alpha units per second and ends with result 0 once covered, about 6.3 s
// (logo) and 4.3 s (distributor) after the visit began. No scene file is
// needed: without the logo element the logo screen just times out.
TEST_F(GameTest, SplashScreensLeaveOnTimeWithResultZero) {
  struct Case { BvScene* scene; float minMs, maxMs; uint32_t uncoverFrom; };
  BvSplashScene logo;
  BvSplashDistriScene distributor;
  const Case cases[] = {{&logo, 6200.0f, 6400.0f, 0x00ffffffu},
                        {&distributor, 4200.0f, 4400.0f, 0x00000000u}};
  for (const Case& c : cases) {
    game->SetClearColour(irr::video::SColor(0xff000000));
    c.scene->Init(0);
    EXPECT_EQ(game->GetClearColour().color, 0xffffffffu);
    EXPECT_EQ(game->GetFadeColour().color, c.uncoverFrom);
    int frames = 0;
    std::vector<float> alphas;
    while (!c.scene->IsDone() && frames < 1000) {
      c.scene->Update(30.0f);
      ++frames;
      if (frames == 1 || frames == 60) alphas.push_back(game->GetOverlayAlpha());
    }
    ASSERT_TRUE(c.scene->IsDone());
    EXPECT_GT(c.scene->GetElapsed(), c.minMs);
    EXPECT_LT(c.scene->GetElapsed(), c.maxMs);
    EXPECT_EQ(c.scene->GetResult(), 0);
    // 200 alpha units a second: 6 gone after the first 30 ms, none left
    // at 1.8 s, fully covered in black at the end.
    EXPECT_EQ(alphas, (std::vector<float>{249.0f, 0.0f}));
    EXPECT_EQ(game->GetFadeColour().color, 0x00000000u);
    EXPECT_EQ(game->GetOverlayAlpha(), 255.0f);
  }
}

// A frame step that divides the hold (20 ms: a frame ends exactly at 5 s)
// covers the logo smoothly from that frame on: no frame is drawn black
// before the cover has risen to it.
TEST_F(GameTest, SplashCoversWithoutABlackFrameWhenAFrameEndsOnTheHold) {
  for (float stepMs : {20.0f, 25.0f, 30.0f}) {
    BvSplashScene logo;
    logo.Init(0);
    float before = 0.0f;
    bool uncovered = false;
    for (int frame = 0; frame < 1000 && !logo.IsDone(); ++frame) {
      logo.Update(stepMs);
      const float alpha = game->GetOverlayAlpha();
      if (alpha == 0.0f) uncovered = true;
      if (uncovered) {
        EXPECT_LE(alpha - before, 200.0f * stepMs / 1000.0f + 1.0f)
            << stepMs << " ms frames, at " << logo.GetElapsed() << " ms";
      }
      before = alpha;
    }
    EXPECT_TRUE(uncovered) << stepMs;
    EXPECT_EQ(before, 255.0f) << stepMs;
  }
}

// The logo screen's visit: its logo, wherever the scene file put it, is
// moved to (0, 50), and its jingle plays once, at 0.4 and without repeat,
// straight through the sound manager (no system object here, so the sound
// switch would keep an ordinary effect silent).
TEST_F(GameTest, SplashPlacesTheLogoAndPlaysTheJingleOnce) {
  std::ofstream("splash.xml") << "<scene><levels><level name=\"splash\"><lvlelements>"
                                 "<lvlelement name=\"logo\"><pos x=\"30\" y=\"-70\"/></lvlelement>"
                                 "</lvlelements></level></levels></scene>";
  auto backend = std::make_unique<bv::FakeSoundBackend>();
  bv::FakeSoundBackend* fake = backend.get();
  BvSoundManager sounds(std::move(backend));
  sounds.LoadSound("data/sounds/intro.ogg", "intro", kSoundKindStream, 1);
  sounds.LoadSound("data/sounds/other.ogg", "other", kSoundKindStream, 1);
  struct UseSounds {
    BvSoundManager* saved = g_SoundManager;
    explicit UseSounds(BvSoundManager* manager) { g_SoundManager = manager; }
    ~UseSounds() { g_SoundManager = saved; }
  } useSounds(&sounds);

  BvSplashScene scene;
  ASSERT_TRUE(scene.Load());
  BvLevel* level = game->GetCurrentLevels()->GetCurrentLevel();
  ASSERT_NE(level, nullptr);
  auto* logo = static_cast<BvLevelElement*>(level->FindObjectByName("logo"));
  ASSERT_NE(logo, nullptr);
  EXPECT_EQ(logo->GetPosition(), irr::core::vector2df(30.0f, -70.0f));
  scene.Init(0);
  EXPECT_EQ(logo->GetPosition(), irr::core::vector2df(0.0f, 50.0f));
  for (int frame = 0; frame < 400 && !scene.IsDone(); ++frame) scene.Update(20.0f);
  EXPECT_TRUE(scene.IsDone());

  const bv::FakeSoundState& jingle = fake->At(fake->OpenedOn("data/sounds/intro.ogg").at(0));
  EXPECT_EQ(jingle.plays, 1);
  EXPECT_FALSE(jingle.repeat);
  EXPECT_FLOAT_EQ(jingle.volume, 0.4f);
  EXPECT_EQ(fake->At(fake->OpenedOn("data/sounds/other.ogg").at(0)).plays, 0);
}
