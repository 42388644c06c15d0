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

#include "app/appcontext.h"
#include "app/editorwindows.h"
#include "editors/fieldtext.h"
#include "model/kinds.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace zm {

class DictControl;
class TBases;
class TExtraDescList;

class TCMDIForm : public QWidget, public EditorWindow {
  Q_OBJECT
 public:
  // `kind` -1: a window of no kind.
  explicit TCMDIForm(AppContext& app, int kind = -1, QWidget* parent = nullptr);
  ~TCMDIForm() override;

  AppContext& App() const { return m_app; }
  // Where an editor lays out its controls: inside a scroll area, so that a
  // window smaller than the controls' minimum scrolls instead of squeezing
  // them.
  QWidget* Body() const { return m_body; }
  // Null once the child window is going.
  QMdiSubWindow* SubWindow() const { return qobject_cast<QMdiSubWindow*>(m_sub.data()); }

  // EditorWindow
  TMUDClass* LinkedRecord() const override { return m_linked; }
  void Unlink() override { m_linked = nullptr; }
  void ApplyRecord() override;

  // Controls back into the linked record.
  virtual void Apply() {}

  // Puts the window into its child window; the first time it is activated
  // it takes the geometry that the editors remember.
  void AttachTo(QMdiSubWindow* sub, QSize designed);
  void FormActivate();
  void FormResize();
  void FormClose();

  // What the editors remember for the run (geometry, current windows,
  // choices): the editor windows' own, or this window's when it has none.
  EditorMemory& Memory() const;

  // The current window of a kind: the one that kind's Edit fills.
  static TCMDIForm* Current(const AppContext& app, RecordKind kind);
  static void SetCurrent(const AppContext& app, RecordKind kind, TCMDIForm* form);

  // The control of this window that had the focus last (the tree may have it
  // now, after a Ctrl+click).
  QWidget* FocusedControl() const;

  // Binds the dictionary (by name, or the one registered for the control's
  // name) and fills the control. Check-list boxes show the item under the
  // mouse in the status bar when `hoverHint`.
  TBases* BindDictionary(QWidget* control, std::string_view name = {}, bool hoverHint = true);
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
  AppContext& m_app;
  TMUDClass* m_linked = nullptr;
  // Untyped: the child window is watched while it is being destroyed.
  QPointer<QObject> m_sub;
  QPointer<QWidget> m_lastFocus;
  QWidget* m_body = nullptr;
  mutable EditorMemory m_ownMemory;  // without editor windows (some tests)
  QHash<QWidget*, TBases*> m_dicts;
  QHash<const QPlainTextEdit*, const LineMend*> m_mends;
  int m_kind;
  bool m_activated = false;
};

// The kind's EnsureEditor: the active child window when it is of this class,
// otherwise the active child window (of any class) is closed and a new
// editor of this class opens.
template <class Form>
Form* EnsureEditor(AppContext& app) {
  EditorWindows& windows = *app.Windows;
  if (QMdiSubWindow* sub = windows.ActiveSubWindow()) {
    if (auto* form = qobject_cast<Form*>(sub->widget())) {
      TCMDIForm::SetCurrent(app, Form::kKind, form);
      return form;
    }
    sub->close();
  }
  auto* form = new Form(app);
  form->AttachTo(windows.AddWindow(form), Form::DesignedSize());
  TCMDIForm::SetCurrent(app, Form::kKind, form);
  return form;
}

}  // namespace zm
