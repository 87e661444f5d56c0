#include "game/scenes/story_scene.h"

#include <cstdio>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/physics_values.h"
#include "engine/resources/lang_table.h"
#include "engine/sound/sound_functions.h"
#include "game/core/game.h"
#include "game/scenes/element_templates.h"
#include "game/core/player_store.h"
#include "game/gui/create_text.h"
#include "game/scenes/font_alias.h"

namespace {
constexpr const char* kFile = "story.xml";
constexpr const char* kMusic = "musicmap";
constexpr const char* kArrow = "arrow";
constexpr const char* kTitleFont = "gothic30";
constexpr const char* kBodyFont = "gothic14";
constexpr const char* kArrowFont = "andalous18";
const irr::video::SColor kInk(0xC81E0A00);
constexpr float kNoStartDelay = -1.0f;
constexpr int kTextLayer = 1;
constexpr int kPictureLayer = 2;
constexpr int kArrowTextLayer = 5;
constexpr int kAlignLeft = 1;
constexpr float kLineFadeSpeed = 5.0f;
// Line j of a column starts fading in after 300 + 300 j ms.
constexpr float kFirstLineMs = 300.0f;
constexpr float kLineStepMs = 300.0f;
constexpr int kLeftLines = 6;
constexpr int kChapterRightLines = 18;
constexpr int kSpellRightLines = 10;
constexpr float kLeftX = -160.0f;
constexpr float kLineStep = 20.0f;
constexpr float kClickVolume = 0.5f;

std::string Key(const char* pattern, int w, int k) {
  char key[32];
  std::snprintf(key, sizeof(key), pattern, w, k);
  return key;
}

float Delay(int j) { return kFirstLineMs + kLineStepMs * float(j); }
}  // namespace

std::vector<BvStoryLine> StoryPageLines(int w, bool spellPage) {
  std::vector<BvStoryLine> lines;
  // The left column: a title, then the picture's caption lines.
  static constexpr float kChapterLeftY[kLeftLines] = {190, -70, -90, -110, -130, -150};
  static constexpr float kSpellLeftY[kLeftLines] = {190, 158, -90, -110, -130, -150};
  for (int j = 0; j < kLeftLines; ++j) {
    const bool title = j == 0 || spellPage;
    lines.push_back({Key(spellPage ? "so%dap%d" : "ch%dap%d", w, j + 1),
                     title ? kTitleFont : kBodyFont, kLeftX,
                     spellPage ? kSpellLeftY[j] : kChapterLeftY[j], 0, Delay(j)});
  }
  if (!spellPage) {
    for (int j = 0; j < kChapterRightLines; ++j)
      lines.push_back({Key("ch%dp%d", w, j + 1), kBodyFont, 50.0f, 190.0f - kLineStep * float(j),
                       kAlignLeft, Delay(j)});
    return lines;
  }
  lines.push_back({Key("so%dp%d", w, 1), kTitleFont, 150.0f, 190.0f, 0, Delay(0)});
  for (int j = 1; j < kSpellRightLines; ++j)
    lines.push_back({Key("so%dp%d", w, j + 1), kBodyFont, 50.0f,
                     130.0f - kLineStep * float(j - 1), kAlignLeft, Delay(j)});
  return lines;
}

bool BvStoryScene::Load() {
  BvScene::Load();
  BvLevelManager* levels = GetLevelManager();
  if (!levels || !levels->LoadScene(kFile)) return false;
  BvLevelManager* global = GetGame() ? GetGame()->GetGlobalLevels() : nullptr;
  bv::AddFontAlias(levels, levels, "gothic-font30", kTitleFont);
  bv::AddFontAlias(levels, levels, "gothic-font14", kBodyFont, -3);
  bv::AddFontAlias(levels, global, "andalous-font18", kArrowFont);
  levels->LoadLevel(0, kFile, true);
  return true;
}

int BvStoryScene::BookNumber() const {
  const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  return (profile ? profile->world : 0) + 1;
}

bool BvStoryScene::IsSpellPage() const {
  const BvProfile* profile = GetGame() ? GetGame()->GetCurrentProfile() : nullptr;
  return profile && profile->level > 0;
}

void BvStoryScene::Init(intptr_t) {
  OpenFromBlack();
  BvLevelManager* levels = GetLevelManager();
  BvLevel* level = levels ? levels->GetCurrentLevel() : nullptr;
  m_Arrow = level ? static_cast<BvLevelElement*>(level->FindObjectByName(kArrow)) : nullptr;
  if (m_Arrow) {
    BvLevelElement* label =
        CreateText(levels, irr::core::vector2df(-40.0f, 0.0f), GetText("play"), kArrowFont);
    if (label) {
      label->SetParent(m_Arrow);
      label->SetTextAlign(kAlignLeft);
      label->SetLayer(kArrowTextLayer);
    }
  }
  ShowPage();
  ShowImages();
  m_State = kStateOpening;
  StartMusic(kMusic);
}

void BvStoryScene::ShowPage() {
  m_PageTexts.clear();
  BvLevelManager* levels = GetLevelManager();
  for (const BvStoryLine& line : StoryPageLines(BookNumber(), IsSpellPage())) {
    BvLevelElement* text =
        CreateLevelElement(levels, irr::core::vector2df(line.x, line.y), line.font, kNoStartDelay);
    if (!text) continue;
    text->SetDynType(bv::kNoBody);
    text->SetText(GetText(line.key.c_str()));
    text->SetColor(kInk);
    text->SetTextAlign(line.alignment);
    text->SetLayer(kTextLayer);
    text->AddBehavior(new BvFadeInBehavior(kLineFadeSpeed, line.delayMs));
    m_PageTexts.push_back(text);
  }
}

void BvStoryScene::ShowImages() {
  const int w = BookNumber();
  const bool spell = IsSpellPage();
  char name[16];
  std::snprintf(name, sizeof(name), spell ? "sort%d" : "img%d", w);
  BvLevelManager* levels = GetLevelManager();
  // Only a picture the scene file defines: a missing one is dropped.
  if (!bv::HasTemplate(levels, name)) return;
  const irr::core::vector2df at = spell ? irr::core::vector2df(-162.0f, 38.0f)
                                        : irr::core::vector2df(-162.0f, 55.0f);
  BvLevelElement* picture = CreateLevelElement(levels, at, name, kNoStartDelay);
  if (!picture) return;
  picture->SetDynType(bv::kNoBody);
  picture->SetLayer(kPictureLayer);
  picture->AddBehavior(spell ? new BvFadeInBehavior(1.0f, 500.0f) : new BvFadeInBehavior(10.0f, 0.0f));
}

void BvStoryScene::Update(float ms) {
  BvScene::Update(ms);
  switch (m_State) {
    case kStateOpening:
      if (UncoverStep(ms)) m_State = kStateLive;
      break;
    case kStateLive:
      HandleButtons();
      break;
    case kStateLeaving:
      CoverStep(ms);
      break;
    default:
      break;
  }
}

void BvStoryScene::HandleButtons() {
  BvGame* game = GetGame();
  if (!game) return;
  if (IsDialogOver()) return;
  if (!game->WasLeftClicked()) return;
  BvLevelManager* levels = GetLevelManager();
  if (!m_Arrow || !levels || !m_Arrow->HitTest(levels->GetMouseWorldPosition(0))) return;
  PlayEffect("guiclick", false, kClickVolume);
  m_State = kStateLeaving;
}

void BvStoryScene::OnEvent(int code) { HandlePauseResult(code, kStateLeaving); }
