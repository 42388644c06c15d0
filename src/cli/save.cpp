// save WORLD [--zone N]...: load, then write zones back in place.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "load/saving.h"
#include "load/zloads.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto opt = ParseOptions(args, {"--zone", "--bases", "--force"}, err);
  if (!opt) return kUsage;
  CliReporter rep;
  World w(rep, nullptr, opt->dictionaries.get());
  LoadWorld(w, opt->world);
  size_t loadErrors = rep.lines.size();
  for (size_t i = 0; i < loadErrors; ++i) err << "load error: " << rep.lines[i] << "\n";

  std::vector<int32_t> zones = opt->zones;
  if (zones.empty()) {
    for (const auto& z : w.Zones)
      if (z->Registered) zones.push_back(z->Vnum);
  }
  bool ok = true;
  for (int32_t n : zones) {
    if (!w.Zones.ByNumber(n)) {
      err << "zemlemer-cli: no zone " << n << " in " << opt->world.string() << "\n";
      ok = false;
      continue;
    }
    SaveResult r = SaveWholeZone(w, n);
    for (const auto& p : r.written) out << p.string() << "\n";
    ok = ok && r.ok;
  }
  for (size_t i = loadErrors; i < rep.lines.size(); ++i) err << "error: " << rep.lines[i] << "\n";
  return ok && rep.lines.size() == loadErrors ? kOk : kFailed;
}

const Registrar reg({"save", "WORLD [--zone N]...",
                     "load, then save every zone (or the given ones) in place; one line per file "
                     "written",
                     Run});

}  // namespace
}  // namespace zm::cli
