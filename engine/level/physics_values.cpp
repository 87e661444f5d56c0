#include "engine/level/physics_values.h"

#include <cmath>

namespace bv {

float FiniteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

float NonNegative(float value) { return std::isfinite(value) && value > 0.0f ? value : 0.0f; }

b2Vec2 FiniteOrZero(const b2Vec2& value) {
  return b2Vec2(FiniteOrZero(value.x), FiniteOrZero(value.y));
}

int SanitizeDynType(int type) {
  return type >= b2_staticBody && type <= b2_dynamicBody ? type : kNoBody;
}

uint16_t CollisionCategory(int layer) {
  if (layer < 0 || layer >= kCategoryBits) return 0;
  return static_cast<uint16_t>(1u << layer);
}

uint16_t CollisionMask(int layer, int16_t mask) {
  if (mask == kDefaultCollisionMask) return static_cast<uint16_t>(CollisionCategory(layer) | 1u);
  return static_cast<uint16_t>(mask);
}

}  // namespace bv
