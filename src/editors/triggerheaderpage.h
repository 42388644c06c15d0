#pragma once
// The trigger's fields above its script: name, class, numeric and text
// argument, and the events of its class in three columns.
#include "editors/editorpage.h"
#include "model/triggers.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace zm {

class TriggerHeaderPage : public EditorPage {
  Q_OBJECT
 public:
  TriggerHeaderPage(EditorWindow& editor, TTrigger& wc);

  void ShowRecord() override;
  void StoreRecord() override;

  void T_ClassComboBoxChange();

  QLineEdit* T_NameEdit = nullptr;
  QComboBox* T_ClassComboBox = nullptr;
  QSpinBox* T_NumArgEdit = nullptr;
  QLineEdit* T_ArgEdit = nullptr;
  QListWidget* T_TypeCheckListBox = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // The event dictionary of a class; nullptr for a class without one.
  static const char* typeDictionary(int triggerClass);
  // Binds the type list to the class's dictionary, refilled and unchecked;
  // false (list disabled) for another class.
  bool bindTypes(int triggerClass);
  // The key of the selected class; -1 for none.
  int chosenClass() const;
  void layOutTypeColumns();

  TTrigger& m_wc;
  int m_typesClass = -1;  // the class whose events the type list shows
  int m_updating = 0;
};

}  // namespace zm
