#pragma once
// Pieces the two passes over a zone file share.
#include <cstdint>
#include <string>

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
// ZoneNames and the tree node follow the zone's number and name.
void ShowZoneCaption(World& w, TZone& z, int32_t oldNumber);

}  // namespace zonefile
}  // namespace zm
