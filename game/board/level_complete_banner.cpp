#include "game/board/level_complete_banner.h"

#include <cstdint>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"
#include "game/board/board_placement.h"

namespace {
constexpr const char* kBannerElement = "levelcomplete";
constexpr float kBannerStartScale = 0.05f;
constexpr float kBannerFadeSpeed = 10.0f;
constexpr float kBannerZoomSpeed = 10.0f;
constexpr int kZoomElastic = 2;
constexpr int kZoomSmooth = 0;
constexpr float kBannerHoldMs = 500.0f;
constexpr float kBannerOutZoom = 5.0f;
constexpr float kBannerOutZoomSpeed = 20.0f;
constexpr float kBannerOutFadeSpeed = 8.0f;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kClearWhite = 0x00FFFFFFu;
const irr::core::vector2df kScreenCentre(0.0f, 0.0f);
}  // namespace

BvLevelElement* CreateLevelCompleteBanner(BvLevelManager* manager, int layer) {
  BvLevelElement* banner = CreateImageElement(manager, kScreenCentre, kBannerElement, -1.0f);
  if (!banner) return nullptr;
  banner->SetLayer(layer);
  banner->SetScale(kBannerStartScale, kBannerStartScale);
  banner->AddBehavior(new BvColorFadeBehavior(kClearWhite, kOpaqueWhite, kBannerFadeSpeed, 0.0f, false));
  banner->AddBehavior(new BvZoomToBehavior(1.0f, kBannerZoomSpeed, kZoomElastic));
  banner->AddBehavior(new BvWaitBehavior(kBannerHoldMs));
  banner->AddBehavior(new BvZoomToBehavior(kBannerOutZoom, kBannerOutZoomSpeed, kZoomSmooth));
  banner->AddBehavior(new BvFadeOutBehavior(kBannerOutFadeSpeed, 0.0f, true, false));
  return banner;
}
