#include "editors/editorparts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSize>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/reporter.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/records.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {

int PickedRow(const QListWidget* list) {
  const QListWidgetItem* item = list->currentItem();
  return item && item->isSelected() ? list->row(item) : -1;
}

int PickedRow(const QTreeWidget* view) {
  QTreeWidgetItem* item = view->currentItem();
  return item && item->isSelected() ? view->indexOfTopLevelItem(item) : -1;
}

void OnPick(QListWidget* list, QObject* context, const std::function<void()>& onPick) {
  QObject::connect(list, &QListWidget::currentRowChanged, context, onPick);
  QObject::connect(list, &QListWidget::itemSelectionChanged, context, onPick);
}

void OnPick(QTreeWidget* view, QObject* context, const std::function<void()>& onPick) {
  QObject::connect(view, &QTreeWidget::currentItemChanged, context, onPick);
  QObject::connect(view, &QTreeWidget::itemSelectionChanged, context, onPick);
}

QPushButton* Button(QWidget* parent, const char* text, const char* name) {
  return Named(new QPushButton(QString::fromUtf8(text), parent), name);
}

QSpinBox* Spin(QWidget* parent, const QString& name) {
  auto* spin = Named(new QSpinBox(parent), name);
  FieldRange<int32_t>(spin);
  return spin;
}

QComboBox* Combo(QWidget* parent, const QString& name, int minLength) {
  auto* combo = Named(new QComboBox(parent), name);
  combo->setMaxVisibleItems(20);
  if (minLength > 0) {
    combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    combo->setMinimumContentsLength(minLength);
  }
  return combo;
}

namespace {

QHBoxLayout* ButtonRow(QWidget* parent, const char* prefix, const char* middle,
                       const char* middleSuffix, QPushButton** add, QPushButton** mid,
                       QPushButton** del) {
  auto* row = new QHBoxLayout();
  const QString p = QString::fromLatin1(prefix);
  *add = Named(new QPushButton(QStringLiteral("Добавить"), parent), p + QStringLiteral("AddBtn"));
  *mid = Named(new QPushButton(QString::fromUtf8(middle), parent), p + QLatin1String(middleSuffix));
  *del = Named(new QPushButton(QStringLiteral("Удалить"), parent), p + QStringLiteral("DelBtn"));
  row->addWidget(*add);
  row->addWidget(*mid);
  row->addWidget(*del);
  return row;
}

}  // namespace

QHBoxLayout* SetButtons(QWidget* parent, const char* prefix, QPushButton** add, QPushButton** set,
                        QPushButton** del) {
  return ButtonRow(parent, prefix, "Установить", "SetBtn", add, set, del);
}

QHBoxLayout* ListButtons(QWidget* parent, const char* prefix, QPushButton** add, QPushButton** edit,
                         QPushButton** del) {
  QHBoxLayout* row = ButtonRow(parent, prefix, "Изменить", "EditBtn", add, edit, del);
  row->addStretch(1);
  return row;
}

void NameRows(QGridLayout* grid, QWidget* parent, const char* prefix, QPushButton** button,
              std::array<QLineEdit*, 6>& names, QLineEdit** alias) {
  static constexpr std::array<const char*, 5> kCaseLabels = {
      "Родительный", "Дательный", "Винительный", "Творительный", "Предложный"};
  const QString p = QString::fromLatin1(prefix);
  *button =
      Named(new QPushButton(QStringLiteral("Название"), parent), p + QStringLiteral("NameBtn"));
  grid->addWidget(*button, 0, 0);
  for (size_t i = 0; i < names.size(); ++i) {
    const QString name =
        i == 0 ? p + QStringLiteral("NameEdit") : p + QStringLiteral("Name%1Edit").arg(i + 1);
    names[i] = Named(new QLineEdit(parent), name);
    const int r = static_cast<int>(i);
    if (i > 0) grid->addWidget(new QLabel(QString::fromUtf8(kCaseLabels[i - 1]), parent), r, 0);
    grid->addWidget(names[i], r, 1);
  }
  grid->addWidget(new QLabel(QStringLiteral("Синонимы"), parent), 6, 0);
  *alias = Named(new QLineEdit(parent), p + QStringLiteral("AliasEdit"));
  grid->addWidget(*alias, 6, 1);
}

namespace {

struct PanelSpec {
  const char* name;
  const char* label;
  int row, col;
};
constexpr std::array<PanelSpec, kDirections> kPanels = {{{"NorthPanel", "С", 0, 1},
                                                         {"EastPanel", "В", 1, 2},
                                                         {"SouthPanel", "Ю", 2, 1},
                                                         {"WestPanel", "З", 1, 0},
                                                         {"UpPanel", "^", 0, 3},
                                                         {"DownPanel", "v", 2, 3}}};

}  // namespace

QGridLayout* ExitCompass(QWidget* parent, const char* prefix, const QSize& size, bool tight,
                         std::array<QPushButton*, kDirections>& panels) {
  auto* compass = new QGridLayout();
  for (size_t d = 0; d < kPanels.size(); ++d) {
    const PanelSpec& p = kPanels[d];
    auto* cell = new QVBoxLayout();
    if (tight) cell->setSpacing(0);
    auto* label = new QLabel(QString::fromUtf8(p.label), parent);
    label->setAlignment(Qt::AlignCenter);
    auto* panel =
        Named(new QPushButton(parent), QString::fromLatin1(prefix) + QLatin1String(p.name));
    panel->setCheckable(true);
    panel->setFixedSize(size);
    panels[d] = panel;
    cell->addWidget(label);
    cell->addWidget(panel);
    compass->addLayout(cell, p.row, p.col);
  }
  return compass;
}

namespace {

// "vnum=text" lines in the order of their numbers (the line for none, -1,
// first); `caption` shows "(vnum) text" for vnums above 0.
void FillChoices(QComboBox* combo, const std::vector<std::string>& lines, bool caption) {
  struct Choice {
    int32_t Vnum;
    std::string Text;
  };
  std::vector<Choice> choices;
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    int32_t vnum = 0;
    if (eq == std::string::npos || !ParseInt(line.substr(0, eq), vnum)) continue;
    const std::string text = line.substr(eq + 1);
    choices.push_back({vnum, caption && vnum > 0 ? NodeCaption(vnum, text) : text});
  }
  std::stable_sort(choices.begin(), choices.end(),
                   [](const Choice& a, const Choice& b) { return a.Vnum < b.Vnum; });
  combo->clear();
  for (const Choice& c : choices) combo->addItem(ToQt(c.Text), c.Vnum);
}

std::vector<std::string> NoChoice() {
  return {"-1=" + W("Не выбран")};
}

}  // namespace

void FillZoneChoices(QComboBox* combo, const World* w) {
  FillChoices(combo, w ? w->Zones.ZoneNames() : std::vector<std::string>{}, false);
}

int32_t ShowExitZone(QComboBox* combo, const World* w, int32_t toRoom) {
  FillZoneChoices(combo, w);
  const TRoom* to = toRoom > 0 && w ? w->Rooms.Find(toRoom) : nullptr;
  const int32_t zone = to ? to->Zone : 0;
  int i = combo->findData(zone);
  if (i < 0) {
    // A zone without a zone file has no entry.
    combo->addItem(QStringLiteral("[%1]").arg(zone), zone);
    i = combo->count() - 1;
  }
  combo->setCurrentIndex(i);
  return zone;
}

void FillRoomChoices(QComboBox* combo, const World* w, int32_t zone, int32_t target) {
  FillChoices(combo, w ? w->Rooms.FillChoiceList(zone) : NoChoice(), false);
  const int i = combo->findData(target > 0 ? target : -1);
  combo->setCurrentIndex(i);
  if (i < 0 && target > 0) combo->setEditText(QString::number(target));
}

void FillKeyChoices(QComboBox* combo, const World* w, int32_t keyType) {
  FillChoices(combo, w ? w->Objs.FillChoiceList(0, keyType) : NoChoice(), true);
}

ExtraDescEdit::ExtraDescEdit(EditorWindow& form, QListWidget* list, QLineEdit* keywords,
                             QPlainTextEdit* memo)
    : m_form(form), m_list(list), m_keywords(keywords), m_memo(memo) {}

void ExtraDescEdit::Fill(const TExtraDescList& descs) {
  const QSignalBlocker block(m_list);
  m_list->clear();
  for (const auto& d : descs) m_list->addItem(ToQt(d->Keywords));
  m_list->setCurrentRow(m_list->count() > 0 ? 0 : -1);
}

void ExtraDescEdit::ShowCurrent(const TExtraDescList& descs) {
  const int i = m_list->currentRow();
  if (descs.Items(i)) {
    m_form.ShowExtraDesc(descs, i, m_keywords, m_memo);
  } else {
    // Nothing chosen: the fields take a new description.
    ShowLine(m_keywords, {});
    ShowMemo(m_memo, {});
  }
}

bool ExtraDescEdit::Add(TExtraDescList& descs) {
  TExtraDesc d{ReadLine(m_keywords), m_form.MemoValue(m_memo)};
  if (d.Keywords.empty() || d.Description.empty()) return false;
  descs.Add(d);
  const QSignalBlocker block(m_list);
  m_list->addItem(ToQt(d.Keywords));
  m_list->setCurrentRow(m_list->count() - 1);
  return true;
}

void ExtraDescEdit::Set(TExtraDescList& descs) {
  const int i = m_list->currentRow();
  if (!descs.Items(i)) return;
  m_form.StoreExtraDesc(descs, i, m_keywords, m_memo);
  m_list->item(i)->setText(ToQt(descs.Items(i)->Keywords));
}

void EnableWithReason(QPushButton* button, bool enabled, const QString& why) {
  static constexpr const char* kOwnTip = "zmOwnToolTip";
  if (!button->property(kOwnTip).isValid()) button->setProperty(kOwnTip, button->toolTip());
  button->setEnabled(enabled);
  button->setToolTip(enabled ? button->property(kOwnTip).toString() : why);
}

bool AskRemoveFromList(EditorWindow& form, const char* noun) {
  return form.Host().Questions().AskConfirm(ConfirmMsg::RemoveFromList, {W(noun)});
}

bool ExtraDescEdit::Remove(TExtraDescList& descs) {
  const int i = m_list->currentRow();
  if (!descs.Items(i) || !AskRemoveFromList(m_form, "дополнительное описание")) return false;
  descs.Delete(i);
  const QSignalBlocker block(m_list);
  delete m_list->takeItem(i);
  const int n = m_list->count();
  m_list->setCurrentRow(n == 0 ? -1 : std::min(i, n - 1));
  return true;
}

void DeclineNameFields(EditorWindow& form, const std::array<QLineEdit*, 6>& fields, Animacy hint) {
  Reporter* rep = &form.Host().Questions();
  if (!rep->AskConfirm(ConfirmMsg::DeclineAll)) return;
  const morph::Dictionary* dict = SharedMorphology();
  // Told once per reason, not at every press of the button.
  std::string& told = form.Memory().DictionaryTold;
  if (!dict && SharedMorphologyError() != told) {
    told = SharedMorphologyError();
    rep->ShowError(ErrorMsg::MorphologyLoad, {told});
  }
  const auto forms = DeclineAll(ReadLine(fields[0]), dict, hint);
  for (size_t c = 1; c < fields.size(); ++c) ShowLine(fields[c], forms[c]);
}

}  // namespace zm
