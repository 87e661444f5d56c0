#include "engine/resources/quad_renderer.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>
#include <utility>
#include <vector>

#include "engine/resources/frame_clear.h"
#include "engine/resources/render_savings.h"

using irr::core::recti;
using irr::core::rectf;
using irr::core::vector2df;
using irr::video::SColor;

namespace bv {
namespace {

// Half a texel, the inset that keeps a filtered quad inside its source.
constexpr float kHalfTexel = 0.5f;

// The most vertices one run holds (16-bit indices address 65536).
constexpr size_t kMaxBatchVertices = 16384;

// What a run of quads shares: the texture and the material built from the
// blend, the alpha sources and the filter.
struct BatchKey {
  irr::video::ITexture* texture = nullptr;
  irr::video::E_MATERIAL_TYPE materialType = irr::video::EMT_SOLID;
  irr::f32 materialParam = 0.f;
  bool linearFilter = false;
  bool operator==(const BatchKey& other) const {
    return texture == other.texture && materialType == other.materialType &&
           materialParam == other.materialParam && linearFilter == other.linearFilter;
  }
};

// Quads waiting for the driver, all with one key, and the screen area
// they may touch.
struct QuadRun {
  BatchKey key;
  std::vector<irr::video::S3DVertex> vertices;
  rectf bounds;
};

// Runs kept apart when a quad's material differs from the last run's. With
// the drawing savings on, a quad may join an earlier run of its material
// when it shares no pixel with any quad of the runs after that one: drawn
// earlier, it still covers only pixels that nothing in between touches, so
// every pixel gets its drawings in the same order.
constexpr size_t kMaxRuns = 4;
// Pixels added around a quad's corners for the runs' overlap test.
constexpr float kRunMargin = 1.0f;

struct QuadBatch {
  bool enabled = true;
  // The drawing savings (opaque art unblended, a quad joining an earlier
  // run), taken once, when the first quad comes.
  bool savings = RenderSavingsOn();
  irr::video::IVideoDriver* driver = nullptr;
  // runs[0 .. count - 1] wait, in drawing order; the others keep storage.
  QuadRun runs[kMaxRuns];
  size_t count = 0;
};

QuadBatch& Batch() {
  static QuadBatch batch;
  return batch;
}

// Two triangles per quad, (0, 1, 2) and (0, 2, 3), for a full run.
const irr::u16* QuadIndices() {
  static const std::vector<irr::u16> indices = [] {
    std::vector<irr::u16> list;
    list.reserve(kMaxBatchVertices / 4 * 6);
    for (size_t q = 0; q < kMaxBatchVertices / 4; ++q) {
      const irr::u16 base = irr::u16(q * 4);
      for (irr::u16 corner : {0, 1, 2, 0, 2, 3}) list.push_back(irr::u16(base + corner));
    }
    return list;
  }();
  return indices.data();
}

std::unordered_set<irr::video::ITexture*>& OpaqueTextures() {
  static std::unordered_set<irr::video::ITexture*> textures;
  return textures;
}

BatchKey KeyFor(const QuadDraw& quad, bool savings) {
  BatchKey key;
  key.texture = quad.texture;
  key.linearFilter = quad.linearFilter;
  if (quad.additive) {
    // Source one, destination one minus source colour, alpha ignored.
    key.materialType = irr::video::EMT_TRANSPARENT_ADD_COLOR;
    return key;
  }
  bool vertexAlpha = false;
  for (const SColor& colour : quad.colours) vertexAlpha |= colour.getAlpha() < 255;
  const bool opaqueArt =
      savings && quad.useAlphaChannel && !vertexAlpha && IsTextureOpaque(quad.texture);
  if ((!quad.useAlphaChannel && !vertexAlpha) || opaqueArt) {
    key.materialType = irr::video::EMT_SOLID;
    return key;
  }
  // With the texture's alpha in use, the vertex alpha is always multiplied
  // in: an opaque vertex multiplies by exactly one, so faded and unfaded
  // sprites share a material (and a run).
  const irr::u32 alphaSource =
      quad.useAlphaChannel ? irr::video::EAS_TEXTURE | irr::video::EAS_VERTEX_COLOR
                           : irr::u32(irr::video::EAS_VERTEX_COLOR);
  key.materialType = irr::video::EMT_ONETEXTURE_BLEND;
  key.materialParam = irr::video::pack_textureBlendFunc(
      irr::video::EBF_SRC_ALPHA, irr::video::EBF_ONE_MINUS_SRC_ALPHA,
      irr::video::EMFN_MODULATE_1X, alphaSource);
  return key;
}

// The texture matrix the OpenGL driver applies to render targets.
const irr::core::matrix4& DriverRowFlip() {
  static const irr::core::matrix4 flip = [] {
    irr::core::matrix4 m;
    m.buildTextureTransform(0.0f, vector2df(0, 0), vector2df(0, 1.0f), vector2df(1.0f, -1.0f));
    return m;
  }();
  return flip;
}

irr::video::SMaterial MaterialFor(const BatchKey& key) {
  irr::video::SMaterial material;
  material.MaterialType = key.materialType;
  material.MaterialTypeParam = key.materialParam;
  material.setTexture(0, key.texture);
  material.Lighting = false;
  material.ZBuffer = irr::video::ECFN_NEVER;
  material.ZWriteEnable = false;
  material.BackfaceCulling = false;
  material.FrontfaceCulling = false;
  material.FogEnable = false;
  material.UseMipMaps = false;
  material.AntiAliasing = irr::video::EAAM_OFF;
  irr::video::SMaterialLayer& layer = material.TextureLayer[0];
  layer.BilinearFilter = key.linearFilter;
  layer.TrilinearFilter = false;
  layer.AnisotropicFilter = 0;
  layer.TextureWrapU = irr::video::ETC_CLAMP_TO_EDGE;
  layer.TextureWrapV = irr::video::ETC_CLAMP_TO_EDGE;
  // The driver turns every render target's rows over when it samples it
  // (texture coordinate v becomes 1 - v, rounded). This matrix undoes that
  // exactly (the two products make the identity), so a render target is
  // sampled as its rows are stored and as an ordinary texture of the same
  // rows: one rounding less, the same texels, the same filter weights.
  if (key.texture && key.texture->isRenderTarget()) layer.setTextureMatrix(DriverRowFlip());
  return material;
}

QuadObserver& Observer() {
  static QuadObserver observer;
  return observer;
}

// Texture size used to normalise coordinates: the image's own size, which is
// also right when the driver stretched it to a power-of-two surface.
vector2df TextureSize(irr::video::ITexture* texture) {
  const irr::core::dimension2du size = texture->getOriginalSize();
  return vector2df(size.Width > 0 ? float(size.Width) : 1.f,
                   size.Height > 0 ? float(size.Height) : 1.f);
}

// Twice the signed area of the triangle (a, b, c) in screen coordinates
// (y down): positive when it winds clockwise on the screen.
float ScreenWinding(const vector2df& a, const vector2df& b, const vector2df& c) {
  return (b.X - a.X) * (c.Y - a.Y) - (b.Y - a.Y) * (c.X - a.X);
}

// Axis-aligned quad with texture coordinates from a source rectangle in
// (possibly fractional) texture pixels.
void SetAxisAligned(QuadDraw& quad, const rectf& dest, const rectf& source,
                    const vector2df& textureSize) {
  const float u0 = source.UpperLeftCorner.X / textureSize.X;
  const float v0 = source.UpperLeftCorner.Y / textureSize.Y;
  const float u1 = source.LowerRightCorner.X / textureSize.X;
  const float v1 = source.LowerRightCorner.Y / textureSize.Y;
  quad.corners[0] = dest.UpperLeftCorner;
  quad.corners[1] = vector2df(dest.LowerRightCorner.X, dest.UpperLeftCorner.Y);
  quad.corners[2] = dest.LowerRightCorner;
  quad.corners[3] = vector2df(dest.UpperLeftCorner.X, dest.LowerRightCorner.Y);
  quad.uv[0] = vector2df(u0, v0);
  quad.uv[1] = vector2df(u1, v0);
  quad.uv[2] = vector2df(u1, v1);
  quad.uv[3] = vector2df(u0, v1);
}

// Clips dest against clip and cuts source in proportion. False when nothing
// of dest is left.
bool ClipAxisAligned(rectf& dest, rectf& source, const recti* clip) {
  if (!clip) return dest.getWidth() > 0 && dest.getHeight() > 0;
  const float sx = source.getWidth() / dest.getWidth();
  const float sy = source.getHeight() / dest.getHeight();
  const rectf c(float(clip->UpperLeftCorner.X), float(clip->UpperLeftCorner.Y),
                float(clip->LowerRightCorner.X), float(clip->LowerRightCorner.Y));
  rectf cut = dest;
  cut.clipAgainst(c);
  if (cut.getWidth() <= 0 || cut.getHeight() <= 0) return false;
  source = rectf(source.UpperLeftCorner.X + (cut.UpperLeftCorner.X - dest.UpperLeftCorner.X) * sx,
                 source.UpperLeftCorner.Y + (cut.UpperLeftCorner.Y - dest.UpperLeftCorner.Y) * sy,
                 source.LowerRightCorner.X - (dest.LowerRightCorner.X - cut.LowerRightCorner.X) * sx,
                 source.LowerRightCorner.Y - (dest.LowerRightCorner.Y - cut.LowerRightCorner.Y) * sy);
  dest = cut;
  return true;
}

rectf ToFloat(const recti& r) {
  return rectf(float(r.UpperLeftCorner.X), float(r.UpperLeftCorner.Y),
               float(r.LowerRightCorner.X), float(r.LowerRightCorner.Y));
}

}  // namespace

bool BuildImageQuad(irr::video::ITexture* texture, const vector2df p[4], const recti& source,
                    const vector2df& centre, float angle, SColor colour, bool useAlphaChannel,
                    bool additiveBlend, bool flipHorizontal, bool flipVertical,
                    QuadDraw& out) {
  if (!texture) return false;
  // A quad that winds counter-clockwise on the screen (one axis reversed)
  // is not drawn; both axes reversed is a half turn and is drawn.
  if (ScreenWinding(p[0], p[1], p[2]) <= 0.f) return false;

  const int srcW = source.LowerRightCorner.X - source.UpperLeftCorner.X;
  const int srcH = source.LowerRightCorner.Y - source.UpperLeftCorner.Y;
  const bool scaled = srcW != int(std::fabs(p[0].X - p[2].X)) ||
                      srcH != int(std::fabs(p[0].Y - p[2].Y));
  const vector2df size = TextureSize(texture);

  // OpenGL samples pixel centres at +0.5: a 1:1 unturned draw maps texel
  // edges to pixel edges exactly. A filtered (scaled or turned) one keeps
  // half a texel inside so the neighbouring sprite of a sheet never bleeds.
  const float inset = (scaled || angle != 0.f) ? kHalfTexel : 0.f;
  float uLeft = (source.UpperLeftCorner.X + inset) / size.X;
  float vTop = (source.UpperLeftCorner.Y + inset) / size.Y;
  float uRight = (source.LowerRightCorner.X - inset) / size.X;
  float vBottom = (source.LowerRightCorner.Y - inset) / size.Y;
  if (flipHorizontal) std::swap(uLeft, uRight);
  if (flipVertical) std::swap(vTop, vBottom);

  QuadDraw quad;
  quad.texture = texture;
  quad.uv[0] = vector2df(uLeft, vTop);
  quad.uv[1] = vector2df(uRight, vTop);
  quad.uv[2] = vector2df(uRight, vBottom);
  quad.uv[3] = vector2df(uLeft, vBottom);
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  for (int i = 0; i < 4; ++i) {
    const float dx = p[i].X - centre.X;
    const float dy = p[i].Y - centre.Y;
    quad.corners[i] = vector2df(centre.X + dx * c - dy * s, centre.Y + dx * s + dy * c);
    quad.colours[i] = colour;
  }
  quad.useAlphaChannel = useAlphaChannel;
  quad.additive = additiveBlend;
  quad.linearFilter = scaled;
  out = quad;
  return true;
}

namespace {

void DrawRun(irr::video::IVideoDriver* driver, QuadRun& run) {
  if (run.vertices.empty()) return;
  TheFrameClear().BeforeDrawing(driver);
  const irr::u32 quads = irr::u32(run.vertices.size() / 4);
  const irr::core::matrix4 identity;
  driver->setTransform(irr::video::ETS_PROJECTION, identity);
  driver->setTransform(irr::video::ETS_VIEW, identity);
  driver->setTransform(irr::video::ETS_WORLD, identity);
  driver->setMaterial(MaterialFor(run.key));
  driver->drawIndexedTriangleList(run.vertices.data(), irr::u32(run.vertices.size()),
                                  QuadIndices(), quads * 2);
  run.vertices.clear();
}

void DropRuns(QuadBatch& batch) {
  for (size_t r = 0; r < batch.count; ++r) batch.runs[r].vertices.clear();
  batch.count = 0;
}

// The run the quad goes into: the last one when it shares its key, or (with
// the savings on) an earlier one of its key that no run after it stands in
// the way of; kMaxRuns when a new run is needed.
size_t RunFor(const QuadBatch& batch, const BatchKey& key, const rectf& bounds) {
  for (size_t r = batch.count; r-- > 0;) {
    const QuadRun& run = batch.runs[r];
    if (run.key == key && run.vertices.size() < kMaxBatchVertices) return r;
    if (!batch.savings || run.bounds.isRectCollided(bounds)) break;
  }
  return kMaxRuns;
}

}  // namespace

void SubmitQuad(irr::video::IVideoDriver* driver, const QuadDraw& quad) {
  if (!quad.texture) return;
  TheFrameClear().Touched();
  if (Observer()) Observer()(quad);
  if (!driver) return;

  QuadBatch& batch = Batch();
  const BatchKey key = KeyFor(quad, batch.savings);
  // Quads kept for another driver were never flushed; that driver may be
  // gone, so they are dropped rather than drawn.
  if (batch.driver != driver) DropRuns(batch);
  batch.driver = driver;

  rectf bounds(quad.corners[0], quad.corners[0]);
  for (int i = 1; i < 4; ++i) bounds.addInternalPoint(quad.corners[i]);
  bounds.UpperLeftCorner -= vector2df(kRunMargin, kRunMargin);
  bounds.LowerRightCorner += vector2df(kRunMargin, kRunMargin);
  size_t at = RunFor(batch, key, bounds);
  if (at == kMaxRuns) {
    // Without the savings a run ends where the material changes.
    if (!batch.savings) FlushQuads(driver);
    if (batch.count == kMaxRuns) {
      // The oldest run goes to the driver; the others move up.
      DrawRun(driver, batch.runs[0]);
      std::rotate(batch.runs, batch.runs + 1, batch.runs + kMaxRuns);
      --batch.count;
    }
    at = batch.count++;
    batch.runs[at].key = key;
    batch.runs[at].vertices.clear();
    batch.runs[at].bounds = bounds;
  } else {
    batch.runs[at].bounds.addInternalPoint(bounds.UpperLeftCorner);
    batch.runs[at].bounds.addInternalPoint(bounds.LowerRightCorner);
  }

  // Vertices go in clip space: identity transforms, no camera involved.
  const irr::core::dimension2du target = driver->getCurrentRenderTargetSize();
  const float w = target.Width > 0 ? float(target.Width) : 1.f;
  const float h = target.Height > 0 ? float(target.Height) : 1.f;
  std::vector<irr::video::S3DVertex>& vertices = batch.runs[at].vertices;
  for (int i = 0; i < 4; ++i) {
    irr::video::S3DVertex v;
    v.Pos.set(quad.corners[i].X * 2.f / w - 1.f, 1.f - quad.corners[i].Y * 2.f / h, 0.f);
    v.Normal.set(0.f, 0.f, 0.f);
    v.Color = quad.colours[i];
    v.TCoords = quad.uv[i];
    vertices.push_back(v);
  }
  if (!batch.enabled) FlushQuads(driver);
}

void FlushQuads(irr::video::IVideoDriver* driver) {
  // Whoever flushes is about to draw some other way.
  TheFrameClear().BeforeDrawing(driver);
  QuadBatch& batch = Batch();
  if (batch.count == 0) return;
  if (driver == nullptr || driver != batch.driver) {
    // Quads queued for another driver are not drawn on this one.
    DropRuns(batch);
    return;
  }
  for (size_t r = 0; r < batch.count; ++r) DrawRun(driver, batch.runs[r]);
  batch.count = 0;
}

void DiscardQuads() { DropRuns(Batch()); }

void RemoveTexture(irr::video::IVideoDriver* driver, irr::video::ITexture* texture) {
  if (!driver || !texture) return;
  if (Batch().count > 0) FlushQuads(driver);
  SetTextureOpaque(texture, false);
  driver->removeTexture(texture);
}

void RemoveAllTextures(irr::video::IVideoDriver* driver) {
  if (!driver) return;
  if (Batch().count > 0) FlushQuads(driver);
  OpaqueTextures().clear();
  driver->removeAllTextures();
}

void SetQuadBatching(bool on) { Batch().enabled = on; }

bool IsQuadBatching() { return Batch().enabled; }

void Draw2DImageQuad(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                     const vector2df p[4], const recti& source, const vector2df& centre,
                     float angle, SColor colour, bool useAlphaChannel, bool additiveBlend,
                     bool flipHorizontal, bool flipVertical) {
  QuadDraw quad;
  if (BuildImageQuad(texture, p, source, centre, angle, colour, useAlphaChannel, additiveBlend,
                     flipHorizontal, flipVertical, quad))
    SubmitQuad(driver, quad);
}

void Draw2DImageRotated(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                        const rectf& destination, const recti& source, const vector2df& centre,
                        float angle, SColor colour, bool useAlphaChannel, bool additiveBlend,
                        bool flipHorizontal, bool flipVertical) {
  const vector2df p[4] = {
      destination.UpperLeftCorner,
      vector2df(destination.LowerRightCorner.X, destination.UpperLeftCorner.Y),
      destination.LowerRightCorner,
      vector2df(destination.UpperLeftCorner.X, destination.LowerRightCorner.Y)};
  Draw2DImageQuad(driver, texture, p, source, centre, angle, colour, useAlphaChannel,
                  additiveBlend, flipHorizontal, flipVertical);
}

void Draw2DImage(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                 const irr::core::position2di& position, const recti& source, const recti* clip,
                 SColor colour, bool useAlphaChannel, bool additiveBlend) {
  if (!texture || !source.isValid()) return;
  rectf dest(float(position.X), float(position.Y), float(position.X + source.getWidth()),
             float(position.Y + source.getHeight()));
  rectf src = ToFloat(source);
  if (!ClipAxisAligned(dest, src, clip)) return;
  QuadDraw quad;
  quad.texture = texture;
  SetAxisAligned(quad, dest, src, TextureSize(texture));
  for (SColor& c : quad.colours) c = colour;
  quad.useAlphaChannel = useAlphaChannel;
  quad.additive = additiveBlend;
  SubmitQuad(driver, quad);
}

void Draw2DImage(irr::video::IVideoDriver* driver, irr::video::ITexture* texture,
                 const recti& destination, const recti& source, const recti* clip,
                 const SColor* colours, bool useAlphaChannel, bool additiveBlend) {
  if (!texture || !source.isValid() || !destination.isValid()) return;
  rectf dest = ToFloat(destination);
  rectf src = ToFloat(source);
  if (!ClipAxisAligned(dest, src, clip)) return;
  QuadDraw quad;
  quad.texture = texture;
  SetAxisAligned(quad, dest, src, TextureSize(texture));
  // Irrlicht's corner order: top-left, bottom-left, bottom-right, top-right.
  const SColor white(255, 255, 255, 255);
  quad.colours[0] = colours ? colours[0] : white;
  quad.colours[3] = colours ? colours[1] : white;
  quad.colours[2] = colours ? colours[2] : white;
  quad.colours[1] = colours ? colours[3] : white;
  quad.useAlphaChannel = useAlphaChannel;
  quad.additive = additiveBlend;
  quad.linearFilter = destination.getWidth() != source.getWidth() ||
                      destination.getHeight() != source.getHeight();
  SubmitQuad(driver, quad);
}

void SetTextureOpaque(irr::video::ITexture* texture, bool opaque) {
  if (!texture) return;
  if (opaque)
    OpaqueTextures().insert(texture);
  else
    OpaqueTextures().erase(texture);
}

bool IsTextureOpaque(irr::video::ITexture* texture) {
  return texture && OpaqueTextures().count(texture) != 0;
}

bool AllTexelsOpaque(irr::video::ITexture* texture) {
  if (!texture || texture->getColorFormat() != irr::video::ECF_A8R8G8B8) return false;
  const irr::u32 pitch = texture->getPitch();
  const irr::core::dimension2du size = texture->getSize();
  if (pitch < size.Width * 4) return false;
  // Read only: Irrlicht hands out the image it keeps and uploads nothing.
  const auto* rows = static_cast<const irr::u8*>(texture->lock(irr::video::ETLM_READ_ONLY));
  if (!rows) return false;
  const bool opaque = AllTexelsOpaque(rows, pitch, size);
  texture->unlock();
  return opaque;
}

bool AllTexelsOpaque(const irr::u8* rows, irr::u32 pitch, const irr::core::dimension2du& size) {
  for (irr::u32 y = 0; y < size.Height; ++y) {
    const auto* texels = reinterpret_cast<const irr::u32*>(rows + size_t(y) * pitch);
    for (irr::u32 x = 0; x < size.Width; ++x)
      if ((texels[x] >> 24) != 0xFFu) return false;
  }
  return true;
}

void SetQuadObserver(QuadObserver observer) { Observer() = std::move(observer); }

}  // namespace bv
