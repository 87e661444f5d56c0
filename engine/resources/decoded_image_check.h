#pragma once
// What a decoder produced is trusted only as far as it holds together:
// Irrlicht 1.8 keeps an image's pitch and byte size in 32 bits, so a size
// its decoder was given can describe far more pixels than were allocated.
#include <irrlicht.h>

namespace bv {

// Whether image has pixels and their rows (pitch times height, counted
// without wrapping) are what its data size says, and it is no larger than
// largest.
bool HoldsWholePicture(const irr::video::IImage* image, const irr::core::dimension2du& largest);

// The same for pitch and size that a texture's lock hands out, with
// bytesPerPixel a texel's bytes.
bool IsPlausibleRows(const irr::core::dimension2du& size, irr::u32 pitch, irr::u32 bytesPerPixel,
                     const irr::core::dimension2du& largest);

}  // namespace bv
