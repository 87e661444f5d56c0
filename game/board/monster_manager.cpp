#include "game/board/monster_manager.h"

#include <cmath>
#include <utility>

#include "engine/level/behavior.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/motion_behaviors.h"
#include "engine/platform/random_source.h"
#include "engine/resources/sprite.h"
#include "game/board/board_geometry.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/score_popup.h"
#include "game/core/layout_bank.h"
#include "game/core/profile.h"
#include "game/core/tip_bits.h"

namespace {
constexpr float kPi = 3.14159265f;
constexpr float kQuarterTurn = kPi / 2;
constexpr float kNoStartDelay = -1.0f;
constexpr int kLayerMonster = kLayerEffects;
constexpr int kLayerDebris = kLayerLock;

// Spawning and waiting, ms; expert mode halves both.
constexpr float kSpawnIntervalMs = 15000.0f;
constexpr float kExpertSpawnIntervalMs = 7500.0f;
constexpr float kRespawnWaitMs = 30000.0f;
constexpr float kExpertRespawnWaitMs = 15000.0f;
// After the level is won no monster comes back.
constexpr float kNeverAgainMs = 50000000.0f;
constexpr float kExpertLifeFactor = 1.2f;

// Gauges above the monster.
const irr::core::vector2df kGaugeOffset(0.0f, 40.0f);
constexpr float kGaugeScale = 1.01f;

// Paths and animation.
constexpr float kPathTension = 0.5f;
constexpr float kAttachAnimSpeed = 60.0f;
constexpr float kTurtleAnimSpeed = 30.0f;
constexpr int kPathCells = 10;
constexpr int kPickTries = 20;
// Two cells away from the cage, the turtle's circle.
constexpr int kTurtleReach = 2;

// A monster stands on a cell within this many pixels of its centre.
constexpr float kStandTolerance = 18.0f;

// Clicks.
constexpr float kHitDamageMs = 5000.0f;
constexpr int kHitPoints = 5;
constexpr int kKillPoints = 30;

// Effects.
constexpr float kEffectAnimSpeed = 20.0f;
constexpr float kEffectFadeSpeed = -1.0f;
constexpr float kEffectLifetimeMs = 10000.0f;
constexpr float kAppearScale = 1.0f;
constexpr float kActionScale = 1.5f;
constexpr float kHitScale = 1.3f;
constexpr float kLockFadeSpeed = 10.0f;
constexpr float kLockSettleDelayMs = 10.0f;

// Debris of a dead monster: thrown sideways (rand() % 40 - 20) and up.
constexpr int kThrowSpread = 40;
constexpr int kThrowOffset = 20;
constexpr float kThrowUp = 30.0f;
constexpr float kDebrisFadeSpeed = 1.0f;

// Crabs may not come while more than this many cells are locked.
constexpr int kMaxLockedForCrabs = 2;
// Bats need at least this many backfill or blocker cells.
constexpr int kMinFilledForBat = 5;

struct KindInfo {
  const char* element;
  float scale;
  bool tinted;
  irr::video::SColor tint;
  float lifeMs;
  float intervalMs;
  int tipBit;
  int pathFlags;
  float pathSpeed;
};

constexpr int kTurnAlong = BvPathBehavior::kFlagTurn;
constexpr int kAnimFollows = BvPathBehavior::kFlagAnimSpeed;

// Indexed by kind - 1.
const KindInfo kKinds[kMonsterKindCount] = {
    {"crabs", 0.7f, false, irr::video::SColor(0xFFFFFFFFu), 50000.0f, 18000.0f, kTipCrab,
     kTurnAlong | kAnimFollows, 20.0f},
    {"crabs", 1.1f, true, irr::video::SColor(255, 200, 50, 200), 50000.0f, 18000.0f, kTipCrab,
     kTurnAlong | kAnimFollows, 20.0f},
    {"bat", 1.0f, false, irr::video::SColor(0xFFFFFFFFu), 50000.0f, 15000.0f, kTipBat, 0, 25.0f},
    {"bat", 1.3f, true, irr::video::SColor(255, 255, 200, 180), 50000.0f, 10000.0f, kTipBat, 0,
     25.0f},
    {"turtle", 0.8f, false, irr::video::SColor(0xFFFFFFFFu), 60000.0f, 500.0f, kTipTurtle,
     kTurnAlong, 10.0f},
    {"turtle", 1.0f, true, irr::video::SColor(255, 180, 180, 255), 70000.0f, 500.0f, kTipTurtle,
     kTurnAlong, 10.0f},
};

const KindInfo& Info(int kind) { return kKinds[kind - 1]; }
bool IsCrab(int kind) { return kind == kMonsterCrab || kind == kMonsterStrongCrab; }
bool IsBat(int kind) { return kind == kMonsterBat || kind == kMonsterStrongBat; }
bool IsTurtle(int kind) { return kind == kMonsterTurtle || kind == kMonsterStrongTurtle; }

struct WorldCandidates {
  std::vector<int> kinds;
  int limit;
};

WorldCandidates CandidatesFor(int world, bool expert) {
  switch (world) {
    case 0:
      if (expert) return {{kMonsterBat, kMonsterCrab, kMonsterTurtle, kMonsterStrongBat}, 3};
      return {{kMonsterBat, kMonsterTurtle}, 2};
    case 1:
      return {{kMonsterCrab, kMonsterBat, kMonsterTurtle, kMonsterStrongBat}, 3};
    case 2:
      return {{kMonsterCrab, kMonsterBat, kMonsterTurtle, kMonsterStrongBat, kMonsterStrongTurtle}, 3};
    case 3:
      return {{kMonsterCrab, kMonsterBat, kMonsterTurtle, kMonsterStrongBat, kMonsterStrongTurtle}, 4};
    case 4:
    case 5:
      return {{kMonsterCrab, kMonsterBat, kMonsterTurtle, kMonsterStrongBat, kMonsterStrongTurtle,
               kMonsterStrongCrab},
              4};
    default:
      return {{}, 0};
  }
}

int RandomBelow(int n) { return bv::Rand() % n; }
}  // namespace

BvLevelManager* BvMonsterManager::GetLevelManager() const {
  BvBoardHost* host = m_Board ? m_Board->GetHost() : nullptr;
  return host ? host->GetLevelManager() : nullptr;
}

bool BvMonsterManager::IsExpert() const {
  BvBoardHost* host = m_Board ? m_Board->GetHost() : nullptr;
  return host && host->IsExpertMode();
}

void BvMonsterManager::Reset() {
  for (BvMonsterSlot& slot : m_Slots) slot = BvMonsterSlot{};
  m_SpawnTimer = 0.0f;
  m_StartIndex = 0;
}

void BvMonsterManager::ForgetElements() {
  for (BvMonsterSlot& slot : m_Slots) slot.body = slot.gaugeBack = slot.gauge = nullptr;
}

void BvMonsterManager::Update(float ms) {
  m_SpawnTimer += ms;
  for (BvMonsterSlot& slot : m_Slots) {
    if (slot.respawnTimer > 0.0f) slot.respawnTimer -= ms;
  }
  if (m_SpawnTimer > (IsExpert() ? kExpertSpawnIntervalMs : kSpawnIntervalMs)) {
    m_SpawnTimer = 0.0f;
    const int kind = ChooseKind();
    if (kind != kMonsterNone) SpawnMonster(kind);
  }
  UpdateMonsters(ms);
  OnClick();
}

void BvMonsterManager::KillAll() {
  for (int i = 0; i < kMonsterSlots; ++i) {
    if (m_Slots[i].kind != kMonsterNone) KillMonster(i);
  }
  for (BvMonsterSlot& slot : m_Slots) slot.respawnTimer = kNeverAgainMs;
}

void BvMonsterManager::HitAll() {
  for (int i = 0; i < kMonsterSlots; ++i) HitMonster(i);
}

// ---- choosing --------------------------------------------------------------

bool BvMonsterManager::CanSpawnCrabs(const BvLayout& board) {
  int locked = 0;
  for (int c = 0; c < kBoardColumns; ++c) {
    for (int r = 0; r < kBoardRows; ++r) {
      if (board.GetCell(c, r).lockCounter != 0) ++locked;
    }
  }
  return locked <= kMaxLockedForCrabs;
}

bool BvMonsterManager::CanSpawnBat(const BvLayout& board) {
  int filled = 0;
  for (int c = 0; c < kBoardColumns; ++c) {
    for (int r = 0; r < kBoardRows; ++r) {
      const int kind = board.GetCell(c, r).background;
      if (kind == kBackFill || kind == kBackBlocker) ++filled;
    }
  }
  return filled >= kMinFilledForBat;
}

bool BvMonsterManager::HasCage(const BvLayout& board) {
  int column, row;
  return FindCage(board, column, row);
}

bool BvMonsterManager::FindCage(const BvLayout& board, int& column, int& row) {
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      if (board.GetCell(c, r).background != kBackCage) continue;
      column = c;
      row = r;
      return true;
    }
  }
  return false;
}

int BvMonsterManager::ChooseKind() {
  BvBoardHost* host = m_Board ? m_Board->GetHost() : nullptr;
  BvProfile* profile = host ? host->GetProfile() : nullptr;
  if (!profile) return kMonsterNone;
  WorldCandidates candidates = CandidatesFor(profile->world, IsExpert());
  std::vector<int>& list = candidates.kinds;
  if (list.empty()) return kMonsterNone;
  for (int n = int(list.size()); n >= 1; --n) std::swap(list[n - 1], list[RandomBelow(n)]);
  int occupied = 0;
  for (const BvMonsterSlot& slot : m_Slots) {
    if (slot.kind != kMonsterNone || slot.respawnTimer > 0.0f) ++occupied;
  }
  if (occupied >= candidates.limit) return kMonsterNone;
  const uint32_t length = uint32_t(list.size());
  for (uint32_t t = 0; t < length; ++t) {
    const uint32_t position = (m_StartIndex + t) % length;
    const int kind = list[position];
    bool alive = false;
    for (const BvMonsterSlot& slot : m_Slots) alive = alive || slot.kind == kind;
    if (alive) continue;
    const bool fits = IsCrab(kind) ? CanSpawnCrabs(*m_Board)
                      : IsBat(kind) ? CanSpawnBat(*m_Board)
                                    : HasCage(*m_Board);
    if (!fits) continue;
    m_StartIndex = position;
    return kind;
  }
  return kMonsterNone;
}

// ---- spawning --------------------------------------------------------------

int BvMonsterManager::FindFreeSlot() const {
  for (int i = 0; i < kMonsterSlots; ++i) {
    if (m_Slots[i].kind == kMonsterNone && !(m_Slots[i].respawnTimer > 0.0f)) return i;
  }
  return -1;
}

bool BvMonsterManager::PickRandomCell(irr::core::vector2df& position) const {
  for (int i = 0; i < kPickTries; ++i) {
    const int column = RandomBelow(kBoardColumns);
    const int row = RandomBelow(kBoardRows);
    if (m_Board->GetCell(column, row).present != 0) {
      position = CellToScreen(column, row);
      return true;
    }
  }
  return false;
}

std::vector<irr::core::vector2df> BvMonsterManager::PickRandomCells() const {
  std::vector<irr::core::vector2df> cells;
  for (int i = 0; i < kPathCells; ++i) {
    irr::core::vector2df position;
    if (PickRandomCell(position)) cells.push_back(position);
  }
  return cells;
}

void BvMonsterManager::StyleBody(BvLevelElement* body, int kind) const {
  const KindInfo& info = Info(kind);
  body->SetScale(info.scale, info.scale);
  if (info.tinted) body->SetColor(info.tint);
}

void BvMonsterManager::SpawnMonster(int kind) {
  if (kind < kMonsterCrab || kind > kMonsterStrongTurtle) return;
  const int index = FindFreeSlot();
  if (index < 0) return;
  BvMonsterSlot& slot = m_Slots[index];
  const KindInfo& info = Info(kind);
  BvLevelManager* manager = GetLevelManager();
  BvBoardHost* host = m_Board->GetHost();
  slot.kind = kind;
  slot.gaugeBack = CreateImageElement(manager, kGaugeOffset, "gaugeentback", kNoStartDelay);
  if (slot.gaugeBack) {
    slot.gaugeBack->SetLayer(kLayerMonster);
    slot.gaugeBack->SetScale(kGaugeScale, kGaugeScale);
  }
  slot.gauge = CreateImageElement(manager, irr::core::vector2df(0, 0), "gaugeent", kNoStartDelay);
  if (slot.gauge) {
    slot.gauge->SetScale(kGaugeScale, kGaugeScale);
    slot.gauge->SetLayer(kLayerMonster);
    slot.gauge->SetParent(slot.gaugeBack);
  }
  const bool turtle = IsTurtle(kind);
  if (!turtle && host) host->ScheduleTip(info.tipBit, kTipMonsterDelayMs);
  slot.fullLife = slot.lifeLeft = info.lifeMs;
  slot.body = CreateLevelElement(manager, irr::core::vector2df(0, 0), info.element, kNoStartDelay);
  if (!turtle) slot.elapsed = float(RandomBelow(int(info.intervalMs)));

  irr::core::vector2df start(0, 0);
  if (!turtle) {
    if (!PickRandomCell(start)) start = irr::core::vector2df(0, 0);
    const std::vector<irr::core::vector2df> points = PickRandomCells();
    if (slot.body) {
      slot.body->SetLayer(kLayerMonster);
      if (IsCrab(kind)) slot.body->SetRotation(kQuarterTurn);
      slot.body->SetAnimSpeed(kAttachAnimSpeed);
      slot.body->SetPosition(start);
      slot.body->AddBehavior(new BvPathBehavior(points, info.pathFlags, info.pathSpeed, kPathTension));
      StyleBody(slot.body, kind);
    }
  } else {
    int c = 0, r = 0;
    if (FindCage(*m_Board, c, r)) {
      if (host) host->ScheduleTip(info.tipBit, kTipMonsterDelayMs);
      slot.elapsed = float(RandomBelow(int(info.intervalMs)));
      start = CellToScreen(c, r - kTurtleReach);
      const std::vector<irr::core::vector2df> points = {CellToScreen(c + kTurtleReach, r),
                                                        CellToScreen(c, r + kTurtleReach),
                                                        CellToScreen(c - kTurtleReach, r)};
      if (slot.body) {
        slot.body->SetLayer(kLayerMonster);
        slot.body->SetAnimSpeed(kAttachAnimSpeed);
        slot.body->SetRotation(kQuarterTurn);
        slot.body->SetPosition(start);
        slot.body->AddBehavior(new BvPathBehavior(points, info.pathFlags, info.pathSpeed, kPathTension));
        StyleBody(slot.body, kind);
        slot.body->SetAnimSpeed(kTurtleAnimSpeed);
      }
    }
  }
  if (IsExpert()) {
    slot.fullLife *= kExpertLifeFactor;
    slot.lifeLeft *= kExpertLifeFactor;
  }
  PlayBoardSound("monsterappear");
  if (BvLevelElement* effect = CreateEffectElement(manager, start, "monsterappear", kEffectAnimSpeed,
                                                   kEffectFadeSpeed, kAppearScale, kEffectLifetimeMs))
    effect->SetLayer(kLayerMonster);
}

// ---- living ----------------------------------------------------------------

void BvMonsterManager::UpdateMonsters(float ms) {
  for (int i = 0; i < kMonsterSlots; ++i) {
    BvMonsterSlot& slot = m_Slots[i];
    if (slot.kind == kMonsterNone || !slot.body) continue;
    slot.elapsed += ms;
    if (IsCrab(slot.kind)) UpdateCrabs(slot, slot.kind == kMonsterStrongCrab);
    else if (IsBat(slot.kind)) UpdateBat(slot, slot.kind == kMonsterStrongBat);
    else UpdateTurtle(slot, slot.kind == kMonsterStrongTurtle);
    UpdateGauge(slot);
    slot.lifeLeft -= ms;
    if (slot.lifeLeft <= 0.0f) KillMonster(i);
  }
}

void BvMonsterManager::UpdateGauge(BvMonsterSlot& slot) {
  if (slot.gaugeBack) slot.gaugeBack->SetPosition(slot.body->GetPosition() + kGaugeOffset);
  if (!slot.gauge || slot.fullLife <= 0.0f) return;
  const float f = slot.lifeLeft / slot.fullLife;
  slot.gauge->SetScale(f, 1.0f);
  const BvSprite* sprite = slot.gauge->GetCurrentSprite();
  const float width = sprite ? float(sprite->GetSourceRect().getWidth()) : 0.0f;
  slot.gauge->SetPosition(-width * (1.0f - f) / 2.0f, 0.0f);
}

BvPiece* BvMonsterManager::CellUnder(const BvMonsterSlot& slot) const {
  const irr::core::vector2df p = slot.body->GetPosition();
  const int column = int((p.X - kBoardOriginX) / kCellSize);
  const int row = int((p.Y - kBoardOriginY) / -kCellSize);
  if (!IsOnBoard(column, row)) return nullptr;
  const irr::core::vector2df centre = CellToScreen(column, row);
  if (std::fabs(p.X - centre.X) > kStandTolerance || std::fabs(p.Y - centre.Y) > kStandTolerance)
    return nullptr;
  return &m_Board->GetCell(column, row);
}

void BvMonsterManager::ShowActionEffect(const irr::core::vector2df& position) {
  if (BvLevelElement* effect = CreateEffectElement(GetLevelManager(), position, "effectmonster",
                                                   kEffectAnimSpeed, kEffectFadeSpeed, kActionScale,
                                                   kEffectLifetimeMs))
    effect->SetLayer(kLayerMonster);
}

void BvMonsterManager::UpdateCrabs(BvMonsterSlot& slot, bool strong) {
  if (!(slot.elapsed > Info(slot.kind).intervalMs)) return;
  BvPiece* cell = CellUnder(slot);
  if (!cell || cell->present != 1 || cell->motion != kMotionIdle || cell->delay > 0.0f ||
      cell->lockCounter != 0)
    return;
  const irr::core::vector2df here = cell->GetScreenPosition();
  if (BvLevelElement* lock = CreateImageElement(GetLevelManager(), here, nullptr, kNoStartDelay)) {
    cell->delay = kLockSettleDelayMs;
    cell->lockCounter = strong ? 2 : 1;
    lock->SetLayer(kLayerLock);
    lock->AddBehavior(new BvFadeInBehavior(kLockFadeSpeed, 0.0f));
    lock->SetSourceElementByName(strong ? "chaine2" : "chaine1");
    cell->SetLockSprite(lock);
  }
  PlayBoardSound("effectmonster");
  ShowActionEffect(here);
  slot.elapsed = 0.0f;
}

// The background code of the layout being played at a cell; -1 when the
// game has no layouts bank.
static int LayoutCode(const BvLayout& board, int column, int row) {
  BvBoardHost* host = board.GetHost();
  BvLayoutBank* bank = host ? host->GetLayoutBank() : nullptr;
  if (!bank) return -1;
  return bank->GetCell(host->GetLayoutIndex(), column, row).back;
}

void BvMonsterManager::UpdateBat(BvMonsterSlot& slot, bool strong) {
  if (!(slot.elapsed > Info(slot.kind).intervalMs)) return;
  BvPiece* cell = CellUnder(slot);
  if (!cell || cell->present != 1 || cell->motion != kMotionIdle || cell->delay > 0.0f) return;
  if (!(cell->background == kBackClear || (strong && cell->background == kBackFill))) return;
  const int code = LayoutCode(*m_Board, cell->column, cell->row);
  if (code != kBackFill && code != kBackBlocker) return;
  cell->SetBackground(strong ? kBackBlocker : kBackFill);
  PlayBoardSound("effectmonsterbat");
  ShowActionEffect(cell->GetScreenPosition());
  slot.elapsed = 0.0f;
}

void BvMonsterManager::UpdateTurtle(BvMonsterSlot& slot, bool strong) {
  if (!(slot.elapsed > Info(slot.kind).intervalMs)) return;
  BvPiece* own = CellUnder(slot);
  if (!own) return;
  // Only a playable cell can take the backfill the turtle leaves; on a hole
  // it would be invisible and never cleared.
  const int code = LayoutCode(*m_Board, own->column, own->row);
  if (code < kBackClear || code > kBackBlocker) return;
  const int c = own->column, r = own->row;
  struct Option {
    int cageDc, cageDr, chainKind;
  };
  static const Option kOptions[] = {
      {0, 2, kBackChainV}, {0, -2, kBackChainV}, {-2, 0, kBackChainH}, {2, 0, kBackChainH}};
  const Option* chosen = nullptr;
  for (const Option& option : kOptions) {
    const int cc = c + option.cageDc, cr = r + option.cageDr;
    if (!IsOnBoard(cc, cr)) continue;
    if (m_Board->GetCell(cc, cr).background != kBackCage) continue;
    if (m_Board->GetCell(c + option.cageDc / 2, r + option.cageDr / 2).background != kBackNone) continue;
    chosen = &option;
    break;
  }
  if (!chosen) return;
  BvPiece& cage = m_Board->GetCell(c + chosen->cageDc, r + chosen->cageDr);
  BvPiece& middle = m_Board->GetCell(c + chosen->cageDc / 2, r + chosen->cageDr / 2);
  BvLevelElement* chain = CreateImageElement(GetLevelManager(), middle.GetScreenPosition(), nullptr,
                                             kNoStartDelay);
  if (chain) chain->SetLayer(kLayerBackground);
  middle.SetBackgroundSprite(chain);
  middle.SetBackground(chosen->chainKind);
  SyncWobble(cage, middle);
  own->SetBackground(strong ? kBackBlocker : kBackFill);
  PlayBoardSound("effectmonsterbat");
  ShowActionEffect(middle.GetScreenPosition());
  ShowActionEffect(own->GetScreenPosition());
  slot.elapsed = 0.0f;
}

void BvMonsterManager::SyncWobble(const BvPiece& from, const BvPiece& to) {
  BvLevelElement* source = from.GetBackgroundSprite();
  BvLevelElement* target = to.GetBackgroundSprite();
  if (!source || !target) return;
  for (int type : {kBehaviorCosinusX, kBehaviorSinusY}) {
    float elapsed = 0.0f;
    for (BvBehavior* behavior : source->GetBehaviors()) {
      if (behavior->GetType() == type) elapsed = behavior->GetElapsed();
    }
    for (BvBehavior* behavior : target->GetBehaviors()) {
      if (behavior->GetType() == type) behavior->SetElapsed(elapsed);
    }
  }
}

// ---- clicks and deaths -----------------------------------------------------

void BvMonsterManager::OnClick() {
  BvBoardHost* host = m_Board ? m_Board->GetHost() : nullptr;
  if (!host) return;
  for (int i = 0; i < kMonsterSlots; ++i) {
    const BvMonsterSlot& slot = m_Slots[i];
    if (slot.kind == kMonsterNone || !slot.body) continue;
    if (!host->IsMouseOver(slot.body->GetName())) continue;
    if (host->WasLeftClicked()) HitMonster(i);
    host->ShowGameCursor(true);
    return;
  }
  host->ShowGameCursor(false);
}

void BvMonsterManager::HitMonster(int index) {
  if (index < 0 || index >= kMonsterSlots) return;
  BvMonsterSlot& slot = m_Slots[index];
  if (slot.kind == kMonsterNone) return;
  BvBoardHost* host = m_Board->GetHost();
  const irr::core::vector2df at = slot.body ? slot.body->GetPosition() : irr::core::vector2df(0, 0);
  slot.lifeLeft -= kHitDamageMs;
  if (slot.lifeLeft >= 0.0f) {
    PlayBoardSound("hitmonster");
    ShowScorePopup(host, kHitPoints, at, 0.0f, false);
    if (BvLevelElement* effect = CreateEffectElement(GetLevelManager(), at, "monsterhit", kEffectAnimSpeed,
                                                     kEffectFadeSpeed, kHitScale, kEffectLifetimeMs))
      effect->SetLayer(kLayerMonster);
    return;
  }
  ShowScorePopup(host, kKillPoints, at, 0.0f, false);
  KillMonster(index);
  if (BvProfile* profile = host ? host->GetProfile() : nullptr) ++profile->monstersKilled;
}

void BvMonsterManager::KillMonster(int index) {
  if (index < 0 || index >= kMonsterSlots) return;
  BvMonsterSlot& slot = m_Slots[index];
  if (slot.kind == kMonsterNone) return;
  for (BvLevelElement* element : {slot.body, slot.gaugeBack, slot.gauge}) {
    if (element) element->m_bDead = true;
  }
  if (slot.body) {
    BvLevelElement* debris = CreateFallingElement(GetLevelManager(), slot.body->GetPosition(),
                                                  Info(slot.kind).element, true, kNoStartDelay);
    if (debris) {
      debris->SetLayer(kLayerDebris);
      StyleBody(debris, slot.kind);
      const int sideways = RandomBelow(kThrowSpread) - kThrowOffset;
      debris->SetVelocity(float(sideways), kThrowUp);
      const int spin = RandomBelow(kThrowSpread) - kThrowOffset;
      debris->SetAngularVelocity(float(spin));
      debris->AddBehavior(new BvFadeOutBehavior(kDebrisFadeSpeed, 0.0f, true, false));
    }
  }
  PlayBoardSound("monsterdie");
  slot = BvMonsterSlot{};
  const float wait = IsExpert() ? kExpertRespawnWaitMs : kRespawnWaitMs;
  for (BvMonsterSlot& other : m_Slots) {
    if (other.kind == kMonsterNone) other.respawnTimer = wait;
  }
}
