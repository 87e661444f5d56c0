#include "engine/resources/texture_tiles.h"

#include "engine/resources/texture_manager.h"

namespace bv {

int ColorKeyForKind(int kind) {
  switch (kind) {
    case 0:
    case 1:
      return kKeyAlphaChannel;
    case 4:
      return static_cast<int>(0xFF00FF00u);
    case 5:
      return static_cast<int>(0xFF0000FFu);
    case 6:
      return static_cast<int>(0xFFFF00FFu);
    case 7:
      return static_cast<int>(0xFF6E7A7Cu);
    default:
      return static_cast<int>(0xFFFF0000u);
  }
}

bool CanTile(int width, int height, int tileWidth, int tileHeight) {
  return tileWidth > 0 && tileHeight > 0 && width >= tileWidth && height >= tileHeight;
}

irr::core::recti TileSourceRect(const BvTextureEntry& entry) {
  if (!entry.tiled || !CanTile(entry.width, entry.height, entry.tileWidth, entry.tileHeight)) {
    return irr::core::recti(0, 0, entry.width, entry.height);
  }
  int columns = entry.width / entry.tileWidth;
  int left = entry.tileWidth * (entry.frame % columns);
  int top = entry.tileHeight * (entry.frame / columns);
  return irr::core::recti(left, top, left + entry.tileWidth, top + entry.tileHeight);
}

}  // namespace bv
