#pragma once
// BvLevel: the level elements of one screen or one GUI, owned and indexed by
// name and id (updated and drawn in id order, that is creation order), plus
// its own identity under which the levels registry holds it.
#include <irrlicht.h>

#include "engine/objects/managed_object.h"

class BvLevelElement;
class BvLevelManager;

class BvLevel : public CManagedObjectList, public CManagedObjectBase {
 public:
  explicit BvLevel(const char* name = nullptr);
  // The list part deletes every level element it holds.
  ~BvLevel() override;

  // "BvLevel".
  const char* GetClassName() const override;
  void OnNotify(int event, CManagedObjectBase* sender) override;
};

// The manager's registry of levels (owned). The current level is the one
// with the smallest id.
class BvLevelList : public CManagedObjectList {
 public:
  BvLevelList() = default;
  ~BvLevelList() override;
};

// Number of border edges round the field, named "_bdr0".."_bdr3".
constexpr int kBorderCount = 4;
// Collision mask of the border elements: every layer's category.
constexpr short kBorderCollisionMask = 255;

// Adds the four border edges (top, right, bottom, left of the 800 by 600
// field) to level: edge elements in the manager's element list and level
// elements of the same names in level. Edge elements already listed under
// those names are reused (a scene may hold them from an earlier level load);
// a level that already holds a border keeps it. Nothing without a manager or
// a level.
void CreateBorders(BvLevel* level, BvLevelManager* manager);

// Makes a level element (static body type, collision off, at position in
// world pixels, with the start delay in ms and, when sourceName is given,
// that element as its source) and adds it to the manager's current level
// under the name generated from its id. Returns null, creating nothing,
// without a manager or without a current level; returns null too when the
// level refused the element (an authored name may equal a generated one),
// in which case the level has already deleted it.
BvLevelElement* CreateLevelElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                   const char* sourceName, float startDelay);
