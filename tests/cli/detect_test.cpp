#include <gtest/gtest.h>

#include "cli/clirun.h"
#include "common/coding.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {

TEST(Cli, DetectPrintsCodingWordPerFile) {
  test::TempDir d;
  std::string koi = W("Комната у ворот города\nСтражник\n");
  WinToKoi(koi);
  test::WriteFile(d / "WLD" / "30.wld", koi);
  test::WriteFile(d / "ZON" / "30.zon", W("#30\r\nГород~\r\n"));
  auto [rc, out] = test::RunCli("detect " + (d / "WLD" / "30.wld").string() + " " +
                                (d / "ZON" / "30.zon").string());
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(out, "2 0 " + (d / "WLD" / "30.wld").string() + "\n1 1 " +
                     (d / "ZON" / "30.zon").string() + "\n");
  EXPECT_EQ(test::RunCli("detect " + (d / "nope").string() + " 2>/dev/null").first, 1);
  EXPECT_EQ(test::RunCli("nosuchcommand 2>/dev/null").first, 2);
  auto help = test::RunCli("--help");
  EXPECT_EQ(help.first, 0);
  EXPECT_NE(help.second.find("detect"), std::string::npos);
}

}  // namespace
}  // namespace zm
