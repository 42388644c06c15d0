#include "editors/shopeditorpages.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

// ----------------------------------------------------------------- keeper

ShopKeeperPage::ShopKeeperPage(EditorWindow& editor, TShop& wc) : EditorPage(editor), m_wc(wc) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel(QStringLiteral("Номер продавца"), this));
  S_SellerEdit = Spin(this, QStringLiteral("S_SellerEdit"));
  S_SellerEdit->setMinimumWidth(90);
  row->addWidget(S_SellerEdit);
  S_SellerName = Named(new QLabel(QStringLiteral("(Неизвестный)"), this), "S_SellerName");
  row->addWidget(S_SellerName, 1);
  connect(S_SellerEdit, &QSpinBox::valueChanged, this, &ShopKeeperPage::S_SellerEditChange);
}

void ShopKeeperPage::ShowRecord() {
  S_SellerEdit->setValue(m_wc.Keeper);
  S_SellerEditChange();
}

void ShopKeeperPage::StoreRecord() {
  m_wc.Keeper = S_SellerEdit->value();
}

void ShopKeeperPage::S_SellerEditChange() {
  const World* w = &Editor().world();
  TShop probe;
  probe.Keeper = S_SellerEdit->value();
  S_SellerName->setText(
      QStringLiteral("(%1)").arg(ToQt(w ? probe.KeeperName(*w) : W("Неизвестный"))));
}

// ---------------------------------------------------------------- replies

ShopRepliesPage::ShopRepliesPage(EditorWindow& editor, TShop& wc) : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  auto* msgs = new QGroupBox(QStringLiteral("Сообщения продавца"), this);
  auto* msgLay = new QGridLayout(msgs);
  msgLay->setVerticalSpacing(3);
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) {
    const int r = static_cast<int>(i);
    msgLay->addWidget(new QLabel(QString::number(r + 1), msgs), r, 0);
    S_MsgEdit[i] = Named(new QLineEdit(msgs), QStringLiteral("S_Msg%1Edit").arg(r + 1));
    msgLay->addWidget(S_MsgEdit[i], r, 1);
  }
  lay->addWidget(msgs);
}

void ShopRepliesPage::ExplainReplies() {
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
}

void ShopRepliesPage::ShowRecord() {
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) ShowLine(S_MsgEdit[i], m_wc.Messages[i]);
}

void ShopRepliesPage::StoreRecord() {
  for (size_t i = 0; i < S_MsgEdit.size(); ++i) m_wc.Messages[i] = ReadLine(S_MsgEdit[i]);
}

// ------------------------------------------------------------------ lists

QListWidget* ShopList(QWidget* parent, const char* name) {
  auto* list = Named(new QListWidget(parent), QString::fromLatin1(name));
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  return list;
}

void PickShopRow(QListWidget* list, int row) {
  if (row < 0 || row >= list->count()) {
    list->setCurrentRow(-1);
    return;
  }
  list->setCurrentRow(row);
  list->item(row)->setSelected(true);
  list->scrollToItem(list->item(row));
}

QPushButton* SmallButton(QPushButton* b) {
  b->setFixedWidth(36);
  return b;
}

}  // namespace zm
