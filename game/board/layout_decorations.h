#pragma once
// Free helpers of the board's decorations.
#include <irrlicht.h>

class BvLevelElement;
class BvLevelManager;

// A level element of the named template without body; a particle emitter
// takes the direction (when its x is not negative), the particle lifetime
// and the emitter delay (each when not negative). Null without a manager.
BvLevelElement* SpawnEffect(BvLevelManager* manager, const irr::core::vector2df& position,
                            const char* elementName, const irr::core::vector2df& direction,
                            float lifetimeMs, float emitterDelayMs);
