#pragma once
// A sound backend for tests: opens nothing, records what the manager asks.
// Every opened stream or effect gets a number in order of opening; the log
// holds lines such as "play 2" or "volume 1 0.40".
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/sound/sound_backend.h"

class BvSystem;

namespace bv {

struct FakeSoundState {
  std::string path;
  bool streamed = false;  // streams: read as played (music)
  bool effect = false;
  bool multiple = false;  // effects: overlapping voices
  bool playing = false;
  bool repeat = false;
  float volume = 1.0f;
  int plays = 0;
  int stops = 0;
  bool released = false;  // the manager deleted it
};

class FakeSoundBackend : public SoundBackend {
 public:
  std::unique_ptr<SoundStream> OpenStream(const std::string& path, bool streamed) override;
  std::unique_ptr<SoundEffect> OpenEffect(const std::string& path, bool multiple) override;

  // Files whose opening fails.
  std::set<std::string> failing;
  // One record per opened object, in order of opening (kept after release).
  std::vector<std::shared_ptr<FakeSoundState>> opened;
  std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();

  FakeSoundState& At(size_t index) { return *opened.at(index); }
  // Numbers of the objects opened on a path, in order.
  std::vector<int> OpenedOn(const std::string& path) const;
};

// Replaces g_SoundManager with a manager over a new fake backend, wired to
// the system object's volumes; returns the backend (the manager owns it).
FakeSoundBackend* InstallFakeSoundManager(BvSystem& system);

}  // namespace bv
