#include "engine/shell/confirm_box.h"

#include <cstring>

#include "engine/resources/bitmap_font.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"

namespace {

// Key codes read by the box.
constexpr int kKeyEnter = 13;
constexpr int kKeyEscape = 27;
// The sound of a changed answer.
constexpr const char* kSelectSound = "menuselect";
constexpr float kSelectVolume = 0.5f;

// Layout, screen pixels: the question is centred on this width, in a box
// reaching this far round it.
constexpr int kCentringWidth = 640;
constexpr int kBoxMarginLeft = 20;
constexpr int kBoxMarginRight = 40;
constexpr int kBoxTop = 200;
constexpr int kBoxBottom = 320;
constexpr irr::u32 kBoxColour = 0xB4000000;
constexpr int kTextY = 220;
constexpr int kAnswersY = 282;
constexpr int kYesX = 335;
constexpr int kCancelX = 250;
constexpr int kAnswerShift = 2;
// The marker "ball" sits left of the chosen answer.
constexpr const char* kMarkerImage = "ball";
constexpr int kMarkerLeft = 26;
constexpr int kMarkerY = 280;
// Glyph cells overlap by one pixel.
constexpr int16_t kSpacing = -1;
constexpr int16_t kOpaque = 255;

}  // namespace

void BvConfirmBox::Show(const char* question, BvBitmapFont* textFont, BvApplication* owner) {
  std::memset(text, 0, sizeof text);
  if (question != nullptr) std::strncpy(text, question, kMaxText);
  font = textFont;
  app = owner;
  shown = 1;
  choice = kCancel;
  resultReady = 0;
}

void BvConfirmBox::Close() {
  shown = 0;
  resultReady = 1;
}

void BvConfirmBox::HandleInput() {
  if (app == nullptr || !shown) return;
  if (app->WasLeftPressed() || app->WasRightPressed()) {
    choice = choice == kYes ? kCancel : kYes;
    PlayEffect(kSelectSound, false, kSelectVolume);
  }
  if (app->WasKeyPressed(kKeyEnter)) {
    Close();
  } else if (app->WasKeyPressed(kKeyEscape)) {
    choice = kCancel;
    Close();
  }
}

bool BvConfirmBox::TakeResult(int16_t* choiceOut) {
  if (!resultReady) return false;
  if (choiceOut != nullptr) *choiceOut = choice;
  resultReady = 0;
  return true;
}

void BvConfirmBox::Draw() {
  if (font == nullptr || !shown) return;
  const int w = (font->GetTileWidth() - 1) * static_cast<int>(std::strlen(text));
  const int b = (kCentringWidth - w) / 2;
  if (g_Driver != nullptr) {
    // The box goes over the sprites kept so far, so they go down first.
    bv::FlushQuads(g_Driver);
    g_Driver->draw2DRectangle(
        irr::video::SColor(kBoxColour),
        irr::core::recti(b - kBoxMarginLeft, kBoxTop, b + w + kBoxMarginRight, kBoxBottom));
  }
  font->DrawText(b, kTextY, text, 0, kSpacing, kOpaque, nullptr);
  const int yesX = kYesX - (w + 1) / 2 + kAnswerShift;
  const int cancelX = kCancelX + w / 2 + kAnswerShift;
  font->DrawText(yesX, kAnswersY, "Yes", 0, kSpacing, kOpaque, nullptr);
  font->DrawText(cancelX, kAnswersY, "Cancel", 0, kSpacing, kOpaque, nullptr);
  if (g_TextureManager != nullptr && g_TextureManager->Select(kMarkerImage) != nullptr) {
    g_TextureManager->SetPosition((choice == kYes ? yesX : cancelX) - kMarkerLeft, kMarkerY);
    g_TextureManager->Draw(nullptr, false);
  }
}
