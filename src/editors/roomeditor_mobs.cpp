// The room editor's mobiles page: mobiles placed in the room, whom each
// follows, and what each carries or wears.
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

#include "common/winutf8.h"
#include "editors/roomeditor.h"
#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

PlacementRow RowOf(const TRoomMob& m) {
  return {m.ID, CondKey(m.Cond), kNoWhere, 0};
}

PlacementRow RowOf(const TLinkObj& l) {
  return {l.ID, CondKey(l.Cond), WhereOf(l.WearPos), l.Chance};
}

}  // namespace

void RoomEditor::showMobs() {
  m_mobs->Clear();
  for (const auto& m : m_wc.Mobs) m_mobs->Append(RowOf(*m));
  fillFollowList();
  m_mobs->Select(m_mobs->Count() > 0 ? 0 : -1);
}

TRoomMob* RoomEditor::currentMob() {
  return m_wc.Mobs.Items(m_mobs->Current());
}

void RoomEditor::fillFollowList() {
  m_follow.clear();
  m_follow.emplace_back(-1, W("Сам по себе"));
  const World* w = &world();
  for (const auto& m : m_wc.Mobs) {
    const bool listed = std::any_of(m_follow.begin(), m_follow.end(),
                                    [&](const auto& f) { return f.first == m->ID; });
    if (!listed) m_follow.emplace_back(m->ID, w ? w->Mobs.CaptionOf(m->ID) : IntText(m->ID));
  }
}

void RoomEditor::R_MobListViewClick() {
  TRoomMob* m = currentMob();
  R_MobPanel->setVisible(m != nullptr);
  if (m) {
    ++m_updating;
    // Never the mobile itself, nor another placement of the same mobile.
    R_MobFolComboBox->clear();
    for (const auto& [vnum, caption] : m_follow)
      if (vnum != m->ID) R_MobFolComboBox->addItem(ToQt(caption), vnum);
    R_MobFolComboBox->setCurrentIndex(R_MobFolComboBox->findData(m->Leader));
    R_MobQtyEdit->setValue(m->MaxInRoom);
    --m_updating;
  }
  showInventory();
  updateButtons();
}

void RoomEditor::showInventory() {
  m_inventory->Clear();
  if (const TRoomMob* m = currentMob())
    for (const auto& l : m->Inventory) m_inventory->Append(RowOf(*l));
}

void RoomEditor::R_MobFolComboBoxChange() {
  if (m_updating) return;
  TRoomMob* m = currentMob();
  if (!m) return;
  bool ok = false;
  const int32_t leader = R_MobFolComboBox->currentData().toInt(&ok);
  m->Leader = ok ? leader : -1;
}

void RoomEditor::R_MobQtyEditChange() {
  if (m_updating) return;
  if (TRoomMob* m = currentMob()) m->MaxInRoom = R_MobQtyEdit->value();
}

void RoomEditor::appendMob(int32_t vnum) {
  TRoomMob m;
  m.ID = vnum;
  m.Leader = -1;
  m.MaxInRoom = 0;
  m_wc.Mobs.Add(m);
  m_mobs->Append(RowOf(m));
  fillFollowList();
  m_mobs->Select(m_mobs->Count() - 1);
}

void RoomEditor::R_MobAddBtnClick() {
  PlacementRow row;
  if (!m_mobs->AskAdd(row)) return;
  appendMob(row.ID);
  TRoomMob* m = currentMob();
  m->Cond = CondFlag(row.Cond);
  m_mobs->Refill(m_mobs->Current(), RowOf(*m));
}

void RoomEditor::R_MobEditBtnClick() {
  TRoomMob* m = currentMob();
  PlacementRow row;
  if (!m || !m_mobs->AskChange(row)) return;
  m->Cond = CondFlag(row.Cond, m->Cond);
  m->ID = row.ID;
  m_mobs->Refill(m_mobs->Current(), RowOf(*m));
  fillFollowList();
  R_MobListViewClick();
}

void RoomEditor::R_MobDelBtnClick() {
  const int i = m_mobs->Current();
  if (i < 0 || !m_mobs->AskDelete()) return;
  m_wc.Mobs.Delete(i);
  fillFollowList();
  m_mobs->Remove(i);
}

void RoomEditor::appendInventory(int32_t vnum) {
  TRoomMob* m = currentMob();
  if (!m) return;
  TLinkObj l;
  l.ID = vnum;
  l.Chance = 100;
  l.WearPos = 255;
  m->Inventory.Add(l);
  m_inventory->Append(RowOf(l));
  m_inventory->Select(m_inventory->Count() - 1);
}

void RoomEditor::R_MobOAddBtnClick() {
  PlacementRow row;
  if (!currentMob() || !m_inventory->AskAdd(row)) return;
  appendInventory(row.ID);
  TLinkObj* l = currentMob()->Inventory.Items(m_inventory->Current());
  l->Cond = CondFlag(row.Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  l->WearPos = WearPosOf(row.Where);
  m_inventory->Refill(m_inventory->Current(), RowOf(*l));
}

void RoomEditor::R_MobOEditBtnClick() {
  TRoomMob* m = currentMob();
  TLinkObj* l = m ? m->Inventory.Items(m_inventory->Current()) : nullptr;
  PlacementRow row;
  if (!l || !m_inventory->AskChange(row)) return;
  l->ID = row.ID;
  l->Cond = CondFlag(row.Cond, l->Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  l->WearPos = WearPosOf(row.Where);
  m_inventory->Refill(m_inventory->Current(), RowOf(*l));
}

void RoomEditor::R_MobODelBtnClick() {
  TRoomMob* m = currentMob();
  const int i = m_inventory->Current();
  if (!m || i < 0 || !m_inventory->AskDelete()) return;
  m->Inventory.Delete(i);
  m_inventory->Remove(i);
}

}  // namespace zm
