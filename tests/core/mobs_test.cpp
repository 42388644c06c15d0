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

struct Loaded {
  RecordingReporter rep;
  World w{rep};
  bool ok = false;
  explicit Loaded(const std::string& bytes) {
    ok = LoadRecordBytes(w, kMobile, bytes, "MOB/1.mob");
  }
};

// A spell counted 0 times has no line to be written as.
TEST(MobFile, SpellsCountedZeroTimesAreNotWritten) {
  const std::string file = test::TestData("mob/every-field/MOB/12.mob");
  RecordingReporter rep;
  World w(rep);
  ASSERT_TRUE(LoadRecordBytes(w, kMobile, file, "MOB/12.mob"));
  w.Mobs.Items(0)->Spells.Add(PackSpell(13, 0));
  std::vector<std::string> lines;
  ASSERT_EQ(BuildRecordLines(w, kMobile, 12, lines), std::nullopt);
  EXPECT_EQ(JoinLines(lines, {kCodingWin, kBreakCRLF}), file);
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
