// The board screen headless, on a board whose host is a recording fake:
// what Init lays over the screen, the four states, the result table, the
// play clock, the buttons and the music.
#include "game/scenes/swap_scene.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/platform/message_box.h"
#include "engine/platform/random_source.h"
#include "engine/shell/globals.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_host.h"
#include "game/board/layout.h"
#include "game/core/game.h"
#include "game/core/layout_bank.h"
#include "game/core/layout_cell.h"
#include "game/core/player_store.h"
#include "support/fake_board_host.h"
#include "support/fixed_random.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

// Frames of 16 ms: the 63rd crosses one second.
constexpr float kFrameMs = 16.0f;

// A dialog that records its openings.
class RecordingGui : public BvScene {
 public:
  void Init(intptr_t argument) override { arguments.push_back(argument); }
  std::vector<intptr_t> arguments;
};

constexpr const char* kScreenFile =
    "<scene><images><image name=\"galaxy-font16\"><filename>missing16.png</filename></image></images>"
    "<elements>"
    "<element type=\"image\" name=\"bar\"/>"
    "</elements><levels><level name=\"board\"><lvlelements>"
    "<lvlelement name=\"scoregui\"><sourceelement>bar</sourceelement><pos x=\"0\" y=\"400\"/></lvlelement>"
    "<lvlelement name=\"sortgui\"><sourceelement>bar</sourceelement><pos x=\"246\" y=\"-400\"/></lvlelement>"
    "<lvlelement name=\"btnmenu\"><sourceelement>bar</sourceelement><pos x=\"300\" y=\"250\"/></lvlelement>"
    "</lvlelements></level></levels></scene>";

class SwapSceneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bv::SetRandomSource(&clock);
    world.WriteLevels("global.xml", Levels(11));
    WriteScreen("swap1.xml", kScreenFile);
    world.AddText("score", "Score: %d");
    world.AddText("niv", "World %d - Level %d");
    world.AddText("menu", "Menu");
    board = new BvLayout(&host);
    scene = new BvSwapScene(board);
    world.game()->SetSceneEntry(4, scene);
    for (int n : {0, 1, 5}) {
      guis[n] = new RecordingGui;
      world.game()->SetGuiEntry(n, guis[n]);
    }
    BvPlayerStore& store = world.host()->GetStore();
    store.SelectProfile(0, "Ann");
    store.profiles[0].world = 1;
    store.profiles[0].level = 3;  // layout 12
    store.profiles[0].score = 500;
    g_CmdLayout = -1;
  }
  void TearDown() override {
    delete board;
    bv::SetRandomSource(nullptr);
    g_CmdLayout = -1;
  }
  static std::string Levels(int count) {
    std::string out;
    for (int n = 0; n < count; ++n) out += "<level name=\"gui\"></level>";
    return out;
  }
  void WriteScreen(const char* file, const char* xml) {
    FILE* f = std::fopen(file, "w");
    std::fputs(xml, f);
    std::fclose(f);
  }
  BvLevelElement* Element(const char* name) const {
    BvLevel* level = world.game()->GetCurrentLevels()->GetCurrentLevel();
    return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
  }
  std::wstring Text(const BvLevelElement* element) const {
    return element && element->GetText() ? element->GetText() : L"";
  }
  // Frames of the screen alone, kFrameMs each, with its level's pass.
  void Frames(int count) {
    for (int i = 0; i < count; ++i) {
      scene->Update(kFrameMs);
      world.game()->GetCurrentLevels()->RenderCurrentLevel(kFrameMs, false, false);
    }
  }
  BvProfile& Profile() { return world.host()->GetStore().profiles[0]; }

  // The wall clock of the play clock, moved by hand.
  bv::test::FixedRandom clock;
  bv::test::NullVideo video;
  bv::test::GameWorld world;
  // The board creates nothing (no level manager) and records its requests.
  bv::test::FakeBoardHost host;
  BvLayout* board = nullptr;
  BvSwapScene* scene = nullptr;
  RecordingGui* guis[11] = {};
};

TEST_F(SwapSceneTest, InitLaysTheScoreBarPanelAndMenuOverTheScreen) {
  world.game()->SetScene(4);
  ASSERT_NE(scene->GetScoreText(), nullptr);
  EXPECT_EQ(Text(scene->GetScoreText()), L"Score: 500");
  EXPECT_EQ(Text(scene->GetLevelText()), L"World 2 - Level 4");
  EXPECT_EQ(scene->GetScoreText()->GetParent(), Element("scoregui"));
  EXPECT_EQ(scene->GetScoreText()->GetLayer(), 7);
  EXPECT_EQ(scene->GetScoreText()->GetTextAlign(), 1);
  const BvLevelElement* menu = Element("btnmenu");
  ASSERT_EQ(menu->GetChildren().size(), 1u);
  EXPECT_EQ(Text(menu->GetChildren()[0]), L"Menu");
  for (const char* name : {"scoregui", "sortgui"}) {
    ASSERT_EQ(Element(name)->GetBehaviors().size(), 1u) << name;
    EXPECT_EQ(Element(name)->GetBehaviors()[0]->GetType(), kBehaviorMoveTo) << name;
  }
  EXPECT_EQ(world.game()->GetClearColour().color, 0xFF000000u);
  EXPECT_EQ(scene->GetState(), BvSwapScene::kStatePlaying);

  scene->AddScore(250);
  EXPECT_EQ(Profile().score, 750);
  EXPECT_EQ(Text(scene->GetScoreText()), L"Score: 750");
}

// A screen file without "scoregui" leaves no text pointer from the last
// visit, whose elements went with its level.
TEST_F(SwapSceneTest, AVisitWithoutScoreBarKeepsNoOldTextPointers) {
  world.game()->SetScene(4);
  ASSERT_NE(scene->GetScoreText(), nullptr);
  WriteScreen("swap1.xml",
              "<scene><elements><element type=\"image\" name=\"bar\"/></elements>"
              "<levels><level name=\"bare\"></level></levels></scene>");
  world.game()->SetScene(4);
  EXPECT_EQ(scene->GetScoreText(), nullptr);
  EXPECT_EQ(scene->GetLevelText(), nullptr);
  scene->AddScore(10);  // must not touch the old, deleted text
  EXPECT_EQ(Profile().score, 510);
}

TEST_F(SwapSceneTest, StatesFromPlayToRecapToLeaving) {
  world.system()->config.soundOn = 0;  // "layout" ignores the switch
  world.game()->SetScene(4);
  Frames(62);
  EXPECT_EQ(world.Plays("layout"), 0);
  Frames(1);
  EXPECT_EQ(world.Plays("layout"), 1) << "one second in";
  Frames(20);
  EXPECT_EQ(world.Plays("layout"), 1);

  // The won show ended while a notice was up: the recap opens anyway.
  world.game()->SetGuiMode(3);
  scene->SetState(BvSwapScene::kStateWon);
  Frames(1);
  EXPECT_EQ(world.game()->GetGuiMode(), 2);
  EXPECT_EQ(world.game()->GetCurrentGui(), 5);
  EXPECT_EQ(guis[5]->arguments, std::vector<intptr_t>{reinterpret_cast<intptr_t>(scene)});
  EXPECT_EQ(scene->GetState(), BvSwapScene::kStateRecap);
  Frames(10);
  EXPECT_EQ(scene->GetState(), BvSwapScene::kStateRecap) << "waits for the recap";

  world.game()->SetGuiMode(0);
  world.game()->NotifyScene(14);
  EXPECT_EQ(scene->GetState(), BvSwapScene::kStateLeaving);
  g_SoundManager->PlaySound("warning", true, 1.0f);
  int frames = 0;
  while (!scene->IsDone() && frames < 200) {
    scene->Update(kFrameMs);
    ++frames;
  }
  EXPECT_FALSE(world.IsPlaying("warning")) << "the gauge's alarm stops";
  EXPECT_NEAR(frames * kFrameMs, 1275.0f, 2 * kFrameMs) << "covered at 200 alpha units a second";
  EXPECT_EQ(scene->GetResult(), 0);
}

TEST_F(SwapSceneTest, ResultTableAndPlayClock) {
  struct Case { int code; int state; int result; int gui; };
  const Case cases[] = {
      {1, 3, 1, -1}, {3, 3, 2, -1}, {14, 3, 0, -1}, {16, 3, 3, -1},
      {4, 0, 0, 1},  // the options, frozen
      {2, 0, 0, -1}, {5, 0, 0, -1}, {0, 0, 0, -1}, {99, 0, 0, -1},
  };
  for (const Case& c : cases) {
    world.game()->SetGuiMode(0);
    world.game()->SetScene(4);
    world.game()->NotifyScene(c.code);
    EXPECT_EQ(scene->GetState(), c.state) << "event " << c.code;
    EXPECT_EQ(scene->GetResult(), c.result) << "event " << c.code;
    if (c.gui >= 0) {
      EXPECT_EQ(world.game()->GetCurrentGui(), c.gui) << "event " << c.code;
      EXPECT_EQ(world.game()->GetGuiMode(), 1) << "event " << c.code;
    }
  }
  BvLevelStats& stats = *scene->GetLevelStats();
  stats.Reset(clock.now);
  clock.now += 30;
  scene->OnEvent(17);  // a dialog opened: 30 s of play
  clock.now += 100;
  scene->OnEvent(18);  // closed: the 100 s under it do not count
  clock.now += 5;
  scene->OnEvent(17);
  EXPECT_EQ(stats.playSeconds, 35);
}

TEST_F(SwapSceneTest, MenuButtonOnlyWithoutAnOpenDialog) {
  world.game()->SetScene(4);
  Frames(1);  // bodies are made
  struct Case { int mode; bool opens; };
  for (Case c : {Case{2, false}, Case{1, false}, Case{0, true}}) {
    world.game()->SetGuiMode(c.mode);
    guis[0]->arguments.clear();
    world.MoveCursor(300.0f, 250.0f);
    world.PressLeft(true);
    scene->HandleButtons();
    EXPECT_EQ(guis[0]->arguments.size(), c.opens ? 1u : 0u) << "mode " << c.mode;
    EXPECT_EQ(world.game()->IsLeftButtonDown(), !c.opens) << "the press is consumed once used";
    world.PressLeft(false);
  }
  EXPECT_EQ(world.game()->GetGuiMode(), 1) << "the pause menu, frozen";
}

// A press on the spell panel reaches the board: an empty spell answers
// with its refusal sound, on the panel only and only without a dialog.
TEST_F(SwapSceneTest, APressOnTheSpellPanelReachesTheBoard) {
  world.game()->SetScene(4);
  Frames(1);  // bodies are made
  host.manager = world.game()->GetCurrentLevels();
  board->Setup(nullptr);  // six empty spells
  const irr::core::vector2df panel = Element("sortgui")->GetPosition();
  struct Case {
    const char* what;
    int mode;
    float x, y;
    int fails;
  };
  const Case cases[] = {
      // The panel's middle is its fourth spell's place.
      {"the fourth spell", 0, panel.X, panel.Y, 1},
      {"the fourth spell under a dialog", 1, panel.X, panel.Y, 0},
      {"beside the panel", 0, panel.X - 300.0f, panel.Y, 0},
  };
  for (const Case& c : cases) {
    world.game()->SetGuiMode(c.mode);
    const int before = world.Plays("clickfail");
    world.MoveCursor(c.x, c.y);
    world.PressLeft(true);
    scene->HandleButtons();
    world.PressLeft(false);
    EXPECT_EQ(world.Plays("clickfail"), before + c.fails) << c.what;
  }
  world.game()->SetGuiMode(0);
  host.manager = nullptr;
}

// The right button held deselects on every frame while no dialog blocks
// the screen; a notice (mode 3) does not block it.
TEST_F(SwapSceneTest, RightButtonHeldDeselectsUnlessADialogIsOpen) {
  world.game()->SetScene(4);
  BvPiece& cell = board->GetCell(5, 5);
  cell.present = 1;
  cell.colour = 2;
  struct Case { int mode; bool deselects; };
  for (Case c : {Case{0, true}, Case{3, true}, Case{1, false}, Case{2, false}}) {
    board->ClearSelection();
    board->OnNotify(kEventPiecePressed, &cell);
    ASSERT_EQ(board->GetFirstColumn(), 5);
    world.game()->SetGuiMode(c.mode);
    world.system()->rightDown = 1;
    scene->HandleButtons();
    world.system()->rightDown = 0;
    EXPECT_EQ(board->GetFirstColumn() == -1, c.deselects) << "mode " << c.mode;
  }
  world.game()->SetGuiMode(0);
}

TEST_F(SwapSceneTest, MusicByLayoutParityAndNotRestartedOnReplay) {
  struct Case { int cmdLayout; int level; const char* music; };
  const Case cases[] = {
      {-1, 3, "musicswap"},   // layout 12
      {-1, 4, "musicswap2"},  // layout 13
      {7, 3, "musicswap2"},   // "-layout 7" whatever the level
  };
  for (const Case& c : cases) {
    StopMusic();
    g_CmdLayout = c.cmdLayout;
    Profile().level = c.level;
    world.game()->SetScene(4);
    EXPECT_TRUE(world.IsPlaying(c.music)) << c.music;
    const int plays = world.Plays(c.music);
    world.game()->SetScene(4);  // the same level again
    EXPECT_EQ(world.Plays(c.music), plays) << "runs on unchanged";
  }
}

TEST_F(SwapSceneTest, SixScreensReadTheirOwnFiles) {
  BvSwapScene2 s2(board);
  BvSwapScene3 s3(board);
  BvSwapScene4 s4(board);
  BvSwapScene5 s5(board);
  BvSwapScene6 s6(board);
  const BvSwapScene* screens[] = {scene, &s2, &s3, &s4, &s5, &s6};
  for (int w = 0; w < 6; ++w)
    EXPECT_EQ(std::string(screens[w]->GetFile()), "swap" + std::to_string(w + 1) + ".xml");
}


// The board screen sets up the layout of the profile's world and level
// and names them on its score bar.
TEST_F(SwapSceneTest, TheBoardOfThePlayersWorldAndLevel) {
  struct Case {
    int worldNumber, level;
    int layout;
    const wchar_t* label;
  };
  const Case cases[] = {
      {0, 0, 0, L"World 1 - Level 1"},   {1, 3, 12, L"World 2 - Level 4"},
      {3, 2, 31, L"World 4 - Level 3"},  {5, 10, 59, L"World 6 - Level 11"},
      {2, 0, 20, L"World 3 - Level 1"},
  };
  BvLayoutBank* bank = world.game()->GetLayoutBank();
  ASSERT_NE(bank, nullptr);
  for (const Case& c : cases) {
    // Only the expected layout locks its first cell twice.
    BvLayoutCell marked;
    marked.back = 1;
    marked.front = 3;
    const BvLayoutCell plain = bank->GetCell(c.layout, 0, 0);
    bank->SetCell(c.layout, 0, 0, marked);
    Profile().world = c.worldNumber;
    Profile().level = c.level;
    world.game()->SetScene(4);
    EXPECT_EQ(Text(scene->GetLevelText()), c.label) << c.layout;
    Frames(70);  // the layout is set up one second in
    EXPECT_EQ(board->GetCell(0, 0).lockCounter, 2) << "world " << c.worldNumber << " level " << c.level
                                                   << ": layout " << c.layout;
    bank->SetCell(c.layout, 0, 0, plain);
  }
}

}  // namespace
