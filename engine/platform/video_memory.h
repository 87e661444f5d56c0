#pragma once
// Free video memory as the OpenGL driver reports it.
#include <irrlicht.h>

namespace bv {

// Free video memory in MB, through the NVX or ATI memory-information
// extension of the current OpenGL context; 0 without an OpenGL driver or
// when the driver offers neither (Mesa's software renderers, among others).
unsigned long GetFreeVideoMemoryMB(irr::video::IVideoDriver* driver);

}  // namespace bv
