// Every panel is filled when an object is shown, so that choosing another
// type shows the values as that type reads them; only the chosen type's panel
// is read back, and a value that panel leaves untouched comes back exactly as
// it was.
#include "editors/objectvaluespage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/objs.h"

namespace zm {
namespace {

constexpr const char* kShownText = "zmShownText";
constexpr const char* kShownNumber = "zmShownNumber";

QLabel* Note(QWidget* parent, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setWordWrap(true);
  return label;
}

int32_t NumberOf(const std::string& text) {
  int32_t v = 0;
  return ParseInt(text, v) ? v : 0;
}

// Value0 is text in the record: the spin gives back the very text it was
// shown (an empty one included) until its number is changed.
void ShowValue0(QSpinBox* spin, const std::string& text) {
  const int32_t v = NumberOf(text);
  spin->setValue(v);
  spin->setProperty(kShownText, QByteArray(text.data(), static_cast<qsizetype>(text.size())));
  spin->setProperty(kShownNumber, v);
}

std::string ReadValue0(const QSpinBox* spin) {
  if (spin->value() == spin->property(kShownNumber).toInt()) {
    const QByteArray b = spin->property(kShownText).toByteArray();
    return std::string(b.constData(), static_cast<size_t>(b.size()));
  }
  return IntText(spin->value());
}

// Type 25 keeps lag and level in the low two bytes of Value0; the bytes above
// them stay as they were.
constexpr uint32_t kLagMask = 0xFF, kLevelShift = 8, kLowMask = 0xFFFF;
// Type 15: the container flags are the low four bits of Value1.
constexpr int kContainerFlags = 4;

}  // namespace

ObjectValuesPage::ObjectValuesPage(EditorWindow& editor, TObj& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  auto panel = [&](int32_t type) {
    auto* p = Named(new QWidget(this), QStringLiteral("O_Panel%1").arg(type));
    auto* form = new QFormLayout(p);
    form->setContentsMargins(0, 0, 0, 0);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    O_Panel[type] = p;
    lay->addWidget(p);
    return std::pair{p, form};
  };

  {
    auto [p, f] = panel(1);
    O_TLightEdit = Spin(p, QStringLiteral("O_TLightEdit"));
    f->addRow(QStringLiteral("Запас света (в игровых часах)"), O_TLightEdit);
    f->addRow(Note(p, "-1: Вечный источник света"));
    f->addRow(Note(p, "0: Выжженый источник"));
  }
  auto spells = [&](int32_t type, SpellsPanel& s, const char* what) {
    auto [p, f] = panel(type);
    s.Level = Spin(p, QStringLiteral("O_T%1LevelEdit").arg(type));
    f->addRow(QStringLiteral(" Уровень, на котором будут колдоваться заклинания %1")
                  .arg(QString::fromUtf8(what)),
              s.Level);
    for (int i = 0; i < 3; ++i) {
      s.Spell[static_cast<size_t>(i)] =
          Combo(p, QStringLiteral("O_T%1Spell%2ComboBox").arg(type).arg(i + 1));
      f->addRow(QStringLiteral("Заклинание %1").arg(i + 1), s.Spell[static_cast<size_t>(i)]);
    }
  };
  auto charges = [&](int32_t type, ChargesPanel& c, const char* what) {
    auto [p, f] = panel(type);
    c.Level = Spin(p, QStringLiteral("O_T%1LevelEdit").arg(type));
    f->addRow(QStringLiteral(" Уровень, на котором будут колдоваться заклинания %1")
                  .arg(QString::fromUtf8(what)),
              c.Level);
    c.Qty = Spin(p, QStringLiteral("O_T%1QtyEdit").arg(type));
    f->addRow(QStringLiteral("Сколько зарядов может быть (>=1)"), c.Qty);
    c.Count = Spin(p, QStringLiteral("O_T%1CountEdit").arg(type));
    f->addRow(QStringLiteral("Текущее количество зарядов"), c.Count);
    c.Spell = Combo(p, QStringLiteral("O_T%1SpellComboBox").arg(type));
    f->addRow(QStringLiteral("Заклинание"), c.Spell);
  };
  auto drink = [&](int32_t type, DrinkPanel& d) {
    auto [p, f] = panel(type);
    d.Max = Spin(p, QStringLiteral("O_T%1Edit1").arg(type));
    f->addRow(QStringLiteral("Максимальное количество жидкости"), d.Max);
    d.Cur = Spin(p, QStringLiteral("O_T%1Edit2").arg(type));
    f->addRow(QStringLiteral("Текущее количество жидкости"), d.Cur);
    d.Liquid = Combo(p, QStringLiteral("O_T%1ComboBox").arg(type));
    f->addRow(QStringLiteral("Тип жидкости"), d.Liquid);
    d.Poison = Spin(p, QStringLiteral("O_T%1Edit3").arg(type));
    f->addRow(QStringLiteral("Если питье отравлено поставьте тут уровень яда, иначе 0"), d.Poison);
  };

  spells(2, O_T2, "снадобья");
  charges(3, O_T3, "палочки");
  charges(4, O_T4, "посоха");
  {
    auto [p, f] = panel(5);
    auto* dice = new QHBoxLayout();
    O_T5Dice1Edit = Spin(p, QStringLiteral("O_T5Dice1Edit"));
    O_T5Dice2Edit = Spin(p, QStringLiteral("O_T5Dice2Edit"));
    dice->addWidget(O_T5Dice1Edit, 1);
    dice->addWidget(new QLabel(QStringLiteral("d"), p));
    dice->addWidget(O_T5Dice2Edit, 1);
    f->addRow(QStringLiteral("Диапазон повреждений"), dice);
    O_T5DicePanel = Named(new QLabel(p), "O_T5DicePanel");
    O_T5DicePanel->setFrameShape(QFrame::Panel);
    O_T5DicePanel->setFrameShadow(QFrame::Sunken);
    f->addRow(QStringLiteral("Среднее значение"), O_T5DicePanel);
    O_T5ComboBox = Combo(p, QStringLiteral("O_T5ComboBox"));
    f->addRow(QStringLiteral("Тип сообщений при нанесении повреждений"), O_T5ComboBox);
    O_SkillComboBox = Combo(p, QStringLiteral("O_SkillComboBox"));
    f->addRow(QStringLiteral("Тренируемый скилл"), O_SkillComboBox);
  }
  {
    auto [p, f] = panel(9);
    O_T9ACEdit = Spin(p, QStringLiteral("O_T9ACEdit"));
    f->addRow(QStringLiteral("AC брони (влияет на вероятность попадания)"), O_T9ACEdit);
    O_T9ArmourEdit = Spin(p, QStringLiteral("O_T9ArmourEdit"));
    f->addRow(QStringLiteral("ARMOUR брони (влияет на силу попадания в %)"), O_T9ArmourEdit);
    f->addRow(Note(p, "Значения больше 0 улучшают AC и ARMOUR, меньше -"));
    f->addRow(Note(p, "ухудшают (например, проклятые доспехи)"));
  }
  spells(10, O_T10, "напитка");
  {
    auto [p, f] = panel(15);
    O_T15Edit1 = Spin(p, QStringLiteral("O_T15Edit1"));
    f->addRow(QStringLiteral("Вместимость (максимальный вес внутри) контейнера"), O_T15Edit1);
    O_T15CheckListBox = Named(new QListWidget(p), "O_T15CheckListBox");
    O_T15CheckListBox->setMaximumHeight(90);
    f->addRow(O_T15CheckListBox);
    O_T15Edit2 = Spin(p, QStringLiteral("O_T15Edit2"));
    f->addRow(QStringLiteral("Виртуальный номер ключа, открывающего контейнер. -1, если нет ключа"),
              O_T15Edit2);
  }
  drink(17, O_T17);
  {
    auto [p, f] = panel(19);
    O_T19Edit1 = Spin(p, QStringLiteral("O_T19Edit1"));
    f->addRow(QStringLiteral("Количество часов голода, удовлетворенных едой"), O_T19Edit1);
    O_T19Edit2 = Spin(p, QStringLiteral("O_T19Edit2"));
    f->addRow(QStringLiteral("Уровень яда, если еда отравлена, 0 в противном случае"), O_T19Edit2);
  }
  {
    auto [p, f] = panel(20);
    O_T20Edit = Spin(p, QStringLiteral("O_T20Edit"));
    f->addRow(QStringLiteral("Количество стальных монет в куче"), O_T20Edit);
  }
  drink(23, O_T23);
  {
    auto [p, f] = panel(24);
    O_T24SpellComboBox = Combo(p, QStringLiteral("O_T24SpellComboBox"));
    f->addRow(QStringLiteral("Заклинание"), O_T24SpellComboBox);
  }
  {
    auto [p, f] = panel(25);
    O_T25CheckListBox = Named(new QListWidget(p), "O_T25CheckListBox");
    O_T25CheckListBox->setMaximumHeight(110);
    f->addRow(QStringLiteral("Флаги"), O_T25CheckListBox);
    O_T25Edit3 = Named(new QSpinBox(p), "O_T25Edit3");
    O_T25Edit3->setRange(0, 255);
    f->addRow(QStringLiteral("Лаг (в секундах)"), O_T25Edit3);
    O_T25Edit4 = Named(new QSpinBox(p), "O_T25Edit4");
    O_T25Edit4->setRange(0, 255);
    f->addRow(QStringLiteral("Уровень"), O_T25Edit4);
    O_T25Edit1 = Spin(p, QStringLiteral("O_T25Edit1"));
    f->addRow(QStringLiteral("Прототип ингредиента"), O_T25Edit1);
    O_T25Edit2 = Spin(p, QStringLiteral("O_T25Edit2"));
    f->addRow(QStringLiteral("Осталось применений"), O_T25Edit2);
  }
  lay->addStretch(1);
  for (auto& [type, p] : O_Panel) p->hide();

  connect(O_T5Dice1Edit, &QSpinBox::valueChanged, this, &ObjectValuesPage::O_T5DiceChange);
  connect(O_T5Dice2Edit, &QSpinBox::valueChanged, this, &ObjectValuesPage::O_T5DiceChange);
  for (QWidget* c : std::initializer_list<QWidget*>{
           O_SkillComboBox, O_T2.Spell[0], O_T2.Spell[1], O_T2.Spell[2], O_T3.Spell, O_T4.Spell,
           O_T10.Spell[0], O_T10.Spell[1], O_T10.Spell[2], O_T24SpellComboBox, O_T17.Liquid,
           O_T23.Liquid, O_T5ComboBox, O_T25CheckListBox, O_T15CheckListBox})
    editor.BindDictionary(c);
}

void ObjectValuesPage::ShowType(int32_t type) {
  m_type = type;
  for (auto& [t, panel] : O_Panel) panel->setVisible(t == type);
}

void ObjectValuesPage::ShowRecord() {
  EditorWindow& e = Editor();
  const TObj& o = m_wc;
  ShowValue0(O_TLightEdit, o.Value0);

  for (SpellsPanel* s : {&O_T2, &O_T10}) {
    ShowValue0(s->Level, o.Value0);
    e.ShowDictInt(s->Spell[0], o.Value1);
    e.ShowDictInt(s->Spell[1], o.Value2);
    e.ShowDictInt(s->Spell[2], o.Value3);
  }
  for (ChargesPanel* c : {&O_T3, &O_T4}) {
    ShowValue0(c->Level, o.Value0);
    c->Qty->setValue(o.Value1);
    c->Count->setValue(o.Value2);
    e.ShowDictInt(c->Spell, o.Value3);
  }

  O_T5Dice1Edit->setValue(o.Value1);
  O_T5Dice2Edit->setValue(o.Value2);
  O_T5DiceChange();
  e.ShowDictInt(O_T5ComboBox, o.Value3);
  e.ShowDictInt(O_SkillComboBox, o.SkillOrMagicFlags.Number);

  ShowValue0(O_T9ACEdit, o.Value0);
  O_T9ArmourEdit->setValue(o.Value1);

  ShowValue0(O_T15Edit1, o.Value0);
  for (int i = 0; i < std::min(kContainerFlags, O_T15CheckListBox->count()); ++i)
    O_T15CheckListBox->item(i)->setCheckState((o.Value1 >> i) & 1 ? Qt::Checked : Qt::Unchecked);
  O_T15Edit2->setValue(o.Value2);

  for (DrinkPanel* d : {&O_T17, &O_T23}) {
    ShowValue0(d->Max, o.Value0);
    d->Cur->setValue(o.Value1);
    e.ShowDictInt(d->Liquid, o.Value2);
    d->Poison->setValue(o.Value3);
  }

  ShowValue0(O_T19Edit1, o.Value0);
  O_T19Edit2->setValue(o.Value1);
  ShowValue0(O_T20Edit, o.Value0);

  // Type 24 shows "no spell" (0 in the file) as the dictionary's entry -1.
  e.ShowDictInt(O_T24SpellComboBox, o.Value1 == 0 ? -1 : o.Value1);

  e.ShowDict(O_T25CheckListBox, o.SkillOrMagicFlags.Text);
  const auto v0 = static_cast<uint32_t>(NumberOf(o.Value0));
  O_T25Edit3->setValue(static_cast<int>(v0 & kLagMask));
  O_T25Edit4->setValue(static_cast<int>((v0 >> kLevelShift) & kLagMask));
  O_T25Edit1->setValue(o.Value1);
  O_T25Edit2->setValue(o.Value2);
}

void ObjectValuesPage::StoreRecord() {
  EditorWindow& e = Editor();
  TObj& o = m_wc;
  switch (m_type) {
    case 1:
      o.Value0 = ReadValue0(O_TLightEdit);
      break;
    case 2:
    case 10: {
      const SpellsPanel& s = m_type == 2 ? O_T2 : O_T10;
      o.Value0 = ReadValue0(s.Level);
      o.Value1 = e.ReadDictInt(s.Spell[0], o.Value1);
      o.Value2 = e.ReadDictInt(s.Spell[1], o.Value2);
      o.Value3 = e.ReadDictInt(s.Spell[2], o.Value3);
      break;
    }
    case 3:
    case 4: {
      const ChargesPanel& c = m_type == 3 ? O_T3 : O_T4;
      o.Value0 = ReadValue0(c.Level);
      o.Value1 = c.Qty->value();
      o.Value2 = c.Count->value();
      o.Value3 = e.ReadDictInt(c.Spell, o.Value3);
      break;
    }
    case 5: {
      o.Value1 = O_T5Dice1Edit->value();
      o.Value2 = O_T5Dice2Edit->value();
      o.Value3 = e.ReadDictInt(O_T5ComboBox, o.Value3);
      const int32_t skill = e.ReadDictInt(O_SkillComboBox, o.SkillOrMagicFlags.Number);
      if (skill != o.SkillOrMagicFlags.Number) {
        // As the file would give it back: the number's own text, none for 0.
        o.SkillOrMagicFlags.Number = skill;
        o.SkillOrMagicFlags.Text = skill == 0 ? std::string() : IntText(skill);
      }
      break;
    }
    case 9:
      o.Value0 = ReadValue0(O_T9ACEdit);
      o.Value1 = O_T9ArmourEdit->value();
      break;
    case 15: {
      o.Value0 = ReadValue0(O_T15Edit1);
      uint32_t bits = static_cast<uint32_t>(o.Value1);
      for (int i = 0; i < std::min(kContainerFlags, O_T15CheckListBox->count()); ++i) {
        if (O_T15CheckListBox->item(i)->checkState() == Qt::Checked)
          bits |= 1u << i;
        else
          bits &= ~(1u << i);
      }
      o.Value1 = static_cast<int32_t>(bits);
      o.Value2 = O_T15Edit2->value();
      break;
    }
    case 17:
    case 23: {
      const DrinkPanel& d = m_type == 17 ? O_T17 : O_T23;
      o.Value0 = ReadValue0(d.Max);
      o.Value1 = d.Cur->value();
      o.Value2 = e.ReadDictInt(d.Liquid, o.Value2);
      o.Value3 = d.Poison->value();
      break;
    }
    case 19:
      o.Value0 = ReadValue0(O_T19Edit1);
      o.Value1 = O_T19Edit2->value();
      break;
    case 20:
      o.Value0 = ReadValue0(O_T20Edit);
      break;
    case 24: {
      const int32_t shown = o.Value1 == 0 ? -1 : o.Value1;
      const int32_t chosen = e.ReadDictInt(O_T24SpellComboBox, shown);
      if (chosen != shown) o.Value1 = chosen == -1 ? 0 : chosen;
      break;
    }
    case kMagicIngredientType: {
      o.SkillOrMagicFlags.Text = e.ReadDict(O_T25CheckListBox);
      const auto v0 = static_cast<uint32_t>(NumberOf(o.Value0));
      const auto lag = static_cast<uint32_t>(O_T25Edit3->value());
      const auto level = static_cast<uint32_t>(O_T25Edit4->value());
      if (lag != (v0 & kLagMask) || level != ((v0 >> kLevelShift) & kLagMask))
        o.Value0 = IntText(static_cast<int32_t>((v0 & ~kLowMask) | (level << kLevelShift) | lag));
      o.Value1 = O_T25Edit1->value();
      o.Value2 = O_T25Edit2->value();
      break;
    }
    default:
      break;  // no panel: the values stay as they are
  }
}

void ObjectValuesPage::O_T5DiceChange() {
  // The average of NdS is N(S+1)/2.
  const double n = O_T5Dice1Edit->value(), s = O_T5Dice2Edit->value();
  const double avg = (n + n * s) / 2;
  const bool whole = avg == static_cast<double>(static_cast<int64_t>(avg));
  O_T5DicePanel->setText(QString::fromStdString(FloatText(avg, whole ? 0 : 1)));
}

}  // namespace zm
