#include "engine/level/polygon_shape.h"

#include <algorithm>
#include <cmath>

namespace bv {
namespace {

// Points nearer than this are one corner. The library welds at half a slop;
// a whole slop keeps its hull equal to ours.
constexpr float kWeldDistance = b2_linearSlop;
// A corner whose turn is below this (cross product over the squared length of
// the longer edge) is treated as collinear.
constexpr float kCollinearTolerance = 1.0e-4f;

float Cross(const b2Vec2& o, const b2Vec2& a, const b2Vec2& b) {
  return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

// Finite and within reach (NaN fails both comparisons).
bool IsUsable(const b2Vec2& p) {
  return std::fabs(p.x) <= kMaxCornerCoordinate && std::fabs(p.y) <= kMaxCornerCoordinate;
}

// True when b is a proper left turn from a through b to c.
bool TurnsLeft(const b2Vec2& a, const b2Vec2& b, const b2Vec2& c) {
  float cross = Cross(a, b, c);
  float longest = std::max((b - a).LengthSquared(), (c - b).LengthSquared());
  return cross > kCollinearTolerance * longest;
}

}  // namespace

float PolygonArea(const std::vector<b2Vec2>& polygon) {
  float twice = 0.0f;
  size_t n = polygon.size();
  for (size_t i = 0; i < n; ++i) {
    const b2Vec2& a = polygon[i];
    const b2Vec2& b = polygon[(i + 1) % n];
    twice += a.x * b.y - b.x * a.y;
  }
  return 0.5f * twice;
}

std::vector<b2Vec2> ConvexHull(const std::vector<b2Vec2>& points) {
  std::vector<b2Vec2> unique;
  for (const b2Vec2& p : points) {
    if (!IsUsable(p)) continue;
    bool merged = false;
    for (const b2Vec2& q : unique) {
      if (b2DistanceSquared(p, q) < kWeldDistance * kWeldDistance) {
        merged = true;
        break;
      }
    }
    if (!merged) unique.push_back(p);
  }
  if (unique.size() < 3) return {};

  // Andrew's monotone chain, keeping only proper left turns.
  std::sort(unique.begin(), unique.end(), [](const b2Vec2& a, const b2Vec2& b) {
    return a.x < b.x || (a.x == b.x && a.y < b.y);
  });
  std::vector<b2Vec2> hull(2 * unique.size());
  size_t k = 0;
  for (size_t i = 0; i < unique.size(); ++i) {
    while (k >= 2 && !TurnsLeft(hull[k - 2], hull[k - 1], unique[i])) --k;
    hull[k++] = unique[i];
  }
  for (size_t i = unique.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && !TurnsLeft(hull[k - 2], hull[k - 1], unique[i])) --k;
    hull[k++] = unique[i];
  }
  hull.resize(k > 0 ? k - 1 : 0);  // the last point repeats the first
  if (hull.size() < 3 || PolygonArea(hull) < kMinPolygonArea) return {};
  return hull;
}

std::vector<std::vector<b2Vec2>> FanSplit(const std::vector<b2Vec2>& hull, int maxVertices) {
  std::vector<std::vector<b2Vec2>> pieces;
  maxVertices = std::clamp(maxVertices, 3, static_cast<int>(b2_maxPolygonVertices));
  int n = static_cast<int>(hull.size());
  if (n < 3) return pieces;
  // Each piece is the hull's first vertex plus a run of consecutive vertices;
  // neighbouring runs share their end vertex.
  int start = 1;
  while (start < n - 1) {
    int end = std::min(n - 1, start + maxVertices - 2);
    std::vector<b2Vec2> piece;
    piece.push_back(hull[0]);
    for (int i = start; i <= end; ++i) piece.push_back(hull[i]);
    if (PolygonArea(piece) >= kMinPolygonArea) pieces.push_back(piece);
    start = end;
  }
  return pieces;
}

std::vector<b2PolygonShape> MakeConvexPieces(const std::vector<b2Vec2>& points) {
  std::vector<b2PolygonShape> shapes;
  for (const std::vector<b2Vec2>& piece : FanSplit(ConvexHull(points))) {
    // A piece that the library would weld below three corners is left out
    // rather than handed to an aborting assertion.
    if (ConvexHull(piece).size() != piece.size()) continue;
    b2PolygonShape shape;
    shape.Set(piece.data(), static_cast<int32>(piece.size()));
    shapes.push_back(shape);
  }
  return shapes;
}

}  // namespace bv
