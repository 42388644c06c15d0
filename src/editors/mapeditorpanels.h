#pragma once
// The map editor's side column, top to bottom: the level and the arrangement,
// the rooms the grid does not show, and the level in small with the room
// under the mouse.
#include <QWidget>
#include <cstdint>
#include <memory>

#include "editors/editorpage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace zm {

class TRoom;
class TZoneMap;
class World;
class ZoneGrid;

// The cell under the mouse, the level shown, auto-linking and the
// arrangement of the whole zone.
class MapLevelPanel : public QWidget {
  Q_OBJECT
 public:
  // Ctrl pressed anywhere in `window` inverts auto-linking while it is held.
  MapLevelPanel(QWidget& window, QWidget* parent);
  ~MapLevelPanel() override;

  void ShowLevel(int level);
  void ShowCell(int col, int row);
  bool AutoLink() const;
  // Ctrl pressed or released.
  void CtrlKey(bool down);

  // Event handlers, public so that they can be driven like the user does.
  void MapDecZBtnClick();
  void MapIncZBtnClick();
  void AutoArrangBtnClick();

  QLabel *MapXLabel = nullptr, *MapYLabel = nullptr, *MapZLabel = nullptr;
  QPushButton *MapDecZBtn = nullptr, *MapIncZBtn = nullptr;
  QCheckBox* MapAutoLinkCheckBox = nullptr;
  QPushButton* AutoArrangBtn = nullptr;

 signals:
  // One level down (-1) or up (1).
  void LevelStepped(int by);
  void ArrangeAsked();

 private:
  bool m_ctrlHeld = false;
  std::unique_ptr<QObject> m_keyWatch;
};

// The zone's rooms that the grid does not show, in the order of their
// vnums, and the buttons that put the chosen one on the grid's current cell
// or take that cell's room off.
class MapRoomListPanel : public EditorPage {
  Q_OBJECT
 public:
  MapRoomListPanel(EditorWindow& editor, const TZoneMap& map, const ZoneGrid& grid,
                   QWidget* parent);

  void ShowRecord() override;
  // Placing and taking off change the rooms at once.
  void StoreRecord() override {}

  // The room's entry in its place; returns its row. The changes of the list
  // below run no click handler.
  int Add(const TRoom& r);
  // Placed: the entry goes and the row now in its place becomes current.
  void Take(int32_t vnum);
  // Gone from the world: the entry goes.
  void Forget(int32_t vnum);
  void SetCurrentRow(int row);
  // -1 when the room has no entry.
  int Row(int32_t vnum) const;

  // Event handlers, public so that they can be driven like the user does.
  void MapRoomsListBoxClick();
  void MapRoomAddBtnClick();
  void MapRoomDelBtnClick();

  QListWidget* MapRoomsListBox = nullptr;
  QPushButton *MapRoomAddBtn = nullptr, *MapRoomDelBtn = nullptr;

 signals:
  void RoomChosen(int32_t vnum);
  void PlaceAsked(int32_t vnum);
  void TakeOffAsked();

 private:
  int32_t vnumOf(const QListWidgetItem* item) const;

  const TZoneMap& m_map;
  const ZoneGrid& m_grid;
};

// One level of the grid in small, a dot for each room, and the room the
// mouse is over with its mobiles and objects.
class MapOverviewPanel : public QWidget {
  Q_OBJECT
 public:
  explicit MapOverviewPanel(QWidget* parent);

  void DrawMiniMap(const ZoneGrid& grid, int level, const World& w);
  // Null: nothing is shown.
  void ShowRoom(const TRoom* r, const World& w);

  QGroupBox* MiniMapPanel = nullptr;
  QLabel* MiniMapImage = nullptr;
  QLabel* MapRoomText = nullptr;
};

}  // namespace zm
