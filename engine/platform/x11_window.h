#pragma once
// The X11 calls the shell makes on the device's own window: icon, cursor,
// focus, screen metrics, refresh rate and a non-fatal error handler. Displays
// and windows are passed as Irrlicht exposes them (void* and XID), so this
// header pulls in no Xlib macros.
#include <cstdint>
#include <vector>

namespace bv {

// An image as 0xAARRGGBB pixels, row by row from the top.
struct ArgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// Replaces Xlib's default error handler, which ends the process, with one
// that reports the error on stderr and goes on.
void InstallXErrorHandler();
// Errors seen by that handler since the start.
int XErrorCount();

// Size of the default screen of $DISPLAY; false when no display opens.
bool QueryScreenSize(int* width, int* height);

// Refresh rate of the current mode of the display's default screen in Hz,
// from its XF86VidMode mode line; 0 when it is not known.
float QueryRefreshRate(void* display);

// Sets the window's _NET_WM_ICON property.
void SetWindowIcon(void* display, unsigned long window, const ArgbImage& image);

// An ARGB cursor with the given hot spot; 0 when it cannot be made.
unsigned long CreateArgbCursor(void* display, const ArgbImage& image, int hotX, int hotY);
void DefineWindowCursor(void* display, unsigned long window, unsigned long cursor);
void FreeCursor(void* display, unsigned long cursor);

// Takes a pending close request (WM_DELETE_WINDOW) for the window out of the
// display's queue, leaving every other event where it is; true when there
// was one.
bool TakeCloseRequest(void* display, unsigned long window);

// True when a window manager announces itself on the root window.
bool HasWindowManager(void* display);

// Waits (up to about a second) until the window is viewable, then gives it
// the input focus. Only for use without a window manager.
void GiveInputFocus(void* display, unsigned long window);

}  // namespace bv
