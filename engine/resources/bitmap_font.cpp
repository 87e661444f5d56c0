#include "engine/resources/bitmap_font.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"

namespace {

// Colour-key kind of font images: grey 110, 122, 124.
constexpr int kFontKeyKind = 7;
// Frames per second at which the wave phase advances by 1 per drawing.
constexpr float kWaveReferenceFps = 85.0f;
// Largest phase step per drawing.
constexpr float kMaxWaveStep = 2.0f;
// Glyphs after the letters, in tile order from 52.
constexpr const char* kPunctuation = "'.:,-+?!/%";

}  // namespace

BvBitmapFont::BvBitmapFont() = default;

BvBitmapFont::~BvBitmapFont() {
  if (g_TextureManager && !m_Name.empty()) g_TextureManager->Release(m_Name.c_str());
}

int BvBitmapFont::GlyphTile(char c) {
  if (c >= 'A' && c <= 'Z') return c - 'A';
  if (c >= 'a' && c <= 'z') return 26 + (c - 'a');
  if (c >= '0' && c <= '9') return 62 + (c - '0');
  if (c != '\0') {
    if (const char* at = std::strchr(kPunctuation, c)) return 52 + static_cast<int>(at - kPunctuation);
  }
  return -1;
}

void BvBitmapFont::SetFont(int tileWidth, int tileHeight, const char* file, const char* name,
                           BvApplication* app) {
  m_App = app;
  m_TileWidth = tileWidth;
  m_TileHeight = tileHeight;
  m_Name = name ? std::string(name).substr(0, kMaxName) : std::string();
  if (!g_TextureManager) return;
  g_TextureManager->LoadTextureKeyed(file, m_Name.c_str(), kFontKeyKind);
  g_TextureManager->SetTiles(m_Name.c_str(), tileWidth, tileHeight);
}

irr::core::vector2di BvBitmapFont::WaveOffset(int waveKind) const {
  double dy = 0.0;
  if (waveKind == 1) {
    dy = std::sin(m_WavePhase * 0.05 + m_GlyphCounter * 0.5) * 10.0;
  } else if (waveKind == 2) {
    dy = std::sin(m_GlyphCounter * 3.1415927 + m_WavePhase * 0.2) * 5.0;
  }
  return irr::core::vector2di(0, static_cast<int>(dy));  // truncated toward zero
}

std::vector<BvBitmapFont::Glyph> BvBitmapFont::LayoutText(int x, int y, const char* text,
                                                          int waveKind, int16_t spacing) {
  std::vector<Glyph> glyphs;
  m_GlyphCounter = 0;
  if (m_App && waveKind != 0) {
    float step = 1.0f;
    float fps = m_App->GetFpsAverage();
    if (fps > 0.0f) step = std::min(kWaveReferenceFps / fps, kMaxWaveStep);
    m_WavePhase += step;
  }
  float px = static_cast<float>(x);
  for (const char* c = text ? text : ""; *c != '\0'; ++c) {
    int tile = GlyphTile(*c);
    if (tile >= 0) {
      irr::core::vector2di d = WaveOffset(waveKind);
      glyphs.push_back(Glyph{tile, static_cast<int>(px + d.X), y + d.Y});
    }
    ++m_GlyphCounter;
    px += static_cast<float>(m_TileWidth + spacing);
  }
  return glyphs;
}

void BvBitmapFont::DrawText(int x, int y, const char* text, int waveKind, int16_t spacing,
                            int16_t alpha, const irr::core::recti* clip) {
  if (!g_TextureManager) return;
  BvTextureEntry* entry = g_TextureManager->Select(m_Name.c_str());
  std::vector<Glyph> glyphs = LayoutText(x, y, text, waveKind, spacing);
  if (!entry) return;
  for (const Glyph& glyph : glyphs) {
    g_TextureManager->SetFrame(glyph.tile);
    g_TextureManager->SetPosition(glyph.x, glyph.y);
    g_TextureManager->SetAlpha(alpha);
    g_TextureManager->Draw(clip, false);
  }
}
