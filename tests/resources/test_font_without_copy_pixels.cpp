// A bitmap font whose picture keeps no decoded image draws exactly the
// pixels it drew before: one of the game's font pictures (from the build's
// generated art), texts opaque and translucent, clipped, at odd positions.
// Real OpenGL on a private Xvfb; the back buffer is read before endScene.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <string>
#include <vector>

#include "engine/resources/font_without_copy.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_without_copy.h"
#include "support/null_video.h"
#include "support/private_display.h"

namespace {

using irr::video::SColor;

constexpr int kWidth = 320;
constexpr int kHeight = 96;

class FontWithoutCopyPixelsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display_.Ok()) << "Xvfb did not start";
    device_ = bv::test::CreateGlDevice(kWidth, kHeight);
    ASSERT_NE(device_, nullptr) << "no OpenGL device on the private X server";
    driver_ = device_->getVideoDriver();
  }
  void TearDown() override {
    bv::SetRenderSavings(true);
    if (device_) device_->drop();
  }

  irr::gui::IGUIFont* Font(const char* name) {
    const std::string file = std::string(QV_BUILD_DIR) + "/data-work/fonts/" + name;
    return device_->getGUIEnvironment()->getFont(file.c_str());
  }

  irr::video::ITexture* Picture(irr::gui::IGUIFont* font) {
    return static_cast<irr::gui::IGUIFontBitmap*>(font)->getSpriteBank()->getTexture(0);
  }

  // The whole back buffer after three texts.
  std::vector<unsigned char> Frame(irr::gui::IGUIFont* font) {
    driver_->beginScene(true, false, SColor(255, 20, 90, 160));
    font->draw(L"Quorvel 0123456789", irr::core::recti(3, 2, 0, 0), SColor(255, 255, 255, 255));
    font->draw(L"Level 7: score 48 210", irr::core::recti(11, 33, 0, 0),
               SColor(150, 255, 220, 60));
    const irr::core::recti clip(40, 60, 200, 80);
    font->draw(L"clipped away at both ends", irr::core::recti(17, 58, 0, 0),
               SColor(255, 90, 255, 140), false, false, &clip);
    std::vector<unsigned char> rgba(size_t(kWidth) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    driver_->endScene();
    return rgba;
  }

  bv::test::PrivateDisplay display_;
  irr::IrrlichtDevice* device_ = nullptr;
  irr::video::IVideoDriver* driver_ = nullptr;
};

TEST_F(FontWithoutCopyPixelsTest, FontPictureWithoutCopyDrawsTheSamePixels) {
  for (const char* name : {"andalous-font18.png", "showcard-font12.png"}) {
    SCOPED_TRACE(name);
    irr::gui::IGUIFont* font = Font(name);
    ASSERT_NE(font, nullptr);
    ASSERT_EQ(font->getType(), irr::gui::EGFT_BITMAP);
    ASSERT_FALSE(bv::HasNoDecodedCopy(Picture(font)));
    const std::vector<unsigned char> before = Frame(font);
    bv::SetRenderSavings(true);
    bv::DropFontDecodedCopy(driver_, font);
    EXPECT_TRUE(bv::HasNoDecodedCopy(Picture(font))) << "the picture keeps no decoded image";
    const std::vector<unsigned char> after = Frame(font);
    size_t differing = 0, inked = 0;
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
      differing += before[i] != after[i];
      inked += before[i] != before[i % 4];
    }
    EXPECT_GT(inked, 0u) << "the texts drew nothing";
    EXPECT_EQ(differing, 0u) << "bytes that differ between the two pictures' frames";
  }
}

TEST_F(FontWithoutCopyPixelsTest, WithoutTheSavingsTheFontKeepsItsPicture) {
  irr::gui::IGUIFont* font = Font("matura-font13.png");
  ASSERT_NE(font, nullptr);
  irr::video::ITexture* picture = Picture(font);
  bv::SetRenderSavings(false);
  bv::DropFontDecodedCopy(driver_, font);
  EXPECT_EQ(Picture(font), picture);
}

}  // namespace
