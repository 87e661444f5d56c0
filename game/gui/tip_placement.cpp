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
  irr::core::vector2df place = wanted;
  const BvTipBox asked = extent.Moved(place);
  place.X += IntoRange(asked.left, asked.right, window.left, window.right);
  place.Y += IntoRange(asked.bottom, asked.top, window.bottom, window.top);
  const BvTipBox box = extent.Moved(place);
  if (!avoid || !box.Overlaps(*avoid)) return place;
  const irr::core::vector2df ways[] = {
      {0.0f, avoid->top - box.bottom},    // above
      {0.0f, avoid->bottom - box.top},    // below
      {avoid->left - box.right, 0.0f},    // to the left
      {avoid->right - box.left, 0.0f},    // to the right
  };
  const irr::core::vector2df* best = nullptr;
  for (const irr::core::vector2df& way : ways) {
    if (!Inside(box.Moved(way), window)) continue;
    if (!best || way.getLength() < best->getLength()) best = &way;
  }
  return best ? place + *best : place;
}
