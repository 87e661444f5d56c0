#pragma once
// Scene 1: the maker's logo on white with the "intro" jingle; uncovers from
// white, holds, and covers to black from 5 seconds on.
#include "game/scenes/scene.h"

class BvSplashScene : public BvScene {
 public:
  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
};
