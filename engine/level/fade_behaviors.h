#pragma once
// Colour fades (with the fade-in and fade-out forms) and the expiry of
// short-lived elements.
#include <cstdint>

#include "engine/level/behavior.h"

// Type 7: the element's colour runs from one ARGB colour to another over
// 5000 / speed ms after the start delay. During the delay the element shows
// the from colour, or keeps its own when hold is set. Finished when done.
class BvColorFadeBehavior : public BvBehavior {
 public:
  BvColorFadeBehavior(uint32_t from, uint32_t to, float speed, float startDelay,
                      bool hold);

  // The base update, then the colour of the current progress.
  void Update(float dt) override;
  void Apply(float dt) override;
  int GetType() const override { return kBehaviorColorFade; }

  float GetProgress() const { return m_Progress; }
  float GetSpeed() const { return m_Speed; }
  bool GetHold() const { return m_Hold; }
  uint32_t GetFrom() const { return m_From; }
  uint32_t GetTo() const { return m_To; }

 protected:
  // 0..1.
  float m_Progress = 0.0f;
  float m_Speed;
  uint32_t m_From;
  uint32_t m_To;
  bool m_Hold;
};

// From the element's colour with alpha 0 to its colour (black to white for
// an additive element); sends event 2 when done.
class BvFadeInBehavior : public BvColorFadeBehavior {
 public:
  BvFadeInBehavior(float speed, float startDelay);

  void OnTargetSet() override;
  void OnFinished() override;
};

// From the element's colour to that colour with alpha 0 (white to black for
// an additive element); when done flags the element dead if asked, then
// sends event 3.
class BvFadeOutBehavior : public BvColorFadeBehavior {
 public:
  BvFadeOutBehavior(float speed, float startDelay, bool removeElement, bool hold);

  void OnTargetSet() override;
  void OnFinished() override;

  bool GetRemoveElement() const { return m_RemoveElement; }

 private:
  bool m_RemoveElement;
};

// Type 8: ends its element (flags it dead) at the first of: the lifetime
// ran out, the optional fade-out completed, a play-once animation ended.
// The behaviour itself never finishes; it goes with its element.
class BvExpireBehavior : public BvBehavior {
 public:
  // unused: a fourth value callers pass that nothing reads.
  BvExpireBehavior(float lifetime, float animSpeed, float fadeSpeed,
                   float unused = 0.0f);

  void OnNotify(int event, CManagedObjectBase* sender) override;
  void Apply(float dt) override;
  int GetType() const override { return kBehaviorExpire; }
  void OnTargetSet() override;
  void OnFinished() override;

 private:
  uint32_t m_From = 0;
  uint32_t m_To = 0;
  float m_AnimSpeed;
  // Milliseconds left.
  float m_Lifetime;
  float m_FadeSpeed;
  float m_Progress = 0.0f;
};
