// A world file changed on disk by someone else while the editor has it open.
#include "app/diskchanges.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QStatusBar>

#include "app/commands.h"
#include "common/winutf8.h"
#include "editors/worlddocument.h"
#include "gui/guitestutil.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

// The sample world copied, with the editor open on it.
struct OpenSample {
  TempDir tmp;
  fs::path world = tmp / "world";
  std::unique_ptr<Started> app;
  OpenSample() {
    fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", world, fs::copy_options::recursive);
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), world);
  }
  MainWindow& form() { return *app->form; }
  World& w() { return form().world(); }
  void Rename(int32_t room, const char* name) {
    form().App().Tracked(room / 100, [&] { w().Rooms.Find(room)->Name = W(name); });
  }
  // A colleague's pull: the room's name in the file replaced (`from`, when
  // given, is the name the file has now).
  std::string Pull(const std::string& file, int32_t room, const char* to,
                   const char* from = nullptr) {
    const fs::path p = world / file;
    std::string bytes = test::ReadFile(p);
    std::string old = from ? W(from) : w().Rooms.Find(room)->Name, name = W(to);
    if (w().Zones.ByNumber(room / 100)->RoomFilename.Coding == kCodingKoi) {
      WinToKoi(old);
      WinToKoi(name);
    }
    bytes.replace(bytes.find(old), old.size(), name);
    const auto t = fs::last_write_time(p);
    test::WriteFile(p, bytes);
    fs::last_write_time(p, t + std::chrono::seconds(2));
    return bytes;
  }
  void SaveZone(int32_t zone) {
    form().TreeView1()->setCurrentItem(form().Tree().ItemOf(w().Zones.ByNumber(zone)));
    form().Commands().MI_SaveZoneClick();
  }
  int Asked(ConfirmMsg n) const {
    int count = 0;
    for (const auto& c : app->reporter.confirms) count += c.n == static_cast<int>(n);
    return count;
  }
};

TEST(DiskChanges, SavingAZoneWhoseFileChangedAsksFirst) {
  struct Case {
    int answer;  // Перезаписать, Перечитать зону, Отмена
    const char* onDisk;
    const char* inMemory;
  };
  for (const Case c :
       {Case{2, "Площадь после пулла", "Моя площадь"}, Case{0, "Моя площадь", "Моя площадь"},
        Case{1, "Площадь после пулла", "Площадь после пулла"}}) {
    OpenSample s;
    const std::string theirs = s.Pull("WLD/30.wld", 3001, "Площадь после пулла");
    s.Rename(3001, "Моя площадь");
    s.app->reporter.choice = c.answer;
    s.SaveZone(30);
    ASSERT_EQ(s.app->reporter.choices.size(), 1u) << c.answer;
    EXPECT_EQ(WinToUtf8(s.app->reporter.choices[0].text),
              "Файл " + (s.world / "WLD/30.wld").string() + " изменён на диске после загрузки.");
    const std::string now = test::ReadFile(s.world / "WLD/30.wld");
    EXPECT_NE(now.find(W(c.onDisk)), std::string::npos) << c.answer;
    if (c.answer != 0) {
      EXPECT_EQ(now, theirs) << c.answer;
    }
    EXPECT_EQ(WinToUtf8(s.w().Rooms.Find(3001)->Name), c.inMemory);
    EXPECT_EQ(s.form().Document().Changes().Any(), c.answer == 2) << c.answer;
    EXPECT_TRUE(s.app->reporter.errors.empty());
    if (c.answer == 1) {
      // The tree holds the disk's records, each once.
      const TRoom* room = s.w().Rooms.Find(3001);
      ASSERT_NE(s.form().Tree().ItemOf(room), nullptr);
      EXPECT_EQ(test::Captions(s.app->ZoneGroup(30, kRoom)).size(),
                static_cast<qsizetype>(s.w().Rooms.CountInZone(30)));
    }
  }
}

TEST(DiskChanges, TheWatchNamesChangedFilesAndOffersUneditedZones) {
  OpenSample s;
  auto wait = [&](const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 3000) QApplication::processEvents(QEventLoop::AllEvents, 50);
  };
  ASSERT_FALSE(s.form().DiskWatcher()->Folders().isEmpty());
  // The editor's own save is no change.
  s.Rename(3001, "Моя площадь");
  s.SaveZone(30);
  wait([] { return false; });
  EXPECT_EQ(s.Asked(ConfirmMsg::RereadZone), 0);

  // Zone 32 has an edit: only its name shows. Zone 31 has none: it is offered.
  s.Pull("WLD/32.wld", 3201, "Штольня после пулла");
  s.Rename(3201, "Моя штольня");
  s.Pull("WLD/31.wld", 3101, "Опушка после пулла");
  const QString shown = QStringLiteral("Изменены на диске: 31.wld, 32.wld");
  wait([&] { return s.form().statusBar()->currentMessage() == shown; });
  EXPECT_EQ(s.form().statusBar()->currentMessage(), shown);
  ASSERT_EQ(s.Asked(ConfirmMsg::RereadZone), 1);
  EXPECT_NE(WinToUtf8(s.app->reporter.confirms.back().text).find("[31]"), std::string::npos);
  EXPECT_NE(WinToUtf8(s.w().Rooms.Find(3101)->Name), "Опушка после пулла") << "answered No";

  // Asked again only after another change; Yes reads the zone again.
  s.app->reporter.answers[static_cast<int>(ConfirmMsg::RereadZone)] = true;
  s.form().DiskWatcher()->CheckNow();
  EXPECT_EQ(s.Asked(ConfirmMsg::RereadZone), 1);
  s.Pull("WLD/31.wld", 3101, "Опушка после второго пулла", "Опушка после пулла");
  wait([&] { return s.Asked(ConfirmMsg::RereadZone) == 2; });
  EXPECT_EQ(WinToUtf8(s.w().Rooms.Find(3101)->Name), "Опушка после второго пулла");
  EXPECT_EQ(WinToUtf8(s.w().Rooms.Find(3201)->Name), "Моя штольня");
  EXPECT_EQ(s.form().statusBar()->currentMessage(), QStringLiteral("Изменены на диске: 32.wld"));
}

}  // namespace
}  // namespace zm
