// The room editor's extra descriptions, triggers and ingredients.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>

#include "common/cp1251.h"
#include "common/reporter.h"
#include "editors/fieldtext.h"
#include "editors/formparts.h"
#include "editors/roomform.h"
#include "model/world.h"
#include "widgets/cp1251.h"

namespace zm {

// --------------------------------------------------- extra descriptions

void TRoomForm::showExtras() {
  m_extras->Fill(m_wc.ExtraDescs);
  R_EDescListBoxClick();
}

void TRoomForm::R_EDescListBoxClick() {
  ++m_updating;
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  --m_updating;
  updateButtons();
}

void TRoomForm::R_EDescEditChange() {
  updateButtons();
}

void TRoomForm::R_EDescAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) updateButtons();
}

void TRoomForm::R_EDescSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void TRoomForm::R_EDescDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) R_EDescListBoxClick();
}

// ------------------------------------------------------------- triggers

void TRoomForm::showTriggers() {
  R_TrigListBox->clear();
  if (!App().world) return;
  for (const auto& t : m_wc.Triggers) AddTriggerItem(R_TrigListBox, *App().world, t->ID, t->Cond);
}

void TRoomForm::fillAvailableTriggers() {
  const QSignalBlocker block(R_ATrigListBox);
  R_ATrigListBox->clear();
  if (!App().world) return;
  for (const auto& t : App().world->Triggers)
    if (t->Zone == m_wc.Zone) AddTriggerItem(R_ATrigListBox, *App().world, t->Vnum);
  R_TrigNumEdit->setValue(0);
}

void TRoomForm::R_ATrigListBoxClick() {
  if (const QListWidgetItem* item = R_ATrigListBox->currentItem())
    R_TrigNumEdit->setValue(TriggerItemVnum(item));
  updateButtons();
}

void TRoomForm::R_TrigAddBtnClick() {
  int32_t vnum = R_TrigNumEdit->value();
  if (vnum <= 0) vnum = TriggerItemVnum(R_ATrigListBox->currentItem());
  if (vnum <= 0 || !App().world) return;
  // A trigger is attached once.
  for (int i = 0; i < R_TrigListBox->count(); ++i)
    if (TriggerItemVnum(R_TrigListBox->item(i)) == vnum) {
      R_TrigListBox->setCurrentRow(i);
      return updateButtons();
    }
  AddTriggerItem(R_TrigListBox, *App().world, vnum);
  R_TrigListBox->setCurrentRow(R_TrigListBox->count() - 1);
  updateButtons();
}

void TRoomForm::R_TrigDelBtnClick() {
  const int i = R_TrigListBox->currentRow();
  if (i < 0) return;
  delete R_TrigListBox->takeItem(i);
  const int n = R_TrigListBox->count();
  R_TrigListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  updateButtons();
}

// ---------------------------------------------------------- ingredients

void TRoomForm::showIngredients() {
  m_ingrs->Fill(m_wc.Ingredients);
  R_IngrListViewClick();
}

void TRoomForm::R_IngrListViewClick() {
  if (const TIngr* in = m_ingrs->Current(m_wc.Ingredients)) {
    ++m_updating;
    m_ingrs->Show(*in);
    --m_updating;
  }
  updateButtons();
}

void TRoomForm::R_INameComboBoxChange() {
  updateButtons();
}

void TRoomForm::R_IngrAddBtnClick() {
  m_ingrs->Add(m_wc.Ingredients);
}

void TRoomForm::R_IngrEditBtnClick() {
  m_ingrs->Set(m_wc.Ingredients);
}

void TRoomForm::R_IngrDelBtnClick() {
  if (m_ingrs->Remove(m_wc.Ingredients)) R_IngrListViewClick();
}

}  // namespace zm
