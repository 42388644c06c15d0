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
  // Lines kept as written, wherever they are kept.
  int Kept() const {
    size_t n = z.KeptCommands.size();
    for (const auto& r : w.Rooms) {
      n += r->KeptCommands.size();
      for (const auto& o : r->Objects) n += o->KeptCommands.size();
      for (const auto& m : r->Mobs) n += m->KeptCommands.size();
    }
    return static_cast<int>(n);
  }
  bool Read(const std::string& commands) {
    return ReadZoneCommandsBytes(
        w, z,
        "* Korvask zone file v1.0\n#30\n" + W("Лес") + "~\n3099 10 2\n" + commands + "S\n$\n$\n",
        "30.zon");
  }
};

std::string Joined(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

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

TEST(ZoneCommands, PlaceContentsOnRoomsPrototypesAndZone) {
  struct Case {
    const char* name;
    std::string commands;
    int kept;  // lines not taken in, kept as written
    std::function<void(Fixture&)> check;
  };
  const Case cases[] = {
      {"O without room", "O 0 3010 7 -1 50\n", 0,
       [](Fixture& f) {
         ASSERT_EQ(f.z.CreatedObjects.Count(), 1);
         TLinkObj* o = f.z.CreatedObjects.Items(0);
         EXPECT_EQ(o->ID, 3010);
         EXPECT_EQ(o->Chance, 50);
         EXPECT_EQ(o->WearPos, 255);
         EXPECT_EQ(f.w.Objs.Find(3010)->MaxInWorld, 7);
         EXPECT_TRUE(f.Room(3000).Objects.Empty());
       }},
      {"P into the last room object, any container, no nesting",
       "O 0 3010 1 3000 -1\nO 1 3011 1 3000 10\nP 0 3010 4 9999 -1\nP 0 3010 4 3010 20\n", 0,
       [](Fixture& f) {
         auto& objs = f.Room(3000).Objects;
         ASSERT_EQ(objs.Count(), 2);
         EXPECT_EQ(objs.Items(0)->Chance, 100);
         EXPECT_TRUE(objs.Items(0)->Contents.Empty());
         EXPECT_EQ(objs.Items(1)->Cond, 1);
         ASSERT_EQ(objs.Items(1)->Contents.Count(), 2);
         EXPECT_EQ(objs.Items(1)->Contents.Items(0)->Chance, 100);
         EXPECT_EQ(objs.Items(1)->Contents.Items(1)->Chance, 20);
         EXPECT_EQ(f.w.Objs.Find(3010)->MaxInWorld, 4);
       }},
      {"P without an object, O in a missing room clears the room",
       "P 0 3010 1 3010 abc\nO 0 3010 1 3000 100\nO 0 3011 1 4444 100\nP 0 3010 1 3011 100\n", 3,
       [](Fixture& f) {
         TRoomObj* o = f.Room(3000).Objects.Items(0);
         EXPECT_TRUE(o->Contents.Empty());
         // Each after the command taken in before it.
         EXPECT_EQ(f.z.KeptCommands, TKeptLines{"P 0 3010 1 3010 abc"});
         EXPECT_EQ(o->KeptCommands, (TKeptLines{"O 0 3011 1 4444 100", "P 0 3010 1 3011 100"}));
       }},
      {"G and E go to the last mobile of the room, also after an O",
       "m 0 3020 2 3000\nM 0 3021 1 3000 1\nO 0 3010 1 3000 100\ng 0 3011 2 -1 -1\n"
       "E 1 3010 3 5 -1\n",
       0,
       [](Fixture& f) {
         auto& mobs = f.Room(3000).Mobs;
         ASSERT_EQ(mobs.Count(), 2);
         EXPECT_EQ(mobs.Items(0)->MaxInRoom, 2);
         EXPECT_TRUE(mobs.Items(0)->Inventory.Empty());
         auto& inv = mobs.Items(1)->Inventory;
         ASSERT_EQ(inv.Count(), 2);
         EXPECT_EQ(inv.Items(0)->WearPos, 255);
         EXPECT_EQ(inv.Items(0)->Chance, 100);
         EXPECT_EQ(inv.Items(1)->WearPos, 5);
         EXPECT_EQ(inv.Items(1)->Chance, 100);
       }},
      {"G in a room without mobiles, E worn at 255",
       "O 0 3010 1 3000 100\nG 0 3011 2 x\nM 0 3020 1 3000\nE 0 3011 2 255 100\n", 2,
       [](Fixture& f) {
         EXPECT_TRUE(f.Room(3000).Mobs.Items(0)->Inventory.Empty());
         // Placed after the mobile they would land on it when read again.
         EXPECT_EQ(f.z.KeptCommands, (TKeptLines{"G 0 3011 2 x", "E 0 3011 2 255 100"}));
       }},
      {"G with the chance fifth, after a -1; with both places taken it is kept",
       "M 0 3020 1 3000 1\nG 1 3010 5 -1 40\nG 1 3011 5 20 -1\nG 1 3011 5 -1 -1\n"
       "G 1 3010 5 20 30\n",
       1,
       [](Fixture& f) {
         auto& inv = f.Room(3000).Mobs.Items(0)->Inventory;
         ASSERT_EQ(inv.Count(), 3);
         EXPECT_EQ(inv.Items(0)->Chance, 40);
         EXPECT_TRUE(inv.Items(0)->ChanceFifth);
         EXPECT_EQ(inv.Items(1)->Chance, 20);
         EXPECT_FALSE(inv.Items(1)->ChanceFifth);
         EXPECT_EQ(inv.Items(2)->Chance, 100);
         EXPECT_EQ(f.z.KeptCommands, TKeptLines{"G 1 3010 5 20 30"});
       }},
      {"two M lines: world max from the last, room max from the fifth number",
       "M 0 3020 3 3000 1\nM 0 3020 5 3001 3\t(comment)\nM 0 3021 4 3001\t(old)\n", 0,
       [](Fixture& f) {
         EXPECT_EQ(f.w.Mobs.Find(3020)->MaxInWorld, 5);
         EXPECT_EQ(f.Room(3000).Mobs.Items(0)->MaxInRoom, 1);
         EXPECT_EQ(f.Room(3001).Mobs.Items(0)->MaxInRoom, 3);
         EXPECT_EQ(f.Room(3001).Mobs.Items(1)->MaxInRoom, 4);
       }},
      {"F, D, Q, R; rooms of other zones and unknown prototypes",
       "M 0 3020 1 3100 1\nM 0 3020 1 3100 1\nM 0 9999 7 3100 1\nF 0 3100 3021 3020 -1\n"
       "F 0 3100 3020 3021 -1\nD 0 3001 0 2 -1\nD 0 3001 1 1 -1\nD 0 3001 6 1 -1\n"
       "D 0 3001 -1 1 -1\nQ 1 3021 -1 -1 -1\nR 0 3000 3010 -1 -1\nR 0 4444 3010 -1 -1\n",
       5,
       [](Fixture& f) {
         auto& mobs = f.Room(3100).Mobs;
         ASSERT_EQ(mobs.Count(), 3);
         EXPECT_EQ(mobs.Items(0)->Leader, 3021);
         EXPECT_EQ(mobs.Items(1)->Leader, -1);
         EXPECT_EQ(mobs.Items(2)->ID, 9999);
         EXPECT_EQ(f.Room(3001).Exits[kNorth].DefaultState, 2);
         EXPECT_EQ(f.Room(3001).Exits[kEast].DefaultState, 1);  // kept, not written back
         for (int d : {kSouth, kWest, kUp, kDown}) EXPECT_EQ(f.Room(3001).Exits[d].DefaultState, 0);
         EXPECT_EQ(f.z.RemovedMobs.Items(0)->Cond, 1);
         EXPECT_EQ(f.Room(3000).RemovedObjects.Items(0)->ID, 3010);
         EXPECT_EQ(f.Room(3001).KeptCommands,
                   (TKeptLines{"D 0 3001 1 1 -1", "D 0 3001 6 1 -1", "D 0 3001 -1 1 -1"}));
       }},
      {"T attaches to the last mobile, object or room, once",
       "M 0 3020 1 3000 1\nT 0 0 3090\nT 0 0 3090\nO 0 3010 1 3100 100\nT 0 1 3091\n"
       "T 1 2 3092\nT 0 3 3093\nM 0 3021 1 4444 1\nT 0 0 3094\nt 0 2 3095\n",
       4,
       [](Fixture& f) {
         EXPECT_EQ(f.w.Mobs.Find(3020)->Triggers.Count(), 1);
         EXPECT_EQ(f.w.Mobs.Find(3021)->Triggers.Count(), 0);
         EXPECT_EQ(f.w.Objs.Find(3010)->Triggers.Get(0), 3091);
         ASSERT_EQ(f.Room(3100).Triggers.Count(), 1);
         EXPECT_EQ(f.Room(3100).Triggers.Items(0)->Cond, 1);
         using P = std::pair<int32_t, RecordKind>;
         EXPECT_EQ(f.z.PendingOwnerFiles, (std::set<P>{{30, kMobile}, {30, kObject}, {31, kRoom}}));
       }},
      {"an empty line ends the section and what follows it is lost",
       "* comment\nX 1 2 3\n   M 0 3020 1 3000 1   \n \nM 0 3021 1 3000 1\n", 2,
       [](Fixture& f) {
         EXPECT_EQ(f.Room(3000).Mobs.Count(), 1);
         EXPECT_EQ(f.z.KeptCommands, (TKeptLines{"* comment", "X 1 2 3"}));
         EXPECT_EQ(f.z.DroppedCommands, 1);
         EXPECT_EQ(f.z.FirstDroppedLine, 9);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    EXPECT_TRUE(f.Read(c.commands));
    EXPECT_TRUE(f.rep.loadErrors.empty());
    EXPECT_EQ(f.Kept(), c.kept);
    if (c.kept == 0) {
      EXPECT_EQ(f.z.DroppedCommands, 0);
    }
    EXPECT_EQ(f.z.ResetTime, 10);
    EXPECT_EQ(f.z.ResetMode, 2);
    c.check(f);
  }
}

TEST(ZoneCommands, FailuresKeepWhatWasReadAndTheZoneNumber) {
  struct Case {
    std::string bytes;
    int line;
    int32_t number;
    int mobs;
  };
  const std::string les = W("Лес");
  const Case cases[] = {
      {"#30\n" + les + "~\n3099 1 2\nM 0 3020 1 3000 1\nM 0 3020 1\nM 0 3020 1 3000 1\n", 5, 30, 1},
      {"#30\n" + les + "~\n3099 x 2\n", 3, 30, 0},
      {"* nothing\n#\n", 2, 30, 0},
      {"", 0, 30, 0},
      {"#31\n", 1, 30, 0},
  };
  for (const auto& c : cases) {
    Fixture f;
    EXPECT_FALSE(ReadZoneCommandsBytes(f.w, f.z, c.bytes, "30.zon")) << c.bytes;
    ASSERT_EQ(f.rep.loadErrors.size(), 1u);
    EXPECT_EQ(f.rep.loadErrors[0],
              FormatMessage(ErrorText(ErrorMsg::ZoneLoad), {"30.zon", LineErrorText(c.line)}));
    EXPECT_EQ(f.z.Vnum, c.number);
    EXPECT_EQ(f.z.Name, les);
    EXPECT_EQ(f.Room(3000).Mobs.Count(), c.mobs);
    EXPECT_GT(f.z.DroppedCommands, 0);
  }
  // The last command is read even without a line end or "S" after it.
  Fixture f;
  EXPECT_TRUE(ReadZoneCommandsBytes(f.w, f.z, "#30  \t\r\nx~\r\n1 2 3\r\nM 0 3020 1 3000 1", ""));
  EXPECT_EQ(f.Room(3000).Mobs.Count(), 1);
  EXPECT_EQ(f.z.DroppedCommands, 0);
}

// Zone 30 with every kind of line the writer makes.
void FillZone(Fixture& f) {
  f.z.ResetTime = 15;
  f.z.ResetMode = 2;
  f.z.CreatedObjects.Add([] {
    TLinkObj l;
    l.ID = 3010;
    l.Chance = 50;
    return l;
  }());
  f.z.RemovedMobs.Add(TCondID{1, 3021});
  TRoom& r = f.Room(3001);
  r.RemovedObjects.Add(TCondID{0, 3011});
  TRoomObj o;
  o.ID = 3011;
  o.Chance = 40;
  TLinkObj p;
  p.ID = 3010;
  p.Chance = 100;
  o.Contents.Add(p);
  p.ID = 9999;
  o.Contents.Add(p);
  r.Objects.Add(o);
  TRoomMob m;
  m.ID = 3020;
  m.MaxInRoom = 3;
  m.Leader = 3021;
  p.ID = 3010;
  m.Inventory.Add(p);
  p.WearPos = 16;
  p.Cond = 1;
  m.Inventory.Add(p);
  r.Mobs.Add(m);
  m.ID = 3021;
  m.Leader = 4444;
  m.Inventory.Clear();
  r.Mobs.Add(m);
  r.Exits[kNorth].DefaultState = 1;
  f.Room(3100).Mobs.Add(m);
}

TEST(ZoneWriter, WritesTheLayoutFromRoomsAndPrototypes) {
  Fixture f;
  FillZone(f);
  f.Room(3001).Exits[kEast].DefaultState = 2;  // no door: not written
  std::vector<std::string> lines;
  BuildZoneLines(f.w, f.z, lines);
  EXPECT_EQ(Joined(lines), W("* Korvask zone file v1.0\n"
                             "#30\n"
                             "Лес~\n"
                             "3099 15 2\n"
                             "O 0 3010 5 -1 50\t(длинный меч)\n"
                             "Q 1 3021 -1 -1 -1\t(рыжий пёс)\n"
                             "R 0 3001 3011 -1 -1\t(кожаная сумка)\n"
                             "O 0 3011 2 3001 40\t(кожаная сумка)\n"
                             "P 0 3010 5 3011 100\t(длинный меч)\n"
                             "P 0 9999 -1 3011 100\n"
                             "M 0 3020 5 3001 3\t(старый стражник)\n"
                             "G 0 3010 5 100 -1\t(длинный меч)\n"
                             "E 1 3010 5 16 100\t(длинный меч)\n"
                             "F 0 3001 3021 3020 -1\t(рыжий пёс)\n"
                             "M 0 3021 1 3001 3\t(рыжий пёс)\n"
                             "F 0 3001 4444 3021 -1\n"
                             "D 0 3001 0 1 -1\t(Поляна 3001)\n"
                             "S\n$\n$\n"));
}

// What the zone file holds of a zone, without what loading and saving keep
// beside it (file settings, counts, registration).
TZone Content(TZone z) {
  z.ZoneFilename = z.RoomFilename = z.ZoneMapFilename = z.ObjFilename = z.MobFilename =
      z.ShopFilename = z.TrigFilename = {};
  z.Registered = false;
  z.CommandsRead = z.DroppedCommands = z.FirstDroppedLine = 0;
  z.PendingOwnerFiles.clear();
  return z;
}

TEST(ZoneWriter, RoundTripsInEachCodingAndLineBreak) {
  for (CodingWord word : {CodingWord{kCodingWin, kBreakLF}, CodingWord{kCodingWin, kBreakCRLF},
                          CodingWord{kCodingKoi, kBreakLF}, CodingWord{kCodingKoi, kBreakCRLF}}) {
    SCOPED_TRACE(int{word.Coding} * 10 + word.LineBreak);
    test::TempDir dir;
    const fs::path path = dir / "ZON/30.zon";
    fs::create_directories(path.parent_path());
    Fixture a;
    FillZone(a);
    a.z.Name = W("Ёлочный лес: автор Ёж");
    a.z.ZoneFilename.SetWord(word);
    ASSERT_TRUE(SaveZoneFile(a.w, a.z, path));
    const std::string first = test::ReadFile(path);

    Fixture b;
    TZone z;
    ASSERT_TRUE(LoadZoneHeader(b.w, z, path));
    EXPECT_EQ(z.ZoneFilename.Word(), word);
    ASSERT_TRUE(ReadZoneCommands(b.w, z, path));
    SettleCommandMaxima(b.w);
    SettleZoneMaxima(b.w, z);
    EXPECT_EQ(z.DroppedCommands, 0);
    EXPECT_TRUE(Content(z) == Content(a.z));
    for (int v : {3000, 3001}) EXPECT_TRUE(b.Room(v) == a.Room(v)) << v;
    EXPECT_EQ(b.Room(3001).Mobs.Items(0)->MaxInRoom, 3);
    ASSERT_TRUE(SaveZoneFile(b.w, z));
    EXPECT_EQ(test::ReadFile(path), first);
  }
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
  ASSERT_TRUE(SaveZoneFile(f.w, f.z));
  EXPECT_EQ(f.z.DroppedCommands, 0);
  EXPECT_EQ(test::ReadFile(dir / "30.zon"),
            W("* Korvask zone file v1.0\r\n#30\r\nЛес~\r\n3099 0 0\r\n"
              "D 0 3001 0 0 -1\t(Поляна 3001)\r\nS\r\n$\r\n$\r\n"));
}

}  // namespace
}  // namespace zm
