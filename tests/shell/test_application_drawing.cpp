// The application's text drawing: the statistics lines and formatted text
// through a recording font, and the real pixels of the statistics and the
// cursor glyph on the OpenGL driver (under Xvfb; skipped without DISPLAY).
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <irrlicht.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "support/fake_clock.h"
#include "support/null_video.h"
#include "support/private_display.h"
#include "support/recording_font.h"
#include "support/scoped_env.h"

namespace {

using bv::test::RecordingFont;

// An application whose fonts and average the test sets.
class FontApp : public BvApplication {
 public:
  FontApp() : BvApplication(nullptr) {}
  void SetFonts(irr::gui::IGUIFont* debug, irr::gui::IGUIFont* text) {
    debugFont = debug;
    textFont = text;
  }
  void SetFps(float fps) { fpsAverage = fps; }
};

TEST(ApplicationDrawing, StatisticsLinesOnTheNullDriver) {
  bv::test::NullVideo video;
  bv::test::FakeClock clock(0);
  bv::test::ScopedClock useClock(&clock);
  g_TimerFrequency = clock.TicksPerSecond();
  RecordingFont font(7, 12, true);
  FontApp app;
  app.SetFonts(&font, nullptr);
  app.SetFps(74.5f);
  const int64_t frameStart = clock.Ticks();
  clock.AdvanceMs(3.25);
  app.DrawFrameStatistics(frameStart);
  g_TimerFrequency = 0;

  ASSERT_EQ(font.drawn.size(), 3u);
  EXPECT_EQ(font.drawn[0].text, L"FPS:74.50, VRAM Free : 0 MB") << "the NULL driver knows no memory";
  EXPECT_EQ(font.drawn[1].text, L"IRR FPS:" + std::to_wstring(video.driver()->getFPS()));
  EXPECT_EQ(font.drawn[2].text, L"Code Time (ms) : 3.250");
  for (int line = 0; line < 3; ++line) {
    EXPECT_EQ(font.drawn[line].position.UpperLeftCorner.X, 20) << line;
    EXPECT_EQ(font.drawn[line].position.UpperLeftCorner.Y, 20 + 20 * line) << line;
    EXPECT_EQ(font.drawn[line].colour, 0xFFFFFFFFu) << line;
  }
}

TEST(ApplicationDrawing, OnlyTheTestSwitchSetsTheStatisticsFlag) {
  setenv("ALSOFT_DRIVERS", "nodriver", 0);
  struct Case {
    const char* value;
    int flag;
  };
  const Case cases[] = {{nullptr, 0}, {"0", 0}, {"yes", 0}, {"1", 1}};
  for (const Case& c : cases) {
    bv::test::ScopedEnv statistics("QUORVEL_FRAME_STATISTICS", c.value);
    BvSystem system;
    EXPECT_EQ(system.showFrameStatistics, c.flag) << (c.value ? c.value : "unset");
  }
}

TEST(ApplicationDrawing, DebugTextKeepsSeventyNineCharactersAndWidensLatin1) {
  RecordingFont font(7, 12, true);
  FontApp app;
  app.DrawDebugText("not drawn", 0, 0);  // no debug font yet
  app.SetFonts(&font, nullptr);
  app.DrawDebugText(std::string(120, 'x').c_str(), 5, 6);
  app.DrawDebugText("caf\xe9", 0, 0);
  ASSERT_EQ(font.drawn.size(), 2u);
  EXPECT_EQ(font.drawn[0].text, std::wstring(79, L'x'));
  EXPECT_EQ(font.drawn[1].text, L"caf\u00e9");
}

TEST(ApplicationDrawing, FormattedTextReturnsItsWidth) {
  RecordingFont font(7, 12, true);
  FontApp app;
  EXPECT_EQ(app.DrawFormattedText(10, 20, "Hello", 128), 0) << "no text font";
  app.SetFonts(nullptr, &font);
  EXPECT_EQ(app.DrawFormattedText(10, 20, "Hello", 128), 35);
  EXPECT_EQ(app.DrawFormattedText(0, 0, std::string(150, 'y').c_str(), 255), 99 * 7)
      << "at most 99 characters";
  ASSERT_EQ(font.drawn.size(), 2u);
  EXPECT_EQ(font.drawn[0].text, L"Hello");
  EXPECT_EQ(font.drawn[0].position.UpperLeftCorner, irr::core::vector2di(10, 20));
  EXPECT_EQ(font.drawn[0].colour, 0x80FFFFFFu) << "white with the given alpha";
}

// Real pixels: a small OpenGL window with the system object for the mouse
// and the texture manager.
class ApplicationDrawingPixels : public ::testing::Test {
 protected:
  static constexpr int kWidth = 320;
  static constexpr int kHeight = 96;

  void SetUp() override {
    ASSERT_TRUE(display.Ok()) << "the private X server did not start";
    setenv("ALSOFT_DRIVERS", "nodriver", 0);
    device = bv::test::CreateGlDevice(kWidth, kHeight);
    ASSERT_NE(device, nullptr) << "no OpenGL device on the private display";
    system = std::make_unique<BvSystem>();
    g_System = system.get();
    g_Device = device;
    g_Driver = device->getVideoDriver();
  }
  void TearDown() override {
    // The device is the test's: the system object must not drop it.
    g_Device = nullptr;
    g_Driver = nullptr;
    system.reset();
    g_System = nullptr;
    if (device != nullptr) device->drop();
  }

  bool IsWhite(int x, int y) {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return rgba[0] > 200 && rgba[1] > 200 && rgba[2] > 200;
  }
  irr::video::SColor PixelAt(int x, int y) {
    unsigned char rgba[4] = {0, 0, 0, 0};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return irr::video::SColor(255, rgba[0], rgba[1], rgba[2]);
  }

  // Its own X server, named by DISPLAY while the test runs.
  bv::test::PrivateDisplay display;
  irr::IrrlichtDevice* device = nullptr;
  std::unique_ptr<BvSystem> system;
};

TEST_F(ApplicationDrawingPixels, StatisticsAreThreeWhiteLinesTwentyPixelsApart) {
  FontApp app;
  app.SetFonts(device->getGUIEnvironment()->getBuiltInFont(), nullptr);
  g_Driver->beginScene(true, false, irr::video::SColor(255, 0, 0, 0));
  app.DrawFrameStatistics(bv::GetClock().Ticks());
  // Rows holding white pixels, gathered into runs.
  std::vector<std::pair<int, int>> runs;
  for (int y = 0; y < kHeight; ++y) {
    bool white = false;
    for (int x = 0; x < kWidth && !white; ++x) white = IsWhite(x, y);
    if (!white) continue;
    if (!runs.empty() && runs.back().second == y - 1) {
      runs.back().second = y;
    } else {
      runs.push_back({y, y});
    }
  }
  bool leftMarginClear = true;
  for (int y = 0; y < kHeight; ++y) leftMarginClear &= !IsWhite(19, y);
  g_Driver->endScene();

  ASSERT_EQ(runs.size(), 3u) << "three lines of text";
  for (int line = 0; line < 3; ++line) {
    EXPECT_GE(runs[line].first, 20 + 20 * line) << line;
    EXPECT_LT(runs[line].second, 40 + 20 * line) << line;
  }
  EXPECT_TRUE(leftMarginClear) << "the lines start at x = 20";
}

TEST_F(ApplicationDrawingPixels, CursorGlyphIsDrawnAtTheMouse) {
  // A "letters" sheet whose glyph cell (787, 670)-(803, 694) alone is red.
  const std::string folder = bv::test::MakeTempFolder("cursor-glyph");
  const std::string file = folder + "/letters.png";
  irr::video::IImage* image =
      g_Driver->createImage(irr::video::ECF_A8R8G8B8, irr::core::dimension2du(810, 700));
  image->fill(irr::video::SColor(255, 0, 0, 255));
  for (int y = 670; y < 694; ++y)
    for (int x = 787; x < 803; ++x) image->setPixel(x, y, irr::video::SColor(255, 255, 0, 0));
  ASSERT_TRUE(g_Driver->writeImageToFile(image, file.c_str()));
  image->drop();
  g_TextureManager->LoadTexture(file.c_str(), "letters", -1);
  system->mouseX = 100;
  system->mouseY = 30;

  FontApp app;
  g_Driver->beginScene(true, false, irr::video::SColor(255, 0, 0, 0));
  app.DrawCursorGlyph();
  bv::FlushQuads(g_Driver);
  const irr::video::SColor inside = PixelAt(107, 41);
  const irr::video::SColor corner = PixelAt(100, 30);
  const irr::video::SColor right = PixelAt(117, 41);
  const irr::video::SColor below = PixelAt(107, 55);
  g_Driver->endScene();

  EXPECT_EQ(inside.color, 0xFFFF0000u);
  EXPECT_EQ(corner.color, 0xFFFF0000u);
  EXPECT_EQ(right.color, 0xFF000000u) << "16 pixels wide";
  EXPECT_EQ(below.color, 0xFF000000u) << "24 pixels high";
}

}  // namespace
