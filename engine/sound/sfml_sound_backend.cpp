#include "engine/sound/sfml_sound_backend.h"

#include <AL/alc.h>
#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Music.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/System/Err.hpp>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>


namespace bv {
namespace {

// Most voices a multiple effect plays at once.
constexpr size_t kMaxEffectVoices = 4;
// SFML volumes run 0..100.
constexpr float kSfmlFullVolume = 100.0f;

// 0..1 to SFML's scale; a value that is not a number is silence (the audio
// library refuses a NaN gain with an error line each time).
float ToSfmlVolume(float volume) {
  if (!(volume > 0.0f)) return 0.0f;
  return std::min(volume, 1.0f) * kSfmlFullVolume;
}

// Keeps SFML's error stream quiet while a file is opened: a file that fails
// to open is an absent sound, not a message.
class QuietSfmlErrors {
 public:
  QuietSfmlErrors() : m_Saved(sf::err().rdbuf(nullptr)) {}
  ~QuietSfmlErrors() { sf::err().rdbuf(m_Saved); }

 private:
  std::streambuf* m_Saved;
};

// The samples of one file, decoded when a sound first plays them: opening a
// sound reads only the file's header (so a missing or unreadable file still
// fails at once), and start-up does not wait for decoding it never needed.
class LazyBuffer {
 public:
  explicit LazyBuffer(std::string path) : m_Path(std::move(path)) {}
  // The decoded samples; null when they can't be read.
  const sf::SoundBuffer* Get() {
    if (!m_Tried) {
      m_Tried = true;
      QuietSfmlErrors quiet;
      m_Loaded = m_Buffer.loadFromFile(m_Path);
    }
    return m_Loaded ? &m_Buffer : nullptr;
  }

 private:
  std::string m_Path;
  sf::SoundBuffer m_Buffer;
  bool m_Tried = false;
  bool m_Loaded = false;
};

// Gives the source its samples before its first play; false when they
// can't be read (the sound then stays silent).
bool Attach(sf::Sound& sound, LazyBuffer& samples) {
  const sf::SoundBuffer* buffer = samples.Get();
  if (buffer == nullptr) return false;
  if (sound.getBuffer() != buffer) sound.setBuffer(*buffer);
  return true;
}

// Play and Stop with the backend's stream rules over an SFML source (Music
// or Sound, which share the status/play/pause/stop vocabulary).
template <typename Source>
void PlayKeepingPosition(Source& source) {
  switch (source.getStatus()) {
    case sf::SoundSource::Playing:
      return;
    case sf::SoundSource::Paused:
      source.play();  // resumes where Stop left it
      return;
    case sf::SoundSource::Stopped:
      source.stop();  // played to its end (or never played): from the start
      source.play();
      return;
  }
}

template <typename Source>
void PauseIfPlaying(Source& source) {
  if (source.getStatus() == sf::SoundSource::Playing) source.pause();
}

// A streamed file. Only its header is read when it opens; its decoder (a
// second of samples and the codec's tables) is made at its first play: of
// the game's musics, one plays at a time and most screens never play the
// rest.
class MusicStream : public SoundStream {
 public:
  bool Open(const std::string& path) {
    sf::InputSoundFile header;
    if (!header.openFromFile(path)) return false;
    m_Path = path;
    return true;
  }
  void Play() override {
    if (sf::Music* music = Music(m_Path)) PlayKeepingPosition(*music);
  }
  void Stop() override {
    if (m_Music) PauseIfPlaying(*m_Music);
  }
  void SetRepeat(bool repeat) override {
    m_Repeat = repeat;
    if (m_Music) m_Music->setLoop(repeat);
  }
  void SetVolume(float volume) override {
    m_Volume = ToSfmlVolume(volume);
    if (m_Music) m_Music->setVolume(m_Volume);
  }
  bool IsPlaying() const override {
    return m_Music && m_Music->getStatus() == sf::SoundSource::Playing;
  }

 private:
  // The open music, opened from path on the first call; null when it
  // cannot be.
  sf::Music* Music(const std::string& path) {
    if (m_Music || m_Failed) return m_Music.get();
    auto music = std::make_unique<sf::Music>();
    QuietSfmlErrors quiet;
    if (!music->openFromFile(path)) {
      m_Failed = true;
      return nullptr;
    }
    music->setLoop(m_Repeat);
    music->setVolume(m_Volume);
    m_Music = std::move(music);
    return m_Music.get();
  }

  std::string m_Path;
  std::unique_ptr<sf::Music> m_Music;
  bool m_Failed = false;
  bool m_Repeat = false;
  float m_Volume = kSfmlFullVolume;
};

class BufferStream : public SoundStream {
 public:
  explicit BufferStream(std::shared_ptr<LazyBuffer> buffer) : m_Buffer(std::move(buffer)) {}
  ~BufferStream() override { m_Sound.stop(); }
  void Play() override {
    if (Attach(m_Sound, *m_Buffer)) PlayKeepingPosition(m_Sound);
  }
  void Stop() override { PauseIfPlaying(m_Sound); }
  void SetRepeat(bool repeat) override { m_Sound.setLoop(repeat); }
  void SetVolume(float volume) override { m_Sound.setVolume(ToSfmlVolume(volume)); }
  bool IsPlaying() const override { return m_Sound.getStatus() == sf::SoundSource::Playing; }

 private:
  std::shared_ptr<LazyBuffer> m_Buffer;  // outlives the sound
  sf::Sound m_Sound;
};

class BufferEffect : public SoundEffect {
 public:
  BufferEffect(std::shared_ptr<LazyBuffer> buffer, bool multiple)
      : m_Buffer(std::move(buffer)), m_Multiple(multiple) {
    AddVoice();
  }
  ~BufferEffect() override { Stop(); }

  void Play() override {
    sf::Sound* voice = PickVoice();
    if (!Attach(*voice, *m_Buffer)) return;
    voice->stop();
    voice->setVolume(ToSfmlVolume(m_Volume));
    voice->play();
  }
  void Stop() override {
    for (auto& voice : m_Voices) voice->stop();
  }
  void SetVolume(float volume) override {
    m_Volume = volume;
    for (auto& voice : m_Voices) voice->setVolume(ToSfmlVolume(volume));
  }

 private:
  sf::Sound* AddVoice() {
    m_Voices.push_back(std::make_unique<sf::Sound>());
    m_Voices.back()->setVolume(ToSfmlVolume(m_Volume));
    return m_Voices.back().get();
  }
  // Single: the one voice (restarted). Multiple: a finished voice, a new one
  // below the cap, else the voice started longest ago.
  sf::Sound* PickVoice() {
    if (!m_Multiple) return m_Voices.front().get();
    for (auto& voice : m_Voices) {
      if (voice->getStatus() == sf::SoundSource::Stopped) return voice.get();
    }
    if (m_Voices.size() < kMaxEffectVoices) return AddVoice();
    m_Next = (m_Next + 1) % m_Voices.size();
    return m_Voices[m_Next].get();
  }

  std::shared_ptr<LazyBuffer> m_Buffer;  // outlives the voices
  bool m_Multiple;
  float m_Volume = 1.0f;
  size_t m_Next = 0;
  std::vector<std::unique_ptr<sf::Sound>> m_Voices;
};

class SfmlSoundBackend : public SoundBackend {
 public:
  std::unique_ptr<SoundStream> OpenStream(const std::string& path, bool streamed) override {
    if (streamed) {
      auto music = std::make_unique<MusicStream>();
      QuietSfmlErrors quiet;
      if (!music->Open(path)) return nullptr;
      return music;
    }
    std::shared_ptr<LazyBuffer> buffer = OpenBuffer(path);
    if (!buffer) return nullptr;
    return std::make_unique<BufferStream>(buffer);
  }

  std::unique_ptr<SoundEffect> OpenEffect(const std::string& path, bool multiple) override {
    std::shared_ptr<LazyBuffer> buffer = OpenBuffer(path);
    if (!buffer) return nullptr;
    return std::make_unique<BufferEffect>(buffer, multiple);
  }

 private:
  // Copies of one file share one buffer while any of them lives. A new one
  // is given only to a file whose header reads as sound.
  std::shared_ptr<LazyBuffer> OpenBuffer(const std::string& path) {
    std::shared_ptr<LazyBuffer> buffer = m_Buffers[path].lock();
    if (buffer) return buffer;
    {
      sf::InputSoundFile header;
      QuietSfmlErrors quiet;
      if (!header.openFromFile(path)) {
        m_Buffers.erase(path);
        return nullptr;
      }
    }
    buffer = std::make_shared<LazyBuffer>(path);
    m_Buffers[path] = buffer;
    return buffer;
  }

  std::map<std::string, std::weak_ptr<LazyBuffer>> m_Buffers;
};

}  // namespace

bool ProbeAudioDevice() {
  ALCdevice* device = alcOpenDevice(nullptr);
  if (device == nullptr) return false;
  alcCloseDevice(device);
  return true;
}

std::unique_ptr<SoundBackend> CreateDefaultSoundBackend() {
  if (!ProbeAudioDevice()) return nullptr;
  return std::make_unique<SfmlSoundBackend>();
}

}  // namespace bv
