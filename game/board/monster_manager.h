#pragma once
// The board's monsters: crabs chain pieces, bats put cleared backgrounds
// back, turtles grow chains out of cages. Up to four live at once, each for
// a limited time shown by a gauge above it; clicks shorten that time. The
// board builds the manager once, resets it for each level, updates it
// every frame of normal play and kills every monster when the level is won.
#include <cstdint>
#include <vector>

#include <irrlicht.h>

class BvLayout;
class BvLevelElement;
class BvLevelManager;
class BvPiece;

// Monster kinds; the even ones are the strong forms.
enum BvMonsterKind {
  kMonsterNone = 0,
  kMonsterCrab = 1,
  kMonsterStrongCrab = 2,
  kMonsterBat = 3,
  kMonsterStrongBat = 4,
  kMonsterTurtle = 5,
  kMonsterStrongTurtle = 6,
};
constexpr int kMonsterKindCount = 6;
constexpr int kMonsterSlots = 4;

// One place for a monster: free (kind 0), alive, or waiting (kind 0 with a
// respawn timer above 0).
struct BvMonsterSlot {
  float elapsed = 0.0f;   // ms since the last action on the board
  float fullLife = 0.0f;  // ms
  float lifeLeft = 0.0f;  // ms
  // Elements of the current level (not owned).
  BvLevelElement* body = nullptr;
  BvLevelElement* gaugeBack = nullptr;  // "gaugeentback"
  BvLevelElement* gauge = nullptr;      // "gaugeent", child of the back
  int32_t kind = kMonsterNone;
  float respawnTimer = 0.0f;  // ms; the slot stays closed while above 0
};

class BvMonsterManager {
 public:
  explicit BvMonsterManager(BvLayout* board) : m_Board(board) {}
  virtual ~BvMonsterManager() = default;

  // A new level: every slot free, spawn timer 0, start index 0.
  void Reset();
  // One frame of normal play (ms): spawning, the monsters' actions and
  // gauges, clicks.
  void Update(float ms);
  // The level is won: every monster dies and none comes back.
  void KillAll();
  // A hit on every slot.
  void HitAll();
  // Drops the pointers to the previous visit's elements.
  void ForgetElements();

  // The kind to spawn next (0 none) for the profile's world and the board.
  int ChooseKind();
  // Brings a monster of the kind into the first free slot.
  void SpawnMonster(int kind);
  // A click on the monster: 5000 ms of life off; below 0 it dies.
  void HitMonster(int slot);
  // The monster leaves with its debris; every free slot then waits.
  void KillMonster(int slot);
  // Every slot's monster acts when its time has come; gauges follow.
  void UpdateMonsters(float ms);
  // The first monster under the cursor takes a click; the cursor shows it.
  void OnClick();

  // Board tests.
  static bool CanSpawnCrabs(const BvLayout& board);
  static bool CanSpawnBat(const BvLayout& board);
  static bool HasCage(const BvLayout& board);
  // The first cage cell, scanning rows from the top; false when none.
  static bool FindCage(const BvLayout& board, int& column, int& row);
  // A random cell holding a piece (20 tries); false when none was found.
  bool PickRandomCell(irr::core::vector2df& position) const;
  std::vector<irr::core::vector2df> PickRandomCells() const;
  // From the source cell's background sprite to the target's: the sine and
  // cosine motions' elapsed times, so a new chain sways with its cage.
  static void SyncWobble(const BvPiece& from, const BvPiece& to);

  BvMonsterSlot& GetSlot(int slot) { return m_Slots[slot]; }
  const BvMonsterSlot& GetSlot(int slot) const { return m_Slots[slot]; }
  float GetSpawnTimer() const { return m_SpawnTimer; }
  uint32_t GetStartIndex() const { return m_StartIndex; }
  void SetStartIndex(uint32_t index) { m_StartIndex = index; }
  BvLayout* GetBoard() const { return m_Board; }

 private:
  int FindFreeSlot() const;
  bool IsExpert() const;
  BvLevelManager* GetLevelManager() const;
  // The cell the monster stands on (within 18 pixels of its centre).
  BvPiece* CellUnder(const BvMonsterSlot& slot) const;
  void UpdateCrabs(BvMonsterSlot& slot, bool strong);
  void UpdateBat(BvMonsterSlot& slot, bool strong);
  void UpdateTurtle(BvMonsterSlot& slot, bool strong);
  void UpdateGauge(BvMonsterSlot& slot);
  // "effectmonster" at a position.
  void ShowActionEffect(const irr::core::vector2df& position);
  // A new element, made with the given source name, on layer 5 with the
  // kind's scale and tint.
  void StyleBody(BvLevelElement* body, int kind) const;

  BvLayout* m_Board;
  BvMonsterSlot m_Slots[kMonsterSlots];
  float m_SpawnTimer = 0.0f;  // ms
  uint32_t m_StartIndex = 0;
};
