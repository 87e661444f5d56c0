#pragma once
// The drawing savings (opaque art drawn without blending, the depth clear
// left out when no 3D node exists, static layers drawn from a cached
// picture) are on unless QUORVEL_RENDER_SAVINGS=0 is set; every saving
// leaves the pixels as they are, and the switch lets tests prove it.
#include <irrlicht.h>

namespace bv {

// Read from the environment at the first call; SetRenderSavings overrides.
bool RenderSavingsOn();
void SetRenderSavings(bool on);

// Whether a frame must clear the depth buffer: only 3D scene nodes test
// depth (2D drawing never does), so with the savings on it is cleared only
// while the scene manager holds a node.
bool FrameNeedsDepthClear(irr::scene::ISceneManager* scene);

// Begins a frame's scene on driver and starts the frame's drawing state
// (BeginFrameDrawing). With the savings on and no depth to clear, the
// colour clear is left to the frame's first drawing, which a picture
// covering the whole window makes unneeded. False when the scene did not
// begin.
bool BeginFrameScene(irr::video::IVideoDriver* driver, irr::scene::ISceneManager* scene,
                     irr::video::SColor clear);

}  // namespace bv
