#include "game/core/dialog_art.h"

#include <cstring>

#include "engine/resources/image.h"

namespace {
// Folder of the font pictures inside the pack.
constexpr const char* kFontFolder = "fonts/";
}  // namespace

bool IsDialogArt(const BvImage& image) {
  return std::strncmp(image.GetFileName(), kFontFolder, std::strlen(kFontFolder)) != 0;
}
