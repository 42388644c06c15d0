// The mobile editor's controls: names, descriptions, the numbers and the
// dice on top, the pages below.
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/mobileeditor.h"

namespace zm {
const std::vector<MobileEditor::Field>& MobileEditor::ComboFields() {
  static const std::vector<Field> fields = {
      {"M_LevelComboBox", "Уровень", &TMob::Level},
      {"M_Thac0ComboBox", "Хитрол", &TMob::Thac0},
      {"M_ACComboBox", "AC", &TMob::ArmorClass},
      {"M_SexComboBox", "Пол", &TMob::Sex},
      {"M_DamageComboBox", "Тип удара", &TMob::BareHandAttack},
      {"M_ExtraAttackComboBox", "Доп.атаки", &TMob::ExtraAttack},
      {"M_StrComboBox", "Str", &TMob::Str},
      {"M_IntComboBox", "Int", &TMob::Int},
      {"M_WisComboBox", "Wiz", &TMob::Wis},
      {"M_DexComboBox", "Dex", &TMob::Dex},
      {"M_ConComboBox", "Con", &TMob::Con},
      {"M_ChaComboBox", "Cha", &TMob::Cha},
      {"M_ClassComboBox", "Класс", &TMob::Class},
      {"M_AlignComboBox", "Наклонности", &TMob::Alignment},
      {"M_MaxFactorComboBox", "MaxFactor", &TMob::MaxFactor},
      {"M_LikeWorkComboBox", "LikeWork", &TMob::LikeWork},
      {"M_State1ComboBox", "Положение при загрузке", &TMob::LoadPosition},
      {"M_State2ComboBox", "Положение по умолчанию", &TMob::DefaultPosition},
  };
  return fields;
}

const std::vector<MobileEditor::Field>& MobileEditor::SpinFields() {
  static const std::vector<Field> fields = {
      {"M_ExpEdit", "Опыт", &TMob::Experience},
      {"M_MaxInWorldEdit", "Макс. кол-во в мире", &TMob::MaxInWorld},
      {"M_WeightEdit", "Вес", &TMob::Weight},
      {"M_HeightEdit", "Рост", &TMob::Height},
      {"M_SizeEdit", "Размер", &TMob::Size},
  };
  return fields;
}

const std::array<MobileEditor::DiceField, 3>& MobileEditor::DiceFields() {
  static const std::array<DiceField, 3> fields = {{
      {"M_HP", "Здоровье (хиты)", &TMob::HitDice},
      {"M_Damage", "Сила удара", &TMob::DamageDice},
      {"M_Money", "Деньги", &TMob::GoldDice},
  }};
  return fields;
}

void MobileEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  top->addWidget(buildGeneral());
  top->addWidget(buildDice());
  M_PageControl = Named(new QTabWidget(this), "M_PageControl");
  M_PageControl->addTab(FlagPage(this, &M_FlagsCheckListBox, "M_FlagsCheckListBox"),
                        QStringLiteral("Флаги"));
  M_PageControl->addTab(FlagPage(this, &M_AffectCheckListBox, "M_AffectCheckListBox"),
                        QStringLiteral("Аффекты"));
  M_PageControl->addTab(FlagPage(this, &M_SpecCheckListBox, "M_SpecCheckListBox"),
                        QStringLiteral("Спецфлаги"));
  M_PageControl->addTab(buildIngrPage(), QStringLiteral("Ингредиенты"));
  M_SkillStringGrid =
      buildGrid("M_SkillStringGrid", QStringLiteral("Умение"), QStringLiteral("% владения"));
  M_PageControl->addTab(M_SkillStringGrid, QStringLiteral("Умения"));
  M_SpellStringGrid =
      buildGrid("M_SpellStringGrid", QStringLiteral("Название"), QStringLiteral("Кол-во"));
  M_PageControl->addTab(M_SpellStringGrid, QStringLiteral("Заклинания"));
  M_PageControl->addTab(buildTriggerPage(), QStringLiteral("Триггеры"));
  M_PageControl->addTab(buildOtherPage(), QStringLiteral("Прочее"));
  top->addWidget(M_PageControl, 1);
}

QWidget* MobileEditor::buildGeneral() {
  auto* box = new QWidget(this);
  auto* column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout();
  column->addLayout(row);

  auto* left = new QGridLayout();
  NameRows(left, box, "M_", &M_NameBtn, M_NameEdit, &M_AliasEdit);
  for (QLineEdit* edit : M_NameEdit) edit->setMinimumWidth(160);
  left->setRowStretch(7, 1);
  left->setColumnStretch(1, 1);
  row->addLayout(left, 4);

  // Three columns of label and control.
  constexpr int kColumns = 3;
  auto* right = new QGridLayout();
  int n = 0;
  auto place = [&](const char* label, QWidget* w) {
    const int r = n / kColumns, c = (n % kColumns) * 2;
    auto* text = new QLabel(QString::fromUtf8(label), box);
    // The two positions have long names; they take two lines.
    text->setWordWrap(text->text().size() > 16);
    right->addWidget(text, r, c);
    right->addWidget(w, r, c + 1);
    ++n;
  };
  for (const Field& f : ComboFields()) {
    auto* combo = Named(new QComboBox(box), QString::fromLatin1(f.Name));
    combo->setMaxVisibleItems(20);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    M_Combo.push_back(combo);
    place(f.Label, combo);
  }
  for (const Field& f : SpinFields()) {
    auto* spin = Named(new QSpinBox(box), QString::fromLatin1(f.Name));
    FieldRange<int32_t>(spin);
    M_Spin.push_back(spin);
    place(f.Label, spin);
  }
  for (int c = 1; c < 2 * kColumns; c += 2) right->setColumnStretch(c, 1);
  right->setRowStretch(n / kColumns + 1, 1);
  row->addLayout(right, 9);

  auto* descs = new QGroupBox(QStringLiteral("Описания"), box);
  auto* descLay = new QGridLayout(descs);
  M_DescEdit = Named(new QLineEdit(descs), "M_DescEdit");
  descLay->addWidget(M_DescEdit, 0, 0, 1, 2);
  descLay->addWidget(new QLabel(QStringLiteral("Детальное"), descs), 1, 0, Qt::AlignTop);
  M_FullDescMemo = Named(new QPlainTextEdit(descs), "M_FullDescMemo");
  M_FullDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  M_FullDescMemo->setMinimumHeight(60);
  M_FullDescMemo->setMaximumHeight(110);
  AttachMemo(M_FullDescMemo);
  descLay->addWidget(M_FullDescMemo, 1, 1);
  descLay->setColumnStretch(1, 1);
  column->addWidget(descs);
  return box;
}

QWidget* MobileEditor::buildDice() {
  auto* box = new QWidget(this);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  for (size_t i = 0; i < DiceFields().size(); ++i) {
    const DiceField& f = DiceFields()[i];
    const QString p = QString::fromLatin1(f.Prefix);
    auto* group = new QGroupBox(QString::fromUtf8(f.Label), box);
    auto* lay = new QHBoxLayout(group);
    DicePanel& d = M_Dice[i];
    auto spin = [&](const QString& name) {
      auto* s = Named(new QSpinBox(group), name);
      s->setButtonSymbols(QAbstractSpinBox::NoButtons);
      FieldRange<int32_t>(s);
      return s;
    };
    d.Count = spin(p + QStringLiteral("1Edit"));
    d.Sides = spin(p + QStringLiteral("2Edit"));
    d.Bonus = spin(p + QStringLiteral("3Edit"));
    d.Bonus->setMinimum(0);
    d.Sign = Named(new QPushButton(QStringLiteral("+"), group), p + QStringLiteral("Btn"));
    d.Sign->setFixedWidth(24);
    lay->addWidget(d.Count, 1);
    lay->addWidget(new QLabel(QStringLiteral("d"), group));
    lay->addWidget(d.Sides, 1);
    lay->addWidget(d.Sign);
    lay->addWidget(d.Bonus, 2);
    row->addWidget(group, 1);
  }
  return box;
}

void MobileEditor::connectControls() {
  connect(M_NameBtn, &QPushButton::clicked, this, &MobileEditor::M_NameBtnClick);
  for (DicePanel& d : M_Dice) {
    QPushButton* sign = d.Sign;
    connect(sign, &QPushButton::clicked, this, [this, sign] { M_DiceBtnClick(sign); });
  }
  connectPages();
}

}  // namespace zm
