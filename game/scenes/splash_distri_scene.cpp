#include "game/scenes/splash_distri_scene.h"

#include "game/core/game.h"

namespace {
constexpr const char* kFile = "splashdistri.xml";
// Milliseconds the page holds before the cover starts.
constexpr float kHoldMs = 3000.0f;
// Fade speed, alpha units per second.
constexpr float kFadeSpeed = 200.0f;
const irr::video::SColor kWhite(0xffffffff);
const irr::video::SColor kBlack(0x00000000);
}  // namespace

bool BvSplashDistriScene::Load() { return LoadSceneFile(kFile); }

void BvSplashDistriScene::Init(intptr_t) {
  BvGame* game = GetGame();
  if (!game) return;
  game->SetClearColour(kWhite);
  game->StartFade(kBlack, kFadeSpeed);
}

void BvSplashDistriScene::Update(float ms) {
  BvScene::Update(ms);
  BvGame* game = GetGame();
  if (!game) return;
  if (m_Elapsed > kHoldMs) {
    if (!game->FadeToColour(ms)) RequestClose();
  } else {
    game->FadeFromColour(ms);
  }
}
