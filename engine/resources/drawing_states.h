#pragma once
// Drawing states made ready ahead of their first use. OpenGL drivers that
// build their shaders on demand (Mesa's software renderer among them) do so
// the first time a combination of blending, texture kind and filter is
// drawn; made in the first frame of a dialog, that frame took several
// times its usual length.
#include <irrlicht.h>

namespace bv {

// Draws fully transparent, one-pixel quads from two small textures (a side
// a power of two and not), made the way pictures are made, with every
// blending and filter the quad renderer uses, then removes the textures.
// Every pixel stays as it was.
void PrepareQuadDrawing(irr::video::IVideoDriver* driver);

}  // namespace bv
