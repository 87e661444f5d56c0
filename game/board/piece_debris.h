#pragma once
// Pieces thrown off the board: a falling image that tumbles and fades.
#include <irrlicht.h>

class BvLevelElement;
class BvLevelManager;

struct BvDebrisStyle {
  int layer;
  // Upward throw, metres per second.
  float upwardSpeed;
  float fadeSpeed;
  float fadeDelayMs;
};
// Debris of cleared backgrounds and destroyed pieces.
constexpr BvDebrisStyle kBackgroundDebris{4, 5.0f, 4.0f, 1000.0f};
constexpr BvDebrisStyle kPieceDebris{5, 5.0f, 4.0f, 1000.0f};
// Broken lock chains.
constexpr BvDebrisStyle kChainDebris{4, 8.0f, 2.0f, 500.0f};

// A falling element of the named image at position, thrown sideways at
// random (rand() % 20 - 10, drawn first) and spinning at random (drawn
// second), turned by pi/2 when turned is set; it fades out and goes.
// Null without a level manager.
BvLevelElement* ThrowDebris(BvLevelManager* manager, const irr::core::vector2df& position,
                            const char* elementName, const BvDebrisStyle& style, bool turned);
