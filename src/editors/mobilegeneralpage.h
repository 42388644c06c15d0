#pragma once
// The mobile editor's top: the six names, the descriptions, and the numbers
// and dictionary values of the mobile.
#include <array>
#include <vector>

#include "editors/editorpage.h"
#include "model/mobs.h"

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;

namespace zm {

class MobileGeneralPage : public EditorPage {
  Q_OBJECT
 public:
  // A control's name, its label and the field it shows.
  struct Field {
    const char* Name;
    const char* Label;
    int32_t TMob::*Value;
  };
  // The dictionary drop-downs in the order they are laid out, the spin edits.
  static const std::vector<Field>& ComboFields();
  static const std::vector<Field>& SpinFields();

  MobileGeneralPage(EditorWindow& editor, TMob& wc, QWidget* parent = nullptr);

  void ShowRecord() override;
  void StoreRecord() override;

  // Event handlers, public so that they can be driven like the user does.
  void M_NameBtnClick();

  // The controls, by the names they carry.
  QPushButton* M_NameBtn = nullptr;
  std::array<QLineEdit*, 6> M_NameEdit{};  // M_NameEdit, M_Name2Edit … M_Name6Edit
  QLineEdit* M_AliasEdit = nullptr;
  QLineEdit* M_DescEdit = nullptr;
  QPlainTextEdit* M_FullDescMemo = nullptr;
  std::vector<QComboBox*> M_Combo;  // in the order of ComboFields
  std::vector<QSpinBox*> M_Spin;    // in the order of SpinFields

 private:
  TMob& m_wc;
};

}  // namespace zm
