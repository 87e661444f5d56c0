#include "game/scenes/scene_table.h"

#include "game/core/scene_numbers.h"
#include "game/scenes/splash_distri_scene.h"
#include "game/scenes/splash_scene.h"

BvScene* CreateScene(int n) {
  switch (n) {
    case kSceneSplash:
      return new BvSplashScene();
    case kSceneSplashDistri:
      return new BvSplashDistriScene();
    default:
      return nullptr;
  }
}

BvScene* CreateGui(int) { return nullptr; }
