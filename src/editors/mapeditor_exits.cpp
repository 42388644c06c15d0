// The map editor's panel of the selected room: its exits, each exit's
// target chosen by zone and room, and the door fields of the exit.
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <algorithm>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/mapeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
void MapEditor::UpdateRoomPanel() {
  const TRoom* r = selectedRoom();
  MapRoomPanel->setVisible(r != nullptr);
  MR_EGroupBox->setVisible(r != nullptr);
  if (!r) {
    m_fieldsRoom = -1;
    return;
  }
  MapRoomNamePanel->setText(QStringLiteral(" ") + ToQt(NodeCaption(r->Vnum, r->Name)));
  ME_XLabel->setNum(r->MapX);
  ME_YLabel->setNum(r->MapY);
  ME_ZLabel->setNum(r->MapZ);
  showExitPanels(r);
  ME_PanelClick(kNorth);
}

void MapEditor::showExitPanels(const TRoom* r) {
  for (int d = 0; d < kDirections; ++d) {
    const int32_t to = r ? r->Exits[static_cast<size_t>(d)].ToRoom : -1;
    ME_Panel[static_cast<size_t>(d)]->setText(to > 0 ? QString::number(to) : QString());
  }
}

void MapEditor::ME_PanelClick(int dir) {
  if (dir < 0 || dir >= kDirections) return;
  StoreExitFields();
  MR_EStdPanel->hide();
  MapGoExitBtn->hide();
  m_exit = dir;
  for (int d = 0; d < kDirections; ++d) ME_Panel[static_cast<size_t>(d)]->setChecked(d == dir);
  const TRoom* r = selectedRoom();
  if (!r) return;
  bool number = false;
  const int32_t to = ME_Panel[static_cast<size_t>(dir)]->text().toInt(&number);
  if (number && room(to)) {
    MR_EStdPanel->show();
    MapGoExitBtn->show();
  }
  fillExitParams(dir);
}

void MapEditor::fillExitParams(int dir) {
  const TRoom* r = selectedRoom();
  if (!r) return;
  ++m_updating;
  const TRoomExit& e = r->Exits[static_cast<size_t>(dir)];
  int32_t zone = 0;
  {
    const QSignalBlocker block(MR_EZComboBox);
    zone = ShowExitZone(MR_EZComboBox, &world(), e.ToRoom);
  }
  fillRoomChoices(zone, e.ToRoom);
  MR_EStdPanel->setVisible(e.ToRoom > 0);
  ShowLine(MR_EDescEdit, e.Description);
  ShowLine(MR_ENameEdit, e.Keywords);
  ShowDictInt(MR_EStateComboBox, e.DoorFlags);
  fillKeyChoices();
  MR_EKeyEdit->setValue(e.Key);
  MR_EKeyComboBox->setCurrentIndex(MR_EKeyComboBox->findData(e.Key));
  ShowDictInt(MR_EDoorComboBox, e.DefaultState);
  m_fieldsRoom = r->Vnum;
  m_fieldsExit = dir;
  m_roomTyped = false;
  --m_updating;
}

void MapEditor::fillRoomChoices(int32_t zone, int32_t target) {
  const QSignalBlocker block(MR_ERComboBox);
  FillRoomChoices(MR_ERComboBox, &world(), zone, target);
}

void MapEditor::fillKeyChoices() {
  const QSignalBlocker block(MR_EKeyComboBox);
  FillKeyChoices(MR_EKeyComboBox, &world(), m_keyType);
}

void MapEditor::MR_EZComboBoxChange() {
  const TRoom* r = selectedRoom();
  bool ok = false;
  const int32_t zone = MR_EZComboBox->currentData().toInt(&ok);
  if (r && ok) fillRoomChoices(zone, r->Exits[static_cast<size_t>(m_exit)].ToRoom);
}

void MapEditor::MR_ERComboBoxChange() {
  TRoom* r = selectedRoom();
  if (!r || m_updating) return;
  m_roomTyped = false;
  const QString text = MR_ERComboBox->currentText().trimmed();
  bool number = false;
  int32_t vnum = text.toInt(&number);
  if (!number || vnum <= 0) {
    // By its text; none found, or the first entry ("Не выбран"), is none.
    const int i = MR_ERComboBox->findText(text, Qt::MatchExactly);
    vnum = i > 0 ? MR_ERComboBox->itemData(i).toInt() : -1;
  }
  StoreExitFields();
  Tracked([&] {
    TRoomExit& e = r->Exits[static_cast<size_t>(m_exit)];
    e.ToRoom = vnum > 0 ? vnum : -1;
    e.ToNowhere = false;  // linked, or unlinked by hand
  });
  showExitPanels(r);
  ME_PanelClick(m_exit);
  repaintMap();
}

void MapEditor::StoreExitFields() {
  TRoom* r = selectedRoom();
  if (!r || m_updating || r->Vnum != m_fieldsRoom || m_fieldsExit != m_exit) return;
  TRoomExit e = r->Exits[static_cast<size_t>(m_exit)];
  e.Description = ReadLine(MR_EDescEdit);
  e.Keywords = ReadLine(MR_ENameEdit);
  const int32_t flags = ReadDictInt(MR_EStateComboBox, e.DoorFlags);
  if (flags >= 0 && flags <= 255) e.DoorFlags = static_cast<uint8_t>(flags);
  e.Key = MR_EKeyEdit->value();
  const int32_t state = ReadDictInt(MR_EDoorComboBox, e.DefaultState);
  if (state >= 0 && state <= 255) e.DefaultState = static_cast<uint8_t>(state);
  if (e == r->Exits[static_cast<size_t>(m_exit)]) return;
  Tracked([&] { r->Exits[static_cast<size_t>(m_exit)] = e; });
}

void MapEditor::keyComboChange() {
  const QVariant key = MR_EKeyComboBox->currentData();
  if (m_updating || !key.isValid()) return;
  MR_EKeyEdit->setValue(key.toInt());
  StoreExitFields();
}

void MapEditor::keyEditChange() {
  if (m_updating) return;
  {
    const QSignalBlocker block(MR_EKeyComboBox);
    MR_EKeyComboBox->setCurrentIndex(MR_EKeyComboBox->findData(MR_EKeyEdit->value()));
  }
  StoreExitFields();
}

}  // namespace zm
