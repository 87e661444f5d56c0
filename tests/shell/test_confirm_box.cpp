#include "engine/shell/confirm_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/resources/bitmap_font.h"
#include "engine/resources/texture_manager.h"
#include "engine/shell/application.h"
#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "support/fake_sound_backend.h"
#include "support/null_video.h"

namespace {

constexpr int kLeft = 0x25;
constexpr int kRight = 0x27;
constexpr int kEnter = 13;
constexpr int kEscape = 27;

// A system object for the key states, the NULL driver for drawing, and a
// sound manager over the fake backend with the "menuselect" effect.
class ConfirmBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "nodriver", 0);
    system = std::make_unique<BvSystem>();
    g_System = system.get();
    sounds = bv::InstallFakeSoundManager(*system);
    g_SoundManager->LoadSound("data/sounds/menuselect.wav", "menuselect", kSoundKindEffect, 1);
    video = std::make_unique<bv::test::NullVideo>();
    app = std::make_unique<BvApplication>(nullptr);
  }
  void TearDown() override {
    app.reset();
    video.reset();
    system.reset();
    g_System = nullptr;
  }

  void Press(int key) { system->keyDown[key] = 1; }
  int SelectSounds() const { return sounds->At(0).plays; }

  std::unique_ptr<BvSystem> system;
  bv::FakeSoundBackend* sounds = nullptr;
  std::unique_ptr<bv::test::NullVideo> video;
  std::unique_ptr<BvApplication> app;
  BvConfirmBox box;
};

TEST_F(ConfirmBoxTest, ArrowsToggleEnterConfirmsEscapeCancels) {
  int16_t choice = -1;
  box.Show("Quit the game?", nullptr, app.get());
  EXPECT_TRUE(box.IsShown());
  EXPECT_EQ(box.GetChoice(), BvConfirmBox::kCancel) << "Cancel comes first";
  EXPECT_FALSE(box.TakeResult(&choice));

  Press(kLeft);
  box.HandleInput();
  EXPECT_EQ(box.GetChoice(), BvConfirmBox::kYes);
  EXPECT_EQ(SelectSounds(), 1);
  EXPECT_FLOAT_EQ(sounds->At(0).volume, 0.5f);
  EXPECT_EQ(system->keyDown[kLeft], 0) << "the press is consumed";
  box.HandleInput();
  EXPECT_EQ(box.GetChoice(), BvConfirmBox::kYes) << "one press, one toggle";
  Press(kRight);
  box.HandleInput();
  EXPECT_EQ(box.GetChoice(), BvConfirmBox::kCancel);
  Press(kRight);
  box.HandleInput();
  EXPECT_EQ(SelectSounds(), 3);

  Press(kEnter);
  box.HandleInput();
  EXPECT_FALSE(box.IsShown());
  ASSERT_TRUE(box.TakeResult(&choice));
  EXPECT_EQ(choice, BvConfirmBox::kYes);
  EXPECT_FALSE(box.TakeResult(&choice)) << "one result per close";

  // Escape answers Cancel whatever was chosen.
  box.Show("Again?", nullptr, app.get());
  Press(kLeft);
  box.HandleInput();
  Press(kEscape);
  box.HandleInput();
  ASSERT_TRUE(box.TakeResult(&choice));
  EXPECT_EQ(choice, BvConfirmBox::kCancel);
}

TEST_F(ConfirmBoxTest, AHiddenBoxLeavesTheKeysAlone) {
  box.HandleInput();  // never shown, no application
  Press(kEnter);
  box.Show("Sure?", nullptr, nullptr);
  box.HandleInput();
  EXPECT_TRUE(box.IsShown()) << "without an application nothing is read";

  box.Show("Sure?", nullptr, app.get());
  box.HandleInput();
  int16_t choice = -1;
  ASSERT_TRUE(box.TakeResult(&choice));
  Press(kEnter);
  box.HandleInput();
  EXPECT_EQ(system->keyDown[kEnter], 1) << "a closed box reads no keys";
  EXPECT_FALSE(box.TakeResult(&choice));

  // A result left untaken does not answer the next question.
  Press(kEscape);
  box.Show("One", nullptr, app.get());
  box.HandleInput();
  box.Show("Two", nullptr, app.get());
  EXPECT_FALSE(box.TakeResult(&choice));
}

TEST_F(ConfirmBoxTest, DrawPlacesTheAnswersAndTheMarker) {
  const std::string folder = bv::test::MakeTempFolder("confirm-box");
  const std::string fontFile = folder + "/font.png";
  const std::string ballFile = folder + "/ball.png";
  ASSERT_TRUE(video->WritePng(fontFile, 16 * 8, 16 * 9, irr::video::SColor(255, 9, 9, 9)));
  ASSERT_TRUE(video->WritePng(ballFile, 16, 16, irr::video::SColor(255, 200, 0, 0)));
  g_TextureManager->LoadTexture(ballFile.c_str(), "ball", -1);
  BvBitmapFont font;
  font.SetFont(16, 16, fontFile.c_str(), "confirmfont", app.get());

  // Nine characters in cells of 15 pixels: w = 135.
  box.Show("Quit now?", &font, app.get());
  box.Draw();
  const BvTextureEntry* ball = g_TextureManager->Find("ball");
  EXPECT_EQ(ball->x, 250 + 67 + 2 - 26) << "left of Cancel";
  EXPECT_EQ(ball->y, 280);
  // "Cancel" is drawn last: its "l" sits five cells after its start.
  const BvTextureEntry* glyphs = g_TextureManager->Find("confirmfont");
  EXPECT_EQ(glyphs->x, 250 + 67 + 2 + 5 * 15);
  EXPECT_EQ(glyphs->y, 282);

  Press(kLeft);
  box.HandleInput();
  box.Draw();
  EXPECT_EQ(ball->x, 335 - 68 + 2 - 26) << "left of Yes";

  box.Show(std::string(100, 'A').c_str(), &font, app.get());
  box.Draw();
  EXPECT_EQ(ball->x, 250 + 79 * 15 / 2 + 2 - 26) << "the text keeps 79 characters";
}

}  // namespace
