#pragma once
// Three-way merge of one world file, record by record and field by field,
// for git's merge driver: two builders adding rooms at the end of the same
// file, or changing different fields of one mobile, do not conflict.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/world.h"

namespace zm {

// The kind of a world file by its extension, any letter case (.wld .obj
// .mob .zon .shp .trg).
std::optional<RecordKind> KindOfWorldFile(const std::filesystem::path& path);

enum class MergeSide { kBase, kOurs, kTheirs };

// A field both sides changed differently; the result keeps OURS' value.
struct MergeConflict {
  RecordKind Kind;
  int32_t Vnum;
  // The record's name on OURS' side, or THEIRS' or BASE's when OURS has it
  // not (Windows-1251).
  std::string Name;
  // The member name as the JSON records use it ("Name", "Names[2]",
  // "Exits[0]"); "Commands" for a room's reset commands in a zone file,
  // "ZoneCommands" for the zone-wide ones, "" for the whole record (deleted
  // on one side, changed on the other) and "Other" for what no field holds.
  std::string Field;
};

struct MergeResult {
  // Why the files were not merged (Windows-1251); empty when they were.
  std::string Refusal;
  std::vector<MergeConflict> Conflicts;
  // The merged file as the editor's writer gives it, in OURS' coding and
  // line break.
  std::string Bytes;
  // The three files as read (BASE, OURS, THEIRS); OURS' world holds the
  // merged records. Conflicts are shown from them.
  std::unique_ptr<Reporter> Errors;
  std::unique_ptr<World> Sides[3];

  bool Merged() const { return Refusal.empty(); }
  const World& Side(MergeSide s) const { return *Sides[static_cast<int>(s)]; }
};

// Merges the bytes of three versions of one file of `kind`; `names` name
// them in messages. A file that cannot be read with certainty (a reader
// error, lines left out, records of several zones or a vnum twice, or
// whose records the writer would not give back byte for byte) refuses the
// merge. An empty BASE stands for a file both sides added.
MergeResult MergeWorldFile(RecordKind kind, const std::string& base, const std::string& ours,
                           const std::string& theirs,
                           const std::filesystem::path (&names)[3] = {"BASE", "OURS", "THEIRS"});

}  // namespace zm
