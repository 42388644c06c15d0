// The lock file that keeps a second editor off a world.
#include "load/worldlock.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "core/testutil.h"

namespace zm {
namespace {

std::string Host() {
  char buf[256] = {};
  gethostname(buf, sizeof buf - 1);
  return buf;
}

TEST(WorldLock, HeldOnlyByAnotherLiveEditor) {
  test::TempDir d;
  const auto lock = WorldLock::LockPath(d.path());
  EXPECT_FALSE(WorldLock::Holder(d.path()));
  struct Case {
    std::string text;
    bool held;
  };
  const std::vector<Case> cases = {
      {"host=" + Host() + "\npid=1\nstarted=2026-12-08 10:00:00\n", true},     // a running process
      {"host=" + Host() + "\npid=999999999\nstarted=x\n", false},              // gone: stale
      {"host=" + Host() + "\npid=" + std::to_string(getpid()) + "\n", false},  // this process
      {"host=elsewhere\npid=1\n", true},  // another machine's cannot be checked
      {"garbage", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    test::WriteFile(lock, c.text);
    const auto holder = WorldLock::Holder(d.path());
    EXPECT_EQ(holder.has_value(), c.held);
  }
  {
    WorldLock mine;
    ASSERT_TRUE(mine.Take(d.path()));
    EXPECT_NE(test::ReadFile(lock).find("pid=" + std::to_string(getpid())), std::string::npos);
    EXPECT_FALSE(WorldLock::Holder(d.path()));
  }
  // Released with its owner; a lock another editor took meanwhile stays.
  EXPECT_FALSE(std::filesystem::exists(lock));
  WorldLock mine;
  ASSERT_TRUE(mine.Take(d.path()));
  test::WriteFile(lock, "host=" + Host() + "\npid=1\n");
  mine.Release();
  EXPECT_TRUE(std::filesystem::exists(lock));
}

}  // namespace
}  // namespace zm
