#include "editors/triggereditor.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextBlock>
#include <QTextLayout>
#include <limits>

#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/triggerheaderpage.h"
#include "editors/triggerscriptpage.h"
#include "gui/guitestutil.h"
#include "io/recordfile.h"
#include "text/scriptlines.h"
#include "widgets/editpopup.h"
#include "widgets/scriptedit.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

// Zone 12 with three triggers: a mobile's, an object's and one of a class
// the dictionary does not name, with flags it does not know.
const char* const kTriggerFile =
    "* Korvask trigger file v1.0\r\n"
    "#1200\r\n"
    "Встреча~\r\n"
    "0 b0g0 100\r\n"
    "~\r\n"
    "wait 1\r\n"
    "* greet the player\r\n"
    "if %actor.level% < 5\r\n"
    "  say hi\r\n"
    "end\r\n"
    "~\r\n"
    "#1201\r\n"
    "Предмет~\r\n"
    "1 c0 0\r\n"
    "взять~\r\n"
    "~\r\n"
    "#1202\r\n"
    "Странный~\r\n"
    "7 z3b1 -5\r\n"
    "x~\r\n"
    "wait 2~\r\n"
    "$\r\n"
    "$\r\n";

void Key(QWidget* w, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
         const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(w, &press);
}

void Type(QWidget* w, const QString& text) {
  for (QChar c : text) Key(w, c == u' ' ? Qt::Key_Space : Qt::Key_A, Qt::NoModifier, QString(c));
}

struct TriggerEditorTest : ::testing::Test {
  TempDir dir;
  std::unique_ptr<Started> app;
  fs::path trgFile;

  void SetUp() override {
    const fs::path world = dir / "world";
    test::WriteWorld(world, {{12, "Лес", 1, 0, 0, 0, 0}});
    fs::create_directories(world / "TRG");
    trgFile = world / "TRG" / "12.trg";
    std::ofstream(trgFile, std::ios::binary) << W(kTriggerFile);
    app = std::make_unique<Started>(test::MakeAppDir(dir / "app", true), world);
    RegisterTrigEditor(app->form->Host());
    ASSERT_EQ(w().Triggers.Count(), 3);
  }
  World& w() { return app->form->world(); }
  AppContext& ctx() { return app->form->App(); }
  TTrigger& Trig(int32_t vnum) { return *w().Triggers.Find(vnum); }
  TriggerEditor* Open(TTrigger& t) {
    app->form->Windows().Edit(t);
    return qobject_cast<TriggerEditor*>(app->form->Windows().ActiveSubWindow()->widget());
  }
  void Apply() { app->form->Windows().ApplyActive(false); }
  Dictionary* Dict(const char* name) { return ctx().Bases->Find(name); }
  std::vector<int> Checked(QListWidget* list) {
    std::vector<int> out;
    for (int i = 0; i < list->count(); ++i)
      if (list->item(i)->checkState() == Qt::Checked) out.push_back(i);
    return out;
  }
  void SetCaret(ScriptEdit* m, int block, int column) {
    QTextCursor c(m->document()->findBlockByNumber(block));
    c.setPosition(c.position() + column);
    m->setTextCursor(c);
  }
  QStringList Lines(ScriptEdit* m) { return m->toPlainText().split(u'\n'); }
};

// A script read with a blank last line keeps it while nobody types in it;
// breaks typed after the last line are dropped.
TEST_F(TriggerEditorTest, BlankLastLineStaysUntilTheScriptIsTyped) {
  TTrigger& t = Trig(1200);
  t.Text = "say 1\r\n";
  Open(t);
  Apply();
  EXPECT_EQ(t.Text, "say 1\r\n");
  Open(t)->Script().T_TextMemo->setPlainText(QStringLiteral("say 2\n\n"));
  Apply();
  EXPECT_EQ(t.Text, "say 2");
}

TEST_F(TriggerEditorTest, ShowsTheTriggerAndWritesEveryFieldBack) {
  TriggerEditor* f = Open(Trig(1200));
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("(1200) Встреча"));
  EXPECT_EQ(f->SubWindow()->windowTitle(), f->windowTitle());
  EXPECT_EQ(f->Header().T_NameEdit->text(), QStringLiteral("Встреча"));
  EXPECT_EQ(f->Header().T_ClassComboBox->currentIndex(), Dict("trigger_type")->IndexOf("0"));
  Dictionary* mob = Dict("trigger_bitvector_mob");
  ASSERT_EQ(f->Header().T_TypeCheckListBox->count(), mob->Count());
  EXPECT_EQ(Checked(f->Header().T_TypeCheckListBox),
            (std::vector<int>{mob->IndexOf("b0"), mob->IndexOf("g0")}));
  EXPECT_EQ(f->Header().T_NumArgEdit->value(), 100);
  EXPECT_EQ(f->Header().T_NumArgEdit->minimum(), std::numeric_limits<int32_t>::min());
  EXPECT_EQ(f->Header().T_NumArgEdit->maximum(), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(f->Script().T_TextMemo->blockCount(), 5);

  f->Header().T_NameEdit->setText(QStringLiteral("Засада"));
  f->Header().T_TypeCheckListBox->item(mob->IndexOf("b0"))->setCheckState(Qt::Unchecked);
  f->Header().T_TypeCheckListBox->item(mob->IndexOf("k0"))->setCheckState(Qt::Checked);
  f->Header().T_NumArgEdit->setValue(std::numeric_limits<int32_t>::min());
  f->Header().T_ArgEdit->setText(QStringLiteral("x\ny"));
  // Typed lines ending in "~" (blanks after it do not help) and empty lines
  // at the end.
  f->Script().T_TextMemo->setPlainText(QStringLiteral("wait 2\nsay привет~\n~ \n\n\n"));
  Apply();

  const TTrigger& t = Trig(1200);
  EXPECT_EQ(t.Name, W("Засада"));
  EXPECT_EQ(t.TriggerClass, 0);
  EXPECT_EQ(t.TriggerTypes, "g0k0");
  EXPECT_EQ(t.NumArg, std::numeric_limits<int32_t>::min());
  EXPECT_EQ(t.Arg, "x y");
  EXPECT_EQ(t.Text, W("wait 2\r\nsay привет~.\r\n~ ."));
  EXPECT_EQ(f->Script().T_TextMemo->toPlainText(),
            QStringLiteral("wait 2\nsay привет~.\n~ .\n\n\n"));
  EXPECT_EQ(test::Captions(app->ZoneGroup(12, kTrigger)).value(0), QStringLiteral("[1200] Засада"));

  ASSERT_TRUE(SaveRecordFile(w(), kTrigger, 12));
  const std::string expected =
      W("* Korvask trigger file v1.0\r\n"
        "#1200\r\n"
        "Засада~\r\n"
        "0 g0k0 -2147483648\r\n"
        "x y~\r\n"
        "wait 2\r\n"
        "say привет~.\r\n"
        "~ .\r\n"
        "~\r\n"
        "#1201\r\n"
        "Предмет~\r\n"
        "1 c0 0\r\n"
        "взять~\r\n"
        "~\r\n"
        "#1202\r\n"
        "Странный~\r\n"
        "7 z3b1 -5\r\n"
        "x~\r\n"
        "wait 2\r\n"
        "~\r\n"
        "$\r\n"
        "$\r\n");
  EXPECT_EQ(test::ReadFile(trgFile), expected);

  // The mended lines read back as they were stored.
  const TTrigger stored = t;
  ASSERT_TRUE(LoadRecordFile(w(), kTrigger, trgFile));
  EXPECT_TRUE(Trig(1200) == stored);
}

TEST_F(TriggerEditorTest, ClassChangeRebindsTheEventsWithoutChecks) {
  TriggerEditor* f = Open(Trig(1200));
  Dictionary* obj = Dict("trigger_bitvector_obj");
  Dictionary* wld = Dict("trigger_bitvector_wld");
  QListWidget* types = f->Header().T_TypeCheckListBox;
  f->Header().T_ClassComboBox->setCurrentIndex(Dict("trigger_type")->IndexOf("1"));
  ASSERT_EQ(types->count(), obj->Count());
  EXPECT_EQ(types->item(0)->text().toStdString(), WinToUtf8(obj->TextAt(0)));
  EXPECT_TRUE(Checked(types).empty());
  types->item(obj->IndexOf("j0"))->setCheckState(Qt::Checked);

  f->Header().T_ClassComboBox->setCurrentIndex(Dict("trigger_type")->IndexOf("2"));
  ASSERT_EQ(types->count(), wld->Count());
  EXPECT_TRUE(Checked(types).empty());
  types->item(wld->IndexOf("c0"))->setCheckState(Qt::Checked);
  Apply();
  EXPECT_EQ(Trig(1200).TriggerClass, 2);
  EXPECT_EQ(Trig(1200).TriggerTypes, "c0");

  // Back to the mobile class: the checks of before are gone.
  f->Header().T_ClassComboBox->setCurrentIndex(Dict("trigger_type")->IndexOf("0"));
  EXPECT_TRUE(Checked(types).empty());
  Apply();
  EXPECT_EQ(Trig(1200).TriggerClass, 0);
  EXPECT_EQ(Trig(1200).TriggerTypes, "");

  // A class without a dictionary of events keeps its flags, and the list
  // shows none of another trigger's.
  TTrigger& odd = Trig(1202);
  f = Open(odd);
  EXPECT_FALSE(types->isEnabled());
  EXPECT_TRUE(Checked(types).empty());
  f->Header().T_NameEdit->setText(QStringLiteral("Другой"));
  Apply();
  EXPECT_EQ(odd.TriggerClass, 7);
  EXPECT_EQ(odd.TriggerTypes, "z3b1");
  f = Open(Trig(1201));
  EXPECT_TRUE(types->isEnabled());
  EXPECT_EQ(Checked(types), (std::vector<int>{obj->IndexOf("c0")}));
}

TEST_F(TriggerEditorTest, ScriptControlColoursAndKeepsCommentMarks) {
  TriggerEditor* f = Open(Trig(1200));
  ScriptEdit* m = f->Script().T_TextMemo;
  // Settings the editor gives its script control.
  EXPECT_TRUE(QFontInfo(m->font()).fixedPitch());
  EXPECT_EQ(m->font().pixelSize(), 12);
  EXPECT_EQ(m->TabSize(), 4);
  EXPECT_EQ(m->IndentSize(), 4);
  EXPECT_DOUBLE_EQ(m->tabStopDistance(),
                   QFontMetricsF(m->font()).horizontalAdvance(QLatin1Char(' ')) * 4);
  EXPECT_EQ(m->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  ASSERT_NE(ctx().Words, nullptr);
  EXPECT_EQ(m->CompletionIdentifiers, ctx().Words->Complete);
  EXPECT_EQ(m->AutoChangeList.size(), ctx().Words->AutoChange.size());
  EXPECT_EQ(m->AutoChangeList.at(0), (std::pair<std::string, std::string>("esle", "else")));

  // The colours the highlighter put on the lines: a comment line, keyword
  // with the blank after it, a variable.
  auto formatAt = [m](int block, int pos) {
    const QTextBlock b = m->document()->findBlockByNumber(block);
    for (const QTextLayout::FormatRange& r : b.layout()->formats())
      if (pos >= r.start && pos < r.start + r.length) return r.format;
    return QTextCharFormat();
  };
  EXPECT_EQ(formatAt(1, 5).foreground().color(), QColor(0x00, 0x80, 0x00));
  EXPECT_EQ(formatAt(1, 5).fontWeight(), QFont::Bold);
  EXPECT_EQ(formatAt(2, 2).foreground().color(), QColor(0x80, 0x00, 0x00));
  EXPECT_EQ(formatAt(2, 3).foreground().color(), QColor(0x00, 0x00, 0xFF));
  EXPECT_EQ(formatAt(2, 17).foreground().color(), QColor(Qt::black));
  std::vector<uint8_t> line2 =
      ScriptLineAttrs("if %actor.level% < 5", ctx().Words->Language, false);
  line2.pop_back();
  EXPECT_EQ(m->LineAttrs(2), line2);
  // Read-only shows the delimiters in the window colour.
  m->SetReadOnly(true);
  EXPECT_EQ(m->LineAttrs(2).at(3), kAttrDelimiter);
  m->SetReadOnly(false);

  // Enter inside a comment continues it; joining takes the mark away again;
  // each is one undo step.
  SetCaret(m, 1, 8);
  Key(m, Qt::Key_Return);
  EXPECT_EQ(Lines(m).mid(1, 2),
            (QStringList{QStringLiteral("* greet "), QStringLiteral("* the player")}));
  EXPECT_EQ(m->textCursor().positionInBlock(), 2);
  SetCaret(m, 1, 8);
  Key(m, Qt::Key_Delete);
  EXPECT_EQ(Lines(m).at(1), QStringLiteral("* greet the player"));
  EXPECT_EQ(m->textCursor().positionInBlock(), 8);
  m->undo();
  EXPECT_EQ(Lines(m).mid(1, 2),
            (QStringList{QStringLiteral("* greet "), QStringLiteral("* the player")}));
  SetCaret(m, 2, 0);
  Key(m, Qt::Key_Backspace);
  EXPECT_EQ(Lines(m).at(1), QStringLiteral("* greet the player"));
  m->undo();
  m->undo();
  EXPECT_EQ(Lines(m).at(1), QStringLiteral("* greet the player"));
  EXPECT_EQ(m->blockCount(), 5);
  // Lines without a mark break and join unchanged.
  SetCaret(m, 3, 5);
  Key(m, Qt::Key_Return);
  EXPECT_EQ(Lines(m).mid(3, 2), (QStringList{QStringLiteral("  say"), QStringLiteral(" hi")}));
  SetCaret(m, 4, 0);
  Key(m, Qt::Key_Backspace);
  EXPECT_EQ(Lines(m).at(3), QStringLiteral("  say hi"));

  // Completion is off: words are neither completed nor changed.
  SetCaret(m, 4, 3);
  Type(m, QStringLiteral(" esle "));
  Key(m, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(Lines(m).at(4), QStringLiteral("end esle "));
  m->CompletionSettings.Enabled = true;
  Type(m, QStringLiteral("wiat "));
  Type(m, QStringLiteral("swi"));
  Key(m, Qt::Key_Space, Qt::ControlModifier);
  EXPECT_EQ(Lines(m).at(4), QStringLiteral("end esle wait switch"));

  // Leaving the script mends a line that would end it on reading.
  m->setPlainText(QStringLiteral("say hi~\nwait 1"));
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(m, &out);
  EXPECT_EQ(m->toPlainText(), QStringLiteral("say hi~.\nwait 1"));
  EXPECT_TRUE(ctx().StatusBar->currentMessage().contains(QStringLiteral("точка")));
}

TEST_F(TriggerEditorTest, CaretPositionAndSavedBlockMessages) {
  TriggerEditor* f = Open(Trig(1200));
  ScriptEdit* m = f->Script().T_TextMemo;
  QStatusBar* bar = ctx().StatusBar;
  SetCaret(m, 2, 3);
  EXPECT_EQ(bar->currentMessage(), QStringLiteral("  3:  4"));
  SetCaret(m, 0, 0);
  EXPECT_EQ(bar->currentMessage(), QStringLiteral("  1:  1"));

  QStringList shown;
  app->runner.answer = [&shown](QDialog& d) {
    if (auto* box = qobject_cast<QMessageBox*>(&d)) shown << box->text();
    return int(QMessageBox::Ok);
  };
  // Nothing selected: no message.
  Key(m, Qt::Key_K, Qt::ControlModifier);
  Key(m, Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(shown.isEmpty());
  QTextCursor c = m->textCursor();
  c.setPosition(0);
  c.setPosition(m->document()->findBlockByNumber(1).position() + 1, QTextCursor::KeepAnchor);
  m->setTextCursor(c);
  Key(m, Qt::Key_K, Qt::ControlModifier);
  Key(m, Qt::Key_S);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_EQ(shown[0], QStringLiteral("Текст \"wait 1\n*\" сохранен!"));
  // The text is untouched by the command keys.
  EXPECT_EQ(Lines(m).at(0), QStringLiteral("wait 1"));

  // The edit popup menu carries the entry while it is open for the script.
  EditPopup* popup = ctx().EditPopupMenu;
  ASSERT_NE(popup, nullptr);
  emit m->customContextMenuRequested(QPoint(5, 5));
  QPointer<QMenu> menu = popup->Shown();
  ASSERT_NE(menu, nullptr);
  auto* save = menu->findChild<QAction*>(QStringLiteral("T_SaveBlockItem"));
  ASSERT_NE(save, nullptr);
  EXPECT_TRUE(save->isEnabled());
  menu->close();
  save->trigger();
  QApplication::processEvents();
  ASSERT_EQ(shown.size(), 2);
  // The entry goes with the menu; the shared menu never had it.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(menu, nullptr);
  EXPECT_EQ(popup->findChild<QAction*>(QStringLiteral("T_SaveBlockItem")), nullptr);
}

}  // namespace
}  // namespace zm
