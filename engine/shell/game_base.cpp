#include "engine/shell/game_base.h"

#include "engine/level/input_behaviors.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "engine/resources/drawing_states.h"
#include "engine/resources/lang_table.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"

namespace {
constexpr const char* kAlertCaption = "Alert";
constexpr const char* kGlobalScene = "global.xml";
constexpr const char* kLangFile = "data/lang.xml";
// Mouse deltas are ten times the movement in pixels.
constexpr float kMouseDeltaScale = 10.0f;
// Camera set-up (only used when a camera is set).
constexpr float kCameraFieldOfView = 0.87266386f;  // 50 degrees
constexpr float kCameraFar = 5000.0f;

// The device's cursor control; null without a device (or when the device
// has none).
irr::gui::ICursorControl* Cursor() { return g_Device ? g_Device->getCursorControl() : nullptr; }

BvMouseDelta CurrentMouseDelta() {
  auto* base = dynamic_cast<BvGameBase*>(g_App);
  if (!base) return BvMouseDelta{0.0f, 0.0f};
  return BvMouseDelta{base->GetMouseDeltaX(), base->GetMouseDeltaY()};
}
}  // namespace

BvGameBase::BvGameBase(BvGameHost* gameHost) : BvApplication(gameHost) {
  SetMouseDeltaSource(CurrentMouseDelta);
}

BvGameBase::~BvGameBase() { ReleaseMouse(); }

void BvGameBase::LoadResources() {
  for (BvLevelManager* levels : {currentLevels, globalLevels})
    if (levels) levels->LoadImageTextures();
  for (BvLevelManager* levels : {currentLevels, globalLevels})
    if (levels) levels->ReloadFonts();
  // The new display makes its drawing states anew.
  PrepareDrawingStates();
}

void BvGameBase::ApplyMouseCapture() {
  if (mouseCaptured) CaptureMouse();
  else ReleaseMouse();
}

void BvGameBase::Render() {
  const float dt = GetTimeStepMs();
  if (currentLevels) currentLevels->RenderCurrentLevel(dt, guiMode == 1, guiMode == 1 || guiMode == 2);
  if (guiMode != 0 && globalLevels) {
    const bool drawn = guiFramesUnseen <= 0;
    // Not in the frame that opened it, which paid for its making.
    if (guiFramesUnseen == kGuiFramesUnseen - 1) globalLevels->PrefetchOnDemandTextures();
    globalLevels->RenderCurrentLevel(dt, false, false, drawn);
    if (!drawn) --guiFramesUnseen;
  }
}

void BvGameBase::Update() { UpdateMouse(); }

void BvGameBase::LoadGlobalData() {
  if (!globalLevels || !globalLevels->LoadScene(kGlobalScene)) {
    bv::ShowMessageBox(kAlertCaption, "Failed loading global scene data");
    Quit();
  } else {
    PrepareDrawingStates();
  }
  if (!g_LangTable.LoadLang(kLangFile)) {
    bv::ShowMessageBox(kAlertCaption, "Failed loading language file");
    Quit();
  }
}

void BvGameBase::PrepareDrawingStates() {
  // What a dialog fading in draws (translucent texts and pictures) gets its
  // driver state now, not in the dialog's first frame.
  if (globalLevels) globalLevels->PrepareTextDrawing();
  bv::PrepareQuadDrawing(g_Driver);
}

void BvGameBase::SetupCamera() {
  if (!camera || !g_System) return;
  camera->setPosition(irr::core::vector3df(0.0f, 30.0f, 0.0f));
  camera->setTarget(irr::core::vector3df(0.0f, 0.0f, 0.0f));
  camera->setFOV(kCameraFieldOfView);
  camera->setFarValue(kCameraFar);
  camera->setAspectRatio(float(g_System->windowWidth) / float(g_System->windowHeight));
}

void BvGameBase::UpdateMouse() {
  if (!g_System) return;
  if (mouseCaptured && Cursor()) {
    const irr::core::position2di at = Cursor()->getPosition();
    mouseX = at.X;
    mouseY = at.Y;
    RecentreMouse();
  } else {
    mouseX = g_System->mouseX;
    mouseY = g_System->mouseY;
  }
  mouseDeltaX = float(mouseX - referenceX) * kMouseDeltaScale;
  mouseDeltaY = float(mouseY - referenceY) * kMouseDeltaScale;
  if (!mouseCaptured) {
    referenceX = mouseX;
    referenceY = mouseY;
  }
  wheel = static_cast<int>(g_System->wheel);
}

void BvGameBase::CaptureMouse() {
  if (Cursor()) Cursor()->setVisible(false);
  mouseCaptured = 1;
}

void BvGameBase::ReleaseMouse() {
  if (Cursor()) Cursor()->setVisible(true);
  mouseCaptured = 0;
  if (g_System) g_System->ReapplyCursor();
}

void BvGameBase::RecentreMouse() {
  if (!Cursor() || !g_System) return;
  referenceX = g_System->windowWidth / 2;
  referenceY = g_System->windowHeight / 2;
  Cursor()->setPosition(referenceX, referenceY);
}
