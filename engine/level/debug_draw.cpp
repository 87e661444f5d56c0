// Physics debug drawing ("-debuginfo"): outlines of every Box2D shape of the
// manager's world over the level, in the camera view of layer 0.
#include "engine/level/debug_draw.h"

#include <cmath>

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/shell/globals.h"

namespace bv {

irr::video::SColor DebugColour(const b2Color& color) {
  auto channel = [](float c) { return irr::u32(int(c * 255.0f)) & 0xFFu; };
  return irr::video::SColor(255, channel(color.r), channel(color.g), channel(color.b));
}

}  // namespace bv

namespace {

void Line(const irr::core::vector2di& a, const irr::core::vector2di& b,
          irr::video::SColor colour) {
  if (g_Driver) g_Driver->draw2DLine(a, b, colour);
}

}  // namespace

irr::core::vector2di BvLevelManager::DebugPointToScreen(const b2Vec2& metres) const {
  irr::core::vector2df offset(0.0f, 0.0f);
  irr::core::vector2df scale(1.0f, 1.0f);
  float angle = 0.0f;
  ApplyCamera(offset, scale, angle, 0);
  const float x = metres.x * kPixelsPerMetre * scale.X;
  const float y = metres.y * kPixelsPerMetre * scale.Y;
  const float c = std::cos(angle);
  const float s = std::sin(angle);
  const irr::core::vector2df world(x * c - y * s + offset.X, x * s + y * c + offset.Y);
  const irr::core::vector2df screen = WorldToScreen(world);
  return irr::core::vector2di(int(screen.X), int(screen.Y));
}

void BvLevelManager::DrawPolygon(const b2Vec2* vertices, int32 vertexCount,
                                 const b2Color& color) {
  if (!vertices || vertexCount < 1) return;
  const irr::video::SColor colour = bv::DebugColour(color);
  for (int32 i = 0; i + 1 < vertexCount; ++i)
    Line(DebugPointToScreen(vertices[i]), DebugPointToScreen(vertices[i + 1]), colour);
  Line(DebugPointToScreen(vertices[vertexCount - 1]), DebugPointToScreen(vertices[0]), colour);
}

void BvLevelManager::DrawSolidPolygon(const b2Vec2* vertices, int32 vertexCount,
                                      const b2Color& color) {
  DrawPolygon(vertices, vertexCount, color);
}

void BvLevelManager::DrawCircle(const b2Vec2& center, float radius, const b2Color& color) {
  irr::core::vector2df offset(0.0f, 0.0f);
  irr::core::vector2df scale(1.0f, 1.0f);
  float angle = 0.0f;
  ApplyCamera(offset, scale, angle, 0);
  if (g_Driver)
    g_Driver->draw2DPolygon(DebugPointToScreen(center), radius * kPixelsPerMetre * scale.X,
                            bv::DebugColour(color), bv::kDebugCircleSides);
}

void BvLevelManager::DrawSolidCircle(const b2Vec2& center, float radius, const b2Vec2&,
                                     const b2Color& color) {
  DrawCircle(center, radius, color);
}

void BvLevelManager::DrawSegment(const b2Vec2& p1, const b2Vec2& p2, const b2Color& color) {
  Line(DebugPointToScreen(p1), DebugPointToScreen(p2), bv::DebugColour(color));
}

void BvLevelManager::DrawTransform(const b2Transform&) {}

void BvLevelManager::DrawPoint(const b2Vec2&, float, const b2Color&) {}

void BvLevelManager::DrawElementShape(BvLevelElement* element) {
  if (!element || !g_Driver) return;
  const BvElement* source = element->GetSourceElement();
  if (!source) return;
  float angle = element->GetRotation();
  irr::core::vector2df position = element->GetPosition();
  irr::core::vector2df scale = element->GetScale();
  ApplyCamera(position, scale, angle, element->GetLayer());
  const irr::video::SColor white(255, 255, 255, 255);
  if (source->GetShapeType() == kShapePolygon) {
    const int count = source->GetVertexCount();
    if (count < 1) return;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    auto place = [&](int i) {
      const irr::core::vector2df v = source->GetVertex(i);
      const float x = v.X * scale.X;
      const float y = v.Y * scale.Y;
      const irr::core::vector2df screen = WorldToScreen(
          irr::core::vector2df(x * c - y * s + position.X, x * s + y * c + position.Y));
      return irr::core::vector2di(int(screen.X), int(screen.Y));
    };
    for (int i = 0; i < count; ++i) Line(place(i), place((i + 1) % count), white);
  } else if (source->GetShapeType() == kShapeCircle) {
    const irr::core::vector2df screen = WorldToScreen(position);
    g_Driver->draw2DPolygon(irr::core::vector2di(int(screen.X), int(screen.Y)),
                            source->GetRadius() * scale.X, white, bv::kDebugCircleSides);
  }
}
