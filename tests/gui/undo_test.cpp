// Every kind of change to the world is one step: undoing it and saving
// writes the very bytes the world had, redoing it and saving writes what the
// change wrote.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <functional>

#include "app/appcontext.h"
#include "app/commands.h"
#include "app/newzonedialog.h"
#include "app/templatedialog.h"
#include "app/treecontrol.h"
#include "app/zonemovedialog.h"
#include "editors/mapeditor.h"
#include "editors/mapeditorpanels.h"
#include "editors/roomeditor.h"
#include "gui/guitestutil.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;
using Files = std::map<std::string, std::string>;

Files Read(const fs::path& dir) {
  Files out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file() && e.path().filename() != ".zemlemer.lock")
      out[e.path().lexically_relative(dir).generic_string()] = test::ReadFile(e.path());
  return out;
}

// The files of `expected` as they are in `now`: files a change added (a
// copied zone's) stay on disk after an undo, as after any removal.
Files Only(const Files& now, const Files& expected) {
  Files out;
  for (const auto& [name, bytes] : expected) out[name] = now.count(name) ? now.at(name) : "<gone>";
  return out;
}

struct UndoCase {
  const char* name;
  const char* step;  // the step's name in the menu, after "Отменить: "
  bool writesOtherBytes;
  std::function<void(Started&)> change;
  // The undo takes a zone away: nothing of it is left to save.
  bool zoneGoesOnUndo = false;
};

void SelectNode(Started& app, QTreeWidgetItem* node) {
  ASSERT_NE(node, nullptr);
  app.form->TreeControl().SetContextNode(node);
}

MapEditor* OpenMap(Started& app, int32_t zone) {
  World& w = app.form->world();
  app.form->Windows().Edit(*w.ZoneMaps.Items(w.ZoneMaps.FindByNumber(zone)));
  return qobject_cast<MapEditor*>(EditorWindow::Current(app.form->Host(), kZoneMap));
}

const UndoCase kCases[] = {
    {"apply", "комната 3001 — Новое имя", true,
     [](Started& app) {
       app.form->Windows().Edit(*app.form->world().Rooms.Find(3001));
       auto* f = qobject_cast<RoomEditor*>(EditorWindow::Current(app.form->Host(), kRoom));
       f->R_DescEdit->setText(QStringLiteral("Новое имя"));
       app.form->App().ApplyActiveEditor(false);
     }},
    {"delete", "удаление: комната 3002", true,
     [](Started& app) {
       SelectNode(app, app.form->Tree().ItemOf(app.form->world().Rooms.Find(3002)));
       app.form->Commands().MI_PDeleteClick();
     }},
    {"template", "создание: моб", true,
     [](Started& app) {
       app.runner.answer = [](QDialog& d) {
         auto* f = dynamic_cast<TemplateDialog*>(&d);
         return f && f->OkBtn()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
       };
       SelectNode(app, app.ZoneGroup(30, kMobile));
       app.form->Commands().MI_PAddClick();
     }},
    {"map placement", "комната", true,
     [](Started& app) {
       MapEditor* f = OpenMap(app, 31);
       ASSERT_GT(f->RoomList().MapRoomsListBox->count(), 0);
       f->MapDrawGrid->SetCurrentCell(1, 1);
       f->RoomList().MapRoomsListBox->setCurrentRow(0);
       f->RoomList().MapRoomAddBtnClick();
     }},
    {"arrangement", "авторасстановка зоны 30", true,
     [](Started& app) { OpenMap(app, 30)->LevelPanel().AutoArrangBtnClick(); }},
    {"zone copy", "копирование зоны 30 в 33", true,
     [](Started& app) {
       app.runner.answer = [](QDialog& d) {
         auto* move = dynamic_cast<ZoneMoveDialog*>(&d);
         return move && move->OkBtn()->isEnabled() ? int(QDialog::Accepted)
                                                   : int(QDialog::Rejected);
       };
       app.form->Host().MoveZone(30, false, 33);
     },
     true},
    {"renumbering", "перенумерация зоны 32 в 34", true,
     [](Started& app) {
       app.runner.answer = [](QDialog& d) {
         auto* move = dynamic_cast<ZoneMoveDialog*>(&d);
         // The zone's scripts name its numbers: they follow.
         if (move)
           for (auto* box : move->findChildren<QCheckBox*>()) box->setChecked(true);
         return move && move->OkBtn()->isEnabled() ? int(QDialog::Accepted)
                                                   : int(QDialog::Rejected);
       };
       app.form->Host().MoveZone(32, true, 34);
     }},
    {"new zone", "новая зона", true,
     [](Started& app) {
       app.runner.answer = [](QDialog& d) {
         return dynamic_cast<NewZoneDialog*>(&d) ? int(QDialog::Accepted) : int(QDialog::Rejected);
       };
       app.form->Commands().CreateZone();
     },
     true},
    {"zone removal", "удаление: зона 31", false,
     [](Started& app) {
       SelectNode(app, app.form->Tree().ItemOf(app.form->world().Zones.ByNumber(31)));
       app.form->Commands().MI_PDeleteClick();
     }},
};

class UndoEachStep : public ::testing::TestWithParam<UndoCase> {};

TEST_P(UndoEachStep, RestoresTheBytesAndRedoesThem) {
  const UndoCase& c = GetParam();
  TempDir tmp;
  const fs::path world = tmp / "world";
  fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", world, fs::copy_options::recursive);
  Started app(test::MakeAppDir(tmp / "app", true), world);
  RegisterEditors(app.form->Host());
  app.reporter.answer = true;
  app.reporter.answers[9] = false;  // the renumbered zone's old files stay
  World& w = app.form->world();
  const auto saveAll = [&] {
    for (const auto& z : w.Zones) SaveWholeZone(w, z->Vnum);
    return Read(world);
  };
  auto* undo = app.form->findChild<QAction*>(QStringLiteral("MI_Undo"));
  auto* redo = app.form->findChild<QAction*>(QStringLiteral("MI_Redo"));
  ASSERT_FALSE(undo->isEnabled());
  const Files before = Read(world);

  c.change(app);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_TRUE(undo->isEnabled());
  EXPECT_TRUE(undo->text().startsWith(QStringLiteral("Отменить: ") + QString::fromUtf8(c.step)))
      << undo->text().toStdString();
  const Files after = saveAll();
  if (c.writesOtherBytes) ASSERT_NE(after, before);

  undo->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  // Unsaved again, although it was saved.
  EXPECT_EQ(app.form->Changes().Any(), !c.zoneGoesOnUndo);
  EXPECT_EQ(Only(saveAll(), before), before);
  EXPECT_FALSE(undo->isEnabled()) << undo->text().toStdString();
  ASSERT_TRUE(redo->isEnabled());

  redo->trigger();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(saveAll(), after);
  // The tree shows the world as it is: every record has its node.
  for (const auto& r : w.Rooms)
    if (w.Zones.ByNumber(r->Zone)) EXPECT_NE(app.form->Tree().ItemOf(r.get()), nullptr) << r->Vnum;
  EXPECT_TRUE(app.reporter.errors.empty());
}

INSTANTIATE_TEST_SUITE_P(Steps, UndoEachStep, ::testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (ch == ' ') ch = '_';
  return name;
});

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// Ctrl+Z in a text field takes back the typing, not a step of the world;
// outside one it is the world's.
TEST(UndoKeys, TextFieldsKeepTheirOwn) {
  TempDir tmp;
  const fs::path world = tmp / "world";
  fs::copy(fs::path(ZEMLEMER_BIN_DIR) / "Zones", world, fs::copy_options::recursive);
  Started app(test::MakeAppDir(tmp / "app", true), world);
  RegisterEditors(app.form->Host());
  app.form->show();
  QApplication::setActiveWindow(app.form.get());
  TRoom& room = *app.form->world().Rooms.Find(3001);
  const std::string name = room.Name;
  app.form->Windows().Edit(room);
  auto* f = qobject_cast<RoomEditor*>(EditorWindow::Current(app.form->Host(), kRoom));
  f->R_DescEdit->setText(QStringLiteral("Имя"));
  app.form->App().ApplyActiveEditor(false);
  ASSERT_NE(app.form->Document().NextUndo(), nullptr);

  f->R_DescEdit->setFocus();
  QTest::keyClicks(f->R_DescEdit, QStringLiteral("q"));
  QTest::keyClick(f->R_DescEdit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(f->R_DescEdit->text(), QStringLiteral("Имя"));
  EXPECT_EQ(room.Name, FromQt(QStringLiteral("Имя")));
  EXPECT_NE(app.form->Document().NextUndo(), nullptr);

  app.form->TreeView1()->setFocus();
  QTest::keyClick(app.form->TreeView1(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(room.Name, name);
  EXPECT_EQ(f->R_DescEdit->text(), ToQt(name));  // the editor shows it
}

}  // namespace
}  // namespace zm
