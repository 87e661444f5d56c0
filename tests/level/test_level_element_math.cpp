// Small helpers under the level elements and behaviours: vector normalising
// with its zero test, and the guards for values handed to the physics
// library.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/level/physics_values.h"
#include "engine/level/vector_math.h"

namespace {

TEST(VectorMath, NormalisesAndLeavesNearZeroVectorsAlone) {
  struct Case {
    float x, y, nx, ny;
  };
  const Case cases[] = {
      {3.0f, 4.0f, 0.6f, 0.8f},       {0.0f, -2.0f, 0.0f, -1.0f},
      {0.0f, 0.0f, 0.0f, 0.0f},       {0.0005f, 0.0005f, 0.0005f, 0.0005f},  // 5e-7 squared
      {0.0009f, 0.0f, 0.0009f, 0.0f}, {0.0011f, 0.0f, 1.0f, 0.0f},
  };
  for (const Case& c : cases) {
    float x = c.x, y = c.y;
    bv::NormalizeVector(x, y);
    EXPECT_NEAR(x, c.nx, 1e-6f) << c.x << ", " << c.y;
    EXPECT_NEAR(y, c.ny, 1e-6f) << c.x << ", " << c.y;
  }
}

TEST(PhysicsValues, GuardsForTheLibrary) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(bv::FiniteOrZero(nan), 0.0f);
  EXPECT_EQ(bv::FiniteOrZero(-inf), 0.0f);
  EXPECT_EQ(bv::FiniteOrZero(-2.5f), -2.5f);
  EXPECT_EQ(bv::NonNegative(-2.5f), 0.0f);
  EXPECT_EQ(bv::NonNegative(inf), 0.0f);
  EXPECT_EQ(bv::NonNegative(0.75f), 0.75f);
  for (int t : {-1, 0, 1, 2}) EXPECT_EQ(bv::SanitizeDynType(t), t);
  for (int t : {-2, 3, 42, -1000}) EXPECT_EQ(bv::SanitizeDynType(t), -1) << t;
}

}  // namespace
