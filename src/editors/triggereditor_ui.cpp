// The trigger editor's controls: the fields on top, the event types in three
// columns, the script below.
#include <QAction>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPointer>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/fieldtext.h"
#include "editors/triggereditor.h"
#include "text/scriptlines.h"
#include "text/triggerwords.h"
#include "widgets/editpopup.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

template <typename T>
T* Named(T* w, const char* name) {
  w->setObjectName(QString::fromLatin1(name));
  return w;
}

constexpr int kTypeColumns = 3;
constexpr int kTypeRows = 8;  // the longest event list in three columns

}  // namespace

void TriggerEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);

  auto* fields = new QGridLayout();
  T_NameEdit = Named(new QLineEdit(this), "T_NameEdit");
  fields->addWidget(new QLabel(QStringLiteral("Название"), this), 0, 0);
  fields->addWidget(T_NameEdit, 0, 1, 1, 3);
  T_ClassComboBox = Named(new QComboBox(this), "T_ClassComboBox");
  T_ClassComboBox->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  fields->addWidget(new QLabel(QStringLiteral("Класс триггера"), this), 1, 0);
  fields->addWidget(T_ClassComboBox, 1, 1);
  T_NumArgEdit = Named(new QSpinBox(this), "T_NumArgEdit");
  // No limits: any number the file holds.
  FieldRange<int32_t>(T_NumArgEdit);
  auto* numLabel = new QLabel(QStringLiteral("Числовой аргумент"), this);
  numLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  fields->addWidget(numLabel, 1, 2);
  fields->addWidget(T_NumArgEdit, 1, 3);
  T_ArgEdit = Named(new QLineEdit(this), "T_ArgEdit");
  fields->addWidget(new QLabel(QStringLiteral("Аргумент"), this), 2, 0);
  fields->addWidget(T_ArgEdit, 2, 1, 1, 3);
  fields->setColumnStretch(1, 1);
  fields->setColumnStretch(3, 1);
  top->addLayout(fields);

  top->addWidget(new QLabel(QStringLiteral("Тип триггера"), this));
  T_TypeCheckListBox = Named(new QListWidget(this), "T_TypeCheckListBox");
  T_TypeCheckListBox->setFlow(QListView::TopToBottom);
  T_TypeCheckListBox->setWrapping(true);
  T_TypeCheckListBox->setResizeMode(QListView::Adjust);
  T_TypeCheckListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  T_TypeCheckListBox->viewport()->installEventFilter(this);
  top->addWidget(T_TypeCheckListBox);

  top->addWidget(new QLabel(QStringLiteral("Текст триггера"), this));
  T_TextMemo = Named(new ScriptEdit(this), "T_TextMemo");
  top->addWidget(T_TextMemo, 1);
  layOutTypeColumns();
}

void TriggerEditor::setUpMemo() {
  ScriptEdit* m = T_TextMemo;
  m->SetFixedFont(QStringLiteral("Courier New"), 12);
  m->SetAttributes(LineAttributes());
  m->SetTabSize(4);
  m->SetIndentSize(4);
  m->SetAutoIndentSize(0);
  m->SetRightMargin(80, Qt::gray);
  m->CompletionSettings = ScriptEdit::Completion{};
  m->CompletionSettings.Enabled = false;
  m->CompletionSettings.Separator = '=';
  m->CompletionSettings.ItemHeight = 13;
  m->CompletionSettings.Interval = 800;
  m->CompletionSettings.CaretMark = "|";
  m->CompletionSettings.LineBreakMark = "/n";
  const TriggerWords& words = Host().Words();
  for (const std::string& id : words.Complete) m->CompletionIdentifiers.push_back(id);
  for (const std::string& line : words.AutoChange) m->AddAutoChange(line);
  m->SetLineAttrHook([this](const std::string& line, std::vector<uint8_t>& attrs) {
    T_TextMemoGetLineAttr(line, attrs);
  });
  m->OnBreakLine = [this](const std::string& line, size_t caret) {
    return T_TextMemoBreakLine(line, caret);
  };
  m->OnConcatLine = [this](const std::string& upper, const std::string& lower) {
    return T_TextMemoConcatLine(upper, lower);
  };
  m->OnSaveBlock = [this](const std::string& block) { T_TextMemoSaveBlock(block); };
  m->OnChangeStatus = [this](int line, int column) { T_TextMemoChangeStatus(line, column); };

  // The edit popup menu and the mending of "~" lines as every memo has
  // them; the popup gets the save-block entry while it is open here.
  // The script's reader ignores blanks after a "~", so a blank would not
  // keep such a line open.
  static const LineMend kScriptMend{
      [](const QString& line) { return EndsScript(FromQt(line)); }, QLatin1Char(kScriptLineMend),
      " Строка скрипта не может кончаться знаком \"~\": в конце добавлена точка"};
  AttachMemo(m, kScriptMend);
  disconnect(m, &QWidget::customContextMenuRequested, this, nullptr);
  connect(m, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& pos) { memoContextMenu(pos); });
}

void TriggerEditor::memoContextMenu(const QPoint& pos) {
  auto* save = new QAction(QStringLiteral("Сохранить блок\tCtrl+K S"), this);
  save->setObjectName("T_SaveBlockItem");
  save->setEnabled(T_TextMemo->textCursor().hasSelection());
  connect(save, &QAction::triggered, T_TextMemo, &ScriptEdit::SaveBlock);
  const QPoint global = T_TextMemo->mapToGlobal(pos);
  Host().EditMenu().PopupFor(T_TextMemo, global, {save});
}

void TriggerEditor::layOutTypeColumns() {
  QListWidget* list = T_TypeCheckListBox;
  QStyle* style = list->style();
  const int row =
      std::max(list->fontMetrics().height(), style->pixelMetric(QStyle::PM_IndicatorHeight)) + 4;
  const int width = std::max(list->viewport()->width() / kTypeColumns - 1, 40);
  list->setGridSize(QSize(width, row));
  // Columns fill top to bottom; a list longer than the columns hold scrolls
  // sideways, and the list view then keeps room for the scroll bar.
  const bool fits = list->count() <= kTypeRows * kTypeColumns;
  list->setHorizontalScrollBarPolicy(fits ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
  const int bar = fits ? 0 : style->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
  // A column ends before the row that would touch the viewport's bottom.
  constexpr int kSlack = 4;
  list->setFixedHeight(row * kTypeRows + list->frameWidth() * 2 + bar + kSlack);
}

}  // namespace zm
