#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/clirun.h"
#include "common/coding.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {

// A zone in KOI8-R with LF and a room file of a zone without a zone file.
void MakeWorld(const std::filesystem::path& dir) {
  std::string zon = W("* zone\n#30\nГород~\n3099 15 2\nM 0 3000 2 3001 1\t(стражник)\nS\n$\n$\n");
  std::string wld =
      W("#3001\nУлица~\nШирокая улица.\n~\n30 0 1\nD1\n~\n~\n0 -1 3002\nS\n"
        "#3002\nПлощадь~\nБольшая площадь.\n~\n30 0 1\nS\n$\n$\n");
  WinToKoi(zon);
  WinToKoi(wld);
  test::WriteFile(dir / "zon" / "30.zon", zon);
  test::WriteFile(dir / "wld" / "30.wld", wld);
  test::WriteFile(dir / "wld" / "41.wld",
                  "#4100\r\nRoom~\r\nText\r\n~\r\n41 0 0\r\nS\r\n$\r\n$\r\n");
  test::WriteFile(dir / "obj" / "broken.obj", "#3000\nsword~\n");
}

TEST(Cli, LoadCountsAndErrors) {
  test::TempDir d;
  MakeWorld(d.path());
  auto [rc, out] = test::RunCli("load " + d.path().string());
  EXPECT_EQ(rc, 1);  // the broken object file
  EXPECT_NE(out.find("zones 2\nrooms 3\nobjects 1\nmobiles 0\nshops 0\ntriggers 0\n"),
            std::string::npos)
      << out;
  EXPECT_NE(
      out.find("error: Не могу загрузить объекты из файла " + (d / "obj" / "broken.obj").string()),
      std::string::npos)
      << out;
  EXPECT_NE(out.find("loaded in "), std::string::npos);
  EXPECT_EQ(test::RunCli("load 2>/dev/null").first, 2);
  EXPECT_EQ(test::RunCli("load " + (d / "nope").string() + " 2>/dev/null").first, 2);
  EXPECT_EQ(test::RunCli("load " + d.path().string() + " --bases " + (d / "nope").string() +
                         " 2>/dev/null")
                .first,
            2);
}

TEST(Cli, SaveRewritesInPlaceAndDumpGivesJson) {
  test::TempDir d;
  MakeWorld(d.path());
  std::filesystem::remove(d / "obj" / "broken.obj");
  std::string before = test::ReadFile(d / "wld" / "30.wld");
  auto [rc, out] = test::RunCli("save " + d.path().string() + " --zone 30");
  EXPECT_EQ(rc, 0) << out;
  EXPECT_NE(out.find((d / "zon" / "30.zon").string() + "\n"), std::string::npos) << out;
  EXPECT_NE(out.find((d / "wld" / "30.wld").string() + "\n"), std::string::npos) << out;
  // Still KOI8-R with LF, every line as it was, after the editor's header line.
  EXPECT_EQ(test::ReadFile(d / "wld" / "30.wld"), "* Korvask room file v1.0\n" + before);

  EXPECT_EQ(test::RunCli("save " + d.path().string() + " --zone 77 2>/dev/null").first, 1);
  EXPECT_EQ(test::RunCli("save " + d.path().string() + " --zone x 2>/dev/null").first, 2);

  auto dump = test::RunCli("dump " + d.path().string() + " --zone 30");
  EXPECT_EQ(dump.first, 0);
  auto j = nlohmann::json::parse(dump.second);
  ASSERT_EQ(j["rooms"].size(), 2u);
  EXPECT_EQ(j["rooms"][0]["Name"], "Улица");
  EXPECT_EQ(j["rooms"][0]["Description"], "Широкая улица.\r\n");
  EXPECT_EQ(j["rooms"][0]["Exits"].size(), 6u);
  EXPECT_EQ(j["rooms"][0]["Exits"][1]["ToRoom"], 3002);
  EXPECT_EQ(j["rooms"][0]["Mobs"][0]["ID"], 3000);
  EXPECT_EQ(j["rooms"][0]["Mobs"][0]["MaxInRoom"], 1);
  EXPECT_EQ(j["zones"][0]["Name"], "Город");
  EXPECT_TRUE(j["objects"].empty());
}

}  // namespace
}  // namespace zm
