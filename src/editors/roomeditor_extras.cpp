// The room editor's extra descriptions, triggers and ingredients.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include "common/reporter.h"
#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/roomeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

// --------------------------------------------------- extra descriptions

void RoomEditor::showExtras() {
  m_extras->Fill(m_wc.ExtraDescs);
  R_EDescListBoxClick();
}

void RoomEditor::R_EDescListBoxClick() {
  ++m_updating;
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  --m_updating;
  updateButtons();
}

void RoomEditor::R_EDescEditChange() {
  updateButtons();
}

void RoomEditor::R_EDescAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) updateButtons();
}

void RoomEditor::R_EDescSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void RoomEditor::R_EDescDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) R_EDescListBoxClick();
}

// ------------------------------------------------------------- triggers

void RoomEditor::showTriggers() {
  R_TrigListBox->clear();
  for (const auto& t : m_wc.Triggers) AddTriggerItem(R_TrigListBox, world(), t->ID, t->Cond);
}

void RoomEditor::fillAvailableTriggers() {
  const QSignalBlocker block(R_ATrigListBox);
  R_ATrigListBox->clear();
  for (const auto& t : world().Triggers)
    if (t->Zone == m_wc.Zone) AddTriggerItem(R_ATrigListBox, world(), t->Vnum);
  R_TrigNumEdit->setValue(0);
}

void RoomEditor::R_ATrigListBoxClick() {
  if (const QListWidgetItem* item = R_ATrigListBox->currentItem())
    R_TrigNumEdit->setValue(TriggerItemVnum(item));
  updateButtons();
}

void RoomEditor::R_TrigAddBtnClick() {
  int32_t vnum = R_TrigNumEdit->value();
  if (vnum <= 0) vnum = TriggerItemVnum(R_ATrigListBox->currentItem());
  if (vnum <= 0) return;
  // A trigger is attached once.
  for (int i = 0; i < R_TrigListBox->count(); ++i)
    if (TriggerItemVnum(R_TrigListBox->item(i)) == vnum) {
      R_TrigListBox->setCurrentRow(i);
      return updateButtons();
    }
  AddTriggerItem(R_TrigListBox, world(), vnum);
  R_TrigListBox->setCurrentRow(R_TrigListBox->count() - 1);
  updateButtons();
}

void RoomEditor::R_TrigDelBtnClick() {
  const int i = R_TrigListBox->currentRow();
  if (i < 0) return;
  delete R_TrigListBox->takeItem(i);
  const int n = R_TrigListBox->count();
  R_TrigListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  updateButtons();
}

// ---------------------------------------------------------- ingredients

void RoomEditor::showIngredients() {
  m_ingrs->Fill(m_wc.Ingredients);
  R_IngrListViewClick();
}

void RoomEditor::R_IngrListViewClick() {
  if (const TIngr* in = m_ingrs->Current(m_wc.Ingredients)) {
    ++m_updating;
    m_ingrs->Show(*in);
    --m_updating;
  }
  updateButtons();
}

void RoomEditor::R_INameComboBoxChange() {
  updateButtons();
}

void RoomEditor::R_IngrAddBtnClick() {
  m_ingrs->Add(m_wc.Ingredients);
}

void RoomEditor::R_IngrEditBtnClick() {
  m_ingrs->Set(m_wc.Ingredients);
}

void RoomEditor::R_IngrDelBtnClick() {
  if (m_ingrs->Remove(m_wc.Ingredients)) R_IngrListViewClick();
}

}  // namespace zm
