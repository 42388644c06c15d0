#pragma once
// Undo and redo of the world. A step keeps copies of the records one
// operation changed, added or removed - never whole zones - with their places
// in their lists, so that undoing it puts back exactly what was there and a
// save writes the very bytes it wrote before.
#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "model/kinds.h"

namespace zm {

class TMUDClass;
class World;

struct RecordChange {
  RecordKind Kind = kRoom;
  // Places in the record's list before and after the operation; -1 where
  // the record was not there (added, removed).
  int BeforeIndex = -1;
  int AfterIndex = -1;
  std::shared_ptr<const TMUDClass> Before;
  std::shared_ptr<const TMUDClass> After;
};

struct WorldStep {
  // "комната 3001 — Храм" (Windows-1251).
  std::string Name;
  std::vector<RecordChange> Changes;

  bool Empty() const { return Changes.empty(); }
  // A zone record changed, came or went: zone names, maps and the tree
  // follow the zone list then.
  bool TouchesZones() const;
  // The zones of every record involved, before and after.
  std::vector<int32_t> Zones() const;
  // The name a step is shown under when its operation gave none (Windows-1251).
  std::string DefaultName(const World& w) const;
};

// Told about each record as a step is undone or redone.
class StepListener {
 public:
  virtual ~StepListener() = default;
  // `rec` leaves the world next: nothing may point to it afterwards.
  virtual void AboutToRemove(TMUDClass& rec) = 0;
  virtual void Added(TMUDClass& rec) = 0;
  virtual void Changed(TMUDClass& rec) = 0;
};

// Copies the records of some zones before an operation; Finish compares
// them with what the operation left. Only what differs is kept.
class StepRecorder {
 public:
  StepRecorder(const World& w, std::vector<int32_t> zones);
  ~StepRecorder();
  WorldStep Finish(const World& w, std::string name) const;

 private:
  struct Held {
    const TMUDClass* Ptr;
    int Index;
    std::shared_ptr<const TMUDClass> Copy;
  };
  std::vector<int32_t> m_zones;
  std::array<std::vector<Held>, kRecordKinds> m_before;
};

// Undo expects the world as the step left it, redo as the step found it.
// False, with nothing changed, when the world is not in that state (it was
// changed past the history).
bool UndoStep(World& w, const WorldStep& step, StepListener& l);
bool RedoStep(World& w, const WorldStep& step, StepListener& l);

// Zone names, maps and registrations after a step that touched zones.
void SettleZones(World& w, const std::vector<int32_t>& zones);

class WorldHistory {
 public:
  explicit WorldHistory(size_t limit = 500) : m_limit(limit) {}
  // A new step drops the steps that were undone.
  void Push(WorldStep step);
  void Clear();
  const WorldStep* NextUndo() const { return m_done ? &m_steps[m_done - 1] : nullptr; }
  const WorldStep* NextRedo() const { return m_done < m_steps.size() ? &m_steps[m_done] : nullptr; }
  // After the step NextUndo (NextRedo) was applied.
  void Undone() { --m_done; }
  void Redone() { ++m_done; }
  size_t Count() const { return m_steps.size(); }

 private:
  size_t m_limit;
  std::deque<WorldStep> m_steps;
  size_t m_done = 0;
};

}  // namespace zm
