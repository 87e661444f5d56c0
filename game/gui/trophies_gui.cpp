#include "game/gui/trophies_gui.h"

#include <cmath>
#include <string>
#include <vector>

#include "engine/level/fade_behaviors.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/resources/lang_table.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/create_text.h"
#include "game/gui/format_number.h"
#include "game/gui/gui_results.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kOkButton = "btnok";
constexpr const char* kButtonFont = "guifont";
constexpr const char* kScoreFont = "scorefont";
constexpr const char* kTrophyFont = "trophyfont";
constexpr int kEscapeKey = 27;
constexpr int kTextCentred = 0;
constexpr int kTextLeft = 1;
constexpr int kTextRight = 2;
constexpr int kListLayer = 1;
constexpr int kTrophyLayer = 3;
constexpr int kTipLayer = 7;
constexpr float kNoStartDelay = -1.0f;
constexpr int kNoBody = -1;
constexpr int kScoreBase = 10;
const irr::core::vector2df kOrigin(0.0f, 0.0f);

const irr::core::vector2df kButtonLabelPosition(0.0f, 3.0f);
const irr::core::vector2df kTitlePosition(-60.0f, 0.0f);
// Hiscore lines in the panel's own frame: line k at x = -25 + 22 k, the
// name at y -140 and the score ending at y 140.
constexpr float kFirstLine = -25.0f;
constexpr float kLineStep = 22.0f;
constexpr float kNameAt = -140.0f;
constexpr float kScoreAt = 140.0f;

// The tip: a panel following the cursor with a title and a text.
constexpr const char* kTipElement = "trophytip";
const irr::core::vector2df kTipTitlePosition(-100.0f, 14.0f);
const irr::core::vector2df kTipTextPosition(-100.0f, -10.0f);
constexpr float kTipWidening = 1.2f;
const irr::video::SColor kTipTextColour(0xFF321E0A);
// Opaque, so nothing under the tip reads through it.
const irr::video::SColor kTipPanelShown(0xFFFFFFFF);
const irr::video::SColor kTipTextShown(0xFF321E0A);
constexpr float kTipFadeSpeed = 10.0f;
const irr::core::vector2df kTipOffset(-40.0f, 30.0f);
// Half the height of a line of "trophyfont" text around its position.
constexpr float kTipTextHalfHeight = 10.0f;
// Room a tip leaves round the hiscores' texts.
constexpr float kScoresMargin = 6.0f;

// The trophies, in the order they are built and hovered.
struct Trophy {
  const char* element;
  int kind;
  const char* titleKey;
};
constexpr Trophy kTrophies[] = {
    {"elemscore", kAchievementScore, "achievescoretitle"},
    {"elemfreedom", kAchievementFreed, "achievefreedtitle"},
    {"elemchainbreaker", kAchievementChain, "achievechaintitle"},
    {"elemmagician", kAchievementSpellUsed, "achievespellusedtitle"},
    {"elemmatches", kAchievementMatches, "achievematchestitle"},
    {"elemhunter", kAchievementKilled, "achievekilledtitle"},
};
const irr::core::vector2df kTrophyTitlePosition(-5.0f, -89.0f);
const irr::video::SColor kTrophyTitleColour(0xFF321400);
constexpr const char* kStarElement = "trophystar";
// A star for each level reached, round the trophy from the bottom.
const irr::core::vector2df kStarSpots[kAchievementSteps] = {
    {0.0f, 75.0f}, {50.0f, 52.0f}, {61.0f, -2.0f}, {29.0f, -46.0f},
    {-26.0f, -46.0f}, {-61.0f, -6.0f}, {-50.0f, 55.0f}};

BvLevelManager* GuiLevels() { return g_Game ? g_Game->GetGlobalLevels() : nullptr; }

BvLevelElement* MakeText(const irr::core::vector2df& at, const wchar_t* text, const char* font,
                         int layer, BvLevelElement* parent) {
  BvLevelElement* element = CreateText(GuiLevels(), at, text, font);
  if (!element) return nullptr;
  element->SetLayer(layer);
  element->SetParent(parent);
  return element;
}

// A picture without body made from the global data's element source; none
// when the source is missing, since an element without source never runs
// the fade that would let the dialog close.
BvLevelElement* MakePicture(const irr::core::vector2df& at, const char* source) {
  BvLevelManager* levels = GuiLevels();
  if (!levels || !levels->GetElements()->FindObjectByName(source)) return nullptr;
  BvLevelElement* picture = CreateLevelElement(levels, at, source, kNoStartDelay);
  if (picture) picture->SetDynType(kNoBody);
  return picture;
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }
}  // namespace

void BvTrophiesGui::Init(intptr_t) {
  if (g_System) g_System->RestoreDefaultCursor();
  if (!g_Game) return;
  g_Game->GetStore().SubmitScores();
  m_Elapsed = 0.0f;
  m_Previous = 0.0f;
  m_Done = false;
  m_Result = 0;
  m_TipShown = false;
  // One pending achievement is unlocked here, without its notice.
  BvAchievement unlocked;
  if (BvProfile* profile = g_Game->GetCurrentProfile()) profile->CheckAchievements(unlocked);
  Build();
  FadeInElements();
  m_State = kStateOpen;
  g_Game->NotifyScene(kGuiResultOpened);
}

void BvTrophiesGui::Build() {
  if (BvLevelElement* ok = GetElement(kOkButton))
    MakeText(kButtonLabelPosition, GetText("back"), kButtonFont, kTrophyLayer, ok);
  BvLevelElement* panel = GetElement(kPanel);
  m_ScoreTexts.clear();
  if (BvLevelElement* title = MakeText(kTitlePosition, GetText("hiscores"), kScoreFont, kListLayer, panel)) {
    title->SetTextAlign(kTextCentred);
    m_ScoreTexts.push_back(title);
  }
  BuildHiscores(panel);
  BuildTip();
  BvLevel* level = GetLevel();
  for (const Trophy& trophy : kTrophies) {
    // The level's lookup shows its "Alert" for a missing trophy.
    auto* element = level ? static_cast<BvLevelElement*>(level->GetObjectByName(trophy.element)) : nullptr;
    if (!element) continue;
    if (BvLevelElement* title =
            MakeText(kTrophyTitlePosition, GetText(trophy.titleKey), kTrophyFont, kTrophyLayer, element)) {
      title->SetColor(kTrophyTitleColour);
      title->SetTextAlign(kTextCentred);
      m_TrophyTitles[trophy.kind] = title;
    }
    SetupTrophy(trophy.kind, element);
  }
}

void BvTrophiesGui::BuildHiscores(BvLevelElement* panel) {
  const BvPlayerStore& store = g_Game->GetStore();
  for (int k = 0; k < kShownScores; ++k) {
    const BvHiscoreEntry& entry = store.hiscores[k];
    const float line = kFirstLine + kLineStep * float(k);
    if (BvLevelElement* name = MakeText({line, kNameAt}, L"", kScoreFont, kListLayer, panel)) {
      name->SetTextA(entry.name);
      name->SetTextAlign(kTextLeft);
      m_ScoreTexts.push_back(name);
    }
    std::string digits;
    FormatNumber(digits, entry.score, kScoreBase, kFormatNumberMaxWidth);
    if (BvLevelElement* score =
            MakeText({line, kScoreAt}, Widen(digits).c_str(), kScoreFont, kListLayer, panel)) {
      score->SetTextAlign(kTextRight);
      m_ScoreTexts.push_back(score);
    }
  }
}

void BvTrophiesGui::BuildTip() {
  BvLevelManager* levels = GuiLevels();
  m_TipPanel = MakePicture(kOrigin, kTipElement);
  m_TipTitle = CreateText(levels, kTipTitlePosition, GetText("nexttrophy"), kTrophyFont);
  m_TipText = CreateText(levels, kTipTextPosition, L"", kTrophyFont);
  // Hidden until a trophy is hovered; without all three no tip is ever
  // shown, and what was made stays hidden.
  for (BvLevelElement* part : {m_TipPanel, m_TipTitle, m_TipText})
    if (part) part->SetVisible(false);
  if (!m_TipPanel || !m_TipTitle || !m_TipText) {
    m_TipPanel = m_TipTitle = m_TipText = nullptr;
    return;
  }
  m_TipPanel->SetLayer(kTipLayer);
  m_TipPanel->SetScale(kTipWidening, 1.0f);
  for (BvLevelElement* text : {m_TipTitle, m_TipText}) {
    text->SetLayer(kTipLayer);
    text->SetParent(m_TipPanel);
    text->SetTextAlign(kTextLeft);
    text->SetColor(kTipTextColour);
  }
}

void BvTrophiesGui::SetupTrophy(int kind, BvLevelElement* trophy) {
  if (kind < 0 || kind >= kAchievementKinds) return;
  const BvProfile* profile = g_Game ? g_Game->GetCurrentProfile() : nullptr;
  int reached = -1;
  for (int step = 0; profile && step < kAchievementSteps; ++step)
    if (profile->HasAchievement(kind, step)) reached = step;
  if (reached == kAchievementSteps - 1) {
    m_TipTexts[kind] = GetText("trophycomplete");
  } else {
    BvAchievement next;
    MakeAchievement(next, kind, reached + 1);
    m_TipTexts[kind] = next.description;
  }
  for (int j = 0; j <= reached; ++j) {
    BvLevelElement* star = MakePicture(kStarSpots[j], kStarElement);
    if (!star) continue;
    star->SetLayer(kTrophyLayer);
    star->SetParent(trophy);
  }
}

void BvTrophiesGui::Update(float ms) {
  BvGui::Update(ms);
  if (m_State == kStateOpen) HandleButtons();
  CloseOnceFaded();
}

void BvTrophiesGui::HandleButtons() {
  int hovered = -1;
  for (const Trophy& trophy : kTrophies) {
    if (IsMouseOver(trophy.element)) {
      hovered = trophy.kind;
      break;
    }
  }
  if (hovered >= 0) ShowTip(hovered);
  else HideTip();
  if (IsButtonClicked(kOkButton, true)) HideWithResult(kGuiResultResume);
  if (g_Game && g_Game->WasKeyPressed(kEscapeKey)) HideWithResult(kGuiResultResume);
}

void BvTrophiesGui::ShowTip(int kind) {
  if (!m_TipPanel || kind < 0 || kind >= kAchievementKinds) return;
  if (!m_TipShown) {
    m_TipShown = true;
    m_TipPanel->SetVisible(true);
    m_TipPanel->SetColor(kTipPanelShown);
    m_TipPanel->AddBehavior(new BvFadeInBehavior(kTipFadeSpeed, 0.0f));
    for (BvLevelElement* text : {m_TipTitle, m_TipText}) {
      text->SetVisible(true);
      text->SetColor(kTipTextShown);
      text->AddBehavior(new BvFadeInBehavior(kTipFadeSpeed, 0.0f));
    }
  }
  m_TipText->SetText(m_TipTexts[kind].c_str());
  // The tip keeps off the trophy's own title first, then off the scores,
  // then off the other trophies' titles.
  std::vector<BvTipBox> avoid;
  if (m_TrophyTitles[kind]) avoid.push_back(TextBox(*m_TrophyTitles[kind]));
  BvTipBox scores;
  if (ScoresBox(scores)) avoid.push_back(scores);
  for (int other = 0; other < kAchievementKinds; ++other)
    if (other != kind && m_TrophyTitles[other]) avoid.push_back(TextBox(*m_TrophyTitles[other]));
  m_TipPanel->SetPosition(PlaceTip(irr::core::vector2df(m_CursorX, m_CursorY) + kTipOffset, TipExtent(),
                                   WindowBox(), avoid.data(), int(avoid.size())));
}

bool BvTrophiesGui::ScoresBox(BvTipBox& box) const {
  bool any = false;
  for (const BvLevelElement* text : m_ScoreTexts) {
    if (!text->GetText() || !*text->GetText()) continue;
    const BvTipBox one = TextBox(*text);
    if (!any) box = one;
    box.left = std::fmin(box.left, one.left);
    box.bottom = std::fmin(box.bottom, one.bottom);
    box.right = std::fmax(box.right, one.right);
    box.top = std::fmax(box.top, one.top);
    any = true;
  }
  box = BvTipBox{box.left - kScoresMargin, box.bottom - kScoresMargin, box.right + kScoresMargin,
                 box.top + kScoresMargin};
  return any;
}

BvTipBox BvTrophiesGui::TipExtent() const {
  // The panel's picture, widened, around its position; the texts start
  // left of it and may reach past its right end.
  BvTipBox box = PictureBox(*m_TipPanel).Moved(-m_TipPanel->GetPosition());
  for (BvLevelElement* text : {m_TipTitle, m_TipText}) {
    const irr::core::vector2df at = text->GetLocalPosition();
    box.left = std::fmin(box.left, at.X);
    box.right = std::fmax(box.right, at.X + float(text->GetTextWidth()));
    box.bottom = std::fmin(box.bottom, at.Y - kTipTextHalfHeight);
    box.top = std::fmax(box.top, at.Y + kTipTextHalfHeight);
  }
  return box;
}

BvTipBox BvTrophiesGui::TextBox(const BvLevelElement& text) {
  const irr::core::vector2df at = text.GetPosition();
  const float width = float(text.GetTextWidth());
  // Where the text starts from its position, by its alignment.
  const float left = text.GetTextAlign() == kTextLeft    ? at.X
                     : text.GetTextAlign() == kTextRight ? at.X - width
                                                         : at.X - width / 2.0f;
  return BvTipBox{left, at.Y - kTipTextHalfHeight, left + width, at.Y + kTipTextHalfHeight};
}

void BvTrophiesGui::HideTip() {
  if (!m_TipShown) return;
  m_TipShown = false;
  for (BvLevelElement* element : {m_TipPanel, m_TipTitle, m_TipText})
    element->AddBehavior(new BvFadeOutBehavior(kTipFadeSpeed, 0.0f, false, false));
}

void BvTrophiesGui::Hide() {
  FadeOutElements();
  m_State = kStateClosing;
}
