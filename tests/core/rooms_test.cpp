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

const char* kFullFile =
    "* Korvask room file v1.0\n"
    "#3001\n"
    "Таверна~\n"
    "Большой зал.\n"
    "Тепло.<day>Днём шумно.<day>~\n"
    "30 a0b1 1\n"
    "D0\n"
    "Дверь на север~\n"
    "дверь~\n"
    "1 3010 3002\n"
    "D3\n"
    "~\n"
    "~\n"
    "0 -1 3004 0\n"
    "E\n"
    "стол~\n"
    "Дубовый стол.\n"
    "~\n"
    "S\n"
    "T 3000\n"
    "T 3005\n"
    "I горная трава,5:70\n"
    "#3002\n"
    "Коридор~\n"
    "~\n"
    "30 0 0\n"
    "S\n"
    "$\n"
    "$\n";

TEST(RoomReader, ReadsEveryField) {
  TempDir d;
  Loaded l;
  LoadBytes(l, d, Crlf(kFullFile));
  ASSERT_TRUE(l.ok) << (l.rep.loadErrors.empty() ? "" : l.rep.loadErrors[0]);
  ASSERT_EQ(l.w.Rooms.Count(), 2);
  TRoom want(30, 3001);
  want.Name = W("Таверна");
  want.Description = W("Большой зал.\r\nТепло.<day>Днём шумно.<day>");
  want.Flags = "a0b1";
  want.Sector = 1;
  want.Exits[kNorth] = {W("дверь"), W("Дверь на север"), 1, 3010, 3002, 0, "", false};
  want.Exits[kWest] = {"", "", 0, -1, 3004, 0, "0", false};
  want.ExtraDescs.Add({W("стол"), W("Дубовый стол.\r\n")});
  want.Triggers.Add({0, 3000});
  want.Triggers.Add({0, 3005});
  want.Ingredients.Add({5, 70, W("горная трава")});
  EXPECT_EQ(*l.w.Rooms.Items(0), want);
  TRoom second(30, 3002);
  second.Name = W("Коридор");
  EXPECT_EQ(*l.w.Rooms.Items(1), second);

  // The zone learns the file's coding and the map file's path; no map file is no error.
  const TZone* z = l.w.Zones.ByNumber(30);
  ASSERT_NE(z, nullptr);
  EXPECT_FALSE(z->Registered);
  EXPECT_EQ(z->RoomFilename.Path, d / "30.wld");
  EXPECT_EQ(z->RoomFilename.Word(), (CodingWord{kCodingWin, kBreakCRLF}));
  EXPECT_EQ(z->ZoneMapFilename.Path, d / "30.map");
  EXPECT_EQ(z->ZoneMapFilename.Word(), (CodingWord{kCodingWin, kBreakCRLF}));
  EXPECT_TRUE(l.rep.loadErrors.empty());

  // A stored coding is not replaced by a later file of the same zone.
  std::string koi = W("#3005\nКомната у реки~\n~\n30 0 0\nS\n");
  WinToKoi(koi);
  LoadBytes(l, d, koi, "30b.wld");
  EXPECT_EQ(l.w.Rooms.Find(3005)->Name, W("Комната у реки"));
  EXPECT_EQ(z->RoomFilename.Path, d / "30.wld");
  EXPECT_EQ(z->RoomFilename.Coding, kCodingWin);
}

// Each case is one record after "#3001"; `check` looks at room 3001.
TEST(RoomReader, RecordEdgeCases) {
  struct Case {
    const char* name;
    std::string body;
    std::function<void(const TRoom&)> check;
  };
  std::vector<Case> cases = {
      {"tilde on the last text line", "Имя~\nпервая\nвторая~\n30 0 0\nS\n",
       [](const TRoom& r) { EXPECT_EQ(r.Description, W("первая\r\nвторая")); }},
      {"tilde alone keeps a final line break", "Имя~\nпервая\nвторая\n~\n30 0 0\nS\n",
       [](const TRoom& r) { EXPECT_EQ(r.Description, W("первая\r\nвторая\r\n")); }},
      {"empty lines after the vnum are skipped", "\n\nИмя~\n~\n30 0 0\nS\n",
       [](const TRoom& r) { EXPECT_EQ(r.Name, W("Имя")); }},
      {"blank lines inside a description stay", "Имя~\nа\n\nб~\n30 0 0\nS\n",
       [](const TRoom& r) { EXPECT_EQ(r.Description, W("а\r\n\r\nб")); }},
      {"multi-line exit description keeps its first line",
       "Имя~\n~\n30 0 0\nD1\nстрока один\nстрока два\nтри~\nкл~\n0 -1 3002\nS\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Exits[kEast].Description, W("строка один"));
         EXPECT_EQ(r.Exits[kEast].Keywords, W("кл"));
         EXPECT_EQ(r.Exits[kEast].ToRoom, 3002);
       }},
      {"second block for a direction replaces the first",
       "Имя~\n~\n30 0 0\nD2\n~\n~\n0 -1 3002\nD2\nюг~\n~\n0 -1 3003\nS\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Exits[kSouth].ToRoom, 3003);
         EXPECT_EQ(r.Exits[kSouth].Description, W("юг"));
       }},
      {"a D block after an E block is skipped",
       "Имя~\n~\n30 0 0\nE\nкл~\nтекст~\nD0\n~\n~\n0 -1 3002\nS\nT 7\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Exits[kNorth].ToRoom, -1);
         EXPECT_EQ(r.ExtraDescs.Count(), 1);
         EXPECT_EQ(r.Triggers.Count(), 1);
       }},
      {"direction outside 0 to 5 skips only that block",
       "Имя~\n~\n30 0 0\nD7\n~\n~\n0 -1 3009\nD\n~\n~\n0 -1 3008\nD12\n~\n~\n0 0 3007\n"
       "D4\n~\n~\n0 -1 3002\nS\n",
       [](const TRoom& r) {
         for (int d = 0; d < kDirections; ++d)
           EXPECT_EQ(r.Exits[d].ToRoom, d == kUp ? 3002 : -1) << d;
       }},
      {"anything before S is skipped",
       "Имя~\n~\n30 0 0\nмусор\nD0\n~\n~\n0 -1 3002\nS \nI соль,1:2\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Exits[kNorth].ToRoom, -1);
         EXPECT_EQ(r.Ingredients.Count(), 1);
       }},
      {"blanks around numbers; two blanks before the sector", "Имя~\n~\n30 d0h0D0  12 \nS\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Flags, "d0h0D0");
         EXPECT_EQ(r.Sector, 12);
       }},
      {"four numbers of an exit keep the fourth", "Имя~\n~\n30 0 0\nD5\n~\n~\n0 0 185 0\nS\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Exits[kDown].ToRoom, 185);
         EXPECT_EQ(r.Exits[kDown].ExitExtra, "0");
       }},
      {"ingredient with an empty name", "Имя~\n~\n30 0 0\nS\nI ,3:4\n",
       [](const TRoom& r) {
         EXPECT_EQ(*r.Ingredients.Items(0), (TIngr{3, 4, ""}));
       }},
      {"triggers before ingredients only", "Имя~\n~\n30 0 0\nS\nI а,1:1\nT 5\n",
       [](const TRoom& r) {
         EXPECT_EQ(r.Ingredients.Count(), 1);
         EXPECT_EQ(r.Triggers.Count(), 0);
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir d;
    Loaded l;
    LoadBytes(l, d, Crlf("#3001\n" + c.body + "#3002\nСледующая~\n~\n30 0 0\nS\n"));
    EXPECT_TRUE(l.ok) << (l.rep.loadErrors.empty() ? "" : l.rep.loadErrors[0]);
    ASSERT_EQ(l.w.Rooms.Count(), 2);
    c.check(*l.w.Rooms.Find(3001));
    EXPECT_EQ(l.w.Rooms.Find(3002)->Name, W("Следующая"));
  }
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
  EXPECT_NE(rep.loadErrors[0].find(W("(Не смог открыть файл)")), std::string::npos);
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
  EXPECT_EQ(*r, expected);
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
  EXPECT_EQ(w.Zones.ByNumber(40), nullptr);
}

TEST(RoomWriter, ExactLayout) {
  RecordingReporter rep;
  World w(rep);
  TRoom* bare = AddRoom(w, 3001, "Пустая");
  TRoom* full = AddRoom(w, 3002, "Полная");
  AddRoom(w, 3101, "Чужая зона");
  full->Description = W("Строка\r\nещё<day>R днём<day>");
  full->Flags = "a0b1";
  full->Sector = 3;
  full->Exits[kEast] = {W("ключи"), W("на восток"), 1, 3010, 3001, 0, "", false};
  full->Exits[kSouth] = {"", "", 0, -1, 185, 0, "0", false};
  full->Exits[kNorth] = {"kw", "desc", 1, 2, 0, 0, "", false};  // to room 0: kept
  full->Exits[kUp] = {"kw", "desc", 1, 2, -1, 0, "", false};    // no exit
  full->ExtraDescs.Add({W("стол"), W("Стол.\r\n")});
  full->Triggers.Add(TCondID{0, 3000});
  full->Ingredients.Add({5, 70, W("трава")});
  full->Objects.Add(TRoomObj{});  // the zone file's business, not this file's
  TempDir d;
  std::string got = SavedBytes(w, 30, {kCodingWin, kBreakLF}, d);
  EXPECT_EQ(got, W("* Korvask room file v1.0\n"
                   "#3001\n"
                   "Пустая~\n"
                   "~\n"
                   "30 0 0\n"
                   "S\n"
                   "#3002\n"
                   "Полная~\n"
                   "Строка\n"
                   "ещё<day>R днём<day>~\n"
                   "30 a0b1 3\n"
                   "D0\n"
                   "desc~\n"
                   "kw~\n"
                   "1 2 0\n"
                   "D1\n"
                   "на восток~\n"
                   "ключи~\n"
                   "1 3010 3001\n"
                   "D2\n"
                   "~\n"
                   "~\n"
                   "0 -1 185 0\n"
                   "E\n"
                   "стол~\n"
                   "Стол.\n"
                   "~\n"
                   "S\n"
                   "T 3000\n"
                   "I трава,5:70\n"
                   "$\n"
                   "$\n"));
  (void)bare;
  // Rooms are written in list order, not by vnum.
  std::vector<std::string> lines;
  AddRoom(w, 3000, "Последняя");
  ASSERT_EQ(BuildRecordLines(w, kRoom, 30, lines), std::nullopt);
  EXPECT_EQ(lines[lines.size() - 7], "#3000");
  EXPECT_TRUE(rep.errors.empty());
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

// A zone with every kind of field, saved, loaded and saved again.
TEST(RoomFile, RoundTripInEachCodingAndLineBreak) {
  auto build = [](World& w) {
    TRoom* a = AddRoom(w, 3001, "Ёлочный зал");
    a->Description =
        W("Первая строка\r\nвторая\r\n<night>RНочью темно<night><winterday>Снег<winterday>");
    a->Flags = "a0d1";
    a->Sector = 5;
    a->Exits[kNorth] = {W("дверь ворота"), W("Ворота"), 2, 3099, 3002, 0, "", false};
    a->Exits[kDown] = {"", "", 0, -1, 4001, 0, "0", false};
    a->ExtraDescs.Add({W("ёж"), W("Колючий.\r\nОчень.\r\n")});
    a->ExtraDescs.Add({"x", "y"});
    a->Triggers.Add(TCondID{0, 3001});
    a->Triggers.Add(TCondID{0, 3002});
    a->Ingredients.Add({-2, 100, W("мох")});
    a->MapX = 3;
    a->MapY = 0;
    a->MapZ = 1;
    TRoom* b = AddRoom(w, 3002, "Пусто");
    b->Description = W("Текст без перевода~");
    AddRoom(w, 3003, "");
  };
  for (CodingWord cw : {CodingWord{kCodingWin, kBreakLF}, CodingWord{kCodingWin, kBreakCRLF},
                        CodingWord{kCodingKoi, kBreakLF}, CodingWord{kCodingKoi, kBreakCRLF}}) {
    SCOPED_TRACE(std::to_string(cw.Coding) + "/" + std::to_string(cw.LineBreak));
    TempDir d;
    RecordingReporter rep;
    World w(rep);
    build(w);
    w.ZoneOrBare(30).ZoneMapFilename.LineBreak = cw.LineBreak;
    std::string first = SavedBytes(w, 30, cw, d);
    if (cw.LineBreak == kBreakLF) {
      EXPECT_EQ(first.find('\r'), std::string::npos);
    }
    std::string map = ReadFile(d / "out30.map");
    EXPECT_EQ(map, cw.LineBreak == kBreakLF ? "3001 3 0 1\n3002 -1 -1 -1\n3003 -1 -1 -1\n"
                                            : "3001 3 0 1\r\n3002 -1 -1 -1\r\n3003 -1 -1 -1\r\n");

    RecordingReporter rep2;
    World back(rep2);
    ASSERT_TRUE(LoadRecordFile(back, kRoom, d / "out30.wld"));
    EXPECT_EQ(back.Zones.ByNumber(30)->RoomFilename.Word(), cw);
    ASSERT_EQ(back.Rooms.Count(), w.Rooms.Count());
    for (int i = 0; i < w.Rooms.Count(); ++i)
      EXPECT_EQ(*back.Rooms.Items(i), *w.Rooms.Items(i)) << i;
    fs::path again = d / "again.wld";
    ASSERT_TRUE(SaveRecordFile(back, kRoom, 30, again));
    EXPECT_EQ(ReadFile(again), first);
    EXPECT_EQ(ReadFile(d / "again.map"), map);
  }
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
