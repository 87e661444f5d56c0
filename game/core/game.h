#pragma once
// The game's application object: owns every screen (scenes 1..17) and every
// dialog (GUIs 0..10) for the whole run, switches scenes, opens GUIs in one
// of four modes, tells the current scene when a GUI opens or closes, and runs
// the scene flow, saving the game after every finished scene.
#include <cstdint>
#include <memory>

#include "engine/shell/game_base.h"
#include "game/core/scene_numbers.h"

class BvGameHost;
class BvLayoutBank;
class BvGameBoardHost;
class BvLayout;
class BvLevelElement;
class BvProbe;
class BvScene;
struct BvPlayerStore;
struct BvProfile;

class BvGame : public BvGameBase {
 public:
  // Builds the layouts bank, the board, then scenes 1..17 and GUIs 0..10
  // that exist; loads nothing.
  explicit BvGame(BvGameHost* host);
  ~BvGame() override;

  // Contacts between level elements have no effect on the game.
  void OnCollision(BvLevelElement* first, BvLevelElement* second) override;
  void LoadResources() override;
  void ApplyMouseCapture() override;
  void Render() override;
  void Update() override;
  // GUI data, language, game cursor, start position, sounds, layouts, font
  // aliases; then the splash screen.
  void LoadGlobalData() override;
  // The base mouse update, then Escape opens the pause menu on scenes
  // above 2 while no GUI is open.
  void UpdateMouse() override;

  // Makes scene n (1..17) current and enters it (Load, then Init(0)). A
  // number outside the table or a missing scene shows its "Alert" and quits.
  void SetScene(int n);
  // Opens GUI n in the given mode with the argument for its Init. Ignored
  // while a GUI is open; a number outside 0..10, a missing GUI or a GUI
  // level that fails to load shows its "Alert" and leaves the mode at 0.
  void ShowGui(int n, int mode, intptr_t argument);
  // The current scene's OnEvent(code); nothing without a scene.
  void NotifyScene(int code);
  // The scene flow: save, then the next scene by scene, result and profile.
  void OnSceneDone(int result);
  // A current profile that has completed the game at least once.
  bool IsExpertMode() const;

  int GetCurrentSceneNumber() const { return m_CurrentScene; }
  BvScene* GetCurrentScene() const { return GetScene(m_CurrentScene); }
  // Null outside the table or for an entry not built.
  BvScene* GetScene(int n) const;
  BvScene* GetGui(int n) const;
  int GetGuiMode() const { return guiMode; }
  void SetGuiMode(int mode) { guiMode = mode; }
  int GetCurrentGui() const { return currentGui; }
  bool IsGuiNotified() const { return m_GuiNotified; }

  BvGameHost* GetGameHost() const { return host; }
  // The host's player store (a static empty one without a host, for tests).
  BvPlayerStore& GetStore() const;
  BvProfile* GetCurrentProfile() const;
  BvLayoutBank* GetLayoutBank() const { return m_LayoutBank.get(); }
  // The one match-3 board, shared by the board screens.
  BvLayout* GetBoard() const { return m_Board.get(); }
  // The cursor shown over monsters (0 until the global data is loaded).
  unsigned long GetGameCursor() const { return m_GameCursor; }

  // Puts a scene or GUI into its table entry, replacing (deleting) the one
  // there; used while screens are added and by tests. Takes ownership.
  void SetSceneEntry(int n, BvScene* scene);
  void SetGuiEntry(int n, BvScene* gui);

  // Range-checks the command-line start position and layout (values that
  // would index past the screens or layouts count as not given), then
  // applies world and level to the current profile.
  void ApplyStartPosition();

 private:
  void LoadFontAliases();

  // Number of the current scene; 0 = none.
  int m_CurrentScene = 0;
  // Scene n at index n (index 0 stays empty); owned.
  std::unique_ptr<BvScene> m_Scenes[kSceneTableSize];
  // GUI n at index n; owned. Every GUI is a BvScene (through BvGui), and
  // the game only calls the scene operations on it.
  std::unique_ptr<BvScene> m_Guis[kGuiTableSize];
  std::unique_ptr<BvLayoutBank> m_LayoutBank;
  // The board's way to this game, and the board.
  std::unique_ptr<BvGameBoardHost> m_BoardHost;
  std::unique_ptr<BvLayout> m_Board;
  unsigned long m_GameCursor = 0;
  // The test probe (QUORVEL_PROBE), null in play.
  std::unique_ptr<BvProbe> m_Probe;
  // The current scene was told (event 17) that a GUI is open.
  bool m_GuiNotified = false;
  // The current scene's Load succeeded: only then are its Update and
  // Render run.
  bool m_SceneReady = false;
};

// The one game object, set by the game host once the constructor returned.
extern BvGame* g_Game;
