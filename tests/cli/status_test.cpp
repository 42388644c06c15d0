// What the exit status and the warnings of zemlemer-cli tell about files
// that were not read whole.
#include <gtest/gtest.h>

#include "cli/clirun.h"
#include "core/testutil.h"

namespace zm {
namespace {

// Room 3002 stands after a line that is no part of any room: the file is read,
// but not whole.
constexpr const char* kRooms =
    "#3001\nStreet~\n~\n30 0 1\nS\nstray line\n#3002\nSquare~\n~\n30 0 1\nS\n$\n$\n";

void WriteWorld(const std::filesystem::path& dir) {
  test::WriteFile(dir / "ZON/30.zon", "#30\nTown~\n3099 15 2\nS\n$\n$\n");
  test::WriteFile(dir / "WLD/30.wld", kRooms);
}

TEST(CliStatus, FilesNotReadWholeAreWarnedOfAndFailTheRun) {
  test::TempDir d;
  WriteWorld(d.path());
  const std::string world = d.path().string();
  const std::string warning = "warning: Файл " + (d / "WLD/30.wld").string() +
                              " прочитан не весь: не прочитано строк: 1, первая в строке 6.";
  for (const char* command : {"load ", "check ", "save "}) {
    SCOPED_TRACE(command);
    auto [rc, out] = test::RunCli(command + world + " 2>&1");
    EXPECT_EQ(rc, 1);
    EXPECT_NE(out.find(warning), std::string::npos) << out;
  }
  // Saving asks first: without --force the file stays as it was.
  EXPECT_EQ(test::ReadFile(d / "WLD/30.wld"), kRooms);
  auto [rc, out] = test::RunCli("save --force " + world + " 2>&1");
  EXPECT_EQ(rc, 0) << out;
}

}  // namespace
}  // namespace zm
