#pragma once
// Helpers of the physics debug drawing; the drawing operations themselves
// are BvLevelManager's b2Draw overrides (debug_draw.cpp).
#include <box2d/box2d.h>
#include <irrlicht.h>

namespace bv {

// Sides of the regular polygon that stands for a circle.
constexpr int kDebugCircleSides = 20;

// Box2D's colour (0..1 per channel) as opaque ARGB: each channel times 255,
// truncated toward zero, low 8 bits kept.
irr::video::SColor DebugColour(const b2Color& color);

}  // namespace bv
