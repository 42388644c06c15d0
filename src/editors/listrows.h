#pragma once
// The list controls that several editors share: placement rows of reset
// commands (with the selection dialog flows), trigger list boxes and
// ingredient rows.
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class QComboBox;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace zm {

class EditorWindow;
class World;
struct TIngr;
class TIngrList;

inline constexpr int32_t kNoWhere = -2;

// One row's values, kept hidden in the row ("ID", "Cond", "Where", "Chance").
struct PlacementRow {
  int32_t ID = 0;
  std::string Cond = "0";    // key of dictionary zonecond
  int32_t Where = kNoWhere;  // wear position, -1 not worn; kNoWhere: none
  int32_t Chance = 0;        // 0 or less: none
  bool operator==(const PlacementRow&) const = default;
};

// A reset command's condition flag as the row keeps it and back; a key that
// is no flag gives `old`.
std::string CondKey(uint8_t cond);
uint8_t CondFlag(const std::string& key, uint8_t old = 0);
// A TLinkObj's wear position (255 not worn) as the row keeps it and back.
int32_t WhereOf(uint8_t wearPos);
uint8_t WearPosOf(int32_t where);

class PlacementList {
 public:
  struct Columns {
    int Kind = 0;  // 0 object, 1 mobile (the selection dialog's kinds)
    bool HasWhere = false;
    bool HasChance = false;
    const char* Noun = "";  // for the delete question, UTF-8
  };
  PlacementList(EditorWindow& form, QTreeWidget* view, Columns columns);

  QTreeWidget* View() const { return m_view; }
  // The list's click handler: runs when the user or Select moves the
  // current row.
  std::function<void()> OnClick;

  void Clear();
  void Append(const PlacementRow& row);
  void Refill(int i, const PlacementRow& row);
  PlacementRow Row(int i) const;
  int Count() const;
  int Current() const;
  // -1 for no row; the click handler runs.
  void Select(int i);
  // Removes row i and selects the row now at i (or the last one).
  void Remove(int i);

  // The selection dialog: a new row's values, or the current row's values
  // changed. False when cancelled.
  bool AskAdd(PlacementRow& row);
  bool AskChange(PlacementRow& row);
  // "Вы хотите удалить %s из списка?" with the list's noun.
  bool AskDelete() const;

 private:
  void fill(QTreeWidgetItem* item, const PlacementRow& row) const;
  bool runDialog(PlacementRow& row, int32_t vnum, const std::string& cond, int32_t where,
                 int32_t chance);

  EditorWindow& m_form;
  QTreeWidget* m_view;
  Columns m_columns;
};

// Trigger list boxes: "[vnum] name" ("?" for a trigger that does not
// exist); the vnum and the condition are kept in the item.
void AddTriggerItem(QListWidget* list, const World& w, int32_t vnum, uint8_t cond = 0);
int32_t TriggerItemVnum(const QListWidgetItem* item);
uint8_t TriggerItemCond(const QListWidgetItem* item);

// Ingredient rows: the name, then power and chance.
void SetIngrRow(QTreeWidgetItem* row, const TIngr& ingr);
// TIngr's ShowIn and ReadFrom. A name the combo box does not list is shown
// as an item of its own, so that reading gives it back.
void IngrShowIn(const TIngr& ingr, QComboBox* name, QSpinBox* power, QSpinBox* chance);
void IngrReadFrom(TIngr& ingr, const QComboBox* name, const QSpinBox* power,
                  const QSpinBox* chance);

// An ingredient page over the editor's copy of the list: the rows, and the
// name, power and chance of the current one.
class IngrListEdit {
 public:
  IngrListEdit(EditorWindow& form, QTreeWidget* view, QComboBox* name, QSpinBox* power,
               QSpinBox* chance);

  // The first row becomes current (without the click handler).
  void Fill(const TIngrList& ingrs);
  // Nullptr without a current row.
  const TIngr* Current(const TIngrList& ingrs) const;
  void Show(const TIngr& ingr);
  // Nothing without a name chosen.
  void Add(TIngrList& ingrs);
  void Set(TIngrList& ingrs);
  // Asks first; the row after it becomes current (without the click
  // handler). False when nothing was removed.
  bool Remove(TIngrList& ingrs);

 private:
  void select(QTreeWidgetItem* row);

  EditorWindow& m_form;
  QTreeWidget* m_view;
  QComboBox* m_name;
  QSpinBox* m_power;
  QSpinBox* m_chance;
};

}  // namespace zm
