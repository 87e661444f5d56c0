#include "game/scenes/hidden_end_show.h"

#include "engine/sound/sound_functions.h"
#include "game/board/level_complete_banner.h"

namespace {
constexpr float kMusicDuringShow = 1.0f / 3.0f;
constexpr const char* kEndSound = "endgame";
constexpr float kEndSoundVolume = 0.5f;
constexpr int kBannerLayer = 5;
}  // namespace

bool BvHiddenEndShow::Update(float ms, BvLevelManager* levels) {
  m_Timer += ms;
  if (m_Phase == kIdle) m_Phase = kWaiting;
  if (m_Phase == kWaiting && m_Timer > kBannerAtMs) {
    m_Phase = kShowing;
    m_SavedVolume = GetCurrentMusicVolume();
    SetCurrentMusicVolume(m_SavedVolume * kMusicDuringShow);
    PlayEffect(kEndSound, false, kEndSoundVolume);
    CreateLevelCompleteBanner(levels, kBannerLayer);
  }
  if (m_Phase == kShowing && m_Timer > kEndAtMs) {
    SetCurrentMusicVolume(m_SavedVolume);
    *this = BvHiddenEndShow{};
    return true;
  }
  return false;
}

void BvHiddenEndShow::Reset() {
  if (m_Phase == kShowing) SetCurrentMusicVolume(m_SavedVolume);
  *this = BvHiddenEndShow{};
}
