// A record the readers cannot see is noted against its file, so that a save
// asks before writing the file without it.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/worldbuffer.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "load/loadworld.h"
#include "load/saving.h"
#include "model/world.h"

namespace zm {
namespace {

TEST(ReadNotes, ARecordBehindAByteOrderMarkOrABlankIsNoted) {
  struct Kind {
    RecordKind kind;
    const char* record;  // one whole record of zone 50 after its "#" line
  } kinds[] = {
      {kRoom, "\nRoom~\n~\n50 0 0\nS\n"},
      {kMobile,
       "\nmob~\nmob~\nmob~\nmob~\nmob~\nmob~\nmob~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 "
       "1d1+1\n"
       "0d0+0 0\n8 8 1\nE\n"},
      {kTrigger, "\ntrig~\n0 g 100\n~\nsay hi\n~\n"},
  };
  for (const Kind& k : kinds) {
    for (const char* lead : {"\xEF\xBB\xBF#5000", " #5000"}) {
      SCOPED_TRACE(std::string(lead) + " " + std::to_string(k.kind));
      test::RecordingReporter rep;
      World w(rep);
      const std::string path = "50.file";
      LoadRecordBytes(w, k.kind, std::string(lead) + k.record + "$\n$\n", path);
      EXPECT_TRUE(w.Files.LossyFor(path, 50));
      // Without the lead the record is read and nothing is noted.
      World clean(rep);
      ASSERT_TRUE(LoadRecordBytes(clean, k.kind, std::string("#5000") + k.record + "$\n$\n", path));
      EXPECT_FALSE(clean.Files.LossyFor(path, 50));
    }
  }
}

// A value wider than the field it goes into is a read error at its line,
// never cut to the field's width (70000 would come back as 4464).
TEST(ReadNotes, ValuesWiderThanTheirFieldAreReadErrors) {
  const std::string room = "#5000\nRoom~\n~\n50 0 ";
  const std::string obj =
      "#5000\na~\na~\na~\na~\na~\na~\na~\nd~\n~\n0 0 0 0\n0 0 0 0\n0 0 0\n5 0 a0\n0 0 0 0\n"
      "1 1 1 1\nA\n";
  const std::string mob =
      "#5000\nm~\nm~\nm~\nm~\nm~\nm~\nm~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 1d1+1\n"
      "0d0+0 0\n8 8 1\n";
  struct Case {
    RecordKind kind;
    std::string text;
    int line;
  } cases[] = {
      {kRoom, room + "70000\nS\n", 4},
      {kRoom, room + "0\nD0\n~\n~\n300 -1 5001\nS\n", 8},
      {kRoom, room + "0\nS\nI grass,40000:5\n", 6},
      {kRoom, room + "0\nS\nI grass,5:70000\n", 6},
      {kObject, obj + "70000 2\n", 18},
      {kObject, obj + "1 40000\n", 18},
      {kObject, obj + "1 -2147483648\n", 18},
      {kMobile, mob + "Skill: 99999 70\nE\n", 17},
      {kMobile, mob + "Skill: 5 40000\nE\n", 17},
      {kMobile, mob + "Spell: 65537\nE\n", 17},
      {kMobile, mob + "E\nI grass,40000:5\n", 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    test::RecordingReporter rep;
    World w(rep);
    EXPECT_FALSE(LoadRecordBytes(w, c.kind, c.text + "$\n$\n", "50.file"));
    ASSERT_EQ(rep.loadErrors.size(), 1u);
    EXPECT_NE(rep.loadErrors[0].find(LineErrorText(c.line)), std::string::npos)
        << rep.loadErrors[0];
    EXPECT_TRUE(w.Files.LossyFor("50.file", 50));
  }
}

// Two records of one vnum in one file: the later replaces the earlier, so the
// file cannot be written back as it was.
TEST(ReadNotes, AVnumTwiceInOneFileIsNoted) {
  struct Case {
    RecordKind kind;
    const char* record;
  } cases[] = {
      {kRoom, "#5000\nRoom~\n~\n50 0 0\nS\n"},
      {kTrigger, "#5000\ntrig~\n0 g 100\n~\nsay hi\n~\n"},
  };
  for (const Case& c : cases) {
    test::RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordBytes(w, c.kind, std::string(c.record) + c.record + "$\n", "50.file"));
    const FileNote* note = w.Files.Find("50.file");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->Skipped, 1);
    EXPECT_GT(note->FirstLine, 1);
  }
}

// A second zone file of one zone number is not read: its commands would be
// saved into the first one's, again at every save.
TEST(ReadNotes, ASecondZoneFileOfOneNumberIsLeftAlone) {
  test::TempDir dir;
  const std::string zone = "#50\nForest~\n5099 10 2\nS\n$\n$\n";
  test::WriteFile(dir / "ZON/50.zon", zone);
  test::WriteFile(dir / "ZON/50b.zon", zone);
  test::RecordingReporter rep;
  World w(rep);
  EXPECT_EQ(LoadWorld(w, dir.path()), 1);
  ASSERT_EQ(rep.loadErrors.size(), 1u);
  EXPECT_NE(rep.loadErrors[0].find((dir / "ZON/50b.zon").string()), std::string::npos);
  EXPECT_EQ(w.Zones.Count(), 1);
  ASSERT_TRUE(SaveWholeZone(w, 50).ok);
  EXPECT_EQ(test::ReadFile(dir / "ZON/50b.zon"), zone);
}

// Values the writers used to change: each comes back as it was read (or as
// the documented form), or its file is noted.
TEST(ReadNotes, ValuesComeBackOrTheFileIsNoted) {
  const std::string obj =
      "#5000\na~\na~\na~\na~\na~\na~\na~\nd~\n~\n0 0 0 0\n0 0 0 0\n0 0 0\n5 0 a0\n";
  struct Case {
    RecordKind kind;
    std::string text;
    const char* saved;  // a line the saved file must have; null: the file is noted
  } cases[] = {
      {kObject, obj + "b0A0 0 0 0\n1 1 1 1\n", "67108866 0 0 0"},  // bits 1 and 26
      {kObject, obj + "a1 0 0 0\n1 1 1 1\n", "a1 0 0 0"},          // a flag of plane 1
      {kShop,
       "#5000 E~\n-1\n1.155\n0.8\n1\n-1\n-1\na~\nb~\nc~\nd~\ne~\nf~\ng~\n0\n0\n5000\n0\n-1\n"
       "0\n28\n0\n0\n",
       "1.155"},
      {kTrigger, "#5000\ntrig~\n0 g 100 extra\n~\nsay hi\n~\n", nullptr},
      // A name without its "~"; a second exit of one direction; a mark
      // after a shop's number that the writer does not write.
      {kRoom, "#5000\nRoom\n~\n50 0 0\nS\n", nullptr},
      {kObject,
       "#5000\na~\na\na~\na~\na~\na~\na~\nd~\n~\n0 0 0 0\n0 0 0 0\n0 0 0\n5 0 a0\n"
       "0 0 0 0\n1 1 1 1\n",
       nullptr},
      // Numbers after those a mobile's lines are read for.
      {kMobile,
       "#5000\nm~\nm~\nm~\nm~\nm~\nm~\nm~\nlong\n~\nlook\n~\n0 0 0 E 7\n1 20 10 1d1+1 1d1+1\n"
       "0d0+0 0\n8 8 1\nE\n",
       nullptr},
      {kMobile,
       "#5000\nm~\nm~\nm~\nm~\nm~\nm~\nm~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 1d1+1\n"
       "0d0+0 0\n8 8 1 5\nE\n",
       nullptr},
      {kRoom, "#5000\nRoom~\n~\n50 0 0\nD1\n~\n~\n0 -1 5001\nD1\n~\n~\n0 -1 5002\nS\n", nullptr},
      {kShop,
       "#5000 X~\n-1\n1\n0.8\n1\n-1\n-1\na~\nb~\nc~\nd~\ne~\nf~\ng~\n0\n0\n5000\n0\n-1\n"
       "0\n28\n0\n0\n",
       nullptr},
      // What stands after a zero byte in a line is not read.
      {kTrigger, std::string("#5000\ntrig~\n0 g 100\n~\nsay hi\0 there\n~\n", 38), nullptr},
      // A mobile without its "E" line: the next one is a mobile of its own.
      {kMobile,
       "#5000\nm~\nm~\nm~\nm~\nm~\nm~\nm~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 1d1+1\n"
       "0d0+0 0\n8 8 1\nRace: 1\n"
       "#5001\nm~\nm~\nm~\nm~\nm~\nm~\nm~\nlong\n~\nlook\n~\n0 0 0 E\n1 20 10 1d1+1 1d1+1\n"
       "0d0+0 0\n8 8 1\nE\n",
       nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    test::RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordBytes(w, c.kind, c.text + "$\n$\n", "50.file"));
    EXPECT_EQ(w.Files.LossyFor("50.file", 50), c.saved == nullptr);
    if (c.text.find("#5001") != std::string::npos) EXPECT_EQ(w.Mobs.Count(), 2);
    if (!c.saved) continue;
    std::vector<std::string> lines;
    ASSERT_EQ(BuildRecordLines(w, c.kind, 50, lines), std::nullopt);
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.saved), lines.end());
  }
}

}  // namespace
}  // namespace zm
