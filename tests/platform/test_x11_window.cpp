// Window icon and cursor images handed to the X server: an image whose pixel
// list does not match its size is refused instead of being read past its end.
#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/platform/x11_window.h"
#include "support/private_x_server.h"
// Xlib last: its macros (None, Bool, Status) clash with the test framework.
#include <X11/Xlib.h>

namespace {

class X11Images : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_Server.Ok()) << "Xvfb did not start";
    m_Display = XOpenDisplay(m_Server.Display().c_str());
    ASSERT_NE(m_Display, nullptr) << "the X server does not answer";
    bv::InstallXErrorHandler();
  }
  void TearDown() override {
    if (m_Display != nullptr) XCloseDisplay(m_Display);
  }

  static bv::ArgbImage Image(int width, int height, size_t pixelCount) {
    bv::ArgbImage image;
    image.width = width;
    image.height = height;
    image.pixels.assign(pixelCount, 0xFF336699u);
    return image;
  }

  bv::test::PrivateXServer m_Server;
  Display* m_Display = nullptr;
};

TEST_F(X11Images, CursorNeedsExactlyOnePixelPerPlace) {
  struct Case {
    const char* what;
    bv::ArgbImage image;
    int hotX, hotY;
    bool made;
  };
  const Case cases[] = {
      {"whole 16x16", Image(16, 16, 256), 0, 0, true},
      {"hot spot outside is pulled inside", Image(16, 16, 256), 40, -3, true},
      {"short pixel list", Image(16, 16, 10), 0, 0, false},
      {"no pixels", Image(16, 16, 0), 0, 0, false},
      {"too many pixels", Image(4, 4, 100), 0, 0, false},
      {"zero size", Image(0, 16, 0), 0, 0, false},
      {"negative size", Image(-4, 4, 16), 0, 0, false},
  };
  for (const Case& c : cases) {
    unsigned long cursor = bv::CreateArgbCursor(m_Display, c.image, c.hotX, c.hotY);
    EXPECT_EQ(cursor != 0, c.made) << c.what;
    bv::FreeCursor(m_Display, cursor);
  }
}

TEST_F(X11Images, IconWithAShortPixelListIsNotSet) {
  Window window = XCreateSimpleWindow(m_Display, DefaultRootWindow(m_Display), 0, 0, 8, 8, 0, 0, 0);
  Atom icon = XInternAtom(m_Display, "_NET_WM_ICON", False);
  auto iconLongs = [&]() -> unsigned long {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* value = nullptr;
    XGetWindowProperty(m_Display, window, icon, 0, 1 << 16, False, AnyPropertyType, &type, &format,
                       &count, &after, &value);
    if (value != nullptr) XFree(value);
    return count;
  };
  bv::SetWindowIcon(m_Display, window, Image(8, 8, 3));
  EXPECT_EQ(iconLongs(), 0u);
  bv::SetWindowIcon(m_Display, window, Image(8, 8, 64));
  EXPECT_EQ(iconLongs(), 2u + 64u);  // width, height, then the pixels
  XDestroyWindow(m_Display, window);
}

}  // namespace

namespace {

void SendClientMessage(Display* display, Window window, Atom type, long value) {
  XEvent event = {};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = type;
  event.xclient.format = 32;
  event.xclient.data.l[0] = value;
  XSendEvent(display, window, False, NoEventMask, &event);
}

// While a screen loads no pump runs: the window's close request is taken
// from the queue on its own, every other event stays for the pump.
TEST_F(X11Images, CloseRequestIsTakenAndOtherEventsStay) {
  const Window window = XCreateSimpleWindow(m_Display, DefaultRootWindow(m_Display), 0, 0, 8, 8,
                                            0, 0, 0);
  const Atom protocols = XInternAtom(m_Display, "WM_PROTOCOLS", False);
  const Atom deleteWindow = XInternAtom(m_Display, "WM_DELETE_WINDOW", False);
  const Atom other = XInternAtom(m_Display, "QV_OTHER", False);
  XSync(m_Display, False);
  EXPECT_FALSE(bv::TakeCloseRequest(m_Display, window)) << "nothing asked yet";
  SendClientMessage(m_Display, window, other, 7);
  SendClientMessage(m_Display, window, protocols, static_cast<long>(deleteWindow));
  XSync(m_Display, False);
  EXPECT_TRUE(bv::TakeCloseRequest(m_Display, window));
  EXPECT_FALSE(bv::TakeCloseRequest(m_Display, window)) << "taken once";
  ASSERT_EQ(XPending(m_Display), 1);
  XEvent left;
  XNextEvent(m_Display, &left);
  EXPECT_EQ(left.xclient.message_type, other);
  EXPECT_FALSE(bv::TakeCloseRequest(nullptr, window));
  XDestroyWindow(m_Display, window);
}

}  // namespace
