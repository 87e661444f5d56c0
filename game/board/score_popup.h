#pragma once
// The floating points image of a score, and the points themselves.
#include <irrlicht.h>

class BvBoardHost;

// Shows "pt5", "pt10", "pt15" or "pt30" (another value: an element without
// image) rising from position after delayMs, big in gold; the points go to
// the current screen's score at once. Without a host nothing happens; with
// a host but no level manager only the points are added.
void ShowScorePopup(BvBoardHost* host, int points, const irr::core::vector2df& position,
                    float delayMs, bool big);
