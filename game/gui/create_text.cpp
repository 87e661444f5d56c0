#include "game/gui/create_text.h"

#include "engine/level/level.h"
#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/level/physics_values.h"

BvLevelElement* CreateText(BvLevelManager* manager, const irr::core::vector2df& position,
                           const wchar_t* text, const char* fontAlias) {
  if (!manager || !fontAlias) return nullptr;
  // A missing alias is reported by the lookup's "Alert" and no text is made:
  // an element without a font runs no behaviours, so it would never fade
  // out and the dialog holding it would never close.
  auto* font = dynamic_cast<BvElement*>(manager->GetElements()->GetObjectByName(fontAlias));
  if (!font) return nullptr;
  // Texts are created at once visible (no start delay).
  constexpr float kNoStartDelay = -1.0f;
  BvLevelElement* element = CreateLevelElement(manager, position, nullptr, kNoStartDelay);
  if (!element) return nullptr;
  element->SetSourceElement(font);
  element->SetDynType(bv::kNoBody);
  element->SetStartDelay(kNoStartDelay);
  element->SetText(text);
  return element;
}
