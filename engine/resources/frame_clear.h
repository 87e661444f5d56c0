#pragma once
// The colour clear of the frame being drawn. With the drawing savings on and
// no depth to clear, a frame begins without clearing: the clear is owed until
// drawing first reaches the target, where it is made, unless what comes
// first covers every pixel (the layer cache's picture) and makes it unneeded.
// Only this object makes or drops the owed clear.
#include <irrlicht.h>

namespace bv {

class FrameClear {
 public:
  // Begins the frame's scene on driver: cleared now, or the colour clear
  // owed when the savings are on and scene holds no 3D node (2D drawing
  // never tests depth). False when the scene did not begin.
  bool BeginScene(irr::video::IVideoDriver* driver, irr::scene::ISceneManager* scene,
                  irr::video::SColor clear);
  // Whether the next drawing may cover the whole frame instead of the owed
  // clear: the clear is owed and nothing was drawn or queued since the
  // frame began. Gives the colour of the clear.
  bool Coverable(irr::video::SColor* clear) const;
  // Something was queued that will draw on the frame.
  void Touched() { m_Untouched = false; }
  // Drawing is about to reach driver's target: the owed clear comes first.
  void BeforeDrawing(irr::video::IVideoDriver* driver);
  // What is drawn next overwrites every pixel: the owed clear is dropped.
  void Covered();

 private:
  bool m_Owed = false;
  bool m_Untouched = false;
  irr::video::SColor m_Clear;
};

// The one frame clear of the program's frames.
FrameClear& TheFrameClear();

// Whether a frame must clear the depth buffer: only 3D scene nodes test
// depth, so with the savings on it is cleared only while scene holds one.
bool FrameNeedsDepthClear(irr::scene::ISceneManager* scene);

}  // namespace bv
