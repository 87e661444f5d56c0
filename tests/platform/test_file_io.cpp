#include "engine/platform/file_io.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/null_video.h"

namespace {

namespace fs = std::filesystem;

TEST(FileIo, ReplacesAndReadsBackAPrefix) {
  fs::path path = fs::path(bv::test::MakeTempFolder("file_io")) / "data.bin";
  const std::string first = "first version";
  ASSERT_TRUE(bv::WriteFileReplacing(path, first.data(), first.size()));
  const std::string second = "second";
  ASSERT_TRUE(bv::WriteFileReplacing(path, second.data(), second.size()));

  std::vector<uint8_t> bytes;
  ASSERT_TRUE(bv::ReadFilePrefix(path, 100, &bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "second");
  ASSERT_TRUE(bv::ReadFilePrefix(path, 3, &bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "sec");
  EXPECT_FALSE(fs::exists(path.string() + ".tmp"));
}

TEST(FileIo, FailuresReportFalse) {
  fs::path folder = bv::test::MakeTempFolder("file_io_fail");
  std::vector<uint8_t> bytes{1, 2, 3};
  EXPECT_FALSE(bv::ReadFilePrefix(folder / "missing", 10, &bytes));
  EXPECT_TRUE(bytes.empty());
  EXPECT_FALSE(bv::WriteFileReplacing(folder / "no" / "such" / "folder", "x", 1));
}

}  // namespace
