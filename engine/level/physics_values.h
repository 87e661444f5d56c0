#pragma once
// Guards for every value handed to the physics library, whose assertions
// abort the process: non-finite numbers, negative damping, unknown body
// types and collision bits beyond 16.
#include <box2d/box2d.h>

#include <cstdint>

namespace bv {

// Body type meaning "no body".
constexpr int kNoBody = -1;
// Collision categories are 16 bits wide.
constexpr int kCategoryBits = 16;
// Mask value meaning "own category plus category 1".
constexpr int16_t kDefaultCollisionMask = -1;

// value, or 0 when it is not finite.
float FiniteOrZero(float value);
// value, or 0 when it is negative or not finite.
float NonNegative(float value);
b2Vec2 FiniteOrZero(const b2Vec2& value);
// -1 (no body), 0 static, 1 kinematic, 2 dynamic; anything else is -1.
int SanitizeDynType(int type);
// 1 << layer for layers 0..15, 0 (collides with nothing) otherwise.
uint16_t CollisionCategory(int layer);
// The fixture mask: mask itself, or for -1 the layer's category OR 1.
uint16_t CollisionMask(int layer, int16_t mask);

}  // namespace bv
