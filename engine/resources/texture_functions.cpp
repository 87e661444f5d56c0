#include "engine/resources/texture_functions.h"

#include "engine/resources/quad_renderer.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/globals.h"

void ClearTextures() {
  if (g_TextureManager) g_TextureManager->Clear();
  bv::RemoveAllTextures(g_Driver);
}

void LoadTextureKeyed(const char* file, const char* name, int kind) {
  if (g_TextureManager) g_TextureManager->LoadTextureKeyed(file, name, kind);
}

void LoadTexture(const char* file, const char* name, int key) {
  if (g_TextureManager) g_TextureManager->LoadTexture(file, name, key);
}
