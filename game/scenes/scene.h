#pragma once
// Base of every screen and every dialog of the game. A scene is built once
// and re-entered on each visit: Load, then Init, then Update every frame
// until it raises its done flag through RequestClose; the game object then
// runs the scene flow with the scene's result.
#include <cstdint>

class BvGame;
class BvLevelManager;
struct BvLevelStats;

class BvScene {
 public:
  BvScene();
  virtual ~BvScene();
  BvScene(const BvScene&) = delete;
  BvScene& operator=(const BvScene&) = delete;

  // The base part clears done, result and the timer and returns true;
  // screens then load their file (LoadSceneFile).
  virtual bool Load();
  // Starts a visit; a GUI receives the argument of BvGame::ShowGui (a
  // number or a pointer, so it is pointer-sized), screens get 0.
  virtual void Init(intptr_t argument) = 0;
  // The base part advances the timer and the pending tip; every screen
  // calls it first. ms: the frame's time step in milliseconds.
  virtual void Update(float ms);
  // Called after the levels are drawn (not under a frozen GUI).
  virtual void Render(float ms);
  // A closing GUI's result, or the game object's events 17 and 18.
  virtual void OnEvent(int code);
  // Raises done: the game object ends the visit at its next update.
  virtual void RequestClose();
  // The mouse is over the named level element of the current level (hit
  // test against its body; an element without a body is never hit).
  virtual bool IsMouseOver(const char* name);
  // Points the board awards; only the board screen keeps a score.
  virtual void AddScore(int points) {}
  // The level statistics of a board or hidden-object screen; null elsewhere.
  virtual BvLevelStats* GetLevelStats() { return nullptr; }

  // The left button is down over the named element.
  bool IsMouseDownOver(const char* name);
  // IsMouseDownOver; when it holds, plays "guiclick" (if asked) and
  // consumes the press, so one press activates at most one button.
  bool IsButtonClicked(const char* name, bool playSound);
  // The visit's clock reached t (ms) in the last update: previous < t and
  // elapsed >= t, so exactly one frame sees it.
  bool HasPassed(float t) const;
  // Schedules a tutorial tip unless one is pending, the profile turned
  // hints off or the tip was seen.
  void ScheduleTip(int bit, float delayMs);

  // A screen's opening: black clear colour, the screen uncovered from black
  // by the fade its Update runs.
  void OpenFromBlack();
  // One step of the opening fade; true once the screen is uncovered.
  bool UncoverStep(float ms);
  // One step of the leaving fade; true (and done raised) once covered.
  bool CoverStep(float ms);
  // A dialog is open over the screen in mode 1 or 2 (its buttons then
  // ignore the mouse).
  bool IsDialogOver() const;
  // The pause menu's results on a screen that leaves through leavingState:
  // quit and title menu leave with their result, options opens the options
  // over the frozen screen. True when code was one of them.
  bool HandlePauseResult(int code, int leavingState);

  // Starts a screen's music: the current music stops and this one starts
  // (volume 0.1) unless it is already playing.
  void StartMusic(const char* name);

  BvLevelManager* GetLevelManager() const;
  BvGame* GetGame() const;
  int GetState() const { return m_State; }
  void SetState(int state) { m_State = state; }
  bool IsDone() const { return m_Done; }
  int GetResult() const { return m_Result; }
  void SetResult(int result) { m_Result = result; }
  float GetElapsed() const { return m_Elapsed; }
  bool IsTipPending() const { return m_TipPending; }
  int GetTipBit() const { return m_TipBit; }

 protected:
  // The visit's common load: base part, the scene file into the current
  // level manager, then its level 0 with borders. False when the scene
  // file cannot be read.
  bool LoadSceneFile(const char* file);

  // The screen's own state machine.
  int m_State = 0;
  bool m_Done = false;
  // Milliseconds since Load, and the value before the last Update.
  float m_Elapsed = 0.0f;
  float m_Previous = 0.0f;
  int m_Result = 0;
  bool m_TipPending = false;
  // Milliseconds left before the pending tip opens.
  float m_TipDelay = 0.0f;
  int m_TipBit = 0;
};
