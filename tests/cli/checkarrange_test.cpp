#include <gtest/gtest.h>

#include "cli/clirun.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {

// Zone 30: 3000 and 3001 joined north/south, a one-way exit east from 3001
// to 3002, and a reset command that places a mobile nobody defined.
void WriteForest(const test::TempDir& d) {
  test::WriteFile(d / "ZON" / "30.zon", W("#30\nЛес~\n3099 10 2\nM 0 3099 1 3001\nS\n$\n"));
  test::WriteFile(d / "WLD" / "30.wld", W("#3000\nПоляна~\nСветлая поляна.\n~\n30 0 0\n"
                                          "D0\n~\n~\n0 -1 3001\nS\n"
                                          "#3001\nОпушка~\n~\n30 0 0\n"
                                          "D1\n~\n~\n0 -1 3002\nD2\n~\n~\n0 -1 3000\nS\n"
                                          "#3002\nЧаща~\n~\n30 0 0\nS\n$\n$\n"));
}

TEST(CliCheck, CountsAndErrorsPerZone) {
  test::TempDir d;
  WriteForest(d);
  auto [rc, out] = test::RunCli("check " + d.path().string());
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(out,
            "zone 30: rooms 3 (unplaced 3), objects 0, mobiles 0, shops 0, triggers 0\n"
            "Room #3001, неизвестный моб: #3099\n"
            "Room #3001, Выход на восток: непарный выход\n");
  auto other = test::RunCli("check " + d.path().string() + " --zone 31");
  EXPECT_EQ(other.first, 0);
  EXPECT_EQ(other.second,
            "zone 31: rooms 0 (unplaced 0), objects 0, mobiles 0, shops 0, triggers 0\n");
  EXPECT_EQ(test::RunCli("check 2>/dev/null").first, 2);
}

TEST(CliArrange, PrintsAndSavesPositions) {
  test::TempDir d;
  WriteForest(d);
  const std::string world = d.path().string();
  const std::string layout = "3000 0 1 1\n3001 0 0 1\n3002 1 0 1\n";
  EXPECT_EQ(test::RunCli("arrange " + world + " --zone 30"), std::make_pair(0, layout));
  EXPECT_FALSE(std::filesystem::exists(d / "WLD" / "30.map"));

  EXPECT_EQ(test::RunCli("arrange " + world + " --zone 30 --save"), std::make_pair(0, layout));
  EXPECT_EQ(test::ReadFile(d / "WLD" / "30.map"), layout);
  EXPECT_NE(test::RunCli("check " + world).second.find("(unplaced 0)"), std::string::npos);

  auto none = test::RunCli("arrange " + world + " --zone 31 2>&1");
  EXPECT_EQ(none.first, 1);
  EXPECT_EQ(none.second, "error: Нет комнат для расстановки\n");
  EXPECT_EQ(test::RunCli("arrange " + world + " 2>/dev/null").first, 2);
}

TEST(CliArrange, SavesAfterLoadErrorsOnlyWhenForced) {
  test::TempDir d;
  WriteForest(d);
  test::WriteFile(d / "ZON" / "31.zon", "no header here\n");
  const std::string cmd = "arrange " + d.path().string() + " --zone 30 --save";
  EXPECT_EQ(test::RunCli(cmd + " 2>/dev/null").first, 1);
  EXPECT_FALSE(std::filesystem::exists(d / "WLD" / "30.map"));
  EXPECT_EQ(test::RunCli(cmd + " --force 2>/dev/null").first, 0);
  EXPECT_EQ(test::ReadFile(d / "WLD" / "30.map"), "3000 0 1 1\n3001 0 0 1\n3002 1 0 1\n");
}

}  // namespace
}  // namespace zm
