#pragma once
// The application shell without a game: a window that clears, paces its
// frames, fades in from black and answers Alt+Enter and Alt+F4.
class BvSystem;

namespace bv {

void RunBaseSession(BvSystem& system);

}  // namespace bv
