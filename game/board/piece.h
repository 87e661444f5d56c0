#pragma once
// BvPiece: one cell of the board with the piece that may sit in it. The cell
// keeps its place, background and lock; the movable content (sprite, colour,
// motion, fall state, animation) travels between cells through
// BvLayout::Exchange.
#include <irrlicht.h>

#include "engine/objects/managed_object.h"

class BvBoardHost;
class BvLevelElement;
class BvLevelManager;

// Events a cell sends to the board (its only listener).
constexpr int kEventPiecePressed = 1000;
constexpr int kEventSwapArrived = 1001;
constexpr int kEventSwapBackArrived = 1002;
// The engine's fade-out end: a cell receiving it clears itself.
constexpr int kEventFadedOut = 3;

// Colours of pieces; kNoColour in an empty cell.
constexpr int kNoColour = -1;
constexpr int kColourCount = 5;

// Background kinds (from the layout's background code).
enum BvBackgroundKind {
  kBackNone = 0,
  kBackClear = 1,
  kBackFill = 2,
  kBackBlocker = 3,
  kBackCage = 4,
  kBackChainH = 5,
  kBackChainV = 6,
};

// Motions of a piece.
enum BvPieceMotion {
  kMotionIdle = 0,
  kMotionFall = 1,
  kMotionSlideLeft = 2,   // down and to the left
  kMotionSlideRight = 3,  // down and to the right
  kMotionSwap = 4,
  kMotionSwapBack = 5,
  kMotionSwapped = 6,     // arrived from a swap, waits for the match test
};

// Animations of a piece's sprite ("P%d", "P%dIdle", "P%dTurn").
enum BvPieceAnimation {
  kAnimPlain = 0,
  kAnimIdle = 1,
  kAnimTurn = 2,
};

// Result flags of BvPiece::Destroy, ClearBackground and BreakChain.
enum BvDestroyFlags {
  kDestroyBackfillCleared = 1,
  kDestroyBlockerCracked = 2,
  kDestroyLockRemoved = 4,
  kDestroyLockLinkLost = 8,
  kDestroyPiece = 16,
  kDestroyCageOpened = 32,
  kDestroyChainH = 64,
  kDestroyChainV = 128,
};

// Draw layers of the board's elements.
constexpr int kLayerBackground = 2;
constexpr int kLayerPiece = 3;
constexpr int kLayerCage = 3;
constexpr int kLayerLock = 4;
constexpr int kLayerEffects = 5;
constexpr int kLayerExplosions = 6;
constexpr int kLayerTop = 7;

// Sound volume of every board effect.
constexpr float kBoardSoundVolume = 0.5f;
// Plays a board sound effect once (the sound switch applies).
void PlayBoardSound(const char* name);

// What travels between cells: the piece, its motion and its animation.
struct BvPieceContent {
  BvLevelElement* sprite = nullptr;
  int present = 0;
  int colour = -1;
  int motion = 0;
  float delay = 0.0f;
  float fallTerm = 0.0f;
  bool landed = false;
  bool runHasMover = false;
  int animation = 0;
};

class BvPiece : public CManagedObjectBase {
 public:
  BvPiece();
  ~BvPiece() override;

  // "BvPiece".
  const char* GetClassName() const override;
  // Event 3 (the sprite faded out) clears the cell.
  void OnNotify(int event, CManagedObjectBase* sender) override;

  // Every field to its initial value (colour -1, the rest 0, no sprites).
  void Init();
  // The board the cell reports to: its elements go into the host's level
  // manager, its points and counters to the host.
  void SetHost(BvBoardHost* host) { m_Host = host; }
  BvBoardHost* GetHost() const { return m_Host; }
  BvLevelManager* GetLevelManager() const;

  // Fills the cell: present 1 makes a piece sprite (and a lock sprite when
  // locked), fading in after the radial delay when animate is set; animate
  // also makes the background sprite when the cell has none.
  void Set(int present, int background, int colour, bool animate);
  // Empties the cell: present 0, motion 0, colour -1, sprite flagged dead;
  // the cell then waits delayMs before receiving a falling piece.
  void Clear(float delayMs);
  void SetAnimation(int kind);
  void SetColour(int colour);
  void StartSwap(int column, int row);
  void StartSwapBack(int column, int row);
  // Ends a motion: the sprite snaps to the cell, "fall" plays.
  void Land();
  // A press on the resting piece: event 1000 to the board.
  void Click();
  // Makes the sprite point back to this cell.
  void LinkSprite();
  // Motion of the frame (ms): delay countdown, falls, slides and swaps.
  void Update(float ms);
  // A score pop-up at the cell (no delay); the points go to the score.
  void ShowPopup(int points, bool big);
  // End shows: every sprite of the cell fades out and goes.
  void VanishAll(float delayMs);
  // The piece's sprite fades out and is kept.
  void FadeOutPiece(float delayMs);
  // The piece's sprite fades in again.
  void FadeInPiece(float delayMs);
  // Takes the movable content of other and links the sprite to this cell.
  void CopyFrom(const BvPiece& other) { SetContent(other.GetContent()); }
  BvPieceContent GetContent() const;
  void SetContent(const BvPieceContent& content);
  // The cell's screen position; -1 stands for its own column or row.
  irr::core::vector2df GetScreenPosition(int column = -1, int row = -1) const;

  // Backgrounds, chains and locks.
  void SetBackground(int kind);
  int ClearBackground(int* points);
  int BreakChain();
  // Destroys the cell's piece with its effects and points (extra: how far
  // the run went beyond three for a player's match, else the cascade count).
  int Destroy(int extra, bool playerMatch);

  // Drops the cell's element pointers without touching the elements (they
  // belong to a level that may already be gone).
  void ForgetSprites();

  BvLevelElement* GetSprite() const { return sprite; }
  BvLevelElement* GetBackgroundSprite() const { return backgroundSprite; }
  BvLevelElement* GetLockSprite() const { return lockSprite; }
  // A lock or background element made for the cell from outside (a crab's
  // chain, a turtle's chain); an element already there is not touched.
  void SetLockSprite(BvLevelElement* element) { lockSprite = element; }
  void SetBackgroundSprite(BvLevelElement* element) { backgroundSprite = element; }
  bool HasPiece() const { return present == 1; }
  bool IsLocked() const { return lockCounter > 0; }

  // Public data, read by the board, its tests and the board screen's probe.
  int colour = kNoColour;       // 1..5, -1 none
  int present = 0;              // 1 a piece; any other value none
  int background = kBackNone;   // BvBackgroundKind
  int motion = kMotionIdle;     // BvPieceMotion
  int column = 0;
  int row = 0;
  float delay = 0.0f;           // ms; while above 0 the cell is not settled
  float fallTerm = 0.0f;        // sum of ms squared while moving
  bool landed = false;
  bool runHasMover = false;     // set by the match search
  int animation = kAnimPlain;
  int lockCounter = 0;          // 0 free, 1 or 2 chained
  bool counted = false;         // taken by the current match pass
  int swapColumn = 0;
  int swapRow = 0;

 private:
  // Makes the piece and lock sprites of Set.
  void CreatePieceSprites(bool animate, float radialDelay);
  void MoveSwap(BvLevelElement* element, float step);

  BvBoardHost* m_Host = nullptr;
  BvLevelElement* sprite = nullptr;            // layer 3, piece image
  BvLevelElement* backgroundSprite = nullptr;  // layer 2 (cage 3)
  BvLevelElement* lockSprite = nullptr;        // layer 4
};
