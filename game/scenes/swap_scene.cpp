#include "game/scenes/swap_scene.h"

#include "engine/level/camera.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/platform/random_source.h"
#include "engine/resources/image.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/text_format.h"
#include "engine/shell/globals.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/layout.h"
#include "game/core/game.h"
#include "game/core/layout_bank.h"
#include "game/core/player_store.h"
#include "game/gui/create_text.h"
#include "game/scenes/font_alias.h"
#include "game/gui/gui_results.h"
#include "game/scenes/play_screen_events.h"

namespace {
constexpr const char* kFile = "swap1.xml";
// The board starts one second into the visit, with this sound.
constexpr float kSetupMs = 1000.0f;
constexpr const char* kSetupSound = "layout";
// -1: the sound's own volume.
constexpr float kOwnVolume = -1.0f;
constexpr const char* kAlarm = "warning";
constexpr const char* kMusicEven = "musicswap";
constexpr const char* kMusicOdd = "musicswap2";
constexpr float kFadeSpeed = 200.0f;
const irr::video::SColor kClearBlack(0xFF000000);
const irr::video::SColor kFromBlack(0x00000000);

// The score bar, the spell panel and the menu button.
constexpr const char* kScoreBar = "scoregui";
constexpr const char* kSpellPanel = "sortgui";
constexpr const char* kMenuButton = "btnmenu";
const irr::core::vector2df kScoreBarHome(0.0f, 253.0f);
const irr::core::vector2df kSpellPanelHome(246.0f, -270.0f);
constexpr float kSlideSpeed = 10.0f;
const irr::core::vector2df kScorePosition(-185.0f, 14.0f);
const irr::core::vector2df kLevelPosition(20.0f, 14.0f);
const irr::core::vector2df kMenuLabelPosition(0.0f, 0.0f);
constexpr int kTextAlign = 1;  // left-aligned
constexpr int kTextLayer = 7;

// The screen's own font: a text element made from the scene's font image.
constexpr const char* kFontImage = "galaxy-font16";
constexpr const char* kFontAlias = "galaxy16";

BvLevelElement* FindInLevel(BvLevelManager* levels, const char* name) {
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  return level ? static_cast<BvLevelElement*>(level->FindObjectByName(name)) : nullptr;
}

BvLevelElement* MakeLabel(BvLevelManager* levels, const irr::core::vector2df& position,
                          const wchar_t* text, BvLevelElement* parent) {
  BvLevelElement* label = CreateText(levels, position, text, kFontAlias);
  if (!label) return nullptr;
  label->SetParent(parent);
  label->SetLayer(kTextLayer);
  return label;
}
}  // namespace

BvSwapScene::BvSwapScene(BvLayout* board) : BvSwapScene(board, kFile) {}

BvSwapScene::BvSwapScene(BvLayout* board, const char* file) : m_File(file), m_Board(board) {
  m_Stats.Reset(bv::WallClockSeconds());
}

bool BvSwapScene::Load() { return LoadSceneFile(m_File); }

void BvSwapScene::Init(intptr_t) {
  // The previous visit's level is gone with everything made on it.
  if (m_Board) m_Board->ForgetElements();
  m_ScoreText = nullptr;
  m_LevelText = nullptr;
  BvGame* game = GetGame();
  if (game) {
    game->SetClearColour(kClearBlack);
    game->StartFade(kFromBlack, kFadeSpeed);
  }
  BvLevelManager* levels = GetLevelManager();
  if (levels) levels->GetCamera()->Reset();
  CreateFontAlias();
  CreateScoreBar();
  if (BvLevelElement* panel = FindInLevel(levels, kSpellPanel))
    panel->AddBehavior(new BvMoveToBehavior(kSpellPanelHome, kSlideSpeed));
  if (BvLevelElement* menu = FindInLevel(levels, kMenuButton))
    MakeLabel(levels, kMenuLabelPosition, GetText("menu"), menu);
  m_State = kStatePlaying;
  // Music alternates from level to level and runs on when a level is
  // replayed.
  StartMusic(LayoutNumber() % 2 == 0 ? kMusicEven : kMusicOdd);
}

void BvSwapScene::CreateFontAlias() {
  bv::AddFontAlias(GetLevelManager(), GetLevelManager(), kFontImage, kFontAlias);
}

void BvSwapScene::CreateScoreBar() {
  BvLevelManager* levels = GetLevelManager();
  BvLevelElement* bar = FindInLevel(levels, kScoreBar);
  if (!bar) return;
  bar->AddBehavior(new BvMoveToBehavior(kScoreBarHome, kSlideSpeed));
  m_ScoreText = MakeLabel(levels, kScorePosition, L"", bar);
  m_LevelText = MakeLabel(levels, kLevelPosition, L"", bar);
  if (m_ScoreText) m_ScoreText->SetTextAlign(kTextAlign);
  if (m_LevelText) {
    m_LevelText->SetTextAlign(kTextAlign);
    const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
    const int world = profile ? profile->world : 0;
    const int level = profile ? profile->level : 0;
    m_LevelText->SetText(FormatText(GetText("niv"), {world + 1, level + 1}).c_str());
  }
  AddScore(0);
}

int BvSwapScene::LayoutNumber() const {
  if (g_CmdLayout != -1) return g_CmdLayout;
  const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  return profile ? profile->GetLayoutIndex() : 0;
}

void BvSwapScene::Update(float ms) {
  BvScene::Update(ms);
  HandleButtons();
  BvGame* game = GetGame();
  if (game) game->FadeFromColour(ms);
  switch (m_State) {
    case kStatePlaying:
      if (HasPassed(kSetupMs)) {
        // Straight through the manager: the sound switch does not apply.
        if (g_SoundManager) g_SoundManager->PlaySound(kSetupSound, false, kOwnVolume);
        SetupLevel();
      }
      if (m_Elapsed > kSetupMs && m_Board) m_Board->Update(ms);
      break;
    case kStateWon:
      // The recap must open even over a notice (mode 3).
      if (game) {
        game->SetGuiMode(kGuiModeNone);
        game->ShowGui(kGuiRecapSwap, kGuiModeRunning, reinterpret_cast<intptr_t>(this));
      }
      m_State = kStateRecap;
      break;
    case kStateRecap:
      break;
    case kStateLeaving:
      StopEffect(kAlarm);
      if (!game || !game->FadeToColour(ms)) RequestClose();
      break;
  }
}

void BvSwapScene::SetupLevel() {
  BvGame* game = GetGame();
  BvLayoutBank* bank = game ? game->GetLayoutBank() : nullptr;
  const int n = LayoutNumber();
  if (!m_Board || !bank || !BvLayoutBank::IsValidLayout(n)) return;
  m_Board->Setup(&bank->GetCell(n, 0, 0));
}

void BvSwapScene::HandleButtons() {
  BvGame* game = GetGame();
  if (!game) return;
  const int mode = game->GetGuiMode();
  if (mode == kGuiModeFrozen || mode == kGuiModeRunning) return;
  if (IsButtonClicked(kMenuButton, true)) {
    game->ShowGui(kGuiPause, kGuiModeFrozen, 0);
  } else if (IsButtonClicked(kSpellPanel, false)) {
    if (m_Board) m_Board->OnSpellPanelClick();
  }
  if (game->IsRightButtonDown() && m_Board) m_Board->ClearSelection();
}

void BvSwapScene::OnEvent(int code) {
  if (HandlePlayScreenEvent(*this, code, kStateLeaving, m_Stats)) return;
  if (code == kGuiResultBoardRecap || code == kGuiResultTimeUp) {
    m_Result = code == kGuiResultBoardRecap ? kResultContinue : kResultReplay;
    m_State = kStateLeaving;
  }
}

void BvSwapScene::AddScore(int points) {
  BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  if (profile) profile->score += points;
  if (!m_ScoreText) return;
  const int score = profile ? profile->score : 0;
  m_ScoreText->SetText(FormatText(GetText("score"), {score}).c_str());
}
