#pragma once
// The real sound backend: SFML 2.5 audio over OpenAL Soft.
#include <memory>

#include "engine/sound/sound_backend.h"

namespace bv {

// Whether OpenAL can open its default output device (opened and closed at
// once). SFML must not be touched without one: it then floods stderr.
bool ProbeAudioDevice();

// An SFML backend when ProbeAudioDevice succeeds, else null (no device).
std::unique_ptr<SoundBackend> CreateDefaultSoundBackend();

}  // namespace bv
