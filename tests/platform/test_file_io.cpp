#include "engine/platform/file_io.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/child_process.h"
#include "support/null_video.h"

namespace {

namespace fs = std::filesystem;

// Longest a child may take (milliseconds).
constexpr int kChildTimeoutMs = 10000;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Names in the folder other than the ones given.
std::vector<std::string> OtherEntries(const fs::path& folder, std::vector<std::string> known) {
  std::vector<std::string> others;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (std::find(known.begin(), known.end(), name) == known.end()) others.push_back(name);
  }
  return others;
}

TEST(FileIo, ReplacesAndReadsBackAPrefix) {
  const fs::path folder = bv::test::MakeTempFolder("file_io");
  const fs::path path = folder / "data.bin";
  const std::string first = "first version";
  ASSERT_TRUE(bv::WriteFileReplacing(path, first.data(), first.size()));
  const std::string second = "second";
  ASSERT_TRUE(bv::WriteFileReplacing(path, second.data(), second.size()));

  bv::FilePrefix read = bv::ReadRegularFilePrefix(path, 100);
  ASSERT_EQ(read.status, bv::FileReadStatus::kRead);
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "second");
  EXPECT_FALSE(read.longer);
  read = bv::ReadRegularFilePrefix(path, 3);
  EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), "sec");
  EXPECT_TRUE(read.longer);
  read = bv::ReadRegularFilePrefix(path, 6);
  EXPECT_FALSE(read.longer) << "exactly the size asked for";
  EXPECT_TRUE(OtherEntries(folder, {"data.bin"}).empty()) << "no temporary left behind";
}

// Whatever is at the path, the read answers at once: a named pipe with no
// writer would hold a plain open for ever, so each read runs in a child
// that must end in time.
TEST(FileIo, OnlyRegularFilesAreReadAndNothingBlocks) {
  const fs::path folder = bv::test::MakeTempFolder("file_io_kinds");
  const fs::path pipe = folder / "pipe";
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  fs::create_directory(folder / "folder");
  fs::create_symlink(pipe, folder / "link_to_pipe");
  std::ofstream(folder / "file") << "abc";
  std::ofstream(folder / "empty");
  // A socket cannot even be opened.
  const int sock = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(sock, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socketPath = (folder / "socket").string();
  ASSERT_LT(socketPath.size(), sizeof address.sun_path);
  std::strcpy(address.sun_path, socketPath.c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);

  struct Case {
    const char* name;
    bv::FileReadStatus status;
    size_t size;
  };
  for (Case c : {Case{"file", bv::FileReadStatus::kRead, 3},
                 Case{"empty", bv::FileReadStatus::kRead, 0},
                 Case{"missing", bv::FileReadStatus::kMissing, 0},
                 Case{"pipe", bv::FileReadStatus::kNotAFile, 0},
                 Case{"link_to_pipe", bv::FileReadStatus::kNotAFile, 0},
                 Case{"folder", bv::FileReadStatus::kNotAFile, 0},
                 Case{"socket", bv::FileReadStatus::kNotAFile, 0}}) {
    const fs::path path = folder / c.name;
    const int result = bv::test::RunInChild(
        [&] {
          const bv::FilePrefix read = bv::ReadRegularFilePrefix(path, 10);
          return int(read.status) * 16 + int(read.bytes.size());
        },
        kChildTimeoutMs);
    ASSERT_NE(result, -1) << c.name << ": the read blocked or crashed";
    EXPECT_EQ(result / 16, int(c.status)) << c.name;
    EXPECT_EQ(result % 16, int(c.size)) << c.name;
  }
  close(sock);
}

// Run as an ordinary user (root reads anything).
TEST(FileIo, AFileThatCannotBeOpenedIsAFailureNotAMissingFile) {
  const fs::path folder = bv::test::MakeTempFolder("file_io_locked");
  ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
  const fs::path path = folder / "locked";
  std::ofstream(path) << "kept";
  ASSERT_EQ(chmod(path.c_str(), 0), 0);
  const int result = bv::test::RunUnprivileged(
      [&] {
        const bv::FilePrefix read = bv::ReadRegularFilePrefix(path, 10);
        return read.status == bv::FileReadStatus::kFailed && read.error == EACCES ? 0 : 1;
      },
      kChildTimeoutMs);
  ASSERT_NE(result, bv::test::kPrivilegesKept) << "the child could not give up root";
  EXPECT_EQ(result, 0);
}

TEST(FileIo, WriteFailuresReportTheirErrorAndKeepTheOldFile) {
  const fs::path folder = bv::test::MakeTempFolder("file_io_fail");
  // A file where the folder would be made.
  std::ofstream(folder / "no") << "x";
  int error = 0;
  EXPECT_FALSE(bv::WriteFileReplacing(folder / "no" / "such" / "file", "x", 1, &error));
  EXPECT_EQ(error, ENOTDIR);
  // A missing folder is made.
  EXPECT_TRUE(bv::WriteFileReplacing(folder / "new" / "file", "x", 1, &error));
  EXPECT_EQ(error, 0);

  // A full disk, as a file size limit: the write stops part way.
  const fs::path path = folder / "data.bin";
  const std::string old = "the old content";
  ASSERT_TRUE(bv::WriteFileReplacing(path, old.data(), old.size()));
  const int result = bv::test::RunInChild(
      [&] {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{100, 100};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        const std::vector<char> big(1000, 'n');
        int failure = 0;
        if (bv::WriteFileReplacing(path, big.data(), big.size(), &failure)) return 1;
        return failure == EFBIG ? 0 : 3;
      },
      kChildTimeoutMs);
  EXPECT_EQ(result, 0) << "1: reported as written, 3: another error";
  EXPECT_EQ(ReadAll(path), old);
  EXPECT_TRUE(OtherEntries(folder, {"no", "new", "data.bin"}).empty()) << "no temporary left";
}

// Writers that shared one temporary name truncated and renamed each other's
// half-written files: with a temporary of its own, every write succeeds and
// a reader only ever sees one writer's bytes, whole.
TEST(FileIo, RacingWritersNeverLeaveATornFile) {
  const fs::path folder = bv::test::MakeTempFolder("file_io_race");
  const fs::path path = folder / "data.bin";
  constexpr int kWriters = 4, kWrites = 40;
  constexpr size_t kSize = 256 * 1024;
  std::vector<pid_t> writers;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = fork();
    if (pid == 0) {
      const std::vector<char> content(kSize, char('a' + w));
      int failed = 0;
      for (int i = 0; i < kWrites; ++i)
        if (!bv::WriteFileReplacing(path, content.data(), content.size())) ++failed;
      _exit(failed > 0 ? 1 : 0);
    }
    writers.push_back(pid);
  }
  int torn = 0, reads = 0;
  for (int i = 0; i < 200; ++i) {
    const std::string seen = ReadAll(path);
    if (seen.empty()) continue;
    ++reads;
    if (seen.size() != kSize || seen.find_first_not_of(seen[0]) != std::string::npos) ++torn;
  }
  for (pid_t pid : writers) EXPECT_EQ(bv::test::WaitForExit(pid, 60000), 0) << "a write failed";
  EXPECT_EQ(torn, 0) << "of " << reads << " reads";
  const std::string last = ReadAll(path);
  EXPECT_EQ(last.size(), kSize);
  EXPECT_TRUE(OtherEntries(folder, {"data.bin"}).empty()) << "no temporary left";
}

TEST(FileIo, CopyKeepsEveryByteAndRefusesWhatIsNotAFile) {
  const fs::path folder = bv::test::MakeTempFolder("file_io_copy");
  const std::string content(100000, 'q');
  ASSERT_TRUE(bv::WriteFileReplacing(folder / "from", content.data(), content.size()));
  ASSERT_TRUE(bv::CopyFileReplacing(folder / "from", folder / "to"));
  EXPECT_EQ(ReadAll(folder / "to"), content);
  ASSERT_EQ(mkfifo((folder / "pipe").c_str(), 0644), 0);
  int error = 0;
  EXPECT_FALSE(bv::CopyFileReplacing(folder / "pipe", folder / "pipe_copy", &error));
  EXPECT_NE(error, 0);
  EXPECT_FALSE(fs::exists(folder / "pipe_copy"));
}

}  // namespace
