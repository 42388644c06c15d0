// arrange WORLD --zone N [--save [--force]]: lay a zone's rooms out from their exits.
#include "load/arrange.h"

#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "io/mapfile.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto o = ParseOptions(args, {"--zone", "--save", "--force"}, err);
  if (!o || o->zones.size() != 1) {
    if (o) err << "zemlemer-cli: arrange needs one --zone\n";
    err << "usage: zemlemer-cli arrange WORLD --zone N [--save [--force]]\n";
    return kUsage;
  }
  const int32_t zone = o->zones[0];
  CliReporter rep;
  World w(rep, nullptr, o->dictionaries.get());
  const int failures = LoadWorld(w, o->world);
  for (const auto& l : rep.lines) err << "load error: " << l << "\n";
  rep.lines.clear();
  auto flush = [&] {
    for (const auto& l : rep.lines) err << "error: " << l << "\n";
    rep.lines.clear();
  };
  if (!ArrangeZone(w, zone)) {
    flush();
    return kFailed;
  }
  for (const auto& r : w.Rooms)
    if (r->Zone == zone)
      out << r->Vnum << " " << r->MapX << " " << r->MapY << " " << r->MapZ << "\n";
  if (!o->save) return failures > 0 ? kFailed : kOk;

  // A room file that did not load whole would lose the lines of its unread
  // rooms from the map file.
  if (failures > 0 && !o->force) {
    err << "zemlemer-cli: not saved: the world did not load without errors (--force saves "
           "anyway)\n";
    return kFailed;
  }
  const TZone* z = w.Zones.ByNumber(zone);
  if (!z || z->RoomFilename.Path.empty()) {
    err << "zemlemer-cli: zone " << zone << " has no room file to put the map beside\n";
    return kFailed;
  }
  // A map changed on disk since the load is not overwritten.
  std::vector<std::filesystem::path> maps;
  z->RoomFilename.ForEachPlace(
      [&](const TFilePlace& place, uint16_t) { maps.push_back(RoomMapPath(place.Path)); });
  std::erase_if(maps, [&](const auto& p) { return !w.Stamps.Changed(p); });
  if (SaveResult r; !ConfirmOverwrites(w, maps, r)) {
    flush();
    return kFailed;
  }
  // Each room file's map holds the rooms of that file.
  bool saved = true;
  z->RoomFilename.ForEachPlace([&](const TFilePlace& place, uint16_t file) {
    saved = SaveRoomMap(w, zone, place.Path, file) && saved;
  });
  flush();
  return saved ? kOk : kFailed;
}

const Registrar reg({"arrange", "WORLD --zone N [--save [--force]]",
                     "arrange zone N's rooms on the map from their exits and print \"vnum x y z\" "
                     "per room; --save writes the zone's map file",
                     Run});

}  // namespace
}  // namespace zm::cli
