#include "game/scenes/scene_table.h"

#include "game/board/layout.h"
#include "game/core/scene_numbers.h"
#include "game/gui/trophies_gui.h"
#include "game/gui/tutorial_gui.h"
#include "game/scenes/hidden_scene.h"
#include "game/gui/achieve_gui.h"
#include "game/gui/pause_gui.h"
#include "game/gui/quit_gui.h"
#include "game/gui/recap_hidden_gui.h"
#include "game/gui/recap_swap_gui.h"
#include "game/gui/time_up_gui.h"
#include "game/gui/new_player_gui.h"
#include "game/gui/options_gui.h"
#include "game/gui/players_gui.h"
#include "game/scenes/intro_scene.h"
#include "game/scenes/map_scene.h"
#include "game/scenes/story_scene.h"
#include "game/scenes/splash_distri_scene.h"
#include "game/scenes/splash_scene.h"
#include "game/scenes/swap_scene.h"

BvScene* CreateScene(int n, BvLayout* board) {
  switch (n) {
    case kSceneFirstBoard:
      return new BvSwapScene(board);
    case kSceneFirstBoard + 1:
      return new BvSwapScene2(board);
    case kSceneFirstBoard + 2:
      return new BvSwapScene3(board);
    case kSceneFirstBoard + 3:
      return new BvSwapScene4(board);
    case kSceneFirstBoard + 4:
      return new BvSwapScene5(board);
    case kSceneFirstBoard + 5:
      return new BvSwapScene6(board);
    // The hidden-object screens do not follow world order: worlds 3, 4
    // and 5 play the first, third and second picture.
    case kSceneFirstHidden:
    case kSceneFirstHidden + 3:
      return new BvHiddenScene();
    case kSceneFirstHidden + 1:
    case kSceneFirstHidden + 5:
      return new BvHiddenScene2();
    case kSceneFirstHidden + 2:
    case kSceneFirstHidden + 4:
      return new BvHiddenScene3();
    case kSceneSplash:
      return new BvSplashScene();
    case kSceneIntro:
      return new BvIntroScene();
    case kSceneStory:
      return new BvStoryScene();
    case kSceneMap:
      return new BvMapScene();
    case kSceneSplashDistri:
      return new BvSplashDistriScene();
    default:
      return nullptr;
  }
}

BvScene* CreateGui(int n) {
  switch (n) {
    case kGuiTutorial:
      return new BvTutorialGui();
    case kGuiTrophies:
      return new BvTrophiesGui();
    case kGuiPause:
      return new BvPauseGui();
    case kGuiQuit:
      return new BvQuitGui();
    case kGuiRecapSwap:
      return new BvRecapSwapGui();
    case kGuiRecapHidden:
      return new BvRecapHiddenGui();
    case kGuiAchievementNotice:
      return new BvAchieveGui();
    case kGuiTimeUp:
      return new BvTimeUpGui();
    case kGuiOptions:
      return new BvOptionsGui();
    case kGuiNewPlayer:
      return new BvNewPlayerGui();
    case kGuiPlayers:
      return new BvPlayersGui();
    default:
      return nullptr;
  }
}
