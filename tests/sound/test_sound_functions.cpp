#include "engine/sound/sound_functions.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/shell/globals.h"
#include "engine/shell/system.h"
#include "engine/sound/sound_manager.h"
#include "support/fake_sound_backend.h"

namespace {

// A system object whose sound manager runs over the fake backend.
class SoundFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("ALSOFT_DRIVERS", "nodriver", 0);  // the system's own manager stays silent
    system = std::make_unique<BvSystem>();
    savedSystem = g_System;
    g_System = system.get();
    fake = bv::InstallFakeSoundManager(*system);
    g_SoundManager->LoadSound("data/sounds/music.ogg", "music", kSoundKindStream, 1);
    g_SoundManager->LoadSound("data/sounds/other.ogg", "other", kSoundKindStream, 1);
    g_SoundManager->LoadSound("data/sounds/match.ogg", "match", kSoundKindEffect, 1);
    g_SoundManager->LoadSound("data/sounds/warning.ogg", "warning", kSoundKindStream, 1);
  }
  void TearDown() override {
    g_System = savedSystem;
    system.reset();  // deletes g_SoundManager
  }
  bv::FakeSoundState& Sound(const char* path) { return fake->At(fake->OpenedOn(path).at(0)); }

  std::unique_ptr<BvSystem> system;
  BvSystem* savedSystem = nullptr;
  bv::FakeSoundBackend* fake = nullptr;
};


TEST_F(SoundFunctionsTest, SwitchesFollowTheConfiguration) {
  system->config.soundOn = 0;
  system->config.musicOn = 1;
  EXPECT_FALSE(IsSoundOn());
  EXPECT_TRUE(IsMusicOn());
  g_System = nullptr;
  EXPECT_FALSE(IsSoundOn());
  EXPECT_FALSE(IsMusicOn());
}

TEST_F(SoundFunctionsTest, PlayEffectOnlyWithTheSoundSwitchOn) {
  system->config.soundOn = 0;
  PlayEffect("match", false, 0.5f);
  EXPECT_EQ(Sound("data/sounds/match.ogg").plays, 0);
  g_SoundManager->PlaySound("match", false, 0.5f);  // ignores the switch
  EXPECT_EQ(Sound("data/sounds/match.ogg").plays, 1);
  system->config.soundOn = 1;
  PlayEffect("match", false, 0.5f);
  EXPECT_EQ(Sound("data/sounds/match.ogg").plays, 2);
}

TEST_F(SoundFunctionsTest, StopEffectOnlyStopsWhatIsFlaggedPlaying) {
  g_SoundManager->PlaySound("warning", true, -1);
  StopEffect("warning");
  StopEffect("warning");  // flag already clear: nothing more
  EXPECT_EQ(Sound("data/sounds/warning.ogg").stops, 1);
  EXPECT_FALSE(g_SoundManager->IsSoundPlaying("warning"));
}

TEST_F(SoundFunctionsTest, PlayMusicWithTheSwitchOffRecordsNameAndVolume) {
  system->config.musicOn = 0;
  PlayMusic("music", 0.1f);
  EXPECT_EQ(g_SoundManager->GetCurrentMusic(), "music");
  EXPECT_FLOAT_EQ(g_SoundManager->GetSoundVolume("music"), 0.1f);
  EXPECT_EQ(Sound("data/sounds/music.ogg").plays, 0);

  system->config.musicOn = 1;
  PlayMusic("music", -1);
  EXPECT_EQ(Sound("data/sounds/music.ogg").plays, 1);
  EXPECT_TRUE(Sound("data/sounds/music.ogg").repeat);
  EXPECT_FLOAT_EQ(Sound("data/sounds/music.ogg").volume, 0.1f) << "keeps its own volume";
}

TEST_F(SoundFunctionsTest, PlayMusicDoesNotRestartWhatIsFlaggedPlaying) {
  system->config.musicOn = 1;
  PlayMusic("music", 0.1f);
  Sound("data/sounds/music.ogg").playing = false;  // it ended by itself
  PlayMusic("music", 0.1f);
  EXPECT_EQ(Sound("data/sounds/music.ogg").plays, 1);

  // Another music starts beside it; StopMusic stops only the current one.
  PlayMusic("other", 0.2f);
  EXPECT_EQ(Sound("data/sounds/other.ogg").plays, 1);
  StopMusic();
  EXPECT_EQ(Sound("data/sounds/other.ogg").stops, 1);
  EXPECT_EQ(Sound("data/sounds/music.ogg").stops, 0);
  EXPECT_EQ(g_SoundManager->GetCurrentMusic(), "other") << "the name stays";
  StopMusic();  // no longer flagged: nothing
  EXPECT_EQ(Sound("data/sounds/other.ogg").stops, 1);
}

// With both switches on, only the missing manager stops the functions: they
// make no manager of their own and reach no sound.
TEST_F(SoundFunctionsTest, WithoutAManagerTheyDoNothing) {
  system->config.soundOn = 1;
  system->config.musicOn = 1;
  BvSoundManager* manager = g_SoundManager;
  const size_t logged = fake->log->size();
  g_SoundManager = nullptr;
  PlayEffect("match", false, 1);
  StopEffect("match");
  PlayMusic("music", 1);
  StopMusic();
  EXPECT_EQ(g_SoundManager, nullptr);
  g_SoundManager = manager;
  EXPECT_EQ(fake->log->size(), logged);
  EXPECT_EQ(g_SoundManager->GetCurrentMusic(), "");
}

}  // namespace
