#pragma once
// The triggers attached to an object or a mobile: their list with
// "Добавить...", "Заменить...", "Удалить" beside it, the vnums picked in the
// selection dialog.
#include <memory>

#include "editors/editorpage.h"

class QListWidget;
class QPushButton;

namespace zm {

class TIntList;
class VnumListEdit;

class TriggerListPage : public EditorPage {
  Q_OBJECT
 public:
  // `triggers` is the list of the window's working copy; the controls are
  // named <prefix>TriggerListBox, <prefix>TriggerAddBtn, <prefix>TriggerSetBtn
  // and <prefix>TriggerDelBtn.
  TriggerListPage(EditorWindow& editor, TIntList& triggers, const char* prefix,
                  QWidget* parent = nullptr);
  ~TriggerListPage() override;

  void ShowRecord() override;
  void StoreRecord() override;

  // Event handlers, public so that they can be driven like the user does.
  void AddBtnClick();
  void SetBtnClick();
  void DelBtnClick();

  QListWidget* List = nullptr;
  QPushButton *AddBtn = nullptr, *SetBtn = nullptr, *DelBtn = nullptr;

 private:
  void updateButtons();

  TIntList& m_triggers;
  std::unique_ptr<VnumListEdit> m_edit;
};

}  // namespace zm
