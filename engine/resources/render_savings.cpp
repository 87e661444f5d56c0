#include "engine/resources/render_savings.h"

#include <cstdlib>
#include <cstring>

#include "engine/resources/quad_renderer.h"

namespace bv {
namespace {

bool FromEnvironment() {
  const char* text = std::getenv("QUORVEL_RENDER_SAVINGS");
  return !(text && std::strcmp(text, "0") == 0);
}

bool& Savings() {
  static bool on = FromEnvironment();
  return on;
}

}  // namespace

bool RenderSavingsOn() { return Savings(); }

void SetRenderSavings(bool on) { Savings() = on; }

bool FrameNeedsDepthClear(irr::scene::ISceneManager* scene) {
  if (!RenderSavingsOn()) return true;
  return scene && scene->getRootSceneNode() && !scene->getRootSceneNode()->getChildren().empty();
}

bool BeginFrameScene(irr::video::IVideoDriver* driver, irr::scene::ISceneManager* scene,
                     irr::video::SColor clear) {
  if (!driver) return false;
  const bool depthClear = FrameNeedsDepthClear(scene);
  const bool deferClear = RenderSavingsOn() && !depthClear;
  if (!driver->beginScene(!deferClear, depthClear, clear)) return false;
  BeginFrameDrawing(clear, deferClear);
  return true;
}

}  // namespace bv
