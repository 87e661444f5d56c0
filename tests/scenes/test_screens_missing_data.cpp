// The title menu and the world map headless on screen files that lack what
// they look for: no map arrow, no spots, no play button, a change-player bar
// without a picture. The screens go on (no crash, no division by zero) and
// reach their live states.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/map_scene.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 16.0f;

std::string Element(const char* name) {
  return "<element type=\"image\" name=\"" + std::string(name) + "\"/>";
}

std::string LevelElement(const char* name, const char* source, int x, int y) {
  return "<lvlelement name=\"" + std::string(name) + "\"><sourceelement>" + source +
         "</sourceelement><pos x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) +
         "\"/></lvlelement>";
}

void WriteScreen(const char* file, const std::string& elements, const std::string& level) {
  std::ofstream out(file);
  out << "<scene><elements>" << elements << "</elements><levels><level name=\"screen\"><lvlelements>"
      << level << "</lvlelements></level></levels></scene>";
}

class MissingDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string levels;
    for (int n = 0; n <= 10; ++n) levels += "<level name=\"gui\"></level>";
    world.WriteLevels("global.xml", levels);
    BvPlayerStore& store = world.host()->GetStore();
    store.SelectProfile(0, "Ann");
    store.profiles[0].world = 2;
    store.profiles[0].level = 5;  // spot 27
  }
  void Frames(BvScene* scene, int count) {
    for (int i = 0; i < count; ++i) {
      scene->Update(kFrameMs);
      world.game()->GetCurrentLevels()->RenderCurrentLevel(kFrameMs, false, false);
    }
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
};

TEST_F(MissingDataTest, MapWithoutArrowOrSpotsGoesLive) {
  struct Case {
    const char* what;
    bool spots;
    bool mapArrow;
  };
  for (const Case& c : {Case{"no map arrow", true, false}, Case{"no spots", false, true},
                        Case{"neither", false, false}}) {
    std::string level = LevelElement("arrow", "arrow", 300, -250);
    if (c.mapArrow) level += LevelElement("maparrow", "maparrow", 0, 0);
    if (c.spots)
      for (int i = 0; i < 30; ++i) {
        const std::string name = "sp" + std::to_string(i);
        level += LevelElement(name.c_str(), i % 11 == 0 ? "spotbigoff" : "spotoff", i * 10 - 300, 0);
      }
    WriteScreen("map.xml",
                Element("arrow") + Element("maparrow") + Element("spotoff") + Element("spoton") +
                    Element("spotbigoff") + Element("spotbigon") + Element("sparkle") +
                    Element("cinema"),
                level);
    world.game()->SetScene(kSceneMap);
    auto* map = static_cast<BvMapScene*>(world.game()->GetScene(kSceneMap));
    EXPECT_EQ(map->GetMapArrow() != nullptr, c.mapArrow) << c.what;
    EXPECT_FALSE(map->HasTarget()) << c.what << ": nothing to move to";
    Frames(map, 200);  // past the arrow's arrival and the first sparkle wave
    EXPECT_EQ(map->GetState(), BvMapScene::kStateLive) << c.what;
    if (c.spots) {
      EXPECT_EQ(map->FindSpot(27)->GetSourceElement()->GetNameString(), "spoton") << c.what;
      EXPECT_EQ(map->FindSpot(22)->GetSourceElement()->GetNameString(), "spotbigon") << c.what;
      EXPECT_EQ(map->FindSpot(28)->GetSourceElement()->GetNameString(), "spotoff") << c.what;
    }
  }
}

// The map's two buttons, when missing, are reported on a press as the
// board's are.
TEST_F(MissingDataTest, MapReportsAMissingMenuButtonOrArrowOnAPress) {
  for (const char* missing : {"btnmenu", "arrow"}) {
    std::string level = LevelElement("maparrow", "maparrow", 0, 0);
    for (const char* button : {"btnmenu", "arrow"})
      if (std::string(button) != missing) level += LevelElement(button, button, 300, -250);
    WriteScreen("map.xml", Element("arrow") + Element("btnmenu") + Element("maparrow"), level);
    world.game()->SetScene(kSceneMap);
    auto* map = static_cast<BvMapScene*>(world.game()->GetScene(kSceneMap));
    Frames(map, 200);
    ASSERT_EQ(map->GetState(), BvMapScene::kStateLive) << missing;
    bv::ClearShownMessages();
    world.MoveCursor(-300, 250);  // on neither button
    world.PressLeft(true);
    Frames(map, 1);
    world.PressLeft(false);
    const std::string text = std::string("GetObjectByName, Object not found : ") + missing;
    bool reported = false;
    for (const bv::ShownMessage& message : bv::ShownMessages())
      reported = reported || (message.caption == "Alert" && message.text == text);
    EXPECT_TRUE(reported) << missing;
    EXPECT_EQ(map->GetState(), BvMapScene::kStateLive) << missing;
  }
}

TEST_F(MissingDataTest, TitleMenuWithoutPlayButtonOrBarPicture) {
  // "item" has no sprite: its width is 0.
  WriteScreen("intro.xml", Element("titrejeu") + Element("trophies1") + Element("item"), "");
  world.game()->SetScene(kSceneIntro);
  auto* intro = static_cast<BvIntroScene*>(world.game()->GetScene(kSceneIntro));
  EXPECT_EQ(intro->GetPlayButton(), nullptr);
  ASSERT_NE(intro->GetTrophiesButton(), nullptr);
  BvLevelElement* bar = intro->GetChangePlayerBar();
  ASSERT_NE(bar, nullptr);
  EXPECT_TRUE(std::isfinite(bar->GetScale().X));
  EXPECT_EQ(bar->GetScale().X, 1.0f) << "keeps its own width";
  // The glide moves a step a frame: a few hundred frames.
  for (int i = 0; i < 2000 && intro->GetState() != BvIntroScene::kStateLive; ++i) Frames(intro, 1);
  ASSERT_EQ(intro->GetState(), BvIntroScene::kStateLive);
  EXPECT_EQ(world.game()->GetCurrentLevels()->GetCamera()->GetLocalPosition().Y, 0.0f);
  // A click where the play button would be is heard but starts nothing;
  // the buttons that are there still answer.
  const int clicks = world.Plays("guiclick");
  world.MoveCursor(0, 70);
  world.PressLeft(true);
  Frames(intro, 2);
  EXPECT_EQ(world.Plays("guiclick"), clicks + 1) << "the click was read";
  EXPECT_EQ(intro->GetState(), BvIntroScene::kStateLive);
  EXPECT_EQ(world.game()->GetGuiMode(), 0);
  world.MoveCursor(0, 0);  // the trophies button
  world.PressLeft(true);
  Frames(intro, 1);
  world.PressLeft(false);
  EXPECT_EQ(world.game()->GetCurrentGui(), 9) << "the trophies open";
  EXPECT_EQ(world.game()->GetGuiMode(), 2);
}

}  // namespace
