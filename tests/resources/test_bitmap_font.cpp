// The bitmap font's glyph table, the placing of glyphs along a line and the
// wave offsets.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "engine/resources/bitmap_font.h"

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

TEST(BitmapFont, WaveWithoutApplicationDisplacesButNeverAdvances) {
  BvBitmapFont font;
  font.SetFont(10, 10, "none.png", "font", nullptr);
  std::vector<BvBitmapFont::Glyph> glyphs = font.LayoutText(0, 100, "AAAA", 1, 0);
  EXPECT_EQ(font.GetWavePhase(), 0.0f);
  ASSERT_EQ(glyphs.size(), 4u);
  for (int i = 0; i < 4; ++i) {
    int expected = static_cast<int>(std::sin(i * 0.5) * 10.0);
    EXPECT_EQ(glyphs[i].y, 100 + expected) << "glyph " << i;
  }
  // Kind 2 at phase 0: sin(i x pi) x 5 truncates to 0 for every glyph.
  for (const auto& g : font.LayoutText(0, 100, "AAAA", 2, 0)) EXPECT_EQ(g.y, 100);
  for (const auto& g : font.LayoutText(0, 100, "AAAA", 7, 0)) EXPECT_EQ(g.y, 100);
}

TEST(BitmapFont, LongNamesKeep49Characters) {
  BvBitmapFont font;
  std::string name(60, 'n');
  font.SetFont(8, 8, "none.png", name.c_str(), nullptr);
  EXPECT_EQ(std::string(font.GetName()), std::string(49, 'n'));
}

}  // namespace
