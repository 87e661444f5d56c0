#pragma once
// The three ways the board and the screens make a level element from code.
// Every function returns null and creates nothing without a level manager
// (or without a current level in it).
#include <irrlicht.h>

class BvLevelElement;
class BvLevelManager;

// Debris: a dynamic body (under the world's gravity when gravity is set)
// that collides with nothing, so it falls off the screen; the named source
// element when elementName is given; added to the current level.
BvLevelElement* CreateFallingElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                     const char* elementName, bool gravity, float startDelayMs);
// A plain image without body.
BvLevelElement* CreateImageElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                   const char* elementName, float startDelayMs);
// A self-removing effect without body: scale (scale, scale) and an expiry
// after lifetimeMs or at the end of its play-once animation.
BvLevelElement* CreateEffectElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                    const char* elementName, float animationSpeed, float fadeSpeed,
                                    float scale, float lifetimeMs);
