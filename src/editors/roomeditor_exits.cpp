// The room editor's exits: six direction panels and the fields of the
// current exit, its destination chosen by zone and room.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/roomeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
void RoomEditor::showExitPanels() {
  for (int d = 0; d < kDirections; ++d) {
    QPushButton* panel = R_EPanel[static_cast<size_t>(d)];
    panel->setText(ToQt(VnumText(m_wc.Exits[static_cast<size_t>(d)].ToRoom)));
    panel->setChecked(d == m_exit);
  }
}

void RoomEditor::R_ExitPanelClick(int dir) {
  if (dir < 0 || dir >= kDirections) return;
  storeExit(m_exit);
  m_exit = dir;
  showExitPanels();
  showExit(dir);
}

void RoomEditor::showExit(int dir) {
  ++m_updating;
  const TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  const World* w = &world();
  fillRoomChoices(ShowExitZone(R_EZComboBox, w, e.ToRoom), e.ToRoom);
  R_EStdPanel->setVisible(e.ToRoom > 0);
  ShowDictInt(R_EStateComboBox, e.DoorFlags);
  R_EKeyEdit->setValue(e.Key);
  selectKeyChoice(e.Key);
  ShowLine(R_ENameEdit, e.Keywords);
  ShowLine(R_EDescEdit, e.Description);
  ShowDictInt(R_EDoorComboBox, e.DefaultState);
  m_roomTyped = false;
  --m_updating;
}

void RoomEditor::storeExit(int dir) {
  TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  const int32_t flags = ReadDictInt(R_EStateComboBox, e.DoorFlags);
  if (flags >= 0 && flags <= 255) e.DoorFlags = static_cast<uint8_t>(flags);
  e.Key = R_EKeyEdit->value();
  e.Keywords = ReadLine(R_ENameEdit);
  e.Description = ReadLine(R_EDescEdit);
  const int32_t state = ReadDictInt(R_EDoorComboBox, e.DefaultState);
  if (state >= 0 && state <= 255) e.DefaultState = static_cast<uint8_t>(state);
}

void RoomEditor::fillRoomChoices(int32_t zone, int32_t toRoom) {
  ++m_updating;
  FillRoomChoices(R_ERComboBox, &world(), zone, toRoom);
  --m_updating;
}

void RoomEditor::R_EZComboBoxChange() {
  if (m_updating) return;
  bool ok = false;
  const int32_t zone = R_EZComboBox->currentData().toInt(&ok);
  if (ok) fillRoomChoices(zone, m_wc.Exits[static_cast<size_t>(m_exit)].ToRoom);
}

void RoomEditor::R_ERComboBoxChange() {
  if (m_updating) return;
  m_roomTyped = false;
  const QString text = R_ERComboBox->currentText().trimmed();
  bool number = false;
  int32_t vnum = text.toInt(&number);
  if (!number || vnum <= 0) {
    const int i = R_ERComboBox->findText(text, Qt::MatchExactly);
    vnum = i >= 0 ? R_ERComboBox->itemData(i).toInt() : -1;
  }
  // The door fields typed so far stay: the exit is stored before it is
  // shown again.
  storeExit(m_exit);
  TRoomExit& e = m_wc.Exits[static_cast<size_t>(m_exit)];
  e.ToRoom = vnum > 0 ? vnum : -1;
  e.ToNowhere = false;  // linked, or unlinked by hand
  showExitPanels();
  showExit(m_exit);
}

void RoomEditor::fillKeyChoices() {
  ++m_updating;
  FillKeyChoices(R_EKeyComboBox, &world(), m_keyType);
  --m_updating;
}

void RoomEditor::selectKeyChoice(int32_t key) {
  ++m_updating;
  R_EKeyComboBox->setCurrentIndex(R_EKeyComboBox->findData(key));
  --m_updating;
}

void RoomEditor::R_EKeyComboBoxChange() {
  if (m_updating) return;
  const QVariant key = R_EKeyComboBox->currentData();
  if (key.isValid()) R_EKeyEdit->setValue(key.toInt());
}

void RoomEditor::R_EKeyEditChange() {
  if (!m_updating) selectKeyChoice(R_EKeyEdit->value());
}

}  // namespace zm
