#include "load/zonecheck.h"

#include <array>

#include "common/messages.h"
#include "common/winutf8.h"
#include "model/world.h"

namespace zm {

namespace {

const std::array<std::string, kDirections>& Phrases() {
  static const std::array<std::string, kDirections> p = {W("на север"), W("на восток"), W("на юг"),
                                                         W("на запад"), W("вверх"),     W("вниз")};
  return p;
}

void CheckMobs(const World& w, const TRoom& room, std::vector<std::string>& errors) {
  static const std::string unknown = W("Room #%d, неизвестный моб: #%d");
  static const std::string tooMany = "Room #%d, Mob #%d: MaxInRoom > MaxInWorld";
  for (const auto& m : room.Mobs) {
    const TMob* proto = w.Mobs.Find(m->ID);
    if (!proto)
      errors.push_back(FormatMessage(unknown, {room.Vnum, m->ID}));
    else if (proto->MaxInWorld > 0 && m->MaxInRoom > proto->MaxInWorld)
      errors.push_back(FormatMessage(tooMany, {room.Vnum, m->ID}));
  }
}

void CheckExits(const World& w, const TRoom& room, std::vector<std::string>& errors) {
  static const std::string unpaired = W("Room #%d, Выход %s: непарный выход");
  for (int d = 0; d < kDirections; ++d) {
    int32_t to = room.Exits[d].ToRoom;
    // 0 and below mean "no exit" even where zone 0 has a room of that number,
    // so such a room is never a target and its back exits never pair.
    if (to <= 0) continue;
    const TRoom* target = w.Rooms.Find(to);
    if (!target) continue;
    const int32_t back = target->Exits[OppositeDirection(d)].ToRoom;
    if (back <= 0 || back != room.Vnum)
      errors.push_back(FormatMessage(unpaired, {room.Vnum, DirectionPhrase(d)}));
  }
}

}  // namespace

const std::string& DirectionPhrase(int dir) {
  static const std::string none;
  return dir >= 0 && dir < kDirections ? Phrases()[static_cast<size_t>(dir)] : none;
}

int OppositeDirection(int dir) {
  static constexpr std::array<int, kDirections> opposite = {kSouth, kWest, kNorth,
                                                            kEast,  kDown, kUp};
  return dir >= 0 && dir < kDirections ? opposite[static_cast<size_t>(dir)] : -1;
}

ZoneCheckResult CheckZone(const World& w, int32_t zone) {
  ZoneCheckResult r;
  const auto& rooms = w.Rooms.InZone(zone);
  r.Rooms = static_cast<int>(rooms.size());
  for (const TRoom* room : rooms)
    if (room->MapX < 0) ++r.Unplaced;
  r.Objects = w.Objs.CountInZone(zone);
  r.Mobiles = w.Mobs.CountInZone(zone);
  r.Shops = w.Shops.CountInZone(zone);
  r.Triggers = w.Triggers.CountInZone(zone);
  for (const TRoom* room : rooms) {
    CheckMobs(w, *room, r.Errors);
    CheckExits(w, *room, r.Errors);
  }
  return r;
}

}  // namespace zm
