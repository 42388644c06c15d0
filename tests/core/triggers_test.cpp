#include "model/triggers.h"

#include <gtest/gtest.h>

#include <map>

#include "common/coding.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {
namespace {

using test::ReadFile;
using test::RecordingReporter;
using test::TempDir;
using test::WriteFile;

// Scripts closed by a "~" at the end of their last line, by a lone "~",
// empty, and ending with an empty line; event letters of the older form.
std::string TrigFile() {
  return test::TestData("trigger/every-field/TRG/40.trg");
}

struct TrigWorld {
  TempDir dir;
  RecordingReporter rep;
  test::FakeTree sink;
  World w{rep, &sink};

  TrigWorld() { sink.groups = {{40, kTrigger}, {41, kTrigger}}; }
  bool Load(const std::string& bytes, const std::string& name = "40.trg") {
    WriteFile(dir / name, bytes);
    return LoadRecordFile(w, kTrigger, dir / name);
  }
};

TEST(TriggerFile, TypeTokens) {
  struct Case {
    const char* token;
    const char* stored;
  } cases[] = {{"0", ""},  {"bd", "b0d0"}, {"b1d0", "b1d0"}, {"c", "c0"},   {"c0", "c0"},
               {"5", "5"}, {"12", "12"},   {"аб", "а0б0"},   {"aB", "a0B0"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.token);
    RecordingReporter rep;
    World w(rep);
    ASSERT_TRUE(LoadRecordBytes(w, kTrigger,
                                W(std::string("#100\nx~\n0 ") + c.token + " 1\n~\n~\n"), "1.trg"));
    EXPECT_EQ(w.Triggers.Find(100)->TriggerTypes, W(c.stored));
    std::vector<std::string> lines;
    BuildRecordLines(w, kTrigger, 1, lines);
    EXPECT_EQ(lines[3], W(std::string("0 ") + (*c.stored ? c.stored : "0") + " 1"));
  }
}

TEST(TriggerFile, WritesEachTriggerOfTheZoneInListOrder) {
  RecordingReporter rep;
  World w(rep);
  for (int32_t v : {4105, 4001, 4100}) {
    auto g = std::make_unique<TTrigger>(ZoneOf(v), v);
    g->Name = "t" + IntText(v);
    w.Triggers.Append(std::move(g));
  }
  w.Triggers.Items(0)->Text = "a\nb\rc";
  std::vector<std::string> lines;
  EXPECT_EQ(BuildRecordLines(w, kTrigger, 41, lines), std::nullopt);
  EXPECT_EQ(lines, (std::vector<std::string>{"* Korvask trigger file v1.0", "#4105", "t4105~",
                                             "0 0 0", "~", "a", "b", "c", "~", "#4100", "t4100~",
                                             "0 0 0", "~", "~", "$", "$"}));
}

TEST(TriggerFile, AVnumReadAgainReplacesTheTriggerInPlace) {
  TrigWorld t;
  ASSERT_TRUE(t.Load(TrigFile()));
  ASSERT_TRUE(t.Load(W("#4001\nдругой~\n2 c 7\nаргумент~\nsay 1\n~\n#4100\nb~\n0 q 1\n~\n~\n"),
                     "more.trg"));
  ASSERT_EQ(t.w.Triggers.Count(), 5);
  EXPECT_EQ(t.w.Triggers.IndexOfVnum(4001), 1);
  const TTrigger& g = *t.w.Triggers.Find(4001);
  EXPECT_EQ(g.Name, W("другой"));
  EXPECT_EQ(g.TriggerClass, 2);
  EXPECT_EQ(g.TriggerTypes, "c0");
  EXPECT_EQ(g.NumArg, 7);
  EXPECT_EQ(g.Arg, W("аргумент"));
  EXPECT_EQ(g.Text, "say 1");
  // The node is renamed; a trigger of another zone hangs under its own zone.
  ASSERT_EQ(t.sink.entries.size(), 5u);
  EXPECT_EQ(t.sink.entries[1].caption, W("[4001] другой"));
  EXPECT_EQ(t.sink.entries[4].group, std::make_pair(41, kTrigger));
  EXPECT_EQ(t.sink.entries[3].group, std::make_pair(40, kTrigger));
  // The zone's file stays the one read first.
  EXPECT_EQ(t.w.Zones.ByNumber(40)->TrigFilename.Path, t.dir / "40.trg");
}

TEST(TriggerFile, BrokenFilesEndWithAnErrorLine) {
  const std::string full = TrigFile();
  for (size_t n = 0; n <= full.size(); ++n) {
    SCOPED_TRACE(n);
    RecordingReporter rep;
    World w(rep);
    bool ok = LoadRecordBytes(w, kTrigger, full.substr(0, n), "40.trg");
    EXPECT_EQ(ok, rep.loadErrors.empty());
    EXPECT_LE(w.Triggers.Count(), 4);
  }

  struct Case {
    const char* name;
    const char* text;
    int line, kept;
  } cases[] = {
      {"cut after the name", "#100\nn~\n#101\n", 3, 0},
      {"cut after the vnum", "#100\n", 1, 0},
      {"class not a number", "#100\nn~\nx q 1\n~\n~\n", 3, 0},
      {"class beyond a byte", "#100\nn~\n300 q 1\n~\n~\n", 3, 0},
      {"no numeric argument", "#100\nn~\n0 q\n~\n~\n", 3, 0},
      {"vnum not a number", "* x\n#100\nn~\n0 q 1\n~\n~\n#1o1\nm~\n", 7, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingReporter rep;
    World w(rep);
    EXPECT_FALSE(LoadRecordBytes(w, kTrigger, W(c.text), "TRG/1.trg"));
    EXPECT_EQ(rep.loadErrors, std::vector<std::string>{W("Не могу загрузить триггеры из файла "
                                                         "TRG/1.trg (Ошибка в строке ") +
                                                       IntText(c.line) + ")"});
    EXPECT_EQ(w.Triggers.Count(), c.kept);
  }

  RecordingReporter rep;
  World w(rep);
  EXPECT_FALSE(LoadRecordFile(w, kTrigger, "/nonexistent/1.trg"));
  EXPECT_EQ(rep.loadErrors.back(),
            W("Не могу загрузить триггеры из файла /nonexistent/1.trg (Не смог открыть файл: "
              "No such file or directory)"));
}

TEST(TriggerFile, TriggersThatCannotBeWrittenKeepTheOldFile) {
  struct Case {
    const char* name;
    void (*spoil)(TTrigger&);
  } cases[] = {
      {"name with a line break", [](TTrigger& g) { g.Name = "a\r\nb"; }},
      {"argument with a line break", [](TTrigger& g) { g.Arg = "a\nb"; }},
      {"script line ending in a tilde", [](TTrigger& g) { g.Text = "say a~ \r\nsay b"; }},
      {"types with a blank", [](TTrigger& g) { g.TriggerTypes = "a0 b0"; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TrigWorld t;
    ASSERT_TRUE(t.Load(TrigFile()));
    c.spoil(*t.w.Triggers.Find(4002));
    std::vector<std::string> lines;
    EXPECT_EQ(BuildRecordLines(t.w, kTrigger, 40, lines), 4002);
    EXPECT_TRUE(lines.empty());
    EXPECT_FALSE(SaveRecordFile(t.w, kTrigger, 40));
    ASSERT_EQ(t.rep.errors.size(), 1u);
    EXPECT_EQ(t.rep.errors[0].n, 11);
    EXPECT_NE(t.rep.errors[0].text.find(W(": ошибка в триггере 4002")), std::string::npos);
    EXPECT_EQ(ReadFile(t.dir / "40.trg"), TrigFile());
  }
}

// Real trigger files, when they are on this machine: a second save repeats
// the first byte for byte.
TEST(TriggerFile, RealFilesSettleAfterOneSave) {
  auto dir = test::RealWorld() / "bylins" / "trg";
  if (!std::filesystem::is_directory(dir)) GTEST_SKIP() << "no real world at " << dir;
  for (const auto& e : std::filesystem::directory_iterator(dir)) {
    if (e.path().extension() != ".trg") continue;
    SCOPED_TRACE(e.path().string());
    TempDir tmp;
    RecordingReporter rep;
    World w(rep), w2(rep);
    EXPECT_TRUE(LoadRecordFile(w, kTrigger, e.path()));
    int32_t zone = std::stoi(e.path().stem().string());
    ASSERT_TRUE(SaveRecordFile(w, kTrigger, zone, tmp / "a.trg"));
    ASSERT_TRUE(LoadRecordFile(w2, kTrigger, tmp / "a.trg"));
    ASSERT_EQ(w2.Triggers.Count(), w.Triggers.Count());
    for (int i = 0; i < w.Triggers.Count(); ++i)
      EXPECT_TRUE(*w2.Triggers.Items(i) == *w.Triggers.Items(i));
    ASSERT_TRUE(SaveRecordFile(w2, kTrigger, zone, tmp / "b.trg"));
    EXPECT_EQ(ReadFile(tmp / "b.trg"), ReadFile(tmp / "a.trg"));
    EXPECT_TRUE(rep.loadErrors.empty());
  }
}

}  // namespace
}  // namespace zm
