#include "game/gui/own_colour_fade_in.h"

#include "engine/level/element.h"
#include "engine/level/level_element.h"

namespace {
constexpr uint32_t kAlphaMask = 0xFF000000u;
constexpr uint32_t kTransparentBlack = 0x00000000u;
}  // namespace

BvOwnColourFadeIn::BvOwnColourFadeIn(float speed)
    : BvColorFadeBehavior(kTransparentBlack, kTransparentBlack, speed, 0.0f, false) {}

void BvOwnColourFadeIn::Update(float dt) {
  if (m_Target && !m_Captured) {
    m_Captured = true;
    m_To = m_Target->GetColor().color;
    m_From = m_Target->GetBlitMode() == kBlitAdditive ? kTransparentBlack : (m_To & ~kAlphaMask);
  }
  BvColorFadeBehavior::Update(dt);
}
