#pragma once
// Small pieces the dialogs build their panels from: texts in the dialogs'
// font on the GUI level, and buttons attached to the panel with a label.
#include <irrlicht.h>

class BvLevel;
class BvLevelElement;

namespace bv {

// Text alignments of a text element.
constexpr int kAlignCentre = 0;
constexpr int kAlignLeft = 1;

// The named element of the level, silently null when missing (for checks
// made every frame).
BvLevelElement* FindNamed(BvLevel* level, const char* name);
// The named element of the level; when it is missing, the lookup's "Alert"
// and null (for the lookups of a dialog's Build).
BvLevelElement* GetNamed(BvLevel* level, const char* name);
// A "guifont" text on the GUI level at position (relative to parent when
// one is given), on layer, with the alignment.
BvLevelElement* MakeGuiText(const irr::core::vector2df& position, const wchar_t* text, int layer,
                            BvLevelElement* parent, int alignment = kAlignCentre);
// The named element attached to the panel; with a label key, its language
// text in the middle of it on layer. The element, or null (and the
// lookup's "Alert") when missing.
BvLevelElement* AttachToPanel(BvLevel* level, BvLevelElement* panel, const char* name,
                              const char* labelKey = nullptr, int layer = 1);

}  // namespace bv
