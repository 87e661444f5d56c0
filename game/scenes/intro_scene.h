#pragma once
// Scene 2, the title menu: the camera glides down over the title picture,
// the title and the four buttons fade in one after the other, a welcome
// line names the current player above a bar to change player. The buttons
// open the players, trophies, options and quit dialogs over the live menu,
// or start play: the buttons fade, the camera zooms and turns, the screen
// covers and the visit ends with result 0 (1 after a confirmed quit).
#include "game/scenes/scene.h"

class BvLevelElement;

class BvIntroScene : public BvScene {
 public:
  static constexpr int kStateOpening = 1;
  static constexpr int kStateGlide = 2;
  static constexpr int kStateLive = 3;
  static constexpr int kStateLeaving = 4;

  BvIntroScene() = default;

  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  void OnEvent(int code) override;

  // The title, the expert badge and the four buttons with their fades.
  void CreateMenu();
  // One click of the live menu.
  void HandleButtons();
  // Fades the buttons and the title; the screen then covers and closes.
  void LeaveMenu();

  // Null when missing or once faded away.
  BvLevelElement* GetPlayButton() const { return m_Play; }
  BvLevelElement* GetTrophiesButton() const { return m_Trophies; }
  BvLevelElement* GetOptionsButton() const { return m_Options; }
  BvLevelElement* GetExitButton() const { return m_Exit; }
  BvLevelElement* GetChangePlayerBar() const { return m_ChangePlayer; }
  BvLevelElement* GetWelcomeText() const { return m_Welcome; }
  // The layer the buttons are drawn and hit-tested in.
  static constexpr int kMenuLayer = 7;

 private:
  // The welcome line, the change-player text and its bar.
  void CreateWelcome();
  // The welcome text for the current profile's name.
  void WriteWelcome();

  BvLevelElement* m_Title = nullptr;
  BvLevelElement* m_Play = nullptr;
  BvLevelElement* m_Trophies = nullptr;
  BvLevelElement* m_Options = nullptr;
  BvLevelElement* m_Exit = nullptr;
  BvLevelElement* m_ChangePlayer = nullptr;
  BvLevelElement* m_Welcome = nullptr;
};
