#include <gtest/gtest.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTranslator>

#include "app/commands.h"
#include "app/descriptiondialog.h"
#include "app/loaderrorsdialog.h"
#include "app/loadprogressdialog.h"
#include "app/newzonedialog.h"
#include "app/translation.h"
#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "gui/guitestutil.h"
#include "widgets/editpopup.h"
#include "widgets/hints.h"
#include "widgets/roomtiles.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;

using test::Started;
using test::TempDir;
using test::ZoneOutline;

// ------------------------------------------------------- selection dialog

struct SelectDialog : ::testing::Test {
  test::RecordingReporter rep;
  World w{rep};
  Dictionaries bases{fs::path(ZEMLEMER_BIN_DIR) / "Bases"};
  SelectRecordDialog form;

  void SetUp() override {
    RegisterDictionaries(bases, rep);
    form.SetWorld(&w);
    form.BindDictionaries(bases);
    for (int32_t v : {1200, 1203, 1203, 3001}) {
      auto o = std::make_unique<TObj>(ZoneOf(v), v);
      o->Names[0] = W("предмет ") + IntText(v);
      w.Objs.Append(std::move(o));
    }
  }
  QTreeWidgetItem* Row(int i) { return form.ListView1()->topLevelItem(i); }
};

TEST_F(SelectDialog, NumberAndRowsFollowEachOther) {
  form.Prepare(0, 0, "", -2, 0);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Выберите объект"));
  EXPECT_EQ(form.ListView1()->topLevelItemCount(), 4);
  EXPECT_FALSE(form.SelectBtn()->isEnabled());
  EXPECT_TRUE(form.ListView1()->selectedItems().isEmpty());

  struct Case {
    int typed;
    int row;  // -1: none selected
    bool enabled;
  } cases[] = {{1203, 1, true}, {3001, 3, true}, {1201, -1, true}, {0, -1, false}};
  for (const Case& c : cases) {
    form.IDEdit()->setValue(c.typed);
    auto sel = form.ListView1()->selectedItems();
    if (c.row < 0)
      EXPECT_TRUE(sel.isEmpty()) << c.typed;
    else
      EXPECT_EQ(sel, QList<QTreeWidgetItem*>{Row(c.row)}) << c.typed;
    EXPECT_EQ(form.SelectBtn()->isEnabled(), c.enabled) << c.typed;
  }

  // A click on the second 1203 keeps that row: the number field does not
  // move the selection back to the first one.
  form.ListView1()->setCurrentItem(Row(2));
  form.ListView1Click();
  EXPECT_EQ(form.IDEdit()->value(), 1203);
  EXPECT_EQ(form.ListView1()->currentItem(), Row(2));
  EXPECT_TRUE(form.SelectBtn()->isEnabled());
}

TEST_F(SelectDialog, ResultsAndHeights) {
  struct Case {
    int32_t where, chance;
    int height;
    bool chanceShown, whereShown;
    int32_t resultChance, resultWhere;
  } cases[] = {
      {-2, 0, 430, false, false, 0, -2},
      {-1, 100, 480, true, true, 100, -1},
      {-2, 40, 480, true, false, 40, -2},
      {5, 0, 480, false, true, 0, 5},
  };
  for (const Case& c : cases) {
    form.Prepare(1, 0, "", c.where, c.chance);
    EXPECT_EQ(form.height(), c.height);
    EXPECT_EQ(form.ChanceShown(), c.chanceShown);
    EXPECT_EQ(form.WhereShown(), c.whereShown);
    form.IDEdit()->setValue(777);
    form.SelectBtnClick();
    EXPECT_EQ(form.ResultID, 777);
    EXPECT_EQ(form.ResultName, "-");  // no row selected
    EXPECT_EQ(form.ResultKind, 1);
    EXPECT_EQ(form.ResultChance, c.resultChance);
    EXPECT_EQ(form.ResultWhere, c.resultWhere) << c.where;
  }
  // A chosen row gives its name; the condition stays for the next use.
  form.Prepare(0, 3001, "", -2, 0);
  ASSERT_GT(form.CondComboBox()->count(), 1);
  form.CondComboBox()->setCurrentIndex(1);
  const std::string cond = bases.Find("zonecond")->KeyAt(1);
  form.SelectBtnClick();
  EXPECT_EQ(WinToUtf8(form.ResultName), "предмет 3001");
  EXPECT_EQ(form.ResultCond, cond);
  form.Prepare(0, 0, "", -2, 0);
  EXPECT_EQ(form.CondComboBox()->currentIndex(), 1);
  // A given condition is shown; a list without conditions hides it.
  form.Prepare(0, 0, bases.Find("zonecond")->KeyAt(0), -2, 0);
  EXPECT_EQ(form.CondComboBox()->currentIndex(), 0);
  EXPECT_FALSE(form.CondComboBox()->isHidden());
  form.Prepare(1, 0, {}, -2, 0, false);
  EXPECT_TRUE(form.CondComboBox()->isHidden());
  // Triggers are typed, not listed.
  form.Prepare(2, 0, "", -2, 0);
  EXPECT_EQ(form.ListView1()->topLevelItemCount(), 0);
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Выберите триггер"));
}

TEST_F(SelectDialog, RunsThroughTheRunner) {
  test::FakeRunner runner;
  runner.answer = [](QDialog& d) {
    auto& f = static_cast<SelectRecordDialog&>(d);
    f.IDEdit()->setValue(1200);
    f.SelectBtnClick();
    return int(f.result());
  };
  EXPECT_EQ(form.SelectDialog(0, 0, "", -2, 0, runner), QDialog::Accepted);
  EXPECT_EQ(form.ResultID, 1200);
  EXPECT_EQ(WinToUtf8(form.ResultName), "предмет 1200");
}

// ---------------------------------------------------------------- new zone

TEST(NewZone, ProposalAndNumberCheck) {
  SilentReporter rep;
  World w(rep);
  NewZoneDialog form;
  form.SetZones(&w.Zones);
  EXPECT_EQ(ProposedZoneNumber(w.Zones), 2);
  for (int32_t n : {12, 30}) w.Zones.Append(std::make_unique<TZone>(n));
  EXPECT_EQ(ProposedZoneNumber(w.Zones), 31);
  struct Case {
    int value;
    bool ok;
  } cases[] = {{31, true}, {12, false},  {30, false},    {0, false},
               {1, true},  {9999, true}, {10000, false}, {999999, false}};
  for (const Case& c : cases) {
    form.NumEdit()->setValue(c.value);
    EXPECT_EQ(form.OkBtn()->isEnabled(), c.ok) << c.value;
    EXPECT_EQ(form.NumInfoLabel()->text().isEmpty(), c.ok) << c.value;
  }
  form.NumEdit()->findChild<QLineEdit*>()->setText(QString());
  EXPECT_FALSE(form.OkBtn()->isEnabled());
}

TEST(NewZone, CodingWordOfMostZoneFiles) {
  SilentReporter rep;
  World w(rep);
  EXPECT_EQ(NewZoneCodingWord(w.Zones), kDefaultCodingWord);
  auto add = [&](int32_t n, CodingWord cw, bool registered) {
    auto z = std::make_unique<TZone>(n);
    z->ZoneFilename.SetWord(cw);
    z->Registered = registered;
    w.Zones.Append(std::move(z));
  };
  add(1, {kCodingWin, kBreakCRLF}, true);
  add(2, {kCodingKoi, kBreakLF}, true);
  add(3, {kCodingKoi, kBreakLF}, true);
  add(4, {kCodingWin, kBreakCRLF}, false);  // bare zones have no zone file
  add(5, {kCodingWin, kBreakCRLF}, false);
  EXPECT_EQ(NewZoneCodingWord(w.Zones), (CodingWord{kCodingKoi, kBreakLF}));
}

TEST(NewZone, CreateZoneRegistersSortsAndSelects) {
  TempDir tmp;
  test::WriteWorld(tmp / "world", {ZoneOutline{12, "Лес", 1, 0, 0, 0, 0, true, {2, 0}},
                                   ZoneOutline{30, "Город", 1, 0, 0, 0, 0, true, {2, 0}},
                                   ZoneOutline{40, "Поле", 1}});
  Started app(test::MakeAppDir(tmp / "app", false), tmp / "world");
  int proposed = 0;
  app.runner.answer = [&](QDialog& d) {
    auto* f = dynamic_cast<NewZoneDialog*>(&d);
    if (!f) return int(QDialog::Rejected);
    proposed = f->NumEdit()->value();
    f->NumEdit()->setValue(13);
    return int(QDialog::Accepted);
  };
  TZone* z = CreateZone(app.form->App(), *app.form->NewZoneWindow());
  EXPECT_EQ(proposed, 41);
  ASSERT_NE(z, nullptr);
  EXPECT_EQ(app.form->world().Zones.ByNumber(13), z);
  EXPECT_EQ(test::Captions(app.form->Tree().TopGroup(kZone)),
            (QStringList{QStringLiteral("[12] Лес"), QStringLiteral("[13] -"),
                         QStringLiteral("[30] Город"), QStringLiteral("[40] Поле")}));
  EXPECT_EQ(app.form->TreeView1()->currentItem(), app.form->Tree().ItemOf(z));
  EXPECT_EQ(z->ZoneFilename.Path, tmp / "world" / "ZON" / "13.zon");
  EXPECT_EQ(z->RoomFilename.Path, tmp / "world" / "WLD" / "13.wld");
  EXPECT_EQ(z->ZoneFilename.Word(), (CodingWord{kCodingKoi, kBreakLF}));
  EXPECT_EQ(z->ObjFilename.Word(), (CodingWord{kCodingKoi, kBreakLF}));
  EXPECT_FALSE(fs::exists(z->ZoneFilename.Path));  // nothing on disk until saved
  EXPECT_EQ(app.form->world().Zones.ZoneNameOf(13), "[13] -");
  ASSERT_NE(app.form->world().ZoneMaps.FindByNumber(13), -1);
  // Saving writes the zone file in the world's own line breaks.
  app.form->TreeView1()->setCurrentItem(app.form->Tree().ItemOf(z));
  app.form->Commands().MI_SaveZoneClick();
  std::string bytes = test::ReadFile(z->ZoneFilename.Path);
  EXPECT_FALSE(bytes.empty());
  EXPECT_EQ(bytes.find('\r'), std::string::npos);
  // A number that is taken is refused even when the dialog lets it through.
  app.runner.answer = [](QDialog& d) {
    static_cast<NewZoneDialog&>(d).NumEdit()->setValue(12);
    return int(QDialog::Accepted);
  };
  EXPECT_EQ(CreateZone(app.form->App(), *app.form->NewZoneWindow()), nullptr);
}

// ------------------------------------------------------------- load window

TEST(LoadWindow, ShowsPhasesAndClosesItself) {
  TempDir tmp;
  // Only ZON and WLD: the other phases show their titles and no files.
  test::WriteWorld(tmp / "w", {ZoneOutline{12, "Лес", 2}});
  SilentReporter rep;
  World w(rep);
  LoadProgressDialog form;
  test::FakeRunner runner;
  std::vector<QString> titles;
  int maxTotal = 0;
  int result = form.ExecuteLoad(
      [&](LoadProgress& p) {
        struct Spy : LoadProgress {
          LoadProgress& inner;
          LoadProgressDialog& form;
          std::vector<QString>& titles;
          Spy(LoadProgress& i, LoadProgressDialog& f, std::vector<QString>& t)
              : inner(i), form(f), titles(t) {}
          void Phase(const std::string& t, int n) override {
            inner.Phase(t, n);
            titles.push_back(form.TotalLabel()->text() + QStringLiteral(" ") +
                             QString::number(form.CurProgressBar()->maximum()));
          }
          void File(const std::string& n) override { inner.File(n); }
          void Step() override { inner.Step(); }
          void Total(int n) override { inner.Total(n); }
        } spy(p, form, titles);
        LoadWorld(w, tmp / "w", &spy);
        maxTotal = form.TotalProgressBar()->maximum();
      },
      false, runner);
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_TRUE(runner.shown.empty());  // no time message
  EXPECT_EQ(titles,
            (std::vector<QString>{
                QStringLiteral("Поиск файлов 6"), QStringLiteral("Устанавливаем зоны 1"),
                QStringLiteral("Загружаем объекты 1"), QStringLiteral("Загружаем мобов 1"),
                QStringLiteral("Загружаем магазины 1"), QStringLiteral("Загружаем комнаты 1"),
                QStringLiteral("Загружаем триггеры 1"), QStringLiteral("Загружаем зоны 1")}));
  EXPECT_EQ(maxTotal, 3);  // the zone file twice, the room file once
  EXPECT_EQ(form.TotalProgressBar()->value(), 3);
  EXPECT_EQ(w.Rooms.Count(), 2);
}

TEST(LoadWindow, TimeMessage) {
  EXPECT_EQ(LoadProgressDialog::LoadTimeText(0), QStringLiteral("0 h, 0 min, 0 sec, 0 msec"));
  EXPECT_EQ(LoadProgressDialog::LoadTimeText(3723004), QStringLiteral("1 h, 2 min, 3 sec, 4 msec"));
  LoadProgressDialog form;
  test::FakeRunner runner;
  form.ExecuteLoad([](LoadProgress&) {}, true, runner);
  EXPECT_EQ(runner.shown, std::vector<QString>{QStringLiteral("QMessageBox")});
}

TEST(LoadErrors, ShownOnTheFirstLineOnly) {
  LoadErrorsDialog form;
  form.AddLoadError(W("первая"), false);
  EXPECT_FALSE(form.isVisible());  // not before the main window is up
  form.ErrorListBox()->clear();
  form.AddLoadError(W("Не могу загрузить объекты из файла a.obj (Ошибка в строке 3)"), true);
  EXPECT_TRUE(form.isVisible());
  form.hide();
  form.AddLoadError(W("вторая"), true);
  EXPECT_FALSE(form.isVisible());  // closed by the user: stays closed
  ASSERT_EQ(form.ErrorListBox()->count(), 2);
  EXPECT_EQ(form.ErrorListBox()->item(1)->text(), QStringLiteral("вторая"));
}

TEST(LoadErrors, FailingFilesAreListedInLoadOrder) {
  TempDir tmp;
  test::WriteWorld(tmp / "world", {ZoneOutline{12, "Лес", 1}});
  test::WriteFile(tmp / "world" / "OBJ" / "1.obj", "#100\nbroken");
  test::WriteFile(tmp / "world" / "OBJ" / "2.obj", "#200\nbroken");
  StartOptions o;
  o.AppDir = test::MakeAppDir(tmp / "app", false);
  o.WorldOverride = tmp / "world";
  test::FakeRunner runner;
  o.runner = &runner;
  MainWindow form(o);
  form.FormActivate();
  QListWidget* list = form.LoadErrorsWindow()->ErrorListBox();
  ASSERT_EQ(list->count(), 2);
  EXPECT_TRUE(list->item(0)->text().contains(QStringLiteral("1.obj")));
  EXPECT_TRUE(list->item(1)->text().contains(QStringLiteral("2.obj")));
  EXPECT_TRUE(form.LoadErrorsWindow()->isVisible());
}

// ------------------------------------------------------------------ hints

TEST(Hints, ParsingRules) {
  THints h;
  h.Parse(
      W("* комментарий\r\n"
        "DoorFlag: Тип двери\r\n"
        ":abc\r\n"
        "abc:\r\n"
        "NoColon\r\n"
        "\r\n"
        "Two:  два пробела\r\n"
        "doorflag: второй раз\r\n"
        "Tight:вплотную\n"
        "Last: без конца строки"));
  struct Case {
    const char* key;
    const char* text;  // nullptr: not found
  } cases[] = {
      {"DoorFlag", "Тип двери"},
      {"DOORFLAG", "Тип двери"},
      {"Two", " два пробела"},
      {"Tight", "вплотную"},
      {"Last", "без конца строки"},
      {"abc", nullptr},
      {"", nullptr},
      {"NoColon", nullptr},
  };
  for (const Case& c : cases) {
    const std::string* t = h.Find(W(c.key));
    if (!c.text) {
      EXPECT_EQ(t, nullptr) << c.key;
      continue;
    }
    ASSERT_NE(t, nullptr) << c.key;
    EXPECT_EQ(WinToUtf8(*t), c.text) << c.key;
  }
  EXPECT_EQ(h.Count(), 5);
}

TEST(Hints, ApplyAndShowInTheStatusBar) {
  TempDir tmp;
  test::WriteWorld(tmp / "world", {});
  Started app(test::MakeAppDir(tmp / "app", true), tmp / "world");
  EXPECT_GT(app.form->Hints().Count(), 0);
  THints h;
  h.Parse(W("R_SectorComboBox: Тип сектора\nMapGo: Перейти\n"));
  QWidget panel(app.form.get());
  auto* combo = new QComboBox(&panel);
  combo->setObjectName("R_SectorComboBox");
  auto* button = new QPushButton(&panel);
  auto* plain = new QLabel(&panel);
  EXPECT_TRUE(h.ApplyHint(combo));
  EXPECT_TRUE(h.ApplyHint(button, QStringLiteral("MapGo")));
  EXPECT_FALSE(h.ApplyHint(plain));
  EXPECT_EQ(combo->toolTip(), QStringLiteral("Тип сектора"));
  EXPECT_EQ(button->toolTip(), QStringLiteral("Перейти"));

  QEvent enter(QEvent::Enter), leave(QEvent::Leave);
  QCoreApplication::sendEvent(combo, &enter);
  EXPECT_EQ(app.form->statusBar()->currentMessage(), QStringLiteral("Тип сектора"));
  QCoreApplication::sendEvent(combo, &leave);
  EXPECT_EQ(app.form->statusBar()->currentMessage(), QString());
  QCoreApplication::sendEvent(plain, &enter);
  EXPECT_EQ(app.form->statusBar()->currentMessage(), QString());
}

// ------------------------------------------------------------ small parts

TEST(RoomTilesDrawing, ExitsShowOnTheirSides) {
  const QRgb gray = qRgb(128, 128, 128);
  struct Case {
    int mask;
    QPoint probe;
    bool notch;
  } cases[] = {
      {0, {7, 0}, false},           {kTileNorth, {7, 0}, true}, {kTileSouth, {7, 15}, true},
      {kTileWest, {0, 7}, true},    {kTileEast, {15, 7}, true}, {kTileEast, {0, 7}, false},
      {kTileNorth, {7, 15}, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DrawRoomTile(c.mask, false).pixel(c.probe) == gray, c.notch) << c.mask;
  QImage plain = DrawRoomTile(0, false);
  EXPECT_EQ(plain.pixel(8, 8), qRgb(192, 192, 192));
  EXPECT_EQ(plain.pixel(0, 0), qRgb(255, 255, 255));
  EXPECT_EQ(plain.pixel(15, 15), qRgb(0, 0, 0));
  EXPECT_EQ(DrawRoomTile(kTileUp, false).pixel(8, 5), qRgb(0, 0, 0));
  EXPECT_EQ(DrawRoomTile(kTileDown, false).pixel(8, 10), qRgb(0, 0, 0));
  EXPECT_EQ(DrawRoomTile(kTileUp, false).pixel(8, 10), qRgb(192, 192, 192));
  EXPECT_EQ(qRed(DrawRoomTile(0, true).pixel(8, 8)), 255);
}

TEST(EditPopupMenu, InsertsTheCommandAtTheCaret) {
  EditCmdMenu menu = ParseEditCmdMenu(
      W("[SUBMENUS]\nFlow=Условия\n[MENUITEMS]\nFlow01=if %a%|Если\nTop=wait 1\n"));
  EditPopup popup;
  popup.Build(menu);
  ASSERT_EQ(popup.actions().size(), 2);
  EXPECT_EQ(popup.actions()[0]->text(), QStringLiteral("Условия"));
  EXPECT_EQ(popup.actions()[1]->text(), QStringLiteral("Top\twait 1"));

  QLineEdit line(QStringLiteral("ab"));
  line.setCursorPosition(1);
  popup.InsertCommand(&line, menu.Items[1].Tag);
  EXPECT_EQ(line.text(), QStringLiteral("await 1b"));
  EXPECT_EQ(line.cursorPosition(), 7);
  QPlainTextEdit text(QStringLiteral("x\ny"));
  QTextCursor c = text.textCursor();
  c.setPosition(2);
  text.setTextCursor(c);
  popup.InsertCommand(&text, menu.Items[0].Tag);
  EXPECT_EQ(text.toPlainText(), QStringLiteral("x\nif %a%y"));
  EXPECT_EQ(text.textCursor().position(), 8);
}

TEST(DescriptionDialog, AcceptedFlagAndClear) {
  DescriptionDialog form;
  form.Memo()->setPlainText(QStringLiteral("текст"));
  form.findChild<QPushButton*>(QStringLiteral("ClearBtn"))->click();
  EXPECT_TRUE(form.Memo()->toPlainText().isEmpty());
  form.findChild<QPushButton*>(QStringLiteral("OkBtn"))->click();
  EXPECT_TRUE(form.Accepted);
  form.show();
  EXPECT_FALSE(form.Accepted);
  form.hide();
}

}  // namespace
}  // namespace zm

namespace zm {
namespace {

TEST(QtTexts, StandardButtonsSpeakRussian) {
  QTranslator* t = InstallQtTranslation(*QCoreApplication::instance());
  ASSERT_NE(t, nullptr) << "Qt's Russian translation (qt6-translations-l10n) is missing";
  QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Отмена"));
  QCoreApplication::removeTranslator(t);
  delete t;
}

}  // namespace
}  // namespace zm
