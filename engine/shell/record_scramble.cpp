#include "engine/shell/record_scramble.h"

namespace {

constexpr size_t kKeySize = 4;
constexpr uint8_t kKey[kKeySize] = {0x5B, 0xC7, 0x2E, 0x91};

}  // namespace

void ScrambleRecord(const uint8_t* source, uint8_t* destination) {
  for (size_t i = 0; i < bv::kScrambledRecordSize; ++i) {
    destination[i] = static_cast<uint8_t>(source[i] ^ kKey[i % kKeySize]);
  }
}
