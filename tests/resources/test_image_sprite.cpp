// Images and sprites: file names cut to 79 characters with slashes, the
// construction values, and a sprite's image name.
#include <gtest/gtest.h>

#include <string>

#include "engine/resources/image.h"
#include "engine/resources/sprite.h"

namespace {

TEST(Image, FileNamesUseSlashesAndKeepAtMost79Characters) {
  struct Case {
    std::string given;
    std::string kept;
  };
  const std::string p79 = std::string(75, 'a') + ".png";
  const Case cases[] = {
      {"data\\gfx\\title.png", "data/gfx/title.png"},
      {"data/gfx/title.png", "data/gfx/title.png"},
      {p79, p79},
      {p79 + "x", p79},
      {"", ""},
  };
  BvImage image("i");
  for (const Case& c : cases) {
    image.SetFileName(c.given.c_str());
    EXPECT_EQ(std::string(image.GetFileName()), c.kept) << c.given;
  }
  image.SetFileName(nullptr);
  EXPECT_STREQ(image.GetFileName(), "");
}

TEST(Image, StartsWithoutKeyOrFile) {
  BvImage image;
  EXPECT_EQ(image.GetColorKey(), -1);
  EXPECT_STREQ(image.GetFileName(), "");
  EXPECT_STREQ(image.GetClassName(), "BvImage");
}

TEST(Sprite, StartsEmptyAndNamesItsImage) {
  BvSprite sprite("s");
  EXPECT_EQ(sprite.GetSourceRect(), irr::core::recti(0, 0, 0, 0));
  EXPECT_EQ(sprite.GetImage(), nullptr);
  EXPECT_STREQ(sprite.GetImageName(), "") << "never null";
  EXPECT_STREQ(sprite.GetClassName(), "BvSprite");
  BvImage image("sheet");
  sprite.SetImage(&image);
  sprite.SetSourceRect(1, 2, 3, 4);
  EXPECT_STREQ(sprite.GetImageName(), "sheet");
  EXPECT_EQ(sprite.GetSourceRect(), irr::core::recti(1, 2, 3, 4));
}

}  // namespace
