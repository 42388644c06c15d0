#pragma once
#include <QMainWindow>

class QAction;
class QMdiArea;
class QMenu;
class QTreeWidget;

namespace zm {

// The main window: the tree of zones and entries, the editor windows and the
// menus.
class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  explicit TForm1(QWidget* parent = nullptr);

  QTreeWidget* Tree() const { return m_tree; }
  QMdiArea* Mdi() const { return m_mdi; }

 private:
  void BuildMenus();
  QAction* AddItem(QMenu* menu, const char* name, const char* caption, const QKeySequence& key);

  QTreeWidget* m_tree = nullptr;
  QMdiArea* m_mdi = nullptr;
};

}  // namespace zm
