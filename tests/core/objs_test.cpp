#include "model/objs.h"

#include <gtest/gtest.h>

#include <sstream>

#include "common/savelines.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "model/world.h"

// Cases name only the lines they change.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace zm {
namespace {

using test::RecordingReporter;

// One object record; each field is one line of the file.
struct ObjText {
  std::string vnum = "100";
  std::string descr = "desc~";
  std::string action = "~";
  std::string n1 = "0 0 0 0", n2 = "0 0 0 0", n3 = "0 0 0", n4 = "1 0 0", n5 = "0 0 0 0",
              n6 = "0 0 0 0";
  std::string tail;
  std::string Text() const {
    return "#" + vnum + "\nalias~\nn1~\nn2~\nn3~\nn4~\nn5~\nn6~\n" + descr + "\n" + action + "\n" +
           n1 + "\n" + n2 + "\n" + n3 + "\n" + n4 + "\n" + n5 + "\n" + n6 + "\n" + tail;
  }
};

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  bool ok = false;
  explicit Loaded(const std::string& bytes) {
    ok = LoadRecordBytes(w, kObject, bytes, "OBJ/1.obj");
  }
};

// A file cut short or a bad number: the error names the line, and nothing
// hangs.
TEST(ObjFile, CutShortReportsTheLine) {
  const ObjText full{.tail = "E\nkey~\nline\n~\nA\n1 2\n"};
  const std::string text = full.Text();
  struct Cut {
    int lines;  // complete lines kept
    std::string extra;
    int errorLine;  // 0: loads
  };
  const Cut cuts[] = {
      {1, "", 1},   {5, "", 5},        {9, "", 9},          {10, "", 10},
      {15, "", 15}, {15, "0 0 0", 16}, {16, "", 0},         {17, "", 17},
      {18, "", 18}, {19, "", 19},      {21, "", 21},        {22, "", 0},
      {0, "#", 1},  {0, "#abc", 1},    {15, "1 2 x 4", 16}, {16, "junk\n#junk\n", 18}};
  for (const auto& c : cuts) {
    size_t end = 0;
    for (int i = 0; i < c.lines; ++i) end = text.find('\n', end) + 1;
    Loaded l(text.substr(0, end) + c.extra);
    if (c.errorLine == 0) {
      EXPECT_TRUE(l.ok) << c.lines;
      continue;
    }
    ASSERT_FALSE(l.ok) << c.lines;
    ASSERT_EQ(l.rep.loadErrors.size(), 1u);
    EXPECT_EQ(l.rep.loadErrors[0],
              W("Не могу загрузить объекты из файла OBJ/1.obj (Ошибка в строке ") +
                  std::to_string(c.errorLine) + ")")
        << c.lines;
  }
}

TEST(ObjFile, SecondRecordOfAVnumRefillsIt) {
  RecordingReporter rep;
  World w(rep);
  ASSERT_TRUE(LoadRecordBytes(w, kObject, ObjText{.tail = "E\nk~\nd~\nT 7\n"}.Text(), "a.obj"));
  w.Objs.Items(0)->MaxInWorld = 5;
  ASSERT_TRUE(
      LoadRecordBytes(w, kObject, ObjText{.descr = "new~", .n2 = "0 0 0 9"}.Text(), "b.obj"));
  ASSERT_EQ(w.Objs.Count(), 1);
  const TObj& o = *w.Objs.Items(0);
  EXPECT_EQ(o.Description, "new");
  EXPECT_EQ(o.SpellLevel, 9);
  EXPECT_EQ(o.MaxInWorld, 5);
  EXPECT_EQ(o.ExtraDescs.Count(), 0);
  EXPECT_EQ(o.Triggers.Count(), 0);
}

TEST(ObjFile, EachRecordsZoneClaimsTheFileAndHangsItInItsGroup) {
  RecordingReporter rep;
  test::FakeTree sink;
  sink.groups = {{41, kObject}, {42, kObject}};
  World w(rep, &sink);
  std::string text = ObjText{.vnum = "4100"}.Text() + ObjText{.vnum = "4201"}.Text();
  ASSERT_TRUE(LoadRecordBytes(w, kObject, "* comment\n" + text, "OBJ/41.obj"));
  const TZone* z = w.Zones.ByNumber(41);
  ASSERT_NE(z, nullptr);
  EXPECT_FALSE(z->Registered);
  EXPECT_EQ(z->ObjFilename.Path, "OBJ/41.obj");
  EXPECT_EQ(z->ObjFilename.LineBreak, kBreakLF);
  ASSERT_NE(w.Zones.ByNumber(42), nullptr);
  EXPECT_EQ(w.Zones.ByNumber(42)->ObjFilename.Path, "OBJ/41.obj");
  ASSERT_EQ(sink.entries.size(), 2u);
  EXPECT_EQ(sink.entries[0].group, std::make_pair(41, kObject));
  EXPECT_EQ(sink.entries[1].group, std::make_pair(42, kObject));
  EXPECT_EQ(sink.entries[1].caption, "[4201] n1");

  // A zone whose file is set and there keeps it, and the file read is one
  // more of its files; one whose file is not there takes the file read.
  test::TempDir d;
  test::WriteFile(d / "x.obj", "");
  TZone& set = w.ZoneOrBare(50);
  set.ObjFilename.Path = d / "x.obj";
  set.ObjFilename.SetWord({kCodingKoi, kBreakCRLF});
  ASSERT_TRUE(LoadRecordBytes(w, kObject, ObjText{.vnum = "5000"}.Text(), "OBJ/50.obj"));
  EXPECT_EQ(set.ObjFilename.Path, d / "x.obj");
  ASSERT_EQ(set.ObjFilename.Others.size(), 1u);
  EXPECT_EQ(set.ObjFilename.Others[0].Path, "OBJ/50.obj");
  EXPECT_EQ(w.Objs.Find(5000)->FileIndex, 1);
  TZone& moved = w.ZoneOrBare(51);
  moved.ObjFilename.Path = d / "missing.obj";
  moved.ObjFilename.SetWord({kCodingKoi, kBreakCRLF});
  ASSERT_TRUE(LoadRecordBytes(w, kObject, ObjText{.vnum = "5100"}.Text(), "OBJ/51.obj"));
  EXPECT_EQ(moved.ObjFilename.Path, "OBJ/51.obj");
  EXPECT_TRUE(moved.ObjFilename.Others.empty());
}

TEST(ObjFile, SaveFailuresAreReported) {
  RecordingReporter rep;
  World w(rep);
  w.Objs.Append(std::make_unique<TObj>(7, 700));
  EXPECT_FALSE(SaveRecordFile(w, kObject, 7));  // a bare zone has no file name
  EXPECT_FALSE(SaveRecordFile(w, kObject, 7, "/nonexistent-dir/sub/7.obj"));
  ASSERT_EQ(rep.errors.size(), 2u);
  EXPECT_EQ(rep.errors[1].n, 6);
}

// The real files of a running game: every record loads, every extra
// description survives, and a second save changes nothing.
TEST(ObjFile, RealWorldFilesSurviveASave) {
  const auto folder = test::RealWorld() / "bylins" / "obj";
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no real world files at " << folder;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".obj") continue;
    RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordFile(w, kObject, entry.path())) << rep.loadErrors.at(0);
    // Records, and the "E" lines that stand after a record's nine tilde lines.
    std::istringstream raw(test::ReadFile(entry.path()));
    size_t records = 0, extras = 0, tildes = 0;
    for (std::string line; std::getline(raw, line);) {
      if (line.starts_with('#')) ++records, tildes = 0;
      if (line.ends_with('~')) ++tildes;
      if (line == "E" && tildes >= 9) ++extras;
    }
    size_t readExtras = 0;
    for (const auto& o : w.Objs) readExtras += static_cast<size_t>(o->ExtraDescs.Count());
    EXPECT_EQ(static_cast<size_t>(w.Objs.Count()), records) << entry.path();
    EXPECT_EQ(readExtras, extras) << entry.path();

    int32_t zone = w.Objs.Items(0)->Zone;
    std::vector<std::string> lines;
    ASSERT_EQ(BuildRecordLines(w, kObject, zone, lines), std::nullopt);
    std::string once = JoinLines(lines, kDefaultCodingWord);
    World back(rep);
    ASSERT_TRUE(LoadRecordBytes(back, kObject, once, entry.path()));
    ASSERT_EQ(BuildRecordLines(back, kObject, zone, lines), std::nullopt);
    EXPECT_EQ(JoinLines(lines, kDefaultCodingWord), once) << entry.path();
  }
}

}  // namespace
}  // namespace zm
