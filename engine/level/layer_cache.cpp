#include "engine/level/layer_cache.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glx.h>

#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <utility>

#include "engine/level/level_manager.h"
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

bool Overlap(const irr::core::rectf& a, const irr::core::rectf& b) {
  return a.UpperLeftCorner.X < b.LowerRightCorner.X && b.UpperLeftCorner.X < a.LowerRightCorner.X &&
         a.UpperLeftCorner.Y < b.LowerRightCorner.Y && b.UpperLeftCorner.Y < a.LowerRightCorner.Y;
}

unsigned TextureGeneration() { return g_TextureManager ? g_TextureManager->GetGeneration() : 0; }

// The driver's framebuffer blit, looked up once (null without one).
using BlitFunction = void (*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                              GLenum);
using BindFunction = void (*)(GLenum, GLuint);
struct FramebufferCalls {
  BlitFunction blit = nullptr;
  BindFunction bind = nullptr;
};
const FramebufferCalls& Framebuffer() {
  static const FramebufferCalls calls = [] {
    FramebufferCalls found;
    found.blit = reinterpret_cast<BlitFunction>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glBlitFramebufferEXT")));
    found.bind = reinterpret_cast<BindFunction>(
        glXGetProcAddress(reinterpret_cast<const GLubyte*>("glBindFramebufferEXT")));
    if (!found.blit || !found.bind) found = FramebufferCalls();
    return found;
  }();
  return calls;
}

// Whether the driver is OpenGL, whose render targets are framebuffer objects.
bool DriverIsOpenGL() {
  return g_Driver && g_Driver->getDriverType() == irr::video::EDT_OPENGL;
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
      if (pictured[later] && Overlap(m_Bounds[i], m_Bounds[later])) return false;
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
  if (DriverIsOpenGL() && Framebuffer().blit) {
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

void BvLayerCache::DrawPicture() {
  const irr::core::dimension2du size = m_Target->getSize();
  if (m_TargetFramebuffer != 0 && DriverIsOpenGL()) {
    // A plain copy of the target's pixels: its rows lie as the window's do,
    // nothing of the frame is drawn yet, and the frame's clear is not needed.
    bv::CoverWholeFrame();
    bv::FlushQuads(g_Driver);
    const GLint w = GLint(size.Width), h = GLint(size.Height);
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    if (scissor) glDisable(GL_SCISSOR_TEST);
    Framebuffer().bind(GL_READ_FRAMEBUFFER_EXT, m_TargetFramebuffer);
    Framebuffer().blit(0, 0, w, h, 0, 0, w, h, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    Framebuffer().bind(GL_READ_FRAMEBUFFER_EXT, 0);
    if (scissor) glEnable(GL_SCISSOR_TEST);
    return;
  }
  bv::QuadDraw quad;
  quad.texture = m_Target;
  const float w = float(size.Width), h = float(size.Height);
  quad.corners[0] = irr::core::vector2df(0.f, 0.f);
  quad.corners[1] = irr::core::vector2df(w, 0.f);
  quad.corners[2] = irr::core::vector2df(w, h);
  quad.corners[3] = irr::core::vector2df(0.f, h);
  // The driver turns a render target's rows the right way up itself.
  quad.uv[0] = irr::core::vector2df(0.f, 0.f);
  quad.uv[1] = irr::core::vector2df(1.f, 0.f);
  quad.uv[2] = irr::core::vector2df(1.f, 1.f);
  quad.uv[3] = irr::core::vector2df(0.f, 1.f);
  for (auto& colour : quad.colours) colour = irr::video::SColor(0xFFFFFFFFu);
  // Opaque, unblended, point-sampled: the picture's pixels as they are.
  quad.useAlphaChannel = false;
  quad.additive = false;
  quad.linearFilter = false;
  bv::SubmitQuad(g_Driver, quad);
}

void BvLayerCache::DrawPass(BvLevelManager& manager, bool canUsePicture,
                            irr::video::SColor clear) {
  // How many frames each element has drawn the same. Elements mostly keep
  // their place in the order from one frame to the next.
  // An element drawing as it did keeps its bounds (a text's are measured
  // through its font).
  std::unordered_map<const void*, size_t> before;
  m_Ages.assign(m_Current.size(), 0);
  m_Bounds.resize(m_Current.size());
  for (size_t i = 0; i < m_Current.size(); ++i) {
    size_t at = i;
    bool same = false;
    if (at >= m_Previous.size() || m_Previous[at].owner != m_Current[i].owner) {
      if (before.empty())
        for (size_t p = 0; p < m_Previous.size(); ++p) before[m_Previous[p].owner] = p;
      auto found = before.find(m_Current[i].owner);
      if (found != before.end()) {
        at = found->second;
        same = m_Previous[at] == m_Current[i];
      }
    } else {
      same = m_Previous[at] == m_Current[i];
    }
    if (same) {
      m_Ages[i] = m_PreviousAges[at] + 1;
      m_Bounds[i] = m_PreviousBounds[at];
    } else {
      m_Bounds[i] = m_Current[i].Bounds();
    }
  }
  ++m_FramesSinceBuild;

  std::vector<char>& pictured = m_Pictured;
  pictured.clear();
  bool holds = false;
  if (canUsePicture && g_Driver) {
    holds = m_CachedLayers > 0 && TargetUsable() && m_CachedClear == clear &&
            m_CachedTextures == TextureGeneration() && Partition(m_TopLayer, true, pictured);
    const long held = holds ? std::count(pictured.begin(), pictured.end(), 1) : 0;
    if (holds && ++m_FramesHeld == kRebuildGap) m_RebuildGap = kRebuildGap;
    if (!holds && m_CachedLayers > 0 && m_FramesHeld < kRebuildGap)
      m_RebuildGap = std::min(m_RebuildGap * 2, kLongestRebuildGap);
    if (!holds) m_CachedLayers = 0;
    // Now and then, a picture holding more elements.
    if (m_FramesSinceBuild >= m_RebuildGap && m_FramesSinceBuild % kRebuildGap == 0) {
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
        if (covered < kWorthScreens * width * height) continue;
        if (count > bestCount) {
          bestCount = count;
          bestTop = top;
          best = candidate;
        }
      }
      if (bestTop >= 0) {
        // Drawn from from the next frame on; this one is drawn directly.
        MakePicture(manager, bestTop, best, clear);
        holds = false;
      }
    }
  }
  m_PicturedLast = 0;
  if (holds) {
    DrawPicture();
    m_PicturedLast = int(std::count(pictured.begin(), pictured.end(), 1));
  }
  for (size_t i = 0; i < m_Current.size(); ++i)
    if (!holds || !pictured[i]) manager.DrawRecorded(m_Current[i]);
  std::swap(m_Previous, m_Current);
  std::swap(m_PreviousAges, m_Ages);
  std::swap(m_PreviousBounds, m_Bounds);
  BeginPass();
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
    g_Driver->removeTexture(m_Target);
  m_Target = nullptr;
  m_TargetDriver = nullptr;
  m_TargetFramebuffer = 0;
}
