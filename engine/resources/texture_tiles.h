#pragma once
// Tile and colour-key arithmetic of the texture manager, kept apart from the
// driver so it can be checked without real textures.
#include <irrlicht.h>

struct BvTextureEntry;

namespace bv {

// Colour-key value meaning "no key, draw with the alpha channel".
constexpr int kKeyAlphaChannel = -1;
// Colour-key value meaning "no key, ignore the alpha channel".
constexpr int kKeyNoAlpha = -2;

// The colour key of a colour-key kind: kinds 0 and 1 give kKeyAlphaChannel;
// 4 green, 5 blue, 6 magenta, 7 grey 110/122/124, every other kind red
// (ARGB values as signed 32-bit).
int ColorKeyForKind(int kind);

// True when an entry of the given picture size can be cut into tiles of
// tileWidth x tileHeight: both at least 1 and no larger than the picture.
bool CanTile(int width, int height, int tileWidth, int tileHeight);

// The source rectangle the entry draws: its tile for the frame when tiled,
// else the whole picture (0, 0, width, height).
irr::core::recti TileSourceRect(const BvTextureEntry& entry);

}  // namespace bv
