#pragma once
// The ranges the numbers of scene and level files must keep. A number
// outside them (a huge value, clamped to the largest integer when read)
// would overflow the arithmetic that uses it, so the entry holding it is
// left out with an "Alert", as a malformed file is.
namespace bv {

// Farthest a position, a shape's vertex or a radius may lie from the
// field's centre, in pixels (the field is 800 by 600; scenes place things
// a few hundred pixels out).
constexpr float kFieldReach = 100000.0f;
// Largest scale factor of a level element either way.
constexpr float kLargestScale = 1000.0f;

// A source rectangle lies inside a picture the image check lets through
// (corner at or right of and below 0, sides not negative, far corner at
// most the longest picture side), counted without overflow.
bool IsSourceRectInRange(int x, int y, int width, int height);
// Both coordinates are finite and within kFieldReach of the centre.
bool IsPositionInRange(float x, float y);
// A radius is finite and 0 to kFieldReach.
bool IsRadiusInRange(float radius);
// Both factors are finite and at most kLargestScale either way.
bool IsScaleInRange(float x, float y);

}  // namespace bv
