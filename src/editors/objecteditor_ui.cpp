// The object editor's controls: names, descriptions and general numbers on
// top, the pages below.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/objecteditor.h"

namespace zm {
void ObjectEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  top->addWidget(buildGeneral());
  O_PageControl = Named(new QTabWidget(this), "O_PageControl");
  O_PageControl->addTab(buildTypePanels(), QStringLiteral("Тип"));
  O_PageControl->addTab(FlagPage(this, &O_EffectCheckListBox, "O_EffectCheckListBox"),
                        QStringLiteral("Эффекты"));
  O_PageControl->addTab(FlagPage(this, &O_AffectCheckListBox, "O_AffectCheckListBox"),
                        QStringLiteral("Аффекты"));
  O_PageControl->addTab(FlagPage(this, &O_NotakeCheckListBox, "O_NotakeCheckListBox"),
                        QStringLiteral("Запреты"));
  O_PageControl->addTab(FlagPage(this, &O_NouseCheckListBox, "O_NouseCheckListBox"),
                        QStringLiteral("Неудобства"));
  O_PageControl->addTab(FlagPage(this, &O_WearCheckListBox, "O_WearCheckListBox"),
                        QStringLiteral("Где одеть"));
  O_PageControl->addTab(buildExtraPage(), QStringLiteral("Доп. описания"));
  O_PageControl->addTab(buildSpecPage(), QStringLiteral("Спецэффекты"));
  O_PageControl->addTab(buildTriggerPage(), QStringLiteral("Триггеры"));
  top->addWidget(O_PageControl, 1);
}

QWidget* ObjectEditor::buildGeneral() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);

  // Left: names and descriptions.
  auto* names = new QGridLayout();
  NameRows(names, box, "O_", &O_NameBtn, O_NameEdit, &O_AliasEdit);
  auto* descs = new QGroupBox(QStringLiteral("Описание"), box);
  auto* descForm = new QFormLayout(descs);
  O_DescEdit = Named(new QLineEdit(descs), "O_DescEdit");
  descForm->addRow(O_DescEdit);
  O_UseDescEdit = Named(new QLineEdit(descs), "O_UseDescEdit");
  descForm->addRow(QStringLiteral("При действии"), O_UseDescEdit);
  names->addWidget(descs, 7, 0, 1, 2);
  names->setColumnStretch(1, 1);
  row->addLayout(names, 3);

  // Right: the numbers every object has.
  auto* nums = new QGridLayout();
  int r = 0;
  auto add = [&](const char* label, QWidget* w, QWidget* w2 = nullptr) {
    nums->addWidget(new QLabel(QString::fromUtf8(label), box), r, 0);
    if (w2) {
      auto* pair = new QHBoxLayout();
      pair->addWidget(w, 1);
      pair->addWidget(w2, 1);
      nums->addLayout(pair, r, 1);
    } else {
      nums->addWidget(w, r, 1);
    }
    ++r;
  };
  O_TypeComboBox = Combo(box, QStringLiteral("O_TypeComboBox"), 12);
  add("Тип", O_TypeComboBox);
  O_KindComboBox = Combo(box, QStringLiteral("O_KindComboBox"), 12);
  add("Род", O_KindComboBox);
  O_TimerEdit = Spin(box, QStringLiteral("O_TimerEdit"));
  O_TimerComboBox = Named(new QComboBox(box), "O_TimerComboBox");
  O_TimerComboBox->addItems(
      {QStringLiteral("минут"), QStringLiteral("часов"), QStringLiteral("суток")});
  add("Таймер", O_TimerEdit, O_TimerComboBox);
  O_PriceEdit = Spin(box, QStringLiteral("O_PriceEdit"));
  add("Цена", O_PriceEdit);
  O_RentInvEdit = Spin(box, QStringLiteral("O_RentInvEdit"));
  O_RentWearEdit = Spin(box, QStringLiteral("O_RentWearEdit"));
  add("Цена ренты", O_RentInvEdit, O_RentWearEdit);
  O_WeightEdit = Spin(box, QStringLiteral("O_WeightEdit"));
  add("Вес", O_WeightEdit);
  O_MaterialComboBox = Combo(box, QStringLiteral("O_MaterialComboBox"), 12);
  add("Материал", O_MaterialComboBox);
  O_WearComboBox = Combo(box, QStringLiteral("O_WearComboBox"), 12);
  O_WearComboBox->setMinimumContentsLength(6);
  O_WearEdit = Spin(box, QStringLiteral("O_WearEdit"));
  add("Прочность: макс., тек.", O_WearComboBox, O_WearEdit);
  O_MaxInWorldEdit = Spin(box, QStringLiteral("O_MaxInWorldEdit"));
  add("Макс. кол-во в мире", O_MaxInWorldEdit);
  O_SpellComboBox = Combo(box, QStringLiteral("O_SpellComboBox"), 12);
  add("Заклинание", O_SpellComboBox);
  O_SpellLevelEdit = Spin(box, QStringLiteral("O_SpellLevelEdit"));
  add("Уровень", O_SpellLevelEdit);
  nums->setRowStretch(r, 1);
  row->addLayout(nums, 2);
  return box;
}

QWidget* ObjectEditor::buildExtraPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  O_AddDescListBox = Named(new QListWidget(page), "O_AddDescListBox");
  grid->addWidget(O_AddDescListBox, 0, 0, 2, 1);
  O_AddDescPanel = Named(new QWidget(page), "O_AddDescPanel");
  auto* form = new QVBoxLayout(O_AddDescPanel);
  form->setContentsMargins(0, 0, 0, 0);
  form->addWidget(new QLabel(QStringLiteral("Ключевые слова"), O_AddDescPanel));
  O_AddDescEdit = Named(new QLineEdit(O_AddDescPanel), "O_AddDescEdit");
  form->addWidget(O_AddDescEdit);
  form->addWidget(new QLabel(QStringLiteral("Описание"), O_AddDescPanel));
  O_AddDescMemo = Named(new QPlainTextEdit(O_AddDescPanel), "O_AddDescMemo");
  O_AddDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  AttachMemo(O_AddDescMemo);
  form->addWidget(O_AddDescMemo, 1);
  grid->addWidget(O_AddDescPanel, 0, 1);
  QHBoxLayout* buttons = SetButtons(page, "O_AD", &O_ADAddBtn, &O_ADSetBtn, &O_ADDelBtn);
  buttons->addStretch(1);
  grid->addLayout(buttons, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
  m_extras = std::make_unique<ExtraDescEdit>(*this, O_AddDescListBox, O_AddDescEdit, O_AddDescMemo);
  return page;
}

QWidget* ObjectEditor::buildSpecPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  O_SpecListView = Named(new QTreeWidget(page), "O_SpecListView");
  O_SpecListView->setRootIsDecorated(false);
  O_SpecListView->setHeaderLabels({QStringLiteral("Спецэффект"), QStringLiteral("Значение")});
  O_SpecListView->setSelectionMode(QAbstractItemView::SingleSelection);
  O_SpecListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  O_SpecListView->header()->setStretchLastSection(false);
  grid->addWidget(O_SpecListView, 0, 0, 2, 1);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), page);
  auto* form = new QFormLayout(group);
  O_SpecComboBox = Combo(group, QStringLiteral("O_SpecComboBox"), 12);
  form->addRow(QStringLiteral("Спецэффект"), O_SpecComboBox);
  O_SpecEdit = Named(new QSpinBox(group), "O_SpecEdit");
  FieldRange<int16_t>(O_SpecEdit);
  form->addRow(QStringLiteral("Значение"), O_SpecEdit);
  form->addRow(SetButtons(group, "O_Spec", &O_SpecAddBtn, &O_SpecSetBtn, &O_SpecDelBtn));
  grid->addWidget(group, 0, 1);
  grid->setRowStretch(1, 1);
  grid->setColumnStretch(0, 2);
  grid->setColumnStretch(1, 1);
  return page;
}

QWidget* ObjectEditor::buildTriggerPage() {
  QWidget* page = TriggerPage(this, "O_", &O_TriggerListBox, &O_TriggerAddBtn, &O_TriggerSetBtn,
                              &O_TriggerDelBtn);
  m_triggers =
      std::make_unique<VnumListEdit>(*this, O_TriggerListBox, VnumListEdit::kTriggers, true);
  return page;
}

void ObjectEditor::connectControls() {
  auto click = [this](QPushButton* b, void (ObjectEditor::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(O_NameBtn, &ObjectEditor::O_NameBtnClick);
  click(O_ADAddBtn, &ObjectEditor::O_ADAddBtnClick);
  click(O_ADSetBtn, &ObjectEditor::O_ADSetBtnClick);
  click(O_ADDelBtn, &ObjectEditor::O_ADDelBtnClick);
  click(O_SpecAddBtn, &ObjectEditor::O_SpecAddBtnClick);
  click(O_SpecSetBtn, &ObjectEditor::O_SpecSetBtnClick);
  click(O_SpecDelBtn, &ObjectEditor::O_SpecDelBtnClick);
  click(O_TriggerAddBtn, &ObjectEditor::O_TriggerAddBtnClick);
  click(O_TriggerSetBtn, &ObjectEditor::O_TriggerSetBtnClick);
  click(O_TriggerDelBtn, &ObjectEditor::O_TriggerDelBtnClick);
  connect(O_TypeComboBox, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) O_TypeComboBoxChange();
  });
  connect(O_T5Dice1Edit, &QSpinBox::valueChanged, this, &ObjectEditor::O_T5DiceChange);
  connect(O_T5Dice2Edit, &QSpinBox::valueChanged, this, &ObjectEditor::O_T5DiceChange);
  connect(O_AddDescListBox, &QListWidget::currentRowChanged, this,
          &ObjectEditor::O_AddDescListBoxClick);
  connect(O_AddDescEdit, &QLineEdit::textChanged, this, &ObjectEditor::updateButtons);
  connect(O_AddDescMemo, &QPlainTextEdit::textChanged, this, &ObjectEditor::updateButtons);
  OnPick(O_SpecListView, this, [this] { O_SpecListViewClick(); });
  connect(O_SpecComboBox, &QComboBox::currentIndexChanged, this, &ObjectEditor::updateButtons);
  OnPick(O_TriggerListBox, this, [this] { updateButtons(); });
  connect(O_TriggerListBox, &QListWidget::itemDoubleClicked, this,
          &ObjectEditor::O_TriggerSetBtnClick);
}

}  // namespace zm
