#include "editors/mapeditor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

#include "gui/guitestutil.h"
#include "io/mapfile.h"
#include "load/saving.h"
#include "load/zonecheck.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

using test::Started;
using test::TempDir;

struct Cell {
  int x, y, z;
};

struct MapEditorTest : ::testing::Test {
  TempDir tmp;
  fs::path dir = tmp / "world";
  std::unique_ptr<Started> app;

  void SetUp() override {
    test::WriteWorld(dir, {{30, "Город", 100, 2, 1}, {31, "Лес", 3}});
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), dir);
    RegisterMapEditor(app->form->Host());
  }
  void TearDown() override {
    // The editors go before their child windows do.
    for (QMdiSubWindow* sub : app->form->Mdi()->subWindowList()) {
      QWidget* editor = sub->widget();
      sub->setWidget(nullptr);
      delete editor;
    }
  }
  World& world() { return app->form->world(); }
  TRoom& Room(int32_t vnum) { return *world().Rooms.Find(vnum); }
  void Put(int32_t vnum, Cell c) {
    Room(vnum).MapX = c.x;
    Room(vnum).MapY = c.y;
    Room(vnum).MapZ = c.z;
  }
  Cell At(int32_t vnum) { return {Room(vnum).MapX, Room(vnum).MapY, Room(vnum).MapZ}; }
  MapEditor* Open(int32_t zone = 30) {
    TZoneMap* map = world().ZoneMaps.Items(world().ZoneMaps.FindByNumber(zone));
    app->form->Windows().Edit(*map);
    return qobject_cast<MapEditor*>(EditorWindow::Current(app->form->Host(), kZoneMap));
  }
  static int ListRow(MapEditor* f, int32_t vnum) {
    for (int i = 0; i < f->RoomList().MapRoomsListBox->count(); ++i)
      if (f->RoomList().MapRoomsListBox->item(i)->text().startsWith(
              QStringLiteral("[%1]").arg(vnum)))
        return i;
    return -1;
  }
  // As the user does it: the cell, the room in the list, the button.
  static void Place(MapEditor* f, int32_t vnum, Cell c) {
    while (f->Level() < c.z) f->LevelPanel().MapIncZBtnClick();
    while (f->Level() > c.z) f->LevelPanel().MapDecZBtnClick();
    f->MapDrawGrid->SetCurrentCell(c.x, c.y);
    f->RoomList().MapRoomsListBox->setCurrentRow(ListRow(f, vnum));
    f->RoomList().MapRoomAddBtnClick();
  }
  static void Type(QWidget* w, const QString& text) {
    for (QChar ch : text) {
      QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(ch));
      QApplication::sendEvent(w, &press);
    }
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(w, &enter);
  }
  std::array<int32_t, kDirections> Targets(int32_t vnum) {
    std::array<int32_t, kDirections> out{};
    for (int d = 0; d < kDirections; ++d) out[d] = Room(vnum).Exits[d].ToRoom;
    return out;
  }
};

TEST_F(MapEditorTest, PlacingLinksEveryNeighbourBothWays) {
  // West, north, east, south, up, down of (5,5,3), and one diagonal.
  const std::pair<int32_t, Cell> around[] = {
      {3001, {4, 5, 3}}, {3002, {5, 4, 3}}, {3003, {6, 5, 3}}, {3004, {5, 6, 3}},
      {3005, {5, 5, 4}}, {3006, {5, 5, 2}}, {3007, {6, 6, 3}}};
  for (const auto& [vnum, cell] : around) Put(vnum, cell);
  TRoomExit& old = Room(3000).Exits[kEast];
  old.ToRoom = 3101;  // into another zone
  old.Keywords = "door";
  old.DoorFlags = 1;
  Room(3001).Exits[kEast].ToRoom = 3099;
  Room(3001).Exits[kEast].Key = 3050;
  Room(3007).Exits[kWest].ToRoom = 3050;
  MapEditor* f = Open();
  const int row = ListRow(f, 3000);
  Place(f, 3000, {5, 5, 3});

  EXPECT_EQ(Targets(3000), (std::array<int32_t, 6>{3002, 3003, 3004, 3001, 3005, 3006}));
  for (int d = 0; d < kDirections; ++d) {
    const TRoomExit& e = Room(3000).Exits[d];
    EXPECT_TRUE(e.Keywords.empty() && e.DoorFlags == 0 && e.Key == -1) << d;
  }
  const int opposite[] = {kSouth, kWest, kNorth, kEast, kDown, kUp};
  for (int d = 0; d < kDirections; ++d)
    EXPECT_EQ(Room(Targets(3000)[d]).Exits[opposite[d]].ToRoom, 3000) << d;
  EXPECT_EQ(Room(3001).Exits[kEast].Key, -1);
  EXPECT_EQ(Room(3007).Exits[kWest].ToRoom, 3050);
  EXPECT_EQ(f->Grid().At(5, 5, 3), 3000);
  EXPECT_EQ(f->SelectedRoom(), 3000);
  EXPECT_EQ(ListRow(f, 3000), -1);
  EXPECT_EQ(f->RoomList().MapRoomsListBox->currentRow(), row);
  EXPECT_EQ(f->Exits().ME_Panel[kEast]->text(), QStringLiteral("3003"));
}

TEST_F(MapEditorTest, NeighboursBeyondTheEdgeAreEmpty) {
  struct Case {
    Cell cell;
    int emptied;
  };
  const Case cases[] = {{{5, 0, 3}, kNorth}, {{0, 5, 3}, kWest}, {{5, 99, 3}, kSouth},
                        {{99, 5, 3}, kEast}, {{5, 5, 9}, kUp},   {{5, 5, 1}, kDown}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.emptied);
    for (int d = 0; d < kDirections; ++d) Room(3000).Exits[d].ToRoom = 3001;
    Put(3000, {-1, -1, -1});
    MapEditor* f = Open();
    Place(f, 3000, c.cell);
    EXPECT_EQ(Room(3000).Exits[c.emptied].ToRoom, -1);
    EXPECT_EQ(Targets(3000), (std::array<int32_t, 6>{-1, -1, -1, -1, -1, -1}));
  }
}

TEST_F(MapEditorTest, PlacingOnAnOccupiedCellReturnsThePreviousRoom) {
  for (bool autoLink : {true, false}) {
    SCOPED_TRACE(autoLink);
    Put(3001, {2, 2, 3});
    Put(3000, {-1, -1, -1});
    Room(3001).Exits[kNorth].ToRoom = 3050;
    MapEditor* f = Open();
    f->LevelPanel().MapAutoLinkCheckBox->setChecked(autoLink);
    Place(f, 3000, {2, 2, 3});
    EXPECT_EQ(f->Grid().At(2, 2, 3), 3000);
    EXPECT_EQ(At(3001).x, -1);
    EXPECT_EQ(At(3001).z, -1);
    EXPECT_GE(ListRow(f, 3001), 0);
    EXPECT_EQ(Room(3001).Exits[kNorth].ToRoom, 3050);
  }
}

TEST_F(MapEditorTest, TakingOffKeepsTheExits) {
  Put(3000, {7, 8, 3});
  Room(3000).Exits[kUp].ToRoom = 3001;
  MapEditor* f = Open();
  f->MapDrawGrid->SetCurrentCell(7, 8);
  EXPECT_EQ(f->SelectedRoom(), 3000);
  f->RoomList().MapRoomDelBtnClick();
  EXPECT_EQ(At(3000).z, -1);
  EXPECT_EQ(f->Grid().At(7, 8, 3), -1);
  EXPECT_EQ(f->RoomList().MapRoomsListBox->currentRow(), ListRow(f, 3000));
  EXPECT_EQ(Room(3000).Exits[kUp].ToRoom, 3001);
  EXPECT_TRUE(f->Exits().MapRoomPanel->isVisibleTo(f));
}

TEST_F(MapEditorTest, RoomsTheGridCannotShowAreListedAndKeepTheirPlace) {
  Put(3000, {3, 3, 3});
  Put(3001, {120, 5, 3});  // as an arrangement of a long chain gives
  Put(3002, {5, -7, 3});
  Put(3003, {5, 5, 12});
  Put(3004, {3, 3, 3});  // a cell already taken
  MapEditor* f = Open();
  for (int32_t vnum : {3001, 3002, 3003, 3004}) EXPECT_GE(ListRow(f, vnum), 0) << vnum;
  EXPECT_EQ(ListRow(f, 3000), -1);
  EXPECT_EQ(f->RoomList().MapRoomsListBox->count(), 99);
  app->form->App().ApplyActiveEditor(true);
  EXPECT_EQ(At(3001).x, 120);
  EXPECT_EQ(At(3003).z, 12);
  f = Open();
  Place(f, 3001, {9, 9, 3});
  EXPECT_EQ(At(3001).x, 9);
}

TEST_F(MapEditorTest, TargetRoomTypedOrChosen) {
  Put(3000, {1, 1, 3});
  Room(3000).Exits[kEast].ToRoom = 3001;
  MapEditor* f = Open();
  f->MapDrawGrid->SetCurrentCell(1, 1);
  f->Exits().ME_PanelClick(kNorth);
  EXPECT_EQ(f->Exits().MR_EZComboBox->currentData().toInt(), 0);  // an empty exit: all zones
  f->Exits().ME_PanelClick(kEast);
  EXPECT_EQ(f->Exits().MR_EZComboBox->currentData().toInt(), 30);
  // The zone choice narrows the list to zone 31; 3001 is then not listed.
  f->Exits().MR_EZComboBox->setCurrentIndex(f->Exits().MR_EZComboBox->findData(31));
  f->Exits().MR_EZComboBoxChange();
  ASSERT_EQ(f->Exits().MR_ERComboBox->findData(3001), -1);

  struct Case {
    QString typed;  // empty: choose the entry with `vnum` from the list
    int32_t vnum, expected;
  };
  const Case cases[] = {{QStringLiteral("3001"), 0, 3001}, {QString(), -1, -1},
                        {QString(), 3101, 3101},           {QStringLiteral("abc"), 0, -1},
                        {QStringLiteral("3050"), 0, 3050}, {QStringLiteral("0"), 0, -1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString() + " " + std::to_string(c.vnum));
    f->Exits().MR_EZComboBox->setCurrentIndex(f->Exits().MR_EZComboBox->findData(31));
    f->Exits().MR_EZComboBoxChange();
    if (c.typed.isEmpty()) {
      const int i = f->Exits().MR_ERComboBox->findData(c.vnum);
      ASSERT_GE(i, 0);
      f->Exits().MR_ERComboBox->setCurrentIndex(i);
      emit f->Exits().MR_ERComboBox->activated(i);
    } else {
      f->Exits().MR_ERComboBox->lineEdit()->clear();
      Type(f->Exits().MR_ERComboBox->lineEdit(), c.typed);
    }
    EXPECT_EQ(Room(3000).Exits[kEast].ToRoom, c.expected);
    EXPECT_EQ(f->Exits().ME_Panel[kEast]->text(),
              c.expected > 0 ? QString::number(c.expected) : QString());
    EXPECT_EQ(Room(3001).Exits[kWest].ToRoom, -1);  // the other side stays
  }
}

TEST_F(MapEditorTest, ExitFieldsAreStoredAndShowingStoresNothing) {
  Put(3000, {1, 1, 3});
  TRoomExit& e = Room(3000).Exits[kSouth];
  e.ToRoom = 3001;
  e.Keywords = W("дверь");
  e.DoorFlags = 77;  // not in the dictionary
  e.ExitExtra = "0 0 185 0";
  const TRoom before = Room(3000);
  MapEditor* f = Open();
  f->MapDrawGrid->SetCurrentCell(1, 1);
  for (int d : {kSouth, kNorth, kSouth}) f->Exits().ME_PanelClick(d);
  EXPECT_TRUE(f->Exits().MR_EStdPanel->isVisibleTo(f));
  f->MapDrawGrid->SetCurrentCell(2, 2);
  app->form->App().ApplyActiveEditor(true);
  EXPECT_TRUE(Room(3000) == before);

  f = Open();
  f->MapDrawGrid->SetCurrentCell(1, 1);
  f->Exits().ME_PanelClick(kSouth);
  f->Exits().MR_EDescEdit->setText(QStringLiteral("Узкий проход"));
  emit f->Exits().MR_EDescEdit->editingFinished();
  f->Exits().MR_ENameEdit->setText(QStringLiteral("решетка"));
  f->Exits().MR_EStateComboBox->setCurrentIndex(1);
  emit f->Exits().MR_EStateComboBox->activated(1);
  f->Exits().MR_EKeyEdit->setValue(3005);
  f->Exits().MR_EDoorComboBox->setCurrentIndex(2);
  emit f->Exits().MR_EDoorComboBox->activated(2);
  f->Exits().ME_PanelClick(kNorth);  // the keywords typed so far go with the exit
  EXPECT_EQ(e.Description, W("Узкий проход"));
  EXPECT_EQ(e.Keywords, W("решетка"));
  EXPECT_EQ(e.DoorFlags, 1);
  EXPECT_EQ(e.Key, 3005);
  EXPECT_EQ(e.DefaultState, 2);
  EXPECT_EQ(e.ToRoom, 3001);
}

TEST_F(MapEditorTest, GoingToTheExitsTarget) {
  Put(3000, {1, 1, 3});
  Put(3001, {4, 4, 7});
  Room(3000).Exits[kNorth].ToRoom = 3001;  // placed, on level 7
  Room(3000).Exits[kEast].ToRoom = 3002;   // unplaced
  Room(3000).Exits[kDown].ToRoom = 3101;   // in zone 31
  Put(3101, {0, 0, 1});
  struct Case {
    int dir;
    int32_t selected, listed;
    int level;
    QString title;
  };
  const Case cases[] = {{kNorth, 3001, -1, 7, QStringLiteral("карта [30] Город")},
                        {kEast, 3002, 3002, 3, QStringLiteral("карта [30] Город")},
                        {kDown, 3101, -1, 1, QStringLiteral("карта [31] Лес")}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dir);
    MapEditor* f = Open();
    while (f->Level() > 3) f->LevelPanel().MapDecZBtnClick();
    while (f->Level() < 3) f->LevelPanel().MapIncZBtnClick();
    f->MapDrawGrid->SetCurrentCell(1, 1);
    f->Exits().ME_PanelClick(c.dir);
    EXPECT_TRUE(f->Exits().MapGoExitBtn->isVisibleTo(f));
    f->Exits().MapGoExitBtnClick();
    f = qobject_cast<MapEditor*>(EditorWindow::Current(app->form->Host(), kZoneMap));
    EXPECT_EQ(f->SelectedRoom(), c.selected);
    EXPECT_EQ(f->Level(), c.level);
    EXPECT_EQ(f->windowTitle(), c.title);
    if (c.listed > 0) {
      EXPECT_EQ(f->RoomList().MapRoomsListBox->currentRow(), ListRow(f, c.listed));
    }
  }
}

TEST_F(MapEditorTest, LevelStaysWithinOneToNine) {
  MapEditor* f = Open();
  EXPECT_EQ(f->LevelPanel().MapZLabel->text(), QStringLiteral("3"));
  for (int i = 0; i < 5; ++i) f->LevelPanel().MapDecZBtn->click();
  EXPECT_EQ(f->Level(), 1);
  for (int i = 0; i < 12; ++i) f->LevelPanel().MapIncZBtn->click();
  EXPECT_EQ(f->Level(), 9);
  EXPECT_EQ(f->LevelPanel().MapZLabel->text(), QStringLiteral("9"));
}

TEST_F(MapEditorTest, CtrlInvertsAutoLinkingWhileHeld) {
  MapEditor* f = Open();
  auto key = [&](QEvent::Type t) {
    QKeyEvent e(t, Qt::Key_Control, t == QEvent::KeyPress ? Qt::ControlModifier : Qt::NoModifier);
    QApplication::sendEvent(f->MapDrawGrid, &e);
  };
  key(QEvent::KeyPress);
  EXPECT_FALSE(f->LevelPanel().MapAutoLinkCheckBox->isChecked());
  EXPECT_FALSE(f->LevelPanel().MapAutoLinkCheckBox->isEnabled());
  key(QEvent::KeyPress);  // repeated while held
  EXPECT_FALSE(f->LevelPanel().MapAutoLinkCheckBox->isChecked());
  key(QEvent::KeyRelease);
  EXPECT_TRUE(f->LevelPanel().MapAutoLinkCheckBox->isChecked());
  EXPECT_TRUE(f->LevelPanel().MapAutoLinkCheckBox->isEnabled());
}

TEST_F(MapEditorTest, ArrangementAsksFirstAndShowsTheResult) {
  Room(3000).Exits[kNorth].ToRoom = 3001;
  Room(3001).Exits[kSouth].ToRoom = 3000;
  for (bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    MapEditor* f = Open();
    app->reporter.answer = yes;
    f->LevelPanel().AutoArrangBtnClick();
    EXPECT_EQ(app->reporter.confirms.back().n, 6);
    EXPECT_EQ(ListRow(f, 3000) < 0, yes);
    EXPECT_EQ(ListRow(f, 3001) < 0, yes);
    // The map shows the level the rooms are on, not an empty one.
    EXPECT_EQ(f->Level(), yes ? At(3000).z : 3);
  }
  EXPECT_EQ(At(3000).y, At(3001).y + 1);
  EXPECT_EQ(At(3000).x, At(3001).x);
  EXPECT_EQ(At(3000).z, At(3001).z);
}

TEST_F(MapEditorTest, MouseOverShowsTheRoomAndGoSelectsItsNode) {
  Put(3000, {0, 0, 3});
  TRoomMob m;
  m.ID = 3000;
  Room(3000).Mobs.Add(m);
  MapEditor* f = Open();
  f->MapDrawGridMouseMove(0, 0);
  EXPECT_EQ(f->Overview().MapRoomText->text(), QStringLiteral("[3000] Комната 0\nм [3000] Моб 0"));
  EXPECT_EQ(f->LevelPanel().MapXLabel->text(), QStringLiteral("0"));
  f->MapDrawGridMouseMove(1, 0);
  EXPECT_EQ(f->Overview().MapRoomText->text(), QString());
  f->MapDrawGrid->SetCurrentCell(0, 0);
  f->Exits().MapGoBtnClick();
  EXPECT_EQ(WorldTree::RecordOf(app->form->TreeView1()->currentItem()), &Room(3000));
}

// The unplaced list, the zone's count of unplaced rooms and the saved map
// file tell the same rooms: those a map file puts on a taken cell or off the
// grid, and those of a real zone after "Авто", which never shares a cell.
TEST(MapEditorRooms, UnplacedListCountAndSavedMapAgree) {
  struct Case {
    const char* name;
    fs::path source;  // empty: a small world with a map file
    int32_t zone;
    int unplaced;
  } cases[] = {
      {"a map file", {}, 30, 3},  // 3001 on 3000's cell, 3002 off it, 3004 not in it
      {"real zone 40 arranged", fs::path(ZEMLEMER_REALWORLD) / "bylins", 40, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir tmp;
    const fs::path dir = tmp / "world";
    if (c.source.empty()) {
      test::WriteWorld(dir, {{30, "Город", 5}});
      test::WriteFile(dir / "WLD" / "30.map",
                      "3000 5 5 1\r\n3001 5 5 1\r\n3002 120 0 1\r\n3003 6 5 1\r\n");
    } else if (fs::exists(c.source)) {
      fs::copy(c.source, dir, fs::copy_options::recursive);
      for (const auto& e : fs::recursive_directory_iterator(dir))
        fs::permissions(e.path(), fs::perms::owner_write, fs::perm_options::add);
    } else {
      continue;
    }
    Started app(test::MakeAppDir(tmp / "app", true), dir);
    RegisterMapEditor(app.form->Host());
    World& w = app.form->world();
    app.form->Windows().Edit(*w.ZoneMaps.Items(w.ZoneMaps.FindByNumber(c.zone)));
    auto* f = qobject_cast<MapEditor*>(EditorWindow::Current(app.form->Host(), kZoneMap));
    ASSERT_NE(f, nullptr);
    if (!c.source.empty()) {
      app.reporter.answer = true;
      f->LevelPanel().AutoArrangBtnClick();
      f = qobject_cast<MapEditor*>(EditorWindow::Current(app.form->Host(), kZoneMap));
    }
    int onGrid = 0;
    for (int z = 1; z <= ZoneGrid::kLevels; ++z)
      for (int y = 0; y < ZoneGrid::kRows; ++y)
        for (int x = 0; x < ZoneGrid::kCols; ++x) onGrid += f->Grid().At(x, y, z) >= 0;
    const ZoneCheckResult check = CheckZone(w, c.zone);
    EXPECT_EQ(f->RoomList().MapRoomsListBox->count(), c.unplaced);
    EXPECT_EQ(check.Unplaced, c.unplaced);
    EXPECT_EQ(onGrid, check.Rooms - c.unplaced);
    // The map file's unshown positions were noted: the save asks first.
    const fs::path mapPath = RoomMapPath(w.Zones.ByNumber(c.zone)->RoomFilename.Path);
    EXPECT_EQ(w.Files.LossyFor(mapPath, c.zone), c.source.empty());
    app.reporter.answer = true;
    ASSERT_TRUE(SaveZoneKind(w, c.zone, kRoom).ok);
    const std::string map =
        test::ReadFile(RoomMapPath(w.Zones.ByNumber(c.zone)->RoomFilename.Path));
    int saved = 0;
    for (size_t at = map.find(" -1 -1 -1"); at != std::string::npos;
         at = map.find(" -1 -1 -1", at + 1))
      ++saved;
    EXPECT_EQ(saved, c.unplaced);
  }
}

// Not a timed assertion: the figure goes to the test's output.
TEST_F(MapEditorTest, PaintingAFullZone) {
  MapEditor* f = nullptr;
  qint64 worst = 0, worstShown = 0;
  QImage whole(ZoneGrid::kCols * MapGridWidget::kPitch, ZoneGrid::kRows * MapGridWidget::kPitch,
               QImage::Format_RGB32);
  auto paint = [&] {
    QElapsedTimer t;
    t.start();
    QPainter p(&whole);
    f->MapDrawGrid->PaintCells(p, whole.rect());
    return t.nsecsElapsed() / 1000;
  };
  for (int level = 1; level <= ZoneGrid::kLevels; ++level) {
    for (int i = 0; i < 100; ++i) {
      Put(3000 + i, {i % 10 * 3, i / 10 * 3, level});
      Room(3000 + i).Exits[i % 6].ToRoom = 3000 + (i + 1) % 100;
    }
    f = Open();
    while (f->Level() < level) f->LevelPanel().MapIncZBtnClick();
    while (f->Level() > level) f->LevelPanel().MapDecZBtnClick();
    f->MapDrawGrid->SetCurrentCell(50, 50);
    // The best of a few runs: the machine is shared, the cost is the least.
    qint64 best = INT64_MAX, bestShown = INT64_MAX;
    for (int run = 0; run < 5; ++run) {
      best = std::min(best, paint());
      QElapsedTimer t;
      t.start();
      const QPixmap shown = f->MapDrawGrid->grab();
      bestShown = std::min(bestShown, t.nsecsElapsed() / 1000);
      EXPECT_FALSE(shown.isNull());
    }
    worst = std::max(worst, best);
    worstShown = std::max(worstShown, bestShown);
    EXPECT_EQ(whole.pixel(0, 0), qRgb(255, 255, 255)) << "the tile's lit edge";
    EXPECT_EQ(whole.pixel(1, 1), qRgb(192, 192, 192)) << "the tile's face";
    EXPECT_EQ(whole.pixel(16, 1), qRgb(192, 192, 192)) << "the grid line";
  }
  std::printf("[ map ] 100 rooms, worst level: whole grid %.1f ms, the window's view %.1f ms\n",
              static_cast<double>(worst) / 1000.0, static_cast<double>(worstShown) / 1000.0);
  // The selected room is drawn inverted, the focused cell framed in blue.
  f->MapDrawGrid->SetCurrentCell(0, 0);
  paint();
  EXPECT_EQ(whole.pixel(0, 0), qRgb(0, 0, 255));
  EXPECT_EQ(whole.pixel(1, 1), qRgb(63, 63, 63));
  EXPECT_EQ(whole.pixel(3 * MapGridWidget::kPitch + 1, 1), qRgb(192, 192, 192));
}

}  // namespace
}  // namespace zm
