#include "editors/shopeditor.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>

#include "app/worldtree.h"
#include "common/dictionaries.h"
#include "common/winutf8.h"
#include "editors/changetracker.h"
#include "editors/shopeditorpages.h"
#include "editors/shopgoodspage.h"
#include "editors/shopkindspage.h"
#include "editors/shoproomspage.h"
#include "editors/shoptermspage.h"
#include "gui/guitestutil.h"
#include "io/recordfile.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

namespace fs = std::filesystem;
using test::Started;
using test::TempDir;

QStringList Texts(const QListWidget* list) {
  QStringList out;
  for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
  return out;
}

struct ShopEditorTest : ::testing::Test {
  TempDir dir;
  std::unique_ptr<Started> app;

  void SetUp() override {
    const fs::path world = dir / "world";
    // Rooms, objects and mobiles 1200 and up; one shop 1200.
    test::WriteWorld(world, {{12, "Лес", 3, 2, 2, 1, 0}});
    app = std::make_unique<Started>(test::MakeAppDir(dir / "app", true), world);
    RegisterEditors(app->form->Host());
  }
  World& w() { return app->form->world(); }
  TShop& Shop() { return *w().Shops.Items(0); }
  ShopEditor* Open(TShop& s) {
    app->form->Windows().Edit(s);
    return qobject_cast<ShopEditor*>(app->form->Windows().ActiveSubWindow()->widget());
  }
  void Apply() { app->form->Windows().ApplyActive(false); }
  QString Status() { return app->form->statusBar()->currentMessage(); }
  int IndexOf(const char* dict, const char* key) {
    return app->form->App().Bases->Find(dict)->IndexOf(key);
  }
  void Choose(QComboBox* combo, const char* dict, const char* key) {
    combo->setCurrentIndex(IndexOf(dict, key));
  }
  void Check(QListWidget* list, const char* dict, const char* key) {
    list->item(IndexOf(dict, key))->setCheckState(Qt::Checked);
  }
  // The selection dialog answers with `vnum`.
  void Answer(int32_t vnum) {
    app->runner.answer = [vnum](QDialog& d) {
      auto& s = static_cast<SelectRecordDialog&>(d);
      s.IDEdit()->setValue(vnum);
      s.SelectBtnClick();
      return QDialog::Accepted;
    };
  }
  void Type(QLineEdit* edit, const char* text) { edit->setText(QString::fromUtf8(text)); }
};

TEST_F(ShopEditorTest, EveryControlReachesTheSavedFile) {
  ShopEditor* f = Open(Shop());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->Keeper().S_SellerName->text(), QStringLiteral("(Неизвестный)"));
  f->Keeper().S_SellerEdit->setValue(1201);
  EXPECT_EQ(f->Keeper().S_SellerName->text(), QStringLiteral("(Моб 1)"));

  // Goods through the selection dialog; a good listed already is picked.
  Answer(1201);
  f->Goods().S_Sell1BtnClick();
  Answer(1200);
  f->Goods().S_Sell1BtnClick();
  Answer(1201);
  f->Goods().S_Sell1BtnClick();
  EXPECT_EQ(Texts(f->Goods().S_SellListBox),
            (QStringList{QStringLiteral("[1201] Объект 1"), QStringLiteral("[1200] Объект 0")}));
  EXPECT_EQ(f->Goods().S_SellListBox->currentRow(), 0);
  app->runner.answer = nullptr;  // cancelled: nothing added
  f->Goods().S_Sell1BtnClick();
  EXPECT_EQ(f->Goods().S_SellListBox->count(), 2);

  f->Terms().S_ProfitSellEdit->setValue(150);
  f->Terms().S_ProfitBuyEdit->setValue(80);
  f->Terms().S_ProfitChangeEdit->setValue(115);

  // Kinds from the combo boxes and typed keywords; empty, "~" and repeated
  // input adds nothing.
  Choose(f->Bought().ComboBox, "shopbuytype", "5");
  f->Bought().KindBtnClick();
  f->Bought().KindBtnClick();
  Type(f->Bought().Edit, "  меч ");
  f->Bought().WordBtnClick();
  EXPECT_TRUE(f->Bought().Edit->text().isEmpty());
  f->Bought().WordBtnClick();
  EXPECT_FALSE(Status().isEmpty());
  Type(f->Bought().Edit, "ме~ч");
  f->Bought().WordBtnClick();
  EXPECT_TRUE(Status().contains(QStringLiteral("~")));
  Type(f->Bought().Edit, "меч");
  f->Bought().WordBtnClick();
  EXPECT_EQ(Texts(f->Bought().ListBox),
            (QStringList{QStringLiteral("Оружие"), QStringLiteral("меч")}));
  Choose(f->Exchanged().ComboBox, "shopchangetype", "9");
  f->Exchanged().KindBtnClick();
  Type(f->Exchanged().Edit, "щит");
  f->Exchanged().WordBtnClick();
  EXPECT_EQ(Texts(f->Exchanged().ListBox),
            (QStringList{QStringLiteral("Броня"), QStringLiteral("щит")}));

  for (size_t i = 0; i < f->Replies().S_MsgEdit.size(); ++i)
    f->Replies().S_MsgEdit[i]->setText(QStringLiteral("%s ответ %1").arg(i + 1));
  f->Replies().S_MsgEdit[5]->setText(QStringLiteral("Стоит %d\nкун"));  // pasted line break
  f->Terms().S_EmotionEdit->setValue(3);
  Check(f->Terms().S_BitVCheckListBox, "shopbitvector", "a0");
  Check(f->Terms().S_WhoCheckListBox, "shopnotsellvector", "e0");
  Check(f->Terms().S_WhoCheckListBox, "shopnotsellvector", "b0");

  // Rooms by typed number: a non-number is refused, a number without a room
  // is kept and shown with "?".
  Type(f->Rooms().S_RoomEdit, "12a");
  f->Rooms().S_Room1BtnClick();
  EXPECT_EQ(f->Rooms().S_RoomListBox->count(), 0);
  EXPECT_TRUE(Status().contains(QStringLiteral("номер комнаты")));
  EXPECT_EQ(f->Rooms().S_RoomEdit->text(), QStringLiteral("12a"));
  Type(f->Rooms().S_RoomEdit, "-1");
  f->Rooms().S_Room1BtnClick();
  EXPECT_EQ(f->Rooms().S_RoomListBox->count(), 0);
  Type(f->Rooms().S_RoomEdit, "1202");
  f->Rooms().S_Room1BtnClick();
  Type(f->Rooms().S_RoomEdit, " 1299");
  f->Rooms().S_Room1BtnClick();
  Type(f->Rooms().S_RoomEdit, "1202");
  f->Rooms().S_Room1BtnClick();
  EXPECT_EQ(Texts(f->Rooms().S_RoomListBox),
            (QStringList{QStringLiteral("[1202] Комната 2"), QStringLiteral("[1299] ?")}));
  EXPECT_EQ(f->Rooms().S_RoomListBox->currentRow(), 0);

  Choose(f->Terms().S_Open1ComboBox, "shophours1", "8");
  Choose(f->Terms().S_Close1ComboBox, "shophours2", "12");
  Choose(f->Terms().S_Open2ComboBox, "shophours3", "14");
  Choose(f->Terms().S_Close2ComboBox, "shophours4", "20");
  Apply();

  ASSERT_TRUE(SaveRecordFile(w(), kShop, 12));
  std::string file = test::ReadFile(w().WorldPath / "SHP" / "12.shp");
  const std::string expected =
      W("CircleMUD v3.0 Shop File~\r\n"
        "#1200 E~\r\n"
        "1201\r\n1200\r\n-1\r\n"
        "1.50\r\n0.80\r\n1.15\r\n"
        "5\r\nмеч~\r\n-1\r\n"
        "9\r\nщит~\r\n-1\r\n"
        "%s ответ 1~\r\n%s ответ 2~\r\n%s ответ 3~\r\n%s ответ 4~\r\n%s ответ 5~\r\n"
        "Стоит %d кун~\r\n%s ответ 7~\r\n"
        "3\r\na0\r\n1201\r\nb0e0\r\n"
        "1202\r\n1299\r\n-1\r\n"
        "8\r\n12\r\n14\r\n20\r\n"
        "$\r\n$\r\n~\r\n");
  EXPECT_EQ(WinToUtf8(file), WinToUtf8(expected));
}

TEST_F(ShopEditorTest, ViewingKeepsKeysFactorsAndHours) {
  TShop& s = Shop();
  // A keyword that reads like a kind's text, a kind the dictionary does not
  // name, factors finer than a percent, hours beyond the dictionary.
  s.BuyTypes = {W("-1=Оружие"), W("5=Оружие"), "77=", W("-1=меч")};
  s.ChangeTypes = {"40=", W("-1=щит")};
  s.SellCoeff = 1.155;
  s.BuyCoeff = 0.333;
  s.ChangeCoeff = 1.15;
  s.Open1 = 30;
  s.Close1 = 255;
  s.ShopFlags = "z3";
  s.Goods.Add(-5);
  const TShop before = s;
  ShopEditor* f = Open(s);
  EXPECT_EQ(Texts(f->Bought().ListBox),
            (QStringList{QStringLiteral("Оружие"), QStringLiteral("Оружие"), QStringLiteral("77"),
                         QStringLiteral("меч")}));
  EXPECT_EQ(f->Terms().S_ProfitSellEdit->value(), 116);
  EXPECT_EQ(f->Terms().S_ProfitBuyEdit->value(), 33);
  EXPECT_EQ(f->Terms().S_ProfitChangeEdit->value(), 115);
  Apply();
  EXPECT_TRUE(s == before);

  // Removing the kind 5 leaves the keyword of the same text a keyword; a
  // spin moved and moved back is untouched; a changed one gives whole percent.
  f->Bought().ListBox->setCurrentRow(1);
  f->Bought().RemoveBtnClick();
  f->Terms().S_ProfitBuyEdit->setValue(34);
  f->Terms().S_ProfitBuyEdit->setValue(33);
  f->Terms().S_ProfitChangeEdit->setValue(120);
  Apply();
  EXPECT_EQ(s.BuyTypes, (std::vector<std::string>{W("-1=Оружие"), "77=", W("-1=меч")}));
  EXPECT_EQ(s.SellCoeff, 1.155);
  EXPECT_EQ(s.BuyCoeff, 0.333);
  EXPECT_EQ(s.ChangeCoeff, 1.2);
  EXPECT_EQ(s.Open1, 30);
  EXPECT_EQ(s.Close1, 255);
  EXPECT_EQ(s.ShopFlags, "z3");
  EXPECT_EQ(f->Bought().ListBox->currentRow(), 1);  // the row after the one removed

  std::vector<std::string> lines;
  ASSERT_EQ(BuildRecordLines(w(), kShop, 12, lines), std::nullopt);
  const std::vector<std::string> kinds(lines.begin() + 7, lines.begin() + 15);
  EXPECT_EQ(kinds, (std::vector<std::string>{W("Оружие~"), "77", W("меч~"), "-1", "40", W("щит~"),
                                             "-1", "~"}));
}

TEST_F(ShopEditorTest, TreeOpensTheShopAndShowsItsKeeper) {
  TShop& s = Shop();
  QTreeWidgetItem* node = app->form->Tree().ItemOf(&s);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text(0), QStringLiteral("[1200] Неизвестный"));
  app->form->TreeView1()->setCurrentItem(node);
  auto* f = qobject_cast<ShopEditor*>(app->form->Windows().ActiveSubWindow()->widget());
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->windowTitle(), QStringLiteral("(1200) Неизвестный"));
  f->Keeper().S_SellerEdit->setValue(1200);
  Apply();
  EXPECT_EQ(s.Keeper, 1200);
  EXPECT_EQ(node->text(0), QStringLiteral("[1200] Моб 0"));
  f->Keeper().S_SellerEdit->setValue(999999);
  EXPECT_EQ(f->Keeper().S_SellerEdit->value(), 999999);
  Apply();
  EXPECT_EQ(node->text(0), QStringLiteral("[1200] Неизвестный"));
}

TEST_F(ShopEditorTest, RemovingNeedsASelectedRow) {
  TShop& s = Shop();
  s.Goods.Add(1200);
  s.Goods.Add(1201);
  s.Rooms.Add(1200);
  s.BuyTypes = {W("5=Оружие")};
  s.ChangeTypes = {W("-1=щит")};
  const TShop before = s;
  ShopEditor* f = Open(s);
  EXPECT_FALSE(f->Goods().S_Sell2Btn->isEnabled());
  f->Goods().S_Sell2BtnClick();
  f->Rooms().S_Room2BtnClick();
  f->Bought().RemoveBtnClick();
  f->Exchanged().RemoveBtnClick();
  Apply();
  EXPECT_TRUE(s == before);

  // The last row removed: the new last one is picked; the only row
  // removed: none is.
  f->Goods().S_SellListBox->setCurrentRow(1);
  EXPECT_TRUE(f->Goods().S_Sell2Btn->isEnabled());
  f->Goods().S_Sell2BtnClick();  // asks first: "no" keeps it
  EXPECT_EQ(f->Goods().S_SellListBox->count(), 2);
  app->reporter.answer = true;
  f->Goods().S_Sell2BtnClick();
  EXPECT_EQ(f->Goods().S_SellListBox->currentRow(), 0);
  f->Rooms().S_RoomListBox->setCurrentRow(0);
  f->Rooms().S_Room2BtnClick();
  EXPECT_EQ(f->Rooms().S_RoomListBox->currentRow(), -1);
  EXPECT_FALSE(f->Rooms().S_Room2Btn->isEnabled());
  f->Rooms().S_Room2BtnClick();
  f->Exchanged().ListBox->setCurrentRow(0);
  f->Exchanged().RemoveBtnClick();
  Apply();
  EXPECT_EQ(s.Goods.Count(), 1);
  EXPECT_EQ(s.Goods.Get(0), 1200);
  EXPECT_TRUE(s.Rooms.Empty());
  EXPECT_EQ(s.BuyTypes, before.BuyTypes);
  EXPECT_TRUE(s.ChangeTypes.empty());
}

}  // namespace
}  // namespace zm
