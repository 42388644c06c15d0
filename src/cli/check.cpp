// check WORLD [--zone N]: what each zone holds and the errors in its rooms.
#include <algorithm>
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/winutf8.h"
#include "load/loadworld.h"
#include "load/zonecheck.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto o = ParseOptions(args, {"--zone"}, err);
  if (!o) {
    err << "usage: zemlemer-cli check WORLD [--zone N]\n";
    return kUsage;
  }
  ReadWorld loaded(*o, err);
  const World& w = loaded.w;

  std::vector<int32_t> zones = o->zones;
  if (zones.empty()) {
    for (const auto& z : w.Zones)
      if (z->Registered) zones.push_back(z->Vnum);
    std::sort(zones.begin(), zones.end());
    zones.erase(std::unique(zones.begin(), zones.end()), zones.end());
  }
  bool found = false;
  for (int32_t zone : zones) {
    ZoneCheckResult r = CheckZone(w, zone);
    out << "zone " << zone << ": rooms " << r.Rooms << " (unplaced " << r.Unplaced << "), objects "
        << r.Objects << ", mobiles " << r.Mobiles << ", shops " << r.Shops << ", triggers "
        << r.Triggers << "\n";
    for (const auto& e : r.Errors) out << WinToUtf8(e) << "\n";
    found = found || !r.Errors.empty();
  }
  return found || loaded.failures > 0 || !loaded.rep.warnings.empty() ? kFailed : kOk;
}

const Registrar reg({"check", "WORLD [--zone N]",
                     "load the world and check each zone (or zone N): counts, then the errors "
                     "found in its rooms; exit 1 when any is found or a file fails to load",
                     Run});

}  // namespace
}  // namespace zm::cli
