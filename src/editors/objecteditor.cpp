#include "editors/objecteditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <algorithm>
#include <limits>

#include "common/reporter.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "model/world.h"

namespace zm {
namespace {

// Minutes in one unit of O_TimerComboBox.
constexpr std::array<int32_t, 3> kTimerFactor = {1, 60, 1440};

bool HasActionDescription(int32_t type) {
  return type == 2 || type == 3 || type == 4 || type == 10;
}

}  // namespace

ObjectEditor::ObjectEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kObject, parent) {
  setObjectName("ObjForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  for (QWidget* c : std::initializer_list<QWidget*>{
           O_TypeComboBox,      O_KindComboBox,       O_SkillComboBox,      O_MaterialComboBox,
           O_WearComboBox,      O_EffectCheckListBox, O_AffectCheckListBox, O_NotakeCheckListBox,
           O_NouseCheckListBox, O_WearCheckListBox,   O_SpecComboBox,       O_SpellComboBox,
           O_T2.Spell[0],       O_T2.Spell[1],        O_T2.Spell[2],        O_T3.Spell,
           O_T4.Spell,          O_T10.Spell[0],       O_T10.Spell[1],       O_T10.Spell[2],
           O_T24SpellComboBox,  O_T17.Liquid,         O_T23.Liquid,         O_T5ComboBox,
           O_T25CheckListBox,   O_T15CheckListBox})
    BindDictionary(c);
  ApplyHints();
  O_TimerComboBox->setCurrentIndex(Memory().TimerUnit);
  updateButtons();
}

ObjectEditor::~ObjectEditor() = default;

void ObjectEditor::Edit(TObj& obj) {
  ++m_updating;
  m_wc = obj;
  LinkRecord(&obj);
  SetCaption(obj.Vnum, obj.Names[0]);
  for (size_t i = 0; i < O_NameEdit.size(); ++i) ShowLine(O_NameEdit[i], obj.Names[i]);
  ShowLine(O_AliasEdit, obj.Aliases);
  ShowLine(O_DescEdit, obj.Description);
  ShowLine(O_UseDescEdit, obj.ActionDescription);

  ShowDictInt(O_KindComboBox, obj.Gender);
  ShowDictInt(O_MaterialComboBox, obj.Material);
  ShowDictInt(O_WearComboBox, obj.MaxDurability);
  ShowDictInt(O_SpellComboBox, obj.Spell);
  ShowDictInt(O_TypeComboBox, obj.ObjType);
  ShowDict(O_EffectCheckListBox, obj.Effects);
  ShowDict(O_AffectCheckListBox, obj.Affects);
  ShowDict(O_NotakeCheckListBox, obj.NoTake);
  ShowDict(O_NouseCheckListBox, obj.NoUse);
  ShowDict(O_WearCheckListBox, obj.WearFlags);
  O_WearEdit->setValue(obj.Durability);
  O_MaxInWorldEdit->setValue(obj.MaxInWorld);
  O_SpellLevelEdit->setValue(obj.SpellLevel);
  O_WeightEdit->setValue(obj.Weight);
  O_PriceEdit->setValue(obj.Price);
  O_RentInvEdit->setValue(obj.Rent);
  O_RentWearEdit->setValue(obj.RentWorn);

  int unit = 1;
  if (obj.Timer % kTimerFactor[2] == 0)
    unit = 2;
  else if (obj.Timer % kTimerFactor[1] != 0)
    unit = 0;
  O_TimerEdit->setValue(obj.Timer / kTimerFactor[static_cast<size_t>(unit)]);
  O_TimerComboBox->setCurrentIndex(unit);
  Memory().TimerUnit = unit;

  showValues(obj);
  --m_updating;
  O_TypeComboBoxChange();
  showExtras();
  showApplies();
  std::vector<int32_t> triggers;
  for (const auto& t : obj.Triggers) triggers.push_back(t->Value);
  m_triggers->Show(triggers);
  updateButtons();
}

void ObjectEditor::Apply() {
  auto* obj = static_cast<TObj*>(LinkedRecord());
  if (!obj) return;
  for (size_t i = 0; i < O_NameEdit.size(); ++i) obj->Names[i] = ReadLine(O_NameEdit[i]);
  RefreshNode(*obj, obj->Names[0]);
  obj->Aliases = ReadLine(O_AliasEdit);
  obj->Description = ReadLine(O_DescEdit);
  obj->ActionDescription = ReadLine(O_UseDescEdit);

  obj->Gender = ReadDictInt(O_KindComboBox, obj->Gender);
  obj->Material = ReadDictInt(O_MaterialComboBox, obj->Material);
  obj->MaxDurability = ReadDictInt(O_WearComboBox, obj->MaxDurability);
  obj->Spell = ReadDictInt(O_SpellComboBox, obj->Spell);
  obj->ObjType = ReadDictInt(O_TypeComboBox, obj->ObjType);
  obj->Effects = ReadDict(O_EffectCheckListBox);
  obj->Affects = ReadDict(O_AffectCheckListBox);
  obj->NoTake = ReadDict(O_NotakeCheckListBox);
  obj->NoUse = ReadDict(O_NouseCheckListBox);
  obj->WearFlags = ReadDict(O_WearCheckListBox);
  obj->Durability = O_WearEdit->value();
  obj->MaxInWorld = O_MaxInWorldEdit->value();
  obj->SpellLevel = O_SpellLevelEdit->value();
  obj->Weight = O_WeightEdit->value();
  obj->Price = O_PriceEdit->value();
  obj->Rent = O_RentInvEdit->value();
  obj->RentWorn = O_RentWearEdit->value();

  const int unit = std::clamp(O_TimerComboBox->currentIndex(), 0, 2);
  const int64_t minutes = int64_t{O_TimerEdit->value()} * kTimerFactor[static_cast<size_t>(unit)];
  obj->Timer = static_cast<int32_t>(std::clamp<int64_t>(
      minutes, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
  Memory().TimerUnit = unit;

  readValues(*obj);
  obj->ExtraDescs = m_wc.ExtraDescs;
  obj->Applies = m_wc.Applies;
  obj->Triggers.Clear();
  for (int32_t v : m_triggers->Values()) obj->Triggers.Add(v);
}

int32_t ObjectEditor::ChosenType() const {
  return std::max(ReadDictInt(O_TypeComboBox, 0), 0);
}

void ObjectEditor::O_TypeComboBoxChange() {
  const int32_t type = ChosenType();
  for (auto& [t, panel] : O_Panel) panel->setVisible(t == type);
  O_UseDescEdit->setEnabled(HasActionDescription(type));
}

void ObjectEditor::O_NameBtnClick() {
  DeclineNameFields(*this, O_NameEdit, Animacy::Inanimate);
}

void RegisterObjEditor(EditorHost& host) {
  host.Windows().Register(kObject, [&host](TMUDClass& rec) {
    EnsureEditor<ObjectEditor>(host)->Edit(static_cast<TObj&>(rec));
  });
}

}  // namespace zm
