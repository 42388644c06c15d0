#pragma once
// The main window's tree of zones and entries, and the TreeSink through
// which readers and list additions hang their nodes on it.
#include <QString>
#include <QTreeWidgetItem>
#include <unordered_map>
#include <vector>

#include "model/treesink.h"

class QTreeWidget;

namespace zm {

class TMUDClass;
class World;

// A tree node; the record (if any) is a plain pointer, the list owns it.
class RecordItem : public QTreeWidgetItem {
 public:
  static constexpr int kType = QTreeWidgetItem::UserType + 1;
  explicit RecordItem(TMUDClass* rec = nullptr) : QTreeWidgetItem(kType), Record(rec) {}
  // Every sort of the tree goes through TreeView1Compare.
  bool operator<(const QTreeWidgetItem& other) const override;
  TMUDClass* Record;
};

class WorldTree : public TreeSink {
 public:
  explicit WorldTree(QTreeWidget* tree);

  QTreeWidget* Widget() const { return m_tree; }

  // Group names by record kind; -1 when `caption` names no group.
  static QString GroupName(RecordKind kind);
  static int KindOfGroupName(const QString& caption);

  // The six top-level groups, in their fixed order.
  QTreeWidgetItem* TopGroup(RecordKind kind) const;
  static TMUDClass* RecordOf(const QTreeWidgetItem* item);
  // The record's node; null when it has none.
  QTreeWidgetItem* ItemOf(const TMUDClass* rec) const;

  // Captions with "[n]" first in ascending n, then the rest (equal).
  static int TreeView1Compare(const QString& c1, const QString& c2);
  // Stable, so unnumbered siblings keep their creation order.
  void SortChildren(QTreeWidgetItem* parent);
  void SortAll();

  // Deletes the node with everything below it. Every record there loses its
  // node first, so nothing keeps pointing at a freed item.
  void RemoveSubtree(QTreeWidgetItem* item);
  // Every node anew from the world's lists, as loading hangs them; the
  // expanded zones stay expanded.
  void Rebuild(World& w);
  // Records of `item` and of all nodes below it, in tree order.
  std::vector<TMUDClass*> RecordsUnder(QTreeWidgetItem* item) const;

  // The group node of `kind` under zone `zone`'s node; for a zone without a
  // zone file the top-level group of that kind; null when there is none.
  QTreeWidgetItem* FindGroupNode(int32_t zone, RecordKind kind);
  // Appends an entry node for `rec` under `group` and returns it.
  QTreeWidgetItem* AddEntryNode(QTreeWidgetItem* group, const std::string& caption, TMUDClass& rec);

  // TreeSink.
  void AddEntryNode(TMUDClass& rec, const std::string& caption) override;
  void SetCaption(const TMUDClass& rec, const std::string& caption) override;
  void AddZoneNodes(TMUDClass& zone, const std::string& caption, TMUDClass& map) override;

 private:
  RecordItem* NewItem(TMUDClass* rec, const QString& caption);

  QTreeWidgetItem* zoneNode(int32_t zone);
  void rebuildZoneIndex();

  QTreeWidget* m_tree;
  QTreeWidgetItem* m_groups[kRecordKinds] = {};
  // Record -> its node; the records of removed nodes leave it with them.
  std::unordered_map<const TMUDClass*, QTreeWidgetItem*> m_items;
  // Zone number -> its node: the first one under "Зоны" when numbers repeat.
  std::unordered_map<int32_t, QTreeWidgetItem*> m_zoneIndex;
  bool m_zoneIndexDirty = true;
};

}  // namespace zm
