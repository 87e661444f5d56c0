#include "engine/shell/application.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/platform/joystick_reader.h"
#include "engine/platform/message_box.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "support/fake_clock.h"
#include "support/fake_volumes.h"
#include "support/joystick_events.h"
#include "support/null_video.h"
#include "support/scripted_app.h"
#include "support/scoped_env.h"

namespace {

using bv::test::ScriptedApp;

// The frame time at 75 Hz on the fake clock's microsecond counter, rounded up.
constexpr int64_t kFrameUs = 13334;

// The system object over Irrlicht's NULL device, a fake clock and fake
// volumes, with the user folder in a temporary place.
class HeadlessShell : public ::testing::Test {
 protected:
  HeadlessShell() {
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    system = std::make_unique<BvSystem>();
    g_System = system.get();
    system->volumes = &volumes;
    g_Quit = false;
    EXPECT_TRUE(system->CreateDisplay(false, bv::kDriverOpenGL));
    g_TimerFrequency = clock.TicksPerSecond();
    g_TimerReady = true;
    app = std::make_unique<ScriptedApp>();
    g_App = app.get();
  }
  ~HeadlessShell() override {
    app.reset();
    g_App = nullptr;
    system.reset();
    g_System = nullptr;
    g_Quit = false;
    g_TimerReady = false;
  }

  // Posts an input event through the device, as its message pump would.
  void Post(const irr::SEvent& e) { g_Device->postEventFromUser(e); }
  void PostKey(int code, bool down) {
    irr::SEvent e{};
    e.EventType = irr::EET_KEY_INPUT_EVENT;
    e.KeyInput.Key = static_cast<irr::EKEY_CODE>(code);
    e.KeyInput.PressedDown = down;
    Post(e);
  }
  // Ends the loop after the given frame.
  void QuitAfter(int frames, std::function<void(int)> script = nullptr) {
    app->onUpdate = [this, frames, script](int frame) {
      if (script) script(frame);
      if (frame >= frames) app->Quit();
    };
  }

  bv::test::ScopedEnv nullDriver{"QUORVEL_NULL_DRIVER", "1"};
  std::string home = bv::test::MakeTempFolder("shell");
  bv::test::ScopedEnv dataHome{"XDG_DATA_HOME", home.c_str()};
  bv::test::FakeClock clock;
  bv::test::ScopedClock useClock{&clock};
  bv::test::FakeVolumes volumes;
  std::unique_ptr<BvSystem> system;
  std::unique_ptr<ScriptedApp> app;
};

TEST_F(HeadlessShell, FramesArePacedToTheRefreshRateAndStepByTheAverage) {
  QuitAfter(30);
  app->Run();
  ASSERT_EQ(app->updates, 30);
  EXPECT_EQ(app->GetFrameCounter(), 30u);
  EXPECT_NEAR(app->FrameTimeMs(), 13.333f, 0.01f);
  // The first frame has no sample yet and steps by 75 frames per second.
  EXPECT_NEAR(app->steps[0], 13.333f, 0.01f);
  // Every frame lasts at least the frame time; the average settles near 75.
  EXPECT_GE(app->LastFrameMs(), 13.333f);
  EXPECT_NEAR(app->GetFpsAverage(), 75.0f, 1.0f);
  EXPECT_NEAR(app->steps.back(), 13.333f, 0.2f);
  // The loop sleeps to each frame's deadline, one frame time after the last.
  ASSERT_EQ(clock.deadlines.size(), 30u);
  for (size_t i = 1; i < clock.deadlines.size(); ++i)
    EXPECT_EQ(clock.deadlines[i] - clock.deadlines[i - 1], kFrameUs) << "frame " << i;
}

// QUORVEL_UNPACED=1 with a fixed step: no frame waits for its deadline, and
// every update still steps by the fixed time. Without a fixed step, or with
// another value, the frames stay paced.
TEST_F(HeadlessShell, UnpacedFramesFollowEachOtherWithoutSleeping) {
  struct Case {
    const char* unpaced;
    const char* step;
    bool sleeps;
  };
  const Case cases[] = {{"1", "20", false}, {"1", nullptr, true}, {"0", "20", true}, {nullptr, "20", true}};
  for (const Case& c : cases) {
    bv::test::ScopedEnv unpaced("QUORVEL_UNPACED", c.unpaced);
    bv::test::ScopedEnv step("QUORVEL_FRAME_MS", c.step);
    app = std::make_unique<ScriptedApp>();
    g_App = app.get();
    g_Quit = false;
    clock.deadlines.clear();
    QuitAfter(10);
    app->Run();
    const std::string what = std::string(c.unpaced ? c.unpaced : "unset") + ", step " +
                             (c.step ? c.step : "measured");
    ASSERT_EQ(app->updates, 10) << what;
    EXPECT_EQ(clock.deadlines.empty(), !c.sleeps) << what;
    if (c.step)
      for (float ms : app->steps) EXPECT_FLOAT_EQ(ms, 20.0f) << what;
  }
}

// Frames whose work varies and whose sleeps wake late still keep the
// cadence: the deadlines are absolute, so the errors do not add up.
TEST_F(HeadlessShell, LateWakeUpsAndUnevenWorkDoNotDelayLaterFrames) {
  clock.oversleepUs = 300;
  QuitAfter(40, [this](int frame) { clock.AdvanceMs(frame % 2 ? 2.0 : 11.0); });
  app->Run();
  ASSERT_EQ(clock.deadlines.size(), 40u);
  for (size_t i = 1; i < clock.deadlines.size(); ++i)
    EXPECT_EQ(clock.deadlines[i] - clock.deadlines[0], int64_t(i) * kFrameUs) << "frame " << i;
  // Forty frames took forty frame times (and the last wake-up's lateness).
  EXPECT_NEAR(app->GetFpsAverage(), 75.0f, 0.5f);
  // Every frame sleeps at least 1 ms, even the long ones.
  for (int64_t us : clock.sleepsUs) EXPECT_GE(us, 1000);
}

// A frame that overruns its deadline does not make the next ones hurry: the
// cadence starts again from the late frame.
TEST_F(HeadlessShell, AnOverrunFrameStartsANewCadence) {
  QuitAfter(6, [this](int frame) {
    if (frame == 3) clock.AdvanceMs(40.0);
  });
  app->Run();
  ASSERT_EQ(clock.deadlines.size(), 6u);
  // Frame 3 overran: it sleeps the least sleep, and frame 4 is due a whole
  // frame time after it started (not at once, to catch up).
  EXPECT_EQ(clock.sleepsUs[2], 1000);
  EXPECT_GE(clock.deadlines[3] - clock.deadlines[2], kFrameUs);
  EXPECT_EQ(clock.deadlines[4] - clock.deadlines[3], kFrameUs);
  EXPECT_EQ(clock.deadlines[5] - clock.deadlines[4], kFrameUs);
}

TEST_F(HeadlessShell, SlowFrameChangesTheAverageRateNotTheMeanFrameTime) {
  QuitAfter(4, [this](int frame) {
    if (frame == 3) clock.AdvanceMs(50.0);
  });
  app->Run();
  ASSERT_EQ(app->steps.size(), 4u);
  float fast = 1000.0f / app->steps[1];  // the rate of the first frame alone
  float slow = 1000.0f / 50.2f;
  // Frame 4 steps by 1000 / mean(rates), not by the mean frame time.
  float expected = 1000.0f / ((2 * fast + slow) / 3.0f);
  EXPECT_NEAR(app->steps[3], expected, 0.3f);
  EXPECT_LT(app->steps[3], 20.0f);
}

TEST_F(HeadlessShell, TheSecondRunStartsItsRingAfreshButKeepsTheAverage) {
  // A first run of slow frames (about 51 ms, some 20 frames per second).
  QuitAfter(3, [this](int) { clock.AdvanceMs(50.0); });
  app->Run();
  const float average = app->GetFpsAverage();
  ASSERT_LT(average, 21.0f);
  g_Quit = false;
  app->steps.clear();
  app->updates = 0;
  QuitAfter(3);
  app->Run();
  ASSERT_EQ(app->steps.size(), 3u);
  // The first frame steps by the average the last run left.
  EXPECT_FLOAT_EQ(app->steps[0], 1000.0f / average);
  // From then on only this run's fast frames count: 13.3 ms steps, where the
  // slow rates left in the ring would give about 30 ms.
  EXPECT_NEAR(app->steps[1], 13.333f, 0.2f);
  EXPECT_NEAR(app->steps[2], 13.333f, 0.2f);
}

TEST(FpsAverage, MeanOfTheLastTwentyRates) {
  BvApplication app(nullptr);
  // A frame measured at 0 ms adds no sample.
  app.SetLastFrameMs(0.0f);
  app.UpdateFpsAverage();
  EXPECT_FLOAT_EQ(app.GetFpsAverage(), 75.0f);
  // The first sample alone is the average.
  app.SetLastFrameMs(20.0f);
  app.UpdateFpsAverage();
  EXPECT_FLOAT_EQ(app.GetFpsAverage(), 50.0f);
  app.SetLastFrameMs(10.0f);
  app.UpdateFpsAverage();
  EXPECT_FLOAT_EQ(app.GetFpsAverage(), 75.0f);  // (50 + 100) / 2
  // Twenty samples fill the ring; the twenty-first pushes the 50 out.
  for (int i = 0; i < 18; ++i) app.UpdateFpsAverage();
  EXPECT_FLOAT_EQ(app.GetFpsAverage(), 97.5f);
  app.UpdateFpsAverage();
  EXPECT_FLOAT_EQ(app.GetFpsAverage(), 100.0f);
  EXPECT_FLOAT_EQ(app.GetTimeStepMs(), 10.0f);
}

// QUORVEL_FRAME_MS fixes every update's step whatever the frames take;
// values that are not a step in (0, 1000] ms leave the measured one.
TEST(FpsAverage, FixedStepFromTheEnvironment) {
  struct Case { const char* value; float step; };
  const Case cases[] = {{"10", 10.0f},    {"13.5", 13.5f}, {"1000", 1000.0f},
                        {"0", 20.0f},     {"-5", 20.0f},   {"abc", 20.0f},
                        {"12ms", 20.0f},  {"1001", 20.0f}, {nullptr, 20.0f}};
  for (const Case& c : cases) {
    bv::test::ScopedEnv env("QUORVEL_FRAME_MS", c.value);
    BvApplication app(nullptr);
    app.SetLastFrameMs(20.0f);  // the measured step
    app.UpdateFpsAverage();
    EXPECT_FLOAT_EQ(app.GetTimeStepMs(), c.step) << (c.value ? c.value : "unset");
  }
}

TEST_F(HeadlessShell, FocusLossMutesOnceAndTheReturnRestoresOnce) {
  volumes.effects = 0.35f;
  volumes.music = 0.7f;
  // The probe is asked once a frame, after the frame counter of the frames
  // before: frames 1-2 active, 3-5 inactive, 6-7 active again.
  system->activityProbe = [&] {
    int done = static_cast<int>(app->GetFrameCounter());
    if (done >= 6) app->Quit();
    // 8 ms of work a frame: an active frame then sleeps to its deadline,
    // an inactive one 10 ms past its work.
    clock.AdvanceMs(8.0);
    return !(done >= 2 && done < 5);
  };
  app->Run();
  EXPECT_EQ(app->pauses, 1);
  EXPECT_EQ(app->resumes, 1);
  EXPECT_EQ(volumes.log, (std::vector<std::string>{"effects 0.000000", "music 0.000000",
                                                    "effects 0.350000", "music 0.700000"}));
  // A windowed, inactive window still draws and sleeps 10 ms a frame.
  EXPECT_EQ(app->updates, 7);
  ASSERT_EQ(clock.sleepsUs.size(), 7u);
  EXPECT_LT(clock.sleepsUs[1], 10000);
  EXPECT_EQ(clock.sleepsUs[2], 10000);
  EXPECT_EQ(clock.sleepsUs[4], 10000);
  EXPECT_LT(clock.sleepsUs[5], 10000);
}

TEST_F(HeadlessShell, FullScreenFocusLossDrawsNothingAndRebuildsOnReturn) {
  ASSERT_TRUE(system->ResetDisplay(true, bv::kDriverOpenGL));
  ASSERT_EQ(system->config.fullScreen, 1);
  system->activityProbe = [&] {
    int frame = static_cast<int>(app->GetFrameCounter());
    if (frame >= 4) app->Quit();
    clock.AdvanceMs(8.0);
    return !(frame >= 1 && frame < 3);
  };
  app->Run();
  // Frames 2 and 3 were inactive: no update.
  EXPECT_EQ(app->updates, 3);
  EXPECT_EQ(app->pauses, 1);
  EXPECT_EQ(app->resumes, 1);
  // The return rebuilt the display (resources loaded again), again in full
  // screen.
  EXPECT_EQ(app->loads, 2);
  EXPECT_EQ(system->config.fullScreen, 1);
  EXPECT_EQ(volumes.effects, 1.0f);
  // Full screen keeps to the frame time even while inactive (no 10 ms
  // sleep after the work).
  ASSERT_EQ(clock.sleepsUs.size(), 5u);
  EXPECT_LT(clock.sleepsUs[1], 10000);
  EXPECT_LT(clock.sleepsUs[2], 10000);
}

TEST_F(HeadlessShell, AltEnterLeftPendingAfterThePumpTogglesTheDisplay) {
  QuitAfter(3, [this](int frame) {
    if (frame == 1) {
      PostKey(bv::kKeyLeftAlt, true);
      PostKey(bv::kKeyReturn, true);
      PostKey(bv::kKeyReturn, false);
    }
  });
  app->Run();
  EXPECT_EQ(system->config.fullScreen, 1);
  EXPECT_FALSE(system->FullScreenToggleRequested());
  // Resources were loaded at the start and again after the rebuild.
  EXPECT_EQ(app->loads, 2);
}

TEST_F(HeadlessShell, AltEnterCancelledByALaterEventKeepsTheDisplay) {
  QuitAfter(3, [this](int frame) {
    if (frame == 1) {
      PostKey(bv::kKeyLeftAlt, true);
      PostKey(bv::kKeyReturn, true);
      PostKey(bv::kKeyReturn, false);
      irr::SEvent move{};
      move.EventType = irr::EET_MOUSE_INPUT_EVENT;
      move.MouseInput.Event = irr::EMIE_MOUSE_MOVED;
      Post(move);
    }
  });
  app->Run();
  EXPECT_EQ(system->config.fullScreen, 0);
  EXPECT_EQ(app->loads, 1);
}

TEST_F(HeadlessShell, AltF4EndsTheLoopAfterTheNextFrame) {
  app->onUpdate = [this](int frame) {
    if (frame == 2) {
      PostKey(bv::kKeyRightAlt, true);
      PostKey(bv::kKeyF4, true);
      PostKey(bv::kKeyF4, false);
    }
    if (frame > 10) app->Quit();
  };
  app->Run();
  // The close is found in frame 3's pump, which ends the loop before that
  // frame's update: a quit seen costs no further frame.
  EXPECT_EQ(app->updates, 2);
  EXPECT_TRUE(g_Quit);
  EXPECT_FALSE(system->WindowExists());
}

TEST_F(HeadlessShell, F4WithoutAltKeepsTheWindow) {
  QuitAfter(3, [this](int frame) {
    if (frame == 1) {
      PostKey(bv::kKeyF4, true);
      PostKey(bv::kKeyF4, false);
    }
  });
  app->Run();
  EXPECT_EQ(app->updates, 3);
  EXPECT_TRUE(system->WindowExists());
}

TEST_F(HeadlessShell, FailedRebuildQuitsAndLeavesNoStalePointers) {
  // Neither the new mode nor the old can be made: a real device without
  // an X server to open it on.
  bv::test::ScopedEnv realDriver("QUORVEL_NULL_DRIVER", nullptr);
  bv::test::ScopedEnv noServer("DISPLAY", ":9999");
  system->fullScreenToggleRequest = 1;
  QuitAfter(5);  // only if the rebuild wrongly succeeded
  app->Run();
  EXPECT_EQ(app->updates, 0);
  EXPECT_TRUE(g_Quit);
  EXPECT_EQ(g_Device, nullptr);
  EXPECT_EQ(g_Driver, nullptr);
  EXPECT_EQ(g_SceneManager, nullptr);
  // The configuration can still be written afterwards.
  EXPECT_TRUE(system->SaveConfig());
}

TEST_F(HeadlessShell, QuitEndsTheLoopAndClearsTheKeys) {
  system->keyDown['A'] = 1;
  QuitAfter(1);
  app->Run();
  EXPECT_TRUE(g_Quit);
  EXPECT_FALSE(app->IsRunning());
  EXPECT_FALSE(app->IsKeyDown('A'));
}

TEST_F(HeadlessShell, WheelIsClearedAtTheStartOfEveryFrame) {
  system->wheel = 3.0f;
  float seen = -1.0f;
  QuitAfter(1, [&](int) { seen = system->wheel; });
  app->Run();
  EXPECT_EQ(seen, 0.0f);
}

TEST_F(HeadlessShell, LoadConfigAppliesTheStoredVolumes) {
  BvConfig stored;
  stored.effectsVolume = 70;
  stored.musicVolume = 35;
  ASSERT_TRUE(bv::WriteConfigFile(stored));
  volumes.log.clear();
  EXPECT_TRUE(system->LoadConfig());
  EXPECT_EQ(volumes.log, (std::vector<std::string>{"music 0.350000", "effects 0.700000"}));
}

// Fades and input queries need no frame loop.
class Services : public ::testing::Test {
 protected:
  Services() { g_System = &system; }
  ~Services() override { g_System = nullptr; }
  BvSystem system;
  BvApplication app{nullptr};
};

TEST_F(Services, FadeToColourCoversThenStops) {
  app.StartFade(irr::video::SColor(255, 0, 0, 0), 510.0f);
  EXPECT_TRUE(app.FadeToColour(500.0f));  // exactly 255 still answers true
  EXPECT_EQ(app.GetOverlayAlpha(), 255.0f);
  EXPECT_FALSE(app.FadeToColour(500.0f));
  EXPECT_EQ(app.GetOverlayAlpha(), 255.0f);

  app.StartFade(irr::video::SColor(255, 0, 0, 0), 100.0f);
  EXPECT_TRUE(app.FadeToColour(1000.0f));
  EXPECT_EQ(app.GetOverlayAlpha(), 100.0f);
  EXPECT_FALSE(app.FadeToColour(2000.0f));  // past 255: clamped
  EXPECT_EQ(app.GetOverlayAlpha(), 255.0f);
}

TEST_F(Services, FadeFromColourUncovers) {
  app.StartFade(irr::video::SColor(255, 0, 0, 0), 255.0f);
  EXPECT_TRUE(app.FadeFromColour(1000.0f));
  EXPECT_EQ(app.GetOverlayAlpha(), 0.0f);
  EXPECT_FALSE(app.FadeFromColour(1000.0f));

  app.StartFade(irr::video::SColor(255, 0, 0, 0), 100.0f);
  EXPECT_TRUE(app.FadeFromColour(505.0f));  // level 50.5 shows alpha 255 - 50
  EXPECT_EQ(app.GetOverlayAlpha(), 205.0f);
  EXPECT_FALSE(app.FadeFromColour(5000.0f));
  EXPECT_EQ(app.GetOverlayAlpha(), 0.0f);
}

TEST_F(Services, KeyQueries) {
  system.keyDown['K'] = 1;
  EXPECT_TRUE(app.IsKeyDown('K'));
  EXPECT_TRUE(app.WasKeyPressed('K'));
  EXPECT_FALSE(app.WasKeyPressed('K'));
  EXPECT_FALSE(app.IsKeyDown('K'));
  for (int outside : {-1, 256, 1000}) {
    EXPECT_FALSE(app.IsKeyDown(outside)) << outside;
    EXPECT_FALSE(app.WasKeyPressed(outside)) << outside;
  }
  system.lastKey = 'Q';
  EXPECT_EQ(app.PeekLastKey(), 'Q');
  EXPECT_EQ(app.GetLastKey(), 'Q');
  EXPECT_EQ(app.GetLastKey(), -1);
  system.keyDown[1] = system.keyDown[255] = 1;
  app.ClearKeyStates();
  EXPECT_FALSE(app.IsKeyDown(1));
  EXPECT_FALSE(app.IsKeyDown(255));
}

TEST_F(Services, ClickQueriesConsumeTheHeldState) {
  system.leftDown = 1;
  system.rightDown = 1;
  EXPECT_TRUE(app.IsLeftButtonDown());
  EXPECT_TRUE(app.WasLeftClicked());
  // A consumed click no longer reads as held for later callers.
  EXPECT_FALSE(app.IsLeftButtonDown());
  EXPECT_FALSE(app.WasLeftClicked());
  EXPECT_TRUE(app.IsRightButtonDown());
  EXPECT_TRUE(app.WasRightClicked());
  EXPECT_FALSE(app.IsRightButtonDown());
}

std::unique_ptr<bv::JoystickReader> ReaderOf(const std::vector<bv::test::JsEvent>& events) {
  return std::make_unique<bv::JoystickReader>(bv::test::WriteJoystickEvents(events));
}

using bv::test::JsAxis;

TEST_F(Services, JoystickDirectionsHaveADeadZoneAndPressEdges) {
  struct Case {
    int16_t x, y;
    bool left, right, up, down;
  };
  // Device values v become v + 32768: -12768 is 20000, 7232 is 40000.
  const Case cases[] = {
      {-12768, 7232, false, false, false, false},
      {-12769, 7233, true, false, false, true},
      {7233, -12769, false, true, true, false},
      {0, 0, false, false, false, false},
  };
  for (const Case& c : cases) {
    app.SetJoystickReader(ReaderOf({JsAxis(0, c.x), JsAxis(1, c.y)}));
    app.PollJoystick();
    EXPECT_EQ(app.IsLeftHeld(), c.left) << c.x << "," << c.y;
    EXPECT_EQ(app.IsRightHeld(), c.right) << c.x << "," << c.y;
    EXPECT_EQ(app.IsUpHeld(), c.up) << c.x << "," << c.y;
    EXPECT_EQ(app.IsDownHeld(), c.down) << c.x << "," << c.y;
    // Polled once more with no news: held, but no new press.
    app.PollJoystick();
    EXPECT_FALSE(app.WasLeftPressed());
    EXPECT_FALSE(app.WasDownPressed());
    app.PollJoystick();
    app.SetJoystickReader(ReaderOf({}));
    app.PollJoystick();
  }
  app.SetJoystickReader(ReaderOf({JsAxis(0, -32767)}));
  app.PollJoystick();
  EXPECT_TRUE(app.WasLeftPressed());
}

TEST_F(Services, ArrowKeyIsConsumedBeforeTheJoystickIsAsked) {
  app.SetJoystickReader(ReaderOf({JsAxis(0, 32767)}));
  app.PollJoystick();
  system.keyDown[0x27] = 1;  // right arrow
  EXPECT_TRUE(app.WasRightPressed());
  EXPECT_EQ(system.keyDown[0x27], 0);
  // The joystick's own edge still answers in the same poll.
  EXPECT_TRUE(app.WasRightPressed());
  app.PollJoystick();
  EXPECT_FALSE(app.WasRightPressed());
  EXPECT_TRUE(app.IsRightHeld());
}

TEST_F(Services, MissingJoystickLeavesEveryBitClear) {
  app.SetJoystickReader(std::make_unique<bv::JoystickReader>("/nonexistent/js0"));
  app.PollJoystick();
  EXPECT_FALSE(app.IsLeftHeld() || app.IsRightHeld() || app.IsUpHeld() || app.IsDownHeld());
}

}  // namespace
