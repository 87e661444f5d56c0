#pragma once
// Scene 17: the distributor's page; uncovers from black over a white clear
// colour and covers to black again from 3 seconds on.
#include "game/scenes/scene.h"

class BvSplashDistriScene : public BvScene {
 public:
  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
};
