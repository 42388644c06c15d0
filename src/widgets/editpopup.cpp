#include "widgets/editpopup.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <vector>

#include "widgets/qtext.h"

namespace zm {
namespace {

// The caret as an index into the Windows-1251 text (one byte a character,
// except characters outside the BMP, which FromQt turns into one "?").
size_t ByteCaret(const QString& text, int caret) {
  return FromQt(text.left(caret)).size();
}

}  // namespace

EditPopup::EditPopup(QWidget* parent) : QMenu(parent) {
  setObjectName("EditPopupMenu");
}

void EditPopup::Build(const EditCmdMenu& menu) {
  clear();
  m_menu = &menu;
  std::vector<QMenu*> subs;
  for (const auto& s : menu.Submenus) subs.push_back(addMenu(ToQt(s.Caption)));
  for (const auto& item : menu.Items) {
    QMenu* where = item.Submenu >= 0 && item.Submenu < static_cast<int>(subs.size())
                       ? subs[static_cast<size_t>(item.Submenu)]
                       : this;
    QAction* a = where->addAction(ToQt(item.Caption));
    const int tag = item.Tag;
    connect(a, &QAction::triggered, this, [this, tag] { InsertCommand(m_target, tag); });
  }
}

void EditPopup::PopupFor(QWidget* target, const QPoint& globalPos, const QList<QAction*>& extra) {
  m_target = target;
  QMenu* menu = nullptr;
  if (auto* plain = qobject_cast<QPlainTextEdit*>(target))
    menu = plain->createStandardContextMenu(plain->viewport()->mapFromGlobal(globalPos));
  else if (auto* rich = qobject_cast<QTextEdit*>(target))
    menu = rich->createStandardContextMenu(rich->viewport()->mapFromGlobal(globalPos));
  else if (auto* line = qobject_cast<QLineEdit*>(target))
    menu = line->createStandardContextMenu();
  if (!menu) menu = new QMenu(target);
  // Deleted only after a chosen entry has fired.
  menu->setAttribute(Qt::WA_DeleteOnClose);
  if (!menu->isEmpty()) menu->addSeparator();
  // The commands' actions are shared: they insert into m_target whichever
  // menu shows them.
  for (QAction* a : actions()) menu->addAction(a);
  if (!extra.isEmpty()) menu->addSeparator();
  for (QAction* a : extra) {
    a->setParent(menu);
    menu->addAction(a);
  }
  m_shown = menu;
  menu->popup(globalPos);
}

void EditPopup::InsertCommand(QWidget* target, int tag) {
  if (!target || !m_menu) return;
  const std::string command = m_menu->CommandOf(tag);
  if (auto* plain = qobject_cast<QPlainTextEdit*>(target)) {
    // Through the cursor, so the insertion is one step of the undo history.
    QTextCursor c = plain->textCursor();
    c.insertText(ToQt(command));
    plain->setTextCursor(c);
  } else if (auto* rich = qobject_cast<QTextEdit*>(target)) {
    QTextCursor c = rich->textCursor();
    c.insertText(ToQt(command));
    rich->setTextCursor(c);
  } else if (auto* line = qobject_cast<QLineEdit*>(target)) {
    const QString text = line->text();
    InsertedCommand r =
        zm::InsertCommand(FromQt(text), ByteCaret(text, line->cursorPosition()), command);
    line->setText(ToQt(r.Text));
    line->setCursorPosition(static_cast<int>(ToQt(r.Text.substr(0, r.Caret)).size()));
  }
}

}  // namespace zm
