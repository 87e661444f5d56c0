#include "engine/shell/system.h"

#include <cstdlib>
#include <cstring>

#include "engine/platform/quit_signal.h"
#include "engine/platform/x11_window.h"
#include "engine/resources/decoded_image_check.h"
#include "engine/resources/image_file_check.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/model_manager.h"
#include "engine/shell/renderer_threads.h"
#include "engine/shell/volume_control.h"
#include "engine/sound/sound_manager.h"

namespace bv {

// An image file read through the driver (pack first, then folder); empty
// when it can't be read.
ArgbImage ReadImage(irr::video::IVideoDriver* driver, const std::string& fileName);

namespace {

// The window caption and the images of the window icon and custom cursor
// (looked up in the pack, then in the folder).
constexpr const wchar_t* kWindowCaption = L"Quorvel";
constexpr const char* kWindowIconImage = "icons/icon101.png";
constexpr const char* kCustomCursorImage = "icons/cursor122.png";
constexpr int32_t kCustomCursorId = 122;
// The data pack, relative to the working directory.
constexpr const char* kDataPack = "data/data.pk";
// Colour depths tried, in order.
constexpr irr::u8 kPreferredBits = 32;
constexpr irr::u8 kFallbackBits = 16;
// The desktop must exceed the window by more than this (pixels, each way)
// for a windowed display.
constexpr int kDesktopMargin = 10;
constexpr float kFallbackRefreshRate = 75.0f;
// Message-pump passes a rebuilt device gets to report itself running.
constexpr int kMaxRunAttempts = 100;
// Key presses waiting for a frame of their own; more in one pump (a stuck
// or flooding keyboard) are dropped.
constexpr size_t kMaxWaitingKeys = 64;

// A button's state as a pump's events leave it: down on a press; up on a
// release, unless the press came in the same pump and no frame has seen it.
void Press(uint8_t& down, uint8_t& pressedInPump, uint8_t& releaseHeld) {
  down = 1;
  pressedInPump = 1;
  releaseHeld = 0;
}

void Release(uint8_t& down, uint8_t& pressedInPump, uint8_t& releaseHeld) {
  if (pressedInPump) releaseHeld = 1;
  else down = 0;
}

void ApplyHeldRelease(uint8_t& down, uint8_t& pressedInPump, uint8_t& releaseHeld) {
  if (releaseHeld) down = 0;
  pressedInPump = 0;
  releaseHeld = 0;
}
}  // namespace

ArgbImage ReadImage(irr::video::IVideoDriver* driver, const std::string& fileName) {
  ArgbImage result;
  if (driver == nullptr || QuitPending() || !IsUsableImageFile(fileName.c_str())) return result;
  irr::video::IImage* image = driver->createImageFromFile(fileName.c_str());
  if (image == nullptr) return result;
  const PictureSize largest = LargestPicture(driver);
  if (!HoldsWholePicture(image, irr::core::dimension2du(largest.width, largest.height))) {
    image->drop();
    return result;
  }
  irr::core::dimension2du size = image->getDimension();
  result.width = static_cast<int>(size.Width);
  result.height = static_cast<int>(size.Height);
  result.pixels.reserve(size.Width * size.Height);
  for (irr::u32 y = 0; y < size.Height; ++y) {
    for (irr::u32 x = 0; x < size.Width; ++x) result.pixels.push_back(image->getPixel(x, y).color);
  }
  image->drop();
  return result;
}

bool FrameStatisticsRequested() {
  const char* value = std::getenv("QUORVEL_FRAME_STATISTICS");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

bool NullDriverRequested() {
  const char* value = std::getenv("QUORVEL_NULL_DRIVER");
  return value != nullptr && std::strcmp(value, "1") == 0;
}

irr::video::E_DRIVER_TYPE DeviceDriverType(int16_t storedType, bool nullRequested) {
  if (nullRequested) return irr::video::EDT_NULL;
  switch (storedType) {
    case kDriverNull:
    case kDriverDirect3D8:
    case kDriverDirect3D9:
    case kDriverOpenGL:
      return irr::video::EDT_OPENGL;
    default:
      // The software renderers (1, 2) as they are; an unknown type makes the
      // device creation fail, which start-up reports.
      return static_cast<irr::video::E_DRIVER_TYPE>(storedType);
  }
}

float UsableRefreshRate(float reported) { return reported > 0.0f ? reported : kFallbackRefreshRate; }

}  // namespace bv

namespace {
// The system whose window the loaders' quit poll watches.
BvSystem* g_PolledSystem = nullptr;

bool PollWindowClose() { return g_PolledSystem && g_PolledSystem->CloseRequestedWhileBusy(); }

void WatchWindowCloseWhileLoading(BvSystem* system) {
  g_PolledSystem = system;
  bv::SetQuitPoll(system ? &PollWindowClose : nullptr);
}
}  // namespace

BvSystem::BvSystem(void* /*window*/) {
  g_TextureManager = new BvTextureManager();
  // Opens the audio device (and its thread) before any window exists.
  g_SoundManager = new BvSoundManager();
  volumes = g_SoundManager;
  showFrameStatistics = bv::FrameStatisticsRequested() ? 1 : 0;
  WatchWindowCloseWhileLoading(this);
}

BvSystem::~BvSystem() {
  if (g_PolledSystem == this) WatchWindowCloseWhileLoading(nullptr);
  // Its nodes belong to the device's scene manager.
  delete g_ModelManager;
  g_ModelManager = nullptr;
  DropDevice();
  delete g_TextureManager;
  g_TextureManager = nullptr;
  // Releases the audio device, which ends the audio thread.
  volumes = nullptr;
  delete g_SoundManager;
  g_SoundManager = nullptr;
}

bool BvSystem::IsAltDown() const {
  // As the keyboard has it now: an Alt let go in this pump is up, even while
  // the frame still sees its press.
  for (int alt : {bv::kKeyAlt, bv::kKeyLeftAlt, bv::kKeyRightAlt}) {
    if (keyDown[alt] && !keyReleaseHeld[alt]) return true;
  }
  return false;
}

void BvSystem::OnKey(int code, bool down) {
  if (!down) {
    bv::Release(keyDown[code], keyPressedInPump[code], keyReleaseHeld[code]);
    if (!lastKeyUnseen) lastKey = -1;
    return;
  }
  bv::Press(keyDown[code], keyPressedInPump[code], keyReleaseHeld[code]);
  if (laterKeys.size() < bv::kMaxWaitingKeys) laterKeys.push_back(static_cast<int16_t>(code));
  // The last key is free unless it holds a press no frame has had yet.
  if (!lastKeyUnseen || lastKey == -1) {
    lastKey = laterKeys.front();
    laterKeys.pop_front();
    lastKeyUnseen = true;
  }
}

void BvSystem::OnMouseMove(int x, int y) {
  if (leftPressedInPump || rightPressedInPump) {
    mouseMoveHeld = 1;
    heldMouseX = static_cast<int16_t>(x);
    heldMouseY = static_cast<int16_t>(y);
    return;
  }
  mouseX = static_cast<int16_t>(x);
  mouseY = static_cast<int16_t>(y);
}

bool BvSystem::OnEvent(const irr::SEvent& event) {
  // Only a toggle still pending after the whole message pump is carried out.
  altEnterRequest = 0;
  if (event.EventType == irr::EET_MOUSE_INPUT_EVENT) {
    const irr::SEvent::SMouseInput& mouse = event.MouseInput;
    switch (mouse.Event) {
      case irr::EMIE_LMOUSE_PRESSED_DOWN: bv::Press(leftDown, leftPressedInPump, leftReleaseHeld); break;
      case irr::EMIE_RMOUSE_PRESSED_DOWN: bv::Press(rightDown, rightPressedInPump, rightReleaseHeld); break;
      case irr::EMIE_LMOUSE_LEFT_UP: bv::Release(leftDown, leftPressedInPump, leftReleaseHeld); break;
      case irr::EMIE_RMOUSE_LEFT_UP: bv::Release(rightDown, rightPressedInPump, rightReleaseHeld); break;
      case irr::EMIE_MOUSE_MOVED: OnMouseMove(mouse.X, mouse.Y); break;
      case irr::EMIE_MOUSE_WHEEL: wheel = mouse.Wheel; break;
      default: break;
    }
  } else if (event.EventType == irr::EET_KEY_INPUT_EVENT) {
    const irr::SEvent::SKeyInput& key = event.KeyInput;
    int code = static_cast<int>(key.Key);
    if (code >= 0 && code < bv::kKeyCount) {
      OnKey(code, key.PressedDown);
      // The chord acts on the release of Enter or F4 while Alt is down, or
      // when Alt was down as the key went down: on X11 the keys of a chord
      // may be let go in either order.
      if (code == bv::kKeyReturn || code == bv::kKeyF4) {
        uint8_t& armed = code == bv::kKeyReturn ? altEnterArmed : altF4Armed;
        if (key.PressedDown) {
          armed = IsAltDown() ? 1 : 0;
        } else {
          bool chord = IsAltDown() || armed;
          armed = 0;
          if (chord && code == bv::kKeyReturn) altEnterRequest = 1;
          if (chord && code == bv::kKeyF4) CloseWindow();
        }
      }
    }
  }
  // Log texts are dropped: Irrlicht's log is silenced, and there is no
  // debugger output to pass them to.
  return true;
}

bool BvSystem::LoadConfig() {
  configFile.emplace(bv::MakeConfigFile());
  config = bv::ReadConfigFile(*configFile);
  if (volumes != nullptr) {
    volumes->SetMusicVolume(config.musicVolume / 100.0f);
    volumes->SetEffectsVolume(config.effectsVolume / 100.0f);
  }
  return true;
}

bool BvSystem::SaveConfig() {
  if (!configFile) configFile.emplace(bv::MakeConfigFile());
  return bv::WriteConfigFile(*configFile, config);
}

bool BvSystem::IsDesktopLargerThanWindow() {
  int width = 0, height = 0;
  // Without a display to measure, a window is as good as anything.
  if (!bv::QueryScreenSize(&width, &height)) return true;
  return width > windowWidth + bv::kDesktopMargin && height > windowHeight + bv::kDesktopMargin;
}

bool BvSystem::CreateDisplay(bool fullScreen, int16_t driverType) {
  window = 0;
  xDisplay = nullptr;
  windowClosed = false;
  std::memset(keyDown, 0, sizeof keyDown);
  std::memset(keyPressedInPump, 0, sizeof keyPressedInPump);
  std::memset(keyReleaseHeld, 0, sizeof keyReleaseHeld);

  headless = bv::NullDriverRequested();
  desktopLargerThanWindow = headless ? 1 : IsDesktopLargerThanWindow();
  if (!desktopLargerThanWindow) fullScreen = true;

  if (!headless) bv::InstallXErrorHandler();
  g_Device = nullptr;
  irr::SIrrlichtCreationParameters params;
  params.DriverType = bv::DeviceDriverType(driverType, headless);
  params.WindowSize = irr::core::dimension2du(windowWidth, windowHeight);
  params.Bits = bv::kPreferredBits;
  params.Fullscreen = fullScreen;
  params.Stencilbuffer = false;
  params.Vsync = true;
  params.EventReceiver = this;
  {
    // The software renderer reads its thread count while the device is made.
    const bv::SoftwareRendererThreads rendererThreads;
    g_Device = irr::createDeviceEx(params);
    if (g_Device == nullptr) {
      params.Bits = bv::kFallbackBits;
      g_Device = irr::createDeviceEx(params);
    }
  }
  if (g_Device == nullptr) return false;
  // Irrlicht sets its own handler while it makes the window; take it back.
  if (!headless) bv::InstallXErrorHandler();

  g_Driver = g_Device->getVideoDriver();
  g_SceneManager = g_Device->getSceneManager();
  if (g_Driver == nullptr) {
    DropDevice();
    return false;
  }
  g_Device->getLogger()->setLogLevel(irr::ELL_NONE);

  displayReady = 1;
  // Full screen may have fallen back to a window (no matching video mode).
  config.fullScreen = g_Device->isFullscreen() ? 1 : 0;
  config.driverType = driverType;

  if (irr::gui::ICursorControl* cursorControl = g_Device->getCursorControl()) {
    cursorControl->setVisible(true);
  }

  g_Driver->setTextureCreationFlag(irr::video::ETCF_OPTIMIZED_FOR_QUALITY, true);
  g_Driver->setTextureCreationFlag(irr::video::ETCF_CREATE_MIP_MAPS, false);
  if (params.DriverType == irr::video::EDT_OPENGL) {
    const irr::video::SExposedVideoData& data = g_Driver->getExposedVideoData();
    xDisplay = data.OpenGLLinux.X11Display;
    window = data.OpenGLLinux.X11Window;
    refreshRate = bv::UsableRefreshRate(bv::QueryRefreshRate(xDisplay));
  }
  PresentClearedFrame();
  // A missing pack is not reported: files are then found in the folder only.
  g_Device->getFileSystem()->addFileArchive(bv::kDataPack, true, false, irr::io::EFAT_ZIP);

  SetUpWindow();
  SetUpCustomCursor();
  return true;
}

void BvSystem::PresentClearedFrame() {
  if (g_Driver->beginScene(true, true, irr::video::SColor(bv::kStartClearColour))) g_Driver->endScene();
}

void BvSystem::SetUpWindow() {
  g_Device->setWindowCaption(bv::kWindowCaption);
  if (window == 0) return;
  bv::ArgbImage icon = bv::ReadImage(g_Driver, bv::kWindowIconImage);
  if (icon.width > 0) bv::SetWindowIcon(xDisplay, window, icon);
  // Without a window manager nobody gives the new window the focus.
  if (!bv::HasWindowManager(xDisplay)) bv::GiveInputFocus(xDisplay, window);
}

void BvSystem::SetUpCustomCursor() {
  cursorIconId = bv::kCustomCursorId;
  shownCursor = 0;
  if (customCursor == 0) customCursor = LoadCursorImage(bv::kCustomCursorImage, 0, 0);
  RestoreDefaultCursor();
}

unsigned long BvSystem::LoadCursorImage(const std::string& fileName, int hotX, int hotY) {
  for (size_t i = 0; i < cursors.size(); ++i) {
    const CursorEntry& entry = cursors[i];
    if (entry.fileName == fileName && entry.hotX == hotX && entry.hotY == hotY) return i + 1;
  }
  // Check that the image can be read before handing out a handle.
  irr::io::path checkPath(fileName.c_str());
  if (g_Device == nullptr || !g_Device->getFileSystem()->existFile(checkPath)) return 0;
  CursorEntry entry;
  entry.fileName = fileName;
  entry.hotX = hotX;
  entry.hotY = hotY;
  cursors.push_back(entry);
  return cursors.size();
}

unsigned long BvSystem::XCursorFor(unsigned long cursor) {
  if (cursor == 0 || cursor > cursors.size() || xDisplay == nullptr) return 0;
  CursorEntry& entry = cursors[cursor - 1];
  if (entry.xCursor == 0) {
    bv::ArgbImage image = bv::ReadImage(g_Driver, entry.fileName);
    entry.xCursor = bv::CreateArgbCursor(xDisplay, image, entry.hotX, entry.hotY);
  }
  return entry.xCursor;
}

void BvSystem::RestoreDefaultCursor() { SetClassCursor(customCursor); }

void BvSystem::SetClassCursor(unsigned long cursor) {
  if (cursor == 0 || cursor == shownCursor) return;
  shownCursor = cursor;
  ReapplyCursor();
}

void BvSystem::ReapplyCursor() {
  unsigned long xCursor = XCursorFor(shownCursor);
  if (xCursor != 0) bv::DefineWindowCursor(xDisplay, window, xCursor);
}

void BvSystem::DropDevice() {
  if (g_Device == nullptr) return;
  // X cursors belong to this device's display connection.
  for (CursorEntry& entry : cursors) {
    bv::FreeCursor(xDisplay, entry.xCursor);
    entry.xCursor = 0;
  }
  shownCursor = 0;
  bv::DiscardQuads();
  g_Device->closeDevice();
  g_Device->drop();
  // Device, driver and scene manager go together, so no stale pointer is
  // left for the shutdown to use.
  g_Device = nullptr;
  g_Driver = nullptr;
  g_SceneManager = nullptr;
  xDisplay = nullptr;
  window = 0;
  displayReady = 0;
}

bool BvSystem::ResetDisplay(bool fullScreen, int16_t driverType) {
  DropDevice();
  displayReady = 0;
  if (!CreateDisplay(fullScreen, driverType)) return false;
  bool running = false;
  for (int attempt = 0; attempt < bv::kMaxRunAttempts && !running; ++attempt) {
    running = g_Device->run();
  }
  // A device that never runs is given up: the program ends in order.
  g_Quit = !running;
  return true;
}

bool BvSystem::WindowExists() const {
  return g_Device != nullptr && !windowClosed && !bv::QuitSignalReceived();
}

void BvSystem::BeginMessagePump() {
  bv::ApplyHeldRelease(leftDown, leftPressedInPump, leftReleaseHeld);
  bv::ApplyHeldRelease(rightDown, rightPressedInPump, rightReleaseHeld);
  for (int code = 0; code < bv::kKeyCount; ++code)
    bv::ApplyHeldRelease(keyDown[code], keyPressedInPump[code], keyReleaseHeld[code]);
  if (mouseMoveHeld) {
    mouseX = heldMouseX;
    mouseY = heldMouseY;
    mouseMoveHeld = 0;
  }
  // The frame has had the last key; the next waiting press is the next
  // frame's.
  lastKeyUnseen = false;
  if (!laterKeys.empty()) {
    lastKey = laterKeys.front();
    laterKeys.pop_front();
    lastKeyUnseen = true;
  }
}

void BvSystem::PumpMessages() {
  BeginMessagePump();
  if (g_Device != nullptr && !g_Device->run()) windowClosed = true;
}

bool BvSystem::IsWindowActive() const {
  if (activityProbe) return activityProbe();
  if (g_Device == nullptr) return false;
  return headless || g_Device->isWindowActive();
}

bool BvSystem::CloseRequestedWhileBusy() {
  if (!windowClosed && bv::TakeCloseRequest(xDisplay, window)) CloseWindow();
  return windowClosed;
}

void BvSystem::CloseWindow() {
  windowClosed = true;
  if (g_Device != nullptr) g_Device->closeDevice();
}
