#include "game/scenes/hidden_scene.h"

#include <cmath>
#include <vector>

#include "engine/level/camera.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/platform/random_source.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/sprite.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_placement.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/core/tip_bits.h"
#include "game/gui/create_text.h"
#include "game/scenes/font_alias.h"
#include "game/gui/gui_results.h"
#include "game/gui/tip_placement.h"
#include "game/scenes/hidden_pick.h"
#include "game/scenes/play_screen_events.h"

namespace {
constexpr const char* kFile = "hidden1.xml";
constexpr const char* kMusic = "musichidden";
constexpr float kFadeSpeed = 200.0f;
const irr::core::vector2df kOrigin(0.0f, 0.0f);
constexpr float kNoStartDelay = -1.0f;
constexpr float kEffectVolume = 0.5f;
// -1: the sound's own volume.
constexpr float kOwnVolume = -1.0f;
constexpr const char* kSetupSound = "layout";

// The screen's two fonts, made from its own images.
constexpr const char* kNameFontImage = "andalus-font12";
constexpr const char* kNameFont = "andalus12";
constexpr const char* kLabelFontImage = "galaxy-font16";
constexpr const char* kLabelFont = "galaxy16";
constexpr int kTopLayer = 7;
constexpr int kTextCentred = 0;
constexpr int kTextLeft = 1;

constexpr const char* kMenuButton = "btnmenu";

// The names panel: four columns of three names; it slides up into view.
constexpr const char* kPanel = "panel";
constexpr int kPanelColumns = 4;
constexpr float kNameColumnStep = 144.0f;
constexpr float kNameLeft = -280.0f;
constexpr float kNameTop = 23.0f;
constexpr float kNameRowStep = 23.0f;
constexpr int kNameLayer = 6;
constexpr float kNameFadeSpeed = 5.0f;
constexpr float kNameFadeDelayMs = 1500.0f;
const irr::core::vector2df kPanelHome(-68.0f, -230.0f);
constexpr float kPanelSpeed = 5.0f;
// Objects are the level elements of these layers.
constexpr int kObjectLayerBack = 1;
constexpr int kObjectLayerFront = 3;

// A found name: struck through and dimmed.
constexpr const char* kStrike = "rayure";
constexpr float kStrikeMargin = 6.0f;
constexpr float kStrikeTilt = -0.05f;
constexpr float kStrikeFadeSpeed = 20.0f;
const irr::video::SColor kStrikeColour(0xFFFFFFFF);
const irr::video::SColor kFoundNameColour(0x64FFFFFF);
constexpr const char* kFoundSound = "wordfound";

// The hint button and its effects.
constexpr const char* kHintButton = "hint";
constexpr const char* kHintLit = "hinton";
constexpr const char* kHintDark = "hintoff";
constexpr const char* kHalo = "halosort";
constexpr float kHaloScale = 1.01f;
const irr::video::SColor kHaloColour(0xB4B4FF50);
constexpr float kHaloSpin = 300.0f;
constexpr float kHaloFadeSpeed = 10.0f;
constexpr const char* kSparkle = "hintsparkle";
constexpr int kSparkleCount = 30;
constexpr float kSparkleRadius = 40.0f;
// The ring winds round more than twice: 2 pi / 13 between sparkles.
constexpr float kSparkleAngleStep = 2.0f * 3.14159265f / 13.0f;
constexpr float kSparkleDelayMs = 80.0f;
constexpr float kSparkleScale = 1.3f;
constexpr float kSparkleFadeInSpeed = 20.0f;
constexpr float kSparkleSpin = 50.0f;
constexpr float kSparkleFadeOutSpeed = 10.0f;
constexpr float kSparkleFadeOutDelayMs = 200.0f;

// The tooltip over the hint button.
constexpr const char* kTooltip = "tooltip";
const irr::video::SColor kTooltipColour(0xC8FFFFFF);
constexpr float kTooltipFadeSpeed = 10.0f;
const irr::core::vector2df kTooltipOffset(-70.0f, 30.0f);
const irr::core::vector2df kTooltipTextPosition(0.0f, 10.0f);

BvLevelElement* FindInLevel(BvLevelManager* levels, const char* name) {
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
}

bool IsObjectLayer(int layer) { return layer == kObjectLayerBack || layer == kObjectLayerFront; }

// Width in pixels of the element's picture; 0 when it has none.
float SpriteWidth(const BvLevelElement& element) {
  const BvSprite* sprite = element.GetCurrentSprite();
  return sprite ? float(sprite->GetSourceRect().getWidth()) : 0.0f;
}
}  // namespace

BvHiddenScene::BvHiddenScene() : BvHiddenScene(kFile) {}

BvHiddenScene::BvHiddenScene(const char* file) : m_File(file) {
  m_Stats.Reset(bv::WallClockSeconds());
}

bool BvHiddenScene::Load() { return LoadSceneFile(m_File); }

void BvHiddenScene::Init(intptr_t) {
  // The previous visit's level went with everything made on it.
  for (BvHiddenItem& item : m_Items) item.Clear();
  m_ItemCount = 0;
  m_Hint.Reset();
  m_EndShow.Reset();
  m_Tooltip = nullptr;
  m_TooltipText = nullptr;
  BvGame* game = GetGame();
  if (game) {
    game->SetClearColour(irr::video::SColor(0xFF000000));
    game->StartFade(irr::video::SColor(0x00000000), kFadeSpeed);
  }
  BvLevelManager* levels = GetLevelManager();
  if (levels) levels->GetCamera()->Reset();
  bv::AddFontAlias(levels, levels, kNameFontImage, kNameFont);
  bv::AddFontAlias(levels, levels, kLabelFontImage, kLabelFont);
  m_State = kStateSearching;
  StartMusic(kMusic);
  if (BvLevelElement* menu = FindInLevel(levels, kMenuButton)) {
    if (BvLevelElement* label = CreateText(levels, kOrigin, GetText("menu"), kLabelFont)) {
      label->SetParent(menu);
      label->SetLayer(kTopLayer);
    }
  }
  CreateTooltip();
}

void BvHiddenScene::CreateTooltip() {
  BvLevelManager* levels = GetLevelManager();
  m_Tooltip = CreateImageElement(levels, kOrigin, kTooltip, kNoStartDelay);
  m_TooltipText = CreateText(levels, kOrigin, L"", kLabelFont);
  // Hidden until hovered; without its text (a missing font) it never shows.
  if (m_Tooltip) m_Tooltip->SetVisible(false);
  if (m_Tooltip && m_TooltipText) {
    m_Tooltip->SetLayer(kTopLayer);
    m_TooltipText->SetVisible(false);
    m_TooltipText->SetLayer(kTopLayer);
    m_TooltipText->SetParent(m_Tooltip);
    m_TooltipText->SetTextAlign(kTextCentred);
  }
  m_TooltipShown = false;
}

void BvHiddenScene::Update(float ms) {
  BvScene::Update(ms);
  HandleMenuButton();
  BvGame* game = GetGame();
  if (game) game->FadeFromColour(ms);
  switch (m_State) {
    case kStateSearching:
      if (HasPassed(kSetupMs)) {
        // Straight through the manager: the sound switch does not apply.
        if (g_SoundManager) g_SoundManager->PlaySound(kSetupSound, false, kOwnVolume);
        SetupObjects();
        ScheduleTip(kTipHidden, kTipHiddenDelayMs);
      }
      if (m_Elapsed > kInputFromMs) UpdateFound(ms);
      break;
    case kStateWon:
      UpdateLevelComplete(ms);
      break;
    case kStateOpenRecap:
      // The recap must open even over another dialog's mode.
      if (game) {
        game->SetGuiMode(kGuiModeNone);
        game->ShowGui(kGuiRecapHidden, kGuiModeRunning, reinterpret_cast<intptr_t>(this));
      }
      m_State = kStateRecap;
      break;
    case kStateRecap:
      break;
    case kStateLeaving:
      if (!game || !game->FadeToColour(ms)) RequestClose();
      break;
  }
}

void BvHiddenScene::HandleMenuButton() {
  BvGame* game = GetGame();
  if (!game) return;
  const int mode = game->GetGuiMode();
  if (mode == kGuiModeFrozen || mode == kGuiModeRunning) return;
  if (IsButtonClicked(kMenuButton, true)) game->ShowGui(kGuiPause, kGuiModeFrozen, 0);
}

void BvHiddenScene::SetupObjects() {
  m_Stats.Reset(bv::WallClockSeconds());
  m_Hint.Reset();
  BvLevelManager* levels = GetLevelManager();
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  std::vector<BvLevelElement*> candidates;
  if (level) {
    for (const auto& entry : level->GetIdIndex()) {
      auto* element = static_cast<BvLevelElement*>(entry.second);
      if (IsObjectLayer(element->GetLayer())) candidates.push_back(element);
    }
  }
  bv::SeedRand(uint32_t(bv::WallClockSeconds()));
  // A picture with fewer objects than asked for plays with all of them.
  const std::vector<int> picked = PickObjectIndices(int(candidates.size()), kItemCount);
  BvLevelElement* panel = FindInLevel(levels, kPanel);
  m_ItemCount = int(picked.size());
  for (int i = 0; i < m_ItemCount; ++i) {
    BvLevelElement* object = candidates[picked[i]];
    const irr::core::vector2df spot(float(i % kPanelColumns) * kNameColumnStep + kNameLeft,
                                    kNameTop - float(i / kPanelColumns) * kNameRowStep);
    BvLevelElement* name = CreateText(levels, spot, GetText(object->GetName()), kNameFont);
    if (name) {
      name->SetParent(panel);
      name->SetTextAlign(kTextLeft);
      name->SetLayer(kNameLayer);
      name->AddBehavior(new BvFadeInBehavior(kNameFadeSpeed, kNameFadeDelayMs));
    }
    m_Items[i].Bind(object, name);
  }
  RetargetHint();
  if (panel) panel->AddBehavior(new BvMoveToBehavior(kPanelHome, kPanelSpeed));
}

void BvHiddenScene::UpdateFound(float ms) {
  UpdateHintButton(ms);
  if (IsMouseOver(kHintButton)) ShowTooltip(kHintButton);
  else HideTooltip();
  BvGame* game = GetGame();
  const bool clicked = game && game->WasLeftClicked();
  bool taken = false;
  bool allFound = true;
  for (int i = 0; i < m_ItemCount; ++i) {
    BvHiddenItem& item = m_Items[i];
    // One object per click: where objects overlap, the first in item
    // order is found.
    if (clicked && !taken && !item.found && item.hovered) {
      taken = true;
      item.found = true;
      RetargetHint();
      StrikeName(item);
      PlayEffect(kFoundSound, false, kEffectVolume);
    }
    allFound = allFound && item.found;
  }
  // A picture without objects counts as cleared, so the player can go on.
  if (!allFound) return;
  const int64_t now = bv::WallClockSeconds();
  m_Stats.StopClock(now);
  if (BvProfile* profile = game ? game->GetCurrentProfile() : nullptr) profile->NextLevel();
  m_State = kStateWon;
}

void BvHiddenScene::StrikeName(const BvHiddenItem& item) {
  if (!item.nameText) return;
  // A name found before its fade-in has run keeps the dimmed colour.
  item.nameText->ClearBehaviors();
  item.nameText->SetColor(kFoundNameColour);
  BvLevelManager* levels = GetLevelManager();
  if (!levels || !levels->GetElements()->FindObjectByName(kNameFont) ||
      !levels->GetElements()->FindObjectByName(kStrike))
    return;
  const irr::core::vector2df at = item.nameText->GetPosition();
  const float width = float(item.nameText->GetTextWidth());
  BvLevelElement* strike =
      CreateImageElement(levels, irr::core::vector2df(at.X + width * 0.5f, at.Y), kStrike, kNoStartDelay);
  if (!strike) return;
  // A strike picture without width cannot be stretched over the name.
  const float strikeWidth = SpriteWidth(*strike);
  if (strikeWidth <= 0.0f) {
    strike->m_bDead = true;
    return;
  }
  strike->SetLayer(kNameLayer);
  strike->SetColor(kStrikeColour);
  strike->SetRotation(kStrikeTilt);
  strike->SetScale((width + kStrikeMargin) / strikeWidth, 1.0f);
  strike->AddBehavior(new BvFadeInBehavior(kStrikeFadeSpeed, 0.0f));
}

void BvHiddenScene::UpdateHintButton(float ms) {
  const bool clicked = IsButtonClicked(kHintButton, false);
  BvLevelElement* button = FindInLevel(GetLevelManager(), kHintButton);
  if (m_Hint.ready) {
    if (!clicked) return;
    if (!m_Hint.target) {
      PlayEffect("clickfail", false, kEffectVolume);
      return;
    }
    PlayEffect("guiclick", false, kEffectVolume);
    m_Hint.ready = false;
    ShowHint();
    if (m_Hint.halo) m_Hint.halo->AddBehavior(new BvFadeOutBehavior(kHaloFadeSpeed, 0.0f, true, false));
    m_Hint.halo = nullptr;
    if (button) button->SetSourceElementByName(kHintDark);
    return;
  }
  // A click on the dark button does not hurry it.
  if (clicked) PlayEffect("clickfail", false, kEffectVolume);
  m_Hint.countdown -= ms;
  if (m_Hint.countdown < 0.0f) LightHintButton();
}

void BvHiddenScene::LightHintButton() {
  m_Hint.ready = true;
  m_Hint.countdown = BvHiddenHint::kRechargeMs;
  BvLevelManager* levels = GetLevelManager();
  BvLevelElement* button = FindInLevel(levels, kHintButton);
  if (button) button->SetSourceElementByName(kHintLit);
  m_Hint.halo = CreateImageElement(levels, kOrigin, kHalo, kNoStartDelay);
  if (m_Hint.halo) {
    m_Hint.halo->SetParent(button);
    m_Hint.halo->SetLayer(kTopLayer);
    m_Hint.halo->SetScale(kHaloScale, kHaloScale);
    m_Hint.halo->SetColor(kHaloColour);
    m_Hint.halo->AddBehavior(new BvRotateBehavior(kHaloSpin));
  }
  PlayEffect("hintactive", false, kEffectVolume);
}

void BvHiddenScene::ShowHint() {
  if (!m_Hint.target || !m_Hint.target->element) return;
  ++m_Stats.hintsUsed;
  const irr::core::vector2df centre = m_Hint.target->element->GetPosition();
  BvLevelManager* levels = GetLevelManager();
  for (int k = 0; k < kSparkleCount; ++k) {
    const float angle = float(k) * kSparkleAngleStep;
    const irr::core::vector2df at(centre.X + kSparkleRadius * std::cos(angle),
                                  centre.Y + kSparkleRadius * std::sin(angle));
    BvLevelElement* sparkle = CreateImageElement(levels, at, kSparkle, float(k) * kSparkleDelayMs);
    if (!sparkle) continue;
    sparkle->SetLayer(kTopLayer);
    sparkle->SetScale(kSparkleScale, kSparkleScale);
    sparkle->AddBehavior(new BvFadeInBehavior(kSparkleFadeInSpeed, 0.0f));
    sparkle->AddBehavior(new BvRotateBehavior(kSparkleSpin));
    sparkle->AddBehavior(new BvFadeOutBehavior(kSparkleFadeOutSpeed, kSparkleFadeOutDelayMs, true, false));
  }
  PlayEffect("hint", false, kEffectVolume);
}

void BvHiddenScene::RetargetHint() {
  m_Hint.target = nullptr;
  for (int i = 0; i < m_ItemCount; ++i) {
    if (!m_Items[i].found) {
      m_Hint.target = &m_Items[i];
      return;
    }
  }
}

void BvHiddenScene::ShowTooltip(const char* name) {
  BvLevelManager* levels = GetLevelManager();
  if (!m_Tooltip || !m_TooltipText || !levels) return;
  if (!m_TooltipShown) {
    m_TooltipShown = true;
    for (BvLevelElement* element : {m_Tooltip, m_TooltipText}) {
      element->SetVisible(true);
      element->SetColor(kTooltipColour);
      element->AddBehavior(new BvFadeInBehavior(kTooltipFadeSpeed, 0.0f));
    }
  }
  m_TooltipText->SetText(GetText(name));
  m_TooltipText->SetPosition(kTooltipTextPosition);
  // The tooltip stays inside the window and off the names it would hide.
  BvTipBox names;
  BvLevelElement* panel = FindInLevel(levels, kPanel);
  const BvTipBox* avoid = panel && SpriteWidth(*panel) > 0.0f ? &(names = PictureBox(*panel)) : nullptr;
  BvTipBox extent = PictureBox(*m_Tooltip).Moved(-m_Tooltip->GetPosition());
  const float textHalfWidth = float(m_TooltipText->GetTextWidth()) / 2.0f;
  extent.left = std::fmin(extent.left, kTooltipTextPosition.X - textHalfWidth);
  extent.right = std::fmax(extent.right, kTooltipTextPosition.X + textHalfWidth);
  m_Tooltip->SetPosition(
      PlaceTip(levels->GetMouseWorldPosition(0) + kTooltipOffset, extent, WindowBox(), avoid));
}

void BvHiddenScene::HideTooltip() {
  if (!m_TooltipShown) return;
  m_TooltipShown = false;
  for (BvLevelElement* element : {m_Tooltip, m_TooltipText})
    element->AddBehavior(new BvFadeOutBehavior(kTooltipFadeSpeed, 0.0f, false, false));
}

void BvHiddenScene::UpdateLevelComplete(float ms) {
  if (m_EndShow.Update(ms, GetLevelManager())) m_State = kStateOpenRecap;
}

void BvHiddenScene::OnEvent(int code) {
  if (HandlePlayScreenEvent(*this, code, kStateLeaving, m_Stats)) return;
  if (code == kGuiResultHiddenRecap) {
    m_Result = kResultContinue;
    m_State = kStateLeaving;
  }
}
