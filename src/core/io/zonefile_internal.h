#pragma once
// Pieces the two passes over a zone file share.
#include <cstdint>
#include <string>
#include <string_view>

#include "model/rooms.h"

namespace zm {

class TZone;
class World;
class WorldBuffer;

namespace zonefile {

// The largest zone number whose top vnum (N*100+99) still fits a vnum.
inline constexpr int32_t kMaxZoneNumber = (INT32_MAX - 99) / 100;

// The zone number of a "#" line; ParseError when it is not one.
int32_t ZoneNumber(const std::string& token);
// The name line without its "~".
std::string NameFromLine(const std::string& line);
// The next line; ParseError at the end of the buffer.
std::string ReadLineOrFail(WorldBuffer& buf);

// Whether the writer writes a D line for the exit.
inline bool WritesDoor(const TRoomExit& e) {
  return ExitWritten(e) && e.DoorFlags != 0 && !(e.WithoutReset && e.DefaultState == 0);
}

}  // namespace zonefile
}  // namespace zm
