#include "game/gui/tutorial_gui.h"

#include <string>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/motion_behaviors.h"
#include "engine/level/registries.h"
#include "engine/resources/lang_table.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_functions.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/core/tip_bits.h"
#include "game/gui/create_text.h"
#include "game/gui/gui_results.h"

namespace {
constexpr const char* kPanel = "interfaceback";
constexpr const char* kCheckBox = "showhint";
constexpr const char* kTickElement = "checked";
constexpr const char* kOkButton = "btnok";
constexpr const char* kTitleFont = "guifont";
constexpr const char* kPageFont = "tutofont";
constexpr const char* kOpenSound = "tuto";
constexpr float kOpenVolume = 0.5f;
constexpr int kEscapeKey = 27;
constexpr int kTextLayer = 1;
constexpr int kTickLayer = 2;
constexpr int kTextLeft = 1;
constexpr float kNoStartDelay = -1.0f;
constexpr int kNoBody = -1;
constexpr float kPi = 3.14159265f;

const irr::core::vector2df kTitlePosition(0.0f, 110.0f);
const irr::core::vector2df kCheckLabelPosition(25.0f, 0.0f);
const irr::core::vector2df kButtonLabelPosition(0.0f, 3.0f);
const irr::core::vector2df kOrigin(0.0f, 0.0f);
// The four lines of a page, top to bottom.
const irr::core::vector2df kLinePositions[] = {{-90.0f, 75.0f}, {-90.0f, 50.0f}, {-90.0f, 25.0f}, {-90.0f, 0.0f}};
const irr::core::vector2df kPicturePosition(-150.0f, 25.0f);

// How a page's picture moves.
enum class Motion { kNone, kSpin, kBob, kWobble };

struct TutorialPage {
  int bit;
  // Language keys "<stem>1".."<stem>4".
  const char* stem;
  // The picture: an element of the global data, or (fromScene) of the
  // current screen's data.
  const char* picture;
  bool fromScene;
  float scale;
  Motion motion;
  float range;
};

constexpr TutorialPage kPages[] = {
    {kTipMatch3, "tutomatch3-", "tutotile", false, 1.0f, Motion::kNone, 0.0f},
    {kTipTurtle, "tutoturtle-", "turtle", true, 0.9f, Motion::kSpin, 0.0f},
    {kTipCrab, "tutospider-", "crabs", true, 0.9f, Motion::kSpin, 0.0f},
    {kTipBat, "tutobat-", "bat", true, 1.0f, Motion::kBob, 20.0f},
    {kTipHidden, "tutohidden-", "tutohidden", false, 0.9f, Motion::kBob, 10.0f},
    {kTipSpell, "tutospell-", "tutospell", false, 1.0f, Motion::kNone, 0.0f},
    {kTipCage, "tutocage-", "achievefreed", false, 0.9f, Motion::kWobble, 5.0f},
    {kTipTimer, "tutotimer-", "tutogauge", false, 1.0f, Motion::kNone, 0.0f},
};
constexpr float kSpinSpeed = -500.0f;
constexpr float kMotionSpeed = 500.0f;
// The match-3 page's two arrows sway in opposite directions.
constexpr float kArrowRange = 10.0f;
constexpr float kArrowSpeed = 100.0f;
const irr::core::vector2df kUpperArrowPosition(-150.0f, 40.0f);
const irr::core::vector2df kLowerArrowPosition(-150.0f, 10.0f);

BvLevelManager* GuiLevels() { return g_Game ? g_Game->GetGlobalLevels() : nullptr; }

BvLevelElement* MakeText(const irr::core::vector2df& at, const wchar_t* text, const char* font,
                         BvLevelElement* parent) {
  BvLevelElement* element = CreateText(GuiLevels(), at, text, font);
  if (!element) return nullptr;
  element->SetLayer(kTextLayer);
  element->SetParent(parent);
  return element;
}

// A picture without body on the page, child of the panel, drawn with
// source. Nothing without a source: an element that has none never runs its
// behaviours, so it would never fade out and the page would never close.
BvLevelElement* MakePicture(const irr::core::vector2df& at, BvElement* source, BvLevelElement* panel) {
  if (!source) return nullptr;
  BvLevelElement* picture = CreateLevelElement(GuiLevels(), at, nullptr, kNoStartDelay);
  if (!picture) return nullptr;
  picture->SetSourceElement(source);
  picture->SetDynType(kNoBody);
  picture->SetLayer(kTextLayer);
  picture->SetParent(panel);
  return picture;
}

// The named element of a manager's scene data; the lookup's "Alert" when
// it is missing.
BvElement* SourceOf(BvLevelManager* levels, const char* name) {
  return levels ? static_cast<BvElement*>(levels->GetElements()->GetObjectByName(name)) : nullptr;
}
}  // namespace

void BvTutorialGui::Init(intptr_t argument) {
  if (g_System) g_System->RestoreDefaultCursor();
  m_Elapsed = 0.0f;
  m_Previous = 0.0f;
  m_Done = false;
  m_Result = 0;
  Build(int(argument));
  PlayEffect(kOpenSound, false, kOpenVolume);
  FadeInElements();
  m_State = kStateOpen;
  if (g_Game) g_Game->NotifyScene(kGuiResultOpened);
}

void BvTutorialGui::Build(int bit) {
  m_Tick = nullptr;
  BvLevelElement* panel = GetElement(kPanel);
  MakeText(kTitlePosition, GetText("tutorial"), kTitleFont, panel);
  BuildCheckBox();
  if (BvLevelElement* ok = GetElement(kOkButton)) {
    ok->SetParent(panel);
    MakeText(kButtonLabelPosition, GetText("ok"), kTitleFont, ok);
  }
  BuildPage(bit);
}

void BvTutorialGui::BuildCheckBox() {
  BvLevelElement* box = GetElement(kCheckBox);
  if (!box) return;
  if (BvLevelElement* label = MakeText(kCheckLabelPosition, GetText("dontshowhint"), kPageFont, box))
    label->SetTextAlign(kTextLeft);
  m_Tick = MakePicture(kOrigin, SourceOf(GuiLevels(), kTickElement), box);
  if (m_Tick) m_Tick->SetLayer(kTickLayer);
}

void BvTutorialGui::BuildPage(int bit) {
  const TutorialPage* page = nullptr;
  for (const TutorialPage& candidate : kPages)
    if (candidate.bit == bit) page = &candidate;
  if (!page) return;
  BvLevelElement* panel = FindElement(kPanel);
  for (int line = 0; line < 4; ++line) {
    const std::string key = page->stem + std::to_string(line + 1);
    if (BvLevelElement* text = MakeText(kLinePositions[line], GetText(key.c_str()), kPageFont, panel))
      text->SetTextAlign(kTextLeft);
  }
  // The monsters are drawn with the current screen's own pictures.
  BvLevelManager* pictures = page->fromScene ? (g_Game ? g_Game->GetCurrentLevels() : nullptr) : GuiLevels();
  BvLevelElement* picture = MakePicture(kPicturePosition, SourceOf(pictures, page->picture), panel);
  if (!picture) return;
  picture->SetScale(page->scale, page->scale);
  switch (page->motion) {
    case Motion::kNone: break;
    case Motion::kSpin: picture->AddBehavior(new BvRotateBehavior(kSpinSpeed)); break;
    case Motion::kBob: picture->AddBehavior(new BvSinusYBehavior(page->range, kMotionSpeed, 0.0f)); break;
    case Motion::kWobble:
      picture->AddBehavior(new BvSinusYBehavior(page->range, kMotionSpeed, 0.0f));
      picture->AddBehavior(new BvCosinusXBehavior(page->range, kMotionSpeed, 0.0f));
      break;
  }
  if (bit == kTipMatch3) {
    if (BvLevelElement* upper = MakePicture(kUpperArrowPosition, SourceOf(GuiLevels(), "tutoarrow1"), panel))
      upper->AddBehavior(new BvCosinusXBehavior(kArrowRange, kArrowSpeed, -kPi / 2.0f));
    if (BvLevelElement* lower = MakePicture(kLowerArrowPosition, SourceOf(GuiLevels(), "tutoarrow2"), panel))
      lower->AddBehavior(new BvCosinusXBehavior(kArrowRange, kArrowSpeed, kPi / 2.0f));
  }
}

void BvTutorialGui::Update(float ms) {
  BvGui::Update(ms);
  if (m_State == kStateOpen) HandleButtons();
  CloseOnceFaded();
}

void BvTutorialGui::HandleButtons() {
  BvProfile* profile = g_Game ? g_Game->GetCurrentProfile() : nullptr;
  if (m_Tick) m_Tick->SetVisible(profile && profile->showHints != 0);
  if (IsButtonClicked(kCheckBox, true) && profile) profile->showHints = profile->showHints == 0 ? 1 : 0;
  if (IsButtonClicked(kOkButton, true)) HideWithResult(kGuiResultResume);
  if (g_Game && g_Game->WasKeyPressed(kEscapeKey)) HideWithResult(kGuiResultResume);
}

void BvTutorialGui::Hide() {
  FadeOutElements();
  m_State = kStateClosing;
}
