#pragma once
// BvLayout: the match-3 board. A grid of 17 x 13 cells built from a layout
// of the layouts bank, driven once per frame by the board screen, acted on
// by the player's presses, by spells and by monsters. The game owns one
// board for the whole run; each level reuses it through Reset and Setup.
// The board reaches the game only through its host.
//
// Where the members are defined:
//   layout.cpp              construction, reset, set-up, the frame's update
//   layout_swaps.cpp        selection, presses and swaps (events 1000..1002)
//   layout_matches.cpp      run search, match resolution, cascades
//   layout_gravity.cpp      falls, slides and refill
//   layout_backgrounds.cpp  chains, cages, explosions, cleared-cell images
//   layout_moves.cpp        possible moves, shuffle, idle wave, shake
//   layout_level_end.cpp    win, the end shows, the time gauge
//   layout_decorations.cpp  frame, corners, gauges, tooltip
//   layout_spells.cpp       spell charge, the spell panel and its tooltip
//   layout_spell_effects.cpp the six spells' timed effects
#include <memory>
#include <vector>

#include "engine/objects/managed_object.h"
#include "game/core/achievement.h"
#include "game/board/board_geometry.h"
#include "game/board/hint_helper.h"
#include "game/board/piece.h"
#include "game/board/spell_record.h"

class BvBoardHost;
class BvLevelElement;
class BvLevelManager;
class BvMonsterManager;
struct BvLayoutCell;
struct BvProfile;

// GUIs the board opens.
constexpr int kGuiAchievementNotice = 7;
constexpr int kGuiTimeUp = 10;

// The time limit of a level in time mode, ms (ten minutes).
constexpr float kTimeLimitMs = 600000.0f;
// Spells on the panel.
constexpr int kSpellCount = 6;

class BvLayout : public CManagedObjectBase {
 public:
  explicit BvLayout(BvBoardHost* host = nullptr);
  ~BvLayout() override;

  // "BvLayout".
  const char* GetClassName() const override;
  // Events 1000 (press), 1001 (swap arrived), 1002 (swap back arrived)
  // from a cell.
  void OnNotify(int event, CManagedObjectBase* sender) override;

  void SetHost(BvBoardHost* host);
  BvBoardHost* GetHost() const { return m_Host; }

  // ---- levels ------------------------------------------------------------
  // The start of every level: flags, selection, statistics, hint, monsters,
  // spells and every cell back to their initial values; the end shows
  // stopped (the music volume a cut-off show lowered comes back). The idle
  // wave's timer is kept: one wave runs for the whole program.
  void Reset();
  // Builds a level from 17 x 13 layout cells, column by column.
  void Setup(const BvLayoutCell* layout);
  // The frame's update (ms), in its fixed order.
  void Update(float ms);
  // Forgets every element pointer and the selection, without touching the
  // elements: the board screen calls it when a visit starts, since the
  // previous visit's level (and its elements) is gone.
  void ForgetElements();
  // Colour k at (column, row) would make a run of three with the cells set.
  bool MakesRun(int column, int row, int colour) const;

  // ---- cells -------------------------------------------------------------
  BvPiece& GetCell(int column, int row) { return m_Cells[column][row]; }
  const BvPiece& GetCell(int column, int row) const { return m_Cells[column][row]; }
  // Swaps the movable content of two cells.
  void Exchange(int c1, int r1, int c2, int r2);

  // ---- selection and swaps (layout_swaps.cpp) ----------------------------
  // Right button: drops the selection (not while a spell, a swap or an end
  // show runs).
  void ClearSelection();
  void ClearSelectionState();
  void ShowSelection();
  void HideSelection();

  // ---- matches (layout_matches.cpp) --------------------------------------
  void FindMatchesAt(int column, int row, int colour, std::vector<BvPiece*>& out);
  void ResolveMatches();

  // ---- gravity (layout_gravity.cpp) --------------------------------------
  void ApplyGravityAndRefill();

  // ---- backgrounds (layout_backgrounds.cpp) ------------------------------
  void HitNeighbours(int column, int row);
  void Luminos(int column, int row);
  void Explode(int column, int row, int index);
  void SetClearedBackground(int column, int row);
  // The cleared-cell image name for the 3-bit mask of edge neighbours.
  static const char* ClearedBackgroundName(int mask);

  // ---- moves (layout_moves.cpp) ------------------------------------------
  bool HasMoveAt(int column, int row, int colour);
  bool HasPossibleMove();
  void Shuffle();
  void UpdateIdleWave(float ms);
  void ShakeBoard();

  // ---- level end and time (layout_level_end.cpp) -------------------------
  void CheckLevelWon();
  void UpdateLevelComplete(float ms);
  void UpdateNoMoreMoves(float ms);
  void UpdateTimeGauge(float ms);
  void SetGaugeVisible(bool visible);

  // ---- decorations (layout_decorations.cpp) ------------------------------
  void CreateFrame(const BvLayoutCell* layout);
  void CreateFrameSprite(int column, int row, const char* name);
  void CreateSelection();
  void CreateTimeGauge();
  void CreateSpellGauges();
  void CreateTooltip();
  // Playable neighbours of a cell as the frame's 8-bit mask.
  static int FrameMask(const BvLayoutCell* layout, int column, int row);
  // The frame pieces for a mask, in creation order.
  static std::vector<const char*> FrameSpriteNames(int mask);

  // ---- spells (layout_spells.cpp) ----------------------------------------
  // 200 more charge for every spell (once per destroyed piece of a match).
  void ChargeSpells();
  void UpdateSpellCharge(float ms);
  void UpdateSpell(float ms);
  void UpdateSpellTooltip();
  void HideSpellTooltip();
  // A click on the spell panel: casts the ready spell under the cursor.
  void OnSpellPanelClick();
  void ShowSpellTooltip(const char* key);
  // The charge that makes spell i ready (doubled in expert mode).
  float SpellFullCharge(int spell) const;
  // The spell under the cursor on the panel "sortgui", -1 none.
  int SpellUnderCursor() const;
  // The middle of spell i's place on the panel at panelPosition.
  static irr::core::vector2df SpellPlace(const irr::core::vector2df& panelPosition, int spell);
  // A spell stops at once (no more steps).
  void EndSpell();

  // ---- spell effects (layout_spell_effects.cpp) --------------------------
  void UpdateSpellStorm(float ms);
  void UpdateSpellChainBurn(float ms);
  void UpdateSpellFreeze(float ms);
  void UpdateSpellCageStorm(float ms);
  void UpdateSpellElectric(float ms);
  void UpdateSpellFallBomb(float ms);

  // ---- state -------------------------------------------------------------
  bool IsSettled() const { return m_Settled; }
  bool IsWon() const { return m_Won; }
  bool IsNoMoreMoves() const { return m_NoMoreMoves; }
  bool IsNoMoreMovesBusy() const { return m_NoMoreMovesBusy; }
  bool IsSwapRunning() const { return m_SwapRunning; }
  bool IsSwapFinished() const { return m_SwapFinished; }
  bool IsSpellRunning() const { return m_SpellRunning; }
  bool HasCage() const { return m_HasCage; }
  int GetFirstColumn() const { return m_FirstColumn; }
  int GetFirstRow() const { return m_FirstRow; }
  int GetSecondColumn() const { return m_SecondColumn; }
  int GetSecondRow() const { return m_SecondRow; }
  int GetCascadeCount() const { return m_CascadeCount; }
  int GetCurrentSpell() const { return m_CurrentSpell; }
  int GetSpellStep() const { return m_SpellStep; }
  float GetSpellTime() const { return m_SpellTime; }
  float GetHaloFlashTimer() const { return m_HaloFlashTimer; }
  bool IsTooltipShown() const { return m_TooltipShown; }
  BvLevelElement* GetTooltipText() const { return m_TooltipText; }
  float GetTimeUsed() const { return m_TimeUsed; }
  float GetTimeLimit() const { return m_TimeLimit; }
  // The limit every level set up from now on gets (tests shorten it).
  void SetLevelTimeLimit(float ms) { m_LevelTimeLimit = ms; }
  float GetPlayTimeTotal() const { return m_PlayTimeTotal; }
  bool IsWarningPlayed() const { return m_WarningPlayed; }
  bool IsMoveCheckArmed() const { return m_MoveCheckArmed; }
  BvHintHelper& GetHint() { return m_Hint; }
  BvMonsterManager* GetMonsters() const { return m_Monsters.get(); }
  std::vector<BvSpellRecord>& GetSpells() { return m_Spells; }
  const std::vector<BvSpellRecord>& GetSpells() const { return m_Spells; }
  const std::vector<BvLevelElement*>& GetFrameSprites() const { return m_FrameSprites; }
  const std::vector<BvLevelElement*>& GetSelectionCorners() const { return m_Corners; }
  BvLevelElement* GetGaugeBar() const { return m_GaugeBar; }
  BvLevelElement* GetNoMoreMovesElement() const { return m_NoMoreMovesShow.element; }
  float GetLevelCompleteTimer() const { return m_LevelCompleteShow.timer; }
  int GetLevelCompleteStep() const { return m_LevelCompleteShow.step; }
  float GetNoMoreMovesTimer() const { return m_NoMoreMovesShow.timer; }
  bool IsIdleWaveActive() const { return m_IdleWave.active; }
  float GetIdleWaveTimer() const { return m_IdleWave.timer; }
  const BvAchievement& GetAnnouncedAchievement() const { return m_Achievement; }

  // Starts spell i: the hint goes, the spell runs from the next update and
  // its charge is emptied by the next charge update; one more spell cast.
  void StartSpell(int spell);

  // Time used in time mode (tests and the options' switch).
  void SetTimeUsed(float ms) { m_TimeUsed = ms; }
  // Raises the no-more-moves show as the settled check would.
  void SetNoMoreMoves() { m_NoMoreMoves = true; }

 private:
  BvLevelManager* GetLevelManager() const;
  BvProfile* GetProfile() const;
  void ScheduleTip(int bit, float delayMs);
  bool IsInputBlocked() const;
  bool IsFirstCell(const BvPiece& cell) const;
  bool IsSecondCell(const BvPiece& cell) const;
  void OnPiecePressed(BvPiece& cell);
  void OnSwapArrived(BvPiece& cell, bool back);
  // A running swap whose cell lost its piece (an explosion next to it)
  // ends: the other piece lands where it is.
  void EndBrokenSwap();
  void UpdateSettled();
  void UpdateMoveCheck(float ms);
  // Opens the achievement notice for a newly reached step.
  void CheckAchievementStep();
  // End shows, split into their moments.
  void StartLevelComplete();
  void ShowLevelCompleteBanner();
  void EndLevelComplete();
  void StartNoMoreMoves();
  void ShuffleForNoMoreMoves();
  void EndNoMoreMoves();
  // The shows' state back to idle; a lowered music volume comes back.
  void ResetShows();

  BvBoardHost* m_Host = nullptr;
  bool m_HasCage = false;
  bool m_Settled = false;
  bool m_SwapRunning = false;
  bool m_SwapFinished = false;
  bool m_Won = false;
  bool m_NoMoreMoves = false;
  bool m_SpellRunning = false;
  int m_SpellStep = 0;
  float m_SpellTime = 0.0f;       // ms
  float m_HaloFlashTimer = 0.0f;  // ms
  float m_TimeUsed = 0.0f;        // ms, time mode
  float m_TimeLimit = kTimeLimitMs;
  float m_LevelTimeLimit = kTimeLimitMs;  // ms, given to each level
  BvLevelElement* m_GaugeFront = nullptr;
  BvLevelElement* m_GaugeBar = nullptr;
  BvLevelElement* m_GaugeBack = nullptr;
  bool m_WarningPlayed = false;
  float m_PlayTimeTotal = 0.0f;   // ms, time mode off
  bool m_TooltipShown = false;
  BvLevelElement* m_Tooltip = nullptr;
  BvLevelElement* m_TooltipText = nullptr;
  int m_CascadeCount = 0;
  int m_CurrentSpell = -1;
  bool m_MoveCheckArmed = true;
  float m_MoveCheckTimer = 0.0f;  // ms
  int m_FirstColumn = -1, m_FirstRow = -1;
  int m_SecondColumn = -1, m_SecondRow = -1;
  BvPiece m_Cells[kBoardColumns][kBoardRows];
  std::vector<BvLevelElement*> m_FrameSprites;
  std::vector<BvLevelElement*> m_Corners;
  bool m_NoMoreMovesBusy = false;
  BvHintHelper m_Hint;
  std::unique_ptr<BvMonsterManager> m_Monsters;
  std::vector<BvSpellRecord> m_Spells;
  // The running spell's targets: cells with the piece sprite seen when they
  // were chosen, or monster slots (in column).
  struct SpellTarget {
    int column = 0;
    int row = 0;
    BvLevelElement* sprite = nullptr;
  };
  std::vector<SpellTarget> m_SpellTargets;
  int m_SpellColour = 0;  // the freeze's colour
  // Up to n of the candidates, drawn at random without repeats.
  static std::vector<SpellTarget> PickSpellTargets(std::vector<SpellTarget> candidates, int n);
  // A target cell still holds the piece it was chosen for.
  bool IsSameTarget(const SpellTarget& target) const;
  // The step condition: spell time past t while the step counter is step.
  bool SpellStepDue(int step, float t) const { return m_SpellStep == step && m_SpellTime > t; }
  // The step announced last: the notice reads it while it is open.
  BvAchievement m_Achievement;

  // The level-complete show.
  struct LevelCompleteShow {
    float timer = 0.0f;  // ms
    int step = 0;        // 0 idle, 1 started, 2 banner shown
    float savedVolume = 0.0f;
  } m_LevelCompleteShow;
  // The no-more-moves show.
  struct NoMoreMovesShow {
    float timer = 0.0f;  // ms
    bool started = false;
    bool shuffled = false;
    BvLevelElement* element = nullptr;  // "nomoremoves"
  } m_NoMoreMovesShow;
  // The idle wave over the pieces; the board lives as long as the program,
  // and Reset leaves the wave alone, so it is kept between levels.
  struct IdleWave {
    bool active = false;
    float timer = 0.0f;  // ms
    float step = 0.0f;   // anti-diagonals swept
  } m_IdleWave;
};
