#pragma once
// Rooms, their contents placed by zone reset commands, and the room list.
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "model/records.h"

namespace zm {

class World;

enum Direction { kNorth = 0, kEast, kSouth, kWest, kUp, kDown, kDirections };

struct TRoomExit {
  std::string Keywords;
  std::string Description;
  uint8_t DoorFlags = 0;
  int32_t Key = -1;
  int32_t ToRoom = -1;       // -1: no exit (see ExitWritten)
  uint8_t DefaultState = 0;  // set by the zone's D commands
  // Numbers that some worlds write after ToRoom ("0 0 185 0"); kept as read
  // and written back after it, empty in the editor's own layout.
  std::string ExitExtra;
  // The door has no D line in the zone file it was loaded with: the game
  // leaves it as players left it. No D line is written for it while
  // DefaultState is 0, so that a save does not start resetting it.
  bool WithoutReset = false;
  // Read from a file as leading nowhere (-1), with whatever door and texts
  // it had: written back while nobody links or unlinks it.
  bool ToNowhere = false;
  bool operator==(const TRoomExit&) const = default;
};

// Zone file lines the writer cannot regenerate (comments, commands it does
// not know or could not place) are kept as written and written back after
// the command they followed: after this object's P lines, this mobile's
// G, E and F lines, or this room's D lines.
using TKeptLines = std::vector<std::string>;

struct TRoomObj : TCondID {
  int16_t Chance = 100;
  TLinkObjList Contents;
  // The O line's own maximum, where it is not the prototype's MaxInWorld.
  std::optional<int32_t> OwnMax;
  TKeptLines KeptCommands;
  bool operator==(const TRoomObj&) const = default;
};

struct TRoomMob : TCondID {
  int32_t Leader = -1;
  int32_t MaxInRoom = 0;
  TLinkObjList Inventory;
  // The M line's own maximum, where it is not the prototype's MaxInWorld.
  std::optional<int32_t> OwnMax;
  TKeptLines KeptCommands;
  bool operator==(const TRoomMob&) const = default;
};

// Exits to room 0 are kept: a running game's files have them, some with a
// door; the editor clears an exit to -1, which is not written unless the file
// had it so.
inline bool ExitWritten(const TRoomExit& e) {
  return e.ToRoom >= 0 || e.ToNowhere;
}

class TRoomObjList : public TCondIDList<TRoomObj> {};
class TRoomMobList : public TCondIDList<TRoomMob> {};

// The ten description variants by time of day and season.
inline constexpr int kVariants = 10;
extern const std::array<const char*, kVariants> kVariantTags;

struct DescriptionParts {
  std::string General;
  std::array<std::string, kVariants> Variants;
  std::array<bool, kVariants> Marks{};
};
DescriptionParts SplitDescription(const std::string& description);
std::string JoinDescription(const DescriptionParts& parts);

// The map grid: 100 columns (x), 100 rows (y), levels 1 to 9 (z).
inline constexpr int kMapCols = 100, kMapRows = 100, kMapLevels = 9;
inline bool OnMapGrid(int x, int y, int z) {
  return x >= 0 && x < kMapCols && y >= 0 && y < kMapRows && z >= 1 && z <= kMapLevels;
}

class TRoom : public TMUDClass {
 public:
  TRoom(int32_t zone = 0, int32_t vnum = 0) : TMUDClass(kRoom, zone, vnum) {}

  std::string Name = "-";
  std::string Description;
  std::string Flags;
  int16_t Sector = 0;
  std::array<TRoomExit, kDirections> Exits;
  TRoomObjList Objects;
  TCondItemList RemovedObjects;
  TRoomMobList Mobs;
  TExtraDescList ExtraDescs;
  TIngrList Ingredients;
  TCondItemList Triggers;
  int32_t MapX = -1, MapY = -1, MapZ = -1;
  // Zone file lines kept after this room's D lines (see TKeptLines).
  TKeptLines KeptCommands;
  // The zone number the room file's line gave, where it is not the room's
  // own (a copied record); written back as it was.
  std::optional<int32_t> ZoneInFile;

  bool operator==(const TRoom&) const = default;
};

class TRoomList : public TMUDList<TRoom> {
 public:
  std::string NameOfRecord(const TRoom& r) const override { return r.Name; }

  // "vnum=[vnum] name" for every room of the zone (all zones for 0), then "-1=Не выбран".
  std::vector<std::string> FillChoiceList(int32_t zone) const {
    return Choices(
        zone, [](const TRoom&) { return true; },
        [](const TRoom& r) { return NodeCaption(r.Vnum, r.Name); });
  }
};

}  // namespace zm
