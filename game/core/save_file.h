#pragma once
// "savegame.sav": the player store's 844-byte image, little-endian, no
// header. Read and written field by field, never as a raw struct.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

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

// The name a save that could not be read is kept under: path + ".bad".
std::string DamagedSavePath(const std::string& path);

// Reads the file's first kSaveFileSize bytes into the store (bytes after
// them are ignored). A missing file resets the store. A file that is there
// but too short or unreadable also resets it, and is first kept with its
// bytes as DamagedSavePath(path), so that the next write, which replaces
// the save, destroys nothing the player had. Returns whether the file was
// used.
bool ReadSaveFile(const std::string& path, BvPlayerStore& store);

// Writes the store through a temporary file renamed over the old one, so a
// failed write never leaves a truncated save. Silent; returns success.
bool WriteSaveFile(const std::string& path, const BvPlayerStore& store);

}  // namespace bv
