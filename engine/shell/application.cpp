#include "engine/shell/application.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/platform/clock.h"
#include "engine/level/level_manager.h"
#include "engine/platform/joystick_reader.h"
#include "engine/resources/quad_renderer.h"
#include "engine/resources/frame_clear.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/frame_pacer.h"
#include "engine/shell/globals.h"
#include "engine/shell/model_manager.h"
#include "engine/shell/system.h"
#include "engine/shell/volume_control.h"

namespace {

// Least sleep of every frame, and of a frame while the window is inactive
// and windowed (milliseconds); the frame then sleeps on until it is due.
constexpr double kFrameSleepMs = 1.0;
constexpr double kInactiveSleepMs = 10.0;
// A frame that starts later than this share of a frame time after its due
// time starts a new cadence; a less late one is caught up by the next.
constexpr double kLateFrameShare = 0.5;
// Fade levels and alpha run from 0 to this.
constexpr float kOpaque = 255.0f;
// Irrlicht key codes of the arrow keys.
constexpr int kKeyLeft = 0x25;
constexpr int kKeyUp = 0x26;
constexpr int kKeyRight = 0x27;
constexpr int kKeyDown = 0x28;
// Joystick buttons 1 to 4 become bits 1, 2, 4, 8.
constexpr uint32_t kJoyButtonMask = 0x0F;

float TicksToMs(int64_t ticks) {
  return static_cast<float>(static_cast<double>(ticks) * 1000.0 / static_cast<double>(g_TimerFrequency));
}

// Milliseconds to counter ticks, rounded up so a frame never ends early.
int64_t MsToTicks(double ms) {
  return static_cast<int64_t>(std::ceil(ms * static_cast<double>(g_TimerFrequency) / 1000.0));
}

}  // namespace

float bv::FixedFrameMsFromEnvironment() {
  const char* text = std::getenv("QUORVEL_FRAME_MS");
  if (!text || !*text) return 0.0f;
  char* end = nullptr;
  const float ms = std::strtof(text, &end);
  return *end == '\0' && ms > 0.0f && ms <= kMaxFixedFrameMs ? ms : 0.0f;
}

bool bv::UnpacedFromEnvironment(float fixedFrameMs) {
  const char* text = std::getenv("QUORVEL_UNPACED");
  return fixedFrameMs > 0.0f && text != nullptr && std::strcmp(text, "1") == 0;
}

BvApplication::BvApplication(BvGameHost* gameHost)
    : host(gameHost),
      m_FixedFrameMs(bv::FixedFrameMsFromEnvironment()),
      m_Unpaced(bv::UnpacedFromEnvironment(m_FixedFrameMs)) {
  if (m_FixedFrameMs > 0.0f) fpsAverage = 1000.0f / m_FixedFrameMs;
  currentLevels = new BvLevelManager(this, true);
  // The screen's level draws its unchanged bottom layers from a picture.
  currentLevels->SetLayerCaching(true);
  globalLevels = new BvLevelManager(this, false);
  if (g_System != nullptr) {
    savedEffectsVolume = g_System->config.effectsVolume / 100.0f;
    savedMusicVolume = g_System->config.musicVolume / 100.0f;
  }
  joystick = std::make_unique<bv::JoystickReader>();
}

BvApplication::~BvApplication() {
  if (loaded) Unload();
  delete currentLevels;
  currentLevels = nullptr;
  delete globalLevels;
  globalLevels = nullptr;
}

void BvApplication::PrepareFirstFrame() {
  SetupCamera();
  EnsureLoaded();
  ApplyMouseCapture();
  LoadGlobalData();
}

void BvApplication::Run() {
  fpsIndex = 0;
  fpsCount = 0;
  running = 1;
  frameCounter = 0;
  PrepareFirstFrame();
  if (g_Device != nullptr) debugFont = g_Device->getGUIEnvironment()->getBuiltInFont();
  frameTimeMs = 1000.0f / bv::UsableRefreshRate(g_System->refreshRate);

  bv::Clock& clock = bv::GetClock();
  const bool paced = g_TimerReady && g_TimerFrequency > 0;
  bv::FramePacer pacer;
  while (!g_Quit && g_Driver != nullptr && running) {
    g_System->wheel = 0.0f;
    const int64_t t0 = clock.Ticks();
    if (paced) {
      pacer.BeginFrame(t0, MsToTicks(frameTimeMs), MsToTicks(frameTimeMs * kLateFrameShare));
    }

    g_Quit = !g_System->WindowExists();
    g_System->PumpMessages();
    // A quit seen before or in this pump ends the loop before the frame:
    // a frame can take long (the first one of a screen builds its shaders).
    if (EndingBeforeFrame()) break;
    PollJoystick();

    bool active = g_System->IsWindowActive();
    if (active) {
      if (g_System->windowInactive) {
        g_System->windowInactive = 0;
        OnResume();
      }
      if (g_System->FullScreenToggleRequested() && !ToggleFullScreen()) break;
      if (g_System->driverSwitchRequest && !SwitchDriver()) break;
    } else if (!g_System->windowInactive) {
      g_System->windowInactive = 1;
      OnPause();
    }

    // An inactive full-screen window draws nothing at all.
    if ((active || !g_System->config.fullScreen) && g_Driver != nullptr) {
      if (bv::TheFrameClear().BeginScene(g_Driver, g_SceneManager, clearColour)) {
        Update();
        if (g_SceneManager != nullptr) g_SceneManager->drawAll();
        Render();
        DrawFade();
        if (g_System->showFrameStatistics) DrawFrameStatistics(t0);
      }
      if (g_Driver != nullptr) {
        bv::FlushQuads(g_Driver);
        g_Driver->endScene();
      }
    }
    ++frameCounter;

    if (paced) {
      // Sleep until the frame is due instead of spinning on the counter.
      const bool idle = g_System->windowInactive && !g_System->config.fullScreen;
      const int64_t leastSleep = MsToTicks(idle ? kInactiveSleepMs : kFrameSleepMs);
      if (!m_Unpaced) clock.SleepUntil(pacer.WakeTime(clock.Ticks(), leastSleep));
      lastFrameMs = TicksToMs(pacer.EndFrame(clock.Ticks()));
      UpdateFpsAverage();
    }
    if (g_Quit) break;
  }

  if (loaded) {
    Unload();
    loaded = 0;
  }
}

bool BvApplication::EndingBeforeFrame() {
  if (!g_Quit && g_System->WindowExists()) return false;
  g_Quit = true;
  return true;
}

void BvApplication::UpdateFpsAverage() {
  // A fixed step (tests) leaves the measured durations out.
  if (m_FixedFrameMs > 0.0f) return;
  if (!(lastFrameMs > 0.0f)) return;
  fpsSamples[fpsIndex] = 1000.0f / lastFrameMs;
  fpsIndex = static_cast<int16_t>((fpsIndex + 1) % bv::kFpsSamples);
  if (fpsCount < bv::kFpsSamples) ++fpsCount;
  float sum = 0.0f;
  int slot = (fpsIndex - fpsCount + bv::kFpsSamples) % bv::kFpsSamples;
  for (int i = 0; i < fpsCount; ++i) {
    sum += fpsSamples[slot];
    slot = (slot + 1) % bv::kFpsSamples;
  }
  fpsAverage = sum / fpsCount;
}

irr::gui::IGUIFont* BvApplication::GetTextFont() { return textFont; }

void BvApplication::OnCollision(BvLevelElement*, BvLevelElement*) {}

void BvApplication::Unload() {
  for (BvLevelManager* levels : {currentLevels, globalLevels})
    if (levels != nullptr) levels->DropLayerCache();
  if (g_TextureManager != nullptr) g_TextureManager->Clear();
  camera = nullptr;
  // Its nodes go with the scene manager's below.
  if (g_ModelManager != nullptr) g_ModelManager->Clear();
  if (g_SceneManager != nullptr) {
    g_SceneManager->clear();
    g_SceneManager->getMeshCache()->clear();
  }
  loaded = 0;
}

void BvApplication::OnQuit() {}

void BvApplication::OnPause() {
  bv::VolumeControl* volumes = g_System != nullptr ? g_System->volumes : nullptr;
  if (volumes == nullptr) return;
  savedEffectsVolume = volumes->GetEffectsVolume();
  savedMusicVolume = volumes->GetMusicVolume();
  volumes->SetEffectsVolume(0.0f);
  volumes->SetMusicVolume(0.0f);
}

void BvApplication::OnResume() {
  if (g_System == nullptr) return;
  if (g_System->config.fullScreen) {
    // The toggle of this frame takes the opposite of the cleared flag, so
    // the display comes back in full screen.
    g_System->config.fullScreen = 0;
    g_System->fullScreenToggleRequest = 1;
  }
  if (bv::VolumeControl* volumes = g_System->volumes) {
    volumes->SetEffectsVolume(savedEffectsVolume);
    volumes->SetMusicVolume(savedMusicVolume);
  }
}

void BvApplication::LoadResources() {}
void BvApplication::ApplyMouseCapture() {}
void BvApplication::Render() {}
void BvApplication::Update() {}
void BvApplication::LoadGlobalData() {}
void BvApplication::SetupCamera() {}
void BvApplication::OnBeforeDisplayReset() {}

void BvApplication::EnsureLoaded() {
  if (!loaded) LoadResources();
  loaded = 1;
}

void BvApplication::StartFade(irr::video::SColor colour, float speed) {
  fadeToLevel = 0.0f;
  fadeFromLevel = 0.0f;
  fadeColour = colour;
  fadeSpeed = speed;
}

bool BvApplication::FadeToColour(float dtMs) {
  fadeStepRan = 1;
  if (fadeToLevel >= kOpaque) {
    overlayAlpha = fadeToLevel;
    return false;
  }
  fadeToLevel += fadeSpeed * dtMs / 1000.0f;
  if (fadeToLevel > kOpaque) {
    fadeToLevel = kOpaque;
    overlayAlpha = kOpaque;
    return false;
  }
  overlayAlpha = fadeToLevel;
  return true;
}

bool BvApplication::FadeFromColour(float dtMs) {
  fadeStepRan = 1;
  bool more = false;
  if (fadeFromLevel < kOpaque) {
    fadeFromLevel += fadeSpeed * dtMs / 1000.0f;
    more = true;
    if (fadeFromLevel > kOpaque) {
      fadeFromLevel = kOpaque;
      more = false;
    }
  }
  overlayAlpha = kOpaque - static_cast<float>(static_cast<int>(fadeFromLevel));
  return more;
}

void BvApplication::DrawFade() {
  // The level's sprites go down before the overlay and anything drawn after
  // it (the overlay is the frame's last level drawing).
  bv::FlushQuads(g_Driver);
  if (!fadeStepRan) return;
  fadeStepRan = 0;
  if (!(overlayAlpha > 0.0f) || g_Driver == nullptr || g_System == nullptr) return;
  irr::video::SColor colour(static_cast<irr::u32>(overlayAlpha), fadeColour.getRed(),
                            fadeColour.getGreen(), fadeColour.getBlue());
  g_Driver->draw2DRectangle(
      colour, irr::core::rect<irr::s32>(0, 0, g_System->windowWidth, g_System->windowHeight));
}

bool BvApplication::IsKeyDown(int key) const {
  if (key < 0 || key >= bv::kKeyCount || g_System == nullptr) return false;
  return g_System->keyDown[key] != 0;
}

bool BvApplication::WasKeyPressed(int key) {
  if (!IsKeyDown(key)) return false;
  g_System->keyDown[key] = 0;
  return true;
}

int BvApplication::GetLastKey() {
  if (g_System == nullptr) return -1;
  int key = g_System->lastKey;
  g_System->lastKey = -1;
  return key;
}

int BvApplication::PeekLastKey() const { return g_System != nullptr ? g_System->lastKey : -1; }

void BvApplication::ClearKeyStates() {
  if (g_System != nullptr) std::memset(g_System->keyDown, 0, sizeof g_System->keyDown);
}

bool BvApplication::WasLeftClicked() {
  if (g_System == nullptr) return false;
  bool down = g_System->leftDown != 0;
  g_System->leftDown = 0;
  return down;
}

bool BvApplication::IsLeftButtonDown() const { return g_System != nullptr && g_System->leftDown != 0; }

bool BvApplication::WasRightClicked() {
  if (g_System == nullptr) return false;
  bool down = g_System->rightDown != 0;
  g_System->rightDown = 0;
  return down;
}

bool BvApplication::IsRightButtonDown() const { return g_System != nullptr && g_System->rightDown != 0; }

bool BvApplication::JoyPressedEdge(uint8_t bit) const {
  return (joyDirections & bit) != 0 && (joyPreviousDirections & bit) == 0;
}

// The keyboard part goes first, so it consumes the key press even when the
// joystick alone would have answered.
bool BvApplication::WasLeftPressed() { return WasKeyPressed(kKeyLeft) || JoyPressedEdge(bv::kJoyLeft); }
bool BvApplication::WasRightPressed() { return WasKeyPressed(kKeyRight) || JoyPressedEdge(bv::kJoyRight); }
bool BvApplication::WasUpPressed() { return WasKeyPressed(kKeyUp) || JoyPressedEdge(bv::kJoyUp); }
bool BvApplication::WasDownPressed() { return WasKeyPressed(kKeyDown) || JoyPressedEdge(bv::kJoyDown); }
bool BvApplication::IsLeftHeld() const { return IsKeyDown(kKeyLeft) || (joyDirections & bv::kJoyLeft); }
bool BvApplication::IsRightHeld() const { return IsKeyDown(kKeyRight) || (joyDirections & bv::kJoyRight); }
bool BvApplication::IsUpHeld() const { return IsKeyDown(kKeyUp) || (joyDirections & bv::kJoyUp); }
bool BvApplication::IsDownHeld() const { return IsKeyDown(kKeyDown) || (joyDirections & bv::kJoyDown); }

void BvApplication::SetJoystickReader(std::unique_ptr<bv::JoystickReader> reader) {
  joystick = std::move(reader);
}

void BvApplication::PollJoystick() {
  joyPreviousButtons = joyButtons;
  joyPreviousDirections = joyDirections;
  joyButtons = 0;
  joyDirections = 0;
  bv::JoystickSample sample;
  if (joystick == nullptr || !joystick->Read(&sample)) return;
  if (sample.x < bv::kJoyLowMark) joyDirections |= bv::kJoyLeft;
  if (sample.x > bv::kJoyHighMark) joyDirections |= bv::kJoyRight;
  if (sample.y < bv::kJoyLowMark) joyDirections |= bv::kJoyUp;
  if (sample.y > bv::kJoyHighMark) joyDirections |= bv::kJoyDown;
  joyButtons = static_cast<uint8_t>(sample.buttons & kJoyButtonMask);
}

bool BvApplication::RebuildDisplay(bool firstFullScreen, int16_t firstDriver, int16_t secondDriver) {
  Unload();
  bool oldFullScreen = g_System->config.fullScreen != 0;
  if (!g_System->ResetDisplay(firstFullScreen, firstDriver) &&
      !g_System->ResetDisplay(oldFullScreen, secondDriver)) {
    g_Quit = true;
    return false;
  }
  frameTimeMs = 1000.0f / bv::UsableRefreshRate(g_System->refreshRate);
  SetupCamera();
  debugFont = g_Device->getGUIEnvironment()->getBuiltInFont();
  EnsureLoaded();
  ApplyMouseCapture();
  return true;
}

bool BvApplication::ToggleFullScreen() {
  OnBeforeDisplayReset();
  g_System->ClearFullScreenToggleRequest();
  int16_t driver = g_System->config.driverType;
  return RebuildDisplay(!g_System->config.fullScreen, driver, driver);
}

bool BvApplication::SwitchDriver() {
  g_System->driverSwitchRequest = 0;
  int16_t driver = g_System->config.driverType;
  int16_t other = driver == bv::kDriverOpenGL ? bv::kDriverDirect3D8 : bv::kDriverOpenGL;
  return RebuildDisplay(g_System->config.fullScreen != 0, other, driver);
}

void BvApplication::Quit() {
  running = 0;
  ClearKeyStates();
  OnQuit();
  g_Quit = true;
}
