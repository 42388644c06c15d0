// The files of a running game: what they carry beyond the editor's own
// layout is read, kept and written back where it stood, and a file that was
// not fully read is not overwritten without asking.
#include <gtest/gtest.h>

#include <map>

#include "common/coding.h"
#include "core/testutil.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::RecordingReporter;

// One zone of a running game, file by file, in the form the editor writes it
// back (so that a save must give these bytes again, after its header line).
const std::map<std::string, std::string> kZone30 = {
    {"zon/30.zon",
     "#30\n"
     "Лесная деревня~\n"
     "^Авторы: Сквиз,\n"
     "Один~\n"
     "#1 12 0\n"
     "3099 30 2 0 * \n"
     "O 0 3010 -1 -1 100\t(меч)\n"
     "M 0 3020 4 3000 1\t(стражник)\n"
     "G 1 3010 100000 -1 50\t(меч)\n"
     "E 1 3011 3 5 100\t(щит)\n"
     "V 0 2 3000 var 1\n"
     "* заметка строителя\n"
     "O 0 3010 10000 3001 100\t(меч)\n"
     "P 0 3011 2 3012 100\t(щит)\n"
     "D 0 3001 0 1 -1\t(Поляна)\n"
     "M 0 3021 1 3999 1\t(пёс)\n"
     "G 1 3010 5 -1 100\t(меч)\n"
     "S\n$\n$\n"},
    {"wld/30.wld",
     "#3000\nОколица~\nТихая околица.\n~\n30 0 1\n"
     "D0\n~\n~\n0 0 3001 0\n"
     "D3\nКалитка~\nкалитка~\n1 0 0\n"
     "S\n"
     "#3001\nПоляна~\nЛесная поляна.\n~\n30 a0 2\n"
     "D0\n~\nворота~\n1 -1 3000 0\n"
     "D1\n~\nдверь~\n1 -1 3000 0\n"
     "S\nT 3090\n$\n$\n"},
    {"obj/30.obj",
     "#3010\nмеч~\nмеч~\nмеча~\nмечу~\nмеч~\nмечом~\nмече~\nМеч лежит здесь.~\n~\n"
     "0 100 100 0\n1 1000 -1 1\n0 0 0\n5 0 a0n0\n0 3 8 11\n12 500 50 25\n"
     "M 100000\nE\nмеч~\nОстрый меч.\n~\nA\n1 2\n"
     "#3011\nщит~\nщит~\nщита~\nщиту~\nщит~\nщитом~\nщите~\nЩит лежит здесь.~\n~\n"
     "0 100 100 0\n1 1000 -1 1\n0 0 0\n9 0 a0\n0 0 0 0\n10 100 10 5\n"
     "T 3091\nA\n2 1\nE\nщит~\nКруглый щит.\n~\n"
     "$\n$\n"},
    {"mob/30.mob",
     "#3020\nстражник~\nстражник~\nстражника~\nстражнику~\nстражника~\nстражником~\n"
     "стражнике~\nСтражник стоит здесь.\n~\nВысокий стражник.\n\n~\n"
     "a0 0 300 E\n10 5 2 10d10+100 2d6+3\n0d0+0 100\n8 8 1\n"
     "Str: 18\nClass: 100\nRace: 110\nResistances: 0 0 0 0 0 0 0\nE\nT 3092\nL 1720 100 0 0\n"
     "#3021\nпёс~\nпёс~\nпса~\nпсу~\nпса~\nпсом~\nпсе~\nПёс лежит здесь.\n~\n~\n"
     "0 0 0 E\n1 20 10 1d6+6 1d2+0\n0d0+0 10\n8 8 1\nE\n"
     "$\n$\n"},
};

const char* HeaderOf(const std::string& file) {
  if (file.starts_with("zon")) return "* Korvask zone file v1.0";
  if (file.starts_with("wld")) return "* Korvask room file v1.0";
  if (file.starts_with("obj")) return "* Korvask object file v1.0";
  return "* Korvask mob file v1.0";
}

// The text in the coding and line break of `cw`.
std::string Encoded(const std::string& utf8, CodingWord cw) {
  std::string s = W(utf8);
  if (cw.Coding == kCodingKoi) WinToKoi(s);
  if (cw.LineBreak == kBreakLF) return s;
  std::string crlf;
  for (char c : s) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  explicit Loaded(const fs::path& dir) { LoadWorld(w, dir); }
};

constexpr CodingWord kBoth[] = {{kCodingWin, kBreakCRLF}, {kCodingKoi, kBreakLF}};

TEST(GameFiles, ReadsWhatTheEditorHasNoFieldsFor) {
  for (CodingWord cw : kBoth) {
    SCOPED_TRACE(int{cw.Coding});
    test::TempDir dir;
    for (const auto& [name, text] : kZone30) test::WriteFile(dir / name, Encoded(text, cw));
    Loaded l(dir.path());
    ASSERT_TRUE(l.rep.loadErrors.empty()) << l.rep.loadErrors[0];
    const World& w = l.w;
    const TZone& z = *w.Zones.ByNumber(30);
    EXPECT_EQ(z.HeaderLines,
              (std::vector<std::string>{W("^Авторы: Сквиз,"), W("Один~"), "#1 12 0"}));
    EXPECT_EQ(z.NumbersTail, " 0 * ");
    EXPECT_EQ(z.ResetTime, 30);
    EXPECT_EQ(z.ResetMode, 2);
    EXPECT_EQ(z.CommandsRead, 10);
    EXPECT_EQ(z.DroppedCommands, 0);

    // The chance of "G c v max -1 chance", and each line's own maximum where
    // it is not the prototype's (the last line's).
    const TRoomMob& guard = *w.Rooms.Find(3000)->Mobs.Items(0);
    const TLinkObj& sword = *guard.Inventory.Items(0);
    EXPECT_EQ(sword.Chance, 50);
    EXPECT_TRUE(sword.ChanceFifth);
    EXPECT_EQ(sword.OwnMax, 100000);
    EXPECT_EQ(w.Objs.Find(3010)->MaxInWorld, 10000);
    EXPECT_EQ(w.Rooms.Find(3001)->Objects.Items(0)->OwnMax, std::nullopt);
    EXPECT_EQ(z.CreatedObjects.Items(0)->OwnMax, -1);
    EXPECT_EQ(guard.OwnMax, std::nullopt);
    EXPECT_EQ(w.Rooms.Find(3001)->Objects.Items(0)->Contents.Items(0)->Container, 3012);
    // Lines without a field stay after the command before them.
    EXPECT_EQ(guard.KeptCommands, (TKeptLines{"V 0 2 3000 var 1", W("* заметка строителя")}));
    EXPECT_EQ(w.Rooms.Find(3001)->KeptCommands,
              (TKeptLines{W("M 0 3021 1 3999 1\t(пёс)"), W("G 1 3010 5 -1 100\t(меч)")}));

    // Exits: the fourth number, a door to room 0, doors without a D line.
    const TRoom& gate = *w.Rooms.Find(3000);
    EXPECT_EQ(gate.Exits[kNorth].ExitExtra, "0");
    EXPECT_EQ(gate.Exits[kWest].ToRoom, 0);
    EXPECT_EQ(gate.Exits[kWest].Keywords, W("калитка"));
    EXPECT_TRUE(gate.Exits[kWest].WithoutReset);
    EXPECT_FALSE(w.Rooms.Find(3001)->Exits[kNorth].WithoutReset);
    EXPECT_EQ(w.Rooms.Find(3001)->Exits[kNorth].DefaultState, 1);
    EXPECT_TRUE(w.Rooms.Find(3001)->Exits[kEast].WithoutReset);

    // Object blocks in the file's order, mobile lines the reader does not know.
    EXPECT_EQ(w.Objs.Find(3010)->BlockOrder, "UEA");
    EXPECT_EQ(w.Objs.Find(3011)->BlockOrder, "TAE");
    const TMob& m = *w.Mobs.Find(3020);
    EXPECT_EQ(m.UnknownLines,
              (std::vector<std::string>{"Race: 110", "Resistances: 0 0 0 0 0 0 0"}));
    EXPECT_EQ(m.LookDescription, W("Высокий стражник.\r\n\r\n"));
    EXPECT_NE(m.AbsentKeys & 1u, 0u);  // BareHandAttack
    EXPECT_EQ(m.Str, 18);
  }
}

TEST(GameFiles, ASaveGivesTheFilesBackAndTheSameRecords) {
  for (CodingWord cw : kBoth) {
    SCOPED_TRACE(int{cw.Coding});
    test::TempDir dir;
    for (const auto& [name, text] : kZone30) test::WriteFile(dir / name, Encoded(text, cw));
    Loaded before(dir.path());
    ASSERT_TRUE(SaveWholeZone(before.w, 30).ok);
    EXPECT_TRUE(before.rep.confirms.empty());
    for (const auto& [name, text] : kZone30)
      EXPECT_EQ(test::ReadFile(dir / name), Encoded(std::string(HeaderOf(name)) + "\n" + text, cw))
          << name;

    Loaded after(dir.path());
    ASSERT_TRUE(after.rep.loadErrors.empty());
    EXPECT_TRUE(*after.w.Zones.ByNumber(30) == *before.w.Zones.ByNumber(30));
    for (int32_t v : {3000, 3001}) EXPECT_TRUE(*after.w.Rooms.Find(v) == *before.w.Rooms.Find(v));
    for (int32_t v : {3010, 3011}) EXPECT_TRUE(*after.w.Objs.Find(v) == *before.w.Objs.Find(v));
    for (int32_t v : {3020, 3021}) EXPECT_TRUE(*after.w.Mobs.Find(v) == *before.w.Mobs.Find(v));
  }
}

// What the editor does to such a zone: new entries are written in its own
// layout, a prototype's maximum reaches the lines that had no own one, and a
// door whose state is set gets its D line.
TEST(GameFiles, EditsAfterLoadingFollowTheEditorsLayout) {
  test::TempDir dir;
  for (const auto& [name, text] : kZone30)
    test::WriteFile(dir / name, Encoded(text, {kCodingWin, kBreakLF}));
  Loaded l(dir.path());
  World& w = l.w;
  w.Objs.Find(3010)->MaxInWorld = 7;
  w.Rooms.Find(3000)->Exits[kWest].DefaultState = 2;
  TLinkObj shield;
  shield.ID = 3011;
  shield.Chance = 30;
  w.Rooms.Find(3000)->Mobs.Items(0)->Inventory.Add(shield);
  TObj& sword = *w.Objs.Find(3010);
  sword.ExtraDescs.Add({W("клеймо"), W("Клеймо.")});
  sword.Applies.Add(PackApply(3, 1));
  sword.Triggers.Add(3093);
  w.Mobs.Find(3020)->Int = 9;
  ASSERT_TRUE(SaveWholeZone(w, 30).ok);

  const std::string zon = test::ReadFile(dir / "zon/30.zon");
  EXPECT_NE(zon.find(W("E 1 3011 3 5 100\t(щит)\nG 0 3011 2 30 -1\t(щит)\nV 0 2 3000")),
            std::string::npos)
      << zon;
  EXPECT_NE(zon.find(W("O 0 3010 7 3001 100\t(меч)\n")), std::string::npos);
  EXPECT_NE(zon.find(W("O 0 3010 -1 -1 100\t(меч)\n")), std::string::npos);
  EXPECT_NE(zon.find(W("D 0 3000 3 2 -1\t(Околица)\n")), std::string::npos);
  EXPECT_EQ(zon.find("D 0 3001 1"), std::string::npos);
  const std::string obj = test::ReadFile(dir / "obj/30.obj");
  EXPECT_NE(obj.find(W("M 100000\nE\nмеч~\nОстрый меч.\n~\nE\nклеймо~\nКлеймо.~\nA\n1 2\nA\n3 1\n"
                       "T 3093\n#3011")),
            std::string::npos)
      << obj;
  EXPECT_NE(test::ReadFile(dir / "mob/30.mob").find("Str: 18\nInt: 9\nClass: 100\n"),
            std::string::npos);
}

// Files whose reading left something out, and a save of the kind that
// would overwrite them.
struct LossyCase {
  const char* name;
  std::map<std::string, std::string> files;  // over kZone30
  RecordKind kind;
  const char* asked;  // the file asked about, or null: no question
};

TEST(GameFiles, AFileReadWithErrorsIsOverwrittenOnlyWhenConfirmed) {
  const LossyCase cases[] = {
      {"clean files, no map file", {}, kRoom, nullptr},
      {"a line between rooms",
       {{"wld/30.wld", "#3000\nОколица~\n~\n30 0 1\nS\nчто-то\n#3001\nПоляна~\n~\n30 0 2\nS\n"}},
       kRoom,
       "wld/30.wld"},
      {"a block after the extra descriptions",
       {{"wld/30.wld", "#3000\nОколица~\n~\n30 0 1\nE\nк~\nт~\nD0\n~\n~\n0 -1 3001\nS\n"}},
       kRoom,
       "wld/30.wld"},
      {"a map file cut short", {{"wld/30.map", "3000 1 2 0\n3001 x\n"}}, kRoom, "wld/30.map"},
      {"an object file that failed", {{"obj/30.obj", "#3010\nмеч~\n"}}, kObject, "obj/30.obj"},
      {"a mobile of another zone in the file",
       {{"mob/30.mob",
         "#3120\nа~\nб~\nв~\nг~\nд~\nе~\nж~\n~\n~\n0 0 0 E\n1 2 3 1d1+1 1d1+1\n"
         "0d0+0 0\n8 8 1\nE\n$\n"}},
       kMobile,
       "mob/30.mob"},
      {"commands after an empty line",
       {{"zon/30.zon", "#30\nЛес~\n3099 10 2\nM 0 3020 1 3000 1\n\nM 0 3020 1 3001 1\nS\n$\n"}},
       kZone,
       "zon/30.zon"},
      {"a trigger file with a line between triggers",
       {{"trg/30.trg", "#3090\nа~\n0 g 100\n~\nsay hi\n~\nлишнее\n#3091\nб~\n0 g 100\n~\n~\n"}},
       kTrigger,
       "trg/30.trg"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    for (bool answer : {false, true}) {
      test::TempDir dir;
      std::map<std::string, std::string> files = kZone30;
      for (const auto& [name, text] : c.files) files[name] = text;
      for (const auto& [name, text] : files) test::WriteFile(dir / name, W(text));
      Loaded l(dir.path());
      l.rep.answer = answer;
      SaveResult r = SaveZoneKind(l.w, 30, c.kind);
      if (!c.asked) {
        EXPECT_TRUE(r.ok);
        EXPECT_TRUE(l.rep.confirms.empty());
        break;
      }
      const fs::path asked = dir / c.asked;
      ASSERT_EQ(l.rep.confirms.size(), 1u);
      EXPECT_EQ(l.rep.confirms[0].n, static_cast<int>(ConfirmMsg::LossySave));
      EXPECT_EQ(l.rep.confirms[0].text,
                FormatMessage(ConfirmText(ConfirmMsg::LossySave), {asked.string()}));
      EXPECT_EQ(r.ok, answer);
      EXPECT_EQ(r.refused, answer ? std::vector<fs::path>{} : std::vector<fs::path>{asked});
      EXPECT_EQ(test::ReadFile(asked) == W(files[c.asked]), !answer);
      EXPECT_TRUE(l.rep.errors.empty());
      // Once written, the file holds what memory holds: no more questions.
      if (answer) {
        EXPECT_TRUE(SaveZoneKind(l.w, 30, c.kind).ok);
        EXPECT_EQ(l.rep.confirms.size(), 1u);
      }
    }
  }
}

// The zone file's T lines live on in their owners' files, so a zone file is
// not written while an owner file waits for a confirmation it does not get.
TEST(GameFiles, AZoneFileWaitsForTheOwnersOfItsTriggers) {
  test::TempDir dir;
  std::map<std::string, std::string> files = kZone30;
  files["zon/30.zon"] = "#30\nЛес~\n3099 10 2\nM 0 3020 1 3000 1\nT 0 0 3095\nS\n$\n";
  // A mobile of zone 31 in the file: writing zone 30's mobiles would drop it.
  std::string& mobs = files["mob/30.mob"];
  mobs.insert(mobs.find("#3021"),
              "#3120\nа~\nб~\nв~\nг~\nд~\nе~\nж~\n~\n~\n0 0 0 E\n"
              "1 2 3 1d1+1 1d1+1\n0d0+0 0\n8 8 1\nE\n");
  for (const auto& [name, text] : files) test::WriteFile(dir / name, W(text));
  Loaded l(dir.path());
  EXPECT_EQ(l.w.Mobs.Find(3020)->Triggers.Count(), 2);
  SaveResult r = SaveZoneKind(l.w, 30, kZone);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.refused, std::vector<fs::path>{dir / "mob/30.mob"});
  EXPECT_EQ(test::ReadFile(dir / "zon/30.zon"), W(files["zon/30.zon"]));
}

// The real files of a running game, when they are on this machine: every
// record and every reset command line is read.
TEST(GameFiles, RealWorldLoadsWhole) {
  const fs::path world = test::RealWorld() / "bylins";
  if (!fs::is_directory(world)) GTEST_SKIP() << "no real world at " << world;
  Loaded l(world);
  EXPECT_TRUE(l.rep.loadErrors.empty()) << l.rep.loadErrors[0];
  auto files = DiscoverWorldFiles(world);
  auto records = [&](RecordKind k) {
    int n = 0;
    for (const auto& name : files[k].Names) {
      std::string bytes = test::ReadFile(files[k].Dir / name);
      for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '#' && (i == 0 || bytes[i - 1] == '\n')) ++n;
    }
    return n;
  };
  EXPECT_EQ(l.w.Rooms.Count(), records(kRoom));
  EXPECT_EQ(l.w.Objs.Count(), records(kObject));
  EXPECT_EQ(l.w.Mobs.Count(), records(kMobile));
  EXPECT_EQ(l.w.Shops.Count(), records(kShop));
  EXPECT_EQ(l.w.Triggers.Count(), records(kTrigger));
  for (const auto& z : l.w.Zones) {
    if (!z->Registered) continue;
    std::string bytes = test::ReadFile(z->ZoneFilename.Path);
    int commands = 0;
    bool section = false;
    size_t start = 0;
    while (start < bytes.size()) {
      size_t end = bytes.find('\n', start);
      if (end == std::string::npos) end = bytes.size();
      std::string line = Trim(std::string_view(bytes).substr(start, end - start));
      start = end + 1;
      if (line == "S") break;
      if (section && !line.empty() && line[0] >= 'A' && line[0] <= 'Z') ++commands;
      int32_t top;
      if (!section && ParseInt(NextWord(line, kBlanks), top) && top == z->Vnum * 100 + 99)
        section = true;
    }
    EXPECT_EQ(z->CommandsRead, commands) << z->Vnum;
    EXPECT_EQ(z->DroppedCommands, 0) << z->Vnum;
  }
  for (const auto& [path, note] : l.w.Files.All()) {
    EXPECT_FALSE(note.Failed) << path;
    EXPECT_EQ(note.Skipped, 0) << path;
    EXPECT_LE(note.Zones.size(), 1u) << path;
  }
}

}  // namespace
}  // namespace zm
