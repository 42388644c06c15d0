// The room editor's objects page: objects placed in the room with their
// contents, and the objects removed at reset.
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "editors/roomeditor.h"
#include "model/world.h"

namespace zm {
namespace {

PlacementRow RowOf(const TRoomObj& o) {
  return {o.ID, CondKey(o.Cond), kNoWhere, 0};
}

PlacementRow RowOf(const TLinkObj& l, bool where) {
  return {l.ID, CondKey(l.Cond), where ? WhereOf(l.WearPos) : kNoWhere, l.Chance};
}

}  // namespace

void RoomEditor::showObjects() {
  m_objs->Clear();
  for (const auto& o : m_wc.Objects) m_objs->Append(RowOf(*o));
  m_removed->Clear();
  for (const auto& r : m_wc.RemovedObjects)
    m_removed->Append(PlacementRow{r->ID, CondKey(r->Cond), kNoWhere, 0});
  m_removed->Select(-1);
  m_objs->Select(m_objs->Count() > 0 ? 0 : -1);
}

TRoomObj* RoomEditor::currentObject() {
  return m_wc.Objects.Items(m_objs->Current());
}

void RoomEditor::R_ObjListViewClick() {
  TRoomObj* o = currentObject();
  R_ObjPanel->setVisible(o != nullptr);
  if (o) {
    ++m_updating;
    R_ObjChanceEdit->setValue(o->Chance);
    const TObj* proto = world().Objs.Find(o->ID);
    R_ObjQtyEdit->setValue(proto ? proto->MaxInWorld : 0);
    // There is no record to hold the number.
    R_ObjQtyEdit->setEnabled(proto != nullptr);
    --m_updating;
  }
  showContents();
  updateButtons();
}

void RoomEditor::showContents() {
  m_contents->Clear();
  if (const TRoomObj* o = currentObject())
    for (const auto& l : o->Contents) m_contents->Append(RowOf(*l, false));
}

void RoomEditor::R_ObjChanceEditChange() {
  if (m_updating) return;
  if (TRoomObj* o = currentObject()) o->Chance = static_cast<int16_t>(R_ObjChanceEdit->value());
}

void RoomEditor::R_ObjQtyEditChange() {
  if (m_updating) return;
  const TRoomObj* o = currentObject();
  TObj* proto = o ? world().Objs.Find(o->ID) : nullptr;
  if (!proto) return;
  // The prototype itself, not the working copy: the zone file writes it.
  Document().Tracked(m_wc.Zone, [&] { proto->MaxInWorld = R_ObjQtyEdit->value(); });
}

void RoomEditor::appendObject(int32_t vnum) {
  PlacementRow row{vnum, "0", kNoWhere, 0};
  TRoomObj o;
  o.Cond = CondFlag(row.Cond);
  o.ID = vnum;
  o.Chance = 100;
  m_wc.Objects.Add(o);
  m_objs->Append(row);
  m_objs->Select(m_objs->Count() - 1);
}

void RoomEditor::R_ObjAddBtnClick() {
  PlacementRow row;
  if (!m_objs->AskAdd(row)) return;
  appendObject(row.ID);
  TRoomObj* o = currentObject();
  o->Cond = CondFlag(row.Cond);
  m_objs->Refill(m_objs->Current(), RowOf(*o));
}

void RoomEditor::R_ObjEditBtnClick() {
  TRoomObj* o = currentObject();
  PlacementRow row;
  if (!o || !m_objs->AskChange(row)) return;
  o->Cond = CondFlag(row.Cond, o->Cond);
  o->ID = row.ID;
  m_objs->Refill(m_objs->Current(), RowOf(*o));
  R_ObjListViewClick();
}

void RoomEditor::R_ObjDelBtnClick() {
  const int i = m_objs->Current();
  if (i < 0 || !m_objs->AskDelete()) return;
  m_wc.Objects.Delete(i);
  m_objs->Remove(i);
}

void RoomEditor::appendContent(int32_t vnum) {
  TRoomObj* o = currentObject();
  if (!o) return;
  TLinkObj l;
  l.ID = vnum;
  l.Chance = 100;
  l.WearPos = 255;
  o->Contents.Add(l);
  m_contents->Append(RowOf(l, false));
  m_contents->Select(m_contents->Count() - 1);
}

void RoomEditor::R_ObjOAddBtnClick() {
  PlacementRow row;
  if (!currentObject() || !m_contents->AskAdd(row)) return;
  appendContent(row.ID);
  TLinkObj* l = currentObject()->Contents.Items(m_contents->Current());
  l->Cond = CondFlag(row.Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  m_contents->Refill(m_contents->Current(), RowOf(*l, false));
}

void RoomEditor::R_ObjOEditBtnClick() {
  TRoomObj* o = currentObject();
  TLinkObj* l = o ? o->Contents.Items(m_contents->Current()) : nullptr;
  PlacementRow row;
  if (!l || !m_contents->AskChange(row)) return;
  l->ID = row.ID;
  l->Cond = CondFlag(row.Cond, l->Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  m_contents->Refill(m_contents->Current(), RowOf(*l, false));
}

void RoomEditor::R_ObjODelBtnClick() {
  TRoomObj* o = currentObject();
  const int i = m_contents->Current();
  if (!o || i < 0 || !m_contents->AskDelete()) return;
  o->Contents.Delete(i);
  m_contents->Remove(i);
}

void RoomEditor::R_ObjDAddBtnClick() {
  PlacementRow row;
  if (!m_removed->AskAdd(row)) return;
  m_removed->Append(row);
  m_removed->Select(m_removed->Count() - 1);
}

void RoomEditor::R_ObjDEditBtnClick() {
  PlacementRow row;
  if (m_removed->Current() < 0 || !m_removed->AskChange(row)) return;
  m_removed->Refill(m_removed->Current(), row);
}

void RoomEditor::R_ObjDDelBtnClick() {
  const int i = m_removed->Current();
  if (i >= 0 && m_removed->AskDelete()) m_removed->Remove(i);
}

}  // namespace zm
