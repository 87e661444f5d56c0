#include "engine/shell/game_host.h"

#include "engine/platform/user_folder.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/save_file.h"

namespace {
constexpr const char* kSaveFileName = "savegame.sav";
}  // namespace

BvGameHost::BvGameHost(BvSystem* system) : m_System(system) {
  m_Game = new BvGame(this);
  g_Game = m_Game;
  g_App = m_Game;
}

BvGameHost::~BvGameHost() {
  if (g_App == m_Game) g_App = nullptr;
  if (g_Game == m_Game) g_Game = nullptr;
  delete m_Game;
  m_Game = nullptr;
  SaveSaveGame();
}

void BvGameHost::Run() {
  LoadSaveGame();
  while (!g_Quit) {
    Step();
    // Without a display the loop cannot run again: stop instead of
    // re-entering it for ever.
    if (!g_Quit && g_Driver == nullptr) g_Quit = true;
  }
}

void BvGameHost::Step() {
  if (!g_Quit && m_Game) m_Game->Run();
}

std::string BvGameHost::GetSavePath() { return bv::UserFilePath(kSaveFileName).string(); }

void BvGameHost::LoadSaveGame() {
  m_SaveFile.emplace(bv::MakeSaveFile(GetSavePath()));
  bv::ReadSaveFile(*m_SaveFile, m_Store);
}

bool BvGameHost::SaveSaveGame() {
  m_Store.SubmitScores();
  if (!m_SaveFile) m_SaveFile.emplace(bv::MakeSaveFile(GetSavePath()));
  // The write creates the user folder when it is missing.
  return bv::WriteSaveFile(*m_SaveFile, m_Store);
}

void BvSystem::RunSession() {
  BvGameHost* host = new BvGameHost(this);
  if (displayReady) host->Run();
  delete host;
}

namespace bv {
void RunGameSession(BvSystem& system) { system.RunSession(); }
}  // namespace bv
