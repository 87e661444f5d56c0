#include "engine/shell/config.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "engine/platform/file_io.h"
#include "engine/platform/little_endian.h"
#include "engine/platform/user_folder.h"

namespace bv {
namespace {

// Byte offsets of the fields in "config.dat".
constexpr size_t kFullScreenAt = 0;
constexpr size_t kDriverTypeAt = 2;
constexpr size_t kMusicOnAt = 4;
constexpr size_t kSoundOnAt = 5;
constexpr size_t kEffectsVolumeAt = 8;
constexpr size_t kMusicVolumeAt = 12;
constexpr size_t kReserved16At = 16;
constexpr size_t kReserved18At = 18;
constexpr size_t kReserved20At = 20;
static_assert(kReserved20At + 2 + 2 == kConfigFileSize, "config.dat is 24 bytes");

constexpr int32_t kMaxVolume = 100;
// Irrlicht's driver types that a file may choose (software, second software,
// Direct3D 8, Direct3D 9, OpenGL).
constexpr int16_t kFirstStoredDriver = 1;
constexpr int16_t kLastStoredDriver = 5;

// What the player is told about the settings file.
constexpr KeptFileTexts kConfigTexts = {"settings file",
                                        "The settings will not be saved while the game runs.",
                                        "The settings it held are kept."};

}  // namespace

ConfigBytes EncodeConfig(const BvConfig& config) {
  ConfigBytes b{};
  b[kFullScreenAt] = config.fullScreen;
  PutI16(b.data() + kDriverTypeAt, config.driverType);
  b[kMusicOnAt] = config.musicOn;
  b[kSoundOnAt] = config.soundOn;
  PutI32(b.data() + kEffectsVolumeAt, config.effectsVolume);
  PutI32(b.data() + kMusicVolumeAt, config.musicVolume);
  PutI16(b.data() + kReserved16At, config.reserved16);
  b[kReserved18At] = config.reserved18;
  PutI16(b.data() + kReserved20At, config.reserved20);
  return b;
}

BvConfig DecodeConfig(const uint8_t* bytes, size_t count) {
  ConfigBytes b = EncodeConfig(BvConfig());
  // An empty read may come with no buffer at all.
  if (bytes != nullptr && count > 0) std::memcpy(b.data(), bytes, std::min(count, kConfigFileSize));
  BvConfig config;
  config.fullScreen = b[kFullScreenAt];
  config.driverType = GetI16(b.data() + kDriverTypeAt);
  // A damaged value would make every start fail: read it as the default.
  if (config.driverType < kFirstStoredDriver || config.driverType > kLastStoredDriver)
    config.driverType = BvConfig().driverType;
  config.musicOn = b[kMusicOnAt];
  config.soundOn = b[kSoundOnAt];
  config.effectsVolume = std::clamp(GetI32(b.data() + kEffectsVolumeAt), 0, kMaxVolume);
  config.musicVolume = std::clamp(GetI32(b.data() + kMusicVolumeAt), 0, kMaxVolume);
  config.reserved16 = GetI16(b.data() + kReserved16At);
  config.reserved18 = b[kReserved18At];
  config.reserved20 = GetI16(b.data() + kReserved20At);
  return config;
}

KeptFile MakeConfigFile() {
  return KeptFile(UserFilePath(kConfigFileName).string(), kConfigTexts);
}

BvConfig ReadConfigFile(KeptFile& file) {
  const FilePrefix read = file.Read(kConfigFileSize);
  if (read.status != FileReadStatus::kRead) return BvConfig();
  const BvConfig config = DecodeConfig(read.bytes.data(), read.bytes.size());
  const ConfigBytes reread = EncodeConfig(config);
  const std::string size = std::to_string(kConfigFileSize);
  if (read.bytes.size() < kConfigFileSize)
    file.KeepDamaged("it is shorter than " + size + " bytes; the missing settings are the defaults");
  else if (!std::equal(reread.begin(), reread.end(), read.bytes.begin()))
    file.KeepDamaged("settings out of range were reset");
  else if (read.longer)
    file.KeepDamaged("it is longer than " + size + " bytes; the first " + size + " are used");
  return config;
}

bool WriteConfigFile(KeptFile& file, const BvConfig& config) {
  const ConfigBytes bytes = EncodeConfig(config);
  return file.Write(bytes.data(), bytes.size());
}

BvConfig ReadConfigFile() {
  KeptFile file = MakeConfigFile();
  return ReadConfigFile(file);
}

bool WriteConfigFile(const BvConfig& config) {
  KeptFile file = MakeConfigFile();
  return WriteConfigFile(file, config);
}

}  // namespace bv
