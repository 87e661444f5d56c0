#pragma once
// BvTextureManager: the process-wide cache of driver textures by name, with
// colour keys and a small tile drawing (a texture cut into equal tiles drawn
// by frame number at a stored position) for the bitmap font. Reached through
// g_TextureManager; drawing code selects by name every time it draws, as
// every display rebuild replaces the textures.
#include <irrlicht.h>

#include <cstdint>
#include <map>
#include <string>

struct BvTextureEntry {
  irr::video::ITexture* texture = nullptr;
  // Drawing position of the tile drawing, screen pixels.
  int32_t x = 0;
  int32_t y = 0;
  // Size of the file's picture before any driver resizing, pixels.
  int32_t width = 0;
  int32_t height = 0;
  uint8_t tiled = 0;
  int32_t tileWidth = 0;
  int32_t tileHeight = 0;
  // Tile number drawn by Draw.
  int32_t frame = 0;
  uint8_t useAlphaChannel = 1;
  // Overall alpha of the tile drawing, 0 to 255.
  int16_t alpha = 255;
  // Loads of this name not yet released: a scene and "global.xml" may both
  // load one name, and releasing one must leave the other's texture.
  int32_t references = 0;
  // Colour key last applied to the texture (as LoadTexture's key).
  int key = -1;
};

class BvTextureManager {
 public:
  BvTextureManager();
  // Clears (every texture leaves the driver).
  virtual ~BvTextureManager();
  BvTextureManager(const BvTextureManager&) = delete;
  BvTextureManager& operator=(const BvTextureManager&) = delete;

  // Loads or replaces the texture called name from file. key: an ARGB
  // colour made transparent, -1 no key (alpha channel used), -2 no key
  // (alpha channel ignored). Without g_Driver does nothing; a missing file
  // shows "Image not found : <file>" ("Alert") and changes nothing. An
  // existing name keeps its position, tiles, frame and alpha, and counts
  // one more load.
  void LoadTexture(const char* file, const char* name, int key);
  // Kinds 0 and 1: LoadTexture(file, name, -1); others the kind's key colour.
  void LoadTextureKeyed(const char* file, const char* name, int kind);

  BvTextureEntry* Find(const char* name);
  // Makes the named entry current (null when missing) and returns it.
  BvTextureEntry* Select(const char* name);
  BvTextureEntry* GetCurrent() const { return m_Current; }
  // Tiles the named entry when both tile sides are at least 1 and fit the
  // picture; otherwise changes nothing. Returns the entry or null.
  BvTextureEntry* SetTiles(const char* name, int tileWidth, int tileHeight);
  // Position (screen pixels), frame and alpha of the current entry; nothing
  // without one.
  void SetPosition(int x, int y);
  void SetFrame(int frame);
  void SetAlpha(int alpha);
  // The current entry's tile (tiled) or whole picture; (0,0,0,0) without one.
  irr::core::recti GetSourceRect() const;
  // Draws the current entry's source rectangle at its position, clipped to
  // clip (null: none). Additive: white, no alpha channel; otherwise colour
  // (alpha << 24) | 0xFFFFFF with the entry's alpha-channel flag.
  void Draw(const irr::core::recti* clip, bool additive);
  // Releases one load of the named texture; the last release removes it, and
  // the first remaining entry (name order) becomes current.
  void Release(const char* name);
  // Every texture leaves the driver; no entries, no current.
  void Clear();

  size_t GetCount() const { return m_Entries.size(); }
  // Raised by every load, release and clear: pictures made from the
  // textures (the level's layer cache) hold only while it stays.
  unsigned GetGeneration() const { return m_Generation; }

 private:
  // Drops texture from the driver unless another entry (other than skip)
  // still holds it, as the driver hands out one texture per file.
  void RemoveFromDriver(irr::video::ITexture* texture, const BvTextureEntry* skip);
  // Replaces a texture that keeps no decoded image by a fresh load of file
  // (null when it cannot be read), for every entry that held it.
  irr::video::ITexture* ReloadForKey(const char* file, irr::video::ITexture* texture);

  std::map<std::string, BvTextureEntry> m_Entries;
  BvTextureEntry* m_Current = nullptr;
  unsigned m_Generation = 0;
};

extern BvTextureManager* g_TextureManager;
