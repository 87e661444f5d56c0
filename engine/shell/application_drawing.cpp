// The application's own text drawing: the frame statistics the frame loop
// draws over everything while the system's statistics flag is set, formatted
// text with the text font, and the cursor glyph.
#include <cstdio>
#include <string>

#include "engine/platform/clock.h"
#include "engine/platform/video_memory.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

// Longest texts drawn, in characters: debug texts and formatted texts.
constexpr size_t kMaxDebugText = 79;
constexpr size_t kMaxFormattedText = 99;
// Where the statistics lines start, and their spacing (pixels).
constexpr int kStatisticsX = 20;
constexpr int kStatisticsY = 20;
constexpr int kStatisticsLineHeight = 20;
constexpr size_t kLineSize = 128;
constexpr irr::u32 kWhite = 0xFFFFFFFF;
constexpr irr::u32 kWhiteRgb = 0x00FFFFFF;
// The cursor glyph: its texture and its rectangle in it (pixels).
constexpr const char* kCursorTexture = "letters";
const irr::core::recti kCursorGlyphSource(787, 670, 803, 694);

// Latin-1 bytes as wide characters, cut to maxChars.
std::wstring Widen(const char* text, size_t maxChars) {
  std::wstring wide;
  for (size_t i = 0; text[i] != '\0' && i < maxChars; ++i) {
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
  }
  return wide;
}

}  // namespace

void BvApplication::DrawDebugText(const char* text, int x, int y) {
  if (debugFont == nullptr || text == nullptr) return;
  const std::wstring wide = Widen(text, kMaxDebugText);
  // Irrlicht draws the text on its own: kept sprites go down first.
  bv::FlushQuads(g_Driver);
  debugFont->draw(wide.c_str(), irr::core::recti(x, y, x, y), irr::video::SColor(kWhite));
}

void BvApplication::DrawFrameStatistics(int64_t frameStart) {
  char line[kLineSize];
  std::snprintf(line, sizeof line, "FPS:%.2f, VRAM Free : %lu MB", fpsAverage,
                bv::GetFreeVideoMemoryMB(g_Driver));
  DrawDebugText(line, kStatisticsX, kStatisticsY);
  std::snprintf(line, sizeof line, "IRR FPS:%d", g_Driver != nullptr ? g_Driver->getFPS() : 0);
  DrawDebugText(line, kStatisticsX, kStatisticsY + kStatisticsLineHeight);
  double codeMs = 0.0;
  if (g_TimerFrequency > 0) {
    codeMs = static_cast<double>(bv::GetClock().Ticks() - frameStart) * 1000.0 /
             static_cast<double>(g_TimerFrequency);
  }
  std::snprintf(line, sizeof line, "Code Time (ms) : %.03f", codeMs);
  DrawDebugText(line, kStatisticsX, kStatisticsY + 2 * kStatisticsLineHeight);
}

int BvApplication::DrawFormattedText(int x, int y, const char* text, int alpha) {
  irr::gui::IGUIFont* font = textFont;
  if (font == nullptr || text == nullptr) return 0;
  const std::wstring wide = Widen(text, kMaxFormattedText);
  bv::FlushQuads(g_Driver);
  const irr::video::SColor colour((static_cast<irr::u32>(alpha) << 24) + kWhiteRgb);
  font->draw(wide.c_str(), irr::core::recti(x, y, x, y), colour);
  return static_cast<int>(font->getDimension(wide.c_str()).Width);
}

void BvApplication::DrawCursorGlyph() {
  if (g_TextureManager == nullptr || g_Driver == nullptr || g_System == nullptr) return;
  BvTextureEntry* entry = g_TextureManager->Select(kCursorTexture);
  if (entry == nullptr || entry->texture == nullptr) return;
  // Through the quad renderer, which samples art kept in a render target
  // the right way up (Irrlicht's own draw2DImage would turn it over).
  bv::Draw2DImage(g_Driver, entry->texture,
                  irr::core::position2di(g_System->mouseX, g_System->mouseY), kCursorGlyphSource,
                  nullptr, irr::video::SColor(kWhite), true, false);
}
