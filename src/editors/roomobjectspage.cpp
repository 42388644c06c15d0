#include "editors/roomobjectspage.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/roomeditorpages.h"
#include "model/world.h"

namespace zm {
namespace {

PlacementRow RowOf(const TRoomObj& o) {
  return {o.ID, CondKey(o.Cond), kNoWhere, 0};
}

PlacementRow RowOf(const TLinkObj& l) {
  return {l.ID, CondKey(l.Cond), kNoWhere, l.Chance};
}

}  // namespace

RoomObjectsPage::RoomObjectsPage(EditorWindow& editor, TRoom& wc) : EditorPage(editor), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  QVBoxLayout* left = RoomPageColumn(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список объектов в комнате"), this));
  R_ObjListView =
      RoomListView(this, "R_ObjListView",
                   {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта")});
  left->addWidget(R_ObjListView, 1);
  left->addLayout(ListButtons(this, "R_Obj", &R_ObjAddBtn, &R_ObjEditBtn, &R_ObjDelBtn));
  R_ObjPanel = Named(new QWidget(this), "R_ObjPanel");
  auto* form = new QFormLayout(R_ObjPanel);
  form->setContentsMargins(0, 0, 0, 0);
  R_ObjChanceEdit = Named(new QSpinBox(R_ObjPanel), "R_ObjChanceEdit");
  FieldRange<int16_t>(R_ObjChanceEdit);
  form->addRow(QStringLiteral("Шанс загрузки (%)"), R_ObjChanceEdit);
  R_ObjQtyEdit = Named(new QSpinBox(R_ObjPanel), "R_ObjQtyEdit");
  FieldRange<int32_t>(R_ObjQtyEdit);
  form->addRow(QStringLiteral("Максимальное кол-во объектов в комнате"), R_ObjQtyEdit);
  left->addWidget(R_ObjPanel);

  QVBoxLayout* right = RoomPageColumn(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Список объектов у объекта"), this));
  R_ObjOListView =
      RoomListView(this, "R_ObjOListView",
                   {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                    QStringLiteral("Шанс")});
  right->addWidget(R_ObjOListView, 1);
  right->addLayout(ListButtons(this, "R_ObjO", &R_ObjOAddBtn, &R_ObjOEditBtn, &R_ObjODelBtn));
  right->addWidget(new QLabel(QStringLiteral("Объекты, удаляемые при перезагрузке зоны"), this));
  R_ObjDListView =
      RoomListView(this, "R_ObjDListView",
                   {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта")});
  right->addWidget(R_ObjDListView, 1);
  right->addLayout(ListButtons(this, "R_ObjD", &R_ObjDAddBtn, &R_ObjDEditBtn, &R_ObjDDelBtn));

  m_objs = std::make_unique<PlacementList>(editor, R_ObjListView,
                                           PlacementList::Columns{0, false, false, "объект"});
  m_contents = std::make_unique<PlacementList>(editor, R_ObjOListView,
                                               PlacementList::Columns{0, false, true, "объект"});
  m_removed = std::make_unique<PlacementList>(editor, R_ObjDListView,
                                              PlacementList::Columns{0, false, false, "объект"});

  auto click = [this](QPushButton* b, void (RoomObjectsPage::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(R_ObjAddBtn, &RoomObjectsPage::R_ObjAddBtnClick);
  click(R_ObjEditBtn, &RoomObjectsPage::R_ObjEditBtnClick);
  click(R_ObjDelBtn, &RoomObjectsPage::R_ObjDelBtnClick);
  click(R_ObjOAddBtn, &RoomObjectsPage::R_ObjOAddBtnClick);
  click(R_ObjOEditBtn, &RoomObjectsPage::R_ObjOEditBtnClick);
  click(R_ObjODelBtn, &RoomObjectsPage::R_ObjODelBtnClick);
  click(R_ObjDAddBtn, &RoomObjectsPage::R_ObjDAddBtnClick);
  click(R_ObjDEditBtn, &RoomObjectsPage::R_ObjDEditBtnClick);
  click(R_ObjDDelBtn, &RoomObjectsPage::R_ObjDDelBtnClick);
  m_objs->OnClick = [this] { R_ObjListViewClick(); };
  // Double-clicking a row changes it; where there is no row, it is a click.
  auto doubleClick = [this](PlacementList& list, void (RoomObjectsPage::*change)()) {
    connect(list.View(), &QTreeWidget::itemDoubleClicked, this, change);
  };
  doubleClick(*m_objs, &RoomObjectsPage::R_ObjEditBtnClick);
  doubleClick(*m_contents, &RoomObjectsPage::R_ObjOEditBtnClick);
  doubleClick(*m_removed, &RoomObjectsPage::R_ObjDEditBtnClick);
  for (PlacementList* list : {m_contents.get(), m_removed.get()})
    list->OnClick = [this] { UpdateButtons(); };
  connect(R_ObjChanceEdit, &QSpinBox::valueChanged, this, &RoomObjectsPage::R_ObjChanceEditChange);
  connect(R_ObjQtyEdit, &QSpinBox::valueChanged, this, &RoomObjectsPage::R_ObjQtyEditChange);
  R_ObjPanel->hide();
}

RoomObjectsPage::~RoomObjectsPage() = default;

void RoomObjectsPage::ShowRecord() {
  ++m_updating;
  m_objs->Clear();
  for (const auto& o : m_wc.Objects) m_objs->Append(RowOf(*o));
  m_removed->Clear();
  for (const auto& r : m_wc.RemovedObjects)
    m_removed->Append(PlacementRow{r->ID, CondKey(r->Cond), kNoWhere, 0});
  m_removed->Select(-1);
  m_objs->Select(m_objs->Count() > 0 ? 0 : -1);
  --m_updating;
  UpdateButtons();
}

void RoomObjectsPage::StoreRecord() {
  m_wc.RemovedObjects.Clear();
  for (int i = 0; i < m_removed->Count(); ++i) {
    const PlacementRow row = m_removed->Row(i);
    m_wc.RemovedObjects.Add(TCondID{CondFlag(row.Cond), row.ID});
  }
}

bool RoomObjectsPage::AcceptRecord(TMUDClass& rec, QWidget* focus) {
  if (rec.Kind != kObject) return false;
  if (focus == R_ObjListView)
    appendObject(rec.Vnum);
  else if (focus == R_ObjOListView && currentObject())
    appendContent(rec.Vnum);
  else if (focus == R_ObjDListView)
    appendRemoved(rec.Vnum);
  else
    return false;
  return true;
}

void RoomObjectsPage::UpdateButtons() {
  const bool obj = m_objs->Current() >= 0;
  R_ObjEditBtn->setEnabled(obj);
  R_ObjDelBtn->setEnabled(obj);
  R_ObjOAddBtn->setEnabled(obj);
  R_ObjOEditBtn->setEnabled(obj && m_contents->Current() >= 0);
  R_ObjODelBtn->setEnabled(obj && m_contents->Current() >= 0);
  R_ObjDEditBtn->setEnabled(m_removed->Current() >= 0);
  R_ObjDDelBtn->setEnabled(m_removed->Current() >= 0);
}

TRoomObj* RoomObjectsPage::currentObject() {
  return m_wc.Objects.Items(m_objs->Current());
}

void RoomObjectsPage::R_ObjListViewClick() {
  TRoomObj* o = currentObject();
  R_ObjPanel->setVisible(o != nullptr);
  if (o) {
    ++m_updating;
    R_ObjChanceEdit->setValue(o->Chance);
    const TObj* proto = Editor().world().Objs.Find(o->ID);
    R_ObjQtyEdit->setValue(proto ? proto->MaxInWorld : 0);
    // There is no record to hold the number.
    R_ObjQtyEdit->setEnabled(proto != nullptr);
    --m_updating;
  }
  showContents();
  UpdateButtons();
}

void RoomObjectsPage::showContents() {
  m_contents->Clear();
  if (const TRoomObj* o = currentObject())
    for (const auto& l : o->Contents) m_contents->Append(RowOf(*l));
}

void RoomObjectsPage::R_ObjChanceEditChange() {
  if (m_updating) return;
  if (TRoomObj* o = currentObject()) o->Chance = static_cast<int16_t>(R_ObjChanceEdit->value());
}

void RoomObjectsPage::R_ObjQtyEditChange() {
  if (m_updating) return;
  const TRoomObj* o = currentObject();
  TObj* proto = o ? Editor().world().Objs.Find(o->ID) : nullptr;
  if (!proto) return;
  // The prototype itself, not the working copy: the zone file writes it.
  Editor().Document().Tracked(m_wc.Zone, [&] { proto->MaxInWorld = R_ObjQtyEdit->value(); });
}

void RoomObjectsPage::appendObject(int32_t vnum) {
  PlacementRow row{vnum, "0", kNoWhere, 0};
  TRoomObj o;
  o.Cond = CondFlag(row.Cond);
  o.ID = vnum;
  o.Chance = 100;
  m_wc.Objects.Add(o);
  m_objs->Append(row);
  m_objs->Select(m_objs->Count() - 1);
}

void RoomObjectsPage::R_ObjAddBtnClick() {
  PlacementRow row;
  if (!m_objs->AskAdd(row)) return;
  appendObject(row.ID);
  TRoomObj* o = currentObject();
  o->Cond = CondFlag(row.Cond);
  m_objs->Refill(m_objs->Current(), RowOf(*o));
}

void RoomObjectsPage::R_ObjEditBtnClick() {
  TRoomObj* o = currentObject();
  PlacementRow row;
  if (!o || !m_objs->AskChange(row)) return;
  o->Cond = CondFlag(row.Cond, o->Cond);
  o->ID = row.ID;
  m_objs->Refill(m_objs->Current(), RowOf(*o));
  R_ObjListViewClick();
}

void RoomObjectsPage::R_ObjDelBtnClick() {
  const int i = m_objs->Current();
  if (i < 0 || !m_objs->AskDelete()) return;
  m_wc.Objects.Delete(i);
  m_objs->Remove(i);
}

void RoomObjectsPage::appendContent(int32_t vnum) {
  TRoomObj* o = currentObject();
  if (!o) return;
  TLinkObj l;
  l.ID = vnum;
  l.Chance = 100;
  l.WearPos = 255;
  o->Contents.Add(l);
  m_contents->Append(RowOf(l));
  m_contents->Select(m_contents->Count() - 1);
}

void RoomObjectsPage::R_ObjOAddBtnClick() {
  PlacementRow row;
  if (!currentObject() || !m_contents->AskAdd(row)) return;
  appendContent(row.ID);
  TLinkObj* l = currentObject()->Contents.Items(m_contents->Current());
  l->Cond = CondFlag(row.Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  m_contents->Refill(m_contents->Current(), RowOf(*l));
}

void RoomObjectsPage::R_ObjOEditBtnClick() {
  TRoomObj* o = currentObject();
  TLinkObj* l = o ? o->Contents.Items(m_contents->Current()) : nullptr;
  PlacementRow row;
  if (!l || !m_contents->AskChange(row)) return;
  l->ID = row.ID;
  l->Cond = CondFlag(row.Cond, l->Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  m_contents->Refill(m_contents->Current(), RowOf(*l));
}

void RoomObjectsPage::R_ObjODelBtnClick() {
  TRoomObj* o = currentObject();
  const int i = m_contents->Current();
  if (!o || i < 0 || !m_contents->AskDelete()) return;
  o->Contents.Delete(i);
  m_contents->Remove(i);
}

void RoomObjectsPage::appendRemoved(int32_t vnum) {
  m_removed->Append(PlacementRow{vnum, "0", kNoWhere, 0});
  m_removed->Select(m_removed->Count() - 1);
}

void RoomObjectsPage::R_ObjDAddBtnClick() {
  PlacementRow row;
  if (!m_removed->AskAdd(row)) return;
  m_removed->Append(row);
  m_removed->Select(m_removed->Count() - 1);
}

void RoomObjectsPage::R_ObjDEditBtnClick() {
  PlacementRow row;
  if (m_removed->Current() < 0 || !m_removed->AskChange(row)) return;
  m_removed->Refill(m_removed->Current(), row);
}

void RoomObjectsPage::R_ObjDDelBtnClick() {
  const int i = m_removed->Current();
  if (i >= 0 && m_removed->AskDelete()) m_removed->Remove(i);
}

}  // namespace zm
