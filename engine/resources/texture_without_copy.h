#pragma once
// Irrlicht 1.8's OpenGL texture keeps the decoded image beside the driver's
// copy for as long as it lives. Its render-target textures keep none, so a
// loaded texture is moved into one of its size: same texels, same sampling
// (the driver flips a render target's rows when it draws it, so the rows go
// up flipped), and the decoded image leaves memory. Only with the drawing
// savings on, the OpenGL driver and framebuffer objects.
#include <irrlicht.h>

namespace bv {

// Returns the texture that replaces texture under its driver name, or
// texture itself when it stays (savings off, another driver, no
// framebuffer objects, a format other than A8R8G8B8, any GL error). The
// returned texture can no longer be read back cheaply: every check of its
// texels must come before.
irr::video::ITexture* DropDecodedCopy(irr::video::IVideoDriver* driver,
                                      irr::video::ITexture* texture);

// Whether texture keeps no decoded image: a file's texture does only when
// DropDecodedCopy made it (a render target), so no record is kept that
// could outlive the texture.
bool HasNoDecodedCopy(irr::video::ITexture* texture);

}  // namespace bv
