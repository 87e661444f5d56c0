#include "game/scenes/intro_scene.h"

#include <algorithm>

#include "engine/level/camera.h"
#include "engine/level/fade_behaviors.h"
#include "engine/level/input_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/physics_values.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/sprite.h"
#include "engine/resources/text_format.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_placement.h"
#include "game/core/game.h"
#include "game/scenes/element_templates.h"
#include "game/core/player_store.h"
#include "game/gui/create_text.h"
#include "game/gui/gui_results.h"
#include "game/scenes/font_alias.h"

namespace {
constexpr const char* kFile = "intro.xml";
constexpr const char* kMusic = "musicintro";
constexpr const char* kStartSound = "guistartplay";
constexpr const char* kClickSound = "guiclick";
constexpr const char* kHoverSound = "guimouseover";
constexpr float kClickVolume = 0.5f;
constexpr float kOwnVolume = -1.0f;
constexpr float kNoStartDelay = -1.0f;

// The glide: the camera waits a second above the picture, then slides down,
// slowing from y 155, and stops at 0.
const irr::core::vector2df kCameraStart(0.0f, 320.0f);
constexpr float kParallax = 0.3f;
constexpr float kGlideStartMs = 1000.0f;
constexpr float kStartAcceleration = 1.0f;
constexpr float kStartSpeed = 10.0f;
constexpr float kBrakeY = 155.0f;
// While leaving, the camera zooms and turns.
constexpr float kZoomMsPerUnit = 500.0f;
constexpr float kTurnMsPerRadian = 1500.0f;

// The buttons' fade-ins follow one another.
constexpr float kButtonFadeSpeed = 2.0f;
constexpr float kTitleFadeSpeed = 1.0f;
constexpr float kTitleDelayMs = 3600.0f;
constexpr float kLeaveFadeSpeed = 10.0f;
constexpr float kButtonScale = 1.01f;
constexpr float kExpertScale = 1.1f;
constexpr float kGrowFactor = 1.3f;
constexpr float kGrowSpeed = 20.0f;
constexpr float kOwnAnimSpeed = -1.0f;

struct ButtonSpec {
  const char* name;
  const char* hover;
  float y;
  float delayMs;
};
constexpr ButtonSpec kPlaySpec{"play1", "play2", 70.0f, 5400.0f};
constexpr ButtonSpec kTrophiesSpec{"trophies1", "trophies2", 0.0f, 5700.0f};
constexpr ButtonSpec kOptionsSpec{"options1", "options2", -70.0f, 6000.0f};
constexpr ButtonSpec kExitSpec{"exit1", "exit2", -140.0f, 6300.0f};

// The welcome line and the change-player bar.
constexpr const char* kWelcomeFontImage = "mael-font18";
constexpr const char* kWelcomeFont = "mael18";
constexpr const char* kBar = "item";
constexpr const char* kBarOver = "itemsel";
const irr::core::vector2df kWelcomePosition(0.0f, -242.0f);
const irr::core::vector2df kChangePosition(0.0f, -273.0f);
const irr::core::vector2df kBarPosition(0.0f, -270.0f);
const irr::video::SColor kWelcomeColour(0xFFFFFF64);
const irr::video::SColor kBarColour(0xFFC8C832);
constexpr int kWelcomeLayer = 6;
constexpr float kBarMargin = 110.0f;
// The welcome text keeps at most this many characters.
constexpr size_t kWelcomeMax = 79;

// Shared by every visit, as the glide's motion is.
float s_Acceleration = kStartAcceleration;
float s_Speed = kStartSpeed;

BvLevelElement* MakeButton(BvLevelManager* levels, const ButtonSpec& spec) {
  if (!bv::HasTemplate(levels, spec.name)) return nullptr;
  BvLevelElement* button =
      CreateLevelElement(levels, irr::core::vector2df(0.0f, spec.y), spec.name, kNoStartDelay);
  if (!button) return nullptr;
  button->SetLayer(BvIntroScene::kMenuLayer);
  button->SetScale(kButtonScale, kButtonScale);
  button->AddBehavior(new BvFadeInBehavior(kButtonFadeSpeed, spec.delayMs));
  button->AddBehavior(new BvMouseOverElementBehavior(spec.hover, kOwnAnimSpeed, nullptr));
  button->AddBehavior(new BvMouseOverGrowBehavior(kGrowFactor, kGrowSpeed, kHoverSound));
  return button;
}

float SpriteWidth(const BvLevelElement& element) {
  const BvSprite* sprite = element.GetCurrentSprite();
  return sprite ? float(sprite->GetSourceRect().getWidth()) : 0.0f;
}
}  // namespace

bool BvIntroScene::Load() { return LoadSceneFile(kFile); }

void BvIntroScene::Init(intptr_t) {
  m_ChangePlayer = nullptr;
  m_Welcome = nullptr;
  OpenFromBlack();
  BvGame* game = GetGame();
  BvLevelManager* levels = GetLevelManager();
  if (levels) {
    BvCamera* camera = levels->GetCamera();
    camera->Reset();
    camera->SetPosition(kCameraStart);
    camera->SetParallax(kParallax);
  }
  CreateMenu();
  bv::AddFontAlias(levels, levels, kWelcomeFontImage, kWelcomeFont);
  if (game && game->GetCurrentProfile()) CreateWelcome();
  m_State = kStateOpening;
  StopMusic();
  PlayMusic(kMusic, 0.1f);
}

void BvIntroScene::CreateMenu() {
  BvLevelManager* levels = GetLevelManager();
  m_Title = bv::HasTemplate(levels, "titrejeu")
                ? CreateLevelElement(levels, irr::core::vector2df(0.0f, 200.0f), "titrejeu",
                                     kNoStartDelay)
                : nullptr;
  if (m_Title) {
    m_Title->SetDynType(bv::kNoBody);
    m_Title->SetLayer(kMenuLayer);
    m_Title->AddBehavior(new BvNoTransformBehavior());
    m_Title->AddBehavior(new BvFadeInBehavior(kTitleFadeSpeed, kTitleDelayMs));
    BvGame* game = GetGame();
    if (game && game->IsExpertMode() && bv::HasTemplate(levels, "expertmode")) {
      BvLevelElement* badge = CreateImageElement(levels, irr::core::vector2df(100.0f, 130.0f),
                                                 "expertmode", kNoStartDelay);
      if (badge) {
        badge->SetLayer(kMenuLayer);
        badge->SetScale(kExpertScale, kExpertScale);
        badge->AddBehavior(new BvFadeInBehavior(kTitleFadeSpeed, kTitleDelayMs));
        badge->AddBehavior(new BvNoTransformBehavior());
      }
    }
  }
  m_Play = MakeButton(levels, kPlaySpec);
  m_Trophies = MakeButton(levels, kTrophiesSpec);
  m_Options = MakeButton(levels, kOptionsSpec);
  m_Exit = MakeButton(levels, kExitSpec);
}

void BvIntroScene::WriteWelcome() {
  BvGame* game = GetGame();
  const BvProfile* profile = game ? game->GetCurrentProfile() : nullptr;
  if (!m_Welcome || !profile) return;
  m_Welcome->SetText(FormatText(GetText("welcomeplayer"), {profile->name}, kWelcomeMax).c_str());
}

void BvIntroScene::CreateWelcome() {
  BvLevelManager* levels = GetLevelManager();
  m_Welcome = CreateText(levels, kWelcomePosition, L"", kWelcomeFont);
  if (m_Welcome) {
    m_Welcome->SetTextAlign(0);
    m_Welcome->SetLayer(kWelcomeLayer);
    m_Welcome->SetColor(kWelcomeColour);
    WriteWelcome();
  }
  BvLevelElement* change = CreateText(levels, kChangePosition, GetText("changeplayer"), kWelcomeFont);
  if (change) {
    change->SetTextAlign(0);
    change->SetLayer(kMenuLayer);
    change->SetColor(kWelcomeColour);
  }
  if (!bv::HasTemplate(levels, kBar)) return;
  m_ChangePlayer = CreateLevelElement(levels, kBarPosition, kBar, kNoStartDelay);
  if (!m_ChangePlayer) return;
  m_ChangePlayer->SetLayer(kMenuLayer);
  // A bar without a sprite keeps its own width rather than dividing by 0.
  const float spriteWidth = SpriteWidth(*m_ChangePlayer);
  const float textWidth = change ? float(change->GetTextWidth()) : 0.0f;
  if (spriteWidth > 0.0f) m_ChangePlayer->SetScale((textWidth + kBarMargin) / spriteWidth, 1.0f);
  m_ChangePlayer->SetColor(kBarColour);
  m_ChangePlayer->AddBehavior(new BvMouseOverElementBehavior(kBarOver, kOwnAnimSpeed, kHoverSound));
}

void BvIntroScene::Update(float ms) {
  BvScene::Update(ms);
  if (HasPassed(kGlideStartMs)) m_State = kStateGlide;
  BvGame* game = GetGame();
  BvLevelManager* levels = GetLevelManager();
  BvCamera* camera = levels ? levels->GetCamera() : nullptr;
  switch (m_State) {
    case kStateOpening:
      s_Acceleration = kStartAcceleration;
      s_Speed = kStartSpeed;
      if (game) game->FadeFromColour(ms);
      break;
    case kStateGlide: {
      if (game) game->FadeFromColour(ms);
      if (!camera) {
        m_State = kStateLive;
        break;
      }
      s_Speed += s_Acceleration * ms / 100.0f;
      float y = camera->GetLocalPosition().Y - s_Speed * s_Speed / 1000.0f;
      if (y < kBrakeY) s_Acceleration = -1.0f;
      if (y < 0.0f) {
        y = 0.0f;
        m_State = kStateLive;
      }
      camera->SetPosition(0.0f, y);
      break;
    }
    case kStateLive:
      HandleButtons();
      break;
    case kStateLeaving:
      if (CoverStep(ms)) StopMusic();
      if (camera) {
        const irr::core::vector2df scale = camera->GetScale();
        camera->SetScale(scale.X + ms / kZoomMsPerUnit, scale.Y + ms / kZoomMsPerUnit);
        camera->SetRotation(camera->GetLocalRotation() + ms / kTurnMsPerRadian);
      }
      break;
    default:
      break;
  }
}

void BvIntroScene::HandleButtons() {
  BvGame* game = GetGame();
  if (!game) return;
  if (IsDialogOver()) return;
  if (!game->WasLeftClicked()) return;
  PlayEffect(kClickSound, false, kClickVolume);
  BvLevelManager* levels = GetLevelManager();
  if (!levels) return;
  const irr::core::vector2df mouse = levels->GetMouseWorldPosition(kMenuLayer);
  auto hit = [&mouse](const BvLevelElement* element) {
    return element && element->HitTest(mouse);
  };
  if (hit(m_Play)) {
    if (game->GetCurrentProfile()) {
      if (g_SoundManager) g_SoundManager->PlaySound(kStartSound, false, kOwnVolume);
      LeaveMenu();
    } else {
      game->ShowGui(kGuiNewPlayer, kGuiModeRunning, 0);
    }
  } else if (hit(m_Trophies)) {
    game->ShowGui(kGuiTrophies, kGuiModeRunning, 0);
  } else if (hit(m_Options)) {
    game->ShowGui(kGuiOptions, kGuiModeRunning, 0);
  } else if (hit(m_ChangePlayer)) {
    game->ShowGui(kGuiPlayers, kGuiModeRunning, 0);
  } else if (hit(m_Exit)) {
    game->ShowGui(kGuiQuit, kGuiModeRunning, 0);
  }
}

void BvIntroScene::LeaveMenu() {
  for (BvLevelElement* button : {m_Play, m_Trophies, m_Options, m_Exit})
    if (button) button->ClearBehaviors();
  for (BvLevelElement** element : {&m_Play, &m_Trophies, &m_Options, &m_Exit, &m_Title}) {
    if (*element) (*element)->AddBehavior(new BvFadeOutBehavior(kLeaveFadeSpeed, 0.0f, true, false));
    // The level removes them at the fade's end.
    *element = nullptr;
  }
  m_State = kStateLeaving;
}

void BvIntroScene::OnEvent(int code) {
  switch (code) {
    case kGuiResultPlayerCreated:
      if (g_SoundManager) g_SoundManager->PlaySound(kStartSound, false, kOwnVolume);
      LeaveMenu();
      break;
    case kGuiResultPlayerChosen:
      if (m_Welcome) WriteWelcome();
      else CreateWelcome();
      break;
    case kGuiResultQuitConfirmed:
      m_Result = kResultQuit;
      m_State = kStateLeaving;
      break;
    default:
      break;
  }
}
