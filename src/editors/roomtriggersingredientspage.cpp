#include "editors/roomtriggersingredientspage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/roomeditorpages.h"
#include "model/world.h"

namespace zm {

RoomTriggersIngredientsPage::RoomTriggersIngredientsPage(EditorWindow& editor, TRoom& wc)
    : EditorPage(editor), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  QVBoxLayout* left = RoomPageColumn(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список триггеров"), this));
  R_TrigListBox = Named(new QListWidget(this), "R_TrigListBox");
  left->addWidget(R_TrigListBox, 1);
  auto* buttons = new QHBoxLayout();
  R_TrigAddBtn = Named(new QPushButton(QStringLiteral("Добавить"), this), "R_TrigAddBtn");
  R_TrigDelBtn = Named(new QPushButton(QStringLiteral("Удалить"), this), "R_TrigDelBtn");
  buttons->addWidget(R_TrigAddBtn);
  buttons->addWidget(R_TrigDelBtn);
  buttons->addStretch(1);
  left->addLayout(buttons);
  left->addWidget(new QLabel(QStringLiteral("Список доступных триггеров"), this));
  R_ATrigListBox = Named(new QListWidget(this), "R_ATrigListBox");
  left->addWidget(R_ATrigListBox, 1);
  auto* num = new QHBoxLayout();
  num->addWidget(new QLabel(QStringLiteral("Номер триггера"), this));
  R_TrigNumEdit = Named(new QSpinBox(this), "R_TrigNumEdit");
  SpinRange(R_TrigNumEdit, 0, std::numeric_limits<int32_t>::max());
  num->addWidget(R_TrigNumEdit, 1);
  left->addLayout(num);

  QVBoxLayout* right = RoomPageColumn(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Ингредиенты"), this));
  R_IngrListView =
      RoomListView(this, "R_IngrListView",
                   {QStringLiteral("Название"), QStringLiteral("Сила"), QStringLiteral("Шанс")});
  R_IngrListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  R_IngrListView->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  right->addWidget(R_IngrListView, 1);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), this);
  auto* form = new QFormLayout(group);
  R_INameComboBox = Named(new QComboBox(group), "R_INameComboBox");
  form->addRow(QStringLiteral("Название"), R_INameComboBox);
  R_IStrEdit = Named(new QSpinBox(group), "R_IStrEdit");
  FieldRange<int16_t>(R_IStrEdit);
  form->addRow(QStringLiteral("Сила"), R_IStrEdit);
  R_IChanceEdit = Named(new QSpinBox(group), "R_IChanceEdit");
  FieldRange<int16_t>(R_IChanceEdit);
  form->addRow(QStringLiteral("Шанс загрузки"), R_IChanceEdit);
  form->addRow(ListButtons(group, "R_Ingr", &R_IngrAddBtn, &R_IngrEditBtn, &R_IngrDelBtn));
  right->addWidget(group);
  m_ingrs = std::make_unique<IngrListEdit>(editor, R_IngrListView, R_INameComboBox, R_IStrEdit,
                                           R_IChanceEdit);

  auto click = [this](QPushButton* b, void (RoomTriggersIngredientsPage::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(R_TrigAddBtn, &RoomTriggersIngredientsPage::R_TrigAddBtnClick);
  click(R_TrigDelBtn, &RoomTriggersIngredientsPage::R_TrigDelBtnClick);
  click(R_IngrAddBtn, &RoomTriggersIngredientsPage::R_IngrAddBtnClick);
  click(R_IngrEditBtn, &RoomTriggersIngredientsPage::R_IngrEditBtnClick);
  click(R_IngrDelBtn, &RoomTriggersIngredientsPage::R_IngrDelBtnClick);
  connect(R_ATrigListBox, &QListWidget::currentRowChanged, this,
          &RoomTriggersIngredientsPage::R_ATrigListBoxClick);
  connect(R_ATrigListBox, &QListWidget::itemDoubleClicked, this,
          &RoomTriggersIngredientsPage::R_TrigAddBtnClick);
  connect(R_IngrListView, &QTreeWidget::currentItemChanged, this,
          &RoomTriggersIngredientsPage::R_IngrListViewClick);
  connect(R_INameComboBox, &QComboBox::currentIndexChanged, this,
          &RoomTriggersIngredientsPage::R_INameComboBoxChange);
}

RoomTriggersIngredientsPage::~RoomTriggersIngredientsPage() = default;

void RoomTriggersIngredientsPage::ShowRecord() {
  m_ingrs->Fill(m_wc.Ingredients);
  R_IngrListViewClick();
  showTriggers();
  fillAvailableTriggers();
  UpdateButtons();
}

void RoomTriggersIngredientsPage::StoreRecord() {
  // A trigger keeps the condition of the zone command that attached it.
  m_wc.Triggers.Clear();
  for (int i = 0; i < R_TrigListBox->count(); ++i) {
    const QListWidgetItem* item = R_TrigListBox->item(i);
    m_wc.Triggers.Add(TCondID{TriggerItemCond(item), TriggerItemVnum(item)});
  }
}

void RoomTriggersIngredientsPage::UpdateButtons() {
  R_TrigAddBtn->setEnabled(R_TrigNumEdit->value() > 0 || R_ATrigListBox->currentRow() >= 0);
  R_TrigDelBtn->setEnabled(R_TrigListBox->currentRow() >= 0);

  const bool ingr = R_IngrListView->currentItem() != nullptr;
  R_IngrAddBtn->setEnabled(R_INameComboBox->currentIndex() >= 0);
  R_IngrEditBtn->setEnabled(ingr && R_INameComboBox->currentIndex() >= 0);
  R_IngrDelBtn->setEnabled(ingr);
}

// ------------------------------------------------------------- triggers

void RoomTriggersIngredientsPage::showTriggers() {
  R_TrigListBox->clear();
  for (const auto& t : m_wc.Triggers)
    AddTriggerItem(R_TrigListBox, Editor().world(), t->ID, t->Cond);
}

void RoomTriggersIngredientsPage::fillAvailableTriggers() {
  const World& w = Editor().world();
  const QSignalBlocker block(R_ATrigListBox);
  R_ATrigListBox->clear();
  for (const auto& t : w.Triggers)
    if (t->Zone == m_wc.Zone) AddTriggerItem(R_ATrigListBox, w, t->Vnum);
  R_TrigNumEdit->setValue(0);
}

void RoomTriggersIngredientsPage::R_ATrigListBoxClick() {
  if (const QListWidgetItem* item = R_ATrigListBox->currentItem())
    R_TrigNumEdit->setValue(TriggerItemVnum(item));
  UpdateButtons();
}

void RoomTriggersIngredientsPage::R_TrigAddBtnClick() {
  int32_t vnum = R_TrigNumEdit->value();
  if (vnum <= 0) vnum = TriggerItemVnum(R_ATrigListBox->currentItem());
  if (vnum <= 0) return;
  // A trigger is attached once.
  for (int i = 0; i < R_TrigListBox->count(); ++i)
    if (TriggerItemVnum(R_TrigListBox->item(i)) == vnum) {
      R_TrigListBox->setCurrentRow(i);
      return UpdateButtons();
    }
  AddTriggerItem(R_TrigListBox, Editor().world(), vnum);
  R_TrigListBox->setCurrentRow(R_TrigListBox->count() - 1);
  UpdateButtons();
}

void RoomTriggersIngredientsPage::R_TrigDelBtnClick() {
  const int i = R_TrigListBox->currentRow();
  if (i < 0) return;
  delete R_TrigListBox->takeItem(i);
  const int n = R_TrigListBox->count();
  R_TrigListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  UpdateButtons();
}

// ---------------------------------------------------------- ingredients

void RoomTriggersIngredientsPage::R_IngrListViewClick() {
  if (const TIngr* in = m_ingrs->Current(m_wc.Ingredients)) m_ingrs->Show(*in);
  UpdateButtons();
}

void RoomTriggersIngredientsPage::R_INameComboBoxChange() {
  UpdateButtons();
}

void RoomTriggersIngredientsPage::R_IngrAddBtnClick() {
  m_ingrs->Add(m_wc.Ingredients);
}

void RoomTriggersIngredientsPage::R_IngrEditBtnClick() {
  m_ingrs->Set(m_wc.Ingredients);
}

void RoomTriggersIngredientsPage::R_IngrDelBtnClick() {
  if (m_ingrs->Remove(m_wc.Ingredients)) R_IngrListViewClick();
}

}  // namespace zm
