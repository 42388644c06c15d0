#pragma once
// Automatic arrangement of a zone's rooms on the map: every exit wants its
// target one step away in its direction; the positions that fit all exits
// best in the least-squares sense are stored in the rooms' MapX/MapY/MapZ.
#include <cstdint>

namespace zm {

class World;

// Rewrites the map positions of every room whose Zone is `zone`. No rooms:
// error 16; a result that is not a number or does not fit a signed 8-bit
// position (above 127): error 17, and no room is changed. False after an error.
bool ArrangeZone(World& w, int32_t zone);

}  // namespace zm
