#include "editors/worlddocument.h"

#include "model/world.h"

namespace zm {

WorldDocument::WorldDocument(Reporter& reporter, TreeSink* sink, QObject* parent)
    : QObject(parent), m_world(std::make_unique<World>(reporter, sink)), m_changes(*m_world) {}

WorldDocument::~WorldDocument() = default;

void WorldDocument::Tracked(int32_t zone, const std::function<void()>& op) {
  const ChangeTracker::Snapshot before = m_changes.Take(zone);
  op();
  if (m_changes.MarkDifferences(before)) emit ZoneChanged(zone);
}

std::unique_ptr<TMUDClass> WorldDocument::RemoveEntry(TMUDClass& rec) {
  std::unique_ptr<TMUDClass> out;
  if (rec.Kind == kZone) return out;
  emit RecordAboutToBeRemoved(rec);
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
  const int32_t n = zone.Vnum;
  m_world->Zones.RemoveZoneName(n);
  std::unique_ptr<TZone> out = m_world->Zones.Extract(m_world->Zones.IndexOf(&zone));
  m_changes.ZoneGone(n);
  emit RecordRemoved(kZone, n, n);
  emit ZoneChanged(n);
  return out;
}

}  // namespace zm
