// The journal of unsaved changes: what it holds must be what a save writes,
// and reading it back must give the edited world.
#include "load/journal.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/testutil.h"
#include "core/worldbuild.h"
#include "load/loadworld.h"
#include "load/saving.h"
#include "model/world.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

struct Edit {
  const char* name;
  std::function<void(World&)> apply;
  std::vector<std::pair<int32_t, RecordKind>> changed;
  // Change, kind and vnum of each record the manifest lists.
  std::vector<std::tuple<char, RecordKind, int32_t>> records;
  // A record of the edited world, read back from the journal.
  std::function<bool(const World&)> readBack;
};

std::vector<Edit> Edits() {
  return {
      {"a room renamed (Windows-1251, CR LF)",
       [](World& w) { w.Rooms.Find(3001)->Name = W("Площадь после бури"); },
       {{30, kRoom}},
       {{'~', kRoom, 3001}},
       [](const World& w) { return w.Rooms.Find(3001)->Name == W("Площадь после бури"); }},
      {"a room renamed (KOI8-R, LF)",
       [](World& w) { w.Rooms.Find(3101)->Name = W("Тропа у ёлки"); },
       {{31, kRoom}},
       {{'~', kRoom, 3101}},
       [](const World& w) { return w.Rooms.Find(3101)->Name == W("Тропа у ёлки"); }},
      {"an object removed, a mobile added",
       [](World& w) {
         w.Objs.Extract(w.Objs.IndexOf(w.Objs.Find(3002)));
         test::AddRecord<TMob>(w, 3090).Names[0] = W("новый страж");
       },
       {{30, kObject}, {30, kMobile}},
       {{'-', kObject, 3002}, {'+', kMobile, 3090}},
       [](const World& w) { return !w.Objs.Find(3002) && w.Mobs.Find(3090); }},
      {"the zone's reset time",
       [](World& w) { w.Zones.ByNumber(32)->ResetTime = 77; },
       {{32, kZone}},
       {{'~', kZone, 32}},
       [](const World& w) { return w.Zones.ByNumber(32)->ResetTime == 77; }},
  };
}

std::vector<std::tuple<char, RecordKind, int32_t>> Listed(const JournalManifest& m) {
  std::vector<std::tuple<char, RecordKind, int32_t>> out;
  for (const JournalZone& z : m.Zones)
    for (const JournalFile& f : z.Files)
      for (const JournalRecord& r : f.Records) out.emplace_back(r.Change, r.Kind, r.Vnum);
  return out;
}

TEST(Journal, HoldsWhatTheSaveWritesAndReadsBackAsTheEditedWorld) {
  for (const Edit& e : Edits()) {
    SCOPED_TRACE(e.name);
    test::TempDir tmp;
    const fs::path world = tmp / "world", dir = tmp / "journal";
    fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones", world, fs::copy_options::recursive);
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, world);
    e.apply(w);
    ASSERT_TRUE(WriteJournal(dir, w, e.changed));
    const std::optional<JournalManifest> m = ReadJournal(dir);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->World, world.string());
    EXPECT_TRUE(ChangedSince(*m, world).empty());
    EXPECT_EQ(Listed(*m), e.records);
    const auto copies = JournalCopies(dir, *m);

    // Read back before the save, with the journal's copies read instead.
    World back(rep);
    back.ReadInstead = copies;
    LoadWorld(back, world);
    EXPECT_TRUE(e.readBack(back));
    EXPECT_TRUE(rep.loadErrors.empty()) << WinToUtf8(rep.loadErrors.front());

    for (const auto& [zone, kind] : e.changed) ASSERT_TRUE(SaveZoneKind(w, zone, kind).ok);
    for (const auto& [rel, copy] : copies) {
      SCOPED_TRACE(rel);
      EXPECT_EQ(test::ReadFile(copy), test::ReadFile(world / rel));
    }
    EXPECT_FALSE(ChangedSince(*m, world).empty());
    // Nothing differs from the disk any more: no journal.
    ASSERT_TRUE(WriteJournal(dir, w, e.changed));
    EXPECT_FALSE(fs::exists(dir));
  }
}

// A game's files were never written by the editor: what its save alone
// changes in them (blanks, line order, layouts) is no changed record.
TEST(Journal, ListsOnlyTheEditedRecordOfAGamesFiles) {
  const fs::path source = test::RealWorld() / "bylins";
  if (!fs::exists(source / "wld" / "40.wld")) GTEST_SKIP() << "no real-world files";
  test::TempDir tmp;
  fs::copy(source, tmp / "world", fs::copy_options::recursive);
  test::RecordingReporter rep;
  World w(rep);
  LoadWorld(w, tmp / "world");
  w.Rooms.Find(4000)->Name += "!";
  ASSERT_TRUE(
      WriteJournal(tmp / "journal", w,
                   {{40, kRoom}, {40, kObject}, {40, kMobile}, {40, kShop}, {40, kTrigger}}));
  const std::optional<JournalManifest> m = ReadJournal(tmp / "journal");
  ASSERT_TRUE(m);
  EXPECT_EQ(Listed(*m), (std::vector<std::tuple<char, RecordKind, int32_t>>{{'~', kRoom, 4000}}));
}

TEST(Journal, AFailedWriteLeavesThePreviousJournalWhole) {
  test::TempDir tmp;
  const fs::path world = tmp / "world", dir = tmp / "journal";
  fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones", world, fs::copy_options::recursive);
  test::RecordingReporter rep;
  World w(rep);
  LoadWorld(w, world);
  w.Rooms.Find(3001)->Name = W("Первая правка");
  ASSERT_TRUE(WriteJournal(dir, w, {{30, kRoom}}));
  // The new manifest cannot be written (a folder stands in its way).
  fs::create_directory(dir / "manifest.txt.tmp");
  w.Rooms.Find(3001)->Name = W("Вторая правка");
  std::string error;
  EXPECT_FALSE(WriteJournal(dir, w, {{30, kRoom}}, &error));
  EXPECT_FALSE(error.empty());
  const std::optional<JournalManifest> m = ReadJournal(dir);
  ASSERT_TRUE(m);
  const auto copies = JournalCopies(dir, *m);
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_NE(test::ReadFile(copies.begin()->second).find(W("Первая правка")), std::string::npos);
}

TEST(Journal, ManifestKeepsItsEntriesAndLeavesOutWhatItCannotRead) {
  JournalManifest m;
  m.World = "/home/builder/world";
  m.Host = "builder-pc";
  m.Pid = 4242;
  m.Time = "2026-12-08 10:00:00";
  m.Copies = "copies-4242-3";
  m.Zones.push_back({30, W("Белоград"), {kZone, kRoom}, {}});
  m.Zones[0].Files.push_back(
      {"WLD/30.wld", kRoom, 1234, 99, {{'~', kRoom, 3001, W("Площадь\tс табом")}}});
  m.Zones[0].Files.push_back({"ZON/30.zon", kZone, -1, 0, {}});
  EXPECT_EQ(ReadManifestText(ManifestText(m)), m);

  const std::string text = ManifestText(m) +
                           "zone=x\t1\tbad number\n"
                           "zone=31\t9\tbad kind\n"
                           "record=?\t1\t3002\tbad change\n"
                           "file=1\tbig\t0\tWLD/bad.wld\n"
                           "no equals sign\n";
  EXPECT_EQ(ReadManifestText(text), m);
  EXPECT_FALSE(ReadManifestText("world=/x\n"));
  // Copies outside the journal folder or paths outside the world are not read.
  m.Zones[0].Files[0].Path = "../../etc/passwd";
  EXPECT_TRUE(JournalCopies("/tmp", m).empty());
}

TEST(Journal, SummaryListsZonesAndRecordsUpToItsLimit) {
  JournalManifest m;
  m.Zones.push_back({30, W("Белоград"), {kRoom}, {}});
  m.Zones[0].Files.push_back({"WLD/30.wld", kRoom, 0, 0, {}});
  for (int32_t v = 3000; v < 3010; ++v)
    m.Zones[0].Files[0].Records.push_back({'~', kRoom, v, W("Комната")});
  const std::string s = WinToUtf8(JournalSummary(m, 4));
  EXPECT_EQ(s,
            "Зона 30 Белоград:\r\n  изменено: комната 3000 \"Комната\"\r\n"
            "  изменено: комната 3001 \"Комната\"\r\n  изменено: комната 3002 \"Комната\"\r\n"
            "и ещё 7\r\n");
}

}  // namespace
}  // namespace zm
