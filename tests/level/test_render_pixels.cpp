// Real pixels of the sprite-drawing path on the OpenGL driver (on a private
// Xvfb). The back buffer is read with glReadPixels before
// endScene, as a software GL's screenshot of the front buffer is black.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"
#include "support/private_display.h"

using irr::core::rectf;
using irr::core::recti;
using irr::core::vector2df;
using irr::video::SColor;

namespace {

constexpr int kWidth = 128;
constexpr int kHeight = 128;
constexpr double kPi = 3.14159265358979323846;

struct Rgb {
  int r, g, b;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

const SColor kRed(255, 255, 0, 0);
const SColor kGreen(255, 0, 255, 0);
const SColor kBlue(255, 0, 0, 255);
const SColor kWhite(255, 255, 255, 255);

class RenderPixelsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    display_ = new bv::test::PrivateDisplay();
    if (!display_->Ok()) return;
    device_ = bv::test::CreateGlDevice(kWidth, kHeight);
    if (device_) driver_ = device_->getVideoDriver();
  }
  static void TearDownTestSuite() {
    if (device_) device_->drop();
    device_ = nullptr;
    driver_ = nullptr;
    delete display_;
    display_ = nullptr;
  }

  void SetUp() override {
    ASSERT_TRUE(display_->Ok()) << "Xvfb did not start";
    ASSERT_NE(device_, nullptr) << "no OpenGL device on the private X server";
  }

  // A texture of w by h pixels, colours given row by row.
  irr::video::ITexture* MakeTexture(const std::string& name, int w, int h,
                                    const std::vector<SColor>& pixels) {
    irr::video::IImage* image = driver_->createImage(
        irr::video::ECF_A8R8G8B8, irr::core::dimension2du(irr::u32(w), irr::u32(h)));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) image->setPixel(irr::u32(x), irr::u32(y), pixels[y * w + x]);
    irr::video::ITexture* texture = driver_->addTexture(name.c_str(), image);
    image->drop();
    return texture;
  }

  // 8 by 8: top-left red, top-right green, bottom-right blue, bottom-left
  // white quadrants.
  irr::video::ITexture* Quadrants() {
    if (irr::video::ITexture* t = driver_->getTexture("quadrants")) return t;
    std::vector<SColor> px(64);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x)
        px[y * 8 + x] = y < 4 ? (x < 4 ? kRed : kGreen) : (x < 4 ? kWhite : kBlue);
    return MakeTexture("quadrants", 8, 8, px);
  }

  irr::video::ITexture* Plain(const std::string& name, SColor colour) {
    if (irr::video::ITexture* t = driver_->getTexture(name.c_str())) return t;
    return MakeTexture(name, 4, 4, std::vector<SColor>(16, colour));
  }

  void Begin(SColor clear) { driver_->beginScene(true, false, clear); }
  void End() {
    bv::FlushQuads(driver_);
    driver_->endScene();
  }

  // The back buffer's pixel at screen (x, y), y down (kept quads drawn
  // first).
  Rgb Pixel(int x, int y) {
    bv::FlushQuads(driver_);
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return Rgb{rgba[0], rgba[1], rgba[2]};
  }

  static void ExpectNear(const Rgb& got, const Rgb& want, int tolerance, const std::string& what) {
    EXPECT_TRUE(std::abs(got.r - want.r) <= tolerance && std::abs(got.g - want.g) <= tolerance &&
                std::abs(got.b - want.b) <= tolerance)
        << what << ": got " << got << ", want " << want;
  }

  static bv::test::PrivateDisplay* display_;
  static irr::IrrlichtDevice* device_;
  static irr::video::IVideoDriver* driver_;
};

bv::test::PrivateDisplay* RenderPixelsTest::display_ = nullptr;
irr::IrrlichtDevice* RenderPixelsTest::device_ = nullptr;
irr::video::IVideoDriver* RenderPixelsTest::driver_ = nullptr;

// A 1:1 draw of one sprite of a sheet covers exactly its pixels and takes
// nothing from its neighbour (the green half of the sheet).
TEST_F(RenderPixelsTest, OneToOneSpriteIsPixelExactWithoutSheetBleeding) {
  std::vector<SColor> px(8 * 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 8; ++x) px[y * 8 + x] = x < 4 ? kRed : kGreen;
  irr::video::ITexture* sheet = MakeTexture("sheet", 8, 4, px);
  ASSERT_NE(sheet, nullptr);

  Begin(SColor(255, 0, 0, 0));
  bv::Draw2DImageRotated(driver_, sheet, rectf(10, 20, 14, 24), recti(0, 0, 4, 4),
                         vector2df(12, 22), 0.0f, kWhite, true, false, false, false);
  // The position form of the texture manager, same rule.
  bv::Draw2DImage(driver_, sheet, irr::core::position2di(40, 20), recti(4, 0, 8, 4), nullptr,
                  kWhite, true, false);
  for (int y = 19; y <= 24; ++y) {
    for (int x = 9; x <= 14; ++x) {
      const bool inside = x >= 10 && x < 14 && y >= 20 && y < 24;
      ExpectNear(Pixel(x, y), inside ? Rgb{255, 0, 0} : Rgb{0, 0, 0}, 0,
                 "red sprite at " + std::to_string(x) + "," + std::to_string(y));
      const int gx = x + 30;
      ExpectNear(Pixel(gx, y), inside ? Rgb{0, 255, 0} : Rgb{0, 0, 0}, 0,
                 "green sprite at " + std::to_string(gx) + "," + std::to_string(y));
    }
  }
  End();
}

// Quadrant colours land where the turn and flips put them. The quad is 40
// by 40 pixels centred on (64, 64): scaled, so filtered, but each sample
// sits in the middle of a quadrant.
TEST_F(RenderPixelsTest, RotatedAndFlippedQuadsPutTheirCornersWhereExpected) {
  irr::video::ITexture* tex = Quadrants();
  ASSERT_NE(tex, nullptr);
  struct Case {
    const char* what;
    float angle;
    bool flipX, flipY;
    // Expected colours at the top-left, top-right, bottom-right and
    // bottom-left of the drawn square.
    SColor tl, tr, br, bl;
  };
  const Case cases[] = {
      {"upright", 0.0f, false, false, kRed, kGreen, kBlue, kWhite},
      {"quarter turn clockwise", float(kPi / 2), false, false, kWhite, kRed, kGreen, kBlue},
      {"quarter turn counter-clockwise", float(-kPi / 2), false, false, kGreen, kBlue, kWhite,
       kRed},
      {"half turn", float(kPi), false, false, kBlue, kWhite, kRed, kGreen},
      {"flip x", 0.0f, true, false, kGreen, kRed, kWhite, kBlue},
      {"flip y", 0.0f, false, true, kWhite, kBlue, kGreen, kRed},
      {"flip both", 0.0f, true, true, kBlue, kWhite, kRed, kGreen},
      {"flip x then quarter turn", float(kPi / 2), true, false, kBlue, kGreen, kRed, kWhite},
  };
  auto rgb = [](SColor c) { return Rgb{int(c.getRed()), int(c.getGreen()), int(c.getBlue())}; };
  for (const Case& c : cases) {
    Begin(SColor(255, 0, 0, 0));
    bv::Draw2DImageRotated(driver_, tex, rectf(44, 44, 84, 84), recti(0, 0, 8, 8),
                           vector2df(64, 64), c.angle, kWhite, true, false, c.flipX, c.flipY);
    ExpectNear(Pixel(54, 54), rgb(c.tl), 2, std::string(c.what) + " top-left");
    ExpectNear(Pixel(74, 54), rgb(c.tr), 2, std::string(c.what) + " top-right");
    ExpectNear(Pixel(74, 74), rgb(c.br), 2, std::string(c.what) + " bottom-right");
    ExpectNear(Pixel(54, 74), rgb(c.bl), 2, std::string(c.what) + " bottom-left");
    // Nothing outside the square.
    ExpectNear(Pixel(40, 64), Rgb{0, 0, 0}, 0, std::string(c.what) + " outside");
    End();
  }
}

// One axis reversed winds the quad the other way: not drawn. Both reversed
// is a half turn.
TEST_F(RenderPixelsTest, ReversedRectangleOnOneAxisDrawsNothing) {
  irr::video::ITexture* tex = Quadrants();
  Begin(SColor(255, 0, 0, 0));
  bv::Draw2DImageRotated(driver_, tex, rectf(84, 44, 44, 84), recti(0, 0, 8, 8),
                         vector2df(64, 64), 0.0f, kWhite, true, false, false, false);
  ExpectNear(Pixel(54, 54), Rgb{0, 0, 0}, 0, "x reversed");
  ExpectNear(Pixel(74, 74), Rgb{0, 0, 0}, 0, "x reversed");
  End();
  Begin(SColor(255, 0, 0, 0));
  bv::Draw2DImageRotated(driver_, tex, rectf(84, 84, 44, 44), recti(0, 0, 8, 8),
                         vector2df(64, 64), 0.0f, kWhite, true, false, false, false);
  ExpectNear(Pixel(54, 54), Rgb{0, 0, 255}, 2, "both reversed: top-left shows blue");
  ExpectNear(Pixel(74, 74), Rgb{255, 0, 0}, 2, "both reversed: bottom-right shows red");
  End();
}

// Brightening: c + d (1 - c), alpha ignored.
TEST_F(RenderPixelsTest, BrighteningBlendOfGreyOverGrey) {
  irr::video::ITexture* white = Plain("white", kWhite);
  irr::video::ITexture* clear = Plain("clear", SColor(0, 255, 255, 255));
  struct Case {
    const char* what;
    irr::video::ITexture* texture;
    SColor target, vertex;
    Rgb want;
  };
  const Case cases[] = {
      {"grey 128 over grey 128", white, SColor(255, 128, 128, 128), SColor(255, 128, 128, 128),
       Rgb{192, 192, 192}},
      {"white over black gives the texel", white, SColor(255, 0, 0, 0), kWhite,
       Rgb{255, 255, 255}},
      {"black adds nothing", white, SColor(255, 100, 50, 20), SColor(255, 0, 0, 0),
       Rgb{100, 50, 20}},
      {"colour alpha 0 does not hide it", white, SColor(255, 0, 0, 0), SColor(0, 255, 0, 0),
       Rgb{255, 0, 0}},
      {"texture alpha 0 does not hide it", clear, SColor(255, 0, 0, 0), kWhite,
       Rgb{255, 255, 255}},
  };
  for (const Case& c : cases) {
    Begin(c.target);
    bv::Draw2DImageRotated(driver_, c.texture, rectf(10, 10, 14, 14), recti(0, 0, 4, 4),
                           vector2df(12, 12), 0.0f, c.vertex, true, true, false, false);
    ExpectNear(Pixel(12, 12), c.want, 1, c.what);
    End();
  }
}

// Normal blend: texture alpha times colour alpha, so a fade scales any
// sprite, opaque or not.
TEST_F(RenderPixelsTest, FadeAlphaScalesTheColour) {
  irr::video::ITexture* white = Plain("white", kWhite);
  irr::video::ITexture* half = Plain("half", SColor(128, 255, 255, 255));
  struct Case {
    const char* what;
    irr::video::ITexture* texture;
    bool useAlphaChannel;
    SColor vertex;
    int want;
  };
  const Case cases[] = {
      {"opaque sprite, colour alpha 128", white, true, SColor(128, 255, 255, 255), 128},
      {"half-alpha sprite, colour alpha 255", half, true, kWhite, 128},
      {"half-alpha sprite, colour alpha 128", half, true, SColor(128, 255, 255, 255), 64},
      {"alpha channel off, colour alpha 128", half, false, SColor(128, 255, 255, 255), 128},
      {"alpha channel off, opaque colour", half, false, kWhite, 255},
      {"colour alpha 0 hides it", white, true, SColor(0, 255, 255, 255), 0},
  };
  for (const Case& c : cases) {
    Begin(SColor(255, 0, 0, 0));
    bv::Draw2DImageRotated(driver_, c.texture, rectf(10, 10, 14, 14), recti(0, 0, 4, 4),
                           vector2df(12, 12), 0.0f, c.vertex, c.useAlphaChannel, false, false,
                           false);
    ExpectNear(Pixel(12, 12), Rgb{c.want, c.want, c.want}, 1, c.what);
    End();
  }
}

// The texture manager's drawing clips in software against a clip rectangle.
TEST_F(RenderPixelsTest, PositionFormClipsAgainstTheClipRectangle) {
  irr::video::ITexture* tex = Quadrants();
  Begin(SColor(255, 0, 0, 0));
  const recti clip(0, 0, 24, 24);
  bv::Draw2DImage(driver_, tex, irr::core::position2di(20, 20), recti(0, 0, 8, 8), &clip, kWhite,
                  true, false);
  ExpectNear(Pixel(20, 20), Rgb{255, 0, 0}, 0, "inside the clip");
  ExpectNear(Pixel(23, 23), Rgb{255, 0, 0}, 0, "last pixel inside the clip");
  ExpectNear(Pixel(24, 20), Rgb{0, 0, 0}, 0, "right of the clip");
  ExpectNear(Pixel(20, 24), Rgb{0, 0, 0}, 0, "below the clip");
  End();
}

// Our quads and Irrlicht's own 2D drawing alternate within a frame (texts,
// debug lines): each keeps its own state, and a flush before the stock
// drawing keeps the order (the rectangle covers half of the first quad).
TEST_F(RenderPixelsTest, QuadsAndStockTwoDDrawingInterleave) {
  irr::video::ITexture* white = Plain("white", kWhite);
  Begin(SColor(255, 0, 0, 0));
  bv::Draw2DImageRotated(driver_, white, rectf(10, 10, 14, 14), recti(0, 0, 4, 4),
                         vector2df(12, 12), 0.0f, SColor(255, 128, 128, 128), true, true, false,
                         false);
  bv::FlushQuads(driver_);
  driver_->draw2DRectangle(SColor(255, 0, 0, 255), recti(12, 10, 24, 14));
  driver_->draw2DLine(irr::core::vector2di(30, 12), irr::core::vector2di(40, 12), kGreen);
  bv::Draw2DImageRotated(driver_, white, rectf(50, 10, 54, 14), recti(0, 0, 4, 4),
                         vector2df(52, 12), 0.0f, SColor(128, 255, 255, 255), true, false, false,
                         false);
  ExpectNear(Pixel(11, 12), Rgb{128, 128, 128}, 1, "additive quad over black");
  ExpectNear(Pixel(13, 12), Rgb{0, 0, 255}, 0, "stock rectangle over the quad");
  ExpectNear(Pixel(22, 12), Rgb{0, 0, 255}, 0, "stock rectangle");
  ExpectNear(Pixel(35, 12), Rgb{0, 255, 0}, 0, "stock line");
  ExpectNear(Pixel(52, 12), Rgb{128, 128, 128}, 1, "faded quad after stock drawing");
  End();
}

// The whole level path: a level's elements drawn by the manager's pass land
// where world coordinates, layers, flips and the additive blit put them.
TEST_F(RenderPixelsTest, LevelPassDrawsLayersFlipsAndAdditiveGlows) {
  Quadrants();
  Plain("grey", SColor(255, 128, 128, 128));
  irr::video::IVideoDriver* previousDriver = g_Driver;
  BvTextureManager* previousTextures = g_TextureManager;
  g_Driver = driver_;
  g_TextureManager = new BvTextureManager();
  {
    BvLevelManager manager(nullptr, true);
    auto addImage = [&](const char* name, const char* file, int w, int h) {
      auto* image = new BvImage(name);
      image->SetFileName(file);
      manager.GetImages()->AddObject(image);
      auto* sprite = new BvSprite(name);
      sprite->SetImage(image);
      sprite->SetSourceRect(0, 0, w, h);
      manager.GetSprites()->AddObject(sprite);
      auto* element = new BvImageElement(name);
      element->SetSprite(sprite);
      manager.GetElements()->AddObject(element);
      return element;
    };
    BvImageElement* quadrants = addImage("quadrants", "quadrants", 8, 8);
    BvImageElement* grey = addImage("grey", "grey", 4, 4);
    manager.LoadImageTextures();
    auto* level = new BvLevel("level");
    manager.GetLevels()->AddObject(level);
    // The window is 128 by 128 while the field maps (x + 400, 300 - y):
    // world (-336, 236) is screen (64, 64).
    auto place = [&](BvImageElement* source, int layer, float x, float y) {
      auto* e = new BvLevelElement(&manager);
      e->SetSourceElement(source);
      e->SetDynType(-1);
      e->SetLayer(layer);
      e->SetPosition(x, y);
      level->AddObject(e);
      return e;
    };
    // Drawn later but on a lower layer: covered by the additive glow above.
    BvLevelElement* glow = place(grey, 1, -336.0f, 236.0f);
    glow->SetBlitMode(kBlitAdditive);
    glow->SetColor(SColor(0, 255, 255, 255));  // alpha ignored by the glow
    place(grey, 0, -336.0f, 236.0f)->SetScale(4.0f, 4.0f);
    // A mirrored 1:1 quadrant sprite centred on screen (24, 24).
    place(quadrants, 2, -376.0f, 276.0f)->SetFlipX(true);
    // Turned a quarter turn counter-clockwise (positive world rotation) on
    // screen (100, 100).
    place(quadrants, 2, -300.0f, 200.0f)->SetRotation(float(kPi / 2));

    Begin(SColor(255, 0, 0, 0));
    manager.RenderCurrentLevel(16.0f, false, false);
    ExpectNear(Pixel(64, 64), Rgb{192, 192, 192}, 1, "glow over grey");
    ExpectNear(Pixel(58, 58), Rgb{128, 128, 128}, 1, "grey around the glow");
    ExpectNear(Pixel(21, 21), Rgb{0, 255, 0}, 0, "mirrored: green top-left");
    ExpectNear(Pixel(26, 21), Rgb{255, 0, 0}, 0, "mirrored: red top-right");
    ExpectNear(Pixel(97, 97), Rgb{0, 255, 0}, 2, "turned: green top-left");
    ExpectNear(Pixel(97, 102), Rgb{255, 0, 0}, 2, "turned: red bottom-left");
    End();
  }
  delete g_TextureManager;
  g_TextureManager = previousTextures;
  g_Driver = previousDriver;
}

}  // namespace
