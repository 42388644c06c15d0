#include <gtest/gtest.h>

#include <array>

#include "core/testutil.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

using Pos = std::array<int32_t, 3>;
constexpr Pos kUnplaced{-1, -1, -1};

Pos PosOf(const TRoom& r) {
  return {r.MapX, r.MapY, r.MapZ};
}

void AddRooms(World& w, std::initializer_list<int32_t> vnums) {
  for (int32_t v : vnums) w.Rooms.Add(std::make_unique<TRoom>(ZoneOf(v), v));
}

TEST(RoomMapFile, Reading) {
  struct Case {
    const char* name;
    std::string bytes;
    int errorLine;  // 0: no error
    Pos first, second;
    bool noted = false;  // lines left out: the file is one a save asks about
  };
  std::vector<Case> cases = {
      {"plain", "3001 1 2 3\n3002 -1 -1 -1\n", 0, {1, 2, 3}, kUnplaced},
      {"CR LF, tabs, extra blanks", "3002\t4  5 6 \r\n3001 0 0 1\r\n", 0, {0, 0, 1}, {4, 5, 6}},
      {"more on the line", "3002 4 5 6 junk\n3001 0 0 1\n", 0, {0, 0, 1}, {4, 5, 6}, true},
      {"unknown room left out whatever its numbers",
       "9999 x\n3001 7 8 9\n",
       0,
       {7, 8, 9},
       kUnplaced,
       true},
      {"wider than a byte", "3001 300 1 1\n3002 1 1 -129\n", 0, kUnplaced, kUnplaced, true},
      {"no line end at the end", "3001 1 1 1", 0, {1, 1, 1}, kUnplaced},
      {"empty line stops the file", "3001 1 2 3\n\n3002 4 5 6\n", 2, {1, 2, 3}, kUnplaced},
      {"too few numbers for a known room", "3002 1 2 3\n3001 1 2\n", 2, kUnplaced, {1, 2, 3}},
      {"vnum not a number", "x3001 1 2 3\n", 1, kUnplaced, kUnplaced},
      {"position not a number", "3001 1 2 z\n", 1, kUnplaced, kUnplaced},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir d;
    RecordingReporter rep;
    World w(rep);
    AddRooms(w, {3001, 3002, 3001});
    WriteFile(d / "30.map", c.bytes);
    EXPECT_EQ(LoadRoomMap(w, d / "30.map"), c.errorLine == 0);
    EXPECT_EQ(PosOf(*w.Rooms.Items(0)), c.first);
    EXPECT_EQ(PosOf(*w.Rooms.Items(1)), c.second);
    EXPECT_EQ(PosOf(*w.Rooms.Items(2)), kUnplaced);  // the first room of a vnum only
    if (c.errorLine == 0) {
      EXPECT_EQ(rep.loadErrors.empty(), !c.noted);
      EXPECT_EQ(w.Files.LossyFor(d / "30.map", 30), c.noted);
    } else {
      ASSERT_EQ(rep.loadErrors.size(), 1u);
      EXPECT_EQ(rep.loadErrors[0], W("Не могу загрузить карту комнат из файла ") +
                                       (d / "30.map").string() + W(" (Ошибка в строке ") +
                                       std::to_string(c.errorLine) + ")");
    }
  }
}

TEST(RoomMapFile, MissingIsNoErrorUnreadableIs) {
  TempDir d;
  RecordingReporter rep;
  World w(rep);
  WriteFile(d / "30.wld", "#3001\nA~\n~\n30 0 0\nS\n");
  EXPECT_TRUE(LoadRecordFile(w, kRoom, d / "30.wld"));
  EXPECT_TRUE(rep.loadErrors.empty());
  EXPECT_EQ(PosOf(*w.Rooms.Find(3001)), kUnplaced);

  fs::create_directories(d / "30.map");
  World again(rep);
  EXPECT_FALSE(LoadRecordFile(again, kRoom, d / "30.wld"));
  ASSERT_EQ(rep.loadErrors.size(), 1u);
  EXPECT_EQ(rep.loadErrors[0], W("Не могу загрузить карту комнат из файла ") +
                                   (d / "30.map").string() +
                                   W(" (Не смог открыть файл: Is a directory)"));
}

TEST(RoomMapFile, PathBesideTheRoomFile) {
  TempDir d;
  struct Case {
    std::string room, want;
  };
  std::vector<Case> cases = {
      {"30.wld", "30.map"},
      {"30.WLD", "30.MAP"},
      {"30.Wld", "30.map"},
      {"30", "30.map"},
  };
  for (const auto& c : cases) EXPECT_EQ(RoomMapPath(d / c.room), d / c.want) << c.room;
  // A map file that exists in another letter case is the zone's map file.
  WriteFile(d / "40.MAP", "");
  EXPECT_EQ(RoomMapPath(d / "40.wld"), d / "40.MAP");
  WriteFile(d / "40.map", "");
  EXPECT_EQ(RoomMapPath(d / "40.wld"), d / "40.map");
}

TEST(RoomMapFile, Writing) {
  struct Case {
    const char* name;
    bool registered;   // the zone is in the zone list, with LF for its map
    bool placed;       // room 3002 has a position
    bool existed;      // a map file was there before
    std::string want;  // empty: no file written
  };
  std::vector<Case> cases = {
      {"placed, LF", true, true, false, "3002 5 6 2\n3001 -1 -1 -1\n"},
      {"zone unknown: CR LF", false, true, false, "3002 5 6 2\r\n3001 -1 -1 -1\r\n"},
      {"nothing placed, no map yet: none made", true, false, false, ""},
      {"nothing placed, old map rewritten", true, false, true, "3002 -1 -1 -1\n3001 -1 -1 -1\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir d;
    RecordingReporter rep;
    World w(rep);
    AddRooms(w, {3002, 3101, 3001});
    if (c.placed) {
      TRoom* r = w.Rooms.Find(3002);
      r->MapX = 5;
      r->MapY = 6;
      r->MapZ = 2;
    }
    w.Rooms.Find(3101)->MapZ = 1;
    if (c.registered) w.ZoneOrBare(30).ZoneMapFilename.LineBreak = kBreakLF;
    if (c.existed) WriteFile(d / "30.map", "old\n");
    ASSERT_TRUE(SaveRecordFile(w, kRoom, 30, d / "30.wld"));
    EXPECT_TRUE(fs::exists(d / "30.wld"));
    EXPECT_EQ(fs::exists(d / "30.map"), !c.want.empty());
    if (!c.want.empty()) EXPECT_EQ(ReadFile(d / "30.map"), c.want);
    EXPECT_TRUE(rep.errors.empty());
  }
}

TEST(RoomMapFile, WriteFailureAfterTheRoomFile) {
  TempDir d;
  RecordingReporter rep;
  World w(rep);
  AddRooms(w, {3001});
  w.Rooms.Find(3001)->MapZ = 1;
  fs::create_directories(d / "30.map");  // a folder where the map file should go
  EXPECT_FALSE(SaveRecordFile(w, kRoom, 30, d / "30.wld"));
  EXPECT_TRUE(fs::is_regular_file(d / "30.wld"));
  ASSERT_EQ(rep.errors.size(), 1u);
  EXPECT_EQ(rep.errors[0].n, 13);
  // The file and the system's reason are named.
  EXPECT_EQ(rep.errors[0].text.rfind(W("Не могу сохранить карту комнат для зоны 30\r\nФайл ") +
                                         (d / "30.map").string() + ": ",
                                     0),
            0u);
  EXPECT_NE(rep.errors[0].text.find("Is a directory"), std::string::npos);
}

}  // namespace
}  // namespace zm
