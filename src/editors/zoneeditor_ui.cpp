// The zone editor's controls: pages "Параметры", "Файлы", "Статистика" and
// "Исходник".
#include <QButtonGroup>
#include <QComboBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/zoneeditor.h"

namespace zm {
namespace {

QTreeWidget* ListView(QWidget* parent, const char* name, const QStringList& columns,
                      const std::vector<int>& widths) {
  auto* view = Named(new QTreeWidget(parent), QString::fromLatin1(name));
  view->setRootIsDecorated(false);
  view->setColumnCount(static_cast<int>(columns.size()));
  view->setHeaderLabels(columns);
  view->setSelectionMode(QAbstractItemView::SingleSelection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setAllColumnsShowFocus(true);
  for (size_t i = 0; i < widths.size(); ++i) view->setColumnWidth(static_cast<int>(i), widths[i]);
  // The number and name column takes what the window gives.
  view->header()->setStretchLastSection(false);
  if (columns.size() > 1) view->header()->setSectionResizeMode(1, QHeaderView::Stretch);
  return view;
}

struct FileRow {
  const char* label;
  const char* stem;
};
constexpr std::array<FileRow, ZoneEditor::kFiles> kFileRows = {{{"Зона", "Zone"},
                                                                {"Комнаты", "Room"},
                                                                {"Карта", "ZoneMap"},
                                                                {"Объекты", "Obj"},
                                                                {"Мобы", "Mob"},
                                                                {"Магазины", "Shop"},
                                                                {"Триггеры", "Trig"}}};

}  // namespace

void ZoneEditor::buildUi() {
  auto* top = new QVBoxLayout(Body());
  top->setContentsMargins(6, 6, 6, 6);
  Z_PageControl = Named(new QTabWidget(this), "Z_PageControl");
  Z_PageControl->addTab(buildParamsPage(), QStringLiteral("Параметры"));
  Z_PageControl->addTab(buildFilesPage(), QStringLiteral("Файлы"));
  Z_PageControl->addTab(buildStatsPage(), QStringLiteral("Статистика"));
  Z_PageControl->addTab(buildSourcePage(), QStringLiteral("Исходник"));
  top->addWidget(Z_PageControl);
}

QWidget* ZoneEditor::buildParamsPage() {
  auto* page = new QWidget(this);
  auto* col = new QVBoxLayout(page);
  auto* head = new QGridLayout();
  head->addWidget(new QLabel(QStringLiteral("Номер"), page), 0, 0);
  Z_IDEdit = Named(new QSpinBox(page), "Z_IDEdit");
  Z_IDEdit->setRange(1, 9999);
  Z_IDEdit->setMinimumWidth(70);
  head->addWidget(Z_IDEdit, 1, 0);
  head->addWidget(new QLabel(QStringLiteral("Имя зоны и автор"), page), 0, 1);
  Z_NameEdit = Named(new QLineEdit(page), "Z_NameEdit");
  head->addWidget(Z_NameEdit, 1, 1, 1, 2);
  head->addWidget(new QLabel(QStringLiteral("Условие перезагрузки"), page), 2, 0, 1, 2);
  Z_RTypeComboBox = Named(new QComboBox(page), "Z_RTypeComboBox");
  head->addWidget(Z_RTypeComboBox, 3, 0, 1, 2);
  head->addWidget(new QLabel(QStringLiteral("Время перезагрузки (в мин РЛ)"), page), 2, 2);
  Z_RTimeEdit = Named(new QSpinBox(page), "Z_RTimeEdit");
  Z_RTimeEdit->setRange(0, 9999);
  head->addWidget(Z_RTimeEdit, 3, 2);
  head->setColumnStretch(1, 1);
  col->addLayout(head);

  col->addWidget(new QLabel(QStringLiteral("Создаваемые объекты"), page));
  Z_RObjListView = ListView(page, "Z_RObjListView",
                            {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                             QStringLiteral("Шанс")},
                            {130, 320, 43});
  col->addWidget(Z_RObjListView, 1);
  col->addLayout(ListButtons(page, "Z_RObj", &Z_RObjAddBtn, &Z_RObjEditBtn, &Z_RObjDelBtn));
  col->addWidget(new QLabel(QStringLiteral("Удаляемые мобы"), page));
  Z_RMobListView =
      ListView(page, "Z_RMobListView",
               {QStringLiteral("Условие"), QStringLiteral("Номер и название моба")}, {130, 363});
  col->addWidget(Z_RMobListView, 1);
  col->addLayout(ListButtons(page, "Z_RMob", &Z_RMobAddBtn, &Z_RMobEditBtn, &Z_RMobDelBtn));

  m_objs = std::make_unique<PlacementList>(*this, Z_RObjListView,
                                           PlacementList::Columns{0, false, true, "объект"});
  m_mobs = std::make_unique<PlacementList>(*this, Z_RMobListView,
                                           PlacementList::Columns{1, false, false, "моба"});
  return page;
}

QWidget* ZoneEditor::buildFilesPage() {
  auto* page = new QWidget(this);
  auto* col = new QVBoxLayout(page);
  auto* grid = new QGridLayout();
  grid->addWidget(new QLabel(QStringLiteral("Разделитель"), page), 0, 2);
  grid->addWidget(new QLabel(QStringLiteral("Кодировка"), page), 0, 3);
  for (size_t i = 0; i < kFileRows.size(); ++i) {
    const QString stem = QString::fromLatin1(kFileRows[i].stem);
    const int row = static_cast<int>(i) + 1;
    FileRow& f = Z_Files[i];
    grid->addWidget(new QLabel(QString::fromUtf8(kFileRows[i].label), page), row, 0);
    f.Path =
        Named(new QLineEdit(page), QStringLiteral("Z_") + stem + QStringLiteral("FilenameEdit"));
    grid->addWidget(f.Path, row, 1);
    f.LineBreak =
        Named(new QComboBox(page), QStringLiteral("Z_") + stem + QStringLiteral("LBComboBox"));
    f.LineBreak->addItems({QStringLiteral("LF"), QStringLiteral("CRLF")});
    grid->addWidget(f.LineBreak, row, 2);
    f.Coding =
        Named(new QComboBox(page), QStringLiteral("Z_") + stem + QStringLiteral("CComboBox"));
    f.Coding->addItems(
        {QStringLiteral("AutoDetect"), QStringLiteral("Windows"), QStringLiteral("KOI-8")});
    grid->addWidget(f.Coding, row, 3);
  }
  grid->setColumnStretch(1, 1);
  col->addLayout(grid);

  auto* group =
      Named(new QGroupBox(QStringLiteral("Разделитель и кодировка"), page), "Z_FileRadioGroupBox");
  auto* radios = new QVBoxLayout(group);
  Z_FileRadioGroup = new QButtonGroup(group);
  Z_FileRadioGroup->setObjectName("Z_FileRadioGroup");
  const char* items[] = {"У каждого своя", "Как в настройках", "Как у зоны"};
  for (int i = 0; i < 3; ++i) {
    auto* b = new QRadioButton(QString::fromUtf8(items[i]), group);
    b->setObjectName(QStringLiteral("Z_FileRadio%1").arg(i));
    Z_FileRadioGroup->addButton(b, i);
    radios->addWidget(b);
  }
  Z_FileRadioGroup->button(0)->setChecked(true);
  col->addWidget(group);
  col->addStretch(1);
  return page;
}

QWidget* ZoneEditor::buildStatsPage() {
  auto* page = new QWidget(this);
  auto* col = new QVBoxLayout(page);
  auto* form = new QFormLayout();
  auto stat = [&](const char* caption, const char* name) {
    auto* label = Named(new QLabel(QStringLiteral("0"), page), QString::fromLatin1(name));
    form->addRow(QString::fromUtf8(caption), label);
    return label;
  };
  Z_RStatLabel = stat("Комнат:", "Z_RStatLabel");
  Z_NRStatLabel = stat("Из них нерасставленых:", "Z_NRStatLabel");
  Z_OStatLabel = stat("Объектов:", "Z_OStatLabel");
  Z_MStatLabel = stat("Мобов:", "Z_MStatLabel");
  Z_SStatLabel = stat("Магазинов:", "Z_SStatLabel");
  Z_TStatLabel = stat("Триггеров:", "Z_TStatLabel");
  col->addLayout(form);
  col->addWidget(new QLabel(QStringLiteral("Найденые ошибки:"), page));
  Z_ErrorListBox = Named(new QListWidget(page), "Z_ErrorListBox");
  col->addWidget(Z_ErrorListBox, 1);
  return page;
}

QWidget* ZoneEditor::buildSourcePage() {
  Z_SourceMemo = Named(new QPlainTextEdit(this), "Z_SourceMemo");
  Z_SourceMemo->setReadOnly(true);
  Z_SourceMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  Z_SourceMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QFont font(QStringLiteral("Courier New"));
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  font.setPixelSize(12);
  Z_SourceMemo->setFont(font);
  return Z_SourceMemo;
}

void ZoneEditor::connectControls() {
  const std::pair<QPushButton*, void (ZoneEditor::*)()> buttons[] = {
      {Z_RObjAddBtn, &ZoneEditor::Z_RObjAddBtnClick},
      {Z_RObjEditBtn, &ZoneEditor::Z_RObjEditBtnClick},
      {Z_RObjDelBtn, &ZoneEditor::Z_RObjDelBtnClick},
      {Z_RMobAddBtn, &ZoneEditor::Z_RMobAddBtnClick},
      {Z_RMobEditBtn, &ZoneEditor::Z_RMobEditBtnClick},
      {Z_RMobDelBtn, &ZoneEditor::Z_RMobDelBtnClick}};
  for (const auto& [b, handler] : buttons) connect(b, &QPushButton::clicked, this, handler);
  m_objs->OnClick = [this] { Z_RObjListViewClick(); };
  m_mobs->OnClick = [this] { Z_RMobListViewClick(); };
  // A mouse click moves the current row before it selects it: the buttons
  // follow the selection itself.
  connect(Z_RObjListView, &QTreeWidget::itemSelectionChanged, this,
          &ZoneEditor::Z_RObjListViewClick);
  connect(Z_RMobListView, &QTreeWidget::itemSelectionChanged, this,
          &ZoneEditor::Z_RMobListViewClick);
  // Double-click: a row is changed; elsewhere it is only a click.
  connect(Z_RObjListView, &QTreeWidget::itemDoubleClicked, this, &ZoneEditor::Z_RObjEditBtnClick);
  connect(Z_RMobListView, &QTreeWidget::itemDoubleClicked, this, &ZoneEditor::Z_RMobEditBtnClick);
  connect(Z_FileRadioGroup, &QButtonGroup::idClicked, this, &ZoneEditor::Z_FileRadioGroupClick);
  // The checks run again whenever the page is shown: the map editor and
  // the room editors change what they count meanwhile.
  connect(Z_PageControl, &QTabWidget::currentChanged, this, [this](int page) {
    if (page == 2 && LinkedRecord()) ShowStatistics();
  });
  Z_IDEdit->installEventFilter(this);
  connect(Z_IDEdit, &QSpinBox::editingFinished, this, [this] {
    // Enter in the field: as when it is left.
    if (Z_IDEdit->hasFocus()) Z_IDEditExit();
  });
}

}  // namespace zm
