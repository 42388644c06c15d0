#include "editors/shopeditor.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "common/winutf8.h"
#include "editors/shopeditorpages.h"
#include "editors/shopgoodspage.h"
#include "editors/shopkindspage.h"
#include "editors/shoproomspage.h"
#include "editors/shoptermspage.h"
#include "model/world.h"

namespace zm {

ShopEditor::ShopEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kShop, parent) {
  setObjectName("ShopForm");
  setWindowTitle(QStringLiteral("()"));

  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  m_keeper = new ShopKeeperPage(*this, m_wc);
  top->addWidget(m_keeper);

  // The lists and the replies on the left, the terms in a column of their
  // own down the whole height.
  auto* body = new QHBoxLayout();
  top->addLayout(body, 1);
  auto* lists = new QVBoxLayout();
  body->addLayout(lists, 8);
  auto* columns = new QHBoxLayout();
  lists->addLayout(columns, 1);

  auto* left = new QVBoxLayout();
  m_goods = new ShopGoodsPage(*this, m_wc);
  left->addWidget(m_goods, 3);
  m_rooms = new ShopRoomsPage(*this, m_wc);
  left->addWidget(m_rooms, 2);
  columns->addLayout(left, 4);

  auto* middle = new QVBoxLayout();
  m_bought = new ShopKindsPage(*this, m_wc.BuyTypes, "Покупаемые вещи", "S_Buy", "shopbuytype");
  middle->addWidget(m_bought, 1);
  m_exchanged =
      new ShopKindsPage(*this, m_wc.ChangeTypes, "Вещи на обмен", "S_Change", "shopchangetype");
  middle->addWidget(m_exchanged, 1);
  columns->addLayout(middle, 4);

  m_terms = new ShopTermsPage(*this, m_wc);
  body->addWidget(m_terms, 4);

  m_replies = new ShopRepliesPage(*this, m_wc);
  lists->addWidget(m_replies);

  ApplyHints();
  m_replies->ExplainReplies();
}

ShopEditor::~ShopEditor() = default;

std::array<EditorPage*, 7> ShopEditor::pages() const {
  return {m_keeper, m_goods, m_rooms, m_bought, m_exchanged, m_terms, m_replies};
}

void ShopEditor::Edit(TShop& shop) {
  m_wc = shop;
  LinkRecord(&shop);
  const World* w = &world();
  SetCaption(shop.Vnum, w ? shop.KeeperName(*w) : W("Неизвестный"));
  for (EditorPage* page : pages()) page->ShowRecord();
}

void ShopEditor::Apply() {
  auto* shop = static_cast<TShop*>(LinkedRecord());
  if (!shop) return;
  for (EditorPage* page : pages()) page->StoreRecord();
  // The lists are the working copy's: its entries keep their own keys, so
  // a type number the dictionary does not name is not lost to a lookup of
  // its (empty) text.
  shop->Goods = m_wc.Goods;
  shop->SellCoeff = m_wc.SellCoeff;
  shop->BuyCoeff = m_wc.BuyCoeff;
  shop->ChangeCoeff = m_wc.ChangeCoeff;
  shop->BuyTypes = m_wc.BuyTypes;
  shop->ChangeTypes = m_wc.ChangeTypes;
  shop->Messages = m_wc.Messages;
  shop->Temper = m_wc.Temper;
  shop->Keeper = m_wc.Keeper;
  shop->ShopFlags = m_wc.ShopFlags;
  shop->NotSellTo = m_wc.NotSellTo;
  if (const World* w = &world()) RefreshNode(*shop, shop->KeeperName(*w));
  shop->Rooms = m_wc.Rooms;
  shop->Open1 = m_wc.Open1;
  shop->Close1 = m_wc.Close1;
  shop->Open2 = m_wc.Open2;
  shop->Close2 = m_wc.Close2;
}

void RegisterShopEditor(EditorHost& host) {
  host.Windows().Register(kShop, [&host](TMUDClass& rec) {
    EnsureEditor<ShopEditor>(host)->Edit(static_cast<TShop&>(rec));
  });
}

}  // namespace zm
