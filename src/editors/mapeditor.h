#pragma once
// The map editor: the rooms of one zone on the 100×100×9 grid, one level at
// a time; placing rooms (linking them to their neighbours) and taking them
// off, the exits of the selected room, and the automatic arrangement. It
// changes the rooms themselves at once; there is nothing to apply.
#include <QSize>
#include <array>
#include <memory>

#include "editors/editorwindow.h"
#include "editors/mapeditor_grid.h"
#include "model/rooms.h"
#include "model/zones.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QSpinBox;

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
  void Apply() override;
  void AcceptRecord(TMUDClass&) override {}
  bool ForgetRecord(const TMUDClass& rec) override;

  int32_t ZoneNumber() const { return m_map.Zone; }
  const ZoneGrid& Grid() const { return m_grid; }
  int Level() const { return m_level; }
  int32_t SelectedRoom() const { return m_selected; }
  int CurrentExit() const { return m_exit; }

  // Event handlers, public so that they can be driven like the user does.
  void FillGrid();
  void DrawMiniMap();
  void MapDrawGridMouseMove(int col, int row);
  void MapDrawGridSelectCell(int col, int row);
  void MapDecZBtnClick();
  void MapIncZBtnClick();
  void MapRoomAddBtnClick();
  void MapRoomDelBtnClick();
  void MapRoomsListBoxClick();
  void MapGoBtnClick();
  void MapGoExitBtnClick();
  void AutoArrangBtnClick();
  void UpdateRoomPanel();
  void ME_PanelClick(int dir);
  void MR_EZComboBoxChange();
  void MR_ERComboBoxChange();
  // Ctrl pressed or released: auto-linking is inverted while it is held.
  void CtrlKey(bool down);
  // The exit fields of MR_EStdPanel into the selected room's current exit.
  void StoreExitFields();

  // The room on the map or in the unplaced list is selected, the map
  // showing its level; false when the zone does not show it.
  bool GoToRoom(int32_t vnum);

 private:
  // mapform_ui.cpp: the controls.
  void buildUi();
  QWidget* buildSidePanel();
  QWidget* buildRoomPanel();
  QWidget* buildExitGroup();
  void connectControls();

  TRoom* selectedRoom() const;
  TRoom* room(int32_t vnum) const;
  int tileOf(int32_t vnum) const;
  void setLevel(int level);
  // The current level, or the one with most rooms when it has none.
  void showRoomsLevel(bool busiest = false);
  void selectRoom(int32_t vnum);
  // The unplaced list, kept in the order of the vnums.
  int addListEntry(const TRoom& room);
  int listRow(int32_t vnum) const;
  int32_t listVnum(const QListWidgetItem* item) const;
  void linkNeighbours(TRoom& room, int col, int row);
  void repaintMap();
  void Tracked(const std::function<void()>& op);

  // mapform_exits.cpp
  void showExitPanels(const TRoom* room);
  void fillExitParams(int dir);
  void fillRoomChoices(int32_t zone, int32_t target);
  void fillKeyChoices();
  void keyComboChange();
  void keyEditChange();

  TZoneMap m_map;
  ZoneGrid m_grid;
  int m_level = 3;
  int32_t m_selected = -1;  // vnum of the selected room
  int m_exit = kNorth;
  // The room and exit whose fields the exit group shows; -1: none.
  int32_t m_fieldsRoom = -1;
  int m_fieldsExit = -1;
  int m_updating = 0;
  bool m_roomTyped = false;
  bool m_ctrlHeld = false;
  int32_t m_keyType = 18;
  std::unique_ptr<QObject> m_keyWatch;

 public:
  // The controls, by the names they carry.
  MapGridWidget* MapDrawGrid = nullptr;
  QLabel *MapXLabel = nullptr, *MapYLabel = nullptr, *MapZLabel = nullptr;
  QPushButton *MapDecZBtn = nullptr, *MapIncZBtn = nullptr;
  QCheckBox* MapAutoLinkCheckBox = nullptr;
  QListWidget* MapRoomsListBox = nullptr;
  QPushButton *MapRoomAddBtn = nullptr, *MapRoomDelBtn = nullptr;
  QGroupBox* MiniMapPanel = nullptr;
  QLabel* MiniMapImage = nullptr;
  QLabel* MapRoomText = nullptr;
  QPushButton* AutoArrangBtn = nullptr;

  QWidget* MapRoomPanel = nullptr;
  QLabel* MapRoomNamePanel = nullptr;
  QPushButton* MapGoBtn = nullptr;
  QLabel *ME_XLabel = nullptr, *ME_YLabel = nullptr, *ME_ZLabel = nullptr;
  std::array<QPushButton*, kDirections> ME_Panel{};
  QPushButton* MapGoExitBtn = nullptr;

  QGroupBox* MR_EGroupBox = nullptr;
  QComboBox* MR_EZComboBox = nullptr;
  QComboBox* MR_ERComboBox = nullptr;
  QWidget* MR_EStdPanel = nullptr;
  QLineEdit* MR_EDescEdit = nullptr;
  QLineEdit* MR_ENameEdit = nullptr;
  QSpinBox* MR_EKeyEdit = nullptr;
  QComboBox* MR_EKeyComboBox = nullptr;
  QComboBox* MR_EStateComboBox = nullptr;
  QComboBox* MR_EDoorComboBox = nullptr;
};

// The zone map kind's opener.
void RegisterMapEditor(EditorHost& host);

}  // namespace zm
