#pragma once
// The editor child windows as the main window sees them: which one is
// active, applying and unlinking its record, opening a record in the editor
// of its kind, and the "Окна" menu.
#include <QObject>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <map>
#include <string>

#include "model/kinds.h"

class QAction;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QWidget;

namespace zm {

class TMUDClass;

// What the main window needs of an editor window; the editor base class
// implements it on its widget.
class RecordEditor {
 public:
  virtual ~RecordEditor() = default;
  virtual TMUDClass* LinkedRecord() const = 0;
  virtual void Unlink() = 0;
  // The record's Apply: the controls back into the linked record.
  virtual void ApplyRecord() = 0;
  // The linked record changed under the window (undo, redo): show it anew.
  virtual void ShowAgain() {}
  // A window that only shows its record (another folder's version of it):
  // nothing can be typed or chosen, nothing is applied; `label` says whose.
  virtual void SetReadOnly(const QString& label) { (void)label; }
  virtual bool ReadOnly() const { return false; }
  // A record dropped from the tree with Ctrl+click.
  virtual void AcceptRecord(TMUDClass& rec) { (void)rec; }
  // `rec` is about to be freed: nothing may point to it afterwards, list
  // items included. Return false to have the window closed instead.
  virtual bool ForgetRecord(const TMUDClass& rec) {
    if (LinkedRecord() == &rec) Unlink();
    return true;
  }
};

// The kind's Edit: chooses or creates the editor window (EnsureEditor) and
// shows the record in it.
using EditorOpener = std::function<void(TMUDClass& rec)>;

// What the editors remember for a run of the main window, across their
// windows.
struct EditorMemory {
  // The geometry and state the next editor opens with, shared by all kinds;
  // an empty rectangle while nothing is remembered.
  QRect Rect;
  Qt::WindowStates State = Qt::WindowNoState;
  // The current window of each kind: the one that kind's Edit fills.
  std::array<QPointer<QWidget>, kRecordKinds> Current;
  // The object editor's timer unit, as last chosen.
  int TimerUnit = 0;
  // The reason the declension dictionary could not be read, once told.
  std::string DictionaryTold;
};

class EditorWindows : public QObject {
  Q_OBJECT
 public:
  EditorWindows(QMdiArea* mdi, QMenu* windowMenu, QObject* parent = nullptr);

  EditorMemory& Memory() { return m_memory; }

  QMdiArea* Area() const { return m_mdi; }
  QMenu* WindowMenu() const { return m_menu; }

  void Register(RecordKind kind, EditorOpener opener);
  bool HasEditor(RecordKind kind) const { return m_openers.count(kind) > 0; }
  // Nothing happens for a kind that has no editor yet.
  void Edit(TMUDClass& rec);
  // A plain window first, so that the kind's EnsureEditor replaces it rather
  // than the current editor.
  void EditInNewWindow(TMUDClass& rec);
  // `rec` (of this world or another) in a new read-only window of its kind's
  // editor; the kind's Edit goes on using the windows it used. Null for a
  // kind without an editor.
  RecordEditor* View(TMUDClass& rec, const QString& label);

  // Adds `editor` as a child window with its entry in the "Окна" menu, which
  // follows the window's title and goes when the window closes.
  QMdiSubWindow* AddWindow(QWidget* editor);
  int Count() const;
  // The current child window (the active one even while the tree has focus).
  QMdiSubWindow* ActiveSubWindow() const;
  RecordEditor* Active() const;
  // Every open editor window.
  std::vector<RecordEditor*> All() const;
  void CloseActive();

  // Applies the active window's record and, when `unlink`, forgets it;
  // returns the applied record.
  TMUDClass* ApplyActive(bool unlink);
  // Before `rec` is freed: every window lets go of it (or is closed).
  void ForgetRecord(const TMUDClass& rec);
  // Every window shows its record anew.
  void ShowAgain();

  void Tile();
  void Cascade();
  // Windows reaching past the work area (after it shrank) are moved and
  // shrunk into it; their controls scroll.
  void FitIntoArea();

 private:
  QMdiArea* m_mdi;
  QMenu* m_menu;
  std::map<RecordKind, EditorOpener> m_openers;
  EditorMemory m_memory;
};

// Filled by the editors: registers the opener of every kind that has an
// editor window.
class EditorHost;
void RegisterEditors(EditorHost& host);

}  // namespace zm
