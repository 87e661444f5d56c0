#include "game/gui/tip_placement.h"

#include <cmath>

#include "engine/level/level_element.h"
#include "engine/resources/sprite.h"

namespace {
constexpr float kWindowHalfWidth = 400.0f;
constexpr float kWindowHalfHeight = 300.0f;

// The shift along one axis that brings [low, high] inside [min, max]; a
// span longer than the window keeps its low end inside.
float IntoRange(float low, float high, float min, float max) {
  if (low < min) return min - low;
  if (high > max) return std::fmax(max - high, min - low);
  return 0.0f;
}

bool Inside(const BvTipBox& box, const BvTipBox& window) {
  return box.left >= window.left && box.right <= window.right && box.bottom >= window.bottom &&
         box.top <= window.top;
}

// The four shortest moves that take box clear of avoid: up, down, left, right.
void WaysClear(const BvTipBox& box, const BvTipBox& avoid, irr::core::vector2df ways[4]) {
  ways[0] = irr::core::vector2df(0.0f, avoid.top - box.bottom);
  ways[1] = irr::core::vector2df(0.0f, avoid.bottom - box.top);
  ways[2] = irr::core::vector2df(avoid.left - box.right, 0.0f);
  ways[3] = irr::core::vector2df(avoid.right - box.left, 0.0f);
}

int FirstOverlapped(const BvTipBox& box, const BvTipBox* avoid, int count) {
  for (int i = 0; i < count; ++i)
    if (box.Overlaps(avoid[i])) return i;
  return -1;
}

// The tip's position pushed inside the window.
irr::core::vector2df IntoWindow(const irr::core::vector2df& wanted, const BvTipBox& extent,
                                const BvTipBox& window) {
  irr::core::vector2df place = wanted;
  const BvTipBox asked = extent.Moved(place);
  place.X += IntoRange(asked.left, asked.right, window.left, window.right);
  place.Y += IntoRange(asked.bottom, asked.top, window.bottom, window.top);
  return place;
}
}  // namespace

bool BvTipBox::Overlaps(const BvTipBox& other) const {
  return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
}

BvTipBox BvTipBox::Moved(const irr::core::vector2df& by) const {
  return BvTipBox{left + by.X, bottom + by.Y, right + by.X, top + by.Y};
}

BvTipBox PictureBox(const BvLevelElement& element) {
  const BvSprite* sprite = element.GetCurrentSprite();
  const irr::core::vector2df at = element.GetPosition();
  const irr::core::vector2df scale = element.GetScale();
  const float halfWidth = sprite ? sprite->GetSourceRect().getWidth() * scale.X / 2.0f : 0.0f;
  const float halfHeight = sprite ? sprite->GetSourceRect().getHeight() * scale.Y / 2.0f : 0.0f;
  return BvTipBox{at.X - halfWidth, at.Y - halfHeight, at.X + halfWidth, at.Y + halfHeight};
}

BvTipBox WindowBox() {
  return BvTipBox{-kWindowHalfWidth, -kWindowHalfHeight, kWindowHalfWidth, kWindowHalfHeight};
}

irr::core::vector2df PlaceTip(const irr::core::vector2df& wanted, const BvTipBox& extent,
                              const BvTipBox& window, const BvTipBox* avoid) {
  const irr::core::vector2df place = IntoWindow(wanted, extent, window);
  const BvTipBox box = extent.Moved(place);
  if (!avoid || !box.Overlaps(*avoid)) return place;
  irr::core::vector2df ways[4];
  WaysClear(box, *avoid, ways);
  const irr::core::vector2df* best = nullptr;
  for (const irr::core::vector2df& way : ways) {
    if (!Inside(box.Moved(way), window)) continue;
    if (!best || way.getLength() < best->getLength()) best = &way;
  }
  return best ? place + *best : place;
}

irr::core::vector2df PlaceTip(const irr::core::vector2df& wanted, const BvTipBox& extent,
                              const BvTipBox& window, const BvTipBox* avoid, int count) {
  const irr::core::vector2df place = IntoWindow(wanted, extent, window);
  const BvTipBox box = extent.Moved(place);
  // The boxes that matter most come first: when no move clears them all,
  // the last ones are given up one by one.
  for (int kept = count; kept > 1; --kept) {
    const int first = FirstOverlapped(box, avoid, kept);
    if (first < 0) return place;
    // A move clears the box it is made for; a second move clears the box
    // the first one landed on. The shortest whole move wins.
    bool found = false;
    irr::core::vector2df best;
    auto consider = [&](const irr::core::vector2df& move) {
      const BvTipBox moved = box.Moved(move);
      if (!Inside(moved, window) || FirstOverlapped(moved, avoid, kept) >= 0) return;
      if (!found || move.getLength() < best.getLength()) best = move;
      found = true;
    };
    irr::core::vector2df ways[4];
    WaysClear(box, avoid[first], ways);
    for (const irr::core::vector2df& way : ways) {
      const BvTipBox moved = box.Moved(way);
      const int next = FirstOverlapped(moved, avoid, kept);
      if (next < 0) {
        consider(way);
        continue;
      }
      irr::core::vector2df more[4];
      WaysClear(moved, avoid[next], more);
      for (const irr::core::vector2df& then : more) consider(way + then);
    }
    if (found) return place + best;
  }
  return PlaceTip(wanted, extent, window, count > 0 ? &avoid[0] : nullptr);
}
