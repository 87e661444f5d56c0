#include "engine/level/registries.h"

#include <string>
#include <vector>

#include "engine/resources/image.h"
#include "engine/resources/texture_manager.h"

BvImageList::~BvImageList() { BvImageList::Clear(); }

void BvImageList::Clear() {
  if (g_TextureManager) {
    // Names first: releasing touches only the texture manager, but keep the
    // walk independent of it.
    std::vector<std::string> names;
    for (const auto& entry : GetIdIndex())
      if (static_cast<const BvImage*>(entry.second)->IsTextureHeld())
        names.push_back(entry.second->GetNameString());
    for (const std::string& name : names) g_TextureManager->Release(name.c_str());
  }
  ClearObjects();
}

bool BvImageList::AddImageCopy(const BvImage& image) {
  BvImage* copy = new BvImage(image.GetName());
  copy->SetFileName(image.GetFileName());
  copy->SetColorKey(image.GetColorKey());
  copy->m_pUser = image.m_pUser;
  return AddObject(copy);
}

BvSpriteList::~BvSpriteList() { ClearObjects(); }

BvElementList::~BvElementList() { ClearObjects(); }
