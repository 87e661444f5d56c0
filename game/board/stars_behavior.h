#pragma once
// Type 1002: the burst of a found object on a hidden-object screen.
#include "engine/level/behavior.h"

// What the stars behaviour reads and writes of a hidden object; the
// hidden-object screen makes one per object and sets it as the object's
// user pointer.
class BvFoundObject : public CManagedObjectBase {
 public:
  BvFoundObject() : CManagedObjectBase(nullptr) {}
  // The cursor is over the object (kept while it is not found).
  bool hovered = false;
  bool found = false;
};

// Until its object is found, records whether the cursor is over it; once
// found, spins and grows it, sends it to the centre under a burst of
// "stars" and fades it away.
class BvStarsBehavior : public BvBehavior {
 public:
  BvStarsBehavior() = default;
  void Apply(float dt) override;
  int GetType() const override { return kBehaviorStars; }
  void OnTargetSet() override;

  // The target's found-object record, or null when its user pointer holds
  // none.
  BvFoundObject* GetPiece() const;
  float GetFoundTime() const { return m_FoundTime; }

 private:
  // Milliseconds since the object was found.
  float m_FoundTime = 0.0f;
  // The burst is made once, even when a frame's step is 0.
  bool m_BurstShown = false;
};
