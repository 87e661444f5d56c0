#pragma once
// The seam between the sound manager and an audio library. The manager's
// rules live above it; a backend only opens and drives sounds. A manager
// without a backend has no device and does nothing.
#include <memory>
#include <string>

namespace bv {

// A playable stream: music (streamed from its file) or one preloaded copy.
// Rules every backend keeps: Play on a stream that is playing does nothing;
// Stop pauses and keeps the position (the next Play resumes there); a stream
// rewinds only when it has played to its end.
class SoundStream {
 public:
  virtual ~SoundStream() = default;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual void SetRepeat(bool repeat) = 0;
  // 0 (silent) to 1 (full); values outside are clamped.
  virtual void SetVolume(float volume) = 0;
  virtual bool IsPlaying() const = 0;
};

// A sound effect: Play starts it from the beginning. A single effect has one
// voice (a replay restarts it); a multiple one lets plays overlap.
class SoundEffect {
 public:
  virtual ~SoundEffect() = default;
  virtual void Play() = 0;
  // Stops every voice.
  virtual void Stop() = 0;
  // 0 to 1, clamped; applies to every voice.
  virtual void SetVolume(float volume) = 0;
};

class SoundBackend {
 public:
  virtual ~SoundBackend() = default;
  // A stream on the file (a path such as "data/sounds/match.ogg", opened from
  // the folder): read as it plays when streamed, else decoded into memory.
  // Null when the file cannot be opened or decoded.
  virtual std::unique_ptr<SoundStream> OpenStream(const std::string& path, bool streamed) = 0;
  // An effect on the file; null on failure.
  virtual std::unique_ptr<SoundEffect> OpenEffect(const std::string& path, bool multiple) = 0;
};

}  // namespace bv
