// Copying and renumbering zones on the sample world.
#include "edit/zonemove.h"

#include <gtest/gtest.h>

#include <map>

#include "core/testutil.h"
#include "json/recordjson.h"
#include "load/loadworld.h"
#include "load/saving.h"
#include "query/references.h"
#include "query/worldcheck.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using nlohmann::ordered_json;

// Every number of zone `from` in a dump moved to zone `to`.
ordered_json Shifted(const ordered_json& j, int32_t from, int32_t to, const std::string& key = {}) {
  if (j.is_array() || j.is_object()) {
    ordered_json out = j;
    if (j.is_array()) {
      for (auto& e : out) e = Shifted(e, from, to, key);
    } else {
      for (auto it = out.begin(); it != out.end(); ++it)
        it.value() = Shifted(it.value(), from, to, it.key());
    }
    return out;
  }
  if (key == "Destinations" && j.is_string()) {
    std::string out, rest = j.get<std::string>();
    while (!rest.empty()) {
      int32_t v = 0;
      std::string word = NextWord(rest, "/");
      if (ParseInt(word, v) && v >= from * 100 && v < from * 100 + 100)
        word = std::to_string(v - from * 100 + to * 100);
      out += (out.empty() ? "" : "/") + word;
    }
    return out;
  }
  if (!j.is_number_integer()) return j;
  const int64_t v = j.get<int64_t>();
  if ((key == "Zone" || key == "Vnum") && v == from) return to;
  if (v >= from * 100 && v < from * 100 + 100) return v - from * 100 + to * 100;
  return j;
}

struct Loaded {
  test::RecordingReporter rep;
  World w{rep};
  explicit Loaded(const fs::path& dir) { LoadWorld(w, dir); }
};

std::map<fs::path, std::string> Files(const fs::path& dir) {
  std::map<fs::path, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file()) out[fs::relative(e.path(), dir)] = test::ReadFile(e.path());
  return out;
}

struct ZoneMove : ::testing::Test {
  test::TempDir tmp;
  fs::path world = tmp / "world";
  void SetUp() override {
    fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones", world, fs::copy_options::recursive);
  }
};

TEST_F(ZoneMove, ACopyIsTheZoneShiftedAndLeavesTheSourceAlone) {
  const auto before = Files(world);
  {
    Loaded l(world);
    const ZoneMovePlan plan = PlanCopyZone(l.w, 30, 40);
    ASSERT_TRUE(plan.Problems.empty());
    ASSERT_TRUE(CopyZone(l.w, plan, false));
    EXPECT_TRUE(SaveWholeZone(l.w, 40).ok);
    EXPECT_EQ(json::WorldJson(l.w, {40}), Shifted(json::WorldJson(l.w, {30}), 30, 40));
  }
  // The source's files as they were; the copy's files read back the same.
  const auto after = Files(world);
  for (const auto& [path, bytes] : before) EXPECT_EQ(after.at(path), bytes) << path;
  EXPECT_EQ(after.size(), before.size() + 7);  // zon, wld, map, obj, mob, shp, trg
  Loaded again(world);
  EXPECT_EQ(json::WorldJson(again.w, {40}), Shifted(json::WorldJson(again.w, {30}), 30, 40));
  EXPECT_TRUE(again.rep.loadErrors.empty());
}

TEST_F(ZoneMove, RenumberingRewritesEveryReferenceAndRemovesTheOldFiles) {
  std::vector<std::string> checksBefore;
  {
    Loaded l(world);
    for (const Finding& f : CheckWorld(l.w)) checksBefore.push_back(f.Check);
    const ZoneMovePlan plan = PlanRenumberZone(l.w, 31, 35);
    ASSERT_TRUE(plan.Problems.empty());
    EXPECT_EQ(plan.OtherZones, std::vector<int32_t>{30});  // an exit into zone 31
    ASSERT_TRUE(RenumberZone(l.w, plan, false));
    l.rep.answer = true;  // the old files may go
    for (int32_t z : {35, 30, 32}) EXPECT_TRUE(SaveWholeZone(l.w, z).ok);
    EXPECT_EQ(RemoveOldZoneFiles(l.w, 35).size(), 6u);  // zon, wld, map, obj, mob, trg
  }
  EXPECT_FALSE(fs::exists(world / "ZON" / "31.zon"));
  Loaded l(world);
  EXPECT_EQ(l.w.Zones.ByNumber(31), nullptr);
  EXPECT_EQ(l.w.Rooms.InZone(35).size(), 9u);
  ReferenceIndex index;
  index.Rebuild(l.w);
  EXPECT_TRUE(index.UsesOf(kZone, 31).empty());
  EXPECT_FALSE(index.UsesOf(kZone, 35).empty());
  std::vector<std::string> checksAfter;
  for (const Finding& f : CheckWorld(l.w)) checksAfter.push_back(f.Check);
  std::sort(checksBefore.begin(), checksBefore.end());
  std::sort(checksAfter.begin(), checksAfter.end());
  EXPECT_EQ(checksAfter, checksBefore);
}

TEST_F(ZoneMove, RefusalsChangeNothing) {
  Loaded l(world);
  // A script naming a number of zone 30, and a room of zone 30 beyond its hundred.
  l.w.Triggers.Find(3000)->Text += W("\r\nmload obj 3005\r\nsay 30050 и 13005");
  const ordered_json start = json::WorldJson(l.w);
  struct Case {
    int32_t from, to;
    bool renumber;
    std::string problem;  // the first, UTF-8; empty: only the scripts stop it
  };
  const std::vector<Case> cases = {
      {30, 31, false, "зона 31 уже есть"},
      {30, 0, true, "номер зоны 0 вне 1–9999"},
      {30, 10000, false, "номер зоны 10000 вне 1–9999"},
      {33, 40, true, "зоны 33 нет"},
      {30, 40, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    const ZoneMovePlan plan =
        c.renumber ? PlanRenumberZone(l.w, c.from, c.to) : PlanCopyZone(l.w, c.from, c.to);
    if (c.problem.empty()) {
      EXPECT_TRUE(plan.Problems.empty());
      ASSERT_EQ(plan.Scripts.size(), 1u);
      EXPECT_EQ(WinToUtf8(plan.Scripts[0].Rewritten), "mload obj 4005");
    } else {
      ASSERT_FALSE(plan.Problems.empty());
      EXPECT_EQ(WinToUtf8(plan.Problems[0]), c.problem);
    }
    EXPECT_FALSE(c.renumber ? RenumberZone(l.w, plan, false) : CopyZone(l.w, plan, false));
    EXPECT_EQ(json::WorldJson(l.w), start);
  }
  // A record of the zone outside its hundred would leave the new zone's.
  auto stray = std::make_unique<TRoom>(30, 3150);
  l.w.Rooms.Add(std::move(stray));
  const ZoneMovePlan plan = PlanRenumberZone(l.w, 30, 40);
  ASSERT_FALSE(plan.Problems.empty());
  EXPECT_NE(WinToUtf8(plan.Problems[0]).find("3150"), std::string::npos);
  // A zone whose top reaches past its hundred takes such a record along, and
  // only its own numbers there move: 3100 is zone 31's.
  l.w.Zones.ByNumber(30)->TopInFile = "3199";
  l.w.Rooms.Find(3150)->Exits[kNorth].ToRoom = 3100;
  l.w.Rooms.Find(3001)->Exits[kUp].ToRoom = 3150;
  const ZoneMovePlan wide = PlanCopyZone(l.w, 30, 50);
  EXPECT_TRUE(wide.Problems.empty());
  ASSERT_TRUE(CopyZone(l.w, wide, true));
  ASSERT_NE(l.w.Rooms.Find(5150), nullptr);
  EXPECT_EQ(l.w.Rooms.Find(5150)->Exits[kNorth].ToRoom, 3100);
  EXPECT_EQ(l.w.Rooms.Find(5001)->Exits[kUp].ToRoom, 5150);
  EXPECT_EQ(l.w.Zones.ByNumber(50)->TopInFile, "5199");
  // With the scripts rewritten, the copy's script names its own numbers.
  l.w.Rooms.Delete(l.w.Rooms.IndexOfVnum(3150));
  const ZoneMovePlan copy = PlanCopyZone(l.w, 30, 40);
  ASSERT_TRUE(CopyZone(l.w, copy, true));
  EXPECT_NE(l.w.Triggers.Find(4000)->Text.find(W("mload obj 4005\r\nsay 30050 и 13005")),
            std::string::npos);
  EXPECT_NE(l.w.Triggers.Find(3000)->Text.find(W("mload obj 3005")), std::string::npos);
}

}  // namespace
}  // namespace zm
