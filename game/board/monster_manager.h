#pragma once
// The board's monsters: created once with the board, reset for each level,
// updated every frame of normal play, all killed when the level is won.
// Monsters do not appear yet: every operation is a no-op until they come.
class BvLayout;

class BvMonsterManager {
 public:
  explicit BvMonsterManager(BvLayout* board) : m_Board(board) {}
  virtual ~BvMonsterManager() = default;

  // A new level: no monster, spawn timer 0.
  void Reset() {}
  // One frame of normal play (ms).
  void Update(float ms) {}
  // The level is won: every monster leaves, no more spawns.
  void KillAll() {}
  // Drops the pointers to the previous visit's elements.
  void ForgetElements() {}

  BvLayout* GetBoard() const { return m_Board; }

 private:
  BvLayout* m_Board;
};
