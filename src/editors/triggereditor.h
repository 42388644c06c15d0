#pragma once
// The trigger editor: name, class, event types, arguments and the script in
// the script text control with its colouring and line rules.
#include <QSize>
#include <string>
#include <vector>

#include "editors/editorwindow.h"
#include "model/triggers.h"
#include "widgets/scriptedit.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QSpinBox;

namespace zm {

class TriggerEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kTrigger;
  static QSize DesignedSize() { return {760, 600}; }

  explicit TriggerEditor(EditorHost& host, QWidget* parent = nullptr);
  ~TriggerEditor() override;

  // TTrigger's Edit (after EnsureEditor) and Apply.
  void Edit(TTrigger& trig);
  void Apply() override;
  // Records dropped from the tree are ignored.
  void AcceptRecord(TMUDClass&) override {}

  const TTrigger& WorkingCopy() const { return m_wc; }
  // The seven attributes of the script's colouring.
  static const std::vector<ScriptEdit::Attr>& LineAttributes();

  // Event handlers, public so that they can be driven like the user does.
  void T_ClassComboBoxChange();
  void T_TextMemoGetLineAttr(const std::string& line, std::vector<uint8_t>& attrs) const;
  std::string T_TextMemoBreakLine(const std::string& line, size_t caret) const;
  std::string T_TextMemoConcatLine(const std::string& upper, const std::string& lower) const;
  void T_TextMemoSaveBlock(const std::string& block);
  void T_TextMemoChangeStatus(int line, int column);

  // The controls, by the names they carry.
  QLineEdit* T_NameEdit = nullptr;
  QComboBox* T_ClassComboBox = nullptr;
  QSpinBox* T_NumArgEdit = nullptr;
  QLineEdit* T_ArgEdit = nullptr;
  QListWidget* T_TypeCheckListBox = nullptr;
  ScriptEdit* T_TextMemo = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // trigform_ui.cpp
  void buildUi();
  void setUpMemo();
  void memoContextMenu(const QPoint& pos);
  void layOutTypeColumns();

  // The event dictionary of a class; nullptr for a class without one.
  static const char* typeDictionary(int triggerClass);
  // Binds the type list to the class's dictionary, refilled and unchecked;
  // false (list disabled) for another class.
  bool bindTypes(int triggerClass);
  // The key of the selected class; -1 for none.
  int chosenClass() const;

  TTrigger m_wc;          // WorkingCopy
  int m_typesClass = -1;  // the class whose events the type list shows
  int m_updating = 0;
};

// The trigger kind's opener.
void RegisterTrigEditor(EditorHost& host);

}  // namespace zm
