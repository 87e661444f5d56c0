#include "engine/level/behavior_math.h"

#include <cmath>

namespace bv {

double PathAngleDegrees(irr::core::vector2df d) {
  if (d.Y == 0.0f) return d.X < 0.0f ? 180.0 : 0.0;
  if (d.X == 0.0f) return d.Y < 0.0f ? 90.0 : 270.0;
  const double length = std::sqrt(double(d.X) * d.X + double(d.Y) * d.Y);
  const double c = d.Y / length;
  const double a = std::atan(std::sqrt(1.0 - c * c) / c) * 180.0 / kPi;
  if (d.X > 0.0f && d.Y > 0.0f) return a + 270.0;
  if (d.X > 0.0f && d.Y < 0.0f) return a + 90.0;
  if (d.X < 0.0f && d.Y < 0.0f) return 90.0 - a;
  return 270.0 - a;
}

irr::core::vector2df HermitePoint(irr::core::vector2df a, irr::core::vector2df b,
                                  irr::core::vector2df c, irr::core::vector2df d,
                                  float tension, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  const float h00 = 2.0f * t3 - 3.0f * t2 + 1.0f;
  const float h10 = t3 - 2.0f * t2 + t;
  const float h01 = -2.0f * t3 + 3.0f * t2;
  const float h11 = t3 - t2;
  const irr::core::vector2df m0{tension * (c.X - a.X), tension * (c.Y - a.Y)};
  const irr::core::vector2df m1{tension * (d.X - b.X), tension * (d.Y - b.Y)};
  return {h00 * b.X + h01 * c.X + h10 * m0.X + h11 * m1.X,
          h00 * b.Y + h01 * c.Y + h10 * m0.Y + h11 * m1.Y};
}

}  // namespace bv
