#include "editors/objectgeneralpage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <limits>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/objs.h"

namespace zm {
namespace {

// Minutes in one unit of O_TimerComboBox.
constexpr std::array<int32_t, 3> kTimerFactor = {1, 60, 1440};

bool HasActionDescription(int32_t type) {
  return type == 2 || type == 3 || type == 4 || type == 10;
}

}  // namespace

ObjectGeneralPage::ObjectGeneralPage(EditorWindow& editor, TObj& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);

  // Left: names and descriptions.
  auto* names = new QGridLayout();
  NameRows(names, this, "O_", &O_NameBtn, O_NameEdit, &O_AliasEdit);
  auto* descs = new QGroupBox(QStringLiteral("Описание"), this);
  auto* descForm = new QFormLayout(descs);
  O_DescEdit = Named(new QLineEdit(descs), "O_DescEdit");
  descForm->addRow(O_DescEdit);
  O_UseDescEdit = Named(new QLineEdit(descs), "O_UseDescEdit");
  descForm->addRow(QStringLiteral("При действии"), O_UseDescEdit);
  names->addWidget(descs, 7, 0, 1, 2);
  names->setColumnStretch(1, 1);
  row->addLayout(names, 3);

  // Right: the numbers every object has.
  auto* nums = new QGridLayout();
  int r = 0;
  auto add = [&](const char* label, QWidget* w, QWidget* w2 = nullptr) {
    nums->addWidget(new QLabel(QString::fromUtf8(label), this), r, 0);
    if (w2) {
      auto* pair = new QHBoxLayout();
      pair->addWidget(w, 1);
      pair->addWidget(w2, 1);
      nums->addLayout(pair, r, 1);
    } else {
      nums->addWidget(w, r, 1);
    }
    ++r;
  };
  O_TypeComboBox = Combo(this, QStringLiteral("O_TypeComboBox"), 12);
  add("Тип", O_TypeComboBox);
  O_KindComboBox = Combo(this, QStringLiteral("O_KindComboBox"), 12);
  add("Род", O_KindComboBox);
  O_TimerEdit = Spin(this, QStringLiteral("O_TimerEdit"));
  O_TimerComboBox = Named(new QComboBox(this), "O_TimerComboBox");
  O_TimerComboBox->addItems(
      {QStringLiteral("минут"), QStringLiteral("часов"), QStringLiteral("суток")});
  add("Таймер", O_TimerEdit, O_TimerComboBox);
  O_PriceEdit = Spin(this, QStringLiteral("O_PriceEdit"));
  add("Цена", O_PriceEdit);
  O_RentInvEdit = Spin(this, QStringLiteral("O_RentInvEdit"));
  O_RentWearEdit = Spin(this, QStringLiteral("O_RentWearEdit"));
  add("Цена ренты", O_RentInvEdit, O_RentWearEdit);
  O_WeightEdit = Spin(this, QStringLiteral("O_WeightEdit"));
  add("Вес", O_WeightEdit);
  O_MaterialComboBox = Combo(this, QStringLiteral("O_MaterialComboBox"), 12);
  add("Материал", O_MaterialComboBox);
  O_WearComboBox = Combo(this, QStringLiteral("O_WearComboBox"), 12);
  O_WearComboBox->setMinimumContentsLength(6);
  O_WearEdit = Spin(this, QStringLiteral("O_WearEdit"));
  add("Прочность: макс., тек.", O_WearComboBox, O_WearEdit);
  O_MaxInWorldEdit = Spin(this, QStringLiteral("O_MaxInWorldEdit"));
  add("Макс. кол-во в мире", O_MaxInWorldEdit);
  O_SpellComboBox = Combo(this, QStringLiteral("O_SpellComboBox"), 12);
  add("Заклинание", O_SpellComboBox);
  O_SpellLevelEdit = Spin(this, QStringLiteral("O_SpellLevelEdit"));
  add("Уровень", O_SpellLevelEdit);
  nums->setRowStretch(r, 1);
  row->addLayout(nums, 2);

  connect(O_NameBtn, &QPushButton::clicked, this, &ObjectGeneralPage::O_NameBtnClick);
  connect(O_TypeComboBox, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) O_TypeComboBoxChange();
  });
  for (QWidget* c :
       {O_TypeComboBox, O_KindComboBox, O_MaterialComboBox, O_WearComboBox, O_SpellComboBox})
    editor.BindDictionary(c);
  O_TimerComboBox->setCurrentIndex(editor.Memory().TimerUnit);
}

void ObjectGeneralPage::ShowRecord() {
  EditorWindow& e = Editor();
  const TObj& obj = m_wc;
  ++m_updating;
  for (size_t i = 0; i < O_NameEdit.size(); ++i) ShowLine(O_NameEdit[i], obj.Names[i]);
  ShowLine(O_AliasEdit, obj.Aliases);
  ShowLine(O_DescEdit, obj.Description);
  ShowLine(O_UseDescEdit, obj.ActionDescription);

  e.ShowDictInt(O_KindComboBox, obj.Gender);
  e.ShowDictInt(O_MaterialComboBox, obj.Material);
  e.ShowDictInt(O_WearComboBox, obj.MaxDurability);
  e.ShowDictInt(O_SpellComboBox, obj.Spell);
  e.ShowDictInt(O_TypeComboBox, obj.ObjType);
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
  e.Memory().TimerUnit = unit;
  --m_updating;
  O_TypeComboBoxChange();
}

void ObjectGeneralPage::StoreRecord() {
  EditorWindow& e = Editor();
  TObj& obj = m_wc;
  for (size_t i = 0; i < O_NameEdit.size(); ++i) obj.Names[i] = ReadLine(O_NameEdit[i]);
  obj.Aliases = ReadLine(O_AliasEdit);
  obj.Description = ReadLine(O_DescEdit);
  obj.ActionDescription = ReadLine(O_UseDescEdit);

  obj.Gender = e.ReadDictInt(O_KindComboBox, obj.Gender);
  obj.Material = e.ReadDictInt(O_MaterialComboBox, obj.Material);
  obj.MaxDurability = e.ReadDictInt(O_WearComboBox, obj.MaxDurability);
  obj.Spell = e.ReadDictInt(O_SpellComboBox, obj.Spell);
  obj.ObjType = e.ReadDictInt(O_TypeComboBox, obj.ObjType);
  obj.Durability = O_WearEdit->value();
  obj.MaxInWorld = O_MaxInWorldEdit->value();
  obj.SpellLevel = O_SpellLevelEdit->value();
  obj.Weight = O_WeightEdit->value();
  obj.Price = O_PriceEdit->value();
  obj.Rent = O_RentInvEdit->value();
  obj.RentWorn = O_RentWearEdit->value();

  const int unit = std::clamp(O_TimerComboBox->currentIndex(), 0, 2);
  const int64_t minutes = int64_t{O_TimerEdit->value()} * kTimerFactor[static_cast<size_t>(unit)];
  obj.Timer = static_cast<int32_t>(std::clamp<int64_t>(minutes, std::numeric_limits<int32_t>::min(),
                                                       std::numeric_limits<int32_t>::max()));
  e.Memory().TimerUnit = unit;
}

int32_t ObjectGeneralPage::ChosenType() const {
  return std::max(Editor().ReadDictInt(O_TypeComboBox, 0), 0);
}

void ObjectGeneralPage::O_TypeComboBoxChange() {
  const int32_t type = ChosenType();
  O_UseDescEdit->setEnabled(HasActionDescription(type));
  emit TypeChosen(type);
}

void ObjectGeneralPage::O_NameBtnClick() {
  DeclineNameFields(Editor(), O_NameEdit, Animacy::Inanimate);
}

}  // namespace zm
