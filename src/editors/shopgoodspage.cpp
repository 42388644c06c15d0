#include "editors/shopgoodspage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/listedits.h"
#include "editors/shopeditorpages.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

ShopGoodsPage::ShopGoodsPage(EditorWindow& editor, TShop& wc) : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* goods = new QGroupBox(QStringLiteral("Список продаваемого"), this);
  auto* goodsLay = new QVBoxLayout(goods);
  S_SellListBox = ShopList(goods, "S_SellListBox");
  goodsLay->addWidget(S_SellListBox, 1);
  auto* buttons = new QHBoxLayout();
  S_Sell1Btn = Button(goods, "Добавить", "S_Sell1Btn");
  S_Sell2Btn = Button(goods, "Убрать", "S_Sell2Btn");
  buttons->addWidget(S_Sell1Btn);
  buttons->addWidget(S_Sell2Btn);
  buttons->addStretch(1);
  goodsLay->addLayout(buttons);
  lay->addWidget(goods);

  connect(S_Sell1Btn, &QPushButton::clicked, this, &ShopGoodsPage::S_Sell1BtnClick);
  connect(S_Sell2Btn, &QPushButton::clicked, this, &ShopGoodsPage::S_Sell2BtnClick);
  connect(S_SellListBox, &QListWidget::itemSelectionChanged, this, &ShopGoodsPage::updateButtons);
  updateButtons();
}

void ShopGoodsPage::ShowRecord() {
  showGoods();
  updateButtons();
}

void ShopGoodsPage::updateButtons() {
  S_Sell2Btn->setEnabled(PickedRow(S_SellListBox) >= 0);
}

void ShopGoodsPage::showGoods() {
  const QSignalBlocker block(S_SellListBox);
  S_SellListBox->clear();
  const World* w = &Editor().world();
  for (const auto& g : m_wc.Goods)
    S_SellListBox->addItem(
        ToQt(w ? w->Objs.CaptionOf(g->Value) : NodeCaption(g->Value, std::string("?"))));
}

void ShopGoodsPage::S_Sell1BtnClick() {
  int32_t vnum = 0;
  if (!SelectVnum(Editor(), 0, vnum)) return;
  int at = m_wc.Goods.IndexOf(vnum);
  if (at >= 0) {
    Editor().Status(QStringLiteral(" Предмет %1 уже есть в списке продаваемого").arg(vnum));
  } else {
    m_wc.Goods.Add(vnum);
    at = m_wc.Goods.Count() - 1;
    showGoods();
  }
  PickShopRow(S_SellListBox, at);
  updateButtons();
}

void ShopGoodsPage::S_Sell2BtnClick() {
  const int i = PickedRow(S_SellListBox);
  if (i < 0 || !AskRemoveFromList(Editor(), "товар")) return;
  m_wc.Goods.Delete(i);
  showGoods();
  PickShopRow(S_SellListBox, std::min(i, S_SellListBox->count() - 1));
  updateButtons();
}

}  // namespace zm
