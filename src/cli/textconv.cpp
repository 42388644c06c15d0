// textconv FILE: one world file as readable UTF-8 text, a block per record
// and a line per field, for git's diff of files in Windows-1251 or KOI8-R.
#include <ostream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "cli/fieldtext.h"
#include "json/recordfields.h"
#include "load/onefile.h"

namespace zm::cli {
namespace {

// A room file alone has no positions (the map file's) and no door states
// (the zone file's): what the readers leave there is not the file's.
bool HeldElsewhere(RecordKind kind, const std::string& field) {
  auto endsWith = [&](std::string_view tail) {
    return field.size() >= tail.size() &&
           field.compare(field.size() - tail.size(), tail.size(), tail) == 0;
  };
  return kind == kRoom && (field == "MapX" || field == "MapY" || field == "MapZ" ||
                           endsWith(".DefaultState") || endsWith(".WithoutReset"));
}

template <typename List>
void PrintList(const List& list, const World& w, std::ostream& out) {
  for (const auto& r : list) {
    out << "#" << r->Vnum << " " << KindNoun(r->Kind);
    if (std::string name = json::RecordName(*r, w); !name.empty()) out << " «" << name << "»";
    out << "\n";
    for (const auto& f : json::RecordFields(*r, w))
      if (f.Field != "Vnum" && !HeldElsewhere(r->Kind, f.Field)) PrintField(f.Field, f.Value, out);
    out << "\n";
  }
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::optional<RecordKind> kind;
  if (args.size() == 1) kind = WorldFileKind(args[0]);
  if (!kind) {
    err << "usage: zemlemer-cli textconv FILE (.zon .wld .obj .mob .shp .trg .map, any case)\n";
    return kUsage;
  }
  std::shared_ptr<Dictionaries> bases;
  LoadBases({}, bases, err);
  ReadFileAlone file(args[0], *kind, bases.get());
  int records = 0;
  file.w.ForKind(*kind == kZoneMap ? kRoom : *kind,
                 [&](const auto& list) { records = list.Count(); });
  // Half a file would read as records removed, and a file of which nothing
  // could be read as all of them: git is better off told.
  if (!file.rep.lines.empty() || (records == 0 && !file.rep.warnings.empty())) {
    file.rep.PrintWarnings(err);
    for (const auto& l : file.rep.lines) err << "error: " << l << "\n";
    if (file.rep.lines.empty()) err << "error: " << args[0] << ": no record could be read\n";
    return kFailed;
  }
  file.rep.PrintWarnings(err);
  const World& w = file.w;
  switch (*kind) {
    case kZone:
      for (const auto& z : w.Zones) {
        out << "#" << z->Vnum << " " << KindNoun(kZone) << " «" << json::RecordName(*z, w) << "»\n";
        for (const auto& f : json::ZoneFileFields(*z, w))
          if (f.Field != "Vnum") PrintField(f.Field, f.Value, out);
      }
      break;
    case kZoneMap:
      for (const auto& r : w.Rooms)
        out << "#" << r->Vnum << " " << KindNoun(kRoom) << ": " << r->MapX << " " << r->MapY << " "
            << r->MapZ << "\n";
      break;
    default:
      w.ForKind(*kind, [&](const auto& list) { PrintList(list, w, out); });
  }
  return kOk;
}

const Registrar reg({"textconv", "FILE",
                     "print one world file's records as UTF-8 text, a line per field (for git's "
                     "diff.zemlemer.textconv)",
                     Run});

}  // namespace
}  // namespace zm::cli
