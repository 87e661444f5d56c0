#pragma once
// Scene 16, the world map: the six worlds and their 66 level spots (11 a
// world), every spot reached so far lit, the map arrow moving from the
// previous spot to the current one, a wave of sparkles along the path ahead
// every ten seconds, a menu button and the "play" arrow. Before levels 2, 5
// and 8 of a world the arrow first shows a short interlude between two
// black bars; the next click leaves with result 0.
#include <irrlicht.h>

#include "game/scenes/scene.h"

class BvLevelElement;

// The spot of a profile's world and level: level + 11 x world, 0..65.
// World and level outside 0..5 and 0..10 are brought into range, so no
// position from a file or the command line reaches a missing spot.
int MapSpotIndex(int world, int level);

class BvMapScene : public BvScene {
 public:
  static constexpr int kSpotCount = 66;
  static constexpr int kStateOpening = 1;
  static constexpr int kStateLive = 2;
  static constexpr int kStateInterlude = 3;
  static constexpr int kStateArrowStart = 4;
  static constexpr int kStateArrowArrival = 5;
  static constexpr int kStateAfterInterlude = 6;
  static constexpr int kStateLeaving = 7;

  bool Load() override;
  void Init(intptr_t argument) override;
  void Update(float ms) override;
  void OnEvent(int code) override;

  void CreateWorlds();
  void ShowCinema();
  void SparkleSpots(float ms);
  void SparkleAhead();
  void HandleButtons();

  // The spot the current profile stands on.
  int CurrentSpot() const;
  BvLevelElement* GetMapArrow() const { return m_MapArrow; }
  BvLevelElement* GetPlayArrow() const { return m_Arrow; }
  bool HasTarget() const { return m_HasTarget; }
  const irr::core::vector2df& GetTarget() const { return m_Target; }
  float GetSparkleTimer() const { return m_SparkleTimer; }
  // The spot element "sp<i>" of the map, null when missing.
  BvLevelElement* FindSpot(int spot) const;

 private:
  BvLevelElement* FindElement(const char* name) const;
  // Shows the interlude's lines once both bars stand at home.
  void RevealCinemaLines();

  BvLevelElement* m_Arrow = nullptr;
  BvLevelElement* m_MapArrow = nullptr;
  // The interlude's two lines while they wait for the bars (null once shown).
  BvLevelElement* m_CinemaLines[2] = {};
  float m_SparkleTimer = 0.0f;
  // Where the map arrow moves to; none on the first spot.
  bool m_HasTarget = false;
  irr::core::vector2df m_Target;
};
