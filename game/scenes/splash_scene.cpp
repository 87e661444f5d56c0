#include "game/scenes/splash_scene.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"

namespace {
constexpr const char* kFile = "splash.xml";
constexpr const char* kLogo = "logo";
constexpr const char* kJingle = "intro";
constexpr float kJingleVolume = 0.4f;
// Milliseconds the logo holds before the cover starts.
constexpr float kHoldMs = 5000.0f;
// Fade speed, alpha units per second.
constexpr float kFadeSpeed = 200.0f;
const irr::core::vector2df kLogoPosition(0.0f, 50.0f);
const irr::video::SColor kWhite(0xffffffff);
const irr::video::SColor kFromWhite(0x00ffffff);
const irr::video::SColor kToBlack(0x00000000);
}  // namespace

bool BvSplashScene::Load() { return LoadSceneFile(kFile); }

void BvSplashScene::Init(intptr_t) {
  BvGame* game = GetGame();
  if (!game) return;
  game->SetClearColour(kWhite);
  game->StartFade(kFromWhite, kFadeSpeed);
  BvLevelManager* levels = GetLevelManager();
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (level) {
    if (auto* logo = static_cast<BvLevelElement*>(level->FindObjectByName(kLogo)))
      logo->SetPosition(kLogoPosition);
  }
  if (g_SoundManager) g_SoundManager->PlaySound(kJingle, false, kJingleVolume);
}

void BvSplashScene::Update(float ms) {
  BvScene::Update(ms);
  BvGame* game = GetGame();
  if (!game) return;
  if (HasPassed(kHoldMs)) game->StartFade(kToBlack, kFadeSpeed);
  // The same boundary as HasPassed: the frame that starts the cover also
  // covers, or the fresh fade would be drawn once as full black.
  if (m_Elapsed >= kHoldMs) {
    if (!game->FadeToColour(ms)) RequestClose();
  } else {
    game->FadeFromColour(ms);
  }
}
