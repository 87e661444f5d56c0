#include "game/scenes/map_scene.h"

#include <algorithm>
#include <cstdio>

#include "engine/level/element.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/physics_values.h"
#include "engine/resources/lang_table.h"
#include "engine/sound/sound_functions.h"
#include "game/board/board_placement.h"
#include "game/core/game.h"
#include "game/scenes/element_templates.h"
#include "game/core/player_store.h"
#include "game/gui/create_text.h"
#include "game/scenes/font_alias.h"

namespace {
constexpr const char* kFile = "map.xml";
constexpr const char* kMusic = "musicmap";
constexpr const char* kPlayArrow = "arrow";
constexpr const char* kMenuButton = "btnmenu";
constexpr const char* kMapArrow = "maparrow";
constexpr const char* kArrowFont = "andalous18";
constexpr const char* kWorldFont = "cooperfont";
constexpr const char* kCinemaFont = "cooper20";
constexpr const char* kMenuFont = "galaxy16";
constexpr float kNoStartDelay = -1.0f;
constexpr int kAlignLeft = 1;
constexpr int kSpotsPerWorld = BvProfile::kLastLevel + 1;

// The map arrow stands 50 pixels above a spot and bobs there.
const irr::core::vector2df kArrowLift(0.0f, 50.0f);
constexpr float kBobRange = 5.0f;
constexpr float kBobSpeed = 250.0f;
constexpr float kArrowStartMs = 1500.0f;
constexpr float kArrowArrivalMs = 2300.0f;
constexpr float kArrowSpeed = 10.0f;
constexpr float kEffectVolume = 0.5f;

// The sparkle wave: every ten seconds, the first one second after the map
// is live.
constexpr float kSparklePeriodMs = 10000.0f;
constexpr float kFirstSparkleTimer = 9000.0f;
constexpr float kSparkleStepMs = 50.0f;
const irr::core::vector2df kSparkleLift(0.0f, 5.0f);
constexpr float kSparkleLifetimeMs = 10000.0f;
constexpr float kSparkleScale = 0.4f;
constexpr float kSparkleTurn = -50.0f;
constexpr int kSparkleLayer = 2;

// The interlude before levels 2, 5 and 8 of a world.
constexpr int kInterludeEvery = 3;
constexpr int kInterludeLevel = 2;
const irr::core::vector2df kBarTopHome(0.0f, 250.0f);
const irr::core::vector2df kBarBottomHome(0.0f, -250.0f);
constexpr float kBarSpeed = 10.0f;
const irr::video::SColor kCinemaShade(0x80000000);
constexpr int kCinemaLayer = 6;
constexpr int kCinemaTextLayer = 7;
constexpr float kCinemaLineFadeSpeed = 5.0f;

struct WorldName {
  const char* key;
  float x;
  float y;
};
constexpr WorldName kWorldNames[BvProfile::kWorldCount] = {
    {"worldname1", -280, 200}, {"worldname2", -50, 250}, {"worldname3", 250, 200},
    {"worldname4", 200, 10},   {"worldname5", 0, -10},   {"worldname6", -250, 10}};

BvLevelElement* MakeText(BvLevelManager* levels, const irr::core::vector2df& at,
                         const wchar_t* text, const char* font, int layer) {
  BvLevelElement* element = CreateText(levels, at, text, font);
  if (element) element->SetLayer(layer);
  return element;
}
}  // namespace

int MapSpotIndex(int world, int level) {
  return std::clamp(level, 0, BvProfile::kLastLevel) +
         std::clamp(world, 0, BvProfile::kWorldCount - 1) * kSpotsPerWorld;
}

bool BvMapScene::Load() {
  BvScene::Load();
  BvLevelManager* levels = GetLevelManager();
  if (!levels || !levels->LoadScene(kFile)) return false;
  BvLevelManager* global = GetGame() ? GetGame()->GetGlobalLevels() : nullptr;
  bv::AddFontAlias(levels, levels, "cooper-font16", kWorldFont, -2);
  bv::AddFontAlias(levels, global, "andalous-font18", kArrowFont);
  bv::AddFontAlias(levels, levels, "cooper-font20", kCinemaFont, -7);
  bv::AddFontAlias(levels, levels, "galaxy-font16", kMenuFont);
  levels->LoadLevel(0, kFile, true);
  return true;
}

BvLevelElement* BvMapScene::FindElement(const char* name) const {
  BvLevelManager* levels = GetLevelManager();
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
}

BvLevelElement* BvMapScene::FindSpot(int spot) const {
  char name[16];
  std::snprintf(name, sizeof(name), "sp%d", spot);
  return FindElement(name);
}

int BvMapScene::CurrentSpot() const {
  const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  return profile ? MapSpotIndex(profile->world, profile->level) : 0;
}

void BvMapScene::Init(intptr_t) {
  OpenFromBlack();
  m_CinemaLines[0] = m_CinemaLines[1] = nullptr;
  BvLevelManager* levels = GetLevelManager();
  m_Arrow = FindElement(kPlayArrow);
  if (m_Arrow) {
    if (BvLevelElement* label =
            MakeText(levels, {-40.0f, 0.0f}, GetText("play"), kArrowFont, kCinemaTextLayer)) {
      label->SetParent(m_Arrow);
      label->SetTextAlign(kAlignLeft);
    }
  }
  if (BvLevelElement* menu = FindElement(kMenuButton)) {
    if (BvLevelElement* label = MakeText(levels, {0.0f, 0.0f}, GetText("menu"), kMenuFont, 5))
      label->SetParent(menu);
  }
  CreateWorlds();
  StartMusic(kMusic);
  m_SparkleTimer = kFirstSparkleTimer;
  m_State = kStateOpening;
}

void BvMapScene::CreateWorlds() {
  BvLevelManager* levels = GetLevelManager();
  m_MapArrow = FindElement(kMapArrow);
  for (const WorldName& world : kWorldNames) {
    if (BvLevelElement* name =
            MakeText(levels, {world.x, world.y}, GetText(world.key), kWorldFont, 4))
      name->AddBehavior(new BvFadeInBehavior(5.0f, 1000.0f));
  }
  m_HasTarget = false;
  const int current = CurrentSpot();
  for (int i = 0; i <= current; ++i) {
    BvLevelElement* spot = FindSpot(i);
    if (!spot) continue;
    const BvElement* source = spot->GetSourceElement();
    const bool big = source && source->GetNameString() == "spotbigoff";
    spot->SetSourceElementByName(big ? "spotbigon" : "spoton");
  }
  // Without the spots it stands on, the arrow stays where the file put it.
  if (!m_MapArrow) return;
  BvLevelElement* here = FindSpot(current);
  if (current == 0) {
    if (here) m_MapArrow->SetPosition(here->GetPosition() + kArrowLift);
    m_MapArrow->AddBehavior(new BvSinusYBehavior(kBobRange, kBobSpeed, 0.0f));
    return;
  }
  BvLevelElement* previous = FindSpot(current - 1);
  if (!here || !previous) return;
  m_HasTarget = true;
  m_Target = here->GetPosition() + kArrowLift;
  m_MapArrow->SetPosition(previous->GetPosition() + kArrowLift);
}

void BvMapScene::Update(float ms) {
  BvScene::Update(ms);
  switch (m_State) {
    case kStateOpening:
      if (UncoverStep(ms)) m_State = kStateArrowStart;
      break;
    case kStateArrowStart:
      if (m_Elapsed <= kArrowStartMs) break;
      if (m_MapArrow && !m_HasTarget) {
        m_MapArrow->AddBehavior(new BvSinusYBehavior(kBobRange, kBobSpeed, 0.0f));
      } else if (m_MapArrow) {
        m_MapArrow->AddBehavior(new BvMoveToBehavior(m_Target, kArrowSpeed));
        PlayEffect("arrowmove", false, kEffectVolume);
      }
      m_State = kStateArrowArrival;
      break;
    case kStateArrowArrival:
      if (m_Elapsed <= kArrowArrivalMs) break;
      if (m_MapArrow && m_HasTarget) {
        m_MapArrow->ClearBehaviors();
        m_MapArrow->SetPosition(m_Target);
        m_MapArrow->AddBehavior(new BvSinusYBehavior(kBobRange, kBobSpeed, 0.0f));
      }
      m_State = kStateLive;
      break;
    case kStateAfterInterlude:
      RevealCinemaLines();
      [[fallthrough]];
    case kStateLive:
      SparkleSpots(ms);
      HandleButtons();
      break;
    case kStateInterlude:
      ShowCinema();
      m_State = kStateAfterInterlude;
      break;
    case kStateLeaving:
      CoverStep(ms);
      break;
    default:
      break;
  }
}

void BvMapScene::SparkleSpots(float ms) {
  m_SparkleTimer += ms;
  if (m_SparkleTimer <= kSparklePeriodMs) return;
  m_SparkleTimer = 0.0f;
  SparkleAhead();
}

void BvMapScene::SparkleAhead() {
  const int current = CurrentSpot();
  BvLevelManager* levels = GetLevelManager();
  if (!bv::HasTemplate(levels, "sparkle")) return;
  for (int i = current + 1; i < kSpotCount; ++i) {
    BvLevelElement* spot = FindSpot(i);
    if (!spot) continue;
    BvLevelElement* sparkle =
        CreateEffectElement(levels, spot->GetPosition() + kSparkleLift, "sparkle", -1.0f, -1.0f,
                            1.0f, kSparkleLifetimeMs);
    if (!sparkle) continue;
    sparkle->SetLayer(kSparkleLayer);
    sparkle->SetScale(kSparkleScale, kSparkleScale);
    sparkle->AddBehavior(new BvRotateBehavior(kSparkleTurn));
    sparkle->SetStartDelay(kSparkleStepMs * float(i - current - 1));
  }
}

void BvMapScene::HandleButtons() {
  BvGame* game = GetGame();
  if (!game) return;
  if (IsDialogOver()) return;
  // A missing button is reported by the lookup's "Alert" on every press,
  // as on the board and hidden-object screens.
  if (IsButtonClicked(kMenuButton, true)) {
    game->ShowGui(kGuiPause, kGuiModeFrozen, 0);
  } else if (IsButtonClicked(kPlayArrow, true)) {
    const BvProfile* profile = game->GetCurrentProfile();
    const int level = profile ? profile->level : 0;
    if (m_State == kStateLive && level % kInterludeEvery == kInterludeLevel)
      m_State = kStateInterlude;
    else
      m_State = kStateLeaving;
  }
}

void BvMapScene::ShowCinema() {
  BvLevelManager* levels = GetLevelManager();
  if (BvLevelElement* bar = FindElement("cinema1"))
    bar->AddBehavior(new BvMoveToBehavior(kBarTopHome, kBarSpeed));
  if (BvLevelElement* bar = FindElement("cinema2"))
    bar->AddBehavior(new BvMoveToBehavior(kBarBottomHome, kBarSpeed));
  BvLevelElement* shade = bv::HasTemplate(levels, "cinema")
                              ? CreateLevelElement(levels, {0.0f, 0.0f}, "cinema", kNoStartDelay)
                              : nullptr;
  if (shade) {
    shade->SetDynType(bv::kNoBody);
    shade->SetLayer(kCinemaLayer);
    shade->SetScale(7.0f, 5.0f);
    shade->SetColor(kCinemaShade);
    shade->AddBehavior(new BvFadeInBehavior(10.0f, 0.0f));
  }
  const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  const int world = std::clamp(profile ? profile->world : 0, 0, BvProfile::kWorldCount - 1);
  const int part = std::clamp(profile ? profile->level : 0, 0, BvProfile::kLastLevel) / kInterludeEvery;
  const struct {
    const char* pattern;
    float y;
  } lines[] = {{"st%d%da", 20.0f}, {"st%d%db", -20.0f}};
  int made = 0;
  for (const auto& line : lines) {
    char key[32];
    std::snprintf(key, sizeof(key), line.pattern, world, part);
    BvLevelElement* text = MakeText(levels, {0.0f, line.y}, GetText(key), kCinemaFont, kCinemaTextLayer);
    if (!text) continue;
    // Hidden until the bars have closed their panel behind the lines, so
    // the lines never show over the map's names while the bars move.
    text->SetVisible(false);
    m_CinemaLines[made++] = text;
  }
  RevealCinemaLines();
}

void BvMapScene::RevealCinemaLines() {
  if (!m_CinemaLines[0] && !m_CinemaLines[1]) return;
  const struct {
    const char* name;
    const irr::core::vector2df& home;
  } bars[] = {{"cinema1", kBarTopHome}, {"cinema2", kBarBottomHome}};
  for (const auto& bar : bars) {
    // A bar's move ends exactly on its home; a missing bar hides nothing.
    BvLevelElement* element = FindElement(bar.name);
    if (element && element->GetLocalPosition() != bar.home) return;
  }
  for (BvLevelElement*& text : m_CinemaLines) {
    if (!text) continue;
    text->SetVisible(true);
    text->AddBehavior(new BvFadeInBehavior(kCinemaLineFadeSpeed, 0.0f));
    text = nullptr;
  }
}

void BvMapScene::OnEvent(int code) { HandlePauseResult(code, kStateLeaving); }
