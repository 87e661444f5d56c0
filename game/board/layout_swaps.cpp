// Selection and swaps: presses (event 1000), arrivals (1001, 1002), the
// selection corners.
#include <cmath>

#include "engine/level/behavior.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_host.h"
#include "game/board/layout.h"

namespace {
// Corner offsets from the selected cell's centre, pixels.
constexpr float kCornerLeft = -14.0f;
constexpr float kCornerTop = 15.0f;
constexpr float kCornerSpacing = 24.0f;
// The corners breathe by one pixel.
constexpr float kBreathRange = 1.0f;
constexpr float kBreathSpeed = 100.0f;
constexpr float kCornerFadeSpeed = 20.0f;
constexpr float kCornerFadeDelayMs = 100.0f;
constexpr float kPi = 3.14159265f;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kClearWhite = 0x00FFFFFFu;

// The press is taken: the left-click flag is consumed through the host,
// which reads and clears the application's flag.
void ConsumeClick(BvBoardHost* host) {
  if (host) host->WasLeftClicked();
}

bool AreNeighbours(int c1, int r1, int c2, int r2) {
  return (r1 == r2 && std::abs(c1 - c2) == 1) || (c1 == c2 && std::abs(r1 - r2) == 1);
}

bool CanStartSwap(const BvPiece& cell) {
  return cell.present == 1 && (cell.motion == kMotionIdle || cell.motion == kMotionFall);
}
}  // namespace

bool BvLayout::IsFirstCell(const BvPiece& cell) const {
  return cell.column == m_FirstColumn && cell.row == m_FirstRow;
}

bool BvLayout::IsSecondCell(const BvPiece& cell) const {
  return cell.column == m_SecondColumn && cell.row == m_SecondRow;
}

bool BvLayout::IsInputBlocked() const {
  // While the level-won show runs the cells' sprites are on their way out.
  return m_SpellRunning || m_SwapRunning || m_NoMoreMovesBusy || m_Won;
}

void BvLayout::OnNotify(int event, CManagedObjectBase* sender) {
  auto* cell = dynamic_cast<BvPiece*>(sender);
  if (!cell || !IsOnBoard(cell->column, cell->row) || cell != &m_Cells[cell->column][cell->row])
    return;
  switch (event) {
    case kEventPiecePressed:
      OnPiecePressed(*cell);
      break;
    case kEventSwapArrived:
      OnSwapArrived(*cell, false);
      break;
    case kEventSwapBackArrived:
      OnSwapArrived(*cell, true);
      break;
    default:
      break;
  }
}

void BvLayout::OnPiecePressed(BvPiece& cell) {
  if (IsInputBlocked()) return;
  if (cell.lockCounter >= 1) {
    PlayBoardSound("locked");
    ConsumeClick(m_Host);
    return;
  }
  m_SecondColumn = cell.column;
  m_SecondRow = cell.row;
  if (m_FirstColumn == -1) {
    cell.SetAnimation(kAnimTurn);
    m_FirstColumn = cell.column;
    m_FirstRow = cell.row;
    ShowSelection();
    return;
  }
  if (IsFirstCell(cell)) return;
  BvPiece& first = m_Cells[m_FirstColumn][m_FirstRow];
  if (!AreNeighbours(m_FirstColumn, m_FirstRow, cell.column, cell.row)) {
    if (first.present == 1) first.SetAnimation(kAnimPlain);
    cell.SetAnimation(kAnimTurn);
    m_FirstColumn = cell.column;
    m_FirstRow = cell.row;
    ShowSelection();
    return;
  }
  HideSelection();
  if (CanStartSwap(first) && CanStartSwap(cell)) {
    first.StartSwap(cell.column, cell.row);
    cell.StartSwap(m_FirstColumn, m_FirstRow);
    m_SwapRunning = true;
  }
}

void BvLayout::OnSwapArrived(BvPiece& cell, bool back) {
  // Both pieces arrive; the first cell's arrival acts for the pair.
  if (!IsFirstCell(cell) || !IsOnBoard(m_SecondColumn, m_SecondRow)) return;
  BvPiece& first = m_Cells[m_FirstColumn][m_FirstRow];
  BvPiece& second = m_Cells[m_SecondColumn][m_SecondRow];
  first.SetAnimation(kAnimPlain);
  Exchange(m_FirstColumn, m_FirstRow, m_SecondColumn, m_SecondRow);
  first.Land();
  second.Land();
  ConsumeClick(m_Host);
  if (back) {
    ClearSelectionState();
    return;
  }
  first.motion = kMotionSwapped;
  second.motion = kMotionSwapped;
  m_SwapFinished = true;
}

void BvLayout::EndBrokenSwap() {
  if (!m_SwapRunning || !IsOnBoard(m_FirstColumn, m_FirstRow) ||
      !IsOnBoard(m_SecondColumn, m_SecondRow))
    return;
  BvPiece& first = m_Cells[m_FirstColumn][m_FirstRow];
  BvPiece& second = m_Cells[m_SecondColumn][m_SecondRow];
  if (first.present == 1 && second.present == 1) return;
  // One piece was destroyed on the way: the other can never be answered by
  // its partner's arrival, so it lands where it stands.
  for (BvPiece* cell : {&first, &second}) {
    if (cell->present == 1) {
      cell->Land();
    } else {
      cell->motion = kMotionIdle;
    }
  }
  ClearSelectionState();
}

void BvLayout::ClearSelection() {
  if (IsInputBlocked()) return;
  HideSelection();
  if (IsOnBoard(m_FirstColumn, m_FirstRow)) m_Cells[m_FirstColumn][m_FirstRow].SetAnimation(kAnimPlain);
  m_FirstColumn = m_FirstRow = -1;
  m_SecondColumn = m_SecondRow = -1;
}

void BvLayout::ClearSelectionState() {
  m_FirstColumn = m_FirstRow = -1;
  m_SecondColumn = m_SecondRow = -1;
  m_SwapRunning = false;
  m_SwapFinished = false;
}

void BvLayout::ShowSelection() {
  if (!IsOnBoard(m_FirstColumn, m_FirstRow)) return;
  const irr::core::vector2df centre = CellToScreen(m_FirstColumn, m_FirstRow);
  for (size_t i = 0; i < m_Corners.size(); ++i) {
    BvLevelElement* corner = m_Corners[i];
    if (!corner) continue;
    // A moved selection drops the old breathing, which holds the old place.
    corner->ClearBehaviors();
    const int across = int(i % 2), down = int(i / 2);
    corner->SetPosition(centre.X + kCornerLeft + kCornerSpacing * across,
                        centre.Y + kCornerTop - kCornerSpacing * down);
    corner->SetColor(irr::video::SColor(kOpaqueWhite));
    corner->AddBehavior(new BvSinusYBehavior(kBreathRange, kBreathSpeed, down * kPi));
    corner->AddBehavior(new BvCosinusXBehavior(kBreathRange, kBreathSpeed, across * kPi + kPi / 2));
    corner->AddBehavior(
        new BvColorFadeBehavior(kClearWhite, kOpaqueWhite, kCornerFadeSpeed, kCornerFadeDelayMs, false));
    corner->SetVisible(true);
  }
}

void BvLayout::HideSelection() {
  for (BvLevelElement* corner : m_Corners) {
    if (!corner) continue;
    corner->ClearBehaviors();
    corner->SetVisible(false);
  }
}
