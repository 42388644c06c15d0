// save WORLD [--zone N]... [--force] | save --check WORLD: load, then write
// zones back in place, or try the save in a temporary folder and compare.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "cli/savecheck.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm::cli {
namespace {

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto opt = ParseOptions(args, {"--zone", "--bases", "--force", "--check"}, err);
  if (!opt) return kUsage;
  if (opt->check) return SaveCheck(*opt, out, err);
  CliReporter rep;
  // A file loaded with errors is overwritten only when asked to.
  if (opt->force) rep.yes.push_back(ConfirmMsg::LossySave);
  World w(rep, nullptr, opt->dictionaries.get());
  LoadWorld(w, opt->world);
  size_t loadErrors = rep.lines.size();
  for (size_t i = 0; i < loadErrors; ++i) err << "load error: " << rep.lines[i] << "\n";
  rep.PrintWarnings(err);
  PauseAfterLoad();

  std::vector<int32_t> zones = opt->zones;
  if (zones.empty()) {
    for (const auto& z : w.Zones)
      if (z->Registered) zones.push_back(z->Vnum);
  }
  bool ok = true;
  std::vector<std::filesystem::path> refused, changed;
  for (int32_t n : zones) {
    if (!w.Zones.ByNumber(n)) {
      err << "zemlemer-cli: no zone " << n << " in " << opt->world.string() << "\n";
      ok = false;
      continue;
    }
    SaveResult r = SaveWholeZone(w, n);
    for (const auto& p : r.written) out << p.string() << "\n";
    refused.insert(refused.end(), r.refused.begin(), r.refused.end());
    changed.insert(changed.end(), r.changedOnDisk.begin(), r.changedOnDisk.end());
    ok = ok && r.ok;
  }
  size_t firstRefusal = rep.lines.size();
  for (size_t i = loadErrors; i < rep.lines.size(); ++i) {
    // The refusals are said below, with the way round them.
    if ((!refused.empty() && EndsWith(rep.lines[i], " -> no")) ||
        (!changed.empty() && EndsWith(rep.lines[i], " -> Отмена"))) {
      firstRefusal = std::min(firstRefusal, i);
      continue;
    }
    err << "error: " << rep.lines[i] << "\n";
  }
  for (const auto& p : refused)
    err << "zemlemer-cli: " << p.string()
        << " not saved: it was loaded with errors and saving would lose what was not read; "
           "--force saves it anyway\n";
  for (const auto& p : changed)
    err << "zemlemer-cli: " << p.string()
        << " not saved: it changed on disk after it was loaded; nothing of its zone was "
           "written\n";
  return ok && refused.empty() && rep.lines.empty() ? kOk : kFailed;
}

const Registrar reg({"save", "WORLD [--zone N]... [--force] | --check WORLD",
                     "load, then save every zone (or the given ones) in place; one line per file "
                     "written. Files loaded with errors are kept unless --force. --check saves "
                     "into a temporary folder instead, reads that back and lists what differs",
                     Run});

}  // namespace
}  // namespace zm::cli
