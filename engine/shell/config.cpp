#include "engine/shell/config.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "engine/platform/file_io.h"
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

void Put16(ConfigBytes& b, size_t at, int16_t v) {
  uint16_t u = static_cast<uint16_t>(v);
  b[at] = static_cast<uint8_t>(u & 0xFF);
  b[at + 1] = static_cast<uint8_t>(u >> 8);
}

void Put32(ConfigBytes& b, size_t at, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (size_t i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>((u >> (8 * i)) & 0xFF);
}

int16_t Get16(const ConfigBytes& b, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(b[at] | (b[at + 1] << 8)));
}

int32_t Get32(const ConfigBytes& b, size_t at) {
  uint32_t u = 0;
  for (size_t i = 0; i < 4; ++i) u |= static_cast<uint32_t>(b[at + i]) << (8 * i);
  return static_cast<int32_t>(u);
}

}  // namespace

ConfigBytes EncodeConfig(const BvConfig& config) {
  ConfigBytes b{};
  b[kFullScreenAt] = config.fullScreen;
  Put16(b, kDriverTypeAt, config.driverType);
  b[kMusicOnAt] = config.musicOn;
  b[kSoundOnAt] = config.soundOn;
  Put32(b, kEffectsVolumeAt, config.effectsVolume);
  Put32(b, kMusicVolumeAt, config.musicVolume);
  Put16(b, kReserved16At, config.reserved16);
  b[kReserved18At] = config.reserved18;
  Put16(b, kReserved20At, config.reserved20);
  return b;
}

BvConfig DecodeConfig(const uint8_t* bytes, size_t count) {
  ConfigBytes b = EncodeConfig(BvConfig());
  // An empty read may come with no buffer at all.
  if (bytes != nullptr && count > 0) std::memcpy(b.data(), bytes, std::min(count, kConfigFileSize));
  BvConfig config;
  config.fullScreen = b[kFullScreenAt];
  config.driverType = Get16(b, kDriverTypeAt);
  config.musicOn = b[kMusicOnAt];
  config.soundOn = b[kSoundOnAt];
  config.effectsVolume = std::clamp(Get32(b, kEffectsVolumeAt), 0, kMaxVolume);
  config.musicVolume = std::clamp(Get32(b, kMusicVolumeAt), 0, kMaxVolume);
  config.reserved16 = Get16(b, kReserved16At);
  config.reserved18 = b[kReserved18At];
  config.reserved20 = Get16(b, kReserved20At);
  return config;
}

BvConfig ReadConfigFile() {
  std::vector<uint8_t> bytes;
  std::filesystem::path path = UserFilePath(kConfigFileName);
  if (path.empty() || !ReadFilePrefix(path, kConfigFileSize, &bytes)) return BvConfig();
  return DecodeConfig(bytes.data(), bytes.size());
}

bool WriteConfigFile(const BvConfig& config) {
  if (!CreateUserFolder()) return false;
  ConfigBytes bytes = EncodeConfig(config);
  return WriteFileReplacing(UserFilePath(kConfigFileName), bytes.data(), bytes.size());
}

}  // namespace bv
