#pragma once
// One spell's charge gauge on the spell panel and its state for the level.
class BvLevelElement;

struct BvSpellRecord {
  // Elements of the current level (not owned).
  BvLevelElement* gauge = nullptr;      // "jauge", child of its back
  BvLevelElement* gaugeBack = nullptr;  // "jaugeback" on "sortgui"
  BvLevelElement* haloA = nullptr;      // "halosort" halos while ready
  BvLevelElement* haloB = nullptr;
  // Accumulated charge, 200 per matched piece.
  float charge = 0.0f;
  bool locked = true;
  bool ready = false;
  bool cast = false;

  void ForgetElements() { gauge = gaugeBack = haloA = haloB = nullptr; }
};
