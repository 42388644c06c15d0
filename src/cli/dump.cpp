// dump WORLD [--zone N]: the loaded records as JSON, texts in UTF-8.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "json/recordjson.h"
#include "load/loadworld.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto opt = ParseOptions(args, {"--zone", "--bases"}, err);
  if (!opt) return kUsage;
  CliReporter rep;
  World w(rep, nullptr, opt->dictionaries.get());
  LoadWorld(w, opt->world);
  // Bytes that are not valid UTF-8 cannot occur: every text went through WinToUtf8.
  out << json::WorldJson(w, opt->zones).dump(1) << "\n";
  for (const auto& l : rep.lines) err << "error: " << l << "\n";
  return rep.lines.empty() ? kOk : kFailed;
}

const Registrar reg({"dump", "WORLD [--zone N]",
                     "load and print every record (or those of the given zones) as JSON", Run});

}  // namespace
}  // namespace zm::cli
