#pragma once
// What the tree does when the user moves through it: applying the active
// editor and editing the new record, Ctrl+click dropping a record into the
// active editor, and the popup menu with its enabling rules.
#include <QObject>

class QAction;
class QMenu;
class QPoint;
class QTreeWidget;
class QTreeWidgetItem;

namespace zm {

class AppContext;

struct PopupActions {
  QAction* InNewWindow = nullptr;
  QAction* Add = nullptr;
  QAction* Delete = nullptr;
  QAction* Copy = nullptr;
};

class TreeController : public QObject {
  Q_OBJECT
 public:
  TreeController(AppContext& app, QTreeWidget* tree, QMenu* popup, PopupActions actions,
                 QObject* parent = nullptr);

  // The node the popup was opened on, or the selected node for the
  // main-menu commands.
  QTreeWidgetItem* ContextNode() const { return m_context; }
  void SetContextNode(QTreeWidgetItem* node) { m_context = node; }

  struct Enabling {
    bool InNewWindow = false, Add = false, Delete = false, Copy = false;
  };
  static Enabling EnablingFor(const QTreeWidgetItem* node);

  // TreeView1ContextPopup at a viewport point: sets the context node and the
  // enabling; false (no popup) when there is no node there. `show` false
  // only prepares the menu.
  bool ContextPopup(const QPoint& pos, bool show = true);

  // Selects `item`; its record is edited even when it was selected already.
  void Select(QTreeWidgetItem* item);
  // While quiet, selection moves apply and edit nothing (a node is going).
  void SetQuiet(bool on) { m_quiet = on; }

  // TreeView1Change.
  void TreeView1Change(QTreeWidgetItem* current);
  // TreeView1Changing with Ctrl down: the selection stays, the record goes
  // to the active editor. True when the move was held back.
  bool CtrlClick(QTreeWidgetItem* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  AppContext& m_app;
  QTreeWidget* m_tree;
  QMenu* m_popup;
  PopupActions m_actions;
  QTreeWidgetItem* m_context = nullptr;
  bool m_quiet = false;
};

}  // namespace zm
