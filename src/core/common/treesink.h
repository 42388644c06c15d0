#pragma once
// What readers and list additions need of the main window's tree. With no
// sink attached (the CLI, most tests) no nodes are made.
#include <string>

#include "common/kinds.h"

namespace zm {

class TreeSink {
 public:
  virtual ~TreeSink() = default;
  // The group node of `kind` under zone `zone`'s node; for a zone without a
  // zone file the top-level group of that kind; nullptr when there is none.
  virtual NodeHandle FindGroupNode(int32_t zone, RecordKind kind) = 0;
  // Appends an entry node for `rec` under `group` and returns it.
  virtual NodeHandle AddEntryNode(NodeHandle group, const std::string& caption, TMUDClass* rec) = 0;
  virtual void SetCaption(NodeHandle node, const std::string& caption) = 0;
  virtual int ChildCount(NodeHandle group) = 0;
  // A registered zone's node (last child of "Зоны") with its "Карта" node for
  // `map` and the five group nodes.
  virtual NodeHandle AddZoneNodes(TMUDClass* zone, const std::string& caption, TMUDClass* map) = 0;
  // Forgets a record that is being freed: its node goes, nothing may point to it.
  virtual void RemoveNode(NodeHandle node) = 0;
};

}  // namespace zm
