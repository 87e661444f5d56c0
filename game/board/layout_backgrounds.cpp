// Backgrounds reacting around a cleared cell: chains broken by a freed
// backfill, cages opened once no chain holds them, the explosions along a
// freed cage's row and column, and the image of each cleared cell.
#include "engine/level/element.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/fade_behaviors.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/score_popup.h"
#include "game/core/profile.h"

namespace {
constexpr float kPi = 3.14159265f;
// The freed creature's two lights.
constexpr float kLightStartDelayMs = 800.0f;
constexpr float kLightSoundDelayMs = 500.0f;
constexpr float kLightSwingSpeed = 800.0f;
const irr::core::vector2df kLightTarget(0.0f, 500.0f);
constexpr float kBigLightScale = 1.2f;
constexpr float kBigLightSwing = 100.0f;
constexpr float kBigLightSpeed = 1.8f;
constexpr float kSmallLightScale = 0.9f;
constexpr float kSmallLightSwing = 50.0f;
constexpr float kSmallLightSpeed = 1.7f;
const irr::video::SColor kSmallLightColour(0xFFFFC878u);
// Explosions along a freed cage's lines follow each other at this pace, ms.
constexpr float kExplosionPaceMs = 150.0f;
constexpr float kExplosionLifetimeMs = 10000.0f;
// The rows and columns explosions may reach.
constexpr int kFirstInnerColumn = 1, kLastInnerColumn = 15;
constexpr int kFirstInnerRow = 1, kLastInnerRow = 12;

// A neighbour that draws an edge on a cleared cell.
bool IsEdgeKind(int kind) {
  return kind == kBackNone || kind == kBackFill || kind == kBackBlocker || kind == kBackChainH ||
         kind == kBackChainV;
}

bool IsChainKind(int kind) { return kind == kBackChainH || kind == kBackChainV; }
}  // namespace

void BvLayout::HitNeighbours(int column, int row) {
  struct Direction {
    int dc, dr, chainKind;
  };
  static const Direction kDirections[] = {
      {-1, 0, kBackChainH}, {1, 0, kBackChainH}, {0, -1, kBackChainV}, {0, 1, kBackChainV}};
  for (const Direction& d : kDirections) {
    const int c = column + d.dc, r = row + d.dr;
    if (!IsOnBoard(c, r) || m_Cells[c][r].background != d.chainKind) continue;
    m_Cells[c][r].Destroy(0, false);
    const int c2 = c + d.dc, r2 = r + d.dr;
    if (IsOnBoard(c2, r2) && m_Cells[c2][r2].background == kBackCage) Luminos(c2, r2);
  }
}

void BvLayout::Luminos(int column, int row) {
  static const int kNeighbours[4][2] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}};
  for (const auto& n : kNeighbours) {
    const int c = column + n[0], r = row + n[1];
    if (IsOnBoard(c, r) && IsChainKind(m_Cells[c][r].background)) return;
  }
  m_Cells[column][row].Destroy(0, false);
  BvLevelManager* manager = GetLevelManager();
  const irr::core::vector2df here = CellToScreen(column, row);
  if (BvLevelElement* light = CreateImageElement(manager, here, "luminos", kLightStartDelayMs)) {
    light->SetLayer(kLayerTop);
    light->SetScale(kBigLightScale, kBigLightScale);
    light->AddBehavior(new BvCosinusXBehavior(kBigLightSwing, kLightSwingSpeed, kPi / 2));
    light->AddBehavior(new BvMoveToBehavior(kLightTarget, kBigLightSpeed));
    auto* sound = new BvSoundBehavior("freeluminos");
    sound->SetStartDelay(kLightSoundDelayMs);
    light->AddBehavior(sound);
  }
  if (BvLevelElement* light = CreateImageElement(manager, here, "luminos", kLightStartDelayMs)) {
    light->SetLayer(kLayerTop);
    light->SetScale(kSmallLightScale, kSmallLightScale);
    light->SetColor(kSmallLightColour);
    light->AddBehavior(new BvCosinusXBehavior(kSmallLightSwing, kLightSwingSpeed, 3 * kPi / 2));
    light->AddBehavior(new BvMoveToBehavior(kLightTarget, kSmallLightSpeed));
  }
  if (BvProfile* profile = GetProfile()) ++profile->freed;
  auto explodeLine = [&](int dc, int dr) {
    int index = 0;
    auto inside = [&](int c, int r) {
      return dr == 0 ? c >= kFirstInnerColumn && c <= kLastInnerColumn
                     : r >= kFirstInnerRow && r <= kLastInnerRow;
    };
    for (int c = column + 2 * dc, r = row + 2 * dr; inside(c, r); c += dc, r += dr) {
      if (m_Cells[c][r].present == 1) Explode(c, r, index++);
    }
  };
  explodeLine(-1, 0);
  explodeLine(1, 0);
  explodeLine(0, -1);
  explodeLine(0, 1);
}

void BvLayout::Explode(int column, int row, int index) {
  const float delay = index * kExplosionPaceMs;
  const irr::core::vector2df here = CellToScreen(column, row);
  if (BvLevelElement* explosion =
          CreateEffectElement(GetLevelManager(), here, "explo1", 0.0f, 0.0f, 1.0f, kExplosionLifetimeMs)) {
    explosion->SetStartDelay(delay);
    explosion->AddBehavior(new BvSoundBehavior("explo1"));
    explosion->SetLayer(kLayerExplosions);
  }
  BvPiece& cell = m_Cells[column][row];
  if ((cell.background == kBackFill || cell.background == kBackBlocker) && cell.lockCounter <= 0) {
    int points = 0;
    const int flags = cell.ClearBackground(&points);
    if (flags & kDestroyBackfillCleared) HitNeighbours(column, row);
    if (points > 0) ShowScorePopup(m_Host, points, here, delay, false);
  }
}

const char* BvLayout::ClearedBackgroundName(int mask) {
  static const char* const kNames[8] = {"backclear",  "backclearct", "backcleart",  "backcleart",
                                        "backclearl", "backclearl",  "backcleartl", "backcleartl"};
  return mask >= 0 && mask < 8 ? kNames[mask] : kNames[0];
}

void BvLayout::SetClearedBackground(int column, int row) {
  BvPiece& cell = m_Cells[column][row];
  if (!cell.GetBackgroundSprite() || cell.background != kBackClear) return;
  int mask = 0;
  if (row >= 1) {
    if (IsEdgeKind(m_Cells[column][row - 1].background)) mask += 2;
    if (column >= 1 && IsEdgeKind(m_Cells[column - 1][row - 1].background)) mask += 1;
  }
  if (column >= 1 && IsEdgeKind(m_Cells[column - 1][row].background)) mask += 4;
  BvLevelElement* sprite = cell.GetBackgroundSprite();
  const char* name = ClearedBackgroundName(mask);
  // Only a change of image touches the element (an animation would restart).
  if (!sprite->GetSourceElement() || sprite->GetSourceElement()->GetNameString() != name)
    sprite->SetSourceElementByName(name);
}
