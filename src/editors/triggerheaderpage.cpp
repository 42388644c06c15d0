#include "editors/triggerheaderpage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"

namespace zm {
namespace {

constexpr int kTypeColumns = 3;
constexpr int kTypeRows = 8;  // the longest event list in three columns

}  // namespace

TriggerHeaderPage::TriggerHeaderPage(EditorWindow& editor, TTrigger& wc)
    : EditorPage(editor), m_wc(wc) {
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);

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
  lay->addLayout(fields);

  lay->addWidget(new QLabel(QStringLiteral("Тип триггера"), this));
  T_TypeCheckListBox = Named(new QListWidget(this), "T_TypeCheckListBox");
  T_TypeCheckListBox->setFlow(QListView::TopToBottom);
  T_TypeCheckListBox->setWrapping(true);
  T_TypeCheckListBox->setResizeMode(QListView::Adjust);
  T_TypeCheckListBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  T_TypeCheckListBox->viewport()->installEventFilter(this);
  lay->addWidget(T_TypeCheckListBox);
  layOutTypeColumns();

  editor.BindDictionary(T_ClassComboBox);
  editor.BindDictionary(T_TypeCheckListBox);
  connect(T_ClassComboBox, &QComboBox::currentIndexChanged, this, [this] {
    if (!m_updating) T_ClassComboBoxChange();
  });
}

const char* TriggerHeaderPage::typeDictionary(int triggerClass) {
  switch (triggerClass) {
    case 0:
      return "trigger_bitvector_mob";
    case 1:
      return "trigger_bitvector_obj";
    case 2:
      return "trigger_bitvector_wld";
    default:
      return nullptr;
  }
}

bool TriggerHeaderPage::bindTypes(int triggerClass) {
  const char* name = typeDictionary(triggerClass);
  Dictionary* dict = name ? Editor().BindDictionary(T_TypeCheckListBox, name) : nullptr;
  m_typesClass = dict ? triggerClass : -1;
  if (!dict) {
    // Another class has no events here: no checks of an earlier trigger or
    // class may look as if they were this one's.
    for (int i = 0; i < T_TypeCheckListBox->count(); ++i)
      T_TypeCheckListBox->item(i)->setCheckState(Qt::Unchecked);
  }
  T_TypeCheckListBox->setEnabled(dict != nullptr);
  layOutTypeColumns();
  return dict != nullptr;
}

int TriggerHeaderPage::chosenClass() const {
  return Editor().ReadDictInt(T_ClassComboBox, -1);
}

void TriggerHeaderPage::ShowRecord() {
  ++m_updating;
  EditorWindow& e = Editor();
  ShowLine(T_NameEdit, m_wc.Name);
  e.ShowDictInt(T_ClassComboBox, m_wc.TriggerClass);
  if (bindTypes(m_wc.TriggerClass)) e.ShowDict(T_TypeCheckListBox, m_wc.TriggerTypes);
  T_NumArgEdit->setValue(m_wc.NumArg);
  ShowLine(T_ArgEdit, m_wc.Arg);
  --m_updating;
}

void TriggerHeaderPage::StoreRecord() {
  m_wc.Name = ReadLine(T_NameEdit);
  const int32_t cls = chosenClass();
  if (cls >= 0 && cls <= 255) m_wc.TriggerClass = static_cast<uint8_t>(cls);
  // Without the class's dictionary the list shows no events of it.
  if (typeDictionary(cls) && m_typesClass == cls)
    m_wc.TriggerTypes = Editor().ReadDict(T_TypeCheckListBox);
  m_wc.NumArg = T_NumArgEdit->value();
  m_wc.Arg = ReadLine(T_ArgEdit);
}

bool TriggerHeaderPage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == T_TypeCheckListBox->viewport() && e->type() == QEvent::Resize) layOutTypeColumns();
  return EditorPage::eventFilter(watched, e);
}

void TriggerHeaderPage::T_ClassComboBoxChange() {
  bindTypes(chosenClass());
}

void TriggerHeaderPage::layOutTypeColumns() {
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
