#include "game/scenes/play_screen_events.h"

#include "engine/platform/random_source.h"
#include "game/core/game.h"
#include "game/core/level_stats.h"
#include "game/gui/gui_results.h"
#include "game/scenes/scene.h"

bool HandlePlayScreenEvent(BvScene& scene, int code, int leavingState, BvLevelStats& stats) {
  switch (code) {
    case kGuiResultQuit:
    case kGuiResultMainMenu:
      scene.SetResult(code == kGuiResultQuit ? kResultQuit : kResultTitle);
      scene.SetState(leavingState);
      return true;
    case kGuiResultOptions:
      if (BvGame* game = scene.GetGame()) game->ShowGui(kGuiOptions, kGuiModeFrozen, 0);
      return true;
    case kEventGuiOpened:
      stats.StopClock(bv::WallClockSeconds());
      return true;
    case kEventGuiClosed:
      stats.StartClock(bv::WallClockSeconds());
      return true;
    default:
      return false;
  }
}
