// The world files' readers and writers against the cases of tests/data/<kind>/
// (see tests/data/README.md): each case folder is a world that is loaded,
// compared with its expected.json and errors.txt, saved, and compared byte
// for byte with its saved.<ext> or with what it was. With
// ZEMLEMER_UPDATE_FIXTURES=1 the expectations are written from what the code
// does now instead; read them before committing them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <iterator>
#include <map>
#include <set>

#include "common/coding.h"
#include "common/dictionaries.h"
#include "core/testutil.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "json/recordjson.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct Case {
  std::string name;
  fs::path dir;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.dir.string();
}

std::vector<Case> CasesOf(const std::string& kind) {
  std::vector<Case> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fs::path(ZEMLEMER_TEST_DATA) / kind, ec))
    if (e.is_directory()) out.push_back({e.path().filename().string(), e.path()});
  std::sort(out.begin(), out.end(), [](const Case& a, const Case& b) { return a.name < b.name; });
  return out;
}

std::string TestName(const testing::TestParamInfo<Case>& info) {
  std::string n = info.param.name;
  for (char& c : n)
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  return n;
}

bool Updating() {
  const char* v = std::getenv("ZEMLEMER_UPDATE_FIXTURES");
  return v && std::string(v) == "1";
}

// Load errors and error boxes in the order they came, one UTF-8 line each,
// with the world folder left out of the paths.
class LineReporter : public Reporter {
 public:
  std::vector<std::string> lines;
  std::string folder = "\n";  // nothing to leave out until it is set
  void AddLoadError(const std::string& text) override { Add(text); }

 protected:
  void Error(int, const std::string& text) override { Add(text); }
  bool Confirm(int, const std::string& text) override {
    Add(text);
    return false;
  }
  int Choose(int, const std::string& text, const std::vector<std::string>&) override {
    Add(text);
    return 2;
  }

 private:
  void Add(const std::string& win) {
    std::string s = WinToUtf8(win);
    for (size_t p; (p = s.find(folder)) != std::string::npos;) s.erase(p, folder.size());
    for (size_t p; (p = s.find("\r\n")) != std::string::npos;) s.replace(p, 2, " ");
    lines.push_back(s);
  }
};

// The bundled dictionaries, as the CLI's dump uses them.
const Dictionaries* Bases() {
  static SilentReporter rep;
  static Dictionaries bases(fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Bases");
  static const bool registered = (RegisterDictionaries(bases, rep), true);
  return registered ? &bases : nullptr;
}

// The world files of a case: everything in its subfolders, by relative path.
std::vector<fs::path> WorldFiles(const fs::path& dir) {
  std::vector<fs::path> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file() && e.path().parent_path() != dir)
      out.push_back(fs::relative(e.path(), dir));
  std::sort(out.begin(), out.end());
  return out;
}

void CopyWorld(const fs::path& from, const fs::path& to) {
  for (const auto& f : WorldFiles(from)) WriteFile(to / f, ReadFile(from / f));
}

// Shows a file's bytes as UTF-8 with its line ends visible.
std::string Readable(std::string bytes, bool worldFile) {
  if (worldFile) {
    if (DetectCodingOf(bytes, true).Coding == kCodingKoi) KoiToWin(bytes);
    bytes = WinToUtf8(bytes);
  }
  std::string out;
  for (char c : bytes) out += c == '\r' ? std::string("\\r") : std::string(1, c);
  return out;
}

// The first differing line, with two lines of context either side.
std::string FirstDifference(const std::string& want, const std::string& got, bool worldFiles) {
  auto split = [&](const std::string& s) {
    std::vector<std::string> v;
    std::string r = Readable(s, worldFiles);
    for (size_t a = 0, b; a <= r.size(); a = b + 1) {
      b = r.find('\n', a);
      if (b == std::string::npos) b = r.size();
      v.push_back(r.substr(a, b - a));
    }
    return v;
  };
  auto w = split(want), g = split(got);
  size_t i = 0;
  while (i < w.size() && i < g.size() && w[i] == g[i]) ++i;
  std::string out = "first difference at line " + std::to_string(i + 1) + ":\n";
  for (size_t k = i >= 2 ? i - 2 : 0; k < i; ++k) out += "    " + w[k] + "\n";
  for (size_t k = i; k < i + 3; ++k) {
    bool same = k < w.size() && k < g.size() && w[k] == g[k];
    if (same) out += "    " + w[k] + "\n";
    if (!same && k < w.size()) out += "  - " + w[k] + "\n";
    if (!same && k < g.size()) out += "  + " + g[k] + "\n";
  }
  return out;
}

// The (zone, kind) that writes each file; a map file goes with its rooms.
std::map<fs::path, std::pair<int32_t, RecordKind>> Writers(const World& w) {
  std::map<fs::path, std::pair<int32_t, RecordKind>> out;
  for (const auto& z : w.Zones)
    for (int k = 0; k < kRecordKinds; ++k) {
      RecordKind kind = static_cast<RecordKind>(k);
      const TFileSetting* s = FileSettingOf(*z, kind);
      const auto writer = std::make_pair(z->Vnum, kind == kZoneMap ? kRoom : kind);
      if (!s->Path.empty()) out.emplace(s->Path, writer);
      for (const TFilePlace& other : s->Others) {
        out.emplace(other.Path, writer);
        if (kind == kRoom) out.emplace(RoomMapPath(other.Path), writer);
      }
    }
  return out;
}

// Saves every file of the world that a zone owns, in place; returns those
// no zone owns.
std::vector<fs::path> SaveAll(World& w, const fs::path& world, const std::vector<fs::path>& files) {
  auto writers = Writers(w);
  std::set<std::pair<RecordKind, int32_t>> jobs;
  std::vector<fs::path> unowned;
  for (const auto& f : files) {
    auto it = writers.find(world / f);
    if (it == writers.end())
      unowned.push_back(f);
    else
      jobs.insert({it->second.second, it->second.first});
  }
  for (auto [kind, zone] : jobs) {
    if (kind == kZone)
      EXPECT_TRUE(SaveZoneFile(w, *w.Zones.ByNumber(zone))) << zone;
    else
      EXPECT_TRUE(SaveRecordFile(w, kind, zone)) << zone << " " << int(kind);
  }
  return unowned;
}

// Where the bytes a save gives are kept when they differ from the file's:
// saved.<ext>, or saved.<name> when the case has more than one file of that
// extension ("saved.31.wld").
fs::path SavedName(const fs::path& f, const std::vector<fs::path>& files) {
  auto same = std::count_if(files.begin(), files.end(),
                            [&](const fs::path& o) { return o.extension() == f.extension(); });
  return "saved" + (same > 1 ? "." + f.filename().string() : f.extension().string());
}

bool AnySaved(const fs::path& dir, const std::vector<fs::path>& files) {
  return std::any_of(files.begin(), files.end(),
                     [&](const fs::path& f) { return fs::exists(dir / SavedName(f, files)); });
}

class Fixture : public testing::TestWithParam<Case> {};

TEST_P(Fixture, ReadsAndSavesAsExpected) {
  const fs::path& dir = GetParam().dir;
  const auto files = WorldFiles(dir);
  ASSERT_FALSE(files.empty()) << "no world files in " << dir;
  TempDir tmp;
  const fs::path world = tmp / "world";
  CopyWorld(dir, world);

  LineReporter rep;
  rep.folder = world.string() + "/";
  World w(rep, nullptr, Bases());
  LoadWorld(w, world);
  const std::string json = json::WorldJson(w).dump(1) + "\n";
  const auto loadErrors = rep.lines;
  const auto unowned = SaveAll(w, world, files);
  EXPECT_EQ(std::vector<std::string>(rep.lines.begin() + loadErrors.size(), rep.lines.end()),
            std::vector<std::string>{})
      << "the save reported errors";

  std::string errors;
  for (const auto& l : loadErrors) errors += l + "\n";
  if (Updating()) {
    WriteFile(dir / "expected.json", json);
    fs::remove(dir / "errors.txt");
    if (!errors.empty()) WriteFile(dir / "errors.txt", errors);
    for (const auto& f : files) {
      fs::remove(dir / SavedName(f, files));
      std::string saved = ReadFile(world / f);
      if (saved != ReadFile(dir / f)) WriteFile(dir / SavedName(f, files), saved);
    }
    GTEST_SKIP() << "expectations written to " << dir;
  }

  const std::string want = ReadFile(dir / "expected.json");
  EXPECT_TRUE(json == want) << "records differ from expected.json, "
                            << FirstDifference(want, json, false);
  EXPECT_EQ(errors, ReadFile(dir / "errors.txt"));
  // A file no zone took can only come from a failed load.
  if (!fs::exists(dir / "errors.txt")) {
    EXPECT_EQ(unowned, std::vector<fs::path>{});
  }

  for (const auto& f : files) {
    const fs::path savedAs = dir / SavedName(f, files);
    const bool own = fs::exists(savedAs);
    const std::string expected = ReadFile(own ? savedAs : dir / f);
    const std::string got = ReadFile(world / f);
    EXPECT_TRUE(got == expected) << "saved bytes differ from " << (own ? savedAs : dir / f) << ", "
                                 << FirstDifference(expected, got, true);
  }
  const auto after = WorldFiles(world);
  std::vector<fs::path> made;
  std::set_difference(after.begin(), after.end(), files.begin(), files.end(),
                      std::back_inserter(made));
  EXPECT_EQ(made, std::vector<fs::path>{}) << "the save made files the case does not have";
}

// Saved in each coding and line break, read back and saved again: the same
// records, the same bytes.
TEST_P(Fixture, SurvivesEveryCodingAndLineBreak) {
  const fs::path& dir = GetParam().dir;
  if (fs::exists(dir / "errors.txt")) GTEST_SKIP() << "loads with errors";
  const auto files = WorldFiles(dir);
  // Without a saved.* file the input is what a save gives, so expected.json
  // is what every coding must read back.
  std::string first = AnySaved(dir, files) ? "" : ReadFile(dir / "expected.json");
  for (CodingWord cw : {CodingWord{kCodingWin, kBreakLF}, CodingWord{kCodingWin, kBreakCRLF},
                        CodingWord{kCodingKoi, kBreakLF}, CodingWord{kCodingKoi, kBreakCRLF}}) {
    SCOPED_TRACE(testing::Message()
                 << "coding " << int(cw.Coding) << ", line break " << int(cw.LineBreak));
    TempDir tmp;
    const fs::path world = tmp / "world";
    CopyWorld(dir, world);
    LineReporter rep;
    {
      World w(rep, nullptr, Bases());
      LoadWorld(w, world);
      for (const auto& z : w.Zones)
        for (auto s : {&TZone::ZoneFilename, &TZone::RoomFilename, &TZone::ZoneMapFilename,
                       &TZone::ObjFilename, &TZone::MobFilename, &TZone::ShopFilename,
                       &TZone::TrigFilename}) {
          ((*z).*s).SetWord(cw);
          for (TFilePlace& other : ((*z).*s).Others) other.SetWord(cw);
        }
      SaveAll(w, world, files);
    }
    std::map<fs::path, std::string> once;
    for (const auto& f : files) {
      std::string bytes = once[f] = ReadFile(world / f);
      CodingWord got = DetectCodingOf(bytes, true);
      if (got.Coding != kCodingUnknown) {
        EXPECT_EQ(int(got.Coding), int(cw.Coding)) << f;
      }
      size_t lf = bytes.find('\n');
      if (cw.LineBreak == kBreakLF) {
        EXPECT_EQ(bytes.find('\r'), std::string::npos) << f;
      } else if (lf != std::string::npos) {
        EXPECT_TRUE(lf > 0 && bytes[lf - 1] == '\r') << f;
      }
    }
    World back(rep, nullptr, Bases());
    LoadWorld(back, world);
    std::string json = json::WorldJson(back).dump(1) + "\n";
    if (first.empty()) first = json;
    EXPECT_TRUE(json == first) << FirstDifference(first, json, false);
    SaveAll(back, world, files);
    for (const auto& f : files)
      EXPECT_TRUE(ReadFile(world / f) == once[f])
          << f << ": " << FirstDifference(once[f], ReadFile(world / f), true);
    EXPECT_EQ(rep.lines, std::vector<std::string>{});
  }
}

INSTANTIATE_TEST_SUITE_P(Room, Fixture, testing::ValuesIn(CasesOf("room")), TestName);
INSTANTIATE_TEST_SUITE_P(Obj, Fixture, testing::ValuesIn(CasesOf("obj")), TestName);
INSTANTIATE_TEST_SUITE_P(Mob, Fixture, testing::ValuesIn(CasesOf("mob")), TestName);
INSTANTIATE_TEST_SUITE_P(Shop, Fixture, testing::ValuesIn(CasesOf("shop")), TestName);
INSTANTIATE_TEST_SUITE_P(Trigger, Fixture, testing::ValuesIn(CasesOf("trigger")), TestName);
INSTANTIATE_TEST_SUITE_P(Zone, Fixture, testing::ValuesIn(CasesOf("zone")), TestName);

}  // namespace
}  // namespace zm
