#include "app/worldtree.h"

#include <QTreeWidget>
#include <cstdint>
#include <set>

#include "model/world.h"
#include "widgets/qtext.h"

namespace zm {
namespace {

constexpr RecordKind kTopOrder[] = {kZone, kRoom, kObject, kMobile, kShop, kTrigger};
constexpr RecordKind kZoneGroups[] = {kRoom, kObject, kMobile, kShop, kTrigger};

// The number between the first "[" and the "]" after it: an optional minus
// and decimal digits that fit 32 bits, nothing else. Read in place, as every
// sort of a large tree calls this a few million times.
bool CaptionNumber(const QString& caption, qsizetype open, int32_t& out) {
  const qsizetype n = caption.size();
  qsizetype i = open + 1;
  const bool minus = i < n && caption[i] == u'-';
  if (minus) ++i;
  int64_t value = 0;
  qsizetype digits = 0;
  for (; i < n && caption[i] != u']'; ++i, ++digits) {
    const char16_t c = caption[i].unicode();
    if (c < u'0' || c > u'9' || digits > 10) return false;
    value = value * 10 + (c - u'0');
  }
  if (i >= n || digits == 0) return false;
  if (minus) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  out = static_cast<int32_t>(value);
  return true;
}

}  // namespace

bool RecordItem::operator<(const QTreeWidgetItem& other) const {
  return WorldTree::TreeView1Compare(text(0), other.text(0)) < 0;
}

WorldTree::WorldTree(QTreeWidget* tree) : m_tree(tree) {
  for (RecordKind kind : kTopOrder) {
    auto* item = new RecordItem();
    item->setText(0, GroupName(kind));
    m_tree->addTopLevelItem(item);
    m_groups[kind] = item;
  }
}

QString WorldTree::GroupName(RecordKind kind) {
  static constexpr const char* kNames[kRecordKinds] = {
      "Зоны", "Комнаты", "Карта", "Объекты", "Мобы", "Магазины", "Триггеры",
  };
  return kind < kRecordKinds ? QString::fromUtf8(kNames[kind]) : QString();
}

int WorldTree::KindOfGroupName(const QString& caption) {
  for (int k = kZone; k <= kTrigger; ++k)
    if (GroupName(static_cast<RecordKind>(k)) == caption) return k;
  return -1;
}

QTreeWidgetItem* WorldTree::TopGroup(RecordKind kind) const {
  return kind < kRecordKinds ? m_groups[kind] : nullptr;
}

QTreeWidgetItem* WorldTree::ItemOf(const TMUDClass* rec) const {
  auto it = m_items.find(rec);
  return it == m_items.end() ? nullptr : it->second;
}

RecordItem* WorldTree::NewItem(TMUDClass* rec, const QString& caption) {
  auto* item = new RecordItem(rec);
  item->setText(0, caption);
  if (rec) m_items[rec] = item;
  return item;
}

TMUDClass* WorldTree::RecordOf(const QTreeWidgetItem* item) {
  if (!item || item->type() != RecordItem::kType) return nullptr;
  return static_cast<const RecordItem*>(item)->Record;
}

int WorldTree::TreeView1Compare(const QString& c1, const QString& c2) {
  qsizetype p1 = c1.indexOf(u'[');
  qsizetype p2 = c2.indexOf(u'[');
  if (p1 < 0) return p2 >= 0 ? 1 : 0;
  if (p2 < 0) return -1;
  int32_t n1, n2;
  if (!CaptionNumber(c1, p1, n1) || !CaptionNumber(c2, p2, n2)) return 0;
  if (n2 < n1) return 1;
  return n1 == n2 ? 0 : -1;
}

void WorldTree::SortChildren(QTreeWidgetItem* parent) {
  if (!parent) return;
  parent->sortChildren(0, Qt::AscendingOrder);
  if (parent == m_groups[kZone]) m_zoneIndexDirty = true;
}

void WorldTree::SortAll() {
  // The model's recursive sort keeps selection and expansion in place.
  m_tree->sortItems(0, Qt::AscendingOrder);
  m_zoneIndexDirty = true;
}

std::vector<TMUDClass*> WorldTree::RecordsUnder(QTreeWidgetItem* item) const {
  std::vector<TMUDClass*> out;
  if (!item) return out;
  std::vector<QTreeWidgetItem*> stack{item};
  while (!stack.empty()) {
    QTreeWidgetItem* it = stack.back();
    stack.pop_back();
    if (TMUDClass* rec = RecordOf(it)) out.push_back(rec);
    for (int i = it->childCount() - 1; i >= 0; --i) stack.push_back(it->child(i));
  }
  return out;
}

void WorldTree::RemoveSubtree(QTreeWidgetItem* item) {
  if (!item) return;
  for (QTreeWidgetItem* group : m_groups)
    if (group == item) return;  // the fixed groups stay
  std::vector<QTreeWidgetItem*> stack{item};
  while (!stack.empty()) {
    QTreeWidgetItem* it = stack.back();
    stack.pop_back();
    if (TMUDClass* rec = RecordOf(it)) {
      if (auto found = m_items.find(rec); found != m_items.end() && found->second == it)
        m_items.erase(found);
      if (rec->Kind == kZone) m_zoneIndexDirty = true;
    }
    for (int i = 0; i < it->childCount(); ++i) stack.push_back(it->child(i));
  }
  delete item;
}

void WorldTree::Rebuild(World& w) {
  std::set<int32_t> expanded;
  QTreeWidgetItem* zones = m_groups[kZone];
  for (int i = 0; i < zones->childCount(); ++i)
    if (const TMUDClass* rec = RecordOf(zones->child(i)); rec && zones->child(i)->isExpanded())
      expanded.insert(rec->Vnum);
  for (QTreeWidgetItem* group : m_groups)
    if (group)
      while (group->childCount() > 0) RemoveSubtree(group->child(0));
  for (const auto& z : w.Zones)
    if (z->Registered)
      if (TZoneMap* map = w.ZoneMaps.Items(w.ZoneMaps.FindByNumber(z->Vnum)))
        AddZoneNodes(*z, z->DisplayText(), *map);
  const auto hang = [&](auto& list) {
    for (const auto& rec : list) AddEntryNode(*rec, list.CaptionOf(*rec));
  };
  hang(w.Rooms);
  hang(w.Objs);
  hang(w.Mobs);
  hang(w.Shops);
  hang(w.Triggers);
  SortAll();
  for (int i = 0; i < zones->childCount(); ++i)
    if (const TMUDClass* rec = RecordOf(zones->child(i)); rec && expanded.count(rec->Vnum))
      zones->child(i)->setExpanded(true);
}

void WorldTree::rebuildZoneIndex() {
  m_zoneIndex.clear();
  QTreeWidgetItem* zones = m_groups[kZone];
  for (int i = 0; i < zones->childCount(); ++i) {
    TMUDClass* rec = RecordOf(zones->child(i));
    if (rec && rec->Kind == kZone) m_zoneIndex.try_emplace(rec->Vnum, zones->child(i));
  }
  m_zoneIndexDirty = false;
}

QTreeWidgetItem* WorldTree::zoneNode(int32_t zone) {
  auto lookup = [&]() -> QTreeWidgetItem* {
    if (m_zoneIndexDirty) rebuildZoneIndex();
    auto it = m_zoneIndex.find(zone);
    if (it == m_zoneIndex.end()) return nullptr;
    TMUDClass* rec = RecordOf(it->second);
    return rec && rec->Kind == kZone && rec->Vnum == zone ? it->second : nullptr;
  };
  if (QTreeWidgetItem* item = lookup()) return item;
  // A zone may have changed its number since the index was made.
  m_zoneIndexDirty = true;
  return lookup();
}

QTreeWidgetItem* WorldTree::FindGroupNode(int32_t zone, RecordKind kind) {
  const QString name = GroupName(kind);
  if (QTreeWidgetItem* z = zoneNode(zone)) {
    for (int i = 0; i < z->childCount(); ++i)
      if (z->child(i)->text(0) == name) return z->child(i);
    return nullptr;
  }
  for (int i = 0; i < m_tree->topLevelItemCount(); ++i)
    if (m_tree->topLevelItem(i)->text(0) == name) return m_tree->topLevelItem(i);
  return nullptr;
}

QTreeWidgetItem* WorldTree::AddEntryNode(QTreeWidgetItem* group, const std::string& caption,
                                         TMUDClass& rec) {
  if (!group) return nullptr;
  RecordItem* item = NewItem(&rec, ToQt(caption));
  group->addChild(item);
  return item;
}

void WorldTree::AddEntryNode(TMUDClass& rec, const std::string& caption) {
  AddEntryNode(FindGroupNode(rec.Zone, rec.Kind), caption, rec);
}

void WorldTree::SetCaption(const TMUDClass& rec, const std::string& caption) {
  if (QTreeWidgetItem* item = ItemOf(&rec)) item->setText(0, ToQt(caption));
}

void WorldTree::AddZoneNodes(TMUDClass& zone, const std::string& caption, TMUDClass& map) {
  RecordItem* item = NewItem(&zone, ToQt(caption));
  item->addChild(NewItem(&map, GroupName(kZoneMap)));
  for (RecordKind kind : kZoneGroups) item->addChild(NewItem(nullptr, GroupName(kind)));
  m_groups[kZone]->addChild(item);
  m_zoneIndexDirty = true;
}

}  // namespace zm
