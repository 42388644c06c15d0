#include "editors/objectappliespage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "common/dictionaries.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/objs.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

constexpr int32_t kMaxLocation = 0xFFFF;

void SelectRow(QTreeWidget* view, int i) {
  QTreeWidgetItem* item = view->topLevelItem(i);
  view->setCurrentItem(item);
  if (item) item->setSelected(true);
}

void FillApplyRow(const EditorHost& host, QTreeWidgetItem* row, int32_t packed) {
  const std::string key = IntText(ApplyLocation(packed));
  const Dictionary* dict = host.Dicts() ? host.Dicts()->Find("objbonus") : nullptr;
  const std::string text = dict ? dict->TextOf(key) : std::string();
  row->setText(0, ToQt(text.empty() ? key : text));
  row->setText(1, QString::number(ApplyModifier(packed)));
}

}  // namespace

ObjectAppliesPage::ObjectAppliesPage(EditorWindow& editor, TObj& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  O_SpecListView = Named(new QTreeWidget(this), "O_SpecListView");
  O_SpecListView->setRootIsDecorated(false);
  O_SpecListView->setHeaderLabels({QStringLiteral("Спецэффект"), QStringLiteral("Значение")});
  O_SpecListView->setSelectionMode(QAbstractItemView::SingleSelection);
  O_SpecListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  O_SpecListView->header()->setStretchLastSection(false);
  grid->addWidget(O_SpecListView, 0, 0, 2, 1);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), this);
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

  connect(O_SpecAddBtn, &QPushButton::clicked, this, &ObjectAppliesPage::O_SpecAddBtnClick);
  connect(O_SpecSetBtn, &QPushButton::clicked, this, &ObjectAppliesPage::O_SpecSetBtnClick);
  connect(O_SpecDelBtn, &QPushButton::clicked, this, &ObjectAppliesPage::O_SpecDelBtnClick);
  OnPick(O_SpecListView, this, [this] { O_SpecListViewClick(); });
  connect(O_SpecComboBox, &QComboBox::currentIndexChanged, this, &ObjectAppliesPage::updateButtons);
  editor.BindDictionary(O_SpecComboBox);
  updateButtons();
}

void ObjectAppliesPage::ShowRecord() {
  {
    const QSignalBlocker block(O_SpecListView);
    O_SpecListView->clear();
    for (const auto& a : m_wc.Applies)
      FillApplyRow(Editor().Host(), new QTreeWidgetItem(O_SpecListView), a->Value);
    SelectRow(O_SpecListView, 0);
  }
  O_SpecListViewClick();
}

void ObjectAppliesPage::O_SpecListViewClick() {
  const int i = PickedRow(O_SpecListView);
  if (m_wc.Applies.Items(i)) {
    const int32_t packed = m_wc.Applies.Get(i);
    Editor().ShowDictInt(O_SpecComboBox, ApplyLocation(packed));
    O_SpecEdit->setValue(ApplyModifier(packed));
  }
  updateButtons();
}

void ObjectAppliesPage::O_SpecAddBtnClick() {
  const int32_t location = Editor().ReadDictInt(O_SpecComboBox, -1);
  if (location < 0 || location > kMaxLocation) return;
  const int32_t packed = PackApply(location, O_SpecEdit->value());
  m_wc.Applies.Add(packed);
  auto* row = new QTreeWidgetItem(O_SpecListView);
  FillApplyRow(Editor().Host(), row, packed);
  O_SpecListView->clearSelection();
  SelectRow(O_SpecListView, O_SpecListView->topLevelItemCount() - 1);
}

void ObjectAppliesPage::O_SpecSetBtnClick() {
  const int i = PickedRow(O_SpecListView);
  if (!m_wc.Applies.Items(i)) return;
  const int32_t location = Editor().ReadDictInt(O_SpecComboBox, ApplyLocation(m_wc.Applies.Get(i)));
  if (location < 0 || location > kMaxLocation) return;
  m_wc.Applies.Put(i, PackApply(location, O_SpecEdit->value()));
  FillApplyRow(Editor().Host(), O_SpecListView->topLevelItem(i), m_wc.Applies.Get(i));
}

void ObjectAppliesPage::O_SpecDelBtnClick() {
  const int i = PickedRow(O_SpecListView);
  if (!m_wc.Applies.Items(i)) return;
  m_wc.Applies.Delete(i);
  {
    const QSignalBlocker block(O_SpecListView);
    delete O_SpecListView->takeTopLevelItem(i);
    const int n = O_SpecListView->topLevelItemCount();
    O_SpecListView->clearSelection();
    if (n > 0)
      SelectRow(O_SpecListView, std::min(i, n - 1));
    else
      O_SpecListView->setCurrentItem(nullptr);
  }
  O_SpecListViewClick();
}

void ObjectAppliesPage::updateButtons() {
  const bool effect = PickedRow(O_SpecListView) >= 0;
  O_SpecAddBtn->setEnabled(O_SpecComboBox->currentIndex() >= 0);
  O_SpecSetBtn->setEnabled(effect);
  O_SpecDelBtn->setEnabled(effect);
}

}  // namespace zm
