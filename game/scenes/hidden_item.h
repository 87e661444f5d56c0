#pragma once
// One object to find on a hidden-object screen, and the hint button's state.
#include "game/board/stars_behavior.h"

class BvLevelElement;

// The found-object record (hovered and found, read and written by the
// object's stars behaviour) with the object and its name on the panel.
// Both elements belong to the screen's level; they are forgotten at every
// visit's start.
struct BvHiddenItem : public BvFoundObject {
  BvLevelElement* element = nullptr;
  // Its name on the panel (null when the text could not be made).
  BvLevelElement* nameText = nullptr;

  // Not bound, not hovered, not found.
  void Clear();
  // Sets this record as the object's user pointer and gives the object its
  // stars behaviour.
  void Bind(BvLevelElement* object, BvLevelElement* name);
};

// The hint button: dark while it recharges, lit once the countdown has run
// out, circling the first object still hidden when clicked.
struct BvHiddenHint {
  // Milliseconds of recharge.
  static constexpr float kRechargeMs = 40000.0f;

  // Milliseconds until the button lights.
  float countdown = kRechargeMs;
  bool ready = false;
  // The rotating halo round the lit button (the level owns it).
  BvLevelElement* halo = nullptr;
  // The first object not yet found, or null.
  BvHiddenItem* target = nullptr;

  // Dark, recharging from the start, no halo, no target.
  void Reset() { *this = BvHiddenHint{}; }
};
