#include "engine/level/sequence_behaviors.h"

#include "engine/sound/sound_functions.h"

namespace {
// The sound behaviour's effect volume.
constexpr float kSoundBehaviorVolume = 0.5f;
}  // namespace

BvWaitBehavior::BvWaitBehavior(float duration) : m_Duration(duration) {}

void BvWaitBehavior::Apply(float dt) {
  if (m_Elapsed > m_Duration) Finish();
}

BvSoundBehavior::BvSoundBehavior(const char* soundName)
    : m_SoundName(soundName ? soundName : "") {}

void BvSoundBehavior::Apply(float dt) {
  if (!m_SoundName.empty()) PlayEffect(m_SoundName.c_str(), false, kSoundBehaviorVolume);
  Finish();
}
