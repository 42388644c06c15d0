#pragma once
// The shop editor: the keeper, the goods always on sale, the kinds of object
// bought and taken in exchange, price factors, the keeper's seven replies,
// flags, the rooms the shop trades in and its hours.
#include <QSize>
#include <array>
#include <string>
#include <vector>

#include "editors/editorwindow.h"
#include "model/shops.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zm {

class ShopEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kShop;
  static QSize DesignedSize() { return {980, 720}; }

  explicit ShopEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ShopEditor() override;

  // TShop's Edit (after EnsureEditor) and Apply.
  void Edit(TShop& shop);
  void Apply() override;

  const TShop& WorkingCopy() const { return m_wc; }

  // Event handlers, public so that they can be driven like the user does.
  void S_SellerEditChange();
  void S_Sell1BtnClick();
  void S_Sell2BtnClick();
  void S_Room1BtnClick();
  void S_Room2BtnClick();
  void S_Buy1BtnClick();
  void S_Buy2BtnClick();
  void S_Buy3BtnClick();
  void S_Change1BtnClick();
  void S_Change2BtnClick();
  void S_Change3BtnClick();

  // The controls, by the names they carry.
  QSpinBox* S_SellerEdit = nullptr;
  QLabel* S_SellerName = nullptr;
  QListWidget* S_SellListBox = nullptr;
  QPushButton *S_Sell1Btn = nullptr, *S_Sell2Btn = nullptr;
  QListWidget* S_RoomListBox = nullptr;
  QLineEdit* S_RoomEdit = nullptr;
  QPushButton *S_Room1Btn = nullptr, *S_Room2Btn = nullptr;
  QListWidget* S_BuyListBox = nullptr;
  QComboBox* S_BuyComboBox = nullptr;
  QLineEdit* S_BuyEdit = nullptr;
  QPushButton *S_Buy1Btn = nullptr, *S_Buy2Btn = nullptr, *S_Buy3Btn = nullptr;
  QListWidget* S_ChangeListBox = nullptr;
  QComboBox* S_ChangeComboBox = nullptr;
  QLineEdit* S_ChangeEdit = nullptr;
  QPushButton *S_Change1Btn = nullptr, *S_Change2Btn = nullptr, *S_Change3Btn = nullptr;
  QSpinBox *S_ProfitSellEdit = nullptr, *S_ProfitBuyEdit = nullptr, *S_ProfitChangeEdit = nullptr;
  std::array<QLineEdit*, 7> S_MsgEdit{};  // S_Msg1Edit … S_Msg7Edit
  QSpinBox* S_EmotionEdit = nullptr;
  QListWidget* S_BitVCheckListBox = nullptr;
  QListWidget* S_WhoCheckListBox = nullptr;
  QComboBox *S_Open1ComboBox = nullptr, *S_Close1ComboBox = nullptr, *S_Open2ComboBox = nullptr,
            *S_Close2ComboBox = nullptr;

 private:
  // One kind list (bought or exchanged) with its controls.
  struct TypeList {
    QListWidget* List;
    QComboBox* Combo;
    QLineEdit* Edit;
    std::vector<std::string> TShop::*Entries;
  };
  TypeList buyList();
  TypeList changeList();

  // shopform_ui.cpp
  void buildUi();
  void connectControls();
  // shopform_lists.cpp
  void showGoods();
  void showRooms();
  void showTypes(const TypeList& t);
  void addType(const TypeList& t, std::string entry);
  void addKind(const TypeList& t);
  void addKeyword(const TypeList& t);
  void removeType(const TypeList& t);
  void updateButtons();
  // shopform.cpp
  void showFactor(int i, double factor);
  double readFactor(int i) const;

  TShop m_wc;  // WorkingCopy
  // Each factor as it came and what its spin showed of it: an untouched
  // spin gives back the factor itself, not its whole percent.
  std::array<double, 3> m_factor{};
  std::array<int, 3> m_factorShown{};
};

// The shop kind's opener.
void RegisterShopEditor(EditorHost& host);

}  // namespace zm
