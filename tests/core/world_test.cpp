// The whole road: records saved zone by zone, the folder loaded again, and
// saved once more without a byte changing.
#include <gtest/gtest.h>

#include "core/testutil.h"
#include "io/zonefile.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

using test::ReadFile;
using test::TempDir;

// Two zones: 30 in `cw30`, 31 in `cw31`, with rooms, objects, mobiles and
// their placements, registered under `dir`.
void Build(World& w, const std::filesystem::path& dir, CodingWord cw30, CodingWord cw31,
           const char* zonFolder = "ZON") {
  for (int zn : {30, 31}) {
    TZone* z = w.Zones.Append(std::make_unique<TZone>(zn));
    z->Name = W(zn == 30 ? "Город" : "Ёлочный лес");
    z->ResetTime = 15;
    z->ResetMode = 2;
    std::filesystem::create_directories(dir / zonFolder);
    RegisterZoneFiles(w, *z, dir / zonFolder / (std::to_string(zn) + ".zon"));
    CodingWord cw = zn == 30 ? cw30 : cw31;
    for (TFileSetting* fs : {&z->ZoneFilename, &z->RoomFilename, &z->ZoneMapFilename,
                             &z->ObjFilename, &z->MobFilename, &z->ShopFilename, &z->TrigFilename})
      fs->SetWord(cw);
    for (int n = 0; n < 3; ++n) {
      auto o = std::make_unique<TObj>(zn, MakeVnum(n, zn));
      o->Names = {W("меч"), W("меча"), W("мечу"), W("меч"), W("мечом"), W("мече")};
      o->Aliases = W("меч ёлка");
      o->Description = W("Острый меч лежит здесь.");
      o->MaxInWorld = 4;
      w.Objs.Append(std::move(o));
      auto m = std::make_unique<TMob>(zn, MakeVnum(n, zn));
      m->Names = {W("стражник"),  W("стражника"),  W("стражнику"),
                  W("стражника"), W("стражником"), W("стражнике")};
      m->Aliases = W("стражник");
      m->LongDescription = W("Стражник стоит здесь.");
      m->LookDescription = W("Высокий и суровый.\r\n");
      m->HitDice = {3, 8, 20};
      m->MaxInWorld = 2;
      w.Mobs.Append(std::move(m));
    }
    for (int n = 0; n < 4; ++n) {
      auto r = std::make_unique<TRoom>(zn, MakeVnum(n, zn));
      r->Name = W("Улица у ворот");
      r->Description = W("Широкая улица.\r\nЁлки растут вдоль дороги.\r\n");
      r->Sector = 1;
      if (n > 0) r->Exits[kWest].ToRoom = MakeVnum(n - 1, zn);
      if (n < 3) r->Exits[kEast].ToRoom = MakeVnum(n + 1, zn);
      r->Exits[kEast].DoorFlags = n == 1 ? 1 : 0;
      r->Exits[kEast].DefaultState = n == 1 ? 1 : 0;
      r->MapX = n;
      r->MapY = 0;
      r->MapZ = 1;
      TRoomMob rm;
      rm.ID = MakeVnum(n % 3, zn);
      rm.MaxInRoom = 1;
      TLinkObj worn;
      worn.ID = MakeVnum(0, zn);
      worn.Chance = 50;
      worn.WearPos = 16;
      rm.Inventory.Add(worn);
      r->Mobs.Add(std::move(rm));
      TRoomObj ro;
      ro.ID = MakeVnum(1, zn);
      ro.Chance = 100;
      r->Objects.Add(std::move(ro));
      w.Rooms.Append(std::move(r));
    }
  }
}

std::map<std::string, std::string> Snapshot(const std::filesystem::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir))
    if (e.is_regular_file())
      files[std::filesystem::relative(e.path(), dir).string()] = ReadFile(e.path());
  return files;
}

TEST(World, SaveLoadSaveIsByteForByteInEveryCoding) {
  const CodingWord words[] = {{kCodingWin, kBreakCRLF},
                              {kCodingKoi, kBreakLF},
                              {kCodingWin, kBreakLF},
                              {kCodingKoi, kBreakCRLF}};
  for (const auto& cw : words) {
    SCOPED_TRACE(std::to_string(cw.Coding) + "/" + std::to_string(cw.LineBreak));
    TempDir d;
    test::RecordingReporter rep;
    {
      World w(rep);
      Build(w, d.path(), cw, {kCodingKoi, kBreakLF});
      for (int zn : {30, 31}) EXPECT_TRUE(SaveWholeZone(w, zn).ok);
    }
    auto first = Snapshot(d.path());
    EXPECT_EQ(first.size(), 10u);  // zon, wld, map, obj, mob for two zones

    World w2(rep);
    EXPECT_EQ(LoadWorld(w2, d.path()), 0);
    EXPECT_TRUE(rep.loadErrors.empty()) << rep.loadErrors.front();
    EXPECT_EQ(w2.Zones.Count(), 2);
    EXPECT_EQ(w2.Rooms.Count(), 8);
    EXPECT_EQ(w2.Objs.Count(), 6);
    EXPECT_EQ(w2.Mobs.Count(), 6);
    EXPECT_EQ(w2.Zones.ByNumber(30)->ZoneFilename.Word(), cw);
    const TRoom* r = w2.Rooms.Find(3001);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->Description, W("Широкая улица.\r\nЁлки растут вдоль дороги.\r\n"));
    ASSERT_EQ(r->Mobs.Count(), 1);
    EXPECT_EQ(r->Mobs.Items(0)->Inventory.Items(0)->WearPos, 16);
    EXPECT_EQ(r->Exits[kEast].DefaultState, 1);
    EXPECT_EQ(r->MapX, 1);

    for (int zn : {30, 31}) EXPECT_TRUE(SaveWholeZone(w2, zn).ok);
    EXPECT_EQ(Snapshot(d.path()), first);
    EXPECT_TRUE(rep.errors.empty());
  }
}

TEST(World, LowerCaseFoldersLoadAndMissingFoldersAreEmpty) {
  TempDir d;
  test::RecordingReporter rep;
  {
    World w(rep);
    Build(w, d.path(), {kCodingKoi, kBreakLF}, {kCodingKoi, kBreakLF}, "zon");
    for (int zn : {30, 31}) EXPECT_TRUE(SaveWholeZone(w, zn).ok);
  }
  EXPECT_TRUE(std::filesystem::exists(d / "wld" / "30.wld"));
  EXPECT_TRUE(std::filesystem::exists(d / "obj" / "31.obj"));
  EXPECT_FALSE(std::filesystem::exists(d / "shp"));  // no shops: no empty file made
  World w2(rep);
  LoadWorld(w2, d.path());
  EXPECT_EQ(w2.Rooms.Count(), 8);
  EXPECT_EQ(w2.Mobs.Count(), 6);
  EXPECT_TRUE(rep.loadErrors.empty());

  World empty(rep);
  EXPECT_EQ(LoadWorld(empty, d / "nothing-here"), 0);
  EXPECT_EQ(empty.Zones.Count(), 0);
}

TEST(World, RoomsWithoutZoneFileMakeABareZoneThatSavesItsFiles) {
  TempDir d;
  test::RecordingReporter rep;
  test::WriteFile(d / "WLD" / "41.wld", "#4100\r\nRoom~\r\nText\r\n~\r\n41 0 0\r\nS\r\n$\r\n$\r\n");
  World w(rep);
  LoadWorld(w, d.path());
  ASSERT_NE(w.Zones.ByNumber(41), nullptr);
  EXPECT_FALSE(w.Zones.ByNumber(41)->Registered);
  EXPECT_EQ(w.Rooms.Count(), 1);
  SaveResult r = SaveWholeZone(w, 41);
  EXPECT_FALSE(r.ok);  // no zone file to write: error 2
  ASSERT_FALSE(rep.errors.empty());
  EXPECT_EQ(rep.errors[0].n, 2);
  EXPECT_EQ(r.written.front(), d / "WLD" / "41.wld");
}

TEST(World, ZoneFileSaveKeepsTriggersAttachedByItsCommands) {
  TempDir d;
  test::RecordingReporter rep;
  {
    World w(rep);
    Build(w, d.path(), {kCodingWin, kBreakCRLF}, {kCodingWin, kBreakCRLF});
    for (int zn : {30, 31}) ASSERT_TRUE(SaveWholeZone(w, zn).ok);
  }
  // A builder's zone file attaches trigger 3005 to the mobile 3000 with a T command.
  std::string zon = ReadFile(d / "ZON" / "30.zon");
  size_t m = zon.find("M 0 3000");
  ASSERT_NE(m, std::string::npos);
  size_t eol = zon.find("\r\n", m) + 2;
  zon.insert(eol, "T 0 0 3005\r\n");
  test::WriteFile(d / "ZON" / "30.zon", zon);

  World w(rep);
  LoadWorld(w, d.path());
  ASSERT_EQ(w.Mobs.Find(3000)->Triggers.Count(), 1);
  SaveResult r = SaveZoneKind(w, 30, kZone);
  EXPECT_TRUE(r.ok);
  // The mobile file was written as well, so the trigger survives a reload.
  EXPECT_NE(std::find(r.written.begin(), r.written.end(), d / "MOB" / "30.mob"), r.written.end());
  World again(rep);
  LoadWorld(again, d.path());
  EXPECT_EQ(again.Mobs.Find(3000)->Triggers.Count(), 1);
  EXPECT_EQ(again.Mobs.Find(3000)->Triggers.Get(0), 3005);
}

}  // namespace
}  // namespace zm
