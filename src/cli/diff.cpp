// diff OLD NEW [--json]: two world folders, or two world files of one kind,
// record by record; the exit status is diff's: 0 equal, 1 different.
#include <future>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

#include "cli/clicommon.h"
#include "cli/command.h"
#include "cli/fieldtext.h"
#include "json/worlddiff.h"
#include "load/loadworld.h"
#include "load/onefile.h"

namespace zm::cli {
namespace {
namespace fs = std::filesystem;

const char* ChangeName(json::RecordDiff::Change c) {
  switch (c) {
    case json::RecordDiff::Change::Added:
      return "added";
    case json::RecordDiff::Change::Removed:
      return "removed";
    default:
      return "changed";
  }
}

void PrintJson(const std::vector<json::RecordDiff>& diffs, std::ostream& out) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto& d : diffs) {
    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    for (const auto& f : d.Fields)
      fields.push_back({{"field", f.Field}, {"old", f.Old}, {"new", f.New}});
    list.push_back({{"kind", KindName(d.Kind)},
                    {"vnum", d.Vnum},
                    {"change", ChangeName(d.What)},
                    {"fields", fields}});
  }
  out << list.dump(1) << "\n";
}

std::string Side(const std::string& v) {
  return v.empty() ? "(нет)" : v;
}

void PrintText(const std::vector<json::RecordDiff>& diffs, const World& oldW, const World& newW,
               std::ostream& out) {
  for (const auto& d : diffs) {
    switch (d.What) {
      case json::RecordDiff::Change::Added:
        out << "+ " << json::RecordTitle(*d.New, newW) << "\n";
        break;
      case json::RecordDiff::Change::Removed:
        out << "- " << json::RecordTitle(*d.Old, oldW) << "\n";
        break;
      case json::RecordDiff::Change::Changed:
        out << "~ " << json::RecordTitle(*d.New, newW) << "\n";
        for (const auto& f : d.Fields) {
          if (f.Old.find('\n') == std::string::npos && f.New.find('\n') == std::string::npos) {
            out << "    " << f.Field << ": " << Side(f.Old) << " → " << Side(f.New) << "\n";
          } else {
            out << "    " << f.Field << ":\n";
            PrintLines("      - ", f.Old, out);
            PrintLines("      + ", f.New, out);
          }
        }
        break;
    }
  }
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<fs::path> paths;
  bool asJson = false;
  fs::path basesDir;
  bool usable = true;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--json") {
      asJson = true;
    } else if (args[i] == "--bases" && i + 1 < args.size()) {
      basesDir = args[++i];
    } else if (args[i].size() > 1 && args[i][0] == '-') {
      usable = false;
    } else {
      paths.push_back(args[i]);
    }
  }
  std::error_code ec;
  const bool folders = usable && paths.size() == 2 && fs::is_directory(paths[0], ec) &&
                       fs::is_directory(paths[1], ec);
  std::optional<RecordKind> kind;
  if (usable && paths.size() == 2 && !folders) {
    kind = WorldFileKind(paths[0]);
    if (kind != WorldFileKind(paths[1])) kind.reset();
  }
  if (!folders && !kind) {
    err << "usage: zemlemer-cli diff OLD NEW [--json]\n"
           "       (two world folders, or two world files with the same extension)\n";
    return kUsage;
  }
  Options o;
  o.bases = basesDir;
  if (!LoadBases(o.bases, o.dictionaries, err)) return kUsage;
  std::vector<json::RecordDiff> diffs;
  std::unique_ptr<ReadWorld> oldF, newF;
  std::unique_ptr<ReadFileAlone> oldA, newA;
  const World* oldW;
  const World* newW;
  if (folders) {
    // The two loads share nothing but the read-only dictionaries: side by
    // side they take the time of one on a machine with two cores.
    Options oldO = o;
    oldO.world = paths[0];
    std::ostringstream oldErr, newErr;
    auto pending =
        std::async(std::launch::async, [&] { return std::make_unique<ReadWorld>(oldO, oldErr); });
    o.world = paths[1];
    newF = std::make_unique<ReadWorld>(o, newErr);
    oldF = pending.get();
    err << oldErr.str() << newErr.str();
    oldW = &oldF->w;
    newW = &newF->w;
    diffs = json::DiffWorlds(*oldW, *newW);
  } else {
    oldA = std::make_unique<ReadFileAlone>(paths[0], *kind, o.dictionaries.get());
    newA = std::make_unique<ReadFileAlone>(paths[1], *kind, o.dictionaries.get());
    for (const auto* a : {oldA.get(), newA.get()}) {
      for (const auto& l : a->rep.lines) err << "load error: " << l << "\n";
      a->rep.PrintWarnings(err);
    }
    if (!oldA->opened || !newA->opened) return kUsage;
    oldW = &oldA->w;
    newW = &newA->w;
    if (*kind == kZone)
      diffs = json::DiffZoneFiles(*oldW, *newW);
    else
      diffs = json::DiffWorlds(*oldW, *newW, *kind == kZoneMap ? kRoom : *kind);
  }
  if (asJson)
    PrintJson(diffs, out);
  else
    PrintText(diffs, *oldW, *newW, out);
  return diffs.empty() ? kOk : kFailed;
}

const Registrar reg({"diff", "OLD NEW [--json]",
                     "compare two world folders, or two world files of one kind, record by "
                     "record: added (+), removed (-), changed (~) with each field's old and new "
                     "value; exit status 0 when equal, 1 when they differ",
                     Run});

}  // namespace
}  // namespace zm::cli
