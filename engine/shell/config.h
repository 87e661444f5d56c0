#pragma once
// The configuration block, stored as the 24-byte "config.dat".
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/platform/kept_file.h"

struct BvConfig {
  // 1 full screen, 0 windowed.
  uint8_t fullScreen = 1;
  // Irrlicht driver type as stored (4 Direct3D 9, 5 OpenGL, ...).
  int16_t driverType = 4;
  uint8_t musicOn = 1;
  uint8_t soundOn = 1;
  // Volumes in percent, 0..100.
  int32_t effectsVolume = 100;
  int32_t musicVolume = 100;
  // Stored and written back, never read.
  int16_t reserved16 = 0;
  uint8_t reserved18 = 1;
  int16_t reserved20 = 2;
};

namespace bv {

// File name in the user folder and its exact size.
constexpr const char* kConfigFileName = "config.dat";
constexpr size_t kConfigFileSize = 24;

using ConfigBytes = std::array<uint8_t, kConfigFileSize>;

// Little-endian, field by field, zeros in the padding.
ConfigBytes EncodeConfig(const BvConfig& config);

// The defaults overlaid with the first `count` bytes given (a short file sets
// only its leading fields); volumes clamped to 0..100; a driver type other
// than 1..5 read as the default.
BvConfig DecodeConfig(const uint8_t* bytes, size_t count);

// "config.dat" in the user folder, with the game's words for its alerts.
KeptFile MakeConfigFile();

// Reads the file (defaults when there is none). A file that cannot be used
// as it is (short, longer, not a regular file, a value read as a default) is
// kept as a damaged copy and the player told; one that cannot be read is
// left alone and later writes refused.
BvConfig ReadConfigFile(KeptFile& file);
// Writes it, creating the folder; false when nothing was written, the first
// failure told to the player.
bool WriteConfigFile(KeptFile& file, const BvConfig& config);

// The same with a file object of their own.
BvConfig ReadConfigFile();
bool WriteConfigFile(const BvConfig& config);

}  // namespace bv
