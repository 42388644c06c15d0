#include "json/worlddiff.h"

#include <gtest/gtest.h>

#include <map>

#include "core/testutil.h"
#include "core/worldbuild.h"

namespace zm {
namespace json {
void PrintTo(const FieldChange& c, std::ostream* os) {
  *os << c.Field << ": '" << c.Old << "' -> '" << c.New << "'";
}
}  // namespace json
namespace {

using json::FieldChange;
using Change = json::RecordDiff::Change;
using Entry = std::tuple<RecordKind, int32_t, Change>;
using Sides = std::pair<std::string, std::string>;

struct Worlds {
  test::RecordingReporter rep;
  World a{rep}, b{rep};
};

// Kind, vnum and change of each difference, in the order given.
std::vector<Entry> Summary(const std::vector<json::RecordDiff>& diffs) {
  std::vector<Entry> out;
  for (const auto& d : diffs) out.emplace_back(d.Kind, d.Vnum, d.What);
  return out;
}

TEST(WorldDiff, AddedRemovedAndChangedByKindThenVnum) {
  Worlds w;
  for (World* x : {&w.a, &w.b}) {
    test::AddRecord<TRoom>(*x, 3001).Name = W("Храм");
    test::AddRecord<TObj>(*x, 3010);
    test::AddRecord<TMob>(*x, 3020);
  }
  test::AddRecord<TRoom>(w.a, 3002);
  test::AddRecord<TObj>(w.b, 3005);
  TRoom& changed = *w.b.Rooms.Find(3001);
  changed.Name = W("Большой храм");
  changed.Exits[kEast].ToRoom = 3002;
  TRoomObj placed;
  placed.ID = 3010;
  changed.Objects.Add(placed);
  w.b.Mobs.Find(3020)->Names[2] = W("стражнику");

  auto diffs = json::DiffWorlds(w.a, w.b);
  EXPECT_EQ(Summary(diffs), (std::vector<Entry>{{kRoom, 3001, Change::Changed},
                                                {kRoom, 3002, Change::Removed},
                                                {kObject, 3005, Change::Added},
                                                {kMobile, 3020, Change::Changed}}));
  EXPECT_EQ(diffs[0].Old, w.a.Rooms.Find(3001));
  EXPECT_EQ(diffs[0].New, &changed);
  // The new exit and the new object come with all their fields, each once.
  std::map<std::string, Sides> fields;
  for (const auto& f : diffs[0].Fields) {
    EXPECT_NE(f.Old, f.New) << f.Field;
    EXPECT_TRUE(fields.emplace(f.Field, std::pair{f.Old, f.New}).second) << f.Field;
  }
  EXPECT_EQ(diffs[0].Fields[0], (FieldChange{"Name", "Храм", "Большой храм"}));
  EXPECT_EQ(fields["Exits[1].ToRoom"], Sides("", "3002"));
  EXPECT_EQ(fields["Objects[0].ID"], Sides("", "3010"));
  EXPECT_EQ(fields.count("Exits[1].Keywords"), 0u);
  EXPECT_EQ(diffs[3].Fields, (std::vector<FieldChange>{{"Names[2]", "-", "стражнику"}}));

  EXPECT_TRUE(json::DiffWorlds(w.a, w.b, kTrigger).empty());
  EXPECT_EQ(json::DiffWorlds(w.a, w.b, kObject).size(), 1u);
  EXPECT_TRUE(json::DiffWorlds(w.a, w.a).empty());
}

TEST(WorldDiff, RepeatedVnumsPairInOrder) {
  Worlds w;
  for (const char* name : {"a", "b"}) test::AddRecord<TRoom>(w.a, 3001).Name = name;
  for (const char* name : {"a", "c", "d"}) test::AddRecord<TRoom>(w.b, 3001).Name = name;
  auto diffs = json::DiffWorlds(w.a, w.b);
  ASSERT_EQ(Summary(diffs),
            (std::vector<Entry>{{kRoom, 3001, Change::Changed}, {kRoom, 3001, Change::Added}}));
  EXPECT_EQ(diffs[0].Fields, (std::vector<FieldChange>{{"Name", "b", "c"}}));
  EXPECT_EQ(diffs[1].New, w.b.Rooms.Items(2));
  EXPECT_EQ(Summary(json::DiffWorlds(w.b, w.a)),
            (std::vector<Entry>{{kRoom, 3001, Change::Changed}, {kRoom, 3001, Change::Removed}}));
}

TEST(WorldDiff, ZoneCommandsCompareLineByLineWithinTheirRoom) {
  Worlds w;
  for (World* x : {&w.a, &w.b}) {
    x->Zones.Append(std::make_unique<TZone>(30));
    test::AddRecord<TRoom>(*x, 3001).Name = W("Храм");
    test::AddRecord<TObj>(*x, 3010).Names[0] = W("меч");
    for (int32_t id : {3010, 3011}) {
      TRoomObj o;
      o.ID = id;
      o.OwnMax = 2;
      x->Rooms.Find(3001)->Objects.Add(o);
    }
  }
  TRoomObj added;
  added.ID = 3012;
  w.b.Rooms.Find(3001)->Objects.Insert(1, added);
  w.b.Rooms.Find(3001)->Objects.Items(0)->OwnMax = 3;

  auto diffs = json::DiffZoneFiles(w.a, w.b);
  ASSERT_EQ(diffs.size(), 1u);
  const std::string room = "Комната 3001 «Храм»";
  EXPECT_EQ(diffs[0].Fields, (std::vector<FieldChange>{
                                 {room, "O предмет 3010 «меч»: макс. 2, шанс 100", ""},
                                 {room, "", "O предмет 3010 «меч»: макс. 3, шанс 100"},
                                 {room, "", "O предмет 3012: макс. -1, шанс 100"},
                             }));
  EXPECT_TRUE(json::DiffZoneFiles(w.a, w.a).empty());
}

}  // namespace
}  // namespace zm
