#pragma once
// What the world tells the main window's tree when records come and go. The
// tree keeps its own record -> node map; with no sink attached (the CLI, most
// tests) no nodes are made.
#include <string>

#include "model/kinds.h"

namespace zm {

class TreeSink {
 public:
  virtual ~TreeSink() = default;
  // Hangs a node for `rec` under the group of its kind in its zone's node,
  // or, for a zone without a zone file, under the top-level group of that
  // kind. No node when there is no such group.
  virtual void AddEntryNode(TMUDClass& rec, const std::string& caption) = 0;
  virtual void SetCaption(const TMUDClass& rec, const std::string& caption) = 0;
  // A registered zone's node (last child of "Зоны") with its "Карта" node for
  // `map` and the five group nodes.
  virtual void AddZoneNodes(TMUDClass& zone, const std::string& caption, TMUDClass& map) = 0;
};

}  // namespace zm
