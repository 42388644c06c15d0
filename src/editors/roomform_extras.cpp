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
#include "editors/roomform.h"
#include "load/world.h"
#include "widgets/cp1251.h"

namespace zm {

// --------------------------------------------------- extra descriptions

void TRoomForm::showExtras() {
  {
    const QSignalBlocker block(R_EDescListBox);
    R_EDescListBox->clear();
    for (const auto& d : m_wc.ExtraDescs) R_EDescListBox->addItem(ToQt(d->Keywords));
    R_EDescListBox->setCurrentRow(R_EDescListBox->count() > 0 ? 0 : -1);
  }
  R_EDescListBoxClick();
}

void TRoomForm::R_EDescListBoxClick() {
  ++m_updating;
  const int i = R_EDescListBox->currentRow();
  if (m_wc.ExtraDescs.Items(i)) {
    ShowExtraDesc(m_wc.ExtraDescs, i, R_EDescKeyEdit, R_EDescMemo);
  } else {
    ShowLine(R_EDescKeyEdit, {});
    ShowMemo(R_EDescMemo, {});
  }
  --m_updating;
  updateButtons();
}

void TRoomForm::R_EDescEditChange() {
  updateButtons();
}

void TRoomForm::R_EDescAddBtnClick() {
  TExtraDesc d{ReadLine(R_EDescKeyEdit), MemoValue(R_EDescMemo)};
  if (d.Keywords.empty() || d.Description.empty()) return;
  m_wc.ExtraDescs.Add(d);
  const QSignalBlocker block(R_EDescListBox);
  R_EDescListBox->addItem(ToQt(d.Keywords));
  R_EDescListBox->setCurrentRow(R_EDescListBox->count() - 1);
  updateButtons();
}

void TRoomForm::R_EDescSetBtnClick() {
  const int i = R_EDescListBox->currentRow();
  if (!m_wc.ExtraDescs.Items(i)) return;
  StoreExtraDesc(m_wc.ExtraDescs, i, R_EDescKeyEdit, R_EDescMemo);
  R_EDescListBox->item(i)->setText(ToQt(m_wc.ExtraDescs.Items(i)->Keywords));
}

void TRoomForm::R_EDescDelBtnClick() {
  const int i = R_EDescListBox->currentRow();
  if (!m_wc.ExtraDescs.Items(i)) return;
  m_wc.ExtraDescs.Delete(i);
  {
    const QSignalBlocker block(R_EDescListBox);
    delete R_EDescListBox->takeItem(i);
    const int n = R_EDescListBox->count();
    R_EDescListBox->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  }
  R_EDescListBoxClick();
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
  {
    const QSignalBlocker block(R_IngrListView);
    R_IngrListView->clear();
    for (const auto& in : m_wc.Ingredients) SetIngrRow(new QTreeWidgetItem(R_IngrListView), *in);
    R_IngrListView->setCurrentItem(R_IngrListView->topLevelItem(0));
  }
  R_IngrListViewClick();
}

void TRoomForm::R_IngrListViewClick() {
  const int i = R_IngrListView->indexOfTopLevelItem(R_IngrListView->currentItem());
  if (const TIngr* in = m_wc.Ingredients.Items(i)) {
    ++m_updating;
    IngrShowIn(*in, R_INameComboBox, R_IStrEdit, R_IChanceEdit);
    --m_updating;
  }
  updateButtons();
}

void TRoomForm::R_INameComboBoxChange() {
  updateButtons();
}

void TRoomForm::R_IngrAddBtnClick() {
  if (R_INameComboBox->currentIndex() < 0) return;
  TIngr in;
  IngrReadFrom(in, R_INameComboBox, R_IStrEdit, R_IChanceEdit);
  m_wc.Ingredients.Add(in);
  auto* row = new QTreeWidgetItem(R_IngrListView);
  SetIngrRow(row, in);
  R_IngrListView->setCurrentItem(row);
}

void TRoomForm::R_IngrEditBtnClick() {
  QTreeWidgetItem* row = R_IngrListView->currentItem();
  TIngr* in = m_wc.Ingredients.Items(R_IngrListView->indexOfTopLevelItem(row));
  if (!in || R_INameComboBox->currentIndex() < 0) return;
  IngrReadFrom(*in, R_INameComboBox, R_IStrEdit, R_IChanceEdit);
  SetIngrRow(row, *in);
}

void TRoomForm::R_IngrDelBtnClick() {
  const int i = R_IngrListView->indexOfTopLevelItem(R_IngrListView->currentItem());
  if (!m_wc.Ingredients.Items(i)) return;
  if (!App().reporter || !App().reporter->AskConfirm(2, {W("ингредиент")})) return;
  m_wc.Ingredients.Delete(i);
  {
    const QSignalBlocker block(R_IngrListView);
    delete R_IngrListView->takeTopLevelItem(i);
    const int n = R_IngrListView->topLevelItemCount();
    R_IngrListView->setCurrentItem(n == 0 ? nullptr
                                          : R_IngrListView->topLevelItem(std::min(i, n - 1)));
  }
  R_IngrListViewClick();
}

}  // namespace zm
