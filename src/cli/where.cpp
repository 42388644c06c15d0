// where WORLD KIND VNUM [--json]: every place that names a record.
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "load/loadworld.h"
#include "query/references.h"

namespace zm::cli {
namespace {

constexpr const char* kUsageLine =
    "usage: zemlemer-cli where WORLD KIND VNUM [--json]  (KIND: room, object, mobile, trigger, "
    "shop, zone)\n";

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto o = ParseOptions(args, {"ARGS", "--json"}, err);
  std::optional<RecordKind> kind;
  int32_t vnum = 0;
  if (o && o->extra.size() == 2) kind = KindOfName(o->extra[0]);
  if (!o || !kind || *kind == kZoneMap || !ParseInt(o->extra[1], vnum)) {
    err << kUsageLine;
    return kUsage;
  }
  CliReporter rep;
  World w(rep, nullptr, o->dictionaries.get());
  LoadWorld(w, o->world);
  for (const auto& l : rep.lines) err << "load error: " << l << "\n";
  rep.PrintWarnings(err);

  ReferenceIndex index;
  index.Rebuild(w);
  const std::vector<Reference> uses = index.UsesOf(*kind, vnum);
  if (o->json) {
    nlohmann::json list = nlohmann::json::array();
    for (const Reference& r : uses)
      list.push_back({{"kind", KindName(r.UserKind)},
                      {"vnum", r.UserVnum},
                      {"zone", r.UserZone},
                      {"field", r.Field},
                      {"text", WinToUtf8(ReferenceLine(w, r))}});
    out << list.dump(1) << "\n";
  } else {
    for (const Reference& r : uses)
      out << KindName(r.UserKind) << " " << r.UserVnum << " " << r.Field << ": "
          << WinToUtf8(ReferenceLine(w, r)) << "\n";
  }
  return kOk;
}

const Registrar reg({"where", "WORLD KIND VNUM [--json]",
                     "every place that names record VNUM of KIND (room, object, mobile, trigger, "
                     "shop, zone: references from other zones into it), one per line or as JSON",
                     Run});

}  // namespace
}  // namespace zm::cli
