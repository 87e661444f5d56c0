// A demonstration level whose elements move under their behaviours, run
// with the real OpenGL driver (on a private Xvfb) and
// checked by pixels at two instants.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <algorithm>
#include <cstdlib>
#include <vector>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "support/null_video.h"
#include "support/private_display.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"

namespace {

namespace fs = std::filesystem;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// The frame loop's time step at 75 Hz, in ms.
constexpr float kFrameMs = 1000.0f / 75.0f;

struct Rgb {
  int r, g, b;
};

class BehaviorDemo : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(display.Ok()) << "Xvfb did not start";
    device = bv::test::CreateGlDevice(kWidth, kHeight);
    ASSERT_NE(device, nullptr) << "no OpenGL device on the private X server";
    savedDevice = g_Device;
    savedDriver = g_Driver;
    g_Device = device;
    g_Driver = device->getVideoDriver();
    if (!g_TextureManager) {
      ownTextures = new BvTextureManager();
      g_TextureManager = ownTextures;
    }
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
  }

  void TearDown() override {
    if (!device) return;
    manager.reset();
    if (ownTextures) {
      delete ownTextures;
      g_TextureManager = nullptr;
    }
    g_Device = savedDevice;
    g_Driver = savedDriver;
    device->drop();
    bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
  }

  // Writes the 64 by 32 sheet (red square left, green square right) and
  // the fixture with its folder filled in; returns the level file's path.
  std::string WriteDemo(bool patterned = false) {
    const fs::path dir = bv::test::MakeTempFolder("qv_demo");
    irr::video::IImage* sheet =
        g_Driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(64, 32));
    for (irr::u32 y = 0; y < 32; ++y) {
      for (irr::u32 x = 0; x < 64; ++x) {
        if (patterned) {
          // Gradients and a checker of half-transparent texels, so that a
          // change of filtering or alpha shows in the pixels.
          const irr::u32 ramp = (x * 8) % 256, down = (y * 8) % 256;
          const irr::u32 alpha = (x + y) % 2 ? 255 : 128;
          sheet->setPixel(x, y, x < 32 ? irr::video::SColor(alpha, 255, ramp, down)
                                       : irr::video::SColor(alpha, ramp, 255, down));
          continue;
        }
        sheet->setPixel(x, y, x < 32 ? irr::video::SColor(255, 255, 0, 0)
                                     : irr::video::SColor(255, 0, 255, 0));
      }
    }
    const std::string sheetPath = (dir / "demo_sheet.png").string();
    EXPECT_TRUE(g_Driver->writeImageToFile(sheet, sheetPath.c_str()));
    sheet->drop();

    std::ifstream in(std::string(QV_SOURCE_DIR) + "/tests/fixtures/demo_level.xml");
    std::stringstream text;
    text << in.rdbuf();
    std::string xml = text.str();
    for (size_t at; (at = xml.find("@DIR@")) != std::string::npos;) {
      xml.replace(at, 5, dir.string());
    }
    const fs::path levelPath = dir / "demo_level.xml";
    std::ofstream(levelPath) << xml;
    return levelPath.string();
  }

  // Runs frames until elapsed level time reaches frame count x step, reading
  // the back buffer of the last frame at the given screen points.
  void RunFrames(int frames, const std::vector<std::pair<int, int>>& points,
                 std::vector<Rgb>* colours) {
    for (int i = 0; i < frames; ++i) {
      g_Driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
      manager->RenderCurrentLevel(kFrameMs, false, false);
      bv::FlushQuads(g_Driver);
      if (i == frames - 1) {
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        for (const auto& p : points) {
          unsigned char rgba[4] = {0, 0, 0, 0};
          glReadPixels(p.first, kHeight - 1 - p.second, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
          colours->push_back({rgba[0], rgba[1], rgba[2]});
        }
      }
      g_Driver->endScene();
    }
  }

  // Draws the current state again without moving anything and returns the
  // whole back buffer (RGBA rows), quad by quad or batched.
  std::vector<unsigned char> DrawStill(bool batched) {
    bv::SetQuadBatching(batched);
    g_Driver->beginScene(true, true, irr::video::SColor(255, 0, 0, 0));
    manager->RenderCurrentLevel(kFrameMs, true, false);
    bv::FlushQuads(g_Driver);
    std::vector<unsigned char> rgba(size_t(kWidth) * kHeight * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    g_Driver->endScene();
    bv::SetQuadBatching(true);
    return rgba;
  }

  static bool IsRed(const Rgb& c) { return c.r > 200 && c.g < 60 && c.b < 60; }
  static bool IsGreen(const Rgb& c) { return c.g > 200 && c.r < 60 && c.b < 60; }
  static bool IsBlack(const Rgb& c) { return c.r < 30 && c.g < 30 && c.b < 30; }

  bv::test::PrivateDisplay display;
  irr::IrrlichtDevice* device = nullptr;
  irr::IrrlichtDevice* savedDevice = nullptr;
  irr::video::IVideoDriver* savedDriver = nullptr;
  BvTextureManager* ownTextures = nullptr;
  std::unique_ptr<BvLevelManager> manager;
};

TEST_F(BehaviorDemo, ElementsMoveUnderTheirBehavioursWithoutAnAlert) {
  const std::string path = WriteDemo();
  manager = std::make_unique<BvLevelManager>(nullptr, true);
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  ASSERT_TRUE(manager->LoadLevel(0, path.c_str(), true));
  ASSERT_NE(manager->GetCurrentLevel(), nullptr);

  // The red square swings on x = 200 (screen), y = 300 - 100 sin(t / 200);
  // the green one on y = 300, x = 600 + 100 cos(t / 200).
  const std::vector<std::pair<int, int>> points = {
      {200, 200}, {200, 300}, {597, 300}, {500, 300}};
  std::vector<Rgb> first;
  RunFrames(24, points, &first);  // t = 320 ms: red at its top, green near 597
  ASSERT_EQ(first.size(), points.size());
  EXPECT_TRUE(IsRed(first[0])) << "red square at its top";
  EXPECT_TRUE(IsBlack(first[1])) << "nothing at the red square's start";
  EXPECT_TRUE(IsGreen(first[2])) << "green square a quarter swing on";
  EXPECT_TRUE(IsBlack(first[3]));

  std::vector<Rgb> second;
  RunFrames(23, points, &second);  // t = 627 ms: red back at the middle, green at its left end
  ASSERT_EQ(second.size(), points.size());
  EXPECT_TRUE(IsBlack(second[0])) << "the red square left its top";
  EXPECT_TRUE(IsRed(second[1])) << "red square back at the middle";
  EXPECT_TRUE(IsBlack(second[2])) << "the green square moved on";
  EXPECT_TRUE(IsGreen(second[3])) << "green square at its left end";

  for (const auto& m : bv::ShownMessages()) ADD_FAILURE() << m.caption << ": " << m.text;
}

// Batching must not change what a frame shows: the demonstration level,
// with a heap of overlapping sprites that change blend, alpha, filter and
// sprite from one to the next, drawn batched and quad by quad gives the same
// back buffer, byte for byte.
TEST_F(BehaviorDemo, BatchedAndUnbatchedFramesAreIdentical) {
  const std::string path = WriteDemo(true);
  manager = std::make_unique<BvLevelManager>(nullptr, true);
  ASSERT_TRUE(manager->LoadScene(path.c_str()));
  ASSERT_TRUE(manager->LoadLevel(0, path.c_str(), true));
  const char* sources[] = {"red", "green", "blink"};
  for (int i = 0; i < 60; ++i) {
    const irr::core::vector2df at(float((i * 37) % 300 - 150), float((i * 23) % 200 - 100));
    BvLevelElement* e = CreateLevelElement(manager.get(), at, sources[i % 3], 0.0f);
    ASSERT_NE(e, nullptr);
    e->SetLayer(4 + i % 3);
    e->SetRotation(float(i % 5) * 0.4f);
    const float scale = i % 3 == 0 ? 1.0f : 0.75f + 0.1f * float(i % 4);
    e->SetScale(scale, scale);
    e->SetFlipX(i % 4 == 1);
    e->SetFlipY(i % 6 == 2);
    if (i % 5 == 0) e->SetBlitMode(kBlitAdditive);
    if (i % 7 == 0) e->SetColor(irr::video::SColor(160, 255, 200, 255));
  }
  std::vector<Rgb> ignored;
  RunFrames(30, {}, &ignored);  // motion, fades and sparks under way

  const std::vector<unsigned char> batched = DrawStill(true);
  const std::vector<unsigned char> single = DrawStill(false);
  ASSERT_EQ(batched.size(), single.size());
  size_t differing = 0, lit = 0, first = batched.size();
  for (size_t i = 0; i < batched.size(); i += 4) {
    const bool same = std::equal(batched.begin() + i, batched.begin() + i + 3, single.begin() + i);
    if (!same && first == batched.size()) first = i / 4;
    differing += same ? 0 : 1;
    lit += batched[i] + batched[i + 1] + batched[i + 2] > 0 ? 1 : 0;
  }
  EXPECT_EQ(differing, 0u) << "first at x " << first % kWidth << ", y from the bottom "
                           << first / kWidth;
  // The frame is not empty: the sprites cover a good part of the middle.
  EXPECT_GT(lit, 20000u);
  for (const auto& m : bv::ShownMessages()) ADD_FAILURE() << m.caption << ": " << m.text;
}

}  // namespace
