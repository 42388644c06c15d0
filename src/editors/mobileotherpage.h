#pragma once
// The mobile editor's "Прочее" page: the path (rooms the mobile walks, in
// order) and the helpers (mobiles that come to its aid), each picked from the
// mobile's zone or typed by vnum.
#include <memory>

#include "editors/editorpage.h"

class QComboBox;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace zm {

class TMob;
class VnumListEdit;

class MobileOtherPage : public EditorPage {
  Q_OBJECT
 public:
  MobileOtherPage(EditorWindow& editor, TMob& wc, QWidget* parent = nullptr);
  ~MobileOtherPage() override;

  void ShowRecord() override;
  // The path only once the user has changed it: a path the list cannot show
  // stays as it was.
  void StoreRecord() override;

  // Event handlers, public so that they can be driven like the user does.
  void M_PathListBoxClick();
  void M_PathComboBoxChange();
  void M_PathEditChange();
  void M_PathAddBtnClick();
  void M_PathSetBtnClick();
  void M_PathDelBtnClick();
  void M_PathUpBtnClick();
  void M_PathDownBtnClick();
  void M_HelperListBoxClick();
  void M_HelperComboBoxChange();
  void M_HelperEditChange();
  void M_HelperSelectBtnClick();
  void M_HelperAddBtnClick();
  void M_HelperSetBtnClick();
  void M_HelperDelBtnClick();

  // The controls, by the names they carry.
  QListWidget* M_PathListBox = nullptr;
  QPushButton *M_PathUpBtn = nullptr, *M_PathDownBtn = nullptr, *M_PathAddBtn = nullptr,
              *M_PathSetBtn = nullptr, *M_PathDelBtn = nullptr;
  QComboBox* M_PathComboBox = nullptr;
  QSpinBox* M_PathEdit = nullptr;
  QListWidget* M_HelperListBox = nullptr;
  QPushButton *M_HelperAddBtn = nullptr, *M_HelperSetBtn = nullptr, *M_HelperDelBtn = nullptr,
              *M_HelperSelectBtn = nullptr;
  QComboBox* M_HelperComboBox = nullptr;
  QSpinBox* M_HelperEdit = nullptr;

 private:
  void fillChoices();
  void updateButtons();

  TMob& m_wc;
  std::unique_ptr<VnumListEdit> m_path, m_helpers;
  int m_updating = 0;
};

}  // namespace zm
