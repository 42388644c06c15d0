// Files changed on disk by someone else between the editor's read and its
// write: stamps, the question before saving, and a zone read again.
#include <gtest/gtest.h>

#include "common/winutf8.h"
#include "core/testutil.h"
#include "load/loadworld.h"
#include "load/reread.h"
#include "load/saving.h"
#include "model/world.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

// What a colleague's pull does: new bytes, and a time the editor's own
// clock tick cannot share.
void OtherParty(const fs::path& p, const std::string& bytes) {
  const auto was = fs::exists(p) ? fs::last_write_time(p) : fs::file_time_type::clock::now();
  test::WriteFile(p, bytes);
  fs::last_write_time(p, was + std::chrono::seconds(2));
}

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
  const size_t at = s.find(from);
  EXPECT_NE(at, std::string::npos) << WinToUtf8(from);
  if (at != std::string::npos) s.replace(at, from.size(), to);
  return s;
}

TEST(DiskChanges, StampsTellContentChangesFromTouches) {
  struct Case {
    const char* name;
    std::function<void(const fs::path&)> act;
    bool changed;
  };
  const Case cases[] = {
      {"untouched", [](const fs::path&) {}, false},
      {"touched",
       [](const fs::path& p) {
         fs::last_write_time(p, fs::last_write_time(p) + std::chrono::seconds(5));
       },
       false},
      {"same size, other bytes", [](const fs::path& p) { OtherParty(p, "#3001\nB~\n"); }, true},
      {"longer", [](const fs::path& p) { OtherParty(p, "#3001\nAB~\n"); }, true},
      {"removed", [](const fs::path& p) { fs::remove(p); }, true},
  };
  for (const Case& c : cases) {
    test::TempDir d;
    const fs::path p = d / "30.wld";
    test::WriteFile(p, "#3001\nA~\n");
    FileStamps stamps;
    stamps.Note(p, test::ReadFile(p));
    c.act(p);
    EXPECT_EQ(stamps.Changed(p), c.changed) << c.name;
    EXPECT_EQ(stamps.ChangedFiles().size(), c.changed ? 1u : 0u) << c.name;
  }
  test::TempDir d;
  FileStamps stamps;
  stamps.NoteAbsent(d / "30.map");
  EXPECT_FALSE(stamps.Changed(d / "30.map"));
  test::WriteFile(d / "30.map", "3001 0 0 0\n");
  EXPECT_TRUE(stamps.Changed(d / "30.map")) << "a file that appeared";
  EXPECT_FALSE(stamps.Changed(d / "unknown.wld")) << "nothing known";
}

// The sample world in a folder of its own, loaded.
struct Sample {
  test::TempDir dir;
  test::RecordingReporter rep;
  World w{rep};
  Sample() {
    fs::copy(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones", dir.path(),
             fs::copy_options::recursive);
    LoadWorld(w, dir.path());
  }
  fs::path operator/(const std::string& name) const { return dir / name; }
  // Every file of zone 30, by name.
  std::map<std::string, std::string> Zone30() const {
    std::map<std::string, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir.path()))
      if (e.path().stem() == "30") files[e.path().string()] = test::ReadFile(e.path());
    return files;
  }
};

TEST(DiskChanges, LoadStampsEveryFileAndOwnSavesKeepThemCurrent) {
  Sample s;
  EXPECT_TRUE(s.w.Stamps.ChangedFiles().empty());
  for (const char* f : {"ZON/30.zon", "WLD/30.wld", "WLD/30.map", "OBJ/30.obj", "MOB/30.mob",
                        "SHP/30.shp", "TRG/30.trg", "SHP/31.shp"})
    EXPECT_NE(s.w.Stamps.Find(s / f), nullptr) << f;
  EXPECT_FALSE(s.w.Stamps.Find(s / "SHP/31.shp")->Exists);
  s.w.Rooms.Find(3000)->Name = W("Ворота");
  ASSERT_TRUE(SaveWholeZone(s.w, 30).ok);
  EXPECT_TRUE(s.rep.choices.empty());
  EXPECT_TRUE(s.w.Stamps.ChangedFiles().empty()) << "the editor's own write";
  // A shop file of zone 31 someone else made is a change.
  OtherParty(s / "SHP/31.shp", "$~\n");
  EXPECT_EQ(ChangedTargets(s.w, 31, kShop), std::vector<fs::path>{s / "SHP/31.shp"});
}

TEST(DiskChanges, SavingAsksAndTheAnswerDecides) {
  struct Case {
    int answer;
    bool ok, written, reread;
  };
  for (const Case c :
       {Case{2, false, false, false}, Case{0, true, true, false}, Case{1, false, false, true}}) {
    Sample s;
    s.w.Rooms.Find(3001)->Name = W("Площадь");
    const std::string theirs =
        Replaced(test::ReadFile(s / "OBJ/30.obj"), W("#3000"), W("#3000\r\n* их правка"));
    OtherParty(s / "OBJ/30.obj", theirs);
    const auto before = s.Zone30();
    s.rep.choice = c.answer;
    const SaveResult r = SaveWholeZone(s.w, 30);
    ASSERT_EQ(s.rep.choices.size(), 1u) << c.answer;
    EXPECT_EQ(WinToUtf8(s.rep.choices[0].text),
              "Файл " + (s / "OBJ/30.obj").string() + " изменён на диске после загрузки.");
    EXPECT_EQ(r.ok, c.ok) << c.answer;
    EXPECT_EQ(r.reread, c.reread) << c.answer;
    EXPECT_TRUE(s.rep.errors.empty());
    if (c.written) {
      EXPECT_NE(s.Zone30(), before);
      EXPECT_TRUE(s.w.Stamps.ChangedFiles().empty());
    } else {
      EXPECT_EQ(s.Zone30(), before) << "nothing of the zone written";
      EXPECT_EQ(r.changedOnDisk, std::vector<fs::path>{s / "OBJ/30.obj"});
    }
  }
}

TEST(DiskChanges, ZoneReadAgainTakesTheDisksRecords) {
  Sample s;
  const int rooms = s.w.Rooms.CountInZone(30), objs = s.w.Objs.CountInZone(30);
  s.w.Rooms.Find(3000)->Name = W("Моя правка");
  s.w.Rooms.Find(3000)->MapX = 7;
  const std::string name = s.w.Rooms.Find(3001)->Name;
  OtherParty(s / "WLD/30.wld",
             Replaced(test::ReadFile(s / "WLD/30.wld"), name, W("Площадь после пулла")));
  ZoneOnDisk disk = ReadZoneOnDisk(s.w, 30);
  ASSERT_EQ(disk.Refusal, "") << WinToUtf8(disk.Refusal);
  std::vector<std::unique_ptr<TMUDClass>> removed;
  ReplaceZone(s.w, disk, 30, {}, removed);
  EXPECT_EQ(removed.size(),
            static_cast<size_t>(rooms + objs + s.w.Mobs.CountInZone(30) +
                                s.w.Shops.CountInZone(30) + s.w.Triggers.CountInZone(30)));
  EXPECT_EQ(WinToUtf8(s.w.Rooms.Find(3001)->Name), "Площадь после пулла");
  EXPECT_EQ(WinToUtf8(s.w.Rooms.Find(3000)->Name), "Южные ворота Белограда");
  EXPECT_NE(s.w.Rooms.Find(3000)->MapX, 7) << "positions come from the map file";
  EXPECT_EQ(s.w.Rooms.CountInZone(30), rooms);
  EXPECT_EQ(s.w.Objs.CountInZone(30), objs);
  EXPECT_TRUE(s.w.Stamps.ChangedFiles().empty());
  // Memory now holds what the disk does: saving changes no byte.
  const auto before = s.Zone30();
  ASSERT_TRUE(SaveWholeZone(s.w, 30).ok);
  EXPECT_EQ(s.Zone30(), before);
}

TEST(DiskChanges, ZoneReadAgainIsRefusedWhenItCannotBeSure) {
  struct Case {
    const char* name;
    std::function<void(Sample&)> act;
    const char* refusal;
  };
  const Case cases[] = {
      {"a room of zone 31 in the file",
       [](Sample& s) {
         OtherParty(s / "WLD/30.wld",
                    Replaced(test::ReadFile(s / "WLD/30.wld"), "#3000\r\n", "#3199\r\n"));
       },
       "хранит и записи зоны 31"},
      {"a broken file",
       [](Sample& s) {
         std::string obj = test::ReadFile(s / "OBJ/30.obj");
         OtherParty(s / "OBJ/30.obj", obj.substr(0, obj.size() / 2));
       },
       "Не могу загрузить объекты"},
      {"another zone's number",
       [](Sample& s) {
         OtherParty(s / "ZON/30.zon",
                    Replaced(test::ReadFile(s / "ZON/30.zon"), "#30\r\n", "#33\r\n"));
       },
       "теперь описывает зону 33"},
      {"no zone file", [](Sample& s) { fs::remove(s / "ZON/30.zon"); }, "нет"},
  };
  for (const Case& c : cases) {
    Sample s;
    c.act(s);
    const ZoneOnDisk disk = ReadZoneOnDisk(s.w, 30);
    EXPECT_NE(WinToUtf8(disk.Refusal).find(c.refusal), std::string::npos)
        << c.name << ": " << WinToUtf8(disk.Refusal);
  }
}

}  // namespace
}  // namespace zm
