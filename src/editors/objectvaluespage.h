#pragma once
// The object editor's "Тип" page: one panel per type that gives the four
// values a meaning, the chosen type's panel shown.
#include <array>
#include <map>

#include "editors/editorpage.h"

class QComboBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace zm {

class TObj;

class ObjectValuesPage : public EditorPage {
  Q_OBJECT
 public:
  ObjectValuesPage(EditorWindow& editor, TObj& wc, QWidget* parent = nullptr);

  void ShowRecord() override;
  // Only the chosen type's panel: a value it leaves untouched stays.
  void StoreRecord() override;

  // The panel of `type` shown, and read back by StoreRecord; none for 0 or a
  // type without one.
  void ShowType(int32_t type);

  // Event handlers, public so that they can be driven like the user does.
  void O_T5DiceChange();

  // Type panels, by type.
  std::map<int32_t, QWidget*> O_Panel;
  QSpinBox* O_TLightEdit = nullptr;
  // Types 2 and 10: a level and three spells.
  struct SpellsPanel {
    QSpinBox* Level = nullptr;
    std::array<QComboBox*, 3> Spell{};
  };
  SpellsPanel O_T2, O_T10;
  // Types 3 and 4: level, charges, spell.
  struct ChargesPanel {
    QSpinBox *Level = nullptr, *Qty = nullptr, *Count = nullptr;
    QComboBox* Spell = nullptr;
  };
  ChargesPanel O_T3, O_T4;
  QSpinBox *O_T5Dice1Edit = nullptr, *O_T5Dice2Edit = nullptr;
  QLabel* O_T5DicePanel = nullptr;
  QComboBox* O_T5ComboBox = nullptr;
  QComboBox* O_SkillComboBox = nullptr;
  QSpinBox *O_T9ACEdit = nullptr, *O_T9ArmourEdit = nullptr;
  QSpinBox* O_T15Edit1 = nullptr;
  QListWidget* O_T15CheckListBox = nullptr;
  QSpinBox* O_T15Edit2 = nullptr;
  // Types 17 and 23: liquid container.
  struct DrinkPanel {
    QSpinBox *Max = nullptr, *Cur = nullptr;
    QComboBox* Liquid = nullptr;
    QSpinBox* Poison = nullptr;
  };
  DrinkPanel O_T17, O_T23;
  QSpinBox *O_T19Edit1 = nullptr, *O_T19Edit2 = nullptr;
  QSpinBox* O_T20Edit = nullptr;
  QComboBox* O_T24SpellComboBox = nullptr;
  QListWidget* O_T25CheckListBox = nullptr;
  QSpinBox *O_T25Edit1 = nullptr, *O_T25Edit2 = nullptr, *O_T25Edit3 = nullptr,
           *O_T25Edit4 = nullptr;

 private:
  TObj& m_wc;
  int32_t m_type = 0;
};

}  // namespace zm
