#pragma once
// A headless world for board tests that need level elements: the NULL video
// driver, a level manager with a current level and one image element for
// every name the board creates, a system object whose sound manager records
// the sounds played, an application for the mouse queries, a fixed random
// source and a recording board host.
#include <memory>
#include <string>
#include <vector>

#include "support/fake_board_host.h"
#include "support/fixed_random.h"

class BvLevel;
class BvLevelManager;
class BvSprite;
class BvSystem;

namespace bv {
class FakeSoundBackend;
namespace test {
class NullVideo;
class ScriptedApp;

class BoardWorld {
 public:
  explicit BoardWorld(uint32_t seed = 1);
  ~BoardWorld();
  BoardWorld(const BoardWorld&) = delete;
  BoardWorld& operator=(const BoardWorld&) = delete;

  // One frame of the level: behaviours, bodies, removal of dead elements.
  void RunLevel(float ms);
  // Names of the sounds played so far, in order (effects and music).
  std::vector<std::string> PlayedSounds() const;
  void ClearSounds();
  // The named sound was played since the last clear.
  bool Played(const char* name) const;
  // The cursor over a point of the level (logical coordinates), and the
  // left button.
  void MoveCursorTo(float x, float y);
  void SetLeftButton(bool down);
  // Elements of the current level whose source element has this name.
  int CountElements(const char* sourceName) const;
  // Makes the named template an animation of frames frames at fps frames a
  // second, of type animType (1 loop, 2 ping-pong, 3 once). Call it before
  // any element is made from the template.
  void AnimateTemplate(const char* name, int animType, int frames, float fps);

  BvLevelManager* manager() const { return m_Manager.get(); }
  BvLevel* level() const { return m_Level; }
  FakeBoardHost host;
  FixedRandom random;

 private:
  std::unique_ptr<BvSystem> m_System;
  std::unique_ptr<NullVideo> m_Video;
  std::unique_ptr<ScriptedApp> m_App;
  std::unique_ptr<BvLevelManager> m_Manager;
  std::unique_ptr<ScopedRandom> m_ScopedRandom;
  BvLevel* m_Level = nullptr;
  FakeSoundBackend* m_Sounds = nullptr;
  BvSprite* m_CellSprite = nullptr;
  std::vector<std::string> m_SoundNames;
  size_t m_SoundLogStart = 0;
};

}  // namespace test
}  // namespace bv
