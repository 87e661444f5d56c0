#pragma once
// BvBitmapFont: a line of text drawn glyph by glyph from one image cut into
// equal tiles (the texture manager's tile drawing), with an optional wave
// that moves the glyphs up and down over time.
#include <irrlicht.h>

#include <cstdint>
#include <string>
#include <vector>

class BvApplication;

class BvBitmapFont {
 public:
  // Longest texture name kept, in characters.
  static constexpr size_t kMaxName = 49;

  // Where one glyph is drawn: its tile and the top-left corner (pixels).
  struct Glyph {
    int tile;
    int x;
    int y;
  };

  BvBitmapFont();
  // Releases the font's texture from the texture manager.
  virtual ~BvBitmapFont();
  BvBitmapFont(const BvBitmapFont&) = delete;
  BvBitmapFont& operator=(const BvBitmapFont&) = delete;

  // Keeps app and the tile size, the first 49 characters of name, loads
  // file under name with the grey colour key (kind 7) and tiles it.
  void SetFont(int tileWidth, int tileHeight, const char* file, const char* name,
               BvApplication* app);
  // Draws text with its first cell's top-left at (x, y) screen pixels.
  // waveKind 0 none, 1 slow wave, 2 neighbours in opposite directions;
  // spacing: pixels added between cells; alpha 0..255; clip may be null.
  void DrawText(int x, int y, const char* text, int waveKind, int16_t spacing, int16_t alpha,
                const irr::core::recti* clip);
  // The glyphs DrawText draws (advances the wave phase as DrawText does).
  std::vector<Glyph> LayoutText(int x, int y, const char* text, int waveKind, int16_t spacing);
  // The displacement of the glyph being placed; dx is always 0.
  irr::core::vector2di WaveOffset(int waveKind) const;

  // The tile of a character: A-Z 0..25, a-z 26..51, the apostrophe . : , -
  // + ? ! / % 52..61, 0-9 62..71; -1 for every other character (no glyph).
  static int GlyphTile(char c);

  const char* GetName() const { return m_Name.c_str(); }
  float GetWavePhase() const { return m_WavePhase; }
  int GetTileWidth() const { return m_TileWidth; }
  int GetTileHeight() const { return m_TileHeight; }

 private:
  std::string m_Name;
  int32_t m_TileWidth = 0;
  int32_t m_TileHeight = 0;
  // Advanced by every drawing with a wave.
  float m_WavePhase = 0.0f;
  // Index of the character being placed within the current text.
  int32_t m_GlyphCounter = 0;
  BvApplication* m_App = nullptr;  // not owned
};
