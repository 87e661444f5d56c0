#include "engine/level/vector_math.h"

#include <cmath>

namespace bv {

void NormalizeVector(float& x, float& y) {
  float lengthSquared = x * x + y * y;
  if (std::fabs(lengthSquared) <= kZeroLengthSquared) return;
  float inverse = 1.0f / std::sqrt(lengthSquared);
  x *= inverse;
  y *= inverse;
}

}  // namespace bv
