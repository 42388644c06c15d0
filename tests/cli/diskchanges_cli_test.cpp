#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "cli/clirun.h"
#include "core/testutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

// A file changed by someone else between the tool's load and its save is
// left as they wrote it, and so is the rest of its zone.
TEST(Cli, SaveLeavesAFileChangedAfterTheLoad) {
  test::TempDir d;
  fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones", d.path(), fs::copy_options::recursive);
  const fs::path marker = d / "loaded", room = d / "WLD" / "30.wld";
  const std::string zone30 = test::ReadFile(d / "ZON" / "30.zon");
  const std::string cmd = "ZEMLEMER_CLI_PAUSE_AFTER_LOAD=" + marker.string() + " " + ZEMLEMER_CLI +
                          " save " + d.path().string() + " 2>&1";
  FILE* p = popen(cmd.c_str(), "r");
  ASSERT_NE(p, nullptr);
  for (int i = 0; i < 1500 && !fs::exists(marker); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  ASSERT_TRUE(fs::exists(marker)) << "the tool never finished its load";
  const std::string theirs = test::ReadFile(room) + "* pulled\r\n";
  test::WriteFile(room, theirs);
  fs::remove(marker);
  std::string out;
  std::array<char, 4096> buf;
  for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
  const int rc = pclose(p);
  EXPECT_EQ(WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, 1) << out;
  EXPECT_NE(out.find("zemlemer-cli: " + room.string() +
                     " not saved: it changed on disk after it was loaded"),
            std::string::npos)
      << out;
  EXPECT_EQ(test::ReadFile(room), theirs);
  EXPECT_EQ(test::ReadFile(d / "ZON" / "30.zon"), zone30);
  EXPECT_NE(out.find((d / "ZON" / "31.zon").string() + "\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace zm
