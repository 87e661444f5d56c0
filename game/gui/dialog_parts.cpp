#include "game/gui/dialog_parts.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/resources/lang_table.h"
#include "game/core/game.h"
#include "game/gui/create_text.h"

namespace bv {
namespace {
constexpr const char* kGuiFont = "guifont";
const irr::core::vector2df kLabelPosition(0.0f, 3.0f);
}  // namespace

BvLevelElement* FindNamed(BvLevel* level, const char* name) {
  return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
}

BvLevelElement* GetNamed(BvLevel* level, const char* name) {
  return level ? static_cast<BvLevelElement*>(level->GetObjectByName(name)) : nullptr;
}

BvLevelElement* MakeGuiText(const irr::core::vector2df& position, const wchar_t* text, int layer,
                            BvLevelElement* parent, int alignment) {
  BvLevelElement* element =
      CreateText(g_Game ? g_Game->GetGlobalLevels() : nullptr, position, text, kGuiFont);
  if (!element) return nullptr;
  element->SetLayer(layer);
  element->SetTextAlign(alignment);
  if (parent) element->SetParent(parent);
  return element;
}

BvLevelElement* AttachToPanel(BvLevel* level, BvLevelElement* panel, const char* name,
                              const char* labelKey, int layer) {
  BvLevelElement* element = GetNamed(level, name);
  if (!element) return nullptr;
  if (panel) element->SetParent(panel);
  if (labelKey) MakeGuiText(kLabelPosition, GetText(labelKey), layer, element);
  return element;
}

}  // namespace bv
