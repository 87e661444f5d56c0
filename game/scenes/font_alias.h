#pragma once
// A screen's own font: a text element named alias, drawn with the font
// image of that name, added to a level manager's elements so texts can use
// the alias as their source.
class BvLevelManager;

namespace bv {

// Looks the image up in imagesFrom (the screen's manager, or the global one
// for the dialogs' fonts) and adds the alias to into. Nothing when the
// alias exists already or the image is missing.
void AddFontAlias(BvLevelManager* into, BvLevelManager* imagesFrom, const char* image,
                  const char* alias, int kerning = 0);

}  // namespace bv
