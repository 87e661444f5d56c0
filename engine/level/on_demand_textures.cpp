// BvLevelManager's textures held on demand: the images a screen picks get
// their textures only while something shows them.
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_functions.h"
#include "engine/resources/texture_manager.h"

void BvLevelManager::SetTextureNeeds(BvTextureNeed (*needOf)(const BvImage& image)) {
  m_NeedOf = needOf;
}

BvTextureNeed BvLevelManager::NeedOf(const BvImage& image) const {
  if (!m_NeedOf || !bv::RenderSavingsOn()) return BvTextureNeed::kWithScene;
  return m_NeedOf(image);
}

void BvLevelManager::HoldOnDemandTextures() {
  if (m_OnDemandHeld) return;
  m_OnDemandHeld = true;
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    if (image->IsTextureHeld() || NeedOf(*image) != BvTextureNeed::kOnDemand) continue;
    LoadImageTexture(*image);
  }
}

void BvLevelManager::ReleaseOnDemandTextures() {
  if (!m_OnDemandHeld) return;
  m_OnDemandHeld = false;
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    if (!image->IsTextureHeld() || NeedOf(*image) != BvTextureNeed::kOnDemand) continue;
    image->SetTextureHeld(false);
    if (g_TextureManager) g_TextureManager->Release(image->GetName());
  }
}
