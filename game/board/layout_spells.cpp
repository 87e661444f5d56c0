// The spell steps of the board's update. Spells charge with every matched
// piece; casting them and their effects are not part of the game yet, so
// the steps that would run them do nothing.
#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "game/board/layout.h"

namespace {
// Charge added to every spell per matched piece.
constexpr float kChargePerPiece = 200.0f;
constexpr float kTooltipFadeSpeed = 10.0f;
}  // namespace

void BvLayout::ChargeSpells() {
  for (BvSpellRecord& spell : m_Spells) spell.charge += kChargePerPiece;
}

void BvLayout::UpdateSpellCharge(float ms) {
  // Gauges, halos and readiness come with the spells.
}

void BvLayout::UpdateSpell(float ms) {
  // No spell effect runs yet.
}

void BvLayout::OnSpellPanelClick() {
  // No spell can be cast yet.
}

void BvLayout::UpdateSpellTooltip() {
  // The panel's tooltip comes with the spells.
}

void BvLayout::HideSpellTooltip() {
  if (!m_TooltipShown) return;
  m_TooltipShown = false;
  for (BvLevelElement* element : {m_Tooltip, m_TooltipText}) {
    if (element) element->AddBehavior(new BvFadeOutBehavior(kTooltipFadeSpeed, 0.0f, false, false));
  }
}
