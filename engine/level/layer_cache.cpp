#include "engine/level/layer_cache.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <unordered_map>
#include <utility>

#include "engine/level/level_manager.h"
#include "engine/resources/frame_clear.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"

namespace {

// The render target's name in the driver's texture list.
constexpr const char* kPictureName = "bv-layer-cache";

// Pixels added around a draw's bounds, so that filtering and rounding at
// its edges stay inside them.
constexpr float kBoundsMargin = 2.0f;
// Frames between two pictures: while the level keeps changing, pictures
// are not remade every frame. A picture that stops holding before it was
// drawn this many frames doubles the wait for the next (up to the longest
// wait); one that holds that long brings it back to the shortest.
constexpr int kRebuildGap = 15;
constexpr int kLongestRebuildGap = 960;
// A picture is made only when what it holds covers this many times the
// screen: drawing it costs one screen of opaque copy.
constexpr float kWorthScreens = 1.25f;

// Pixels of the screen (width by height) that bounds cover.
float ScreenArea(const irr::core::rectf& bounds, float width, float height) {
  const float w = std::min(bounds.LowerRightCorner.X, width) - std::max(bounds.UpperLeftCorner.X, 0.f);
  const float h = std::min(bounds.LowerRightCorner.Y, height) - std::max(bounds.UpperLeftCorner.Y, 0.f);
  return w > 0.f && h > 0.f ? w * h : 0.f;
}

unsigned TextureGeneration() { return g_TextureManager ? g_TextureManager->GetGeneration() : 0; }

// Whether the space-separated extension list names extension.
bool HasExtension(const char* list, const char* extension) {
  if (!list) return false;
  const size_t length = std::strlen(extension);
  for (const char* at = std::strstr(list, extension); at; at = std::strstr(at + 1, extension))
    if ((at == list || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
  return false;
}

// The framebuffer blit, where the context says it has one: OpenGL 3.0 or
// GL_ARB_framebuffer_object (core names), else GL_EXT_framebuffer_blit
// (with GL_EXT_framebuffer_object's bind). Looked up once, with the
// driver's context current; both null without one.
using BlitFunction = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                              GLenum);
using BindFunction = void (*)(GLenum, GLuint);
struct FramebufferCalls {
  BlitFunction blit = nullptr;
  BindFunction bind = nullptr;
};
const FramebufferCalls& Framebuffer() {
  static const FramebufferCalls calls = [] {
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    const char* blit = nullptr;
    const char* bind = nullptr;
    if ((version && std::atoi(version) >= 3) ||
        HasExtension(extensions, "GL_ARB_framebuffer_object")) {
      blit = "glBlitFramebuffer";
      bind = "glBindFramebuffer";
    } else if (HasExtension(extensions, "GL_EXT_framebuffer_blit") &&
               HasExtension(extensions, "GL_EXT_framebuffer_object")) {
      blit = "glBlitFramebufferEXT";
      bind = "glBindFramebufferEXT";
    }
    FramebufferCalls found;
    if (!blit) return found;
    found.blit = reinterpret_cast<BlitFunction>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>(blit)));
    found.bind = reinterpret_cast<BindFunction>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>(bind)));
    if (!found.blit || !found.bind) found = FramebufferCalls();
    return found;
  }();
  return calls;
}

// Whether the driver is OpenGL, whose render targets are framebuffer objects.
bool DriverIsOpenGL() {
  return g_Driver && g_Driver->getDriverType() == irr::video::EDT_OPENGL;
}

// Whether the window holds 8 bits per colour channel, as the picture does.
// On any other (a 16-bit display) drawing into the picture and copying it
// rounds differently from drawing on the window, so the level is drawn
// directly there. Asked while the window is the target.
bool WindowHoldsEightBitChannels() {
  if (!DriverIsOpenGL()) {
    const irr::video::ECOLOR_FORMAT format = g_Driver->getColorFormat();
    return format == irr::video::ECF_A8R8G8B8 || format == irr::video::ECF_R8G8B8;
  }
  GLint red = 0, green = 0, blue = 0;
  glGetIntegerv(GL_RED_BITS, &red);
  glGetIntegerv(GL_GREEN_BITS, &green);
  glGetIntegerv(GL_BLUE_BITS, &blue);
  return red == 8 && green == 8 && blue == 8;
}

}  // namespace

bool BvLayerDraw::operator==(const BvLayerDraw& other) const {
  return owner == other.owner && layer == other.layer && sprite == other.sprite &&
         source == other.source && font == other.font &&
         text == other.text && alignment == other.alignment && position == other.position &&
         angle == other.angle && scale == other.scale && colour == other.colour &&
         flipX == other.flipX && flipY == other.flipY && additive == other.additive;
}

irr::core::rectf BvLayerDraw::Bounds() const {
  float halfX = 0.f, halfY = 0.f;
  if (font) {
    // Whatever the alignment, the text lies within its size of the position.
    const irr::core::dimension2du size = font->getDimension(text.c_str());
    halfX = float(size.Width);
    halfY = float(size.Height);
  } else {
    const float w = std::fabs(float(source.getWidth()) * scale.X) * 0.5f;
    const float h = std::fabs(float(source.getHeight()) * scale.Y) * 0.5f;
    const float c = std::fabs(std::cos(angle)), s = std::fabs(std::sin(angle));
    halfX = w * c + h * s;
    halfY = w * s + h * c;
  }
  halfX += kBoundsMargin;
  halfY += kBoundsMargin;
  return irr::core::rectf(position.X - halfX, position.Y - halfY, position.X + halfX,
                          position.Y + halfY);
}

bool BvLayerDraw::PictureSafe() const {
  if (font) return true;  // fonts draw whole-pixel glyph quads
  if (angle != 0.0f || std::fabs(scale.X) != 1.0f || std::fabs(scale.Y) != 1.0f) return false;
  // Corners on whole pixels: no pixel centre on an edge and no sub-pixel
  // rounding, so the picture's target rasterises the quad exactly as the
  // window does (its rows run the other way).
  const float left = position.X - float(source.getWidth()) * scale.X * 0.5f;
  const float top = position.Y - float(source.getHeight()) * scale.Y * 0.5f;
  return left == std::floor(left) && top == std::floor(top);
}

BvLayerCache::~BvLayerCache() { Drop(); }

void BvLayerCache::BeginPass() { m_Current.clear(); }

bool BvLayerCache::TargetUsable() const {
  return m_Target && g_Driver && m_TargetDriver == g_Driver &&
         g_Driver->findTexture(kPictureName) == m_Target &&
         m_Target->getSize() == g_Driver->getCurrentRenderTargetSize();
}

bool BvLayerCache::Partition(int top, bool matchCached, std::vector<char>& pictured) const {
  const size_t count = m_Current.size();
  pictured.assign(count, 0);
  if (matchCached) {
    size_t next = 0;
    for (size_t i = 0; i < count && next < m_Cached.size(); ++i)
      if (m_Current[i].layer <= top && m_Current[i] == m_Cached[next]) {
        pictured[i] = 1;
        ++next;
      }
    if (next != m_Cached.size()) return false;
  } else {
    for (size_t i = 0; i < count; ++i)
      pictured[i] = m_Current[i].layer <= top && m_Ages[i] >= kStableFrames &&
                    m_Current[i].PictureSafe();
  }
  bool any = false;
  for (size_t i = 0; i < count; ++i) {
    any |= pictured[i] != 0;
    if (pictured[i] || m_Current[i].layer > top) continue;
    // Drawn after the picture instead of among its elements: it must not
    // share a pixel with any pictured element that came after it.
    for (size_t later = i + 1; later < count; ++later)
      if (pictured[later] && m_Bounds[i].isRectCollided(m_Bounds[later])) return false;
  }
  return any;
}

bool BvLayerCache::MakePicture(BvLevelManager& manager, int top,
                               const std::vector<char>& pictured, irr::video::SColor clear) {
  irr::video::IVideoDriver* driver = g_Driver;
  if (!driver || !driver->queryFeature(irr::video::EVDF_RENDER_TO_TARGET)) return false;
  const irr::core::dimension2du size = driver->getCurrentRenderTargetSize();
  // The target must still be the driver's (a display rebuild replaces it).
  if (m_Target && !TargetUsable()) ReleaseTarget();
  if (!m_Target) {
    m_Target = driver->addRenderTargetTexture(size, kPictureName, irr::video::ECF_A8R8G8B8);
    m_TargetDriver = driver;
    if (!m_Target) return false;
    if (m_Target->getSize() != size) {
      ReleaseTarget();
      return false;
    }
  }
  bv::FlushQuads(driver);
  if (!driver->setRenderTarget(m_Target, true, false, clear)) return false;
  // The target's framebuffer, for copying the picture to the window.
  m_TargetFramebuffer = 0;
  if (DriverIsOpenGL() && !m_BlitFailed && Framebuffer().blit) {
    GLint bound = 0;
    glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &bound);
    m_TargetFramebuffer = unsigned(bound);
  }
  m_Cached.clear();
  for (size_t i = 0; i < m_Current.size(); ++i)
    if (pictured[i]) {
      manager.DrawRecorded(m_Current[i]);
      m_Cached.push_back(m_Current[i]);
    }
  bv::FlushQuads(driver);
  driver->setRenderTarget(nullptr, false, false);
  m_TopLayer = top;
  m_CachedLayers = top + 1;
  m_CachedClear = clear;
  m_CachedTextures = TextureGeneration();
  m_FramesSinceBuild = 0;
  m_FramesHeld = 0;
  return true;
}

bool BvLayerCache::DrawPicture() {
  const irr::core::dimension2du size = m_Target->getSize();
  if (m_TargetFramebuffer != 0 && DriverIsOpenGL()) {
    // A plain copy of the target's pixels: its rows lie as the window's do
    // and nothing of the frame is drawn or queued yet.
    while (glGetError() != GL_NO_ERROR) {
    }
    const GLint w = GLint(size.Width), h = GLint(size.Height);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    Framebuffer().bind(GL_READ_FRAMEBUFFER, m_TargetFramebuffer);
    Framebuffer().blit(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    const bool copied = glGetError() == GL_NO_ERROR;
    Framebuffer().bind(GL_READ_FRAMEBUFFER, 0);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    if (copied) {
      bv::TheFrameClear().Covered();
      return true;
    }
    // Drawn directly this frame (after the owed clear); later pictures are
    // copied as a quad.
    m_TargetFramebuffer = 0;
    m_BlitFailed = true;
    return false;
  }
  bv::QuadDraw quad;
  quad.texture = m_Target;
  const float w = float(size.Width), h = float(size.Height);
  quad.corners[0] = irr::core::vector2df(0.f, 0.f);
  quad.corners[1] = irr::core::vector2df(w, 0.f);
  quad.corners[2] = irr::core::vector2df(w, h);
  quad.corners[3] = irr::core::vector2df(0.f, h);
  // The quad renderer samples a render target as stored: the picture's
  // first row is the window's bottom one.
  quad.uv[0] = irr::core::vector2df(0.f, 1.f);
  quad.uv[1] = irr::core::vector2df(1.f, 1.f);
  quad.uv[2] = irr::core::vector2df(1.f, 0.f);
  quad.uv[3] = irr::core::vector2df(0.f, 0.f);
  for (auto& colour : quad.colours) colour = irr::video::SColor(0xFFFFFFFFu);
  // Opaque, unblended, point-sampled: the picture's pixels as they are,
  // over every pixel of the frame.
  quad.useAlphaChannel = false;
  quad.additive = false;
  quad.linearFilter = false;
  bv::TheFrameClear().Covered();
  bv::SubmitQuad(g_Driver, quad);
  return true;
}

void BvLayerCache::AgeRecordedDraws() {
  // Elements mostly keep their place in the order from one frame to the
  // next; one that moved in it is found by its owner.
  std::unordered_map<const void*, size_t>& before = m_PreviousIndex;
  before.clear();
  m_Ages.assign(m_Current.size(), 0);
  m_Bounds.resize(m_Current.size());
  for (size_t i = 0; i < m_Current.size(); ++i) {
    size_t at = i;
    if (at >= m_Previous.size() || m_Previous[at].owner != m_Current[i].owner) {
      if (before.empty())
        for (size_t p = 0; p < m_Previous.size(); ++p) before[m_Previous[p].owner] = p;
      auto found = before.find(m_Current[i].owner);
      at = found != before.end() ? found->second : m_Previous.size();
    }
    // An element drawing as it did keeps its age and its bounds (a text's
    // are measured through its font).
    if (at < m_Previous.size() && m_Previous[at] == m_Current[i]) {
      m_Ages[i] = m_PreviousAges[at] + 1;
      m_Bounds[i] = m_PreviousBounds[at];
    } else {
      m_Bounds[i] = m_Current[i].Bounds();
    }
  }
}

bool BvLayerCache::PictureHolds(irr::video::SColor clear) {
  const bool had = m_CachedLayers > 0;
  const bool holds = had && TargetUsable() && m_CachedClear == clear &&
                     m_CachedTextures == TextureGeneration() &&
                     Partition(m_TopLayer, true, m_Pictured);
  if (holds) {
    // Held long enough: the next picture may come after the shortest wait.
    if (++m_FramesHeld == kRebuildGap) m_RebuildGap = kRebuildGap;
    return true;
  }
  // Dropped early: the level keeps changing, so the next waits longer.
  if (had && m_FramesHeld < kRebuildGap)
    m_RebuildGap = std::min(m_RebuildGap * 2, kLongestRebuildGap);
  m_CachedLayers = 0;
  return false;
}

bool BvLayerCache::RebuildDue() const {
  return m_FramesSinceBuild >= m_RebuildGap && m_FramesSinceBuild % kRebuildGap == 0;
}

bool BvLayerCache::Rebuild(BvLevelManager& manager, long held, irr::video::SColor clear) {
  // The top layer whose picture holds the most elements, more than the
  // current picture does, and covers enough of the screen to be worth it.
  std::vector<char> candidate, best;
  long bestCount = held;
  int bestTop = -1;
  const irr::core::dimension2du screen = g_Driver->getCurrentRenderTargetSize();
  const float width = float(screen.Width), height = float(screen.Height);
  for (int top = kLayerCount - 1; top >= 0; --top) {
    if (!Partition(top, false, candidate)) continue;
    const long count = std::count(candidate.begin(), candidate.end(), 1);
    float covered = 0.f;
    for (size_t i = 0; i < candidate.size(); ++i)
      if (candidate[i]) covered += ScreenArea(m_Bounds[i], width, height);
    if (covered < kWorthScreens * width * height || count <= bestCount) continue;
    bestCount = count;
    bestTop = top;
    best.swap(candidate);
  }
  return bestTop >= 0 && MakePicture(manager, bestTop, best, clear);
}

void BvLayerCache::DrawPass(BvLevelManager& manager, bool canUsePicture,
                            irr::video::SColor clear) {
  AgeRecordedDraws();
  ++m_FramesSinceBuild;
  const bool usable = canUsePicture && g_Driver && WindowMatches();
  bool holds = usable && PictureHolds(clear);
  if (!holds) m_Pictured.clear();
  // Now and then, a picture holding more elements: drawn from the next
  // frame on, this one is drawn directly.
  if (usable && RebuildDue()) {
    const long held = holds ? std::count(m_Pictured.begin(), m_Pictured.end(), 1) : 0;
    if (Rebuild(manager, held, clear)) holds = false;
  }
  const bool pictureDrawn = holds && DrawPicture();
  m_PicturedLast =
      pictureDrawn ? int(std::count(m_Pictured.begin(), m_Pictured.end(), 1)) : 0;
  for (size_t i = 0; i < m_Current.size(); ++i)
    if (!pictureDrawn || !m_Pictured[i]) manager.DrawRecorded(m_Current[i]);
  std::swap(m_Previous, m_Current);
  std::swap(m_PreviousAges, m_Ages);
  std::swap(m_PreviousBounds, m_Bounds);
  BeginPass();
}

bool BvLayerCache::WindowMatches() {
  if (m_CheckedDriver != g_Driver) {
    m_CheckedDriver = g_Driver;
    m_WindowMatches = WindowHoldsEightBitChannels();
  }
  return m_WindowMatches;
}

void BvLayerCache::DrawRecordedDirectly(BvLevelManager& manager) {
  for (const BvLayerDraw& draw : m_Current) manager.DrawRecorded(draw);
  Invalidate();
}

void BvLayerCache::Invalidate() {
  m_Current.clear();
  m_Previous.clear();
  m_PreviousAges.clear();
  m_PreviousBounds.clear();
  m_Ages.clear();
  m_Cached.clear();
  m_CachedLayers = 0;
  m_TopLayer = -1;
  m_PicturedLast = 0;
  m_FramesHeld = 0;
  m_RebuildGap = kRebuildGap;
}

void BvLayerCache::Drop() {
  Invalidate();
  ReleaseTarget();
}

void BvLayerCache::ReleaseTarget() {
  if (m_Target && m_TargetDriver && m_TargetDriver == g_Driver &&
      g_Driver->findTexture(kPictureName) == m_Target)
    bv::RemoveTexture(g_Driver, m_Target);
  m_Target = nullptr;
  m_TargetDriver = nullptr;
  m_TargetFramebuffer = 0;
}
