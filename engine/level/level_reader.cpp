// Level files: numbered levels of level elements made from the loaded
// scene's elements, with their look, physics settings, parents and
// behaviours. Members of BvLevelManager.
#include <cmath>
#include <cstdint>
#include <string>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/file_number_ranges.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/physics_values.h"
#include "engine/level/registries.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/objects/xml_tree.h"
#include "engine/platform/message_box.h"

namespace {

// Names read into fixed fields keep at most this many characters.
constexpr size_t kMaxShortName = 29;
// Degrees to radians, as level files give rotations.
constexpr float kDegreesToRadians = 3.1415927f / 180.0f;

// A node's text as a real (atof rules); non-finite values ("inf", "nan")
// become 0 so that nothing from a file reaches the physics as such.
float TextReal(const BvXmlNode* node) {
  return bv::FiniteOrZero(bv::ParseFloatC(node->GetValue().c_str()));
}
int TextInt(const BvXmlNode* node) { return bv::ParseIntC(node->GetValue().c_str()); }
bool TextFlag(const BvXmlNode* node) { return TextInt(node) != 0; }
float AttributeReal(const BvXmlNode* node, const char* name) {
  return bv::FiniteOrZero(node->GetAttributeFloat(name));
}

// The parameter child of a behaviour entry, read with a default when absent.
float ParamReal(const BvXmlNode* entry, const char* name, float fallback) {
  const BvXmlNode* child = entry->FindChild(name);
  return child ? TextReal(child) : fallback;
}
int ParamInt(const BvXmlNode* entry, const char* name, int fallback) {
  const BvXmlNode* child = entry->FindChild(name);
  return child ? TextInt(child) : fallback;
}
// A name parameter, cut to its field; absent gives the empty name.
std::string ParamName(const BvXmlNode* entry, const char* name) {
  const BvXmlNode* child = entry->FindChild(name);
  return child ? child->GetValue().substr(0, kMaxShortName) : std::string();
}

// ARGB from "a", "r", "g", "b", each cut to its low 8 bits.
uint32_t ReadColor(const BvXmlNode* node) {
  auto channel = [&](const char* name) {
    return static_cast<uint32_t>(node->GetAttributeInt(name)) & 0xFFu;
  };
  return (channel("a") << 24) | (channel("r") << 16) | (channel("g") << 8) | channel("b");
}

// The behaviour a "behavior" entry describes, or null for an unknown type
// ("type" compares with case).
BvBehavior* MakeBehavior(const BvXmlNode* entry) {
  const std::string& type = entry->GetAttribute("type");
  if (type == "sinusy" || type == "cosinusx") {
    const float range = ParamReal(entry, "range", 20.0f);
    const float speed = ParamReal(entry, "speed", 500.0f);
    const float phase = ParamReal(entry, "phase", 0.0f);
    if (type == "sinusy") return new BvSinusYBehavior(range, speed, phase);
    return new BvCosinusXBehavior(range, speed, phase);
  }
  if (type == "mousemove") {
    return new BvMouseMoveBehavior(ParamInt(entry, "followx", 1) != 0,
                                   ParamInt(entry, "followy", 1) != 0);
  }
  if (type == "notransform") return new BvNoTransformBehavior();
  if (type == "mouseoverelement") {
    // This one animation speed is an integer.
    const float animSpeed = static_cast<float>(ParamInt(entry, "animspeed", -1));
    return new BvMouseOverElementBehavior(ParamName(entry, "switchelement").c_str(), animSpeed,
                                          ParamName(entry, "soundover").c_str());
  }
  if (type == "mouseovergrow") {
    return new BvMouseOverGrowBehavior(ParamReal(entry, "growfactor", 1.5f),
                                       ParamReal(entry, "growspeed", 20.0f),
                                       ParamName(entry, "soundover").c_str());
  }
  if (type == "zoomto") {
    return new BvZoomToBehavior(ParamReal(entry, "targetfactor", 1.0f),
                                ParamReal(entry, "speed", 20.0f), ParamInt(entry, "effect", 0));
  }
  if (type == "fadein") {
    return new BvFadeInBehavior(ParamReal(entry, "speed", 20.0f), ParamReal(entry, "delay", 0.0f));
  }
  if (type == "fadeout") {
    return new BvFadeOutBehavior(ParamReal(entry, "speed", 20.0f), ParamReal(entry, "delay", 0.0f),
                                 /*removeElement=*/true, /*hold=*/false);
  }
  return nullptr;
}

// True when making parent the parent of child would close a loop (the
// element itself or one of its descendants), which would make every
// position query recurse for ever.
bool WouldCycle(const BvLevelElement* child, const BvLevelElement* parent) {
  for (const BvLevelElement* p = parent; p; p = p->GetParent()) {
    if (p == child) return true;
  }
  return false;
}

}  // namespace

bool BvLevelManager::LoadLevel(int levelNumber, const char* path, bool withBorders) {
  if (!path) return false;
  ClearLevels();
  BvXmlDocument document;
  document.Load(path);
  if (document.GetChildCount() == 0) {
    bv::ShowMessageBox("Alert", std::string("LoadLevel : Empty or Not Found ") + path);
    return false;
  }
  BvXmlNode* levels = document.FindChild("levels");
  if (!levels) return false;
  ReadLevel(levels, levelNumber, withBorders);
  return !GetLevels()->IsEmpty();
}

bool BvLevelManager::ReadLevel(BvXmlNode* levelsNode, int levelNumber, bool withBorders) {
  if (!levelsNode) return false;
  int number = 0;
  for (BvXmlNode* node = levelsNode->GetFirstChild(); node; node = node->GetNextSibling()) {
    if (!node->IsNamed("level")) continue;
    if (number++ != levelNumber) continue;
    BvLevel* level = new BvLevel(node->GetAttribute("name").c_str());
    // Borders first, so they are older than every element of the file.
    if (withBorders) CreateBorders(level, this);
    for (BvXmlNode* section = node->GetFirstChild(); section;
         section = section->GetNextSibling()) {
      if (section->IsNamed("lvlelements")) LoadLevelElements(section, level);
    }
    return GetLevels()->AddObject(level);
  }
  return false;
}

void BvLevelManager::LoadLevelElements(BvXmlNode* section, BvLevel* level) {
  if (!section || !level) return;
  for (BvXmlNode* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
    if (!entry->IsNamed("lvlelement")) continue;
    BvLevelElement* element = new BvLevelElement(this);
    element->SetName(entry->GetAttribute("name"));
    bool inRange = true;
    for (BvXmlNode* child = entry->GetFirstChild(); child && inRange;
         child = child->GetNextSibling()) {
      if (child->IsNamed("behaviors")) {
        LoadBehaviors(child, element);
      } else if (child->IsNamed("pos")) {
        const float x = AttributeReal(child, "x");
        const float y = AttributeReal(child, "y");
        inRange = bv::IsPositionInRange(x, y);
        element->SetPosition(irr::core::vector2df(x, y));
      } else if (child->IsNamed("blitmode")) {
        element->SetBlitMode(TextInt(child));
      } else if (child->IsNamed("layer")) {
        element->SetLayer(TextInt(child));
      } else if (child->IsNamed("scale")) {
        const float x = AttributeReal(child, "x");
        const float y = AttributeReal(child, "y");
        inRange = bv::IsScaleInRange(x, y);
        element->SetScale(x, y);
      } else if (child->IsNamed("color")) {
        element->SetColor(ReadColor(child));
      } else if (child->IsNamed("sourceelement")) {
        CManagedObjectBase* found = GetElements()->GetObjectByName(child->GetValue());
        BvElement* source = dynamic_cast<BvElement*>(found);
        if (source) element->SetSourceElement(source);
      } else if (child->IsNamed("flip")) {
        element->SetFlipX(child->GetAttributeInt("x") != 0);
        element->SetFlipY(child->GetAttributeInt("y") != 0);
      } else if (child->IsNamed("rotation")) {
        element->SetRotation(TextReal(child) * kDegreesToRadians);
      } else if (child->IsNamed("collision")) {
        element->SetCollision(TextFlag(child));
      } else if (child->IsNamed("gravity")) {
        element->SetGravity(TextFlag(child));
      } else if (child->IsNamed("fixedrotation")) {
        element->SetFixedRotation(TextFlag(child));
      } else if (child->IsNamed("animspeed")) {
        element->SetAnimSpeed(TextReal(child));
      } else if (child->IsNamed("animtype")) {
        element->SetAnimType(TextInt(child));
      } else if (child->IsNamed("angulardamping")) {
        element->SetAngularDamping(bv::NonNegative(TextReal(child)));
      } else if (child->IsNamed("lineardamping")) {
        element->SetLinearDamping(bv::NonNegative(TextReal(child)));
      } else if (child->IsNamed("friction")) {
        element->SetFriction(TextReal(child));
      } else if (child->IsNamed("restitution")) {
        element->SetRestitution(TextReal(child));
      } else if (child->IsNamed("density")) {
        element->SetDensity(TextReal(child));
      } else if (child->IsNamed("dyntype")) {
        element->SetDynType(bv::SanitizeDynType(TextInt(child)));
      } else if (child->IsNamed("parent")) {
        element->SetParentName(child->GetValue().c_str());
      } else if (child->IsNamed("direction")) {
        element->SetDirection(AttributeReal(child, "x"), AttributeReal(child, "y"));
      } else if (child->IsNamed("lifetime")) {
        element->SetLifetime(TextReal(child));
      } else if (child->IsNamed("emitterdelay")) {
        element->SetEmitterDelay(TextReal(child));
      } else if (child->IsNamed("particlesize")) {
        element->SetParticleSize(TextReal(child));
      }
    }
    if (!inRange) {
      bv::ShowMessageBox("Alert", "LoadLevel : Number out of range, element left out : " +
                                      element->GetNameString());
      delete element;
      continue;
    }
    // A duplicate name is refused (after its "Alert") and deleted with its
    // behaviours.
    level->AddObject(element);
  }

  // Parents are resolved after the whole section, so a parent may come
  // later in the file; earlier sections and the borders take part too.
  for (const auto& entry : level->GetIdIndex()) {
    BvLevelElement* element = static_cast<BvLevelElement*>(entry.second);
    const char* parentName = element->GetParentName();
    if (!parentName || !parentName[0]) continue;
    BvLevelElement* parent = static_cast<BvLevelElement*>(level->GetObjectByName(parentName));
    if (!parent || parent == element->GetParent()) continue;
    if (WouldCycle(element, parent)) continue;
    element->SetParent(parent);
  }
}

void BvLevelManager::LoadBehaviors(BvXmlNode* section, BvLevelElement* element) {
  if (!section || !element) return;
  for (BvXmlNode* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
    if (!entry->IsNamed("behavior")) continue;
    BvBehavior* behavior = MakeBehavior(entry);
    if (behavior) element->AddBehavior(behavior);
  }
}
