#include "game/board/hint_helper.h"

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "game/board/board_geometry.h"
#include "game/board/board_placement.h"
#include "game/board/piece.h"

namespace {
constexpr float kPi = 3.14159265f;
// Arrows sit half a cell toward the partner, 10 pixels either side.
constexpr float kHalfCell = 22.0f;
constexpr float kArrowSpread = 10.0f;
constexpr float kSwingRange = 10.0f;
constexpr float kSwingSpeed = 100.0f;
constexpr float kFadeSpeed = 10.0f;
}  // namespace

void BvHintHelper::Init() {
  ForgetSprites();
  Reset();
}

void BvHintHelper::Reset() {
  m_Countdown = kCountdownMs;
  m_Column = m_Row = 0;
  m_Direction = kHintNone;
  if (HasSprites()) {
    m_First->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, 0.0f, true, false));
    m_Second->AddBehavior(new BvFadeOutBehavior(kFadeSpeed, 0.0f, true, false));
  }
  ForgetSprites();
}

void BvHintHelper::SetHint(int column, int row, int direction) {
  m_Column = column;
  m_Row = row;
  m_Direction = direction;
}

void BvHintHelper::Update(float ms, BvLevelManager* manager) {
  if (m_Direction == kHintNone || HasSprites()) return;
  m_Countdown -= ms;
  if (m_Countdown < 0.0f) {
    m_Countdown = kCountdownMs;
    ShowHint(manager);
  }
}

void BvHintHelper::ShowHint(BvLevelManager* manager) {
  if (m_Direction == kHintNone || HasSprites()) return;
  const irr::core::vector2df at = CellToScreen(m_Column, m_Row);
  const bool vertical = m_Direction == kHintUp || m_Direction == kHintDown;
  irr::core::vector2df first, second;
  if (vertical) {
    const float d = m_Direction == kHintUp ? kHalfCell : -kHalfCell;
    first.set(at.X - kArrowSpread, at.Y + d);
    second.set(at.X + kArrowSpread, at.Y + d);
  } else {
    const float d = m_Direction == kHintLeft ? -kHalfCell : kHalfCell;
    first.set(at.X + d, at.Y + kArrowSpread);
    second.set(at.X + d, at.Y - kArrowSpread);
  }
  BvLevelElement* a = CreateImageElement(manager, first, "hintright", -1.0f);
  BvLevelElement* b = CreateImageElement(manager, second, "hintleft", -1.0f);
  int index = 0;
  for (BvLevelElement* arrow : {a, b}) {
    const float phase = index++ == 0 ? 0.0f : kPi;
    if (!arrow) continue;
    arrow->SetLayer(kLayerTop);
    if (vertical) {
      arrow->SetRotation(kPi / 2);
      arrow->AddBehavior(new BvSinusYBehavior(kSwingRange, kSwingSpeed, phase));
    } else {
      arrow->AddBehavior(new BvCosinusXBehavior(kSwingRange, kSwingSpeed, phase));
    }
    arrow->AddBehavior(new BvFadeInBehavior(kFadeSpeed, 0.0f));
  }
  m_First = a;
  m_Second = b;
  PlayBoardSound("hint");
}
