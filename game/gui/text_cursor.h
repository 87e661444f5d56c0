#pragma once
// The blinking-free text cursor of the name entry: a "cursor" element,
// thin and tall, black, above the dialog's texts.
class BvLevelElement;

// Made on the GUI level, child of parent when given (else placed free).
BvLevelElement* MakeTextCursor(BvLevelElement* parent);
