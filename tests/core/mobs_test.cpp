#include "model/mobs.h"

#include <gtest/gtest.h>

#include <map>
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

// The extended lines a mobile is always written with, values overridden by
// `values`; `paths` goes after BareHandAttack, `more` after Weight.
std::string Ext(std::map<std::string, std::string> values = {}, std::string paths = "",
                std::string more = "") {
  auto line = [&](const char* key) {
    auto it = values.find(key);
    return std::string(key) + ": " + (it == values.end() ? "0" : it->second) + "\n";
  };
  std::string s = line("BareHandAttack") + paths;
  for (const char* k : {"Str", "Int", "Wis", "Dex", "Con", "Cha", "LikeWork", "MaxFactor",
                        "ExtraAttack", "Class", "Size", "Height", "Weight"})
    s += line(k);
  return s + more;
}

// One mobile record; each field is one or more lines of the file.
struct MobText {
  std::string vnum = "100";
  std::string longd = "long\n~";
  std::string look = "look\n~";
  std::string flags = "0 0 0 E";
  std::string n1 = "1 2 3 1d2+3 4d5+6", n2 = "0d0+0 0", n3 = "8 8 1";
  std::string ext = Ext();
  std::string tail;
  std::string end = "E";
  std::string Text() const {
    return "#" + vnum + "\nalias~\nn1~\nn2~\nn3~\nn4~\nn5~\nn6~\n" + longd + "\n" + look + "\n" +
           flags + "\n" + n1 + "\n" + n2 + "\n" + n3 + "\n" + ext + end + "\n" + tail;
  }
};

const std::string kHeader = "* Korvask mob file v1.0\n";

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  bool ok = false;
  explicit Loaded(const std::string& bytes) {
    ok = LoadRecordBytes(w, kMobile, bytes, "MOB/1.mob");
  }
  std::string Saved(int32_t zone = 1) const {
    std::vector<std::string> lines;
    EXPECT_EQ(BuildRecordLines(w, kMobile, zone, lines), std::nullopt);
    return Join(lines);
  }
};

TMob RichMob(int32_t vnum) {
  TMob m(ZoneOf(vnum), vnum);
  m.Aliases = W("стражник городской");
  m.Names = {W("стражник"),  W("стражника"),  W("стражнику"),
             W("стражника"), W("стражником"), W("стражнике")};
  m.LongDescription = W("Городской стражник стоит тут.");
  m.LookDescription = W("Высокий и сильный.\r\nЁжик на шлеме.\r\n");
  m.Flags = "a0b0";
  m.Affects = "c1";
  m.Alignment = 300;
  m.Level = 20;
  m.Thac0 = -5;
  m.ArmorClass = 2;
  m.HitDice = {10, 10, 200};
  m.DamageDice = {2, 6, -1};
  m.GoldDice = {1, 100, 0};
  m.Experience = 20000;
  m.LoadPosition = 8;
  m.DefaultPosition = 8;
  m.Sex = 1;
  m.BareHandAttack = 3;
  m.Destinations = "1200/1201";
  m.Str = 18;
  m.Cha = 9;
  m.LikeWork = 1;
  m.MaxFactor = 2;
  m.ExtraAttack = 1;
  m.Class = 100;
  m.Size = 50;
  m.Height = 180;
  m.Weight = 90;
  m.SpecialFlags = "a0";
  m.Spells.Add(PackSpell(12, 2));
  m.Skills.Add(PackSkill(136, 90));
  m.Helpers.Add(vnum + 1);
  m.Ingredients.Add({3, 40, W("шерсть")});
  m.Triggers.Add(vnum + 50);
  m.UnknownLines = {"Race: 110"};
  m.UnknownTail = {"L 1720 100 0 0"};
  return m;
}

// A record made in the editor and one with every field, as the file holds them.
const char* const kLayout =
    "* Korvask mob file v1.0\n"
    "#1201\nстражник городской~\nстражник~\nстражника~\nстражнику~\nстражника~\n"
    "стражником~\nстражнике~\nГородской стражник стоит тут.\n~\n"
    "Высокий и сильный.\nЁжик на шлеме.\n~\n"
    "a0b0 c1 300 E\n20 -5 2 10d10+200 2d6+-1\n1d100+0 20000\n8 8 1\n"
    "BareHandAttack: 3\nDestination: 1200\nDestination: 1201\nStr: 18\nInt: 0\nWis: 0\n"
    "Dex: 0\nCon: 0\nCha: 9\nLikeWork: 1\nMaxFactor: 2\nExtraAttack: 1\nClass: 100\n"
    "Size: 50\nHeight: 180\nWeight: 90\nSpecial_Bitvector: a0\nSpell: 12\nSpell: 12\n"
    "Skill: 136 90\nHelper: 1202\nRace: 110\nE\nT 1251\nI шерсть,3:40\nL 1720 100 0 0\n"
    "#1200\n~\n-~\n-~\n-~\n-~\n-~\n-~\n~\n~\n0 0 0 E\n0 0 0 0d0+0 0d0+0\n0d0+0 0\n0 0 0\n"
    "BareHandAttack: 0\nStr: 0\nInt: 0\nWis: 0\nDex: 0\nCon: 0\nCha: 0\nLikeWork: 0\n"
    "MaxFactor: 0\nExtraAttack: 0\nClass: 0\nSize: 0\nHeight: 0\nWeight: 0\nE\n"
    "$\n$\n";

TEST(MobFile, ReadsAndWritesTheLayout) {
  Loaded l(W(kLayout));
  ASSERT_TRUE(l.ok) << l.rep.loadErrors.at(0);
  ASSERT_EQ(l.w.Mobs.Count(), 2);
  EXPECT_EQ(*l.w.Mobs.Items(0), RichMob(1201));
  EXPECT_EQ(*l.w.Mobs.Items(1), TMob(12, 1200));
  l.w.Mobs.Items(0)->Spells.Add(PackSpell(13, 0));    // a count of 0 is not written
  l.w.Mobs.Append(std::make_unique<TMob>(13, 1300));  // another zone's
  EXPECT_EQ(l.Saved(12), W(kLayout));
}

// Each case: a record as read, and the record as written back.
struct Conversion {
  const char* what;
  MobText in, out;
};

TEST(MobFile, ConvertsOnReadAndWritesBack) {
  const Conversion cases[] = {
      {"type letter S", {.flags = "a0 b0 -300 S"}, {.flags = "a0 b0 -300 E"}},
      {"spells counted",
       {.ext = Ext({}, "", "Spell: 12\nSpell: 5\nSpell: 12\nSpell: 12\n")},
       {.ext = Ext({}, "", "Spell: 12\nSpell: 12\nSpell: 12\nSpell: 5\n")}},
      {"destinations in order",
       {.ext = "Destination: 3002\nDestination: 3001\n" + Ext()},
       {.ext = Ext({}, "Destination: 3002\nDestination: 3001\n")}},
      {"long description of two lines", {.longd = "one\ntwo\n~"}, {.longd = "one\ntwo\n~"}},
      {"long description closed on its line", {.longd = "one~"}, {.longd = "one\n~"}},
      {"long description ending in a tilde", {.longd = "one~~"}, {.longd = "one~~"}},
      {"empty texts", {.longd = "~", .look = "~"}, {.longd = "~", .look = "~"}},
      {"look closed on its last line", {.look = "a\nb~"}, {.look = "a\nb\n~"}},
      {"look with empty lines", {.look = "a\n\nb\n~"}, {.look = "a\n\nb\n~"}},
      {"keys are case-sensitive", {.ext = "str: 5\n" + Ext()}, {.ext = Ext({}, "", "str: 5\n")}},
      {"unknown lines kept before E",
       {.ext = Ext({{"Class", "100"}}, "", "Race: 110\nFeat: 3\n")},
       {.ext = Ext({{"Class", "100"}}, "", "Race: 110\nFeat: 3\n")}},
      {"trailing blanks",
       {.n3 = "8 8 1 ", .ext = "Str: 18 \nSpecial_Bitvector: 0 \n", .end = "E "},
       {.ext = "Str: 18\nSpecial_Bitvector: 0\n"}},
      // The game's own defaults hold for keys a record does not name.
      {"absent keys stay absent",
       {.ext = "Size: 30\nRace: 110\n"},
       {.ext = "Size: 30\nRace: 110\n"}},
      {"absent keys with a value",
       {.ext = "Class: 0\nLikeWork: 7\n"},
       {.ext = "LikeWork: 7\nClass: 0\n"}},
      {"values beyond the game's widths",
       {.ext = Ext({{"Str", "300"}, {"ExtraAttack", "70000"}})},
       {.ext = Ext({{"Str", "300"}, {"ExtraAttack", "70000"}})}},
      {"triggers after ingredients",
       {.tail = "T 5\nI " + W("шерсть") + ":5\nT 6\nL 1720 100 0 0\n"},
       {.tail = "T 5\nT 6\nI " + W("шерсть") + ",0:5\nL 1720 100 0 0\n"}},
      {"ingredient without a name", {.tail = "I ,1:2\n"}, {.tail = "I ,1:2\n"}},
  };
  for (const auto& c : cases) {
    Loaded l(c.in.Text() + "$\n");
    ASSERT_TRUE(l.ok) << c.what << ": " << l.rep.loadErrors.at(0);
    EXPECT_EQ(l.Saved(), kHeader + c.out.Text() + "$\n$\n") << c.what;
  }
}

// A file cut short or a bad number: the error names the line, and nothing
// hangs.
TEST(MobFile, CutShortReportsTheLine) {
  const MobText full{.ext = "Str: 1\n"};
  const std::string text = full.Text();
  struct Cut {
    int lines;
    std::string extra;
    int errorLine;  // 0: loads
  };
  const Cut cuts[] = {{1, "", 1},
                      {9, "", 9},
                      {11, "", 11},
                      {12, "", 12},
                      {13, "1 2 3 1d2", 14},
                      {13, "1 2 3 3d8 1d1+1", 14},
                      {14, "", 14},
                      {16, "", 16},
                      {17, "", 17},
                      {18, "", 0},
                      {16, "Str: x", 17},
                      {0, "#", 1}};
  for (const auto& c : cuts) {
    size_t end = 0;
    for (int i = 0; i < c.lines; ++i) end = text.find('\n', end) + 1;
    Loaded l(text.substr(0, end) + c.extra);
    if (c.errorLine == 0) {
      EXPECT_TRUE(l.ok) << c.lines;
      continue;
    }
    ASSERT_FALSE(l.ok) << c.lines << c.extra;
    ASSERT_EQ(l.rep.loadErrors.size(), 1u);
    EXPECT_EQ(l.rep.loadErrors[0],
              W("Не могу загрузить мобов из файла MOB/1.mob (Ошибка в строке ") +
                  std::to_string(c.errorLine) + ")")
        << c.lines << c.extra;
    // The mobile being read stays, with what was read of it.
    EXPECT_EQ(l.w.Mobs.Count(), c.lines == 0 ? 0 : 1);
  }
}

TEST(MobFile, SecondRecordOfAVnumRefillsIt) {
  RecordingReporter rep;
  World w(rep);
  MobText first{.ext = "Str: 10\nSpecial_Bitvector: a0\nSpell: 3\nRace: 1\nDestination: 5\n",
                .tail = "T 5\nI a,1:2\n"};
  ASSERT_TRUE(LoadRecordBytes(w, kMobile, first.Text(), "a.mob"));
  w.Mobs.Items(0)->MaxInWorld = 4;
  ASSERT_TRUE(
      LoadRecordBytes(w, kMobile, MobText{.longd = "new\n~", .ext = "Dex: 5\n"}.Text(), "b.mob"));
  ASSERT_EQ(w.Mobs.Count(), 1);
  const TMob& m = *w.Mobs.Items(0);
  EXPECT_EQ(m.LongDescription, "new");
  EXPECT_EQ(std::make_tuple(m.Str, m.Dex, m.SpecialFlags),
            std::make_tuple(10, 5, std::string("a0")));
  EXPECT_EQ(m.MaxInWorld, 4);
  EXPECT_EQ(m.Spells.Count() + m.Triggers.Count() + m.Ingredients.Count(), 0);
  EXPECT_TRUE(m.Destinations.empty());
  EXPECT_TRUE(m.UnknownLines.empty());
}

TEST(MobFile, PrescanMakesABareZoneWithTheFileCoding) {
  RecordingReporter rep;
  World w(rep);
  std::string text = MobText{.vnum = "4100"}.Text();
  for (size_t p = 0; (p = text.find('\n', p)) != std::string::npos; p += 2) text.insert(p, "\r");
  ASSERT_TRUE(LoadRecordBytes(w, kMobile, text, "MOB/41.mob"));
  const TZone* z = w.Zones.ByNumber(41);
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(z->MobFilename, (TFileSetting{"MOB/41.mob", kCodingUnknown, kBreakCRLF}));
  EXPECT_EQ(w.Mobs.Items(0)->Zone, 41);
}

TEST(MobFile, RoundTripInEveryCodingAndLineBreak) {
  const CodingWord words[] = {{kCodingWin, kBreakLF},
                              {kCodingWin, kBreakCRLF},
                              {kCodingKoi, kBreakLF},
                              {kCodingKoi, kBreakCRLF}};
  for (CodingWord cw : words) {
    test::TempDir dir;
    RecordingReporter rep;
    World w(rep);
    w.ZoneOrBare(12).MobFilename = {dir / "12.mob", cw.Coding, cw.LineBreak};
    w.Mobs.Append(std::make_unique<TMob>(RichMob(1201)));
    w.Mobs.Append(std::make_unique<TMob>(RichMob(1200)));
    ASSERT_TRUE(SaveRecordFile(w, kMobile, 12));
    const std::string first = test::ReadFile(dir / "12.mob");

    RecordingReporter rep2;
    World again(rep2);
    ASSERT_TRUE(LoadRecordFile(again, kMobile, dir / "12.mob"));
    EXPECT_EQ(again.Zones.ByNumber(12)->MobFilename.Word(), cw);
    ASSERT_EQ(again.Mobs.Count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(*again.Mobs.Items(i), *w.Mobs.Items(i));
    ASSERT_TRUE(SaveRecordFile(again, kMobile, 12, dir / "again.mob"));
    EXPECT_EQ(test::ReadFile(dir / "again.mob"), first);
  }
}

TEST(MobFile, SaveFailuresAreReported) {
  RecordingReporter rep;
  World w(rep);
  w.Mobs.Append(std::make_unique<TMob>(7, 700));
  EXPECT_FALSE(SaveRecordFile(w, kMobile, 7));
  EXPECT_FALSE(SaveRecordFile(w, kMobile, 7, "/nonexistent-dir/sub/7.mob"));
  ASSERT_EQ(rep.errors.size(), 2u);
  EXPECT_EQ(rep.errors[1].n, 8);
}

// Real files: every trigger line and every spell line survives a save, and a
// second save changes nothing.
TEST(MobFile, RealWorldFilesSurviveASave) {
  const auto folder = test::RealWorld() / "bylins" / "mob";
  if (!std::filesystem::exists(folder)) GTEST_SKIP() << "no real world files at " << folder;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().extension() != ".mob") continue;
    RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordFile(w, kMobile, entry.path())) << rep.loadErrors.at(0);
    std::istringstream raw(test::ReadFile(entry.path()));
    size_t records = 0, triggers = 0, spells = 0;
    for (std::string line; std::getline(raw, line);) {
      records += line.starts_with('#');
      triggers += line.starts_with("T ");
      spells += line.starts_with("Spell:");
    }
    size_t readTriggers = 0, readSpells = 0;
    for (const auto& m : w.Mobs) {
      readTriggers += static_cast<size_t>(m->Triggers.Count());
      for (const auto& s : m->Spells) readSpells += static_cast<size_t>(SpellCount(s->Value));
    }
    EXPECT_EQ(static_cast<size_t>(w.Mobs.Count()), records) << entry.path();
    EXPECT_EQ(readTriggers, triggers) << entry.path();
    EXPECT_EQ(readSpells, spells) << entry.path();

    int32_t zone = w.Mobs.Items(0)->Zone;
    std::vector<std::string> lines;
    ASSERT_EQ(BuildRecordLines(w, kMobile, zone, lines), std::nullopt);
    std::string once = JoinLines(lines, kDefaultCodingWord);
    World back(rep);
    ASSERT_TRUE(LoadRecordBytes(back, kMobile, once, entry.path()));
    ASSERT_EQ(BuildRecordLines(back, kMobile, zone, lines), std::nullopt);
    EXPECT_EQ(JoinLines(lines, kDefaultCodingWord), once) << entry.path();
  }
}

}  // namespace
}  // namespace zm
