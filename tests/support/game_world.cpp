#include "support/game_world.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/lang_table.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/game_host.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/core/game.h"
#include "game/core/sound_table.h"
#include "support/null_video.h"

namespace bv {
namespace test {

GameWorld::GameWorld() {
  m_Dir = MakeTempFolder("qv_world");
  char cwd[4096];
  if (getcwd(cwd, sizeof(cwd))) m_OldCwd = cwd;
  if (chdir(m_Dir.c_str()) != 0) std::abort();
  setenv("ALSOFT_DRIVERS", "nodriver", 0);
  bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
  bv::ClearShownMessages();
  g_Quit = false;
  m_SavedTextures = g_TextureManager;
  m_System = std::make_unique<BvSystem>();
  m_SavedSystem = g_System;
  g_System = m_System.get();
  auto backend = std::make_unique<FakeSoundBackend>();
  m_Sounds = backend.get();
  m_System->volumes = nullptr;
  delete g_SoundManager;
  g_SoundManager = new BvSoundManager(std::move(backend));
  m_System->volumes = g_SoundManager;
  m_System->config.soundOn = 1;
  m_System->config.musicOn = 1;
  RegisterGameSounds(*g_SoundManager);
  m_Host = std::make_unique<BvGameHost>(nullptr);
  m_Game = m_Host->GetGame();
  m_Host->GetStore().Reset();
}

GameWorld::~GameWorld() {
  m_Host.reset();
  g_System = m_SavedSystem;
  // The system deletes the sound manager and its own texture manager; the
  // device and the texture manager before it belong to whoever installed
  // them (a NullVideo).
  irr::IrrlichtDevice* device = g_Device;
  g_Device = nullptr;
  m_System.reset();
  g_Device = device;
  g_TextureManager = m_SavedTextures;
  g_LangTable.Clear();
  g_Quit = false;
  if (chdir(m_OldCwd.c_str()) != 0) std::abort();
  std::string cmd = "rm -rf '" + m_Dir + "'";
  if (std::system(cmd.c_str()) != 0) std::abort();
}

void GameWorld::AddText(const char* key, const char* text) {
  g_LangTable.RemoveObjectByName(key);
  auto* lang = new BvLang(key);
  lang->SetText(text);
  g_LangTable.AddObject(lang);
}

void GameWorld::AddTemplate(BvLevelManager* manager, const char* name) {
  manager->GetElements()->AddObject(new BvImageElement(name));
}

void GameWorld::WriteLevels(const char* file, const std::string& levelsXml) {
  std::ofstream out(file);
  out << "<scene><levels>" << levelsXml << "</levels></scene>";
}

BvLevelElement* GameWorld::AddElement(BvLevelManager* manager, const char* name,
                                      const char* source, float x, float y) {
  BvLevel* level = manager->GetCurrentLevel();
  if (!level) {
    level = new BvLevel("test");
    manager->GetLevels()->AddObject(level);
  }
  auto* element = new BvLevelElement(manager);
  element->SetName(name);
  element->SetSourceElementByName(source);
  element->SetPosition(x, y);
  level->AddObject(element);
  return element;
}

void GameWorld::MoveCursor(float x, float y) {
  const irr::core::vector2df screen = BvLevelManager::WorldToScreen(irr::core::vector2df(x, y));
  m_System->mouseX = int16_t(screen.X);
  m_System->mouseY = int16_t(screen.Y);
}

void GameWorld::PressLeft(bool down) { m_System->leftDown = down ? 1 : 0; }

int GameWorld::Plays(const char* soundName) const {
  int plays = 0;
  int rows = 0;
  const BvSoundTableRow* table = GetSoundTable(&rows);
  for (int i = 0; i < rows; ++i) {
    if (std::string(table[i].name) != soundName) continue;
    for (int n : m_Sounds->OpenedOn(std::string("data/sounds/") + table[i].file))
      plays += m_Sounds->At(n).plays;
    break;
  }
  return plays;
}

bool GameWorld::IsPlaying(const char* soundName) const {
  return g_SoundManager && g_SoundManager->IsSoundPlaying(soundName);
}

}  // namespace test
}  // namespace bv
