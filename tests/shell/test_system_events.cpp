#include <gtest/gtest.h>

#include <irrlicht.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/shell/application.h"

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
  EXPECT_EQ(system.lastKey, 'A');
  system.BeginMessagePump();  // a frame has had the A
  Send(Key('B', true));
  EXPECT_EQ(system.lastKey, 'B');
  EXPECT_EQ(system.keyDown['A'], 1);
  system.BeginMessagePump();
  // A key-up gives -1 even while another key is held.
  Send(Key('B', false));
  EXPECT_EQ(system.lastKey, -1);
  EXPECT_EQ(system.keyDown['B'], 0);
  EXPECT_EQ(system.keyDown['A'], 1);
  // Codes of 256 and above change nothing.
  Send(Key(300, true));
  EXPECT_EQ(system.lastKey, -1);
}

// Alt pressed and let go before Enter, all in one pump: no chord, though
// the frame still sees the Alt press.
TEST_F(SystemEvents, AnAltLetGoEarlierInThePumpMakesNoChord) {
  Send(Key(bv::kKeyLeftAlt, true));
  Send(Key(bv::kKeyLeftAlt, false));
  Send(Key(bv::kKeyReturn, true));
  Send(Key(bv::kKeyReturn, false));
  EXPECT_FALSE(system.FullScreenToggleRequested());
  EXPECT_EQ(system.keyDown[bv::kKeyLeftAlt], 1);
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

// Frames reading the keys as the game does, each after one message pump:
// the name entry takes the last key (GetLastKey), Escape is asked with
// WasKeyPressed. A letter per frame and "." for none; "E" for a frame that
// saw Escape pressed.
class KeyFrames : public ::testing::Test {
 protected:
  ~KeyFrames() override { g_System = nullptr; }
  // A fresh system object per run; the last one goes first, since a system
  // object owns the managers the globals point to.
  std::string Run(const std::vector<std::vector<irr::SEvent>>& pumps, int frames) {
    system.reset();
    system = std::make_unique<BvSystem>();
    g_System = system.get();
    std::string seen;
    for (int frame = 0; frame < frames; ++frame) {
      system->BeginMessagePump();
      if (frame < int(pumps.size()))
        for (const irr::SEvent& e : pumps[frame]) system->OnEvent(e);
      const int key = app.GetLastKey();
      if (app.WasKeyPressed(kEscape)) seen += 'E';
      else seen += key >= 'A' && key <= 'Z' ? char(key) : '.';
    }
    return seen;
  }
  static constexpr int kEscape = 27;
  std::unique_ptr<BvSystem> system;
  BvApplication app{nullptr};
};

irr::SEvent Down(int code) { return Key(code, true); }
irr::SEvent Up(int code) { return Key(code, false); }

TEST_F(KeyFrames, EveryPressIsSeenByAFrameInOrderOnce) {
  struct Case {
    const char* what;
    std::vector<std::vector<irr::SEvent>> pumps;
    std::string frames;
  };
  const int kEsc = kEscape;
  const Case cases[] = {
      {"a tap within one pump", {{Down(kEsc), Up(kEsc)}}, "E.."},
      {"a letter tapped within one pump", {{Down('A'), Up('A')}}, "A.."},
      {"two letters overlapping in one pump", {{Down('A'), Down('B'), Up('A'), Up('B')}}, "AB.."},
      {"the second letter down as the first goes up, next pump",
       {{Down('A')}, {Down('B'), Up('A')}, {Up('B')}}, "AB.."},
      {"press, release, press in one pump", {{Down('A'), Up('A'), Down('A')}, {}, {Up('A')}},
       "AA.."},
      {"press, release, press of two keys", {{Down('A'), Up('A'), Down('B')}, {Up('B')}}, "AB.."},
      {"key repeat: the held key pressed again and again",
       {{Down('A')}, {Down('A')}, {Down('A'), Down('A')}, {}, {Up('A')}}, "AAAA.."},
      {"a held key without repeats is typed once", {{Down('A')}, {}, {}, {Up('A')}}, "A..."},
      {"a word typed in one pump", {{Down('B'), Up('B'), Down('O'), Up('O'), Down('B'), Up('B')}},
       "BOB.."},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Run(c.pumps, int(c.frames.size())), c.frames) << c.what;
  }
}

// A press, a move and the release in one pump act where the press was; the
// move follows with the next pump.
TEST_F(SystemEvents, AClickWithinOnePumpActsWhereThePressWas) {
  system.BeginMessagePump();
  Send(Mouse(irr::EMIE_MOUSE_MOVED, 100, 200));
  Send(Mouse(irr::EMIE_LMOUSE_PRESSED_DOWN, 100, 200));
  Send(Mouse(irr::EMIE_MOUSE_MOVED, 300, 400));
  Send(Mouse(irr::EMIE_LMOUSE_LEFT_UP, 300, 400));
  EXPECT_EQ(system.leftDown, 1);
  EXPECT_EQ(system.mouseX, 100);
  EXPECT_EQ(system.mouseY, 200);
  system.BeginMessagePump();
  EXPECT_EQ(system.leftDown, 0);
  EXPECT_EQ(system.mouseX, 300);
  EXPECT_EQ(system.mouseY, 400);
  // Without a press in the pump a move takes effect at once.
  Send(Mouse(irr::EMIE_MOUSE_MOVED, 5, 6));
  EXPECT_EQ(system.mouseX, 5);
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
