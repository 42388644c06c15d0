// The reference index: every field that names a record is found, and the
// index follows edits and removals.
#include "query/references.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/testutil.h"
#include "core/worldbuild.h"
#include "model/world.h"

namespace zm {
namespace {

struct RefCase {
  const char* field;
  RecordKind targetKind;
  std::function<void(World&)> make;  // adds one user naming 9999 (or room 9998)
};

using test::AddRecord;

TLinkObj Link(int32_t id, std::optional<int32_t> container = {}) {
  TLinkObj l;
  l.ID = id;
  l.Container = container;
  return l;
}

const std::vector<RefCase>& Cases() {
  static const std::vector<RefCase> cases = {
      {"Exits[3].ToRoom", kRoom, [](World& w) { AddRecord<TRoom>(w, 100).Exits[3].ToRoom = 9999; }},
      {"Exits[5].Key", kObject,
       [](World& w) {
         TRoomExit& e = AddRecord<TRoom>(w, 100).Exits[5];
         e.ToRoom = 101;
         e.Key = 9999;
       }},
      {"Objects[0].ID", kObject,
       [](World& w) {
         AddRecord<TRoom>(w, 100).Objects.Add(TRoomObj{{0, 9999}});
       }},
      {"Objects[0].Contents[1].ID", kObject,
       [](World& w) {
         TRoomObj o{{0, 150}};
         o.Contents.Add(Link(151));
         o.Contents.Add(Link(9999));
         AddRecord<TRoom>(w, 100).Objects.Add(o);
       }},
      {"RemovedObjects[0]", kObject,
       [](World& w) {
         AddRecord<TRoom>(w, 100).RemovedObjects.Add(TCondID{0, 9999});
       }},
      {"Mobs[0].ID", kMobile,
       [](World& w) {
         AddRecord<TRoom>(w, 100).Mobs.Add(TRoomMob{{0, 9999}});
       }},
      {"Mobs[0].Leader", kMobile,
       [](World& w) {
         TRoomMob m{{0, 150}};
         m.Leader = 9999;
         AddRecord<TRoom>(w, 100).Mobs.Add(m);
       }},
      {"Mobs[0].Inventory[0].ID", kObject,
       [](World& w) {
         TRoomMob m{{0, 150}};
         m.Inventory.Add(Link(9999));
         AddRecord<TRoom>(w, 100).Mobs.Add(m);
       }},
      {"Triggers[0]", kTrigger,
       [](World& w) {
         AddRecord<TRoom>(w, 100).Triggers.Add(TCondID{0, 9999});
       }},
      {"CreatedObjects[0].ID", kObject,
       [](World& w) { w.ZoneOrBare(1).CreatedObjects.Add(Link(9999)); }},
      {"CreatedObjects[0].Container", kObject,
       [](World& w) { w.ZoneOrBare(1).CreatedObjects.Add(Link(150, 9999)); }},
      {"RemovedMobs[0]", kMobile,
       [](World& w) {
         w.ZoneOrBare(1).RemovedMobs.Add(TCondID{0, 9999});
       }},
      {"Triggers[0]", kTrigger, [](World& w) { AddRecord<TObj>(w, 100).Triggers.Add(9999); }},
      {"Value2", kObject,
       [](World& w) {
         TObj& o = AddRecord<TObj>(w, 100);
         o.ObjType = 15;
         o.Value2 = 9999;
       }},
      {"Value1", kObject,
       [](World& w) {
         TObj& o = AddRecord<TObj>(w, 100);
         o.ObjType = kMagicIngredientType;
         o.Value1 = 9999;
       }},
      {"Helpers[0]", kMobile, [](World& w) { AddRecord<TMob>(w, 100).Helpers.Add(9999); }},
      {"Destinations[1]", kRoom,
       [](World& w) { AddRecord<TMob>(w, 100).Destinations = "101/9999/102"; }},
      {"Triggers[0]", kTrigger, [](World& w) { AddRecord<TMob>(w, 100).Triggers.Add(9999); }},
      {"Keeper", kMobile, [](World& w) { AddRecord<TShop>(w, 100).Keeper = 9999; }},
      {"Goods[0]", kObject, [](World& w) { AddRecord<TShop>(w, 100).Goods.Add(9999); }},
      {"Rooms[0]", kRoom, [](World& w) { AddRecord<TShop>(w, 100).Rooms.Add(9999); }},
  };
  return cases;
}

TEST(References, EveryFieldThatNamesARecordIsFound) {
  for (const RefCase& c : Cases()) {
    SCOPED_TRACE(c.field);
    test::RecordingReporter rep;
    World w(rep);
    c.make(w);
    ReferenceIndex index;
    index.Rebuild(w);
    const auto uses = index.UsesOf(c.targetKind, 9999);
    ASSERT_EQ(uses.size(), 1u);
    EXPECT_EQ(uses[0].Field, c.field);
    EXPECT_FALSE(ReferenceLine(w, uses[0]).empty());
    // The same number of another kind is not named.
    const RecordKind other = c.targetKind == kRoom ? kObject : kRoom;
    EXPECT_TRUE(index.UsesOf(other, 9999).empty());
  }
}

TEST(References, NoneForEmptyNumbersAndOtherTypesValues) {
  test::RecordingReporter rep;
  World w(rep);
  TRoom& r = AddRecord<TRoom>(w, 100);
  r.Exits[0].Key = 9999;  // no exit there
  r.Exits[1].ToRoom = 0;
  TObj& o = AddRecord<TObj>(w, 101);
  o.ObjType = 5;  // a weapon's values are no numbers of records
  o.Value1 = o.Value2 = 9999;
  ReferenceIndex index;
  index.Rebuild(w);
  EXPECT_EQ(index.Size(), 0u);
}

TEST(References, FollowEditsAndRemovalsAndAnswerForAZone) {
  test::RecordingReporter rep;
  World w(rep);
  TRoom& a = AddRecord<TRoom>(w, 100);
  a.Exits[0].ToRoom = 200;
  TRoom& b = AddRecord<TRoom>(w, 201);
  b.Exits[2].ToRoom = 200;
  b.Exits[1].ToRoom = 202;  // inside its own zone
  ReferenceIndex index;
  index.Rebuild(w);
  EXPECT_EQ(index.UsesOf(kRoom, 200).size(), 2u);
  // A zone: references from other zones only.
  const auto intoZone2 = index.UsesOf(kZone, 2);
  ASSERT_EQ(intoZone2.size(), 1u);
  EXPECT_EQ(intoZone2[0].UserVnum, 100);

  a.Exits[0].ToRoom = 202;
  index.Update(a);
  EXPECT_EQ(index.UsesOf(kRoom, 200).size(), 1u);
  EXPECT_EQ(index.UsesOf(kRoom, 202).size(), 2u);

  index.Forget(b);
  EXPECT_TRUE(index.UsesOf(kRoom, 200).empty());
  ASSERT_EQ(index.UsesOf(kRoom, 202).size(), 1u);
  EXPECT_EQ(index.Size(), 1u);
}

}  // namespace
}  // namespace zm
