#pragma once
// The one sprite-drawing path of the engine. Irrlicht's stock 2D calls force
// plain alpha blending, so every textured quad (level sprites, the texture
// manager's Draw, the bitmap font) is drawn here instead: four S3DVertex in
// clip space, two indexed triangles, culling off, with our own blends:
//   normal:     texture alpha x vertex-colour alpha (the fades need both);
//   brightening (additive): c + d x (1 - c) with c = texel x vertex colour,
//               alpha ignored (EMT_TRANSPARENT_ADD_COLOR).
// Coordinates are screen pixels, origin top-left, y down.
#include <irrlicht.h>

#include <functional>

namespace bv {

// One quad ready for the driver: corners already turned, texture coordinates
// already chosen. Corner order P0 top-left, P1 top-right, P2 bottom-right,
// P3 bottom-left of the unturned destination.
struct QuadDraw {
  irr::video::ITexture* texture = nullptr;
  // Corners in screen pixels.
  irr::core::vector2df corners[4];
  // Normalised texture coordinates per corner.
  irr::core::vector2df uv[4];
  // Vertex colour per corner (ARGB).
  irr::video::SColor colours[4];
  // Blend with the texture's alpha channel (normal blend only).
  bool useAlphaChannel = true;
  // Brightening blend; ignores every alpha.
  bool additive = false;
  // Linear filtering for this draw (scaled quads); point filtering otherwise.
  bool linearFilter = false;
};

// Builds the quad of draw2DImageQuad: corners p[0..3] in screen pixels (the
// unturned rectangle), source rectangle in texture pixels, turned by angle
// radians about centre (positive turns clockwise on the screen), optionally
// mirrored. A 1:1 unturned draw samples the source exactly (u = left/TW ..
// right/TW); a scaled or turned one stays half a texel inside each edge so
// that a sheet neighbour never bleeds in. TW, TH = the texture's original
// size. Returns false (and leaves out untouched) for a null texture.
bool BuildImageQuad(irr::video::ITexture* texture, const irr::core::vector2df p[4],
                    const irr::core::recti& source, const irr::core::vector2df& centre,
                    float angle, irr::video::SColor colour, bool useAlphaChannel,
                    bool additiveBlend, bool flipHorizontal, bool flipVertical,
                    QuadDraw& out);

// Sends one quad to the driver (nothing for a null driver or texture). Only
// geometry and material go through Irrlicht; no raw GL state is touched and
// the render target is not changed here: when a run goes to the driver (a
// flush, or the oldest of full runs), FrameClear first makes the frame's
// owed clear, the one place that clear is made. A render target's
// texture is sampled as its rows are stored, top row at v = 0 (the
// driver's own flip of render targets is undone in the material).
// While batching is on, consecutive quads that share texture, blend, alpha
// use and filter are kept and drawn together as one indexed triangle list
// when the next quad differs or FlushQuads is called; the order of drawing
// and so the pixels are the same as quad by quad. With the drawing savings
// on, a quad also joins an earlier run of its material (of the last few)
// when it shares no pixel with any quad drawn between: every pixel still
// gets its drawings in the same order.
void SubmitQuad(irr::video::IVideoDriver* driver, const QuadDraw& quad);

// Draws the quads kept for this driver. Call it before any other kind of
// drawing (lines, rectangles, Irrlicht's GUI and fonts), before reading the
// back buffer and before endScene. Quads kept for another driver are
// dropped.
void FlushQuads(irr::video::IVideoDriver* driver);
// Drops the kept quads unseen (their driver is going away).
void DiscardQuads();
// Every removal of a texture from a driver goes through these: the kept
// quads (which may hold the texture) are drawn first, and the texture's
// opacity mark goes with it, so no pointer to a released texture is left.
void RemoveTexture(irr::video::IVideoDriver* driver, irr::video::ITexture* texture);
void RemoveAllTextures(irr::video::IVideoDriver* driver);
// Batching on (the default) or off: off, every quad is drawn on its own as
// it comes. Benchmarks and tests compare the two.
void SetQuadBatching(bool on);
bool IsQuadBatching();

// draw2DImageQuad: BuildImageQuad then SubmitQuad.
void Draw2DImageQuad(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                     const irr::core::vector2df p[4], const irr::core::recti& source,
                     const irr::core::vector2df& centre, float angle,
                     irr::video::SColor colour, bool useAlphaChannel, bool additiveBlend,
                     bool flipHorizontal, bool flipVertical);

// draw2DImageRotated: the destination rectangle's corners (left, top),
// (right, top), (right, bottom), (left, bottom) through Draw2DImageQuad.
// A rectangle with left > right XOR top > bottom (one negative scale) is not
// drawn, as a culled counter-clockwise quad would not be; both reversed is a
// half turn.
void Draw2DImageRotated(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                        const irr::core::rectf& destination, const irr::core::recti& source,
                        const irr::core::vector2df& centre, float angle,
                        irr::video::SColor colour, bool useAlphaChannel, bool additiveBlend,
                        bool flipHorizontal, bool flipVertical);

// The stock draw2DImage (position form) with the additive flag: the source
// rectangle drawn 1:1 with its top-left at position, clipped in software
// against clip (null: no clip).
void Draw2DImage(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                 const irr::core::position2di& position, const irr::core::recti& source,
                 const irr::core::recti* clip, irr::video::SColor colour,
                 bool useAlphaChannel, bool additiveBlend);

// The stock draw2DImage (rectangle form) with the additive flag: source
// stretched over destination, corner colours in the order top-left,
// bottom-left, bottom-right, top-right as Irrlicht's (null: all white),
// clipped in software against clip (null: no clip).
void Draw2DImage(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                 const irr::core::recti& destination, const irr::core::recti& source,
                 const irr::core::recti* clip, const irr::video::SColor* colours,
                 bool useAlphaChannel, bool additiveBlend);

// Textures whose every texel is opaque: drawn without blending wherever the
// colour is opaque too, which leaves the same pixels (source times one plus
// target times zero). The texture manager marks them at load (with the
// drawing savings on); RemoveTexture unmarks them.
void SetTextureOpaque(irr::video::ITexture* texture, bool opaque);
bool IsTextureOpaque(irr::video::ITexture* texture);
// Whether all texels of the texture are opaque, read from the image the
// driver keeps beside it (false when it keeps none or has alpha-less
// storage it cannot read).
bool AllTexelsOpaque(irr::video::ITexture* texture);
// The same for A8R8G8B8 rows of size, pitch bytes apart.
bool AllTexelsOpaque(const irr::u8* rows, irr::u32 pitch, const irr::core::dimension2du& size);

// Seam for tests and tools: when set, every quad that SubmitQuad receives is
// also passed here (before the driver sees it). Empty function: none.
using QuadObserver = std::function<void(const QuadDraw&)>;
void SetQuadObserver(QuadObserver observer);

}  // namespace bv
