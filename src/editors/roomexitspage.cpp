#include "editors/roomexitspage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

RoomExitsPage::RoomExitsPage(EditorWindow& editor, TRoom& wc) : EditorPage(editor), m_wc(wc) {
  auto* row = new QHBoxLayout(this);

  QGridLayout* compass = ExitCompass(this, "R_E", QSize(72, 28), false, R_EPanel);
  compass->setColumnMinimumWidth(3, 90);
  compass->setRowStretch(3, 1);
  row->addLayout(compass);

  auto* group = new QGroupBox(QStringLiteral("Параметры выхода"), this);
  auto* form = new QFormLayout(group);
  R_EZComboBox = Named(new QComboBox(group), "R_EZComboBox");
  R_EZComboBox->setMaxVisibleItems(20);
  form->addRow(QStringLiteral("Номер зоны"), R_EZComboBox);
  R_ERComboBox = Named(new QComboBox(group), "R_ERComboBox");
  R_ERComboBox->setEditable(true);
  R_ERComboBox->setInsertPolicy(QComboBox::NoInsert);
  R_ERComboBox->setMaxVisibleItems(20);
  form->addRow(QStringLiteral("Номер комнаты"), R_ERComboBox);

  R_EStdPanel = Named(new QWidget(group), "R_EStdPanel");
  auto* door = new QFormLayout(R_EStdPanel);
  door->setContentsMargins(0, 0, 0, 0);
  R_ENameEdit = Named(new QLineEdit(R_EStdPanel), "R_ENameEdit");
  door->addRow(QStringLiteral("Список ключевых слов"), R_ENameEdit);
  R_EDescEdit = Named(new QLineEdit(R_EStdPanel), "R_EDescEdit");
  door->addRow(QStringLiteral("Описание выхода"), R_EDescEdit);
  R_EStateComboBox = Named(new QComboBox(R_EStdPanel), "R_EStateComboBox");
  door->addRow(QStringLiteral("Тип двери"), R_EStateComboBox);
  auto* keyRow = new QHBoxLayout();
  R_EKeyEdit = Named(new QSpinBox(R_EStdPanel), "R_EKeyEdit");
  FieldRange<int32_t>(R_EKeyEdit);
  R_EKeyComboBox = Named(new QComboBox(R_EStdPanel), "R_EKeyComboBox");
  R_EKeyComboBox->setMaxVisibleItems(20);
  keyRow->addWidget(R_EKeyEdit);
  keyRow->addWidget(R_EKeyComboBox, 1);
  door->addRow(QStringLiteral("Номер ключа (-1 - нет ключа)"), keyRow);
  R_EDoorComboBox = Named(new QComboBox(R_EStdPanel), "R_EDoorComboBox");
  door->addRow(QStringLiteral("Состояние двери по умолчанию"), R_EDoorComboBox);
  form->addRow(R_EStdPanel);
  // Long room and key names must not widen the page past the window: the
  // boxes show what fits, their lists show the whole names.
  for (QComboBox* c :
       {R_EZComboBox, R_ERComboBox, R_EStateComboBox, R_EKeyComboBox, R_EDoorComboBox}) {
    c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    c->setMinimumContentsLength(12);
  }
  // In a narrow window the labels go above their fields.
  for (QFormLayout* f : {form, door}) f->setRowWrapPolicy(QFormLayout::WrapLongRows);
  row->addWidget(group, 1);

  for (int d = 0; d < kDirections; ++d)
    connect(R_EPanel[static_cast<size_t>(d)], &QPushButton::clicked, this,
            [this, d] { R_ExitPanelClick(d); });
  connect(R_EZComboBox, &QComboBox::activated, this, &RoomExitsPage::R_EZComboBoxChange);
  connect(R_ERComboBox, &QComboBox::activated, this, [this] {
    m_roomTyped = false;
    R_ERComboBoxChange();
  });
  connect(R_ERComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { m_roomTyped = true; });
  connect(R_ERComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (m_roomTyped) R_ERComboBoxChange();
  });
  connect(R_EKeyComboBox, &QComboBox::activated, this, &RoomExitsPage::R_EKeyComboBoxChange);
  connect(R_EKeyEdit, &QSpinBox::valueChanged, this, &RoomExitsPage::R_EKeyEditChange);
  m_keyType = editor.Host().Settings().KeyObjectType;
}

void RoomExitsPage::ShowRecord() {
  ++m_updating;
  fillKeyChoices();
  m_exit = kNorth;
  showExitPanels();
  showExit(kNorth);
  --m_updating;
}

void RoomExitsPage::StoreRecord() {
  storeExit(m_exit);
}

void RoomExitsPage::showExitPanels() {
  for (int d = 0; d < kDirections; ++d) {
    QPushButton* panel = R_EPanel[static_cast<size_t>(d)];
    panel->setText(ToQt(VnumText(m_wc.Exits[static_cast<size_t>(d)].ToRoom)));
    panel->setChecked(d == m_exit);
  }
}

void RoomExitsPage::R_ExitPanelClick(int dir) {
  if (dir < 0 || dir >= kDirections) return;
  storeExit(m_exit);
  m_exit = dir;
  showExitPanels();
  showExit(dir);
}

void RoomExitsPage::showExit(int dir) {
  ++m_updating;
  const TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  const World* w = &Editor().world();
  fillRoomChoices(ShowExitZone(R_EZComboBox, w, e.ToRoom), e.ToRoom);
  R_EStdPanel->setVisible(e.ToRoom > 0);
  Editor().ShowDictInt(R_EStateComboBox, e.DoorFlags);
  R_EKeyEdit->setValue(e.Key);
  selectKeyChoice(e.Key);
  ShowLine(R_ENameEdit, e.Keywords);
  ShowLine(R_EDescEdit, e.Description);
  Editor().ShowDictInt(R_EDoorComboBox, e.DefaultState);
  m_roomTyped = false;
  --m_updating;
}

void RoomExitsPage::storeExit(int dir) {
  TRoomExit& e = m_wc.Exits[static_cast<size_t>(dir)];
  // A door type or state the lists lack stays as it was.
  const int32_t flags = Editor().ReadDictInt(R_EStateComboBox, e.DoorFlags);
  if (flags >= 0 && flags <= 255) e.DoorFlags = static_cast<uint8_t>(flags);
  e.Key = R_EKeyEdit->value();
  e.Keywords = ReadLine(R_ENameEdit);
  e.Description = ReadLine(R_EDescEdit);
  const int32_t state = Editor().ReadDictInt(R_EDoorComboBox, e.DefaultState);
  if (state >= 0 && state <= 255) e.DefaultState = static_cast<uint8_t>(state);
}

void RoomExitsPage::fillRoomChoices(int32_t zone, int32_t toRoom) {
  ++m_updating;
  FillRoomChoices(R_ERComboBox, &Editor().world(), zone, toRoom);
  --m_updating;
}

void RoomExitsPage::R_EZComboBoxChange() {
  if (m_updating) return;
  bool ok = false;
  const int32_t zone = R_EZComboBox->currentData().toInt(&ok);
  if (ok) fillRoomChoices(zone, m_wc.Exits[static_cast<size_t>(m_exit)].ToRoom);
}

void RoomExitsPage::R_ERComboBoxChange() {
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

void RoomExitsPage::fillKeyChoices() {
  ++m_updating;
  FillKeyChoices(R_EKeyComboBox, &Editor().world(), m_keyType);
  --m_updating;
}

void RoomExitsPage::selectKeyChoice(int32_t key) {
  ++m_updating;
  R_EKeyComboBox->setCurrentIndex(R_EKeyComboBox->findData(key));
  --m_updating;
}

void RoomExitsPage::R_EKeyComboBoxChange() {
  if (m_updating) return;
  const QVariant key = R_EKeyComboBox->currentData();
  if (key.isValid()) R_EKeyEdit->setValue(key.toInt());
}

void RoomExitsPage::R_EKeyEditChange() {
  if (!m_updating) selectKeyChoice(R_EKeyEdit->value());
}

}  // namespace zm
