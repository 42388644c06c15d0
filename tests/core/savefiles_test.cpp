// How a save treats the file it replaces: links, permissions, read-only files.
#include <gtest/gtest.h>

#include "common/savelines.h"
#include "core/testutil.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

TEST(SaveFiles, LinksPermissionsAndReadOnlyFiles) {
  test::TempDir d;
  std::vector<std::string> lines = {"new"};
  const CodingWord word{kCodingWin, kBreakLF};

  // Through a symbolic link: the file it names gets the text, the link stays.
  WriteFile(d / "real/30.wld", "old\n");
  fs::create_symlink(d / "real/30.wld", d / "30.wld");
  ASSERT_TRUE(SaveLines(d / "30.wld", lines, word));
  EXPECT_TRUE(fs::is_symlink(d / "30.wld"));
  EXPECT_EQ(ReadFile(d / "real/30.wld"), "new\n");

  // A file with a second name: both names see the new text.
  WriteFile(d / "31.wld", "old\n");
  fs::create_hard_link(d / "31.wld", d / "copy.wld");
  ASSERT_TRUE(SaveLines(d / "31.wld", lines, word));
  EXPECT_EQ(ReadFile(d / "copy.wld"), "new\n");

  // The permissions stay.
  WriteFile(d / "32.wld", "old\n");
  const auto perms = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
  fs::permissions(d / "32.wld", perms);
  ASSERT_TRUE(SaveLines(d / "32.wld", lines, word));
  EXPECT_EQ(fs::status(d / "32.wld").permissions(), perms);

  // A read-only file is not replaced, and the reason is given.
  WriteFile(d / "33.wld", "old\n");
  fs::permissions(d / "33.wld", fs::perms::owner_read | fs::perms::group_read);
  std::string error;
  EXPECT_FALSE(SaveLines(d / "33.wld", lines, word, &error));
  EXPECT_NE(error.find("read-only"), std::string::npos);
  EXPECT_EQ(ReadFile(d / "33.wld"), "old\n");
  fs::permissions(d / "33.wld", fs::perms::owner_all);
}

// Each file is saved where it was read: a room file not named after its zone,
// and folders whose names differ in letter case only.
TEST(SaveFiles, EachFileWhereItWasRead) {
  test::TempDir d;
  auto zoneFile = [](int n) {
    return "#" + std::to_string(n) + "\nZone~\n" + std::to_string(n) + "99 10 2\nS\n$\n$\n";
  };
  auto rooms = [](int vnum) {
    return "* Korvask room file v1.0\n#" + std::to_string(vnum) + "\nRoom~\n~\n" +
           std::to_string(vnum / 100) + " 0 0\nS\n$\n$\n";
  };
  WriteFile(d / "ZON/30.zon", zoneFile(30));
  WriteFile(d / "ZON/31.zon", zoneFile(31));
  WriteFile(d / "ZON/32.zon", zoneFile(32));
  WriteFile(d / "WLD/30.wld", rooms(3000));
  WriteFile(d / "wld/31.wld", rooms(3100));
  WriteFile(d / "WLD/mines.wld", rooms(3200));
  test::RecordingReporter rep;
  World w(rep);
  EXPECT_EQ(LoadWorld(w, d.path()), 0);
  ASSERT_EQ(w.Rooms.Count(), 3);
  for (int32_t vnum : {3000, 3100, 3200}) w.Rooms.Find(vnum)->Name = "Renamed";
  for (int32_t zone : {30, 31, 32}) EXPECT_TRUE(SaveWholeZone(w, zone).ok);
  const auto renamed = [&](int vnum) {
    std::string s = rooms(vnum);
    return s.replace(s.find("Room~"), 4, "Renamed");
  };
  EXPECT_EQ(ReadFile(d / "WLD/30.wld"), renamed(3000));
  EXPECT_EQ(ReadFile(d / "wld/31.wld"), renamed(3100));
  EXPECT_EQ(ReadFile(d / "WLD/mines.wld"), renamed(3200));
  EXPECT_FALSE(fs::exists(d / "WLD/31.wld"));
  EXPECT_FALSE(fs::exists(d / "WLD/32.wld"));
}

}  // namespace
}  // namespace zm
