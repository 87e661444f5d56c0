#pragma once
// Convex pieces for a polygon fixture. The stock physics library holds at
// most b2_maxPolygonVertices (8) vertices per polygon and aborts on a
// degenerate one, while an element may carry up to 20 corners. The corners
// are reduced to their convex hull (points closer than the library's weld
// distance merged, collinear points dropped), and the hull is cut into a fan
// of convex pieces that share its first vertex. The pieces tile the hull, so
// their summed mass, centre and inertia equal the hull's.
#include <box2d/box2d.h>

#include <vector>

namespace bv {

// Smallest hull or piece area accepted, square metres: well above the
// library's own area assertion (b2_epsilon) so no piece can trip it.
constexpr float kMinPolygonArea = 1.0e-4f;

// Largest usable corner coordinate, metres. Far beyond any screen, and far
// below where the library's mass and centre sums lose all precision and turn
// a body's position into NaN.
constexpr float kMaxCornerCoordinate = 1.0e6f;

// The convex hull of points (metres), counter-clockwise, without merged or
// collinear points. Non-finite points are skipped. Empty when fewer than
// three usable corners remain or the area is below kMinPolygonArea.
std::vector<b2Vec2> ConvexHull(const std::vector<b2Vec2>& points);

// Splits a counter-clockwise convex polygon into fan pieces of at most
// maxVertices (3 to b2_maxPolygonVertices) vertices each. Pieces whose area
// is below kMinPolygonArea are left out.
std::vector<std::vector<b2Vec2>> FanSplit(const std::vector<b2Vec2>& hull,
                                          int maxVertices = b2_maxPolygonVertices);

// Hull and fan in one: the polygon shapes to give one body for points
// (metres). Empty for a degenerate polygon.
std::vector<b2PolygonShape> MakeConvexPieces(const std::vector<b2Vec2>& points);

// Signed area of a polygon (positive when counter-clockwise), square metres.
float PolygonArea(const std::vector<b2Vec2>& polygon);

}  // namespace bv
