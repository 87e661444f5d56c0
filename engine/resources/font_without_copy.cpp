#include "engine/resources/font_without_copy.h"

#include "engine/resources/texture_without_copy.h"

namespace bv {

void DropFontDecodedCopy(irr::video::IVideoDriver* driver, irr::gui::IGUIFont* font) {
  if (!driver || !font || font->getType() != irr::gui::EGFT_BITMAP) return;
  irr::gui::IGUISpriteBank* bank = static_cast<irr::gui::IGUIFontBitmap*>(font)->getSpriteBank();
  if (!bank) return;
  for (irr::u32 i = 0; i < bank->getTextureCount(); ++i) {
    irr::video::ITexture* texture = bank->getTexture(i);
    if (!texture || HasNoDecodedCopy(texture)) continue;
    // The driver lets go of the old picture; the bank holds it until the
    // new one takes its place.
    irr::video::ITexture* kept = DropDecodedCopy(driver, texture, DrawnBy::kIrrlicht);
    if (kept != texture) bank->setTexture(i, kept);
  }
}

}  // namespace bv
