#pragma once
// What the work area shows while no editor window is open: the world at a
// glance (its folder, each zone with its counts and whether it has unsaved
// changes, the load errors), each zone line a way into its zone editor.
#include <QWidget>

class QLabel;
class QMdiArea;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace zm {

class AppContext;

class WorldOverview : public QWidget {
  Q_OBJECT
 public:
  // Lies over the area's background and hides while the area has windows.
  WorldOverview(AppContext& app, QMdiArea* area);

  // Reads the world, the changes and the load errors again.
  void Refresh();
  QTreeWidget* ZoneList() const { return m_zones; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void Place();
  void OpenZone(QTreeWidgetItem* item);

  AppContext& m_app;
  QMdiArea* m_area;
  QLabel* m_folder;
  QLabel* m_totals;
  QTreeWidget* m_zones;
  QLabel* m_errors;
  QPushButton* m_showErrors;
};

}  // namespace zm
