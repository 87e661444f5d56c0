#pragma once
// The options' volume sliders: a knob travels from x -80 (silent) to x 80
// (full volume) along its bar.
namespace bv {

constexpr float kSliderHalfTravel = 80.0f;

// The knob's x for a stored volume 0..100 (integer arithmetic, truncated
// toward zero): 33 gives -28.
int SliderXForVolume(int volume);
// The knob's x clamped to its travel.
float ClampSliderX(float x);
// The volume 0..100 a knob at x stands for: 0 at the left end, 50 in the
// middle, 100 at the right end.
float VolumeForSliderX(float x);

}  // namespace bv
