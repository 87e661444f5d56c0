// The bitmap font's glyph table, the placing of glyphs along a line and the
// wave offsets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/resources/bitmap_font.h"
#include "engine/shell/application.h"

namespace {

TEST(BitmapFont, GlyphTable) {
  struct Case {
    char c;
    int tile;
  };
  const Case cases[] = {{'A', 0},  {'Z', 25}, {'a', 26}, {'z', 51}, {'\'', 52}, {'.', 53},
                        {':', 54}, {',', 55}, {'-', 56}, {'+', 57}, {'?', 58},  {'!', 59},
                        {'/', 60}, {'%', 61}, {'0', 62}, {'9', 71}, {' ', -1},  {'#', -1},
                        {'\0', -1}, {'\xE9', -1}};
  for (const Case& c : cases) {
    EXPECT_EQ(BvBitmapFont::GlyphTile(c.c), c.tile) << "character " << int(c.c);
  }
}

TEST(BitmapFont, BlanksTakeACellButDrawNothing) {
  BvBitmapFont font;
  font.SetFont(16, 20, "none.png", "font", nullptr);  // no texture manager: nothing loaded
  std::vector<BvBitmapFont::Glyph> glyphs = font.LayoutText(100, 50, "Hi 5%", 0, 2);
  ASSERT_EQ(glyphs.size(), 4u);
  const int tiles[] = {7, 34, 67, 61};
  const int xs[] = {100, 118, 154, 172};  // cell 16 + spacing 2; the blank advances too
  for (size_t i = 0; i < glyphs.size(); ++i) {
    EXPECT_EQ(glyphs[i].tile, tiles[i]) << i;
    EXPECT_EQ(glyphs[i].x, xs[i]) << i;
    EXPECT_EQ(glyphs[i].y, 50) << i;
  }
  EXPECT_TRUE(font.LayoutText(0, 0, "", 0, 0).empty());
  EXPECT_TRUE(font.LayoutText(0, 0, nullptr, 0, 0).empty());
}

// The glyphs' heights of a layout, relative to its line.
std::vector<int> Heights(BvBitmapFont& font, const char* text, int waveKind) {
  std::vector<int> heights;
  for (const BvBitmapFont::Glyph& g : font.LayoutText(0, 100, text, waveKind, 0))
    heights.push_back(g.y - 100);
  return heights;
}

TEST(BitmapFont, WaveWithoutApplicationDisplacesButNeverAdvances) {
  BvBitmapFont font;
  font.SetFont(10, 10, "none.png", "font", nullptr);
  // Kind 1 at phase 0: 10 sin(n / 2) for glyph n, truncated: sin 0.5 =
  // 0.479, sin 1 = 0.841, sin 1.5 = 0.997.
  EXPECT_EQ(Heights(font, "AAAA", 1), (std::vector<int>{0, 4, 8, 9}));
  // A blank has no glyph but counts: the glyph after it is number 2.
  EXPECT_EQ(Heights(font, "A A", 1), (std::vector<int>{0, 8}));
  // Kind 2 at phase 0: 5 sin(n pi) is a hair from 0 for every glyph.
  EXPECT_EQ(Heights(font, "AAAA", 2), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(Heights(font, "AAAA", 7), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(font.GetWavePhase(), 0.0f);
}

TEST(BitmapFont, WavePhaseAdvancesByTheApplicationsFrameRate) {
  BvApplication app(nullptr);  // 75 frames per second until measured
  BvBitmapFont font;
  font.SetFont(10, 10, "none.png", "font", &app);
  // No wave, no advance.
  EXPECT_EQ(Heights(font, "AAAA", 0), (std::vector<int>{0, 0, 0, 0}));
  EXPECT_EQ(font.GetWavePhase(), 0.0f);
  // At 75 frames per second a wave drawing advances the phase by 85 / 75 =
  // 1.1333; kind 2 is then 5 sin(n pi + 0.2267), sin 0.2267 = 0.225, so
  // neighbours alternate +1 and -1.
  EXPECT_EQ(Heights(font, "AAAA", 2), (std::vector<int>{1, -1, 1, -1}));
  EXPECT_NEAR(font.GetWavePhase(), 1.1333f, 1e-4);
  // At 20 frames per second the step (85 / 20 = 4.25) is held to 2: phase
  // 3.1333; kind 1 is 10 sin(0.1567 + n / 2): sin 0.1567 = 0.156,
  // sin 0.6567 = 0.611, sin 1.1567 = 0.916, sin 1.6567 = 0.996.
  app.SetLastFrameMs(50.0f);
  app.UpdateFpsAverage();
  EXPECT_EQ(Heights(font, "AAAA", 1), (std::vector<int>{1, 6, 9, 9}));
  EXPECT_NEAR(font.GetWavePhase(), 3.1333f, 1e-4);
  // An empty text draws nothing but still advances the wave.
  EXPECT_TRUE(font.LayoutText(0, 0, "", 1, 0).empty());
  EXPECT_NEAR(font.GetWavePhase(), 5.1333f, 1e-4);
}

TEST(BitmapFont, LongNamesKeep49Characters) {
  BvBitmapFont font;
  std::string name(60, 'n');
  font.SetFont(8, 8, "none.png", name.c_str(), nullptr);
  EXPECT_EQ(std::string(font.GetName()), std::string(49, 'n'));
}

}  // namespace
