#pragma once
// One world file read alone, without its world: what a comparison of two
// versions of the file (git's, which hands over a copy in a temporary
// folder) reads. Nothing beside the file is looked at, so the same bytes
// always give the same records.
#include <filesystem>
#include <optional>
#include <string>

#include "model/world.h"

namespace zm {

// The kind of world file the extension names, in any letter case: .zon
// kZone, .wld kRoom, .obj, .mob, .shp, .trg, and .map kZoneMap.
std::optional<RecordKind> WorldFileKind(const std::filesystem::path& path);

// Reads `bytes` as a file of `kind` into `w` (empty) with the normal
// readers; `path` only names them in messages. A zone file's commands go
// onto bare rooms of the zone's hundred vnums (a command naming another
// room is kept as written); a map file's positions onto bare rooms of the
// vnums it names. False when the readers reported a failure.
bool ReadWorldFileAlone(World& w, RecordKind kind, std::string bytes,
                        const std::filesystem::path& path);

}  // namespace zm
