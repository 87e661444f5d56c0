// Dialogs built on a "global.xml" level that lacks their elements: each
// missing element is reported by the lookup's "Alert" and the dialog goes
// on without it. A missing font alias or picture template never keeps a
// dialog from closing.
#include <algorithm>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
#include "game/core/achievement.h"
#include "game/core/scene_numbers.h"
#include "game/gui/gui.h"
#include "support/dialog_world.h"

namespace {

using bv::test::DialogTest;

bool Reported(const char* name) {
  const std::string text = std::string("GetObjectByName, Object not found : ") + name;
  const std::vector<bv::ShownMessage>& shown = bv::ShownMessages();
  return std::any_of(shown.begin(), shown.end(), [&](const bv::ShownMessage& message) {
    return message.caption == "Alert" && message.text == text;
  });
}

class DialogMissingElementsTest : public DialogTest {
 protected:
  int ElementsWithoutPicture() const {
    int count = 0;
    for (const auto& entry : Gui()->GetCurrentLevel()->GetIdIndex())
      if (!static_cast<const BvLevelElement*>(entry.second)->GetSourceElement()) ++count;
    return count;
  }
  // The tutorial's and the trophies' own fonts.
  void SetUp() override {
    DialogTest::SetUp();
    for (const char* font : {"tutofont", "scorefont", "trophyfont"})
      Gui()->GetElements()->AddObject(new BvTextElement(font));
  }
};

constexpr int kGuiNotice = 7;
constexpr int kGuiTimeUp = 10;

TEST_F(DialogMissingElementsTest, EachMissingElementIsReported) {
  constexpr int kTipBit = 16;
  struct Case {
    int gui;
    intptr_t argument;
    std::vector<const char*> missing;
  };
  const Case cases[] = {
      {kGuiOptions, 0, {"slidebar1", "slidebar2", "fullscreen", "showhint", "timemode", "btnok"}},
      {kGuiNewPlayer, 0, {"editname", "btnok", "btncancel"}},
      {kGuiPlayers, 0, {"frame", "item1", "item4", "btnok", "btndelete"}},
      {kGuiTutorial, kTipBit, {"showhint", "btnok"}},
      {kGuiTrophies, 0, {"btnok"}},
  };
  for (const Case& c : cases) {
    // Only the panel: every other element is missing.
    WriteGlobal({{c.gui, PanelWithButtons({})}});
    bv::ClearShownMessages();
    world.game()->SetGuiMode(0);
    world.game()->ShowGui(c.gui, 2, c.argument);
    for (const char* name : c.missing) EXPECT_TRUE(Reported(name)) << "GUI " << c.gui << ": " << name;
    EXPECT_FALSE(Reported("interfaceback")) << "GUI " << c.gui;
    Frames(5);
    static_cast<BvGui*>(OpenGui())->Hide();
    EXPECT_TRUE(RunUntilClosed()) << "GUI " << c.gui << " still closes";
  }
  // Without the panel too.
  WriteGlobal({});
  bv::ClearShownMessages();
  world.game()->SetGuiMode(0);
  world.game()->ShowGui(kGuiPlayers, 2, 0);
  EXPECT_TRUE(Reported("interfaceback"));
}

// Without a font alias no text is made (the lookup's "Alert" names it); a
// level-file element whose picture template is missing shows nothing. Either
// way every dialog still fades out and closes, and the next one opens.
TEST_F(DialogMissingElementsTest, DialogsCloseWithoutAFontOrAPicture) {
  constexpr int kTipBit = 16;
  BvAchievement achievement;
  std::strcpy(achievement.id, "achievefreed");
  std::wcscpy(achievement.title, L"Liberator");
  const intptr_t notice = reinterpret_cast<intptr_t>(&achievement);
  const intptr_t board = reinterpret_cast<intptr_t>(scene);
  struct Case {
    int gui;
    int mode;
    intptr_t argument;
    const char* font;
  };
  const Case cases[] = {
      {kGuiPause, 1, 0, "guifont"},        {kGuiOptions, 2, 0, "guifont"},
      {kGuiNewPlayer, 2, 0, "guifont"},    {kGuiPlayers, 2, 0, "guifont"},
      {kGuiQuit, 2, 0, "guifont"},         {kGuiRecapSwap, 2, board, "guifont"},
      {kGuiRecapHidden, 2, board, "guifont"}, {kGuiNotice, 3, notice, "guifont"},
      {kGuiTutorial, 1, kTipBit, "guifont"}, {kGuiTutorial, 1, kTipBit, "tutofont"},
      {kGuiTrophies, 2, 0, "guifont"},     {kGuiTrophies, 2, 0, "scorefont"},
      {kGuiTrophies, 2, 0, "trophyfont"},  {kGuiTimeUp, 1, 0, "guifont"},
  };
  for (const bool missingFont : {true, false}) {
    for (const Case& c : cases) {
      // A broken element once per dialog: with its "guifont" case.
      if (!missingFont && std::strcmp(c.font, "guifont") != 0) continue;
      const std::string what = "GUI " + std::to_string(c.gui) +
                               (missingFont ? std::string(" without ") + c.font : " with a broken element");
      std::string level = PanelWithButtons({"btnok", "btncancel"});
      if (!missingFont) level += Element("broken", "nosuchpicture", 0, 0);
      const int next = c.gui == kGuiPause ? kGuiQuit : kGuiPause;
      WriteGlobal({{c.gui, level}, {next, PanelWithButtons({"btnok"})}});
      if (missingFont) Gui()->GetElements()->RemoveObjectByName(c.font);
      bv::ClearShownMessages();
      world.game()->SetGuiMode(0);
      world.game()->ShowGui(c.gui, c.mode, c.argument);
      ASSERT_EQ(world.game()->GetCurrentGui(), c.gui) << what;
      EXPECT_TRUE(Reported(missingFont ? c.font : "nosuchpicture")) << what;
      if (missingFont) {
        EXPECT_EQ(ElementsWithoutPicture(), 0) << what << ": no text without its font";
      }
      Frames(5);
      // The notice goes by itself.
      if (c.gui != kGuiNotice) static_cast<BvGui*>(OpenGui())->Hide();
      EXPECT_TRUE(RunUntilClosed(400)) << what << " still closes";
      if (missingFont) Gui()->GetElements()->AddObject(new BvTextElement(c.font));
      world.game()->ShowGui(next, 2, 0);
      EXPECT_EQ(world.game()->GetCurrentGui(), next) << what << ": the next dialog opens";
      EXPECT_EQ(world.game()->GetGuiMode(), 2) << what;
    }
  }
}

}  // namespace
