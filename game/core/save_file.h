#pragma once
// "savegame.sav": the player store's 844-byte image, little-endian, no
// header. Read and written field by field, never as a raw struct.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "engine/platform/kept_file.h"

struct BvPlayerStore;

namespace bv {

constexpr size_t kSaveProfileOffset = 4;    // profile i at 4 + 120 x i
constexpr size_t kSaveProfileSize = 120;
constexpr size_t kSaveHiscoreOffset = 484;  // entry j at 484 + 36 x j
constexpr size_t kSaveHiscoreSize = 36;
constexpr size_t kSaveFileSize = 844;

using SaveImage = std::array<uint8_t, kSaveFileSize>;

// The store as file bytes (padding written as zero).
SaveImage EncodeSaveImage(const BvPlayerStore& store);

// Fills the store from exactly kSaveFileSize bytes, making the values safe
// to use: current index outside -1..3 becomes -1, world and level are
// clamped to 0..6 and 0..10, every name gets a terminator. Returns false
// (store untouched) for any other size.
bool DecodeSaveImage(const uint8_t* bytes, size_t size, BvPlayerStore& store);

// The name the newest copy of a damaged save is kept under: path + ".bad"
// (older copies: ".bad.1" .. ".bad.4", see kept_file.h).
std::string DamagedSavePath(const std::string& path);

// The save file at path, with the game's words for its alerts.
KeptFile MakeSaveFile(const std::string& path);

// Reads the file's first kSaveFileSize bytes into the store. A missing file
// resets the store. Whenever the file cannot be used as it is (too short, not
// a regular file, longer than kSaveFileSize, or a value that had to be made
// safe), a copy of it is kept first and the player told, so that the next
// write destroys nothing the player had. A file that cannot be read resets
// the store and is left alone, writes being refused. Returns whether the
// file's content was used.
bool ReadSaveFile(KeptFile& file, BvPlayerStore& store);

// Writes the store through a temporary file renamed over the old one, so a
// failed write never leaves a truncated save; the first failure is told.
// Returns success.
bool WriteSaveFile(KeptFile& file, const BvPlayerStore& store);

}  // namespace bv
