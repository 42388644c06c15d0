#include "editors/mobiledicepage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>
#include <limits>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"

namespace zm {
namespace {

const QString kPlus = QStringLiteral("+");
const QString kMinus = QStringLiteral("-");

int32_t Magnitude(int32_t v) {
  const int64_t m = v < 0 ? -int64_t{v} : int64_t{v};
  return static_cast<int32_t>(std::min<int64_t>(m, std::numeric_limits<int32_t>::max()));
}

}  // namespace

const std::array<MobileDicePage::DiceField, 3>& MobileDicePage::DiceFields() {
  static const std::array<DiceField, 3> fields = {{
      {"M_HP", "Здоровье (хиты)", &TMob::HitDice},
      {"M_Damage", "Сила удара", &TMob::DamageDice},
      {"M_Money", "Деньги", &TMob::GoldDice},
  }};
  return fields;
}

MobileDicePage::MobileDicePage(EditorWindow& editor, TMob& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  for (size_t i = 0; i < DiceFields().size(); ++i) {
    const DiceField& f = DiceFields()[i];
    const QString p = QString::fromLatin1(f.Prefix);
    auto* group = new QGroupBox(QString::fromUtf8(f.Label), this);
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
    d.Sign = Named(new QPushButton(kPlus, group), p + QStringLiteral("Btn"));
    d.Sign->setFixedWidth(24);
    lay->addWidget(d.Count, 1);
    lay->addWidget(new QLabel(QStringLiteral("d"), group));
    lay->addWidget(d.Sides, 1);
    lay->addWidget(d.Sign);
    lay->addWidget(d.Bonus, 2);
    row->addWidget(group, 1);
    QPushButton* sign = d.Sign;
    connect(sign, &QPushButton::clicked, this, [this, sign] { M_DiceBtnClick(sign); });
  }
}

void MobileDicePage::ShowRecord() {
  for (size_t i = 0; i < M_Dice.size(); ++i) {
    const TDice& dice = m_wc.*DiceFields()[i].Value;
    m_shown[i] = dice;
    M_Dice[i].Count->setValue(dice.Count);
    M_Dice[i].Sides->setValue(dice.Sides);
    M_Dice[i].Bonus->setValue(Magnitude(dice.Bonus));
    M_Dice[i].Sign->setText(dice.Bonus < 0 ? kMinus : kPlus);
  }
}

void MobileDicePage::StoreRecord() {
  for (size_t i = 0; i < M_Dice.size(); ++i) {
    TDice& dice = m_wc.*DiceFields()[i].Value;
    const DicePanel& d = M_Dice[i];
    const TDice& shown = m_shown[i];
    dice.Count = d.Count->value();
    dice.Sides = d.Sides->value();
    const bool minus = d.Sign->text() == kMinus;
    // A bonus the user left alone stays as it was, even one whose
    // magnitude the edit cannot hold.
    if (d.Bonus->value() != Magnitude(shown.Bonus) || minus != (shown.Bonus < 0))
      dice.Bonus = minus ? -d.Bonus->value() : d.Bonus->value();
    else
      dice.Bonus = shown.Bonus;
  }
}

void MobileDicePage::M_DiceBtnClick(QPushButton* button) {
  button->setText(button->text() == kPlus ? kMinus : kPlus);
}

}  // namespace zm
