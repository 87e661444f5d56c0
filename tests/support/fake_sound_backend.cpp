#include "support/fake_sound_backend.h"

#include <cstdio>

#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"

namespace bv {
namespace {

std::string VolumeLine(int number, float volume) {
  char text[64];
  std::snprintf(text, sizeof text, "volume %d %.2f", number, volume);
  return text;
}

class FakeStream : public SoundStream {
 public:
  FakeStream(std::shared_ptr<FakeSoundState> state, int number,
             std::shared_ptr<std::vector<std::string>> log)
      : m_State(std::move(state)), m_Number(number), m_Log(std::move(log)) {}
  ~FakeStream() override { m_State->released = true; }
  void Play() override {
    m_State->playing = true;
    ++m_State->plays;
    m_Log->push_back("play " + std::to_string(m_Number));
  }
  void Stop() override {
    m_State->playing = false;
    ++m_State->stops;
    m_Log->push_back("stop " + std::to_string(m_Number));
  }
  void SetRepeat(bool repeat) override { m_State->repeat = repeat; }
  void SetVolume(float volume) override {
    m_State->volume = volume;
    m_Log->push_back(VolumeLine(m_Number, volume));
  }
  bool IsPlaying() const override { return m_State->playing; }

 private:
  std::shared_ptr<FakeSoundState> m_State;
  int m_Number;
  std::shared_ptr<std::vector<std::string>> m_Log;
};

class FakeEffect : public SoundEffect {
 public:
  FakeEffect(std::shared_ptr<FakeSoundState> state, int number,
             std::shared_ptr<std::vector<std::string>> log)
      : m_State(std::move(state)), m_Number(number), m_Log(std::move(log)) {}
  ~FakeEffect() override { m_State->released = true; }
  void Play() override {
    ++m_State->plays;
    m_Log->push_back("play " + std::to_string(m_Number));
  }
  void Stop() override {
    ++m_State->stops;
    m_Log->push_back("stop " + std::to_string(m_Number));
  }
  void SetVolume(float volume) override {
    m_State->volume = volume;
    m_Log->push_back(VolumeLine(m_Number, volume));
  }

 private:
  std::shared_ptr<FakeSoundState> m_State;
  int m_Number;
  std::shared_ptr<std::vector<std::string>> m_Log;
};

}  // namespace

std::unique_ptr<SoundStream> FakeSoundBackend::OpenStream(const std::string& path, bool streamed) {
  if (failing.count(path) != 0) return nullptr;
  auto state = std::make_shared<FakeSoundState>();
  state->path = path;
  state->streamed = streamed;
  opened.push_back(state);
  return std::make_unique<FakeStream>(state, static_cast<int>(opened.size()) - 1, log);
}

std::unique_ptr<SoundEffect> FakeSoundBackend::OpenEffect(const std::string& path, bool multiple) {
  if (failing.count(path) != 0) return nullptr;
  auto state = std::make_shared<FakeSoundState>();
  state->path = path;
  state->effect = true;
  state->multiple = multiple;
  opened.push_back(state);
  return std::make_unique<FakeEffect>(state, static_cast<int>(opened.size()) - 1, log);
}

std::vector<int> FakeSoundBackend::OpenedOn(const std::string& path) const {
  std::vector<int> numbers;
  for (size_t i = 0; i < opened.size(); ++i) {
    if (opened[i]->path == path) numbers.push_back(static_cast<int>(i));
  }
  return numbers;
}

FakeSoundBackend* InstallFakeSoundManager(BvSystem& system) {
  auto backend = std::make_unique<FakeSoundBackend>();
  FakeSoundBackend* fake = backend.get();
  system.volumes = nullptr;
  delete g_SoundManager;
  g_SoundManager = new BvSoundManager(std::move(backend));
  system.volumes = g_SoundManager;
  return fake;
}

}  // namespace bv
