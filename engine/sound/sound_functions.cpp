#include "engine/sound/sound_functions.h"

#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"

bool IsSoundOn() { return g_System != nullptr && g_System->config.soundOn != 0; }

bool IsMusicOn() { return g_System != nullptr && g_System->config.musicOn != 0; }

void PlayEffect(const char* name, bool repeat, float volume) {
  if (g_SoundManager != nullptr && IsSoundOn()) g_SoundManager->PlaySound(name, repeat, volume);
}

void StopEffect(const char* name) {
  if (g_SoundManager != nullptr && g_SoundManager->IsSoundPlaying(name)) {
    g_SoundManager->StopSound(name);
  }
}

void PlayMusic(const char* name, float volume) {
  if (g_SoundManager == nullptr || name == nullptr) return;
  if (volume >= 0.0f) g_SoundManager->SetSoundVolume(name, volume);
  g_SoundManager->SetCurrentMusic(name);
  if (IsMusicOn() && !g_SoundManager->IsSoundPlaying(name)) {
    g_SoundManager->PlaySound(name, true, -1.0f);
  }
}

void StopMusic() {
  if (g_SoundManager == nullptr) return;
  const std::string name = g_SoundManager->GetCurrentMusic();
  if (g_SoundManager->IsSoundPlaying(name.c_str())) g_SoundManager->StopSound(name.c_str());
}

float GetCurrentMusicVolume() {
  if (g_SoundManager == nullptr) return 0.0f;
  return g_SoundManager->GetSoundVolume(g_SoundManager->GetCurrentMusic().c_str());
}

void SetCurrentMusicVolume(float volume) {
  if (g_SoundManager == nullptr) return;
  g_SoundManager->SetSoundVolume(g_SoundManager->GetCurrentMusic().c_str(), volume);
}
