#include "editors/mobileeditor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>

#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/mobiledicepage.h"
#include "editors/mobilegeneralpage.h"
#include "editors/mobilegridpage.h"
#include "editors/mobileingredientspage.h"
#include "editors/mobileotherpage.h"
#include "editors/triggerlistpage.h"
#include "gui/guitestutil.h"
#include "io/recordfile.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

struct MobileEditorTest : ::testing::Test {
  TempDir dir;
  std::unique_ptr<Started> app;

  void SetUp() override {
    const fs::path world = dir / "world";
    test::WriteWorld(world, {{12, "Лес", 3, 0, 2, 0, 1}});
    app = std::make_unique<Started>(test::MakeAppDir(dir / "app", true), world);
    RegisterMobEditor(app->form->Host());
  }
  World& w() { return app->form->world(); }
  TMob& Mob(int i) { return *w().Mobs.Items(i); }
  MobileEditor* Open(TMob& m) {
    app->form->Windows().Edit(m);
    return qobject_cast<MobileEditor*>(app->form->Windows().ActiveSubWindow()->widget());
  }
  void Apply() { app->form->Windows().ApplyActive(false); }
  const Dictionary& Dict(const char* name) { return *app->form->App().Bases->Find(name); }
  template <typename T>
  T* Find(MobileEditor* f, const char* name) {
    T* c = f->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(c, nullptr) << name;
    return c;
  }
  void Choose(MobileEditor* f, const char* combo, const char* dict, const char* key) {
    Find<QComboBox>(f, combo)->setCurrentIndex(Dict(dict).IndexOf(key));
  }
  void SetCell(QTableWidget* grid, const char* dict, const char* key, const char* text) {
    grid->item(Dict(dict).IndexOf(key), 1)->setText(QString::fromLatin1(text));
  }
  QString Cell(QTableWidget* grid, const char* dict, const char* key) {
    return grid->item(Dict(dict).IndexOf(key), 1)->text();
  }
};

TEST_F(MobileEditorTest, EveryPageReachesTheSavedRecord) {
  MobileEditor* f = Open(Mob(0));
  struct Dice {
    const char* prefix;
    int count, sides, bonus;
    bool minus;
  } dice[] = {
      {"M_HP", 3, 8, 20, false}, {"M_Damage", 1, 4, 2, true}, {"M_Money", 0, 0, 100, false}};
  for (const Dice& d : dice) {
    const std::string p = d.prefix;
    Find<QSpinBox>(f, (p + "1Edit").c_str())->setValue(d.count);
    Find<QSpinBox>(f, (p + "2Edit").c_str())->setValue(d.sides);
    Find<QSpinBox>(f, (p + "3Edit").c_str())->setValue(d.bonus);
    if (d.minus) Find<QPushButton>(f, (p + "Btn").c_str())->click();
  }
  Choose(f, "M_LevelComboBox", "moblevel", "10");
  Choose(f, "M_StrComboBox", "mob_str", "18");
  Choose(f, "M_ConComboBox", "mob_con", "12");
  auto* flags = Find<QListWidget>(f, "M_FlagsCheckListBox");
  flags->item(Dict("mobflags").IndexOf("b0"))->setCheckState(Qt::Checked);
  flags->item(Dict("mobflags").IndexOf("d0"))->setCheckState(Qt::Checked);
  SetCell(f->Spells().Grid, "mobspells", "1", "2");
  SetCell(f->Skills().Grid, "mobskills", "3", "50");
  SetCell(f->Skills().Grid, "mobskills", "5", "101");  // above 100: dropped

  MobileOtherPage& other = f->Other();
  other.M_PathEdit->setValue(1201);
  other.M_PathAddBtnClick();
  other.M_PathComboBox->setCurrentIndex(other.M_PathComboBox->findData(1202));
  other.M_PathComboBoxChange();
  EXPECT_EQ(other.M_PathEdit->value(), 1202);
  other.M_PathAddBtnClick();
  other.M_PathUpBtnClick();

  other.M_HelperEdit->setValue(1201);
  other.M_HelperAddBtnClick();
  app->runner.answer = [](QDialog& d) {
    auto& s = static_cast<SelectRecordDialog&>(d);
    s.IDEdit()->setValue(s.windowTitle() == QStringLiteral("Выберите моба") ? 3001 : 1200);
    s.SelectBtnClick();
    return QDialog::Accepted;
  };
  other.M_HelperSelectBtnClick();
  other.M_HelperAddBtnClick();
  f->Triggers().AddBtnClick();

  MobileIngredientsPage& ingrs = f->Ingredients();
  ingrs.M_IngrComboBox->setCurrentIndex(ingrs.M_IngrComboBox->findText(QStringLiteral("шерсть")));
  ingrs.M_IngrStrEdit->setValue(5);
  ingrs.M_IngrChanceEdit->setValue(50);
  ingrs.M_IngrAddBtnClick();
  Apply();
  EXPECT_EQ(Cell(f->Skills().Grid, "mobskills", "5"), QStringLiteral("0"));

  std::vector<std::string> lines;
  ASSERT_EQ(BuildRecordLines(w(), kMobile, 12, lines), std::nullopt);
  std::string record;
  for (const std::string& l : lines) {
    if (l == "#1201") break;
    if (!record.empty() || l == "#1200") record += l + "\n";
  }
  EXPECT_EQ(WinToUtf8(record), R"(#1200
~
Моб 0~
-~
-~
-~
-~
-~
~
~
b0d0 0 0 E
10 0 0 3d8+20 1d4+-2
0d0+100 0
0 0 0
BareHandAttack: 0
Destination: 1202
Destination: 1201
Str: 18
Int: 0
Wis: 0
Dex: 0
Con: 12
Cha: 0
LikeWork: 0
MaxFactor: 0
ExtraAttack: 0
Class: 0
Size: 0
Height: 0
Weight: 0
Spell: 1
Spell: 1
Skill: 3 50
Helper: 1201
Helper: 3001
E
T 1200
I шерсть,5:50
)");
}

TEST_F(MobileEditorTest, SignButtonFollowsEachMobile) {
  Mob(0).GoldDice = {1, 6, -5};
  Mob(1).GoldDice = {2, 6, 7};
  MobileEditor* f = Open(Mob(0));
  EXPECT_EQ(f->Dice().M_Dice[2].Sign->text(), QStringLiteral("-"));
  f = Open(Mob(1));
  EXPECT_EQ(f->Dice().M_Dice[2].Sign->text(), QStringLiteral("+"));
  Apply();
  EXPECT_EQ(Mob(1).GoldDice.Bonus, 7);
  f->Dice().M_DiceBtnClick(f->Dice().M_Dice[2].Sign);
  Apply();
  EXPECT_EQ(Mob(1).GoldDice.Bonus, -7);
}

TEST_F(MobileEditorTest, GridsAreWrittenInRowOrderOnceChanged) {
  TMob& m = Mob(0);
  // In file order: an unknown skill, one above 100, an ordinary one.
  m.Skills.Add(PackSkill(9999, 40));
  m.Skills.Add(PackSkill(4, 150));
  m.Skills.Add(PackSkill(2, 30));
  m.Spells.Add(PackSpell(3, 500));
  const TMob before = m;
  MobileEditor* f = Open(m);
  EXPECT_EQ(Cell(f->Skills().Grid, "mobskills", "4"), QStringLiteral("150"));
  Apply();
  EXPECT_TRUE(m == before);

  struct Case {
    const char* grid;  // "skill" or "spell"
    const char* key;
    const char* text;
    const char* after;  // the cell after Apply
  } cases[] = {
      {"skill", "2", "35", "35"}, {"skill", "4", "150x", "0"},  {"skill", "7", "60", "60"},
      {"skill", "1", "20", "20"}, {"spell", "3", "600", "600"}, {"spell", "4", "", "0"},
  };
  for (const Case& c : cases) {
    const bool skill = std::string(c.grid) == "skill";
    QTableWidget* grid = skill ? f->Skills().Grid : f->Spells().Grid;
    SetCell(grid, skill ? "mobskills" : "mobspells", c.key, c.text);
  }
  Apply();
  for (const Case& c : cases) {
    const bool skill = std::string(c.grid) == "skill";
    QTableWidget* grid = skill ? f->Skills().Grid : f->Spells().Grid;
    EXPECT_EQ(Cell(grid, skill ? "mobskills" : "mobspells", c.key), QString::fromUtf8(c.after))
        << c.key;
  }
  // In the order of the rows, new skills 1 and 7 among them; the unknown
  // skill keeps its place in front; skill 4 was changed to no number and goes.
  std::vector<int32_t> skills;
  for (const auto& s : m.Skills) skills.push_back(s->Value);
  EXPECT_EQ(skills, (std::vector<int32_t>{PackSkill(9999, 40), PackSkill(1, 20), PackSkill(2, 35),
                                          PackSkill(7, 60)}));
  ASSERT_EQ(m.Spells.Count(), 1);
  EXPECT_EQ(m.Spells.Get(0), PackSpell(3, 600));
}

TEST_F(MobileEditorTest, IngredientsAndDeclension) {
  TMob& m = Mob(0);
  m.Ingredients.Add(TIngr{3, 40, W("мех")});
  MobileEditor* f = Open(m);
  EXPECT_TRUE(f->Ingredients().M_IngrSetBtn->isEnabled());
  app->reporter.answers[2] = false;
  f->Ingredients().M_IngrDelBtnClick();
  EXPECT_EQ(f->Ingredients().M_IngrListView->topLevelItemCount(), 1);
  app->reporter.answers[2] = true;
  f->Ingredients().M_IngrDelBtnClick();
  EXPECT_EQ(f->Ingredients().M_IngrListView->topLevelItemCount(), 0);
  EXPECT_FALSE(f->Ingredients().M_IngrSetBtn->isEnabled());
  EXPECT_FALSE(f->Ingredients().M_IngrDelBtn->isEnabled());

  f->General().M_NameEdit[0]->setText(QStringLiteral("старый волк"));
  app->reporter.answers[4] = false;
  f->General().M_NameBtnClick();
  EXPECT_EQ(f->General().M_NameEdit[2]->text(), QStringLiteral("-"));
  app->reporter.answers[4] = true;
  f->General().M_NameBtnClick();
  EXPECT_EQ(f->General().M_NameEdit[1]->text(), QStringLiteral("старого волка"));
  EXPECT_EQ(f->General().M_NameEdit[3]->text(), QStringLiteral("старого волка"));
  EXPECT_EQ(f->General().M_NameEdit[4]->text(), QStringLiteral("старым волком"));
  f->General().M_FullDescMemo->setPlainText(QStringLiteral("Серый волк.\n~\n\n"));
  Apply();
  EXPECT_TRUE(m.Ingredients.Empty());
  EXPECT_EQ(m.Names[5], W("старом волке"));
  // Trailing line ends go; a lone "~" would end the text in the file.
  EXPECT_EQ(m.LookDescription, W("Серый волк.\r\n~ "));
}

// A click with the mouse picks the row: the buttons that work on it follow.
TEST_F(MobileEditorTest, MouseClickOnARowEnablesItsButtons) {
  TMob& m = Mob(0);
  m.Ingredients.Add(TIngr{3, 40, W("мех")});
  m.Ingredients.Add(TIngr{5, 60, W("клык")});
  for (int32_t v : {1200, 1201}) {
    m.Triggers.Add(v);
    m.Helpers.Add(v);
  }
  m.Destinations = "1200/1201/1202";
  MobileEditor* f = Open(m);
  MobileIngredientsPage& ingrs = f->Ingredients();
  TriggerListPage& triggers = f->Triggers();
  MobileOtherPage& other = f->Other();
  struct Case {
    QAbstractItemView* view;
    std::vector<QPushButton*> buttons;
  } cases[] = {
      {ingrs.M_IngrListView, {ingrs.M_IngrSetBtn, ingrs.M_IngrDelBtn}},
      {triggers.List, {triggers.SetBtn, triggers.DelBtn}},
      {other.M_PathListBox,
       {other.M_PathSetBtn, other.M_PathDelBtn, other.M_PathUpBtn, other.M_PathDownBtn}},
      {other.M_HelperListBox, {other.M_HelperSetBtn, other.M_HelperDelBtn}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.view->objectName().toStdString());
    test::ClickRow(c.view, 1);
    EXPECT_EQ(c.view->currentIndex().row(), 1);
    for (QPushButton* b : c.buttons) EXPECT_TRUE(b->isEnabled()) << b->objectName().toStdString();
  }
  EXPECT_EQ(ingrs.M_IngrComboBox->currentText(), QStringLiteral("клык"));
  EXPECT_EQ(other.M_PathEdit->value(), 1201);
  EXPECT_EQ(other.M_HelperEdit->value(), 1201);
}

}  // namespace
}  // namespace zm
