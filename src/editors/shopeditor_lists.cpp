// The shop editor's lists: goods, rooms and the two kind lists. The buttons
// work on the working copy; each list is drawn from it again.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "common/dictionaries.h"
#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/listedits.h"
#include "editors/shopeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

void Pick(QListWidget* list, int row) {
  if (row < 0 || row >= list->count()) {
    list->setCurrentRow(-1);
    return;
  }
  list->setCurrentRow(row);
  list->item(row)->setSelected(true);
  list->scrollToItem(list->item(row));
}

std::string EntryKey(const std::string& entry) {
  return entry.substr(0, entry.find('='));
}

std::string EntryText(const std::string& entry) {
  const size_t eq = entry.find('=');
  return eq == std::string::npos ? std::string() : entry.substr(eq + 1);
}

// A type number that no dictionary entry names would be an empty row.
QString EntryCaption(const std::string& entry) {
  const std::string text = EntryText(entry);
  const std::string key = EntryKey(entry);
  if (text.empty() && Trim(key) != "-1") return ToQt(key);
  return ToQt(text);
}

}  // namespace

ShopEditor::TypeList ShopEditor::buyList() {
  return {S_BuyListBox, S_BuyComboBox, S_BuyEdit, &TShop::BuyTypes};
}

ShopEditor::TypeList ShopEditor::changeList() {
  return {S_ChangeListBox, S_ChangeComboBox, S_ChangeEdit, &TShop::ChangeTypes};
}

void ShopEditor::updateButtons() {
  S_Sell2Btn->setEnabled(PickedRow(S_SellListBox) >= 0);
  S_Room2Btn->setEnabled(PickedRow(S_RoomListBox) >= 0);
  S_Buy2Btn->setEnabled(PickedRow(S_BuyListBox) >= 0);
  S_Change2Btn->setEnabled(PickedRow(S_ChangeListBox) >= 0);
  S_Buy1Btn->setEnabled(S_BuyComboBox->currentIndex() >= 0);
  S_Change1Btn->setEnabled(S_ChangeComboBox->currentIndex() >= 0);
}

// ------------------------------------------------------------------ goods

void ShopEditor::showGoods() {
  const QSignalBlocker block(S_SellListBox);
  S_SellListBox->clear();
  const World* w = &world();
  for (const auto& g : m_wc.Goods)
    S_SellListBox->addItem(
        ToQt(w ? w->Objs.CaptionOf(g->Value) : NodeCaption(g->Value, std::string("?"))));
}

void ShopEditor::S_Sell1BtnClick() {
  int32_t vnum = 0;
  if (!SelectVnum(*this, 0, vnum)) return;
  int at = m_wc.Goods.IndexOf(vnum);
  if (at >= 0) {
    Status(QStringLiteral(" Предмет %1 уже есть в списке продаваемого").arg(vnum));
  } else {
    m_wc.Goods.Add(vnum);
    at = m_wc.Goods.Count() - 1;
    showGoods();
  }
  Pick(S_SellListBox, at);
  updateButtons();
}

void ShopEditor::S_Sell2BtnClick() {
  const int i = PickedRow(S_SellListBox);
  if (i < 0 || !AskRemoveFromList(*this, "товар")) return;
  m_wc.Goods.Delete(i);
  showGoods();
  Pick(S_SellListBox, std::min(i, S_SellListBox->count() - 1));
  updateButtons();
}

// ------------------------------------------------------------------ rooms

void ShopEditor::showRooms() {
  const QSignalBlocker block(S_RoomListBox);
  S_RoomListBox->clear();
  const World* w = &world();
  for (const auto& r : m_wc.Rooms)
    S_RoomListBox->addItem(
        ToQt(w ? w->Rooms.CaptionOf(r->Value) : NodeCaption(r->Value, std::string("?"))));
}

void ShopEditor::S_Room1BtnClick() {
  const std::string typed = Trim(ReadLine(S_RoomEdit));
  int32_t vnum = 0;
  // -1 ends the list in the file; a negative number is no room.
  if (!ParseInt(typed, vnum) || vnum < 0) {
    Status(QStringLiteral(" Введите номер комнаты: целое число от 0"));
    S_RoomEdit->setFocus();
    S_RoomEdit->selectAll();
    return;
  }
  int at = m_wc.Rooms.IndexOf(vnum);
  if (at >= 0) {
    Status(QStringLiteral(" Комната %1 уже есть в списке").arg(vnum));
  } else {
    m_wc.Rooms.Add(vnum);
    at = m_wc.Rooms.Count() - 1;
    showRooms();
    S_RoomEdit->clear();
    const World* w = &world();
    if (!w || !w->Rooms.Find(vnum))
      Status(QStringLiteral(" Комнаты %1 нет в мире; номер добавлен").arg(vnum));
  }
  Pick(S_RoomListBox, at);
  updateButtons();
}

void ShopEditor::S_Room2BtnClick() {
  const int i = PickedRow(S_RoomListBox);
  if (i < 0 || !AskRemoveFromList(*this, "комнату")) return;
  m_wc.Rooms.Delete(i);
  showRooms();
  Pick(S_RoomListBox, std::min(i, S_RoomListBox->count() - 1));
  updateButtons();
}

// ------------------------------------------------------------------ kinds

void ShopEditor::showTypes(const TypeList& t) {
  const QSignalBlocker block(t.List);
  t.List->clear();
  for (const std::string& e : m_wc.*t.Entries) t.List->addItem(EntryCaption(e));
}

// Appends the entry, or picks the one already listed with its key (type
// numbers) or its keyword.
void ShopEditor::addType(const TypeList& t, std::string entry) {
  std::vector<std::string>& entries = m_wc.*t.Entries;
  const std::string key = EntryKey(entry);
  const bool keyword = key == "-1";
  const auto same = [&](const std::string& e) {
    if (Trim(EntryKey(e)) != key) return false;
    return !keyword || EntryText(e) == EntryText(entry);
  };
  const auto it = std::find_if(entries.begin(), entries.end(), same);
  int at = static_cast<int>(it - entries.begin());
  if (it != entries.end()) {
    Status(QStringLiteral(" \"%1\" уже есть в списке").arg(EntryCaption(*it)));
  } else {
    entries.push_back(std::move(entry));
    showTypes(t);
  }
  Pick(t.List, at);
  updateButtons();
}

void ShopEditor::addKind(const TypeList& t) {
  const std::string key = ReadDict(t.Combo);
  int32_t n = 0;
  if (t.Combo->currentIndex() < 0 || !ParseInt(key, n) || n < 0) {
    Status(QStringLiteral(" Выберите тип предмета"));
    return;
  }
  // The text as the reader gives it for this number.
  const Dictionary* dict =
      Host().Dicts()
          ? Host().Dicts()->Find(t.Combo == S_BuyComboBox ? "shopbuytype" : "shopchangetype")
          : nullptr;
  addType(t, IntText(n) + "=" + (dict ? dict->TextOf(IntText(n)) : FromQt(t.Combo->currentText())));
}

void ShopEditor::addKeyword(const TypeList& t) {
  const std::string word = Trim(ReadLine(t.Edit));
  if (word.empty()) {
    Status(QStringLiteral(" Введите ключевое слово"));
    t.Edit->setFocus();
    return;
  }
  // The game reads the keyword up to the first "~".
  if (word.find('~') != std::string::npos) {
    Status(QStringLiteral(" Ключевое слово не может содержать знак \"~\""));
    t.Edit->setFocus();
    t.Edit->selectAll();
    return;
  }
  addType(t, "-1=" + word);
  t.Edit->clear();
}

void ShopEditor::removeType(const TypeList& t) {
  const int i = PickedRow(t.List);
  std::vector<std::string>& entries = m_wc.*t.Entries;
  if (i < 0 || i >= static_cast<int>(entries.size())) return;
  entries.erase(entries.begin() + i);
  showTypes(t);
  Pick(t.List, std::min(i, t.List->count() - 1));
  updateButtons();
}

void ShopEditor::S_Buy1BtnClick() {
  addKind(buyList());
}
void ShopEditor::S_Buy2BtnClick() {
  removeType(buyList());
}
void ShopEditor::S_Buy3BtnClick() {
  addKeyword(buyList());
}
void ShopEditor::S_Change1BtnClick() {
  addKind(changeList());
}
void ShopEditor::S_Change2BtnClick() {
  removeType(changeList());
}
void ShopEditor::S_Change3BtnClick() {
  addKeyword(changeList());
}

}  // namespace zm
