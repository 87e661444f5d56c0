#pragma once
// When the game's pictures need their textures (with the render savings on,
// see BvLevelManager::SetTextureNeeds). A font picture never does: the texts
// draw through the font Irrlicht builds from the same file. The other
// pictures of "global.xml" are the dialogs': each loaded when an open
// dialog first draws it (BvGame::ShowGui starts the hold), all let go by
// the first update without a dialog.
#include "engine/level/level_manager.h"

class BvImage;

// Images of "global.xml".
BvTextureNeed GlobalTextureNeed(const BvImage& image);
// Images of the screens' scenes.
BvTextureNeed SceneTextureNeed(const BvImage& image);
