#include "cli/clicommon.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <ostream>
#include <thread>

#include "common/datadir.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "load/loadworld.h"
#include "load/onefile.h"

namespace zm::cli {

std::optional<Options> ParseOptions(const std::vector<std::string>& args,
                                    const std::vector<std::string>& allowed, std::ostream& err) {
  Options o;
  bool haveWorld = false;
  auto isAllowed = [&](const std::string& f) {
    return f == "--bases" || std::find(allowed.begin(), allowed.end(), f) != allowed.end();
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 1 && a[0] == '-') {
      if (!isAllowed(a)) {
        err << "zemlemer-cli: unknown option " << a << "\n";
        return std::nullopt;
      }
      if (a == "--zone" || a == "--bases" || a == "--kind") {
        if (i + 1 >= args.size()) {
          err << "zemlemer-cli: " << a << " needs a value\n";
          return std::nullopt;
        }
        const std::string& v = args[++i];
        if (a == "--bases") {
          o.bases = v;
        } else if (a == "--kind") {
          o.kind = v;
        } else {
          int32_t n;
          if (!ParseInt(v, n)) {
            err << "zemlemer-cli: --zone needs a number, not '" << v << "'\n";
            return std::nullopt;
          }
          o.zones.push_back(n);
        }
      } else if (a == "--force") {
        o.force = true;
      } else if (a == "--save") {
        o.save = true;
      } else if (a == "--check") {
        o.check = true;
      } else if (a == "--json") {
        o.json = true;
      } else if (a == "--field") {
        o.field = true;
      } else if (a == "--rewrite-scripts") {
        o.rewriteScripts = true;
      }
      continue;
    }
    if (haveWorld && isAllowed("ARGS")) {
      o.extra.push_back(a);
      continue;
    }
    if (haveWorld) {
      err << "zemlemer-cli: more than one world folder given\n";
      return std::nullopt;
    }
    o.world = a;
    haveWorld = true;
  }
  if (!haveWorld) {
    err << "zemlemer-cli: no world folder given\n";
    return std::nullopt;
  }
  std::error_code ec;
  if (!std::filesystem::is_directory(o.world, ec)) {
    err << "zemlemer-cli: " << o.world.string() << " is not a folder\n";
    return std::nullopt;
  }
  if (!LoadBases(o.bases, o.dictionaries, err)) return std::nullopt;
  return o;
}

bool LoadBases(std::filesystem::path bases, std::shared_ptr<Dictionaries>& out, std::ostream& err) {
  std::error_code ec;
  if (bases.empty()) {
    // Beside the executable, or where an installed one keeps its data.
    bases = DataDir() / "Bases";
    if (!std::filesystem::is_directory(bases, ec)) return true;
  } else if (!std::filesystem::is_directory(bases, ec)) {
    err << "zemlemer-cli: " << bases.string() << " is not a folder\n";
    return false;
  }
  // A dictionary that cannot be read leaves its texts empty; say so, but it
  // is no reason to stop.
  CliReporter rep;
  out = std::make_shared<Dictionaries>(bases);
  RegisterDictionaries(*out, rep);
  for (const auto& l : rep.lines) err << "warning: " << l << "\n";
  return true;
}

std::string OneLine(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') {
      out += ' ';
      ++i;
    } else if (utf8[i] == '\r' || utf8[i] == '\n') {
      out += ' ';
    } else {
      out += utf8[i];
    }
  }
  return out;
}

void CliReporter::AddLoadError(const std::string& text) {
  lines.push_back(OneLine(WinToUtf8(text)));
}

void CliReporter::Error(int, const std::string& text) {
  lines.push_back(OneLine(WinToUtf8(text)));
}

bool CliReporter::Confirm(int n, const std::string& text) {
  if (std::find(yes.begin(), yes.end(), static_cast<ConfirmMsg>(n)) != yes.end()) return true;
  lines.push_back(OneLine(WinToUtf8(text)) + " -> no");
  return false;
}

int CliReporter::Choose(int, const std::string& text, const std::vector<std::string>& answers) {
  lines.push_back(OneLine(WinToUtf8(text)) + " -> " + WinToUtf8(answers.back()));
  return 2;
}

void CliReporter::AddLoadWarning(const std::string& text) {
  warnings.push_back(OneLine(WinToUtf8(text)));
}

void CliReporter::PrintWarnings(std::ostream& out) const {
  for (const auto& w : warnings) out << "warning: " << w << "\n";
}

ReadWorld::ReadWorld(const Options& o, std::ostream& err) : w(rep, nullptr, o.dictionaries.get()) {
  failures = LoadWorld(w, o.world);
  for (const auto& l : rep.lines) err << "load error: " << l << "\n";
  rep.PrintWarnings(err);
}

ReadFileAlone::ReadFileAlone(const std::filesystem::path& path, RecordKind k,
                             const Dictionaries* bases)
    : w(rep, nullptr, bases), kind(k) {
  std::ifstream f(path, std::ios::binary);
  std::error_code ec;
  if (!f || std::filesystem::is_directory(path, ec)) {
    rep.lines.push_back(path.string() + ": cannot be read");
    return;
  }
  std::string bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (f.bad()) {
    rep.lines.push_back(path.string() + ": cannot be read");
    return;
  }
  opened = true;
  ReadWorldFileAlone(w, kind, std::move(bytes), path);
}

void PauseAfterLoad() {
  const char* marker = std::getenv("ZEMLEMER_CLI_PAUSE_AFTER_LOAD");
  if (!marker || !*marker) return;
  std::ofstream(marker).put('\n');
  std::error_code ec;
  for (int i = 0; i < 3000 && std::filesystem::exists(marker, ec); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void PrintPlaces(const std::vector<Place>& places, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const Place& p : places)
      list.push_back({{"kind", KindName(p.Kind)},
                      {"vnum", p.Vnum},
                      {"zone", p.Zone},
                      {"field", p.Field},
                      {"text", WinToUtf8(p.Text)}});
    out << list.dump(1) << "\n";
    return;
  }
  for (const Place& p : places)
    out << KindName(p.Kind) << " " << p.Vnum << " " << p.Field << ": " << WinToUtf8(p.Text) << "\n";
}

const char* KindName(RecordKind kind) {
  static constexpr const char* kNames[kRecordKinds] = {"zone",   "room", "map",    "object",
                                                       "mobile", "shop", "trigger"};
  return kNames[kind];
}

std::optional<RecordKind> KindOfName(const std::string& name) {
  for (int k = 0; k < kRecordKinds; ++k)
    if (name == KindName(static_cast<RecordKind>(k))) return static_cast<RecordKind>(k);
  return std::nullopt;
}

}  // namespace zm::cli
