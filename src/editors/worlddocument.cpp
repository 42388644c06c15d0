#include "editors/worlddocument.h"

#include <optional>

#include "model/world.h"

namespace zm {

WorldDocument::WorldDocument(Reporter& reporter, TreeSink* sink, QObject* parent)
    : QObject(parent), m_world(std::make_unique<World>(reporter, sink)), m_changes(*m_world) {}

WorldDocument::~WorldDocument() = default;

void WorldDocument::RebuildReferences() {
  m_refs.Rebuild(*m_world);
}

void WorldDocument::indexZone(int32_t zone) {
  // A zone's records only name numbers through their own fields: indexing
  // the zone again keeps the whole index current.
  if (const TZone* z = m_world->Zones.ByNumber(zone)) m_refs.Update(*z);
  for (const TRoom* r : m_world->Rooms.InZone(zone)) m_refs.Update(*r);
  for (const TObj* o : m_world->Objs.InZone(zone)) m_refs.Update(*o);
  for (const TMob* m : m_world->Mobs.InZone(zone)) m_refs.Update(*m);
  for (const TShop* s : m_world->Shops.InZone(zone)) m_refs.Update(*s);
}

void WorldDocument::Tracked(int32_t zone, const std::function<void()>& op,
                            const std::string& name) {
  TrackedZones({zone}, op, name);
}

void WorldDocument::TrackedZones(const std::vector<int32_t>& zones, const std::function<void()>& op,
                                 const std::string& name) {
  std::vector<ChangeTracker::Snapshot> before;
  for (int32_t z : zones) before.push_back(m_changes.Take(z));
  std::optional<StepRecorder> recorder;
  if (m_depth == 0) recorder.emplace(*m_world, zones);
  ++m_depth;
  op();
  --m_depth;
  for (int32_t z : zones) indexZone(z);
  if (recorder) {
    m_history.Push(recorder->Finish(*m_world, name));
    emit HistoryChanged();
  }
  for (const ChangeTracker::Snapshot& s : before)
    if (m_changes.MarkDifferences(s)) emit ZoneChanged(s.Zone);
}

namespace {

// What undoing or redoing a record means for the rest of the document.
class DocumentListener : public StepListener {
 public:
  DocumentListener(WorldDocument& doc, ReferenceIndex& refs) : m_doc(doc), m_refs(refs) {}
  void AboutToRemove(TMUDClass& rec) override {
    emit m_doc.RecordAboutToBeRemoved(rec);
    m_refs.Forget(rec);
  }
  void Added(TMUDClass& rec) override { m_refs.Update(rec); }
  void Changed(TMUDClass& rec) override { m_refs.Update(rec); }

 private:
  WorldDocument& m_doc;
  ReferenceIndex& m_refs;
};

}  // namespace

bool WorldDocument::applyStep(bool undo) {
  const WorldStep* step = undo ? m_history.NextUndo() : m_history.NextRedo();
  if (!step) return false;
  const std::vector<int32_t> zones = step->Zones();
  std::vector<ChangeTracker::Snapshot> before;
  for (int32_t z : zones) before.push_back(m_changes.Take(z));
  DocumentListener listener(*this, m_refs);
  // Whatever the announcements set off is part of this, not a new step.
  ++m_depth;
  const bool done =
      undo ? UndoStep(*m_world, *step, listener) : RedoStep(*m_world, *step, listener);
  --m_depth;
  if (!done) {
    // Something changed the world past the history: its steps no longer
    // describe it.
    m_history.Clear();
    emit HistoryChanged();
    return false;
  }
  const bool zonesToo = step->TouchesZones();
  if (undo)
    m_history.Undone();
  else
    m_history.Redone();
  if (zonesToo) {
    SettleZones(*m_world, zones);
    RebuildReferences();
  }
  ++m_depth;
  emit StepApplied(zonesToo);
  --m_depth;
  for (const ChangeTracker::Snapshot& s : before) {
    if (m_changes.MarkDifferences(s)) emit ZoneChanged(s.Zone);
    // A zone the step took away has nothing left to save.
    if (zonesToo && !m_world->Zones.ByNumber(s.Zone)) m_changes.ZoneGone(s.Zone);
  }
  emit HistoryChanged();
  return true;
}

bool WorldDocument::Undo() {
  return applyStep(true);
}

bool WorldDocument::Redo() {
  return applyStep(false);
}

void WorldDocument::ClearHistory() {
  m_history.Clear();
  emit HistoryChanged();
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
  std::unique_ptr<TZone> out;
  TrackedZones({n}, [&] { out = m_world->Zones.Extract(m_world->Zones.IndexOf(&zone)); });
  // Its entries stay, without a zone: nothing of the zone is left to save.
  m_changes.ZoneGone(n);
  emit RecordRemoved(kZone, n, n);
  return out;
}

}  // namespace zm
