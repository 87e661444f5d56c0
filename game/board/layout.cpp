#include "game/board/layout.h"

#include "engine/platform/random_source.h"
#include "game/board/board_host.h"
#include "game/board/monster_manager.h"
#include "game/core/layout_cell.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"
#include "game/core/tip_bits.h"

namespace {
// Layout front codes.
constexpr int kFrontPiece = 1;
constexpr int kFrontLockedOnce = 2;
constexpr int kFrontLockedTwice = 3;
// A run is three or more.
constexpr int kRunLength = 3;
// The board must stay settled this long before the possible-move check, ms.
constexpr float kMoveCheckDelayMs = 100.0f;
// GUI modes: no dialog open, and a notice over the live board.
constexpr int kGuiModeNone = 0;
constexpr int kGuiModeNotice = 3;

int DrawColour() { return bv::Rand() % kColourCount + 1; }
}  // namespace

BvLayout::BvLayout(BvBoardHost* host) : CManagedObjectBase(nullptr), m_Host(host) {
  m_Monsters = std::make_unique<BvMonsterManager>(this);
  for (int c = 0; c < kBoardColumns; ++c) {
    for (int r = 0; r < kBoardRows; ++r) {
      BvPiece& cell = m_Cells[c][r];
      cell.column = c;
      cell.row = r;
      cell.SetHost(host);
      cell.AddListener(this);
    }
  }
}

BvLayout::~BvLayout() = default;

const char* BvLayout::GetClassName() const { return "BvLayout"; }

void BvLayout::SetHost(BvBoardHost* host) {
  m_Host = host;
  for (auto& column : m_Cells) {
    for (BvPiece& cell : column) cell.SetHost(host);
  }
}

BvLevelManager* BvLayout::GetLevelManager() const {
  return m_Host ? m_Host->GetLevelManager() : nullptr;
}

BvProfile* BvLayout::GetProfile() const { return m_Host ? m_Host->GetProfile() : nullptr; }

void BvLayout::ScheduleTip(int bit, float delayMs) {
  if (m_Host) m_Host->ScheduleTip(bit, delayMs);
}

void BvLayout::Reset() {
  ClearSelectionState();
  m_MoveCheckTimer = 0.0f;
  m_SpellStep = 0;
  m_SpellTime = 0.0f;
  m_HaloFlashTimer = 0.0f;
  m_MoveCheckArmed = true;
  m_HasCage = false;
  m_Won = false;
  m_TimeLimit = m_LevelTimeLimit;
  m_NoMoreMoves = false;
  m_SpellRunning = false;
  m_CurrentSpell = -1;
  m_SpellTargets.clear();
  m_SpellColour = 0;
  m_TimeUsed = 0.0f;
  m_PlayTimeTotal = 0.0f;
  m_CascadeCount = 0;
  m_WarningPlayed = false;
  if (m_Host) {
    if (BvLevelStats* stats = m_Host->GetLevelStats()) stats->Reset(bv::WallClockSeconds());
  }
  m_Hint.Init();
  m_Monsters->Reset();
  m_Spells.assign(kSpellCount, BvSpellRecord{});
  m_NoMoreMovesBusy = false;
  ResetShows();
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      BvPiece& cell = m_Cells[c][r];
      cell.Init();
      cell.column = c;
      cell.row = r;
      cell.SetHost(m_Host);
      cell.ClearListeners();
      cell.AddListener(this);
    }
  }
}

void BvLayout::ForgetElements() {
  for (auto& column : m_Cells) {
    for (BvPiece& cell : column) cell.ForgetSprites();
  }
  m_FrameSprites.clear();
  m_Corners.clear();
  m_GaugeFront = m_GaugeBar = m_GaugeBack = nullptr;
  m_Tooltip = m_TooltipText = nullptr;
  m_TooltipShown = false;
  m_Hint.ForgetSprites();
  for (BvSpellRecord& spell : m_Spells) spell.ForgetElements();
  m_NoMoreMovesShow.element = nullptr;
  m_Monsters->ForgetElements();
  ClearSelectionState();
}

void BvLayout::Setup(const BvLayoutCell* layout) {
  Reset();
  bv::SeedRand(static_cast<uint32_t>(bv::WallClockSeconds()));
  if (!layout) return;
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      const BvLayoutCell& source = layout[c * kBoardRows + r];
      BvPiece& cell = m_Cells[c][r];
      int front = source.front;
      if (front == kFrontLockedOnce) {
        cell.lockCounter = 1;
        front = kFrontPiece;
      } else if (front == kFrontLockedTwice) {
        cell.lockCounter = 2;
        front = kFrontPiece;
      }
      int colour = kNoColour;
      if (front == kFrontPiece) {
        colour = DrawColour();
        while (MakesRun(c, r, colour)) {
          int next = DrawColour();
          while (next == colour) next = DrawColour();
          colour = next;
        }
      }
      if (source.back == kBackCage) m_HasCage = true;
      // Front codes other than 1..3 leave the cell empty.
      cell.Set(front == kFrontPiece ? 1 : 0, source.back, colour, true);
    }
  }
  CreateFrame(layout);
  CreateSelection();
  CreateSpellGauges();
  CreateTimeGauge();
  CreateTooltip();
  if (!HasPossibleMove()) Shuffle();
}

bool BvLayout::MakesRun(int column, int row, int colour) const {
  auto same = [&](int c, int r) { return m_Cells[c][r].colour == colour; };
  if (colour == kNoColour) return false;
  int count = 1;
  for (int c = column + 1; c < kBoardColumns && same(c, row); ++c) ++count;
  for (int c = column - 1; c >= 0 && same(c, row); --c) ++count;
  if (count >= kRunLength) return true;
  count = 1;
  for (int r = row + 1; r < kBoardRows && same(column, r); ++r) ++count;
  for (int r = row - 1; r >= 0 && same(column, r); --r) ++count;
  return count >= kRunLength;
}

void BvLayout::Exchange(int c1, int r1, int c2, int r2) {
  BvPiece& a = m_Cells[c1][r1];
  BvPiece& b = m_Cells[c2][r2];
  const BvPieceContent content = a.GetContent();
  a.CopyFrom(b);
  b.SetContent(content);
}

void BvLayout::Update(float ms) {
  if (m_HasCage) ScheduleTip(kTipCage, kTipCageDelayMs);
  ResolveMatches();
  CheckLevelWon();
  BvProfile* profile = GetProfile();
  if (profile && profile->matches == 0) {
    m_Hint.ShowHint(GetLevelManager());
    ScheduleTip(kTipMatch3, kTipMatch3DelayMs);
  }
  ScheduleTip(kTipTimer, kTipTimerDelayMs);
  if (m_Won) {
    UpdateLevelComplete(ms);
    return;
  }
  if (m_NoMoreMoves) {
    UpdateNoMoreMoves(ms);
    return;
  }
  if (m_Settled) m_Hint.Update(ms, GetLevelManager());
  m_Monsters->Update(ms);
  UpdateSpellCharge(ms);
  UpdateIdleWave(ms);
  if (m_Host && m_Host->IsMouseOver("sortgui")) {
    UpdateSpellTooltip();
  } else {
    HideSpellTooltip();
  }
  UpdateTimeGauge(ms);
  if (m_SpellRunning) UpdateSpell(ms);
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      m_Cells[c][r].Update(ms);
      SetClearedBackground(c, r);
    }
  }
  EndBrokenSwap();
  UpdateSettled();
  ApplyGravityAndRefill();
  UpdateMoveCheck(ms);
  CheckAchievementStep();
}

void BvLayout::UpdateSettled() {
  m_Settled = true;
  for (const auto& column : m_Cells) {
    for (const BvPiece& cell : column) {
      if (cell.motion != kMotionIdle || cell.delay > 0.0f) m_Settled = false;
    }
  }
}

void BvLayout::UpdateMoveCheck(float ms) {
  if (!m_Settled) {
    m_MoveCheckArmed = true;
    m_MoveCheckTimer = kMoveCheckDelayMs;
    return;
  }
  m_MoveCheckTimer -= ms;
  if (m_MoveCheckTimer < 0.0f && m_MoveCheckArmed) {
    m_MoveCheckArmed = false;
    if (!HasPossibleMove()) m_NoMoreMoves = true;
  }
}

void BvLayout::CheckAchievementStep() {
  BvProfile* profile = GetProfile();
  if (!profile || m_Host->GetGuiMode() != kGuiModeNone) return;
  if (profile->CheckAchievements(m_Achievement))
    m_Host->ShowGui(kGuiAchievementNotice, kGuiModeNotice, reinterpret_cast<intptr_t>(&m_Achievement));
}
