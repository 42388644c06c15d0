#pragma once
// One page of an editor window. A page owns its controls, shows its part of
// the window's working copy and writes that part back; the window composes
// its pages and asks each in turn. Pages reach dictionaries, hints, memos and
// the application through the window they belong to.
#include <QWidget>

namespace zm {

class EditorWindow;
class TMUDClass;

class EditorPage : public QWidget {
  Q_OBJECT
 public:
  explicit EditorPage(EditorWindow& editor, QWidget* parent = nullptr);

  // The working copy into the controls; the window has just taken a copy of
  // the record. Change signals of the controls are no user's doing meanwhile.
  virtual void ShowRecord() = 0;
  // The controls back into the working copy, before the window copies it
  // into the record.
  virtual void StoreRecord() = 0;
  // A record dropped from the tree (Ctrl+click) while `focus`, a control of
  // this page, had the focus; false when the page does not take it.
  virtual bool AcceptRecord(TMUDClass& rec, QWidget* focus) {
    (void)rec;
    (void)focus;
    return false;
  }

  EditorWindow& Editor() const { return m_editor; }

 private:
  EditorWindow& m_editor;
};

}  // namespace zm
