#include "engine/resources/color_math.h"

#include <cmath>

namespace bv {

float ChannelToUnit(uint32_t channel) { return static_cast<float>(channel & 0xFFu) / 255.0f; }

uint32_t UnitToChannel(float value) {
  if (!std::isfinite(value)) return 0;
  float scaled = value * 255.0f;
  if (scaled <= 0.0f) return 0;
  if (scaled >= 255.0f) return 255;
  return static_cast<uint32_t>(scaled);
}

uint32_t InterpolateColor(uint32_t from, uint32_t to, float progress) {
  uint32_t result = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    float a = ChannelToUnit(from >> shift);
    float b = ChannelToUnit(to >> shift);
    // Weighted form: exactly from at 0 and exactly to at 1.
    result |= UnitToChannel(a * (1.0f - progress) + b * progress) << shift;
  }
  return result;
}

uint32_t OpaqueColorFromUnit(float r, float g, float b) {
  return 0xFF000000u | (UnitToChannel(r) << 16) | (UnitToChannel(g) << 8) | UnitToChannel(b);
}

}  // namespace bv
