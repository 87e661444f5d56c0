#include "game/scenes/scene_table.h"

#include "game/core/scene_numbers.h"
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
