// How a save treats the file it replaces: links, permissions, read-only files.
#include <gtest/gtest.h>

#include "common/savelines.h"
#include "core/testutil.h"

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

}  // namespace
}  // namespace zm
