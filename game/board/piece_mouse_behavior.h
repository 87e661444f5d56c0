#pragma once
// Behaviours the game adds to the engine's set: the piece's mouse behaviour
// (type 1001) on every piece sprite. Both game types find their object
// through the target's user pointer.
#include "engine/level/behavior.h"

class BvPiece;

// Plays the idle animation while the cursor is over the piece and turns a
// held left button over a resting piece into the board's press (event 1000).
class BvPieceMouseBehavior : public BvBehavior {
 public:
  BvPieceMouseBehavior() = default;
  // Event 1 (the target's animation ended): back to the plain image.
  void OnNotify(int event, CManagedObjectBase* sender) override;
  void Apply(float dt) override;
  int GetType() const override { return kBehaviorPieceMouse; }
  // Listens to the target's events.
  void OnTargetSet() override;

  // The piece owning the target, or null (no target, or the sprite no
  // longer belongs to a cell).
  BvPiece* GetPiece() const;
  void ResetAnimation();
  bool IsHovered() const { return m_Hovered; }

 private:
  bool m_Hovered = false;
};
