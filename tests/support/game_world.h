#pragma once
// A headless game for tests of dialogs and screens: a temporary working
// folder, a system object whose sound manager runs over the fake backend
// (the game's sound names registered, both switches on), the game host with
// its game (g_Game), language texts added by the test, and helpers to write
// "global.xml" and to run the global level's frame pass.
#include <memory>
#include <string>

#include "support/fake_sound_backend.h"

class BvGame;
class BvGameHost;
class BvLevel;
class BvLevelElement;
class BvLevelManager;
class BvSystem;
class BvTextureManager;

namespace bv {
namespace test {

class GameWorld {
 public:
  GameWorld();
  ~GameWorld();
  GameWorld(const GameWorld&) = delete;
  GameWorld& operator=(const GameWorld&) = delete;

  BvGame* game() const { return m_Game; }
  BvGameHost* host() const { return m_Host.get(); }
  BvSystem* system() const { return m_System.get(); }
  const std::string& dir() const { return m_Dir; }

  // Adds a text under key to the language table.
  void AddText(const char* key, const char* text);
  // An image element template named name in the manager's element list
  // (its body is the 20 by 20 pixel default box).
  void AddTemplate(BvLevelManager* manager, const char* name);
  // Writes file (in the working folder) with the given <levels> content.
  void WriteLevels(const char* file, const std::string& levelsXml);
  // A level element named name from template source at (x, y) in the
  // manager's current level.
  BvLevelElement* AddElement(BvLevelManager* manager, const char* name, const char* source,
                             float x, float y);
  // The cursor at world pixel (x, y) of layer 0 (no camera).
  void MoveCursor(float x, float y);
  void PressLeft(bool down);
  // Plays of the registered sound name (through the fake backend).
  int Plays(const char* soundName) const;
  bool IsPlaying(const char* soundName) const;

 private:
  std::string m_Dir;
  std::string m_OldCwd;
  std::unique_ptr<BvSystem> m_System;
  BvSystem* m_SavedSystem = nullptr;
  // The texture manager installed before ours (a NullVideo's): the system
  // replaces it while it lives and deletes its own.
  BvTextureManager* m_SavedTextures = nullptr;
  FakeSoundBackend* m_Sounds = nullptr;
  std::unique_ptr<BvGameHost> m_Host;
  BvGame* m_Game = nullptr;
};

}  // namespace test
}  // namespace bv
