#pragma once
// The object editor's top: the six names, the descriptions and the numbers
// every object has, whatever its type.
#include <array>

#include "editors/editorpage.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zm {

class TObj;

class ObjectGeneralPage : public EditorPage {
  Q_OBJECT
 public:
  ObjectGeneralPage(EditorWindow& editor, TObj& wc, QWidget* parent = nullptr);

  void ShowRecord() override;
  void StoreRecord() override;

  // The type whose values are shown (0 when none is chosen).
  int32_t ChosenType() const;

  // Event handlers, public so that they can be driven like the user does.
  void O_NameBtnClick();
  void O_TypeComboBoxChange();

  // The controls, by the names they carry.
  QPushButton* O_NameBtn = nullptr;
  std::array<QLineEdit*, 6> O_NameEdit{};  // O_NameEdit, O_Name2Edit … O_Name6Edit
  QLineEdit* O_AliasEdit = nullptr;
  QLineEdit* O_DescEdit = nullptr;
  QLineEdit* O_UseDescEdit = nullptr;
  QComboBox* O_TypeComboBox = nullptr;
  QComboBox* O_KindComboBox = nullptr;
  QSpinBox* O_TimerEdit = nullptr;
  QComboBox* O_TimerComboBox = nullptr;
  QSpinBox* O_PriceEdit = nullptr;
  QSpinBox* O_RentInvEdit = nullptr;
  QSpinBox* O_RentWearEdit = nullptr;
  QSpinBox* O_WeightEdit = nullptr;
  QComboBox* O_MaterialComboBox = nullptr;
  QComboBox* O_WearComboBox = nullptr;
  QSpinBox* O_WearEdit = nullptr;
  QSpinBox* O_MaxInWorldEdit = nullptr;
  QComboBox* O_SpellComboBox = nullptr;
  QSpinBox* O_SpellLevelEdit = nullptr;

 signals:
  // Another type is chosen, by the user or by a record being shown.
  void TypeChosen(int32_t type);

 private:
  TObj& m_wc;
  int m_updating = 0;
};

}  // namespace zm
