#pragma once
// The map editor's panel of the selected room: its name and place, its exits
// on a compass, and the target and door fields of the exit chosen there.
// Changes go into the room at once, tracked as changes of the map's zone.
#include <array>
#include <cstdint>
#include <functional>

#include "editors/editorpage.h"
#include "model/rooms.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zm {

class TZoneMap;

class MapExitsPanel : public EditorPage {
  Q_OBJECT
 public:
  MapExitsPanel(EditorWindow& editor, const TZoneMap& map);

  // The selected room (-1: none); setting it shows nothing yet.
  int32_t Room() const { return m_room; }
  void SetRoom(int32_t vnum) { m_room = vnum; }
  int CurrentExit() const { return m_exit; }

  // The room with its north exit chosen; without a room the panel hides.
  void ShowRecord() override;
  // The door fields typed so far into the room's current exit.
  void StoreRecord() override;

  // Event handlers, public so that they can be driven like the user does.
  void ME_PanelClick(int dir);
  void MR_EZComboBoxChange();
  void MR_ERComboBoxChange();
  void MapGoBtnClick();
  void MapGoExitBtnClick();

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

 signals:
  // An exit of the room leads elsewhere now: its tile changes.
  void TargetChanged();
  // "Перейти к выходу": the current exit's target room.
  void GoToAsked(int32_t vnum);

 private:
  QWidget* buildRoomPanel();
  QWidget* buildExitGroup();
  void connectControls();

  TRoom* room(int32_t vnum) const;
  TRoom* selectedRoom() const;
  void tracked(const std::function<void()>& op);
  void showExitPanels(const TRoom* r);
  void fillExitParams(int dir);
  void fillRoomChoices(int32_t zone, int32_t target);
  void fillKeyChoices();
  void keyComboChange();
  void keyEditChange();

  const TZoneMap& m_map;
  int32_t m_room = -1;
  int m_exit = kNorth;
  // The room and exit whose fields the exit group shows; -1: none.
  int32_t m_fieldsRoom = -1;
  int m_fieldsExit = -1;
  int m_updating = 0;
  bool m_roomTyped = false;
  int32_t m_keyType = 18;
};

}  // namespace zm
