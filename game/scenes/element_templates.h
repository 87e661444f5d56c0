#pragma once
// Whether a screen's data defines the element a piece of code would make:
// a level element made from a missing template would be an invisible,
// shapeless stand-in, so what is missing is left out instead.
class BvLevelManager;

namespace bv {

// The manager's element list holds a template of that name (silently).
bool HasTemplate(const BvLevelManager* levels, const char* name);

}  // namespace bv
