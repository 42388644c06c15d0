#pragma once
// The edit popup menu of the editor text fields, built from
// Bases/editcmdmenu: choosing an item inserts its command at the caret.
#include <QMenu>
#include <QPointer>

#include "common/editcmdmenu.h"

namespace zm {

class EditPopup : public QMenu {
  Q_OBJECT
 public:
  explicit EditPopup(QWidget* parent = nullptr);

  // Submenus and items of `menu`; the menu is kept for the commands.
  void Build(const EditCmdMenu& menu);
  // Opens the field's own context menu (undo, cut, copy, paste …) with the
  // insert commands below it, for a QPlainTextEdit, QTextEdit or QLineEdit.
  // `extra` entries of the target's own go last; the menu takes them.
  void PopupFor(QWidget* target, const QPoint& globalPos, const QList<QAction*>& extra = {});
  // The menu PopupFor opened last, while it is open.
  QMenu* Shown() const { return m_shown; }
  // The command of item `tag` at the target's caret; the caret after it.
  void InsertCommand(QWidget* target, int tag);

 private:
  const EditCmdMenu* m_menu = nullptr;
  QPointer<QWidget> m_target;
  QPointer<QMenu> m_shown;
};

}  // namespace zm
