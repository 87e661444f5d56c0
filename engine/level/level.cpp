#include "engine/level/level.h"

#include <string>

#include "engine/level/element.h"
#include "engine/level/registries.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"

BvLevel::BvLevel(const char* name) : CManagedObjectList(), CManagedObjectBase(name) {}

BvLevel::~BvLevel() { ClearObjects(); }

const char* BvLevel::GetClassName() const { return "BvLevel"; }

void BvLevel::OnNotify(int, CManagedObjectBase*) {}

BvLevelList::~BvLevelList() { ClearObjects(); }

namespace {

// Field corners in world pixels: top-left, top-right, bottom-right,
// bottom-left, and the first again to close the loop.
const irr::core::vector2df kBorderCorners[kBorderCount + 1] = {
    {-kFieldHalfWidth, kFieldHalfHeight},  {kFieldHalfWidth, kFieldHalfHeight},
    {kFieldHalfWidth, -kFieldHalfHeight},  {-kFieldHalfWidth, -kFieldHalfHeight},
    {-kFieldHalfWidth, kFieldHalfHeight}};

std::string BorderName(int index) { return "_bdr" + std::to_string(index); }

// The edge element named so in the manager's list, made when it is not
// there yet. An element of that name that is not an edge is left alone and
// null returned, so no border is made over it.
BvElement* BorderEdge(BvLevelManager* manager, int index) {
  const std::string name = BorderName(index);
  BvElementList* elements = manager->GetElements();
  if (CManagedObjectBase* found = elements->FindObjectByName(name)) {
    BvElement* edge = static_cast<BvElement*>(found);
    return edge->GetShapeType() == kShapeEdge ? edge : nullptr;
  }
  BvElement* edge = new BvElement(name.c_str());
  edge->SetShapeType(kShapeEdge);
  edge->AddVertex(kBorderCorners[index]);
  edge->AddVertex(kBorderCorners[index + 1]);
  if (!elements->AddObject(edge)) return nullptr;  // deleted by the list
  return edge;
}

}  // namespace

void CreateBorders(BvLevel* level, BvLevelManager* manager) {
  if (!manager || !level) return;
  for (int i = 0; i < kBorderCount; ++i) {
    const std::string name = BorderName(i);
    // A level that already holds this border keeps it (no refused newcomer).
    if (level->FindObjectByName(name)) continue;
    BvElement* edge = BorderEdge(manager, i);
    if (!edge) continue;
    BvLevelElement* border = new BvLevelElement(manager);
    border->SetSourceElement(edge);
    border->SetPosition(irr::core::vector2df(0.0f, 0.0f));
    border->SetName(name);
    border->AddBehavior(new BvNoTransformBehavior());
    border->SetCollision(true);
    border->SetLayer(0);
    border->SetCollisionMask(kBorderCollisionMask);
    level->AddObject(border);
  }
}

BvLevelElement* CreateLevelElement(BvLevelManager* manager, const irr::core::vector2df& position,
                                   const char* sourceName, float startDelay) {
  if (!manager) return nullptr;
  BvLevel* level = manager->GetCurrentLevel();
  // Without a level the element would have no owner to delete it.
  if (!level) return nullptr;
  BvLevelElement* element = new BvLevelElement(manager);
  element->SetDynType(0);
  element->SetCollision(false);
  element->SetPosition(position);
  element->SetStartDelay(startDelay);
  if (sourceName) element->SetSourceElementByName(sourceName);
  // The list deletes a refused newcomer: never hand that pointer out.
  if (!level->AddObject(element)) return nullptr;
  return element;
}
