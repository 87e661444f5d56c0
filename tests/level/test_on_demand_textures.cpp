// Textures by need: with the render savings on, a scene's on-demand images
// get textures only while held and only once something drew them (decoded
// off the main thread, made at the start of a later pass), "never" images
// none at all, and clearing the scene releases only what it loaded (a name
// another manager shares keeps its texture). With the savings off every
// image loads with its scene.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/sprite.h"
#include "engine/resources/image.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_manager.h"
#include "support/null_video.h"

namespace {

// "art*" on demand, "font*" never, the rest with the scene.
BvTextureNeed NeedByName(const BvImage& image) {
  const std::string name = image.GetName();
  if (name.rfind("art", 0) == 0) return BvTextureNeed::kOnDemand;
  if (name.rfind("font", 0) == 0) return BvTextureNeed::kNever;
  return BvTextureNeed::kWithScene;
}

class OnDemandTexturesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(video.driver(), nullptr);
    folder = bv::test::MakeTempFolder("qv-on-demand");
    ASSERT_TRUE(video.WritePng(folder + "/p.png", 8, 8, irr::video::SColor(255, 1, 2, 3)));
    ASSERT_TRUE(video.WritePng(folder + "/q.png", 4, 4, irr::video::SColor(255, 4, 5, 6)));
    ASSERT_TRUE(video.WritePng(folder + "/r.png", 4, 4, irr::video::SColor(128, 7, 8, 9)));
    scene = folder + "/scene.xml";
    std::ofstream(scene) << "<scene><images>"
                         << "<image name=\"art1\"><filename>" << folder << "/p.png</filename></image>"
                         << "<image name=\"art2\"><filename>" << folder << "/r.png</filename></image>"
                         << "<image name=\"font1\"><filename>" << folder << "/q.png</filename></image>"
                         << "<image name=\"back\"><filename>" << folder << "/q.png</filename></image>"
                         << "</images><sprites>"
                         << "<sprite name=\"s1\"><sourceimage>art1</sourceimage>"
                         << "<sourcerect x=\"0\" y=\"0\" width=\"8\" height=\"8\"/></sprite>"
                         << "<sprite name=\"s2\"><sourceimage>art2</sourceimage>"
                         << "<sourcerect x=\"0\" y=\"0\" width=\"4\" height=\"4\"/></sprite>"
                         << "</sprites></scene>";
    manager = std::make_unique<BvLevelManager>(nullptr, false);
    manager->SetTextureNeeds(NeedByName);
  }
  void TearDown() override {
    manager.reset();
    bv::SetRenderSavings(true);
  }
  bool Held(const char* name) const { return g_TextureManager->Find(name) != nullptr; }
  // One frame's drawing of a sprite, then what the next pass takes in.
  void Draw(const char* sprite) {
    manager->DrawSpriteByName(sprite, irr::core::vector2df(0, 0), 0.0f,
                              irr::core::vector2df(1, 1), irr::video::SColor(0xFFFFFFFF), false,
                              false);
  }
  void NextPass() {
    manager->WaitForDecodedTextures();
    manager->UploadDecodedTextures();
  }

  bv::test::NullVideo video;
  std::string folder;
  std::string scene;
  std::unique_ptr<BvLevelManager> manager;
};

TEST_F(OnDemandTexturesTest, OnDemandArtIsHeldOnlyOnceDrawnWhileHeld) {
  bv::SetRenderSavings(true);
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  EXPECT_TRUE(Held("back"));
  EXPECT_FALSE(Held("art1"));
  EXPECT_FALSE(Held("font1")) << "a never image gets no texture";
  Draw("s1");
  NextPass();
  EXPECT_FALSE(Held("art1")) << "drawn while not held: nothing loads";
  manager->HoldOnDemandTextures();
  manager->HoldOnDemandTextures();  // a second hold changes nothing
  EXPECT_FALSE(Held("art1")) << "the hold itself loads nothing";
  Draw("s1");
  EXPECT_TRUE(Held("art1")) << "made in time for its first drawing";
  Draw("s1");  // drawn again: loaded once
  EXPECT_EQ(g_TextureManager->Find("art1")->references, 1);
  EXPECT_FALSE(Held("art2")) << "never drawn: never loaded";
  EXPECT_FALSE(Held("font1"));
  manager->ReleaseOnDemandTextures();
  EXPECT_FALSE(Held("art1")) << "one hold, one release: gone";
  EXPECT_TRUE(Held("back"));
}

TEST_F(OnDemandTexturesTest, APictureDecodedAfterTheReleaseIsDropped) {
  bv::SetRenderSavings(true);
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  manager->HoldOnDemandTextures();
  Draw("s2");
  manager->ReleaseOnDemandTextures();
  NextPass();
  EXPECT_FALSE(Held("art2")) << "the dialog closed before its picture came";
  manager->HoldOnDemandTextures();
  NextPass();
  EXPECT_FALSE(Held("art2")) << "nor does it come with the next hold";
  Draw("s2");
  NextPass();
  EXPECT_TRUE(Held("art2"));
  manager->ReleaseOnDemandTextures();
}

TEST_F(OnDemandTexturesTest, PicturesAskedAheadGoUpAShareAPass) {
  bv::SetRenderSavings(true);
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  // A level showing both on-demand sprites, as a dialog's does.
  auto* level = new BvLevel("dialog");
  manager->GetLevels()->AddObject(level);
  for (const char* sprite : {"s1", "s2"}) {
    auto* source = new BvImageElement((std::string("e") + sprite).c_str());
    source->SetSprite(static_cast<BvSprite*>(manager->GetSprites()->GetObjectByName(sprite)));
    manager->GetElements()->AddObject(source);
    auto* element = new BvLevelElement(manager.get());
    element->SetName((std::string("l") + sprite).c_str());
    element->SetSourceElement(source);
    element->SetDynType(-1);
    ASSERT_TRUE(level->AddObject(element));
  }
  manager->HoldOnDemandTextures();
  manager->PrefetchOnDemandTextures();
  EXPECT_FALSE(Held("art1")) << "asked for, not yet made";
  manager->WaitForDecodedTextures();
  manager->UploadDecodedTextures(1);
  EXPECT_EQ(int(Held("art1")) + int(Held("art2")), 1) << "one picture per share";
  manager->UploadDecodedTextures(1);
  EXPECT_TRUE(Held("art1") && Held("art2")) << "the other in the next";
  manager->ReleaseOnDemandTextures();

  // Drawn while it waits for its share: made at once.
  manager->HoldOnDemandTextures();
  manager->PrefetchOnDemandTextures();
  manager->WaitForDecodedTextures();
  manager->UploadDecodedTextures(1);
  const bool firstUp = Held("art1");
  Draw(firstUp ? "s2" : "s1");
  EXPECT_TRUE(Held("art1") && Held("art2"));
  manager->ReleaseOnDemandTextures();
  EXPECT_FALSE(Held("art1") || Held("art2"));
}

TEST_F(OnDemandTexturesTest, ARebuiltDisplayLoadsTheArtAgainWhenDrawn) {
  bv::SetRenderSavings(true);
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  g_TextureManager->Clear();
  manager->LoadImageTextures();
  EXPECT_TRUE(Held("back"));
  EXPECT_FALSE(Held("art1"));
  manager->HoldOnDemandTextures();
  Draw("s1");
  NextPass();
  ASSERT_TRUE(Held("art1"));
  g_TextureManager->Clear();
  manager->LoadImageTextures();
  EXPECT_TRUE(Held("back"));
  EXPECT_FALSE(Held("art1")) << "its texture left with the old display";
  Draw("s1");
  NextPass();
  EXPECT_TRUE(Held("art1")) << "drawn again while held";
  manager->ReleaseOnDemandTextures();
  EXPECT_FALSE(Held("art1"));
}

TEST_F(OnDemandTexturesTest, ClearingTheSceneLeavesWhatItDidNotLoad) {
  bv::SetRenderSavings(true);
  // Another owner of the names, loading everything.
  BvLevelManager other(nullptr, false);
  ASSERT_TRUE(other.LoadScene(scene.c_str()));
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  manager->ClearScene();
  for (const char* name : {"art1", "art2", "font1", "back"})
    EXPECT_TRUE(Held(name)) << name << " is still the other owner's";
  other.ClearScene();
  EXPECT_EQ(g_TextureManager->GetCount(), 0u);
}

TEST_F(OnDemandTexturesTest, WithoutTheSavingsEveryImageLoadsWithItsScene) {
  bv::SetRenderSavings(false);
  ASSERT_TRUE(manager->LoadScene(scene.c_str()));
  for (const char* name : {"art1", "art2", "font1", "back"}) EXPECT_TRUE(Held(name)) << name;
  manager->ReleaseOnDemandTextures();
  EXPECT_TRUE(Held("art1")) << "nothing was held on demand";
}

}  // namespace
