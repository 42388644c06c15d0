// The map editor's controls: the grid, the side panel with the level, the
// unplaced rooms and the minimap, and the panel of the selected room with
// its exits.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/mapeditor.h"

namespace zm {
namespace {

// The window previews Ctrl wherever the focus is in it; the release counts
// wherever it happens, so the check box is never left disabled.
class CtrlWatch : public QObject {
 public:
  explicit CtrlWatch(MapEditor* form) : m_form(form) { qApp->installEventFilter(this); }
  ~CtrlWatch() override { qApp->removeEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (e->type() != QEvent::KeyPress && e->type() != QEvent::KeyRelease)
      return QObject::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    if (key->key() != Qt::Key_Control || key->isAutoRepeat()) return false;
    if (e->type() == QEvent::KeyRelease) {
      m_form->CtrlKey(false);
    } else {
      auto* w = qobject_cast<QWidget*>(watched);
      if (w && (w == m_form || m_form->isAncestorOf(w))) m_form->CtrlKey(true);
    }
    return false;
  }

 private:
  MapEditor* m_form;
};

QLabel* Value(QWidget* parent, const char* name) {
  auto* label = Named(new QLabel(parent), name);
  label->setMinimumWidth(28);
  return label;
}

}  // namespace

void MapEditor::buildUi() {
  auto* top = new QHBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  MapDrawGrid = Named(new MapGridWidget(this), "MapDrawGrid");
  top->addWidget(MapDrawGrid, 1);
  top->addWidget(buildSidePanel());
  auto* right = new QVBoxLayout();
  right->addWidget(buildRoomPanel());
  right->addWidget(buildExitGroup());
  right->addStretch(1);
  auto* rightBox = new QWidget(this);
  rightBox->setLayout(right);
  // As wide as their contents need in the font of the day; the grid takes
  // the rest.
  rightBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  right->setContentsMargins(0, 0, 0, 0);
  top->addWidget(rightBox);
  m_keyWatch = std::make_unique<CtrlWatch>(this);
}

QWidget* MapEditor::buildSidePanel() {
  auto* side = new QWidget(this);
  side->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  auto* col = new QVBoxLayout(side);
  col->setContentsMargins(0, 0, 0, 0);

  auto* pos = new QHBoxLayout();
  pos->addWidget(new QLabel(QStringLiteral("X:"), side));
  MapXLabel = Value(side, "MapXLabel");
  pos->addWidget(MapXLabel);
  pos->addWidget(new QLabel(QStringLiteral("Y:"), side));
  MapYLabel = Value(side, "MapYLabel");
  pos->addWidget(MapYLabel);
  pos->addStretch(1);
  MapDecZBtn = Named(new QPushButton(QStringLiteral("-"), side), "MapDecZBtn");
  MapZLabel = Value(side, "MapZLabel");
  MapZLabel->setAlignment(Qt::AlignCenter);
  MapIncZBtn = Named(new QPushButton(QStringLiteral("+"), side), "MapIncZBtn");
  for (QPushButton* b : {MapDecZBtn, MapIncZBtn}) b->setFixedWidth(26);
  pos->addWidget(new QLabel(QStringLiteral("Z:"), side));
  pos->addWidget(MapDecZBtn);
  pos->addWidget(MapZLabel);
  pos->addWidget(MapIncZBtn);
  col->addLayout(pos);

  auto* opts = new QHBoxLayout();
  MapAutoLinkCheckBox =
      Named(new QCheckBox(QStringLiteral("Автосвязывание"), side), "MapAutoLinkCheckBox");
  MapAutoLinkCheckBox->setChecked(true);
  opts->addWidget(MapAutoLinkCheckBox, 1);
  AutoArrangBtn = Named(new QPushButton(QStringLiteral("Авто"), side), "AutoArrangBtn");
  opts->addWidget(AutoArrangBtn);
  col->addLayout(opts);

  col->addWidget(new QLabel(QStringLiteral("Нерасставленные комнаты"), side));
  MapRoomsListBox = Named(new QListWidget(side), "MapRoomsListBox");
  col->addWidget(MapRoomsListBox, 1);
  auto* place = new QHBoxLayout();
  MapRoomAddBtn = Named(new QPushButton(QStringLiteral("Поставить"), side), "MapRoomAddBtn");
  MapRoomDelBtn = Named(new QPushButton(QStringLiteral("Убрать"), side), "MapRoomDelBtn");
  place->addWidget(MapRoomAddBtn);
  place->addWidget(MapRoomDelBtn);
  col->addLayout(place);

  MiniMapPanel = Named(new QGroupBox(QStringLiteral("Миникарта"), side), "MiniMapPanel");
  auto* mini = new QVBoxLayout(MiniMapPanel);
  MiniMapImage = Named(new QLabel(MiniMapPanel), "MiniMapImage");
  MiniMapImage->setFixedSize(ZoneGrid::kCols, ZoneGrid::kRows);
  mini->addWidget(MiniMapImage, 0, Qt::AlignCenter);
  col->addWidget(MiniMapPanel);

  MapRoomText = Named(new QLabel(side), "MapRoomText");
  MapRoomText->setWordWrap(true);
  MapRoomText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  MapRoomText->setFrameShape(QFrame::StyledPanel);
  MapRoomText->setMinimumHeight(110);
  MapRoomText->setTextFormat(Qt::PlainText);
  col->addWidget(MapRoomText);
  return side;
}

QWidget* MapEditor::buildRoomPanel() {
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

QWidget* MapEditor::buildExitGroup() {
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

void MapEditor::connectControls() {
  connect(MapDrawGrid, &MapGridWidget::CellSelected, this, &MapEditor::MapDrawGridSelectCell);
  connect(MapDrawGrid, &MapGridWidget::CellHovered, this, &MapEditor::MapDrawGridMouseMove);
  connect(MapDecZBtn, &QPushButton::clicked, this, &MapEditor::MapDecZBtnClick);
  connect(MapIncZBtn, &QPushButton::clicked, this, &MapEditor::MapIncZBtnClick);
  connect(MapRoomAddBtn, &QPushButton::clicked, this, &MapEditor::MapRoomAddBtnClick);
  connect(MapRoomDelBtn, &QPushButton::clicked, this, &MapEditor::MapRoomDelBtnClick);
  connect(MapRoomsListBox, &QListWidget::currentRowChanged, this, &MapEditor::MapRoomsListBoxClick);
  connect(MapGoBtn, &QPushButton::clicked, this, &MapEditor::MapGoBtnClick);
  connect(MapGoExitBtn, &QPushButton::clicked, this, &MapEditor::MapGoExitBtnClick);
  connect(AutoArrangBtn, &QPushButton::clicked, this, &MapEditor::AutoArrangBtnClick);
  for (int d = 0; d < kDirections; ++d)
    connect(ME_Panel[static_cast<size_t>(d)], &QPushButton::clicked, this,
            [this, d] { ME_PanelClick(d); });
  connect(MR_EZComboBox, &QComboBox::activated, this, &MapEditor::MR_EZComboBoxChange);
  connect(MR_ERComboBox, &QComboBox::activated, this, [this] {
    m_roomTyped = false;
    MR_ERComboBoxChange();
  });
  connect(MR_ERComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { m_roomTyped = true; });
  connect(MR_ERComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (m_roomTyped) MR_ERComboBoxChange();
  });
  for (QLineEdit* e : {MR_EDescEdit, MR_ENameEdit})
    connect(e, &QLineEdit::editingFinished, this, &MapEditor::StoreExitFields);
  for (QComboBox* c : {MR_EStateComboBox, MR_EDoorComboBox})
    connect(c, &QComboBox::activated, this, &MapEditor::StoreExitFields);
  connect(MR_EKeyComboBox, &QComboBox::activated, this, &MapEditor::keyComboChange);
  connect(MR_EKeyEdit, &QSpinBox::valueChanged, this, &MapEditor::keyEditChange);
}

}  // namespace zm
