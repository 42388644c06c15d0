#pragma once
// The mobile editor: the six names, descriptions, the numbers and
// dictionary values of the mobile, three dice, the flag sets, ingredients,
// skills and spells, triggers, the path and the helpers.
#include <QSize>
#include <QStringList>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "editors/editorwindow.h"
#include "editors/listedits.h"
#include "model/mobs.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableWidget;
class QTreeWidget;

namespace zm {

class IngrListEdit;

class MobileEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kMobile;
  static QSize DesignedSize() { return {1040, 760}; }

  explicit MobileEditor(EditorHost& host, QWidget* parent = nullptr);
  ~MobileEditor() override;

  // TMob's Edit (after EnsureEditor) and Apply.
  void Edit(TMob& mob);
  void Apply() override;

  const TMob& WorkingCopy() const { return m_wc; }

  // Event handlers, public so that they can be driven like the user does.
  void M_NameBtnClick();
  void M_DiceBtnClick(QPushButton* button);
  void M_IngrComboBoxChange();
  void M_IngrListViewClick();
  void M_IngrAddBtnClick();
  void M_IngrSetBtnClick();
  void M_IngrDelBtnClick();
  void M_TriggerAddBtnClick();
  void M_TriggerSetBtnClick();
  void M_TriggerDelBtnClick();
  void M_PathListBoxClick();
  void M_PathComboBoxChange();
  void M_PathEditChange();
  void M_PathAddBtnClick();
  void M_PathSetBtnClick();
  void M_PathDelBtnClick();
  void M_PathUpBtnClick();
  void M_PathDownBtnClick();
  void M_HelperListBoxClick();
  void M_HelperComboBoxChange();
  void M_HelperEditChange();
  void M_HelperSelectBtnClick();
  void M_HelperAddBtnClick();
  void M_HelperSetBtnClick();
  void M_HelperDelBtnClick();

  // A control's name, its label and the field it shows.
  struct Field {
    const char* Name;
    const char* Label;
    int32_t TMob::*Value;
  };
  struct DiceField {
    const char* Prefix;  // M_HP, M_Damage, M_Money
    const char* Label;
    TDice TMob::*Value;
  };
  // The dictionary drop-downs in the order they are bound, the spin edits,
  // the dice panels.
  static const std::vector<Field>& ComboFields();
  static const std::vector<Field>& SpinFields();
  static const std::array<DiceField, 3>& DiceFields();
  struct DicePanel {
    QSpinBox *Count = nullptr, *Sides = nullptr, *Bonus = nullptr;
    QPushButton* Sign = nullptr;
  };

  // The controls, by the names they carry.
  QPushButton* M_NameBtn = nullptr;
  std::array<QLineEdit*, 6> M_NameEdit{};  // M_NameEdit, M_Name2Edit … M_Name6Edit
  QLineEdit* M_AliasEdit = nullptr;
  QLineEdit* M_DescEdit = nullptr;
  QPlainTextEdit* M_FullDescMemo = nullptr;
  std::vector<QComboBox*> M_Combo;  // in the order of the binding list
  std::vector<QSpinBox*> M_Spin;    // experience, max in world, weight, height, size
  std::array<DicePanel, 3> M_Dice;  // M_HP…, M_Damage…, M_Money…
  QTabWidget* M_PageControl = nullptr;
  QListWidget* M_FlagsCheckListBox = nullptr;
  QListWidget* M_AffectCheckListBox = nullptr;
  QListWidget* M_SpecCheckListBox = nullptr;

  QTreeWidget* M_IngrListView = nullptr;
  QComboBox* M_IngrComboBox = nullptr;
  QSpinBox* M_IngrStrEdit = nullptr;
  QSpinBox* M_IngrChanceEdit = nullptr;
  QPushButton *M_IngrAddBtn = nullptr, *M_IngrSetBtn = nullptr, *M_IngrDelBtn = nullptr;

  QTableWidget* M_SkillStringGrid = nullptr;
  QTableWidget* M_SpellStringGrid = nullptr;

  QListWidget* M_TriggerListBox = nullptr;
  QPushButton *M_TriggerAddBtn = nullptr, *M_TriggerSetBtn = nullptr, *M_TriggerDelBtn = nullptr;

  QListWidget* M_PathListBox = nullptr;
  QPushButton *M_PathUpBtn = nullptr, *M_PathDownBtn = nullptr, *M_PathAddBtn = nullptr,
              *M_PathSetBtn = nullptr, *M_PathDelBtn = nullptr;
  QComboBox* M_PathComboBox = nullptr;
  QSpinBox* M_PathEdit = nullptr;
  QListWidget* M_HelperListBox = nullptr;
  QPushButton *M_HelperAddBtn = nullptr, *M_HelperSetBtn = nullptr, *M_HelperDelBtn = nullptr,
              *M_HelperSelectBtn = nullptr;
  QComboBox* M_HelperComboBox = nullptr;
  QSpinBox* M_HelperEdit = nullptr;

 private:
  // mobform_ui.cpp
  void buildUi();
  QWidget* buildGeneral();
  QWidget* buildDice();
  void connectControls();
  // mobform_pages.cpp
  QWidget* buildIngrPage();
  QTableWidget* buildGrid(const char* name, const QString& col0, const QString& col1);
  QWidget* buildTriggerPage();
  QWidget* buildOtherPage();
  void connectPages();
  // mobform_grids.cpp
  // `add`: entries of one number add up (spell counts); otherwise the last
  // one stands (skill values).
  void showGrid(QTableWidget* grid, QStringList& shown, const char* dict, const TIntList& list,
                bool add);
  void readGrid(QTableWidget* grid, const QStringList& shown, const char* dict, TIntList& list,
                int32_t maxValue);
  // mobform_lists.cpp
  void showIngredients();
  void fillChoices();
  void updateButtons();

  TMob m_wc;  // WorkingCopy
  std::array<TDice, 3> m_shownDice{};
  QStringList m_shownSkills, m_shownSpells;
  std::unique_ptr<VnumListEdit> m_triggers, m_path, m_helpers;
  std::unique_ptr<IngrListEdit> m_ingrs;
  int m_updating = 0;
};

// The mobile kind's opener.
void RegisterMobEditor(EditorHost& host);

}  // namespace zm
