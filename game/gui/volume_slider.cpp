#include "game/gui/volume_slider.h"

#include <algorithm>

namespace bv {
namespace {
constexpr int kTravel = 160;
constexpr int kHalfTravel = 80;
constexpr float kFullVolume = 100.0f;
}  // namespace

int SliderXForVolume(int volume) { return volume * kTravel / 100 - kHalfTravel; }

float ClampSliderX(float x) { return std::clamp(x, -kSliderHalfTravel, kSliderHalfTravel); }

float VolumeForSliderX(float x) {
  const int p = std::max(0, static_cast<int>(x + kSliderHalfTravel));
  return std::min(kFullVolume, float(p) * kFullVolume / float(kTravel));
}

}  // namespace bv
