#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <random>

#include "common/savelines.h"
#include "core/testutil.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {

// Readable failures: the room's texts in UTF-8.
void PrintTo(const TRoom& r, std::ostream* os) {
  *os << "#" << r.Vnum << " [" << WinToUtf8(r.Name) << "] [" << WinToUtf8(r.Description) << "] "
      << r.Flags << " " << r.Sector << " map " << r.MapX << "," << r.MapY << "," << r.MapZ;
}

namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// Fixtures are written in UTF-8 with LF; this makes Windows-1251 with CR LF.
std::string Crlf(const std::string& utf8) {
  std::string win = W(utf8), out;
  for (char c : win) {
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  bool ok = false;
};

void LoadBytes(Loaded& l, const TempDir& d, const std::string& bytes,
               const std::string& name = "30.wld") {
  WriteFile(d / name, bytes);
  l.ok = LoadRecordFile(l.w, kRoom, d / name);
}

// The bytes of the zone's room file as SaveZone writes them.
std::string SavedBytes(World& w, int32_t zone, CodingWord cw, const TempDir& d) {
  w.ZoneOrBare(zone).RoomFilename.SetWord(cw);
  fs::path p = d / ("out" + std::to_string(zone) + ".wld");
  EXPECT_TRUE(SaveRecordFile(w, kRoom, zone, p));
  return ReadFile(p);
}

TRoom* AddRoom(World& w, int32_t vnum, const std::string& name) {
  auto r = std::make_unique<TRoom>(ZoneOf(vnum), vnum);
  r->Name = W(name);
  return w.Rooms.Add(std::move(r));
}

// A later file of a zone that has its file already does not take its place.
TEST(RoomReader, ALaterFileKeepsTheZoneSetting) {
  TempDir d;
  Loaded l;
  LoadBytes(l, d, test::TestData("room/every-field/WLD/30.wld"));
  std::string koi = W("#3005\nКомната у реки~\n~\n30 0 0\nS\n");
  WinToKoi(koi);
  LoadBytes(l, d, koi, "30b.wld");
  EXPECT_EQ(l.w.Rooms.Find(3005)->Name, W("Комната у реки"));
  const TZone* z = l.w.Zones.ByNumber(30);
  EXPECT_EQ(z->RoomFilename.Path, d / "30.wld");
  EXPECT_EQ(z->RoomFilename.Word(), (CodingWord{kCodingWin, kBreakCRLF}));
}

TEST(RoomReader, FailuresReportTheLineAndKeepEarlierRooms) {
  const std::string good = "#3001\nПервая~\n~\n30 0 0\nS\n";
  struct Case {
    const char* name;
    std::string bytes;
    int line;          // in "Ошибка в строке %d"
    int rooms;         // rooms that stay
    std::string desc;  // of the last room kept
  };
  std::vector<Case> cases = {
      {"vnum not a number", good + "#30x2\n", 6, 1, ""},
      {"sector not a number", good + "#3002\nВторая~\n~\n30 0 x\nS\n", 9, 2, ""},
      {"exit numbers missing", good + "#3002\nИ~\n~\n30 0 0\nD0\n~\n~\n0 -1\nS\n", 13, 2, ""},
      {"trigger without a number", good + "#3002\nИ~\n~\n30 0 0\nS\nT\n", 11, 2, ""},
      {"ingredient without chance", good + "#3002\nИ~\n~\n30 0 0\nS\nI а,1\n", 11, 2, ""},
      // Cut off by the end of the file: the room stays once its name was read.
      {"end after the vnum", good + "#3002\n", 6, 1, ""},
      {"description never closed", good + "#3002\nВторая~\nтекст\nещё", 9, 2, "текст\r\nещё\r\n"},
      {"no S line", good + "#3002\nВторая~\nт~\n30 0 0\nD0\n~\n~\n0 -1 3001\n", 13, 2, "т"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir d;
    Loaded l;
    LoadBytes(l, d, W(c.bytes));
    EXPECT_FALSE(l.ok);
    ASSERT_EQ(l.rep.loadErrors.size(), 1u);
    EXPECT_EQ(l.rep.loadErrors[0], W("Не могу загрузить комнаты из файла ") +
                                       (d / "30.wld").string() + W(" (Ошибка в строке ") +
                                       std::to_string(c.line) + ")");
    ASSERT_EQ(l.w.Rooms.Count(), c.rooms);
    EXPECT_EQ(l.w.Rooms.Items(c.rooms - 1)->Description, W(c.desc));
  }

  RecordingReporter rep;
  World w(rep);
  EXPECT_FALSE(LoadRecordFile(w, kRoom, "/nonexistent/zemlemer/30.wld"));
  ASSERT_EQ(rep.loadErrors.size(), 1u);
  EXPECT_NE(rep.loadErrors[0].find(W("(Не смог открыть файл: No such file or directory)")),
            std::string::npos);
}

TEST(RoomReader, SameVnumAgainRefillsTheRoomButKeepsItsPlace) {
  TempDir d;
  test::FakeTree sink;
  sink.groups = {{30, kRoom}};
  RecordingReporter rep;
  World w(rep, &sink);
  WriteFile(d / "30.map", "3001 4 5 1\n");
  WriteFile(d / "30.wld", Crlf("#3001\nСтарая~\nстарое~\n30 a0 1\nD0\n~\n~\n0 -1 3002\nE\nк~\nт~\n"
                               "S\nT 1\nI а,1:1\n"));
  ASSERT_TRUE(LoadRecordFile(w, kRoom, d / "30.wld"));
  TRoom* r = w.Rooms.Find(3001);
  r->Objects.Add(TRoomObj{});
  r->Mobs.Add(TRoomMob{});
  r->RemovedObjects.Add(TCondID{0, 3});

  WriteFile(d / "31.wld", Crlf("#3001\nНовая~\nновое~\n30 0 2\nS\n"));
  ASSERT_TRUE(LoadRecordFile(w, kRoom, d / "31.wld"));
  ASSERT_EQ(w.Rooms.Count(), 1);
  TRoom expected(30, 3001);
  expected.Name = W("Новая");
  expected.Description = W("новое");
  expected.Sector = 2;
  expected.MapX = 4;
  expected.MapY = 5;
  expected.MapZ = 1;
  expected.FileIndex = 1;  // saved into the file it came from last
  EXPECT_EQ(*r, expected);
  // The earlier file's room is gone from memory: that file is noted.
  const FileNote* note = w.Files.Find(d / "31.wld");
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->Skipped, 1);
  ASSERT_EQ(sink.entries.size(), 1u);
  EXPECT_EQ(sink.entries[0].caption, W("[3001] Новая"));
}

TEST(RoomReader, NodesHangUnderTheGroupOfTheirOwnZone) {
  TempDir d;
  test::FakeTree sink;
  sink.groups = {{30, kRoom}, {40, kRoom}};
  RecordingReporter rep;
  World w(rep, &sink);
  WriteFile(d / "empty.wld", "");  // an empty file is no error
  EXPECT_TRUE(LoadRecordFile(w, kRoom, d / "empty.wld"));
  WriteFile(d / "30.wld", Crlf("#3001\nЗал~\n~\n30 0 0\nS\n#4001\nДвор~\n~\n40 0 0\nS\n"));
  WriteFile(d / "50.wld", Crlf("#5001\nСад~\n~\n50 0 0\nS\n"));
  ASSERT_TRUE(LoadRecordFile(w, kRoom, d / "30.wld"));
  ASSERT_TRUE(LoadRecordFile(w, kRoom, d / "50.wld"));
  ASSERT_EQ(sink.entries.size(), 2u);
  EXPECT_EQ(sink.entries[0].group, std::make_pair(30, kRoom));
  EXPECT_EQ(sink.entries[1].group, std::make_pair(40, kRoom));
  EXPECT_EQ(sink.entries[1].caption, W("[4001] Двор"));
  EXPECT_EQ(sink.entries[1].rec, w.Rooms.Find(4001));
  // Zone 50 has no group here: its rooms get no node.
  EXPECT_EQ(sink.Find(w.Rooms.Find(5001)), nullptr);
  ASSERT_NE(w.Zones.ByNumber(50), nullptr);
  ASSERT_NE(w.Zones.ByNumber(40), nullptr);
  EXPECT_EQ(w.Zones.ByNumber(40)->RoomFilename.Path, d / "30.wld");
}

TEST(RoomWriter, TextsThatWouldBreakTheFileAreRefused) {
  struct Case {
    const char* name;
    std::function<void(TRoom&)> spoil;
  };
  std::vector<Case> cases = {
      {"line break in the name", [](TRoom& r) { r.Name = "a\r\nb"; }},
      {"tilde ending a description line", [](TRoom& r) { r.Description = "a~\r\nb"; }},
      {"blank in the flags", [](TRoom& r) { r.Flags = "a0 b0"; }},
      {"line break in exit keywords",
       [](TRoom& r) { r.Exits[0] = {"a\nb", "", 0, -1, 3002, 0, "", false}; }},
      {"tilde ending an extra description line",
       [](TRoom& r) {
         r.ExtraDescs.Add({"k", "x~\ny"});
       }},
      {"comma in an ingredient name",
       [](TRoom& r) {
         r.Ingredients.Add({1, 1, "a,b"});
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (int32_t vnum : {3005, 0}) {
      TempDir d;
      RecordingReporter rep;
      World w(rep);
      AddRoom(w, MakeVnum(1, ZoneOf(vnum)), "Хорошая");
      c.spoil(*AddRoom(w, vnum, "Плохая"));
      WriteFile(d / "x.wld", "old");
      EXPECT_FALSE(SaveRecordFile(w, kRoom, ZoneOf(vnum), d / "x.wld"));
      ASSERT_EQ(rep.errors.size(), 1u);
      EXPECT_EQ(rep.errors[0].n, 4);
      EXPECT_EQ(rep.errors[0].text, W("Не могу сохранить комнаты для зоны ") +
                                        std::to_string(ZoneOf(vnum)) + W("\r\nФайл ") +
                                        (d / "x.wld").string() + W(": ошибка в комнате ") +
                                        std::to_string(vnum));
      EXPECT_EQ(ReadFile(d / "x.wld"), "old");
    }
  }
  // The same texts where they do no harm: a tilde inside a line, an unused exit.
  RecordingReporter rep;
  World w(rep);
  TRoom* r = AddRoom(w, 3001, "a~b~");
  r->Description = "x~y\r\nz~";
  r->Exits[0] = {"a\nb", "", 0, -1, -1, 0, "", false};
  TempDir d;
  std::string bytes = SavedBytes(w, 30, {kCodingWin, kBreakCRLF}, d);
  Loaded l;
  LoadBytes(l, d, bytes);
  ASSERT_TRUE(l.ok);
  EXPECT_EQ(l.w.Rooms.Items(0)->Name, "a~b~");
  EXPECT_EQ(l.w.Rooms.Items(0)->Description, "x~y\r\nz~");
}

TEST(RoomWriter, WriteFailureIsReported) {
  TempDir d;
  RecordingReporter rep;
  World w(rep);
  AddRoom(w, 3001, "А");
  fs::create_directories(d / "x.wld.zemlemer-tmp");
  EXPECT_FALSE(SaveRecordFile(w, kRoom, 30, d / "x.wld"));
  // No path anywhere: zone 31 is not in the zone list.
  AddRoom(w, 3101, "Б");
  EXPECT_FALSE(SaveRecordFile(w, kRoom, 31));
  ASSERT_EQ(rep.errors.size(), 2u);
  EXPECT_EQ(rep.errors[0].n, 4);
  EXPECT_EQ(rep.errors[1].n, 4);
}

TEST(RoomDescription, SplitCases) {
  struct Case {
    std::string text;
    std::string general;
    std::map<int, std::string> variants;  // by table index
    std::vector<int> marks;
  };
  std::vector<Case> cases = {
      {"Лес.\r\n", "Лес.\r\n", {}, {}},
      {"Лес<day>Днём<day><night>RНочью<night>", "Лес", {{0, "Днём"}, {1, "Ночью"}}, {1}},
      // Out of table order: the night block ahead of the day block stays general text.
      {"Лес<night>Ночь<night><day>День<day>", "Лес<night>Ночь<night>", {{0, "День"}}, {}},
      // A Latin R at the start of a variant is its mark.
      {"<summerday>Rека<summerday>", "", {{6, "ека"}}, {6}},
      // Opening tag never closed: the rest belongs to the variant.
      {"Лес<autumnnight>Туман\r\nи тишина", "Лес", {{9, "Туман\r\nи тишина"}}, {}},
      // Text between and after the blocks joins the general text as lines.
      {"А<day>Д<day>Б<night>Н<night>В", "А\r\nБ\r\nВ", {{0, "Д"}, {1, "Н"}}, {}},
      {"<winternight>R<winternight>", "", {}, {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    DescriptionParts p = SplitDescription(W(c.text));
    EXPECT_EQ(p.General, W(c.general));
    for (int v = 0; v < kVariants; ++v) {
      auto it = c.variants.find(v);
      EXPECT_EQ(p.Variants[v], it == c.variants.end() ? "" : W(it->second)) << v;
      EXPECT_EQ(p.Marks[v], std::count(c.marks.begin(), c.marks.end(), v) > 0) << v;
    }
  }
  // Joining strips trailing line breaks and drops empty variants with their marks.
  DescriptionParts p;
  p.General = "G\r\n\r\n";
  p.Variants[1] = "N\r\n";
  p.Marks[1] = true;
  p.Variants[2] = "\r\n";
  p.Marks[2] = true;
  EXPECT_EQ(JoinDescription(p), "G<night>RN<night>");
}

TEST(RoomDescription, JoinedTextsSplitBackUnchanged) {
  const std::vector<std::string> pieces = {W("Лес"), " ", "\r\n", W("тёмный"), "R", ".",
                                           "<",      ">", "~",    "\r\n\r\n",  "x"};
  std::mt19937 rng(20240601);
  auto text = [&](bool canBeEmpty) {
    std::string s;
    int n = static_cast<int>(rng() % 6) + (canBeEmpty ? 0 : 1);
    for (int i = 0; i < n; ++i) s += pieces[rng() % pieces.size()];
    return s;
  };
  for (int round = 0; round < 2000; ++round) {
    DescriptionParts p;
    p.General = text(true);
    for (int v = 0; v < kVariants; ++v) {
      if (rng() % 3 == 0) continue;
      p.Variants[v] = text(false);
      p.Marks[v] = rng() % 2;
    }
    // What survives a join: stripped texts; a mark only with its text. An
    // unmarked text that begins with "R" cannot be told from a mark.
    DescriptionParts want;
    want.General = StripLineEnd(p.General);
    bool representable = true;
    for (int v = 0; v < kVariants; ++v) {
      want.Variants[v] = StripLineEnd(p.Variants[v]);
      want.Marks[v] = p.Marks[v] && !want.Variants[v].empty();
      if (!want.Variants[v].empty() && !p.Marks[v] && want.Variants[v][0] == 'R')
        representable = false;
    }
    if (!representable) continue;
    std::string joined = JoinDescription(p);
    DescriptionParts got = SplitDescription(joined);
    ASSERT_EQ(got.General, want.General) << joined;
    ASSERT_EQ(got.Variants, want.Variants) << joined;
    ASSERT_EQ(got.Marks, want.Marks) << joined;
    ASSERT_EQ(JoinDescription(got), joined);
  }
}

TEST(RoomList, ChoiceListAndCopy) {
  RecordingReporter rep;
  World w(rep);
  AddRoom(w, 3002, "Б");
  AddRoom(w, 3101, "В");
  AddRoom(w, 3001, "А");
  EXPECT_EQ(w.Rooms.FillChoiceList(30),
            (std::vector<std::string>{W("3002=[3002] Б"), W("3001=[3001] А"), W("-1=Не выбран")}));
  EXPECT_EQ(w.Rooms.FillChoiceList(0).size(), 4u);
  EXPECT_EQ(w.Rooms.FillChoiceList(99), (std::vector<std::string>{W("-1=Не выбран")}));

  TRoom* a = w.Rooms.Find(3001);
  a->Exits[kUp].ToRoom = 3002;
  a->Mobs.Add(TRoomMob{});
  a->Objects.Add(TRoomObj{});
  a->Objects.Items(0)->Contents.Add(TLinkObj{});
  a->MapZ = 2;
  TRoom copy(0, 0);
  copy = *a;
  EXPECT_EQ(copy, *a);
  EXPECT_NE(copy.Objects.Items(0), a->Objects.Items(0));  // deep copy
  copy.Objects.Items(0)->Contents.Items(0)->ID = 7;
  EXPECT_FALSE(copy == *a);
}

// The real files of a running game, when this machine has them.
TEST(RoomFile, RealWorldFilesLoadAndKeepTheirExits) {
  fs::path dir = test::RealWorld() / "bylins" / "wld";
  if (!fs::exists(dir)) GTEST_SKIP() << "no real world files at " << dir;
  for (const char* name : {"1.wld", "2.wld", "3.wld", "40.wld"}) {
    SCOPED_TRACE(name);
    RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordFile(w, kRoom, dir / name)) << rep.loadErrors[0];
    ASSERT_GT(w.Rooms.Count(), 0);
    int32_t zone = w.Rooms.Items(0)->Zone;
    EXPECT_EQ(w.Zones.ByNumber(zone)->RoomFilename.Coding, kCodingKoi);
    TempDir d;
    ASSERT_TRUE(SaveRecordFile(w, kRoom, zone, d / name));
    EXPECT_FALSE(fs::exists(RoomMapPath(d / name)));  // nothing placed, no map before
    RecordingReporter rep2;
    World back(rep2);
    ASSERT_TRUE(LoadRecordFile(back, kRoom, d / name));
    ASSERT_EQ(back.Rooms.Count(), w.Rooms.Count());
    for (int i = 0; i < w.Rooms.Count(); ++i) {
      // Exits to no room (-1) are not written; those to room 0 are.
      TRoom want = *w.Rooms.Items(i);
      for (auto& e : want.Exits)
        if (!ExitWritten(e)) e = TRoomExit{};
      EXPECT_EQ(*back.Rooms.Items(i), want);
    }
  }
}

}  // namespace
}  // namespace zm
