// merge BASE OURS THEIRS [--output FILE] [--path NAME]: git's merge driver
// for one world file (git passes %O %A %B and takes the result from %A).
#include "edit/merge.h"

#include <ostream>
#include <sstream>

#include "cli/command.h"
#include "common/filebytes.h"
#include "common/winutf8.h"
#include "json/recordjson.h"

namespace zm::cli {
namespace {
namespace fs = std::filesystem;
using json::ordered_json;

// The file's old content stays whole when writing fails.
bool WriteAtomically(const fs::path& path, const std::string& bytes, std::ostream& err) {
  std::string error;
  if (ReplaceFileBytes(path, bytes, &error)) return true;
  err << "zemlemer-cli: " << error << "\n";
  return false;
}

ordered_json RecordJson(const World& w, RecordKind kind, int32_t vnum) {
  ordered_json j;
  w.ForKind(kind, [&](const auto& list) {
    const auto* rec = list.Find(vnum);
    if (!rec) return;
    using R = std::remove_cvref_t<decltype(*rec)>;
    if constexpr (std::is_same_v<R, TZone>)
      j = json::ZoneJson(*rec, w);
    else if constexpr (std::is_same_v<R, TRoom>)
      j = json::RoomJson(*rec, w);
    else if constexpr (std::is_same_v<R, TObj>)
      j = json::ObjJson(*rec);
    else if constexpr (std::is_same_v<R, TMob>)
      j = json::MobJson(*rec);
    else if constexpr (std::is_same_v<R, TShop>)
      j = json::ShopJson(*rec, w);
    else
      j = json::TriggerJson(*rec);
  });
  return j;
}

ordered_json Pick(const ordered_json& rec, std::initializer_list<const char*> keys) {
  ordered_json out = ordered_json::object();
  for (const char* k : keys)
    if (rec.contains(k)) out[k] = rec[k];
  return out;
}

// The field's value on one side, as the JSON records show it.
std::string Value(const World& w, const MergeConflict& c) {
  const ordered_json rec = RecordJson(w, c.Kind, c.Vnum);
  if (rec.is_null()) return "(нет записи)";
  ordered_json v;
  if (c.Field.empty() || c.Field == "Other") {
    v = rec;
  } else if (c.Field == "Commands") {
    v = Pick(rec, {"Objects", "RemovedObjects", "Mobs", "KeptCommands"});
  } else if (c.Field == "ZoneCommands") {
    v = Pick(rec, {"CreatedObjects", "RemovedMobs", "KeptCommands", "KeptAfterZoneWide"});
  } else if (size_t at = c.Field.find('['); at != std::string::npos) {
    const std::string key = c.Field.substr(0, at);
    const size_t i = std::stoul(c.Field.substr(at + 1));
    if (rec.contains(key) && rec[key].is_array() && i < rec[key].size()) v = rec[key][i];
  } else if (rec.contains(c.Field)) {
    v = rec[c.Field];
  }
  if (v.is_string()) return v.get<std::string>();
  if (v.is_null()) return "(нет)";
  return v.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

std::string Indented(const std::string& text) {
  std::string out;
  for (char ch : text) {
    out += ch;
    if (ch == '\n') out += "      ";
  }
  return out;
}

void WriteConflicts(const MergeResult& r, std::ostream& out) {
  for (const MergeConflict& c : r.Conflicts) {
    out << KindNoun(c.Kind) << " " << c.Vnum;
    if (!c.Name.empty() && c.Name != "-") out << " «" << WinToUtf8(c.Name) << "»";
    out << ": ";
    if (c.Field.empty())
      out << "удалена на одной стороне, изменена на другой";
    else if (c.Field == "Commands")
      out << "команды комнаты (Commands)";
    else
      out << c.Field;
    out << "\n";
    static const char* kLabels[] = {"base", "ours", "theirs"};
    for (int i = 0; i < 3; ++i)
      out << "  " << kLabels[i] << ": " << Indented(Value(r.Side(static_cast<MergeSide>(i)), c))
          << "\n";
    out << "\n";
  }
}

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  std::vector<std::string> files;
  fs::path output, named;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if ((a == "--output" || a == "--path") && i + 1 < args.size()) {
      (a == "--output" ? output : named) = args[++i];
    } else if (a.starts_with("--")) {
      err << "zemlemer-cli merge: unknown option " << a << "\n";
      return kUsage;
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 3) {
    err << "usage: zemlemer-cli merge BASE OURS THEIRS [--output FILE] [--path NAME]\n";
    return kUsage;
  }
  if (output.empty()) output = files[1];
  const std::optional<RecordKind> kind =
      KindOfWorldFile(named.empty() ? fs::path(files[1]) : named);
  if (!kind) {
    err << "zemlemer-cli merge: not a world file (.wld .obj .mob .zon .shp .trg): "
        << (named.empty() ? files[1] : named.string()) << "\n";
    return kUsage;
  }
  std::string bytes[3];
  for (int i = 0; i < 3; ++i) {
    std::optional<std::string> read = ReadFileBytes(files[static_cast<size_t>(i)]);
    if (!read) {
      err << "zemlemer-cli merge: cannot read " << files[static_cast<size_t>(i)] << "\n";
      return kFailed;
    }
    bytes[i] = std::move(*read);
  }
  const fs::path names[3] = {files[0], files[1], files[2]};
  MergeResult r = MergeWorldFile(*kind, bytes[0], bytes[1], bytes[2], names);
  if (!r.Merged()) {
    err << "zemlemer-cli merge: " << WinToUtf8(r.Refusal) << "; nothing written\n";
    return kFailed;
  }
  if (!WriteAtomically(output, r.Bytes, err)) return kFailed;
  // git's %A is a temporary file; the list goes beside the file it stands for.
  fs::path list = named.empty() ? output : named;
  list += ".conflicts";
  std::error_code ec;
  if (r.Conflicts.empty()) {
    fs::remove(list, ec);
    return kOk;
  }
  std::ostringstream text;
  WriteConflicts(r, text);
  if (!WriteAtomically(list, text.str(), err)) return kFailed;
  out << r.Conflicts.size() << " conflict(s), OURS kept; see " << list.string() << "\n";
  return kFailed;
}

const Registrar reg({"merge", "BASE OURS THEIRS [--output FILE] [--path NAME]",
                     "three-way merge of one world file by record and field (git's merge "
                     "driver: %O %A %B); conflicts keep OURS and are listed in FILE.conflicts",
                     Run});

}  // namespace
}  // namespace zm::cli
