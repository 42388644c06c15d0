#include "editors/shopeditor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <cmath>
#include <limits>

#include "common/winutf8.h"
#include "editors/fieldtext.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

ShopEditor::ShopEditor(EditorHost& host, QWidget* parent) : EditorWindow(host, kShop, parent) {
  setObjectName("ShopForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  for (QWidget* c : std::initializer_list<QWidget*>{
           S_BuyComboBox, S_ChangeComboBox, S_BitVCheckListBox, S_WhoCheckListBox, S_Open1ComboBox,
           S_Close1ComboBox, S_Open2ComboBox, S_Close2ComboBox})
    BindDictionary(c);
  ApplyHints();
  static constexpr std::array<const char*, 7> kMsgHints = {
      "сообщение что нет в списке (%s меняется на имя)",
      "сообщение что нет у игрока",
      "сообщение что не покупает",
      "сообщение что нет такой суммы у продавца",
      "сообщение что нет такой суммы у покупателя",
      "сообщение о стоимости (%d меняется на сумму)",
      "сообщение сколько заплатил продавец (%d меняется на сумму)"};
  for (size_t i = 0; i < S_MsgEdit.size(); ++i)
    S_MsgEdit[i]->setToolTip(QString::fromUtf8(kMsgHints[i]));
  updateButtons();
}

ShopEditor::~ShopEditor() = default;

void ShopEditor::Edit(TShop& shop) {
  m_wc = shop;
  LinkRecord(&shop);
  const World* w = &world();
  SetCaption(shop.Vnum, w ? shop.KeeperName(*w) : W("Неизвестный"));
  showGoods();
  showFactor(0, shop.SellCoeff);
  showFactor(1, shop.BuyCoeff);
  showFactor(2, shop.ChangeCoeff);
  showTypes(buyList());
  showTypes(changeList());
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) ShowLine(S_MsgEdit[i], shop.Messages[i]);
  S_EmotionEdit->setValue(shop.Temper);
  S_SellerEdit->setValue(shop.Keeper);
  S_SellerEditChange();
  ShowDict(S_BitVCheckListBox, shop.ShopFlags);
  ShowDict(S_WhoCheckListBox, shop.NotSellTo);
  showRooms();
  ShowDictInt(S_Open1ComboBox, shop.Open1);
  ShowDictInt(S_Close1ComboBox, shop.Close1);
  ShowDictInt(S_Open2ComboBox, shop.Open2);
  ShowDictInt(S_Close2ComboBox, shop.Close2);
  S_RoomEdit->clear();
  S_BuyEdit->clear();
  S_ChangeEdit->clear();
  updateButtons();
}

void ShopEditor::Apply() {
  auto* shop = static_cast<TShop*>(LinkedRecord());
  if (!shop) return;
  // The lists are the working copy's: its entries keep their own keys, so
  // a type number the dictionary does not name is not lost to a lookup of
  // its (empty) text.
  shop->Goods = m_wc.Goods;
  shop->SellCoeff = readFactor(0);
  shop->BuyCoeff = readFactor(1);
  shop->ChangeCoeff = readFactor(2);
  shop->BuyTypes = m_wc.BuyTypes;
  shop->ChangeTypes = m_wc.ChangeTypes;
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) shop->Messages[i] = ReadLine(S_MsgEdit[i]);
  shop->Temper = S_EmotionEdit->value();
  shop->Keeper = S_SellerEdit->value();
  shop->ShopFlags = ReadDict(S_BitVCheckListBox);
  shop->NotSellTo = ReadDict(S_WhoCheckListBox);
  if (const World* w = &world()) RefreshNode(*shop, shop->KeeperName(*w));
  shop->Rooms = m_wc.Rooms;
  // No selection reads as -1, which 8 bits hold as 255.
  shop->Open1 = static_cast<uint8_t>(ReadDictInt(S_Open1ComboBox, shop->Open1));
  shop->Close1 = static_cast<uint8_t>(ReadDictInt(S_Close1ComboBox, shop->Close1));
  shop->Open2 = static_cast<uint8_t>(ReadDictInt(S_Open2ComboBox, shop->Open2));
  shop->Close2 = static_cast<uint8_t>(ReadDictInt(S_Close2ComboBox, shop->Close2));
}

// ---------------------------------------------------------------- factors

namespace {

QSpinBox* FactorSpin(const ShopEditor& f, int i) {
  return i == 0 ? f.S_ProfitSellEdit : i == 1 ? f.S_ProfitBuyEdit : f.S_ProfitChangeEdit;
}

// The factor in whole percent, halves to even; what a spin cannot hold is
// pinned to its ends.
int Percent(double factor) {
  if (std::isnan(factor)) return 0;
  const double p = std::nearbyint(factor * 100.0);
  if (p <= std::numeric_limits<int>::min()) return std::numeric_limits<int>::min();
  if (p >= std::numeric_limits<int>::max()) return std::numeric_limits<int>::max();
  return static_cast<int>(p);
}

}  // namespace

void ShopEditor::showFactor(int i, double factor) {
  QSpinBox* spin = FactorSpin(*this, i);
  spin->setValue(Percent(factor));
  m_factor[static_cast<size_t>(i)] = factor;
  m_factorShown[static_cast<size_t>(i)] = spin->value();
}

double ShopEditor::readFactor(int i) const {
  const int now = FactorSpin(*this, i)->value();
  if (now == m_factorShown[static_cast<size_t>(i)]) return m_factor[static_cast<size_t>(i)];
  return now / 100.0;
}

// ----------------------------------------------------------------- keeper

void ShopEditor::S_SellerEditChange() {
  const World* w = &world();
  TShop probe;
  probe.Keeper = S_SellerEdit->value();
  S_SellerName->setText(
      QStringLiteral("(%1)").arg(ToQt(w ? probe.KeeperName(*w) : W("Неизвестный"))));
}

void RegisterShopEditor(EditorHost& host) {
  host.Windows().Register(kShop, [&host](TMUDClass& rec) {
    EnsureEditor<ShopEditor>(host)->Edit(static_cast<TShop&>(rec));
  });
}

}  // namespace zm
