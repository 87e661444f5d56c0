#pragma once
// Start-up, the run and the orderly shutdown of the program.
class BvSystem;

namespace bv {
// What runs once the display and the timer are up (the game host's session,
// or the bare application shell).
using SessionRunner = void (*)(BvSystem& system);

// Creates the first display with the stored mode and driver; when that
// fails, once more windowed with OpenGL. False when neither works.
bool OpenStartDisplay(BvSystem& system);
}  // namespace bv

// Builds the system object, reads "config.dat", opens the display, starts the
// timer, runs the session, writes "config.dat" (with the display settings
// that worked) and shuts down in order. A display or timer failure shows its
// "Error" box and skips the run and the configuration write.
void RunSystem(bv::SessionRunner session);
