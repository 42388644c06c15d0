#pragma once
// Automatic arrangement of a zone's rooms on the map: every exit wants its
// target one step away in its direction; the positions that fit all exits
// best in the least-squares sense are stored in the rooms' MapX/MapY/MapZ.
#include <cstdint>

namespace zm {

class World;

// Rewrites the map positions of every room whose Zone is `zone`, one room
// per cell. No rooms: error 16; a result that is not a number or does not
// fit a signed 8-bit position (above 127): error 17, and no room is changed.
// False after an error.
bool ArrangeZone(World& w, int32_t zone);

// A room is on the map when its position lies on the grid and no room before
// it in the list (of its zone) holds that cell; any other position is made
// unplaced, so the map editor, the zone statistics and the map file agree.
// Returns how many rooms lost their position.
int UnplaceHiddenRooms(World& w, int32_t zone);
int UnplaceHiddenRooms(World& w);

}  // namespace zm
