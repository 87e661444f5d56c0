// The six spells: short timed shows in steps that pick their targets, put
// effect images on the board, wait, and then change cells through the
// board's own operations, so backgrounds, chains, scoring and the win test
// react as after a match.
#include <cstdio>
#include <utility>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/platform/random_source.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/layout_decorations.h"
#include "game/board/monster_manager.h"
#include "game/board/score_popup.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kNoStartDelay = -1.0f;
constexpr uint32_t kOpaqueWhite = 0xFFFFFFFFu;
// Effects made with CreateEffectElement: speeds from their templates.
constexpr float kTemplateSpeed = -1.0f;
constexpr float kEffectLifetimeMs = 10000.0f;
constexpr int kMaxTargets = 4;

// Storm.
constexpr float kStormScaleX = 3.0f, kStormScaleY = 1.5f;
constexpr float kStormPaceMs = 200.0f;
constexpr float kStormFadeSpeed = 50.0f;
constexpr float kStormFadeInDelayMs = 500.0f;
constexpr float kStormFadeOutDelayMs = 1500.0f;
constexpr float kStrikePaceMs = 100.0f;
// Chain burn.
constexpr float kSmokeFadeSpeed = 10.0f;
constexpr float kSmokeFadeDelayMs = 2000.0f;
constexpr uint32_t kGlowColour = 0xFFFF5028u;
constexpr float kGlowSpeed = 3.0f;
constexpr float kBurnPaceMs = 50.0f;
constexpr float kTrembleRange = 2.0f;
constexpr float kTrembleSpeed = 10.0f;
constexpr float kNudgeScale = 1.01f;
// Freeze.
constexpr float kFreezePaceMs = 50.0f;
constexpr float kFreezeFadeSpeed = 10.0f;
constexpr float kFreezeHoldMs = 2000.0f;
constexpr float kShiverRange = 1.0f;
constexpr float kShatterPaceMs = 20.0f;
constexpr float kClearedWaitMs = 500.0f;
constexpr float kFlyTopY = 500.0f;
constexpr float kFlySpeed = 20.0f;
constexpr float kFlyFadeDelayMs = 500.0f;
constexpr float kShatterScale = 2.0f;
// Cage storm.
constexpr float kCageStormScale = 0.5f;
constexpr uint32_t kCageStormColour = 0xFFFFC8C8u;
constexpr float kCageStormReach = 50.0f;
constexpr int kCageTargetDistance = 2;
// Electric.
constexpr float kJoltRange = 2.0f;
constexpr float kJoltSpeed = 10.0f;
constexpr float kJoltTurn = 40.0f;
constexpr float kBubbleScale = 1.5f;
constexpr uint32_t kBubbleColour = 0xB4FFFFFFu;
constexpr float kBubbleFadeInSpeed = 20.0f;
constexpr float kBubbleFadeOutSpeed = 80.0f;
constexpr float kBubbleFadeOutDelayMs = 1900.0f;
// Falling bomb: a disc of radius 2 round a centre in columns 4..11, rows
// 3..8.
constexpr int kBombColumns = 8, kBombFirstColumn = 4;
constexpr int kBombRows = 6, kBombFirstRow = 3;
constexpr int kBombRadius = 2;
constexpr float kBombPacePerUnitMs = 20.0f;
constexpr int kBombShakes = 3;

BvLevelElement* Faded(BvLevelElement* element, float speed, float inDelay, float outDelay) {
  element->AddBehavior(new BvFadeInBehavior(speed, inDelay));
  element->AddBehavior(new BvFadeOutBehavior(speed, outDelay, true, false));
  return element;
}
}  // namespace

std::vector<BvLayout::SpellTarget> BvLayout::PickSpellTargets(std::vector<SpellTarget> candidates, int n) {
  std::vector<SpellTarget> chosen;
  while (int(chosen.size()) < n && !candidates.empty()) {
    const int index = bv::Rand() % int(candidates.size());
    chosen.push_back(candidates[index]);
    candidates[index] = candidates.back();
    candidates.pop_back();
  }
  return chosen;
}

bool BvLayout::IsSameTarget(const SpellTarget& target) const {
  const BvPiece& cell = m_Cells[target.column][target.row];
  return cell.present == 1 && cell.GetSprite() == target.sprite && cell.colour == m_SpellColour &&
         cell.lockCounter < 1 && cell.motion == kMotionIdle;
}

void BvLayout::UpdateSpellStorm(float ms) {
  m_SpellTime += ms;
  BvLevelManager* manager = GetLevelManager();
  if (m_SpellStep == 0) {
    ShakeBoard();
    PlayBoardSound("sortlaunch");
    static const irr::core::vector2df kCorners[] = {{100, -100}, {-100, -100}, {-100, 100}, {100, 100}};
    for (int k = 0; k < 4; ++k) {
      BvLevelElement* storm = CreateImageElement(manager, kCorners[k], "storm", kStormPaceMs * k);
      if (!storm) continue;
      storm->SetLayer(kLayerExplosions);
      storm->SetScale(kStormScaleX, kStormScaleY);
      storm->SetColor(irr::video::SColor(kOpaqueWhite));
      storm->SetRotation(3 * kPi / 4 - k * kPi / 2);
      Faded(storm, kStormFadeSpeed, kStormFadeInDelayMs, kStormFadeOutDelayMs);
    }
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 1000.0f)) {
    PlayBoardSound("electric");
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 1500.0f)) {
    std::vector<SpellTarget> candidates;
    for (int r = 0; r < kBoardRows; ++r) {
      for (int c = 0; c < kBoardColumns; ++c) {
        const BvPiece& cell = m_Cells[c][r];
        if ((cell.background == kBackFill || cell.background == kBackBlocker) && cell.lockCounter <= 0)
          candidates.push_back({c, r, nullptr});
      }
    }
    const std::vector<SpellTarget> chosen = PickSpellTargets(std::move(candidates), kMaxTargets);
    for (int i = 0; i < int(chosen.size()); ++i) {
      const SpellTarget& target = chosen[i];
      BvPiece& cell = m_Cells[target.column][target.row];
      const float delay = kStrikePaceMs * i;
      const irr::core::vector2df here = CellToScreen(target.column, target.row);
      // Each strike reports its own points: a cracked blocker has none.
      int points = 0;
      const int flags = cell.ClearBackground(&points);
      if (points > 0) ShowScorePopup(m_Host, points, here, delay, false);
      if (BvLevelElement* strike = CreateEffectElement(manager, here, "explo1", kTemplateSpeed,
                                                       kTemplateSpeed, 1.0f, kEffectLifetimeMs)) {
        strike->SetStartDelay(delay);
        strike->SetLayer(kLayerExplosions);
        strike->AddBehavior(new BvSoundBehavior("explo1"));
      }
      if (flags & kDestroyBackfillCleared) HitNeighbours(target.column, target.row);
    }
    if (!chosen.empty()) ShakeBoard();
    m_SpellStep = 3;
  } else if (SpellStepDue(3, 2000.0f)) {
    EndSpell();
  }
}

void BvLayout::UpdateSpellChainBurn(float ms) {
  m_SpellTime += ms;
  if (m_SpellStep == 0) {
    std::vector<SpellTarget> candidates;
    for (int r = 0; r < kBoardRows; ++r) {
      for (int c = 0; c < kBoardColumns; ++c) {
        if (m_Cells[c][r].lockCounter > 0) candidates.push_back({c, r, nullptr});
      }
    }
    m_SpellTargets = PickSpellTargets(std::move(candidates), kMaxTargets);
    ShakeBoard();
    if (m_SpellTargets.empty()) {
      PlayBoardSound("fizzle");
      EndSpell();
      return;
    }
    PlayBoardSound("chainburn");
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 500.0f)) {
    for (int i = 0; i < int(m_SpellTargets.size()); ++i) {
      BvPiece& cell = m_Cells[m_SpellTargets[i].column][m_SpellTargets[i].row];
      // A chain a match broke meanwhile is not burnt.
      if (cell.lockCounter <= 0) continue;
      if (BvLevelElement* smoke = SpawnEffect(GetLevelManager(), cell.GetScreenPosition(), "smoke",
                                              irr::core::vector2df(-1.0f, -1.0f), -1.0f, -1.0f)) {
        smoke->SetLayer(kLayerEffects);
        smoke->AddBehavior(new BvFadeOutBehavior(kSmokeFadeSpeed, kSmokeFadeDelayMs, true, false));
      }
      if (BvLevelElement* lock = cell.GetLockSprite()) {
        lock->AddBehavior(new BvColorFadeBehavior(kOpaqueWhite, kGlowColour, kGlowSpeed, kBurnPaceMs * i, false));
        lock->SetScale(kNudgeScale, kNudgeScale);
        lock->AddBehavior(new BvCosinusXBehavior(kTrembleRange, kTrembleSpeed, kPi / 2));
      }
    }
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 3000.0f)) {
    for (const SpellTarget& target : m_SpellTargets) {
      BvPiece& cell = m_Cells[target.column][target.row];
      if (cell.lockCounter <= 0) continue;
      cell.BreakChain();
      if (BvLevelElement* lock = cell.GetLockSprite()) {
        lock->ClearBehaviors();
        lock->SetColor(irr::video::SColor(kOpaqueWhite));
      }
    }
    if (!m_SpellTargets.empty()) {
      ShakeBoard();
      PlayBoardSound("explobig");
    }
    m_SpellStep = 3;
  } else if (SpellStepDue(3, 3200.0f)) {
    EndSpell();
  }
}

void BvLayout::UpdateSpellFreeze(float ms) {
  m_SpellTime += ms;
  BvLevelManager* manager = GetLevelManager();
  if (m_SpellStep == 0) {
    ShakeBoard();
    PlayBoardSound("sortlaunch");
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 500.0f)) {
    m_SpellColour = bv::Rand() % kColourCount + 1;
    m_SpellTargets.clear();
    for (int r = 0; r < kBoardRows; ++r) {
      for (int c = 0; c < kBoardColumns; ++c) {
        const BvPiece& cell = m_Cells[c][r];
        if (cell.present == 1 && cell.colour == m_SpellColour && cell.lockCounter < 1)
          m_SpellTargets.push_back({c, r, cell.GetSprite()});
      }
    }
    for (int i = 0; i < int(m_SpellTargets.size()); ++i) {
      const irr::core::vector2df here = CellToScreen(m_SpellTargets[i].column, m_SpellTargets[i].row);
      BvLevelElement* ice = CreateImageElement(manager, here, "freeze", kFreezePaceMs * i);
      if (!ice) continue;
      ice->SetLayer(kLayerLock);
      // Past the 40th target the fade-out delay is negative: it fades at once.
      Faded(ice, kFreezeFadeSpeed, 0.0f, kFreezeHoldMs - kFreezePaceMs * i);
      ice->AddBehavior(new BvSoundBehavior("freeze"));
    }
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 1500.0f)) {
    for (const SpellTarget& target : m_SpellTargets) {
      if (!IsSameTarget(target)) continue;
      if (BvLevelElement* sprite = m_Cells[target.column][target.row].GetSprite()) {
        sprite->SetScale(kNudgeScale, kNudgeScale);
        sprite->AddBehavior(new BvCosinusXBehavior(kShiverRange, kTrembleSpeed, kPi / 2));
      }
    }
    m_SpellStep = 3;
  } else if (SpellStepDue(3, 2500.0f)) {
    char image[16];
    std::snprintf(image, sizeof(image), "P%d", m_SpellTargets.empty() ? 0 : m_SpellColour);
    for (int i = 0; i < int(m_SpellTargets.size()); ++i) {
      const SpellTarget& target = m_SpellTargets[i];
      // A piece that fell, matched or got chained since it was chosen stays.
      if (!IsSameTarget(target)) continue;
      BvPiece& cell = m_Cells[target.column][target.row];
      const irr::core::vector2df here = cell.GetScreenPosition();
      cell.Clear(kClearedWaitMs);
      if (BvLevelElement* flying = CreateImageElement(manager, here, image, kNoStartDelay)) {
        flying->SetLayer(kLayerEffects);
        flying->AddBehavior(new BvMoveToBehavior(irr::core::vector2df(here.X, kFlyTopY), kFlySpeed));
        flying->AddBehavior(new BvFadeOutBehavior(kFreezeFadeSpeed, kFlyFadeDelayMs, true, false));
      }
      if (BvLevelElement* shatter = CreateEffectElement(manager, here, "exploglace", kTemplateSpeed,
                                                        kTemplateSpeed, 1.0f, kEffectLifetimeMs)) {
        shatter->SetStartDelay(kShatterPaceMs * i);
        shatter->SetScale(kShatterScale, kShatterScale);
        shatter->SetLayer(kLayerExplosions);
      }
    }
    PlayBoardSound("exploglace");
    ShakeBoard();
    m_SpellStep = 4;
  } else if (SpellStepDue(4, 3000.0f)) {
    EndSpell();
  }
}

void BvLayout::UpdateSpellCageStorm(float ms) {
  m_SpellTime += ms;
  if (m_SpellStep == 0) {
    BvLevelManager* manager = GetLevelManager();
    static const irr::core::vector2df kAround[] = {
        {kCageStormReach, 0}, {0, kCageStormReach}, {-kCageStormReach, 0}, {0, -kCageStormReach}};
    m_SpellTargets.clear();
    for (int r = 0; r < kBoardRows; ++r) {
      for (int c = 0; c < kBoardColumns; ++c) {
        if (m_Cells[c][r].background != kBackCage) continue;
        if (IsOnBoard(c - kCageTargetDistance, r)) m_SpellTargets.push_back({c - kCageTargetDistance, r, nullptr});
        if (IsOnBoard(c, r + kCageTargetDistance)) m_SpellTargets.push_back({c, r + kCageTargetDistance, nullptr});
        for (int j = 0; j < 4; ++j) {
          BvLevelElement* storm = CreateImageElement(manager, CellToScreen(c, r) + kAround[j], "storm",
                                                     kStormPaceMs * j);
          if (!storm) continue;
          storm->SetLayer(kLayerExplosions);
          storm->SetScale(kCageStormScale, kCageStormScale);
          storm->SetColor(irr::video::SColor(kCageStormColour));
          storm->SetRotation(j * kPi / 2 + kPi);
          Faded(storm, kStormFadeSpeed, kStormFadeInDelayMs, kStormFadeOutDelayMs);
        }
      }
    }
    ShakeBoard();
    if (m_SpellTargets.empty()) {
      PlayBoardSound("fizzle");
      EndSpell();
      return;
    }
    PlayBoardSound("sortlaunch");
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 500.0f)) {
    if (!m_SpellTargets.empty()) PlayBoardSound("electric");
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 1000.0f)) {
    for (const SpellTarget& target : m_SpellTargets) {
      BvPiece& cell = m_Cells[target.column][target.row];
      if (cell.background == kBackBlocker) cell.SetBackground(kBackFill);
      if (cell.background != kBackFill) continue;
      if (cell.ClearBackground(nullptr) & kDestroyBackfillCleared) HitNeighbours(target.column, target.row);
    }
    m_SpellStep = 3;
  } else if (SpellStepDue(3, 1500.0f)) {
    EndSpell();
  }
}

void BvLayout::UpdateSpellElectric(float ms) {
  m_SpellTime += ms;
  if (m_SpellStep == 0) {
    BvLevelManager* manager = GetLevelManager();
    m_SpellTargets.clear();
    for (int slot = 0; slot < kMonsterSlots; ++slot) {
      BvLevelElement* body = m_Monsters->GetSlot(slot).body;
      if (m_Monsters->GetSlot(slot).kind == kMonsterNone || !body) continue;
      body->AddBehavior(new BvCosinusXBehavior(kJoltRange, kJoltSpeed, 0.0f));
      body->AddBehavior(new BvRotateBehavior(kJoltTurn));
      if (BvLevelElement* bubble = CreateImageElement(manager, irr::core::vector2df(0, 0), "bulleeffect",
                                                      kNoStartDelay)) {
        bubble->SetParent(body);
        bubble->SetLayer(kLayerEffects);
        bubble->SetScale(kBubbleScale, kBubbleScale);
        bubble->SetColor(irr::video::SColor(kBubbleColour));
        bubble->AddBehavior(new BvFadeInBehavior(kBubbleFadeInSpeed, 0.0f));
        bubble->AddBehavior(new BvFadeOutBehavior(kBubbleFadeOutSpeed, kBubbleFadeOutDelayMs, true, false));
      }
      m_SpellTargets.push_back({slot, 0, nullptr});
      PlayBoardSound("electric");
    }
    ShakeBoard();
    if (m_SpellTargets.empty()) {
      PlayBoardSound("fizzle");
      EndSpell();
      return;
    }
    PlayBoardSound("sortlaunch");
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 2000.0f)) {
    // A monster that died meanwhile leaves an empty slot, which the kill
    // passes over.
    for (const SpellTarget& target : m_SpellTargets) m_Monsters->KillMonster(target.column);
    if (!m_SpellTargets.empty()) {
      ShakeBoard();
      PlayBoardSound("explo1");
    }
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 2100.0f)) {
    EndSpell();
  }
}

void BvLayout::UpdateSpellFallBomb(float ms) {
  m_SpellTime += ms;
  if (m_SpellStep == 0) {
    PlayBoardSound("fallbomb");
    m_SpellStep = 1;
  } else if (SpellStepDue(1, 1500.0f)) {
    BvLevelManager* manager = GetLevelManager();
    // The column is drawn before the row.
    const int cx = bv::Rand() % kBombColumns + kBombFirstColumn;
    const int cy = bv::Rand() % kBombRows + kBombFirstRow;
    for (int dy = -kBombRadius; dy <= kBombRadius; ++dy) {
      for (int dx = -kBombRadius; dx <= kBombRadius; ++dx) {
        const int c = cx + dx, r = cy + dy;
        const int distance = dx * dx + dy * dy;
        if (!IsOnBoard(c, r) || distance > kBombRadius * kBombRadius) continue;
        BvPiece& cell = m_Cells[c][r];
        if (cell.present != 1 || cell.lockCounter > 0) continue;
        if (cell.Destroy(0, false) & kDestroyBackfillCleared) HitNeighbours(c, r);
        if (BvLevelElement* blast = CreateEffectElement(manager, CellToScreen(c, r), "explo1", kTemplateSpeed,
                                                        kTemplateSpeed, 1.0f, kEffectLifetimeMs)) {
          blast->SetStartDelay(distance * kBombPacePerUnitMs);
          blast->SetLayer(kLayerExplosions);
        }
      }
    }
    PlayBoardSound("explobig");
    for (int i = 0; i < kBombShakes; ++i) ShakeBoard();
    m_SpellStep = 2;
  } else if (SpellStepDue(2, 1600.0f)) {
    EndSpell();
  }
}
