#pragma once
// The rooms a shop trades in, by typed number: a room the world lacks yet
// is kept.
#include "editors/editorpage.h"
#include "model/shops.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace zm {

class ShopRoomsPage : public EditorPage {
  Q_OBJECT
 public:
  ShopRoomsPage(EditorWindow& editor, TShop& wc);

  void ShowRecord() override;
  // The buttons change the working copy's rooms themselves.
  void StoreRecord() override {}

  void S_Room1BtnClick();
  void S_Room2BtnClick();

  QListWidget* S_RoomListBox = nullptr;
  QLineEdit* S_RoomEdit = nullptr;
  QPushButton *S_Room1Btn = nullptr, *S_Room2Btn = nullptr;

 private:
  void showRooms();
  void updateButtons();

  TShop& m_wc;
};

}  // namespace zm
