// Decorations built with each level: the frame round the playable area, the
// selection corners, the time gauge, the spell gauges and the tooltip.
#include "game/board/layout_decorations.h"

#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/core/layout_cell.h"
#include "game/core/profile.h"

namespace {
constexpr float kFadeSpeed = 5.0f;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kClearWhite = 0x00FFFFFFu;
// Frame neighbour bits.
constexpr int kUpperLeft = 1, kAbove = 2, kUpperRight = 4, kLeft = 8, kRight = 16,
              kLowerLeft = 32, kBelow = 64, kLowerRight = 128;
// Selection corners wait off the screen until a piece is selected.
const irr::core::vector2df kOffScreen(-1000.0f, -1000.0f);
constexpr float kCornerScale = 1.1f;
const char* const kCornerNames[] = {"seltopleft", "seltopright", "selbottomleft", "selbottomright"};
// The time gauge at the right edge, slightly narrowed.
const irr::core::vector2df kGaugePosition(380.0f, 0.0f);
constexpr float kGaugeScaleX = 0.9f;
constexpr int kLayerGaugeBar = 6;
// Spell gauges on the panel "sortgui".
constexpr float kSpellFirstX = -124.0f;
constexpr float kSpellSpacing = 48.6f;
constexpr float kSpellGaugeY = -18.0f;
constexpr float kSpellLockY = 9.0f;
constexpr float kSpellGaugeScaleY = 1.2f;
constexpr int kNoBody = -1;
constexpr float kNoStartDelay = -1.0f;

bool IsPlayableCode(int back) { return back == kBackClear || back == kBackFill || back == kBackBlocker; }

BvLevelElement* FindInCurrentLevel(BvLevelManager* manager, const char* name) {
  if (!manager || !manager->GetCurrentLevel()) return nullptr;
  return dynamic_cast<BvLevelElement*>(manager->GetCurrentLevel()->FindObjectByName(name));
}
}  // namespace

BvLevelElement* SpawnEffect(BvLevelManager* manager, const irr::core::vector2df& position,
                            const char* elementName, const irr::core::vector2df& direction,
                            float lifetimeMs, float emitterDelayMs) {
  if (!manager) return nullptr;
  BvLevelElement* element = CreateLevelElement(manager, position, elementName, kNoStartDelay);
  if (!element) return nullptr;
  element->SetDynType(kNoBody);
  if (element->GetType() == kElementParticle) {
    if (direction.X >= 0.0f) element->SetDirection(direction);
    if (lifetimeMs >= 0.0f) element->SetLifetime(lifetimeMs);
    if (emitterDelayMs >= 0.0f) element->SetEmitterDelay(emitterDelayMs);
  }
  return element;
}

int BvLayout::FrameMask(const BvLayoutCell* layout, int column, int row) {
  auto playable = [&](int c, int r) {
    return IsOnBoard(c, r) && IsPlayableCode(layout[c * kBoardRows + r].back);
  };
  int mask = 0;
  if (row > 0) {
    if (column > 0 && playable(column - 1, row - 1)) mask |= kUpperLeft;
    if (playable(column, row - 1)) mask |= kAbove;
    if (column < kBoardColumns - 1 && playable(column + 1, row - 1)) mask |= kUpperRight;
  }
  if (column > 0 && playable(column - 1, row)) mask |= kLeft;
  if (column < kBoardColumns - 1 && playable(column + 1, row)) mask |= kRight;
  if (row < kBoardRows - 1) {
    if (column > 0 && playable(column - 1, row + 1)) mask |= kLowerLeft;
    if (playable(column, row + 1)) mask |= kBelow;
    if (column < kBoardColumns - 1 && playable(column + 1, row + 1)) mask |= kLowerRight;
  }
  return mask;
}

std::vector<const char*> BvLayout::FrameSpriteNames(int mask) {
  std::vector<const char*> names;
  if (mask & kLeft) names.push_back("bright");
  if (mask & kRight) names.push_back("bleft");
  if (mask & kAbove) names.push_back("bbottom");
  if (mask & kBelow) names.push_back("btop");
  if ((mask & (kUpperLeft | kAbove | kLeft)) == kUpperLeft) names.push_back("bbottomright");
  else if ((mask & (kAbove | kLeft)) == (kAbove | kLeft)) names.push_back("binnertopleft");
  if ((mask & (kAbove | kUpperRight | kRight)) == kUpperRight) names.push_back("bbottomleft");
  else if ((mask & (kAbove | kRight)) == (kAbove | kRight)) names.push_back("binnertopright");
  if ((mask & (kLeft | kLowerLeft | kBelow)) == kLowerLeft) names.push_back("btopright");
  else if ((mask & (kLeft | kBelow)) == (kLeft | kBelow)) names.push_back("binnerbottomleft");
  if ((mask & (kRight | kBelow | kLowerRight)) == kLowerRight) names.push_back("btopleft");
  else if ((mask & (kRight | kBelow)) == (kRight | kBelow)) names.push_back("binnerbottomright");
  return names;
}

void BvLayout::CreateFrame(const BvLayoutCell* layout) {
  m_FrameSprites.clear();
  if (!layout) return;
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      if (IsPlayableCode(layout[c * kBoardRows + r].back)) continue;
      for (const char* name : FrameSpriteNames(FrameMask(layout, c, r))) CreateFrameSprite(c, r, name);
    }
  }
}

void BvLayout::CreateFrameSprite(int column, int row, const char* name) {
  BvLevelElement* piece = CreateImageElement(GetLevelManager(), CellToScreen(column, row), name, kNoStartDelay);
  if (!piece) return;
  piece->SetLayer(kLayerBackground);
  piece->AddBehavior(new BvColorFadeBehavior(kClearWhite, kOpaqueWhite, kFadeSpeed, 0.0f, false));
  m_FrameSprites.push_back(piece);
}

void BvLayout::CreateSelection() {
  m_Corners.clear();
  for (const char* name : kCornerNames) {
    BvLevelElement* corner = CreateImageElement(GetLevelManager(), kOffScreen, name, kNoStartDelay);
    if (!corner) continue;
    corner->SetLayer(kLayerTop);
    corner->SetVisible(false);
    corner->SetScale(kCornerScale, kCornerScale);
    m_Corners.push_back(corner);
  }
}

void BvLayout::CreateTimeGauge() {
  BvLevelManager* manager = GetLevelManager();
  m_GaugeBack = CreateImageElement(manager, kGaugePosition, "timegaugeback", kNoStartDelay);
  m_GaugeBar = CreateImageElement(manager, irr::core::vector2df(0, 0), "timegauge", kNoStartDelay);
  m_GaugeFront = CreateImageElement(manager, irr::core::vector2df(0, 0), "timegaugefront", kNoStartDelay);
  if (m_GaugeBack) {
    m_GaugeBack->SetLayer(kLayerTop);
    m_GaugeBack->SetScale(kGaugeScaleX, 1.0f);
    m_GaugeBack->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
  }
  if (m_GaugeBar) {
    m_GaugeBar->SetLayer(kLayerGaugeBar);
    m_GaugeBar->SetScale(kGaugeScaleX, 1.0f);
    m_GaugeBar->SetParent(m_GaugeBack);
    m_GaugeBar->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
  }
  if (m_GaugeFront) {
    m_GaugeFront->SetLayer(kLayerTop);
    m_GaugeFront->SetScale(kGaugeScaleX, 1.0f);
    m_GaugeFront->SetParent(m_GaugeBack);
    m_GaugeFront->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
  }
  BvProfile* profile = GetProfile();
  SetGaugeVisible(profile && profile->timeMode != 0);
}

void BvLayout::CreateSpellGauges() {
  BvLevelManager* manager = GetLevelManager();
  BvLevelElement* panel = FindInCurrentLevel(manager, "sortgui");
  if (!panel) return;
  BvProfile* profile = GetProfile();
  const int world = profile ? profile->world : 0;
  const int level = profile ? profile->level : 0;
  m_Spells.resize(kSpellCount);
  for (int i = 0; i < kSpellCount; ++i) {
    const float x = kSpellFirstX + kSpellSpacing * i;
    BvLevelElement* back = CreateImageElement(manager, irr::core::vector2df(x, kSpellGaugeY), "jaugeback", kNoStartDelay);
    BvLevelElement* gauge = CreateImageElement(manager, irr::core::vector2df(0, 0), "jauge", kNoStartDelay);
    if (back && gauge) {
      back->SetParent(panel);
      back->SetLayer(kLayerTop);
      back->SetScale(1.0f, kSpellGaugeScaleY);
      gauge->SetLayer(kLayerTop);
      gauge->SetScale(1.0f, kSpellGaugeScaleY);
      back->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
      gauge->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
    }
    BvSpellRecord& spell = m_Spells[i];
    spell = BvSpellRecord{};
    spell.gauge = gauge;
    spell.gaugeBack = back;
    spell.locked = !(i < world || (i == world && level > 0));
    if (gauge) {
      gauge->SetScale(0.0f, 1.0f);
      gauge->SetParent(back);
    }
    // The padlock is opaque from its first frame: the spell icons are
    // painted on the panel, which arrives opaque, so a lock fading in would
    // show a locked spell as open for a moment.
    if (spell.locked) {
      if (BvLevelElement* lock = CreateImageElement(manager, irr::core::vector2df(x, kSpellLockY), "locksort", kNoStartDelay)) {
        lock->SetParent(panel);
        lock->SetLayer(kLayerTop);
        lock->SetColor(irr::video::SColor(kOpaqueWhite));
      }
    }
  }
}

void BvLayout::CreateTooltip() {
  BvLevelManager* manager = GetLevelManager();
  m_Tooltip = CreateImageElement(manager, irr::core::vector2df(0, 0), "tooltip", kNoStartDelay);
  m_TooltipText = CreateImageElement(manager, irr::core::vector2df(0, 0), "galaxy16", kNoStartDelay);
  if (m_TooltipText) m_TooltipText->SetText(L"");
  if (m_Tooltip) {
    m_Tooltip->SetVisible(false);
    m_Tooltip->SetLayer(kLayerTop);
    if (m_TooltipText) {
      m_TooltipText->SetVisible(false);
      m_TooltipText->SetLayer(kLayerTop);
      m_TooltipText->SetParent(m_Tooltip);
      m_TooltipText->SetTextAlign(0);
    }
  }
  m_TooltipShown = false;
}
