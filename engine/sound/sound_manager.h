#pragma once
// All music and sound effects, played by name. The game registers its sounds
// once from its sound table; two master volumes scale them (music: streamed
// sounds; effects: every other kind). Without an audio device every
// operation does nothing or answers false/0.
#include <map>
#include <memory>
#include <string>

#include "engine/shell/volume_control.h"
#include "engine/sound/sound_backend.h"

// Sound kinds given to LoadSound; any kind other than pool and effect is a
// stream (the game uses 2 for music).
constexpr int kSoundKindPool = 1;
constexpr int kSoundKindStream = 2;
constexpr int kSoundKindEffect = 3;
// Most copies a pool holds (and the count cap of LoadSound).
constexpr int kSoundMaxCopies = 5;

// One registered sound. Exactly one of copies, effect and stream is set,
// according to the kind.
struct BvSoundEntry {
  std::unique_ptr<bv::SoundStream> copies[kSoundMaxCopies];
  std::unique_ptr<bv::SoundEffect> effect;
  std::unique_ptr<bv::SoundStream> stream;
  // The sound's own volume, 0..1, scaled by the master volume of its kind.
  float volume = 1.0f;
  // Set by PlaySound on a stream or pool copy, cleared by StopSound; not
  // cleared when the sound ends by itself, never set for effects.
  bool playing = false;
  // Pool: the copy played last.
  short index = 0;
  // Pool: number of copies.
  short count = 0;
  short kind = 0;
};

// Also the shell's volume control (start-up volumes, muting on focus loss).
class BvSoundManager : public bv::VolumeControl {
 public:
  // Opens the default audio device (SFML over OpenAL). When no device can be
  // opened the manager stays usable and silent.
  BvSoundManager();
  // Over the given backend; null means no device.
  explicit BvSoundManager(std::unique_ptr<bv::SoundBackend> backend);
  ~BvSoundManager() override;
  BvSoundManager(const BvSoundManager&) = delete;
  BvSoundManager& operator=(const BvSoundManager&) = delete;

  bool IsDeviceOpen() const { return m_Backend != nullptr; }

  // Registers a sound from a file under "data/sounds/" (opened from the
  // folder). The first registration of a name wins; count is capped at 5
  // (a pool's count below 1 counts as 1); a file that fails to open leaves
  // the name unregistered, silently.
  void LoadSound(const char* file, const char* name, int kind, int count);
  // Plays a registered sound, ignoring the music and sound switches. A
  // volume >= 0 becomes the sound's own volume; a negative one keeps it.
  // Repeat applies to streams only.
  void PlaySound(const char* name, bool repeat, float volume);
  // Stream: pauses it; pool: pauses the current copy; effect: nothing. The
  // playing flag is cleared in every case.
  void StopSound(const char* name);
  bool HasSound(const char* name) const;
  bool IsSoundPlaying(const char* name) const;
  // The sound's own volume; 0 for an unregistered name.
  float GetSoundVolume(const char* name) const;
  // Sets the sound's own volume and its output to volume x master volume.
  void SetSoundVolume(const char* name, float volume);
  // Master volumes, 0..1; each reapplies every sound of its kinds.
  void SetMusicVolume(float volume) override;
  void SetEffectsVolume(float volume) override;
  float GetMusicVolume() const override { return m_MusicVolume; }
  float GetEffectsVolume() const override { return m_EffectsVolume; }
  // The name last given to PlayMusic ("" at start).
  const std::string& GetCurrentMusic() const { return m_CurrentMusic; }
  void SetCurrentMusic(const char* name) { m_CurrentMusic = name != nullptr ? name : ""; }
  // Erases every entry (or one), releasing its sounds.
  void Clear();
  void RemoveSound(const char* name);

 private:
  BvSoundEntry* Find(const char* name);
  const BvSoundEntry* Find(const char* name) const;

  std::unique_ptr<bv::SoundBackend> m_Backend;
  std::map<std::string, BvSoundEntry> m_Sounds;
  std::string m_CurrentMusic;
  float m_EffectsVolume = 1.0f;
  float m_MusicVolume = 1.0f;
};

// The one sound manager, created and deleted by the system object.
extern BvSoundManager* g_SoundManager;
