#include "game/board/piece.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/sound/sound_functions.h"
#include "game/board/board_geometry.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/piece_mouse_behavior.h"
#include "game/board/score_popup.h"

namespace {
// Set-up fade-in: ms of delay per unit of squared distance from the centre.
constexpr float kSetupDelayPerUnit = 30.0f;
constexpr float kSetupFadeSpeed = 5.0f;
constexpr float kRefillFadeSpeed = 10.0f;
constexpr float kShowFadeSpeed = 10.0f;
// Motion: the step in pixels is (sum of ms squared + 50 x ms) / 1000.
constexpr float kStepLinearTerm = 50.0f;
constexpr float kStepDivisor = 1000.0f;
// The landing bounce: 7 pixels up and back, one path segment per 100 ms.
constexpr float kBounceHeight = 7.0f;
constexpr float kBounceSpeed = 1000.0f;
constexpr float kBounceTension = 0.5f;
constexpr float kNoStartDelay = -1.0f;
const irr::video::SColor kOpaqueWhite(0xFFFFFFFFu);

const char* const kAnimationFormats[] = {"P%d", "P%dIdle", "P%dTurn"};
}  // namespace

void PlayBoardSound(const char* name) { PlayEffect(name, false, kBoardSoundVolume); }

BvPiece::BvPiece() { Init(); }

BvPiece::~BvPiece() = default;

const char* BvPiece::GetClassName() const { return "BvPiece"; }

void BvPiece::OnNotify(int event, CManagedObjectBase* sender) {
  if (event == kEventFadedOut) Clear(0.0f);
}

void BvPiece::Init() {
  colour = kNoColour;
  present = 0;
  background = kBackNone;
  motion = kMotionIdle;
  column = row = 0;
  delay = 0.0f;
  fallTerm = 0.0f;
  landed = false;
  runHasMover = false;
  animation = kAnimPlain;
  lockCounter = 0;
  counted = false;
  swapColumn = swapRow = 0;
  ForgetSprites();
}

void BvPiece::ForgetSprites() {
  sprite = nullptr;
  backgroundSprite = nullptr;
  lockSprite = nullptr;
}

BvLevelManager* BvPiece::GetLevelManager() const {
  return m_Host ? m_Host->GetLevelManager() : nullptr;
}

irr::core::vector2df BvPiece::GetScreenPosition(int c, int r) const {
  return CellToScreen(c == -1 ? column : c, r == -1 ? row : r);
}

void BvPiece::Set(int newPresent, int newBackground, int newColour, bool animate) {
  delay = 0.0f;
  fallTerm = 0.0f;
  colour = newColour;
  motion = kMotionIdle;
  // Only 1 is a piece: any other code leaves the cell empty and able to
  // receive a falling piece.
  present = newPresent == 1 ? 1 : 0;
  const float radialDelay = RadialDistance(column, row) * kSetupDelayPerUnit;
  if (present == 1) {
    CreatePieceSprites(animate, radialDelay);
  } else {
    Clear(0.0f);
  }
  if (animate) {
    // A cell of kind 0 would only lose the sprite again at once.
    if (!backgroundSprite && newBackground != kBackNone) {
      backgroundSprite = CreateImageElement(GetLevelManager(), GetScreenPosition(), nullptr,
                                            kNoStartDelay);
      if (backgroundSprite) {
        backgroundSprite->SetLayer(kLayerBackground);
        backgroundSprite->AddBehavior(new BvFadeInBehavior(kSetupFadeSpeed, radialDelay));
      }
    }
    SetBackground(newBackground);
  }
  LinkSprite();
}

void BvPiece::CreatePieceSprites(bool animate, float radialDelay) {
  if (sprite) sprite->m_bDead = true;
  sprite = nullptr;
  BvLevelManager* manager = GetLevelManager();
  if (!manager) return;
  const float speed = animate ? kSetupFadeSpeed : kRefillFadeSpeed;
  const float fadeDelay = animate ? radialDelay : 0.0f;
  BvLevelElement* element = CreateLevelElement(manager, GetScreenPosition(), nullptr, kNoStartDelay);
  if (!element) return;
  // The static body (collision off) is what the mouse behaviour hit-tests.
  element->SetLayer(kLayerPiece);
  element->AddBehavior(new BvFadeInBehavior(speed, fadeDelay));
  element->AddBehavior(new BvPieceMouseBehavior());
  if (lockCounter >= 1) {
    if (lockSprite) lockSprite->m_bDead = true;
    lockSprite = CreateLevelElement(manager, GetScreenPosition(),
                                    lockCounter == 1 ? "chaine1" : "chaine2", kNoStartDelay);
    if (lockSprite) {
      lockSprite->SetLayer(kLayerLock);
      lockSprite->SetDynType(-1);
      lockSprite->AddBehavior(new BvFadeInBehavior(speed, fadeDelay));
    }
  }
  sprite = element;
  SetAnimation(kAnimPlain);
}

void BvPiece::Clear(float delayMs) {
  present = 0;
  motion = kMotionIdle;
  colour = kNoColour;
  if (sprite) {
    sprite->m_pUser = nullptr;
    sprite->m_bDead = true;
  }
  sprite = nullptr;
  delay = delayMs;
}

void BvPiece::SetAnimation(int kind) {
  animation = kind;
  if (!sprite || kind < kAnimPlain || kind > kAnimTurn) return;
  if (colour < 1 || colour > kColourCount) return;
  char name[16];
  std::snprintf(name, sizeof(name), kAnimationFormats[kind], colour);
  sprite->SetSourceElementByName(name);
}

void BvPiece::SetColour(int newColour) {
  colour = newColour;
  SetAnimation(kAnimPlain);
}

void BvPiece::StartSwap(int c, int r) {
  swapColumn = c;
  swapRow = r;
  motion = kMotionSwap;
}

void BvPiece::StartSwapBack(int c, int r) {
  swapColumn = c;
  swapRow = r;
  motion = kMotionSwapBack;
}

void BvPiece::Land() {
  fallTerm = 0.0f;
  motion = kMotionIdle;
  landed = false;
  if (!sprite) return;
  PlayBoardSound("fall");
  sprite->SetPosition(GetScreenPosition());
  SetAnimation(kAnimPlain);
}

void BvPiece::Click() {
  if (motion == kMotionIdle && present == 1) Notify(kEventPiecePressed);
}

void BvPiece::LinkSprite() {
  if (sprite) sprite->m_pUser = this;
}

BvPieceContent BvPiece::GetContent() const {
  return BvPieceContent{sprite, present, colour, motion, delay, fallTerm, landed, runHasMover,
                        animation};
}

void BvPiece::SetContent(const BvPieceContent& content) {
  sprite = content.sprite;
  present = content.present;
  colour = content.colour;
  motion = content.motion;
  delay = content.delay;
  fallTerm = content.fallTerm;
  landed = content.landed;
  runHasMover = content.runHasMover;
  animation = content.animation;
  LinkSprite();
}

void BvPiece::Update(float ms) {
  if (delay > 0.0f) {
    delay -= ms;
    if (delay < 0.0f) delay = 0.0f;
  }
  if (!sprite || motion == kMotionIdle) return;
  irr::core::vector2df p = sprite->GetPosition();
  fallTerm += ms * ms;
  const float step = (fallTerm + kStepLinearTerm * ms) / kStepDivisor;
  const irr::core::vector2df cell = GetScreenPosition();
  switch (motion) {
    case kMotionFall:
    case kMotionSlideLeft:
    case kMotionSlideRight: {
      p.Y -= step;
      if (motion == kMotionSlideLeft) p.X -= step;
      if (motion == kMotionSlideRight) p.X += step;
      sprite->SetPosition(p);
      if (cell.Y > p.Y) {
        Land();
        if (sprite) {
          std::vector<irr::core::vector2df> bounce{{cell.X, cell.Y + kBounceHeight}, cell};
          sprite->AddBehavior(new BvPathBehavior(bounce, BvPathBehavior::kFlagStop, kBounceSpeed,
                                                 kBounceTension));
        }
      }
      break;
    }
    case kMotionSwap:
    case kMotionSwapBack:
      MoveSwap(sprite, step);
      break;
    default:
      break;
  }
}

void BvPiece::MoveSwap(BvLevelElement* element, float step) {
  irr::core::vector2df p = element->GetPosition();
  const irr::core::vector2df target = CellToScreen(swapColumn, swapRow);
  bool arrived = false;
  if (swapRow == row) {
    if (column >= swapColumn) {
      p.X -= step;
      arrived = p.X <= target.X;
    } else {
      p.X += step;
      arrived = p.X >= target.X;
    }
    if (arrived) p.X = target.X;
  } else {
    // Up the screen is +y: a smaller row lies higher.
    if (row >= swapRow) {
      p.Y += step;
      arrived = p.Y >= target.Y;
    } else {
      p.Y -= step;
      arrived = p.Y <= target.Y;
    }
    if (arrived) p.Y = target.Y;
  }
  element->SetPosition(p);
  if (!arrived) return;
  fallTerm = 0.0f;
  // The board may exchange this cell's content while handling the event.
  Notify(motion == kMotionSwap ? kEventSwapArrived : kEventSwapBackArrived);
}

void BvPiece::ShowPopup(int points, bool big) {
  ShowScorePopup(m_Host, points, GetScreenPosition(), 0.0f, big);
}

void BvPiece::VanishAll(float delayMs) {
  // The fades remove the elements; the cell forgets them at once so nothing
  // reaches them once they are gone.
  for (BvLevelElement* element : {sprite, backgroundSprite, lockSprite}) {
    if (!element) continue;
    element->m_pUser = nullptr;
    element->AddBehavior(new BvFadeOutBehavior(kShowFadeSpeed, delayMs, true, false));
  }
  ForgetSprites();
}

void BvPiece::FadeOutPiece(float delayMs) {
  if (sprite) sprite->AddBehavior(new BvFadeOutBehavior(kShowFadeSpeed, delayMs, false, false));
}

void BvPiece::FadeInPiece(float delayMs) {
  if (!sprite) return;
  sprite->SetColor(kOpaqueWhite);
  sprite->AddBehavior(new BvFadeInBehavior(kShowFadeSpeed, delayMs));
}
