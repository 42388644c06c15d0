#include "editors/zoneeditor.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "app/commands.h"
#include "app/settings.h"
#include "app/treecontrol.h"
#include "app/zonemovedialog.h"
#include "editors/roomeditor.h"
#include "gui/guitestutil.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

using test::Started;
using test::TempDir;

struct Created {
  uint8_t cond;
  int32_t id;
  int16_t chance;
};

struct ZoneEditorTest : ::testing::Test {
  TempDir tmp;
  fs::path dir = tmp / "world";
  std::unique_ptr<Started> app;

  void SetUp() override {
    test::WriteWorld(dir, {{30, "Город", 4, 3, 2, 1, 1}});
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), dir);
    RegisterZoneEditor(app->form->Host());
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
  TZone& zone() { return *world().Zones.ByNumber(30); }
  ZoneEditor* Open() {
    app->form->Windows().Edit(zone());
    return qobject_cast<ZoneEditor*>(EditorWindow::Current(app->form->Host(), kZone));
  }
  void Apply() { app->form->App().ApplyActiveEditor(true); }
  void SetCreated(const std::vector<Created>& rows) {
    zone().CreatedObjects.Clear();
    for (const Created& c : rows) {
      TLinkObj l;
      l.Cond = c.cond;
      l.ID = c.id;
      l.Chance = c.chance;
      zone().CreatedObjects.Add(l);
    }
  }
  std::vector<int16_t> Chances() {
    std::vector<int16_t> out;
    for (const auto& l : zone().CreatedObjects) out.push_back(l->Chance);
    return out;
  }
  // The selection dialog answers with `vnum` and, when it shows one, `chance`.
  void AnswerDialog(int32_t vnum, int chance) {
    app->runner.answer = [vnum, chance](QDialog& d) {
      auto& f = static_cast<SelectRecordDialog&>(d);
      f.IDEdit()->setValue(vnum);
      if (f.ChanceShown()) f.ChanceEdit()->setValue(chance);
      f.SelectBtnClick();
      return int(QDialog::Accepted);
    };
  }
};

TEST_F(ZoneEditorTest, ShowingAndApplyingChangesNothing) {
  struct Case {
    std::string name;  // Windows-1251
    int32_t mode, time;
    std::vector<Created> created;
    uint8_t coding, lineBreak;
  };
  const Case cases[] = {
      {W("Город"), 2, 30, {{0, 3000, 100}, {1, 3001, 0}, {0, 3002, -5}}, 1, 1},
      // A byte Qt cannot map, a mode the dictionary does not list and a time
      // beyond the spin's range.
      {W("Имя") + "\x98\xA0 " + W("с  пробелами "), 77, 20000, {}, 2, 0},
      // A coding beyond the three choices.
      {"-", 0, 0, {{0, 3099, 0}}, 3, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(WinToUtf8(c.name));
    zone().Name = c.name;
    zone().ResetMode = c.mode;
    zone().ResetTime = c.time;
    SetCreated(c.created);
    zone().RemovedMobs.Clear();
    zone().RemovedMobs.Add(TCondID{1, 3001});
    zone().ObjFilename.Coding = c.coding;
    zone().MobFilename.LineBreak = c.lineBreak;
    zone().TrigFilename.Path = dir / "TRG" / "\xff\xfe.trg";  // no UTF-8
    const TZone before = zone();
    ASSERT_NE(Open(), nullptr);
    Apply();
    EXPECT_TRUE(zone() == before);
    for (auto s :
         {&TZone::ZoneFilename, &TZone::RoomFilename, &TZone::ZoneMapFilename, &TZone::ObjFilename,
          &TZone::MobFilename, &TZone::ShopFilename, &TZone::TrigFilename})
      EXPECT_EQ(zone().*s, before.*s);
  }
}

TEST_F(ZoneEditorTest, RowsWithoutChanceKeepTheirsThroughOtherEdits) {
  SetCreated({{0, 3000, 0}, {0, 3001, 50}, {1, 3002, -3}});
  ZoneEditor* f = Open();
  // Deleting the middle row selects the row now in its place.
  app->reporter.answer = true;
  f->Params().Z_RObjListView->setCurrentItem(f->Params().Z_RObjListView->topLevelItem(1));
  f->Params().Z_RObjDelBtnClick();
  EXPECT_EQ(f->Params().Z_RObjListView->currentItem(), f->Params().Z_RObjListView->topLevelItem(1));
  Apply();
  EXPECT_EQ(Chances(), (std::vector<int16_t>{0, -3}));
  EXPECT_EQ(zone().CreatedObjects.Items(1)->Cond, 1);

  // Changing a row through the dialog gives it the dialog's chance.
  f = Open();
  AnswerDialog(3001, 40);
  f->Params().Z_RObjListView->setCurrentItem(f->Params().Z_RObjListView->topLevelItem(0));
  f->Params().Z_RObjEditBtnClick();
  Apply();
  EXPECT_EQ(Chances(), (std::vector<int16_t>{40, -3}));
  EXPECT_EQ(zone().CreatedObjects.Items(0)->ID, 3001);
}

TEST_F(ZoneEditorTest, ListButtonsFollowTheSelection) {
  SetCreated({{0, 3000, 100}});
  app->form->show();
  QApplication::setActiveWindow(app->form.get());
  ZoneEditor* f = Open();
  EXPECT_FALSE(f->Params().Z_RObjEditBtn->isEnabled());
  // A click of the mouse on the row.
  QTreeWidget* view = f->Params().Z_RObjListView;
  const QPoint at = view->visualItemRect(view->topLevelItem(0)).center();
  for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent e(t, at, view->viewport()->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(view->viewport(), &e);
  }
  EXPECT_TRUE(f->Params().Z_RObjEditBtn->isEnabled());
  EXPECT_TRUE(f->Params().Z_RObjDelBtn->isEnabled());
  app->reporter.answer = true;
  f->Params().Z_RObjDelBtnClick();
  EXPECT_EQ(f->Params().Z_RObjListView->topLevelItemCount(), 0);
  EXPECT_FALSE(f->Params().Z_RObjEditBtn->isEnabled());
  EXPECT_FALSE(f->Params().Z_RObjDelBtn->isEnabled());
  ASSERT_FALSE(app->reporter.confirms.empty());
  EXPECT_EQ(app->reporter.confirms.back().text, W("Вы хотите удалить объект из списка?"));

  // A mobile dropped on the mobile list is appended; on the object list,
  // or a room anywhere, nothing happens.
  f->Params().Z_RMobListView->setFocus();
  f->AcceptRecord(*world().Mobs.Find(3001));
  f->AcceptRecord(*world().Rooms.Find(3000));
  f->AcceptRecord(*world().Objs.Find(3000));
  EXPECT_EQ(f->Params().Z_RMobListView->topLevelItemCount(), 1);
  EXPECT_EQ(f->Params().Z_RObjListView->topLevelItemCount(), 0);
  EXPECT_TRUE(f->Params().Z_RMobDelBtn->isEnabled());
  Apply();
  ASSERT_EQ(zone().RemovedMobs.Count(), 1);
  EXPECT_EQ(zone().RemovedMobs.Items(0)->ID, 3001);
}

TEST_F(ZoneEditorTest, ChangingTheNumberRenumbersTheZone) {
  struct Case {
    QString typed;
    bool yes;
    std::vector<int> errors;
    bool asked;  // the renumbering dialog came up
  };
  const Case cases[] = {{QStringLiteral("31"), false, {}, false},
                        {QStringLiteral("30"), true, {}, false},
                        {QString(), true, {19}, false},
                        {QStringLiteral("0"), true, {}, true}};  // refused in the dialog
  // The dialog is answered as its OK button allows.
  app->runner.answer = [](QDialog& d) {
    auto* move = dynamic_cast<ZoneMoveDialog*>(&d);
    return move && move->OkBtn()->isEnabled() ? int(QDialog::Accepted) : int(QDialog::Rejected);
  };
  ZoneEditor* f = Open();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    app->reporter.errors.clear();
    app->runner.shown.clear();
    app->reporter.answer = c.yes;
    f->Params().Z_IDEdit->findChild<QLineEdit*>()->setText(c.typed);
    f->Params().Z_IDEditExit();
    std::vector<int> errors;
    for (const auto& e : app->reporter.errors) errors.push_back(e.n);
    EXPECT_EQ(errors, c.errors);
    EXPECT_EQ(!app->runner.shown.empty(), c.asked);
    EXPECT_EQ(f->Params().Z_IDEdit->value(), 30);
    EXPECT_EQ(zone().Vnum, 30);
  }
  // A free number: the zone and its records take it.
  app->reporter.answer = true;
  f->Params().Z_IDEdit->findChild<QLineEdit*>()->setText(QStringLiteral("31"));
  f->Params().Z_IDEditExit();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(world().Zones.ByNumber(30), nullptr);
  ASSERT_NE(world().Zones.ByNumber(31), nullptr);
  EXPECT_EQ(world().Rooms.InZone(31).size(), 4u);
  EXPECT_NE(world().Rooms.Find(3100), nullptr);
  EXPECT_TRUE(app->form->Changes().Any());
  // The editor's button copies the zone under the first free number.
  app->form->Windows().Edit(*world().Zones.ByNumber(31));
  auto* again = qobject_cast<ZoneEditor*>(EditorWindow::Current(app->form->Host(), kZone));
  ASSERT_NE(again, nullptr);
  again->Params().Z_CopyZoneBtn->click();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ASSERT_NE(world().Zones.ByNumber(32), nullptr);
  EXPECT_EQ(world().Rooms.InZone(32).size(), 4u);
  EXPECT_NE(world().Zones.ByNumber(31), nullptr);
}

// A zone editor opening in another editor's place may have its number field
// lose the focus before Edit has shown the zone: no number was changed.
TEST_F(ZoneEditorTest, NumberIsCheckedOnlyOnceTheZoneIsShown) {
  RegisterRoomEditor(app->form->Host());
  app->form->Windows().Edit(*world().Rooms.Find(3001));
  auto* f = EnsureEditor<ZoneEditor>(app->form->Host());
  QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(f->Params().Z_IDEdit, &out);
  f->Edit(zone());
  QApplication::sendEvent(f->Params().Z_IDEdit, &out);
  EXPECT_TRUE(app->reporter.confirms.empty());
  EXPECT_TRUE(app->reporter.errors.empty());
}

TEST_F(ZoneEditorTest, FileChoiceDecidesCodings) {
  struct Case {
    int choice;
    uint8_t coding, lineBreak;  // expected for the mobile file
    std::vector<bool> enabled;  // zone and room combos
  };
  // Settings: KOI-8 with LF; the zone's own combos: KOI-8 with CRLF; the
  // mobile file's own: Windows with LF.
  const Case cases[] = {
      {0, 1, 0, {true, true}}, {1, 2, 0, {false, false}}, {2, 2, 1, {true, false}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choice);
    ZoneEditor* f = Open();
    app->form->App().Settings->Coding = 2;
    app->form->App().Settings->LineBreak = 0;
    f->Files().Z_Files[0].Coding->setCurrentIndex(2);
    f->Files().Z_Files[0].LineBreak->setCurrentIndex(1);
    f->Files().Z_Files[4].Coding->setCurrentIndex(1);
    f->Files().Z_Files[4].LineBreak->setCurrentIndex(0);
    f->Files().Z_FileRadioGroup->button(c.choice)->click();
    EXPECT_EQ(f->Files().Z_Files[0].Coding->isEnabled(), c.enabled[0]);
    EXPECT_EQ(f->Files().Z_Files[1].Coding->isEnabled(), c.enabled[1]);
    EXPECT_TRUE(f->Files().Z_Files[1].Path->isEnabled());
    Apply();
    EXPECT_EQ(zone().MobFilename.Coding, c.coding);
    EXPECT_EQ(zone().MobFilename.LineBreak, c.lineBreak);
  }
}

TEST_F(ZoneEditorTest, StatisticsListTheZonesErrors) {
  World& w = world();
  TRoom* r0 = w.Rooms.Find(3000);
  TRoom* r1 = w.Rooms.Find(3001);
  TRoom* r2 = w.Rooms.Find(3002);
  r0->MapX = 0;                     // placed; the other three are not
  r0->Exits[kNorth].ToRoom = 3001;  // 3001 leads south elsewhere
  r1->Exits[kSouth].ToRoom = 3002;  // 3002 has no way back
  r1->Exits[kEast].ToRoom = 9999;   // no such room: not reported
  w.Mobs.Find(3000)->MaxInWorld = 2;
  for (int32_t id : {3000, 3050}) {
    TRoomMob m;
    m.ID = id;
    m.MaxInRoom = 3;
    r2->Mobs.Add(m);
  }
  ZoneEditor* f = Open();
  EXPECT_EQ(f->Stats().Z_RStatLabel->text(), QStringLiteral("4"));
  EXPECT_EQ(f->Stats().Z_NRStatLabel->text(), QStringLiteral("3"));
  EXPECT_EQ(f->Stats().Z_OStatLabel->text(), QStringLiteral("3"));
  EXPECT_EQ(f->Stats().Z_MStatLabel->text(), QStringLiteral("2"));
  EXPECT_EQ(f->Stats().Z_SStatLabel->text(), QStringLiteral("1"));
  EXPECT_EQ(f->Stats().Z_TStatLabel->text(), QStringLiteral("1"));
  QStringList errors;
  for (int i = 0; i < f->Stats().Z_ErrorListBox->count(); ++i)
    errors << f->Stats().Z_ErrorListBox->item(i)->text();
  EXPECT_EQ(errors, QStringList({QStringLiteral("Room #3000, Выход на север: непарный выход"),
                                 QStringLiteral("Room #3001, Выход на юг: непарный выход"),
                                 QStringLiteral("Room #3002, Mob #3000: MaxInRoom > MaxInWorld"),
                                 QStringLiteral("Room #3002, неизвестный моб: #3050")}));

  // Shown again, the page counts what the world holds now.
  r2->Exits[kNorth].ToRoom = 3001;
  r1->Exits[kSouth].ToRoom = 3002;
  r0->Exits[kNorth].ToRoom = -1;
  f->Z_PageControl->setCurrentIndex(2);
  EXPECT_EQ(f->Stats().Z_ErrorListBox->count(), 2);
}

TEST_F(ZoneEditorTest, SourcePageShowsTheZoneFileAsOpened) {
  SetCreated({{0, 3001, 25}});
  ZoneEditor* f = Open();
  const QString text = f->Source().Z_SourceMemo->toPlainText();
  EXPECT_TRUE(text.startsWith(
      QStringLiteral("* Korvask zone file v1.0\n#30\nГород~\n3099 0 0\nO 0 3001 0 -1 25")))
      << text.toStdString();
  EXPECT_TRUE(text.endsWith(QStringLiteral("S\n$\n$")));
  f->Params().Z_NameEdit->setText(QStringLiteral("Другое"));
  EXPECT_EQ(f->Source().Z_SourceMemo->toPlainText(), text);
}

TEST_F(ZoneEditorTest, EditedHeaderIsSaved) {
  app->form->TreeControl().Select(app->Node(QStringLiteral("Зоны/[30] Город")));
  auto* f = qobject_cast<ZoneEditor*>(EditorWindow::Current(app->form->Host(), kZone));
  ASSERT_NE(f, nullptr);
  f->Params().Z_NameEdit->setText(QStringLiteral("Новый город"));
  f->Params().Z_RTypeComboBox->setCurrentIndex(
      f->Params().Z_RTypeComboBox->findText(QStringLiteral("Перезагружать всегда")));
  f->Params().Z_RTimeEdit->setValue(45);
  AnswerDialog(3001, 60);
  f->Params().Z_RObjAddBtnClick();
  AnswerDialog(3000, 0);
  f->Params().Z_RMobAddBtnClick();
  app->form->Commands().MI_SaveClick();
  EXPECT_EQ(test::ReadFile(dir / "ZON" / "30.zon"),
            W("* Korvask zone file v1.0\r\n#30\r\nНовый город~\r\n3099 45 2\r\n"
              "O 0 3001 0 -1 60\t(Объект 1)\r\nQ 0 3000 -1 -1 -1\t(Моб 0)\r\nS\r\n$\r\n$\r\n"));
  EXPECT_NE(app->Node(QStringLiteral("Зоны/[30] Новый город")), nullptr);
  EXPECT_EQ(world().Zones.ZoneNameOf(30), W("[30] Новый город"));
}

}  // namespace
}  // namespace zm
