// The texture manager: colour-key kinds, tile arithmetic, entries by name
// (replacing, sharing a file, releasing) and the failure message, on the
// NULL driver (its textures have no pixels and report 0x0, so sizes are set
// on the entries where tiles are needed).
#include <gtest/gtest.h>

#include <string>

#include "engine/platform/message_box.h"
#include "engine/resources/texture_functions.h"
#include "engine/resources/texture_manager.h"
#include "engine/resources/texture_tiles.h"
#include "support/null_video.h"

namespace {

TEST(TextureTiles, ColourKeyOfEveryKind) {
  struct Case {
    int kind;
    unsigned key;
  };
  const Case cases[] = {
      {0, 0xFFFFFFFFu}, {1, 0xFFFFFFFFu},  // -1: no key, alpha channel
      {4, 0xFF00FF00u}, {5, 0xFF0000FFu}, {6, 0xFFFF00FFu}, {7, 0xFF6E7A7Cu},
      {2, 0xFFFF0000u}, {3, 0xFFFF0000u}, {8, 0xFFFF0000u}, {-3, 0xFFFF0000u},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(bv::ColorKeyForKind(c.kind)), c.key) << "kind " << c.kind;
  }
}

TEST(TextureTiles, SourceRectangleOfTilesAndWholePictures) {
  BvTextureEntry entry;
  entry.width = 64;
  entry.height = 32;
  EXPECT_EQ(bv::TileSourceRect(entry), irr::core::recti(0, 0, 64, 32)) << "untiled";

  entry.tiled = 1;
  entry.tileWidth = 16;
  entry.tileHeight = 16;
  struct Case {
    int frame;
    irr::core::recti rect;
  };
  const Case cases[] = {
      {0, {0, 0, 16, 16}},   {3, {48, 0, 64, 16}},   {4, {0, 16, 16, 32}},
      {5, {16, 16, 32, 32}}, {7, {48, 16, 64, 32}},
  };
  for (const Case& c : cases) {
    entry.frame = c.frame;
    EXPECT_EQ(bv::TileSourceRect(entry), c.rect) << "frame " << c.frame;
  }
}

TEST(TextureTiles, TilesMustFitAndBePositive) {
  EXPECT_TRUE(bv::CanTile(64, 32, 16, 16));
  EXPECT_TRUE(bv::CanTile(64, 32, 64, 32));
  EXPECT_FALSE(bv::CanTile(64, 32, 65, 16));
  EXPECT_FALSE(bv::CanTile(64, 32, 16, 33));
  EXPECT_FALSE(bv::CanTile(64, 32, 0, 16)) << "a zero tile would divide by zero";
  EXPECT_FALSE(bv::CanTile(64, 32, 16, -4));
  EXPECT_FALSE(bv::CanTile(0, 0, 0, 0));
}

class TextureManagerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = bv::test::MakeTempFolder("texture_manager");
    red_ = folder_ + "/red.png";
    blue_ = folder_ + "/blue.png";
    ASSERT_TRUE(video_.WritePng(red_, 8, 8, irr::video::SColor(0xFFFF0000u)));
    ASSERT_TRUE(video_.WritePng(blue_, 8, 8, irr::video::SColor(0xFF0000FFu)));
  }

  bv::test::NullVideo video_;
  std::string folder_, red_, blue_;
};

TEST_F(TextureManagerTest, SameFileTwiceUnderOneNameKeepsOneEntryAndTexture) {
  BvTextureManager& tm = *g_TextureManager;
  const irr::u32 before = video_.driver()->getTextureCount();
  tm.LoadTexture(red_.c_str(), "red", -1);
  irr::video::ITexture* first = tm.Find("red")->texture;
  tm.LoadTexture(red_.c_str(), "red", -1);
  EXPECT_EQ(tm.GetCount(), 1u);
  EXPECT_EQ(tm.Find("red")->texture, first);
  EXPECT_EQ(video_.driver()->getTextureCount(), before + 1);
}

TEST_F(TextureManagerTest, ReplacingTheFileKeepsTileSettingsAndPosition) {
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "sheet", -1);
  BvTextureEntry* entry = tm.Find("sheet");
  entry->width = 64;  // the NULL driver reports 0x0
  entry->height = 32;
  ASSERT_EQ(tm.SetTiles("sheet", 16, 16), entry);
  tm.SetPosition(30, 40);
  tm.SetFrame(5);
  tm.LoadTexture(blue_.c_str(), "sheet", -2);
  entry = tm.Find("sheet");
  EXPECT_EQ(tm.GetCurrent(), entry);
  EXPECT_EQ(entry->texture, video_.driver()->findTexture(blue_.c_str()));
  EXPECT_EQ(video_.driver()->findTexture(red_.c_str()), nullptr) << "the old texture left";
  EXPECT_EQ(entry->tiled, 1);
  EXPECT_EQ(entry->x, 30);
  EXPECT_EQ(entry->frame, 5);
  EXPECT_EQ(entry->useAlphaChannel, 0) << "key -2 ignores the alpha channel";
  EXPECT_EQ(tm.GetSourceRect(), irr::core::recti(16, 16, 32, 32));
}

TEST_F(TextureManagerTest, RefusedTilesLeaveTheEntryUntiled) {
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "t", -1);
  BvTextureEntry* entry = tm.Find("t");
  entry->width = 8;
  entry->height = 8;
  for (auto [w, h] : {std::pair{9, 8}, {8, 9}, {0, 4}, {4, 0}, {-1, 4}}) {
    tm.SetTiles("t", w, h);
    EXPECT_EQ(entry->tiled, 0) << w << " x " << h;
  }
  EXPECT_EQ(tm.SetTiles("missing", 4, 4), nullptr);
}

TEST_F(TextureManagerTest, ReleaseOfTheCurrentMakesTheFirstNameCurrent) {
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "m", -1);
  tm.LoadTexture(blue_.c_str(), "c", -1);
  tm.LoadTexture(blue_.c_str(), "x", -1);
  tm.Select("m");
  tm.Release("m");
  EXPECT_EQ(tm.GetCurrent(), tm.Find("c"));
  tm.Release("c");
  EXPECT_EQ(tm.GetCurrent(), tm.Find("x"));
  tm.Release("x");
  EXPECT_EQ(tm.GetCurrent(), nullptr);
  EXPECT_EQ(tm.GetSourceRect(), irr::core::recti(0, 0, 0, 0));
}

TEST_F(TextureManagerTest, ASharedFileStaysWithTheDriverUntilItsLastName) {
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "a", -1);
  tm.LoadTexture(red_.c_str(), "b", -1);
  ASSERT_EQ(tm.Find("a")->texture, tm.Find("b")->texture);
  tm.Release("a");
  EXPECT_NE(video_.driver()->findTexture(red_.c_str()), nullptr) << "b still draws it";
  tm.Release("b");
  EXPECT_EQ(video_.driver()->findTexture(red_.c_str()), nullptr);
}

TEST_F(TextureManagerTest, ANameLoadedByTwoOwnersStaysUntilBothReleaseIt) {
  // The global manager and a scene's manager both load "shared".
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "shared", -1);
  tm.LoadTexture(red_.c_str(), "shared", -1);
  tm.Release("shared");
  ASSERT_NE(tm.Find("shared"), nullptr) << "the other owner still draws it";
  EXPECT_NE(video_.driver()->findTexture(red_.c_str()), nullptr);
  tm.Release("shared");
  EXPECT_EQ(tm.Find("shared"), nullptr);
  EXPECT_EQ(video_.driver()->findTexture(red_.c_str()), nullptr);
}

TEST_F(TextureManagerTest, MissingFileShowsItsAlertAndChangesNothing) {
  BvTextureManager& tm = *g_TextureManager;
  tm.LoadTexture(red_.c_str(), "red", -1);
  bv::ClearShownMessages();
  std::string missing = folder_ + "/nothing.png";
  tm.LoadTexture(missing.c_str(), "ghost", 0x12345678);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Alert");
  EXPECT_EQ(bv::ShownMessages()[0].text, "Image not found : " + missing);
  EXPECT_EQ(tm.Find("ghost"), nullptr);
  EXPECT_EQ(tm.GetCurrent(), tm.Find("red"));
  // An existing name with a missing file: silent, unchanged.
  irr::video::ITexture* before = tm.Find("red")->texture;
  tm.LoadTexture(missing.c_str(), "red", -1);
  EXPECT_EQ(tm.Find("red")->texture, before);
  EXPECT_EQ(bv::ShownMessages().size(), 1u);
}

TEST_F(TextureManagerTest, KindsOneAndZeroUseTheAlphaChannel) {
  LoadTextureKeyed(red_.c_str(), "k0", 0);
  LoadTextureKeyed(red_.c_str(), "k1", 1);
  EXPECT_EQ(g_TextureManager->Find("k0")->useAlphaChannel, 1);
  EXPECT_EQ(g_TextureManager->Find("k1")->useAlphaChannel, 1);
  ClearTextures();
  EXPECT_EQ(g_TextureManager->GetCount(), 0u);
  EXPECT_EQ(g_TextureManager->GetCurrent(), nullptr);
  EXPECT_EQ(video_.driver()->findTexture(red_.c_str()), nullptr);
}

}  // namespace
