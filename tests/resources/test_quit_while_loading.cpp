// Once the game is ending (a quit signal, or the window closed while a
// screen loads) the loaders load no more art, so the frame loop is reached
// and the game ends within a second, whatever a screen still had to load.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "engine/level/element.h"
#include "engine/platform/message_box.h"
#include "engine/platform/quit_signal.h"
#include "engine/resources/image.h"
#include "engine/resources/texture_manager.h"
#include "support/null_video.h"

namespace {

bool g_PollAnswer = false;
bool AnswerPoll() { return g_PollAnswer; }

class QuitWhileLoadingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = bv::test::MakeTempFolder("qv-quit-loading");
    picture = folder + "/p.png";
    ASSERT_TRUE(video.WritePng(picture, 8, 8, irr::video::SColor(255, 1, 2, 3)));
  }
  void TearDown() override {
    bv::ClearQuitSignal();
    bv::SetQuitPoll(nullptr);
    g_PollAnswer = false;
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
  // Loads the picture as a texture and as a font; true when either loaded.
  bool LoadsArt(const std::string& name) {
    g_TextureManager->LoadTexture(picture.c_str(), name.c_str(), -1);
    BvImage image(name.c_str());
    image.SetFileName(picture.c_str());
    BvTextElement text(name.c_str());
    text.SetFontImage(&image);
    return g_TextureManager->Find(name.c_str()) != nullptr || text.GetFont() != nullptr;
  }

  bv::test::NullVideo video;
  std::string folder;
  std::string picture;
};

TEST_F(QuitWhileLoadingTest, NoArtLoadsOnceAQuitIsPending) {
  EXPECT_FALSE(bv::QuitPending());
  EXPECT_TRUE(LoadsArt("before"));

  bv::InstallQuitSignalHandlers();
  for (int signal : {SIGTERM, SIGINT}) {
    bv::ClearShownMessages();
    std::raise(signal);
    EXPECT_TRUE(bv::QuitPending()) << signal;
    EXPECT_FALSE(LoadsArt("signal" + std::to_string(signal))) << signal;
    EXPECT_TRUE(bv::ShownMessages().empty()) << "ending is no fault: " << signal;
    bv::ClearQuitSignal();
  }

  // The window closed while loading, as the system's poll reports it.
  bv::SetQuitPoll(&AnswerPoll);
  EXPECT_TRUE(LoadsArt("open window"));
  g_PollAnswer = true;
  EXPECT_TRUE(bv::QuitPending());
  EXPECT_FALSE(LoadsArt("closed window"));
}

}  // namespace
