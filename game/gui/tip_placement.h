#pragma once
// Where a tip panel goes: the place it asks for near the cursor, moved only
// as far as needed to lie wholly inside the window and clear of the text it
// explains. World pixels, y up.
#include <irrlicht.h>

class BvLevelElement;

// A box by its edges (left < right, bottom < top).
struct BvTipBox {
  float left = 0.0f;
  float bottom = 0.0f;
  float right = 0.0f;
  float top = 0.0f;

  bool Overlaps(const BvTipBox& other) const;
  BvTipBox Moved(const irr::core::vector2df& by) const;
};

// Where the element's picture lies in the world, at its scale (an empty
// box at its position when it has no picture).
BvTipBox PictureBox(const BvLevelElement& element);

// The 800 by 600 window in world pixels (the origin at its centre).
BvTipBox WindowBox();

// wanted: the tip's asked-for position; extent: the tip's box relative to
// its position; avoid: a box to keep clear of, or null. The tip is first
// pushed inside the window; when it then covers avoid, it moves the
// shortest way (up, down, left or right) that clears avoid and stays in the
// window, or stays where it was when no such way exists.
irr::core::vector2df PlaceTip(const irr::core::vector2df& wanted, const BvTipBox& extent,
                              const BvTipBox& window, const BvTipBox* avoid);

// The same with several boxes to keep clear of (count of them at avoid,
// the most important first): the shortest move, one way or one way and
// then another, that clears them all and stays in the window; when none
// does, the last box is given up and the search made again, down to the
// first box alone as above.
irr::core::vector2df PlaceTip(const irr::core::vector2df& wanted, const BvTipBox& extent,
                              const BvTipBox& window, const BvTipBox* avoid, int count);
