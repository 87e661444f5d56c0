// The real program and the real display, each test on a virtual X server of
// its own (whatever DISPLAY the run has); a server that does not start fails
// the test.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "support/child_process.h"
#include "support/fake_volumes.h"
#include "support/null_video.h"
#include "support/private_display.h"
#include "support/private_x_server.h"
#include "support/scripted_app.h"
#include "support/scoped_env.h"

namespace {

namespace fs = std::filesystem;

using bv::test::WaitForExit;

// build/quorvel started from build/ on the private server, with its own
// user folder; output goes to a log file in that folder.
class RealProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Ok()) << "Xvfb did not start";
    pid = fork();
    if (pid == 0) {
      if (chdir(QV_BUILD_DIR) != 0) _exit(126);
      setenv("DISPLAY", server.Display().c_str(), 1);
      setenv("XDG_DATA_HOME", home.c_str(), 1);
      setenv("CI", "1", 1);
      unsetenv("QUORVEL_NULL_DRIVER");
      std::string log = home + "/quorvel.log";
      if (!freopen(log.c_str(), "w", stdout) || !freopen(log.c_str(), "a", stderr)) _exit(125);
      execl("./quorvel", "./quorvel", static_cast<char*>(nullptr));
      _exit(127);
    }
    ASSERT_GT(pid, 0);
    window = bv::test::RunOn(server.Display(), "timeout 20 xdotool search --sync --name '^Quorvel$' | head -n 1");
    ASSERT_FALSE(window.empty()) << "no window captioned \"Quorvel\"";
  }
  void TearDown() override {
    if (pid > 0) WaitForExit(pid, 1);
    if (HasFailure()) {
      std::ifstream log(home + "/quorvel.log");
      std::cerr << "quorvel's output:\n" << log.rdbuf() << "\n";
    }
  }
  std::string On(const std::string& command) { return bv::test::RunOn(server.Display(), command); }

  bv::test::PrivateXServer server;
  std::string home = bv::test::MakeTempFolder("window");
  fs::path configFile = fs::path(home) / "brasvolt" / "quorvel" / "config.dat";
  pid_t pid = -1;
  std::string window;
};

TEST_F(RealProgram, OpensItsWindowAndEndsInOrderOnAltF4) {
  // 800 by 600, and given the focus without a window manager.
  EXPECT_EQ(On("xwininfo -id " + window + " | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w\"x\"h}'"),
            "800x600");
  EXPECT_EQ(On("xdotool getwindowfocus"), window);
  EXPECT_EQ(On("xprop -id " + window + " _NET_WM_ICON | head -c 22"), "_NET_WM_ICON(CARDINAL)");
  On("xdotool key alt+F4");
  int code = WaitForExit(pid, 10000);
  pid = -1;
  EXPECT_EQ(code, 0);
  ASSERT_TRUE(fs::exists(configFile));
  EXPECT_EQ(fs::file_size(configFile), 24u);
}

TEST_F(RealProgram, AltEnterRebuildsTheWindowAndTheSignalEndsInOrder) {
  // The first window is marked, so the rebuilt one is told apart from it
  // even when the server hands out the same id again.
  On("xprop -id " + window + " -f _QV_FIRST_WINDOW 8s -set _QV_FIRST_WINDOW yes");
  ASSERT_NE(On("xprop -id " + window + " _QV_FIRST_WINDOW"), "_QV_FIRST_WINDOW:  not found.");
  On("xdotool key alt+Return");
  // The rebuilt display is a new window named "Quorvel" (full screen falls
  // back to a window on this server); the old one may linger a moment.
  std::string again = On(
      "for i in $(seq 50); do w=$(xdotool search --name '^Quorvel$' 2>/dev/null | head -n 1); "
      "[ -n \"$w\" ] && xprop -id $w _QV_FIRST_WINDOW 2>/dev/null | grep -q 'not found' "
      "&& { echo $w; break; }; sleep 0.1; done");
  ASSERT_FALSE(again.empty()) << "no new window after Alt+Enter";
  EXPECT_EQ(On("xwininfo -id " + again + " | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w\"x\"h}'"),
            "800x600");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  kill(pid, SIGTERM);
  int code = WaitForExit(pid, 10000);
  pid = -1;
  EXPECT_EQ(code, 0);
  ASSERT_TRUE(fs::exists(configFile));
  EXPECT_EQ(fs::file_size(configFile), 24u);
}

using bv::test::ScriptedApp;

// A system object with a real OpenGL window on a private X server of its
// own; the globals it sets are cleared again even when a test fails early.
class RealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Ok()) << "Xvfb did not start";
    realDriver.emplace("QUORVEL_NULL_DRIVER", nullptr);
    system = std::make_unique<BvSystem>();
    g_System = system.get();
    ASSERT_TRUE(system->CreateDisplay(false, bv::kDriverOpenGL));
    ASSERT_NE(system->Window(), 0u);
    g_Quit = false;
  }
  void TearDown() override {
    g_Quit = false;
    g_System = nullptr;
    system.reset();
  }

  bv::test::PrivateDisplay server;
  std::optional<bv::test::ScopedEnv> realDriver;
  std::unique_ptr<BvSystem> system;
};

TEST_F(RealWindow, FocusOutAndInMutesAndRestoresOnceEach) {
  bv::test::FakeVolumes volumes;
  volumes.effects = 0.5f;
  volumes.music = 0.25f;
  system->volumes = &volumes;
  {
    ScriptedApp app;
    int pausesBefore = -1, resumesBefore = -1;
    bool activeBefore = false;
    app.onUpdate = [&](int frame) {
      if (frame == 10) {
        activeBefore = system->IsWindowActive();
        pausesBefore = app.pauses;
        resumesBefore = app.resumes;
        volumes.log.clear();
        bv::test::FocusWindowOn(server.Name(), 0);
      }
      if (frame == 40) bv::test::FocusWindowOn(server.Name(), system->Window());
      if (frame == 70) app.Quit();
    };
    app.Run();
    EXPECT_TRUE(activeBefore);
    EXPECT_EQ(app.pauses - pausesBefore, 1);
    EXPECT_EQ(app.resumes - resumesBefore, 1);
    EXPECT_EQ(volumes.log, (std::vector<std::string>{"effects 0.000000", "music 0.000000",
                                                      "effects 0.500000", "music 0.250000"}));
  }
  // The fake goes before the system object that points at it.
  system->volumes = nullptr;
}

// The window's pixels: cleared with the clear colour, the fade overlay
// blended over it.
TEST_F(RealWindow, ClearsAndBlendsTheFadeOverlay) {
  std::string shot = bv::test::MakeTempFolder("fade") + "/shot.png";
  std::string window = std::to_string(system->Window());
  auto pixel = [&] {
    bv::test::RunOn(server.Name(), "import -window " + window + " " + shot);
    return bv::test::RunOn(server.Name(), "convert " + shot + " -format '%[pixel:p{400,300}]' info:");
  };
  std::string cleared, faded;
  {
    ScriptedApp app;
    app.SetClearColour(irr::video::SColor(255, 200, 100, 50));
    // Half covered: level 127.5 after one step of 1 ms at 127500 per second.
    app.StartFade(irr::video::SColor(255, 0, 0, 0), 127500.0f);
    app.onUpdate = [&](int frame) {
      if (frame == 5) cleared = pixel();
      if (frame == 6) app.FadeToColour(1.0f);
      if (frame > 6) app.FadeToColour(0.0f);  // keeps the overlay shown
      if (frame == 10) faded = pixel();
      if (frame == 11) app.Quit();
    };
    app.Run();
  }
  EXPECT_EQ(cleared, "srgb(200,100,50)");
  int r = 0, g = 0, b = 0;
  ASSERT_EQ(std::sscanf(faded.c_str(), "srgb(%d,%d,%d)", &r, &g, &b), 3) << faded;
  // 127 of 255 black over the clear colour.
  EXPECT_NEAR(r, 100, 2);
  EXPECT_NEAR(g, 50, 2);
  EXPECT_NEAR(b, 25, 2);
}

}  // namespace
