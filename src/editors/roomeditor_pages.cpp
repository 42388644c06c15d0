// The room editor's list pages: objects, mobiles, extra descriptions,
// triggers and ingredients.
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/fieldtext.h"
#include "editors/roomeditor.h"

namespace zm {
namespace {

QTreeWidget* ListView(QWidget* parent, const char* name, const QStringList& columns) {
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

QVBoxLayout* Column(QGridLayout* grid, int col) {
  auto* column = new QVBoxLayout();
  grid->addLayout(column, 0, col);
  return column;
}

}  // namespace

QWidget* RoomEditor::buildObjectsPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  QVBoxLayout* left = Column(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список объектов в комнате"), page));
  R_ObjListView = ListView(page, "R_ObjListView",
                           {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта")});
  left->addWidget(R_ObjListView, 1);
  left->addLayout(ListButtons(page, "R_Obj", &R_ObjAddBtn, &R_ObjEditBtn, &R_ObjDelBtn));
  R_ObjPanel = Named(new QWidget(page), "R_ObjPanel");
  auto* form = new QFormLayout(R_ObjPanel);
  form->setContentsMargins(0, 0, 0, 0);
  R_ObjChanceEdit = Named(new QSpinBox(R_ObjPanel), "R_ObjChanceEdit");
  FieldRange<int16_t>(R_ObjChanceEdit);
  form->addRow(QStringLiteral("Шанс загрузки (%)"), R_ObjChanceEdit);
  R_ObjQtyEdit = Named(new QSpinBox(R_ObjPanel), "R_ObjQtyEdit");
  FieldRange<int32_t>(R_ObjQtyEdit);
  form->addRow(QStringLiteral("Максимальное кол-во объектов в комнате"), R_ObjQtyEdit);
  left->addWidget(R_ObjPanel);

  QVBoxLayout* right = Column(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Список объектов у объекта"), page));
  R_ObjOListView = ListView(page, "R_ObjOListView",
                            {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                             QStringLiteral("Шанс")});
  right->addWidget(R_ObjOListView, 1);
  right->addLayout(ListButtons(page, "R_ObjO", &R_ObjOAddBtn, &R_ObjOEditBtn, &R_ObjODelBtn));
  right->addWidget(new QLabel(QStringLiteral("Объекты, удаляемые при перезагрузке зоны"), page));
  R_ObjDListView =
      ListView(page, "R_ObjDListView",
               {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта")});
  right->addWidget(R_ObjDListView, 1);
  right->addLayout(ListButtons(page, "R_ObjD", &R_ObjDAddBtn, &R_ObjDEditBtn, &R_ObjDDelBtn));

  m_objs = std::make_unique<PlacementList>(*this, R_ObjListView,
                                           PlacementList::Columns{0, false, false, "объект"});
  m_contents = std::make_unique<PlacementList>(*this, R_ObjOListView,
                                               PlacementList::Columns{0, false, true, "объект"});
  m_removed = std::make_unique<PlacementList>(*this, R_ObjDListView,
                                              PlacementList::Columns{0, false, false, "объект"});
  return page;
}

QWidget* RoomEditor::buildMobsPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  QVBoxLayout* left = Column(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список мобов в комнате"), page));
  R_MobListView = ListView(page, "R_MobListView",
                           {QStringLiteral("Условие"), QStringLiteral("Номер и название моба")});
  left->addWidget(R_MobListView, 1);
  left->addLayout(ListButtons(page, "R_Mob", &R_MobAddBtn, &R_MobEditBtn, &R_MobDelBtn));
  R_MobPanel = Named(new QWidget(page), "R_MobPanel");
  auto* form = new QFormLayout(R_MobPanel);
  form->setContentsMargins(0, 0, 0, 0);
  R_MobFolComboBox = Named(new QComboBox(R_MobPanel), "R_MobFolComboBox");
  form->addRow(QStringLiteral("За кем моб следует"), R_MobFolComboBox);
  R_MobQtyEdit = Named(new QSpinBox(R_MobPanel), "R_MobQtyEdit");
  FieldRange<int32_t>(R_MobQtyEdit);
  form->addRow(QStringLiteral("Максимальное кол-во мобов в комнате"), R_MobQtyEdit);
  left->addWidget(R_MobPanel);

  QVBoxLayout* right = Column(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Список объектов у моба"), page));
  R_MobOListView = ListView(page, "R_MobOListView",
                            {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                             QStringLiteral("Где надето"), QStringLiteral("Шанс")});
  right->addWidget(R_MobOListView, 1);
  right->addLayout(ListButtons(page, "R_MobO", &R_MobOAddBtn, &R_MobOEditBtn, &R_MobODelBtn));

  m_mobs = std::make_unique<PlacementList>(*this, R_MobListView,
                                           PlacementList::Columns{1, false, false, "моба"});
  m_inventory = std::make_unique<PlacementList>(*this, R_MobOListView,
                                                PlacementList::Columns{0, true, true, "объект"});
  return page;
}

QWidget* RoomEditor::buildExtraPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  QVBoxLayout* left = Column(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список дополнительных описаний"), page));
  R_EDescListBox = Named(new QListWidget(page), "R_EDescListBox");
  left->addWidget(R_EDescListBox, 1);

  auto* group = new QGroupBox(QStringLiteral("Параметры"), page);
  auto* form = new QVBoxLayout(group);
  form->addWidget(new QLabel(QStringLiteral("Список ключевых слов"), group));
  R_EDescKeyEdit = Named(new QLineEdit(group), "R_EDescKeyEdit");
  form->addWidget(R_EDescKeyEdit);
  form->addWidget(new QLabel(QStringLiteral("Описание"), group));
  R_EDescMemo = Named(new QPlainTextEdit(group), "R_EDescMemo");
  R_EDescMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
  AttachMemo(R_EDescMemo);
  form->addWidget(R_EDescMemo, 1);
  QHBoxLayout* buttons =
      SetButtons(group, "R_EDesc", &R_EDescAddBtn, &R_EDescSetBtn, &R_EDescDelBtn);
  buttons->addStretch(1);
  form->addLayout(buttons);
  grid->addWidget(group, 0, 1);
  grid->setColumnStretch(1, 2);
  grid->setColumnStretch(0, 1);
  m_extras = std::make_unique<ExtraDescEdit>(*this, R_EDescListBox, R_EDescKeyEdit, R_EDescMemo);
  return page;
}

QWidget* RoomEditor::buildTrigIngrPage() {
  auto* page = new QWidget(this);
  auto* grid = new QGridLayout(page);
  QVBoxLayout* left = Column(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список триггеров"), page));
  R_TrigListBox = Named(new QListWidget(page), "R_TrigListBox");
  left->addWidget(R_TrigListBox, 1);
  auto* buttons = new QHBoxLayout();
  R_TrigAddBtn = Named(new QPushButton(QStringLiteral("Добавить"), page), "R_TrigAddBtn");
  R_TrigDelBtn = Named(new QPushButton(QStringLiteral("Удалить"), page), "R_TrigDelBtn");
  buttons->addWidget(R_TrigAddBtn);
  buttons->addWidget(R_TrigDelBtn);
  buttons->addStretch(1);
  left->addLayout(buttons);
  left->addWidget(new QLabel(QStringLiteral("Список доступных триггеров"), page));
  R_ATrigListBox = Named(new QListWidget(page), "R_ATrigListBox");
  left->addWidget(R_ATrigListBox, 1);
  auto* num = new QHBoxLayout();
  num->addWidget(new QLabel(QStringLiteral("Номер триггера"), page));
  R_TrigNumEdit = Named(new QSpinBox(page), "R_TrigNumEdit");
  SpinRange(R_TrigNumEdit, 0, std::numeric_limits<int32_t>::max());
  num->addWidget(R_TrigNumEdit, 1);
  left->addLayout(num);

  QVBoxLayout* right = Column(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Ингредиенты"), page));
  R_IngrListView =
      ListView(page, "R_IngrListView",
               {QStringLiteral("Название"), QStringLiteral("Сила"), QStringLiteral("Шанс")});
  R_IngrListView->header()->setSectionResizeMode(0, QHeaderView::Stretch);
  R_IngrListView->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  right->addWidget(R_IngrListView, 1);
  auto* group = new QGroupBox(QStringLiteral("Параметры"), page);
  auto* form = new QFormLayout(group);
  R_INameComboBox = Named(new QComboBox(group), "R_INameComboBox");
  form->addRow(QStringLiteral("Название"), R_INameComboBox);
  R_IStrEdit = Named(new QSpinBox(group), "R_IStrEdit");
  FieldRange<int16_t>(R_IStrEdit);
  form->addRow(QStringLiteral("Сила"), R_IStrEdit);
  R_IChanceEdit = Named(new QSpinBox(group), "R_IChanceEdit");
  FieldRange<int16_t>(R_IChanceEdit);
  form->addRow(QStringLiteral("Шанс загрузки"), R_IChanceEdit);
  form->addRow(ListButtons(group, "R_Ingr", &R_IngrAddBtn, &R_IngrEditBtn, &R_IngrDelBtn));
  right->addWidget(group);
  m_ingrs = std::make_unique<IngrListEdit>(*this, R_IngrListView, R_INameComboBox, R_IStrEdit,
                                           R_IChanceEdit);
  return page;
}

void RoomEditor::connectListPages() {
  auto click = [this](QPushButton* b, void (RoomEditor::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(R_ObjAddBtn, &RoomEditor::R_ObjAddBtnClick);
  click(R_ObjEditBtn, &RoomEditor::R_ObjEditBtnClick);
  click(R_ObjDelBtn, &RoomEditor::R_ObjDelBtnClick);
  click(R_ObjOAddBtn, &RoomEditor::R_ObjOAddBtnClick);
  click(R_ObjOEditBtn, &RoomEditor::R_ObjOEditBtnClick);
  click(R_ObjODelBtn, &RoomEditor::R_ObjODelBtnClick);
  click(R_ObjDAddBtn, &RoomEditor::R_ObjDAddBtnClick);
  click(R_ObjDEditBtn, &RoomEditor::R_ObjDEditBtnClick);
  click(R_ObjDDelBtn, &RoomEditor::R_ObjDDelBtnClick);
  click(R_MobAddBtn, &RoomEditor::R_MobAddBtnClick);
  click(R_MobEditBtn, &RoomEditor::R_MobEditBtnClick);
  click(R_MobDelBtn, &RoomEditor::R_MobDelBtnClick);
  click(R_MobOAddBtn, &RoomEditor::R_MobOAddBtnClick);
  click(R_MobOEditBtn, &RoomEditor::R_MobOEditBtnClick);
  click(R_MobODelBtn, &RoomEditor::R_MobODelBtnClick);
  click(R_EDescAddBtn, &RoomEditor::R_EDescAddBtnClick);
  click(R_EDescSetBtn, &RoomEditor::R_EDescSetBtnClick);
  click(R_EDescDelBtn, &RoomEditor::R_EDescDelBtnClick);
  click(R_TrigAddBtn, &RoomEditor::R_TrigAddBtnClick);
  click(R_TrigDelBtn, &RoomEditor::R_TrigDelBtnClick);
  click(R_IngrAddBtn, &RoomEditor::R_IngrAddBtnClick);
  click(R_IngrEditBtn, &RoomEditor::R_IngrEditBtnClick);
  click(R_IngrDelBtn, &RoomEditor::R_IngrDelBtnClick);

  m_objs->OnClick = [this] { R_ObjListViewClick(); };
  m_mobs->OnClick = [this] { R_MobListViewClick(); };
  // Double-clicking a row changes it; where there is no row, it is a click.
  auto doubleClick = [this](PlacementList& list, void (RoomEditor::*change)()) {
    connect(list.View(), &QTreeWidget::itemDoubleClicked, this, change);
  };
  doubleClick(*m_objs, &RoomEditor::R_ObjEditBtnClick);
  doubleClick(*m_contents, &RoomEditor::R_ObjOEditBtnClick);
  doubleClick(*m_removed, &RoomEditor::R_ObjDEditBtnClick);
  doubleClick(*m_mobs, &RoomEditor::R_MobEditBtnClick);
  doubleClick(*m_inventory, &RoomEditor::R_MobOEditBtnClick);
  for (PlacementList* list : {m_contents.get(), m_removed.get(), m_inventory.get()})
    list->OnClick = [this] { updateButtons(); };

  connect(R_ObjChanceEdit, &QSpinBox::valueChanged, this, &RoomEditor::R_ObjChanceEditChange);
  connect(R_ObjQtyEdit, &QSpinBox::valueChanged, this, &RoomEditor::R_ObjQtyEditChange);
  connect(R_MobFolComboBox, &QComboBox::activated, this, &RoomEditor::R_MobFolComboBoxChange);
  connect(R_MobQtyEdit, &QSpinBox::valueChanged, this, &RoomEditor::R_MobQtyEditChange);
  connect(R_EDescListBox, &QListWidget::currentRowChanged, this, &RoomEditor::R_EDescListBoxClick);
  connect(R_EDescKeyEdit, &QLineEdit::textChanged, this, &RoomEditor::R_EDescEditChange);
  connect(R_EDescMemo, &QPlainTextEdit::textChanged, this, &RoomEditor::R_EDescEditChange);
  connect(R_ATrigListBox, &QListWidget::currentRowChanged, this, &RoomEditor::R_ATrigListBoxClick);
  connect(R_ATrigListBox, &QListWidget::itemDoubleClicked, this, &RoomEditor::R_TrigAddBtnClick);
  connect(R_IngrListView, &QTreeWidget::currentItemChanged, this, &RoomEditor::R_IngrListViewClick);
  connect(R_INameComboBox, &QComboBox::currentIndexChanged, this,
          &RoomEditor::R_INameComboBoxChange);
}

}  // namespace zm
