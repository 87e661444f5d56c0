// Dialogs built on a "global.xml" level that lacks their elements: each
// missing element is reported by the lookup's "Alert" and the dialog goes
// on without it.
#include <algorithm>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
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
  // The tutorial's and the trophies' own fonts.
  void SetUp() override {
    DialogTest::SetUp();
    for (const char* font : {"tutofont", "scorefont", "trophyfont"})
      Gui()->GetElements()->AddObject(new BvTextElement(font));
  }
};

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

}  // namespace
