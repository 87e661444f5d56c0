#include "game/scenes/scene.h"

#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/gui_results.h"

namespace {
constexpr const char* kClickSound = "guiclick";
constexpr float kClickVolume = 0.5f;
// Volume every screen's music starts at.
constexpr float kMusicVolume = 0.1f;
// A screen opens on black and is uncovered at 200 alpha units a second.
constexpr uint32_t kOpaqueBlack = 0xFF000000;
constexpr uint32_t kClearBlack = 0x00000000;
constexpr float kOpeningFadeSpeed = 200.0f;
}  // namespace

BvScene::BvScene() = default;
BvScene::~BvScene() = default;

bool BvScene::Load() {
  m_Done = false;
  m_Result = 0;
  m_Elapsed = 0.0f;
  m_Previous = 0.0f;
  return true;
}

bool BvScene::LoadSceneFile(const char* file) {
  BvScene::Load();
  BvLevelManager* levels = GetLevelManager();
  if (!levels || !levels->LoadScene(file)) return false;
  levels->LoadLevel(0, file, true);
  return true;
}

void BvScene::Update(float ms) {
  m_Previous = m_Elapsed;
  m_Elapsed += ms;
  if (!m_TipPending) return;
  m_TipDelay -= ms;
  if (m_TipDelay > 0.0f) return;
  m_TipDelay = 0.0f;
  m_TipPending = false;
  BvGame* game = GetGame();
  if (!game) return;
  game->ShowGui(kGuiTutorial, kGuiModeFrozen, m_TipBit);
  // Recorded as seen even when another GUI refused the request.
  if (BvProfile* profile = game->GetCurrentProfile()) profile->seenTips |= uint32_t(m_TipBit);
}

void BvScene::Render(float) {}
void BvScene::OnEvent(int) {}
void BvScene::RequestClose() { m_Done = true; }

bool BvScene::IsMouseOver(const char* name) {
  BvLevelManager* levels = GetLevelManager();
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  if (!level) return false;
  auto* element = static_cast<BvLevelElement*>(level->GetObjectByName(name));
  if (!element) return false;
  return element->HitTest(levels->GetMouseWorldPosition(0));
}

bool BvScene::IsMouseDownOver(const char* name) {
  return g_System && g_System->leftDown && IsMouseOver(name);
}

bool BvScene::IsButtonClicked(const char* name, bool playSound) {
  if (!IsMouseDownOver(name)) return false;
  if (playSound) PlayEffect(kClickSound, false, kClickVolume);
  if (BvGame* game = GetGame()) game->WasLeftClicked();
  return true;
}

// A frame that ends exactly on t counts as crossing it. This is deliberate:
// with both bounds strict, a frame ending on t misses it and so does the
// next one (it starts at t), so with a frame step that divides t (20 ms, a
// steady 50 fps) the moment is never seen and a screen timed by it never
// sets up its level and buttons. Code that branches on elapsed beside a
// HasPassed(t) must use the same boundary (elapsed >= t).
bool BvScene::HasPassed(float t) const { return m_Previous < t && m_Elapsed >= t; }

void BvScene::ScheduleTip(int bit, float delayMs) {
  if (m_TipPending) return;
  BvGame* game = GetGame();
  const BvProfile* profile = game ? game->GetCurrentProfile() : nullptr;
  if (!profile || profile->showHints == 0) return;
  if ((uint32_t(bit) & ~profile->seenTips) == 0) return;
  m_TipPending = true;
  m_TipDelay = delayMs;
  m_TipBit = bit;
}

void BvScene::OpenFromBlack() {
  BvGame* game = GetGame();
  if (!game) return;
  game->SetClearColour(irr::video::SColor(kOpaqueBlack));
  game->StartFade(irr::video::SColor(kClearBlack), kOpeningFadeSpeed);
}

bool BvScene::UncoverStep(float ms) {
  BvGame* game = GetGame();
  return !game || !game->FadeFromColour(ms);
}

bool BvScene::CoverStep(float ms) {
  BvGame* game = GetGame();
  if (game && game->FadeToColour(ms)) return false;
  RequestClose();
  return true;
}

bool BvScene::IsDialogOver() const {
  const BvGame* game = GetGame();
  const int mode = game ? game->GetGuiMode() : kGuiModeNone;
  return mode == kGuiModeFrozen || mode == kGuiModeRunning;
}

bool BvScene::HandlePauseResult(int code, int leavingState) {
  switch (code) {
    case kGuiResultQuit:
      m_Result = kResultQuit;
      m_State = leavingState;
      return true;
    case kGuiResultMainMenu:
      m_Result = kResultTitle;
      m_State = leavingState;
      return true;
    case kGuiResultOptions:
      if (BvGame* game = GetGame()) game->ShowGui(kGuiOptions, kGuiModeFrozen, 0);
      return true;
    default:
      return false;
  }
}

void BvScene::StartMusic(const char* name) {
  if (!g_SoundManager || g_SoundManager->IsSoundPlaying(name)) return;
  StopMusic();
  PlayMusic(name, kMusicVolume);
}

BvLevelManager* BvScene::GetLevelManager() const {
  return g_Game ? g_Game->GetCurrentLevels() : nullptr;
}

BvGame* BvScene::GetGame() const { return g_Game; }
