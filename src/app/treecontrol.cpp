#include "app/treecontrol.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include "app/appcontext.h"
#include "app/worldtree.h"
#include "editors/editorwindows.h"
#include "model/records.h"

namespace zm {

TreeController::TreeController(AppContext& app, QTreeWidget* tree, QMenu* popup,
                               PopupActions actions, QObject* parent)
    : QObject(parent), m_app(app), m_tree(tree), m_popup(popup), m_actions(actions) {
  m_tree->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(m_tree, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { ContextPopup(pos); });
  connect(m_tree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current) { TreeView1Change(current); });
  m_tree->viewport()->installEventFilter(this);
  m_tree->installEventFilter(this);
}

TreeController::Enabling TreeController::EnablingFor(const QTreeWidgetItem* node) {
  Enabling e;
  const TMUDClass* rec = WorldTree::RecordOf(node);
  e.InNewWindow = rec != nullptr;
  e.Add = !rec || rec->Kind != kZoneMap;
  e.Delete = rec && rec->Kind != kZoneMap;
  e.Copy = false;  // copying has no action yet
  return e;
}

bool TreeController::ContextPopup(const QPoint& pos, bool show) {
  QTreeWidgetItem* node = m_tree->itemAt(pos);
  if (!node) return false;
  m_context = node;
  Enabling e = EnablingFor(node);
  if (m_actions.InNewWindow) m_actions.InNewWindow->setEnabled(e.InNewWindow);
  if (m_actions.Add) m_actions.Add->setEnabled(e.Add);
  if (m_actions.Delete) m_actions.Delete->setEnabled(e.Delete);
  if (m_actions.Copy) m_actions.Copy->setEnabled(e.Copy);
  if (show && m_popup) m_popup->popup(m_tree->viewport()->mapToGlobal(pos));
  return true;
}

void TreeController::Select(QTreeWidgetItem* item) {
  if (!item) return;
  if (m_tree->currentItem() == item) {
    item->setSelected(true);
    TreeView1Change(item);
    return;
  }
  m_tree->setCurrentItem(item);
}

void TreeController::TreeView1Change(QTreeWidgetItem* current) {
  if (m_quiet) return;
  TMUDClass* rec = WorldTree::RecordOf(current);
  // A node without a record leaves the editor on the record it shows, so
  // what is typed there afterwards still reaches that record.
  m_app.ApplyActiveEditor(rec != nullptr);
  if (rec) m_app.Windows->Edit(*rec);
}

bool TreeController::CtrlClick(QTreeWidgetItem* target) {
  TMUDClass* rec = WorldTree::RecordOf(target);
  if (rec && m_app.Windows->Count() > 0)
    if (RecordEditor* e = m_app.Windows->Active()) e->AcceptRecord(*rec);
  return true;
}

bool TreeController::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                     type == QEvent::MouseButtonDblClick;
  if (mouse && watched == m_tree->viewport()) {
    auto* me = static_cast<QMouseEvent*>(e);
    // The right button opens the popup on the node under the mouse without
    // selecting it.
    if (me->button() == Qt::RightButton) return true;
    if (me->button() == Qt::LeftButton && (me->modifiers() & Qt::ControlModifier)) {
      // Only the press drops the record; the rest of the click is swallowed
      // so the selection cannot move.
      if (type == QEvent::MouseButtonPress) CtrlClick(m_tree->itemAt(me->position().toPoint()));
      return true;
    }
  }
  if (type == QEvent::KeyPress && watched == m_tree) {
    auto* ke = static_cast<QKeyEvent*>(e);
    if (ke->modifiers() & Qt::ControlModifier) {
      switch (ke->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
          return true;  // the selection does not move while Ctrl is down
        default:
          break;
      }
    }
  }
  return QObject::eventFilter(watched, e);
}

}  // namespace zm
