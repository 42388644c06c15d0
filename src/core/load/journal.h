#pragma once
// The journal of an editor's unsaved changes, so that a crash does not lose
// them: every changed file of the changed zones as a save would write it,
// kept in the user's state folder, one folder per world, with a manifest
// naming the world, the writer and the records each file changes.
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/kinds.h"

namespace zm {

class World;

struct JournalRecord {
  char Change = '~';  // '+' added, '-' removed, '~' changed
  RecordKind Kind = kRoom;
  int32_t Vnum = 0;
  std::string Name;  // Windows-1251
  bool operator==(const JournalRecord&) const = default;
};

struct JournalFile {
  // Below the world folder, with '/' ("WLD/30.wld").
  std::string Path;
  RecordKind Kind = kRoom;
  // The file on disk when the journal was written; Size -1 when there was none.
  int64_t DiskSize = -1;
  int64_t DiskTime = 0;
  std::vector<JournalRecord> Records;
  bool operator==(const JournalFile&) const = default;
};

struct JournalZone {
  int32_t Zone = 0;
  std::string Name;  // Windows-1251
  // The kinds the editor had marked unsaved.
  std::vector<RecordKind> Kinds;
  std::vector<JournalFile> Files;
  bool operator==(const JournalZone&) const = default;
};

struct JournalManifest {
  std::string World;  // the world folder's absolute path
  std::string Host;
  int64_t Pid = 0;
  std::string Time;
  // The journal folder's subfolder holding the copies.
  std::string Copies;
  std::vector<JournalZone> Zones;
  bool operator==(const JournalManifest&) const = default;
};

// UTF-8 text, a "key=value" line each; tabs part the fields.
std::string ManifestText(const JournalManifest& m);
// Lines it does not understand are left out; nullopt without its first line.
std::optional<JournalManifest> ReadManifestText(std::string_view text);

// $XDG_STATE_HOME/zemlemer, or ~/.local/state/zemlemer; empty without either.
std::filesystem::path JournalRoot();
// The world's journal folder below JournalRoot (empty when there is none).
std::filesystem::path JournalDir(const std::filesystem::path& world);

// The records a file changes: its bytes as journalled against those on disk,
// block by block at the "#vnum" lines. A block that differs from the disk's
// but not from `diskAsSaved` (the disk file as a save would write it) is
// not changed.
std::vector<JournalRecord> RecordChanges(const World& w, RecordKind kind, std::string_view now,
                                         std::string_view disk, bool koi,
                                         std::string_view diskAsSaved = {});

// Writes the journal of the given unsaved (zone, kind) pairs into `dir`,
// replacing the one there in one rename: a crash meanwhile leaves the old
// one whole. Files a save would leave as they are on disk are not
// journalled. False (with the reason) when the folder cannot be written.
bool WriteJournal(const std::filesystem::path& dir, const World& w,
                  const std::vector<std::pair<int32_t, RecordKind>>& changed,
                  std::string* error = nullptr);
std::optional<JournalManifest> ReadJournal(const std::filesystem::path& dir);
void RemoveJournal(const std::filesystem::path& dir);

// Whether the process that wrote the journal is gone: not this one, and no
// longer running on this host, or another host's.
bool WriterGone(const JournalManifest& m);
// Path below the world -> journalled copy, for World::ReadInstead; copies
// missing from the folder, or naming a place outside the world's folders,
// are left out.
std::map<std::string, std::filesystem::path> JournalCopies(const std::filesystem::path& dir,
                                                           const JournalManifest& m);
// The journalled files whose disk file changed after the journal was written.
std::vector<std::string> ChangedSince(const JournalManifest& m, const std::filesystem::path& world);
// Zone by zone, the records the journal changes (Windows-1251), at most
// `maxLines` lines with "и ещё N" for the rest.
std::string JournalSummary(const JournalManifest& m, int maxLines);

}  // namespace zm
