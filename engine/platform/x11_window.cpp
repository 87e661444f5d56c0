#include "engine/platform/x11_window.h"

#include <X11/Xatom.h>
#include <X11/Xcursor/Xcursor.h>
#include <X11/Xlib.h>
#include <X11/extensions/xf86vmode.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace bv {
namespace {

int g_xErrors = 0;

int ReportXError(Display* display, XErrorEvent* event) {
  char text[256] = {0};
  XGetErrorText(display, event->error_code, text, sizeof text);
  std::fprintf(stderr, "X error (ignored): %s, request %d.%d\n", text, event->request_code,
               event->minor_code);
  ++g_xErrors;
  return 0;
}

Display* AsDisplay(void* display) { return static_cast<Display*>(display); }

// Premultiplies colour by alpha, as Xcursor expects.
uint32_t Premultiply(uint32_t argb) {
  uint32_t a = argb >> 24;
  uint32_t r = ((argb >> 16) & 0xFF) * a / 255;
  uint32_t g = ((argb >> 8) & 0xFF) * a / 255;
  uint32_t b = (argb & 0xFF) * a / 255;
  return (a << 24) | (r << 16) | (g << 8) | b;
}

// True when the image holds exactly width x height pixels (a short pixel
// list would be read past its end).
bool IsWhole(const ArgbImage& image) {
  if (image.width <= 0 || image.height <= 0) return false;
  size_t places = static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
  return image.pixels.size() == places;
}

}  // namespace

void InstallXErrorHandler() { XSetErrorHandler(ReportXError); }

int XErrorCount() { return g_xErrors; }

bool QueryScreenSize(int* width, int* height) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return false;
  int screen = DefaultScreen(display);
  *width = DisplayWidth(display, screen);
  *height = DisplayHeight(display, screen);
  XCloseDisplay(display);
  return true;
}

float QueryRefreshRate(void* display) {
  Display* d = AsDisplay(display);
  if (d == nullptr) return 0.0f;
  int eventBase = 0, errorBase = 0;
  if (!XF86VidModeQueryExtension(d, &eventBase, &errorBase)) return 0.0f;
  int dotClockKHz = 0;
  XF86VidModeModeLine line = {};
  if (!XF86VidModeGetModeLine(d, DefaultScreen(d), &dotClockKHz, &line)) return 0.0f;
  if (line.privsize > 0 && line.c_private != nullptr) XFree(line.c_private);
  if (line.htotal == 0 || line.vtotal == 0) return 0.0f;
  return static_cast<float>(dotClockKHz * 1000.0 / (double(line.htotal) * line.vtotal));
}

void SetWindowIcon(void* display, unsigned long window, const ArgbImage& image) {
  Display* d = AsDisplay(display);
  if (d == nullptr || window == 0 || !IsWhole(image)) return;
  // Format 32 properties are arrays of long: width, height, then the pixels.
  std::vector<unsigned long> data;
  data.reserve(2 + image.pixels.size());
  data.push_back(static_cast<unsigned long>(image.width));
  data.push_back(static_cast<unsigned long>(image.height));
  for (uint32_t pixel : image.pixels) data.push_back(pixel);
  Atom icon = XInternAtom(d, "_NET_WM_ICON", False);
  XChangeProperty(d, window, icon, XA_CARDINAL, 32, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(data.data()),
                  static_cast<int>(data.size()));
  XFlush(d);
}

unsigned long CreateArgbCursor(void* display, const ArgbImage& image, int hotX, int hotY) {
  Display* d = AsDisplay(display);
  if (d == nullptr || !IsWhole(image)) return 0;
  XcursorImage* cursorImage = XcursorImageCreate(image.width, image.height);
  if (cursorImage == nullptr) return 0;
  // The hot spot must lie inside the image.
  cursorImage->xhot = static_cast<XcursorDim>(std::clamp(hotX, 0, image.width - 1));
  cursorImage->yhot = static_cast<XcursorDim>(std::clamp(hotY, 0, image.height - 1));
  for (size_t i = 0; i < image.pixels.size(); ++i) cursorImage->pixels[i] = Premultiply(image.pixels[i]);
  Cursor cursor = XcursorImageLoadCursor(d, cursorImage);
  XcursorImageDestroy(cursorImage);
  return cursor;
}

void DefineWindowCursor(void* display, unsigned long window, unsigned long cursor) {
  Display* d = AsDisplay(display);
  if (d == nullptr || window == 0 || cursor == 0) return;
  XDefineCursor(d, window, cursor);
  XFlush(d);
}

void FreeCursor(void* display, unsigned long cursor) {
  Display* d = AsDisplay(display);
  if (d != nullptr && cursor != 0) XFreeCursor(d, cursor);
}

namespace {

struct CloseMatch {
  unsigned long window;
  Atom protocols;
  Atom deleteWindow;
};

Bool IsCloseRequest(Display*, XEvent* event, XPointer data) {
  const auto* match = reinterpret_cast<const CloseMatch*>(data);
  const XClientMessageEvent& message = event->xclient;
  return event->type == ClientMessage && message.window == match->window &&
                 message.message_type == match->protocols && message.format == 32 &&
                 static_cast<Atom>(message.data.l[0]) == match->deleteWindow
             ? True
             : False;
}

}  // namespace

bool TakeCloseRequest(void* display, unsigned long window) {
  auto* d = static_cast<Display*>(display);
  if (d == nullptr || window == 0) return false;
  CloseMatch match{window, XInternAtom(d, "WM_PROTOCOLS", True),
                   XInternAtom(d, "WM_DELETE_WINDOW", True)};
  if (match.protocols == None || match.deleteWindow == None) return false;
  XEvent event;
  return XCheckIfEvent(d, &event, IsCloseRequest, reinterpret_cast<XPointer>(&match)) == True;
}

bool HasWindowManager(void* display) {
  Display* d = AsDisplay(display);
  if (d == nullptr) return false;
  Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0, after = 0;
  unsigned char* value = nullptr;
  bool found = XGetWindowProperty(d, DefaultRootWindow(d), check, 0, 1, False, XA_WINDOW, &type,
                                  &format, &count, &after, &value) == Success &&
               type == XA_WINDOW && count == 1;
  if (value != nullptr) XFree(value);
  return found;
}

void GiveInputFocus(void* display, unsigned long window) {
  Display* d = AsDisplay(display);
  if (d == nullptr || window == 0) return;
  // Focus can only go to a viewable window; mapping may still be on its way.
  for (int attempt = 0; attempt < 100; ++attempt) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(d, window, &attributes) && attributes.map_state == IsViewable) {
      XSetInputFocus(d, window, RevertToParent, CurrentTime);
      XFlush(d);
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

}  // namespace bv
