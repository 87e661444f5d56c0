#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "game/core/player_store.h"
#include "game/core/save_file.h"
#include "support/child_process.h"

namespace {

// Longest a child writing the save may take (milliseconds).
constexpr int kChildTimeoutMs = 10000;

uint32_t U32At(const bv::SaveImage& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 |
         uint32_t(b[at + 3]) << 24;
}

// A store with a distinct value in every field of profile 1 and entry 3.
BvPlayerStore KnownStore() {
  BvPlayerStore store;
  store.Reset();
  store.current = 1;
  BvProfile& p = store.profiles[1];
  p.freed = 0x01020304;
  p.score = 0x11121314;
  p.monstersKilled = 0x21222324;
  p.chainsBroken = 0x31323334;
  p.spellsCast = 0x41424344;
  p.reserved = 0;
  p.matches = 0x51525354;
  p.completedGames = 2;
  p.level = 7;
  p.world = 4;
  p.achievements[0] = 1;
  p.achievements[41] = 1;
  p.SetName("Ottilie");
  p.key = -2;
  p.showHints = 0;
  p.timeMode = 1;
  p.seenTips = 0x80000081u;
  store.hiscores[3].score = 25000;
  store.hiscores[3].key = 0x0a0b0c0d;
  store.hiscores[3].SetName("Kay");
  return store;
}

TEST(SaveFileTest, GoldenBytesOfKnownStore) {
  const bv::SaveImage b = bv::EncodeSaveImage(KnownStore());
  ASSERT_EQ(b.size(), 844u);
  EXPECT_EQ(b[0], 1);
  EXPECT_EQ(b[1], 0);
  EXPECT_EQ(b[2], 0);  // padding written as zero
  EXPECT_EQ(b[3], 0);
  const size_t p = 4 + 120;  // profile 1
  struct Field { size_t offset; uint32_t value; };
  for (Field f : {Field{0, 0x01020304}, Field{4, 0x11121314}, Field{8, 0x21222324},
                  Field{12, 0x31323334}, Field{16, 0x41424344}, Field{20, 0},
                  Field{24, 0x51525354}, Field{28, 2}, Field{32, 7}, Field{36, 4},
                  Field{108, 0xfffffffe}, Field{116, 0x80000081u}})
    EXPECT_EQ(U32At(b, p + f.offset), f.value) << "profile offset " << f.offset;
  EXPECT_EQ(b[p + 0], 0x04);  // little-endian
  EXPECT_EQ(b[p + 40], 1);
  EXPECT_EQ(b[p + 81], 1);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[p + 82])), "Ottilie");
  EXPECT_EQ(b[p + 112], 0);
  EXPECT_EQ(b[p + 113], 1);
  // Profile 0 is a reset profile: options on, the rest zero.
  EXPECT_EQ(b[4 + 112], 1);
  EXPECT_EQ(b[4 + 113], 1);
  EXPECT_EQ(b[4 + 82], 0);
  // Hiscores: entry 0 default, entry 3 known.
  EXPECT_EQ(U32At(b, 484), 100000u);
  EXPECT_EQ(U32At(b, 488), 0u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[492])), "Brasvolt");
  const size_t h = 484 + 3 * 36;
  EXPECT_EQ(U32At(b, h), 25000u);
  EXPECT_EQ(U32At(b, h + 4), 0x0a0b0c0du);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[h + 8])), "Kay");
  EXPECT_EQ(U32At(b, 484 + 9 * 36), 1000u);
  EXPECT_EQ(U32At(b, 484 + 9 * 36 + 4), 9u);
}

TEST(SaveFileTest, RoundTripKeepsEveryField) {
  const BvPlayerStore known = KnownStore();
  const bv::SaveImage image = bv::EncodeSaveImage(known);
  BvPlayerStore read;
  ASSERT_TRUE(bv::DecodeSaveImage(image.data(), image.size(), read));
  EXPECT_EQ(bv::EncodeSaveImage(read), image);
  EXPECT_EQ(read.current, 1);
  EXPECT_STREQ(read.profiles[1].name, "Ottilie");
  EXPECT_EQ(read.profiles[1].seenTips, 0x80000081u);
}

TEST(SaveFileTest, DecodeMakesDamagedValuesSafe) {
  bv::SaveImage image = bv::EncodeSaveImage(KnownStore());
  struct Case { const char* what; int16_t current; int32_t level, world; int wantCurrent, wantLevel, wantWorld; };
  const Case cases[] = {
      {"in range", 3, 10, 6, 3, 10, 6},
      {"index too high", 4, 0, 0, -1, 0, 0},
      {"index too low", -2, 0, 0, -1, 0, 0},
      {"world 9, level 11", 0, 11, 9, 0, 10, 6},
      {"negative world and level", 0, -5, -1, 0, 0, 0},
  };
  for (const Case& c : cases) {
    image[0] = static_cast<uint8_t>(c.current);
    image[1] = static_cast<uint8_t>(static_cast<uint16_t>(c.current) >> 8);
    for (int i = 0; i < 4; ++i) {
      const size_t p = 4 + 120 * i;
      for (int k = 0; k < 4; ++k) {
        image[p + 32 + k] = static_cast<uint8_t>(static_cast<uint32_t>(c.level) >> (8 * k));
        image[p + 36 + k] = static_cast<uint8_t>(static_cast<uint32_t>(c.world) >> (8 * k));
      }
    }
    BvPlayerStore store;
    ASSERT_TRUE(bv::DecodeSaveImage(image.data(), image.size(), store)) << c.what;
    EXPECT_EQ(store.current, c.wantCurrent) << c.what;
    for (const BvProfile& p : store.profiles) {
      EXPECT_EQ(p.level, c.wantLevel) << c.what;
      EXPECT_EQ(p.world, c.wantWorld) << c.what;
    }
  }
  // Names without a terminator get one.
  for (int i = 0; i < 26; ++i) image[4 + 82 + i] = 'n';
  for (int i = 0; i < 25; ++i) image[484 + 8 + i] = 'h';
  BvPlayerStore store;
  ASSERT_TRUE(bv::DecodeSaveImage(image.data(), image.size(), store));
  EXPECT_EQ(std::string(store.profiles[0].name), std::string(25, 'n'));
  EXPECT_EQ(std::string(store.hiscores[0].name), std::string(24, 'h'));
}

class SaveFileOnDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/qv_save_XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    path = dir + "/savegame.sav";
  }
  void TearDown() override {
    chmod(path.c_str(), 0644);
    std::remove(path.c_str());
    std::remove((path + ".tmp").c_str());
    std::remove(bv::DamagedSavePath(path).c_str());
    rmdir(dir.c_str());
  }
  void WriteBytes(const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                bytes.size());
  }
  std::vector<uint8_t> ReadBytes() {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::string dir, path;
};

TEST_F(SaveFileOnDiskTest, WriteThenReadRoundTrip) {
  const BvPlayerStore known = KnownStore();
  ASSERT_TRUE(bv::WriteSaveFile(path, known));
  EXPECT_EQ(ReadBytes().size(), 844u);
  EXPECT_NE(access((path + ".tmp").c_str(), F_OK), 0) << "no temporary left behind";
  BvPlayerStore read;
  EXPECT_TRUE(bv::ReadSaveFile(path, read));
  EXPECT_EQ(bv::EncodeSaveImage(read), bv::EncodeSaveImage(known));
}

// A short save resets the store and is kept, bytes and all, as
// "savegame.sav.bad" before anything replaces it; a long one is read from
// its first 844 bytes.
TEST_F(SaveFileOnDiskTest, ShortSavesAreKeptAsideAndLongOnesRead) {
  const bv::SaveImage good = bv::EncodeSaveImage(KnownStore());
  const std::string bad = bv::DamagedSavePath(path);
  EXPECT_EQ(bad, dir + "/savegame.sav.bad");
  struct Case { const char* what; size_t size; bool read; };
  for (Case c : {Case{"empty", 0, false}, Case{"short by one", 843, false},
                 Case{"half", 422, false}, Case{"500 bytes", 500, false},
                 Case{"long by one", 845, true}, Case{"900 bytes", 900, true}}) {
    std::remove(bad.c_str());
    std::vector<uint8_t> bytes(good.begin(), good.end());
    bytes.resize(c.size, 0x55);
    WriteBytes(bytes);
    BvPlayerStore store = KnownStore();
    store.current = 2;
    EXPECT_EQ(bv::ReadSaveFile(path, store), c.read) << c.what;
    if (c.read) {
      EXPECT_EQ(bv::EncodeSaveImage(store), good) << c.what;
      EXPECT_NE(access(bad.c_str(), F_OK), 0) << c.what << ": nothing kept aside";
      continue;
    }
    EXPECT_EQ(store.current, -1) << c.what;
    EXPECT_TRUE(store.profiles[1].IsFree()) << c.what;
    EXPECT_EQ(store.hiscores[3].score, 20000) << c.what;
    std::ifstream in(bad, std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {}), bytes) << c.what;
    // The next write replaces the save, not what was kept.
    ASSERT_TRUE(bv::WriteSaveFile(path, store)) << c.what;
    EXPECT_EQ(ReadBytes().size(), 844u) << c.what;
    std::ifstream again(bad, std::ios::binary);
    EXPECT_EQ(std::vector<uint8_t>(std::istreambuf_iterator<char>(again), {}).size(), c.size)
        << c.what;
  }
  std::remove(bad.c_str());
  std::remove(path.c_str());
  BvPlayerStore store = KnownStore();
  EXPECT_FALSE(bv::ReadSaveFile(path, store));
  EXPECT_EQ(store.hiscores[0].score, 100000);
  EXPECT_EQ(store.current, -1);
  EXPECT_NE(access(bad.c_str(), F_OK), 0) << "no save, nothing to keep";
}

// Run as an ordinary user (root ignores permissions): the save is read-only
// but its folder is the user's, so only the writer's own check keeps the
// rename from replacing it.
TEST_F(SaveFileOnDiskTest, ReadOnlyFileKeepsOldContent) {
  WriteBytes(std::vector<uint8_t>(844, 0));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  if (geteuid() == 0) {
    bv::test::UnprivilegedUser user;
    ASSERT_TRUE(bv::test::FindUnprivilegedUser(&user)) << "no unprivileged account";
    ASSERT_EQ(chown(dir.c_str(), user.uid, user.gid), 0);
  }
  constexpr int kWritten = 1, kRefused = 0;
  const int result = bv::test::RunUnprivileged(
      [&] { return bv::WriteSaveFile(path, KnownStore()) ? kWritten : kRefused; }, kChildTimeoutMs);
  ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
  EXPECT_EQ(result, kRefused);
  EXPECT_EQ(ReadBytes(), std::vector<uint8_t>(844, 0));
  EXPECT_NE(access((path + ".tmp").c_str(), F_OK), 0) << "no temporary left behind";
}

TEST_F(SaveFileOnDiskTest, MissingFolderFailsQuietly) {
  EXPECT_FALSE(bv::WriteSaveFile(dir + "/absent/savegame.sav", KnownStore()));
}

}  // namespace
