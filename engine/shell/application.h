#pragma once
// Base class of the game's application object: the frame loop (pacing to the
// refresh rate, the frames-per-second average that gives every update its
// time step, focus changes, the full-screen toggle) and the services the game
// calls between frames (fades, key, mouse and joystick queries, quit).
#include <irrlicht.h>

#include <cstdint>
#include <memory>

class BvGameHost;
class BvLevelManager;
class BvLevelElement;

namespace bv {
class JoystickReader;

// Joystick direction bits.
constexpr uint8_t kJoyRight = 1;
constexpr uint8_t kJoyLeft = 2;
constexpr uint8_t kJoyUp = 4;
constexpr uint8_t kJoyDown = 8;
// Axis values below the low or above the high mark count as pushed
// (the axis range is 0..65535).
constexpr int kJoyLowMark = 20000;
constexpr int kJoyHighMark = 40000;

// What a frame is cleared to until a screen chooses otherwise (black on
// the window).
constexpr irr::u32 kStartClearColour = 0;

// Size of the frames-per-second ring.
constexpr int kFpsSamples = 20;

// Longest fixed frame step accepted, ms.
constexpr float kMaxFixedFrameMs = 1000.0f;
// QUORVEL_FRAME_MS=<ms> (tests): every update of every frame advances the
// game by this step, whatever the frames really took, so one seed and one
// series of inputs give one game. 0 when unset or outside (0, 1000].
float FixedFrameMsFromEnvironment();
// QUORVEL_UNPACED=1 (tests) together with a fixed step: frames follow each
// other as fast as the machine draws them, without waiting for the refresh
// rate, so a scenario plays faster than real time. False otherwise.
bool UnpacedFromEnvironment(float fixedFrameMs);
}  // namespace bv

class BvApplication {
 public:
  explicit BvApplication(BvGameHost* host);
  BvApplication(const BvApplication&) = delete;
  BvApplication& operator=(const BvApplication&) = delete;

  // Virtual operations, in the order the game's classes rely on.
  virtual ~BvApplication();
  // The frame loop; returns when the quit flag is set, Quit was called or a
  // display rebuild failed.
  virtual void Run();
  // What Run does before its first frame: the camera, the loaded scene, the
  // mouse capture and the global data (also for drivers of frames of their
  // own, such as benchmarks).
  void PrepareFirstFrame();
  virtual irr::gui::IGUIFont* GetTextFont();
  // Called by the level manager for every solved contact.
  virtual void OnCollision(BvLevelElement* first, BvLevelElement* second);
  // Drops every texture, the camera and the scene manager's nodes and meshes.
  virtual void Unload();
  virtual void OnQuit();
  // The window lost the focus: music and effects are muted.
  virtual void OnPause();
  // The window got it back: volumes restored, a full-screen display rebuilt.
  virtual void OnResume();
  virtual void LoadResources();
  virtual void ApplyMouseCapture();
  virtual void Render();
  virtual void Update();
  virtual void LoadGlobalData();
  virtual void SetupCamera();
  virtual void OnBeforeDisplayReset();

  // Calls LoadResources unless resources are loaded.
  void EnsureLoaded();

  // Fades: StartFade once, then one step per frame until it returns false.
  // Speed in alpha units per second, time steps in milliseconds.
  void StartFade(irr::video::SColor colour, float speed);
  bool FadeToColour(float dtMs);
  bool FadeFromColour(float dtMs);
  // Draws the overlay when a fade step ran since the last draw.
  void DrawFade();

  // Keys by Irrlicht key code; codes outside 0..255 read as up.
  bool IsKeyDown(int key) const;
  // Reads and clears the key's down state: one press is reported once.
  bool WasKeyPressed(int key);
  // Reads the last key pressed (-1 for none) and resets it.
  int GetLastKey();
  int PeekLastKey() const;
  void ClearKeyStates();

  // Mouse buttons; the "clicked" forms clear the state they read.
  bool WasLeftClicked();
  bool IsLeftButtonDown() const;
  bool WasRightClicked();
  bool IsRightButtonDown() const;

  // Arrow keys or joystick 0. The "pressed" forms consume the key press and
  // see the joystick's press edge.
  bool WasLeftPressed();
  bool WasRightPressed();
  bool WasUpPressed();
  bool WasDownPressed();
  bool IsLeftHeld() const;
  bool IsRightHeld() const;
  bool IsUpHeld() const;
  bool IsDownHeld() const;

  // Rebuilds the display in the other mode (falls back to the old one).
  bool ToggleFullScreen();
  // Rebuilds the display with the other driver (nothing asks for it).
  bool SwitchDriver();
  // Ends the frame loop and the game in order.
  void Quit();
  // Reads joystick 0 into the current bits, keeping the previous ones.
  void PollJoystick();
  // Adds the last frame's rate to the frames-per-second ring.
  void UpdateFpsAverage();
  // True (and g_Quit set) when the window is gone or a quit was asked for:
  // the frame loop ends without drawing another frame.
  bool EndingBeforeFrame();

  // The time step of every update of a frame, in milliseconds.
  float GetTimeStepMs() const { return 1000.0f / fpsAverage; }
  float GetFpsAverage() const { return fpsAverage; }
  uint32_t GetFrameCounter() const { return frameCounter; }
  bool IsRunning() const { return running != 0; }
  BvLevelManager* GetCurrentLevels() const { return currentLevels; }
  BvLevelManager* GetGlobalLevels() const { return globalLevels; }
  BvGameHost* GetHost() const { return host; }
  float GetOverlayAlpha() const { return overlayAlpha; }
  irr::video::SColor GetFadeColour() const { return fadeColour; }
  irr::video::SColor GetClearColour() const { return clearColour; }
  void SetClearColour(irr::video::SColor colour) { clearColour = colour; }
  // Replaces the joystick reader (tests feed it from a file).
  void SetJoystickReader(std::unique_ptr<bv::JoystickReader> reader);
  // Test seam: sets the measured duration of the last frame (milliseconds).
  void SetLastFrameMs(float ms) { lastFrameMs = ms; }

  // Frame statistics (application_statistics.cpp).
  // Draws text with the debug font in white, its top-left at (x, y) pixels
  // (at most 79 characters, no centring or clipping).
  void DrawDebugText(const char* text, int x, int y);
  // The three statistics lines; frameStart is the frame's first counter
  // reading (clock ticks).
  void DrawFrameStatistics(int64_t frameStart);

  // Text and cursor drawing (application_drawing.cpp).
  // Draws text (Latin-1, at most 99 characters) with the text font in white
  // with the given alpha (0..255); returns its width in pixels, 0 without a
  // text font.
  int DrawFormattedText(int x, int y, const char* text, int alpha);
  // Draws the cursor glyph of the texture "letters" at the mouse position.
  void DrawCursorGlyph();

  // Frame-rate conversions by the frames-per-second average
  // (application_rates.cpp).
  // Frames that n frames at 60 Hz last at the current rate; at least 1.
  int16_t FramesFor(int n) const;
  float ToSixtyHertz(float x) const;
  float FromSixtyHertz(float x) const;
  // A frame count of 60 Hz at the current rate, through the tables from
  // 70 Hz up.
  int ConvertFrameCount(int n) const;
  // Seeds the random source with the low 32 bits of the clock counter.
  void SeedRandom();
  // Irrlicht's counterparts of the 3D render states, and the ambient light.
  void SetupRenderStates();

 protected:
  // Fields in the order of the original record.
  uint8_t running = 0;
  // Mean frames per second of the last samples.
  float fpsAverage = 75.0f;
  // Target frame duration in milliseconds.
  float frameTimeMs = 1000.0f / 75.0f;
  uint32_t frameCounter = 0;
  irr::scene::ICameraSceneNode* camera = nullptr;
  // Level manager of the current scene (with a physics world) and of the
  // global GUI scene (without one).
  BvLevelManager* currentLevels = nullptr;
  BvLevelManager* globalLevels = nullptr;
  irr::video::SColor clearColour{bv::kStartClearColour};
  BvGameHost* host = nullptr;
  uint8_t loaded = 0;
  uint8_t fadeStepRan = 0;
  // Fade progress, 0..255.
  float fadeToLevel = 0.0f;
  float fadeFromLevel = 0.0f;
  // Alpha of the fade overlay, 0..255.
  float overlayAlpha = 0.0f;
  irr::video::SColor fadeColour{0};
  // Alpha units per second.
  float fadeSpeed = 2.0f;
  irr::gui::IGUIFont* debugFont = nullptr;
  irr::gui::IGUIFont* textFont = nullptr;
  uint8_t joyPreviousButtons = 0;
  uint8_t joyPreviousDirections = 0;
  uint8_t joyButtons = 0;
  uint8_t joyDirections = 0;
  // Measured duration of the last frame in milliseconds.
  float lastFrameMs = 0.0f;
  // The fixed time step of QUORVEL_FRAME_MS (ms), 0 for the measured one.
  float m_FixedFrameMs = 0.0f;
  // QUORVEL_UNPACED: no wait between frames (only with a fixed step).
  bool m_Unpaced = false;
  float fpsSamples[bv::kFpsSamples] = {};
  int16_t fpsIndex = 0;
  int16_t fpsCount = 0;
  // Volumes (0..1) kept while the window is inactive.
  float savedEffectsVolume = 1.0f;
  float savedMusicVolume = 1.0f;

 private:
  bool JoyPressedEdge(uint8_t bit) const;
  bool RebuildDisplay(bool firstFullScreen, int16_t firstDriver, int16_t secondDriver);

  std::unique_ptr<bv::JoystickReader> joystick;
};
