#pragma once
// Where one frame's rasterising and the textures' memory go: draws the
// current level (and the open dialog's) element by element with a quad
// observer, and sums per layer the quads, the pixels they cover on the
// window (clipped to it), how many of those are blended, additive or drawn
// solid, filtered linearly, and how many blended pixels come from art whose
// texels are all opaque (they could be drawn solid). Then every texture the
// driver holds with its size and its copies: the image Irrlicht keeps beside
// it, the driver's copy and its mip levels. Then the process's memory by
// kind of mapping.
#include <irrlicht.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/resources/quad_renderer.h"
#include "engine/shell/globals.h"

namespace bench {

struct LayerCost {
  int quads = 0;
  int texts = 0;
  double pixels = 0.0;
  double blended = 0.0;
  double additive = 0.0;
  double solid = 0.0;
  double linear = 0.0;
  // Blended pixels whose texels are all opaque and whose colour is opaque.
  double opaqueArt = 0.0;
};

namespace detail {

using Polygon = std::vector<irr::core::vector2df>;

// One Sutherland-Hodgman step: the part of poly on the inner side of an
// axis-aligned edge.
inline Polygon ClipEdge(const Polygon& poly, int axis, float bound, bool keepBelow) {
  Polygon out;
  auto inside = [&](const irr::core::vector2df& p) {
    const float v = axis == 0 ? p.X : p.Y;
    return keepBelow ? v <= bound : v >= bound;
  };
  for (size_t i = 0; i < poly.size(); ++i) {
    const auto& a = poly[i];
    const auto& b = poly[(i + 1) % poly.size()];
    const bool ia = inside(a), ib = inside(b);
    if (ia) out.push_back(a);
    if (ia != ib) {
      const float av = axis == 0 ? a.X : a.Y, bv = axis == 0 ? b.X : b.Y;
      const float t = (bound - av) / (bv - av);
      out.push_back(a + (b - a) * t);
    }
  }
  return out;
}

// Area of a quad's part inside the window.
inline double VisibleArea(const irr::core::vector2df corners[4], float width, float height) {
  Polygon poly(corners, corners + 4);
  poly = ClipEdge(poly, 0, 0.f, false);
  poly = ClipEdge(poly, 0, width, true);
  poly = ClipEdge(poly, 1, 0.f, false);
  poly = ClipEdge(poly, 1, height, true);
  double twice = 0.0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const auto& a = poly[i];
    const auto& b = poly[(i + 1) % poly.size()];
    twice += double(a.X) * b.Y - double(b.X) * a.Y;
  }
  return twice < 0 ? -twice / 2 : twice / 2;
}

// Whether every texel of the quad's source rectangle is opaque (read from
// the image Irrlicht keeps; without one, whether the whole texture is).
inline bool SourceOpaque(const bv::QuadDraw& quad) {
  static std::map<std::pair<irr::video::ITexture*, std::string>, bool> known;
  irr::video::ITexture* texture = quad.texture;
  const irr::core::dimension2du size = texture->getOriginalSize();
  float u0 = 1, v0 = 1, u1 = 0, v1 = 0;
  for (const auto& uv : quad.uv) {
    u0 = std::min(u0, uv.X), v0 = std::min(v0, uv.Y);
    u1 = std::max(u1, uv.X), v1 = std::max(v1, uv.Y);
  }
  const int x0 = std::max(0, int(u0 * size.Width)), y0 = std::max(0, int(v0 * size.Height));
  const int x1 = std::min(int(size.Width), int(u1 * size.Width + 0.999f));
  const int y1 = std::min(int(size.Height), int(v1 * size.Height + 0.999f));
  std::ostringstream key;
  key << x0 << ',' << y0 << ',' << x1 << ',' << y1;
  auto found = known.find({texture, key.str()});
  if (found != known.end()) return found->second;
  // A texture that keeps no image is known only as a whole (from its load).
  bool opaque = texture->getPitch() == 0 && bv::IsTextureOpaque(texture);
  if (texture->getColorFormat() == irr::video::ECF_A8R8G8B8 && texture->getPitch() > 0) {
    const auto* texels = static_cast<const irr::u32*>(texture->lock(irr::video::ETLM_READ_ONLY));
    if (texels) {
      opaque = true;
      const irr::u32 stride = texture->getPitch() / 4;
      for (int y = y0; y < y1 && opaque; ++y)
        for (int x = x0; x < x1; ++x)
          if ((texels[y * stride + x] >> 24) != 0xFF) {
            opaque = false;
            break;
          }
      texture->unlock();
    }
  }
  known[{texture, key.str()}] = opaque;
  return opaque;
}

}  // namespace detail

// Draws the manager's current level layer by layer (no update) and adds
// what every quad costs to costs[layer]. Call between beginScene and
// endScene.
inline void MeasureLevel(BvLevelManager* levels, std::vector<LayerCost>& costs) {
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return;
  const irr::core::dimension2du target = g_Driver->getCurrentRenderTargetSize();
  int layer = 0;
  bv::SetQuadObserver([&](const bv::QuadDraw& quad) {
    LayerCost& cost = costs[layer];
    const double area = detail::VisibleArea(quad.corners, float(target.Width),
                                            float(target.Height));
    ++cost.quads;
    cost.pixels += area;
    if (quad.linearFilter) cost.linear += area;
    bool vertexAlpha = false;
    for (const auto& c : quad.colours) vertexAlpha |= c.getAlpha() < 255;
    if (quad.additive) {
      cost.additive += area;
    } else if (!quad.useAlphaChannel && !vertexAlpha) {
      cost.solid += area;
    } else {
      cost.blended += area;
      if (!vertexAlpha && detail::SourceOpaque(quad)) cost.opaqueArt += area;
    }
  });
  for (layer = 0; layer < kLayerCount; ++layer)
    for (const auto& entry : level->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (!element || element->GetLayer() != layer || element->m_bDead) continue;
      if (element->GetStartDelay() > 0.0f || !element->IsVisible()) continue;
      BvElement* source = element->GetSourceElement();
      if (source && source->GetType() == kElementText) ++costs[layer].texts;
      levels->RenderLevelElement(element);
    }
  bv::FlushQuads(g_Driver);
  bv::SetQuadObserver(nullptr);
}

inline void PrintLayerCosts(const char* title, const std::vector<LayerCost>& costs,
                            double windowPixels) {
  std::printf("%s: pixels drawn per layer, in screens of %.0f pixels\n", title, windowPixels);
  std::printf("  %-6s %6s %6s %8s %8s %8s %8s %8s %10s\n", "layer", "quads", "texts", "pixels",
              "blended", "additive", "solid", "linear", "opaque art");
  LayerCost sum;
  auto row = [&](const char* name, const LayerCost& c) {
    std::printf("  %-6s %6d %6d %8.3f %8.3f %8.3f %8.3f %8.3f %10.3f\n", name, c.quads, c.texts,
                c.pixels / windowPixels, c.blended / windowPixels, c.additive / windowPixels,
                c.solid / windowPixels, c.linear / windowPixels, c.opaqueArt / windowPixels);
  };
  for (size_t i = 0; i < costs.size(); ++i) {
    const LayerCost& c = costs[i];
    if (c.quads == 0 && c.texts == 0) continue;
    row(std::to_string(i).c_str(), c);
    sum.quads += c.quads, sum.texts += c.texts, sum.pixels += c.pixels;
    sum.blended += c.blended, sum.additive += c.additive, sum.solid += c.solid;
    sum.linear += c.linear, sum.opaqueArt += c.opaqueArt;
  }
  row("all", sum);
}

// Every texture the driver holds: size, the image Irrlicht keeps (its
// pitch is 0 when none is kept), the driver's copy (4 bytes a texel, a
// third more with mip levels).
inline void PrintTextureMemory() {
  std::printf("textures held by the driver (MiB):\n");
  std::printf("  %-34s %10s %6s %8s %8s %5s\n", "name", "size", "kept", "driver", "mips", "rtt");
  double kept = 0, driver = 0, mips = 0;
  for (irr::u32 i = 0; i < g_Driver->getTextureCount(); ++i) {
    irr::video::ITexture* t = g_Driver->getTextureByIndex(i);
    if (!t) continue;
    const irr::core::dimension2du size = t->getSize();
    const double base = double(size.Width) * size.Height * 4 / (1024.0 * 1024.0);
    const double image = double(t->getPitch()) * size.Height / (1024.0 * 1024.0);
    const double levels = t->hasMipMaps() ? base / 3 : 0.0;
    kept += image, driver += base, mips += levels;
    std::printf("  %-34s %4ux%-5u %6.2f %8.2f %8.2f %5s\n", t->getName().getPath().c_str(),
                size.Width, size.Height, image, base, levels, t->isRenderTarget() ? "yes" : "");
  }
  std::printf("  %-34s %10s %6.2f %8.2f %8.2f\n", "all", "", kept, driver, mips);
}

// The process's resident memory by kind of mapping (MiB), with its peak.
inline void PrintProcessMemory() {
  std::ifstream smaps("/proc/self/smaps");
  std::map<std::string, double> rss;
  std::string line, name;
  while (std::getline(smaps, line)) {
    std::istringstream words(line);
    std::string first;
    words >> first;
    if (first.find('-') != std::string::npos && first.back() != ':') {
      std::string perms, offset, dev, inode, path;
      words >> perms >> offset >> dev >> inode;
      std::getline(words, path);
      const size_t start = path.find_first_not_of(' ');
      name = start == std::string::npos ? "[anonymous]" : path.substr(start);
      if (name.find(".so") != std::string::npos) name = name.substr(name.rfind('/') + 1);
    } else if (first == "Rss:") {
      double kb = 0;
      words >> kb;
      rss[name] += kb / 1024.0;
    }
  }
  std::vector<std::pair<double, std::string>> order;
  for (const auto& [n, mib] : rss) order.push_back({mib, n});
  std::sort(order.rbegin(), order.rend());
  std::printf("resident memory by mapping (MiB):\n");
  double total = 0;
  for (const auto& [mib, n] : order) total += mib;
  for (const auto& [mib, n] : order)
    if (mib >= 1.0) std::printf("  %8.1f  %s\n", mib, n.c_str());
  std::ifstream status("/proc/self/status");
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) std::printf("  %8.1f  all (peak %s)\n", total, line.c_str() + 6);
}

}  // namespace bench
