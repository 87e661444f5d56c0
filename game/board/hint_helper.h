#pragma once
// The hint: the first possible move the board found, shown as two arrows
// after 20 seconds without progress (at once for a player who never made a
// match).
class BvLevelElement;
class BvLevelManager;

// Hint directions: where the partner of the move lies.
enum BvHintDirection {
  kHintNone = 0,
  kHintUp = 1,
  kHintDown = 2,
  kHintLeft = 3,
  kHintRight = 4,
};

class BvHintHelper {
 public:
  // Countdown before the hint shows, ms.
  static constexpr float kCountdownMs = 20000.0f;

  BvHintHelper() { Init(); }

  // Forgets the sprites (they belong to a level that is gone), then Reset.
  void Init();
  // Countdown restarted, no move recorded; shown arrows fade out.
  void Reset();
  void SetHint(int column, int row, int direction);
  bool HasSprites() const { return m_First && m_Second; }
  // Counts down (ms) while a move is recorded and no hint shows; at 0 shows
  // it in manager.
  void Update(float ms, BvLevelManager* manager);
  // The arrows around the recorded move and the sound "hint".
  void ShowHint(BvLevelManager* manager);
  void ForgetSprites() { m_First = m_Second = nullptr; }

  float GetCountdown() const { return m_Countdown; }
  int GetColumn() const { return m_Column; }
  int GetRow() const { return m_Row; }
  int GetDirection() const { return m_Direction; }
  BvLevelElement* GetFirstSprite() const { return m_First; }
  BvLevelElement* GetSecondSprite() const { return m_Second; }

 private:
  float m_Countdown = kCountdownMs;
  int m_Column = 0;
  int m_Row = 0;
  int m_Direction = kHintNone;
  BvLevelElement* m_First = nullptr;   // "hintright"
  BvLevelElement* m_Second = nullptr;  // "hintleft"
};
