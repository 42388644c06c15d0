// save on files read with errors, and save --check.
#include <gtest/gtest.h>

#include "cli/clirun.h"
#include "common/coding.h"
#include "common/cp1251.h"
#include "core/testutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

// Zone 30 of a running game, KOI8-R with LF, and `rooms` as its room file.
void MakeWorld(const fs::path& dir, const std::string& rooms) {
  std::string zon =
      W("#30\nГород~\n^Автор: Ёж~\n#1 0 0\n3099 15 2 0 * \nM 0 3000 2 3001 1\t(guard)\n"
        "G 1 3010 100 -1 50\t(sword)\nO 0 3010 1 3002 -1\t(sword)\nS\n$\n");
  std::string wld = W(rooms);
  WinToKoi(zon);
  WinToKoi(wld);
  test::WriteFile(dir / "zon/30.zon", zon);
  test::WriteFile(dir / "wld/30.wld", wld);
  test::WriteFile(dir / "obj/30.obj",
                  "#3010\nsword~\nsword~\nsword~\nsword~\nsword~\nsword~\nsword~\nA sword.~\n~\n"
                  "0 0 0 0\n0 0 0 0\n0 0 0\n5 0 0\n0 0 0 0\n0 0 0 0\nM 100\n$\n");
  test::WriteFile(dir / "mob/30.mob",
                  "#3000\nguard~\nguard~\nb~\nc~\nd~\ne~\nf~\nA guard.\n~\n~\n0 0 0 E\n"
                  "1 2 3 1d1+1 1d1+1\n0d0+0 0\n8 8 1\nRace: 1\nE\n$\n");
}

const std::string kRooms =
    "#3001\nУлица~\nШирокая улица.\n~\n30 0 1\nD1\n~\n~\n0 -1 3002 0\nS\n"
    "#3002\nПлощадь~\nБольшая площадь.\n~\n30 0 1\nS\n$\n$\n";

TEST(Cli, SaveLeavesAFileReadWithErrorsUnlessForced) {
  test::TempDir d;
  MakeWorld(d.path(), "#3001\nУлица~\nт~\n30 0 1\nS\nмусор\n#3002\nПлощадь~\nт~\n30 0 1\nS\n");
  const fs::path wld = d / "wld/30.wld";
  const std::string before = test::ReadFile(wld);
  auto [rc, out] = test::RunCli("save " + d.path().string() + " 2>&1");
  EXPECT_EQ(rc, 1);
  EXPECT_NE(out.find("zemlemer-cli: " + wld.string() + " not saved"), std::string::npos) << out;
  EXPECT_NE(out.find("--force"), std::string::npos);
  EXPECT_EQ(test::ReadFile(wld), before);
  // The other files of the zone are written.
  EXPECT_NE(out.find((d / "zon/30.zon").string() + "\n"), std::string::npos) << out;

  auto forced = test::RunCli("save " + d.path().string() + " --force 2>&1");
  EXPECT_EQ(forced.first, 0) << forced.second;
  EXPECT_NE(test::ReadFile(wld), before);
  EXPECT_EQ(test::ReadFile(wld).find(W("мусор")), std::string::npos);
}

TEST(Cli, SaveCheckListsFilesAndWhatWouldChange) {
  struct Case {
    const char* name;
    std::string rooms;
    int rc;
    std::vector<std::string> lines;  // expected in the output, in UTF-8
  };
  const Case cases[] = {
      {"nothing lost",
       kRooms,
       0,
       {// A header line and a second "$".
        "zon/30.zon: 2 differing lines, reset commands 3 -> 3\n", "wld/30.wld: 1 differing lines\n",
        "obj/30.obj: 2 differing lines\n", "mob/30.mob: 2 differing lines\n",
        "no value lost or changed\n"}},
      {"an exit to no room with a door",
       "#3001\nУлица~\nт~\n30 0 1\nD0\nДверь~\nдверь~\n1 -1 -1\nS\n#3002\nПлощадь~\nт~\n30 0 "
       "1\nS\n",
       0,
       {"no value lost or changed\n"}},  // it used to lose the exit whole
      {"a line between rooms",
       "#3001\nУлица~\nт~\n30 0 1\nS\nмусор\n#3002\nПлощадь~\nт~\n30 0 1\nS\n",
       1,
       {"wld/30.wld: 4 differing lines, loaded with errors (1 lines not read, the first at line "
        "6)\n",
        "no value lost or changed\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir d;
    MakeWorld(d.path(), c.rooms);
    const std::string zon = test::ReadFile(d / "zon/30.zon");
    auto [rc, out] = test::RunCli("save --check " + d.path().string() + " 2>/dev/null");
    EXPECT_EQ(rc, c.rc) << out;
    for (const auto& l : c.lines) EXPECT_NE(out.find(l), std::string::npos) << l << out;
    // Nothing is written in the world itself.
    EXPECT_EQ(test::ReadFile(d / "zon/30.zon"), zon);
  }
}

// The files of a running game, when they are on this machine.
TEST(Cli, RealWorldLoadsWithoutErrorsAndSavesWithoutLoss) {
  const fs::path world = test::RealWorld() / "bylins";
  if (!fs::is_directory(world)) GTEST_SKIP() << "no real world at " << world;
  auto load = test::RunCli("load " + world.string() + " 2>&1");
  EXPECT_EQ(load.first, 0) << load.second;
  EXPECT_EQ(load.second.find("error:"), std::string::npos) << load.second;
  auto check = test::RunCli("save --check " + world.string() + " 2>&1");
  EXPECT_EQ(check.first, 0) << check.second;
  EXPECT_NE(check.second.find("no value lost or changed\n"), std::string::npos);
}

}  // namespace
}  // namespace zm
