#include "app/changetracker.h"

#include "load/maps.h"
#include "load/world.h"

namespace zm {

ChangeTracker::Snapshot ChangeTracker::Take(int32_t zone) const {
  Snapshot s;
  s.Zone = zone;
  const World& w = m_world;
  if (const TZone* z = w.Zones.ByNumber(zone)) z->BuildLines(w, s.Files[kZone]);
  s.Results[kRoom] = w.Rooms.BuildLines(w, s.Files[kRoom], zone);
  BuildRoomMapLines(w.Rooms, zone, s.Files[kZoneMap]);
  s.Results[kObject] = w.Objs.BuildLines(w, s.Files[kObject], zone);
  s.Results[kMobile] = w.Mobs.BuildLines(w, s.Files[kMobile], zone);
  s.Results[kShop] = w.Shops.BuildLines(w, s.Files[kShop], zone);
  s.Results[kTrigger] = w.Triggers.BuildLines(w, s.Files[kTrigger], zone);
  return s;
}

void ChangeTracker::MarkDifferences(const Snapshot& before) {
  Snapshot now = Take(before.Zone);
  for (int k = kZone; k <= kTrigger; ++k) {
    auto kind = static_cast<RecordKind>(k);
    if (now.Files[k] == before.Files[k] && now.Results[k] == before.Results[k]) continue;
    // The map file is written with the rooms.
    Mark(before.Zone, kind == kZoneMap ? kRoom : kind);
  }
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
