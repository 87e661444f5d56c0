#pragma once
// The scene flow: which scene follows a finished one, from the scene, its
// result and the current profile's world and level.
struct BvProfile;

struct BvSceneFlowStep {
  enum Action {
    kStay,      // nothing: the finished scene stays current
    kQuit,      // end the program
    kSetScene,  // switch to scene
  };
  Action action = kStay;
  int scene = 0;
  // The last world's story ended: submit the scores and complete the
  // profile's game before switching.
  bool completeGame = false;
};

// profile may be null (no current profile: world 0, level 0).
BvSceneFlowStep NextSceneAfter(int finishedScene, int result, const BvProfile* profile);
