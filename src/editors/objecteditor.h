#pragma once
// The object editor: the six names, descriptions, the numbers every object
// has, one panel of values chosen by the object's type, the five flag sets,
// extra descriptions, applies and triggers.
#include <QSize>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "editors/editorwindow.h"
#include "editors/listedits.h"
#include "model/objs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace zm {

class ExtraDescEdit;

class ObjectEditor : public EditorWindow {
  Q_OBJECT
 public:
  static constexpr RecordKind kKind = kObject;
  static QSize DesignedSize() { return {840, 660}; }

  explicit ObjectEditor(EditorHost& host, QWidget* parent = nullptr);
  ~ObjectEditor() override;

  // TObj's Edit (after EnsureEditor) and Apply.
  void Edit(TObj& obj);
  void Apply() override;

  const TObj& WorkingCopy() const { return m_wc; }
  // The type whose panel is shown (0 when none is chosen).
  int32_t ChosenType() const;

  // Event handlers, public so that they can be driven like the user does.
  void O_NameBtnClick();
  void O_TypeComboBoxChange();
  void O_T5DiceChange();
  void O_AddDescListBoxClick();
  void O_ADAddBtnClick();
  void O_ADSetBtnClick();
  void O_ADDelBtnClick();
  void O_SpecListViewClick();
  void O_SpecAddBtnClick();
  void O_SpecSetBtnClick();
  void O_SpecDelBtnClick();
  void O_TriggerAddBtnClick();
  void O_TriggerSetBtnClick();
  void O_TriggerDelBtnClick();

  // The controls, by the names they carry.
  QPushButton* O_NameBtn = nullptr;
  std::array<QLineEdit*, 6> O_NameEdit{};  // O_NameEdit, O_Name2Edit … O_Name6Edit
  QLineEdit* O_AliasEdit = nullptr;
  QLineEdit* O_DescEdit = nullptr;
  QLineEdit* O_UseDescEdit = nullptr;
  QComboBox* O_TypeComboBox = nullptr;
  QComboBox* O_KindComboBox = nullptr;
  QSpinBox* O_TimerEdit = nullptr;
  QComboBox* O_TimerComboBox = nullptr;
  QSpinBox* O_PriceEdit = nullptr;
  QSpinBox* O_RentInvEdit = nullptr;
  QSpinBox* O_RentWearEdit = nullptr;
  QSpinBox* O_WeightEdit = nullptr;
  QComboBox* O_MaterialComboBox = nullptr;
  QComboBox* O_WearComboBox = nullptr;
  QSpinBox* O_WearEdit = nullptr;
  QSpinBox* O_MaxInWorldEdit = nullptr;
  QComboBox* O_SpellComboBox = nullptr;
  QSpinBox* O_SpellLevelEdit = nullptr;
  QTabWidget* O_PageControl = nullptr;
  QListWidget* O_EffectCheckListBox = nullptr;
  QListWidget* O_AffectCheckListBox = nullptr;
  QListWidget* O_NotakeCheckListBox = nullptr;
  QListWidget* O_NouseCheckListBox = nullptr;
  QListWidget* O_WearCheckListBox = nullptr;

  QListWidget* O_AddDescListBox = nullptr;
  QWidget* O_AddDescPanel = nullptr;
  QLineEdit* O_AddDescEdit = nullptr;
  QPlainTextEdit* O_AddDescMemo = nullptr;
  QPushButton *O_ADAddBtn = nullptr, *O_ADSetBtn = nullptr, *O_ADDelBtn = nullptr;

  QTreeWidget* O_SpecListView = nullptr;
  QComboBox* O_SpecComboBox = nullptr;
  QSpinBox* O_SpecEdit = nullptr;
  QPushButton *O_SpecAddBtn = nullptr, *O_SpecSetBtn = nullptr, *O_SpecDelBtn = nullptr;

  QListWidget* O_TriggerListBox = nullptr;
  QPushButton *O_TriggerAddBtn = nullptr, *O_TriggerSetBtn = nullptr, *O_TriggerDelBtn = nullptr;

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
  // objform_ui.cpp
  void buildUi();
  QWidget* buildGeneral();
  QWidget* buildExtraPage();
  QWidget* buildSpecPage();
  QWidget* buildTriggerPage();
  void connectControls();
  // objform_types.cpp
  QWidget* buildTypePanels();
  void showValues(const TObj& o);
  void readValues(TObj& o);
  // objform_pages.cpp
  void showExtras();
  void showApplies();
  void updateButtons();

  TObj m_wc;  // WorkingCopy
  std::unique_ptr<VnumListEdit> m_triggers;
  std::unique_ptr<ExtraDescEdit> m_extras;
  int m_updating = 0;
};

// The object kind's opener.
void RegisterObjEditor(EditorHost& host);

}  // namespace zm
