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

#include "common/bases.h"
#include "editors/fieldtext.h"
#include "editors/formparts.h"
#include "editors/objform.h"
#include "widgets/cp1251.h"

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

void TObjForm::showExtras() {
  m_extras->Fill(m_wc.ExtraDescs);
  O_AddDescListBoxClick();
}

void TObjForm::O_AddDescListBoxClick() {
  ++m_updating;
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  --m_updating;
  updateButtons();
}

void TObjForm::O_ADAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) updateButtons();
}

void TObjForm::O_ADSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void TObjForm::O_ADDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) O_AddDescListBoxClick();
}

// ---------------------------------------------------------------- applies

namespace {

void FillApplyRow(const AppContext& app, QTreeWidgetItem* row, int32_t packed) {
  const std::string key = IntText(ApplyLocation(packed));
  const TBases* dict = app.Bases ? app.Bases->Find("objbonus") : nullptr;
  const std::string text = dict ? dict->TextOf(key) : std::string();
  row->setText(0, ToQt(text.empty() ? key : text));
  row->setText(1, QString::number(ApplyModifier(packed)));
}

}  // namespace

void TObjForm::showApplies() {
  {
    const QSignalBlocker block(O_SpecListView);
    O_SpecListView->clear();
    for (const auto& a : m_wc.Applies)
      FillApplyRow(App(), new QTreeWidgetItem(O_SpecListView), a->Value);
    SelectRow(O_SpecListView, 0);
  }
  O_SpecListViewClick();
}

void TObjForm::O_SpecListViewClick() {
  const int i = PickedRow(O_SpecListView);
  if (m_wc.Applies.Items(i)) {
    const int32_t packed = m_wc.Applies.Get(i);
    ShowDictInt(O_SpecComboBox, ApplyLocation(packed));
    O_SpecEdit->setValue(ApplyModifier(packed));
  }
  updateButtons();
}

void TObjForm::O_SpecAddBtnClick() {
  const int32_t location = ReadDictInt(O_SpecComboBox, -1);
  if (location < 0 || location > kMaxLocation) return;
  const int32_t packed = PackApply(location, O_SpecEdit->value());
  m_wc.Applies.Add(packed);
  auto* row = new QTreeWidgetItem(O_SpecListView);
  FillApplyRow(App(), row, packed);
  O_SpecListView->clearSelection();
  SelectRow(O_SpecListView, O_SpecListView->topLevelItemCount() - 1);
}

void TObjForm::O_SpecSetBtnClick() {
  const int i = PickedRow(O_SpecListView);
  if (!m_wc.Applies.Items(i)) return;
  const int32_t location = ReadDictInt(O_SpecComboBox, ApplyLocation(m_wc.Applies.Get(i)));
  if (location < 0 || location > kMaxLocation) return;
  m_wc.Applies.Put(i, PackApply(location, O_SpecEdit->value()));
  FillApplyRow(App(), O_SpecListView->topLevelItem(i), m_wc.Applies.Get(i));
}

void TObjForm::O_SpecDelBtnClick() {
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

void TObjForm::O_TriggerAddBtnClick() {
  m_triggers->AskAppend(2);
  updateButtons();
}

void TObjForm::O_TriggerSetBtnClick() {
  m_triggers->AskReplace(2);
  updateButtons();
}

void TObjForm::O_TriggerDelBtnClick() {
  m_triggers->Remove();
  updateButtons();
}

void TObjForm::updateButtons() {
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
