// Runs of three or more: the search, the frame's resolution with its
// scoring, sounds and cascades, and the destruction of one cell's piece.
#include <cstdio>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/platform/random_source.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/piece_debris.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"

namespace {
constexpr int kRunLength = 3;
// Cascades: "combo1" from the third, "excellent" at the fifth.
constexpr int kComboFromCascade = 3;
constexpr int kExcellentCascade = 5;
constexpr float kComboSmallScale = 3.0f;
constexpr float kComboBigScale = 4.0f;
constexpr float kComboLifetimeMs = 10000.0f;
constexpr float kComboAnimSpeed = 30.0f;
// A player's run of four or more: "combomatch" zooms out and fades.
constexpr float kComboMatchScale = 0.3f;
constexpr float kComboMatchZoom = 5.0f;
constexpr float kComboMatchZoomSpeed = 15.0f;
constexpr float kComboMatchFadeSpeed = 10.0f;
constexpr float kComboMatchShownMs = 800.0f;
// Explosions of destroyed pieces.
constexpr float kExplosionLifetimeMs = 10000.0f;
constexpr float kExplosionScale = 0.6f;
// Points: 5 a piece; a backfill gives 15 instead.
constexpr int kPiecePoints = 5;
// A cleared cell waits this long before a piece falls into it, ms.
constexpr float kClearedCellDelayMs = 500.0f;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kClearWhite = 0x00FFFFFFu;

const char* CascadeSound(int countBefore, int countNow) {
  if (countBefore == 0) return "matchauto";
  if (countNow == 2) return "matchauto2";
  if (countNow == 3) return "matchauto3";
  if (countNow >= 4) return "matchauto4";
  return nullptr;
}
}  // namespace

void BvLayout::FindMatchesAt(int column, int row, int colour, std::vector<BvPiece*>& out) {
  if (m_Cells[column][row].runHasMover) return;
  auto same = [&](int c, int r) { return m_Cells[c][r].colour == colour; };
  int left = column, right = column;
  while (left - 1 >= 0 && same(left - 1, row)) --left;
  while (right + 1 < kBoardColumns && same(right + 1, row)) ++right;
  const int h = right - left + 1;
  std::vector<BvPiece*> found;
  bool moving = false;
  auto collect = [&](BvPiece& cell) {
    if (cell.motion != kMotionIdle && cell.motion != kMotionSwapped) moving = true;
    found.push_back(&cell);
  };
  for (int x = left; x <= right; ++x) {
    if (h >= kRunLength) collect(m_Cells[x][row]);
    int top = row, bottom = row;
    while (top - 1 >= 0 && same(x, top - 1)) --top;
    while (bottom + 1 < kBoardRows && same(x, bottom + 1)) ++bottom;
    if (bottom - top + 1 >= kRunLength) {
      for (int y = top; y <= bottom; ++y) collect(m_Cells[x][y]);
    }
  }
  if (moving) {
    for (BvPiece* cell : found) cell->runHasMover = true;
    return;
  }
  out.insert(out.end(), found.begin(), found.end());
}

void BvLayout::ResolveMatches() {
  if (m_Won) return;
  for (auto& column : m_Cells) {
    for (BvPiece& cell : column) {
      cell.runHasMover = false;
      cell.counted = false;
    }
  }
  std::vector<BvPiece*> runs;
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      const BvPiece& cell = m_Cells[c][r];
      if (cell.present == 1 && cell.motion == kMotionIdle && cell.delay <= 0.0f)
        FindMatchesAt(c, r, cell.colour, runs);
    }
  }
  std::vector<BvPiece*> taken;
  bool playerMatch = false;
  for (BvPiece* cell : runs) {
    if (cell->present != 1 || cell->counted) continue;
    if (m_SwapFinished && (IsFirstCell(*cell) || IsSecondCell(*cell))) playerMatch = true;
    ChargeSpells();
    taken.push_back(cell);
    cell->counted = true;
  }
  const int n = int(taken.size());
  const int extra = playerMatch ? n - kRunLength : m_CascadeCount;
  if (n > 0) {
    irr::core::vector2df centre(0.0f, 0.0f);
    for (BvPiece* cell : taken) {
      const int flags = cell->Destroy(extra, playerMatch);
      if (flags & kDestroyBackfillCleared) HitNeighbours(cell->column, cell->row);
      centre += cell->GetScreenPosition();
    }
    centre /= float(n);
    if (!playerMatch) {
      m_Hint.Reset();
      const int before = m_CascadeCount++;
      if (const char* sound = CascadeSound(before, m_CascadeCount)) PlayBoardSound(sound);
      if (m_CascadeCount >= kComboFromCascade) {
        if (BvLevelElement* combo = CreateImageElement(GetLevelManager(), centre, "combo1", -1.0f)) {
          const float scale = m_CascadeCount == kComboFromCascade ? kComboSmallScale : kComboBigScale;
          combo->SetLayer(kLayerEffects);
          combo->SetColor(irr::video::SColor(kOpaqueWhite));
          combo->SetScale(scale, scale);
          combo->AddBehavior(new BvExpireBehavior(kComboLifetimeMs, kComboAnimSpeed, 0.0f));
        }
      }
      if (m_CascadeCount == kExcellentCascade) PlayBoardSound("excellent");
    }
    if (m_SwapFinished && playerMatch) {
      m_CascadeCount = 0;
      if (n == kRunLength) {
        PlayBoardSound("match");
      } else if (n > kRunLength) {
        PlayBoardSound("match4");
        if (BvLevelElement* combo =
                CreateImageElement(GetLevelManager(), centre, "combomatch", -1.0f)) {
          combo->SetLayer(kLayerEffects);
          combo->SetColor(irr::video::SColor(kOpaqueWhite));
          combo->SetScale(kComboMatchScale, kComboMatchScale);
          combo->AddBehavior(new BvColorFadeBehavior(kClearWhite, kOpaqueWhite, kComboMatchFadeSpeed, 0.0f, false));
          combo->AddBehavior(new BvZoomToBehavior(kComboMatchZoom, kComboMatchZoomSpeed, 0));
          combo->AddBehavior(new BvFadeOutBehavior(kComboMatchFadeSpeed, kComboMatchShownMs, true, false));
        }
      }
    }
  }
  if (!m_SwapFinished) return;
  if (playerMatch) {
    if (IsOnBoard(m_FirstColumn, m_FirstRow)) m_Cells[m_FirstColumn][m_FirstRow].Land();
    if (IsOnBoard(m_SecondColumn, m_SecondRow)) m_Cells[m_SecondColumn][m_SecondRow].Land();
    ClearSelectionState();
    m_Hint.Reset();
    if (m_Host) {
      if (BvLevelStats* stats = m_Host->GetLevelStats()) ++stats->matches;
    }
    if (BvProfile* profile = GetProfile()) ++profile->matches;
  } else if (IsOnBoard(m_FirstColumn, m_FirstRow) && IsOnBoard(m_SecondColumn, m_SecondRow)) {
    m_Cells[m_FirstColumn][m_FirstRow].StartSwapBack(m_SecondColumn, m_SecondRow);
    m_Cells[m_SecondColumn][m_SecondRow].StartSwapBack(m_FirstColumn, m_FirstRow);
  }
  m_SwapFinished = false;
}
