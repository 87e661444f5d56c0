#include "engine/sound/sound_manager.h"

#include <algorithm>

#include "engine/sound/sfml_sound_backend.h"

BvSoundManager* g_SoundManager = nullptr;

BvSoundManager::BvSoundManager() : m_Backend(bv::CreateDefaultSoundBackend()) {}

BvSoundManager::BvSoundManager(std::unique_ptr<bv::SoundBackend> backend)
    : m_Backend(std::move(backend)) {}

BvSoundManager::~BvSoundManager() {
  // Every sound goes before the backend that made it.
  Clear();
  m_Backend.reset();
}

BvSoundEntry* BvSoundManager::Find(const char* name) {
  if (name == nullptr) return nullptr;
  auto it = m_Sounds.find(name);
  return it != m_Sounds.end() ? &it->second : nullptr;
}

const BvSoundEntry* BvSoundManager::Find(const char* name) const {
  if (name == nullptr) return nullptr;
  auto it = m_Sounds.find(name);
  return it != m_Sounds.end() ? &it->second : nullptr;
}

bool BvSoundManager::HasSound(const char* name) const {
  return IsDeviceOpen() && Find(name) != nullptr;
}

void BvSoundManager::LoadSound(const char* file, const char* name, int kind, int count) {
  if (file == nullptr || name == nullptr || HasSound(name)) return;
  count = std::min(count, kSoundMaxCopies);
  if (!IsDeviceOpen()) return;

  BvSoundEntry entry;
  if (kind == kSoundKindPool) {
    // A count below 1 would leave nothing to play: one copy then.
    count = std::max(count, 1);
    for (int i = 0; i < count; ++i) {
      entry.copies[i] = m_Backend->OpenStream(file, false);
      if (!entry.copies[i]) return;
    }
  } else if (kind == kSoundKindEffect) {
    entry.effect = m_Backend->OpenEffect(file, count > 1);
    if (!entry.effect) return;
  } else {
    entry.stream = m_Backend->OpenStream(file, true);
    if (!entry.stream) return;
  }
  entry.volume = 1.0f;
  entry.index = 0;
  entry.playing = false;
  entry.count = static_cast<short>(kind == kSoundKindPool ? count : 0);
  entry.kind = static_cast<short>(kind);
  m_Sounds.emplace(name, std::move(entry));
}

void BvSoundManager::PlaySound(const char* name, bool repeat, float volume) {
  if (!IsDeviceOpen()) return;
  BvSoundEntry* entry = Find(name);
  if (entry == nullptr) return;
  if (volume >= 0.0f) entry->volume = volume;

  if (entry->kind == kSoundKindEffect) {
    entry->effect->SetVolume(entry->volume * m_EffectsVolume);
    entry->effect->Play();
  } else if (entry->kind == kSoundKindPool) {
    entry->index = static_cast<short>((entry->index + 1) % entry->count);
    bv::SoundStream* copy = entry->copies[entry->index].get();
    if (copy != nullptr) {
      copy->SetVolume(entry->volume * m_EffectsVolume);
      copy->Play();
      entry->playing = true;
    }
  } else {
    entry->stream->SetRepeat(repeat);
    entry->stream->SetVolume(entry->volume * m_MusicVolume);
    entry->stream->Play();
    entry->playing = true;
  }
}

void BvSoundManager::StopSound(const char* name) {
  BvSoundEntry* entry = Find(name);
  if (entry == nullptr) return;
  if (entry->kind == kSoundKindPool) {
    if (entry->copies[entry->index]) entry->copies[entry->index]->Stop();
  } else if (entry->kind != kSoundKindEffect) {
    entry->stream->Stop();
  }
  entry->playing = false;
}

bool BvSoundManager::IsSoundPlaying(const char* name) const {
  if (!IsDeviceOpen()) return false;
  const BvSoundEntry* entry = Find(name);
  return entry != nullptr && entry->playing;
}

float BvSoundManager::GetSoundVolume(const char* name) const {
  const BvSoundEntry* entry = Find(name);
  return entry != nullptr ? entry->volume : 0.0f;
}

void BvSoundManager::SetSoundVolume(const char* name, float volume) {
  BvSoundEntry* entry = Find(name);
  if (entry == nullptr) return;
  if (entry->kind == kSoundKindEffect) {
    entry->effect->SetVolume(volume * m_EffectsVolume);
  } else if (entry->kind == kSoundKindPool) {
    if (entry->copies[entry->index]) entry->copies[entry->index]->SetVolume(volume * m_EffectsVolume);
  } else {
    entry->stream->SetVolume(volume * m_MusicVolume);
  }
  entry->volume = volume;
}

void BvSoundManager::SetMusicVolume(float volume) {
  m_MusicVolume = volume;
  for (auto& [name, entry] : m_Sounds) {
    if (entry.kind != kSoundKindPool && entry.kind != kSoundKindEffect) {
      SetSoundVolume(name.c_str(), entry.volume);
    }
  }
}

void BvSoundManager::SetEffectsVolume(float volume) {
  m_EffectsVolume = volume;
  for (auto& [name, entry] : m_Sounds) {
    if (entry.kind == kSoundKindPool || entry.kind == kSoundKindEffect) {
      SetSoundVolume(name.c_str(), entry.volume);
    }
  }
}

void BvSoundManager::Clear() { m_Sounds.clear(); }

void BvSoundManager::RemoveSound(const char* name) {
  if (name != nullptr) m_Sounds.erase(name);
}
