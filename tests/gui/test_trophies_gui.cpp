// The trophies and hiscores page headless: the five best entries after the
// profiles' scores are submitted, one pending achievement unlocked without a
// notice, the stars and tips of the trophies, the hover tip, and closing.
#include "game/gui/trophies_gui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/behavior.h"
#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 20.0f;
constexpr int kTrophies = 9;

class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  std::vector<int> events;
};

struct Placed {
  const char* name;
  int x, y;
};
const Placed kTrophyPlaces[] = {{"elemscore", -300, 200}, {"elemfreedom", -300, 0},
                                {"elemchainbreaker", -300, -200}, {"elemmagician", 300, 200},
                                {"elemmatches", 300, 0}, {"elemhunter", 300, -200}};

class TrophiesGuiTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BvLevelManager* gui = Gui();
    for (const char* name : {"interfaceback", "btnok", "trophytip", "trophystar"}) world.AddTemplate(gui, name);
    for (const Placed& p : kTrophyPlaces) world.AddTemplate(gui, p.name);
    for (const char* font : {"guifont", "scorefont", "trophyfont"})
      gui->GetElements()->AddObject(new BvTextElement(font));
    world.AddText("achievescoredesc", "Score %d");
    world.AddText("achievefreeddesc", "Free %d");
    world.AddText("trophycomplete", "Complete");
    std::string level = "<level name=\"trophies\"><lvlelements>"
                        "<lvlelement name=\"interfaceback\"><sourceelement>interfaceback</sourceelement></lvlelement>"
                        "<lvlelement name=\"btnok\"><sourceelement>btnok</sourceelement><pos x=\"0\" y=\"-250\"/></lvlelement>";
    for (const Placed& p : kTrophyPlaces)
      level += std::string("<lvlelement name=\"") + p.name + "\"><sourceelement>" + p.name +
               "</sourceelement><pos x=\"" + std::to_string(p.x) + "\" y=\"" + std::to_string(p.y) +
               "\"/></lvlelement>";
    level += "</lvlelements></level>";
    std::string levels;
    for (int n = 0; n < 11; ++n) levels += n == kTrophies ? level : "<level name=\"empty\"></level>";
    world.WriteLevels("global.xml", levels);
    scene = new ListeningScene;
    world.game()->SetSceneEntry(2, scene);
    world.game()->SetScene(2);
    trophies = static_cast<BvTrophiesGui*>(world.game()->GetGui(kTrophies));
    BvPlayerStore& store = world.host()->GetStore();
    store.Reset();
    store.SelectProfile(0, "Ann");
    BvProfile& ann = store.profiles[0];
    ann.score = 60000;
    for (int step = 0; step < 3; ++step) ann.achievements[kAchievementScore * 7 + step] = 1;
    for (int step = 0; step < 7; ++step) ann.achievements[kAchievementFreed * 7 + step] = 1;
    ann.matches = 900;  // two match steps pending
  }
  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvLevelElement* Element(const char* name) const {
    return static_cast<BvLevelElement*>(Gui()->GetCurrentLevel()->FindObjectByName(name));
  }
  void Open() { world.game()->ShowGui(kTrophies, 2, 0); }
  void Frame() {
    trophies->Update(kFrameMs);
    Gui()->RenderCurrentLevel(kFrameMs, false, false);
  }
  std::vector<BvLevelElement*> StarsOf(const char* trophy) const {
    std::vector<BvLevelElement*> stars;
    for (BvLevelElement* child : Element(trophy)->GetChildren())
      if (child->GetSourceElement() && std::string(child->GetSourceElement()->GetName()) == "trophystar")
        stars.push_back(child);
    return stars;
  }
  std::wstring TextAt(float x, float y) const {
    for (BvLevelElement* child : Element("interfaceback")->GetChildren())
      if (child->GetLocalPosition() == irr::core::vector2df(x, y) && child->GetText()) return child->GetText();
    return L"?";
  }
  BvProfile& Profile() { return world.host()->GetStore().profiles[0]; }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  ListeningScene* scene = nullptr;
  BvTrophiesGui* trophies = nullptr;
};

TEST_F(TrophiesGuiTest, ListsTheFiveBestAfterSubmittingTheProfilesScores) {
  Open();
  const wchar_t* names[] = {L"Brasvolt", L"Ann", L"Brasvolt", L"Brasvolt", L"Brasvolt"};
  const wchar_t* scores[] = {L"100000", L"60000", L"50000", L"30000", L"20000"};
  for (int k = 0; k < 5; ++k) {
    const float line = -25.0f + 22.0f * k;
    EXPECT_EQ(TextAt(line, -140), names[k]) << k;
    EXPECT_EQ(TextAt(line, 140), scores[k]) << k;
  }
  EXPECT_EQ(TextAt(-25.0f + 22.0f * 5, -140), L"?") << "five entries only";
  EXPECT_EQ(scene->events, std::vector<int>{5});
  EXPECT_EQ(world.Plays("guimove"), 0) << "no slide";
  // One pending achievement, unlocked without its notice.
  EXPECT_EQ(Profile().achievements[kAchievementMatches * 7 + 0], 1);
  EXPECT_EQ(Profile().achievements[kAchievementMatches * 7 + 1], 0);
  EXPECT_EQ(world.game()->GetCurrentGui(), kTrophies);
}

TEST_F(TrophiesGuiTest, StarsPerLevelReachedAndTheTipOfTheNextLevel) {
  Open();
  const std::vector<BvLevelElement*> score = StarsOf("elemscore");
  ASSERT_EQ(score.size(), 3u);
  EXPECT_EQ(score[0]->GetLocalPosition(), irr::core::vector2df(0, 75));
  EXPECT_EQ(score[1]->GetLocalPosition(), irr::core::vector2df(50, 52));
  EXPECT_EQ(score[2]->GetLocalPosition(), irr::core::vector2df(61, -2));
  EXPECT_EQ(StarsOf("elemfreedom").size(), 7u);
  EXPECT_EQ(StarsOf("elemhunter").size(), 0u);
  EXPECT_EQ(trophies->GetTipText(kAchievementScore), L"Score 300000");
  EXPECT_EQ(trophies->GetTipText(kAchievementFreed), L"Complete");
}

// The tip names the next level's threshold until the last level is held.
TEST_F(TrophiesGuiTest, TipNamesTheNextLevelUntilTheLastIsReached) {
  const wchar_t* expected[] = {L"Score 10000",  L"Score 50000",  L"Score 200000", L"Score 300000",
                               L"Score 500000", L"Score 600000", L"Score 700000", L"Complete"};
  Profile().score = 0;  // nothing of the score kind pending
  for (int held = 0; held <= 7; ++held) {
    for (int step = 0; step < 7; ++step)
      Profile().achievements[kAchievementScore * 7 + step] = step < held ? 1 : 0;
    world.game()->SetGuiMode(0);
    Open();
    EXPECT_EQ(StarsOf("elemscore").size(), size_t(held)) << held << " levels held";
    EXPECT_EQ(trophies->GetTipText(kAchievementScore), expected[held]) << held << " levels held";
  }
}

// The page's title and each trophy's own title.
TEST_F(TrophiesGuiTest, TitlesOfThePageAndOfEachTrophy) {
  world.AddText("hiscores", "Best scores");
  world.AddText("back", "Back");
  world.AddText("nexttrophy", "Next trophy");
  const struct {
    const char* trophy;
    const char* key;
    const wchar_t* text;
  } titles[] = {{"elemscore", "achievescoretitle", L"Scorer"},
                {"elemfreedom", "achievefreedtitle", L"Liberator"},
                {"elemchainbreaker", "achievechaintitle", L"Chain breaker"},
                {"elemmagician", "achievespellusedtitle", L"Magician"},
                {"elemmatches", "achievematchestitle", L"Matcher"},
                {"elemhunter", "achievekilledtitle", L"Hunter"}};
  for (const auto& title : titles) {
    std::string narrow;
    for (const wchar_t* c = title.text; *c; ++c) narrow.push_back(char(*c));
    world.AddText(title.key, narrow.c_str());
  }
  Open();
  EXPECT_EQ(TextAt(-60, 0), L"Best scores");
  std::vector<std::wstring> button;
  for (BvLevelElement* child : Element("btnok")->GetChildren())
    if (child->GetText()) button.push_back(child->GetText());
  EXPECT_EQ(button, std::vector<std::wstring>{L"Back"});
  const BvLevelElement* tip = nullptr;
  for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
    const auto* e = static_cast<const BvLevelElement*>(entry.second);
    if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "trophytip") tip = e;
  }
  ASSERT_NE(tip, nullptr);
  ASSERT_FALSE(tip->GetChildren().empty());
  EXPECT_EQ(std::wstring(tip->GetChildren()[0]->GetText()), L"Next trophy") << "the tip's title";
  for (const auto& title : titles) {
    std::vector<std::wstring> texts;
    for (BvLevelElement* child : Element(title.trophy)->GetChildren())
      if (child->GetText() && *child->GetText()) texts.push_back(child->GetText());
    EXPECT_EQ(texts, std::vector<std::wstring>{title.text}) << title.trophy;
  }
}

TEST_F(TrophiesGuiTest, HoverTipFollowsTheTrophyUnderTheCursor) {
  Open();
  Frame();
  BvLevelElement* tip = nullptr;
  for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
    auto* e = static_cast<BvLevelElement*>(entry.second);
    if (e->GetSourceElement() && std::string(e->GetSourceElement()->GetName()) == "trophytip") tip = e;
  }
  ASSERT_NE(tip, nullptr);
  EXPECT_FALSE(tip->IsVisible());
  world.MoveCursor(-300, 200);
  Frame();
  EXPECT_TRUE(trophies->IsTipShown());
  EXPECT_TRUE(tip->IsVisible());
  // 40 left of and 30 above the cursor, but pushed right until its texts,
  // which start 100 left of the panel, meet the window's left edge.
  EXPECT_EQ(tip->GetPosition(), irr::core::vector2df(-300, 230));
  ASSERT_EQ(tip->GetChildren().size(), 2u);
  EXPECT_EQ(std::wstring(tip->GetChildren()[1]->GetText()), L"Score 300000");
  const size_t fades = tip->GetBehaviors().size();
  world.MoveCursor(-300, 0);
  Frame();
  EXPECT_EQ(std::wstring(tip->GetChildren()[1]->GetText()), L"Complete");
  EXPECT_EQ(tip->GetBehaviors().size(), fades) << "switching trophies fades nothing in";
  world.MoveCursor(0, 100);
  Frame();
  EXPECT_FALSE(trophies->IsTipShown());
  EXPECT_EQ(tip->GetBehaviors().size(), fades + 1) << "a fade-out";
  EXPECT_EQ(tip->GetBehaviors().back()->GetType(), kBehaviorColorFade);
}

TEST_F(TrophiesGuiTest, OkAndEscapeCloseWithResumeAndWithoutAProfileNoStars) {
  world.host()->GetStore().current = -1;
  Open();
  EXPECT_EQ(StarsOf("elemscore").size(), 0u);
  EXPECT_EQ(trophies->GetTipText(kAchievementFreed), L"Free 2") << "the first level's tip";
  Frame();
  world.system()->keyDown[27] = 1;
  Frame();
  EXPECT_EQ(trophies->GetState(), BvGui::kStateClosing);
  for (int i = 0; i < 200 && !trophies->IsDone(); ++i) Frame();
  EXPECT_EQ(scene->events.back(), 2);

  world.host()->GetStore().current = 0;
  Open();
  Frame();
  world.MoveCursor(0, -250);
  world.PressLeft(true);
  Frame();
  EXPECT_EQ(trophies->GetState(), BvGui::kStateClosing);
}

// The button handler on its own: Escape hides the dialog.
TEST_F(TrophiesGuiTest, HandleButtonsReadsEscape) {
  Open();
  world.system()->keyDown[27] = 1;
  trophies->HandleButtons();
  EXPECT_EQ(trophies->GetState(), BvGui::kStateClosing);
}

}  // namespace

// Without the tip's font there is no tip: its panel stays hidden rather than
// an empty panel in the middle of the dialog.
TEST_F(TrophiesGuiTest, WithoutTheTrophyFontTheTipPanelStaysHidden) {
  Gui()->GetElements()->RemoveObjectByName("trophyfont");
  Open();
  int panels = 0;
  for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex()) {
    const auto* element = static_cast<const BvLevelElement*>(entry.second);
    const BvElement* source = element->GetSourceElement();
    if (!source || std::string(source->GetName()) != "trophytip") continue;
    ++panels;
    EXPECT_FALSE(element->IsVisible());
  }
  EXPECT_EQ(panels, 1);
}
