#pragma once
// The room editor's "Мобы": mobiles placed in the room, whom each follows,
// and what each carries or wears.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "editors/editorpage.h"
#include "editors/listrows.h"
#include "model/rooms.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class RoomMobilesPage : public EditorPage {
  Q_OBJECT
 public:
  RoomMobilesPage(EditorWindow& editor, TRoom& wc);
  ~RoomMobilesPage() override;

  void ShowRecord() override;
  // Each change writes the working copy at once.
  void StoreRecord() override {}
  // A mobile dropped on the room's list, an object on the current mobile's.
  bool AcceptRecord(TMUDClass& rec, QWidget* focus) override;
  void UpdateButtons();

  void R_MobListViewClick();
  void R_MobAddBtnClick();
  void R_MobEditBtnClick();
  void R_MobDelBtnClick();
  void R_MobFolComboBoxChange();
  void R_MobQtyEditChange();
  void R_MobOAddBtnClick();
  void R_MobOEditBtnClick();
  void R_MobODelBtnClick();

  QTreeWidget* R_MobListView = nullptr;
  QPushButton *R_MobAddBtn = nullptr, *R_MobEditBtn = nullptr, *R_MobDelBtn = nullptr;
  QWidget* R_MobPanel = nullptr;
  QComboBox* R_MobFolComboBox = nullptr;
  QSpinBox* R_MobQtyEdit = nullptr;
  QTreeWidget* R_MobOListView = nullptr;
  QPushButton *R_MobOAddBtn = nullptr, *R_MobOEditBtn = nullptr, *R_MobODelBtn = nullptr;

 private:
  void showInventory();
  void fillFollowList();
  TRoomMob* currentMob();
  void appendMob(int32_t vnum);
  void appendInventory(int32_t vnum);

  TRoom& m_wc;
  // Set while the page fills its controls: their change signals are then no
  // user's doing.
  int m_updating = 0;
  // The follow list: -1 "Сам по себе", then each placed mobile once.
  std::vector<std::pair<int32_t, std::string>> m_follow;
  std::unique_ptr<PlacementList> m_mobs, m_inventory;
};

}  // namespace zm
