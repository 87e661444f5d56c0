#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <initializer_list>
#include <iterator>
#include <string>
#include <vector>

#include "engine/platform/message_box.h"
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
    bv::SetMessageBoxMode(bv::MessageBoxMode::Capture);
    bv::ClearShownMessages();
  }
  void TearDown() override {
    bv::SetMessageBoxMode(bv::DefaultMessageBoxMode());
    bv::ClearShownMessages();
    std::string cmd = "chmod -R u+rwx '" + dir + "'; rm -rf '" + dir + "'";
    if (std::system(cmd.c_str()) != 0) ADD_FAILURE() << "cleanup";
  }
  void WriteBytes(const std::vector<uint8_t>& bytes, const std::string& to = "") {
    std::ofstream(to.empty() ? path : to, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  }
  std::vector<uint8_t> ReadBytes(const std::string& from = "") {
    std::ifstream in(from.empty() ? path : from, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  // Names in the folder, sorted.
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
      names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
  // "Alert" messages shown so far whose text contains every part.
  static int Alerts(std::initializer_list<std::string> parts) {
    int count = 0;
    for (const bv::ShownMessage& m : bv::ShownMessages()) {
      bool all = m.caption == "Alert";
      for (const std::string& part : parts) all = all && m.text.find(part) != std::string::npos;
      count += all;
    }
    return count;
  }
  // Makes dir the unprivileged user's when this runs as root, so a child
  // that gives up root may still write in it.
  void HandFolderToChild() {
    if (geteuid() != 0) return;
    bv::test::UnprivilegedUser user;
    ASSERT_TRUE(bv::test::FindUnprivilegedUser(&user)) << "no unprivileged account";
    ASSERT_EQ(chown(dir.c_str(), user.uid, user.gid), 0);
    if (access(path.c_str(), F_OK) == 0) ASSERT_EQ(chown(path.c_str(), user.uid, user.gid), 0);
  }
  std::string dir, path;
};

TEST_F(SaveFileOnDiskTest, WriteThenReadRoundTrip) {
  const BvPlayerStore known = KnownStore();
  bv::KeptFile file = bv::MakeSaveFile(path);
  ASSERT_TRUE(bv::WriteSaveFile(file, known));
  EXPECT_EQ(ReadBytes().size(), 844u);
  EXPECT_EQ(Entries(), std::vector<std::string>{"savegame.sav"}) << "no temporary left behind";
  BvPlayerStore read;
  bv::KeptFile again = bv::MakeSaveFile(path);
  EXPECT_TRUE(bv::ReadSaveFile(again, read));
  EXPECT_EQ(bv::EncodeSaveImage(read), bv::EncodeSaveImage(known));
  EXPECT_TRUE(bv::ShownMessages().empty()) << "a good save is read without a word";
  EXPECT_EQ(Entries(), std::vector<std::string>{"savegame.sav"}) << "and nothing kept aside";
}

// Every save that cannot be used byte for byte as it is, too short, too long
// or with a field that had to be made safe, is kept as it was before
// anything replaces it, and the player is told once where.
TEST_F(SaveFileOnDiskTest, DamagedSavesAreKeptAsTheyWereAndTold) {
  const bv::SaveImage good = bv::EncodeSaveImage(KnownStore());
  const std::string bad = bv::DamagedSavePath(path);
  EXPECT_EQ(bad, dir + "/savegame.sav.bad");
  using Bytes = std::vector<uint8_t>;
  auto changed = [&](size_t at, std::initializer_list<uint8_t> values) {
    Bytes bytes(good.begin(), good.end());
    std::copy(values.begin(), values.end(), bytes.begin() + at);
    return bytes;
  };
  auto sized = [&](size_t size) {
    Bytes bytes(good.begin(), good.end());
    bytes.resize(size, 0x55);
    return bytes;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    bool used;  // the store holds the file's values (made safe)
    const char* told;
  };
  const Case cases[] = {
      {"empty", sized(0), false, "too short"},
      {"short by one", sized(843), false, "too short"},
      {"half", sized(422), false, "too short"},
      {"long by one", sized(845), true, "longer than 844"},
      {"900 bytes", sized(900), true, "longer than 844"},
      {"current index 7", changed(0, {7, 0}), true, "out of range"},
      {"level 99", changed(4 + 120 + 32, {99}), true, "out of range"},
      {"world -3", changed(4 + 120 + 36, {0xFD, 0xFF, 0xFF, 0xFF}), true, "out of range"},
      {"name without terminator", changed(4 + 82 + 25, {'x'}), true, "out of range"},
      {"hiscore name without terminator", changed(484 + 8 + 24, {'x'}), true, "out of range"},
      {"padding not zero", changed(2, {1}), true, "out of range"},
      {"all 0xFF", Bytes(844, 0xFF), true, "out of range"},
  };
  for (const Case& c : cases) {
    std::remove(bad.c_str());
    bv::ClearShownMessages();
    WriteBytes(c.bytes);
    BvPlayerStore store = KnownStore();
    store.current = 2;
    bv::KeptFile file = bv::MakeSaveFile(path);
    EXPECT_EQ(bv::ReadSaveFile(file, store), c.used) << c.what;
    if (!c.used) {
      EXPECT_EQ(store.current, -1) << c.what;
      EXPECT_TRUE(store.profiles[1].IsFree()) << c.what;
      EXPECT_EQ(store.hiscores[3].score, 20000) << c.what;
    } else if (c.bytes.size() > 844) {
      EXPECT_EQ(bv::EncodeSaveImage(store), good) << c.what;
    }
    EXPECT_EQ(ReadBytes(bad), c.bytes) << c.what << ": kept as it was";
    EXPECT_EQ(Alerts({path, c.told, bad}), 1) << c.what << ": told once where the copy is";
    EXPECT_EQ(bv::ShownMessages().size(), 1u) << c.what;
    // The next writes replace the save, not what was kept, and say nothing.
    ASSERT_TRUE(bv::WriteSaveFile(file, store)) << c.what;
    ASSERT_TRUE(bv::WriteSaveFile(file, store)) << c.what;
    EXPECT_EQ(ReadBytes().size(), 844u) << c.what;
    EXPECT_EQ(ReadBytes(bad), c.bytes) << c.what;
    EXPECT_EQ(bv::ShownMessages().size(), 1u) << c.what;
  }
  std::remove(bad.c_str());
  std::remove(path.c_str());
  bv::ClearShownMessages();
  BvPlayerStore store = KnownStore();
  bv::KeptFile file = bv::MakeSaveFile(path);
  EXPECT_FALSE(bv::ReadSaveFile(file, store));
  EXPECT_EQ(store.hiscores[0].score, 100000);
  EXPECT_EQ(store.current, -1);
  EXPECT_TRUE(Entries().empty()) << "no save, nothing to keep";
  EXPECT_TRUE(bv::ShownMessages().empty()) << "a first start is not an alert";
}

// Each damaged save is kept: the newest as ".bad", older ones as ".bad.1"
// to ".bad.4", the oldest dropped first.
TEST_F(SaveFileOnDiskTest, DamagedCopiesRotateAndTheOldestGoFirst) {
  constexpr int kDamagedSaves = 7;
  for (int n = 0; n < kDamagedSaves; ++n) {
    WriteBytes(std::vector<uint8_t>(10 + n, uint8_t(n)));
    BvPlayerStore store;
    bv::KeptFile file = bv::MakeSaveFile(path);
    bv::ReadSaveFile(file, store);
    ASSERT_TRUE(bv::WriteSaveFile(file, store));
  }
  const std::vector<std::string> kept = {"savegame.sav",       "savegame.sav.bad",
                                         "savegame.sav.bad.1", "savegame.sav.bad.2",
                                         "savegame.sav.bad.3", "savegame.sav.bad.4"};
  EXPECT_EQ(Entries(), kept);
  for (int age = 0; age < bv::kKeptDamagedCopies; ++age) {
    const int n = kDamagedSaves - 1 - age;
    EXPECT_EQ(ReadBytes(bv::DamagedCopyPath(path, age)), std::vector<uint8_t>(10 + n, uint8_t(n)))
        << "copy of age " << age;
  }
}

// A named pipe or a folder where the save should be must not hold the start:
// it is moved aside as a damaged save and the game starts fresh.
TEST_F(SaveFileOnDiskTest, WhatIsNotAFileIsMovedAsideAndTheGameStartsFresh) {
  struct Case {
    const char* what;
    bool (*make)(const std::string& at);
    bool (*isIt)(const struct stat& st);
  };
  const Case cases[] = {
      {"named pipe", [](const std::string& at) { return mkfifo(at.c_str(), 0644) == 0; },
       [](const struct stat& st) { return S_ISFIFO(st.st_mode); }},
      {"folder", [](const std::string& at) { return mkdir(at.c_str(), 0755) == 0; },
       [](const struct stat& st) { return S_ISDIR(st.st_mode); }},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.make(path)) << c.what;
    // In a child: were the read to block, the child is killed and the case
    // fails instead of the whole run hanging.
    const int result = bv::test::RunInChild(
        [&] {
          BvPlayerStore store = KnownStore();
          bv::KeptFile file = bv::MakeSaveFile(path);
          if (bv::ReadSaveFile(file, store)) return 1;
          if (store.current != -1 || store.hiscores[0].score != 100000) return 2;
          if (Alerts({path, "not a regular file", path + ".bad"}) != 1) return 3;
          return bv::WriteSaveFile(file, store) ? 0 : 4;
        },
        kChildTimeoutMs);
    EXPECT_EQ(result, 0) << c.what << " (-1: blocked; 1: used; 2: not reset; 3: not told; "
                         << "4: not written)";
    struct stat st;
    ASSERT_EQ(lstat(bv::DamagedSavePath(path).c_str(), &st), 0) << c.what;
    EXPECT_TRUE(c.isIt(st)) << c.what << ": moved aside as it was";
    EXPECT_EQ(ReadBytes().size(), 844u) << c.what << ": a fresh save";
    std::string cmd = "rm -rf '" + dir + "'/*";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
  }
}

// A save that is there but cannot be read now may be whole: it is never
// written over, the player is told once that progress is not saved, and the
// game plays on. Run as an ordinary user (root reads anything): the save is
// writable but not readable, so only the refusal keeps it.
TEST_F(SaveFileOnDiskTest, AnUnreadableSaveIsNeverWrittenOver) {
  const std::vector<uint8_t> original(844, 0x21);
  WriteBytes(original);
  ASSERT_EQ(chmod(path.c_str(), 0200), 0);
  HandFolderToChild();
  const int result = bv::test::RunUnprivileged(
      [&] {
        BvPlayerStore store = KnownStore();
        bv::KeptFile file = bv::MakeSaveFile(path);
        if (bv::ReadSaveFile(file, store)) return 1;
        if (store.current != -1) return 2;
        if (bv::WriteSaveFile(file, store) || bv::WriteSaveFile(file, store)) return 3;
        if (Alerts({"Could not read", path, "will not be saved"}) != 1) return 4;
        return bv::ShownMessages().size() == 1 ? 0 : 5;
      },
      kChildTimeoutMs);
  ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
  EXPECT_EQ(result, 0) << "1: used; 2: not reset; 3: written; 4, 5: not told once";
  ASSERT_EQ(chmod(path.c_str(), 0644), 0);
  EXPECT_EQ(ReadBytes(), original);
  EXPECT_EQ(Entries(), std::vector<std::string>{"savegame.sav"});
}

// A damaged save of which no copy can be kept (here a folder in the way of
// the oldest copy) is left as it is too, and so are the copies.
TEST_F(SaveFileOnDiskTest, ADamagedSaveWithoutACopyIsNeverWrittenOver) {
  const std::vector<uint8_t> original(100, 0x42);
  WriteBytes(original);
  WriteBytes({1}, bv::DamagedCopyPath(path, 0));
  WriteBytes({3}, bv::DamagedCopyPath(path, 3));
  ASSERT_EQ(mkdir(bv::DamagedCopyPath(path, 4).c_str(), 0755), 0);
  WriteBytes({4}, bv::DamagedCopyPath(path, 4) + "/inside");
  BvPlayerStore store;
  bv::KeptFile file = bv::MakeSaveFile(path);
  EXPECT_FALSE(bv::ReadSaveFile(file, store));
  EXPECT_FALSE(bv::WriteSaveFile(file, store));
  EXPECT_EQ(ReadBytes(), original);
  EXPECT_EQ(ReadBytes(bv::DamagedCopyPath(path, 0)), std::vector<uint8_t>{1});
  EXPECT_EQ(ReadBytes(bv::DamagedCopyPath(path, 3)), std::vector<uint8_t>{3});
  EXPECT_EQ(Alerts({path, "no copy of it could be kept", "will not be saved"}), 1);
  EXPECT_EQ(bv::ShownMessages().size(), 1u);
}

// Run as an ordinary user (root ignores permissions): the save is read-only
// but its folder is the user's, so only the writer's own check keeps the
// rename from replacing it. The player is told once.
TEST_F(SaveFileOnDiskTest, ReadOnlyFileKeepsOldContent) {
  WriteBytes(std::vector<uint8_t>(844, 0));
  ASSERT_EQ(chmod(path.c_str(), 0444), 0);
  HandFolderToChild();
  const int result = bv::test::RunUnprivileged(
      [&] {
        bv::KeptFile file = bv::MakeSaveFile(path);
        if (bv::WriteSaveFile(file, KnownStore()) || bv::WriteSaveFile(file, KnownStore()))
          return 1;
        return Alerts({"Could not write", path}) == 1 && bv::ShownMessages().size() == 1 ? 0 : 2;
      },
      kChildTimeoutMs);
  ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
  EXPECT_EQ(result, 0) << "1: written; 2: not told once";
  EXPECT_EQ(ReadBytes(), std::vector<uint8_t>(844, 0));
  EXPECT_EQ(Entries(), std::vector<std::string>{"savegame.sav"}) << "no temporary left behind";
}

// A save folder the player cannot write in, or a full disk: every write
// fails, the old save stays whole, the player is told once, and a later
// write that can succeed does.
TEST_F(SaveFileOnDiskTest, FailedWritesAreToldOnceAndTriedAgain) {
  const std::vector<uint8_t> old = std::vector<uint8_t>(844, 0);
  WriteBytes(old);
  struct Case {
    const char* what;
    bool unprivileged;
    std::function<bool()> block;    // the fault
    std::function<bool()> unblock;  // the fault mended
  };
  const Case cases[] = {
      {"disk full", false,
       [] {
         signal(SIGXFSZ, SIG_IGN);
         const rlimit small{100, RLIM_INFINITY};
         return setrlimit(RLIMIT_FSIZE, &small) == 0;
       },
       [] {
         const rlimit back{RLIM_INFINITY, RLIM_INFINITY};
         return setrlimit(RLIMIT_FSIZE, &back) == 0;
       }},
      {"read-only folder", true, [&] { return chmod(dir.c_str(), 0555) == 0; },
       [&] { return chmod(dir.c_str(), 0755) == 0; }},
  };
  for (const Case& c : cases) {
    if (c.unprivileged) HandFolderToChild();
    auto body = [&] {
      bv::KeptFile file = bv::MakeSaveFile(path);
      if (!c.block()) return 9;
      for (int scene = 0; scene < 3; ++scene)
        if (bv::WriteSaveFile(file, KnownStore())) return 1;
      if (ReadBytes() != old) return 2;
      if (Alerts({"Could not write", path, "tries again"}) != 1) return 3;
      if (bv::ShownMessages().size() != 1) return 4;
      if (!c.unblock() || !bv::WriteSaveFile(file, KnownStore())) return 5;
      return bv::ShownMessages().size() == 1 ? 0 : 6;
    };
    const int result = c.unprivileged ? bv::test::RunUnprivileged(body, kChildTimeoutMs)
                                      : bv::test::RunInChild(body, kChildTimeoutMs);
    ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
    EXPECT_EQ(result, 0) << c.what << " (1: reported written; 2: old save changed; 3, 4: not "
                         << "told once; 5: not tried again; 6: told again)";
    const bv::SaveImage written = bv::EncodeSaveImage(KnownStore());
    EXPECT_EQ(ReadBytes(), std::vector<uint8_t>(written.begin(), written.end())) << c.what;
    EXPECT_EQ(Entries(), std::vector<std::string>{"savegame.sav"}) << c.what;
    WriteBytes(old);
  }
}

TEST_F(SaveFileOnDiskTest, AFolderThatCannotBeMadeFails) {
  WriteBytes({1});
  bv::KeptFile file = bv::MakeSaveFile(path + "/quorvel/savegame.sav");
  EXPECT_FALSE(bv::WriteSaveFile(file, KnownStore()));
  EXPECT_EQ(Alerts({"Could not write"}), 1);
  bv::KeptFile none = bv::MakeSaveFile("");
  EXPECT_FALSE(bv::WriteSaveFile(none, KnownStore())) << "no user folder: nothing to write";
  EXPECT_EQ(bv::ShownMessages().size(), 1u);
}

}  // namespace
