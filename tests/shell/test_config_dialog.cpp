// The configuration dialogs through the capture mode of the message boxes:
// each shown box is recorded and answered from a queue (the default button,
// Play, when the queue is empty).
#include "engine/shell/config_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/platform/choice_box.h"
#include "engine/platform/message_box.h"
#include "engine/shell/config_lang_dialog.h"

namespace {

class ConfigDialogTest : public ::testing::Test {
 protected:
  ConfigDialogTest() {
    previousMode = bv::GetMessageBoxMode();
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownChoices();
  }
  ~ConfigDialogTest() override {
    bv::ClearShownChoices();
    bv::SetMessageBoxMode(previousMode);
  }

  static std::function<bool(int*, int*)> Screen(int width, int height) {
    return [width, height](int* w, int* h) {
      *w = width;
      *h = height;
      return true;
    };
  }
  static std::vector<int> ButtonIds(const bv::ShownChoice& shown) {
    std::vector<int> ids;
    for (const bv::ChoiceButton& button : shown.buttons) ids.push_back(button.id);
    return ids;
  }
  static std::string Label(const bv::ShownChoice& shown, int id) {
    for (const bv::ChoiceButton& button : shown.buttons) {
      if (button.id == id) return button.label;
    }
    return "";
  }

  bv::MessageBoxMode previousMode;
};

TEST_F(ConfigDialogTest, PlayOnALargeScreenKeepsTheWindow) {
  BvConfigDialog dialog;
  dialog.screenSize = Screen(1024, 768);
  EXPECT_EQ(dialog.Show(), bv::kDialogOk);
  EXPECT_EQ(dialog.fullScreen, 0);
  EXPECT_EQ(dialog.driverType, 3);
  EXPECT_EQ(dialog.language, 0) << "the display dialog asks no language";
  ASSERT_EQ(bv::ShownChoices().size(), 1u);
  const bv::ShownChoice& shown = bv::ShownChoices()[0];
  EXPECT_EQ(shown.caption, "Configuration");
  EXPECT_EQ(shown.text,
            "Default display mode\n( ) Full screen mode\n(*) Window mode\n"
            "(Use F1 to change mode during the game.)\n");
  EXPECT_EQ(ButtonIds(shown), (std::vector<int>{1001, 1002, 1, 2}));
  EXPECT_EQ(Label(shown, 1), "Play !");
}

TEST_F(ConfigDialogTest, ASmallScreenForcesFullScreen) {
  struct Case {
    int width, height;
    bool forced;
  };
  const Case cases[] = {
      {800, 600, true}, {809, 1024, true}, {1280, 609, true}, {810, 610, false}, {1920, 1080, false},
  };
  for (const Case& c : cases) {
    bv::ClearShownChoices();
    // The window button is pressed first; on a small screen it is disabled.
    bv::QueueChoiceAnswers({1002, 1});
    BvConfigDialog dialog;
    dialog.screenSize = Screen(c.width, c.height);
    ASSERT_EQ(dialog.Show(), bv::kDialogOk);
    const std::string size = std::to_string(c.width) + "x" + std::to_string(c.height);
    EXPECT_EQ(dialog.fullScreen, c.forced ? 1 : 0) << size;
    EXPECT_EQ(dialog.GetItem(1002)->enabled, !c.forced) << size;
    const std::vector<int> offered = ButtonIds(bv::ShownChoices()[0]);
    EXPECT_EQ(offered.size(), c.forced ? 3u : 4u) << size << ": a disabled button is not offered";
  }
}

TEST_F(ConfigDialogTest, FullScreenChoiceQuitAndAnUnknownScreen) {
  bv::QueueChoiceAnswers({1001, 1});
  BvConfigDialog chooser;
  chooser.screenSize = Screen(1600, 900);
  ASSERT_EQ(chooser.Show(), bv::kDialogOk);
  EXPECT_EQ(chooser.fullScreen, 1);
  EXPECT_EQ(bv::ShownChoices().size(), 2u) << "shown again after the radio button";
  EXPECT_NE(bv::ShownChoices()[1].text.find("(*) Full screen mode"), std::string::npos);

  bv::QueueChoiceAnswers({2});
  BvConfigDialog quitter;
  quitter.screenSize = Screen(1600, 900);
  EXPECT_EQ(quitter.Show(), bv::kDialogCancel);
  EXPECT_EQ(quitter.driverType, 0) << "Quit stores nothing";

  BvConfigDialog unknown;
  unknown.screenSize = [](int*, int*) { return false; };
  ASSERT_EQ(unknown.Show(), bv::kDialogOk);
  EXPECT_EQ(unknown.fullScreen, 0) << "a screen that can't be measured allows the window";
}

TEST_F(ConfigDialogTest, LanguageButtonsRelabelTheDialog) {
  struct Case {
    int button;
    int language;
    const char* caption;
    const char* fullScreen;
    const char* play;
    const char* quit;
  };
  const Case cases[] = {
      {1013, 1, "Configuration", "Plein écran", "Jouer!", "Quitter"},
      {1014, 2, "Configuration", "Full screen mode", "Play!", "Quit"},
      {1015, 3, "Configuración", "Pantalla completa", "Jugar!", "Salir"},
  };
  for (const Case& c : cases) {
    bv::ClearShownChoices();
    bv::QueueChoiceAnswers({c.button, 1});
    BvConfigLangDialog dialog;
    dialog.screenSize = Screen(1024, 768);
    ASSERT_EQ(dialog.Show(), bv::kDialogOk) << c.button;
    EXPECT_EQ(dialog.language, c.language) << c.button;
    EXPECT_EQ(dialog.driverType, 3);
    ASSERT_EQ(bv::ShownChoices().size(), 2u);
    const bv::ShownChoice& first = bv::ShownChoices()[0];
    EXPECT_NE(first.text.find("Langue\n(*) Français"), std::string::npos)
        << "French first:\n" << first.text;
    const bv::ShownChoice& relabelled = bv::ShownChoices()[1];
    EXPECT_EQ(relabelled.caption, c.caption);
    EXPECT_EQ(Label(relabelled, 1001), c.fullScreen);
    EXPECT_EQ(Label(relabelled, 1), c.play);
    EXPECT_EQ(Label(relabelled, 2), c.quit);
  }
}

TEST_F(ConfigDialogTest, TheLastCheckedLanguageInEnglishFrenchSpanishOrderWins) {
  struct Case {
    bool french, english, spanish;
    int language;
  };
  const Case cases[] = {
      {false, true, false, 2}, {true, true, false, 1}, {false, true, true, 3},
      {true, false, true, 3},  {false, false, false, 0},
  };
  for (const Case& c : cases) {
    BvConfigLangDialog dialog;
    dialog.GetItem(1013)->checked = c.french;
    dialog.GetItem(1014)->checked = c.english;
    dialog.GetItem(1015)->checked = c.spanish;
    dialog.Press(1);
    EXPECT_EQ(dialog.language, c.language) << c.french << c.english << c.spanish;
  }
}

TEST_F(ConfigDialogTest, DialogFrameworkBasics) {
  EXPECT_EQ(g_Dialog, nullptr);
  {
    BvDialog bare(bv::kConfigTemplate, 42);
    EXPECT_EQ(g_Dialog, &bare) << "one dialog at a time";
    EXPECT_EQ(bare.GetParent(), 42u);
    EXPECT_EQ(bare.GetBrush().color, 0xFFFFFFFFu);
    EXPECT_EQ(bare.Dispatch(7, bv::kWmCommand, 1, 0), 0) << "no handler";
    EXPECT_EQ(bare.GetWindow(), 7u) << "the first window seen";
    bare.Dispatch(8, bv::kWmCommand, 1, 0);
    EXPECT_EQ(bare.GetWindow(), 7u);
    EXPECT_EQ(bare.GetItem(4711), nullptr);
    // Without handlers nothing ends it; the non-interactive default press
    // gives up instead of asking for ever.
    EXPECT_EQ(bare.Show(), bv::kDialogCancel);
  }
  EXPECT_EQ(g_Dialog, nullptr);

  BvDialog missing(4242, 0);
  EXPECT_EQ(missing.Show(), bv::kDialogFailed);

  BvConfigLangDialog painted;
  painted.screenSize = Screen(1024, 768);
  EXPECT_FALSE(painted.GetItem(1009)->transparent);
  ASSERT_EQ(painted.Show(), bv::kDialogOk);
  EXPECT_TRUE(painted.GetItem(1009)->transparent) << "labels drawn without background";
  EXPECT_EQ(painted.Dispatch(1, bv::kWmCtlColorDlg, 0, 0), static_cast<intptr_t>(0xFFFFFFFFu));
}

}  // namespace
