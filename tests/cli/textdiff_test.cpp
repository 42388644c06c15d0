#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/clirun.h"
#include "common/coding.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {
namespace fs = std::filesystem;

const fs::path kSample = fs::path(ZEMLEMER_SOURCE_DIR) / "data" / "Zones";

void CopySample(const fs::path& to) {
  fs::copy(kSample, to, fs::copy_options::recursive);
}

// Replaces `from` by `to` in the KOI8-R file, both given in UTF-8.
void EditKoi(const fs::path& file, const std::string& from, const std::string& to) {
  std::string text = test::ReadFile(file);
  KoiToWin(text);
  const std::string f = W(from);
  size_t at = text.find(f);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, f.size(), W(to));
  WinToKoi(text);
  test::WriteFile(file, text);
}

TEST(TextConv, KoiFileReadsAsStableUtf8) {
  const std::string file = (kSample / "WLD" / "31.wld").string();
  auto first = test::RunCli("textconv " + file);
  EXPECT_EQ(first.first, 0);
  EXPECT_NE(first.second.find("#3100 комната «Опушка Дремучего леса»\nZone: 31\n"),
            std::string::npos)
      << first.second;
  EXPECT_NE(first.second.find("Exits[0].Keywords: ворота створки\n"), std::string::npos);
  EXPECT_EQ(test::RunCli("textconv " + file), first);

  auto zone = test::RunCli("textconv " + (kSample / "ZON" / "31.zon").string());
  EXPECT_EQ(zone.first, 0);
  EXPECT_NE(zone.second.find("Комната 3107: R убрать предмет 3103\n"
                             "Комната 3107: O предмет 3103: макс. 2, шанс 100\n"),
            std::string::npos)
      << zone.second;
}

TEST(TextConv, UnreadableFilesFailWithoutOutput) {
  test::TempDir d;
  std::string garbage;
  for (int i = 0; i < 4000; ++i) garbage += static_cast<char>((i * 7919) % 251);
  for (const char* name : {"x.wld", "x.ZON", "x.obj", "x.map"}) {
    test::WriteFile(d / name, garbage);
    auto [rc, out] = test::RunCli("textconv " + (d / name).string() + " 2>/dev/null");
    EXPECT_EQ(rc, 1) << name;
    EXPECT_TRUE(out.empty()) << name << out;
  }
  EXPECT_EQ(test::RunCli("textconv " + (d / "absent.trg").string() + " 2>/dev/null").first, 1);
  EXPECT_EQ(test::RunCli("textconv " + (d / "x.txt").string() + " 2>/dev/null").first, 2);
}

TEST(Diff, SampleWorldAgainstAnEditedCopy) {
  test::TempDir d;
  CopySample(d / "new");
  EditKoi(d / "new" / "WLD" / "31.wld", "Лесная тропа~", "Узкая тропа~");
  EditKoi(d / "new" / "WLD" / "31.wld", "\n$\n",
          "\n#3150\nНовая комната~\nОписание.\n~\n31 0 1\nS\n$\n");
  // Object 3107 is the last of zone 31's object file. Room 3103's O line
  // took its maximum from it: without it, the line keeps the one it has.
  std::string obj = test::ReadFile(d / "new" / "OBJ" / "31.obj");
  size_t from = obj.find("#3107\n"), to = obj.find("\n$", from);
  ASSERT_NE(to, std::string::npos);
  test::WriteFile(d / "new" / "OBJ" / "31.obj", obj.erase(from, to + 1 - from));

  const std::string args = kSample.string() + " " + (d / "new").string();
  auto [rc, out] = test::RunCli("diff " + args);
  EXPECT_EQ(rc, 1);
  EXPECT_EQ(out,
            "~ комната 3101 «Узкая тропа»\n"
            "    Name: Лесная тропа → Узкая тропа\n"
            "~ комната 3103 «Лесной ручей»\n"
            "    Objects[0].OwnMax: (нет) → 1\n"
            "+ комната 3150 «Новая комната»\n"
            "- предмет 3107 «лесной родник»\n");
  auto j = nlohmann::json::parse(test::RunCli("diff " + args + " --json").second);
  EXPECT_EQ(j, nlohmann::json::parse(R"([
    {"kind": "room", "vnum": 3101, "change": "changed",
     "fields": [{"field": "Name", "old": "Лесная тропа", "new": "Узкая тропа"}]},
    {"kind": "room", "vnum": 3103, "change": "changed",
     "fields": [{"field": "Objects[0].OwnMax", "old": "", "new": "1"}]},
    {"kind": "room", "vnum": 3150, "change": "added", "fields": []},
    {"kind": "object", "vnum": 3107, "change": "removed", "fields": []}])"));

  // Two files of a kind; the same folder twice.
  auto files = test::RunCli("diff " + (kSample / "WLD" / "31.wld").string() + " " +
                            (d / "new" / "WLD" / "31.wld").string());
  EXPECT_EQ(files.first, 1);
  EXPECT_EQ(files.second,
            "~ комната 3101 «Узкая тропа»\n"
            "    Name: Лесная тропа → Узкая тропа\n"
            "+ комната 3150 «Новая комната»\n");
  EXPECT_EQ(test::RunCli("diff " + kSample.string() + " " + kSample.string()),
            std::pair(0, std::string()));
  EXPECT_EQ(test::RunCli("diff " + kSample.string() + " 2>/dev/null").first, 2);
  EXPECT_EQ(test::RunCli("diff " + (kSample / "WLD" / "31.wld").string() + " " +
                         (kSample / "OBJ" / "31.obj").string() + " 2>/dev/null")
                .first,
            2);
}

// git diff through textconv shows a KOI8-R file's change in readable Russian.
TEST(Diff, GitShowsKoiChangesThroughTextConv) {
  if (std::system("git --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no git";
  test::TempDir d;
  const fs::path repo = d / "world";
  CopySample(repo);
  test::WriteFile(repo / ".gitattributes", "*.wld diff=zemlemer\n");
  const std::string git = "cd " + repo.string() + " && HOME=" + d.path().string() +
                          " GIT_CONFIG_NOSYSTEM=1 git -c core.pager=cat -c user.name=t "
                          "-c user.email=t@t -c diff.zemlemer.textconv='" +
                          std::string(ZEMLEMER_CLI) + " textconv' ";
  ASSERT_EQ(std::system((git + "init -q && " + git + "add -A && " + git + "commit -qm w").c_str()),
            0);
  EditKoi(repo / "WLD" / "31.wld", "Лесная тропа~", "Узкая тропа~");
  const fs::path diff = d / "diff.txt";
  ASSERT_EQ(std::system((git + "diff > " + diff.string()).c_str()), 0);
  const std::string out = test::ReadFile(diff);
  EXPECT_NE(out.find("-Name: Лесная тропа\n+Name: Узкая тропа\n"), std::string::npos) << out;
}

}  // namespace
}  // namespace zm
