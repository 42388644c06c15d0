#include "editors/zoneparamspage.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/reporter.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "model/zones.h"

namespace zm {
namespace {

// A created-object row keeps the chance it came with when that chance is one
// a row cannot show (0 or less), so that taking the rows back loses nothing.
constexpr int kRoleOwnChance = Qt::UserRole + 40;

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

}  // namespace

ZoneParamsPage::ZoneParamsPage(EditorWindow& editor, TZone& wc) : EditorPage(editor), m_wc(wc) {
  buildUi();
  connectControls();
  Z_RObjListViewClick();
  Z_RMobListViewClick();
}

ZoneParamsPage::~ZoneParamsPage() = default;

void ZoneParamsPage::buildUi() {
  auto* col = new QVBoxLayout(this);
  auto* head = new QGridLayout();
  head->addWidget(new QLabel(QStringLiteral("Номер"), this), 0, 0);
  Z_IDEdit = Named(new QSpinBox(this), "Z_IDEdit");
  Z_IDEdit->setRange(1, 9999);
  Z_IDEdit->setMinimumWidth(70);
  head->addWidget(Z_IDEdit, 1, 0);
  head->addWidget(new QLabel(QStringLiteral("Имя зоны и автор"), this), 0, 1);
  Z_NameEdit = Named(new QLineEdit(this), "Z_NameEdit");
  head->addWidget(Z_NameEdit, 1, 1, 1, 2);
  head->addWidget(new QLabel(QStringLiteral("Условие перезагрузки"), this), 2, 0, 1, 2);
  Z_RTypeComboBox = Named(new QComboBox(this), "Z_RTypeComboBox");
  head->addWidget(Z_RTypeComboBox, 3, 0, 1, 2);
  head->addWidget(new QLabel(QStringLiteral("Время перезагрузки (в мин РЛ)"), this), 2, 2);
  Z_RTimeEdit = Named(new QSpinBox(this), "Z_RTimeEdit");
  Z_RTimeEdit->setRange(0, 9999);
  head->addWidget(Z_RTimeEdit, 3, 2);
  head->setColumnStretch(1, 1);
  col->addLayout(head);

  col->addWidget(new QLabel(QStringLiteral("Создаваемые объекты"), this));
  Z_RObjListView = ListView(this, "Z_RObjListView",
                            {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                             QStringLiteral("Шанс")},
                            {130, 320, 43});
  col->addWidget(Z_RObjListView, 1);
  col->addLayout(ListButtons(this, "Z_RObj", &Z_RObjAddBtn, &Z_RObjEditBtn, &Z_RObjDelBtn));
  col->addWidget(new QLabel(QStringLiteral("Удаляемые мобы"), this));
  Z_RMobListView =
      ListView(this, "Z_RMobListView",
               {QStringLiteral("Условие"), QStringLiteral("Номер и название моба")}, {130, 363});
  col->addWidget(Z_RMobListView, 1);
  col->addLayout(ListButtons(this, "Z_RMob", &Z_RMobAddBtn, &Z_RMobEditBtn, &Z_RMobDelBtn));
  // The zone under another number: a copy, or the zone itself.
  auto* move = new QHBoxLayout();
  move->addStretch(1);
  Z_CopyZoneBtn = Named(new QPushButton(QStringLiteral("Копировать зону…"), this), "Z_CopyZoneBtn");
  Z_RenumberZoneBtn =
      Named(new QPushButton(QStringLiteral("Перенумеровать зону…"), this), "Z_RenumberZoneBtn");
  move->addWidget(Z_CopyZoneBtn);
  move->addWidget(Z_RenumberZoneBtn);
  col->addLayout(move);

  m_objs = std::make_unique<PlacementList>(Editor(), Z_RObjListView,
                                           PlacementList::Columns{0, false, true, "объект"});
  m_mobs = std::make_unique<PlacementList>(Editor(), Z_RMobListView,
                                           PlacementList::Columns{1, false, false, "моба"});
}

void ZoneParamsPage::connectControls() {
  for (auto [button, renumber] : {std::pair{Z_CopyZoneBtn, false}, {Z_RenumberZoneBtn, true}})
    connect(button, &QPushButton::clicked, this, [this, renumber] {
      // The editor's own edits go into the zone first; the move closes the window.
      if (Editor().LinkedRecord()) Editor().Host().MoveZone(m_wc.Vnum, renumber);
    });
  const std::pair<QPushButton*, void (ZoneParamsPage::*)()> buttons[] = {
      {Z_RObjAddBtn, &ZoneParamsPage::Z_RObjAddBtnClick},
      {Z_RObjEditBtn, &ZoneParamsPage::Z_RObjEditBtnClick},
      {Z_RObjDelBtn, &ZoneParamsPage::Z_RObjDelBtnClick},
      {Z_RMobAddBtn, &ZoneParamsPage::Z_RMobAddBtnClick},
      {Z_RMobEditBtn, &ZoneParamsPage::Z_RMobEditBtnClick},
      {Z_RMobDelBtn, &ZoneParamsPage::Z_RMobDelBtnClick}};
  for (const auto& [b, handler] : buttons) connect(b, &QPushButton::clicked, this, handler);
  m_objs->OnClick = [this] { Z_RObjListViewClick(); };
  m_mobs->OnClick = [this] { Z_RMobListViewClick(); };
  // A mouse click moves the current row before it selects it: the buttons
  // follow the selection itself.
  connect(Z_RObjListView, &QTreeWidget::itemSelectionChanged, this,
          &ZoneParamsPage::Z_RObjListViewClick);
  connect(Z_RMobListView, &QTreeWidget::itemSelectionChanged, this,
          &ZoneParamsPage::Z_RMobListViewClick);
  // Double-click: a row is changed; elsewhere it is only a click.
  connect(Z_RObjListView, &QTreeWidget::itemDoubleClicked, this,
          &ZoneParamsPage::Z_RObjEditBtnClick);
  connect(Z_RMobListView, &QTreeWidget::itemDoubleClicked, this,
          &ZoneParamsPage::Z_RMobEditBtnClick);
  Z_IDEdit->installEventFilter(this);
  connect(Z_IDEdit, &QSpinBox::editingFinished, this, [this] {
    // Enter in the field: as when it is left.
    if (Z_IDEdit->hasFocus()) Z_IDEditExit();
  });
}

void ZoneParamsPage::ShowRecord() {
  // The number is shown whatever it is: it is never taken back.
  Z_IDEdit->setRange(std::min(1, m_wc.Vnum), std::max(9999, m_wc.Vnum));
  Z_IDEdit->setValue(m_wc.Vnum);
  ShowLine(Z_NameEdit, m_wc.Name);
  Editor().ShowDictInt(Z_RTypeComboBox, m_wc.ResetMode);
  Z_RTimeEdit->setRange(std::min(0, m_wc.ResetTime), std::max(9999, m_wc.ResetTime));
  Z_RTimeEdit->setValue(m_wc.ResetTime);

  m_objs->Clear();
  for (const auto& o : m_wc.CreatedObjects) {
    m_objs->Append({o->ID, CondKey(o->Cond), kNoWhere, o->Chance});
    if (o->Chance <= 0)
      Z_RObjListView->topLevelItem(m_objs->Count() - 1)
          ->setData(0, kRoleOwnChance, static_cast<int>(o->Chance));
  }
  Z_RObjListViewClick();
  m_mobs->Clear();
  for (const auto& q : m_wc.RemovedMobs) m_mobs->Append({q->ID, CondKey(q->Cond), kNoWhere, 0});
  Z_RMobListViewClick();
}

void ZoneParamsPage::StoreRecord() {
  m_wc.Name = ReadLine(Z_NameEdit);
  m_wc.ResetMode = Editor().ReadDictInt(Z_RTypeComboBox, m_wc.ResetMode);
  m_wc.ResetTime = Z_RTimeEdit->value();

  m_wc.CreatedObjects.Clear();
  for (int i = 0; i < m_objs->Count(); ++i) {
    const PlacementRow row = m_objs->Row(i);
    TLinkObj l;
    l.Cond = CondFlag(row.Cond);
    l.ID = row.ID;
    const QVariant own = Z_RObjListView->topLevelItem(i)->data(0, kRoleOwnChance);
    l.Chance = static_cast<int16_t>(row.Chance > 0 ? row.Chance : own.toInt());
    l.WearPos = 255;
    m_wc.CreatedObjects.Add(l);
  }
  m_wc.RemovedMobs.Clear();
  for (int i = 0; i < m_mobs->Count(); ++i) {
    const PlacementRow row = m_mobs->Row(i);
    m_wc.RemovedMobs.Add(TCondID{CondFlag(row.Cond), row.ID});
  }
}

bool ZoneParamsPage::AcceptRecord(TMUDClass& rec, QWidget* focus) {
  if (focus == Z_RObjListView && rec.Kind == kObject) {
    m_objs->Append({rec.Vnum, "0", kNoWhere, 100});
    m_objs->Select(m_objs->Count() - 1);
    return true;
  }
  if (focus == Z_RMobListView && rec.Kind == kMobile) {
    m_mobs->Append({rec.Vnum, "0", kNoWhere, 0});
    m_mobs->Select(m_mobs->Count() - 1);
    return true;
  }
  return false;
}

// ------------------------------------------------------------ the lists

void ZoneParamsPage::Z_RObjListViewClick() {
  const bool row = m_objs->Current() >= 0;
  Z_RObjEditBtn->setEnabled(row);
  Z_RObjDelBtn->setEnabled(row);
}

void ZoneParamsPage::Z_RMobListViewClick() {
  const bool row = m_mobs->Current() >= 0;
  Z_RMobEditBtn->setEnabled(row);
  Z_RMobDelBtn->setEnabled(row);
}

void ZoneParamsPage::Z_RObjAddBtnClick() {
  PlacementRow row;
  if (!m_objs->AskAdd(row)) return;
  m_objs->Append(row);
  m_objs->Select(m_objs->Count() - 1);
}

void ZoneParamsPage::Z_RObjEditBtnClick() {
  const int i = m_objs->Current();
  PlacementRow row;
  if (i < 0) {
    Z_RObjListViewClick();
    return;
  }
  if (!m_objs->AskChange(row)) return;
  m_objs->Refill(i, row);
  // The dialog gave the row a chance of its own.
  Z_RObjListView->topLevelItem(i)->setData(0, kRoleOwnChance, QVariant());
}

void ZoneParamsPage::Z_RObjDelBtnClick() {
  const int i = m_objs->Current();
  if (i >= 0 && m_objs->AskDelete()) m_objs->Remove(i);
}

void ZoneParamsPage::Z_RMobAddBtnClick() {
  PlacementRow row;
  if (!m_mobs->AskAdd(row)) return;
  m_mobs->Append(row);
  m_mobs->Select(m_mobs->Count() - 1);
}

void ZoneParamsPage::Z_RMobEditBtnClick() {
  const int i = m_mobs->Current();
  PlacementRow row;
  if (i < 0) {
    Z_RMobListViewClick();
    return;
  }
  if (m_mobs->AskChange(row)) m_mobs->Refill(i, row);
}

void ZoneParamsPage::Z_RMobDelBtnClick() {
  const int i = m_mobs->Current();
  if (i >= 0 && m_mobs->AskDelete()) m_mobs->Remove(i);
}

// ------------------------------------------------------------ the number

void ZoneParamsPage::Z_IDEditExit() {
  // A window still being filled, or one left without a zone, has no number
  // to compare with.
  if (!Editor().LinkedRecord()) return;
  Reporter& rep = Editor().Host().Questions();
  bool number = false;
  const int32_t typed = Z_IDEdit->cleanText().trimmed().toInt(&number);
  if (!number) {
    rep.ShowError(ErrorMsg::BadZoneId);
    Z_IDEdit->setFocus();
    return;
  }
  if (typed == m_wc.Vnum) return;
  // The number is the zone's identity: changing it renumbers the zone
  // throughout the world, which closes this window when done.
  const int32_t was = m_wc.Vnum;
  Z_IDEdit->setValue(was);
  if (rep.AskConfirm(ConfirmMsg::ChangeZoneId)) Editor().Host().MoveZone(was, true, typed);
}

bool ZoneParamsPage::eventFilter(QObject* watched, QEvent* e) {
  // Before the spin box puts its last good value back into a field that
  // holds no number.
  if (watched == Z_IDEdit && e->type() == QEvent::FocusOut) Z_IDEditExit();
  return EditorPage::eventFilter(watched, e);
}

}  // namespace zm
