#include "editors/roomeditorpages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"

namespace zm {

QTreeWidget* RoomListView(QWidget* parent, const char* name, const QStringList& columns) {
  auto* view = Named(new QTreeWidget(parent), QString::fromLatin1(name));
  view->setRootIsDecorated(false);
  view->setColumnCount(static_cast<int>(columns.size()));
  view->setHeaderLabels(columns);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setAllColumnsShowFocus(true);
  view->header()->setStretchLastSection(false);
  view->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  if (columns.size() > 1) {
    // The number and name take the room; a long condition is cut short
    // (the column can be widened) instead of pushing them out of sight.
    view->header()->setSectionResizeMode(0, QHeaderView::Interactive);
    view->setColumnWidth(0, view->fontMetrics().horizontalAdvance(columns[0]) + 24);
    view->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  }
  return view;
}

QVBoxLayout* RoomPageColumn(QGridLayout* grid, int col) {
  auto* column = new QVBoxLayout();
  grid->addLayout(column, 0, col);
  return column;
}

// ------------------------------------------------------------ description

namespace {

constexpr std::array<const char*, kVariants + 1> kDescTabs = {
    "Общее",        "День",        "Ночь",        "Зима (день)",  "Зима (ночь)", "Весна (день)",
    "Весна (ночь)", "Лето (день)", "Лето (ночь)", "Осень (день)", "Осень (ночь)"};

}  // namespace

RoomDescriptionPage::RoomDescriptionPage(EditorWindow& editor, TRoom& wc)
    : EditorPage(editor), m_wc(wc) {
  // The page only holds the tabs: the window lays them out as if they were
  // its own.
  auto* box = new QVBoxLayout(this);
  box->setContentsMargins(0, 0, 0, 0);
  R_DescPageControl = Named(new QTabWidget(this), "R_DescPageControl");
  R_DescPageControl->setDocumentMode(true);
  setSizePolicy(R_DescPageControl->sizePolicy());
  for (int i = 0; i <= kVariants; ++i) {
    auto* memo = new QPlainTextEdit(R_DescPageControl);
    memo->setObjectName(i == 0 ? QStringLiteral("R_FullDescMemo")
                               : QStringLiteral("R_FullDescMemo%1").arg(i));
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    R_FullDescMemo[static_cast<size_t>(i)] = memo;
    R_DescPageControl->addTab(memo, QString::fromUtf8(kDescTabs[static_cast<size_t>(i)]));
    editor.AttachMemo(memo);
  }
  R_DescCheckBox =
      Named(new QCheckBox(QStringLiteral("Отметка R"), R_DescPageControl), "R_DescCheckBox");
  R_DescPageControl->setCornerWidget(R_DescCheckBox, Qt::TopRightCorner);
  box->addWidget(R_DescPageControl);

  connect(R_DescCheckBox, &QCheckBox::clicked, this, &RoomDescriptionPage::R_DescCheckBoxClick);
  connect(R_DescPageControl, &QTabWidget::currentChanged, this,
          &RoomDescriptionPage::R_DescPageControlChange);
  R_DescCheckBox->hide();
}

void RoomDescriptionPage::ShowRecord() {
  m_shownDescription = m_wc.Description;
  const DescriptionParts parts = SplitDescription(m_wc.Description);
  ShowMemo(R_FullDescMemo[0], parts.General);
  for (size_t v = 0; v < kVariants; ++v) ShowMemo(R_FullDescMemo[v + 1], parts.Variants[v]);
  m_marks = parts.Marks;
  m_shownMarks = parts.Marks;
  R_DescPageControlChange();
}

void RoomDescriptionPage::StoreRecord() {
  m_wc.Description = readDescription();
}

std::string RoomDescriptionPage::readDescription() {
  bool touched = m_marks != m_shownMarks;
  for (QPlainTextEdit* memo : R_FullDescMemo) touched = touched || MemoTouched(memo);
  // Left alone, the description stays as the file had it, even where the
  // join would write it otherwise.
  if (!touched) return m_shownDescription;
  DescriptionParts parts;
  parts.General = Editor().MemoValue(R_FullDescMemo[0]);
  for (size_t v = 0; v < kVariants; ++v)
    parts.Variants[v] = Editor().MemoValue(R_FullDescMemo[v + 1]);
  parts.Marks = m_marks;
  return JoinDescription(parts);
}

void RoomDescriptionPage::R_DescPageControlChange() {
  const int tab = R_DescPageControl->currentIndex();
  R_DescCheckBox->setVisible(tab > 0);
  const QSignalBlocker block(R_DescCheckBox);
  R_DescCheckBox->setChecked(tab > 0 && m_marks[static_cast<size_t>(tab - 1)]);
}

void RoomDescriptionPage::R_DescCheckBoxClick() {
  const int tab = R_DescPageControl->currentIndex();
  if (tab > 0) m_marks[static_cast<size_t>(tab - 1)] = R_DescCheckBox->isChecked();
}

// ------------------------------------------------------------------- type

RoomTypePage::RoomTypePage(EditorWindow& editor, TRoom& wc) : EditorPage(editor), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Тип сектора"), this), 0, 0);
  R_SectorComboBox = Named(new QComboBox(this), "R_SectorComboBox");
  R_SectorComboBox->setMaxVisibleItems(20);
  grid->addWidget(R_SectorComboBox, 1, 0, Qt::AlignTop);
  grid->addWidget(new QLabel(QStringLiteral("Тип комнаты"), this), 0, 1);
  R_TypeCheckListBox = Named(new QListWidget(this), "R_TypeCheckListBox");
  grid->addWidget(R_TypeCheckListBox, 1, 1);
  grid->setColumnStretch(0, 1);
  grid->setColumnStretch(1, 2);
}

void RoomTypePage::ShowRecord() {
  Editor().ShowDictInt(R_SectorComboBox, m_wc.Sector);
  Editor().ShowDict(R_TypeCheckListBox, m_wc.Flags);
}

void RoomTypePage::StoreRecord() {
  // A sector the list lacks stays as it was.
  m_wc.Sector = static_cast<int16_t>(Editor().ReadDictInt(R_SectorComboBox, m_wc.Sector));
  m_wc.Flags = Editor().ReadDict(R_TypeCheckListBox);
}

// ------------------------------------------------------ extra descriptions

RoomExtraDescsPage::RoomExtraDescsPage(EditorWindow& editor, TRoom& wc)
    : EditorPage(editor), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  QVBoxLayout* left = RoomPageColumn(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список дополнительных описаний"), this));
  R_EDescListBox = Named(new QListWidget(this), "R_EDescListBox");
  left->addWidget(R_EDescListBox, 1);

  auto* group = new QGroupBox(QStringLiteral("Параметры"), this);
  auto* form = new QVBoxLayout(group);
  form->addWidget(new QLabel(QStringLiteral("Список ключевых слов"), group));
  R_EDescKeyEdit = Named(new QLineEdit(group), "R_EDescKeyEdit");
  form->addWidget(R_EDescKeyEdit);
  form->addWidget(new QLabel(QStringLiteral("Описание"), group));
  R_EDescMemo = Named(new QPlainTextEdit(group), "R_EDescMemo");
  R_EDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor.AttachMemo(R_EDescMemo);
  form->addWidget(R_EDescMemo, 1);
  QHBoxLayout* buttons =
      SetButtons(group, "R_EDesc", &R_EDescAddBtn, &R_EDescSetBtn, &R_EDescDelBtn);
  buttons->addStretch(1);
  form->addLayout(buttons);
  grid->addWidget(group, 0, 1);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(0, 1);
  m_extras = std::make_unique<ExtraDescEdit>(editor, R_EDescListBox, R_EDescKeyEdit, R_EDescMemo);

  connect(R_EDescAddBtn, &QPushButton::clicked, this, &RoomExtraDescsPage::R_EDescAddBtnClick);
  connect(R_EDescSetBtn, &QPushButton::clicked, this, &RoomExtraDescsPage::R_EDescSetBtnClick);
  connect(R_EDescDelBtn, &QPushButton::clicked, this, &RoomExtraDescsPage::R_EDescDelBtnClick);
  connect(R_EDescListBox, &QListWidget::currentRowChanged, this,
          &RoomExtraDescsPage::R_EDescListBoxClick);
  connect(R_EDescKeyEdit, &QLineEdit::textChanged, this, &RoomExtraDescsPage::R_EDescEditChange);
  connect(R_EDescMemo, &QPlainTextEdit::textChanged, this, &RoomExtraDescsPage::R_EDescEditChange);
}

RoomExtraDescsPage::~RoomExtraDescsPage() = default;

void RoomExtraDescsPage::ShowRecord() {
  m_extras->Fill(m_wc.ExtraDescs);
  R_EDescListBoxClick();
}

void RoomExtraDescsPage::UpdateButtons() {
  const bool extra = R_EDescListBox->currentRow() >= 0;
  const bool filled = !R_EDescKeyEdit->text().isEmpty() && !R_EDescMemo->document()->isEmpty();
  EnableWithReason(R_EDescAddBtn, filled,
                   QStringLiteral("Сначала введите ключевые слова и текст описания"));
  R_EDescSetBtn->setEnabled(extra && filled);
  R_EDescDelBtn->setEnabled(extra);
}

void RoomExtraDescsPage::R_EDescListBoxClick() {
  m_extras->ShowCurrent(m_wc.ExtraDescs);
  UpdateButtons();
}

void RoomExtraDescsPage::R_EDescEditChange() {
  UpdateButtons();
}

void RoomExtraDescsPage::R_EDescAddBtnClick() {
  if (m_extras->Add(m_wc.ExtraDescs)) UpdateButtons();
}

void RoomExtraDescsPage::R_EDescSetBtnClick() {
  m_extras->Set(m_wc.ExtraDescs);
}

void RoomExtraDescsPage::R_EDescDelBtnClick() {
  if (m_extras->Remove(m_wc.ExtraDescs)) R_EDescListBoxClick();
}

}  // namespace zm
