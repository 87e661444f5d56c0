// Scene files: the images, sprites and element templates of one screen.
// Sections are read in document order; references by name point backwards
// except particle sources, resolved after every "elements" section.
#include <string>

#include "engine/level/element.h"
#include "engine/level/file_number_ranges.h"
#include "engine/level/registries.h"
#include "engine/level/level_manager.h"
#include "engine/objects/xml_tree.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/resources/sprite.h"
#include "engine/resources/texture_functions.h"

namespace {

// Colour key of an image entry without "colorkey": none.
constexpr int kNoColorKey = -1;

int TextInt(const BvXmlNode* node) { return bv::ParseIntC(node->GetValue().c_str()); }
float TextFloat(const BvXmlNode* node) { return bv::ParseFloatC(node->GetValue().c_str()); }

// Reports a number out of its range; the entry holding it is left out.
void ReportOutOfRange(const char* kind, const std::string& name) {
  bv::ShowMessageBox("Alert", std::string("LoadScene : Number out of range, ") + kind +
                                  " left out : " + name);
}

// The "shape" child of an image or anim entry, on top of what earlier
// "shape" children set. False when a vertex or radius is out of range.
bool ReadShape(const BvXmlNode* shape, BvElement* element) {
  const std::string& type = shape->GetAttribute("type");
  if (bv::NameEqualsIgnoreCase(type.c_str(), "polygon")) {
    element->SetShapeType(kShapePolygon);
    for (BvXmlNode* v = shape->GetFirstChild(); v; v = v->GetNextSibling()) {
      if (!v->IsNamed("vertex")) continue;
      const float x = v->GetAttributeFloat("x");
      const float y = v->GetAttributeFloat("y");
      if (!bv::IsPositionInRange(x, y)) return false;
      element->AddVertex(irr::core::vector2df(x, y));
    }
  } else if (bv::NameEqualsIgnoreCase(type.c_str(), "circle")) {
    element->SetShapeType(kShapeCircle);
    for (BvXmlNode* r = shape->GetFirstChild(); r; r = r->GetNextSibling()) {
      if (!r->IsNamed("radius")) continue;
      const float radius = TextFloat(r);
      if (!bv::IsRadiusInRange(radius)) return false;
      element->SetRadius(radius);
    }
  }
  return true;
}

}  // namespace

bool BvLevelManager::LoadScene(const char* path) {
  if (!path) return false;
  ClearScene();
  BvXmlDocument document;
  document.Load(path);
  if (document.GetChildCount() == 0) {
    bv::ShowMessageBox("Alert", std::string("LoadScene : Empty or Not Found ") + path);
    return false;
  }
  for (BvXmlNode* section = document.GetFirstChild(); section;
       section = section->GetNextSibling()) {
    if (section->IsNamed("images"))
      LoadImages(section);
    else if (section->IsNamed("sprites"))
      LoadSprites(section);
    else if (section->IsNamed("elements"))
      LoadElements(section);
  }
  LoadImageTextures();
  return true;
}

void BvLevelManager::LoadImages(BvXmlNode* section) {
  for (BvXmlNode* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
    if (!entry->IsNamed("image")) continue;
    // A record of its own per entry: the list's copy takes this record's
    // identity, so a shared one would give every copy the same id.
    BvImage record(entry->GetAttribute("name").c_str());
    record.SetColorKey(kNoColorKey);
    for (BvXmlNode* child = entry->GetFirstChild(); child; child = child->GetNextSibling()) {
      if (child->IsNamed("colorkey"))
        record.SetColorKey(TextInt(child));
      else if (child->IsNamed("filename"))
        record.SetFileName(child->GetValue().c_str());
    }
    m_Images->AddImageCopy(record);
  }
}

void BvLevelManager::LoadSprites(BvXmlNode* section) {
  for (BvXmlNode* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
    if (!entry->IsNamed("sprite")) continue;
    BvSprite* sprite = new BvSprite(entry->GetAttribute("name").c_str());
    bool inRange = true;
    for (BvXmlNode* child = entry->GetFirstChild(); child && inRange;
         child = child->GetNextSibling()) {
      if (child->IsNamed("sourceimage")) {
        if (CManagedObjectBase* image = m_Images->GetObjectByName(child->GetValue()))
          sprite->SetImage(static_cast<BvImage*>(image));
      } else if (child->IsNamed("sourcerect")) {
        const int x = child->GetAttributeInt("x");
        const int y = child->GetAttributeInt("y");
        const int width = child->GetAttributeInt("width");
        const int height = child->GetAttributeInt("height");
        inRange = bv::IsSourceRectInRange(x, y, width, height);
        if (inRange) sprite->SetSourceRect(x, y, x + width, y + height);
      }
    }
    if (!inRange) {
      ReportOutOfRange("sprite", sprite->GetNameString());
      delete sprite;
      continue;
    }
    m_Sprites->AddObject(sprite);
  }
}

void BvLevelManager::LoadElements(BvXmlNode* section) {
  for (BvXmlNode* entry = section->GetFirstChild(); entry; entry = entry->GetNextSibling()) {
    if (!entry->IsNamed("element")) continue;
    // Kind words are compared exactly, with case.
    const std::string& type = entry->GetAttribute("type");
    if (type == "image")
      LoadImageElement(entry);
    else if (type == "anim")
      LoadAnimElement(entry);
    else if (type == "particle")
      LoadParticleElement(entry);
  }
  ResolveParticleSources();
}

void BvLevelManager::LoadImageElement(BvXmlNode* entry) {
  BvImageElement* element = new BvImageElement(entry->GetAttribute("name").c_str());
  bool inRange = true;
  for (BvXmlNode* child = entry->GetFirstChild(); child && inRange;
       child = child->GetNextSibling()) {
    if (child->IsNamed("sourcesprite")) {
      if (CManagedObjectBase* sprite = m_Sprites->GetObjectByName(child->GetValue()))
        element->SetSprite(static_cast<BvSprite*>(sprite));
    } else if (child->IsNamed("blitmode")) {
      element->SetBlitMode(TextInt(child));
    } else if (child->IsNamed("shape")) {
      inRange = ReadShape(child, element);
    }
  }
  AddElementInRange(element, inRange);
}

void BvLevelManager::LoadAnimElement(BvXmlNode* entry) {
  BvAnimElement* element = new BvAnimElement(entry->GetAttribute("name").c_str());
  bool inRange = true;
  for (BvXmlNode* child = entry->GetFirstChild(); child && inRange;
       child = child->GetNextSibling()) {
    if (child->IsNamed("sprites")) {
      for (BvXmlNode* frame = child->GetFirstChild(); frame; frame = frame->GetNextSibling()) {
        if (!frame->IsNamed("sprite")) continue;
        if (CManagedObjectBase* sprite = m_Sprites->GetObjectByName(frame->GetValue()))
          element->AddFrame(static_cast<BvSprite*>(sprite));
      }
    } else if (child->IsNamed("animspeed")) {
      element->SetAnimSpeed(TextFloat(child));
    } else if (child->IsNamed("animtype")) {
      element->SetAnimType(TextInt(child));
    } else if (child->IsNamed("blitmode")) {
      element->SetBlitMode(TextInt(child));
    } else if (child->IsNamed("shape")) {
      inRange = ReadShape(child, element);
    }
  }
  AddElementInRange(element, inRange);
}

void BvLevelManager::AddElementInRange(BvElement* element, bool inRange) {
  if (inRange) {
    m_Elements->AddObject(element);
    return;
  }
  ReportOutOfRange("element", element->GetNameString());
  delete element;
}

void BvLevelManager::LoadParticleElement(BvXmlNode* entry) {
  BvParticleElement* element = new BvParticleElement(entry->GetAttribute("name").c_str());
  for (BvXmlNode* child = entry->GetFirstChild(); child; child = child->GetNextSibling()) {
    if (child->IsNamed("sourceelement"))
      element->SetSourceElementName(child->GetValue().c_str());
    else if (child->IsNamed("direction"))
      element->SetDirection(child->GetAttributeFloat("x"), child->GetAttributeFloat("y"));
    else if (child->IsNamed("lifetime"))
      element->SetLifetime(TextFloat(child));
    else if (child->IsNamed("emitterdelay"))
      element->SetEmitterDelay(TextFloat(child));
    else if (child->IsNamed("particlesize"))
      element->SetParticleSize(TextFloat(child));
  }
  m_Elements->AddObject(element);
}

void BvLevelManager::ResolveParticleSources() {
  for (const auto& entry : m_Elements->GetIdIndex()) {
    BvElement* element = static_cast<BvElement*>(entry.second);
    if (element->GetType() != kElementParticle) continue;
    BvParticleElement* emitter = static_cast<BvParticleElement*>(element);
    const std::string name = emitter->GetSourceElementName();
    if (name.empty()) continue;
    if (CManagedObjectBase* source = m_Elements->GetObjectByName(name))
      emitter->SetSourceElement(static_cast<BvElement*>(source));
    else
      bv::ShowMessageBox("Alert", "Could not find particle source element : " + name);
  }
}

void BvLevelManager::LoadImageTextures() {
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    const BvTextureNeed need = NeedOf(*image);
    // On-demand pictures load again when something draws them.
    if (need == BvTextureNeed::kWithScene)
      LoadImageTexture(*image);
    else
      image->SetTextureHeld(false);
  }
}

void BvLevelManager::LoadImageTexture(BvImage& image) {
  image.SetTextureHeld(true);
  LoadTexture(image.GetFileName(), image.GetName(), image.GetColorKey());
}

void BvLevelManager::ReloadFonts() {
  for (const auto& entry : m_Elements->GetIdIndex()) {
    BvElement* element = static_cast<BvElement*>(entry.second);
    if (element->GetType() != kElementText) continue;
    BvTextElement* text = static_cast<BvTextElement*>(element);
    if (text->GetFontImage()) text->SetFontImage(text->GetFontImage());
  }
}
