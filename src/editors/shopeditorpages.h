#pragma once
// The shop editor's small pages: the keeper on top and his replies below,
// and the list helpers the shop's pages share.
#include <array>

#include "editors/editorpage.h"
#include "model/shops.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zm {

// The keeper by mobile number, his name beside it.
class ShopKeeperPage : public EditorPage {
  Q_OBJECT
 public:
  ShopKeeperPage(EditorWindow& editor, TShop& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  void S_SellerEditChange();

  QSpinBox* S_SellerEdit = nullptr;
  QLabel* S_SellerName = nullptr;

 private:
  TShop& m_wc;
};

// The keeper's seven replies, S_Msg1Edit … S_Msg7Edit.
class ShopRepliesPage : public EditorPage {
  Q_OBJECT
 public:
  ShopRepliesPage(EditorWindow& editor, TShop& wc);

  void ShowRecord() override;
  void StoreRecord() override;
  // What each reply's placeholders stand for; over the hints file's texts.
  void ExplainReplies();

  std::array<QLineEdit*, 7> S_MsgEdit{};

 private:
  TShop& m_wc;
};

// A list of one picked row at a time, named `name`.
QListWidget* ShopList(QWidget* parent, const char* name);
// The row picked and in view; none for a row out of range.
void PickShopRow(QListWidget* list, int row);
// The narrow "+" and "--" buttons beside the lists.
QPushButton* SmallButton(QPushButton* b);

}  // namespace zm
