#include <gtest/gtest.h>

#include <functional>

#include "common/coding.h"
#include "common/worldbuffer.h"
#include "core/testutil.h"
#include "io/zonefile.h"
#include "model/world.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::RecordingReporter;

// Rooms 3000 and 3001 of zone 30 (3001 has a door north and a doorless exit
// east), room 3100 of zone 31, objects 3010-3011 and mobiles 3020-3021.
struct Fixture {
  RecordingReporter rep;
  World w{rep};
  TZone z{30};

  Fixture() {
    z.Name = W("Лес");
    for (int v : {3000, 3001, 3100}) {
      auto r = std::make_unique<TRoom>(ZoneOf(v), v);
      r->Name = W("Поляна ") + IntText(v);
      w.Rooms.Append(std::move(r));
    }
    TRoom* r = w.Rooms.Find(3001);
    r->Exits[kNorth].ToRoom = 3000;
    r->Exits[kNorth].DoorFlags = 1;
    r->Exits[kEast].ToRoom = 3000;
    Obj(3010, "длинный меч", 5);
    Obj(3011, "кожаная сумка", 2);
    Mob(3020, "старый стражник", 5);
    Mob(3021, "рыжий пёс", 1);
  }
  void Obj(int32_t v, const char* name, int32_t max) {
    auto o = std::make_unique<TObj>(ZoneOf(v), v);
    o->Names[0] = W(name);
    o->MaxInWorld = max;
    w.Objs.Append(std::move(o));
  }
  void Mob(int32_t v, const char* name, int32_t max) {
    auto m = std::make_unique<TMob>(ZoneOf(v), v);
    m->Names[0] = W(name);
    m->MaxInWorld = max;
    w.Mobs.Append(std::move(m));
  }
  TRoom& Room(int32_t v) { return *w.Rooms.Find(v); }
  bool Read(const std::string& commands) {
    return ReadZoneCommandsBytes(
        w, z,
        "* Korvask zone file v1.0\n#30\n" + W("Лес") + "~\n3099 10 2\n" + commands + "S\n$\n$\n",
        "30.zon");
  }
};

TEST(ZoneHeader, ReadsNumberAndNameAndDetectsCoding) {
  struct Case {
    std::string bytes;
    bool ok;
    int32_t number;
    std::string name;
    CodingWord word;
  };
  const std::string les = W("Лесная поляна");
  std::string koi = les;
  WinToKoi(koi);
  const Case cases[] = {
      {"* Korvask zone file v1.0\r\n#30\r\n" + les + "~\r\n3099 10 2\r\nS\r\n",
       true,
       30,
       les,
       {kCodingWin, kBreakCRLF}},
      {"#30 0 0\n" + koi + "~\n12345 10 2\nS\n$\n", true, 30, les, {kCodingKoi, kBreakLF}},
      {"* comment\n\n#  7  \nname~\n799 0 0\n", true, 7, "name", {kCodingUnknown, kBreakLF}},
      {"* no record here\nname~\n", false, 0, "", {}},
      {"#abc\nname~\n", false, 0, "", {}},
      {"#30\n", false, 0, "", {}},
      {"#99999999\nname~\n", false, 0, "", {}},
  };
  for (const auto& c : cases) {
    RecordingReporter rep;
    World w{rep};
    TZone z;
    EXPECT_EQ(ReadZoneHeaderBytes(w, z, c.bytes, "zon/30.zon"), c.ok) << c.bytes;
    if (c.ok) {
      EXPECT_EQ(z.Vnum, c.number);
      EXPECT_EQ(z.Zone, c.number);
      EXPECT_EQ(z.Name, c.name);
      EXPECT_EQ(z.ZoneFilename.Word(), c.word) << c.bytes;
      EXPECT_TRUE(rep.errors.empty());
    } else {
      ASSERT_EQ(rep.errors.size(), 1u) << c.bytes;
      EXPECT_EQ(rep.errors[0].n, 1);
      EXPECT_NE(rep.errors[0].text.find("zon/30.zon"), std::string::npos);
    }
  }
  // A coding chosen before the pass is kept.
  RecordingReporter rep;
  World w{rep};
  TZone z;
  z.ZoneFilename.SetWord({kCodingWin, kBreakLF});
  ASSERT_TRUE(ReadZoneHeaderBytes(w, z, "#30\n" + koi + "~\r\n", "30.zon"));
  EXPECT_EQ(z.ZoneFilename.Word(), (CodingWord{kCodingWin, kBreakLF}));
  EXPECT_EQ(z.Name, koi);
}

TEST(ZoneHeader, RegistersSiblingFilesInTheFoldersThatExist) {
  struct Case {
    std::vector<std::string> existing;  // made before the load
    std::string zoneFile;
    std::vector<std::string> expected;  // wld, map, obj, mob, shp, trg
  };
  const Case cases[] = {
      {{},
       "ZON/30.zon",
       {"WLD/30.wld", "WLD/30.map", "OBJ/30.obj", "MOB/30.mob", "SHP/30.shp", "TRG/30.trg"}},
      {{},
       "zon/30.ZON",
       {"wld/30.WLD", "wld/30.MAP", "obj/30.OBJ", "mob/30.MOB", "shp/30.SHP", "trg/30.TRG"}},
      {{"WLD/30.wld", "Obj/30.OBJ", "mob/"},
       "zon/30.zon",
       {"WLD/30.wld", "WLD/30.map", "Obj/30.OBJ", "mob/30.mob", "shp/30.shp", "trg/30.trg"}},
      {{},
       "other/30.zon",
       {"other/30.wld", "other/30.map", "other/30.obj", "other/30.mob", "other/30.shp",
        "other/30.trg"}},
  };
  for (const auto& c : cases) {
    test::TempDir dir;
    for (const auto& e : c.existing) {
      if (e.back() == '/')
        fs::create_directories(dir / e);
      else
        test::WriteFile(dir / e, "x");
    }
    test::WriteFile(dir / c.zoneFile, "#30\n" + W("Лесная поляна") + "~\n3099 0 0\nS\n");
    RecordingReporter rep;
    test::FakeTree sink;
    World w{rep, &sink};
    TZone z;
    ASSERT_TRUE(LoadZoneHeader(w, z, dir / c.zoneFile));
    const TFileSetting* got[] = {&z.RoomFilename, &z.ZoneMapFilename, &z.ObjFilename,
                                 &z.MobFilename,  &z.ShopFilename,    &z.TrigFilename};
    for (size_t i = 0; i < 6; ++i) {
      EXPECT_EQ(got[i]->Path, dir / c.expected[i]) << c.zoneFile;
      EXPECT_EQ(got[i]->Word(), (CodingWord{kCodingWin, kBreakLF}));
    }
    EXPECT_TRUE(z.Registered);
    EXPECT_EQ(z.ZoneFilename.Path, dir / c.zoneFile);
    EXPECT_EQ(w.ZoneMaps.FindByNumber(30), 0);
    EXPECT_EQ(w.Zones.ZoneNameOf(30), W("[30] Лесная поляна"));
    EXPECT_EQ(sink.zoneNodes, std::vector<std::string>{W("[30] Лесная поляна") + " +map"});
  }
  // Without a "#" line nothing is registered.
  test::TempDir dir;
  test::WriteFile(dir / "ZON/5.zon", "no zone here\n");
  RecordingReporter rep;
  World w{rep};
  TZone z;
  EXPECT_FALSE(LoadZoneHeader(w, z, dir / "ZON/5.zon"));
  EXPECT_FALSE(z.Registered);
  EXPECT_EQ(w.ZoneMaps.Count(), 0);
  EXPECT_EQ(w.Zones.ZoneNames().size(), 1u);
  ASSERT_EQ(rep.errors.size(), 1u);
  EXPECT_EQ(rep.errors[0].n, 1);
}

TEST(ZoneHeader, RealWorldZonesFindTheirRoomFolder) {
  const fs::path zon = test::RealWorld() / "bylins" / "zon";
  if (!fs::is_directory(zon)) GTEST_SKIP() << "no real world at " << zon;
  int seen = 0;
  for (const auto& e : fs::directory_iterator(zon)) {
    if (e.path().extension() != ".zon") continue;
    RecordingReporter rep;
    World w{rep};
    TZone z;
    ASSERT_TRUE(LoadZoneHeader(w, z, e.path())) << e.path();
    EXPECT_EQ(z.ZoneFilename.Coding, kCodingKoi) << e.path();
    EXPECT_TRUE(fs::is_directory(z.RoomFilename.Path.parent_path())) << z.RoomFilename.Path;
    ++seen;
  }
  EXPECT_GT(seen, 0);
}

// What the records do not show: the files whose records took a T line (the
// zone file does not write them back, those files must be written with it),
// and where the lines cut off by an empty line began.
TEST(ZoneCommands, NoteOwnerFilesAndDroppedLines) {
  Fixture f;
  EXPECT_TRUE(
      f.Read("M 0 3020 1 3000 1\nT 0 0 3090\nO 0 3010 1 3001 100\nT 0 1 3091\n"
             "T 0 2 3092\n \nM 0 3021 1 3000 1\n"));
  using P = std::pair<int32_t, RecordKind>;
  EXPECT_EQ(f.z.PendingOwnerFiles, (std::set<P>{{30, kMobile}, {30, kObject}, {30, kRoom}}));
  EXPECT_EQ(f.z.DroppedCommands, 1);
  EXPECT_EQ(f.z.FirstDroppedLine, 11);
}

TEST(ZoneCommands, FailuresKeepWhatWasReadAndTheZoneNumber) {
  struct Case {
    std::string bytes;
    int line;
  };
  const std::string les = W("Лес");
  const Case cases[] = {
      {"#30\n" + les + "~\n3099 x 2\n", 3},
      {"* nothing\n#\n", 2},
      {"", 0},
      {"#31\n", 1},
  };
  for (const auto& c : cases) {
    Fixture f;
    EXPECT_FALSE(ReadZoneCommandsBytes(f.w, f.z, c.bytes, "30.zon")) << c.bytes;
    ASSERT_EQ(f.rep.loadErrors.size(), 1u);
    EXPECT_EQ(f.rep.loadErrors[0],
              FormatMessage(ErrorText(ErrorMsg::ZoneLoad), {"30.zon", LineErrorText(c.line)}));
    EXPECT_EQ(f.z.Vnum, 30);
    EXPECT_EQ(f.z.Name, les);
    EXPECT_GT(f.z.DroppedCommands, 0);
  }
  // The last command is read even without a line end or "S" after it.
  Fixture f;
  EXPECT_TRUE(ReadZoneCommandsBytes(f.w, f.z, "#30  \t\r\nx~\r\n1 2 3\r\nM 0 3020 1 3000 1", ""));
  EXPECT_EQ(f.Room(3000).Mobs.Count(), 1);
  EXPECT_EQ(f.z.DroppedCommands, 0);
}

TEST(ZoneWriter, SaveFailuresAndAutoDetectCoding) {
  test::TempDir dir;
  Fixture f;
  f.z.DroppedCommands = 2;
  EXPECT_FALSE(SaveZoneFile(f.w, f.z));  // no path at all
  EXPECT_FALSE(SaveZoneFile(f.w, f.z, dir / "missing/deeper/30.zon"));
  ASSERT_EQ(f.rep.errors.size(), 2u);
  EXPECT_EQ(f.rep.errors[1].n, 2);
  EXPECT_EQ(f.z.DroppedCommands, 2);

  f.z.ZoneFilename.Path = dir / "30.zon";
  f.Room(3001).Exits[kEast].DefaultState = 2;  // no door: not written
  ASSERT_TRUE(SaveZoneFile(f.w, f.z));
  EXPECT_EQ(f.z.DroppedCommands, 0);
  EXPECT_EQ(test::ReadFile(dir / "30.zon"),
            W("* Korvask zone file v1.0\r\n#30\r\nЛес~\r\n3099 0 0\r\n"
              "D 0 3001 0 0 -1\t(Поляна 3001)\r\nS\r\n$\r\n$\r\n"));
}

}  // namespace
}  // namespace zm
