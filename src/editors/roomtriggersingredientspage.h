#pragma once
// The room editor's "Триггеры и ингредиенты": the triggers attached to the
// room, those of its zone to choose from, and the ingredients found there.
#include <memory>

#include "editors/editorpage.h"
#include "editors/listrows.h"
#include "model/rooms.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class RoomTriggersIngredientsPage : public EditorPage {
  Q_OBJECT
 public:
  RoomTriggersIngredientsPage(EditorWindow& editor, TRoom& wc);
  ~RoomTriggersIngredientsPage() override;

  void ShowRecord() override;
  // The triggers, which live only in their items; the ingredient buttons
  // write the working copy at once.
  void StoreRecord() override;
  void UpdateButtons();

  void R_TrigAddBtnClick();
  void R_TrigDelBtnClick();
  void R_ATrigListBoxClick();

  void R_IngrListViewClick();
  void R_INameComboBoxChange();
  void R_IngrAddBtnClick();
  void R_IngrEditBtnClick();
  void R_IngrDelBtnClick();

  QListWidget* R_TrigListBox = nullptr;
  QListWidget* R_ATrigListBox = nullptr;
  QSpinBox* R_TrigNumEdit = nullptr;
  QPushButton *R_TrigAddBtn = nullptr, *R_TrigDelBtn = nullptr;

  QTreeWidget* R_IngrListView = nullptr;
  QComboBox* R_INameComboBox = nullptr;
  QSpinBox* R_IStrEdit = nullptr;
  QSpinBox* R_IChanceEdit = nullptr;
  QPushButton *R_IngrAddBtn = nullptr, *R_IngrEditBtn = nullptr, *R_IngrDelBtn = nullptr;

 private:
  void showTriggers();
  void fillAvailableTriggers();

  TRoom& m_wc;
  std::unique_ptr<IngrListEdit> m_ingrs;
};

}  // namespace zm
