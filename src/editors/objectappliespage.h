#pragma once
// The object editor's "Спецэффекты" page: the applies, a location and a
// modifier each, every change made on the working copy at once.
#include "editors/editorpage.h"

class QComboBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace zm {

class TObj;

class ObjectAppliesPage : public EditorPage {
  Q_OBJECT
 public:
  ObjectAppliesPage(EditorWindow& editor, TObj& wc, QWidget* parent = nullptr);

  void ShowRecord() override;
  // Nothing left to store: the buttons have changed the working copy.
  void StoreRecord() override {}

  // Event handlers, public so that they can be driven like the user does.
  void O_SpecListViewClick();
  void O_SpecAddBtnClick();
  void O_SpecSetBtnClick();
  void O_SpecDelBtnClick();

  // The controls, by the names they carry.
  QTreeWidget* O_SpecListView = nullptr;
  QComboBox* O_SpecComboBox = nullptr;
  QSpinBox* O_SpecEdit = nullptr;
  QPushButton *O_SpecAddBtn = nullptr, *O_SpecSetBtn = nullptr, *O_SpecDelBtn = nullptr;

 private:
  void updateButtons();

  TObj& m_wc;
};

}  // namespace zm
