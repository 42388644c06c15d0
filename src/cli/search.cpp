// search WORLD TEXT [--kind KIND] [--field] [--json]: records by their words,
// or by the value of a field.
#include "query/search.h"

#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "common/winutf8.h"
#include "json/fieldsearch.h"

namespace zm::cli {
namespace {

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  auto o = ParseOptions(args, {"ARGS", "--json", "--kind", "--field"}, err);
  std::optional<RecordKind> kind;
  bool usable = o && o->extra.size() == 1;
  if (usable && !o->kind.empty()) {
    kind = KindOfName(o->kind);
    usable = kind && *kind != kZoneMap;
  }
  std::optional<json::FieldQuery> field;
  if (usable && o->field) {
    field = json::ParseFieldQuery(o->extra[0]);
    usable = field.has_value();
  }
  if (!usable) {
    err << "usage: zemlemer-cli search WORLD TEXT [--kind KIND] [--json]\n"
           "       zemlemer-cli search WORLD FIELD=VALUE --field [--kind KIND] [--json]\n";
    return kUsage;
  }
  ReadWorld loaded(*o, err);
  const std::vector<SearchHit> hits = field ? json::SearchField(loaded.w, *field, kind)
                                            : SearchText(loaded.w, Utf8ToWin(o->extra[0]), kind);
  std::vector<Place> places;
  places.reserve(hits.size());
  for (const SearchHit& h : hits) places.push_back({h.Kind, h.Vnum, h.Zone, h.Field, h.Text});
  PrintPlaces(places, o->json, out);
  return kOk;
}

const Registrar reg(
    {"search", "WORLD TEXT [--kind KIND] [--field] [--json]",
     "records whose names, aliases, descriptions, extra descriptions, replies or "
     "scripts hold TEXT (any letter case, ё = е); with --field, TEXT is FIELD=VALUE "
     "(\"Sector=1\", \"Exits[*].ToRoom=3001\")",
     Run});

}  // namespace
}  // namespace zm::cli
