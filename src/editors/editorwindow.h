#pragma once
// The base of every editor child window: its place among the child windows
// (one current window per kind, a shared remembered geometry), dictionary
// binding, hints, the edit popup menu of its text fields, and the record it
// shows. Each kind of editor derives from it and adds Edit and Apply.
#include <QHash>
#include <QMdiSubWindow>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editors/editorhost.h"
#include "editors/editorwindows.h"
#include "editors/fieldtext.h"
#include "editors/worlddocument.h"
#include "model/kinds.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace zm {

class DictControl;
class Dictionary;
class TExtraDescList;

class EditorWindow : public QWidget, public RecordEditor {
  Q_OBJECT
 public:
  // `kind` -1: a window of no kind.
  explicit EditorWindow(EditorHost& host, int kind = -1, QWidget* parent = nullptr);
  ~EditorWindow() override;

  EditorHost& Host() const { return m_host; }
  WorldDocument& Document() const { return m_host.Document(); }
  World& world() const { return m_host.Document().world(); }
  // Where an editor lays out its controls: inside a scroll area, so that a
  // window smaller than the controls' minimum scrolls instead of squeezing
  // them.
  QWidget* Body() const { return m_body; }
  // Null once the child window is going.
  QMdiSubWindow* SubWindow() const { return qobject_cast<QMdiSubWindow*>(m_sub.data()); }

  // RecordEditor
  TMUDClass* LinkedRecord() const override { return m_linked; }
  void Unlink() override { m_linked = nullptr; }
  void ApplyRecord() override;
  void SetReadOnly(const QString& label) override;
  bool ReadOnly() const override { return m_readOnly; }

  // Controls back into the linked record.
  virtual void Apply() {}

  // Puts the window into its child window; the first time it is activated
  // it takes the geometry that the editors remember.
  void AttachTo(QMdiSubWindow* sub, QSize designed);
  void FormActivate();
  void FormResize();
  void FormClose();

  // What the editors remember for the run (geometry, current windows,
  // choices).
  EditorMemory& Memory() const { return m_host.Windows().Memory(); }

  // The current window of a kind: the one that kind's Edit fills.
  static EditorWindow* Current(EditorHost& host, RecordKind kind);
  static void SetCurrent(EditorHost& host, RecordKind kind, EditorWindow* form);

  // The control of this window that had the focus last (the tree may have it
  // now, after a Ctrl+click).
  QWidget* FocusedControl() const;

  // Binds the dictionary (by name, or the one registered for the control's
  // name) and fills the control. Check-list boxes show the item under the
  // mouse in the status bar when `hoverHint`.
  Dictionary* BindDictionary(QWidget* control, std::string_view name = {}, bool hoverHint = true);
  // Shown and read through the control's own dictionary: a code without an
  // entry, or any value when there is no dictionary, comes back unchanged.
  void ShowDict(QWidget* control, const std::string& value);
  std::string ReadDict(QWidget* control) const;
  void ShowDictInt(QWidget* control, int32_t value);
  // `old` when the control gives no number.
  int32_t ReadDictInt(QWidget* control, int32_t old) const;

  // Hints by control name for every control of the window, then the given
  // keys for the given controls.
  void ApplyHints(const std::vector<std::pair<QWidget*, QString>>& keyed = {});
  // The edit popup menu becomes the context menu of `memo`, and lines that
  // would close its field early are mended by `mend` when it loses the focus.
  void AttachMemo(QPlainTextEdit* memo, const LineMend& mend = kTildeMend);
  // The memo's text, its closing lines mended first (visibly) when the user
  // has changed it.
  std::string MemoValue(QPlainTextEdit* memo);
  void Status(const QString& text);

  // TExtraDescList's ShowItem and StoreItem; nothing for an invalid index.
  void ShowExtraDesc(const TExtraDescList& list, int i, QLineEdit* edit, QPlainTextEdit* memo);
  void StoreExtraDesc(TExtraDescList& list, int i, QLineEdit* edit, QPlainTextEdit* memo);

 protected:
  void LinkRecord(TMUDClass* rec) { m_linked = rec; }
  // "(%d) %s" for the window and its Window menu item.
  void SetCaption(int32_t vnum, const std::string& name);
  // The record's tree node shows NodeCaption(vnum, name).
  void RefreshNode(TMUDClass& rec, const std::string& name);
  bool eventFilter(QObject* watched, QEvent* e) override;
  // Closing keeps the edits, as choosing another record does.
  void closeEvent(QCloseEvent* e) override;

 private:
  EditorHost& m_host;
  TMUDClass* m_linked = nullptr;
  // Untyped: the child window is watched while it is being destroyed.
  QPointer<QObject> m_sub;
  QPointer<QWidget> m_lastFocus;
  QWidget* m_body = nullptr;
  QHash<QWidget*, Dictionary*> m_dicts;
  QHash<const QPlainTextEdit*, const LineMend*> m_mends;
  int m_kind;
  bool m_activated = false;
  bool m_readOnly = false;
  QString m_readOnlyLabel;
};

// The kind's EnsureEditor: the active child window when it is of this class,
// otherwise the active child window (of any class) is closed and a new
// editor of this class opens.
template <class Form>
Form* EnsureEditor(EditorHost& host) {
  EditorWindows& windows = host.Windows();
  if (QMdiSubWindow* sub = windows.ActiveSubWindow()) {
    auto* form = qobject_cast<Form*>(sub->widget());
    if (form && !form->ReadOnly()) {
      EditorWindow::SetCurrent(host, Form::kKind, form);
      return form;
    }
    // A read-only window stays beside the new one.
    auto* shown = qobject_cast<EditorWindow*>(sub->widget());
    if (!shown || !shown->ReadOnly()) sub->close();
  }
  auto* form = new Form(host);
  form->AttachTo(windows.AddWindow(form), Form::DesignedSize());
  EditorWindow::SetCurrent(host, Form::kKind, form);
  return form;
}

}  // namespace zm
