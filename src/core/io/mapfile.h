#pragma once
// The room map file: one "vnum x y z" line per room of a zone, beside the
// zone's room file, read and written together with it.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "common/coding.h"

namespace zm {

class World;
class TRoomList;
class WorldBuffer;
struct FileNote;

// The map file of a room file: "30.wld" -> "30.map", "30.WLD" -> "30.MAP".
// An existing file whose extension differs only in letter case is preferred,
// so a world keeps one map file per zone.
std::filesystem::path RoomMapPath(const std::filesystem::path& roomPath);

// Positions from the map file into the rooms it names (first room of each
// vnum). A missing file is not an error: real worlds have none and their rooms
// are simply unplaced. Reports error 12 and returns false when the file cannot
// be read or a line of a known room is malformed; positions read before it stay.
bool LoadRoomMap(World& w, const std::filesystem::path& mapPath);
// The same over bytes in memory; `mapPath` only names them. For tests and
// fuzzing.
bool LoadRoomMapBytes(World& w, std::string bytes, const std::filesystem::path& mapPath);
// The parse of LoadRoomMap over a loaded buffer; throws ParseError.
// Lines it cannot hold (an unknown room, a position outside -128..127, more
// on the line) are left out and noted.
void ParseRoomMap(TRoomList& rooms, WorldBuffer& buf, FileNote* note = nullptr);

// One line per room of the zone (of those of one of its room files), in list
// order.
void BuildRoomMapLines(const World& w, int32_t zone, std::vector<std::string>& lines,
                       std::optional<uint16_t> file = std::nullopt);
// How the map file beside `roomPath` is written; none when it is not
// (see SaveRoomMap).
std::optional<CodingWord> RoomMapWord(const World& w, int32_t zone,
                                      const std::filesystem::path& roomPath,
                                      std::optional<uint16_t> file = std::nullopt);
// Writes the map file beside the room file just written. Skipped (true) when
// no room of the zone has a position and no map file exists yet, so a world
// without maps does not gain files it never had. Reports error 13 on failure.
bool SaveRoomMap(World& w, int32_t zone, const std::filesystem::path& roomPath,
                 std::optional<uint16_t> file = std::nullopt);

}  // namespace zm
