#include "engine/shell/run_system.h"

#include "engine/platform/clock.h"
#include "engine/platform/message_box.h"
#include "engine/platform/quit_signal.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {

constexpr const char* kErrorCaption = "Error";
constexpr const char* kDisplayFailed =
    "Failed to initialize display mode, please make sure you have DirectX 9 or later installed "
    "on your computer.";
// The steady clock always has a frequency, so this stays unseen in practice.
constexpr const char* kTimerFailed = "Failed to initialize the timer.";

}  // namespace

namespace bv {

bool OpenStartDisplay(BvSystem& system) {
  const bool storedFullScreen = system.config.fullScreen != 0;
  const int16_t storedDriver = system.config.driverType;
  if (system.CreateDisplay(storedFullScreen, storedDriver)) return true;
  // Settings that no longer work must not lock the player out: once more
  // with OpenGL in a window. CreateDisplay stores what worked, which is what
  // "config.dat" then keeps.
  if (!storedFullScreen && storedDriver == kDriverOpenGL) return false;
  return system.CreateDisplay(false, kDriverOpenGL);
}

}  // namespace bv

void RunSystem(bv::SessionRunner session) {
  bv::InstallQuitSignalHandlers();
  {
    BvSystem system;
    g_System = &system;
    if (system.LoadConfig()) {
      // Taking the foreground needs no system-wide setting here: the window
      // is given the focus when it is made.
      if (!bv::OpenStartDisplay(system)) {
        bv::ShowMessageBox(kErrorCaption, kDisplayFailed);
      } else {
        g_TimerFrequency = bv::GetClock().TicksPerSecond();
        if (g_TimerFrequency <= 0) {
          bv::ShowMessageBox(kErrorCaption, kTimerFailed);
        } else {
          g_TimerReady = true;
          if (session != nullptr) session(system);
          system.SaveConfig();
          g_TimerReady = false;
        }
      }
    }
    g_System = nullptr;
  }
}
