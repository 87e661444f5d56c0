// The player dialogs headless: slot choice (only the first free slot takes
// a name, a click elsewhere commits it), deletion through the alert box with
// the current index following its player, and the new player in slot 0.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/level/element.h"
#include "engine/level/level.h"
#include "engine/level/level_element.h"
#include "engine/level/level_manager.h"
#include "engine/level/registries.h"
#include "engine/shell/game_host.h"
#include "engine/shell/system.h"
#include "game/core/game.h"
#include "game/core/player_store.h"
#include "game/gui/new_player_gui.h"
#include "game/gui/players_gui.h"
#include "support/game_world.h"
#include "support/null_video.h"

namespace {

constexpr float kFrameMs = 20.0f;

class ListeningScene : public BvScene {
 public:
  void Init(intptr_t) override {}
  void OnEvent(int code) override { events.push_back(code); }
  std::vector<int> events;
};

std::string Narrow(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) out.push_back(char(*text));
  return out;
}

class PlayerDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    BvLevelManager* gui = Gui();
    for (const char* name : {"interfaceback", "frame", "item1", "item2", "item3", "item4", "btnok",
                             "btncancel", "btndelete", "editname", "cursor", "alertback",
                             "btnlarge", "btnlargeover"})
      world.AddTemplate(gui, name);
    gui->GetElements()->AddObject(new BvTextElement("guifont"));
    for (const char* key : {"players", "delete", "ok", "cancel", "welcome", "entername",
                            "currentplayermsg", "deleteplayermsg"})
      world.AddText(key, key);
    world.AddText("newplayer", "New player");
    world.AddText("freeslot", "Free");
    world.AddText("playern", "Player %d");
    auto element = [](const char* name, int y) {
      return "<lvlelement name=\"" + std::string(name) + "\"><sourceelement>" + name +
             "</sourceelement><pos x=\"0\" y=\"" + std::to_string(y) + "\"/></lvlelement>";
    };
    std::string levels = "<level name=\"pause\"></level><level name=\"options\"></level>";
    levels += "<level name=\"newplayer\"><lvlelements>" + element("interfaceback", 0) +
              element("editname", 40) + element("btnok", -100) + element("btncancel", -150) +
              "</lvlelements></level>";
    levels += "<level name=\"players\"><lvlelements>" + element("interfaceback", 0) +
              element("frame", 0) + element("item1", 90) + element("item2", 60) +
              element("item3", 30) + element("item4", 0) + element("btnok", -100) +
              element("btncancel", -150) + element("btndelete", -200) + "</lvlelements></level>";
    world.WriteLevels("global.xml", levels);
    scene = new ListeningScene;
    world.game()->SetSceneEntry(2, scene);
    world.game()->SetScene(2);
  }

  BvLevelManager* Gui() const { return world.game()->GetGlobalLevels(); }
  BvPlayerStore& Store() const { return world.game()->GetStore(); }
  BvPlayersGui* Players() const {
    return static_cast<BvPlayersGui*>(world.game()->GetGui(3));
  }
  // Frames of the open dialog, as the game runs them: none once it closed.
  void Frames(BvScene* gui, int count) {
    for (int i = 0; i < count && world.game()->GetGuiMode() != 0; ++i) {
      gui->Update(kFrameMs);
      Gui()->RenderCurrentLevel(kFrameMs, false, false);
    }
  }
  std::vector<std::string> Slots() const {
    std::vector<std::string> texts;
    for (int i = 0; i < BvPlayersGui::kSlotCount; ++i)
      texts.push_back(Narrow(Players()->GetSlotText(i)->GetText()));
    return texts;
  }
  void Name(const std::vector<const char*>& names, int current) {
    Store().Reset();
    for (size_t i = 0; i < names.size(); ++i) Store().SelectProfile(int(i), names[i]);
    Store().SelectProfile(current, nullptr);
  }
  void TypeWord(const char* word) {
    for (; *word; ++word) Players()->TypeKey(*word);
  }

  bv::test::NullVideo video;
  bv::test::GameWorld world;
  ListeningScene* scene = nullptr;
};

TEST_F(PlayerDialogsTest, OnlyTheFirstFreeSlotTakesANameAndAnotherClickCommitsIt) {
  Name({"Ann"}, 0);
  world.game()->ShowGui(3, 2, 0);
  BvPlayersGui* players = Players();
  EXPECT_EQ(Slots(), (std::vector<std::string>{"Ann", "New player", "Free", "Free"}));
  EXPECT_EQ(players->GetSelected(), 0);
  EXPECT_EQ(players->GetSlotText(0)->GetColor().color, 0xFFFF0000u) << "the current one in red";

  players->ClickSlot(2);
  EXPECT_EQ(players->GetEditing(), -1) << "a later free slot takes no name";
  players->ClickSlot(1);
  EXPECT_EQ(players->GetEditing(), 1);
  EXPECT_EQ(Slots()[1], "");
  TypeWord("BEN");
  EXPECT_EQ(Slots()[1], "Ben");
  EXPECT_TRUE(Store().profiles[1].IsFree()) << "nothing stored while typing";

  players->ClickSlot(2);  // commits only
  EXPECT_EQ(players->GetEditing(), -1);
  EXPECT_STREQ(Store().profiles[1].name, "Ben");
  EXPECT_EQ(Store().current, 1);
  EXPECT_EQ(players->GetSelected(), 1);
  EXPECT_EQ(Slots(), (std::vector<std::string>{"Ann", "Ben", "New player", "Free"}));

  // Enter with an empty name ends typing without a player.
  players->ClickSlot(2);
  players->TypeKey(13);
  EXPECT_EQ(players->GetEditing(), -1);
  EXPECT_TRUE(Store().profiles[2].IsFree());

  // Choosing Ann and OK makes her current, result 10.
  players->ClickSlot(0);
  EXPECT_EQ(Store().current, 1) << "chosen only on OK";
  players->Accept();
  EXPECT_EQ(Store().current, 0);
  Frames(players, 80);
  EXPECT_EQ(scene->events, std::vector<int>{10});
}

TEST_F(PlayerDialogsTest, DeletionFollowsTheCurrentPlayer) {
  struct Case {
    const char* what;
    std::vector<const char*> names;
    int current;
    int selected;
    int answer;  // 1 OK, 2 cancel; 0: refused, no question
    std::vector<std::string> slots;
    const char* currentName;
  };
  const Case cases[] = {
      {"below the current one", {"Ann", "Ben", "Cy"}, 1, 0, 1,
       {"Ben", "Cy", "New player", "Free"}, "Ben"},
      {"below the last one", {"Ann", "Ben", "Cy"}, 2, 0, 1, {"Ben", "Cy", "New player", "Free"}, "Cy"},
      {"above the current one", {"Ann", "Ben", "Cy"}, 0, 2, 1,
       {"Ann", "Ben", "New player", "Free"}, "Ann"},
      {"cancelled", {"Ann", "Ben"}, 1, 0, 2, {"Ann", "Ben", "New player", "Free"}, "Ben"},
      {"the current player is refused", {"Ann", "Ben"}, 1, 1, 0,
       {"Ann", "Ben", "New player", "Free"}, "Ben"},
  };
  for (const Case& c : cases) {
    Name(c.names, c.current);
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(3, 2, 0);
    BvPlayersGui* players = Players();
    Frames(players, 30);
    players->ClickSlot(c.selected);
    players->ShowMessage();
    BvAlertGui& alert = players->GetAlert();
    ASSERT_TRUE(alert.open) << c.what;
    EXPECT_EQ(alert.purpose, c.answer ? BvPlayersGui::kPurposeDelete : BvPlayersGui::kPurposeRefused)
        << c.what;
    EXPECT_EQ(alert.GetSecondButton() != nullptr, c.answer != 0) << c.what;
    ASSERT_NE(alert.GetMessage(), nullptr) << c.what;
    EXPECT_EQ(Narrow(alert.GetMessage()->GetText()), c.answer ? "deleteplayermsg" : "currentplayermsg")
        << c.what;
    std::vector<std::string> labels;
    for (BvLevelElement* button : {alert.GetFirstButton(), alert.GetSecondButton()})
      for (BvLevelElement* child : button ? button->GetChildren() : std::vector<BvLevelElement*>{})
        if (child->GetText()) labels.push_back(Narrow(child->GetText()));
    const std::vector<std::string> expectedLabels =
        c.answer ? std::vector<std::string>{"ok", "cancel"} : std::vector<std::string>{"ok"};
    EXPECT_EQ(labels, expectedLabels) << c.what;
    alert.SetResult(c.answer ? c.answer : BvAlertGui::kResultOk);
    Frames(players, 1);
    EXPECT_FALSE(alert.resultReady) << c.what;
    EXPECT_EQ(Slots(), c.slots) << c.what;
    ASSERT_NE(Store().GetCurrentProfile(), nullptr) << c.what;
    EXPECT_STREQ(Store().GetCurrentProfile()->name, c.currentName) << c.what;
    // After a deletion the highlight follows the current player.
    EXPECT_EQ(players->GetSelected(), c.answer == 1 ? Store().current : c.selected) << c.what;
  }
}

// Each dialog's own texts on its panel and buttons (every text here reads
// as its key).
TEST_F(PlayerDialogsTest, EachDialogShowsItsOwnTitlesAndButtonLabels) {
  struct Case {
    int gui;
    std::vector<std::pair<const char*, std::vector<std::string>>> parts;
  };
  const Case cases[] = {
      {2, {{"interfaceback", {"welcome", "entername"}}, {"btnok", {"ok"}}, {"btncancel", {"cancel"}}}},
      {3,
       {{"interfaceback", {"players"}},
        {"btnok", {"ok"}},
        {"btncancel", {"cancel"}},
        {"btndelete", {"delete"}}}},
  };
  Name({"Ann"}, 0);
  for (const Case& c : cases) {
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(c.gui, 2, 0);
    BvLevel* level = Gui()->GetCurrentLevel();
    for (const auto& [name, expected] : c.parts) {
      auto* parent = static_cast<BvLevelElement*>(level->FindObjectByName(name));
      ASSERT_NE(parent, nullptr) << name;
      std::vector<std::string> texts;
      for (BvLevelElement* child : parent->GetChildren())
        if (child->GetText() && *child->GetText()) texts.push_back(Narrow(child->GetText()));
      EXPECT_EQ(texts, expected) << "dialog " << c.gui << ", " << name;
    }
  }
}

TEST_F(PlayerDialogsTest, NewPlayerTakesSlotZeroWithTheTypedOrDefaultName) {
  struct Case {
    const char* typed;
    const char* name;
  };
  for (const Case& c : {Case{"ZOE", "Zoe"}, Case{"", "Player 1"}}) {
    Name({"Ann", "Ben"}, 1);
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(2, 2, 0);
    auto* dialog = static_cast<BvNewPlayerGui*>(world.game()->GetGui(2));
    for (const char* key = c.typed; *key; ++key) {
      world.system()->lastKey = *key;
      Frames(dialog, 1);
    }
    EXPECT_EQ(Narrow(dialog->GetNameText()->GetText()), c.name[0] == 'P' ? "" : c.name);
    dialog->CreatePlayer();
    EXPECT_EQ(Store().current, 0);
    EXPECT_STREQ(Store().profiles[0].name, c.name);
    EXPECT_STREQ(Store().profiles[1].name, "Ben");
    scene->events.clear();
    Frames(dialog, 80);
    EXPECT_EQ(scene->events, std::vector<int>{6});
  }
}

// A key that closes does not end the frame: a button pressed in the same
// frame acts too, and the last result stored is the one delivered.
TEST_F(PlayerDialogsTest, EnterOrEscapeLeaveTheFramesButtonTestsRunning) {
  struct Case {
    const char* what;
    int gui;
    int key;
    const char* button;
    int result;
    int current;  // the store's current index afterwards
  };
  const Case cases[] = {
      {"new player: Escape and OK", 2, 27, "btnok", 6, 0},
      {"new player: Enter and cancel", 2, 13, "btncancel", 7, 0},
      {"selection: Escape and OK", 3, 27, "btnok", 10, 0},
      {"selection: Escape and cancel", 3, 27, "btncancel", 11, 1},
  };
  for (const Case& c : cases) {
    Name({"Ann", "Ben"}, 1);
    scene->events.clear();
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(c.gui, 2, 0);
    BvScene* dialog = world.game()->GetGui(c.gui);
    if (c.gui == 3) Players()->ClickSlot(0);  // Ann highlighted, Ben still current
    Frames(dialog, 40);
    auto* button = static_cast<BvLevelElement*>(
        Gui()->GetCurrentLevel()->FindObjectByName(c.button));
    ASSERT_NE(button, nullptr) << c.what;
    world.MoveCursor(button->GetPosition().X, button->GetPosition().Y);
    world.PressLeft(true);
    world.system()->lastKey = c.key;
    Frames(dialog, 1);
    world.PressLeft(false);
    world.system()->lastKey = -1;
    Frames(dialog, 100);
    EXPECT_EQ(scene->events, std::vector<int>{c.result}) << c.what;
    EXPECT_EQ(Store().current, c.current) << c.what;
  }
}

// Without the alert box's back panel or its button picture the box makes
// nothing that could not fade away: the deletion question is answered or
// closes as cancelled, and the player selection still closes.
TEST_F(PlayerDialogsTest, AnAlertBoxWithoutItsPicturesLetsTheDialogClose) {
  struct Case {
    const char* removed;
    bool answerable;
  };
  for (const Case& c : {Case{"alertback", true}, Case{"btnlarge", false}}) {
    Gui()->GetElements()->RemoveObjectByName(c.removed);
    Name({"Ann", "Ben"}, 1);
    scene->events.clear();
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(3, 2, 0);
    BvPlayersGui* players = Players();
    Frames(players, 30);
    players->ClickSlot(0);
    players->ShowMessage();
    BvAlertGui& alert = players->GetAlert();
    EXPECT_EQ(alert.open, c.answerable) << c.removed;
    if (c.answerable) alert.SetResult(BvAlertGui::kResultCancel);
    Frames(players, 2);
    EXPECT_FALSE(alert.resultReady) << c.removed;
    EXPECT_STREQ(Store().profiles[0].name, "Ann") << c.removed << ": nothing deleted";
    players->Cancel();
    Frames(players, 200);
    EXPECT_EQ(world.game()->GetGuiMode(), 0) << c.removed << ": the dialog closed";
    EXPECT_EQ(scene->events, std::vector<int>{11}) << c.removed;
    // The next dialog opens.
    world.game()->ShowGui(3, 2, 0);
    EXPECT_EQ(world.game()->GetGuiMode(), 2) << c.removed;
    world.game()->SetGuiMode(0);
    world.AddTemplate(Gui(), c.removed);
  }
}

// Each dialog's text cursor reads on its own background: white on the dark
// player slots, black on the new player's light name field.
TEST_F(PlayerDialogsTest, TextCursorsReadOnTheirBackgrounds) {
  world.game()->ShowGui(3, 2, 0);
  Players()->ClickSlot(0);
  ASSERT_NE(Players()->GetCursor(), nullptr);
  EXPECT_TRUE(Players()->GetCursor()->IsVisible());
  EXPECT_EQ(Players()->GetCursor()->GetColor().color, 0xFFFFFFFFu);
  world.game()->SetGuiMode(0);
  world.game()->ShowGui(2, 2, 0);
  auto* dialog = static_cast<BvNewPlayerGui*>(world.game()->GetGui(2));
  ASSERT_NE(dialog->GetCursor(), nullptr);
  EXPECT_EQ(dialog->GetCursor()->GetColor().color, 0xFF000000u);
}

TEST_F(PlayerDialogsTest, CancelAndEscapeCloseBothDialogsWithoutAChange) {
  struct Case {
    const char* what;
    int gui;
    bool escape;  // else "btncancel"
    int result;
  };
  const Case cases[] = {
      {"new player, Escape", 2, true, 7},
      {"new player, Cancel", 2, false, 7},
      {"players, Escape", 3, true, 11},
      {"players, Cancel", 3, false, 11},
  };
  for (const Case& c : cases) {
    Name({"Ann", "Ben"}, 1);
    world.game()->SetGuiMode(0);
    scene->events.clear();
    world.game()->ShowGui(c.gui, 2, 0);
    BvScene* dialog = world.game()->GetGui(c.gui);
    Frames(dialog, 60);  // the panel has settled
    if (c.gui == 3) Players()->ClickSlot(0);  // a choice that Cancel drops
    if (c.escape) {
      world.system()->lastKey = 27;
      Frames(dialog, 1);
    } else {
      BvLevelElement* cancel = static_cast<BvLevelElement*>(Gui()->GetCurrentLevel()->FindObjectByName("btncancel"));
      ASSERT_NE(cancel, nullptr) << c.what;
      world.MoveCursor(cancel->GetPosition().X, cancel->GetPosition().Y);
      world.PressLeft(true);
      Frames(dialog, 1);
      world.PressLeft(false);
    }
    Frames(dialog, 80);
    EXPECT_EQ(world.game()->GetGuiMode(), 0) << c.what << ": closed";
    EXPECT_EQ(scene->events, std::vector<int>{c.result}) << c.what;
    EXPECT_EQ(Store().current, 1) << c.what << ": the current player stays";
    EXPECT_STREQ(Store().profiles[0].name, "Ann") << c.what;
    EXPECT_TRUE(Store().profiles[2].IsFree()) << c.what;
  }
}

TEST_F(PlayerDialogsTest, TheSelectedSlotStaysRedOnceTheOpeningFadeHasRun) {
  Name({"Ann", "Ben", "Cy"}, 1);
  world.game()->ShowGui(3, 2, 0);
  BvPlayersGui* players = Players();
  Frames(players, 100);  // well past the opening fade
  const uint32_t expected[] = {0xFFFFFFFFu, 0xFFFF0000u, 0xFFFFFFFFu, 0xFFFFFFFFu};
  for (int i = 0; i < BvPlayersGui::kSlotCount; ++i)
    EXPECT_EQ(players->GetSlotText(i)->GetColor().color, expected[i]) << "slot " << i;
  players->ClickSlot(2);
  Frames(players, 30);
  for (int i = 0; i < BvPlayersGui::kSlotCount; ++i)
    EXPECT_EQ(players->GetSlotText(i)->GetColor().color, i == 2 ? 0xFFFF0000u : 0xFFFFFFFFu) << "slot " << i;
}

}  // namespace
