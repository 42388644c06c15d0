#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTreeWidget>
#include <map>
#include <set>

#include "app/commands.h"
#include "app/settingsdialog.h"
#include "app/treecontrol.h"
#include "app/worldoverview.h"
#include "common/winutf8.h"
#include "editors/changetracker.h"
#include "gui/guitestutil.h"
#include "load/worldlock.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

using test::Captions;
using test::FakeEditor;
using test::Started;
using test::TempDir;
using test::ZoneOutline;

// Zones 9, 10, 12 and 30 with zone files; zone 77 has rooms only.
std::vector<ZoneOutline> SampleWorld() {
  return {
      {12, "Лес", 5, 2, 2, 1, 1},     {9, "Девять", 2}, {30, "Город", 1}, {10, "Десять", 1},
      {77, "", 2, 0, 0, 0, 0, false},
  };
}

struct MainWindowTest : ::testing::Test {
  TempDir tmp;
  fs::path world = tmp / "world";
  std::unique_ptr<Started> app;

  void SetUp() override {
    test::WriteWorld(world, SampleWorld());
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), world);
  }
  MainWindow& form() { return *app->form; }
  QTreeWidgetItem* Node(const QString& path) { return app->Node(path); }
  QTreeWidgetItem* Room(int32_t vnum) {
    TRoom* r = form().world().Rooms.Find(vnum);
    return r ? form().Tree().ItemOf(r) : nullptr;
  }
  void Select(QTreeWidgetItem* item) { form().TreeView1()->setCurrentItem(item); }
  void Answer(bool yes) { app->reporter.answer = yes; }
};

TEST(MainWindowMenus, ItemsShortcutsAndDisabledCommands) {
  MainWindow w;
  EXPECT_EQ(w.windowTitle(), QStringLiteral("Землемер"));
  QStringList menus;
  for (QAction* a : w.menuBar()->actions()) menus << a->text();
  EXPECT_EQ(menus, (QStringList{QStringLiteral("Файл"), QStringLiteral("Редактор"),
                                QStringLiteral("Окна"), QStringLiteral("Помощь")}));
  struct Item {
    const char* name;
    const char* key;
    bool enabled;
  };
  for (const Item& i : {Item{"MI_Open", "Ctrl+O", false}, Item{"MI_Restore", "", false},
                        Item{"MI_Save", "Ctrl+S", true}, Item{"MI_LoadZone", "F3", false},
                        Item{"MI_SaveZone", "F2", true}, Item{"MI_Settings", "F9", true},
                        Item{"MI_Exit", "F10", true}, Item{"MI_Add", "Ctrl+H", true},
                        Item{"MI_Delete", "Ctrl+Y", true}, Item{"MI_Copy", "Ctrl+C", false},
                        Item{"MI_Confirm", "", true}, Item{"MI_PCopy", "", false},
                        Item{"MI_Undo", "Ctrl+Z", false}, Item{"MI_Redo", "Ctrl+Shift+Z", false}}) {
    auto* a = w.findChild<QAction*>(QString::fromLatin1(i.name));
    ASSERT_NE(a, nullptr) << i.name;
    EXPECT_EQ(a->shortcut(), QKeySequence(QString::fromLatin1(i.key))) << i.name;
    EXPECT_EQ(a->isEnabled(), i.enabled) << i.name;
  }
  // The check mark toggles itself.
  auto* confirm = w.findChild<QAction*>(QStringLiteral("MI_Confirm"));
  confirm->trigger();
  EXPECT_TRUE(confirm->isChecked());
}

TEST_F(MainWindowTest, TreeIsFilledAndSorted) {
  QTreeWidgetItem* zones = Node(QStringLiteral("Зоны"));
  EXPECT_EQ(Captions(zones),
            (QStringList{QStringLiteral("[9] Девять"), QStringLiteral("[10] Десять"),
                         QStringLiteral("[12] Лес"), QStringLiteral("[30] Город")}));
  EXPECT_TRUE(zones->isExpanded());
  QTreeWidgetItem* z12 = Node(QStringLiteral("Зоны/[12] Лес"));
  EXPECT_EQ(Captions(z12), (QStringList{QStringLiteral("Карта"), QStringLiteral("Комнаты"),
                                        QStringLiteral("Объекты"), QStringLiteral("Мобы"),
                                        QStringLiteral("Магазины"), QStringLiteral("Триггеры")}));
  EXPECT_EQ(Captions(z12->child(1)),
            (QStringList{QStringLiteral("[1200] Комната 0"), QStringLiteral("[1201] Комната 1"),
                         QStringLiteral("[1202] Комната 2"), QStringLiteral("[1203] Комната 3"),
                         QStringLiteral("[1204] Комната 4")}));
  EXPECT_EQ(Captions(z12->child(2)),
            (QStringList{QStringLiteral("[1200] Объект 0"), QStringLiteral("[1201] Объект 1")}));
  EXPECT_EQ(z12->child(4)->childCount(), 1);
  EXPECT_EQ(z12->child(5)->childCount(), 1);
  // Rooms of a zone without zone file hang under the top-level group.
  EXPECT_EQ(Captions(Node(QStringLiteral("Комнаты"))),
            (QStringList{QStringLiteral("[7700] Комната 0"), QStringLiteral("[7701] Комната 1")}));
  EXPECT_EQ(form().Tree().FindGroupNode(77, kRoom), Node(QStringLiteral("Комнаты")));
  EXPECT_EQ(form().Tree().FindGroupNode(12, kRoom), z12->child(1));
  EXPECT_TRUE(app->reporter.errors.empty());
  EXPECT_TRUE(app->reporter.loadErrors.empty());
  EXPECT_EQ(form().LoadedWorldPath(), world);
}

TEST_F(MainWindowTest, OverviewShowsTheWorldWhileNoEditorIsOpen) {
  WorldOverview* overview = form().Overview();
  ASSERT_NE(overview, nullptr);
  EXPECT_TRUE(overview->isVisibleTo(&form()));
  QTreeWidget* zones = overview->ZoneList();
  ASSERT_EQ(zones->topLevelItemCount(), 4);  // zone 77 has no zone file
  QTreeWidgetItem* z12 = zones->topLevelItem(2);
  EXPECT_EQ(z12->text(0), QStringLiteral("[12] Лес"));
  EXPECT_EQ(z12->text(1), QStringLiteral("5"));  // rooms
  EXPECT_EQ(z12->text(5), QStringLiteral("1"));  // triggers

  // A zone line opens the zone's editor; the overview gives way to it and
  // comes back, up to date, when the last window closes.
  emit zones->itemActivated(z12, 0);
  FakeEditor* e = test::ActiveFake(form().Windows());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->linked, form().world().Zones.ByNumber(12));
  EXPECT_FALSE(overview->isVisibleTo(&form()));
  form().Changes().Mark(12, kRoom);
  form().Mdi()->closeAllSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(overview->isVisibleTo(&form()));
  EXPECT_FALSE(overview->ZoneList()->topLevelItem(2)->text(6).isEmpty());
}

TEST_F(MainWindowTest, PopupEnablingRules) {
  struct Case {
    QString node;
    bool inNew, add, del;
  } cases[] = {
      {QStringLiteral("Зоны"), false, true, false},
      {QStringLiteral("Комнаты"), false, true, false},
      {QStringLiteral("Зоны/[12] Лес"), true, true, true},
      {QStringLiteral("Зоны/[12] Лес/Карта"), true, false, false},
      {QStringLiteral("Зоны/[12] Лес/Объекты"), false, true, false},
      {QStringLiteral("Зоны/[12] Лес/Объекты/[1201] Объект 1"), true, true, true},
      {QStringLiteral("Комнаты/[7700] Комната 0"), true, true, true},
  };
  for (const Case& c : cases) {
    QTreeWidgetItem* item = Node(c.node);
    ASSERT_NE(item, nullptr) << c.node.toStdString();
    auto e = TreeController::EnablingFor(item);
    EXPECT_EQ(e.InNewWindow, c.inNew) << c.node.toStdString();
    EXPECT_EQ(e.Add, c.add) << c.node.toStdString();
    EXPECT_EQ(e.Delete, c.del) << c.node.toStdString();
    EXPECT_FALSE(e.Copy) << c.node.toStdString();
  }
  // Through the popup itself: the actions follow the node under the mouse,
  // and empty space shows no popup.
  form().resize(800, 570);
  form().show();
  QTreeWidget* view = form().TreeView1();
  QTreeWidgetItem* map = Node(QStringLiteral("Зоны/[12] Лес/Карта"));
  view->scrollToItem(map);
  ASSERT_TRUE(form().TreeControl().ContextPopup(view->visualItemRect(map).center(), false));
  EXPECT_EQ(form().TreeControl().ContextNode(), map);
  EXPECT_FALSE(form().findChild<QAction*>(QStringLiteral("MI_PAdd"))->isEnabled());
  EXPECT_TRUE(form().findChild<QAction*>(QStringLiteral("MI_InNewWindow"))->isEnabled());
  EXPECT_FALSE(form().TreeControl().ContextPopup(QPoint(5, view->viewport()->height() - 2), false));
  EXPECT_EQ(form().TreeControl().ContextNode(), map);
}

// Records what "Добавить" asks of the template dialog; optionally creates.
struct FakeTemplates : TemplateCreator {
  World* world = nullptr;
  std::vector<std::pair<RecordKind, int32_t>> calls;
  int32_t create = 0;  // a room vnum to create, 0 for none
  void LoadTemplates(const fs::path&) override {}
  TMUDClass* CreateFromTemplate(RecordKind kind, int32_t zone) override {
    calls.push_back({kind, zone});
    if (!create) return nullptr;
    auto r = std::make_unique<TRoom>(zone, create);
    r->Name = W("Новая");
    return world->Rooms.Add(std::move(r));
  }
};

TEST_F(MainWindowTest, AddOnEachKindOfNode) {
  auto owned = std::make_unique<FakeTemplates>();
  FakeTemplates* tmpl = owned.get();
  tmpl->world = &form().world();
  form().SetTemplates(std::move(owned));
  struct Case {
    QString node;
    bool zoneDialog;
    int kind;  // -1: the template dialog is not asked
    int32_t zone;
  } cases[] = {
      {QStringLiteral("Зоны"), true, -1, 0},
      {QStringLiteral("Зоны/[12] Лес"), true, -1, 0},
      {QStringLiteral("Комнаты"), false, -1, 0},
      {QStringLiteral("Зоны/[12] Лес/Комнаты"), false, kRoom, 12},
      {QStringLiteral("Зоны/[12] Лес/Комнаты/[1202] Комната 2"), false, kRoom, 12},
      {QStringLiteral("Зоны/[12] Лес/Магазины"), false, kShop, 12},
      {QStringLiteral("Зоны/[12] Лес/Карта"), false, -1, 0},
      {QStringLiteral("Комнаты/[7700] Комната 0"), false, kRoom, 77},
  };
  for (const Case& c : cases) {
    app->runner.shown.clear();
    tmpl->calls.clear();
    form().TreeControl().SetContextNode(Node(c.node));
    form().Commands().MI_PAddClick();
    EXPECT_EQ(app->runner.shown == std::vector<QString>{QStringLiteral("zm::NewZoneDialog")},
              c.zoneDialog)
        << c.node.toStdString();
    if (c.kind < 0) {
      EXPECT_TRUE(tmpl->calls.empty()) << c.node.toStdString();
    } else {
      ASSERT_EQ(tmpl->calls.size(), 1u) << c.node.toStdString();
      EXPECT_EQ(tmpl->calls[0], std::make_pair(RecordKind(c.kind), c.zone));
    }
  }

  // A created record is sorted in by number and selected (and edited).
  tmpl->create = 1299;
  QTreeWidgetItem* rooms = Node(QStringLiteral("Зоны/[12] Лес/Комнаты"));
  form().TreeControl().SetContextNode(rooms->child(0));
  form().Commands().MI_PAddClick();
  EXPECT_EQ(rooms->child(rooms->childCount() - 1)->text(0), QStringLiteral("[1299] Новая"));
  tmpl->create = 1250;
  form().Commands().MI_PAddClick();
  EXPECT_EQ(rooms->child(5)->text(0), QStringLiteral("[1250] Новая"));
  EXPECT_EQ(form().TreeView1()->currentItem(), rooms->child(5));
  EXPECT_EQ(test::ActiveFake(form().Windows())->linked, form().world().Rooms.Find(1250));
  EXPECT_TRUE(form().Changes().Any());
}

TEST_F(MainWindowTest, MainMenuAddAndDeleteNeedAnOpenEditor) {
  Select(Room(1202));  // the fake editor opens
  form().Windows().Area()->closeAllSubWindows();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_EQ(form().Windows().Count(), 0);
  Answer(true);
  form().Commands().MI_DeleteClick();
  EXPECT_TRUE(app->reporter.confirms.empty());
  EXPECT_NE(form().world().Rooms.Find(1202), nullptr);

  Select(Room(1201));
  ASSERT_EQ(form().Windows().Count(), 1);
  form().Commands().MI_DeleteClick();
  ASSERT_EQ(app->reporter.confirms.size(), 1u);
  EXPECT_EQ(WinToUtf8(app->reporter.confirms[0].text),
            "Вы хотите удалить комнату \"[1201] Комната 1\"?");
  EXPECT_EQ(form().world().Rooms.Find(1201), nullptr);
}

TEST_F(MainWindowTest, DeleteReselects) {
  struct Case {
    int32_t vnum;
    QString select;  // what is selected afterwards
    bool editorClosed;
  } cases[] = {
      {1202, QStringLiteral("[1203] Комната 3"), false},  // third of five: the new third
      {1204, QStringLiteral("[1203] Комната 3"), false},  // last: the new last
      {3000, QStringLiteral("Комнаты"), true},            // only child: its group
  };
  for (const Case& c : cases) {
    Answer(true);
    QTreeWidgetItem* item = Room(c.vnum);
    ASSERT_NE(item, nullptr);
    Select(item);
    ASSERT_EQ(form().Windows().Count(), 1);
    form().TreeControl().SetContextNode(item);
    form().Commands().MI_PDeleteClick();
    EXPECT_EQ(form().world().Rooms.Find(c.vnum), nullptr);
    QTreeWidgetItem* cur = form().TreeView1()->currentItem();
    ASSERT_NE(cur, nullptr);
    EXPECT_EQ(cur->text(0), c.select) << c.vnum;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(form().Windows().Count(), c.editorClosed ? 0 : 1) << c.vnum;
    if (!c.editorClosed)
      EXPECT_EQ(test::ActiveFake(form().Windows())->linked, WorldTree::RecordOf(cur));
  }
  // "No" keeps everything.
  Answer(false);
  form().TreeControl().SetContextNode(Room(1200));
  form().Commands().MI_PDeleteClick();
  EXPECT_NE(form().world().Rooms.Find(1200), nullptr);
}

TEST_F(MainWindowTest, DeletingAnOpenRecordUnlinksItsWindows) {
  Answer(true);
  // Two windows on room 1202: the active one and one behind it.
  Select(Room(1202));
  FakeEditor* first = test::ActiveFake(form().Windows());
  auto* second = new FakeEditor();
  form().Windows().AddWindow(second);
  second->linked = form().world().Rooms.Find(1202);
  TRoom* doomed = form().world().Rooms.Find(1202);

  form().TreeControl().SetContextNode(Room(1202));
  form().Commands().MI_PDeleteClick();
  EXPECT_EQ(first->forgotten, std::vector<TMUDClass*>{doomed});
  EXPECT_EQ(second->linked, nullptr);
  // Nothing was applied into the freed record on the way.
  for (TMUDClass* r : first->applied) EXPECT_NE(r, doomed);
  for (TMUDClass* r : second->applied) EXPECT_NE(r, doomed);
}

TEST_F(MainWindowTest, DeletingAZoneKeepsItsEntries) {
  Answer(true);
  Select(Room(1203));
  FakeEditor* editor = test::ActiveFake(form().Windows());
  editor->pendingName = W("Правка");
  TRoom* room = form().world().Rooms.Find(1203);
  TZone* zone = form().world().Zones.ByNumber(12);
  QTreeWidgetItem* zoneNode = Node(QStringLiteral("Зоны/[12] Лес"));
  form().TreeControl().SetContextNode(zoneNode);
  form().Commands().MI_PDeleteClick();
  EXPECT_EQ(WinToUtf8(app->reporter.confirms.back().text), "Вы хотите удалить зону \"[12] Лес\"?");
  EXPECT_EQ(form().world().Zones.ByNumber(12), nullptr);
  (void)zone;
  EXPECT_EQ(Captions(Node(QStringLiteral("Зоны"))),
            (QStringList{QStringLiteral("[9] Девять"), QStringLiteral("[10] Десять"),
                         QStringLiteral("[30] Город")}));
  EXPECT_EQ(form().TreeView1()->currentItem()->text(0), QStringLiteral("[30] Город"));
  // The room stays, without node; the editor applied it on the way out.
  ASSERT_EQ(form().world().Rooms.Find(1203), room);
  EXPECT_EQ(form().Tree().ItemOf(room), nullptr);
  EXPECT_EQ(WinToUtf8(room->Name), "Правка");
  for (const auto& line : form().world().Zones.ZoneNames()) EXPECT_NE(line.substr(0, 3), "12=");
}

TEST_F(MainWindowTest, SelectionAppliesThenEdits) {
  Select(Room(1200));
  FakeEditor* e = test::ActiveFake(form().Windows());
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->linked, form().world().Rooms.Find(1200));
  e->pendingName = W("Опушка");
  Select(Room(1201));
  EXPECT_EQ(WinToUtf8(form().world().Rooms.Find(1200)->Name), "Опушка");
  EXPECT_EQ(e->linked, form().world().Rooms.Find(1201));
  // A group node stores the edits and leaves the editor on its record: what
  // is typed there afterwards still reaches it.
  Select(Node(QStringLiteral("Зоны/[12] Лес/Объекты")));
  EXPECT_EQ(e->linked, form().world().Rooms.Find(1201));
  EXPECT_EQ(WinToUtf8(form().world().Rooms.Find(1201)->Name), "Опушка");
  EXPECT_EQ(form().Windows().Count(), 1);
  e->pendingName = W("Опушка леса");
  Select(Room(1202));
  EXPECT_EQ(WinToUtf8(form().world().Rooms.Find(1201)->Name), "Опушка леса");
}

TEST_F(MainWindowTest, CtrlClickDropsTheRecordAndKeepsTheSelection) {
  form().resize(800, 570);
  form().show();
  QTreeWidget* view = form().TreeView1();
  Node(QStringLiteral("Зоны/[12] Лес"))->setExpanded(true);
  Node(QStringLiteral("Зоны/[12] Лес/Комнаты"))->setExpanded(true);
  QTreeWidgetItem* target = Room(1203);
  auto click = [&] {
    view->scrollToItem(target);
    QPoint p = view->visualItemRect(target).center();
    QMouseEvent press(QEvent::MouseButtonPress, p, view->viewport()->mapToGlobal(p), Qt::LeftButton,
                      Qt::LeftButton, Qt::ControlModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, p, view->viewport()->mapToGlobal(p),
                        Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    QCoreApplication::sendEvent(view->viewport(), &press);
    QCoreApplication::sendEvent(view->viewport(), &release);
  };
  // Without an editor nothing happens.
  Select(Node(QStringLiteral("Зоны/[12] Лес/Комнаты")));
  click();
  EXPECT_EQ(view->currentItem(), Node(QStringLiteral("Зоны/[12] Лес/Комнаты")));

  Select(Room(1200));
  FakeEditor* e = test::ActiveFake(form().Windows());
  click();
  EXPECT_EQ(view->currentItem(), Room(1200));
  // The right button does not select either: it only opens the popup.
  {
    QPoint p = view->visualItemRect(target).center();
    QMouseEvent press(QEvent::MouseButtonPress, p, view->viewport()->mapToGlobal(p),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QCoreApplication::sendEvent(view->viewport(), &press);
    EXPECT_EQ(view->currentItem(), Room(1200));
  }
  EXPECT_EQ(e->accepted, std::vector<TMUDClass*>{form().world().Rooms.Find(1203)});
  EXPECT_EQ(e->linked, form().world().Rooms.Find(1200));
}

TEST_F(MainWindowTest, InNewWindowOpensASecondEditor) {
  Select(Room(1200));
  form().TreeControl().SetContextNode(Room(1201));
  form().Commands().MI_InNewWindowClick();
  std::vector<TMUDClass*> linked;
  for (RecordEditor* e : form().Windows().All())
    if (e->LinkedRecord()) linked.push_back(e->LinkedRecord());
  EXPECT_EQ(linked.size(), 2u);
  EXPECT_EQ(test::ActiveFake(form().Windows())->linked, form().world().Rooms.Find(1201));
  // Both have their entry in the "Окна" menu.
  QMenu* windows = form().findChild<QMenu*>(QStringLiteral("MM_Window"));
  EXPECT_GE(windows->actions().size(), 3 + 3);
}

// Every file of the world folder with its size, to see what a command wrote.
std::map<std::string, std::string> Files(const fs::path& dir) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(dir))
    if (e.is_regular_file())
      out[e.path().lexically_relative(dir).generic_string()] = test::ReadFile(e.path());
  return out;
}

std::set<std::string> Changed(const std::map<std::string, std::string>& a,
                              const std::map<std::string, std::string>& b) {
  std::set<std::string> out;
  for (const auto& [k, v] : b)
    if (!a.count(k) || a.at(k) != v) out.insert(k);
  return out;
}

TEST_F(MainWindowTest, SaveCommandsWriteOnlyTheirFiles) {
  // A placed room, so that the map file goes with the rooms.
  TRoom* placed = form().world().Rooms.Find(1200);
  placed->MapX = placed->MapY = 5;
  placed->MapZ = 3;
  struct Case {
    QString node;
    bool wholeZone;
    std::set<std::string> written;
  } cases[] = {
      {QStringLiteral("Зоны/[12] Лес/Комнаты/[1201] Комната 1"),
       false,
       {"WLD/12.wld", "WLD/12.map"}},
      {QStringLiteral("Зоны/[12] Лес/Объекты/[1200] Объект 0"), false, {"OBJ/12.obj"}},
      {QStringLiteral("Зоны/[12] Лес/Магазины"), false, {}},
      {QStringLiteral("Зоны/[12] Лес"), false, {"ZON/12.zon"}},
      {QStringLiteral("Зоны/[12] Лес/Карта"), false, {}},
      {QStringLiteral("Комнаты/[7700] Комната 0"), false, {"WLD/77.wld"}},
      {QStringLiteral("Комнаты"), true, {}},
      {QStringLiteral("Зоны/[12] Лес/Объекты"),
       true,
       {"ZON/12.zon", "WLD/12.wld", "WLD/12.map", "OBJ/12.obj", "MOB/12.mob", "SHP/12.shp",
        "TRG/12.trg"}},
  };
  // The files are taken away behind the editor's back: writing them again is
  // what the test asks for.
  app->reporter.choice = 0;
  for (const Case& c : cases) {
    for (const auto& [name, bytes] : Files(world)) fs::remove(world / name);
    Select(Node(c.node));
    if (c.wholeZone)
      form().Commands().MI_SaveZoneClick();
    else
      form().Commands().MI_SaveClick();
    std::set<std::string> written;
    for (const auto& [name, bytes] : Files(world)) written.insert(name);
    EXPECT_EQ(written, c.written) << c.node.toStdString();
  }
  EXPECT_TRUE(app->reporter.errors.empty());
}

TEST_F(MainWindowTest, SaveAppliesTheEditorFirst) {
  Select(Room(1202));
  test::ActiveFake(form().Windows())->pendingName = W("Новое имя");
  form().Commands().MI_SaveClick();
  EXPECT_NE(test::ReadFile(world / "WLD" / "12.wld").find(W("Новое имя")), std::string::npos);
  // Still linked: saving does not move the selection.
  EXPECT_EQ(test::ActiveFake(form().Windows())->linked, form().world().Rooms.Find(1202));
}

TEST_F(MainWindowTest, ExitWithoutChangesOnlyAsksToLeave) {
  auto before = Files(world);
  form().SettingsWindow()->CheckBox(2)->setChecked(true);
  Select(Room(1202));  // viewing and applying unchanged controls is no change
  Select(Room(1203));
  Answer(false);
  EXPECT_FALSE(form().close());
  Answer(true);
  EXPECT_TRUE(form().close());
  ASSERT_EQ(app->reporter.confirms.size(), 2u);
  EXPECT_EQ(WinToUtf8(app->reporter.confirms[1].text), "Вы хотите выйти?");
  EXPECT_TRUE(app->runner.shown.empty());
  EXPECT_EQ(before, Files(world));
  EXPECT_TRUE(fs::exists(tmp / "app" / "ZEMLEMER.INI"));
}

// Unsaved zones at exit, whatever the setting: save (asking about a file read
// with errors, as the save command does), don't save, or stay.
TEST(MainWindowExit, UnsavedZonesAskToSave) {
  struct Case {
    const char* name;
    bool setting;
    int button;
    bool lossy, overwrite;
    bool closes, written;
  } cases[] = {
      {"save", false, QMessageBox::Save, false, false, true, true},
      {"save, setting on", true, QMessageBox::Save, false, false, true, true},
      {"don't save", false, QMessageBox::Discard, false, false, true, false},
      {"cancel", true, QMessageBox::Cancel, false, false, false, false},
      {"a file read with errors, kept", false, QMessageBox::Save, true, false, false, false},
      {"a file read with errors, written", false, QMessageBox::Save, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir tmp;
    const fs::path rooms = tmp / "world" / "WLD" / "12.wld";
    test::WriteWorld(tmp / "world", SampleWorld());
    if (c.lossy) {
      std::string text = test::ReadFile(rooms);
      text.insert(text.find("\r\nS\r\n") + 5, "junk\r\n");
      test::WriteFile(rooms, text);
    }
    const std::string before = test::ReadFile(rooms);
    Started app(test::MakeAppDir(tmp / "app", true), tmp / "world");
    MainWindow& form = *app.form;
    form.SettingsWindow()->CheckBox(2)->setChecked(c.setting);
    form.TreeView1()->setCurrentItem(form.Tree().ItemOf(form.world().Rooms.Find(1202)));
    // Typed but not applied yet: the open editor's edits count.
    test::ActiveFake(form.Windows())->pendingName = W("Правка");
    app.runner.answer = [&](QDialog& d) {
      auto* box = qobject_cast<QMessageBox*>(&d);
      EXPECT_NE(box, nullptr);
      if (!box) return 0;
      EXPECT_EQ(box->text(), QStringLiteral("Сохранить изменения?"));
      EXPECT_TRUE(box->informativeText().contains(QStringLiteral("[12] Лес")));
      return c.button;
    };
    app.reporter.answers = {{static_cast<int>(ConfirmMsg::LossySave), c.overwrite}};
    EXPECT_EQ(form.close(), c.closes);
    EXPECT_EQ(app.runner.shown.size(), 1u);
    int lossy = 0;
    for (const auto& q : app.reporter.confirms) {
      EXPECT_NE(q.n, static_cast<int>(ConfirmMsg::Exit));
      if (q.n == static_cast<int>(ConfirmMsg::LossySave)) ++lossy;
    }
    EXPECT_EQ(lossy, c.lossy ? 1 : 0);
    EXPECT_EQ(test::ReadFile(rooms) != before, c.written);
    if (c.written) EXPECT_NE(test::ReadFile(rooms).find(W("Правка")), std::string::npos);
  }
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

// Another live editor on this host has the world open (process 1 always runs).
TEST(MainWindowLock, ASecondEditorIsWarnedAndMayOpenItAnyway) {
  test::TempDir tmp;
  const fs::path world = tmp / "world";
  test::WriteWorld(world, {test::ZoneOutline{12, "Лес", 2}});
  char host[256] = {};
  gethostname(host, sizeof host - 1);
  const std::string other = std::string("host=") + host + "\npid=1\nstarted=2026-12-08 09:00:00\n";
  const fs::path appDir = test::MakeAppDir(tmp / "app", true);
  for (bool anyway : {false, true}) {
    SCOPED_TRACE(anyway);
    test::WriteFile(WorldLock::LockPath(world), other);
    test::GuiTestReporter reporter;
    reporter.answers[static_cast<int>(ConfirmMsg::WorldLocked)] = anyway;
    test::FakeRunner runner;
    StartOptions o;
    o.AppDir = appDir;
    o.WorldOverride = world;
    o.SettingsFile = tmp / "app" / "ZEMLEMER.INI";
    o.reporter = &reporter;
    o.runner = &runner;
    {
      MainWindow form(o);
      form.FormActivate();
      ASSERT_EQ(reporter.confirms.size(), 1u);
      EXPECT_EQ(reporter.confirms[0].n, static_cast<int>(ConfirmMsg::WorldLocked));
      EXPECT_NE(WinToUtf8(reporter.confirms[0].text).find("процесс 1"), std::string::npos);
      EXPECT_EQ(form.world().Rooms.Count(), anyway ? 2 : 0);
      // Opened anyway, the lock is this editor's until it closes.
      EXPECT_EQ(test::ReadFile(WorldLock::LockPath(world)) == other, !anyway);
    }
    EXPECT_EQ(fs::exists(WorldLock::LockPath(world)), !anyway);
  }
}

}  // namespace
}  // namespace zm
