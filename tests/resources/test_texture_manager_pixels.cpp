// Real pixels of the texture manager's drawing on the OpenGL driver (on a
// private Xvfb): colour keys make exactly their colour
// transparent, tiles draw their own rectangle, and the bitmap font places
// its glyphs cell by cell. The back buffer is read before endScene.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "engine/resources/bitmap_font.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"
#include "support/gl_texture_fixture.h"

namespace {

using irr::video::SColor;

constexpr int kSize = 64;
const SColor kBlue(255, 0, 0, 255);
const SColor kRed(255, 255, 0, 0);
const SColor kGreen(255, 0, 255, 0);
const SColor kMagenta(255, 255, 0, 255);
const SColor kGrey(255, 110, 122, 124);

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
};
std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}
Rgb ToRgb(SColor c) { return Rgb{int(c.getRed()), int(c.getGreen()), int(c.getBlue())}; }

class TextureManagerPixelsTest : public bv::test::GlTextureFixture {
 protected:
  void SetUp() override { OpenDevice(kSize, kSize, "texture_pixels"); }

  // Writes a PNG (colour keys need exact pixels) and returns its path.
  std::string Png(const std::string& name, int w, int h, const std::vector<SColor>& px) {
    irr::video::IImage* image = driver_->createImage(
        irr::video::ECF_A8R8G8B8, irr::core::dimension2du(irr::u32(w), irr::u32(h)));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image->setPixel(irr::u32(x), irr::u32(y), px[y * w + x]);
    return SavePng(name, image);
  }

  Rgb Pixel(int x, int y) {
    bv::FlushQuads(driver_);
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kSize - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Rgb{rgba[0], rgba[1], rgba[2]};
  }

};

TEST_F(TextureManagerPixelsTest, KeyColourBecomesTransparentAndNothingElse) {
  // Left column magenta, then a near-magenta column, then red.
  std::vector<SColor> px;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      px.push_back(x < 2 ? kMagenta : (x < 4 ? SColor(255, 254, 0, 255) : kRed));
    }
  }
  std::string file = Png("keyed.png", 6, 4, px);
  g_TextureManager->LoadTextureKeyed(file.c_str(), "keyed", 6);
  ASSERT_NE(g_TextureManager->Find("keyed"), nullptr);
  EXPECT_EQ(g_TextureManager->Find("keyed")->width, 6);
  EXPECT_EQ(g_TextureManager->Find("keyed")->height, 4);

  driver_->beginScene(true, false, kBlue);
  g_TextureManager->Select("keyed");
  g_TextureManager->SetPosition(10, 20);
  g_TextureManager->Draw(nullptr, false);
  EXPECT_EQ(Pixel(10, 21), ToRgb(kBlue)) << "key colour is transparent";
  EXPECT_EQ(Pixel(11, 22), ToRgb(kBlue));
  EXPECT_EQ(Pixel(12, 21), (Rgb{254, 0, 255})) << "one step off the key stays";
  EXPECT_EQ(Pixel(14, 21), ToRgb(kRed));
  EXPECT_EQ(Pixel(16, 21), ToRgb(kBlue)) << "right of the picture";
  bv::FlushQuads(driver_);
  driver_->endScene();
}

TEST_F(TextureManagerPixelsTest, BitmapFontDrawsItsTilesCellByCell) {
  // Two 4 by 4 tiles on a grey-keyed sheet: tile 0 ("A") red with a grey
  // pixel at its top-left, tile 1 ("B") green.
  std::vector<SColor> px;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 8; ++x) px.push_back(x < 4 ? kRed : kGreen);
  }
  px[0] = kGrey;
  std::string file = Png("font.png", 8, 4, px);
  BvBitmapFont font;
  font.SetFont(4, 4, file.c_str(), "font", nullptr);
  ASSERT_EQ(g_TextureManager->Find("font")->tiled, 1);

  driver_->beginScene(true, false, kBlue);
  font.DrawText(20, 30, "A BA", 0, 1, 255, nullptr);  // cells at x 20, 25, 30, 35
  EXPECT_EQ(Pixel(20, 30), ToRgb(kBlue)) << "grey key of the font image";
  EXPECT_EQ(Pixel(21, 31), ToRgb(kRed));
  EXPECT_EQ(Pixel(24, 31), ToRgb(kBlue)) << "spacing pixel";
  EXPECT_EQ(Pixel(26, 31), ToRgb(kBlue)) << "the blank draws nothing";
  EXPECT_EQ(Pixel(31, 31), ToRgb(kGreen));
  EXPECT_EQ(Pixel(36, 32), ToRgb(kRed));
  bv::FlushQuads(driver_);
  driver_->endScene();
}

}  // namespace
