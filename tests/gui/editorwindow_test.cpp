#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFontDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>

#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/changetracker.h"
#include "editors/fieldtext.h"
#include "editors/listrows.h"
#include "editors/roomeditor.h"
#include "editors/roomeditorpages.h"
#include "editors/roomexitspage.h"
#include "editors/roomobjectspage.h"
#include "gui/guitestutil.h"
#include "widgets/editpopup.h"
#include "widgets/qtext.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

// Bytes that Qt does not give back as they came: CR LF, a lone CR, a byte
// Windows-1251 leaves undefined, a non-breaking space.
TEST(FieldText, UntouchedFieldsGiveBackTheirBytes) {
  const std::string samples[] = {"",     "abc",    W("Поляна"), "a\r\nb\r\n",
                                 "a\rb", "x\x98y", "nb\xA0sp",  "tail~"};
  QLineEdit line;
  QPlainTextEdit memo;
  for (const std::string& s : samples) {
    ShowLine(&line, s);
    ShowMemo(&memo, s);
    EXPECT_EQ(ReadLine(&line), s);
    EXPECT_EQ(ReadMemo(&memo), s);
    EXPECT_FALSE(MemoTouched(&memo));
  }
}

TEST(FieldText, TypedTextIsConverted) {
  struct Case {
    QString typed;
    std::string line, memo;
  } cases[] = {
      {QStringLiteral("abc"), "abc", "abc"},
      {QStringLiteral("a\nb"), "a b", "a\r\nb"},
      {QStringLiteral("a\nb\n"), "a b ", "a\r\nb\r\n"},
      {QStringLiteral("x") + QChar(0x00A0) + QStringLiteral("y"), "x\xA0y", "x\xA0y"},
      {QStringLiteral("\u4e2d"), "?", "?"},  // no Windows-1251 letter: visibly "?"
  };
  QLineEdit line;
  QPlainTextEdit memo;
  for (const Case& c : cases) {
    ShowLine(&line, "old");
    ShowMemo(&memo, "old");
    line.setText(c.typed);
    memo.setPlainText(c.typed);
    EXPECT_EQ(ReadLine(&line), c.line) << c.typed.toStdString();
    EXPECT_EQ(ReadMemo(&memo), c.memo) << c.typed.toStdString();
  }
}

TEST(FieldText, LinesEndingWithTildeAreMended) {
  struct Case {
    std::string in, out;
    int mended;
  } cases[] = {
      {"a~", "a~ ", 1},
      {"a~\r\nb", "a~ \r\nb", 1},
      {"a~b\r\n~x", "a~b\r\n~x", 0},
      {"~\r\n~~", "~ \r\n~~ ", 2},
      {"", "", 0},
      {"a~\r\n", "a~ \r\n", 1},
  };
  for (const Case& c : cases) {
    int n = -1;
    EXPECT_EQ(MendTildeLines(c.in, &n), c.out) << c.in;
    EXPECT_EQ(n, c.mended) << c.in;
    QPlainTextEdit memo;
    ShowMemo(&memo, c.in);
    EXPECT_EQ(MendTildeLines(&memo), c.mended) << c.in;
    memo.setProperty("zmShown", QVariant());  // as if typed
    EXPECT_EQ(ReadMemo(&memo), c.out) << c.in;
  }
}

TEST(FieldText, SpinsCoverTheirField) {
  QSpinBox spin;
  FieldRange<int16_t>(&spin);
  EXPECT_EQ(spin.minimum(), -32768);
  EXPECT_EQ(spin.maximum(), 32767);
  FieldRange<int32_t>(&spin);
  spin.setValue(10000);
  EXPECT_EQ(spin.value(), 10000);
  spin.setValue(2147483647);
  EXPECT_EQ(spin.value(), 2147483647);
}

// A main window on a small world whose rooms open in the real room editor.
struct Editors : ::testing::Test {
  TempDir tmp;
  std::unique_ptr<Started> app;

  void SetUp() override {
    test::WriteWorld(tmp / "world", {{12, "Лес", 4, 3, 2, 0, 2}, {30, "Город", 1}});
    app = std::make_unique<Started>(test::MakeAppDir(tmp / "app", true), tmp / "world");
    RegisterEditors(form().Host());
  }
  MainWindow& form() { return *app->form; }
  TRoom& Room(int32_t vnum) { return *form().world().Rooms.Find(vnum); }
  RoomEditor* Open(int32_t vnum) {
    form().Windows().Edit(Room(vnum));
    return dynamic_cast<RoomEditor*>(form().Windows().Active());
  }
  void Select(TMUDClass& rec) { form().App().SelectRecord(rec); }
};

TEST_F(Editors, RoomEditorIsReusedAndNewWindowOpensBeside) {
  RoomEditor* first = Open(1200);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->windowTitle(), QStringLiteral("(1200) Комната 0"));
  EXPECT_EQ(Open(1201), first);
  EXPECT_EQ(first->LinkedRecord(), &Room(1201));
  EXPECT_EQ(EditorWindow::Current(form().Host(), kRoom), first);

  form().Windows().EditInNewWindow(Room(1202));
  auto* second = dynamic_cast<RoomEditor*>(form().Windows().Active());
  ASSERT_NE(second, nullptr);
  EXPECT_NE(second, first);
  EXPECT_EQ(form().Windows().Count(), 2);
  EXPECT_EQ(EditorWindow::Current(form().Host(), kRoom), second);
  QStringList items;
  for (QAction* a : form().Windows().WindowMenu()->actions()) items << a->text();
  EXPECT_TRUE(items.contains(QStringLiteral("(1201) Комната 1")));
  EXPECT_TRUE(items.contains(QStringLiteral("(1202) Комната 2")));

  // Closing a window keeps its edits, as choosing another record does.
  second->R_DescEdit->setText(QStringLiteral("Другое"));
  second->SubWindow()->close();
  EXPECT_EQ(Room(1202).Name, W("Другое"));
  EXPECT_TRUE(form().Changes().Any());
}

TEST_F(Editors, GeometryIsSharedBetweenEditors) {
  form().show();  // a hidden child window is maximized without a size to restore
  RoomEditor* first = Open(1200);
  // The first editor keeps its designed size, within the work area.
  EXPECT_EQ(first->SubWindow()->size(),
            RoomEditor::DesignedSize().boundedTo(form().Mdi()->viewport()->size()));
  EXPECT_TRUE(form().Mdi()->viewport()->rect().contains(first->SubWindow()->geometry()));
  EXPECT_GE(first->SubWindow()->x(), 0);
  first->SubWindow()->setGeometry(15, 25, 500, 420);
  first->SubWindow()->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

  RoomEditor* next = Open(1201);
  ASSERT_NE(next, first);
  EXPECT_EQ(next->SubWindow()->geometry(), QRect(15, 25, 500, 420));

  next->SubWindow()->showMaximized();
  next->SubWindow()->close();
  RoomEditor* third = Open(1202);
  EXPECT_TRUE(third->SubWindow()->isMaximized());
  // The size of a normal window stays what it was.
  third->SubWindow()->showNormal();
  EXPECT_EQ(third->SubWindow()->geometry(), QRect(15, 25, 500, 420));
}

TEST_F(Editors, ChosenFontReachesEveryOpenEditor) {
  Open(1200);
  form().Windows().EditInNewWindow(*form().world().Objs.Find(1200));
  ASSERT_EQ(form().Windows().Count(), 2);
  QFont chosen = form().font();
  chosen.setPointSize(chosen.pointSize() + 5);
  chosen.setItalic(true);
  app->runner.answer = [&](QDialog& d) {
    static_cast<QFontDialog&>(d).setCurrentFont(chosen);
    return QDialog::Accepted;
  };
  form().FontEdClick();
  for (RecordEditor* e : form().Windows().All()) {
    auto* editor = dynamic_cast<QWidget*>(e);
    SCOPED_TRACE(editor->objectName().toStdString());
    for (QWidget* control : {static_cast<QWidget*>(editor->findChild<QLineEdit*>()),
                             static_cast<QWidget*>(editor->findChild<QLabel*>())}) {
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->font().pointSize(), chosen.pointSize());
      EXPECT_TRUE(control->font().italic());
    }
  }
}

TEST_F(Editors, CheckListHoverShowsTheItemInTheStatusBar) {
  RoomEditor* f = Open(1200);
  QListWidget* flags = f->Type().R_TypeCheckListBox;
  ASSERT_GT(flags->count(), 2);
  f->SubWindow()->resize(700, 700);
  f->R_PageControl->setCurrentIndex(0);
  const QRect r = flags->visualItemRect(flags->item(1));
  QMouseEvent move(QEvent::MouseMove, QPointF(r.center()), QPointF(r.center()), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(flags->viewport(), &move);
  EXPECT_EQ(form().statusBar()->currentMessage(), QStringLiteral(" ") + flags->item(1)->text());
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(flags->viewport(), &leave);
  EXPECT_EQ(form().statusBar()->currentMessage(), QString());
}

TEST_F(Editors, EditPopupInsertsAtTheCaret) {
  RoomEditor* f = Open(1200);
  QPlainTextEdit* memo = f->Description().R_FullDescMemo[0];
  memo->setPlainText(QStringLiteral("ab"));
  QTextCursor c = memo->textCursor();
  c.setPosition(1);
  memo->setTextCursor(c);
  emit memo->customContextMenuRequested(QPoint(2, 2));
  QMenu* popup = form().EditPopupMenu()->Shown();
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(popup->isVisible());
  // The field's own entries first, then the commands.
  QStringList names;
  for (QAction* a : popup->actions()) names << a->objectName();
  EXPECT_TRUE(names.contains(QStringLiteral("edit-paste"))) << names.join(u',').toStdString();
  EXPECT_TRUE(names.contains(QStringLiteral("edit-undo")));
  QAction* item = nullptr;
  for (QAction* top : popup->actions())
    if (QMenu* sub = top->menu())
      for (QAction* a : sub->actions())
        if (!item && a->text().endsWith(QStringLiteral("\telse"))) item = a;
  ASSERT_NE(item, nullptr);
  item->trigger();
  popup->close();
  EXPECT_EQ(memo->toPlainText(), QStringLiteral("aelseb"));
  EXPECT_EQ(memo->textCursor().position(), 5);
}

TEST_F(Editors, DictionaryControlsKeepWhatTheyCannotList) {
  RoomEditor* f = Open(1200);
  struct Case {
    QWidget* control;
    std::string value;
  } cases[] = {
      {f->Type().R_SectorComboBox, "77"},
      {f->Type().R_SectorComboBox, "-1"},
      {f->Type().R_SectorComboBox, "3"},
      {f->Type().R_TypeCheckListBox, "a0Z9b0"},
      {f->Type().R_TypeCheckListBox, "a0b"},
      {f->Exits().R_EDoorComboBox, "200"},
      {f->Objects().R_ObjListView, "no dictionary"},
  };
  for (const Case& c : cases) {
    f->ShowDict(c.control, c.value);
    EXPECT_EQ(f->ReadDict(c.control), c.value) << c.control->objectName().toStdString();
  }
  // A second editor binds the same dictionaries; the first still reads its own.
  f->ShowDict(f->Type().R_SectorComboBox, "4");
  form().Windows().EditInNewWindow(Room(1201));
  auto* g = dynamic_cast<RoomEditor*>(form().Windows().Active());
  ASSERT_NE(g, f);
  g->ShowDict(g->Type().R_SectorComboBox, "1");
  EXPECT_EQ(f->ReadDict(f->Type().R_SectorComboBox), "4");
  f->Type().R_SectorComboBox->setCurrentIndex(2);
  EXPECT_EQ(f->ReadDict(f->Type().R_SectorComboBox), "2");
}

TEST_F(Editors, PlacementRowsKeepTheirValues) {
  RoomEditor* f = Open(1200);
  QTreeWidget view;
  view.setColumnCount(4);
  PlacementList rows(*f, &view, {0, true, true, "объект"});
  const PlacementRow cases[] = {
      {1200, "0", -1, 100},  // carried, not worn
      {1201, "1", 16, 35},   // wielded
      {9999, "0", 5, 0},     // no such object, no chance
      {1202, "7", 300, -4},  // codes the dictionaries lack
  };
  for (const PlacementRow& r : cases) rows.Append(r);
  ASSERT_EQ(rows.Count(), 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(rows.Row(i), (PlacementRow{cases[i].ID, cases[i].Cond, cases[i].Where,
                                         std::max(cases[i].Chance, 0)}));
  QTreeWidgetItem* r1 = view.topLevelItem(1);
  EXPECT_EQ(r1->text(0), QStringLiteral("Если выполнилась предыдущая команда"));
  EXPECT_EQ(r1->text(1), QStringLiteral("[1201] Объект 1"));
  EXPECT_EQ(r1->text(2), QStringLiteral("В правой руке (оружие)"));
  EXPECT_EQ(r1->text(3), QStringLiteral("35"));
  EXPECT_EQ(view.topLevelItem(2)->text(1), QStringLiteral("[9999] ?"));
  EXPECT_EQ(view.topLevelItem(2)->text(3), QString());
  EXPECT_EQ(view.topLevelItem(3)->text(0), QStringLiteral("7"));

  // Deleting the last row selects the new last; the only row leaves none.
  rows.Select(3);
  rows.Remove(3);
  EXPECT_EQ(rows.Current(), 2);
  rows.Remove(0);
  rows.Remove(0);
  rows.Select(0);
  rows.Remove(0);
  EXPECT_EQ(rows.Current(), -1);
  EXPECT_EQ(rows.Count(), 0);

  EXPECT_EQ(WearPosOf(WhereOf(255)), 255);
  EXPECT_EQ(WearPosOf(WhereOf(16)), 16);
  EXPECT_EQ(CondFlag("x", 3), 3);
  EXPECT_EQ(CondFlag("-1", 0), 0);
}

TEST_F(Editors, TriggerItemsReadBackTheirNumber) {
  QListWidget list;
  const World& w = form().world();
  AddTriggerItem(&list, w, 1201, 4);
  AddTriggerItem(&list, w, 5555);
  list.addItem(QStringLiteral("[77] typed"));
  EXPECT_EQ(list.item(0)->text(), QStringLiteral("[1201] Триггер 1"));
  EXPECT_EQ(list.item(1)->text(), QStringLiteral("[5555] ?"));
  EXPECT_EQ(TriggerItemVnum(list.item(0)), 1201);
  EXPECT_EQ(TriggerItemCond(list.item(0)), 4);
  EXPECT_EQ(TriggerItemVnum(list.item(1)), 5555);
  EXPECT_EQ(TriggerItemVnum(list.item(2)), 77);
}

TEST_F(Editors, IngredientNamesOutsideTheDictionaryComeBack) {
  QComboBox name;
  name.addItems({QStringLiteral("зверобой"), QStringLiteral("мята")});
  QSpinBox power, chance;
  FieldRange<int16_t>(&power);
  FieldRange<int16_t>(&chance);
  for (const TIngr& in :
       {TIngr{5, 50, W("мята")}, TIngr{-3, 300, W("чертополох")}, TIngr{1, 2, W("зверобой")}}) {
    IngrShowIn(in, &name, &power, &chance);
    TIngr back;
    IngrReadFrom(back, &name, &power, &chance);
    EXPECT_EQ(back, in) << WinToUtf8(in.Name);
  }
  EXPECT_EQ(name.count(), 2);  // the stranger's item went again
}

}  // namespace
}  // namespace zm
