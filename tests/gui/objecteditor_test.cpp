#include "editors/objecteditor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>
#include <functional>

#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/mobileeditor.h"
#include "editors/objectappliespage.h"
#include "editors/objectextraspage.h"
#include "editors/objectgeneralpage.h"
#include "editors/objectvaluespage.h"
#include "editors/triggerlistpage.h"
#include "gui/guitestutil.h"
#include "io/recordfile.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

struct ObjectEditorTest : ::testing::Test {
  TempDir dir;
  std::unique_ptr<Started> app;

  void SetUp() override {
    const fs::path world = dir / "world";
    test::WriteWorld(world, {{12, "Лес", 1, 2, 0, 0, 2}});
    app = std::make_unique<Started>(test::MakeAppDir(dir / "app", true), world);
    RegisterObjEditor(app->form->Host());
  }
  World& w() { return app->form->world(); }
  ObjectEditor* Open(TObj& o) {
    app->form->Windows().Edit(o);
    return qobject_cast<ObjectEditor*>(app->form->Windows().ActiveSubWindow()->widget());
  }
  void Apply() { app->form->Windows().ApplyActive(false); }
  template <typename T>
  T* Find(ObjectEditor* f, const char* name) {
    T* c = f->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  int IndexOf(const char* dict, const std::string& key) {
    return app->form->App().Bases->Find(dict)->IndexOf(key);
  }
  void Choose(ObjectEditor* f, const char* combo, const char* dict, const std::string& key) {
    Find<QComboBox>(f, combo)->setCurrentIndex(IndexOf(dict, key));
  }
  // The lines the object file holds for the object.
  std::vector<std::string> Saved(int32_t vnum) {
    EXPECT_TRUE(SaveRecordFile(w(), kObject, ZoneOf(vnum)));
    const std::string text = test::ReadFile(w().WorldPath / "OBJ" / "12.obj");
    std::vector<std::string> lines;
    bool in = false;
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != '\n') continue;
      std::string line = text.substr(start, i - start);
      if (!line.empty() && line.back() == '\r') line.pop_back();
      start = i + 1;
      if (!line.empty() && (line[0] == '#' || line[0] == '$')) in = line == "#" + IntText(vnum);
      if (in) lines.push_back(line);
    }
    return lines;
  }
};

// The value line of an object with an empty action description.
constexpr size_t kValueLine = 14;
constexpr size_t kSkillLine = 10;

TEST_F(ObjectEditorTest, EachTypePanelWritesItsValues) {
  using Set = std::function<void(ObjectEditorTest&, ObjectEditor*)>;
  struct Case {
    int32_t type;
    Set set;
    const char* values;  // the value line
    const char* first;   // first token of the first numeric line, or null
  } cases[] = {
      {1,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_TLightEdit")->setValue(-1);
       },
       "-1 11 77 88", nullptr},
      {2,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T2LevelEdit")->setValue(12);
         t.Choose(f, "O_T2Spell1ComboBox", "objspells2_1", "5");
         t.Choose(f, "O_T2Spell2ComboBox", "objspells2_2", "6");
         t.Choose(f, "O_T2Spell3ComboBox", "objspells2_3", "-1");
       },
       "12 5 6 -1", nullptr},
      {3,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T3LevelEdit")->setValue(20);
         t.Find<QSpinBox>(f, "O_T3QtyEdit")->setValue(5);
         t.Find<QSpinBox>(f, "O_T3CountEdit")->setValue(3);
         t.Choose(f, "O_T3SpellComboBox", "objspells3", "7");
       },
       "20 5 3 7", nullptr},
      {4,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T4LevelEdit")->setValue(30);
         t.Find<QSpinBox>(f, "O_T4CountEdit")->setValue(0);
         t.Choose(f, "O_T4SpellComboBox", "objspells4", "9");
       },
       "30 11 0 9", nullptr},
      {5,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T5Dice1Edit")->setValue(2);
         t.Find<QSpinBox>(f, "O_T5Dice2Edit")->setValue(4);
         EXPECT_EQ(t.Find<QLabel>(f, "O_T5DicePanel")->text(), QStringLiteral("5"));
         t.Choose(f, "O_T5ComboBox", "objattack", "3");
         t.Choose(f, "O_SkillComboBox", "objskill", "2");
       },
       "0 2 4 3", "2"},
      {9,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T9ACEdit")->setValue(10);
         t.Find<QSpinBox>(f, "O_T9ArmourEdit")->setValue(-5);
       },
       "10 -5 77 88", nullptr},
      {10,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T10LevelEdit")->setValue(25);
         t.Choose(f, "O_T10Spell1ComboBox", "objspells10_1", "1");
       },
       "25 1 77 88", nullptr},
      {15,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T15Edit1")->setValue(50);
         auto* flags = t.Find<QListWidget>(f, "O_T15CheckListBox");
         // Value1 11 shows items 1, 2 and 4 ticked; leave 1 and 3.
         for (int i = 0; i < 4; ++i)
           flags->item(i)->setCheckState(i % 2 ? Qt::Unchecked : Qt::Checked);
         t.Find<QSpinBox>(f, "O_T15Edit2")->setValue(1234);
       },
       "50 5 1234 88", nullptr},
      {17,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T17Edit1")->setValue(30);
         t.Find<QSpinBox>(f, "O_T17Edit2")->setValue(10);
         t.Choose(f, "O_T17ComboBox", "objdrink17", "3");
         t.Find<QSpinBox>(f, "O_T17Edit3")->setValue(2);
       },
       "30 10 3 2", nullptr},
      {19,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T19Edit1")->setValue(24);
         t.Find<QSpinBox>(f, "O_T19Edit2")->setValue(3);
       },
       "24 3 77 88", nullptr},
      {20,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T20Edit")->setValue(500);
       },
       "500 11 77 88", nullptr},
      {23,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Find<QSpinBox>(f, "O_T23Edit2")->setValue(4);
         t.Choose(f, "O_T23ComboBox", "objdrink23", "1");
       },
       "0 4 1 88", nullptr},
      {24,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Choose(f, "O_T24SpellComboBox", "objspells24", "8");
       },
       "0 8 77 88", nullptr},
      // The entry -1 means no spell, which the file holds as 0.
      {24,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         t.Choose(f, "O_T24SpellComboBox", "objspells24", "-1");
       },
       "0 0 77 88", nullptr},
      {25,
       [](ObjectEditorTest& t, ObjectEditor* f) {
         auto* flags = t.Find<QListWidget>(f, "O_T25CheckListBox");
         flags->item(t.IndexOf("magicflags", "a0"))->setCheckState(Qt::Checked);
         flags->item(t.IndexOf("magicflags", "c0"))->setCheckState(Qt::Checked);
         t.Find<QSpinBox>(f, "O_T25Edit3")->setValue(5);
         t.Find<QSpinBox>(f, "O_T25Edit4")->setValue(3);
         t.Find<QSpinBox>(f, "O_T25Edit1")->setValue(4001);
         t.Find<QSpinBox>(f, "O_T25Edit2")->setValue(-1);
       },
       "773 4001 -1 88", "a0c0"},
  };
  for (const Case& c : cases) {
    TObj& o = *w().Objs.Items(0);
    o.ObjType = 0;
    o.Value0.clear();
    o.Value1 = 11;
    o.Value2 = 77;
    o.Value3 = 88;
    o.SkillOrMagicFlags = {};
    ObjectEditor* f = Open(o);
    Choose(f, "O_TypeComboBox", "objtype", IntText(c.type));
    for (auto& [type, panel] : f->Values().O_Panel)
      EXPECT_EQ(panel->isVisibleTo(f), type == c.type) << c.type << " panel " << type;
    c.set(*this, f);
    Apply();
    const std::vector<std::string> lines = Saved(o.Vnum);
    ASSERT_GT(lines.size(), kValueLine) << c.type;
    EXPECT_EQ(lines[kValueLine - 1].substr(0, IntText(c.type).size() + 1), IntText(c.type) + " ");
    EXPECT_EQ(lines[kValueLine], c.values) << "type " << c.type;
    if (c.first) {
      EXPECT_EQ(lines[kSkillLine].substr(0, lines[kSkillLine].find(' ')), c.first) << c.type;
    }
  }
}

TEST_F(ObjectEditorTest, TypeWithoutPanelShowsNoneAndKeepsValues) {
  TObj& o = *w().Objs.Items(0);
  o.ObjType = 8;
  o.Value0 = "abc";  // no number: shown as 0, kept as it is
  o.Value1 = -3;
  const TObj before = o;
  ObjectEditor* f = Open(o);
  for (auto& [type, panel] : f->Values().O_Panel) EXPECT_FALSE(panel->isVisibleTo(f)) << type;
  EXPECT_FALSE(f->General().O_UseDescEdit->isEnabled());
  Choose(f, "O_TypeComboBox", "objtype", "2");
  EXPECT_TRUE(f->General().O_UseDescEdit->isEnabled());
  Choose(f, "O_TypeComboBox", "objtype", "8");
  Apply();
  EXPECT_TRUE(o == before);
}

TEST_F(ObjectEditorTest, TimerUnits) {
  struct Case {
    int32_t timer;
    int shown;
    const char* unit;
  } cases[] = {
      {2880, 2, "суток"}, {90, 90, "минут"}, {120, 2, "часов"}, {0, 0, "суток"}, {-1, -1, "минут"}};
  TObj& o = *w().Objs.Items(0);
  for (const Case& c : cases) {
    o.Timer = c.timer;
    ObjectEditor* f = Open(o);
    EXPECT_EQ(f->General().O_TimerEdit->value(), c.shown) << c.timer;
    EXPECT_EQ(f->General().O_TimerComboBox->currentText(), QString::fromUtf8(c.unit)) << c.timer;
    Apply();
    EXPECT_EQ(o.Timer, c.timer);
  }
  ObjectEditor* f = Open(o);
  f->General().O_TimerEdit->setValue(3);
  f->General().O_TimerComboBox->setCurrentIndex(1);
  Apply();
  EXPECT_EQ(o.Timer, 180);
  // The unit chosen last is the one a new window starts with.
  app->form->Windows().CloseActive();
  ObjectEditor fresh(app->form->Host());
  EXPECT_EQ(fresh.General().O_TimerComboBox->currentIndex(), 1);
}

TEST_F(ObjectEditorTest, NameButtonDeclines) {
  TObj& o = *w().Objs.Items(0);
  ObjectEditor* f = Open(o);
  f->General().O_NameEdit[0]->setText(QStringLiteral("железный шлем"));
  app->reporter.answers[4] = false;
  f->General().O_NameBtnClick();
  EXPECT_EQ(f->General().O_NameEdit[1]->text(), QStringLiteral("-"));

  app->reporter.answers[4] = true;
  f->General().O_NameBtnClick();
  const QStringList expected = {QStringLiteral("железного шлема"),
                                QStringLiteral("железному шлему"), QStringLiteral("железный шлем"),
                                QStringLiteral("железным шлемом"),
                                QStringLiteral("железном шлеме")};
  for (int i = 1; i < 6; ++i)
    EXPECT_EQ(f->General().O_NameEdit[static_cast<size_t>(i)]->text(), expected[i - 1]);
  Apply();
  EXPECT_EQ(o.Names[0], W("железный шлем"));
  EXPECT_EQ(o.Names[4], W("железным шлемом"));
}

// An application folder without its "morph" folder: the builder is told
// once, and the ending rules still fill the fields.
TEST_F(ObjectEditorTest, NameButtonWithoutTheDictionary) {
  Started bare(test::MakeAppDir(dir / "bare", false), dir / "world");
  RegisterObjEditor(bare.form->Host());
  bare.form->Windows().Edit(*bare.form->world().Objs.Items(0));
  auto* f = qobject_cast<ObjectEditor*>(bare.form->Windows().ActiveSubWindow()->widget());
  ASSERT_NE(f, nullptr);
  f->General().O_NameEdit[0]->setText(QStringLiteral("фляга"));
  bare.reporter.answers[4] = true;
  f->General().O_NameBtnClick();
  f->General().O_NameBtnClick();
  EXPECT_EQ(std::count_if(
                bare.reporter.errors.begin(), bare.reporter.errors.end(),
                [](const auto& e) { return e.n == static_cast<int>(ErrorMsg::MorphologyLoad); }),
            1);
  EXPECT_EQ(f->General().O_NameEdit[1]->text(), QStringLiteral("фляги"));
  EXPECT_EQ(f->General().O_NameEdit[4]->text(), QStringLiteral("флягой"));
}

TEST_F(ObjectEditorTest, ListPagesAddChangeAndDelete) {
  TObj& o = *w().Objs.Items(0);
  o.Applies.Add(PackApply(500, -7));  // a location the dictionary lacks
  ObjectEditor* f = Open(o);
  ObjectExtrasPage& extras = f->Extras();
  ObjectAppliesPage& applies = f->Applies();
  TriggerListPage& triggers = f->Triggers();
  EXPECT_EQ(applies.O_SpecListView->topLevelItem(0)->text(0), QStringLiteral("500"));

  // Extra descriptions.
  extras.O_AddDescEdit->setText(QStringLiteral("меч клинок"));
  extras.O_AddDescMemo->setPlainText(QStringLiteral("Острый~\nклинок"));
  ASSERT_TRUE(extras.O_ADAddBtn->isEnabled());
  extras.O_ADAddBtnClick();
  extras.O_ADAddBtnClick();
  extras.O_AddDescEdit->setText(QStringLiteral("рукоять"));
  extras.O_ADSetBtnClick();
  EXPECT_EQ(extras.O_AddDescListBox->count(), 2);
  extras.O_AddDescListBox->setCurrentRow(0);
  extras.O_ADDelBtnClick();  // asks first: "no" keeps it
  EXPECT_EQ(extras.O_AddDescListBox->count(), 2);
  app->reporter.answer = true;
  extras.O_ADDelBtnClick();
  EXPECT_EQ(extras.O_AddDescListBox->currentRow(), 0);
  EXPECT_EQ(extras.O_AddDescEdit->text(), QStringLiteral("рукоять"));

  // Applies: the unknown location is kept when only the modifier changes.
  applies.O_SpecEdit->setValue(-8);
  applies.O_SpecSetBtnClick();
  applies.O_SpecComboBox->setCurrentIndex(IndexOf("objbonus", "1"));
  applies.O_SpecEdit->setValue(2);
  applies.O_SpecAddBtnClick();
  applies.O_SpecAddBtnClick();
  applies.O_SpecDelBtnClick();
  EXPECT_EQ(applies.O_SpecListView->topLevelItemCount(), 2);

  // Triggers through the selection dialog, which lists the world's triggers.
  int pick = 1201;
  app->runner.answer = [&](QDialog& d) {
    auto& s = static_cast<SelectRecordDialog&>(d);
    EXPECT_EQ(s.ListView1()->topLevelItemCount(), 2);
    s.IDEdit()->setValue(pick);
    s.SelectBtnClick();
    return QDialog::Accepted;
  };
  triggers.AddBtnClick();
  pick = 1200;
  triggers.AddBtnClick();
  triggers.AddBtnClick();  // attached once
  pick = 1299;
  triggers.List->setCurrentRow(0);
  triggers.SetBtnClick();
  EXPECT_EQ(triggers.List->item(0)->text(), QStringLiteral("[1299] ?"));
  triggers.DelBtnClick();
  Apply();

  ASSERT_EQ(o.ExtraDescs.Count(), 1);
  EXPECT_EQ(o.ExtraDescs.Items(0)->Keywords, W("рукоять"));
  // A line ending with "~" would close the text early.
  EXPECT_EQ(o.ExtraDescs.Items(0)->Description, W("Острый~ \r\nклинок"));
  ASSERT_EQ(o.Applies.Count(), 2);
  EXPECT_EQ(o.Applies.Get(0), PackApply(500, -8));
  EXPECT_EQ(o.Applies.Get(1), PackApply(1, 2));
  ASSERT_EQ(o.Triggers.Count(), 1);
  EXPECT_EQ(o.Triggers.Get(0), 1200);
}

// A click with the mouse picks the row: its buttons follow, and an effect's
// values are those of the clicked row.
TEST_F(ObjectEditorTest, MouseClickOnARowPicksIt) {
  TObj& o = *w().Objs.Items(0);
  o.Applies.Add(PackApply(1, 3));
  o.Applies.Add(PackApply(2, -4));
  o.Triggers.Add(1200);
  o.Triggers.Add(1201);
  ObjectEditor* f = Open(o);
  ObjectAppliesPage& applies = f->Applies();
  TriggerListPage& triggers = f->Triggers();
  test::ClickRow(triggers.List, 1);
  EXPECT_TRUE(triggers.SetBtn->isEnabled());
  EXPECT_TRUE(triggers.DelBtn->isEnabled());
  for (int row : {1, 0, 1}) {
    SCOPED_TRACE(row);
    test::ClickRow(applies.O_SpecListView, row);
    EXPECT_EQ(applies.O_SpecEdit->value(), row == 0 ? 3 : -4);
    EXPECT_EQ(applies.O_SpecComboBox->currentIndex(), IndexOf("objbonus", row == 0 ? "1" : "2"));
    EXPECT_TRUE(applies.O_SpecSetBtn->isEnabled());
    EXPECT_TRUE(applies.O_SpecDelBtn->isEnabled());
  }
}

}  // namespace
}  // namespace zm
