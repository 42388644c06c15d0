#include "editors/mapexitspanel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

QLabel* Value(QWidget* parent, const char* name) {
  auto* label = Named(new QLabel(parent), name);
  label->setMinimumWidth(28);
  return label;
}

}  // namespace

MapExitsPanel::MapExitsPanel(EditorWindow& editor, const TZoneMap& map)
    : EditorPage(editor), m_map(map) {
  // Set once it holds the panel's parts: a layout set on the panel
  // beforehand left the exit group as tall as with its door fields after
  // they hid.
  auto* col = new QVBoxLayout();
  col->addWidget(buildRoomPanel());
  col->addWidget(buildExitGroup());
  col->addStretch(1);
  setLayout(col);
  col->setContentsMargins(0, 0, 0, 0);
  // As wide as their contents need in the font of the day; the grid takes
  // the rest.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  connectControls();
  editor.BindDictionary(MR_EStateComboBox);
  editor.BindDictionary(MR_EDoorComboBox);
  m_keyType = editor.Host().Settings().KeyObjectType;
}

QWidget* MapExitsPanel::buildRoomPanel() {
  MapRoomPanel = Named(new QWidget(this), "MapRoomPanel");
  auto* col = new QVBoxLayout(MapRoomPanel);
  col->setContentsMargins(0, 0, 0, 0);
  auto* name = new QHBoxLayout();
  MapRoomNamePanel = Named(new QLabel(MapRoomPanel), "MapRoomNamePanel");
  MapRoomNamePanel->setFrameShape(QFrame::Panel);
  MapRoomNamePanel->setFrameShadow(QFrame::Sunken);
  MapRoomNamePanel->setTextFormat(Qt::PlainText);
  MapRoomNamePanel->setMinimumWidth(10);
  name->addWidget(MapRoomNamePanel, 1);
  MapGoBtn = Named(new QPushButton(QStringLiteral(">"), MapRoomPanel), "MapGoBtn");
  MapGoBtn->setFixedWidth(26);
  name->addWidget(MapGoBtn);
  col->addLayout(name);

  auto* coords = new QGroupBox(QStringLiteral("Координаты"), MapRoomPanel);
  auto* xyz = new QHBoxLayout(coords);
  ME_XLabel = Value(coords, "ME_XLabel");
  ME_YLabel = Value(coords, "ME_YLabel");
  ME_ZLabel = Value(coords, "ME_ZLabel");
  const std::pair<const char*, QLabel*> values[] = {
      {"X:", ME_XLabel}, {"Y:", ME_YLabel}, {"Z:", ME_ZLabel}};
  for (const auto& [caption, label] : values) {
    xyz->addWidget(new QLabel(QString::fromLatin1(caption), coords));
    xyz->addWidget(label);
  }
  xyz->addStretch(1);
  col->addWidget(coords);

  QGridLayout* compass = ExitCompass(MapRoomPanel, "ME_", QSize(60, 24), true, ME_Panel);
  for (size_t d = 0; d < ME_Panel.size(); ++d) ME_Panel[d]->setProperty("tag", static_cast<int>(d));
  compass->setColumnMinimumWidth(3, 66);
  col->addLayout(compass);
  MapGoExitBtn =
      Named(new QPushButton(QStringLiteral("Перейти к выходу"), MapRoomPanel), "MapGoExitBtn");
  col->addWidget(MapGoExitBtn);
  return MapRoomPanel;
}

QWidget* MapExitsPanel::buildExitGroup() {
  MR_EGroupBox = Named(new QGroupBox(QStringLiteral("Параметры выхода"), this), "MR_EGroupBox");
  auto* col = new QVBoxLayout(MR_EGroupBox);
  auto* form = new QFormLayout();
  MR_EZComboBox = Named(new QComboBox(MR_EGroupBox), "MR_EZComboBox");
  MR_EZComboBox->setMaxVisibleItems(20);
  MR_EZComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  MR_EZComboBox->setMinimumContentsLength(8);
  form->addRow(QStringLiteral("Номер зоны"), MR_EZComboBox);
  MR_ERComboBox = Named(new QComboBox(MR_EGroupBox), "MR_ERComboBox");
  MR_ERComboBox->setEditable(true);
  MR_ERComboBox->setInsertPolicy(QComboBox::NoInsert);
  MR_ERComboBox->setMaxVisibleItems(20);
  MR_ERComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  MR_ERComboBox->setMinimumContentsLength(8);
  form->addRow(QStringLiteral("Номер комнаты"), MR_ERComboBox);
  col->addLayout(form);

  MR_EStdPanel = Named(new QWidget(MR_EGroupBox), "MR_EStdPanel");
  auto* door = new QVBoxLayout(MR_EStdPanel);
  door->setContentsMargins(0, 0, 0, 0);
  door->setSpacing(2);
  door->addWidget(new QLabel(QStringLiteral("  Описание выхода"), MR_EStdPanel));
  MR_EDescEdit = Named(new QLineEdit(MR_EStdPanel), "MR_EDescEdit");
  door->addWidget(MR_EDescEdit);
  door->addWidget(new QLabel(QStringLiteral("  Список ключевых слов"), MR_EStdPanel));
  MR_ENameEdit = Named(new QLineEdit(MR_EStdPanel), "MR_ENameEdit");
  door->addWidget(MR_ENameEdit);
  door->addWidget(new QLabel(QStringLiteral("Номер ключа"), MR_EStdPanel));
  auto* key = new QHBoxLayout();
  MR_EKeyEdit = Named(new QSpinBox(MR_EStdPanel), "MR_EKeyEdit");
  FieldRange<int32_t>(MR_EKeyEdit);
  MR_EKeyEdit->setFixedWidth(80);
  MR_EKeyComboBox = Named(new QComboBox(MR_EStdPanel), "MR_EKeyComboBox");
  MR_EKeyComboBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  MR_EKeyComboBox->setMinimumContentsLength(6);
  key->addWidget(MR_EKeyEdit);
  key->addWidget(MR_EKeyComboBox, 1);
  door->addLayout(key);
  door->addWidget(new QLabel(QStringLiteral("Тип двери"), MR_EStdPanel));
  MR_EStateComboBox = Named(new QComboBox(MR_EStdPanel), "MR_EStateComboBox");
  door->addWidget(MR_EStateComboBox);
  door->addWidget(new QLabel(QStringLiteral("Состояние двери по умолчанию"), MR_EStdPanel));
  MR_EDoorComboBox = Named(new QComboBox(MR_EStdPanel), "MR_EDoorComboBox");
  door->addWidget(MR_EDoorComboBox);
  col->addWidget(MR_EStdPanel);
  return MR_EGroupBox;
}

void MapExitsPanel::connectControls() {
  connect(MapGoBtn, &QPushButton::clicked, this, &MapExitsPanel::MapGoBtnClick);
  connect(MapGoExitBtn, &QPushButton::clicked, this, &MapExitsPanel::MapGoExitBtnClick);
  for (int d = 0; d < kDirections; ++d)
    connect(ME_Panel[static_cast<size_t>(d)], &QPushButton::clicked, this,
            [this, d] { ME_PanelClick(d); });
  connect(MR_EZComboBox, &QComboBox::activated, this, &MapExitsPanel::MR_EZComboBoxChange);
  connect(MR_ERComboBox, &QComboBox::activated, this, [this] {
    m_roomTyped = false;
    MR_ERComboBoxChange();
  });
  connect(MR_ERComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { m_roomTyped = true; });
  connect(MR_ERComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (m_roomTyped) MR_ERComboBoxChange();
  });
  for (QLineEdit* e : {MR_EDescEdit, MR_ENameEdit})
    connect(e, &QLineEdit::editingFinished, this, &MapExitsPanel::StoreRecord);
  for (QComboBox* c : {MR_EStateComboBox, MR_EDoorComboBox})
    connect(c, &QComboBox::activated, this, &MapExitsPanel::StoreRecord);
  connect(MR_EKeyComboBox, &QComboBox::activated, this, &MapExitsPanel::keyComboChange);
  connect(MR_EKeyEdit, &QSpinBox::valueChanged, this, &MapExitsPanel::keyEditChange);
}

TRoom* MapExitsPanel::room(int32_t vnum) const {
  return Editor().world().Rooms.Find(vnum);
}

TRoom* MapExitsPanel::selectedRoom() const {
  return m_room >= 0 ? room(m_room) : nullptr;
}

void MapExitsPanel::tracked(const std::function<void()>& op) {
  Editor().Document().Tracked(m_map.Zone, op);
}

void MapExitsPanel::ShowRecord() {
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

void MapExitsPanel::showExitPanels(const TRoom* r) {
  for (int d = 0; d < kDirections; ++d) {
    const int32_t to = r ? r->Exits[static_cast<size_t>(d)].ToRoom : -1;
    ME_Panel[static_cast<size_t>(d)]->setText(to > 0 ? QString::number(to) : QString());
  }
}

void MapExitsPanel::ME_PanelClick(int dir) {
  if (dir < 0 || dir >= kDirections) return;
  StoreRecord();
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

void MapExitsPanel::fillExitParams(int dir) {
  const TRoom* r = selectedRoom();
  if (!r) return;
  ++m_updating;
  const TRoomExit& e = r->Exits[static_cast<size_t>(dir)];
  int32_t zone = 0;
  {
    const QSignalBlocker block(MR_EZComboBox);
    zone = ShowExitZone(MR_EZComboBox, &Editor().world(), e.ToRoom);
  }
  fillRoomChoices(zone, e.ToRoom);
  MR_EStdPanel->setVisible(e.ToRoom > 0);
  ShowLine(MR_EDescEdit, e.Description);
  ShowLine(MR_ENameEdit, e.Keywords);
  Editor().ShowDictInt(MR_EStateComboBox, e.DoorFlags);
  fillKeyChoices();
  MR_EKeyEdit->setValue(e.Key);
  MR_EKeyComboBox->setCurrentIndex(MR_EKeyComboBox->findData(e.Key));
  Editor().ShowDictInt(MR_EDoorComboBox, e.DefaultState);
  m_fieldsRoom = r->Vnum;
  m_fieldsExit = dir;
  m_roomTyped = false;
  --m_updating;
}

void MapExitsPanel::fillRoomChoices(int32_t zone, int32_t target) {
  const QSignalBlocker block(MR_ERComboBox);
  FillRoomChoices(MR_ERComboBox, &Editor().world(), zone, target);
}

void MapExitsPanel::fillKeyChoices() {
  const QSignalBlocker block(MR_EKeyComboBox);
  FillKeyChoices(MR_EKeyComboBox, &Editor().world(), m_keyType);
}

void MapExitsPanel::MR_EZComboBoxChange() {
  const TRoom* r = selectedRoom();
  bool ok = false;
  const int32_t zone = MR_EZComboBox->currentData().toInt(&ok);
  if (r && ok) fillRoomChoices(zone, r->Exits[static_cast<size_t>(m_exit)].ToRoom);
}

void MapExitsPanel::MR_ERComboBoxChange() {
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
  StoreRecord();
  tracked([&] {
    TRoomExit& e = r->Exits[static_cast<size_t>(m_exit)];
    e.ToRoom = vnum > 0 ? vnum : -1;
    e.ToNowhere = false;  // linked, or unlinked by hand
  });
  showExitPanels(r);
  ME_PanelClick(m_exit);
  emit TargetChanged();
}

void MapExitsPanel::StoreRecord() {
  TRoom* r = selectedRoom();
  if (!r || m_updating || r->Vnum != m_fieldsRoom || m_fieldsExit != m_exit) return;
  TRoomExit e = r->Exits[static_cast<size_t>(m_exit)];
  e.Description = ReadLine(MR_EDescEdit);
  e.Keywords = ReadLine(MR_ENameEdit);
  const int32_t flags = Editor().ReadDictInt(MR_EStateComboBox, e.DoorFlags);
  if (flags >= 0 && flags <= 255) e.DoorFlags = static_cast<uint8_t>(flags);
  e.Key = MR_EKeyEdit->value();
  const int32_t state = Editor().ReadDictInt(MR_EDoorComboBox, e.DefaultState);
  if (state >= 0 && state <= 255) e.DefaultState = static_cast<uint8_t>(state);
  if (e == r->Exits[static_cast<size_t>(m_exit)]) return;
  tracked([&] { r->Exits[static_cast<size_t>(m_exit)] = e; });
}

void MapExitsPanel::keyComboChange() {
  const QVariant key = MR_EKeyComboBox->currentData();
  if (m_updating || !key.isValid()) return;
  MR_EKeyEdit->setValue(key.toInt());
  StoreRecord();
}

void MapExitsPanel::keyEditChange() {
  if (m_updating) return;
  {
    const QSignalBlocker block(MR_EKeyComboBox);
    MR_EKeyComboBox->setCurrentIndex(MR_EKeyComboBox->findData(MR_EKeyEdit->value()));
  }
  StoreRecord();
}

// ------------------------------------------------------- going places

void MapExitsPanel::MapGoBtnClick() {
  if (TRoom* r = selectedRoom()) Editor().Host().SelectInTree(*r);
}

void MapExitsPanel::MapGoExitBtnClick() {
  if (const TRoom* from = selectedRoom())
    emit GoToAsked(from->Exits[static_cast<size_t>(m_exit)].ToRoom);
}

}  // namespace zm
