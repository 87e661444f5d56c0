// Convex hull and fan split of polygons of up to 20 corners into pieces the
// physics library accepts: the pieces must cover exactly the hull (hit tests
// against a reference point-in-polygon test, mass equal to density x area)
// and no degenerate input may reach the library's aborting assertions.
#include <gtest/gtest.h>

#include <box2d/box2d.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/level/polygon_shape.h"

namespace {

constexpr float kPi = 3.14159265f;

std::vector<b2Vec2> RegularPolygon(int n, float radius, b2Vec2 centre = b2Vec2(0.0f, 0.0f)) {
  std::vector<b2Vec2> points;
  for (int i = 0; i < n; ++i) {
    float a = 2.0f * kPi * static_cast<float>(i) / static_cast<float>(n);
    points.emplace_back(centre.x + radius * std::cos(a), centre.y + radius * std::sin(a));
  }
  return points;
}

// Reference even-odd test for a simple polygon.
bool InsidePolygon(const std::vector<b2Vec2>& polygon, b2Vec2 p) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const b2Vec2& a = polygon[i];
    const b2Vec2& b = polygon[j];
    if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) {
      inside = !inside;
    }
  }
  return inside;
}

// Distance from p to the polygon's outline.
float DistanceToOutline(const std::vector<b2Vec2>& polygon, b2Vec2 p) {
  float best = std::numeric_limits<float>::max();
  for (size_t i = 0; i < polygon.size(); ++i) {
    b2Vec2 a = polygon[i];
    b2Vec2 b = polygon[(i + 1) % polygon.size()];
    b2Vec2 ab = b - a;
    float t = b2Clamp(b2Dot(p - a, ab) / ab.LengthSquared(), 0.0f, 1.0f);
    best = std::min(best, b2Distance(p, a + t * ab));
  }
  return best;
}

struct BodyWithPieces {
  b2World world{b2Vec2(0.0f, 0.0f)};
  b2Body* body = nullptr;
  int fixtures = 0;

  BodyWithPieces(const std::vector<b2Vec2>& points, float density) {
    b2BodyDef def;
    def.type = b2_dynamicBody;
    body = world.CreateBody(&def);
    for (const b2PolygonShape& shape : bv::MakeConvexPieces(points)) {
      EXPECT_LE(shape.m_count, b2_maxPolygonVertices);
      b2FixtureDef fd;
      fd.shape = &shape;
      fd.density = density;
      body->CreateFixture(&fd);
      ++fixtures;
    }
  }

  bool Hit(b2Vec2 p) const {
    for (const b2Fixture* f = body->GetFixtureList(); f; f = f->GetNext()) {
      if (f->TestPoint(p)) return true;
    }
    return false;
  }
};

TEST(PolygonShape, TwentyCornersSplitIntoPiecesThatCoverTheHullExactly) {
  std::vector<b2Vec2> polygon = RegularPolygon(20, 3.0f, b2Vec2(0.5f, -0.25f));
  std::vector<b2Vec2> hull = bv::ConvexHull(polygon);
  ASSERT_EQ(hull.size(), 20u);
  std::vector<std::vector<b2Vec2>> pieces = bv::FanSplit(hull);
  ASSERT_EQ(pieces.size(), 3u) << "20 corners: 8 + 7 + 7 new corners around one apex";
  float pieceArea = 0.0f;
  for (const auto& piece : pieces) {
    EXPECT_LE(piece.size(), static_cast<size_t>(b2_maxPolygonVertices));
    pieceArea += bv::PolygonArea(piece);
  }
  EXPECT_NEAR(pieceArea, bv::PolygonArea(polygon), 1e-4f);

  const float density = 2.5f;
  BodyWithPieces b(polygon, density);
  EXPECT_EQ(b.fixtures, 3);
  b2MassData mass;
  b.body->GetMassData(&mass);
  EXPECT_NEAR(mass.mass, density * bv::PolygonArea(polygon), 1e-3f);
  EXPECT_NEAR(mass.center.x, 0.5f, 1e-4f);
  EXPECT_NEAR(mass.center.y, -0.25f, 1e-4f);

  // Points on a grid over the bounding box, away from the outline (where
  // the library's skin makes the answer a matter of rounding).
  int tested = 0;
  for (float x = -3.0f; x <= 4.0f; x += 0.13f) {
    for (float y = -3.5f; y <= 3.0f; y += 0.13f) {
      b2Vec2 p(x, y);
      if (DistanceToOutline(polygon, p) < 0.01f) continue;
      ++tested;
      EXPECT_EQ(b.Hit(p), InsidePolygon(polygon, p)) << "point " << x << ", " << y;
    }
  }
  EXPECT_GT(tested, 2000);
}

TEST(PolygonShape, NonConvexCornersBecomeTheirHull) {
  // A star: the inner corners fall inside the hull of the outer ones.
  std::vector<b2Vec2> star;
  for (int i = 0; i < 20; ++i) {
    float r = (i % 2 == 0) ? 4.0f : 1.5f;
    float a = 2.0f * kPi * static_cast<float>(i) / 20.0f;
    star.emplace_back(r * std::cos(a), r * std::sin(a));
  }
  std::vector<b2Vec2> hull = bv::ConvexHull(star);
  EXPECT_EQ(hull.size(), 10u);
  EXPECT_GT(bv::PolygonArea(hull), 0.0f) << "counter-clockwise";
  BodyWithPieces b(star, 1.0f);
  EXPECT_EQ(b.fixtures, 2);
  EXPECT_TRUE(b.Hit(b2Vec2(2.5f, 0.3f))) << "between two points of the star, inside the hull";
}

TEST(PolygonShape, EightCornersOrFewerStayOnePiece) {
  for (int n = 3; n <= 8; ++n) {
    BodyWithPieces b(RegularPolygon(n, 1.0f), 1.0f);
    EXPECT_EQ(b.fixtures, 1) << n << " corners";
  }
  BodyWithPieces nine(RegularPolygon(9, 1.0f), 1.0f);
  EXPECT_EQ(nine.fixtures, 2);
}

TEST(PolygonShape, DegenerateInputMakesNoPiece) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  struct Case {
    const char* what;
    std::vector<b2Vec2> points;
  };
  const std::vector<Case> cases = {
      {"no corner", {}},
      {"one corner", {b2Vec2(1, 1)}},
      {"two corners", {b2Vec2(0, 0), b2Vec2(1, 0)}},
      {"collinear", {b2Vec2(0, 0), b2Vec2(1, 0), b2Vec2(2, 0), b2Vec2(3, 0)}},
      {"merged corners", {b2Vec2(0, 0), b2Vec2(0.001f, 0), b2Vec2(0, 0.001f)}},
      {"all the same", {b2Vec2(2, 2), b2Vec2(2, 2), b2Vec2(2, 2), b2Vec2(2, 2)}},
      {"scaled to zero", {b2Vec2(0, 0), b2Vec2(0, 0), b2Vec2(0, 0)}},
      {"scaled nearly to zero", {b2Vec2(0, 0), b2Vec2(1e-5f, 0), b2Vec2(0, 1e-5f)}},
      {"flattened on one axis", {b2Vec2(-1, 0), b2Vec2(1, 0), b2Vec2(1, 1e-7f), b2Vec2(-1, 1e-7f)}},
      {"not a number", {b2Vec2(nan, 0), b2Vec2(1, nan), b2Vec2(nan, nan)}},
      {"infinite with two finite", {b2Vec2(inf, 0), b2Vec2(0, 0), b2Vec2(1, 0)}},
      // Finite but so far out that the body's centre would come out NaN.
      {"huge", {b2Vec2(1e15f, 0), b2Vec2(-1e15f, 1e15f), b2Vec2(0, -1e15f)}},
      {"huge with two near", {b2Vec2(0, 0), b2Vec2(1, 0), b2Vec2(0, 1e7f)}},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(bv::MakeConvexPieces(c.points).empty()) << c.what;
  }
  // Non-finite corners are skipped; the finite ones still make a triangle.
  std::vector<b2Vec2> mixed = {b2Vec2(nan, 1), b2Vec2(0, 0), b2Vec2(1, 0), b2Vec2(0, 1)};
  EXPECT_EQ(bv::MakeConvexPieces(mixed).size(), 1u);
}

TEST(PolygonShape, NearlyCollinearCornersAreDropped) {
  // A square with an extra corner barely off its bottom edge.
  std::vector<b2Vec2> points = {b2Vec2(0, 0), b2Vec2(1, -1e-6f), b2Vec2(2, 0), b2Vec2(2, 2),
                                b2Vec2(0, 2)};
  EXPECT_EQ(bv::ConvexHull(points).size(), 4u);
}

TEST(PolygonShape, RandomCornerSetsNeverReachTheLibraryDegenerate) {
  // Corners snapped to a coarse grid at tiny and ordinary sizes: many sets
  // are collinear, repeated or slivers. Every piece made must be accepted by
  // the library (an abort would end the test program) and the pieces' area
  // must equal the hull's.
  uint32_t state = 12345u;
  auto next = [&state]() {
    state = state * 1664525u + 1013904223u;
    return state >> 8;
  };
  for (int round = 0; round < 3000; ++round) {
    float unit = (round % 3 == 0) ? 0.004f : (round % 3 == 1 ? 0.05f : 1.0f);
    int n = 1 + static_cast<int>(next() % 20);
    std::vector<b2Vec2> points;
    for (int i = 0; i < n; ++i) {
      points.emplace_back(unit * static_cast<float>(next() % 5),
                          unit * static_cast<float>(next() % 3));
    }
    BodyWithPieces b(points, 1.0f);
    std::vector<b2Vec2> hull = bv::ConvexHull(points);
    float area = 0.0f;
    for (const b2Fixture* f = b.body->GetFixtureList(); f; f = f->GetNext()) {
      const auto* shape = static_cast<const b2PolygonShape*>(f->GetShape());
      area += bv::PolygonArea(std::vector<b2Vec2>(shape->m_vertices, shape->m_vertices + shape->m_count));
    }
    EXPECT_NEAR(area, hull.empty() ? 0.0f : bv::PolygonArea(hull), 1e-4f) << "round " << round;
  }
}

}  // namespace
