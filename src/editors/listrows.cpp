#include "editors/listrows.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "common/dictionaries.h"
#include "common/reporter.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "editors/editorwindow.h"
#include "model/records.h"
#include "model/world.h"
#include "widgets/modalrunner.h"
#include "widgets/qtext.h"
#include "widgets/selectrecorddialog.h"

namespace zm {
namespace {

enum Role { kRoleID = Qt::UserRole + 1, kRoleCond, kRoleWhere, kRoleChance, kRoleExtra };

// The text of `key` in the dictionary, or the key itself.
std::string DictText(const EditorHost& host, const char* dict, const std::string& key) {
  const Dictionary* b = host.Dicts() ? host.Dicts()->Find(dict) : nullptr;
  const int i = b ? b->IndexOf(key) : -1;
  return i >= 0 ? b->TextAt(i) : key;
}

std::string NameOf(const World* w, int kind, int32_t vnum) {
  if (!w) return "?";
  if (kind == 0) return w->Objs.NameOf(vnum);
  if (kind == 1) return w->Mobs.NameOf(vnum);
  return w->Triggers.NameOf(vnum);
}

}  // namespace

std::string CondKey(uint8_t cond) {
  return IntText(cond);
}

uint8_t CondFlag(const std::string& key, uint8_t old) {
  int32_t v = 0;
  return ParseInt(key, v) && v >= 0 && v <= 255 ? static_cast<uint8_t>(v) : old;
}

int32_t WhereOf(uint8_t wearPos) {
  return wearPos == 255 ? -1 : wearPos;
}

uint8_t WearPosOf(int32_t where) {
  return where < 0 || where > 254 ? 255 : static_cast<uint8_t>(where);
}

// ---------------------------------------------------------- placements

PlacementList::PlacementList(EditorWindow& form, QTreeWidget* view, Columns columns)
    : m_form(form), m_view(view), m_columns(columns) {
  QObject::connect(view, &QTreeWidget::currentItemChanged, &form, [this] {
    if (OnClick) OnClick();
  });
}

void PlacementList::fill(QTreeWidgetItem* item, const PlacementRow& row) const {
  const EditorHost& host = m_form.Host();
  int col = 0;
  item->setText(col++, ToQt(DictText(host, "zonecond", row.Cond)));
  item->setText(col++, ToQt(NodeCaption(row.ID, NameOf(&m_form.world(), m_columns.Kind, row.ID))));
  if (m_columns.HasWhere)
    item->setText(col++, row.Where >= -1 ? ToQt(DictText(host, "zon_equipped", IntText(row.Where)))
                                         : QString());
  if (m_columns.HasChance)
    item->setText(col++, row.Chance > 0 ? QString::number(row.Chance) : QString());
  item->setData(0, kRoleID, row.ID);
  item->setData(0, kRoleCond, ToQt(row.Cond));
  item->setData(0, kRoleWhere, row.Where >= -1 ? QVariant(row.Where) : QVariant());
  item->setData(0, kRoleChance, row.Chance > 0 ? QVariant(row.Chance) : QVariant());
}

void PlacementList::Clear() {
  const QSignalBlocker block(m_view);
  m_view->clear();
}

void PlacementList::Append(const PlacementRow& row) {
  const QSignalBlocker block(m_view);
  auto* item = new QTreeWidgetItem(m_view);
  fill(item, row);
}

void PlacementList::Refill(int i, const PlacementRow& row) {
  if (QTreeWidgetItem* item = m_view->topLevelItem(i)) fill(item, row);
}

PlacementRow PlacementList::Row(int i) const {
  PlacementRow row;
  const QTreeWidgetItem* item = m_view->topLevelItem(i);
  if (!item) return row;
  row.ID = item->data(0, kRoleID).toInt();
  row.Cond = FromQt(item->data(0, kRoleCond).toString());
  const QVariant where = item->data(0, kRoleWhere);
  row.Where = where.isValid() ? where.toInt() : kNoWhere;
  const QVariant chance = item->data(0, kRoleChance);
  row.Chance = chance.isValid() ? chance.toInt() : 0;
  return row;
}

int PlacementList::Count() const {
  return m_view->topLevelItemCount();
}

int PlacementList::Current() const {
  QTreeWidgetItem* item = m_view->currentItem();
  return item ? m_view->indexOfTopLevelItem(item) : -1;
}

void PlacementList::Select(int i) {
  {
    const QSignalBlocker block(m_view);
    QTreeWidgetItem* item = m_view->topLevelItem(i);
    m_view->clearSelection();
    m_view->setCurrentItem(item);
    if (item) {
      item->setSelected(true);
      m_view->scrollToItem(item);
    }
  }
  if (OnClick) OnClick();
}

void PlacementList::Remove(int i) {
  if (i < 0 || i >= Count()) return;
  {
    const QSignalBlocker block(m_view);
    delete m_view->takeTopLevelItem(i);
  }
  Select(Count() == 0 ? -1 : std::min(i, Count() - 1));
}

bool PlacementList::runDialog(PlacementRow& row, int32_t vnum, const std::string& cond,
                              int32_t where, int32_t chance) {
  EditorHost& host = m_form.Host();
  SelectRecordDialog& f = host.SelectDialog();
  if (f.SelectDialog(m_columns.Kind, vnum, cond, where, chance, host.Runner()) != QDialog::Accepted)
    return false;
  row.ID = f.ResultID;
  // No condition chosen (no dictionary): the row keeps its own.
  int32_t flag = 0;
  if (ParseInt(f.ResultCond, flag) && flag >= 0 && flag <= 255) row.Cond = f.ResultCond;
  row.Where = m_columns.HasWhere ? std::max(f.ResultWhere, -1) : kNoWhere;
  if (m_columns.HasChance && f.ResultChance != 0) row.Chance = f.ResultChance;
  return true;
}

bool PlacementList::AskAdd(PlacementRow& row) {
  row = PlacementRow{};
  if (m_columns.HasChance) row.Chance = 100;
  if (m_columns.HasWhere) row.Where = -1;
  return runDialog(row, 0, {}, m_columns.HasWhere ? -1 : kNoWhere, m_columns.HasChance ? 100 : 0);
}

bool PlacementList::AskChange(PlacementRow& row) {
  const int i = Current();
  if (i < 0) return false;
  row = Row(i);
  // A row without a chance of its own is offered the usual 100.
  const int32_t chance = m_columns.HasChance ? (row.Chance > 0 ? row.Chance : 100) : 0;
  const int32_t where = m_columns.HasWhere ? std::max(row.Where, -1) : kNoWhere;
  return runDialog(row, row.ID, row.Cond, where, chance);
}

bool PlacementList::AskDelete() const {
  return m_form.Host().Questions().AskConfirm(ConfirmMsg::RemoveFromList, {W(m_columns.Noun)});
}

// ------------------------------------------------------------ triggers

void AddTriggerItem(QListWidget* list, const World& w, int32_t vnum, uint8_t cond) {
  auto* item = new QListWidgetItem(ToQt(w.Triggers.CaptionOf(vnum)), list);
  item->setData(kRoleID, vnum);
  item->setData(kRoleCond, static_cast<int>(cond));
}

int32_t TriggerItemVnum(const QListWidgetItem* item) {
  if (!item) return 0;
  const QVariant v = item->data(kRoleID);
  if (v.isValid()) return v.toInt();
  // An item that came without its number: the one in "[vnum] name".
  const QString t = item->text();
  const int open = t.indexOf(u'['), close = t.indexOf(u']');
  return open >= 0 && close > open ? t.mid(open + 1, close - open - 1).toInt() : 0;
}

uint8_t TriggerItemCond(const QListWidgetItem* item) {
  return item ? static_cast<uint8_t>(item->data(kRoleCond).toInt()) : 0;
}

// --------------------------------------------------------- ingredients

void SetIngrRow(QTreeWidgetItem* row, const TIngr& ingr) {
  row->setText(0, ToQt(ingr.Name));
  row->setText(1, QString::number(ingr.Power));
  row->setText(2, QString::number(ingr.Chance));
}

void IngrShowIn(const TIngr& ingr, QComboBox* name, QSpinBox* power, QSpinBox* chance) {
  for (int i = name->count() - 1; i >= 0; --i)
    if (name->itemData(i, kRoleExtra).toBool()) name->removeItem(i);
  const QString text = ToQt(ingr.Name);
  int idx = name->findText(text, Qt::MatchExactly);
  if (idx < 0 && !ingr.Name.empty()) {
    name->addItem(text);
    idx = name->count() - 1;
    name->setItemData(idx, true, kRoleExtra);
  }
  name->setCurrentIndex(idx);
  power->setValue(ingr.Power);
  chance->setValue(ingr.Chance);
}

void IngrReadFrom(TIngr& ingr, const QComboBox* name, const QSpinBox* power,
                  const QSpinBox* chance) {
  ingr.Name = name->currentIndex() >= 0 ? FromQt(name->currentText()) : std::string();
  ingr.Power = static_cast<int16_t>(power->value());
  ingr.Chance = static_cast<int16_t>(chance->value());
}

IngrListEdit::IngrListEdit(EditorWindow& form, QTreeWidget* view, QComboBox* name, QSpinBox* power,
                           QSpinBox* chance)
    : m_form(form), m_view(view), m_name(name), m_power(power), m_chance(chance) {}

void IngrListEdit::select(QTreeWidgetItem* row) {
  m_view->setCurrentItem(row);
  if (row) row->setSelected(true);
}

void IngrListEdit::Fill(const TIngrList& ingrs) {
  const QSignalBlocker block(m_view);
  m_view->clear();
  for (const auto& in : ingrs) SetIngrRow(new QTreeWidgetItem(m_view), *in);
  select(m_view->topLevelItem(0));
}

const TIngr* IngrListEdit::Current(const TIngrList& ingrs) const {
  return ingrs.Items(m_view->indexOfTopLevelItem(m_view->currentItem()));
}

void IngrListEdit::Show(const TIngr& ingr) {
  IngrShowIn(ingr, m_name, m_power, m_chance);
}

void IngrListEdit::Add(TIngrList& ingrs) {
  if (m_name->currentIndex() < 0) return;
  TIngr in;
  IngrReadFrom(in, m_name, m_power, m_chance);
  ingrs.Add(in);
  auto* row = new QTreeWidgetItem(m_view);
  SetIngrRow(row, in);
  select(row);
}

void IngrListEdit::Set(TIngrList& ingrs) {
  QTreeWidgetItem* row = m_view->currentItem();
  TIngr* in = ingrs.Items(m_view->indexOfTopLevelItem(row));
  if (!in || m_name->currentIndex() < 0) return;
  IngrReadFrom(*in, m_name, m_power, m_chance);
  SetIngrRow(row, *in);
}

bool IngrListEdit::Remove(TIngrList& ingrs) {
  const int i = m_view->indexOfTopLevelItem(m_view->currentItem());
  if (!ingrs.Items(i)) return false;
  if (!m_form.Host().Questions().AskConfirm(ConfirmMsg::RemoveFromList, {W("ингредиент")}))
    return false;
  ingrs.Delete(i);
  const QSignalBlocker block(m_view);
  delete m_view->takeTopLevelItem(i);
  const int n = m_view->topLevelItemCount();
  select(n == 0 ? nullptr : m_view->topLevelItem(std::min(i, n - 1)));
  return true;
}

}  // namespace zm
