#include "engine/sound/sound_manager.h"

#include <gtest/gtest.h>

#include "support/fake_sound_backend.h"

namespace {

class SoundManagerTest : public ::testing::Test {
 protected:
  SoundManagerTest() {
    auto backend = std::make_unique<bv::FakeSoundBackend>();
    fake = backend.get();
    manager = std::make_unique<BvSoundManager>(std::move(backend));
  }

  // Numbers of the objects played, in order, from the log.
  std::vector<int> Played() const {
    std::vector<int> played;
    for (const std::string& line : *fake->log) {
      if (line.rfind("play ", 0) == 0) played.push_back(std::stoi(line.substr(5)));
    }
    return played;
  }

  bv::FakeSoundBackend* fake;
  std::unique_ptr<BvSoundManager> manager;
};

TEST_F(SoundManagerTest, LoadSoundOpensWhatTheKindAndCountAsk) {
  struct Case {
    int kind;
    int count;
    size_t opens;
    bool effect;
    bool streamed;
    bool multiple;
  };
  const Case cases[] = {
      {1, 3, 3, false, false, false},  // pool: preloaded copies
      {1, 7, 5, false, false, false},  // count capped at 5
      {1, 0, 1, false, false, false},  // below 1 counts as 1
      {1, -3, 1, false, false, false},
      {3, 1, 1, true, false, false},   // single effect
      {3, 4, 1, true, false, true},    // overlapping effect
      {3, 0, 1, true, false, false},
      {2, 1, 1, false, true, false},   // music
      {0, 1, 1, false, true, false},   // any other kind streams too
      {9, 8, 1, false, true, false},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string path = "data/sounds/s" + std::to_string(n) + ".ogg";
    const std::string name = "s" + std::to_string(n++);
    manager->LoadSound(path.c_str(), name.c_str(), c.kind, c.count);
    std::vector<int> opened = fake->OpenedOn(path);
    SCOPED_TRACE("kind " + std::to_string(c.kind) + " count " + std::to_string(c.count));
    ASSERT_EQ(opened.size(), c.opens);
    for (int i : opened) {
      EXPECT_EQ(fake->At(i).effect, c.effect);
      EXPECT_EQ(fake->At(i).streamed, c.streamed);
      EXPECT_EQ(fake->At(i).multiple, c.multiple);
    }
    EXPECT_TRUE(manager->HasSound(name.c_str()));
    EXPECT_FLOAT_EQ(manager->GetSoundVolume(name.c_str()), 1.0f);
    EXPECT_FALSE(manager->IsSoundPlaying(name.c_str()));
  }
}

TEST_F(SoundManagerTest, FirstRegistrationOfANameWins) {
  manager->LoadSound("data/sounds/a.ogg", "match", 3, 1);
  manager->LoadSound("data/sounds/b.ogg", "match", 2, 1);
  EXPECT_EQ(fake->OpenedOn("data/sounds/b.ogg").size(), 0u);
  manager->PlaySound("match", false, -1);
  EXPECT_EQ(Played(), std::vector<int>({0}));
  EXPECT_EQ(fake->At(0).path, "data/sounds/a.ogg");
}

TEST_F(SoundManagerTest, FileThatFailsToOpenLeavesTheNameUnregistered) {
  fake->failing.insert("data/sounds/missing.ogg");
  for (int kind : {1, 2, 3}) {
    manager->LoadSound("data/sounds/missing.ogg", "gone", kind, 3);
    EXPECT_FALSE(manager->HasSound("gone"));
  }
  // The name can still be registered from a good file afterwards.
  manager->LoadSound("data/sounds/ok.ogg", "gone", 3, 1);
  EXPECT_TRUE(manager->HasSound("gone"));
}

TEST_F(SoundManagerTest, PoolPlaysItsCopiesInTurnStartingAtOne) {
  struct Case {
    int count;
    std::vector<int> order;  // copy played by each PlaySound
  };
  const Case cases[] = {
      {3, {1, 2, 0, 1}},
      {2, {1, 0, 1}},
      {1, {0, 0, 0}},
      {0, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("count " + std::to_string(c.count));
    manager->Clear();
    fake->opened.clear();
    fake->log->clear();
    manager->SetEffectsVolume(0.5f);
    manager->LoadSound("data/sounds/pool.ogg", "pool", 1, c.count);
    for (size_t i = 0; i < c.order.size(); ++i) manager->PlaySound("pool", true, 0.8f);
    EXPECT_EQ(Played(), c.order);
    for (int copy : c.order) {
      EXPECT_FLOAT_EQ(fake->At(copy).volume, 0.4f);
      EXPECT_FALSE(fake->At(copy).repeat) << "repeat is for streams only";
    }
    EXPECT_TRUE(manager->IsSoundPlaying("pool"));
  }
}

TEST_F(SoundManagerTest, StopSoundByKind) {
  manager->LoadSound("data/sounds/m.ogg", "music", 2, 1);
  manager->LoadSound("data/sounds/e.ogg", "effect", 3, 1);
  manager->LoadSound("data/sounds/p.ogg", "pool", 1, 3);
  manager->PlaySound("music", true, -1);
  manager->PlaySound("effect", false, -1);
  manager->PlaySound("pool", false, -1);
  EXPECT_TRUE(manager->IsSoundPlaying("music"));
  EXPECT_FALSE(manager->IsSoundPlaying("effect")) << "effects never raise the flag";
  EXPECT_TRUE(manager->IsSoundPlaying("pool"));

  fake->log->clear();
  manager->StopSound("music");
  manager->StopSound("effect");
  manager->StopSound("pool");
  // Stream 0 stopped; the effect (1) stopped nothing; the pool's current
  // copy (2 + 1) stopped.
  EXPECT_EQ(*fake->log, std::vector<std::string>({"stop 0", "stop 3"}));
  for (const char* name : {"music", "effect", "pool"}) EXPECT_FALSE(manager->IsSoundPlaying(name));
}

TEST_F(SoundManagerTest, PlaySoundVolumeAndRepeat) {
  manager->LoadSound("data/sounds/m.ogg", "music", 2, 1);
  manager->LoadSound("data/sounds/e.ogg", "effect", 3, 1);
  manager->SetMusicVolume(0.5f);
  manager->SetEffectsVolume(0.25f);

  manager->PlaySound("music", true, 0.6f);
  EXPECT_FLOAT_EQ(manager->GetSoundVolume("music"), 0.6f);
  EXPECT_FLOAT_EQ(fake->At(0).volume, 0.3f);
  EXPECT_TRUE(fake->At(0).repeat);
  manager->PlaySound("music", false, -1);  // a negative volume keeps 0.6
  EXPECT_FLOAT_EQ(manager->GetSoundVolume("music"), 0.6f);
  EXPECT_FLOAT_EQ(fake->At(0).volume, 0.3f);
  EXPECT_FALSE(fake->At(0).repeat);

  manager->PlaySound("effect", true, 0.8f);
  EXPECT_FLOAT_EQ(fake->At(1).volume, 0.2f);
  EXPECT_EQ(fake->At(1).plays, 1);
}

TEST_F(SoundManagerTest, MasterVolumesRescaleOnlyTheirKinds) {
  manager->LoadSound("data/sounds/m.ogg", "music", 2, 1);
  manager->LoadSound("data/sounds/e.ogg", "effect", 3, 1);
  manager->LoadSound("data/sounds/p.ogg", "pool", 1, 2);
  manager->SetSoundVolume("music", 0.6f);
  manager->SetSoundVolume("effect", 0.8f);
  manager->SetSoundVolume("pool", 0.4f);  // the current copy (0)

  manager->SetEffectsVolume(0.5f);
  EXPECT_FLOAT_EQ(fake->At(1).volume, 0.4f);
  EXPECT_FLOAT_EQ(manager->GetSoundVolume("effect"), 0.8f);
  EXPECT_FLOAT_EQ(fake->At(2).volume, 0.2f);
  EXPECT_FLOAT_EQ(fake->At(0).volume, 0.6f) << "music follows the music volume only";

  manager->SetMusicVolume(0.0f);
  EXPECT_FLOAT_EQ(fake->At(0).volume, 0.0f);
  EXPECT_FLOAT_EQ(manager->GetSoundVolume("music"), 0.6f);
  EXPECT_FLOAT_EQ(fake->At(1).volume, 0.4f);
  manager->SetMusicVolume(1.0f);
  EXPECT_FLOAT_EQ(fake->At(0).volume, 0.6f);
  EXPECT_FLOAT_EQ(manager->GetMusicVolume(), 1.0f);
  EXPECT_FLOAT_EQ(manager->GetEffectsVolume(), 0.5f);
}

TEST_F(SoundManagerTest, UnregisteredNamesDoNothing) {
  manager->LoadSound("data/sounds/m.ogg", "music", 2, 1);
  fake->log->clear();
  manager->PlaySound("nothing", true, 0.5f);
  manager->StopSound("nothing");
  manager->SetSoundVolume("nothing", 0.5f);
  manager->RemoveSound("nothing");
  manager->PlaySound("Music", true, 0.5f);  // names are case-sensitive
  EXPECT_TRUE(fake->log->empty());
  EXPECT_FALSE(manager->HasSound("nothing"));
  EXPECT_FALSE(manager->IsSoundPlaying("nothing"));
  EXPECT_FLOAT_EQ(manager->GetSoundVolume("nothing"), 0.0f);
}

TEST_F(SoundManagerTest, ClearAndRemoveReleaseTheSounds) {
  manager->LoadSound("data/sounds/m.ogg", "music", 2, 1);
  manager->LoadSound("data/sounds/p.ogg", "pool", 1, 2);
  manager->RemoveSound("music");
  EXPECT_TRUE(fake->At(0).released);
  EXPECT_FALSE(manager->HasSound("music"));
  EXPECT_FALSE(fake->At(1).released);
  manager->Clear();
  EXPECT_TRUE(fake->At(1).released);
  EXPECT_TRUE(fake->At(2).released);
  EXPECT_FALSE(manager->HasSound("pool"));
}

TEST(SoundManagerWithoutDevice, EverythingIsASilentNoOp) {
  BvSoundManager manager(nullptr);
  EXPECT_FALSE(manager.IsDeviceOpen());
  manager.LoadSound("data/sounds/m.ogg", "music", 2, 1);
  manager.PlaySound("music", true, 0.5f);
  manager.StopSound("music");
  manager.SetSoundVolume("music", 0.5f);
  manager.SetMusicVolume(0.3f);
  manager.SetEffectsVolume(0.2f);
  EXPECT_FALSE(manager.HasSound("music"));
  EXPECT_FALSE(manager.IsSoundPlaying("music"));
  EXPECT_FLOAT_EQ(manager.GetSoundVolume("music"), 0.0f);
  EXPECT_FLOAT_EQ(manager.GetMusicVolume(), 0.3f);
}

}  // namespace
