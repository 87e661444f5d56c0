#pragma once
// Irrlicht 1.8's OpenGL texture keeps the decoded image beside the driver's
// copy for as long as it lives. Its render-target textures keep none, so a
// loaded texture is moved into one of its size: the same texels, sampled
// the same way, and the decoded image leaves memory. Only with the drawing
// savings on, the OpenGL driver and framebuffer objects.
#include <irrlicht.h>

#include "engine/resources/picture_decoder.h"

namespace bv {

// Who draws the texture, which decides how its rows are stored. The quad
// renderer samples a render target as its rows lie, as it samples an
// ordinary texture, so its textures keep the image's row order and draw
// exactly the ordinary texture's pixels. Irrlicht's own drawing (its bitmap
// font) turns every render target's rows over, so a texture only it draws
// is stored upside down; its draws are 1:1 at texel centres, where the
// turn's rounding changes nothing. Such a texture gets a name of its own,
// so the texture manager never takes it up.
enum class DrawnBy { kQuadRenderer, kIrrlicht };

// Returns the texture that replaces texture (under its driver name when
// the quad renderer draws it), or texture itself when it stays (savings
// off, another driver, no framebuffer objects, a format other than
// A8R8G8B8, any GL error). The returned texture can no longer be read back
// cheaply: every check of its texels must come before.
irr::video::ITexture* DropDecodedCopy(irr::video::IVideoDriver* driver,
                                      irr::video::ITexture* texture, DrawnBy drawnBy);

// Loads file's picture straight into a render target of its size for the
// quad renderer: the texels the ordinary texture would hold (A8R8G8B8,
// converted as it converts them), under the name the driver gives a file's
// texture, without making the ordinary texture first (its copy of the image
// and its upload). opaque:
// whether every texel's alpha is 255. Null when this cannot be done (the
// conditions of DropDecodedCopy, no file system, a file the driver already
// holds or cannot read): the caller then loads it the ordinary way.
irr::video::ITexture* LoadWithoutCopy(irr::video::IVideoDriver* driver,
                                      irr::io::IFileSystem* files, const char* file,
                                      bool* opaque);

// Whether AddDecodedTexture makes textures without a decoded copy for
// this driver (as LoadWithoutCopy would): its pictures are then decoded
// with the bottom row first.
bool UploadsWithoutCopy(irr::video::IVideoDriver* driver);

// A texture named name (the name the driver gives the file's texture)
// holding a decoded picture: without a decoded copy when
// UploadsWithoutCopy (rows bottom row first), else the driver's ordinary
// texture of it (top row first). Null when the picture does not fit that
// way (too large, a size the driver cannot hold unscaled) or on any
// failure: the caller then loads the file the ordinary way.
irr::video::ITexture* AddDecodedTexture(irr::video::IVideoDriver* driver,
                                        const irr::io::path& name,
                                        const DecodedPicture& picture);

// Whether texture keeps no decoded image: a file's texture does only when
// DropDecodedCopy made it (a render target), so no record is kept that
// could outlive the texture.
bool HasNoDecodedCopy(irr::video::ITexture* texture);

}  // namespace bv
