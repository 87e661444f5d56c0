#pragma once
// Behaviours driven by the mouse: following it with a body's velocity,
// swapping the element's template while hovered, growing while hovered.
// None of them reacts while a GUI covers the element's scene.
#include <string>

#include "engine/level/behavior.h"

// The frame's mouse movement as the mouse-move behaviour reads it: ten
// times the screen pixels moved since the last mouse update (y down).
struct BvMouseDelta {
  float x = 0.0f;
  float y = 0.0f;
};
using BvMouseDeltaSource = BvMouseDelta (*)();
// Where the movement comes from (the application installs its own; null
// reads no movement).
void SetMouseDeltaSource(BvMouseDeltaSource source);

// Type 3: adds the frame's mouse movement (ten times the pixels moved) to
// the body's velocity on the chosen axes (screen y down, world y up).
class BvMouseMoveBehavior : public BvBehavior {
 public:
  BvMouseMoveBehavior(bool followX, bool followY);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorMouseMove; }
  bool StopsMotion() const override { return true; }

  bool GetFollowX() const { return m_FollowX; }
  bool GetFollowY() const { return m_FollowY; }

 private:
  bool m_FollowX;
  bool m_FollowY;
};

// Type 5: while the cursor is over the element's body, the element shows
// the switch element (optionally with its own animation speed and a hover
// sound); when the cursor leaves, the home element comes back (after the
// hover animation's end when it is an animation).
class BvMouseOverElementBehavior : public BvBehavior {
 public:
  // soundName may be null or empty: no hover sound.
  BvMouseOverElementBehavior(const char* switchElementName, float animSpeed,
                             const char* soundName);

  // Event 1 (animation end) of the element.
  void OnNotify(int event, CManagedObjectBase* sender) override;
  void Apply(float dt) override;
  int GetType() const override { return kBehaviorMouseOverElement; }
  void OnTargetSet() override;

  bool IsHovered() const { return m_Hovered; }
  const std::string& GetHomeElementName() const { return m_HomeElementName; }
  const std::string& GetSwitchElementName() const { return m_SwitchElementName; }
  float GetHoverAnimSpeed() const { return m_HoverAnimSpeed; }
  const std::string& GetSoundName() const { return m_SoundName; }

 private:
  void Restore();

  bool m_Hovered = false;
  std::string m_SwitchElementName;
  // The source element's name when attached; empty without a source.
  std::string m_HomeElementName;
  float m_SavedAnimSpeed = 0.0f;
  float m_HoverAnimSpeed;
  std::string m_SoundName;
};

// Type 6: while hovered the scale grows toward base x grow factor, closing
// grow speed / 5000 of the gap per ms; afterwards it shrinks back to the
// base scale (only from above 1).
class BvMouseOverGrowBehavior : public BvBehavior {
 public:
  BvMouseOverGrowBehavior(float growFactor, float growSpeed, const char* soundName);

  void Apply(float dt) override;
  int GetType() const override { return kBehaviorMouseOverGrow; }
  void OnTargetSet() override;

  float GetCurrentFactor() const { return m_Current; }
  float GetGrowFactor() const { return m_GrowFactor; }
  float GetGrowSpeed() const { return m_GrowSpeed; }
  const std::string& GetSoundName() const { return m_SoundName; }

 private:
  bool m_Hovered = false;
  float m_BaseScaleX = 1.0f;
  float m_BaseScaleY = 1.0f;
  float m_GrowFactor;
  float m_GrowSpeed;
  float m_Current = 1.0f;
  std::string m_SoundName;
};
