#include "editors/mobilegeneralpage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"

namespace zm {

const std::vector<MobileGeneralPage::Field>& MobileGeneralPage::ComboFields() {
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

const std::vector<MobileGeneralPage::Field>& MobileGeneralPage::SpinFields() {
  static const std::vector<Field> fields = {
      {"M_ExpEdit", "Опыт", &TMob::Experience},
      {"M_MaxInWorldEdit", "Макс. кол-во в мире", &TMob::MaxInWorld},
      {"M_WeightEdit", "Вес", &TMob::Weight},
      {"M_HeightEdit", "Рост", &TMob::Height},
      {"M_SizeEdit", "Размер", &TMob::Size},
  };
  return fields;
}

MobileGeneralPage::MobileGeneralPage(EditorWindow& editor, TMob& wc, QWidget* parent)
    : EditorPage(editor, parent), m_wc(wc) {
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(0, 0, 0, 0);
  auto* row = new QHBoxLayout();
  column->addLayout(row);

  auto* left = new QGridLayout();
  NameRows(left, this, "M_", &M_NameBtn, M_NameEdit, &M_AliasEdit);
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
    auto* text = new QLabel(QString::fromUtf8(label), this);
    // The two positions have long names; they take two lines.
    text->setWordWrap(text->text().size() > 16);
    right->addWidget(text, r, c);
    right->addWidget(w, r, c + 1);
    ++n;
  };
  for (const Field& f : ComboFields()) {
    auto* combo = Named(new QComboBox(this), QString::fromLatin1(f.Name));
    combo->setMaxVisibleItems(20);
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(6);
    M_Combo.push_back(combo);
    place(f.Label, combo);
  }
  for (const Field& f : SpinFields()) {
    auto* spin = Named(new QSpinBox(this), QString::fromLatin1(f.Name));
    FieldRange<int32_t>(spin);
    M_Spin.push_back(spin);
    place(f.Label, spin);
  }
  for (int c = 1; c < 2 * kColumns; c += 2) right->setColumnStretch(c, 1);
  right->setRowStretch(n / kColumns + 1, 1);
  row->addLayout(right, 9);

  auto* descs = new QGroupBox(QStringLiteral("Описания"), this);
  auto* descLay = new QGridLayout(descs);
  M_DescEdit = Named(new QLineEdit(descs), "M_DescEdit");
  descLay->addWidget(M_DescEdit, 0, 0, 1, 2);
  descLay->addWidget(new QLabel(QStringLiteral("Детальное"), descs), 1, 0, Qt::AlignTop);
  M_FullDescMemo = Named(new QPlainTextEdit(descs), "M_FullDescMemo");
  M_FullDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  M_FullDescMemo->setMinimumHeight(60);
  M_FullDescMemo->setMaximumHeight(110);
  editor.AttachMemo(M_FullDescMemo);
  descLay->addWidget(M_FullDescMemo, 1, 1);
  descLay->setColumnStretch(1, 1);
  column->addWidget(descs);

  connect(M_NameBtn, &QPushButton::clicked, this, &MobileGeneralPage::M_NameBtnClick);
  for (QComboBox* c : M_Combo) editor.BindDictionary(c);
}

void MobileGeneralPage::ShowRecord() {
  EditorWindow& e = Editor();
  const TMob& mob = m_wc;
  for (size_t i = 0; i < M_NameEdit.size(); ++i) ShowLine(M_NameEdit[i], mob.Names[i]);
  ShowLine(M_AliasEdit, mob.Aliases);
  ShowLine(M_DescEdit, mob.LongDescription);
  ShowMemo(M_FullDescMemo, mob.LookDescription);
  for (size_t i = 0; i < M_Combo.size(); ++i)
    e.ShowDictInt(M_Combo[i], mob.*ComboFields()[i].Value);
  for (size_t i = 0; i < M_Spin.size(); ++i) M_Spin[i]->setValue(mob.*SpinFields()[i].Value);
}

void MobileGeneralPage::StoreRecord() {
  EditorWindow& e = Editor();
  TMob& mob = m_wc;
  for (size_t i = 0; i < M_NameEdit.size(); ++i) mob.Names[i] = ReadLine(M_NameEdit[i]);
  mob.Aliases = ReadLine(M_AliasEdit);
  mob.LongDescription = ReadLine(M_DescEdit);
  // A text the user left alone keeps even the line ends it ended with.
  const bool touched = MemoTouched(M_FullDescMemo);
  mob.LookDescription = e.MemoValue(M_FullDescMemo);
  if (touched) mob.LookDescription = StripLineEnd(mob.LookDescription);

  for (size_t i = 0; i < M_Combo.size(); ++i) {
    int32_t& field = mob.*ComboFields()[i].Value;
    field = e.ReadDictInt(M_Combo[i], field);
  }
  for (size_t i = 0; i < M_Spin.size(); ++i) mob.*SpinFields()[i].Value = M_Spin[i]->value();
}

void MobileGeneralPage::M_NameBtnClick() {
  DeclineNameFields(Editor(), M_NameEdit, Animacy::Animate);
}

}  // namespace zm
