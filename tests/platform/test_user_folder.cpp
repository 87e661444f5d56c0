#include "engine/platform/user_folder.h"

#include <gtest/gtest.h>

#include "support/scoped_env.h"

namespace {

TEST(UserFolder, FollowsXdgDataHomeThenHome) {
  struct Case {
    const char* dataHome;
    const char* home;
    const char* expected;
  };
  const Case cases[] = {
      {"/tmp/xdg", "/home/p", "/tmp/xdg/brasvolt/quorvel"},
      {nullptr, "/home/p", "/home/p/.local/share/brasvolt/quorvel"},
      // An empty value counts as unset.
      {"", "/home/p", "/home/p/.local/share/brasvolt/quorvel"},
      {nullptr, nullptr, ""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    bv::test::ScopedEnv dataHome("XDG_DATA_HOME", c.dataHome);
    bv::test::ScopedEnv home("HOME", c.home);
    EXPECT_EQ(bv::UserFolder().string(), c.expected)
        << "XDG_DATA_HOME=" << (c.dataHome ? c.dataHome : "(unset)")
        << " HOME=" << (c.home ? c.home : "(unset)");
  }
}

TEST(UserFolder, FilePathIsEmptyWithoutAFolder) {
  bv::test::ScopedEnv dataHome("XDG_DATA_HOME", nullptr);
  bv::test::ScopedEnv home("HOME", nullptr);
  EXPECT_TRUE(bv::UserFilePath("config.dat").empty());
  EXPECT_FALSE(bv::CreateUserFolder());
}

}  // namespace
