// dump WORLD [--zone N]: the loaded records as JSON, texts in UTF-8.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "cli/recordjson.h"
#include "load/zloads.h"

namespace zm::cli {
namespace {

template <typename List, typename F>
ordered_json Each(const List& list, const std::vector<int32_t>& zones, F f) {
  ordered_json a = ordered_json::array();
  for (const auto& r : list) {
    if (!zones.empty() && std::find(zones.begin(), zones.end(), r->Zone) == zones.end()) continue;
    a.push_back(f(*r));
  }
  return a;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto opt = ParseOptions(args, {"--zone", "--bases"}, err);
  if (!opt) return kUsage;
  CliReporter rep;
  World w(rep, nullptr, opt->dictionaries.get());
  LoadWorld(w, opt->world);
  ordered_json j;
  j["zones"] = Each(w.Zones, opt->zones, [&](const TZone& z) { return ZoneJson(z, w); });
  j["rooms"] = Each(w.Rooms, opt->zones, [&](const TRoom& r) { return RoomJson(r, w); });
  j["objects"] = Each(w.Objs, opt->zones, ObjJson);
  j["mobiles"] = Each(w.Mobs, opt->zones, MobJson);
  j["shops"] = Each(w.Shops, opt->zones, [&](const TShop& s) { return ShopJson(s, w); });
  j["triggers"] = Each(w.Triggers, opt->zones, TriggerJson);
  // Bytes that are not valid UTF-8 cannot occur: every text went through WinToUtf8.
  out << j.dump(1) << "\n";
  for (const auto& l : rep.lines) err << "error: " << l << "\n";
  return rep.lines.empty() ? kOk : kFailed;
}

const Registrar reg({"dump", "WORLD [--zone N]",
                     "load and print every record (or those of the given zones) as JSON", Run});

}  // namespace
}  // namespace zm::cli
