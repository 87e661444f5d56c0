#include "engine/shell/config.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
#include "engine/platform/user_folder.h"
#include "support/child_process.h"
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

// Longest a child may take (milliseconds).
constexpr int kChildTimeoutMs = 10000;

// "Alert" messages shown so far whose text contains every part.
int Alerts(std::initializer_list<std::string> parts) {
  int count = 0;
  for (const bv::ShownMessage& m : bv::ShownMessages()) {
    bool all = m.caption == "Alert";
    for (const std::string& part : parts) all = all && m.text.find(part) != std::string::npos;
    count += all;
  }
  return count;
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
  void SetUp() override {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
  }
  void TearDown() override {
    bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
    bv::ClearShownMessages();
  }
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

// A damaged "config.dat" gets the save's care: whatever could not be used
// as it was is kept as "config.dat.bad" and the player told once; the next
// write replaces the settings, never the copy.
TEST_F(ConfigFile, DamagedFilesAreKeptAsTheyWereAndTold) {
  using Bytes = std::vector<uint8_t>;
  auto changed = [](size_t at, uint8_t value) {
    Bytes bytes(kDefaultBytes.begin(), kDefaultBytes.end());
    bytes[at] = value;
    return bytes;
  };
  Bytes longer(kDefaultBytes.begin(), kDefaultBytes.end());
  longer.resize(30, 7);
  struct Case {
    const char* what;
    Bytes bytes;
    const char* told;
  };
  const Case cases[] = {
      {"empty", {}, "shorter than 24"},
      {"six bytes", {0, 0, 5, 0, 1, 0}, "shorter than 24"},
      {"driver type 77", changed(2, 77), "out of range"},
      {"volume 250", changed(8, 250), "out of range"},
      {"padding not zero", changed(1, 9), "out of range"},
      {"30 bytes", longer, "longer than 24"},
  };
  const fs::path bad = file_.string() + ".bad";
  for (const Case& c : cases) {
    fs::remove(bad);
    bv::ClearShownMessages();
    WriteAll(file_, c.bytes);
    bv::KeptFile file = bv::MakeConfigFile();
    const BvConfig config = bv::ReadConfigFile(file);
    EXPECT_GE(config.driverType, 1) << c.what;
    EXPECT_LE(config.effectsVolume, 100) << c.what;
    EXPECT_EQ(ReadAll(bad), c.bytes) << c.what << ": kept as it was";
    EXPECT_EQ(Alerts({file_.string(), c.told, bad.string()}), 1) << c.what;
    EXPECT_EQ(bv::ShownMessages().size(), 1u) << c.what;
    ASSERT_TRUE(bv::WriteConfigFile(file, config)) << c.what;
    EXPECT_EQ(ReadAll(file_).size(), 24u) << c.what;
    EXPECT_EQ(ReadAll(bad), c.bytes) << c.what;
  }
  // A good file is read without a word and nothing is kept.
  fs::remove(bad);
  bv::ClearShownMessages();
  WriteAll(file_, Bytes(kDefaultBytes.begin(), kDefaultBytes.end()));
  bv::KeptFile file = bv::MakeConfigFile();
  bv::ReadConfigFile(file);
  EXPECT_TRUE(bv::ShownMessages().empty());
  EXPECT_FALSE(fs::exists(bad));
}

// Something that is not a file is moved aside and never holds the start.
TEST_F(ConfigFile, ANamedPipeIsMovedAsideWithoutBlocking) {
  fs::create_directories(file_.parent_path());
  ASSERT_EQ(mkfifo(file_.c_str(), 0644), 0);
  const int result = bv::test::RunInChild(
      [] {
        bv::KeptFile file = bv::MakeConfigFile();
        const BvConfig config = bv::ReadConfigFile(file);
        if (bv::EncodeConfig(config) != kDefaultBytes) return 1;
        if (Alerts({"not a regular file", "config.dat.bad"}) != 1) return 2;
        return bv::WriteConfigFile(file, config) ? 0 : 3;
      },
      kChildTimeoutMs);
  EXPECT_EQ(result, 0) << "-1: blocked; 1: not the defaults; 2: not told; 3: not written";
  struct stat st;
  ASSERT_EQ(lstat((file_.string() + ".bad").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  EXPECT_EQ(ReadAll(file_).size(), 24u);
}

// Run as an ordinary user (root reads and writes anything). A file that
// cannot be read is left alone all run; a read-only one is never replaced;
// either is told once.
TEST_F(ConfigFile, UnreadableOrReadOnlyFilesAreLeftAloneAndTold) {
  const std::vector<uint8_t> stored = {0, 0, 5, 0, 0, 0, 0, 0, 35, 0, 0, 0,
                                       70, 0, 0, 0, 0, 0, 1, 0, 2, 0, 0, 0};
  struct Case {
    const char* what;
    mode_t mode;
    const char* told;
  };
  for (Case c : {Case{"unreadable", 0200, "Could not read"},
                 Case{"read-only", 0444, "Could not write"}}) {
    WriteAll(file_, stored);
    ASSERT_EQ(chmod(file_.c_str(), c.mode), 0);
    if (geteuid() == 0) {
      bv::test::UnprivilegedUser user;
      ASSERT_TRUE(bv::test::FindUnprivilegedUser(&user));
      ASSERT_EQ(chown(file_.parent_path().c_str(), user.uid, user.gid), 0);
      ASSERT_EQ(chown(file_.c_str(), user.uid, user.gid), 0);
      for (fs::path up = file_.parent_path().parent_path(); up.string().size() >= home_.size();
           up = up.parent_path())
        ASSERT_EQ(chmod(up.c_str(), 0755), 0);
    }
    const int result = bv::test::RunUnprivileged(
        [&] {
          bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
          bv::ClearShownMessages();
          bv::KeptFile file = bv::MakeConfigFile();
          BvConfig config = bv::ReadConfigFile(file);
          config.musicVolume = 1;
          if (bv::WriteConfigFile(file, config) || bv::WriteConfigFile(file, config)) return 1;
          if (Alerts({c.told, file_.string()}) != 1) return 2;
          return bv::ShownMessages().size() == 1 ? 0 : 3;
        },
        kChildTimeoutMs);
    ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
    EXPECT_EQ(result, 0) << c.what << " (1: written; 2, 3: not told once)";
    ASSERT_EQ(chmod(file_.c_str(), 0644), 0);
    EXPECT_EQ(ReadAll(file_), stored) << c.what;
    EXPECT_EQ(std::distance(fs::directory_iterator(file_.parent_path()), fs::directory_iterator()),
              1)
        << c.what << ": nothing else in the folder";
  }
}

TEST_F(ConfigFile, FailedWriteKeepsTheOldFile) {
  ASSERT_TRUE(bv::WriteConfigFile(BvConfig()));
  // A full disk, as a file size limit.
  const int result = bv::test::RunInChild(
      [] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{10, RLIM_INFINITY};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 9;
        bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
        bv::ClearShownMessages();
        BvConfig changed;
        changed.musicVolume = 1;
        bv::KeptFile file = bv::MakeConfigFile();
        if (bv::WriteConfigFile(file, changed)) return 1;
        return Alerts({"Could not write the settings file"}) == 1 ? 0 : 2;
      },
      kChildTimeoutMs);
  EXPECT_EQ(result, 0) << "1: reported written; 2: not told";
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
