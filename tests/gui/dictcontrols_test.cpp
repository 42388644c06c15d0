#include "widgets/dictcontrols.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>

#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "core/testutil.h"

namespace zm {
namespace {

using test::TempDir;

struct DictionariesTest : ::testing::Test {
  TempDir tmp;
  test::RecordingReporter rep;
  std::unique_ptr<Dictionaries> list;

  void SetUp() override {
    test::WriteFile(tmp / "Sector", W("0 Внутри\n1 Город\n5 Тундра\n"));
    test::WriteFile(tmp / "Flags", W("a0 Тёмная\nb0 Смертельная\nc1 Мирная\n"));
    test::WriteFile(tmp / "Skills", W("1 Удар\n2 Пинок\n"));
    list = std::make_unique<Dictionaries>(tmp.path());
    list->AddNamed("Sector", "sectortype", "R_SectorComboBox", kDictDropDown, false, rep);
    list->AddNamed("Flags", "roomvector", "R_TypeCheckListBox", kDictCheckList, false, rep);
    list->AddNamed("Skills", "mobskills", "M_SkillStringGrid", kDictGrid, false, rep);
    ASSERT_TRUE(rep.errors.empty());
  }
};

TEST_F(DictionariesTest, DropDownShowsAndReadsKeys) {
  QComboBox combo;
  combo.setObjectName("R_SectorComboBox");
  Dictionary* b = BindControl(*list, &combo);  // by the control's name
  ASSERT_EQ(b, list->Find("sectortype"));
  EXPECT_EQ(combo.count(), 3);
  EXPECT_EQ(combo.itemText(2), QStringLiteral("Тундра"));
  struct Case {
    const char* value;
    int index;
    const char* read;
  } cases[] = {
      {"5", 2, "5"},
      {"1", 1, "1"},
      {"9", 3, "9"},  // unknown code: shown as itself and kept
      {"-1", -1, "-1"},
  };
  for (const Case& c : cases) {
    b->ShowValue(c.value);
    EXPECT_EQ(combo.currentIndex(), c.index) << c.value;
    EXPECT_EQ(b->ReadValue(), c.read) << c.value;
  }
  combo.setCurrentIndex(0);  // the user's choice
  EXPECT_EQ(b->ReadValue(), "0");
}

TEST_F(DictionariesTest, CheckListShowsAndReadsBitVectors) {
  QListWidget box;
  box.setObjectName("Other");
  Dictionary* b = BindControl(*list, &box, "roomvector");  // by dictionary name
  ASSERT_NE(b, nullptr);
  ASSERT_EQ(box.count(), 3);
  EXPECT_TRUE(box.item(0)->flags() & Qt::ItemIsUserCheckable);
  b->ShowValue("a0c1");
  EXPECT_EQ(box.item(0)->checkState(), Qt::Checked);
  EXPECT_EQ(box.item(1)->checkState(), Qt::Unchecked);
  EXPECT_EQ(box.item(2)->checkState(), Qt::Checked);
  EXPECT_EQ(b->ReadValue(), "a0c1");
  box.item(0)->setCheckState(Qt::Unchecked);
  box.item(1)->setCheckState(Qt::Checked);
  // Once changed, the flags come in item order.
  EXPECT_EQ(b->ReadValue(), "b0c1");
  b->ShowValue("z9a0");  // an unknown flag gets an item of its own
  EXPECT_EQ(box.count(), 4);
  EXPECT_EQ(box.item(3)->text(), QStringLiteral("z9"));
  EXPECT_EQ(b->ReadValue(), "z9a0");
  b->ShowValue("");
  EXPECT_EQ(box.count(), 3);
  EXPECT_EQ(b->ReadValue(), "");
}

TEST_F(DictionariesTest, GridGetsTheTexts) {
  QTableWidget grid;
  grid.setObjectName("M_SkillStringGrid");
  ASSERT_NE(BindControl(*list, &grid), nullptr);
  ASSERT_EQ(grid.rowCount(), 2);
  EXPECT_EQ(grid.item(1, 0)->text(), QStringLiteral("Пинок"));
}

TEST_F(DictionariesTest, OneControlAtATimeAndNoneForOthers) {
  QComboBox first, second, stranger;
  first.setObjectName("R_SectorComboBox");
  second.setObjectName("R_SectorComboBox");
  stranger.setObjectName("Z_Nothing");
  Dictionary* b = BindControl(*list, &first);
  BindControl(*list, &second);
  EXPECT_EQ(b->Control(), DictControlOf(&second));
  EXPECT_EQ(BindControl(*list, &stranger), nullptr);
  EXPECT_EQ(stranger.count(), 0);
  // The adapter goes with its widget and the dictionary forgets it.
  {
    QComboBox temp;
    temp.setObjectName("R_SectorComboBox");
    BindControl(*list, &temp);
  }
  EXPECT_EQ(b->Control(), nullptr);
  b->ShowValue("5");  // nothing bound: nothing happens
  EXPECT_EQ(b->ReadValue(), "-1");
  EXPECT_EQ(DictControlOf(&first), DictControlOf(&first));
}

}  // namespace
}  // namespace zm
