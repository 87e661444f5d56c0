#include "game/core/game.h"

#include <irrlicht.h>

#include <cstdio>
#include <string>

#include "engine/level/level.h"
#include "engine/level/level_manager.h"
#include "engine/platform/message_box.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "game/board/layout.h"
#include "game/core/game_board_host.h"
#include "game/core/layout_bank.h"
#include "game/core/player_store.h"
#include "game/core/probe.h"
#include "game/core/scene_flow.h"
#include "game/scenes/scene_table.h"
#include "game/scenes/scene.h"

BvGame* g_Game = nullptr;

namespace {
constexpr const char* kAlertCaption = "Alert";
constexpr const char* kGuiFile = "global.xml";
// Irrlicht key code of Escape.
constexpr int kKeyEscape = 27;
// Scenes above this number answer Escape with the pause menu.
constexpr int kLastSceneWithoutPause = kSceneIntro;
// Opaque black, the clear colour between screens.
const irr::video::SColor kClearBlack(0xff000000);

std::string Format(const char* pattern, int n) {
  char text[64];
  std::snprintf(text, sizeof(text), pattern, n);
  return text;
}
}  // namespace

BvGame::BvGame(BvGameHost* gameHost) : BvGameBase(gameHost) {
  m_LayoutBank = std::make_unique<BvLayoutBank>();
  m_BoardHost = std::make_unique<BvGameBoardHost>();
  m_Board = std::make_unique<BvLayout>(m_BoardHost.get());
  for (int n = kSceneSplash; n <= kLastScene; ++n) m_Scenes[n].reset(CreateScene(n, m_Board.get()));
  for (int n = 0; n < kGuiTableSize; ++n) m_Guis[n].reset(CreateGui(n));
  m_CurrentScene = 0;
  currentGui = kNoGui;
  SetClearColour(kClearBlack);
}

BvGame::~BvGame() {
  ReleaseMouse();
  for (auto& scene : m_Scenes) scene.reset();
  for (auto& gui : m_Guis) gui.reset();
  m_Board.reset();
  m_BoardHost.reset();
  m_LayoutBank.reset();
}

void BvGame::OnCollision(BvLevelElement*, BvLevelElement*) {}

void BvGame::LoadResources() { BvGameBase::LoadResources(); }

void BvGame::ApplyMouseCapture() { BvGameBase::ApplyMouseCapture(); }

BvScene* BvGame::GetScene(int n) const {
  return n > 0 && n < kSceneTableSize ? m_Scenes[n].get() : nullptr;
}

BvScene* BvGame::GetGui(int n) const {
  return n >= 0 && n < kGuiTableSize ? m_Guis[n].get() : nullptr;
}

void BvGame::SetSceneEntry(int n, BvScene* scene) {
  if (n > 0 && n < kSceneTableSize) m_Scenes[n].reset(scene);
  else delete scene;
}

void BvGame::SetGuiEntry(int n, BvScene* gui) {
  if (n >= 0 && n < kGuiTableSize) m_Guis[n].reset(gui);
  else delete gui;
}

BvPlayerStore& BvGame::GetStore() const {
  static BvPlayerStore detached;
  return host ? host->GetStore() : detached;
}

BvProfile* BvGame::GetCurrentProfile() const { return GetStore().GetCurrentProfile(); }

bool BvGame::IsExpertMode() const {
  const BvProfile* profile = GetCurrentProfile();
  return profile && profile->completedGames > 0;
}

void BvGame::SetScene(int n) {
  if (n < kSceneSplash || n > kLastScene || !m_Scenes[n]) {
    bv::ShowMessageBox(kAlertCaption, Format("Scene #%d not implemented !!", n));
    // A number outside the table leaves no scene current.
    m_CurrentScene = n >= kSceneSplash && n <= kLastScene ? n : 0;
    m_SceneReady = false;
    Quit();
    return;
  }
  m_CurrentScene = n;
  BvScene* scene = m_Scenes[n].get();
  m_SceneReady = scene->Load();
  if (!m_SceneReady) {
    bv::ShowMessageBox(kAlertCaption, "Scene not loaded !");
    // The scene's elements are missing: neither its Init nor, until the
    // quit ends the loop, its Update and Render run (they would reach the
    // element pointers of its previous visit).
    Quit();
    return;
  }
  scene->Init(0);
}

void BvGame::ShowGui(int n, int mode, intptr_t argument) {
  if (guiMode != kGuiModeNone) return;  // one GUI at a time
  BvScene* gui = GetGui(n);
  if (!gui) {
    bv::ShowMessageBox(kAlertCaption, Format("Gui #%d not implemented !!", n));
    return;
  }
  // The dialog's pictures load as it first draws them, only those it
  // draws. It runs unseen for its first frames: their decoding starts in
  // the next one, off the main thread, and they go up a share a frame, so
  // that no frame pays for all of them.
  if (globalLevels) globalLevels->HoldOnDemandTextures();
  if (!globalLevels || !globalLevels->LoadLevel(n, kGuiFile, false)) {
    // Without its level the dialog could never close: say so and open
    // nothing, so the screen does not wait for it.
    bv::ShowMessageBox(kAlertCaption, Format("Gui level #%d not found in global.xml", n));
    return;
  }
  guiMode = mode;
  currentGui = n;
  gui->Init(argument);
  guiFramesUnseen = kGuiFramesUnseen;
}

void BvGame::NotifyScene(int code) {
  if (BvScene* scene = GetCurrentScene()) scene->OnEvent(code);
}

void BvGame::OnSceneDone(int result) {
  if (host) host->SaveSaveGame();
  const BvSceneFlowStep step = NextSceneAfter(m_CurrentScene, result, GetCurrentProfile());
  switch (step.action) {
    case BvSceneFlowStep::kQuit:
      Quit();
      break;
    case BvSceneFlowStep::kSetScene:
      if (step.completeGame) {
        BvPlayerStore& store = GetStore();
        store.SubmitScores();
        if (BvProfile* profile = store.GetCurrentProfile()) profile->CompleteGame();
      }
      SetScene(step.scene);
      break;
    case BvSceneFlowStep::kStay:
      break;
  }
}

void BvGame::Update() {
  BvGameBase::Update();
  const float dt = GetTimeStepMs();
  const bool announced = guiMode == kGuiModeFrozen || guiMode == kGuiModeRunning;
  if (announced && !m_GuiNotified) {
    NotifyScene(kEventGuiOpened);
    m_GuiNotified = true;
  } else if (!announced && m_GuiNotified) {
    NotifyScene(kEventGuiClosed);
    m_GuiNotified = false;
  }
  if (guiMode != kGuiModeFrozen) {
    if (BvScene* scene = GetCurrentScene()) {
      if (scene->IsDone()) OnSceneDone(scene->GetResult());
      BvScene* now = GetCurrentScene();
      if (now && m_SceneReady) now->Update(dt);
    }
  }
  if (guiMode != kGuiModeNone && currentGui != kNoGui) {
    if (BvScene* gui = GetGui(currentGui)) gui->Update(dt);
  }
  // No dialog left to draw: its art leaves memory until the next one.
  if (guiMode == kGuiModeNone && globalLevels) globalLevels->ReleaseOnDemandTextures();
}

void BvGame::Render() {
  BvGameBase::Render();
  if (guiMode != kGuiModeFrozen && m_SceneReady) {
    if (BvScene* scene = GetCurrentScene()) scene->Render(GetTimeStepMs());
  }
  // After the level pass, which moves the elements.
  if (m_Probe) m_Probe->AfterFrame(*this);
}

void BvGame::UpdateMouse() {
  BvGameBase::UpdateMouse();
  if (guiMode == kGuiModeNone && WasKeyPressed(kKeyEscape) &&
      m_CurrentScene > kLastSceneWithoutPause)
    ShowGui(kGuiPause, kGuiModeFrozen, 0);
}
