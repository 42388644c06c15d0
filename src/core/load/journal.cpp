#include "load/journal.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>
#include <set>
#include <sstream>

#include "common/coding.h"
#include "common/filebytes.h"
#include "common/reporter.h"
#include "common/savelines.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "io/recordfile.h"
#include "load/saving.h"
#include "load/worldlock.h"
#include "model/world.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kFirstLine = "zemlemer journal 1";
constexpr const char* kManifest = "manifest.txt";
// A manifest is a few lines per changed record; anything this large is not one.
constexpr uintmax_t kMaxManifest = 16u << 20;

// Tabs part the fields and lines the entries: neither may stand in a value.
std::string OneField(std::string_view s, bool last) {
  std::string out(s);
  for (char& c : out)
    if (c == '\r' || c == '\n' || (!last && c == '\t')) c = ' ';
  return out;
}

std::vector<std::string_view> Fields(std::string_view s, size_t n) {
  std::vector<std::string_view> out;
  while (out.size() + 1 < n) {
    const size_t tab = s.find('\t');
    if (tab == std::string_view::npos) break;
    out.push_back(s.substr(0, tab));
    s.remove_prefix(tab + 1);
  }
  out.push_back(s);
  return out;
}

bool ParseKind(std::string_view s, RecordKind& kind) {
  int32_t k = 0;
  if (!ParseInt(s, k) || k < 0 || k >= kRecordKinds) return false;
  kind = static_cast<RecordKind>(k);
  return true;
}

void DiskState(const fs::path& path, int64_t& size, int64_t& time) {
  std::error_code ec;
  size = -1;
  time = 0;
  const uintmax_t n = fs::file_size(path, ec);
  if (ec) return;
  size = static_cast<int64_t>(n);
  const auto t = fs::last_write_time(path, ec);
  if (!ec) time = static_cast<int64_t>(t.time_since_epoch().count());
}

// A path below the world that stays below it.
bool InsideWorld(const std::string& rel) {
  const fs::path p(rel);
  if (rel.empty() || p.is_absolute()) return false;
  for (const fs::path& part : p)
    if (part == ".." || part == "." || part.empty()) return false;
  return true;
}

std::string Now() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  char when[64] = {};
  std::strftime(when, sizeof when, "%Y-%m-%d %H:%M:%S", std::localtime(&now));
  return when;
}

// The vnum of a "#vnum" line that starts a record.
std::optional<int32_t> RecordLine(std::string_view line) {
  size_t end = 1;
  while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
  int32_t vnum = 0;
  if (line.empty() || line[0] != '#' || !ParseInt(line.substr(1, end - 1), vnum))
    return std::nullopt;
  return vnum;
}

// The blocks of a record file by vnum, each from its "#vnum" line to the
// next, as its words: a save alone changes the blanks, the blank lines and
// where a "~" stands, which is no change of the record.
std::map<int32_t, std::vector<std::string_view>> Blocks(std::string_view bytes) {
  std::map<int32_t, std::vector<std::string_view>> out;
  std::vector<std::string_view>* cur = nullptr;
  for (std::string_view line : SplitLines(bytes)) {
    if (const std::optional<int32_t> vnum = RecordLine(line)) {
      cur = &out[*vnum];
      cur->clear();
    }
    if (!cur || line == "$" || line == "$~") continue;
    for (size_t i = 0; i < line.size();) {
      const size_t from = line.find_first_not_of(" \t~", i);
      if (from == std::string_view::npos) break;
      const size_t to = std::min(line.find_first_of(" \t~", from), line.size());
      cur->push_back(line.substr(from, to - from));
      i = to;
    }
  }
  return out;
}

// The disk file as a save would write it unchanged: a record whose block
// differs from the disk only as the writer puts it is not changed.
std::string AsSaved(const World& w, RecordKind kind, int32_t zone, const fs::path& path,
                    const std::string& disk, CodingWord word) {
  if (disk.empty()) return {};
  SilentReporter quiet;
  World scratch(quiet, nullptr, w.bases());
  scratch.WorldPath = w.WorldPath;
  LoadRecordBytes(scratch, kind, disk, path);
  std::vector<std::string> lines;
  if (BuildRecordLines(scratch, kind, zone, lines)) return {};
  return JoinLines(lines, word);
}

const char* KindWord(RecordKind kind) {
  static constexpr const char* kWords[kRecordKinds] = {
      "зона", "комната", "карта", "объект", "моб", "магазин", "триггер",
  };
  return kind < kRecordKinds ? kWords[kind] : "?";
}

const char* ChangeWord(char change) {
  switch (change) {
    case '+':
      return "добавлено";
    case '-':
      return "удалено";
    default:
      return "изменено";
  }
}

}  // namespace

std::string ManifestText(const JournalManifest& m) {
  std::ostringstream out;
  out << kFirstLine << "\n";
  out << "world=" << OneField(m.World, true) << "\n";
  out << "host=" << OneField(m.Host, true) << "\n";
  out << "pid=" << m.Pid << "\n";
  out << "time=" << OneField(m.Time, true) << "\n";
  out << "copies=" << OneField(m.Copies, true) << "\n";
  for (const JournalZone& z : m.Zones) {
    std::string kinds;
    for (RecordKind k : z.Kinds) kinds += (kinds.empty() ? "" : ",") + IntText(k);
    out << "zone=" << z.Zone << "\t" << kinds << "\t" << OneField(WinToUtf8(z.Name), true) << "\n";
    for (const JournalFile& f : z.Files) {
      out << "file=" << int{f.Kind} << "\t" << f.DiskSize << "\t" << f.DiskTime << "\t"
          << OneField(f.Path, true) << "\n";
      for (const JournalRecord& r : f.Records)
        out << "record=" << r.Change << "\t" << int{r.Kind} << "\t" << r.Vnum << "\t"
            << OneField(WinToUtf8(r.Name), true) << "\n";
    }
  }
  return out.str();
}

std::optional<JournalManifest> ReadManifestText(std::string_view text) {
  std::vector<std::string_view> lines = SplitLines(text);
  if (lines.empty() || lines[0] != kFirstLine) return std::nullopt;
  JournalManifest m;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string line = OneField(lines[i], true);
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = std::string_view(line).substr(0, eq);
    const std::string_view value = std::string_view(line).substr(eq + 1);
    if (key == "world") m.World = value;
    if (key == "host") m.Host = value;
    if (key == "time") m.Time = value;
    if (key == "copies") m.Copies = value;
    if (key == "pid") {
      int64_t pid = 0;
      if (ParseInt64(value, pid)) m.Pid = pid;
    }
    if (key == "zone") {
      const auto f = Fields(value, 3);
      JournalZone z;
      if (f.size() < 3 || !ParseInt(f[0], z.Zone)) continue;
      std::string_view kinds = f[1];
      bool ok = true;
      while (ok && !kinds.empty()) {
        const size_t comma = std::min(kinds.find(','), kinds.size());
        RecordKind k;
        ok = ParseKind(kinds.substr(0, comma), k);
        if (ok) z.Kinds.push_back(k);
        kinds.remove_prefix(std::min(comma + 1, kinds.size()));
      }
      if (!ok) continue;
      z.Name = Utf8ToWin(f[2]);
      m.Zones.push_back(std::move(z));
    }
    if (key == "file" && !m.Zones.empty()) {
      const auto f = Fields(value, 4);
      JournalFile file;
      if (f.size() < 4 || !ParseKind(f[0], file.Kind) || !ParseInt64(f[1], file.DiskSize) ||
          !ParseInt64(f[2], file.DiskTime))
        continue;
      file.Path = f[3];
      m.Zones.back().Files.push_back(std::move(file));
    }
    if (key == "record" && !m.Zones.empty() && !m.Zones.back().Files.empty()) {
      const auto f = Fields(value, 4);
      JournalRecord r;
      if (f.size() < 4 || f[0].size() != 1 ||
          std::string_view("+-~").find(f[0][0]) == std::string_view::npos)
        continue;
      if (!ParseKind(f[1], r.Kind) || !ParseInt(f[2], r.Vnum)) continue;
      r.Change = f[0][0];
      r.Name = Utf8ToWin(f[3]);
      m.Zones.back().Files.back().Records.push_back(std::move(r));
    }
  }
  return m;
}

fs::path JournalRoot() {
  // A relative XDG_STATE_HOME is to be ignored.
  const char* state = std::getenv("XDG_STATE_HOME");
  if (state && *state == '/') return fs::path(state) / "zemlemer";
  const char* home = std::getenv("HOME");
  if (home && *home) return fs::path(home) / ".local" / "state" / "zemlemer";
  return {};
}

fs::path JournalDir(const fs::path& world) {
  const fs::path root = JournalRoot();
  if (root.empty()) return {};
  // FNV-1a of the absolute path: stable from run to run, unlike std::hash.
  uint64_t h = 14695981039346656037ull;
  for (unsigned char c : world.lexically_normal().string()) {
    h ^= c;
    h *= 1099511628211ull;
  }
  static constexpr char kHex[] = "0123456789abcdef";
  std::string name(16, '0');
  for (int i = 15; i >= 0; --i, h >>= 4) name[static_cast<size_t>(i)] = kHex[h & 15];
  return root / name;
}

std::vector<JournalRecord> RecordChanges(const World& w, RecordKind kind, std::string_view now,
                                         std::string_view disk, bool koi,
                                         std::string_view diskAsSaved) {
  const auto after = Blocks(now), before = Blocks(disk), saved = Blocks(diskAsSaved);
  std::vector<JournalRecord> out;
  auto nameNow = [&](int32_t vnum) {
    std::string name;
    w.ForKind(kind, [&](const auto& list) {
      if (const auto* rec = list.Find(vnum)) name = list.NameOfRecord(*rec);
    });
    return name;
  };
  // A removed record is named by the line after its number on disk.
  // A removed record is named by the line after its number on disk.
  auto nameOnDisk = [&](int32_t vnum) {
    const std::vector<std::string_view> lines = SplitLines(disk);
    std::string name;
    for (size_t i = 0; i + 1 < lines.size() && name.empty(); ++i)
      if (RecordLine(lines[i]) == vnum) name = lines[i + 1].substr(0, lines[i + 1].find('~'));
    if (koi) KoiToWin(name);
    return name;
  };
  auto a = after.begin();
  auto b = before.begin();
  while (a != after.end() || b != before.end()) {
    if (b == before.end() || (a != after.end() && a->first < b->first)) {
      out.push_back({'+', kind, a->first, nameNow(a->first)});
      ++a;
    } else if (a == after.end() || b->first < a->first) {
      out.push_back({'-', kind, b->first, nameOnDisk(b->first)});
      ++b;
    } else {
      const auto s = saved.find(a->first);
      if (a->second != b->second && (s == saved.end() || a->second != s->second))
        out.push_back({'~', kind, a->first, nameNow(a->first)});
      ++a;
      ++b;
    }
  }
  return out;
}

bool WriteJournal(const fs::path& dir, const World& w,
                  const std::vector<std::pair<int32_t, RecordKind>>& changed, std::string* error) {
  auto fail = [&](const std::string& what, const std::error_code& ec) {
    if (error) *error = what + (ec ? ": " + ec.message() : std::string());
    return false;
  };
  if (dir.empty()) return fail("no state folder (HOME is not set)", {});
  JournalManifest m;
  m.World = w.WorldPath.string();
  m.Host = HostName();
  m.Pid = getpid();
  m.Time = Now();
  static std::atomic<int> generation{0};
  m.Copies = "copies-" + IntText(getpid()) + "-" + IntText(++generation);

  std::vector<std::pair<std::string, std::string>> copies;  // path below the world, bytes
  std::set<std::string> taken;
  for (size_t i = 0; i < changed.size();) {
    JournalZone z;
    z.Zone = changed[i].first;
    if (const TZone* zone = w.Zones.ByNumber(z.Zone)) z.Name = zone->Name;
    for (; i < changed.size() && changed[i].first == z.Zone; ++i) {
      const RecordKind kind = changed[i].second;
      z.Kinds.push_back(kind);
      for (PlannedFile& p : ZoneKindFiles(w, z.Zone, kind)) {
        const std::string rel = p.Path.lexically_relative(w.WorldPath).generic_string();
        if (!InsideWorld(rel) || !taken.insert(rel).second) continue;
        JournalFile f;
        f.Path = rel;
        f.Kind = p.Kind;
        DiskState(p.Path, f.DiskSize, f.DiskTime);
        const std::optional<std::string> disk =
            f.DiskSize >= 0 ? ReadFileBytes(p.Path, uintmax_t{1} << 31) : std::string();
        if (f.DiskSize >= 0 && disk && *disk == p.Bytes) continue;
        if (p.Kind == kZone || p.Kind == kZoneMap) {
          f.Records.push_back(
              {'~', p.Kind, z.Zone,
               W(p.Kind == kZone ? "параметры и команды зоны" : "места комнат на карте")});
        } else {
          CodingWord word = kDefaultCodingWord;
          if (const TZone* zone = w.Zones.ByNumber(z.Zone))
            FileSettingOf(*zone, p.Kind)->ForEachPlace([&](const TFilePlace& place, uint16_t) {
              if (place.Path == p.Path) word = place.Word();
            });
          const std::string bytes = disk ? *disk : std::string();
          f.Records = RecordChanges(w, p.Kind, p.Bytes, bytes, word.Coding == kCodingKoi,
                                    AsSaved(w, p.Kind, z.Zone, p.Path, bytes, word));
        }
        z.Files.push_back(std::move(f));
        copies.emplace_back(rel, std::move(p.Bytes));
      }
    }
    if (!z.Files.empty()) m.Zones.push_back(std::move(z));
  }
  if (m.Zones.empty()) {
    RemoveJournal(dir);
    return true;
  }

  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec) return fail("cannot make " + dir.string(), ec);
  const fs::path folder = dir / m.Copies;
  fs::remove_all(folder, ec);
  for (const auto& [rel, bytes] : copies) {
    const fs::path path = folder / rel;
    fs::create_directories(path.parent_path(), ec);
    if (ec || !WriteFileBytes(path, bytes)) return fail("cannot write " + path.string(), ec);
  }
  // The manifest names the copies: renamed into place, it switches from the
  // old journal to the new one at once.
  const fs::path tmp = dir / (std::string(kManifest) + ".tmp");
  if (!WriteFileBytes(tmp, ManifestText(m))) return fail("cannot write " + tmp.string(), {});
  fs::rename(tmp, dir / kManifest, ec);
  if (ec) return fail("cannot replace " + (dir / kManifest).string(), ec);
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code ignored;
    const std::string name = it->path().filename().string();
    if (name != kManifest && name != m.Copies) fs::remove_all(it->path(), ignored);
  }
  return true;
}

std::optional<JournalManifest> ReadJournal(const fs::path& dir) {
  if (dir.empty()) return std::nullopt;
  const std::optional<std::string> text = ReadFileBytes(dir / kManifest, kMaxManifest);
  return text ? ReadManifestText(*text) : std::nullopt;
}

void RemoveJournal(const fs::path& dir) {
  std::error_code ec;
  if (!dir.empty()) fs::remove_all(dir, ec);
}

bool WriterGone(const JournalManifest& m) {
  if (!m.Host.empty() && m.Host != HostName()) return true;
  return m.Pid != getpid() && !ProcessRunning(m.Pid);
}

std::map<std::string, fs::path> JournalCopies(const fs::path& dir, const JournalManifest& m) {
  std::map<std::string, fs::path> out;
  if (!InsideWorld(m.Copies) || fs::path(m.Copies).has_parent_path()) return out;
  for (const JournalZone& z : m.Zones)
    for (const JournalFile& f : z.Files) {
      if (!InsideWorld(f.Path)) continue;
      const fs::path copy = dir / m.Copies / f.Path;
      std::error_code ec;
      if (fs::is_regular_file(copy, ec)) out[f.Path] = copy;
    }
  return out;
}

std::vector<std::string> ChangedSince(const JournalManifest& m, const fs::path& world) {
  std::vector<std::string> out;
  for (const JournalZone& z : m.Zones)
    for (const JournalFile& f : z.Files) {
      if (!InsideWorld(f.Path)) continue;
      int64_t size, time;
      DiskState(world / f.Path, size, time);
      if (size != f.DiskSize || (size >= 0 && time != f.DiskTime)) out.push_back(f.Path);
    }
  return out;
}

std::string JournalSummary(const JournalManifest& m, int maxLines) {
  std::vector<std::string> lines;
  for (const JournalZone& z : m.Zones) {
    lines.push_back(W("Зона ") + IntText(z.Zone) + (z.Name.empty() ? "" : " " + z.Name) + ":");
    for (const JournalFile& f : z.Files)
      for (const JournalRecord& r : f.Records) {
        std::string line = "  " + W(ChangeWord(r.Change)) + ": ";
        if (r.Kind == kZone || r.Kind == kZoneMap)
          line += r.Name;
        else
          line += W(KindWord(r.Kind)) + " " + IntText(r.Vnum) +
                  (r.Name.empty() ? "" : " \"" + r.Name + "\"");
        lines.push_back(line);
      }
  }
  std::string out;
  const size_t shown = std::min(lines.size(), static_cast<size_t>(std::max(maxLines, 1)));
  for (size_t i = 0; i < shown; ++i) out += lines[i] + "\r\n";
  if (shown < lines.size()) out += W("и ещё ") + IntText(lines.size() - shown) + "\r\n";
  return out;
}

}  // namespace zm
