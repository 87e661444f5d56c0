#pragma once
// A volume control that records every change.
#include <string>
#include <vector>

#include "engine/shell/volume_control.h"

namespace bv {
namespace test {

class FakeVolumes : public VolumeControl {
 public:
  float GetEffectsVolume() const override { return effects; }
  float GetMusicVolume() const override { return music; }
  void SetEffectsVolume(float volume) override {
    effects = volume;
    log.push_back("effects " + std::to_string(volume));
  }
  void SetMusicVolume(float volume) override {
    music = volume;
    log.push_back("music " + std::to_string(volume));
  }

  float effects = 1.0f;
  float music = 1.0f;
  std::vector<std::string> log;
};

}  // namespace test
}  // namespace bv
