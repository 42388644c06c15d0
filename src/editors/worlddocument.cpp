#include "editors/worlddocument.h"

#include "model/world.h"

namespace zm {

WorldDocument::WorldDocument(Reporter& reporter, TreeSink* sink, QObject* parent)
    : QObject(parent), m_world(std::make_unique<World>(reporter, sink)), m_changes(*m_world) {}

WorldDocument::~WorldDocument() = default;

void WorldDocument::RebuildReferences() {
  m_refs.Rebuild(*m_world);
}

void WorldDocument::Tracked(int32_t zone, const std::function<void()>& op) {
  const ChangeTracker::Snapshot before = m_changes.Take(zone);
  op();
  // A zone's records only name numbers through their own fields: indexing
  // the zone again keeps the whole index current.
  if (const TZone* z = m_world->Zones.ByNumber(zone)) m_refs.Update(*z);
  for (const TRoom* r : m_world->Rooms.InZone(zone)) m_refs.Update(*r);
  for (const TObj* o : m_world->Objs.InZone(zone)) m_refs.Update(*o);
  for (const TMob* m : m_world->Mobs.InZone(zone)) m_refs.Update(*m);
  for (const TShop* s : m_world->Shops.InZone(zone)) m_refs.Update(*s);
  if (m_changes.MarkDifferences(before)) emit ZoneChanged(zone);
}

std::unique_ptr<TMUDClass> WorldDocument::RemoveEntry(TMUDClass& rec) {
  std::unique_ptr<TMUDClass> out;
  if (rec.Kind == kZone) return out;
  emit RecordAboutToBeRemoved(rec);
  m_refs.Forget(rec);
  const RecordKind kind = rec.Kind;
  const int32_t zone = rec.Zone, vnum = rec.Vnum;
  Tracked(zone, [&] {
    m_world->ForRecord(rec, [&](auto& list, auto& r) {
      // By the record itself: with repeated vnums the first one with that
      // number may be another record.
      out = list.Extract(list.IndexOf(&r));
    });
  });
  emit RecordRemoved(kind, zone, vnum);
  return out;
}

std::unique_ptr<TZone> WorldDocument::RemoveZone(TZone& zone) {
  emit RecordAboutToBeRemoved(zone);
  m_refs.Forget(zone);
  const int32_t n = zone.Vnum;
  m_world->Zones.RemoveZoneName(n);
  std::unique_ptr<TZone> out = m_world->Zones.Extract(m_world->Zones.IndexOf(&zone));
  m_changes.ZoneGone(n);
  emit RecordRemoved(kZone, n, n);
  emit ZoneChanged(n);
  return out;
}

}  // namespace zm
