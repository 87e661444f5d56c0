// BvGame::LoadGlobalData: what every screen shares, loaded once on entering
// the frame loop.
#include <irrlicht.h>

#include "engine/level/element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/platform/message_box.h"
#include "engine/resources/image.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "game/board/layout.h"
#include "game/core/game.h"
#include "game/core/layout_bank.h"
#include "game/core/player_store.h"
#include "game/core/probe.h"
#include "game/core/sound_table.h"
#include "game/core/test_doorway.h"
#include "game/core/texture_needs.h"

namespace {
// The game cursor: image, hot spot in pixels.
constexpr const char* kGameCursorImage = "icons/cursor125.png";
constexpr int kGameCursorHotSpot = 15;

struct FontAlias {
  const char* image;  // font image of the global data
  const char* alias;  // text element the screens create their texts from
};
constexpr FontAlias kFontAliases[] = {
    {"andalous-font18", "guifont"},
    {"andalus-font12", "tutofont"},
    {"showcard-font12", "scorefont"},
    {"matura-font13", "trophyfont"},
};
}  // namespace

void BvGame::LoadGlobalData() {
  if (globalLevels) globalLevels->SetTextureNeeds(GlobalTextureNeed);
  if (currentLevels) currentLevels->SetTextureNeeds(SceneTextureNeed);
  BvGameBase::LoadGlobalData();
  if (g_System)
    m_GameCursor = g_System->LoadCursorImage(kGameCursorImage, kGameCursorHotSpot,
                                             kGameCursorHotSpot);
  // A test entering a screen directly plays as a profile of its own.
  const int startScene = StartSceneFromEnvironment();
  if (startScene) EnsureTestProfile(GetStore());
  if (const float limit = TimeLimitFromEnvironment()) m_Board->SetLevelTimeLimit(limit);
  ApplyStartPosition();
  if (g_SoundManager) RegisterGameSounds(*g_SoundManager);
  if (!m_LayoutBank->LoadBinary()) {
    // Without layouts no board can be played: say so before quitting.
    bv::ShowMessageBox("Error", "Failed loading board layouts (data/layouts.bin)");
    if (g_Device) g_Device->closeDevice();
    Quit();
  }
  LoadFontAliases();
  m_GuiNotified = false;
  m_Probe = BvProbe::FromEnvironment();
  SetScene(startScene ? startScene : kSceneSplash);
}

void BvGame::ApplyStartPosition() {
  // Values that would index past the screens or the layouts count as not
  // given.
  if (g_CmdWorld < 0 || g_CmdWorld >= BvProfile::kWorldCount) g_CmdWorld = -1;
  if (g_CmdLevel < 0 || g_CmdLevel > BvProfile::kLastLevel) g_CmdLevel = -1;
  if (g_CmdLayout < 0 || g_CmdLayout >= BvLayoutBank::kBinaryLayoutCount) g_CmdLayout = -1;
  BvProfile* profile = GetCurrentProfile();
  if (!profile) return;
  if (g_CmdWorld >= 0) profile->world = g_CmdWorld;
  if (g_CmdLevel >= 0) profile->level = g_CmdLevel;
}

void BvGame::LoadFontAliases() {
  if (!globalLevels) return;
  for (const FontAlias& font : kFontAliases) {
    auto* image = static_cast<BvImage*>(globalLevels->GetImages()->GetObjectByName(font.image));
    if (!image) continue;
    auto* text = new BvTextElement(font.alias);
    text->SetFontImage(image);
    globalLevels->GetElements()->AddObject(text);
  }
}
