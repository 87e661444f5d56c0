// Gravity and refill: one pass a frame that starts falls and diagonal
// slides and makes new pieces under cells that cannot feed a column. The
// travel itself is the pieces' own motion.
#include "engine/level/level_element.h"
#include "engine/platform/random_source.h"
#include "game/board/layout.h"

namespace {
// A cell left by a falling piece waits this long before taking another, ms.
constexpr float kLeftCellDelayMs = 100.0f;

bool IsPlayableKind(int kind) { return kind == kBackClear || kind == kBackFill || kind == kBackBlocker; }

// The cell can take a falling piece.
bool CanReceive(const BvPiece& cell) { return cell.present == 0 && IsPlayableKind(cell.background); }

// The cell passes its piece (or its emptiness) down.
bool Feeds(const BvPiece& cell) { return IsPlayableKind(cell.background) && cell.lockCounter <= 0; }

// A diagonal supplier: a free piece at rest.
bool CanSlide(const BvPiece& cell) {
  return cell.present == 1 && cell.motion == kMotionIdle && cell.lockCounter <= 0;
}
}  // namespace

void BvLayout::ApplyGravityAndRefill() {
  // Columns 0 and 16 and row 0 are never refilled.
  for (int i = 1; i < kBoardColumns - 1; ++i) {
    for (int j = 0; j < kBoardRows - 1; ++j) {
      BvPiece& above = m_Cells[i][j];
      BvPiece& target = m_Cells[i][j + 1];
      if (!CanReceive(target)) continue;
      if (Feeds(above)) {
        if (above.present == 1 && target.delay <= 0.0f &&
            (above.motion == kMotionIdle || above.motion == kMotionFall)) {
          above.motion = kMotionFall;
          target.Clear(kLeftCellDelayMs);
          Exchange(i, j, i, j + 1);
        }
        continue;
      }
      if (CanSlide(m_Cells[i - 1][j])) {
        target.Clear(0.0f);
        Exchange(i, j + 1, i - 1, j);
        target.motion = kMotionSlideRight;
      } else if (CanSlide(m_Cells[i + 1][j])) {
        target.Clear(0.0f);
        Exchange(i, j + 1, i + 1, j);
        target.motion = kMotionSlideLeft;
      } else if (above.background == kBackNone || above.background == kBackCage ||
                 above.background == kBackChainH || above.background == kBackChainV) {
        const int colour = bv::Rand() % kColourCount + 1;
        target.Set(1, kBackNone, colour, false);
        if (BvLevelElement* sprite = target.GetSprite())
          sprite->SetPosition(above.GetScreenPosition());
        target.motion = kMotionFall;
      }
    }
  }
}
