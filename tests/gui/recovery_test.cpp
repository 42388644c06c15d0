// An editor killed after an edit: the next one on the world offers the
// journalled changes back.

#include <gtest/gtest.h>
#include <signal.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTest>

#include "editors/changetracker.h"
#include "editors/roomeditor.h"
#include "gui/guitestutil.h"
#include "load/journal.h"
#include "load/loadworld.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

constexpr int kRecover = static_cast<int>(ConfirmMsg::RecoverJournal);
const char* const kEdited = "Площадь после сбоя";

// The state folder of a test, for this process and the editors it starts.
class StateHome {
 public:
  explicit StateHome(const fs::path& dir) : m_old(qgetenv("XDG_STATE_HOME")) {
    qputenv("XDG_STATE_HOME", QByteArray::fromStdString(dir.string()));
  }
  ~StateHome() { qputenv("XDG_STATE_HOME", m_old); }

 private:
  QByteArray m_old;
};

fs::path SampleWorld(const TempDir& tmp) {
  fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", tmp / "world", fs::copy_options::recursive);
  return tmp / "world";
}

// A main window opened on the world after the crash, answering the
// question with `recover`.
struct Reopened {
  test::GuiTestReporter reporter;
  test::FakeRunner runner;
  std::unique_ptr<MainWindow> form;
  Reopened(const fs::path& appDir, const fs::path& world, bool recover) {
    reporter.answers[kRecover] = recover;
    reporter.answers[static_cast<int>(ConfirmMsg::Exit)] = true;
    StartOptions o;
    o.AppDir = appDir;
    o.WorldOverride = world;
    o.SettingsFile = appDir / "ZEMLEMER.INI";
    o.reporter = &reporter;
    o.runner = &runner;
    form = std::make_unique<MainWindow>(o);
    form->FormActivate();
  }
  std::string RoomName(int32_t vnum) { return WinToUtf8(form->world().Rooms.Find(vnum)->Name); }
  // The recovery question, or empty when none was asked.
  std::string Question() const {
    std::string text;
    for (const auto& q : reporter.confirms)
      if (q.n == kRecover) text = WinToUtf8(q.text);
    return text;
  }
};

// Run by the test below in a process of its own, which it kills.
TEST(RecoveryCrash, DISABLED_ChildEditsThenWaitsToBeKilled) {
  const QByteArray world = qgetenv("ZEMLEMER_CRASH_WORLD");
  if (world.isEmpty()) GTEST_SKIP() << "run by AnEditorKilledAfterAnEditIsOfferedItBack";
  const fs::path path = world.toStdString();
  Started app(test::MakeAppDir(path.parent_path() / "child-app", true), path);
  RegisterEditors(app.form->Host());
  app.form->App().SelectRecord(*app.form->world().Rooms.Find(3001));
  auto* editor = dynamic_cast<RoomEditor*>(app.form->Windows().Active());
  ASSERT_NE(editor, nullptr);
  editor->R_DescEdit->setText(QString::fromUtf8(kEdited));
  app.form->App().ApplyActiveEditor(false);
  ASSERT_TRUE(QTest::qWaitFor([&] { return ReadJournal(JournalDir(path)).has_value(); }, 20000));
  std::printf("journal written\n");
  std::fflush(stdout);
  QTest::qWait(120000);
  FAIL() << "not killed";
}

TEST(Recovery, AnEditorKilledAfterAnEditIsOfferedItBack) {
  TempDir tmp;
  const fs::path world = SampleWorld(tmp);
  StateHome state(tmp / "state");
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("ZEMLEMER_CRASH_WORLD"), QString::fromStdString(world.string()));
  child.setProcessEnvironment(env);
  child.start(QStringLiteral("/proc/self/exe"), {QStringLiteral("--gtest_also_run_disabled_tests"),
                                                 QStringLiteral("--gtest_filter=RecoveryCrash.*")});
  ASSERT_TRUE(child.waitForStarted());
  QByteArray out;
  while (!out.contains("journal written") && child.state() == QProcess::Running &&
         child.waitForReadyRead(60000))
    out += child.readAllStandardOutput();
  ASSERT_TRUE(out.contains("journal written")) << out.toStdString();
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished());
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);

  const std::string disk = test::ReadFile(world / "WLD" / "30.wld");
  Reopened app(test::MakeAppDir(tmp / "app", true), world, true);
  EXPECT_NE(app.Question().find(std::string("комната 3001 \"") + kEdited), std::string::npos)
      << app.Question();
  EXPECT_EQ(app.RoomName(3001), kEdited);
  EXPECT_TRUE(app.form->Changes().Any());
  EXPECT_EQ(test::ReadFile(world / "WLD" / "30.wld"), disk);

  app.runner.answer = [](QDialog&) { return static_cast<int>(QMessageBox::Save); };
  EXPECT_TRUE(app.form->close());
  EXPECT_NE(test::ReadFile(world / "WLD" / "30.wld").find(W(kEdited)), std::string::npos);
  EXPECT_FALSE(fs::exists(JournalDir(world)));
}

// A journal of another host's editor (which cannot be asked whether it runs).
TEST(Recovery, NoLoadsTheDiskAndDropsTheJournalAChangedDiskFileIsNamed) {
  struct Case {
    bool recover, touched;
  } cases[] = {{false, false}, {true, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.recover);
    TempDir tmp;
    const fs::path world = SampleWorld(tmp);
    StateHome state(tmp / "state");
    {
      test::RecordingReporter rep;
      World w(rep);
      LoadWorld(w, world);
      w.Rooms.Find(3001)->Name = W(kEdited);
      ASSERT_TRUE(WriteJournal(JournalDir(world), w, {{30, kRoom}}));
      JournalManifest m = *ReadJournal(JournalDir(world));
      m.Host = "elsewhere";
      test::WriteFile(JournalDir(world) / "manifest.txt", ManifestText(m));
    }
    const fs::path rooms = world / "WLD" / "30.wld";
    if (c.touched) fs::last_write_time(rooms, fs::last_write_time(rooms) + std::chrono::hours(1));
    Reopened app(test::MakeAppDir(tmp / "app", true), world, c.recover);
    EXPECT_NE(app.Question().find("elsewhere"), std::string::npos) << app.Question();
    EXPECT_EQ(app.Question().find("изменены файлы:\r\n  WLD/30.wld") != std::string::npos,
              c.touched);
    EXPECT_EQ(app.RoomName(3001) == kEdited, c.recover);
    EXPECT_EQ(fs::exists(JournalDir(world)), c.recover);
    // Leaving without saving is leaving the changes.
    app.runner.answer = [](QDialog&) { return static_cast<int>(QMessageBox::Discard); };
    EXPECT_TRUE(app.form->close());
    EXPECT_FALSE(fs::exists(JournalDir(world)));
  }
}

}  // namespace
}  // namespace zm
