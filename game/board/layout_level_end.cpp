// The end of a level: the win test, the level-complete show, the
// no-more-moves show with its shuffle, and the time gauge.
#include "engine/level/fade_behaviors.h"
#include "engine/level/level_element.h"
#include "engine/level/sequence_behaviors.h"
#include "engine/level/zoom_behaviors.h"
#include "engine/platform/random_source.h"
#include "engine/resources/sprite.h"
#include "engine/sound/sound_functions.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_host.h"
#include "game/board/board_placement.h"
#include "game/board/layout.h"
#include "game/board/level_complete_banner.h"
#include "game/board/monster_manager.h"
#include "game/core/level_stats.h"
#include "game/core/profile.h"

namespace {
// Level complete: the banner after 500 ms, the screen told after 7500 ms.
constexpr float kBannerAtMs = 500.0f;
constexpr float kLevelCompleteMs = 7500.0f;
constexpr float kVanishDelayPerUnit = 30.0f;
constexpr float kFrameFadeSpeed = 20.0f;
constexpr float kMusicDuringBanner = 1.0f / 3.0f;
// The screen's state once the show has ended (it opens the recap).
constexpr int kSceneStateLevelWon = 1;
// No more moves: shuffle between 2000 and 2500 ms, end after 2500 ms.
constexpr float kShuffleFromMs = 2000.0f;
constexpr float kNoMoreMovesMs = 2500.0f;
constexpr float kPieceFadeDelayPerUnit = 10.0f;
constexpr float kShowFadeSpeed = 10.0f;
constexpr float kNoMoreMovesScale = 5.0f;
constexpr int kZoomSmooth = 0;
constexpr float kNoMoreMovesZoomSpeed = 20.0f;
constexpr float kNoMoreMovesOutZoom = 10.0f;
constexpr float kNoMoreMovesOutZoomSpeed = 30.0f;
// The time gauge: warning from 80 % of the limit; the bar's sprite is
// 90 x 420 pixels.
constexpr float kWarningShare = 0.8f;
constexpr float kGaugeWidth = 90.0f;
constexpr float kGaugeHeight = 420.0f;
constexpr int kGuiModeFrozen = 1;
const irr::core::vector2df kScreenCentre(0.0f, 0.0f);

}  // namespace

void BvLayout::CheckLevelWon() {
  if (m_Won) return;
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      const int kind = m_Cells[c][r].background;
      if (kind == kBackFill || kind == kBackBlocker) return;
    }
  }
  StopEffect("warning");
  m_Won = true;
  if (m_Host) {
    if (BvLevelStats* stats = m_Host->GetLevelStats()) stats->StopClock(bv::WallClockSeconds());
  }
  if (BvProfile* profile = GetProfile()) profile->NextLevel();
}

void BvLayout::UpdateLevelComplete(float ms) {
  LevelCompleteShow& show = m_LevelCompleteShow;
  show.timer += ms;
  if (show.step == 0) StartLevelComplete();
  if (show.timer > kLevelCompleteMs && show.step == 2) {
    EndLevelComplete();
  } else if (show.timer > kBannerAtMs && show.step == 1) {
    ShowLevelCompleteBanner();
  }
}

void BvLayout::StartLevelComplete() {
  m_LevelCompleteShow.step = 1;
  for (int r = kBoardRows - 1; r >= 0; --r) {
    for (int c = kBoardColumns - 1; c >= 0; --c)
      m_Cells[c][r].VanishAll(RadialDistance(c, r) * kVanishDelayPerUnit);
  }
  for (BvLevelElement* piece : m_FrameSprites) {
    if (piece) piece->AddBehavior(new BvFadeOutBehavior(kFrameFadeSpeed, 0.0f, true, false));
  }
  // The faded frame goes with the level; the board stops pointing at it.
  m_FrameSprites.clear();
  m_Monsters->KillAll();
  m_Hint.Reset();
  HideSelection();
}

void BvLayout::ShowLevelCompleteBanner() {
  LevelCompleteShow& show = m_LevelCompleteShow;
  show.step = 2;
  show.savedVolume = GetCurrentMusicVolume();
  PlayBoardSound("endgame");
  SetCurrentMusicVolume(show.savedVolume * kMusicDuringBanner);
  CreateLevelCompleteBanner(GetLevelManager(), kLayerEffects);
}

void BvLayout::EndLevelComplete() {
  LevelCompleteShow& show = m_LevelCompleteShow;
  SetCurrentMusicVolume(show.savedVolume);
  if (m_Host) m_Host->SetSceneState(kSceneStateLevelWon);
  show = LevelCompleteShow{};
}

void BvLayout::UpdateNoMoreMoves(float ms) {
  NoMoreMovesShow& show = m_NoMoreMovesShow;
  m_NoMoreMovesBusy = true;
  const int t = int(show.timer);
  show.timer += ms;
  if (t == 0) {
    if (!show.started) StartNoMoreMoves();
    return;
  }
  // A long frame may jump over the shuffle window: the shuffle is never
  // skipped, or the board would stay without a move.
  if (t > kShuffleFromMs && !show.shuffled) ShuffleForNoMoreMoves();
  if (t > kNoMoreMovesMs) EndNoMoreMoves();
}

void BvLayout::StartNoMoreMoves() {
  NoMoreMovesShow& show = m_NoMoreMovesShow;
  show.started = true;
  show.shuffled = false;
  if (m_Hint.HasSprites()) m_Hint.Reset();
  PlayBoardSound("nomoremoves");
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      if (m_Cells[c][r].present == 1)
        m_Cells[c][r].FadeOutPiece(RadialDistance(c, r) * kPieceFadeDelayPerUnit);
    }
  }
  show.element = CreateImageElement(GetLevelManager(), kScreenCentre, "nomoremoves", -1.0f);
  if (!show.element) return;
  show.element->SetLayer(kLayerEffects);
  show.element->SetScale(kNoMoreMovesScale, kNoMoreMovesScale);
  show.element->AddBehavior(new BvFadeInBehavior(kShowFadeSpeed, 0.0f));
  show.element->AddBehavior(new BvZoomToBehavior(1.0f, kNoMoreMovesZoomSpeed, kZoomSmooth));
}

void BvLayout::ShuffleForNoMoreMoves() {
  NoMoreMovesShow& show = m_NoMoreMovesShow;
  show.shuffled = true;
  Shuffle();
  for (int r = 0; r < kBoardRows; ++r) {
    for (int c = 0; c < kBoardColumns; ++c) {
      if (m_Cells[c][r].present == 1)
        m_Cells[c][r].FadeInPiece(RadialDistance(c, r) * kPieceFadeDelayPerUnit);
    }
  }
  if (show.element) {
    show.element->AddBehavior(new BvFadeOutBehavior(kShowFadeSpeed, 0.0f, true, false));
    show.element->AddBehavior(new BvZoomToBehavior(kNoMoreMovesOutZoom, kNoMoreMovesOutZoomSpeed, kZoomSmooth));
    // It removes itself at the end of its fade.
    show.element = nullptr;
  }
}

void BvLayout::EndNoMoreMoves() {
  m_NoMoreMoves = false;
  m_NoMoreMovesShow = NoMoreMovesShow{};
  m_NoMoreMovesBusy = false;
}

void BvLayout::ResetShows() {
  // A level-complete show cut off after its banner leaves the music low.
  if (m_LevelCompleteShow.step == 2) SetCurrentMusicVolume(m_LevelCompleteShow.savedVolume);
  m_LevelCompleteShow = LevelCompleteShow{};
  m_NoMoreMovesShow = NoMoreMovesShow{};
  // The idle wave is not a show: its timer runs on between levels.
}

void BvLayout::SetGaugeVisible(bool visible) {
  if (!m_GaugeFront || !m_GaugeBar || !m_GaugeBack) return;
  m_GaugeFront->SetVisible(visible);
  m_GaugeBar->SetVisible(visible);
  m_GaugeBack->SetVisible(visible);
}

void BvLayout::UpdateTimeGauge(float ms) {
  BvProfile* profile = GetProfile();
  const bool timeMode = profile && profile->timeMode != 0;
  SetGaugeVisible(timeMode);
  BvLevelStats* stats = m_Host ? m_Host->GetLevelStats() : nullptr;
  if (!timeMode) {
    m_PlayTimeTotal += ms;
    if (stats) {
      const float left = m_TimeLimit - m_PlayTimeTotal;
      stats->gaugeLeft = left < 0.0f ? 0.0f : left;
    }
    return;
  }
  m_TimeUsed += ms;
  if (m_TimeUsed >= kWarningShare * m_TimeLimit && !m_WarningPlayed) {
    m_WarningPlayed = true;
    PlayEffect("warning", true, kBoardSoundVolume);
  }
  if (m_TimeUsed >= m_TimeLimit) {
    StopEffect("warning");
    if (m_Host) m_Host->ShowGui(kGuiTimeUp, kGuiModeFrozen, 0);
    return;
  }
  const float remaining = m_TimeLimit - m_TimeUsed;
  if (stats) stats->gaugeLeft = remaining;
  const float v = kGaugeHeight - remaining * kGaugeHeight / m_TimeLimit;
  if (!m_GaugeBar) return;
  if (BvSprite* sprite = m_GaugeBar->GetCurrentSprite())
    sprite->SetSourceRect(0, int(v), int(kGaugeWidth), int(kGaugeHeight));
  m_GaugeBar->SetPosition(0.0f, -v / 2);
}
