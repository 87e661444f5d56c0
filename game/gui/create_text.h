#pragma once
// The one way game code makes a text: a level element of the manager's
// current level drawn with one of the font aliases the game registers
// ("guifont", "tutofont", "scorefont", "trophyfont") or a screen's own
// ("galaxy16"). No physics body, so a text is never hit by a click.
#include <irrlicht.h>

class BvLevelElement;
class BvLevelManager;

// Null without a manager or a current level, and null (with the lookup's
// "Alert") when the font alias is missing. The text keeps at most 79
// characters. Callers then set layer, alignment, colour and parent.
BvLevelElement* CreateText(BvLevelManager* manager, const irr::core::vector2df& position,
                           const wchar_t* text, const char* fontAlias);
