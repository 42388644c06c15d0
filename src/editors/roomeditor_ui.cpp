// The room editor's controls: the title, the description pages, and the
// pages "Тип" and "Выходы".
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/roomeditor.h"

namespace zm {
namespace {

constexpr std::array<const char*, kVariants + 1> kDescTabs = {
    "Общее",        "День",        "Ночь",        "Зима (день)",  "Зима (ночь)", "Весна (день)",
    "Весна (ночь)", "Лето (день)", "Лето (ночь)", "Осень (день)", "Осень (ночь)"};

}  // namespace

void RoomEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  auto* nameRow = new QHBoxLayout();
  nameRow->addWidget(new QLabel(QStringLiteral("Описание"), this));
  R_DescEdit = Named(new QLineEdit(this), "R_DescEdit");
  nameRow->addWidget(R_DescEdit, 1);
  top->addLayout(nameRow);

  R_DescPageControl = Named(new QTabWidget(this), "R_DescPageControl");
  R_DescPageControl->setDocumentMode(true);
  for (int i = 0; i <= kVariants; ++i) {
    auto* memo = new QPlainTextEdit(R_DescPageControl);
    memo->setObjectName(i == 0 ? QStringLiteral("R_FullDescMemo")
                               : QStringLiteral("R_FullDescMemo%1").arg(i));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    R_FullDescMemo[static_cast<size_t>(i)] = memo;
    R_DescPageControl->addTab(memo, QString::fromUtf8(kDescTabs[static_cast<size_t>(i)]));
    AttachMemo(memo);
  }
  R_DescCheckBox =
      Named(new QCheckBox(QStringLiteral("Отметка R"), R_DescPageControl), "R_DescCheckBox");
  R_DescPageControl->setCornerWidget(R_DescCheckBox, Qt::TopRightCorner);
  top->addWidget(R_DescPageControl, 2);

  R_PageControl = Named(new QTabWidget(this), "R_PageControl");
  R_PageControl->addTab(buildTypePage(), QStringLiteral("Тип"));
  R_PageControl->addTab(buildExitsPage(), QStringLiteral("Выходы"));
  R_PageControl->addTab(buildObjectsPage(), QStringLiteral("Объекты"));
  R_PageControl->addTab(buildMobsPage(), QStringLiteral("Мобы"));
  R_PageControl->addTab(buildExtraPage(), QStringLiteral("Доп. описания"));
  R_PageControl->addTab(buildTrigIngrPage(), QStringLiteral("Триггеры и ингредиенты"));
  top->addWidget(R_PageControl, 3);
}

QWidget* RoomEditor::buildTypePage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  grid->addWidget(new QLabel(QStringLiteral("Тип сектора"), page), 0, 0);
  R_SectorComboBox = Named(new QComboBox(page), "R_SectorComboBox");
  R_SectorComboBox->setMaxVisibleItems(20);
  grid->addWidget(R_SectorComboBox, 1, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(QStringLiteral("Тип комнаты"), page), 0, 1);
  R_TypeCheckListBox = Named(new QListWidget(page), "R_TypeCheckListBox");
  grid->addWidget(R_TypeCheckListBox, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
  return page;
}

QWidget* RoomEditor::buildExitsPage() {
  auto* page = new QWidget(this);
  auto* row = new QHBoxLayout(page);

  QGridLayout* compass = ExitCompass(page, "R_E", QSize(72, 28), false, R_EPanel);
  compass->setColumnMinimumWidth(3, 90);
  compass->setRowStretch(3, 1);
  row->addLayout(compass);

  auto* group = new QGroupBox(QStringLiteral("Параметры выхода"), page);
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
  return page;
}

void RoomEditor::connectControls() {
  for (int d = 0; d < kDirections; ++d)
    connect(R_EPanel[static_cast<size_t>(d)], &QPushButton::clicked, this,
            [this, d] { R_ExitPanelClick(d); });
  connect(R_EZComboBox, &QComboBox::activated, this, &RoomEditor::R_EZComboBoxChange);
  connect(R_ERComboBox, &QComboBox::activated, this, [this] {
    m_roomTyped = false;
    R_ERComboBoxChange();
  });
  connect(R_ERComboBox->lineEdit(), &QLineEdit::textEdited, this, [this] { m_roomTyped = true; });
  connect(R_ERComboBox->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (m_roomTyped) R_ERComboBoxChange();
  });
  connect(R_EKeyComboBox, &QComboBox::activated, this, &RoomEditor::R_EKeyComboBoxChange);
  connect(R_EKeyEdit, &QSpinBox::valueChanged, this, &RoomEditor::R_EKeyEditChange);
  connect(R_DescCheckBox, &QCheckBox::clicked, this, &RoomEditor::R_DescCheckBoxClick);
  connect(R_DescPageControl, &QTabWidget::currentChanged, this,
          &RoomEditor::R_DescPageControlChange);
  connectListPages();
}

}  // namespace zm
