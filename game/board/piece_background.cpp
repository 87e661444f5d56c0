// Backgrounds, chains and locks of one cell, and the destruction of its
// piece.
#include <cstdio>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/platform/random_source.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/piece.h"
#include "game/board/piece_debris.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kHalfTurn = kPi / 2;
// Random throws: rand() % 20 - 10 metres (or radians) per second.
constexpr int kThrowSpread = 20;
constexpr int kThrowOffset = 10;
// Cages and chains on the board are drawn a little smaller and wobble.
constexpr float kCageScale = 0.95f;
constexpr float kWobbleRange = 2.0f;
constexpr float kWobbleSpeed = 800.0f;
// The opened cage's debris grows as it falls.
constexpr float kCageDebrisZoom = 1.5f;
constexpr float kCageDebrisZoomSpeed = 5.0f;
// The white flash over a cleared background.
constexpr float kFlashFadeSpeed = 20.0f;
constexpr float kFlashHoldMs = 200.0f;
// Points of a cleared backfill.
constexpr int kBackfillPoints = 15;
constexpr int kPiecePoints = 5;
// Destroyed pieces: explosion and the wait before the cell takes a piece.
constexpr float kExplosionLifetimeMs = 10000.0f;
constexpr float kExplosionScale = 0.6f;
constexpr int kLayerExplosion = 4;
constexpr float kClearedCellDelayMs = 500.0f;
const irr::video::SColor kOpaqueWhite(0xFFFFFFFFu);

int RandomThrow() { return bv::Rand() % kThrowSpread - kThrowOffset; }

void AddWobble(BvLevelElement* element) {
  element->AddBehavior(new BvSinusYBehavior(kWobbleRange, kWobbleSpeed, 0.0f));
  element->AddBehavior(new BvCosinusXBehavior(kWobbleRange, kWobbleSpeed, 0.0f));
}

void WhiteFlash(BvLevelManager* manager, const irr::core::vector2df& position) {
  BvLevelElement* flash = CreateImageElement(manager, position, "whiteeffect", -1.0f);
  if (!flash) return;
  flash->SetLayer(kLayerBackground);
  flash->AddBehavior(new BvFadeInBehavior(kFlashFadeSpeed, 0.0f));
  flash->AddBehavior(new BvWaitBehavior(kFlashHoldMs));
  flash->AddBehavior(new BvFadeOutBehavior(kFlashFadeSpeed, 0.0f, true, false));
}
}  // namespace

BvLevelElement* ThrowDebris(BvLevelManager* manager, const irr::core::vector2df& position,
                            const char* elementName, const BvDebrisStyle& style, bool turned) {
  BvLevelElement* debris = CreateFallingElement(manager, position, elementName, true, -1.0f);
  if (!debris) return nullptr;
  debris->SetLayer(style.layer);
  const int sideways = RandomThrow();
  debris->SetVelocity(float(sideways), style.upwardSpeed);
  const int spin = RandomThrow();
  debris->SetAngularVelocity(float(spin));
  if (turned) debris->SetRotation(kHalfTurn);
  debris->AddBehavior(new BvFadeOutBehavior(style.fadeSpeed, style.fadeDelayMs, true, false));
  return debris;
}

void BvPiece::SetBackground(int kind) {
  background = kind;
  if (!backgroundSprite) return;
  BvLevelElement* element = backgroundSprite;
  switch (kind) {
    case kBackNone:
      element->m_bDead = true;
      backgroundSprite = nullptr;
      break;
    case kBackClear:
    case kBackFill:
    case kBackBlocker:
      element->SetSourceElementByName(kind == kBackClear ? "backclear"
                                      : kind == kBackFill ? "backfill"
                                                          : "blocker");
      element->SetColor(kOpaqueWhite);
      break;
    case kBackCage:
      element->SetSourceElementByName("cage");
      element->SetLayer(kLayerCage);
      element->SetScale(kCageScale, kCageScale);
      AddWobble(element);
      break;
    case kBackChainH:
    case kBackChainV:
      element->SetSourceElementByName("chaineh");
      if (kind == kBackChainV) element->SetRotation(kHalfTurn);
      element->SetScale(kCageScale, kCageScale);
      AddWobble(element);
      break;
    default:
      break;
  }
}

int BvPiece::ClearBackground(int* points) {
  BvLevelManager* manager = GetLevelManager();
  const irr::core::vector2df here = GetScreenPosition();
  switch (background) {
    case kBackFill:
      SetBackground(kBackClear);
      ThrowDebris(manager, here, "backfill", kBackgroundDebris, false);
      WhiteFlash(manager, here);
      PlayBoardSound("break1");
      if (m_Host) {
        if (BvLevelStats* stats = m_Host->GetLevelStats()) ++stats->backgroundsCleared;
      }
      if (points) *points = kBackfillPoints;
      return kDestroyBackfillCleared;
    case kBackBlocker:
      SetBackground(kBackFill);
      ThrowDebris(manager, here, "blocker", kBackgroundDebris, false);
      WhiteFlash(manager, here);
      PlayBoardSound("break1");
      return kDestroyBlockerCracked;
    case kBackCage:
      SetBackground(kBackNone);
      if (BvLevelElement* debris = ThrowDebris(manager, here, "cage", kBackgroundDebris, true))
        debris->AddBehavior(new BvZoomToBehavior(kCageDebrisZoom, kCageDebrisZoomSpeed, 0));
      PlayBoardSound("chaine");
      return kDestroyCageOpened;
    case kBackChainH:
      SetBackground(kBackNone);
      ThrowDebris(manager, here, "chaineh", kBackgroundDebris, false);
      PlayBoardSound("chaine");
      return kDestroyChainH;
    case kBackChainV:
      SetBackground(kBackNone);
      ThrowDebris(manager, here, "chaineh", kBackgroundDebris, true);
      PlayBoardSound("chaine");
      return kDestroyChainV;
    default:
      return 0;
  }
}

int BvPiece::BreakChain() {
  if (lockCounter <= 0) return 0;
  --lockCounter;
  if (m_Host) {
    if (BvProfile* profile = m_Host->GetProfile()) ++profile->chainsBroken;
  }
  int result;
  bool turned;
  if (lockCounter >= 1) {
    if (lockSprite) lockSprite->SetSourceElementByName("chaine1");
    result = kDestroyLockLinkLost;
    turned = true;
  } else {
    if (lockSprite) lockSprite->m_bDead = true;
    lockSprite = nullptr;
    result = kDestroyLockRemoved;
    turned = false;
  }
  ThrowDebris(GetLevelManager(), GetScreenPosition(), "chaine1", kChainDebris, turned);
  PlayBoardSound("chaine");
  return result;
}

int BvPiece::Destroy(int extra, bool playerMatch) {
  int flags = BreakChain();
  if (flags) return flags;
  int points = -1;
  flags = ClearBackground(&points);
  if (present != 1) {
    if (points == -1) {
      Clear(kClearedCellDelayMs);
      return flags;
    }
  } else {
    flags |= kDestroyPiece;
    BvLevelManager* manager = GetLevelManager();
    const irr::core::vector2df here = GetScreenPosition();
    if (BvLevelElement* explosion =
            CreateEffectElement(manager, here, extra < 1 ? "explo1png" : "explo1", 0.0f, 0.0f,
                                kExplosionScale, kExplosionLifetimeMs))
      explosion->SetLayer(kLayerExplosion);
    char image[16];
    std::snprintf(image, sizeof(image), "P%d", colour);
    ThrowDebris(manager, here, image, kPieceDebris, false);
    if (points == -1) points = kPiecePoints;
  }
  if (playerMatch && extra >= 1) {
    ShowPopup(points * 2, true);
  } else {
    ShowPopup(points, false);
  }
  Clear(kClearedCellDelayMs);
  return flags;
}
