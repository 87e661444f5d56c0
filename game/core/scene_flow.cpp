#include "game/core/scene_flow.h"

#include <algorithm>

#include "game/core/profile.h"
#include "game/core/scene_numbers.h"

namespace {
BvSceneFlowStep Switch(int scene) {
  BvSceneFlowStep step;
  step.action = BvSceneFlowStep::kSetScene;
  step.scene = scene;
  return step;
}
}  // namespace

BvSceneFlowStep NextSceneAfter(int finished, int result, const BvProfile* profile) {
  if (result == kResultTitle) return Switch(kSceneIntro);
  if (result == kResultQuit) {
    BvSceneFlowStep step;
    step.action = BvSceneFlowStep::kQuit;
    return step;
  }
  const int level = profile ? profile->level : 0;
  const int world = profile ? profile->world : 0;
  // Screens exist for worlds 0..5 only; world 6 (the game just finished)
  // must not index the next range of scenes.
  const int screenWorld = std::clamp(world, 0, BvProfile::kWorldCount - 1);
  const int board = kSceneFirstBoard + screenWorld;
  const int hidden = kSceneFirstHidden + screenWorld;
  const bool goOn = result == kResultContinue;

  if (finished == kSceneSplash) return goOn ? Switch(kSceneSplashDistri) : BvSceneFlowStep{};
  if (finished == kSceneSplashDistri) return goOn ? Switch(kSceneIntro) : BvSceneFlowStep{};
  if (finished == kSceneIntro) {
    if (!goOn) return {};
    return Switch(level == 0 ? kSceneStory : kSceneMap);
  }
  if (finished == kSceneStory) {
    if (!goOn) return {};
    if (world >= BvProfile::kWorldCount) {
      BvSceneFlowStep step = Switch(kSceneIntro);
      step.completeGame = true;
      return step;
    }
    return Switch(kSceneMap);
  }
  if (finished >= kSceneFirstBoard && finished < kSceneFirstHidden) {
    if (!goOn) return Switch(board);
    return Switch(level == 0 ? kSceneStory : kSceneMap);
  }
  if (finished >= kSceneFirstHidden && finished < kSceneMap) {
    return goOn ? Switch(kSceneStory) : BvSceneFlowStep{};
  }
  if (finished == kSceneMap) {
    if (!goOn) return {};
    return Switch(level == BvProfile::kHiddenLevel ? hidden : board);
  }
  return {};
}
