// The 3D render states of the scene's nodes and the ambient light.
#include <vector>

#include "engine/shell/application.h"
#include "engine/shell/globals.h"

namespace {

// Ambient light of the driver and the scene manager (red, green, blue,
// alpha).
const irr::video::SColorf kAmbientLight(0.5f, 0.5f, 0.5f, 0.5f);

// No specular highlights (Irrlicht's OpenGL driver lights specularly only
// materials with a shininess), back faces culled, normals normalised.
void ApplyRenderStates(irr::video::SMaterial& material) {
  material.Shininess = 0.0f;
  material.BackfaceCulling = true;
  material.FrontfaceCulling = false;
  material.NormalizeNormals = true;
}

}  // namespace

void BvApplication::SetupRenderStates() {
  if (g_Driver == nullptr) return;
  // OpenGL has these states per material only: they go on the materials of
  // the 3D nodes that exist now. The 2D drawing uses no scene node and keeps
  // its own materials (mirrored quads must not be culled).
  if (g_SceneManager != nullptr) {
    std::vector<irr::scene::ISceneNode*> pending{g_SceneManager->getRootSceneNode()};
    while (!pending.empty()) {
      irr::scene::ISceneNode* node = pending.back();
      pending.pop_back();
      for (irr::u32 i = 0; i < node->getMaterialCount(); ++i) ApplyRenderStates(node->getMaterial(i));
      for (irr::scene::ISceneNode* child : node->getChildren()) pending.push_back(child);
    }
    // The scene manager hands its own ambient light to the driver every
    // time it draws.
    g_SceneManager->setAmbientLight(kAmbientLight);
  }
  g_Driver->setAmbientLight(kAmbientLight);
}
