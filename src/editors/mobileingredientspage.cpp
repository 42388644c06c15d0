#include "editors/mobileingredientspage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/listrows.h"
#include "model/mobs.h"

namespace zm {

MobileIngredientsPage::MobileIngredientsPage(EditorWindow& editor, TMob& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* row = new QHBoxLayout(this);
  M_IngrListView = Named(new QTreeWidget(this), "M_IngrListView");
  M_IngrListView->setRootIsDecorated(false);
  M_IngrListView->setHeaderLabels(
      {QStringLiteral("Название"), QStringLiteral("Сила"), QStringLiteral("Шанс")});
  M_IngrListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  M_IngrListView->header()->setStretchLastSection(false);
  row->addWidget(M_IngrListView, 2);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), this);
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
  m_ingrs = std::make_unique<IngrListEdit>(editor, M_IngrListView, M_IngrComboBox, M_IngrStrEdit,
                                           M_IngrChanceEdit);

  connect(M_IngrAddBtn, &QPushButton::clicked, this, &MobileIngredientsPage::M_IngrAddBtnClick);
  connect(M_IngrSetBtn, &QPushButton::clicked, this, &MobileIngredientsPage::M_IngrSetBtnClick);
  connect(M_IngrDelBtn, &QPushButton::clicked, this, &MobileIngredientsPage::M_IngrDelBtnClick);
  connect(M_IngrComboBox, &QComboBox::currentIndexChanged, this,
          &MobileIngredientsPage::M_IngrComboBoxChange);
  OnPick(M_IngrListView, this, [this] { M_IngrListViewClick(); });
  editor.BindDictionary(M_IngrComboBox);
  updateButtons();
}

MobileIngredientsPage::~MobileIngredientsPage() = default;

void MobileIngredientsPage::ShowRecord() {
  m_ingrs->Fill(m_wc.Ingredients);
  M_IngrListViewClick();
}

void MobileIngredientsPage::M_IngrComboBoxChange() {
  updateButtons();
}

void MobileIngredientsPage::M_IngrListViewClick() {
  if (const TIngr* in = m_ingrs->Current(m_wc.Ingredients)) {
    ++m_updating;
    m_ingrs->Show(*in);
    --m_updating;
  }
  updateButtons();
}

void MobileIngredientsPage::M_IngrAddBtnClick() {
  m_ingrs->Add(m_wc.Ingredients);
}

void MobileIngredientsPage::M_IngrSetBtnClick() {
  m_ingrs->Set(m_wc.Ingredients);
}

void MobileIngredientsPage::M_IngrDelBtnClick() {
  if (m_ingrs->Remove(m_wc.Ingredients)) M_IngrListViewClick();
}

void MobileIngredientsPage::updateButtons() {
  if (m_updating) return;
  const bool ingr = PickedRow(M_IngrListView) >= 0;
  M_IngrAddBtn->setEnabled(M_IngrComboBox->currentIndex() >= 0);
  M_IngrSetBtn->setEnabled(ingr);
  M_IngrDelBtn->setEnabled(ingr);
}

}  // namespace zm
