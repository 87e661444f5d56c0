#include "engine/shell/run_system.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "support/null_video.h"
#include "support/scoped_env.h"

namespace {

namespace fs = std::filesystem;

int g_sessions = 0;
bool g_sawDisplay = false;

void CountingSession(BvSystem& system) {
  ++g_sessions;
  g_sawDisplay = g_System == &system && system.displayReady && g_TimerReady;
  // As after an Alt+Enter: the mode actually used is what gets stored.
  system.config.musicVolume = 35;
}

class RunSystemTest : public ::testing::Test {
 protected:
  RunSystemTest() {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
    g_sessions = 0;
    g_sawDisplay = false;
  }
  ~RunSystemTest() override { g_TimerReady = false; }
  std::string home = bv::test::MakeTempFolder("run_system");
  bv::test::ScopedEnv dataHome{"XDG_DATA_HOME", home.c_str()};
  fs::path configFile = fs::path(home) / "brasvolt" / "quorvel" / "config.dat";
};

TEST_F(RunSystemTest, RunsTheSessionAndWritesTheConfiguration) {
  bv::test::ScopedEnv nullDriver("QUORVEL_NULL_DRIVER", "1");
  RunSystem(CountingSession);
  EXPECT_EQ(g_sessions, 1);
  EXPECT_TRUE(g_sawDisplay);
  EXPECT_TRUE(bv::ShownMessages().empty());
  EXPECT_EQ(g_System, nullptr);
  ASSERT_TRUE(fs::exists(configFile));
  EXPECT_EQ(fs::file_size(configFile), 24u);
  EXPECT_EQ(bv::ReadConfigFile().musicVolume, 35);
}

TEST_F(RunSystemTest, DisplayFailureShowsItsErrorAndWritesNothing) {
  bv::test::ScopedEnv realDriver("QUORVEL_NULL_DRIVER", nullptr);
  bv::test::ScopedEnv noServer("DISPLAY", ":9999");
  RunSystem(CountingSession);
  EXPECT_EQ(g_sessions, 0);
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_EQ(bv::ShownMessages()[0].caption, "Error");
  EXPECT_EQ(bv::ShownMessages()[0].text,
            "Failed to initialize display mode, please make sure you have DirectX 9 or later "
            "installed on your computer.");
  EXPECT_FALSE(g_TimerReady);
  EXPECT_FALSE(fs::exists(configFile));
  EXPECT_EQ(g_System, nullptr);
}

// Stored settings the device can't be made with: the start falls back to a
// window with OpenGL, and that is what the configuration then holds.
TEST_F(RunSystemTest, FailingStoredSettingsFallBackToAWindowWithOpenGL) {
  const char* display = std::getenv("DISPLAY");
  if (display == nullptr || display[0] == '\0') GTEST_SKIP() << "no DISPLAY";
  bv::test::ScopedEnv realDriver("QUORVEL_NULL_DRIVER", nullptr);
  BvSystem system;
  g_System = &system;
  system.config.fullScreen = 1;
  // Set in memory, past the file reader's check: a type no device has.
  system.config.driverType = 77;
  EXPECT_TRUE(bv::OpenStartDisplay(system));
  EXPECT_EQ(system.config.fullScreen, 0);
  EXPECT_EQ(system.config.driverType, bv::kDriverOpenGL);
  EXPECT_TRUE(system.displayReady);
  g_System = nullptr;
}

// A damaged "config.dat" (driver type 77) starts the game and is replaced by
// one that starts too.
TEST_F(RunSystemTest, DamagedDriverTypeStartsAndIsRewritten) {
  bv::test::ScopedEnv nullDriver("QUORVEL_NULL_DRIVER", "1");
  BvConfig damaged;
  damaged.fullScreen = 0;
  damaged.driverType = 77;
  ASSERT_TRUE(bv::WriteConfigFile(damaged));
  const bv::ConfigBytes damagedBytes = bv::EncodeConfig(damaged);
  RunSystem(CountingSession);
  EXPECT_EQ(g_sessions, 1);
  // The damaged file is kept as it was, and the player told where.
  ASSERT_EQ(bv::ShownMessages().size(), 1u);
  EXPECT_NE(bv::ShownMessages()[0].text.find("config.dat.bad"), std::string::npos);
  std::ifstream kept(configFile.string() + ".bad", std::ios::binary);
  EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(kept), {}),
            std::vector<uint8_t>(damagedBytes.begin(), damagedBytes.end()));
  ASSERT_EQ(fs::file_size(configFile), 24u);
  EXPECT_EQ(bv::ReadConfigFile().driverType, BvConfig().driverType);
}

}  // namespace
