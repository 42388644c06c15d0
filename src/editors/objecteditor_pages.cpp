// The object editor's list pages: extra descriptions, applies ("Спецэффекты")
// and triggers. They work on the working copy; Apply copies them over.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include "common/dictionaries.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/objecteditor.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

constexpr int32_t kMaxLocation = 0xFFFF;

void SelectRow(QTreeWidget* view, int i) {
  QTreeWidgetItem* item = view->topLevelItem(i);
  view->setCurrentItem(item);
  if (item) item->setSelected(true);
}

}  // namespace

// --------------------------------------------------- extra descriptions

void ObjectEditor::showExtras() {
  m_extras->Fill(m_wc.ExtraDescs);
  O_AddDescListBoxClick();
}

void ObjectEditor::O_AddDescListBoxClick() {
  ++m_updating;
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  --m_updating;
  updateButtons();
}

void ObjectEditor::O_ADAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) updateButtons();
}

void ObjectEditor::O_ADSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void ObjectEditor::O_ADDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) O_AddDescListBoxClick();
}

// ---------------------------------------------------------------- applies

namespace {

void FillApplyRow(const EditorHost& host, QTreeWidgetItem* row, int32_t packed) {
  const std::string key = IntText(ApplyLocation(packed));
  const Dictionary* dict = host.Dicts() ? host.Dicts()->Find("objbonus") : nullptr;
  const std::string text = dict ? dict->TextOf(key) : std::string();
  row->setText(0, ToQt(text.empty() ? key : text));
  row->setText(1, QString::number(ApplyModifier(packed)));
}

}  // namespace

void ObjectEditor::showApplies() {
  {
    const QSignalBlocker block(O_SpecListView);
    O_SpecListView->clear();
    for (const auto& a : m_wc.Applies)
      FillApplyRow(Host(), new QTreeWidgetItem(O_SpecListView), a->Value);
    SelectRow(O_SpecListView, 0);
  }
  O_SpecListViewClick();
}

void ObjectEditor::O_SpecListViewClick() {
  const int i = PickedRow(O_SpecListView);
  if (m_wc.Applies.Items(i)) {
    const int32_t packed = m_wc.Applies.Get(i);
    ShowDictInt(O_SpecComboBox, ApplyLocation(packed));
    O_SpecEdit->setValue(ApplyModifier(packed));
  }
  updateButtons();
}

void ObjectEditor::O_SpecAddBtnClick() {
  const int32_t location = ReadDictInt(O_SpecComboBox, -1);
  if (location < 0 || location > kMaxLocation) return;
  const int32_t packed = PackApply(location, O_SpecEdit->value());
  m_wc.Applies.Add(packed);
  auto* row = new QTreeWidgetItem(O_SpecListView);
  FillApplyRow(Host(), row, packed);
  O_SpecListView->clearSelection();
  SelectRow(O_SpecListView, O_SpecListView->topLevelItemCount() - 1);
}

void ObjectEditor::O_SpecSetBtnClick() {
  const int i = PickedRow(O_SpecListView);
  if (!m_wc.Applies.Items(i)) return;
  const int32_t location = ReadDictInt(O_SpecComboBox, ApplyLocation(m_wc.Applies.Get(i)));
  if (location < 0 || location > kMaxLocation) return;
  m_wc.Applies.Put(i, PackApply(location, O_SpecEdit->value()));
  FillApplyRow(Host(), O_SpecListView->topLevelItem(i), m_wc.Applies.Get(i));
}

void ObjectEditor::O_SpecDelBtnClick() {
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

// ---------------------------------------------------------------- triggers

void ObjectEditor::O_TriggerAddBtnClick() {
  m_triggers->AskAppend(2);
  updateButtons();
}

void ObjectEditor::O_TriggerSetBtnClick() {
  m_triggers->AskReplace(2);
  updateButtons();
}

void ObjectEditor::O_TriggerDelBtnClick() {
  m_triggers->Remove();
  updateButtons();
}

void ObjectEditor::updateButtons() {
  if (m_updating) return;
  const bool extra = O_AddDescListBox->currentRow() >= 0;
  const bool filled = !O_AddDescEdit->text().isEmpty() && !O_AddDescMemo->document()->isEmpty();
  EnableWithReason(O_ADAddBtn, filled,
                   QStringLiteral("Сначала введите ключевые слова и текст описания"));
  O_ADSetBtn->setEnabled(extra && filled);
  O_ADDelBtn->setEnabled(extra);

  const bool effect = PickedRow(O_SpecListView) >= 0;
  O_SpecAddBtn->setEnabled(O_SpecComboBox->currentIndex() >= 0);
  O_SpecSetBtn->setEnabled(effect);
  O_SpecDelBtn->setEnabled(effect);

  const bool trig = m_triggers->Current() >= 0;
  O_TriggerSetBtn->setEnabled(trig);
  O_TriggerDelBtn->setEnabled(trig);
}

}  // namespace zm
