#include "editors/changetracker.h"

#include "io/mapfile.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "model/world.h"

namespace zm {

ChangeTracker::Snapshot ChangeTracker::Take(int32_t zone) const {
  Snapshot s;
  s.Zone = zone;
  const World& w = m_world;
  if (const TZone* z = w.Zones.ByNumber(zone)) BuildZoneLines(w, *z, s.Files[kZone]);
  BuildRoomMapLines(w, zone, s.Files[kZoneMap]);
  for (RecordKind kind : kRecordFileKinds)
    s.Results[kind] = BuildRecordLines(w, kind, zone, s.Files[kind]);
  return s;
}

bool ChangeTracker::MarkDifferences(const Snapshot& before) {
  Snapshot now = Take(before.Zone);
  bool any = false;
  for (int k = 0; k < kRecordKinds; ++k) {
    auto kind = static_cast<RecordKind>(k);
    if (now.Files[k] == before.Files[k] && now.Results[k] == before.Results[k]) continue;
    // The map file is written with the rooms.
    Mark(before.Zone, kind == kZoneMap ? kRoom : kind);
    any = true;
  }
  return any;
}

void ChangeTracker::Saved(int32_t zone, RecordKind kind) {
  m_changed.erase({zone, kind});
}

void ChangeTracker::ZoneGone(int32_t zone) {
  std::erase_if(m_changed, [zone](const auto& p) { return p.first == zone; });
}

std::vector<std::pair<int32_t, RecordKind>> ChangeTracker::Changed() const {
  return {m_changed.begin(), m_changed.end()};
}

}  // namespace zm
