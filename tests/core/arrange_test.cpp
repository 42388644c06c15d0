#include "load/arrange.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <sstream>

#include "core/testutil.h"
#include "model/world.h"

namespace zm {
namespace {

constexpr int32_t kNone = -1;

struct Link {
  int32_t from;
  int dir;
  int32_t to;
};

TRoom* AddRoom(World& w, int32_t vnum) {
  return w.Rooms.Append(std::make_unique<TRoom>(ZoneOf(vnum), vnum));
}

void AddLinks(World& w, const std::vector<Link>& links) {
  for (const Link& l : links) w.Rooms.Find(l.from)->Exits[l.dir].ToRoom = l.to;
}

std::string Positions(const World& w, int32_t zone) {
  std::ostringstream s;
  for (const auto& r : w.Rooms)
    if (r->Zone == zone) s << r->Vnum << " " << r->MapX << " " << r->MapY << " " << r->MapZ << "\n";
  return s.str();
}

struct LayoutCase {
  const char* name;
  std::vector<int32_t> rooms;  // in list order; zone 30 is arranged
  std::vector<Link> links;
  std::string expected;  // "vnum x y z" per room of zone 30
};

TEST(Arrange, SmallLayouts) {
  const std::vector<LayoutCase> cases = {
      {"one room alone", {3001}, {}, "3001 0 0 1\n"},
      {"north and back south",
       {3001, 3002},
       {{3001, kNorth, 3002}, {3002, kSouth, 3001}},
       "3001 0 1 1\n3002 0 0 1\n"},
      {"one-way exits east, then up",
       {3004, 3003, 3002, 3001},
       {{3001, kEast, 3002}, {3002, kEast, 3003}, {3003, kUp, 3004}},
       "3004 2 0 2\n3003 2 0 1\n3002 1 0 1\n3001 0 0 1\n"},
      {"west and south",
       {3001, 3002, 3003},
       {{3001, kWest, 3002}, {3001, kSouth, 3003}},
       "3001 1 0 1\n3002 0 0 1\n3003 1 1 1\n"},
      {"down twice",
       {3001, 3002, 3003},
       {{3001, kDown, 3002}, {3002, kDown, 3003}},
       "3001 0 0 3\n3002 0 0 2\n3003 0 0 1\n"},
      {"disagreeing exits meet in the least-squares middle, one room per cell",
       {3001, 3002, 3003},
       {{3001, kEast, 3002}, {3002, kEast, 3003}, {3003, kWest, 3001}},
       // 0, 2/3, 4/3 rounded half up; the second room on (1, 0) goes to the
       // free cell nearest to 4/3
       "3001 0 0 1\n3002 1 0 1\n3003 2 0 1\n"},
      {"exits to itself, to other zones, to nothing and to no room are ignored",
       {3001, 3002, 3101},
       {{3001, kNorth, 3001},
        {3001, kEast, 3101},
        {3101, kWest, 3001},
        {3001, kSouth, 3077},
        {3002, kWest, 0},
        {3002, kUp, kNone}},
       "3001 0 0 1\n3002 1 0 1\n"},
      {"separate groups lie side by side, each from level 1",
       {3001, 3002, 3003, 3004, 3005},
       {{3001, kEast, 3002}, {3003, kSouth, 3004}, {3005, kDown, 3003}},
       "3001 0 0 1\n3002 1 0 1\n3003 0 1 1\n3004 0 2 1\n3005 0 1 2\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::RecordingReporter rep;
    World w(rep);
    for (int32_t v : c.rooms) AddRoom(w, v);
    AddLinks(w, c.links);
    ASSERT_TRUE(ArrangeZone(w, 30));
    EXPECT_EQ(Positions(w, 30), c.expected);
    EXPECT_TRUE(rep.errors.empty());
    if (TRoom* other = w.Rooms.Find(3101)) {
      EXPECT_EQ(other->MapZ, -1);
    }
  }
}

// A 10×10 grid of corridors: every row runs east (and back west in even
// rows), columns 0, 4 and 9 run south and back north. The rooms are listed
// in a scrambled order so list order and grid order differ.
void BuildGrid(World& w) {
  auto vnum = [](int row, int col) { return 3000 + row * 10 + col; };
  for (int i = 0; i < 100; ++i) AddRoom(w, 3000 + (i * 37) % 100);
  AddRoom(w, 2999);
  for (int r = 0; r < 10; ++r) {
    for (int c = 0; c < 10; ++c) {
      auto& ex = w.Rooms.Find(vnum(r, c))->Exits;
      if (c < 9) ex[kEast].ToRoom = vnum(r, c + 1);
      if (c > 0 && r % 2 == 0) ex[kWest].ToRoom = vnum(r, c - 1);
      if (c == 0 || c == 4 || c == 9) {
        if (r < 9) ex[kSouth].ToRoom = vnum(r + 1, c);
        if (r > 0) ex[kNorth].ToRoom = vnum(r - 1, c);
      }
    }
  }
  // Exits that the grid cannot satisfy: the layout bends around them.
  w.Rooms.Find(3055)->Exits[kUp].ToRoom = 3056;
  w.Rooms.Find(3090)->Exits[kNorth].ToRoom = 3070;
  // Exits leaving the zone, to a room and to no room.
  w.Rooms.Find(3000)->Exits[kNorth].ToRoom = 2999;
  w.Rooms.Find(3055)->Exits[kDown].ToRoom = 3150;
}

TEST(Arrange, FullZoneGridMatchesFixture) {
  test::RecordingReporter rep;
  World w(rep);
  BuildGrid(w);
  ASSERT_TRUE(ArrangeZone(w, 30));
  const std::string got = Positions(w, 30);
  EXPECT_EQ(got, test::ReadFile(std::string(ZEMLEMER_TEST_DATA) + "/arrange/grid10.txt"));
  for (const auto& r : w.Rooms) {
    if (r->Zone != 30) continue;
    int n = r->Vnum - 3000;
    EXPECT_EQ(r->MapX, n % 10) << r->Vnum;
    EXPECT_EQ(r->MapY, n / 10) << r->Vnum;
    EXPECT_EQ(r->MapZ, 1) << r->Vnum;
  }
  EXPECT_EQ(w.Rooms.Find(2999)->MapX, -1);
}

TEST(Arrange, MoreThanAHundredRoomsInOneZone) {
  // Zone 0 spans -99…99, and records may repeat a vnum.
  test::RecordingReporter rep;
  World w(rep);
  for (int32_t v = -99; v <= 99; ++v) AddRoom(w, v);
  for (int32_t v = 1; v <= 99; ++v) AddRoom(w, v);
  for (int32_t v = 1; v < 99; ++v) w.Rooms.Find(v)->Exits[kEast].ToRoom = v + 1;
  ASSERT_EQ(w.Rooms.Count(), 298);
  ASSERT_TRUE(ArrangeZone(w, 0));
  EXPECT_TRUE(rep.errors.empty());
  for (int32_t v = 1; v < 99; ++v) {
    EXPECT_EQ(w.Rooms.Find(v + 1)->MapX - w.Rooms.Find(v)->MapX, 1) << v;
    EXPECT_EQ(w.Rooms.Find(v)->MapY, w.Rooms.Find(v + 1)->MapY) << v;
  }
  for (const auto& r : w.Rooms) {
    EXPECT_TRUE(r->MapX >= 0 && r->MapX <= 127 && r->MapY >= 0 && r->MapZ == 1) << r->Vnum;
  }
}

TEST(Arrange, EveryRoomGetsACellOfItsOwn) {
  // Exits that contradict each other, rooms joined to nothing and repeated
  // vnums: rounding alone would put several rooms on one cell.
  test::RecordingReporter rep;
  World w(rep);
  for (int32_t v = 3000; v < 3060; ++v) AddRoom(w, v);
  for (int32_t v = 3000; v < 3010; ++v) AddRoom(w, v);
  for (int32_t i = 0; i < 40; ++i)
    w.Rooms.Find(3000 + i)->Exits[static_cast<size_t>(i % 6)].ToRoom = 3000 + (i * 7 + 3) % 40;
  ASSERT_TRUE(ArrangeZone(w, 30));
  std::set<std::array<int32_t, 3>> cells;
  for (const auto& r : w.Rooms) {
    EXPECT_TRUE(OnMapGrid(r->MapX, r->MapY, r->MapZ)) << r->Vnum;
    EXPECT_TRUE(cells.insert({r->MapX, r->MapY, r->MapZ}).second) << r->Vnum;
  }
}

TEST(Arrange, RoomsTheGridCannotShowLoseTheirPosition) {
  struct Case {
    int32_t vnum;
    std::array<int32_t, 3> pos, after;
  };
  const std::array<int32_t, 3> none{-1, -1, -1};
  const std::vector<Case> cases = {
      {3001, {5, 5, 1}, {5, 5, 1}}, {3002, {5, 5, 1}, none},    // the cell is taken
      {3003, {5, 5, 2}, {5, 5, 2}}, {3004, {100, 0, 1}, none},  // off the grid
      {3005, {0, 0, 0}, none},      {3006, {0, 0, 10}, none},
      {3007, {-1, -1, -1}, none},   {3101, {5, 5, 1}, {5, 5, 1}},  // another zone's grid
  };
  test::RecordingReporter rep;
  World w(rep);
  for (const Case& c : cases) {
    TRoom* r = AddRoom(w, c.vnum);
    r->MapX = c.pos[0], r->MapY = c.pos[1], r->MapZ = c.pos[2];
  }
  EXPECT_EQ(UnplaceHiddenRooms(w), 4);
  for (const Case& c : cases) {
    const TRoom& r = *w.Rooms.Find(c.vnum);
    EXPECT_EQ((std::array<int32_t, 3>{r.MapX, r.MapY, r.MapZ}), c.after) << c.vnum;
  }
}

struct FailureCase {
  const char* name;
  int32_t rooms;  // a chain running east, in zone 7 by record
  int32_t zone;   // the zone arranged
  int error;
  std::string text;  // UTF-8
};

TEST(Arrange, FailuresLeaveEveryRoomAsItWas) {
  const std::vector<FailureCase> cases = {
      {"no rooms", 5, 8, 16, "Нет комнат для расстановки"},
      {"a chain too long for an 8-bit position", 200, 7, 17, "Ошибка при расстановке комнат"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::RecordingReporter rep;
    World w(rep);
    for (int32_t v = 1; v <= c.rooms; ++v) {
      TRoom* r = w.Rooms.Append(std::make_unique<TRoom>(7, v));
      r->Exits[kEast].ToRoom = v + 1;
      r->MapX = r->MapY = r->MapZ = 3;
    }
    EXPECT_FALSE(ArrangeZone(w, c.zone));
    ASSERT_EQ(rep.errors.size(), 1u);
    EXPECT_EQ(rep.errors[0].n, c.error);
    EXPECT_EQ(rep.errors[0].text, W(c.text));
    for (const auto& r : w.Rooms) EXPECT_TRUE(r->MapX == 3 && r->MapY == 3 && r->MapZ == 3);
  }
}

}  // namespace
}  // namespace zm
