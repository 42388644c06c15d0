// The mobile editor's lists: ingredients (on the working copy), triggers,
// the path and the helpers (read back from their items by Apply).
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include "common/reporter.h"
#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/listrows.h"
#include "editors/mobileeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

void SelectChoice(QComboBox* combo, int32_t vnum) {
  const QSignalBlocker block(combo);
  combo->setCurrentIndex(combo->findData(vnum));
}

}  // namespace

// ---------------------------------------------------------- ingredients

void MobileEditor::showIngredients() {
  m_ingrs->Fill(m_wc.Ingredients);
  M_IngrListViewClick();
}

void MobileEditor::M_IngrComboBoxChange() {
  updateButtons();
}

void MobileEditor::M_IngrListViewClick() {
  if (const TIngr* in = m_ingrs->Current(m_wc.Ingredients)) {
    ++m_updating;
    m_ingrs->Show(*in);
    --m_updating;
  }
  updateButtons();
}

void MobileEditor::M_IngrAddBtnClick() {
  m_ingrs->Add(m_wc.Ingredients);
}

void MobileEditor::M_IngrSetBtnClick() {
  m_ingrs->Set(m_wc.Ingredients);
}

void MobileEditor::M_IngrDelBtnClick() {
  if (m_ingrs->Remove(m_wc.Ingredients)) M_IngrListViewClick();
}

// ------------------------------------------------------------- triggers

void MobileEditor::M_TriggerAddBtnClick() {
  m_triggers->AskAppend(2);
  updateButtons();
}

void MobileEditor::M_TriggerSetBtnClick() {
  m_triggers->AskReplace(2);
  updateButtons();
}

void MobileEditor::M_TriggerDelBtnClick() {
  m_triggers->Remove();
  updateButtons();
}

// ------------------------------------------------------ path and helpers

void MobileEditor::fillChoices() {
  const World* w = &world();
  for (QComboBox* combo : {M_PathComboBox, M_HelperComboBox}) {
    const QSignalBlocker block(combo);
    combo->clear();
  }
  if (!w) return;
  // The mobile's own zone; other rooms and mobiles are typed or picked.
  for (const auto& r : w->Rooms)
    if (r->Zone == m_wc.Zone) M_PathComboBox->addItem(ToQt(NodeCaption(r->Vnum, r->Name)), r->Vnum);
  for (const auto& m : w->Mobs)
    if (m->Zone == m_wc.Zone)
      M_HelperComboBox->addItem(ToQt(NodeCaption(m->Vnum, m->Names[0])), m->Vnum);
  SelectChoice(M_PathComboBox, -1);
  SelectChoice(M_HelperComboBox, -1);
}

void MobileEditor::M_PathListBoxClick() {
  if (m_path->Current() >= 0) M_PathEdit->setValue(m_path->CurrentVnum());
  updateButtons();
}

void MobileEditor::M_PathComboBoxChange() {
  const QVariant v = M_PathComboBox->currentData();
  if (v.isValid()) M_PathEdit->setValue(v.toInt());
}

void MobileEditor::M_PathEditChange() {
  SelectChoice(M_PathComboBox, M_PathEdit->value());
  updateButtons();
}

void MobileEditor::M_PathAddBtnClick() {
  m_path->Append(M_PathEdit->value());
  updateButtons();
}

void MobileEditor::M_PathSetBtnClick() {
  m_path->Replace(M_PathEdit->value());
  updateButtons();
}

void MobileEditor::M_PathDelBtnClick() {
  m_path->Remove();
  M_PathListBoxClick();
}

void MobileEditor::M_PathUpBtnClick() {
  m_path->Move(-1);
  updateButtons();
}

void MobileEditor::M_PathDownBtnClick() {
  m_path->Move(1);
  updateButtons();
}

void MobileEditor::M_HelperListBoxClick() {
  if (m_helpers->Current() >= 0) M_HelperEdit->setValue(m_helpers->CurrentVnum());
  updateButtons();
}

void MobileEditor::M_HelperComboBoxChange() {
  const QVariant v = M_HelperComboBox->currentData();
  if (v.isValid()) M_HelperEdit->setValue(v.toInt());
}

void MobileEditor::M_HelperEditChange() {
  SelectChoice(M_HelperComboBox, M_HelperEdit->value());
  updateButtons();
}

void MobileEditor::M_HelperSelectBtnClick() {
  int32_t vnum = M_HelperEdit->value();
  if (SelectVnum(*this, 1, vnum)) M_HelperEdit->setValue(vnum);
}

void MobileEditor::M_HelperAddBtnClick() {
  m_helpers->Append(M_HelperEdit->value());
  updateButtons();
}

void MobileEditor::M_HelperSetBtnClick() {
  m_helpers->Replace(M_HelperEdit->value());
  updateButtons();
}

void MobileEditor::M_HelperDelBtnClick() {
  m_helpers->Remove();
  M_HelperListBoxClick();
}

void MobileEditor::updateButtons() {
  if (m_updating) return;
  const bool ingr = PickedRow(M_IngrListView) >= 0;
  M_IngrAddBtn->setEnabled(M_IngrComboBox->currentIndex() >= 0);
  M_IngrSetBtn->setEnabled(ingr);
  M_IngrDelBtn->setEnabled(ingr);

  const bool trig = m_triggers->Current() >= 0;
  M_TriggerSetBtn->setEnabled(trig);
  M_TriggerDelBtn->setEnabled(trig);

  const int step = m_path->Current();
  const bool room = M_PathEdit->value() > 0;
  M_PathAddBtn->setEnabled(room);
  M_PathSetBtn->setEnabled(room && step >= 0);
  M_PathDelBtn->setEnabled(step >= 0);
  M_PathUpBtn->setEnabled(step > 0);
  M_PathDownBtn->setEnabled(step >= 0 && step + 1 < M_PathListBox->count());

  const bool helper = m_helpers->Current() >= 0;
  M_HelperAddBtn->setEnabled(M_HelperEdit->value() > 0);
  M_HelperSetBtn->setEnabled(helper && M_HelperEdit->value() > 0);
  M_HelperDelBtn->setEnabled(helper);
}

}  // namespace zm
