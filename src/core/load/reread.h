#pragma once
// A zone read again from its files, replacing what memory holds of it: the
// files changed on disk (a colleague's pull) and the builder takes theirs.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/world.h"

namespace zm {

// The zone as its files hold it now, read by the normal readers into a
// world of its own (which also holds copies of the other zones' objects and
// mobiles: reset commands name them and take their maxima from them).
struct ZoneOnDisk {
  std::unique_ptr<Reporter> Errors;  // what the readers reported
  std::unique_ptr<World> Scratch;
  // Why the zone cannot be replaced with certainty (Windows-1251); empty
  // when it can.
  std::string Refusal;
};

// Refused: a zone without a zone file, renumbered and not saved, whose zone
// file now gives another number, a file that cannot be read to its end or
// holds records of another zone, and reset commands that attach triggers
// across zones (those attachments live only in memory and would be lost).
ZoneOnDisk ReadZoneOnDisk(const World& w, int32_t zone);

// Takes a record out of the world and gives it back; the caller keeps it
// alive until every window has let go.
using TakeOut = std::function<std::unique_ptr<TMUDClass>(TMUDClass&)>;

// Replaces the zone's records in `w` (its zone record's content, rooms with
// their map positions, objects, mobiles, shops, triggers) by `disk`'s: the
// old entries leave through `takeOut` (plain extraction when empty) into
// `removed`, the new ones are added to the lists (and so to the tree). The
// notes and stamps of the zone's files become those of the read.
void ReplaceZone(World& w, ZoneOnDisk& disk, int32_t zone, const TakeOut& takeOut,
                 std::vector<std::unique_ptr<TMUDClass>>& removed);

}  // namespace zm
