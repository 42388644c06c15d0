#pragma once
// The save commands' core: one kind of one zone, or a whole zone.
#include <filesystem>
#include <string>
#include <vector>

#include "model/world.h"

namespace zm {

struct SaveResult {
  bool ok = true;
  std::vector<std::filesystem::path> written;
  // Files not written because they were loaded with errors and the user
  // did not confirm (ok is false then, with no error reported).
  std::vector<std::filesystem::path> refused;
  // Files not written because they changed on disk since they were read or
  // written here, and the answer was not to overwrite them (ok is false, no
  // error reported); nothing else of the save was written then.
  std::vector<std::filesystem::path> changedOnDisk;
  // That answer was to read the zone again from its files: the caller does.
  bool reread = false;
};

// kZone writes the zone file, kRoom the room file and its map, the others
// their list's file. Errors are reported through w.reporter(). A file whose
// content was not fully understood when it was read (w.Files) is written
// only after confirmation ConfirmMsg::LossySave; without it nothing of this
// kind is written. A file that changed on disk since it was read or written
// here (w.Stamps) is asked about first (ChoiceMsg::ChangedOnDisk).
SaveResult SaveZoneKind(World& w, int32_t zone, RecordKind kind);

// The files SaveZoneKind would overwrite that changed on disk since the
// editor read or wrote them.
std::vector<std::filesystem::path> ChangedTargets(const World& w, int32_t zone, RecordKind kind);
// Asks about each of `changed`; false, with `r` telling why, when nothing
// may be written.
bool ConfirmOverwrites(World& w, const std::vector<std::filesystem::path>& changed, SaveResult& r);

// The files SaveZoneKind would overwrite although writing them loses what
// their reading left out.
std::vector<std::filesystem::path> LossyTargets(const World& w, int32_t zone, RecordKind kind);

// Zone file, rooms and map, objects, mobiles, shops, triggers, in that
// order. A kind is skipped when the zone has no record of it and its file
// does not exist yet, so saving does not litter a world with empty files.
// Files changed on disk are asked about before anything is written.
SaveResult SaveWholeZone(World& w, int32_t zone);

// A file as SaveZoneKind would write it: its path, its kind (kZoneMap for
// the map beside a room file) and the bytes it would hold.
struct PlannedFile {
  std::filesystem::path Path;
  RecordKind Kind;
  std::string Bytes;
};
// What SaveZoneKind would write, without writing it; a file it could not
// write (no path, a record that cannot be written) is left out.
std::vector<PlannedFile> ZoneKindFiles(const World& w, int32_t zone, RecordKind kind);

// Stamps (w.Stamps) the zone's files that have none yet as the disk has them
// now, so that one someone else makes before the first save is seen.
void StampZoneFiles(World& w, const TZone& z);

// The stored file setting of `kind` for the zone.
const TFileSetting* FileSettingOf(const TZone& z, RecordKind kind);

}  // namespace zm
