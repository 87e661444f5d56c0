#include "engine/shell/run_system.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
