#pragma once
// Which files of which zones differ from their last save, for the question
// at exit. A change is seen by building a zone's files before and after an
// operation, so editors need not report it.
#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "model/kinds.h"

namespace zm {

class World;

class ChangeTracker {
 public:
  explicit ChangeTracker(const World& w) : m_world(w) {}

  // The zone's files as the writers would build them now.
  struct Snapshot {
    int32_t Zone = 0;
    std::array<std::vector<std::string>, kRecordKinds> Files;
    // The record that could not be written, per file.
    std::array<std::optional<int32_t>, kRecordKinds> Results{};
  };
  Snapshot Take(int32_t zone) const;
  // Marks every file of the snapshot's zone that now builds differently;
  // true when there was one.
  bool MarkDifferences(const Snapshot& before);

  void Mark(int32_t zone, RecordKind kind) { m_changed.insert({zone, kind}); }
  void Saved(int32_t zone, RecordKind kind);
  void ZoneGone(int32_t zone);
  bool Any() const { return !m_changed.empty(); }
  // By zone, then in the order the zone save writes.
  std::vector<std::pair<int32_t, RecordKind>> Changed() const;

 private:
  const World& m_world;
  std::set<std::pair<int32_t, RecordKind>> m_changed;
};

}  // namespace zm
