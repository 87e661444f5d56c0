// Possible moves (and the hint they leave), the shuffle, the idle wave and
// the camera shake.
#include "engine/level/camera.h"
#include "engine/level/level_manager.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/platform/random_source.h"
#include "game/board/layout.h"

namespace {
constexpr int kMaxShufflePasses = 10;
// Idle wave: every 10 s one anti-diagonal per 150 ms from the top-left.
constexpr float kIdleWavePauseMs = 10000.0f;
constexpr float kIdleWaveStepMs = 150.0f;
constexpr int kIdleWaveDiagonals = 34;
// The shake: zoom factors in order, speed 100, smooth. A camera runs all
// its behaviours at once up to the first wait, so a wait after each beat
// makes the beats follow each other; without them the widest beat outlasts
// the others and leaves the view zoomed in.
constexpr float kShakeFactors[] = {1.2f, 1.0f, 1.1f, 1.0f, 1.05f, 1.0f};
constexpr float kShakeSpeed = 100.0f;
constexpr float kBeatGapMs = 0.0f;
}  // namespace

bool BvLayout::HasMoveAt(int a, int b, int k) {
  m_Hint.SetHint(0, 0, kHintNone);
  auto partner = [&](int c, int r) {
    return IsOnBoard(c, r) && m_Cells[c][r].colour == k && m_Cells[c][r].lockCounter < 1;
  };
  auto gap = [&](int c, int r) {
    return IsOnBoard(c, r) && m_Cells[c][r].present == 1 && m_Cells[c][r].lockCounter < 1;
  };
  auto colourAt = [&](int c, int r) { return IsOnBoard(c, r) && m_Cells[c][r].colour == k; };
  struct Partner {
    int dc, dr, direction;
  };
  // A pattern: a cell of colour k at (kc, kr) and a gap at (gc, gr) whose
  // partners, tried in order, complete the run by moving into the gap.
  struct Pattern {
    int kc, kr, gc, gr;
    Partner partners[3];
    int partnerCount;
  };
  static const Pattern kPatterns[] = {
      {2, 0, 1, 0, {{1, -1, kHintUp}, {1, 1, kHintDown}}, 2},
      {1, 0, 2, 0, {{2, -1, kHintUp}, {2, 1, kHintDown}, {3, 0, kHintRight}}, 3},
      {-2, 0, -1, 0, {{-1, -1, kHintUp}, {-1, 1, kHintDown}}, 2},
      {-1, 0, -2, 0, {{-2, -1, kHintUp}, {-2, 1, kHintDown}, {-3, 0, kHintLeft}}, 3},
      {0, 2, 0, 1, {{-1, 1, kHintLeft}, {1, 1, kHintRight}}, 2},
      {0, 1, 0, 2, {{-1, 2, kHintLeft}, {1, 2, kHintRight}, {0, 3, kHintDown}}, 3},
      {0, -2, 0, -1, {{-1, -1, kHintLeft}, {1, -1, kHintRight}}, 2},
      {0, -1, 0, -2, {{-1, -2, kHintLeft}, {1, -2, kHintRight}, {0, -3, kHintUp}}, 3},
  };
  for (const Pattern& p : kPatterns) {
    if (!colourAt(a + p.kc, b + p.kr) || !gap(a + p.gc, b + p.gr)) continue;
    for (int i = 0; i < p.partnerCount; ++i) {
      const Partner& q = p.partners[i];
      if (partner(a + q.dc, b + q.dr)) {
        m_Hint.SetHint(a + p.gc, b + p.gr, q.direction);
        return true;
      }
    }
  }
  return false;
}

bool BvLayout::HasPossibleMove() {
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      const BvPiece& cell = m_Cells[c][r];
      if (cell.present == 1 && HasMoveAt(c, r, cell.colour)) return true;
    }
  }
  return false;
}

void BvLayout::Shuffle() {
  for (auto& column : m_Cells) {
    for (BvPiece& cell : column) {
      if (cell.present == 1) cell.colour = kNoColour;
    }
  }
  for (int pass = 0; pass < kMaxShufflePasses; ++pass) {
    for (int r = 0; r < kBoardRows; ++r) {
      for (int c = 0; c < kBoardColumns; ++c) {
        BvPiece& cell = m_Cells[c][r];
        if (cell.present != 1) continue;
        // Each candidate differs from the one before it, the first from the
        // cell's colour before this pass.
        int previous = cell.colour;
        int k;
        while (true) {
          k = bv::Rand() % kColourCount + 1;
          if (k == previous) continue;
          previous = k;
          if (!MakesRun(c, r, k)) break;
        }
        cell.SetColour(k);
      }
    }
    if (HasPossibleMove()) return;
  }
}

void BvLayout::UpdateIdleWave(float ms) {
  IdleWave& wave = m_IdleWave;
  if (!wave.active) {
    wave.timer += ms;
    if (wave.timer > kIdleWavePauseMs) {
      wave.active = true;
      wave.timer = 0.0f;
      wave.step = 0.0f;
    }
    return;
  }
  wave.step += ms / kIdleWaveStepMs;
  const int a = int(wave.step);
  if (a >= kIdleWaveDiagonals) {
    wave.active = false;
    wave.step = 0.0f;
    wave.timer = 0.0f;
    return;
  }
  for (int i = 0; i <= kBoardRows - 1 && i <= a; ++i) {
    const int c = a - i;
    if (c >= kBoardColumns) continue;
    BvPiece& cell = m_Cells[c][i];
    if (cell.present == 1 && cell.animation == kAnimPlain) cell.SetAnimation(kAnimIdle);
  }
}

void BvLayout::ShakeBoard() {
  BvLevelManager* manager = GetLevelManager();
  if (!manager) return;
  BvCamera* camera = manager->GetCamera();
  for (float factor : kShakeFactors) {
    camera->AddBehavior(new BvZoomToBehavior(factor, kShakeSpeed, 0));
    camera->AddBehavior(new BvWaitBehavior(kBeatGapMs));
  }
}
