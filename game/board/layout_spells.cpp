// Spells on the panel "sortgui": they charge with every matched piece, show
// two turning halos when full, flash along the panel every ten seconds and
// are cast by a click on their place. The panel's tooltip names them.
#include <algorithm>
#include <cstdio>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/platform/message_box.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/sprite.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/core/profile.h"
#include "game/core/tip_bits.h"

namespace {
// Charge added to every spell per matched piece.
constexpr float kChargePerPiece = 200.0f;
// Full charge of spell i: 14500 + 5000 x i, doubled in expert mode.
constexpr float kFirstFullCharge = 14500.0f;
constexpr float kFullChargeStep = 5000.0f;
constexpr float kExpertChargeFactor = 2.0f;
constexpr float kTooltipFadeSpeed = 10.0f;
const irr::video::SColor kTooltipColour(0xC8FFFFFFu);
const irr::core::vector2df kTooltipOffset(-70.0f, 30.0f);
const irr::core::vector2df kTooltipTextOffset(0.0f, 10.0f);
// Half the window's width: the tooltip stays inside it.
constexpr float kWindowHalfWidth = 400.0f;

// Panel geometry: a cursor point maps to (u, v) = (x - px + 152, py - y + 34);
// the spell row lies below v = 40 and each spell is 50 units wide.
constexpr float kPanelOffsetU = 152.0f;
constexpr float kPanelOffsetV = 34.0f;
constexpr float kPanelRowHeight = 40.0f;
constexpr float kPanelSpellWidth = 50.0f;

// Halos of a ready spell.
constexpr float kHaloFirstX = -124.0f;
constexpr float kHaloSpacing = 48.6f;
constexpr float kHaloY = 10.0f;
constexpr float kHaloScale = 1.01f;
constexpr float kHaloTurnSpeed = 300.0f;
constexpr uint32_t kHaloColourA = 0xB48080FFu;
constexpr uint32_t kHaloColourB = 0xB4FFFFFFu;
constexpr float kHaloFadeSpeed = 10.0f;
// The flash wave along the ready spells.
constexpr float kFlashIntervalMs = 10000.0f;
constexpr uint32_t kFlashColour = 0xFFF00078u;
constexpr float kFlashSpeed = 5.0f;
constexpr float kFlashPaceMs = 500.0f;
constexpr float kFlashReturnMs = 1000.0f;
constexpr float kNoStartDelay = -1.0f;

const char* const kSpellKeys[] = {"sort1", "sort2", "sort3", "sort4", "sort5", "sort6"};

BvLevelElement* FindPanel(BvLevelManager* manager) {
  if (!manager || !manager->GetCurrentLevel()) return nullptr;
  return dynamic_cast<BvLevelElement*>(manager->GetCurrentLevel()->FindObjectByName("sortgui"));
}

BvLevelElement* MakeHalo(BvLevelManager* manager, BvLevelElement* panel, int spell, float turn,
                         uint32_t colour) {
  const irr::core::vector2df at(kHaloFirstX + kHaloSpacing * spell, kHaloY);
  BvLevelElement* halo = CreateImageElement(manager, at, "halosort", kNoStartDelay);
  if (!halo) return nullptr;
  halo->SetParent(panel);
  halo->SetLayer(kLayerTop);
  halo->SetScale(kHaloScale, kHaloScale);
  halo->AddBehavior(new BvRotateBehavior(turn));
  halo->SetColor(irr::video::SColor(colour));
  return halo;
}
}  // namespace

void BvLayout::ChargeSpells() {
  for (BvSpellRecord& spell : m_Spells) spell.charge += kChargePerPiece;
}

float BvLayout::SpellFullCharge(int spell) const {
  const float full = kFirstFullCharge + kFullChargeStep * spell;
  return m_Host && m_Host->IsExpertMode() ? full * kExpertChargeFactor : full;
}

void BvLayout::UpdateSpellCharge(float ms) {
  bool firstReady = true;
  bool flashDue = false;
  for (int i = 0; i < int(m_Spells.size()); ++i) {
    BvSpellRecord& spell = m_Spells[i];
    if (spell.locked) continue;
    const float full = SpellFullCharge(i);
    const float f = std::min(spell.charge, full) / full;
    if (spell.gauge) {
      spell.gauge->SetScale(f, 1.0f);
      const BvSprite* sprite = spell.gauge->GetCurrentSprite();
      const float width = sprite ? float(sprite->GetSourceRect().getWidth()) : 0.0f;
      spell.gauge->SetPosition(-width * (1.0f - f) / 2.0f, 0.0f);
    }
    if (spell.ready && firstReady) {
      firstReady = false;
      m_HaloFlashTimer += ms;
      if (m_HaloFlashTimer >= kFlashIntervalMs) {
        m_HaloFlashTimer = 0.0f;
        flashDue = true;
      }
    }
    if (spell.cast) {
      spell.charge = 0.0f;
      spell.ready = false;
      spell.cast = false;
      for (BvLevelElement* halo : {spell.haloA, spell.haloB}) {
        if (halo) halo->AddBehavior(new BvFadeOutBehavior(kHaloFadeSpeed, 0.0f, true, false));
      }
      spell.haloA = spell.haloB = nullptr;
    } else if (spell.charge > full && !spell.ready) {
      BvLevelManager* manager = GetLevelManager();
      if (BvLevelElement* panel = FindPanel(manager)) {
        spell.haloA = MakeHalo(manager, panel, i, -kHaloTurnSpeed, kHaloColourA);
        spell.haloB = MakeHalo(manager, panel, i, kHaloTurnSpeed, kHaloColourB);
      }
      spell.ready = true;
      PlayBoardSound("sortappear");
      ScheduleTip(kTipSpell, kTipSpellDelayMs);
    }
  }
  if (!flashDue) return;
  for (int j = 0; j < int(m_Spells.size()); ++j) {
    BvLevelElement* halo = m_Spells[j].haloA;
    if (!m_Spells[j].ready || !halo) continue;
    halo->AddBehavior(new BvColorFadeBehavior(kHaloColourA, kFlashColour, kFlashSpeed, kFlashPaceMs * j, false));
    halo->AddBehavior(new BvColorFadeBehavior(kFlashColour, kHaloColourA, kFlashSpeed,
                                              kFlashPaceMs * j + kFlashReturnMs, true));
  }
}

irr::core::vector2df BvLayout::SpellPlace(const irr::core::vector2df& panelPosition, int spell) {
  return {panelPosition.X - kPanelOffsetU + kPanelSpellWidth * (spell + 0.5f),
          panelPosition.Y + kPanelOffsetV - kPanelRowHeight / 2};
}

int BvLayout::SpellUnderCursor() const {
  BvLevelManager* manager = GetLevelManager();
  BvLevelElement* panel = FindPanel(manager);
  if (!panel) return -1;
  const irr::core::vector2df cursor = manager->GetMouseWorldPosition(0);
  const irr::core::vector2df at = panel->GetPosition();
  const float u = cursor.X - at.X + kPanelOffsetU;
  const float v = at.Y - cursor.Y + kPanelOffsetV;
  if (!(v < kPanelRowHeight)) return -1;
  // Truncated toward zero: a point just left of the first place is spell 0.
  const float place = u / kPanelSpellWidth;
  if (!(place > -1.0f && place < float(kSpellCount))) return -1;
  return int(place);
}

void BvLayout::OnSpellPanelClick() {
  if (m_SpellRunning) return;
  const int i = SpellUnderCursor();
  if (i < 0 || i >= int(m_Spells.size())) return;
  if (!m_Spells[i].ready) {
    PlayBoardSound("clickfail");
    return;
  }
  if (!m_Settled) return;
  StartSpell(i);
}

void BvLayout::StartSpell(int spell) {
  if (spell < 0 || spell >= int(m_Spells.size())) return;
  m_Hint.Reset();
  m_SpellTime = 0.0f;
  m_HaloFlashTimer = 0.0f;
  m_SpellStep = 0;
  m_CurrentSpell = spell;
  m_SpellRunning = true;
  m_SpellTargets.clear();
  m_Spells[spell].cast = true;
  if (BvProfile* profile = GetProfile()) ++profile->spellsCast;
}

void BvLayout::EndSpell() {
  m_SpellStep = 0;
  m_SpellTime = 0.0f;
  m_SpellRunning = false;
}

void BvLayout::UpdateSpell(float ms) {
  switch (m_CurrentSpell) {
    case 0: UpdateSpellStorm(ms); break;
    case 1: UpdateSpellChainBurn(ms); break;
    case 2: UpdateSpellFreeze(ms); break;
    case 3: UpdateSpellCageStorm(ms); break;
    case 4: UpdateSpellElectric(ms); break;
    case 5: UpdateSpellFallBomb(ms); break;
    default: {
      char text[64];
      std::snprintf(text, sizeof(text), "Erreur sort numero : %d", m_CurrentSpell);
      bv::ShowMessageBox("Alert", text);
      m_SpellRunning = false;
      break;
    }
  }
}

void BvLayout::UpdateSpellTooltip() {
  const int i = SpellUnderCursor();
  if (i >= 0 && i < int(m_Spells.size()) && !m_Spells[i].locked) {
    ShowSpellTooltip(kSpellKeys[i]);
  } else {
    HideSpellTooltip();
  }
}

void BvLayout::ShowSpellTooltip(const char* key) {
  if (!m_TooltipShown) {
    m_TooltipShown = true;
    for (BvLevelElement* element : {m_Tooltip, m_TooltipText}) {
      if (!element) continue;
      element->SetVisible(true);
      element->SetColor(kTooltipColour);
      element->AddBehavior(new BvFadeInBehavior(kTooltipFadeSpeed, 0.0f));
    }
  }
  BvLevelManager* manager = GetLevelManager();
  if (m_Tooltip && manager) {
    irr::core::vector2df at = manager->GetMouseWorldPosition(0) + kTooltipOffset;
    // Over the panel's right-hand spells the box would reach past the
    // window's edge: it moves in just far enough to be read whole.
    const BvSprite* sprite = m_Tooltip->GetCurrentSprite();
    const float half = sprite ? sprite->GetSourceRect().getWidth() * m_Tooltip->GetScale().X / 2.0f : 0.0f;
    if (half < kWindowHalfWidth) at.X = std::clamp(at.X, half - kWindowHalfWidth, kWindowHalfWidth - half);
    m_Tooltip->SetPosition(at);
  }
  if (m_TooltipText) {
    m_TooltipText->SetText(GetText(key));
    m_TooltipText->SetPosition(kTooltipTextOffset);
  }
}

void BvLayout::HideSpellTooltip() {
  if (!m_TooltipShown) return;
  m_TooltipShown = false;
  for (BvLevelElement* element : {m_Tooltip, m_TooltipText}) {
    if (element) element->AddBehavior(new BvFadeOutBehavior(kTooltipFadeSpeed, 0.0f, false, false));
  }
}
