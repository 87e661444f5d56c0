#pragma once
// Irrlicht 1.8's bitmap font keeps the decoded image of its picture beside
// the driver's copy, as its textures do (see texture_without_copy.h). With
// the drawing savings on, the font's picture moves into a texture that
// keeps none; its glyphs draw the same pixels.
#include <irrlicht.h>

namespace bv {

// Replaces each picture of font (a bitmap font) by one without the decoded
// image; nothing for other fonts, pictures already without one, or where
// DropDecodedCopy keeps the texture.
void DropFontDecodedCopy(irr::video::IVideoDriver* driver, irr::gui::IGUIFont* font);

}  // namespace bv
