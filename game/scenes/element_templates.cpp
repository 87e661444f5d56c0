#include "game/scenes/element_templates.h"

#include "engine/level/level_manager.h"
#include "engine/level/registries.h"

namespace bv {

bool HasTemplate(const BvLevelManager* levels, const char* name) {
  return levels && name && levels->GetElements()->FindObjectByName(name) != nullptr;
}

}  // namespace bv
