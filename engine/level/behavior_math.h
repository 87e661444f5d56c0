#pragma once
// Small formulas shared by the behaviours, free of any level element so
// they can be checked on their own.
#include <vector2d.h>

namespace bv {

constexpr double kPi = 3.14159265358979323846;

// Direction of d in degrees with the screen-style convention of the path
// behaviour: 0 along +x, 270 along +y, 90 along -y, 180 along -x.
double PathAngleDegrees(irr::core::vector2df d);

// Cubic Hermite point between b (t = 0) and c (t = 1) with the tangents
// tension x (c - a) and tension x (d - b).
irr::core::vector2df HermitePoint(irr::core::vector2df a, irr::core::vector2df b,
                                  irr::core::vector2df c, irr::core::vector2df d,
                                  float tension, float t);

}  // namespace bv
