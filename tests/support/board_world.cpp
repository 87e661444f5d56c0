#include "support/board_world.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/image.h"
#include "engine/resources/sprite.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/board/board_element_names.h"
#include "support/fake_sound_backend.h"
#include "support/null_video.h"
#include "support/scripted_app.h"

namespace bv {
namespace test {
namespace {

const char* const kEffectSounds[] = {
    "fall", "locked", "match", "match4", "matchauto", "matchauto2", "matchauto3", "matchauto4",
    "excellent", "break1", "chaine", "freeluminos", "explo1", "hint", "endgame", "nomoremoves",
    "sortappear", "clickfail", "sortlaunch", "electric", "chainburn", "fizzle", "explobig",
    "freeze", "exploglace", "fallbomb", "monsterappear", "effectmonster", "effectmonsterbat",
    "hitmonster", "monsterdie"};
const char* const kStreamSounds[] = {"warning", "musicswap"};

}  // namespace

BoardWorld::BoardWorld(uint32_t seed) : random(seed) {
  setenv("ALSOFT_DRIVERS", "nodriver", 0);
  m_System = std::make_unique<BvSystem>();
  g_System = m_System.get();
  m_System->config.soundOn = 1;
  m_System->config.musicOn = 1;
  auto backend = std::make_unique<FakeSoundBackend>();
  m_Sounds = backend.get();
  m_System->volumes = nullptr;
  delete g_SoundManager;
  g_SoundManager = new BvSoundManager(std::move(backend));
  m_System->volumes = g_SoundManager;
  for (const char* name : kEffectSounds) {
    g_SoundManager->LoadSound((std::string("data/sounds/") + name + ".ogg").c_str(), name,
                              kSoundKindEffect, 1);
    m_SoundNames.push_back(name);
  }
  for (const char* name : kStreamSounds) {
    g_SoundManager->LoadSound((std::string("data/sounds/") + name + ".ogg").c_str(), name,
                              kSoundKindStream, 1);
    m_SoundNames.push_back(name);
  }
  m_Video = std::make_unique<NullVideo>();
  m_App = std::make_unique<ScriptedApp>();
  g_App = m_App.get();
  m_ScopedRandom = std::make_unique<ScopedRandom>(&random);

  m_Manager = std::make_unique<BvLevelManager>(nullptr, true);
  const std::string folder = MakeTempFolder("qv-board");
  m_Video->WritePng(folder + "/cell.png", 44, 44, irr::video::SColor(255, 255, 255, 255));
  m_Video->WritePng(folder + "/gauge.png", 90, 420, irr::video::SColor(255, 255, 255, 255));
  auto* image = new BvImage("cell");
  image->SetFileName((folder + "/cell.png").c_str());
  m_Manager->GetImages()->AddObject(image);
  auto* gaugeImage = new BvImage("gauge");
  gaugeImage->SetFileName((folder + "/gauge.png").c_str());
  m_Manager->GetImages()->AddObject(gaugeImage);
  auto* sprite = new BvSprite("cell");
  sprite->SetImage(image);
  sprite->SetSourceRect(0, 0, 40, 40);
  m_Manager->GetSprites()->AddObject(sprite);
  m_CellSprite = sprite;
  std::vector<std::string> names(std::begin(kBoardElementNames), std::end(kBoardElementNames));
  names.push_back("stars");  // the found objects' burst
  for (const std::string& name : names) {
    if (name == "timegauge") continue;  // made below
    auto* element = new BvImageElement(name.c_str());
    element->SetSprite(sprite);
    m_Manager->GetElements()->AddObject(element);
  }
  // The time gauge's bar has a sprite of its own, which the gauge crops.
  auto* gaugeSprite = new BvSprite("timegauge");
  gaugeSprite->SetImage(gaugeImage);
  gaugeSprite->SetSourceRect(0, 0, 90, 420);
  m_Manager->GetSprites()->AddObject(gaugeSprite);
  auto* gauge = new BvImageElement("timegauge");
  gauge->SetSprite(gaugeSprite);
  m_Manager->GetElements()->AddObject(gauge);
  m_Manager->LoadImageTextures();
  m_Level = new BvLevel("board");
  m_Manager->GetLevels()->AddObject(m_Level);
  host.manager = m_Manager.get();
}

BoardWorld::~BoardWorld() {
  m_Manager.reset();
  m_ScopedRandom.reset();
  if (g_App == m_App.get()) g_App = nullptr;
  m_App.reset();
  m_Video.reset();
  g_System = nullptr;
  m_System.reset();
}

void BoardWorld::RunLevel(float ms) { m_Manager->RenderCurrentLevel(ms, false, false); }

std::vector<std::string> BoardWorld::PlayedSounds() const {
  std::vector<std::string> names;
  const auto& log = *m_Sounds->log;
  for (size_t i = m_SoundLogStart; i < log.size(); ++i) {
    if (log[i].rfind("play ", 0) != 0) continue;
    const size_t number = std::stoul(log[i].substr(5));
    const std::string& path = m_Sounds->opened.at(number)->path;
    const size_t slash = path.rfind('/'), dot = path.rfind('.');
    names.push_back(path.substr(slash + 1, dot - slash - 1));
  }
  return names;
}

bool BoardWorld::Played(const char* name) const {
  const std::vector<std::string> names = PlayedSounds();
  return std::find(names.begin(), names.end(), name) != names.end();
}

void BoardWorld::ClearSounds() { m_SoundLogStart = m_Sounds->log->size(); }

void BoardWorld::MoveCursorTo(float x, float y) {
  const irr::core::vector2df screen = BvLevelManager::WorldToScreen(irr::core::vector2df(x, y));
  g_System->mouseX = static_cast<int16_t>(screen.X);
  g_System->mouseY = static_cast<int16_t>(screen.Y);
}

void BoardWorld::SetLeftButton(bool down) { g_System->leftDown = down ? 1 : 0; }

void BoardWorld::AnimateTemplate(const char* name, int animType, int frames, float fps) {
  m_Manager->GetElements()->RemoveObjectByName(name);
  auto* animation = new BvAnimElement(name);
  for (int i = 0; i < frames; ++i) animation->AddFrame(m_CellSprite);
  animation->SetAnimType(animType);
  animation->SetAnimSpeed(fps);
  m_Manager->GetElements()->AddObject(animation);
}

int BoardWorld::CountElements(const char* sourceName) const {
  int count = 0;
  for (const auto& entry : m_Level->GetIdIndex()) {
    auto* element = static_cast<BvLevelElement*>(entry.second);
    if (element->GetSourceElement() && element->GetSourceElement()->GetNameString() == sourceName &&
        !element->m_bDead)
      ++count;
  }
  return count;
}

}  // namespace test
}  // namespace bv
