#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/sound/sound_backend.h"
#include "engine/sound/sound_manager.h"
#include "game/core/sound_table.h"

namespace {

// Records every open and every play, per opened object.
struct SoundLog {
  std::vector<std::string> opened;  // "<path> stream|memory|single|multiple"
  std::vector<int> plays;           // index into opened, per Play
};

class FakeStream : public bv::SoundStream {
 public:
  FakeStream(SoundLog* log, int id) : m_Log(log), m_Id(id) {}
  void Play() override {
    m_Log->plays.push_back(m_Id);
    m_Playing = true;
  }
  void Stop() override { m_Playing = false; }
  void SetRepeat(bool) override {}
  void SetVolume(float) override {}
  bool IsPlaying() const override { return m_Playing; }

 private:
  SoundLog* m_Log;
  int m_Id;
  bool m_Playing = false;
};

class FakeEffect : public bv::SoundEffect {
 public:
  FakeEffect(SoundLog* log, int id) : m_Log(log), m_Id(id) {}
  void Play() override { m_Log->plays.push_back(m_Id); }
  void Stop() override {}
  void SetVolume(float) override {}

 private:
  SoundLog* m_Log;
  int m_Id;
};

class FakeBackend : public bv::SoundBackend {
 public:
  explicit FakeBackend(SoundLog* log) : m_Log(log) {}
  std::unique_ptr<bv::SoundStream> OpenStream(const std::string& path, bool streamed) override {
    m_Log->opened.push_back(path + (streamed ? " stream" : " memory"));
    return std::make_unique<FakeStream>(m_Log, int(m_Log->opened.size()) - 1);
  }
  std::unique_ptr<bv::SoundEffect> OpenEffect(const std::string& path, bool multiple) override {
    m_Log->opened.push_back(path + (multiple ? " multiple" : " single"));
    return std::make_unique<FakeEffect>(m_Log, int(m_Log->opened.size()) - 1);
  }

 private:
  SoundLog* m_Log;
};

class SoundTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = std::make_unique<BvSoundManager>(std::make_unique<FakeBackend>(&log));
    RegisterGameSounds(*manager);
  }
  int IndexOf(const std::string& entry) const {
    for (size_t i = 0; i < log.opened.size(); ++i)
      if (log.opened[i] == entry) return int(i);
    return -1;
  }
  SoundLog log;
  std::unique_ptr<BvSoundManager> manager;
};

TEST_F(SoundTableTest, RegistersEveryRowInOrderWithItsKind) {
  int rows = 0;
  const BvSoundTableRow* table = GetSoundTable(&rows);
  ASSERT_EQ(rows, 52);
  // The first opens, in table order.
  ASSERT_GE(log.opened.size(), 3u);
  EXPECT_EQ(log.opened[0], "data/sounds/intro.ogg stream");
  EXPECT_EQ(log.opened[1], "data/sounds/quorvel.ogg stream");
  EXPECT_EQ(log.opened[2], "data/sounds/musichidden.ogg stream");
  struct Case { const char* entry; };
  for (Case c : {Case{"data/sounds/item_fall.ogg multiple"}, Case{"data/sounds/match.ogg multiple"},
                 Case{"data/sounds/guiclick.ogg single"}, Case{"data/sounds/warning.wav stream"},
                 Case{"data/sounds/explo1.ogg multiple"}, Case{"data/sounds/wordfound.ogg single"}})
    EXPECT_GE(IndexOf(c.entry), 0) << c.entry;
  for (int i = 0; i < rows; ++i) EXPECT_TRUE(manager->HasSound(table[i].name)) << table[i].name;
  // "freeze" is a pool of three separately opened copies.
  int freezeCopies = 0;
  for (const std::string& entry : log.opened) freezeCopies += entry == "data/sounds/freeze.wav memory";
  EXPECT_EQ(freezeCopies, 3);
}

TEST_F(SoundTableTest, SecondChainburnLeavesTheFirst) {
  int chainburnOpens = 0;
  for (const std::string& entry : log.opened)
    chainburnOpens += entry.rfind("data/sounds/chainburn.ogg", 0) == 0;
  // The second registration may open the file, but the first stays registered.
  const int first = IndexOf("data/sounds/chainburn.ogg single");
  ASSERT_GE(first, 0);
  log.plays.clear();
  manager->PlaySound("chainburn", false, 1.0f);
  ASSERT_EQ(log.plays.size(), 1u);
  EXPECT_EQ(log.plays[0], first) << "opens of chainburn: " << chainburnOpens;
}

TEST_F(SoundTableTest, FreezeFourthPlayReusesFirstCopy) {
  std::vector<int> copies;
  for (size_t i = 0; i < log.opened.size(); ++i)
    if (log.opened[i] == "data/sounds/freeze.wav memory") copies.push_back(int(i));
  ASSERT_EQ(copies.size(), 3u);
  log.plays.clear();
  for (int i = 0; i < 4; ++i) manager->PlaySound("freeze", false, 1.0f);
  ASSERT_EQ(log.plays.size(), 4u);
  // Copies 1, 2, 0, then copy 1 again.
  EXPECT_EQ(log.plays[0], copies[1]);
  EXPECT_EQ(log.plays[1], copies[2]);
  EXPECT_EQ(log.plays[2], copies[0]);
  EXPECT_EQ(log.plays[3], copies[1]);
}

}  // namespace
