#pragma once
// Small 2D vector helpers whose rounding and zero test the behaviours rely on.
namespace bv {

// Squared lengths within this of 0 count as a zero vector.
constexpr float kZeroLengthSquared = 0.000001f;

// Scales (x, y) to length 1; a vector whose squared length is within
// kZeroLengthSquared of 0 is left unchanged.
void NormalizeVector(float& x, float& y);

}  // namespace bv
