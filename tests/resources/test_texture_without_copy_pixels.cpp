// A texture that keeps no decoded image (uploaded into a render target)
// draws exactly the pixels of the ordinary texture it replaces: 1:1, cut,
// stretched and turned with bilinear filtering, on a picture of odd size,
// from a file with an alpha channel and from one without.
// Real OpenGL on a private Xvfb; the back buffer is read before endScene.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <string>
#include <vector>

#include "engine/resources/quad_renderer.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_manager.h"
#include "engine/resources/texture_without_copy.h"
#include "engine/shell/globals.h"
#include "support/gl_texture_fixture.h"

namespace {

using irr::video::SColor;

constexpr int kSize = 128;

class TextureWithoutCopyPixelsTest : public bv::test::GlTextureFixture {
 protected:
  void SetUp() override {
    OpenDevice(kSize, kSize, "texture_without_copy");
    if (driver_) driver_->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
  }
  void TearDown() override {
    bv::SetRenderSavings(true);
    GlTextureFixture::TearDown();
  }

  // A 37 by 23 picture whose every texel differs from its neighbours, with
  // alpha falling off to the right when translucent.
  // Without alpha (rgb) the file has no alpha channel.
  std::string Png(const std::string& name, bool translucent, bool rgb = false) {
    const irr::core::dimension2du size(37, 23);
    irr::video::IImage* image = driver_->createImage(
        rgb ? irr::video::ECF_R8G8B8 : irr::video::ECF_A8R8G8B8, size);
    for (irr::u32 y = 0; y < size.Height; ++y)
      for (irr::u32 x = 0; x < size.Width; ++x)
        image->setPixel(x, y,
                        SColor(translucent ? 255 - x * 6 : 255, (x * 37 + y * 11) & 255,
                               (y * 53 + x * 5) & 255, (x * y * 7 + 40) & 255));
    return SavePng(name, image);
  }

  // The whole back buffer after drawing the texture four ways.
  std::vector<unsigned char> Frame(irr::video::ITexture* texture) {
    driver_->beginScene(true, false, SColor(255, 20, 90, 160));
    const SColor white(255, 255, 255, 255);
    bv::Draw2DImage(driver_, texture, irr::core::position2di(3, 2),
                    irr::core::recti(0, 0, 37, 23), nullptr, white, true, false);
    bv::Draw2DImage(driver_, texture, irr::core::position2di(50, 5),
                    irr::core::recti(5, 4, 30, 19), nullptr, SColor(180, 255, 255, 255), true,
                    false);
    bv::Draw2DImageRotated(driver_, texture, irr::core::rectf(10.3f, 40.6f, 73.9f, 80.2f),
                           irr::core::recti(0, 0, 37, 23), irr::core::vector2df(40, 60), 0.0f,
                           white, true, false, false, false);
    bv::Draw2DImageRotated(driver_, texture, irr::core::rectf(70, 70, 101, 89),
                           irr::core::recti(2, 1, 35, 22), irr::core::vector2df(85, 80), 31.0f,
                           white, true, false, true, false);
    bv::FlushQuads(driver_);
    std::vector<unsigned char> rgba(size_t(kSize) * kSize * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    driver_->endScene();
    return rgba;
  }

  // Loads file with the savings as given and draws it.
  std::vector<unsigned char> LoadAndDraw(const std::string& file, bool savings,
                                         bool* uncopied, bool* opaque) {
    bv::SetRenderSavings(savings);
    g_TextureManager->LoadTexture(file.c_str(), "art", -1);
    BvTextureEntry* entry = g_TextureManager->Find("art");
    if (!entry) return {};
    *uncopied = bv::HasNoDecodedCopy(entry->texture);
    *opaque = bv::IsTextureOpaque(entry->texture);
    std::vector<unsigned char> frame = Frame(entry->texture);
    g_TextureManager->Release("art");
    return frame;
  }

};

TEST_F(TextureWithoutCopyPixelsTest, UploadedTextureDrawsTheOrdinaryTexturesPixels) {
  struct Case {
    const char* file;
    bool translucent;
    bool rgb;
  };
  for (const Case& art : {Case{"opaque.png", false, false}, Case{"translucent.png", true, false},
                          Case{"rgb.png", false, true}}) {
    SCOPED_TRACE(art.file);
    const bool translucent = art.translucent;
    const std::string file = Png(art.file, translucent, art.rgb);
    bool uncopiedOff = true, uncopiedOn = false, opaqueOff = false, opaqueOn = false;
    const std::vector<unsigned char> off = LoadAndDraw(file, false, &uncopiedOff, &opaqueOff);
    const std::vector<unsigned char> on = LoadAndDraw(file, true, &uncopiedOn, &opaqueOn);
    EXPECT_FALSE(uncopiedOff) << "without the savings the ordinary texture stays";
    EXPECT_TRUE(uncopiedOn) << "with the savings the texture keeps no decoded image";
    EXPECT_EQ(opaqueOn, !translucent) << "opacity is read before the image goes";
    EXPECT_EQ(opaqueOff, opaqueOn);
    ASSERT_FALSE(off.empty());
    size_t differing = 0;
    for (size_t i = 0; i < off.size() && i < on.size(); ++i) differing += off[i] != on[i];
    EXPECT_EQ(on.size(), off.size());
    EXPECT_EQ(differing, 0u) << "bytes that differ between the two textures' frames";
  }
}

TEST_F(TextureWithoutCopyPixelsTest, ReloadWithAKeyTakesTheKeyFromTheFile) {
  const std::string file = Png("keyed.png", false);
  bv::SetRenderSavings(true);
  g_TextureManager->LoadTexture(file.c_str(), "art", -1);
  ASSERT_TRUE(bv::HasNoDecodedCopy(g_TextureManager->Find("art")->texture));
  // Texel (0,0) is (r 0, g 0, b 40): the key makes it transparent.
  g_TextureManager->LoadTexture(file.c_str(), "keyed", int(0xFF000028u));
  BvTextureEntry* plain = g_TextureManager->Find("art");
  BvTextureEntry* keyed = g_TextureManager->Find("keyed");
  ASSERT_NE(keyed, nullptr);
  EXPECT_EQ(plain->texture, keyed->texture) << "one texture per file";
  EXPECT_FALSE(bv::IsTextureOpaque(keyed->texture));
  driver_->beginScene(true, false, SColor(255, 200, 0, 0));
  bv::Draw2DImage(driver_, keyed->texture, irr::core::position2di(0, 0),
                  irr::core::recti(0, 0, 37, 23), nullptr, SColor(255, 255, 255, 255), true,
                  false);
  bv::FlushQuads(driver_);
  unsigned char rgba[4] = {0, 0, 0, 0};
  glReadBuffer(GL_BACK);
  glReadPixels(0, kSize - 1, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  driver_->endScene();
  EXPECT_EQ(int(rgba[0]), 200) << "the keyed texel shows the clear colour";
  EXPECT_EQ(int(rgba[2]), 0);
}

}  // namespace
