#pragma once
// ARGB colour arithmetic on channels scaled to 0..1, converted back by
// truncation (not rounding).
#include <cstdint>

namespace bv {

// A channel 0..255 as 0..1.
float ChannelToUnit(uint32_t channel);
// 0..1 back to 0..255: value x 255 truncated toward zero, limited to 0..255
// (non-finite values give 0).
uint32_t UnitToChannel(float value);

// from + (to - from) x progress per channel (alpha, red, green, blue),
// computed as from x (1 - progress) + to x progress so both ends are exact.
uint32_t InterpolateColor(uint32_t from, uint32_t to, float progress);

// An opaque colour from three components 0..1.
uint32_t OpaqueColorFromUnit(float r, float g, float b);

}  // namespace bv
