#include "model/objs.h"

#include <gtest/gtest.h>

#include <deque>
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

std::string Join(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\n";
  return s;
}

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

const std::string kHeader = "* Korvask object file v1.0\n";

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  bool ok = false;
  explicit Loaded(const std::string& bytes) {
    ok = LoadRecordBytes(w, kObject, bytes, "OBJ/1.obj");
  }
  std::string Saved(int32_t zone = 1) const {
    std::vector<std::string> lines;
    EXPECT_EQ(BuildRecordLines(w, kObject, zone, lines), std::nullopt);
    return Join(lines);
  }
};

TObj RichObject(int32_t vnum) {
  TObj o(ZoneOf(vnum), vnum);
  o.Aliases = W("меч булатный");
  o.Names = {W("булатный меч"), W("булатного меча"), W("булатному мечу"),
             W("булатный меч"), W("булатным мечом"), W("булатном мече")};
  o.Description = W("Булатный меч лежит здесь.");
  o.ActionDescription = W("Вы взмахнули мечом.\r\nЁлки зелёные!");
  o.SkillOrMagicFlags = {141, ""};
  o.MaxDurability = 100;
  o.Durability = 80;
  o.Material = 2;
  o.Gender = 1;
  o.Timer = 1440;
  o.SpellLevel = 1;
  o.NoSpellNumber = -1;
  o.Affects = "b0";
  o.NoUse = "a1c1";
  o.ObjType = 5;
  o.WearFlags = "a0n0";
  o.Value0 = "5";
  o.Value1 = 3;
  o.Value2 = 8;
  o.Value3 = 11;
  o.Weight = 12;
  o.Price = 500;
  o.Rent = 50;
  o.RentWorn = 25;
  o.ExtraDescs.Add({W("меч"), W("Острый меч.\r\nОчень.\r\n")});
  o.ExtraDescs.Add({W("клеймо"), W("Клеймо мастера")});
  o.Applies.Add(PackApply(1, -3));
  o.Applies.Add(PackApply(65535, -32768));
  o.Triggers.Add(vnum + 50);
  o.UnknownLines = {"M 100000", "S", "4 100"};
  return o;
}

// A record made in the editor and one with every field, as the file holds them.
const char* const kLayout =
    "* Korvask object file v1.0\n"
    "#1201\nмеч булатный~\nбулатный меч~\nбулатного меча~\nбулатному мечу~\nбулатный меч~\n"
    "булатным мечом~\nбулатном мече~\nБулатный меч лежит здесь.~\n"
    "Вы взмахнули мечом.\nЁлки зелёные!\n~\n"
    "141 100 80 2\n1 1440 -1 1\nb0 0 a1c1\n5 0 a0n0\n5 3 8 11\n12 500 50 25\n"
    "E\nмеч~\nОстрый меч.\nОчень.\n~\nE\nклеймо~\nКлеймо мастера~\n"
    "A\n1 -3\nA\n65535 -32768\nT 1251\nM 100000\nS\n4 100\n"
    "#1200\n~\n-~\n-~\n-~\n-~\n-~\n-~\n~\n~\n"
    "0 0 0 0\n0 0 0 0\n0 0 0\n0 0 0\n0 0 0 0\n0 0 0 0\n"
    "$\n$\n";

TEST(ObjFile, ReadsAndWritesTheLayout) {
  Loaded l(W(kLayout));
  ASSERT_TRUE(l.ok) << l.rep.loadErrors.at(0);
  ASSERT_EQ(l.w.Objs.Count(), 2);
  EXPECT_EQ(*l.w.Objs.Items(0), RichObject(1201));
  EXPECT_EQ(*l.w.Objs.Items(1), TObj(12, 1200));
  l.w.Objs.Append(std::make_unique<TObj>(13, 1300));  // another zone's
  EXPECT_EQ(l.Saved(12), W(kLayout));
}

// Each case: a record as read, and the record as written back.
struct Conversion {
  const char* what;
  ObjText in, out;
};

TEST(ObjFile, ConvertsOnReadAndWritesBack) {
  const Conversion cases[] = {
      {"spell -1 stays -1", {.n2 = "1 2 -1 3"}, {.n2 = "1 2 -1 3"}},
      {"spell 0 stays 0", {.n2 = "1 2 0 3"}, {.n2 = "1 2 0 3"}},
      {"spell 12", {.n2 = "1 2 12 3"}, {.n2 = "1 2 12 3"}},
      {"magic flags as a number",
       {.n1 = "5 0 0 0", .n4 = "25 0 0"},
       {.n1 = "a0c0 0 0 0", .n4 = "25 0 0"}},
      {"magic flags beyond the sixth bit",
       {.n1 = "64 0 0 0", .n4 = "25 0 0"},
       {.n1 = "g0 0 0 0", .n4 = "25 0 0"}},
      {"magic flags as text",
       {.n1 = "b0 0 0 0", .n4 = "25 0 0"},
       {.n1 = "b0 0 0 0", .n4 = "25 0 0"}},
      {"weapon skill", {.n1 = "141 0 0 0", .n4 = "5 0 0"}, {.n1 = "141 0 0 0", .n4 = "5 0 0"}},
      {"text skill of a weapon", {.n1 = "x0 0 0 0", .n4 = "5 0 0"}, {.n4 = "5 0 0"}},
      {"value0 as flags", {.n5 = "a0b0 0 0 0"}, {.n5 = "3 0 0 0"}},
      {"value0 negative", {.n5 = "-1 0 0 0"}, {.n5 = "-1 0 0 0"}},
      {"trailing blanks",
       {.n1 = "0 100 100 0 ", .n3 = "0 0 0 ", .n4 = "19 0 a0 "},
       {.n1 = "0 100 100 0", .n4 = "19 0 a0"}},
      {"tabs between numbers", {.n6 = "1\t2 \t3\t4"}, {.n6 = "1 2 3 4"}},
      {"action of two lines", {.action = "one\ntwo\n~"}, {.action = "one\ntwo\n~"}},
      {"action closed on its line", {.action = "one~"}, {.action = "one\n~"}},
      {"action ending in a tilde", {.action = "one~~"}, {.action = "one~~"}},
      {"description of two lines", {.descr = "one\ntwo~"}, {.descr = "one\ntwo~"}},
      {"blocks out of order",
       {.tail = "M 100\nT 5\nE\nk~\nd~\nA\n1 1\nS\n4 100\n"},
       {.tail = "M 100\nT 5\nE\nk~\nd~\nA\n1 1\nS\n4 100\n"}},
      {"unknown block between known ones",
       {.tail = "E\nk~\nd~\nM 1\nE\nl~\ne~\nA\n1 1\n"},
       {.tail = "E\nk~\nd~\nM 1\nE\nl~\ne~\nA\n1 1\n"}},
      {"blank lines between blocks", {.tail = "\nE\nk~\nd~\n \n"}, {.tail = "E\nk~\nd~\n"}},
  };
  for (const auto& c : cases) {
    Loaded l(c.in.Text() + "$\n");
    ASSERT_TRUE(l.ok) << c.what << ": " << l.rep.loadErrors.at(0);
    EXPECT_EQ(l.Saved(), kHeader + c.out.Text() + "$\n$\n") << c.what;
  }
}

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

TEST(ObjFile, FirstRecordClaimsTheFileEachRecordHangsInItsZone) {
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
  EXPECT_EQ(w.Zones.ByNumber(42), nullptr);  // only the first record's zone
  ASSERT_EQ(sink.entries.size(), 2u);
  EXPECT_EQ(sink.entries[0].group, std::make_pair(41, kObject));
  EXPECT_EQ(sink.entries[1].group, std::make_pair(42, kObject));
  EXPECT_EQ(sink.entries[1].caption, "[4201] n1");

  // A zone whose coding is already set keeps its file setting.
  TZone& set = w.ZoneOrBare(50);
  set.ObjFilename = {"x.obj", kCodingKoi, kBreakCRLF};
  ASSERT_TRUE(LoadRecordBytes(w, kObject, ObjText{.vnum = "5000"}.Text(), "OBJ/50.obj"));
  EXPECT_EQ(set.ObjFilename, (TFileSetting{"x.obj", kCodingKoi, kBreakCRLF}));
}

TEST(ObjFile, RoundTripInEveryCodingAndLineBreak) {
  const CodingWord words[] = {{kCodingWin, kBreakLF},
                              {kCodingWin, kBreakCRLF},
                              {kCodingKoi, kBreakLF},
                              {kCodingKoi, kBreakCRLF}};
  for (CodingWord cw : words) {
    test::TempDir dir;
    RecordingReporter rep;
    World w(rep);
    w.ZoneOrBare(12).ObjFilename = {dir / "12.obj", cw.Coding, cw.LineBreak};
    w.Objs.Append(std::make_unique<TObj>(RichObject(1201)));
    w.Objs.Append(std::make_unique<TObj>(RichObject(1200)));
    w.Objs.Items(1)->ObjType = 25;
    w.Objs.Items(1)->SkillOrMagicFlags = {0, "a0c0"};
    ASSERT_TRUE(SaveRecordFile(w, kObject, 12));
    const std::string first = test::ReadFile(dir / "12.obj");
    EXPECT_EQ(first.find("\r\n") != std::string::npos, cw.LineBreak == kBreakCRLF);

    RecordingReporter rep2;
    World again(rep2);
    ASSERT_TRUE(LoadRecordFile(again, kObject, dir / "12.obj"));
    EXPECT_EQ(again.Zones.ByNumber(12)->ObjFilename.Word(), cw);
    ASSERT_EQ(again.Objs.Count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(*again.Objs.Items(i), *w.Objs.Items(i));
    ASSERT_TRUE(SaveRecordFile(again, kObject, 12, dir / "again.obj"));
    EXPECT_EQ(test::ReadFile(dir / "again.obj"), first);
  }
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
