// where WORLD KIND VNUM [--json]: every place that names a record.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/textutil.h"
#include "common/winutf8.h"
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
  ReadWorld loaded(*o, err);
  const World& w = loaded.w;
  ReferenceIndex index;
  index.Rebuild(w);
  std::vector<Place> places;
  for (const Reference& r : index.UsesOf(*kind, vnum))
    places.push_back({r.UserKind, r.UserVnum, r.UserZone, r.Field, ReferenceLine(w, r)});
  PrintPlaces(places, o->json, out);
  return kOk;
}

const Registrar reg({"where", "WORLD KIND VNUM [--json]",
                     "every place that names record VNUM of KIND (room, object, mobile, trigger, "
                     "shop, zone: references from other zones into it), one per line or as JSON",
                     Run});

}  // namespace
}  // namespace zm::cli
