#pragma once
// The room editor's "Выходы": six direction panels and the fields of the
// current exit, its destination chosen by zone and room.
#include <array>
#include <cstdint>

#include "editors/editorpage.h"
#include "model/rooms.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace zm {

class RoomExitsPage : public EditorPage {
  Q_OBJECT
 public:
  RoomExitsPage(EditorWindow& editor, TRoom& wc);

  // The north exit becomes current.
  void ShowRecord() override;
  void StoreRecord() override;

  int CurrentExit() const { return m_exit; }

  void R_ExitPanelClick(int dir);
  void R_EZComboBoxChange();
  void R_ERComboBoxChange();
  void R_EKeyComboBoxChange();
  void R_EKeyEditChange();

  std::array<QPushButton*, kDirections> R_EPanel{};
  QComboBox* R_EZComboBox = nullptr;
  QComboBox* R_ERComboBox = nullptr;
  QWidget* R_EStdPanel = nullptr;
  QLineEdit* R_ENameEdit = nullptr;
  QLineEdit* R_EDescEdit = nullptr;
  QComboBox* R_EStateComboBox = nullptr;
  QSpinBox* R_EKeyEdit = nullptr;
  QComboBox* R_EKeyComboBox = nullptr;
  QComboBox* R_EDoorComboBox = nullptr;

 private:
  void showExit(int dir);
  void storeExit(int dir);
  void showExitPanels();
  void fillRoomChoices(int32_t zone, int32_t toRoom);
  void fillKeyChoices();
  void selectKeyChoice(int32_t key);

  TRoom& m_wc;
  int m_exit = 0;
  // Set while the page fills its controls: their change signals are then no
  // user's doing.
  int m_updating = 0;
  bool m_roomTyped = false;
  int32_t m_keyType = 18;
};

}  // namespace zm
