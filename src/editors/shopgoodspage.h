#pragma once
// The goods a shop always has on sale, picked through the object selection.
#include "editors/editorpage.h"
#include "model/shops.h"

class QListWidget;
class QPushButton;

namespace zm {

class ShopGoodsPage : public EditorPage {
  Q_OBJECT
 public:
  ShopGoodsPage(EditorWindow& editor, TShop& wc);

  void ShowRecord() override;
  // The buttons change the working copy's goods themselves.
  void StoreRecord() override {}

  void S_Sell1BtnClick();
  void S_Sell2BtnClick();

  QListWidget* S_SellListBox = nullptr;
  QPushButton *S_Sell1Btn = nullptr, *S_Sell2Btn = nullptr;

 private:
  void showGoods();
  void updateButtons();

  TShop& m_wc;
};

}  // namespace zm
