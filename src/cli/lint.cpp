// lint WORLD [--zone N] [--json]: the whole world checked the way the game
// will see it.
#include <nlohmann/json.hpp>
#include <optional>
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/winutf8.h"
#include "query/worldcheck.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto o = ParseOptions(args, {"--zone", "--json"}, err);
  if (!o || o->zones.size() > 1) {
    err << "usage: zemlemer-cli lint WORLD [--zone N] [--json]\n";
    return kUsage;
  }
  ReadWorld loaded(*o, err);

  const std::optional<int32_t> zone =
      o->zones.empty() ? std::nullopt : std::optional<int32_t>(o->zones[0]);
  const std::vector<Finding> findings = CheckWorld(loaded.w, zone);
  if (o->json) {
    nlohmann::json list = nlohmann::json::array();
    for (const Finding& f : findings)
      list.push_back({{"zone", f.Zone},
                      {"kind", KindName(f.Kind)},
                      {"vnum", f.Vnum},
                      {"check", f.Check},
                      {"message", WinToUtf8(f.Message)}});
    out << list.dump(1) << "\n";
  } else {
    for (const Finding& f : findings)
      out << "zone " << f.Zone << " " << KindName(f.Kind) << " " << f.Vnum << " [" << f.Check
          << "]: " << WinToUtf8(f.Message) << "\n";
  }
  return findings.empty() ? kOk : kFailed;
}

const Registrar reg({"lint", "WORLD [--zone N] [--json]",
                     "check the whole world (or zone N) as the game will see it: exits, doors, "
                     "keys, reset commands, worn and wielded objects, containers, shops, "
                     "triggers, script blocks, rooms nothing leads to; exit 1 on any finding",
                     Run});

}  // namespace
}  // namespace zm::cli
