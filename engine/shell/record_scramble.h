#pragma once
// Scrambling of a save record with a key of four bytes; applying it twice
// gives the record back. The save file itself is written plain.
#include <cstddef>
#include <cstdint>

namespace bv {
// Bytes in a save record.
constexpr size_t kScrambledRecordSize = 844;
}  // namespace bv

// Writes kScrambledRecordSize bytes to destination: each byte of source
// XOR the key byte of its position modulo 4. Source and destination may be
// the same buffer.
void ScrambleRecord(const uint8_t* source, uint8_t* destination);
