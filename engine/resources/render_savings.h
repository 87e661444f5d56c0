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

}  // namespace bv
