#include "widgets/dictcontrols.h"

#include <QComboBox>
#include <QListWidget>
#include <QTableWidget>
#include <algorithm>

#include "widgets/qtext.h"

namespace zm {

// ------------------------------------------------------------------ combo

ComboDictControl::ComboDictControl(QComboBox* combo) : QObject(combo), m_combo(combo) {
  setObjectName("DictControl");
}
std::string ComboDictControl::ControlName() const {
  return FromQt(m_combo->objectName());
}
void ComboDictControl::ClearItems() {
  m_combo->clear();
}
void ComboDictControl::AddItem(const std::string& text) {
  m_combo->addItem(ToQt(text));
}
int ComboDictControl::ItemCount() const {
  return m_combo->count();
}
std::string ComboDictControl::ItemText(int i) const {
  return FromQt(m_combo->itemText(i));
}
void ComboDictControl::RemoveItemsFrom(int n) {
  while (m_combo->count() > std::max(n, 0)) m_combo->removeItem(m_combo->count() - 1);
}
int ComboDictControl::SelectedIndex() const {
  return m_combo->currentIndex();
}
void ComboDictControl::SetSelectedIndex(int i) {
  m_combo->setCurrentIndex(i >= 0 && i < m_combo->count() ? i : -1);
}

// ------------------------------------------------------------- check-list

CheckListDictControl::CheckListDictControl(QListWidget* list) : QObject(list), m_list(list) {
  setObjectName("DictControl");
}
std::string CheckListDictControl::ControlName() const {
  return FromQt(m_list->objectName());
}
void CheckListDictControl::ClearItems() {
  m_list->clear();
}
void CheckListDictControl::AddItem(const std::string& text) {
  auto* item = new QListWidgetItem(ToQt(text), m_list);
  item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
  item->setCheckState(Qt::Unchecked);
}
int CheckListDictControl::ItemCount() const {
  return m_list->count();
}
std::string CheckListDictControl::ItemText(int i) const {
  QListWidgetItem* item = m_list->item(i);
  return item ? FromQt(item->text()) : std::string();
}
void CheckListDictControl::RemoveItemsFrom(int n) {
  while (m_list->count() > std::max(n, 0)) delete m_list->takeItem(m_list->count() - 1);
}
int CheckListDictControl::SelectedIndex() const {
  return m_list->currentRow();
}
void CheckListDictControl::SetSelectedIndex(int i) {
  m_list->setCurrentRow(i);
}
bool CheckListDictControl::IsChecked(int i) const {
  QListWidgetItem* item = m_list->item(i);
  return item && item->checkState() == Qt::Checked;
}
void CheckListDictControl::SetChecked(int i, bool on) {
  if (QListWidgetItem* item = m_list->item(i))
    item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

// ------------------------------------------------------------------- grid

GridDictControl::GridDictControl(QTableWidget* grid) : QObject(grid), m_grid(grid) {
  setObjectName("DictControl");
}
std::string GridDictControl::ControlName() const {
  return FromQt(m_grid->objectName());
}
void GridDictControl::ClearItems() {
  m_grid->setRowCount(0);
}
void GridDictControl::AddItem(const std::string& text) {
  int row = m_grid->rowCount();
  SetRowCount(row + 1);
  SetCell(0, row, text);
}
int GridDictControl::ItemCount() const {
  return m_grid->rowCount();
}
std::string GridDictControl::ItemText(int i) const {
  QTableWidgetItem* item = m_grid->item(i, 0);
  return item ? FromQt(item->text()) : std::string();
}
void GridDictControl::RemoveItemsFrom(int n) {
  if (m_grid->rowCount() > n) m_grid->setRowCount(std::max(n, 0));
}
void GridDictControl::SetRowCount(int n) {
  if (m_grid->columnCount() < 1) m_grid->setColumnCount(1);
  m_grid->setRowCount(std::max(n, 0));
}
void GridDictControl::SetCell(int col, int row, const std::string& text) {
  if (col < 0 || row < 0) return;
  if (m_grid->columnCount() <= col) m_grid->setColumnCount(col + 1);
  if (m_grid->rowCount() <= row) m_grid->setRowCount(row + 1);
  if (QTableWidgetItem* item = m_grid->item(row, col))
    item->setText(ToQt(text));
  else
    m_grid->setItem(row, col, new QTableWidgetItem(ToQt(text)));
}

// ---------------------------------------------------------------- binding

DictControl* DictControlOf(QWidget* control) {
  if (!control) return nullptr;
  for (QObject* child : control->children())
    if (auto* d = dynamic_cast<DictControl*>(child)) return d;
  if (auto* combo = qobject_cast<QComboBox*>(control)) return new ComboDictControl(combo);
  if (auto* table = qobject_cast<QTableWidget*>(control)) return new GridDictControl(table);
  if (auto* list = qobject_cast<QListWidget*>(control)) return new CheckListDictControl(list);
  return nullptr;
}

Dictionary* BindControl(Dictionaries& list, QWidget* control, std::string_view name) {
  DictControl* adapter = DictControlOf(control);
  if (!adapter) return nullptr;
  Dictionary* found = nullptr;
  if (!name.empty()) {
    found = list.Find(name);
  } else {
    const std::string controlName = adapter->ControlName();
    for (int i = 0; i < list.Count() && !found; ++i)
      if (list.At(i).ControlName == controlName) found = &list.At(i);
  }
  if (found) found->Bind(adapter);
  return found;
}

}  // namespace zm
