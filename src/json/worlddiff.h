#pragma once
// Two worlds compared record by record: which records one has that the
// other has not, and for those both have, the fields that differ.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "json/recordfields.h"

namespace zm::json {

struct FieldChange {
  std::string Field, Old, New;  // UTF-8; a side without the field is empty
  bool operator==(const FieldChange&) const = default;
};

struct RecordDiff {
  RecordKind Kind;
  int32_t Vnum;
  enum class Change { Added, Removed, Changed } What;
  std::vector<FieldChange> Fields;  // empty for Added and Removed
  // The records compared, in their worlds, for a window that shows them.
  const TMUDClass* Old = nullptr;
  const TMUDClass* New = nullptr;
};

// By kind (in RecordKind order), then vnum. Records are paired by kind and
// vnum; a vnum a world has twice pairs its records in list order. Records
// equal as data are not flattened; those whose fields all read the same
// (a zone whose files lie elsewhere) are not reported.
std::vector<RecordDiff> DiffWorlds(const World& oldW, const World& newW,
                                   std::optional<RecordKind> only = {});

// The zones as their zone files read (ZoneFileFields): header fields and
// reset commands, the latter compared line by line within each room.
std::vector<RecordDiff> DiffZoneFiles(const World& oldW, const World& newW);

// The fields of `newer` that differ from `older`. A field present more than
// once (a room's commands) is compared as a list of lines: each line only
// one side has is a change of its own.
std::vector<FieldChange> DiffFields(const std::vector<FieldValue>& older,
                                    const std::vector<FieldValue>& newer);

}  // namespace zm::json
