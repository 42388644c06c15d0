// The mobile editor's pages: flags, ingredients, the skill and spell grids,
// triggers, the path and the helpers.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/listrows.h"
#include "editors/mobileeditor.h"

namespace zm {
namespace {

// Only digits reach a grid cell (backspace and the other editing keys work
// as in any field).
class DigitsDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* edit = qobject_cast<QLineEdit*>(w))
      edit->setValidator(
          new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
    return w;
  }
};

}  // namespace

QWidget* MobileEditor::buildIngrPage() {
  auto* page = new QWidget(this);
  auto* row = new QHBoxLayout(page);
  M_IngrListView = Named(new QTreeWidget(page), "M_IngrListView");
  M_IngrListView->setRootIsDecorated(false);
  M_IngrListView->setHeaderLabels(
      {QStringLiteral("Название"), QStringLiteral("Сила"), QStringLiteral("Шанс")});
  M_IngrListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  M_IngrListView->header()->setStretchLastSection(false);
  row->addWidget(M_IngrListView, 2);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), page);
  auto* form = new QFormLayout(group);
  M_IngrComboBox = Named(new QComboBox(group), "M_IngrComboBox");
  M_IngrComboBox->setMaxVisibleItems(20);
  form->addRow(QStringLiteral("Название"), M_IngrComboBox);
  M_IngrStrEdit = Named(new QSpinBox(group), "M_IngrStrEdit");
  FieldRange<int16_t>(M_IngrStrEdit);
  form->addRow(QStringLiteral("Сила"), M_IngrStrEdit);
  M_IngrChanceEdit = Named(new QSpinBox(group), "M_IngrChanceEdit");
  FieldRange<int16_t>(M_IngrChanceEdit);
  form->addRow(QStringLiteral("Шанс загрузки"), M_IngrChanceEdit);
  form->addRow(SetButtons(group, "M_Ingr", &M_IngrAddBtn, &M_IngrSetBtn, &M_IngrDelBtn));
  row->addWidget(group, 1, Qt::AlignTop);
  m_ingrs = std::make_unique<IngrListEdit>(*this, M_IngrListView, M_IngrComboBox, M_IngrStrEdit,
                                           M_IngrChanceEdit);
  return page;
}

QTableWidget* MobileEditor::buildGrid(const char* name, const QString& col0, const QString& col1) {
  auto* grid = Named(new QTableWidget(0, 2, this), QString::fromLatin1(name));
  grid->setHorizontalHeaderLabels({col0, col1});
  grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(20);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->setItemDelegateForColumn(1, new DigitsDelegate(grid));
  grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  return grid;
}

QWidget* MobileEditor::buildTriggerPage() {
  QWidget* page = TriggerPage(this, "M_", &M_TriggerListBox, &M_TriggerAddBtn, &M_TriggerSetBtn,
                              &M_TriggerDelBtn);
  m_triggers =
      std::make_unique<VnumListEdit>(*this, M_TriggerListBox, VnumListEdit::kTriggers, true);
  return page;
}

QWidget* MobileEditor::buildOtherPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);

  grid->addWidget(new QLabel(QStringLiteral("Путь (список комнат)"), page), 0, 0);
  M_PathListBox = Named(new QListWidget(page), "M_PathListBox");
  grid->addWidget(M_PathListBox, 1, 0);
  auto* pathSide = new QVBoxLayout();
  M_PathUpBtn = Button(page, "Вверх", "M_PathUpBtn");
  M_PathDownBtn = Button(page, "Вниз", "M_PathDownBtn");
  pathSide->addWidget(M_PathUpBtn);
  pathSide->addWidget(M_PathDownBtn);
  pathSide->addStretch(1);
  grid->addLayout(pathSide, 1, 1);
  auto* pathNote =
      new QLabel(QStringLiteral("Выберите из списка или введите ID комнаты вручную"), page);
  pathNote->setWordWrap(true);
  grid->addWidget(pathNote, 2, 0, 1, 2);
  auto* pathPick = new QHBoxLayout();
  M_PathComboBox = Named(new QComboBox(page), "M_PathComboBox");
  M_PathComboBox->setMaxVisibleItems(20);
  M_PathEdit = Named(new QSpinBox(page), "M_PathEdit");
  FieldRange<int32_t>(M_PathEdit);
  M_PathEdit->setMinimum(0);
  pathPick->addWidget(M_PathComboBox, 2);
  pathPick->addWidget(M_PathEdit, 1);
  grid->addLayout(pathPick, 3, 0, 1, 2);
  QHBoxLayout* pathButtons =
      SetButtons(page, "M_Path", &M_PathAddBtn, &M_PathSetBtn, &M_PathDelBtn);
  pathButtons->addStretch(1);
  grid->addLayout(pathButtons, 4, 0, 1, 2);

  grid->addWidget(new QLabel(QStringLiteral("Помощники"), page), 0, 2);
  M_HelperListBox = Named(new QListWidget(page), "M_HelperListBox");
  grid->addWidget(M_HelperListBox, 1, 2);
  auto* helperNote =
      new QLabel(QStringLiteral("Выберите из списка или введите ID моба вручную"), page);
  helperNote->setWordWrap(true);
  grid->addWidget(helperNote, 2, 2);
  auto* helperPick = new QHBoxLayout();
  M_HelperComboBox = Named(new QComboBox(page), "M_HelperComboBox");
  M_HelperComboBox->setMaxVisibleItems(20);
  M_HelperEdit = Named(new QSpinBox(page), "M_HelperEdit");
  FieldRange<int32_t>(M_HelperEdit);
  M_HelperEdit->setMinimum(0);
  M_HelperSelectBtn = Button(page, "...", "M_HelperSelectBtn");
  M_HelperSelectBtn->setFixedWidth(28);
  helperPick->addWidget(M_HelperComboBox, 2);
  helperPick->addWidget(M_HelperEdit, 1);
  helperPick->addWidget(M_HelperSelectBtn);
  grid->addLayout(helperPick, 3, 2);
  QHBoxLayout* helperButtons =
      SetButtons(page, "M_Helper", &M_HelperAddBtn, &M_HelperSetBtn, &M_HelperDelBtn);
  helperButtons->addStretch(1);
  grid->addLayout(helperButtons, 4, 2);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(2, 1);

  m_path = std::make_unique<VnumListEdit>(*this, M_PathListBox, VnumListEdit::kRooms, false);
  m_helpers = std::make_unique<VnumListEdit>(*this, M_HelperListBox, VnumListEdit::kMobiles, true);
  return page;
}

void MobileEditor::connectPages() {
  auto click = [this](QPushButton* b, void (MobileEditor::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(M_IngrAddBtn, &MobileEditor::M_IngrAddBtnClick);
  click(M_IngrSetBtn, &MobileEditor::M_IngrSetBtnClick);
  click(M_IngrDelBtn, &MobileEditor::M_IngrDelBtnClick);
  click(M_TriggerAddBtn, &MobileEditor::M_TriggerAddBtnClick);
  click(M_TriggerSetBtn, &MobileEditor::M_TriggerSetBtnClick);
  click(M_TriggerDelBtn, &MobileEditor::M_TriggerDelBtnClick);
  click(M_PathAddBtn, &MobileEditor::M_PathAddBtnClick);
  click(M_PathSetBtn, &MobileEditor::M_PathSetBtnClick);
  click(M_PathDelBtn, &MobileEditor::M_PathDelBtnClick);
  click(M_PathUpBtn, &MobileEditor::M_PathUpBtnClick);
  click(M_PathDownBtn, &MobileEditor::M_PathDownBtnClick);
  click(M_HelperSelectBtn, &MobileEditor::M_HelperSelectBtnClick);
  click(M_HelperAddBtn, &MobileEditor::M_HelperAddBtnClick);
  click(M_HelperSetBtn, &MobileEditor::M_HelperSetBtnClick);
  click(M_HelperDelBtn, &MobileEditor::M_HelperDelBtnClick);
  connect(M_IngrComboBox, &QComboBox::currentIndexChanged, this,
          &MobileEditor::M_IngrComboBoxChange);
  OnPick(M_IngrListView, this, [this] { M_IngrListViewClick(); });
  OnPick(M_TriggerListBox, this, [this] { updateButtons(); });
  connect(M_TriggerListBox, &QListWidget::itemDoubleClicked, this,
          &MobileEditor::M_TriggerSetBtnClick);
  OnPick(M_PathListBox, this, [this] { M_PathListBoxClick(); });
  connect(M_PathComboBox, &QComboBox::activated, this, &MobileEditor::M_PathComboBoxChange);
  connect(M_PathEdit, &QSpinBox::valueChanged, this, &MobileEditor::M_PathEditChange);
  OnPick(M_HelperListBox, this, [this] { M_HelperListBoxClick(); });
  connect(M_HelperComboBox, &QComboBox::activated, this, &MobileEditor::M_HelperComboBoxChange);
  connect(M_HelperEdit, &QSpinBox::valueChanged, this, &MobileEditor::M_HelperEditChange);
}

}  // namespace zm
