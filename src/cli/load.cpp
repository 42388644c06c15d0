// load WORLD: what a world folder holds and which files could not be read.
#include <chrono>
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "load/loadworld.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto opt = ParseOptions(args, {"--bases"}, err);
  if (!opt) return kUsage;
  CliReporter rep;
  World w(rep, nullptr, opt->dictionaries.get());
  auto start = std::chrono::steady_clock::now();
  LoadWorld(w, opt->world);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                  start)
                .count();
  out << "zones " << w.Zones.Count() << "\n"
      << "rooms " << w.Rooms.Count() << "\n"
      << "objects " << w.Objs.Count() << "\n"
      << "mobiles " << w.Mobs.Count() << "\n"
      << "shops " << w.Shops.Count() << "\n"
      << "triggers " << w.Triggers.Count() << "\n";
  for (const auto& l : rep.lines) out << "error: " << l << "\n";
  rep.PrintWarnings(out);
  out << "loaded in " << ms << " ms\n";
  return rep.lines.empty() && rep.warnings.empty() ? kOk : kFailed;
}

const Registrar reg({"load", "WORLD", "load a world folder and print its counts and load errors",
                     Run});

}  // namespace
}  // namespace zm::cli
