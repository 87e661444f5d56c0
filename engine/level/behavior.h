#pragma once
// BvBehavior: a small program attached to one level element (its target)
// that changes the element a little every frame. The element owns its
// behaviours, runs them in list order (a wait turns the list into a
// sequence) and deletes each one as soon as its dead flag is set.
#include <vector>

#include "engine/objects/managed_object.h"

class BvLevelElement;
class BvLevelManager;

// Numbers returned by BvBehavior::GetType.
enum BvBehaviorType {
  kBehaviorSinusY = 1,
  kBehaviorCosinusX = 2,
  kBehaviorMouseMove = 3,
  kBehaviorNoTransform = 4,
  kBehaviorMouseOverElement = 5,
  kBehaviorMouseOverGrow = 6,
  kBehaviorColorFade = 7,
  kBehaviorExpire = 8,
  kBehaviorMove = 9,
  kBehaviorMoveTo = 10,
  kBehaviorZoomTo = 11,
  kBehaviorPulse = 12,
  kBehaviorRotate = 13,
  kBehaviorPath = 14,
  kBehaviorWait = 15,
  kBehaviorSound = 16,
  // The game's own types.
  kBehaviorPieceMouse = 1001,
  kBehaviorStars = 1002,
};

class BvBehavior : public CManagedObjectBase {
 public:
  // Unnamed: the name is generated from the id.
  BvBehavior();
  ~BvBehavior() override;

  // "BvBehavior" for the base and every type.
  const char* GetClassName() const override;
  // Does nothing; the expire and mouse-over-element types react to event 1.
  void OnNotify(int event, CManagedObjectBase* sender) override;

  // Without a target does nothing; else counts dt (ms) into elapsed and
  // applies once elapsed has reached the start delay.
  virtual void Update(float dt);
  // The type's effect for this frame (dt in ms).
  virtual void Apply(float dt) = 0;
  virtual int GetType() const = 0;
  // True for the types that drive the element's velocity (sine, cosine,
  // mouse move, path): the element zeroes its velocity before they run.
  virtual bool StopsMotion() const { return false; }
  // Stores the target, makes it a listener of this behaviour, then
  // OnTargetSet. Called once by BvLevelElement::AddBehavior.
  virtual void SetTarget(BvLevelElement* element);
  // Captures whatever the type needs from its element; empty here.
  virtual void OnTargetSet() {}
  // Called by the types that complete (fades, expire, zoom, pulse, move-to).
  virtual void OnFinished() {}

  // True with a target whose level manager is under a GUI: the mouse-driven
  // types then leave the mouse alone.
  bool IsTargetUnderGui() const;

  BvLevelElement* GetTarget() const { return m_Target; }
  // The target's level manager, null without target or manager.
  BvLevelManager* GetTargetManager() const;
  float GetElapsed() const { return m_Elapsed; }
  // Puts the behaviour at another moment (two wobbles swaying in step).
  void SetElapsed(float ms) { m_Elapsed = ms; }
  float GetStartDelay() const { return m_StartDelay; }
  void SetStartDelay(float delay) { m_StartDelay = delay; }

  // Finished means the dead flag is set; the element then deletes it.
  bool IsFinished() const;
  void Finish();

  // The element's per-frame run of its behaviour list, in list order: the
  // behaviours before the first wait run side by side; a wait runs only
  // when it is first in the list and stops the run after itself. The list
  // length is re-read at every step.
  static void RunList(std::vector<BvBehavior*>& list, float dt);
  // Deletes every finished behaviour (last to first) and drops it from the
  // list.
  static void SweepList(std::vector<BvBehavior*>& list);
  // True when a behaviour of the list stops the element's motion.
  static bool ListStopsMotion(const std::vector<BvBehavior*>& list);

 protected:
  // Time summed over every update with a target, start delay included (ms).
  float m_Elapsed = 0.0f;
  // Apply runs only once m_Elapsed has reached it (ms).
  float m_StartDelay = 0.0f;
  // Not owned.
  BvLevelElement* m_Target = nullptr;
};
