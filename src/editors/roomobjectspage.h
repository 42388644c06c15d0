#pragma once
// The room editor's "Объекты": objects placed in the room with their
// contents, and the objects removed at reset.
#include <cstdint>
#include <memory>

#include "editors/editorpage.h"
#include "editors/listrows.h"
#include "model/rooms.h"

class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class RoomObjectsPage : public EditorPage {
  Q_OBJECT
 public:
  RoomObjectsPage(EditorWindow& editor, TRoom& wc);
  ~RoomObjectsPage() override;

  void ShowRecord() override;
  // The removed objects, which live only in their rows.
  void StoreRecord() override;
  // An object dropped on the room's list, the current object's contents or
  // the removed objects.
  bool AcceptRecord(TMUDClass& rec, QWidget* focus) override;
  void UpdateButtons();

  void R_ObjListViewClick();
  void R_ObjAddBtnClick();
  void R_ObjEditBtnClick();
  void R_ObjDelBtnClick();
  void R_ObjChanceEditChange();
  void R_ObjQtyEditChange();
  void R_ObjOAddBtnClick();
  void R_ObjOEditBtnClick();
  void R_ObjODelBtnClick();
  void R_ObjDAddBtnClick();
  void R_ObjDEditBtnClick();
  void R_ObjDDelBtnClick();

  QTreeWidget* R_ObjListView = nullptr;
  QPushButton *R_ObjAddBtn = nullptr, *R_ObjEditBtn = nullptr, *R_ObjDelBtn = nullptr;
  QWidget* R_ObjPanel = nullptr;
  QSpinBox* R_ObjChanceEdit = nullptr;
  QSpinBox* R_ObjQtyEdit = nullptr;
  QTreeWidget* R_ObjOListView = nullptr;
  QPushButton *R_ObjOAddBtn = nullptr, *R_ObjOEditBtn = nullptr, *R_ObjODelBtn = nullptr;
  QTreeWidget* R_ObjDListView = nullptr;
  QPushButton *R_ObjDAddBtn = nullptr, *R_ObjDEditBtn = nullptr, *R_ObjDDelBtn = nullptr;

 private:
  void showContents();
  TRoomObj* currentObject();
  void appendObject(int32_t vnum);
  void appendContent(int32_t vnum);
  void appendRemoved(int32_t vnum);

  TRoom& m_wc;
  // Set while the page fills its controls: their change signals are then no
  // user's doing.
  int m_updating = 0;
  std::unique_ptr<PlacementList> m_objs, m_contents, m_removed;
};

}  // namespace zm
