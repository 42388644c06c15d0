// save on files read with errors, and save --check.
#include <gtest/gtest.h>

#include "cli/clirun.h"
#include "cli/linecompare.h"
#include "common/coding.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

const std::string kMob =
    "#3000\nguard~\nguard~\nb~\nc~\nd~\ne~\nf~\nA guard.\n~\n~\n0 0 0 E\n"
    "1 2 3 1d1+1 1d1+1\n0d0+0 0\n8 8 1\nRace: 1\nE\n$\n";

// Zone 30 of a running game, KOI8-R with LF, and `rooms` as its room file.
void MakeWorld(const fs::path& dir, const std::string& rooms, const std::string& mob = kMob) {
  std::string zon =
      W("#30\nГород~\n^Автор: Ёж~\n#1 0 0\n3099 15 2 0 * \nM 0 3000 2 3001\t(guard)\n"
        "T 0 0 3050\nG 1 3010 100 -1 50\t(sword)\nO 0 3010 1 3002 -1\t(sword)\nS\n$\n");
  std::string wld = W(rooms);
  WinToKoi(zon);
  WinToKoi(wld);
  test::WriteFile(dir / "zon/30.zon", zon);
  test::WriteFile(dir / "wld/30.wld", wld);
  test::WriteFile(dir / "obj/30.obj",
                  "#3010\nsword~\nsword~\nsword~\nsword~\nsword~\nsword~\nsword~\nA sword.~\n~\n"
                  "0 0 0 0\n0 0 0 0\n0 0 0\n5 0 0\n0 0 0 0\n0 0 0 0\nM 100\n$\n");
  test::WriteFile(dir / "mob/30.mob", mob);
}

const std::string kRooms =
    "#3001\nУлица~\nШирокая улица.\n~\n30 0 1\nD1\n~\n~\n0 -1 3002 0\nS\n"
    "#3002\nПлощадь~\nБольшая площадь.\n~\n30 0 1\nS\n$\n$\n";

TEST(Cli, SaveLeavesAFileReadWithErrorsUnlessForced) {
  test::TempDir d;
  MakeWorld(d.path(), "#3001\nУлица~\nт~\n30 0 1\nS\nмусор\n#3002\nПлощадь~\nт~\n30 0 1\nS\n");
  const fs::path wld = d / "wld/30.wld";
  const std::string before = test::ReadFile(wld);
  auto [rc, out] = test::RunCli("save " + d.path().string() + " 2>&1");
  EXPECT_EQ(rc, 1);
  EXPECT_NE(out.find("zemlemer-cli: " + wld.string() + " not saved"), std::string::npos) << out;
  EXPECT_NE(out.find("--force"), std::string::npos);
  EXPECT_EQ(test::ReadFile(wld), before);
  // The other files of the zone are written.
  EXPECT_NE(out.find((d / "zon/30.zon").string() + "\n"), std::string::npos) << out;

  auto forced = test::RunCli("save " + d.path().string() + " --force 2>&1");
  EXPECT_EQ(forced.first, 0) << forced.second;
  EXPECT_NE(test::ReadFile(wld), before);
  EXPECT_EQ(test::ReadFile(wld).find(W("мусор")), std::string::npos);
}

TEST(Cli, SaveCheckListsFilesAndWhatWouldChange) {
  struct Case {
    const char* name;
    std::string rooms;
    int rc;
    std::vector<std::string> lines;  // expected in the output, in UTF-8
    std::string mob = kMob;
  };
  const Case cases[] = {
      {"nothing lost",
       kRooms,
       0,
       {// A header line, the M line's fifth number, the T line with the mobile, a second "$".
        "zon/30.zon: 5 differing lines, reset commands 4 -> 3 (1 T lines saved with their "
        "owners)\n",
        "wld/30.wld: 1 differing lines\n", "obj/30.obj: 2 differing lines\n",
        "mob/30.mob: 3 differing lines\n", "no line lost or changed\n",
        "no value lost or changed\n"}},
      {"an exit to no room with a door",
       "#3001\nУлица~\nт~\n30 0 1\nD0\nДверь~\nдверь~\n1 -1 -1\nS\n#3002\nПлощадь~\nт~\n30 0 "
       "1\nS\n",
       0,
       {"no value lost or changed\n"}},  // it used to lose the exit whole
      {"a line between rooms",
       "#3001\nУлица~\nт~\n30 0 1\nS\nмусор\n#3002\nПлощадь~\nт~\n30 0 1\nS\n",
       1,
       {"wld/30.wld: 4 differing lines, loaded with errors (1 lines not read, the first at line "
        "6)\n",
        "wld/30.wld: 1 lines lost or changed\n  6: мусор\n", "no value lost or changed\n"}},
      // What the reader passes over without a note is missing from the records read back and
      // from the records first read alike: only the lines show it.
      {"a number after the sex",
       kRooms,
       1,
       {"mob/30.mob: 1 lines lost or changed\n  15: 8 8 1 5\n1 lines lost or changed\n",
        "no value lost or changed\n"},
       [] {
         std::string mob = kMob;
         mob.replace(mob.find("8 8 1"), 5, "8 8 1 5");
         return mob;
       }()},
      {"a second exit the same way",
       "#3001\nУлица~\nт~\n30 0 1\nD1\n~\n~\n0 -1 3002\nD1\n~\n~\n0 -1 3001\nS\n#3002\n"
       "Площадь~\nт~\n30 0 1\nS\n",
       1,
       {"wld/30.wld: 2 lines lost or changed\n", "no value lost or changed\n"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::TempDir d;
    MakeWorld(d.path(), c.rooms, c.mob);
    const std::string zon = test::ReadFile(d / "zon/30.zon");
    auto [rc, out] = test::RunCli("save --check " + d.path().string() + " 2>/dev/null");
    EXPECT_EQ(rc, c.rc) << out;
    for (const auto& l : c.lines) EXPECT_NE(out.find(l), std::string::npos) << l << out;
    // Nothing is written in the world itself.
    EXPECT_EQ(test::ReadFile(d / "zon/30.zon"), zon);
  }
}

std::vector<std::string> Lines(const std::string& text) {
  return cli::LinesOf(text);
}

// An original file against the file saved from it: the writers' normalisations
// are not listed, a line that did not come back is, by its number.
TEST(LineCheck, ListsLinesThatDidNotComeBack) {
  struct Case {
    const char* name;
    RecordKind kind;
    std::string original, saved;
    std::vector<int> lost;
  };
  const Case cases[] = {
      {"zone commands regrouped and settled",
       kZone,
       "#30\nTown~\n^Author:\n X~\n#1 0 0\n3050 15  2 0 * \n m 0 3000 2 3001\t(guard)\n"
       "G 1 3010 5 -1 -1\nG 1 3011 5 -1\nO 0 3012 1 3002 -1\nD 0 3001 1 1\nR 0 3001 3012\nS\n$\n",
       "* Korvask zone file v1.0\n#30\nTown~\n^Author:\n X~\n#1 0 0\n3050 15 2 0 *\n"
       "O 0 3012 1 3002 -1\t(box)\nR 0 3001 3012 -1 -1\t(box)\nM 0 3000 2 3001 2\t(guard)\n"
       "G 1 3010 5 -1 -1\t(a)\nG 1 3011 5 -1 -1\t(b)\nD 0 3001 1 1 -1\t(Street)\nS\n$\n$\n",
       {}},
      {"zone lines changed",
       kZone,
       "#30 old\nTown~\n3099 15 2 0 *\nM 0 3000 2 3001 1\nG 1 3010 5 -1 50\nS\n$\n",
       "#30\nTown~\n3099 15 2 0 *\nM 0 3000 2 3001 1\nG 1 3010 5 50 -1\nS\n$\n",
       {1, 5}},
      {"room texts closed either way",
       kRoom,
       "#3001\n\nStreet~\nWide.\n\n  Very  wide.~\n30 0  1\nD1\nA door.\n~\ndoor~\n1 -1 3002\nS\n",
       "* Korvask room file v1.0\n#3001\nStreet~\nWide.\n\n  Very wide.~\n30 0 1\nD1\nA door.~\n"
       "door~\n1 -1 3002\nS\n$\n$\n",
       {}},
      {"room name without its tilde",
       kRoom,
       "#3001\nStreet\nWide.~\n30 0 1\nS\n",
       "#3001\nStree~\nWide.~\n30 0 1\nS\n",
       {2}},
      {"object flags in the other form",
       kObject,
       "#3010\nx~\nx~\nx~\nx~\nx~\nx~\nx~\nd~\none~\n19 100 90 12\n0 0 0 0\n0 0 0\n25 0 a0\n"
       "a0b0 0 0 0\n1 2 3 4\n\nE\nkw~\ntext~\n",
       "#3010\nx~\nx~\nx~\nx~\nx~\nx~\nx~\nd~\none\n~\na0b0e0 100 90 12\n0 0 0 0\n0 0 0\n"
       "25 0 a0\n3 0 0 0\n1 2 3 4\nE\nkw~\ntext~\n",
       {}},
      {"object value changed", kObject, "#3010\na0b0 0 0 0\n", "#3010\n4 0 0 0\n", {2}},
      {"mobile lines in the editor's order",
       kMobile,
       "#3000\nlong~\nlook\n~\na0 b0 -300 S\n8 8 1\nRace: 110\nStr: 18\nE\nI wool:5\n",
       "#3000\nlong\n~\nlook\n~\na0 b0 -300 E\n8 8 1\nStr: 18\nRace: 110\nE\nI wool,0:5\n",
       {}},
      {"mobile number left out",
       kMobile,
       "#3000\n8 8 1 5\nStr: 18\n",
       "#3000\n8 8 1\nStr: 18\n",
       {2}},
      {"shop factors by value",
       kShop,
       "#4000~\n3010\n-01\n1,5\n0.8\n$~\n",
       "CircleMUD v3.0 Shop File~\n#4000 E~\n3010\n-1\n1.50\n0.80\n1.00\n$\n$\n~\n",
       {}},
      {"shop factor rounded", kShop, "#4000 E~\n1.155\n", "#4000 E~\n1.16\n", {2}},
      {"trigger event letters and script end",
       kTrigger,
       "#4000\nhello~\n0 cd 100\n~\nsay hi~\n",
       "#4000\nhello~\n0 c0d0 100\n~\nsay hi\n~\n",
       {}},
      {"trigger class line cut",
       kTrigger,
       "#4000\nhello~\n0 c 100 7\n~\n~\n",
       "#4000\nhello~\n0 c0 100\n~\n~\n",
       {3}},
      // Each saved line answers for one original line only.
      {"a line twice", kRoom, "#3001\nT 5\nT 5\n", "#3001\nT 5\n", {3}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> lost;
    for (const auto& l : cli::LostLines(c.kind, Lines(c.original), Lines(c.saved)))
      lost.push_back(l.Line);
    EXPECT_EQ(lost, c.lost);
  }
}

// A record saved into its own zone's file, a command saved with the zone of
// its room and a T line saved with its owner are not lost.
TEST(LineCheck, FindsLinesInTheFilesTheyWentTo) {
  cli::SavedLines saved;
  saved.Add(kZone, Lines("#30\nTown~\n3099 0 0\nM 0 3000 1 3001 1\nS\n"));
  saved.Add(kZone, Lines("#31\nForest~\n3199 0 0\nO 0 3010 1 3101 -1\nS\n"));
  saved.Add(kMobile, Lines("#3000\nguard~\n"));
  saved.Add(kMobile, Lines("#3100\nwolf~\n"));
  const auto carried = [](int32_t type, int32_t owner, int32_t trigger) {
    return type == 0 && owner == 3000 && trigger == 3005;
  };
  auto lost = saved.Lost(kZone,
                         Lines("#30\nTown~\n3099 0 0\nM 0 3000 1 3001 1\nT 0 0 3005\n"
                               "O 0 3010 1 3101 -1\nT 0 2 3006\nS\n"),
                         carried);
  // The room 3101 has no such trigger.
  ASSERT_EQ(lost.size(), 1u);
  EXPECT_EQ(lost[0].Line, 7);
  EXPECT_EQ(lost[0].Text, "T 0 2 3006");
  EXPECT_TRUE(saved.Lost(kMobile, Lines("#3000\nguard~\n#3100\nwolf~\n")).empty());
  // Found once, they are not found again.
  EXPECT_EQ(saved.Lost(kMobile, Lines("#3100\nwolf~\n")).size(), 2u);
}

// The files of a running game, when they are on this machine.
TEST(Cli, RealWorldLoadsWithoutErrorsAndSavesWithoutLoss) {
  const fs::path world = test::RealWorld() / "bylins";
  if (!fs::is_directory(world)) GTEST_SKIP() << "no real world at " << world;
  auto load = test::RunCli("load " + world.string() + " 2>&1");
  EXPECT_EQ(load.first, 0) << load.second;
  EXPECT_EQ(load.second.find("error:"), std::string::npos) << load.second;
  auto check = test::RunCli("save --check " + world.string() + " 2>&1");
  EXPECT_EQ(check.first, 0) << check.second;
  EXPECT_NE(check.second.find("no value lost or changed\n"), std::string::npos);
}

}  // namespace
}  // namespace zm
