#pragma once
// The drawing savings (opaque art drawn without blending, the colour and
// depth clears left out where nothing needs them, static layers drawn from a
// cached picture, art without its decoded copy, dialogs' art held only while
// a dialog shows) are on unless QUORVEL_RENDER_SAVINGS=0 is set; every
// saving leaves the pixels as they are, and the switch lets tests prove it
// (two processes, one with each setting).

namespace bv {

// Read from the environment once, at the first call (the program's start).
bool RenderSavingsOn();
// For unit tests only, before anything is loaded or drawn: what was made
// with the other setting keeps it.
void SetRenderSavings(bool on);

}  // namespace bv
