#pragma once
// The 64 room pictures of the map editor, drawn once at start-up: a raised
// square with a notch for each horizontal exit and triangles for up and
// down. The marked set carries a red dot in the centre.
#include <QImage>
#include <array>

namespace zm {

// Exit bits of a tile number.
enum : int {
  kTileNorth = 1,
  kTileSouth = 2,
  kTileWest = 4,
  kTileEast = 8,
  kTileUp = 16,
  kTileDown = 32
};

QImage DrawRoomTile(int mask, bool marked);

struct RoomTiles {
  std::array<QImage, 64> RoomMap;   // "ROOMMAP0" .. "ROOMMAP63"
  std::array<QImage, 64> FRoomMap;  // "FROOMMAP0" .. "FROOMMAP63"
  void Draw();
};

}  // namespace zm
