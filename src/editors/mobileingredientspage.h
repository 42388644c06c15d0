#pragma once
// The mobile editor's "Ингредиенты" page: what the mobile leaves to be
// gathered, a name, a power and a chance each, every change made on the
// working copy at once.
#include <memory>

#include "editors/editorpage.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class IngrListEdit;
class TMob;

class MobileIngredientsPage : public EditorPage {
  Q_OBJECT
 public:
  MobileIngredientsPage(EditorWindow& editor, TMob& wc, QWidget* parent = nullptr);
  ~MobileIngredientsPage() override;

  void ShowRecord() override;
  // Nothing left to store: the buttons have changed the working copy.
  void StoreRecord() override {}

  // Event handlers, public so that they can be driven like the user does.
  void M_IngrComboBoxChange();
  void M_IngrListViewClick();
  void M_IngrAddBtnClick();
  void M_IngrSetBtnClick();
  void M_IngrDelBtnClick();

  // The controls, by the names they carry.
  QTreeWidget* M_IngrListView = nullptr;
  QComboBox* M_IngrComboBox = nullptr;
  QSpinBox* M_IngrStrEdit = nullptr;
  QSpinBox* M_IngrChanceEdit = nullptr;
  QPushButton *M_IngrAddBtn = nullptr, *M_IngrSetBtn = nullptr, *M_IngrDelBtn = nullptr;

 private:
  void updateButtons();

  TMob& m_wc;
  std::unique_ptr<IngrListEdit> m_ingrs;
  int m_updating = 0;
};

}  // namespace zm
