#include <gtest/gtest.h>

#include <irrlicht.h>

#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

irr::SEvent Key(int code, bool down) {
  irr::SEvent e{};
  e.EventType = irr::EET_KEY_INPUT_EVENT;
  e.KeyInput.Key = static_cast<irr::EKEY_CODE>(code);
  e.KeyInput.PressedDown = down;
  return e;
}

irr::SEvent Mouse(irr::EMOUSE_INPUT_EVENT kind, int x = 0, int y = 0, float wheel = 0.0f) {
  irr::SEvent e{};
  e.EventType = irr::EET_MOUSE_INPUT_EVENT;
  e.MouseInput.Event = kind;
  e.MouseInput.X = x;
  e.MouseInput.Y = y;
  e.MouseInput.Wheel = wheel;
  return e;
}

class SystemEvents : public ::testing::Test {
 protected:
  void Send(const irr::SEvent& e) { EXPECT_TRUE(system.OnEvent(e)); }
  BvSystem system;
};

TEST_F(SystemEvents, AltEnterReleaseRequestsTheToggleWithAnyAltCode) {
  for (int alt : {bv::kKeyAlt, bv::kKeyLeftAlt, bv::kKeyRightAlt}) {
    system.ClearFullScreenToggleRequest();
    Send(Key(alt, true));
    Send(Key(bv::kKeyReturn, true));
    EXPECT_FALSE(system.FullScreenToggleRequested()) << "on the press, Alt code " << alt;
    Send(Key(bv::kKeyReturn, false));
    EXPECT_TRUE(system.FullScreenToggleRequested()) << "Alt code " << alt;
    Send(Key(alt, false));
    // The Alt release is an event too: it cancels the pending request.
    EXPECT_FALSE(system.FullScreenToggleRequested()) << "Alt code " << alt;
  }
}

TEST_F(SystemEvents, AnyLaterEventCancelsAnAltEnterRequest) {
  Send(Key(bv::kKeyLeftAlt, true));
  Send(Key(bv::kKeyReturn, true));
  Send(Key(bv::kKeyReturn, false));
  ASSERT_TRUE(system.FullScreenToggleRequested());
  Send(Mouse(irr::EMIE_MOUSE_MOVED, 5, 5));
  EXPECT_FALSE(system.FullScreenToggleRequested());
}

TEST_F(SystemEvents, DirectToggleRequestSurvivesInputEvents) {
  // As the options screen sets it on a click: the button release follows.
  system.fullScreenToggleRequest = 1;
  Send(Mouse(irr::EMIE_LMOUSE_LEFT_UP));
  Send(Key('A', true));
  EXPECT_TRUE(system.FullScreenToggleRequested());
  system.ClearFullScreenToggleRequest();
  EXPECT_FALSE(system.FullScreenToggleRequested());
}

TEST_F(SystemEvents, EnterWithoutAltDoesNothing) {
  Send(Key(bv::kKeyReturn, true));
  Send(Key(bv::kKeyReturn, false));
  EXPECT_FALSE(system.FullScreenToggleRequested());
}

TEST_F(SystemEvents, ChordCountsWhenAltIsLetGoFirst) {
  // Alt down, Enter down, Alt up, Enter up: the order xdotool sends.
  Send(Key(bv::kKeyLeftAlt, true));
  Send(Key(bv::kKeyReturn, true));
  Send(Key(bv::kKeyLeftAlt, false));
  Send(Key(bv::kKeyReturn, false));
  EXPECT_TRUE(system.FullScreenToggleRequested());
}

TEST_F(SystemEvents, KeysRecordDownStateAndLastKey) {
  Send(Key('A', true));
  Send(Key('B', true));
  EXPECT_EQ(system.lastKey, 'B');
  EXPECT_EQ(system.keyDown['A'], 1);
  // A key-up gives -1 even while another key is held.
  Send(Key('B', false));
  EXPECT_EQ(system.lastKey, -1);
  EXPECT_EQ(system.keyDown['B'], 0);
  EXPECT_EQ(system.keyDown['A'], 1);
  // Codes of 256 and above change nothing.
  Send(Key(300, true));
  EXPECT_EQ(system.lastKey, -1);
}

TEST_F(SystemEvents, MouseButtonsPositionAndWheel) {
  // Each event in a pump of its own, as a frame per event sees them.
  Send(Mouse(irr::EMIE_LMOUSE_PRESSED_DOWN));
  system.BeginMessagePump();
  Send(Mouse(irr::EMIE_LMOUSE_PRESSED_DOWN));
  EXPECT_EQ(system.leftDown, 1);
  system.BeginMessagePump();
  Send(Mouse(irr::EMIE_LMOUSE_LEFT_UP));
  EXPECT_EQ(system.leftDown, 0);
  Send(Mouse(irr::EMIE_RMOUSE_PRESSED_DOWN));
  EXPECT_EQ(system.rightDown, 1);
  system.BeginMessagePump();
  Send(Mouse(irr::EMIE_MMOUSE_PRESSED_DOWN));
  Send(Mouse(irr::EMIE_RMOUSE_LEFT_UP));
  EXPECT_EQ(system.rightDown, 0);
  Send(Mouse(irr::EMIE_MOUSE_MOVED, 123, 456));
  EXPECT_EQ(system.mouseX, 123);
  EXPECT_EQ(system.mouseY, 456);
  Send(Mouse(irr::EMIE_MOUSE_WHEEL, 0, 0, -1.0f));
  EXPECT_EQ(system.wheel, -1.0f);
}

// A click whose press and release both arrive in one pump (a slow frame)
// is seen by that frame and ends with the next pump.
TEST_F(SystemEvents, AClickWithinOnePumpIsSeenByItsFrame) {
  struct Button {
    irr::EMOUSE_INPUT_EVENT press, release;
    uint8_t BvSystem::*down;
  };
  const Button buttons[] = {
      {irr::EMIE_LMOUSE_PRESSED_DOWN, irr::EMIE_LMOUSE_LEFT_UP, &BvSystem::leftDown},
      {irr::EMIE_RMOUSE_PRESSED_DOWN, irr::EMIE_RMOUSE_LEFT_UP, &BvSystem::rightDown}};
  for (const Button& b : buttons) {
    system.BeginMessagePump();
    Send(Mouse(b.press));
    Send(Mouse(b.release));
    EXPECT_EQ(system.*b.down, 1) << "the frame after a quick click";
    system.BeginMessagePump();
    EXPECT_EQ(system.*b.down, 0) << "the next frame";
    // Press, release, press: the button is held when the pump ends.
    Send(Mouse(b.press));
    Send(Mouse(b.release));
    Send(Mouse(b.press));
    system.BeginMessagePump();
    EXPECT_EQ(system.*b.down, 1) << "held through the next pump";
    Send(Mouse(b.release));
    EXPECT_EQ(system.*b.down, 0) << "a release of a press an earlier frame saw";
  }
}

TEST(SystemDriver, StoredTypesMapToTheDriverOpened) {
  struct Case {
    int16_t stored;
    irr::video::E_DRIVER_TYPE opened;
  };
  const Case cases[] = {
      {0, irr::video::EDT_OPENGL},  // never the NULL driver from the file
      {1, irr::video::EDT_SOFTWARE},
      {2, irr::video::EDT_BURNINGSVIDEO},
      {3, irr::video::EDT_OPENGL},
      {4, irr::video::EDT_OPENGL},
      {5, irr::video::EDT_OPENGL},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(bv::DeviceDriverType(c.stored, false), c.opened) << "stored " << c.stored;
    EXPECT_EQ(bv::DeviceDriverType(c.stored, true), irr::video::EDT_NULL) << "stored " << c.stored;
  }
}

TEST(SystemDriver, RefreshRateOfZeroOrLessMeans75) {
  EXPECT_EQ(bv::UsableRefreshRate(0.0f), 75.0f);
  EXPECT_EQ(bv::UsableRefreshRate(-60.0f), 75.0f);
  EXPECT_EQ(bv::UsableRefreshRate(60.0f), 60.0f);
}

}  // namespace
