#pragma once
// Short access to the global texture manager; each does nothing while
// g_TextureManager is null.

// Empties the texture manager, then has the driver drop every texture.
void ClearTextures();
// The texture manager's keyed load (colour-key kind).
void LoadTextureKeyed(const char* file, const char* name, int kind);
// The texture manager's load (colour key, -1 or -2).
void LoadTexture(const char* file, const char* name, int key);
