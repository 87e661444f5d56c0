#pragma once
// A fade-in to the colour its element has when the fade first runs, from
// that colour at alpha 0, so colours a dialog sets while it is being built
// (after the fade was attached) are the ones it arrives at. An additive
// element ignores alpha and comes up from black instead.
#include "engine/level/fade_behaviors.h"

class BvOwnColourFadeIn : public BvColorFadeBehavior {
 public:
  // speed: the fade lasts 5000 / speed ms.
  explicit BvOwnColourFadeIn(float speed);

  void Update(float dt) override;

 private:
  bool m_Captured = false;
};
