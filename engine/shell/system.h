#pragma once
// The one system object: owns the Irrlicht device and its window, receives
// every input event and keeps the raw input state, holds the configuration,
// the refresh rate and the window size, and mounts the data pack.
#include <irrlicht.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/shell/config.h"

namespace bv {
class VolumeControl;
}

// Irrlicht key codes the shell reacts to (Windows virtual-key codes).
namespace bv {
constexpr int kKeyCount = 256;
constexpr int kKeyReturn = 0x0D;
constexpr int kKeyAlt = 0x12;       // generic Alt
constexpr int kKeyLeftAlt = 0xA4;   // what X11 reports for Alt
constexpr int kKeyRightAlt = 0xA5;
constexpr int kKeyF4 = 0x73;

// Driver types as stored in "config.dat" (Irrlicht's numbering).
constexpr int16_t kDriverNull = 0;
constexpr int16_t kDriverDirect3D8 = 3;
constexpr int16_t kDriverDirect3D9 = 4;
constexpr int16_t kDriverOpenGL = 5;

// Set QUORVEL_FRAME_STATISTICS=1 to draw the frame statistics lines over
// every frame (a test switch; the game never sets the flag itself).
bool FrameStatisticsRequested();

// Set QUORVEL_NULL_DRIVER=1 to open Irrlicht's NULL driver (no window) for
// headless runs; a stored driver type never selects it.
bool NullDriverRequested();

// The driver Irrlicht is asked for: 3, 4 and 5 open OpenGL, 1 and 2 (the
// software renderers) and unknown values are passed on, 0 opens OpenGL.
irr::video::E_DRIVER_TYPE DeviceDriverType(int16_t storedType, bool nullRequested);

// Refresh rate used for pacing: a reported rate of 0 or less means 75 Hz.
float UsableRefreshRate(float reported);
}  // namespace bv

class BvSystem : public irr::IEventReceiver {
 public:
  // The window argument of the original is always null; kept for shape.
  explicit BvSystem(void* window = nullptr);
  ~BvSystem() override;

  // Records the input state; always true, so nothing goes on to Irrlicht's
  // GUI environment or scene manager.
  bool OnEvent(const irr::SEvent& event) override;

  // Reads "config.dat" (or the defaults) and applies the volumes. Always true.
  bool LoadConfig();
  // Writes "config.dat"; true when it was written.
  bool SaveConfig();

  // Creates device, window and driver (800 by 600, 32 then 16 bits, vsync,
  // no stencil buffer); full screen forced unless the desktop is larger than
  // 810 by 610. Presents one frame of the start clear colour at once, so the
  // window shows it while the data loads, then mounts "data/data.pk". False
  // when no device could be made.
  bool CreateDisplay(bool fullScreen, int16_t driverType);
  // Drops the device and creates a new one.
  bool ResetDisplay(bool fullScreen, int16_t driverType);
  bool IsDesktopLargerThanWindow();

  // Creates the game host, runs it and deletes it (defined with the host).
  void RunSession();

  // Cursor handles are the system's own numbers (0 is none); each stands for
  // an image file and a hot spot, and survives display rebuilds.
  // Shows the custom cursor again (when it is not the one shown).
  void RestoreDefaultCursor();
  // Shows the given cursor on the window (when not 0 and not shown).
  void SetClassCursor(unsigned long cursor);
  // A cursor from an image file (opened through the device's file system:
  // pack, then folder) with the given hot spot; 0 when the image can't be
  // read.
  unsigned long LoadCursorImage(const std::string& fileName, int hotX, int hotY);
  // Defines the shown cursor on the window again (Irrlicht's cursor control
  // may have replaced it when it showed or hid the cursor).
  void ReapplyCursor();

  // Frame-loop helpers.
  // False once the window was closed (Alt+F4, the window manager, a quit
  // signal) or there is no device.
  bool WindowExists() const;
  // Runs the device's message pump; events arrive in OnEvent.
  void PumpMessages();
  // Ends the frame's view of the keys and buttons before the next pump: a
  // release held back for a press made in the same pump takes effect now,
  // a mouse move held back behind a press too, and the next key press still
  // waiting becomes the last key.
  void BeginMessagePump();
  // The window has the focus. A NULL device has no window and counts as
  // active; tests may replace the answer through activityProbe.
  bool IsWindowActive() const;
  // Asks the window to close, as Alt+F4 does.
  void CloseWindow();
  // Between frames, while a screen loads: takes a close request for the
  // window from its queue without running the pump; true once the window
  // was closed. The loaders ask it through bv::QuitPending.
  bool CloseRequestedWhileBusy();
  // A full-screen toggle is wanted (by Alt+Enter or by a direct request).
  bool FullScreenToggleRequested() const { return fullScreenToggleRequest || altEnterRequest; }
  void ClearFullScreenToggleRequest() {
    fullScreenToggleRequest = 0;
    altEnterRequest = 0;
  }
  // Alt is down (X11 reports the left and right keys, never the generic one).
  bool IsAltDown() const;
  // The device is Irrlicht's NULL device (no window).
  bool IsHeadless() const { return headless; }
  // The X11 display and window of the device (null and 0 when headless).
  void* Display() const { return xDisplay; }
  unsigned long Window() const { return window; }

  // Fields in the order of the original record.
  // Full-screen toggle asked for directly (options screen, resume step);
  // only input events do not cancel it.
  uint8_t fullScreenToggleRequest = 0;
  uint8_t driverSwitchRequest = 0;
  uint8_t desktopLargerThanWindow = 1;
  // Draws the frame statistics lines (set only by QUORVEL_FRAME_STATISTICS).
  uint8_t showFrameStatistics = 0;
  uint8_t displayReady = 0;
  unsigned long window = 0;
  // Display refresh rate in Hz.
  float refreshRate = 75.0f;
  uint8_t keyDown[bv::kKeyCount] = {};
  int16_t lastKey = -1;
  // Keys are mended like the buttons: a press and its release in one pump
  // leave the key down for that frame; every press is the last key of one
  // frame, in the order pressed (the presses after the first of a pump
  // wait in laterKeys, one frame each). A key-up clears the last key only
  // once a frame has had it.
  uint8_t keyPressedInPump[bv::kKeyCount] = {};
  uint8_t keyReleaseHeld[bv::kKeyCount] = {};
  bool lastKeyUnseen = false;
  std::deque<int16_t> laterKeys;
  // Last mouse position in window pixels.
  int16_t mouseX = 0;
  int16_t mouseY = 0;
  uint8_t leftDown = 0;
  uint8_t rightDown = 0;
  // A press and its release in one pump (a quick click on a slow frame)
  // leave the button down for that frame, so the click is not lost; the
  // release is applied at the start of the next pump.
  uint8_t leftPressedInPump = 0;
  uint8_t rightPressedInPump = 0;
  uint8_t leftReleaseHeld = 0;
  uint8_t rightReleaseHeld = 0;
  // Moves after a press in the same pump wait for the next pump, so the
  // frame acts where the button went down.
  uint8_t mouseMoveHeld = 0;
  int16_t heldMouseX = 0;
  int16_t heldMouseY = 0;
  // Wheel movement of the last wheel event; cleared every frame.
  float wheel = 0.0f;
  int32_t windowWidth = 800;
  int32_t windowHeight = 600;
  BvConfig config;
  uint8_t windowInactive = 0;
  unsigned long customCursor = 0;
  int32_t cursorIconId = 0;

  // Toggle raised by Alt+Enter; any later input event of the same message
  // pump cancels it.
  uint8_t altEnterRequest = 0;
  // Enter or F4 went down while Alt was down.
  uint8_t altEnterArmed = 0;
  uint8_t altF4Armed = 0;
  // The sound output's volumes (null until a sound manager exists).
  bv::VolumeControl* volumes = nullptr;
  // Test seam: when set, answers IsWindowActive.
  std::function<bool()> activityProbe;

 private:
  void PresentClearedFrame();
  void SetUpWindow();
  void SetUpCustomCursor();
  void DropDevice();
  void OnKey(int code, bool down);
  void OnMouseMove(int x, int y);

  // X11 display of the device's window.
  void* xDisplay = nullptr;
  bool headless = false;
  // Set when the window was closed or the message pump reported its end.
  bool windowClosed = false;
  struct CursorEntry {
    std::string fileName;
    int hotX = 0;
    int hotY = 0;
    // The X cursor on the current device's display; made on first use.
    unsigned long xCursor = 0;
  };
  unsigned long XCursorFor(unsigned long cursor);

  std::vector<CursorEntry> cursors;
  // The cursor handle now defined on the window.
  unsigned long shownCursor = 0;
  // "config.dat" as LoadConfig found it: SaveConfig leaves alone a file
  // that could not be read.
  std::optional<bv::KeptFile> configFile;
};
