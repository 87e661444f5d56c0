#pragma once
// The text cursor of the name entry: a "cursor" element (a white caret
// that blinks), thin and tall, tinted with the dialog's colour, above the
// dialog's texts.
#include <irrlicht.h>

class BvLevelElement;

// Made on the GUI level, child of parent when given (else placed free).
BvLevelElement* MakeTextCursor(BvLevelElement* parent, irr::video::SColor colour);
