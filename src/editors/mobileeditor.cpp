#include "editors/mobileeditor.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <algorithm>
#include <limits>

#include "common/reporter.h"
#include "common/textutil.h"
#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/listrows.h"
#include "model/world.h"

namespace zm {
namespace {

const QString kPlus = QStringLiteral("+");
const QString kMinus = QStringLiteral("-");

int32_t Magnitude(int32_t v) {
  const int64_t m = v < 0 ? -int64_t{v} : int64_t{v};
  return static_cast<int32_t>(std::min<int64_t>(m, std::numeric_limits<int32_t>::max()));
}

std::vector<int32_t> Values(const TIntList& list) {
  std::vector<int32_t> out;
  for (const auto& v : list) out.push_back(v->Value);
  return out;
}

std::vector<int32_t> PathVnums(const std::string& destinations) {
  std::vector<int32_t> out;
  std::string rest = destinations;
  while (!rest.empty()) {
    int32_t v = 0;
    if (ParseInt(Trim(NextWord(rest, "/", true, false)), v)) out.push_back(v);
  }
  return out;
}

}  // namespace

MobileEditor::MobileEditor(EditorHost& host, QWidget* parent)
    : EditorWindow(host, kMobile, parent) {
  setObjectName("MobForm");
  setWindowTitle(QStringLiteral("()"));
  buildUi();
  connectControls();
  for (QComboBox* c : M_Combo) BindDictionary(c);
  for (QWidget* c : std::initializer_list<QWidget*>{M_FlagsCheckListBox, M_AffectCheckListBox,
                                                    M_SpecCheckListBox, M_IngrComboBox,
                                                    M_SkillStringGrid, M_SpellStringGrid})
    BindDictionary(c);
  // The names of skills and spells are no cells to type in.
  for (QTableWidget* grid : {M_SkillStringGrid, M_SpellStringGrid})
    for (int r = 0; r < grid->rowCount(); ++r)
      if (QTableWidgetItem* item = grid->item(r, 0))
        item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  ApplyHints();
  updateButtons();
}

MobileEditor::~MobileEditor() = default;

void MobileEditor::Edit(TMob& mob) {
  ++m_updating;
  m_wc = mob;
  LinkRecord(&mob);
  SetCaption(mob.Vnum, mob.Names[0]);
  for (size_t i = 0; i < M_NameEdit.size(); ++i) ShowLine(M_NameEdit[i], mob.Names[i]);
  ShowLine(M_AliasEdit, mob.Aliases);
  ShowLine(M_DescEdit, mob.LongDescription);
  ShowMemo(M_FullDescMemo, mob.LookDescription);

  for (size_t i = 0; i < M_Combo.size(); ++i) ShowDictInt(M_Combo[i], mob.*ComboFields()[i].Value);
  for (size_t i = 0; i < M_Spin.size(); ++i) M_Spin[i]->setValue(mob.*SpinFields()[i].Value);
  for (size_t i = 0; i < M_Dice.size(); ++i) {
    const TDice& dice = mob.*DiceFields()[i].Value;
    m_shownDice[i] = dice;
    M_Dice[i].Count->setValue(dice.Count);
    M_Dice[i].Sides->setValue(dice.Sides);
    M_Dice[i].Bonus->setValue(Magnitude(dice.Bonus));
    M_Dice[i].Sign->setText(dice.Bonus < 0 ? kMinus : kPlus);
  }
  ShowDict(M_FlagsCheckListBox, mob.Flags);
  ShowDict(M_AffectCheckListBox, mob.Affects);
  ShowDict(M_SpecCheckListBox, mob.SpecialFlags);

  showGrid(M_SkillStringGrid, m_shownSkills, "mobskills", mob.Skills, false);
  showGrid(M_SpellStringGrid, m_shownSpells, "mobspells", mob.Spells, true);
  m_triggers->Show(Values(mob.Triggers));
  m_path->Show(PathVnums(mob.Destinations));
  m_helpers->Show(Values(mob.Helpers));
  fillChoices();
  M_PathEdit->setValue(0);
  M_HelperEdit->setValue(0);
  --m_updating;
  showIngredients();
  M_PathListBoxClick();
  M_HelperListBoxClick();
  updateButtons();
}

void MobileEditor::Apply() {
  auto* mob = static_cast<TMob*>(LinkedRecord());
  if (!mob) return;
  for (size_t i = 0; i < M_NameEdit.size(); ++i) mob->Names[i] = ReadLine(M_NameEdit[i]);
  RefreshNode(*mob, mob->Names[0]);
  mob->Aliases = ReadLine(M_AliasEdit);
  mob->LongDescription = ReadLine(M_DescEdit);
  // A text the user left alone keeps even the line ends it ended with.
  const bool touched = MemoTouched(M_FullDescMemo);
  mob->LookDescription = MemoValue(M_FullDescMemo);
  if (touched) mob->LookDescription = StripLineEnd(mob->LookDescription);

  for (size_t i = 0; i < M_Combo.size(); ++i) {
    int32_t& field = mob->*ComboFields()[i].Value;
    field = ReadDictInt(M_Combo[i], field);
  }
  for (size_t i = 0; i < M_Spin.size(); ++i) mob->*SpinFields()[i].Value = M_Spin[i]->value();
  for (size_t i = 0; i < M_Dice.size(); ++i) {
    TDice& dice = mob->*DiceFields()[i].Value;
    const DicePanel& d = M_Dice[i];
    const TDice& shown = m_shownDice[i];
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
  mob->Flags = ReadDict(M_FlagsCheckListBox);
  mob->Affects = ReadDict(M_AffectCheckListBox);
  mob->SpecialFlags = ReadDict(M_SpecCheckListBox);

  mob->Ingredients = m_wc.Ingredients;
  readGrid(M_SkillStringGrid, m_shownSkills, "mobskills", mob->Skills, 100);
  readGrid(M_SpellStringGrid, m_shownSpells, "mobspells", mob->Spells,
           std::numeric_limits<int16_t>::max());
  mob->Triggers.Clear();
  for (int32_t v : m_triggers->Values()) mob->Triggers.Add(v);
  if (m_path->Touched()) {
    std::string path;
    for (int32_t v : m_path->Values()) path += (path.empty() ? "" : "/") + IntText(v);
    mob->Destinations = path;
  }
  mob->Helpers.Clear();
  for (int32_t v : m_helpers->Values()) mob->Helpers.Add(v);
}

void MobileEditor::M_NameBtnClick() {
  DeclineNameFields(*this, M_NameEdit, Animacy::Animate);
}

void MobileEditor::M_DiceBtnClick(QPushButton* button) {
  button->setText(button->text() == kPlus ? kMinus : kPlus);
}

void RegisterMobEditor(EditorHost& host) {
  host.Windows().Register(kMobile, [&host](TMUDClass& rec) {
    EnsureEditor<MobileEditor>(host)->Edit(static_cast<TMob&>(rec));
  });
}

}  // namespace zm
