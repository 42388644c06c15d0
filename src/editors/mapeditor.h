#pragma once
// The map editor: the rooms of one zone on the 100×100×9 grid, one level at
// a time; placing rooms (linking them to their neighbours) and taking them
// off, the exits of the selected room, and the automatic arrangement. It
// changes the rooms themselves at once; there is nothing to apply.
#include <QSize>
#include <functional>

#include "editors/editorwindow.h"
#include "editors/mapeditorpanels.h"
#include "editors/mapexitspanel.h"
#include "editors/mapgridwidget.h"
#include "model/rooms.h"
#include "model/zones.h"

namespace zm {

class MapEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kZoneMap;
  static QSize DesignedSize() { return {940, 660}; }

  explicit MapEditor(EditorHost& host, QWidget* parent = nullptr);
  ~MapEditor() override;

  // TZoneMap's Edit (after EnsureEditor). Apply only stores exit fields
  // still being typed: everything else is in the rooms already.
  void Edit(TZoneMap& map);
  // Without Edit's storing of the exits panel first: that would write the
  // values an undo just took back.
  void ShowAgain() override;
  void Apply() override;
  void AcceptRecord(TMUDClass&) override {}
  bool ForgetRecord(const TMUDClass& rec) override;

  int32_t ZoneNumber() const { return m_map.Zone; }
  const ZoneGrid& Grid() const { return m_grid; }
  int Level() const { return m_level; }
  int32_t SelectedRoom() const { return m_exits->Room(); }

  MapLevelPanel& LevelPanel() const { return *m_levels; }
  MapRoomListPanel& RoomList() const { return *m_rooms; }
  MapOverviewPanel& Overview() const { return *m_overview; }
  MapExitsPanel& Exits() const { return *m_exits; }

  // The grid's event handlers, public so that they can be driven like the
  // user does.
  void MapDrawGridMouseMove(int col, int row);
  void MapDrawGridSelectCell(int col, int row);

  // The room on the map or in the unplaced list is selected, the map
  // showing its level; false when the zone does not show it.
  bool GoToRoom(int32_t vnum);

  MapGridWidget* MapDrawGrid = nullptr;

 private:
  TRoom* room(int32_t vnum) const;
  int tileOf(int32_t vnum) const;
  void tracked(const std::function<void()>& op);
  // The zone's rooms onto the grid, the rest into the unplaced list.
  void fillGrid();
  void repaintMap();
  void setLevel(int level);
  // The current level, or the one with most rooms when it has none.
  void showRoomsLevel(bool busiest = false);
  void selectRoom(int32_t vnum);
  // The room onto the grid's current cell, and off it.
  void place(int32_t vnum);
  void linkNeighbours(TRoom& r, int col, int row);
  void takeOff();
  void arrange();
  // An exit's target: in this zone it is selected, another zone's map opens.
  void goToTarget(int32_t vnum);

  TZoneMap m_map;  // WorkingCopy: the zone it is the map of
  ZoneGrid m_grid;
  int m_level = 3;
  MapLevelPanel* m_levels = nullptr;
  MapRoomListPanel* m_rooms = nullptr;
  MapOverviewPanel* m_overview = nullptr;
  MapExitsPanel* m_exits = nullptr;
};

// The zone map kind's opener.
void RegisterMapEditor(EditorHost& host);

}  // namespace zm
