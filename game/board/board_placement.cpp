#include "game/board/board_placement.h"

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "game/board/board_geometry.h"

namespace {
constexpr int kDynamicBody = 2;
constexpr int kNoBody = -1;
constexpr float kNoStartDelay = -1.0f;
}  // namespace

irr::core::vector2df CellToScreen(int column, int row) {
  return irr::core::vector2df(column * kCellSize + kBoardOriginX, kBoardOriginY - row * kCellSize);
}

BvLevelElement* CreateFallingElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                     const char* elementName, bool gravity, float startDelayMs) {
  if (!manager) return nullptr;
  BvLevelElement* element = CreateLevelElement(manager, position, nullptr, startDelayMs);
  if (!element) return nullptr;
  element->SetDynType(kDynamicBody);
  // Debris passes through everything, the level's borders included, and
  // leaves the screen at the bottom.
  element->SetCollision(false);
  element->SetGravity(gravity);
  if (elementName) element->SetSourceElementByName(elementName);
  return element;
}

BvLevelElement* CreateImageElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                   const char* elementName, float startDelayMs) {
  if (!manager) return nullptr;
  BvLevelElement* element = CreateLevelElement(manager, position, elementName, kNoStartDelay);
  if (!element) return nullptr;
  element->SetDynType(kNoBody);
  element->SetStartDelay(startDelayMs);
  return element;
}

BvLevelElement* CreateEffectElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                    const char* elementName, float animationSpeed, float fadeSpeed,
                                    float scale, float lifetimeMs) {
  if (!manager) return nullptr;
  BvLevelElement* element = CreateLevelElement(manager, position, elementName, kNoStartDelay);
  if (!element) return nullptr;
  element->SetDynType(kNoBody);
  element->SetStartDelay(kNoStartDelay);
  element->SetScale(scale, scale);
  element->AddBehavior(new BvExpireBehavior(lifetimeMs, animationSpeed, fadeSpeed));
  return element;
}
