#include "game/core/texture_needs.h"

#include <cstring>

#include "engine/resources/image.h"

namespace {
// Folder of the font pictures inside the pack.
constexpr const char* kFontFolder = "fonts/";

bool IsFontPicture(const BvImage& image) {
  return std::strncmp(image.GetFileName(), kFontFolder, std::strlen(kFontFolder)) == 0;
}
}  // namespace

BvTextureNeed GlobalTextureNeed(const BvImage& image) {
  return IsFontPicture(image) ? BvTextureNeed::kNever : BvTextureNeed::kOnDemand;
}

BvTextureNeed SceneTextureNeed(const BvImage& image) {
  return IsFontPicture(image) ? BvTextureNeed::kNever : BvTextureNeed::kWithScene;
}
