#include "engine/shell/config.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "engine/platform/user_folder.h"
#include "support/null_video.h"
#include "support/scoped_env.h"

namespace {

namespace fs = std::filesystem;

const bv::ConfigBytes kDefaultBytes = {1, 0, 4, 0, 1, 1, 0, 0, 100, 0, 0, 0,
                                       100, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0};

std::vector<uint8_t> ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

TEST(Config, DefaultsEncodeToTheGoldenBytes) {
  EXPECT_EQ(bv::EncodeConfig(BvConfig()), kDefaultBytes);
}

TEST(Config, FieldsAreLittleEndianAtTheirOffsetsWithZeroPadding) {
  BvConfig config;
  config.fullScreen = 0;
  config.driverType = 5;
  config.musicOn = 0;
  config.soundOn = 1;
  config.effectsVolume = 35;
  config.musicVolume = 70;
  config.reserved16 = -2;
  config.reserved18 = 0xAB;
  config.reserved20 = 0x1234;
  const bv::ConfigBytes expected = {0, 0, 0x05, 0x00, 0, 1, 0, 0, 35, 0, 0, 0,
                                    70, 0, 0, 0, 0xFE, 0xFF, 0xAB, 0, 0x34, 0x12, 0, 0};
  EXPECT_EQ(bv::EncodeConfig(config), expected);

  BvConfig back = bv::DecodeConfig(expected.data(), expected.size());
  EXPECT_EQ(bv::EncodeConfig(back), expected);
}

TEST(Config, ShortOrEmptyInputKeepsTheDefaultsOfTheMissingFields) {
  // fullScreen 0 and driver type 5, then the file ends.
  const uint8_t shortFile[] = {0, 0, 5, 0};
  BvConfig config = bv::DecodeConfig(shortFile, sizeof shortFile);
  EXPECT_EQ(config.fullScreen, 0);
  EXPECT_EQ(config.driverType, 5);
  EXPECT_EQ(config.musicOn, 1);
  EXPECT_EQ(config.soundOn, 1);
  EXPECT_EQ(config.effectsVolume, 100);
  EXPECT_EQ(config.musicVolume, 100);
  EXPECT_EQ(config.reserved20, 2);

  EXPECT_EQ(bv::EncodeConfig(bv::DecodeConfig(nullptr, 0)), kDefaultBytes);
}

// A damaged file must not keep the game from starting: a driver type that
// is not one of Irrlicht's 1 to 5 reads as the default.
TEST(Config, UnknownDriverTypesReadAsTheDefault) {
  struct DriverCase {
    int16_t stored;
    int16_t expected;
  };
  for (DriverCase c : {DriverCase{1, 1}, DriverCase{2, 2}, DriverCase{3, 3}, DriverCase{4, 4},
                       DriverCase{5, 5}, DriverCase{0, 4}, DriverCase{6, 4}, DriverCase{77, 4},
                       DriverCase{-1, 4}, DriverCase{0x0105, 4}}) {
    BvConfig config;
    config.fullScreen = 0;
    config.driverType = c.stored;
    bv::ConfigBytes bytes = bv::EncodeConfig(config);
    BvConfig back = bv::DecodeConfig(bytes.data(), bytes.size());
    EXPECT_EQ(back.driverType, c.expected) << "stored " << c.stored;
    EXPECT_EQ(back.fullScreen, 0) << "stored " << c.stored;
  }
}

TEST(Config, VolumesAreClampedToPercent) {
  struct VolumeCase {
    int32_t stored;
    int32_t expected;
  };
  for (VolumeCase c : {VolumeCase{-5, 0}, VolumeCase{0, 0}, VolumeCase{35, 35},
                       VolumeCase{100, 100}, VolumeCase{250, 100}}) {
    BvConfig config;
    config.effectsVolume = c.stored;
    config.musicVolume = c.stored;
    bv::ConfigBytes bytes = bv::EncodeConfig(config);
    BvConfig back = bv::DecodeConfig(bytes.data(), bytes.size());
    EXPECT_EQ(back.effectsVolume, c.expected) << "stored " << c.stored;
    EXPECT_EQ(back.musicVolume, c.expected) << "stored " << c.stored;
  }
}

class ConfigFile : public ::testing::Test {
 protected:
  std::string home_ = bv::test::MakeTempFolder("config");
  bv::test::ScopedEnv dataHome_{"XDG_DATA_HOME", home_.c_str()};
  fs::path file_ = fs::path(home_) / "brasvolt" / "quorvel" / "config.dat";
};

TEST_F(ConfigFile, MissingFileGivesTheDefaults) {
  EXPECT_EQ(bv::EncodeConfig(bv::ReadConfigFile()), kDefaultBytes);
}

TEST_F(ConfigFile, WriteCreatesTheFolderAndRoundTrips) {
  BvConfig config;
  config.fullScreen = 0;
  config.driverType = 5;
  config.effectsVolume = 35;
  config.musicVolume = 70;
  ASSERT_TRUE(bv::WriteConfigFile(config));
  std::vector<uint8_t> bytes = ReadAll(file_);
  ASSERT_EQ(bytes.size(), 24u);
  EXPECT_EQ(bytes[8], 35);
  EXPECT_EQ(bytes[12], 70);
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()), 1);

  BvConfig back = bv::ReadConfigFile();
  EXPECT_EQ(bv::EncodeConfig(back), bv::EncodeConfig(config));

  // An existing folder and file do not prevent the next write.
  config.musicVolume = 10;
  ASSERT_TRUE(bv::WriteConfigFile(config));
  EXPECT_EQ(bv::ReadConfigFile().musicVolume, 10);
}

TEST_F(ConfigFile, ShortAndEmptyFilesNeverLeaveZeros) {
  WriteAll(file_, {});
  EXPECT_EQ(bv::EncodeConfig(bv::ReadConfigFile()), kDefaultBytes);

  WriteAll(file_, {0, 0, 5, 0, 1, 0});
  BvConfig config = bv::ReadConfigFile();
  EXPECT_EQ(config.fullScreen, 0);
  EXPECT_EQ(config.driverType, 5);
  EXPECT_EQ(config.soundOn, 0);
  EXPECT_EQ(config.effectsVolume, 100);
  EXPECT_EQ(config.musicVolume, 100);
}

TEST_F(ConfigFile, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(bv::WriteConfigFile(BvConfig()));
  // A folder where the temporary file would go makes the write fail.
  fs::create_directories(fs::path(file_.string() + ".tmp") / "blocker");
  BvConfig changed;
  changed.musicVolume = 1;
  EXPECT_FALSE(bv::WriteConfigFile(changed));
  EXPECT_EQ(ReadAll(file_), std::vector<uint8_t>(kDefaultBytes.begin(), kDefaultBytes.end()));
}

TEST(ConfigFileWithoutHome, NeitherReadNorWritten) {
  bv::test::ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
  bv::test::ScopedEnv home("HOME", nullptr);
  EXPECT_TRUE(bv::UserFolder().empty());
  EXPECT_EQ(bv::EncodeConfig(bv::ReadConfigFile()), kDefaultBytes);
  EXPECT_FALSE(bv::WriteConfigFile(BvConfig()));
}

}  // namespace
