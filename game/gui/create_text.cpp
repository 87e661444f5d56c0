#include "game/gui/create_text.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/physics_values.h"

BvLevelElement* CreateText(BvLevelManager* manager, const irr::core::vector2df& position,
                           const wchar_t* text, const char* fontAlias) {
  if (!manager) return nullptr;
  // Texts are created at once visible (no start delay).
  constexpr float kNoStartDelay = -1.0f;
  BvLevelElement* element = CreateLevelElement(manager, position, fontAlias, kNoStartDelay);
  if (!element) return nullptr;
  element->SetDynType(bv::kNoBody);
  element->SetStartDelay(kNoStartDelay);
  element->SetText(text);
  return element;
}
