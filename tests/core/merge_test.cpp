#include "edit/merge.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "common/savelines.h"
#include "core/testutil.h"
#include "io/recordfile.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

// A room file of zone 30 as the editor writes it: rooms 3000 to 3002, or
// what `edit` makes of them.
std::string Rooms(const std::function<void(World&)>& edit = {}) {
  SilentReporter rep;
  World w(rep);
  for (int32_t v : {3000, 3001, 3002}) {
    auto r = std::make_unique<TRoom>(30, v);
    r->Name = W("Комната ") + std::to_string(v);
    r->Description = "text";
    w.Rooms.Append(std::move(r));
  }
  if (edit) edit(w);
  std::vector<std::string> lines;
  BuildRecordLines(w, kRoom, 30, lines);
  return JoinLines(lines, {kCodingWin, kBreakCRLF});
}

std::function<void(World&)> Rename(int32_t vnum, const std::string& name) {
  return [=](World& w) { w.Rooms.Find(vnum)->Name = W(name.c_str()); };
}
std::function<void(World&)> Remove(int32_t vnum) {
  return [=](World& w) { w.Rooms.Extract(w.Rooms.IndexOfVnum(vnum)); };
}
std::function<void(World&)> Add(int32_t vnum, const std::string& name) {
  return [=](World& w) {
    auto r = std::make_unique<TRoom>(30, vnum);
    r->Name = W(name.c_str());
    w.Rooms.Append(std::move(r));
  };
}
std::function<void(World&)> Exit(int32_t vnum, int dir, int32_t to) {
  return [=](World& w) { w.Rooms.Find(vnum)->Exits[static_cast<size_t>(dir)].ToRoom = to; };
}

struct Case {
  const char* what;
  std::function<void(World&)> ours, theirs;
  std::vector<std::string> conflicts;    // "vnum field"
  std::map<int32_t, std::string> names;  // the result's rooms and names
};

TEST(Merge, RoomsByTheRules) {
  const Case cases[] = {
      {"additions on both sides, in vnum order",
       Add(3010, "Север"),
       Add(3005, "Юг"),
       {},
       {{3000, "Комната 3000"},
        {3001, "Комната 3001"},
        {3002, "Комната 3002"},
        {3005, "Юг"},
        {3010, "Север"}}},
      {"the same addition on both sides",
       Add(3005, "Юг"),
       Add(3005, "Юг"),
       {},
       {{3000, "Комната 3000"}, {3001, "Комната 3001"}, {3002, "Комната 3002"}, {3005, "Юг"}}},
      {"different additions of one vnum", Add(3005, "Юг"), Add(3005, "Запад"), {"3005 Name"}, {}},
      {"changed on one side",
       {},
       Rename(3001, "Храм"),
       {},
       {{3000, "Комната 3000"}, {3001, "Храм"}, {3002, "Комната 3002"}}},
      {"the same change on both",
       Rename(3001, "Храм"),
       Rename(3001, "Храм"),
       {},
       {{3000, "Комната 3000"}, {3001, "Храм"}, {3002, "Комната 3002"}}},
      {"one field both ways",
       Rename(3001, "Храм"),
       Rename(3001, "Склеп"),
       {"3001 Name"},
       {{3000, "Комната 3000"}, {3001, "Храм"}, {3002, "Комната 3002"}}},
      {"deleted, unchanged on the other side",
       Remove(3002),
       {},
       {},
       {{3000, "Комната 3000"}, {3001, "Комната 3001"}}},
      {"deleted on theirs, changed on ours",
       Rename(3002, "Подвал"),
       Remove(3002),
       {"3002 "},
       {{3000, "Комната 3000"}, {3001, "Комната 3001"}, {3002, "Подвал"}}},
      {"deleted on ours, changed on theirs",
       Remove(3002),
       Rename(3002, "Подвал"),
       {"3002 "},
       {{3000, "Комната 3000"}, {3001, "Комната 3001"}}},
      {"different exits of one room", Exit(3001, kNorth, 3000), Exit(3001, kSouth, 3002), {}, {}},
      {"one exit both ways",
       Exit(3001, kNorth, 3000),
       Exit(3001, kNorth, 3002),
       {"3001 Exits[0]"},
       {}},
  };
  const std::string base = Rooms();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    MergeResult r = MergeWorldFile(kRoom, base, Rooms(c.ours), Rooms(c.theirs));
    ASSERT_TRUE(r.Merged()) << WinToUtf8(r.Refusal);
    std::vector<std::string> conflicts;
    for (const MergeConflict& k : r.Conflicts)
      conflicts.push_back(std::to_string(k.Vnum) + " " + k.Field);
    EXPECT_EQ(conflicts, c.conflicts);
    SilentReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordBytes(w, kRoom, r.Bytes, "merged.wld"));
    if (c.names.empty()) continue;
    std::map<int32_t, std::string> names;
    for (const auto& room : w.Rooms) names[room->Vnum] = WinToUtf8(room->Name);
    EXPECT_EQ(names, c.names);
    if (c.conflicts.empty() && c.names.size() == 5) EXPECT_EQ(w.Rooms.Items(3)->Vnum, 3005);
  }
}

TEST(Merge, ExitsOfOneRoomFromBothSides) {
  MergeResult r = MergeWorldFile(kRoom, Rooms(), Rooms(Exit(3001, kNorth, 3000)),
                                 Rooms(Exit(3001, kSouth, 3002)));
  ASSERT_TRUE(r.Merged());
  EXPECT_EQ(r.Bytes, Rooms([](World& w) {
              Exit(3001, kNorth, 3000)(w);
              Exit(3001, kSouth, 3002)(w);
            }));
}

TEST(Merge, RefusesWhatItCannotReadWithCertainty) {
  const std::string good = Rooms();
  std::string cut = good.substr(0, good.size() / 2);
  std::string twice = good;
  twice.insert(twice.find("#3001"),
               good.substr(good.find("#3000"), good.find("#3001") - good.find("#3000")));
  for (const std::string& bad : {cut, twice, std::string("#3000\r\nnonsense\r\n")}) {
    MergeResult r = MergeWorldFile(kRoom, good, bad, good);
    EXPECT_FALSE(r.Merged());
    EXPECT_TRUE(r.Bytes.empty());
    r = MergeWorldFile(kRoom, good, good, bad);
    EXPECT_FALSE(r.Merged());
  }
}

// Every file of the sample world merged with itself comes back byte for
// byte; a real-world file the writer would not give back is refused, never
// rewritten.
TEST(Merge, FilesMergedWithThemselves) {
  std::vector<fs::path> files;
  for (const auto& e : fs::recursive_directory_iterator(fs::path(ZEMLEMER_BIN_DIR) / "Zones"))
    if (KindOfWorldFile(e.path())) files.push_back(e.path());
  const size_t sample = files.size();
  ASSERT_GE(sample, 16u);
  const fs::path real = fs::path(ZEMLEMER_REALWORLD) / "bylins";
  if (fs::exists(real))
    for (const auto& e : fs::recursive_directory_iterator(real))
      if (KindOfWorldFile(e.path())) files.push_back(e.path());
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(files[i].string());
    const std::string bytes = test::ReadFile(files[i]);
    MergeResult r = MergeWorldFile(*KindOfWorldFile(files[i]), bytes, bytes, bytes);
    if (i < sample) ASSERT_TRUE(r.Merged()) << WinToUtf8(r.Refusal);
    if (r.Merged()) EXPECT_EQ(r.Bytes, bytes);
    EXPECT_TRUE(r.Conflicts.empty());
  }
}

TEST(Merge, KindByExtension) {
  EXPECT_EQ(KindOfWorldFile("WLD/30.WLD"), kRoom);
  EXPECT_EQ(KindOfWorldFile("a/b.Zon"), kZone);
  EXPECT_EQ(KindOfWorldFile("x.trg"), kTrigger);
  EXPECT_EQ(KindOfWorldFile("30.map"), std::nullopt);
  EXPECT_EQ(KindOfWorldFile("README"), std::nullopt);
}

}  // namespace
}  // namespace zm
