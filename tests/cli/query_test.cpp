// The world queries of zemlemer-cli on the bundled sample world.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/clirun.h"
#include "core/testutil.h"

namespace zm {
namespace {

const std::string kSample = std::string(ZEMLEMER_SOURCE_DIR) + "/data/Zones";

TEST(CliWhere, ListsEachPlaceAsLinesOrJson) {
  auto [rc, out] = test::RunCli("where " + kSample + " mobile 3001");
  EXPECT_EQ(rc, 0);
  EXPECT_NE(
      out.find(
          "room 3000 Mobs[0].ID: комната 3000 «Южные ворота Белограда»: загружаемый моб 3001\n"),
      std::string::npos)
      << out;
  auto [jrc, json] = test::RunCli("where " + kSample + " room 3001 --json");
  EXPECT_EQ(jrc, 0);
  const auto list = nlohmann::json::parse(json);
  ASSERT_TRUE(list.is_array());
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(list[0]["kind"], "room");
  EXPECT_EQ(list[0]["vnum"], 3000);
  EXPECT_EQ(list[0]["zone"], 30);
  EXPECT_EQ(list[0]["field"], "Exits[0].ToRoom");
  EXPECT_EQ(list[0]["text"], "комната 3000 «Южные ворота Белограда»: выход на север 3001");
  // From other zones into zone 30 only.
  auto [zrc, zone] = test::RunCli("where " + kSample + " zone 30");
  EXPECT_EQ(zone.find("room 30"), std::string::npos) << zone;
  EXPECT_NE(zone.find("room 3100 Exits[0].ToRoom"), std::string::npos) << zone;
  EXPECT_EQ(test::RunCli("where " + kSample + " thing 1 2>/dev/null").first, 2);
  EXPECT_EQ(test::RunCli("where " + kSample + " room x 2>/dev/null").first, 2);
}

TEST(CliSearch, ByTextAndByFieldValue) {
  auto [rc, out] = test::RunCli("search " + kSample + " 'ЗЕЛЁН' --kind mobile");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(out,
            "mobile 3103 LongDescription: Леший, похожий на старый пень, сверкает зелеными "
            "глазами.\n");
  auto [frc, fields] =
      test::RunCli("search " + kSample + " 'Exits[*].ToRoom=3001' --field --kind room --json");
  EXPECT_EQ(frc, 0);
  const auto list = nlohmann::json::parse(fields);
  ASSERT_EQ(list.size(), 4u);
  EXPECT_EQ(list[0]["field"], "Exits[0].ToRoom");
  EXPECT_EQ(list[0]["text"], "3001");
  EXPECT_EQ(test::RunCli("search " + kSample + " 'no-equals' --field 2>/dev/null").first, 2);
}

TEST(CliLint, FindsTheSampleWorldsTwoErrors) {
  auto [rc, out] = test::RunCli("lint " + kSample);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(out,
            "zone 31 room 3103 [exit-unpaired]: выход на восток в 3108: непарный выход\n"
            "zone 32 room 3203 [reset-missing-mobile]: загружаемый моб 3299 не существует\n");
  auto [zrc, zone] = test::RunCli("lint " + kSample + " --zone 30 --json");
  EXPECT_EQ(zrc, 0);
  EXPECT_EQ(zone, "[]\n");
}

TEST(CliZoneMove, CopyAndRenumberSaveAndSayWhatTheyWrote) {
  test::TempDir d;
  const std::string world = (d / "w").string();
  std::filesystem::copy(kSample, world, std::filesystem::copy_options::recursive);
  auto [rc, out] = test::RunCli("copy-zone " + world + " 30 40");
  EXPECT_EQ(rc, 0);
  EXPECT_NE(out.find(world + "/ZON/40.zon\n"), std::string::npos) << out;
  auto [rrc, renumbered] = test::RunCli("renumber-zone " + world + " 31 35");
  EXPECT_EQ(rrc, 0);
  EXPECT_NE(renumbered.find(world + "/WLD/35.wld\n"), std::string::npos) << renumbered;
  EXPECT_NE(renumbered.find(world + "/WLD/30.wld\n"), std::string::npos);  // its exit into 31
  EXPECT_NE(renumbered.find("removed " + world + "/ZON/31.zon\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(world + "/ZON/31.zon"));
  // Refused: nothing written.
  const auto before = test::ReadFile(world + "/ZON/40.zon");
  EXPECT_EQ(test::RunCli("copy-zone " + world + " 32 40 2>/dev/null").first, 1);
  EXPECT_EQ(test::RunCli("renumber-zone " + world + " 32 10000 2>/dev/null").first, 1);
  EXPECT_EQ(test::ReadFile(world + "/ZON/40.zon"), before);
  EXPECT_TRUE(std::filesystem::exists(world + "/ZON/32.zon"));
  EXPECT_EQ(test::RunCli("copy-zone " + world + " 32 2>/dev/null").first, 2);
}

}  // namespace
}  // namespace zm
