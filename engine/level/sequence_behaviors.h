#pragma once
// Behaviours that order the list: a wait, and a one-shot sound.
#include <string>

#include "engine/level/behavior.h"

// Type 15: finished once more than duration ms have elapsed. While it is in
// the list, the behaviours after it do not run, and it only counts once it
// is first in the list.
class BvWaitBehavior : public BvBehavior {
 public:
  explicit BvWaitBehavior(float duration);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorWait; }

 private:
  float m_Duration;
};

// Type 16: plays a sound effect once (only with the sound switch on) and is
// finished.
class BvSoundBehavior : public BvBehavior {
 public:
  explicit BvSoundBehavior(const char* soundName);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorSound; }

 private:
  std::string m_SoundName;
};
