#pragma once
// What every game on the engine shares above the frame loop: loading of the
// global GUI scene "global.xml" and the language file, drawing of the two
// level managers by GUI mode, and the mouse update with its optional capture.
#include "engine/resources/bitmap_font.h"
#include "engine/shell/application.h"

class BvGameBase : public BvApplication {
 public:
  explicit BvGameBase(BvGameHost* host);
  // Releases the mouse capture (shows the cursor).
  ~BvGameBase() override;

  // Reloads the textures, then the fonts, of both level managers (after a
  // display rebuild dropped every texture).
  void LoadResources() override;
  // Captures or releases the mouse as mouseCaptured says.
  void ApplyMouseCapture() override;
  // The current level manager (paused under a mode-1 GUI, under a GUI in
  // modes 1 and 2), then the global one while a GUI is shown (updated but
  // not drawn for its first guiFramesUnseen frames).
  void Render() override;
  // Calls UpdateMouse.
  void Update() override;
  // "global.xml" into the global level manager and "data/lang.xml" into the
  // language table; each failure shows its "Alert" box and quits.
  void LoadGlobalData() override;
  void SetupCamera() override;
  // Draws nothing visible, so that the driver makes the drawing states of
  // dialogs fading in before the first one opens (see drawing_states.h).
  void PrepareDrawingStates();
  // Mouse position and deltas (ten times the movement), wheel.
  virtual void UpdateMouse();

  void CaptureMouse();
  void ReleaseMouse();
  void RecentreMouse();

  int GetMouseX() const { return mouseX; }
  int GetMouseY() const { return mouseY; }
  float GetMouseDeltaX() const { return mouseDeltaX; }
  float GetMouseDeltaY() const { return mouseDeltaY; }
  int GetWheel() const { return wheel; }
  bool IsMouseCaptured() const { return mouseCaptured != 0; }
  BvBitmapFont* GetBitmapFont() { return &bitmapFont; }

 protected:
  // Tiled-image text drawing; nothing in the game sets it up (its texts are
  // Irrlicht fonts drawn by the level drawing), so it stays empty.
  BvBitmapFont bitmapFont;
  // The game's current GUI number (-1 none).
  int currentGui = 0;
  int wheel = 0;
  uint8_t mouseCaptured = 0;
  int mouseX = 0;
  int mouseY = 0;
  int referenceX = 0;
  int referenceY = 0;
  float mouseDeltaX = 0.0f;
  float mouseDeltaY = 0.0f;
  // 0 no GUI, 1 GUI over a frozen scene, 2 over a running scene, 3 notice.
  int guiMode = 0;
  // A GUI just shown runs this many frames without being drawn, while its
  // pictures come in (at 75 Hz 40 ms; the same with the drawing savings on
  // or off, so that every frame is the same either way).
  static constexpr int kGuiFramesUnseen = 3;
  int guiFramesUnseen = 0;
};
