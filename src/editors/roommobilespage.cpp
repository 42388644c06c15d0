#include "editors/roommobilespage.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "common/textutil.h"
#include "common/winutf8.h"
#include "editors/editorparts.h"
#include "editors/editorwindow.h"
#include "editors/fieldtext.h"
#include "editors/roomeditorpages.h"
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

RoomMobilesPage::RoomMobilesPage(EditorWindow& editor, TRoom& wc) : EditorPage(editor), m_wc(wc) {
  auto* grid = new QGridLayout(this);
  QVBoxLayout* left = RoomPageColumn(grid, 0);
  left->addWidget(new QLabel(QStringLiteral("Список мобов в комнате"), this));
  R_MobListView = RoomListView(
      this, "R_MobListView", {QStringLiteral("Условие"), QStringLiteral("Номер и название моба")});
  left->addWidget(R_MobListView, 1);
  left->addLayout(ListButtons(this, "R_Mob", &R_MobAddBtn, &R_MobEditBtn, &R_MobDelBtn));
  R_MobPanel = Named(new QWidget(this), "R_MobPanel");
  auto* form = new QFormLayout(R_MobPanel);
  form->setContentsMargins(0, 0, 0, 0);
  R_MobFolComboBox = Named(new QComboBox(R_MobPanel), "R_MobFolComboBox");
  form->addRow(QStringLiteral("За кем моб следует"), R_MobFolComboBox);
  R_MobQtyEdit = Named(new QSpinBox(R_MobPanel), "R_MobQtyEdit");
  FieldRange<int32_t>(R_MobQtyEdit);
  form->addRow(QStringLiteral("Максимальное кол-во мобов в комнате"), R_MobQtyEdit);
  left->addWidget(R_MobPanel);

  QVBoxLayout* right = RoomPageColumn(grid, 1);
  right->addWidget(new QLabel(QStringLiteral("Список объектов у моба"), this));
  R_MobOListView =
      RoomListView(this, "R_MobOListView",
                   {QStringLiteral("Условие"), QStringLiteral("Номер и название объекта"),
                    QStringLiteral("Где надето"), QStringLiteral("Шанс")});
  right->addWidget(R_MobOListView, 1);
  right->addLayout(ListButtons(this, "R_MobO", &R_MobOAddBtn, &R_MobOEditBtn, &R_MobODelBtn));

  m_mobs = std::make_unique<PlacementList>(editor, R_MobListView,
                                           PlacementList::Columns{1, false, false, "моба"});
  m_inventory = std::make_unique<PlacementList>(editor, R_MobOListView,
                                                PlacementList::Columns{0, true, true, "объект"});

  auto click = [this](QPushButton* b, void (RoomMobilesPage::*handler)()) {
    connect(b, &QPushButton::clicked, this, handler);
  };
  click(R_MobAddBtn, &RoomMobilesPage::R_MobAddBtnClick);
  click(R_MobEditBtn, &RoomMobilesPage::R_MobEditBtnClick);
  click(R_MobDelBtn, &RoomMobilesPage::R_MobDelBtnClick);
  click(R_MobOAddBtn, &RoomMobilesPage::R_MobOAddBtnClick);
  click(R_MobOEditBtn, &RoomMobilesPage::R_MobOEditBtnClick);
  click(R_MobODelBtn, &RoomMobilesPage::R_MobODelBtnClick);
  m_mobs->OnClick = [this] { R_MobListViewClick(); };
  m_inventory->OnClick = [this] { UpdateButtons(); };
  // Double-clicking a row changes it; where there is no row, it is a click.
  connect(R_MobListView, &QTreeWidget::itemDoubleClicked, this,
          &RoomMobilesPage::R_MobEditBtnClick);
  connect(R_MobOListView, &QTreeWidget::itemDoubleClicked, this,
          &RoomMobilesPage::R_MobOEditBtnClick);
  connect(R_MobFolComboBox, &QComboBox::activated, this, &RoomMobilesPage::R_MobFolComboBoxChange);
  connect(R_MobQtyEdit, &QSpinBox::valueChanged, this, &RoomMobilesPage::R_MobQtyEditChange);
  R_MobPanel->hide();
}

RoomMobilesPage::~RoomMobilesPage() = default;

void RoomMobilesPage::ShowRecord() {
  ++m_updating;
  m_mobs->Clear();
  for (const auto& m : m_wc.Mobs) m_mobs->Append(RowOf(*m));
  fillFollowList();
  m_mobs->Select(m_mobs->Count() > 0 ? 0 : -1);
  --m_updating;
  UpdateButtons();
}

bool RoomMobilesPage::AcceptRecord(TMUDClass& rec, QWidget* focus) {
  if (rec.Kind == kObject && focus == R_MobOListView && currentMob()) {
    appendInventory(rec.Vnum);
    return true;
  }
  if (rec.Kind == kMobile && focus == R_MobListView) {
    appendMob(rec.Vnum);
    return true;
  }
  return false;
}

void RoomMobilesPage::UpdateButtons() {
  const bool mob = m_mobs->Current() >= 0;
  R_MobEditBtn->setEnabled(mob);
  R_MobDelBtn->setEnabled(mob);
  R_MobOAddBtn->setEnabled(mob);
  R_MobOEditBtn->setEnabled(mob && m_inventory->Current() >= 0);
  R_MobODelBtn->setEnabled(mob && m_inventory->Current() >= 0);
}

TRoomMob* RoomMobilesPage::currentMob() {
  return m_wc.Mobs.Items(m_mobs->Current());
}

void RoomMobilesPage::fillFollowList() {
  m_follow.clear();
  m_follow.emplace_back(-1, W("Сам по себе"));
  const World* w = &Editor().world();
  for (const auto& m : m_wc.Mobs) {
    const bool listed = std::any_of(m_follow.begin(), m_follow.end(),
                                    [&](const auto& f) { return f.first == m->ID; });
    if (!listed) m_follow.emplace_back(m->ID, w ? w->Mobs.CaptionOf(m->ID) : IntText(m->ID));
  }
}

void RoomMobilesPage::R_MobListViewClick() {
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
  UpdateButtons();
}

void RoomMobilesPage::showInventory() {
  m_inventory->Clear();
  if (const TRoomMob* m = currentMob())
    for (const auto& l : m->Inventory) m_inventory->Append(RowOf(*l));
}

void RoomMobilesPage::R_MobFolComboBoxChange() {
  if (m_updating) return;
  TRoomMob* m = currentMob();
  if (!m) return;
  bool ok = false;
  const int32_t leader = R_MobFolComboBox->currentData().toInt(&ok);
  m->Leader = ok ? leader : -1;
}

void RoomMobilesPage::R_MobQtyEditChange() {
  if (m_updating) return;
  if (TRoomMob* m = currentMob()) m->MaxInRoom = R_MobQtyEdit->value();
}

void RoomMobilesPage::appendMob(int32_t vnum) {
  TRoomMob m;
  m.ID = vnum;
  m.Leader = -1;
  m.MaxInRoom = 0;
  m_wc.Mobs.Add(m);
  m_mobs->Append(RowOf(m));
  fillFollowList();
  m_mobs->Select(m_mobs->Count() - 1);
}

void RoomMobilesPage::R_MobAddBtnClick() {
  PlacementRow row;
  if (!m_mobs->AskAdd(row)) return;
  appendMob(row.ID);
  TRoomMob* m = currentMob();
  m->Cond = CondFlag(row.Cond);
  m_mobs->Refill(m_mobs->Current(), RowOf(*m));
}

void RoomMobilesPage::R_MobEditBtnClick() {
  TRoomMob* m = currentMob();
  PlacementRow row;
  if (!m || !m_mobs->AskChange(row)) return;
  m->Cond = CondFlag(row.Cond, m->Cond);
  m->ID = row.ID;
  m_mobs->Refill(m_mobs->Current(), RowOf(*m));
  fillFollowList();
  R_MobListViewClick();
}

void RoomMobilesPage::R_MobDelBtnClick() {
  const int i = m_mobs->Current();
  if (i < 0 || !m_mobs->AskDelete()) return;
  m_wc.Mobs.Delete(i);
  fillFollowList();
  m_mobs->Remove(i);
}

void RoomMobilesPage::appendInventory(int32_t vnum) {
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

void RoomMobilesPage::R_MobOAddBtnClick() {
  PlacementRow row;
  if (!currentMob() || !m_inventory->AskAdd(row)) return;
  appendInventory(row.ID);
  TLinkObj* l = currentMob()->Inventory.Items(m_inventory->Current());
  l->Cond = CondFlag(row.Cond);
  l->Chance = static_cast<int16_t>(row.Chance);
  l->WearPos = WearPosOf(row.Where);
  m_inventory->Refill(m_inventory->Current(), RowOf(*l));
}

void RoomMobilesPage::R_MobOEditBtnClick() {
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

void RoomMobilesPage::R_MobODelBtnClick() {
  TRoomMob* m = currentMob();
  const int i = m_inventory->Current();
  if (!m || i < 0 || !m_inventory->AskDelete()) return;
  m->Inventory.Delete(i);
  m_inventory->Remove(i);
}

}  // namespace zm
