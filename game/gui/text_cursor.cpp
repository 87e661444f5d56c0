#include "game/gui/text_cursor.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/physics_values.h"
#include "game/core/game.h"
#include "game/scenes/element_templates.h"

namespace {
constexpr const char* kCursor = "cursor";
const irr::core::vector2df kCursorPosition(0.0f, -3.0f);
const irr::core::vector2df kCursorScale(0.5f, 1.3f);
constexpr int kCursorLayer = 3;
constexpr float kNoStartDelay = -1.0f;
}  // namespace

BvLevelElement* MakeTextCursor(BvLevelElement* parent, irr::video::SColor colour) {
  BvLevelManager* levels = g_Game ? g_Game->GetGlobalLevels() : nullptr;
  if (!bv::HasTemplate(levels, kCursor)) return nullptr;
  BvLevelElement* cursor = CreateLevelElement(levels, kCursorPosition, kCursor, kNoStartDelay);
  if (!cursor) return nullptr;
  cursor->SetDynType(bv::kNoBody);
  cursor->SetLayer(kCursorLayer);
  cursor->SetScale(kCursorScale);
  cursor->SetColor(colour);
  if (parent) cursor->SetParent(parent);
  return cursor;
}
