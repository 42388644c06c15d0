#include <gtest/gtest.h>

#include "cli/clirun.h"

namespace zm {
namespace {

TEST(Cli, DeclinePrintsTheSixFormsOneALine) {
  struct Case {
    const char* args;
    const char* out;
  };
  for (const Case& c : {
           Case{"decline простой меч",
                "простой меч\nпростого меча\nпростому мечу\nпростой меч\nпростым мечом\nпростом "
                "мече\n"},
           Case{"decline --animate '&Kпес Гарм'",
                "&Kпес Гарм\n&Kпса Гарма\n&Kпсу Гарму\n&Kпса Гарма\n&Kпсом Гармом\n&Kпсе Гарме\n"},
           Case{"decline --inanimate чармис",
                "чармис\nчармиса\nчармису\nчармис\nчармисом\nчармисе\n"},
       }) {
    auto [rc, out] = test::RunCli(c.args);
    EXPECT_EQ(rc, 0) << c.args;
    EXPECT_EQ(out, c.out) << c.args;
  }
  EXPECT_EQ(test::RunCli("decline 2>/dev/null").first, 2);
  EXPECT_EQ(test::RunCli("decline --animate 2>/dev/null").first, 2);
}

}  // namespace
}  // namespace zm
