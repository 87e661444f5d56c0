// BvLevelManager's textures held on demand: the images a screen picks get
// their textures only while something shows them.
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"
#include "engine/resources/render_savings.h"
#include "engine/resources/texture_functions.h"
#include "engine/resources/texture_manager.h"

void BvLevelManager::SetOnDemandImages(bool (*isOnDemand)(const BvImage& image)) {
  m_IsOnDemand = isOnDemand;
}

bool BvLevelManager::IsHeldOnDemand(const BvImage& image) const {
  return m_IsOnDemand && bv::RenderSavingsOn() && m_IsOnDemand(image);
}

void BvLevelManager::HoldOnDemandTextures() {
  if (m_OnDemandHeld) return;
  m_OnDemandHeld = true;
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    if (image->IsTextureHeld()) continue;
    image->SetTextureHeld(true);
    LoadTexture(image->GetFileName(), image->GetName(), image->GetColorKey());
  }
}

void BvLevelManager::ReleaseOnDemandTextures() {
  if (!m_OnDemandHeld) return;
  m_OnDemandHeld = false;
  for (const auto& entry : m_Images->GetIdIndex()) {
    BvImage* image = static_cast<BvImage*>(entry.second);
    if (!image->IsTextureHeld() || !IsHeldOnDemand(*image)) continue;
    image->SetTextureHeld(false);
    if (g_TextureManager) g_TextureManager->Release(image->GetName());
  }
}
