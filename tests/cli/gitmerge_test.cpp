// The merge driver and git-setup under real git, in a repository made from
// the sample world: each branch edits the world with the editor's own core.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <functional>

#include "cli/clirun.h"
#include "common/savelines.h"
#include "core/testutil.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

class GitMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(d / "home");
    setenv("HOME", (d / "home").c_str(), 1);
    setenv("GIT_CONFIG_NOSYSTEM", "1", 1);
    fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", repo, fs::copy_options::recursive);
    ASSERT_EQ(Git("init -q -b main").first, 0);
    Git("config user.name Builder");
    Git("config user.email builder@example.org");
    ASSERT_EQ(Git("add -A").first, 0);
    ASSERT_EQ(Git("commit -q -m world").first, 0);
  }

  std::pair<int, std::string> Git(const std::string& args) {
    const std::string cmd = "git -C " + repo.string() + " -c core.pager=cat " + args + " 2>&1";
    std::string out;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return {-1, out};
    std::array<char, 4096> buf;
    for (size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
    const int rc = pclose(p);
    return {WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, out};
  }

  // A branch off main with one commit that changes the world through `edit`
  // and writes the room file or the zone file of zone 30.
  void Branch(const std::string& name, RecordKind kind, const std::function<void(World&)>& edit) {
    ASSERT_EQ(Git("checkout -q -b " + name + " main").first, 0);
    test::RecordingReporter rep;
    World w(rep);
    LoadWorld(w, repo);
    edit(w);
    TZone& z = *w.Zones.ByNumber(30);
    std::vector<std::string> lines;
    if (kind == kZone)
      BuildZoneLines(w, z, lines);
    else
      ASSERT_FALSE(BuildRecordLines(w, kRoom, 30, lines));
    const TFileSetting& s = *FileSettingOf(z, kind);
    ASSERT_TRUE(SaveLines(s.Path, lines, s.Word()));
    ASSERT_EQ(Git("commit -q -a -m " + name).first, 0);
  }

  void GitSetup() { ASSERT_EQ(test::RunCli("git-setup " + repo.string()).first, 0); }

  // The merged checkout as the editor loads it.
  void LoadMerged(World& w, test::RecordingReporter& rep) {
    LoadWorld(w, repo);
    EXPECT_TRUE(rep.loadErrors.empty()) << rep.loadErrors.front();
  }

  test::TempDir d;
  fs::path repo = d / "repo";
};

void AddRoom(World& w, int32_t vnum, const char* name) {
  auto r = std::make_unique<TRoom>(30, vnum);
  r->Name = W(name);
  w.Rooms.Append(std::move(r));
}

TEST_F(GitMerge, RoomsAddedAtTheEndConflictInGitButNotThroughTheDriver) {
  Branch("north", kRoom, [](World& w) { AddRoom(w, 3090, "Северная башня"); });
  Branch("south", kRoom, [](World& w) { AddRoom(w, 3091, "Южная башня"); });
  auto [plain, plainOut] = Git("merge -q north");
  EXPECT_NE(plain, 0) << plainOut;
  EXPECT_NE(plainOut.find("CONFLICT"), std::string::npos) << plainOut;
  Git("merge --abort");

  GitSetup();
  auto [rc, out] = Git("merge -q --no-edit north");
  ASSERT_EQ(rc, 0) << out;
  test::RecordingReporter rep;
  World w(rep);
  LoadMerged(w, rep);
  ASSERT_NE(w.Rooms.Find(3090), nullptr);
  ASSERT_NE(w.Rooms.Find(3091), nullptr);
  EXPECT_EQ(w.Rooms.Find(3090)->Name, W("Северная башня"));
  EXPECT_NE(w.Rooms.Find(3001), nullptr);
}

TEST_F(GitMerge, FieldsOfOneRoom) {
  Branch("name", kRoom, [](World& w) { w.Rooms.Find(3001)->Name = W("Храм на холме"); });
  Branch("sector", kRoom, [](World& w) { w.Rooms.Find(3001)->Sector = 5; });
  Branch("other-name", kRoom, [](World& w) { w.Rooms.Find(3001)->Name = W("Старый храм"); });
  GitSetup();

  // Different fields: both kept.
  ASSERT_EQ(Git("checkout -q sector").first, 0);
  auto [clean, cleanOut] = Git("merge -q --no-edit name");
  ASSERT_EQ(clean, 0) << cleanOut;
  {
    test::RecordingReporter rep;
    World w(rep);
    LoadMerged(w, rep);
    EXPECT_EQ(w.Rooms.Find(3001)->Name, W("Храм на холме"));
    EXPECT_EQ(w.Rooms.Find(3001)->Sector, 5);
  }

  // The same field both ways: OURS kept, the list names the field.
  ASSERT_EQ(Git("checkout -q other-name").first, 0);
  auto [rc, out] = Git("merge -q --no-edit name");
  EXPECT_NE(rc, 0) << out;
  EXPECT_NE(out.find("CONFLICT"), std::string::npos) << out;
  test::RecordingReporter rep;
  World w(rep);
  LoadMerged(w, rep);
  EXPECT_EQ(w.Rooms.Find(3001)->Name, W("Старый храм"));
  const std::string list = test::ReadFile(repo / "WLD" / "30.wld.conflicts");
  EXPECT_NE(list.find("комната 3001 «Старый храм»: Name"), std::string::npos) << list;
  EXPECT_NE(list.find("theirs: Храм на холме"), std::string::npos) << list;
}

TEST_F(GitMerge, ZoneCommandsOfDifferentRooms) {
  Branch("guard", kZone, [](World& w) {
    TRoomMob m;
    m.ID = 3000;
    m.MaxInRoom = 1;
    m.OwnMax = 7;
    w.Rooms.Find(3002)->Mobs.Add(std::move(m));
  });
  Branch("chest", kZone, [](World& w) {
    TRoomObj o;
    o.ID = 3012;
    o.OwnMax = 9;
    w.Rooms.Find(3003)->Objects.Add(std::move(o));
  });
  GitSetup();
  auto [rc, out] = Git("merge -q --no-edit guard");
  ASSERT_EQ(rc, 0) << out;
  test::RecordingReporter rep;
  World w(rep);
  LoadMerged(w, rep);
  ASSERT_EQ(w.Rooms.Find(3002)->Mobs.Count(), 1);
  EXPECT_EQ(w.Rooms.Find(3002)->Mobs.Items(0)->ID, 3000);
  ASSERT_EQ(w.Rooms.Find(3003)->Objects.Count(), 1);
  EXPECT_EQ(w.Rooms.Find(3003)->Objects.Items(0)->ID, 3012);
}

TEST_F(GitMerge, SetupIsIdempotentAndPrintWritesNothing) {
  auto [printed, text] = test::RunCli("git-setup " + (repo / "WLD").string() + " --print");
  EXPECT_EQ(printed, 0);
  EXPECT_NE(text.find("*.[wW][lL][dD] diff=zemlemer merge=zemlemer"), std::string::npos) << text;
  EXPECT_NE(text.find("merge.zemlemer.driver"), std::string::npos) << text;
  EXPECT_FALSE(fs::exists(repo / ".gitattributes"));
  EXPECT_NE(Git("config --get merge.zemlemer.driver").first, 0);

  GitSetup();
  const std::string attributes = test::ReadFile(repo / ".gitattributes");
  EXPECT_NE(attributes.find("*.[zZ][oO][nN] diff=zemlemer merge=zemlemer\n"), std::string::npos);
  auto [got, driver] = Git("config --get merge.zemlemer.driver");
  EXPECT_EQ(got, 0);
  EXPECT_NE(driver.find(" merge %O %A %B --output %A --path %P"), std::string::npos) << driver;
  EXPECT_NE(Git("config --get diff.zemlemer.textconv").second.find(" textconv"), std::string::npos);
  EXPECT_NE(test::ReadFile(repo / ".git" / "info" / "exclude").find(".zemlemer.lock\n"),
            std::string::npos);

  const std::string exclude = test::ReadFile(repo / ".git" / "info" / "exclude");
  const std::string config = test::ReadFile(repo / ".git" / "config");
  auto [again, againOut] = test::RunCli("git-setup " + repo.string());
  EXPECT_EQ(again, 0);
  EXPECT_NE(againOut.find("already set up"), std::string::npos) << againOut;
  EXPECT_EQ(test::ReadFile(repo / ".gitattributes"), attributes);
  EXPECT_EQ(test::ReadFile(repo / ".git" / "info" / "exclude"), exclude);
  EXPECT_EQ(test::ReadFile(repo / ".git" / "config"), config);

  EXPECT_EQ(test::RunCli("git-setup " + (d / "home").string() + " 2>/dev/null").first, 1);
}

}  // namespace
}  // namespace zm
