#pragma once
// Little-endian field coding for the fixed-layout files ("config.dat",
// "savegame.sav", "data/layouts.bin"): each field is read and written byte
// by byte, so the layout never depends on the compiler's struct packing.
#include <cstdint>

namespace bv {

inline void PutU16(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}
inline void PutI16(uint8_t* at, int16_t v) { PutU16(at, static_cast<uint16_t>(v)); }

inline void PutU32(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
  at[2] = static_cast<uint8_t>(v >> 16);
  at[3] = static_cast<uint8_t>(v >> 24);
}
inline void PutI32(uint8_t* at, int32_t v) { PutU32(at, static_cast<uint32_t>(v)); }

inline uint16_t GetU16(const uint8_t* at) {
  return static_cast<uint16_t>(uint16_t(at[0]) | uint16_t(at[1]) << 8);
}
inline int16_t GetI16(const uint8_t* at) { return static_cast<int16_t>(GetU16(at)); }

inline uint32_t GetU32(const uint8_t* at) {
  return uint32_t(at[0]) | uint32_t(at[1]) << 8 | uint32_t(at[2]) << 16 | uint32_t(at[3]) << 24;
}
inline int32_t GetI32(const uint8_t* at) { return static_cast<int32_t>(GetU32(at)); }

}  // namespace bv
