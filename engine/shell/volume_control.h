#pragma once
// What the shell needs of the sound output: reading and setting the two
// volumes (0..1). The sound manager is reached through this, so the shell's
// logic (start-up volumes, muting on focus loss) can be tested with a fake.
namespace bv {

class VolumeControl {
 public:
  virtual ~VolumeControl() = default;
  virtual float GetEffectsVolume() const = 0;
  virtual float GetMusicVolume() const = 0;
  virtual void SetEffectsVolume(float volume) = 0;
  virtual void SetMusicVolume(float volume) = 0;
};

}  // namespace bv
