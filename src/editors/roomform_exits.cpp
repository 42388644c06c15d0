// The room editor's exits: six direction panels and the fields of the
// current exit, its destination chosen by zone and room.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "common/cp1251.h"
#include "common/textutil.h"
#include "editors/fieldtext.h"
#include "editors/roomform.h"
#include "load/world.h"
#include "widgets/cp1251.h"

namespace zm {
namespace {

struct Choice {
  int32_t Vnum;
  std::string Text;
};

// "vnum=text" lines as choices, by number; the line for none goes first.
std::vector<Choice> Choices(const std::vector<std::string>& lines, bool caption) {
  std::vector<Choice> out;
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    int32_t vnum = 0;
    if (eq == std::string::npos || !ParseInt(line.substr(0, eq), vnum)) continue;
    const std::string text = line.substr(eq + 1);
    out.push_back({vnum, caption && vnum > 0 ? NodeCaption(vnum, text) : text});
  }
  std::stable_sort(out.begin(), out.end(),
                   [](const Choice& a, const Choice& b) { return a.Vnum < b.Vnum; });
  return out;
}

void Fill(QComboBox* combo, const std::vector<Choice>& choices) {
  combo->clear();
  for (const Choice& c : choices) combo->addItem(ToQt(c.Text), c.Vnum);
}

}  // namespace

void TRoomForm::showExitPanels() {
  for (int d = 0; d < kDirections; ++d) {
    QPushButton* panel = R_EPanel[static_cast<size_t>(d)];
    panel->setText(ToQt(VnumText(m_wc.Exits[static_cast<size_t>(d)].ToRoom)));
    panel->setChecked(d == m_exit);
  }
}

void TRoomForm::R_ExitPanelClick(int dir) {
  if (dir < 0 || dir >= kDirections) return;
  storeExit(m_exit);
  m_exit = dir;
  showExitPanels();
  showExit(dir);
}

void TRoomForm::showExit(int dir) {
  ++m_updating;
  const TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  const World* w = App().world;
  Fill(R_EZComboBox, Choices(w ? w->Zones.ZoneNames() : std::vector<std::string>{}, false));
  // Without a destination the room's own zone is offered: that is where a
  // builder looks for a neighbour first.
  const TRoom* to = e.ToRoom > 0 && w ? w->Rooms.Find(e.ToRoom) : nullptr;
  const int32_t zone = to ? to->Zone : m_wc.Zone;
  int z = R_EZComboBox->findData(zone);
  if (z < 0) {
    R_EZComboBox->addItem(QStringLiteral("[%1]").arg(zone), zone);
    z = R_EZComboBox->count() - 1;
  }
  R_EZComboBox->setCurrentIndex(z);
  fillRoomChoices(zone, e.ToRoom);
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

void TRoomForm::storeExit(int dir) {
  TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  const int32_t flags = ReadDictInt(R_EStateComboBox, e.DoorFlags);
  if (flags >= 0 && flags <= 255) e.DoorFlags = static_cast<uint8_t>(flags);
  e.Key = R_EKeyEdit->value();
  e.Keywords = ReadLine(R_ENameEdit);
  e.Description = ReadLine(R_EDescEdit);
  const int32_t state = ReadDictInt(R_EDoorComboBox, e.DefaultState);
  if (state >= 0 && state <= 255) e.DefaultState = static_cast<uint8_t>(state);
}

void TRoomForm::fillRoomChoices(int32_t zone, int32_t toRoom) {
  ++m_updating;
  const World* w = App().world;
  Fill(R_ERComboBox,
       Choices(w ? w->Rooms.FillChoiceList(zone) : std::vector<std::string>{"-1=" + W("Не выбран")},
               false));
  const int i = toRoom > 0 ? R_ERComboBox->findData(toRoom) : R_ERComboBox->findData(-1);
  R_ERComboBox->setCurrentIndex(i);
  if (i < 0 && toRoom > 0) R_ERComboBox->setEditText(QString::number(toRoom));
  --m_updating;
}

void TRoomForm::R_EZComboBoxChange() {
  if (m_updating) return;
  bool ok = false;
  const int32_t zone = R_EZComboBox->currentData().toInt(&ok);
  if (ok) fillRoomChoices(zone, m_wc.Exits[static_cast<size_t>(m_exit)].ToRoom);
}

void TRoomForm::R_ERComboBoxChange() {
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
  m_wc.Exits[static_cast<size_t>(m_exit)].ToRoom = vnum > 0 ? vnum : -1;
  showExitPanels();
  showExit(m_exit);
}

void TRoomForm::fillKeyChoices() {
  ++m_updating;
  const World* w = App().world;
  Fill(R_EKeyComboBox, Choices(w ? w->Objs.FillChoiceList(0, m_keyType)
                                 : std::vector<std::string>{"-1=" + W("Не выбран")},
                               true));
  --m_updating;
}

void TRoomForm::selectKeyChoice(int32_t key) {
  ++m_updating;
  R_EKeyComboBox->setCurrentIndex(R_EKeyComboBox->findData(key));
  --m_updating;
}

void TRoomForm::R_EKeyComboBoxChange() {
  if (m_updating) return;
  const QVariant key = R_EKeyComboBox->currentData();
  if (key.isValid()) R_EKeyEdit->setValue(key.toInt());
}

void TRoomForm::R_EKeyEditChange() {
  if (!m_updating) selectKeyChoice(R_EKeyEdit->value());
}

}  // namespace zm
