#pragma once
// The world being edited: the records, which zone files differ from their
// last save, and the announcements around removing a record. Windows that
// hold plain pointers into the world listen to RecordAboutToBeRemoved.
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "edit/worldhistory.h"
#include "editors/changetracker.h"
#include "model/kinds.h"
#include "query/references.h"

namespace zm {

class Reporter;
class TMUDClass;
class TZone;
class TreeSink;
class World;

class WorldDocument : public QObject {
  Q_OBJECT
 public:
  WorldDocument(Reporter& reporter, TreeSink* sink, QObject* parent = nullptr);
  ~WorldDocument() override;

  World& world() { return *m_world; }
  const World& world() const { return *m_world; }
  ChangeTracker& Changes() { return m_changes; }
  const ChangeTracker& Changes() const { return m_changes; }

  // Every place a record is named; current after each tracked change.
  const ReferenceIndex& References() const { return m_refs; }
  // After the world was loaded (or replaced) outside the document.
  void RebuildReferences();

  // Runs `op`, noting which files of `zone` it changed; ZoneChanged follows
  // when any did. The zone's records are indexed anew, whatever `op` did.
  // What it changed of the zone's records becomes one step of the history,
  // named `name` (Windows-1251; empty: after the record it changed).
  void Tracked(int32_t zone, const std::function<void()>& op, const std::string& name = {});
  // The same for an operation that may change the records of several zones
  // (and the zone list): `zones` are all the zones whose records it may
  // change, add or remove.
  void TrackedZones(const std::vector<int32_t>& zones, const std::function<void()>& op,
                    const std::string& name = {});

  // Undo and redo of the steps; false when there is none, or when the world
  // no longer fits the history (then the history is dropped).
  bool Undo();
  bool Redo();
  const WorldStep* NextUndo() const { return m_history.NextUndo(); }
  const WorldStep* NextRedo() const { return m_history.NextRedo(); }
  // After the world was loaded anew.
  void ClearHistory();

  // Takes an entry (not a zone) out of its list. Everything that points at
  // it has let go when this returns; the caller frees it.
  std::unique_ptr<TMUDClass> RemoveEntry(TMUDClass& rec);
  // Takes a zone out of the zone list (its entries stay, without a zone
  // record) and forgets its unsaved changes.
  std::unique_ptr<TZone> RemoveZone(TZone& zone);

 signals:
  // `rec` is about to leave the world: nothing may point to it afterwards.
  void RecordAboutToBeRemoved(const TMUDClass& rec);
  // The record of that kind and number has left the world.
  void RecordRemoved(RecordKind kind, int32_t zone, int32_t vnum);
  // Some file of `zone` now differs from what it was before an operation.
  void ZoneChanged(int32_t zone);
  // Undo or redo changed records in place (open editors show them again)
  // and, when `zonesToo`, the zone list (the tree is built anew).
  void StepApplied(bool zonesToo);
  // A step was added, undone or redone.
  void HistoryChanged();

 private:
  std::unique_ptr<World> m_world;
  bool applyStep(bool undo);
  void indexZone(int32_t zone);

  ChangeTracker m_changes;
  ReferenceIndex m_refs;
  WorldHistory m_history;
  // Operations inside another one belong to the outer one's step.
  int m_depth = 0;
};

}  // namespace zm
