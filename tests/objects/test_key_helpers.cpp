#include "engine/objects/key_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

TEST(KeyHelpers, VirtualKeyToCharUsesTheUsLayout) {
  const std::pair<int, char> cases[] = {
      {0x41, 'A'},  {0x5A, 'Z'},  {0x30, '0'},  {0x39, '9'},  {0x60, '0'},  {0x69, '9'},
      {0x20, ' '},  {0x08, '\b'}, {0x09, '\t'}, {0x0D, '\r'}, {0x1B, 0x1B}, {0x6A, '*'},
      {0x6B, '+'},  {0x6D, '-'},  {0x6E, '.'},  {0x6F, '/'},  {0xBA, ';'},  {0xBB, '='},
      {0xBC, ','},  {0xBD, '-'},  {0xBE, '.'},  {0xBF, '/'},  {0xC0, '`'},  {0xDB, '['},
      {0xDC, '\\'}, {0xDD, ']'},  {0xDE, '\''},
      // Keys without a character.
      {0x10, 0},    {0x25, 0},    {0x70, 0},    {0x00, 0},    {0xFF, 0},
      // Only the low 16 bits count.
      {0x10041, 'A'},
  };
  for (const auto& [key, character] : cases) EXPECT_EQ(VirtualKeyToChar(key), character) << key;
}

TEST(KeyHelpers, ScreenToPhysics) {
  const irr::core::vector3df origin = ScreenToPhysics(0, 0);
  EXPECT_FLOAT_EQ(origin.X, -47.5f);
  EXPECT_FLOAT_EQ(origin.Y, 35.0f);
  EXPECT_FLOAT_EQ(origin.Z, 0.0f);
  // One screen pixel is 5.2 x 2.9 = 15.08 hundredths: x 100 gives
  // 1508 - 4750 = -3242, y 200 gives 3500 - 3016 = 484.
  struct Case { int x, y; float wantX, wantY; };
  for (Case c : {Case{100, 200, -32.42f, 4.84f}, Case{800, 600, 73.14f, -55.48f}}) {
    const irr::core::vector3df point = ScreenToPhysics(c.x, c.y);
    EXPECT_NEAR(point.X, c.wantX, 1e-4) << c.x << "," << c.y;
    EXPECT_NEAR(point.Y, c.wantY, 1e-4) << c.x << "," << c.y;
    EXPECT_EQ(point.Z, 0.0f);
  }
}

TEST(KeyHelpers, IsCharKeyDownAsksForTheKeyThatTypesTheCharacter) {
  EXPECT_FALSE(IsCharKeyDown('a')) << "no system object";
  setenv("ALSOFT_DRIVERS", "nodriver", 0);  // no audio needed here
  BvSystem system;
  BvSystem* saved = g_System;
  g_System = &system;
  system.keyDown[0x41] = 1;  // A
  system.keyDown[0xBD] = 1;  // the minus key
  system.keyDown[0x31] = 1;  // 1
  const std::pair<char, bool> cases[] = {
      {'a', true}, {'A', true}, {'b', false}, {'-', true}, {'_', true}, {'1', true},
      {'!', true}, {'2', false}, {'=', false}, {'\0', false},
  };
  for (const auto& [character, down] : cases) {
    EXPECT_EQ(IsCharKeyDown(character), down) << static_cast<int>(character);
  }
  g_System = saved;
}


}  // namespace
