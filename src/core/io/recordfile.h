#pragma once
// The one path by which world files are read and written. Reading: the file
// whole into a buffer, its coding detected, the zone of its first record
// given the file's setting, the records parsed by the kind's format, and any
// failure reported the same way for every kind (path and line, or the
// system's reason) and noted against the file so that a save asks first.
// Writing: the lines built by the kind's format, the target file and coding
// word taken from the zone, SaveLines, and a failure reported with the file
// and the reason.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/coding.h"
#include "common/messages.h"
#include "model/kinds.h"

namespace zm {
class TMUDClass;
struct TFileSetting;
}  // namespace zm

namespace zm {

class World;
class WorldBuffer;
struct FileNote;

// How a failed read is told.
struct ReadReport {
  ErrorMsg Error;
  // Zone headers fail in a box; everything else goes to the load errors.
  bool InBox = false;
  // Whether the file gets a note of what its reading left out.
  bool Noted = true;
};

// Reads `path` whole, or takes `bytes` when given (`path` then only names
// them), and runs `parse` over the buffer with the file's fresh note (null
// when not Noted). A failure anywhere (the file unreadable, ParseError at a
// line, memory) is reported with the path and the line error text, and
// noted. False on a failure, or when `parse` says it left something out.
bool ReadWorldFile(World& w, const std::filesystem::path& path, std::string* bytes,
                   const ReadReport& report,
                   const std::function<bool(WorldBuffer&, FileNote*)>& parse);

// Writes the lines with SaveLines; a failure is reported as `error` with
// the zone, the file and the system's reason.
bool WriteWorldFile(World& w, ErrorMsg error, int32_t zone, const std::filesystem::path& target,
                    std::vector<std::string>& lines, CodingWord word);
// Reports a save failure of `error` for the zone, the file and `reason`.
void ReportSaveFailure(World& w, ErrorMsg error, int32_t zone, const std::filesystem::path& target,
                       const std::string& reason);

// The five record files (rooms, objects, mobiles, shops, triggers).

// Reads a file of `kind` into the world (rooms: and then its map file).
bool LoadRecordFile(World& w, RecordKind kind, const std::filesystem::path& path);
// The same over bytes already in memory; `path` names them in messages and
// in the zone's file setting.
bool LoadRecordBytes(World& w, RecordKind kind, std::string bytes,
                     const std::filesystem::path& path);
// Whether the record goes to `file` of its zone's files of its kind (`setting`;
// every record goes to no file in particular).
bool InFile(const TMUDClass& rec, const TFileSetting* setting, std::optional<uint16_t> file);

// The lines of the zone's records of `kind`: all of them, or those of one of
// its files (0 its own, i its i-th other; see TMUDClass::FileIndex). On
// failure the lines are empty and the result is the vnum of the record that
// cannot be written.
std::optional<int32_t> BuildRecordLines(const World& w, RecordKind kind, int32_t zone,
                                        std::vector<std::string>& lines,
                                        std::optional<uint16_t> file = std::nullopt);
// Writes the zone's records of `kind` (rooms: and then the map file) into
// `path`, or, with an empty path, each into the file it was read from.
// Reports and returns false on failure.
bool SaveRecordFile(World& w, RecordKind kind, int32_t zone,
                    const std::filesystem::path& path = {});

}  // namespace zm
