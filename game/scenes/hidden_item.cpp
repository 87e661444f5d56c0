#include "game/scenes/hidden_item.h"

#include "engine/level/level_element.h"

void BvHiddenItem::Clear() {
  element = nullptr;
  nameText = nullptr;
  hovered = false;
  found = false;
}

void BvHiddenItem::Bind(BvLevelElement* object, BvLevelElement* name) {
  Clear();
  element = object;
  nameText = name;
  if (!object) return;
  object->m_pUser = static_cast<CManagedObjectBase*>(this);
  object->AddBehavior(new BvStarsBehavior());
}
