#include "load/zonecheck.h"

#include <gtest/gtest.h>

#include <array>

#include "core/testutil.h"
#include "model/world.h"

namespace zm {
namespace {

constexpr int32_t kNone = -1;

struct RoomSpec {
  int32_t vnum;
  std::array<int32_t, kDirections> exits{kNone, kNone, kNone, kNone, kNone, kNone};
  std::vector<std::pair<int32_t, int32_t>> mobs{};  // placement ID, MaxInRoom
  int32_t mapX = -1;
};

struct MobSpec {
  int32_t vnum;
  int32_t maxInWorld;
};

void Build(World& w, const std::vector<RoomSpec>& rooms, const std::vector<MobSpec>& mobs) {
  for (const auto& s : rooms) {
    TRoom* r = w.Rooms.Append(std::make_unique<TRoom>(ZoneOf(s.vnum), s.vnum));
    for (int d = 0; d < kDirections; ++d) r->Exits[d].ToRoom = s.exits[d];
    for (auto [id, maxInRoom] : s.mobs) {
      TRoomMob m;
      m.ID = id;
      m.MaxInRoom = maxInRoom;
      r->Mobs.Add(m);
    }
    r->MapX = s.mapX;
  }
  for (const auto& m : mobs)
    w.Mobs.Append(std::make_unique<TMob>(ZoneOf(m.vnum), m.vnum))->MaxInWorld = m.maxInWorld;
}

std::vector<std::string> Win(const std::vector<std::string>& utf8) {
  std::vector<std::string> r;
  for (const auto& s : utf8) r.push_back(W(s));
  return r;
}

struct ErrorCase {
  const char* name;
  int32_t zone;
  std::vector<RoomSpec> rooms;
  std::vector<MobSpec> mobs;
  std::vector<std::string> expected;  // UTF-8
};

TEST(ZoneCheck, ErrorLines) {
  const std::vector<ErrorCase> cases = {
      {"one-way north; the target is reported only for its own exits",
       30,
       {{3001, {3002, kNone, kNone, kNone, kNone, kNone}},
        {3002, {kNone, kNone, 3003, kNone, kNone, kNone}},
        {3003, {3002, kNone, kNone, kNone, kNone, kNone}}},
       {},
       {"Room #3001, Выход на север: непарный выход"}},
      {"south exit leading nowhere",
       30,
       {{3001, {3002, kNone, kNone, kNone, kNone, kNone}}, {3002}},
       {},
       {"Room #3001, Выход на север: непарный выход"}},
      {"paired exits in all six directions",
       30,
       {{3001, {3002, 3003, 3004, 3005, 3006, 3007}},
        {3002, {kNone, kNone, 3001, kNone, kNone, kNone}},
        {3003, {kNone, kNone, kNone, 3001, kNone, kNone}},
        {3004, {3001, kNone, kNone, kNone, kNone, kNone}},
        {3005, {kNone, 3001, kNone, kNone, kNone, kNone}},
        {3006, {kNone, kNone, kNone, kNone, kNone, 3001}},
        {3007, {kNone, kNone, kNone, kNone, 3001, kNone}}},
       {},
       {}},
      {"six one-way exits name their directions in order",
       30,
       {{3001, {3002, 3003, 3004, 3005, 3006, 3007}},
        {3002},
        {3003},
        {3004},
        {3005},
        {3006},
        {3007}},
       {},
       {"Room #3001, Выход на север: непарный выход", "Room #3001, Выход на восток: непарный выход",
        "Room #3001, Выход на юг: непарный выход", "Room #3001, Выход на запад: непарный выход",
        "Room #3001, Выход вверх: непарный выход", "Room #3001, Выход вниз: непарный выход"}},
      {"targets that are not loaded are silent",
       30,
       {{3001, {3050, 4000, kNone, 0, kNone, kNone}}},
       {},
       {}},
      {"exit into another zone checks that zone's back exit",
       30,
       {{3001, {kNone, 3101, kNone, kNone, 3102, kNone}},
        {3101, {kNone, kNone, kNone, 3001, kNone, kNone}},
        {3102}},
       {},
       {"Room #3001, Выход вверх: непарный выход"}},
      {"rooms of other zones are not checked",
       30,
       {{3001}, {3101, {3001, kNone, kNone, kNone, kNone, kNone}, {{3199, 1}}}},
       {},
       {}},
      {"no exit (0 or less) is never an exit, even to zone 0's room 0",
       0,
       {{0, {1, kNone, kNone, kNone, kNone, kNone}}, {1, {0, 0, 0, 0, 0, 0}}, {-1}},
       {},
       {"Room #0, Выход на север: непарный выход"}},
      {"mobile placements",
       30,
       {{3001, {}, {{3010, 3}, {3011, 3}, {3012, 3}, {3013, 2}, {3099, 1}, {3010, 2}}}},
       {{3010, 2}, {3011, 0}, {3012, -1}, {3013, 2}},
       {"Room #3001, Mob #3010: MaxInRoom > MaxInWorld", "Room #3001, неизвестный моб: #3099"}},
      {"prototype from another zone; first record of a repeated vnum",
       30,
       {{3001, {}, {{3110, 5}, {3020, 4}}}},
       {{3110, 4}, {3020, 9}, {3020, 1}},
       {"Room #3001, Mob #3110: MaxInRoom > MaxInWorld"}},
      {"per room: placements first, then exits; rooms in list order",
       30,
       {{3002, {kNone, kNone, kNone, kNone, 3001, kNone}, {{3098, 1}}},
        {3001, {kNone, kNone, kNone, kNone, kNone, 3002}, {{3099, 1}}},
        {3003, {kNone, kNone, kNone, kNone, kNone, 3001}}},
       {},
       {"Room #3002, неизвестный моб: #3098", "Room #3001, неизвестный моб: #3099",
        "Room #3003, Выход вниз: непарный выход"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::RecordingReporter rep;
    World w(rep);
    Build(w, c.rooms, c.mobs);
    EXPECT_EQ(CheckZone(w, c.zone).Errors, Win(c.expected));
    EXPECT_TRUE(rep.errors.empty());
  }
}

TEST(ZoneCheck, CountsOnlyRecordsOfTheZone) {
  test::RecordingReporter rep;
  World w(rep);
  Build(w, {{3000, {}, {}, 0}, {3001, {}, {}, -1}, {3002, {}, {}, 7}, {3099}, {3100, {}, {}, -1}},
        {{3000, 1}, {3101, 1}, {2999, 1}});
  for (int32_t v : {3000, 3001, 3150}) w.Objs.Append(std::make_unique<TObj>(ZoneOf(v), v));
  for (int32_t v : {3000, 3100}) w.Shops.Append(std::make_unique<TShop>(ZoneOf(v), v));
  for (int32_t v : {3005, 3006, 3007, 2900})
    w.Triggers.Append(std::make_unique<TTrigger>(ZoneOf(v), v));
  // A room record whose Zone disagrees with its vnum counts by Zone.
  w.Rooms.Append(std::make_unique<TRoom>(31, 3050));

  struct Want {
    int32_t zone;
    int rooms, unplaced, objects, mobiles, shops, triggers;
  };
  for (const Want& e : {Want{30, 4, 2, 2, 1, 1, 3}, Want{31, 2, 2, 1, 1, 1, 0},
                        Want{29, 0, 0, 0, 1, 0, 1}, Want{77, 0, 0, 0, 0, 0, 0}}) {
    SCOPED_TRACE(e.zone);
    ZoneCheckResult r = CheckZone(w, e.zone);
    EXPECT_EQ(r.Rooms, e.rooms);
    EXPECT_EQ(r.Unplaced, e.unplaced);
    EXPECT_EQ(r.Objects, e.objects);
    EXPECT_EQ(r.Mobiles, e.mobiles);
    EXPECT_EQ(r.Shops, e.shops);
    EXPECT_EQ(r.Triggers, e.triggers);
    EXPECT_TRUE(r.Errors.empty());
  }
}

}  // namespace
}  // namespace zm
