#include "cli/savecheck.h"

#include <fstream>
#include <map>
#include <ostream>
#include <random>
#include <set>
#include <string_view>
#include <unordered_map>

#include "cli/command.h"
#include "cli/linecompare.h"
#include "common/coding.h"
#include "common/messages.h"
#include "common/textutil.h"
#include "common/winutf8.h"
#include "io/mapfile.h"
#include "json/recordjson.h"
#include "load/loadworld.h"
#include "load/saving.h"

namespace zm::cli {
namespace fs = std::filesystem;
using namespace json;

int DifferingLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  size_t pre = 0;
  while (pre < a.size() && pre < b.size() && a[pre] == b[pre]) ++pre;
  size_t suf = 0;
  while (suf < a.size() - pre && suf < b.size() - pre &&
         a[a.size() - 1 - suf] == b[b.size() - 1 - suf])
    ++suf;
  const int n = static_cast<int>(a.size() - pre - suf);
  const int m = static_cast<int>(b.size() - pre - suf);
  if (n == 0 || m == 0) return n + m;
  // Lines as numbers, so that the search compares integers.
  std::unordered_map<std::string_view, int> ids;
  std::vector<int> x(static_cast<size_t>(n)), y(static_cast<size_t>(m));
  for (int i = 0; i < n; ++i)
    x[static_cast<size_t>(i)] =
        ids.try_emplace(a[pre + static_cast<size_t>(i)], ids.size()).first->second;
  for (int i = 0; i < m; ++i)
    y[static_cast<size_t>(i)] =
        ids.try_emplace(b[pre + static_cast<size_t>(i)], ids.size()).first->second;
  // The greedy shortest edit script: v[k] is the furthest x on diagonal k.
  const int max = n + m;
  const int off = max + 1;
  std::vector<int> v(static_cast<size_t>(2 * max + 3), 0);
  for (int d = 0; d <= max; ++d) {
    for (int k = -d; k <= d; k += 2) {
      int left = v[static_cast<size_t>(off + k - 1)], right = v[static_cast<size_t>(off + k + 1)];
      int xi = (k == -d || (k != d && left < right)) ? right : left + 1;
      int yi = xi - k;
      while (xi < n && yi < m && x[static_cast<size_t>(xi)] == y[static_cast<size_t>(yi)]) {
        ++xi;
        ++yi;
      }
      v[static_cast<size_t>(off + k)] = xi;
      if (xi >= n && yi >= m) return d;
    }
  }
  return max;
}

namespace {

bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool StartsWithNumber(std::string line) {
  int32_t v;
  return ParseInt(NextWord(line, kBlanks), v);
}

}  // namespace

CommandCount CountResetCommands(const std::vector<std::string>& lines) {
  CommandCount c;
  size_t i = 0;
  while (i < lines.size() && (lines[i].empty() || lines[i][0] != '#')) ++i;
  i += 2;  // the "#" line and the name
  while (i < lines.size() && !StartsWithNumber(lines[i])) ++i;
  for (++i; i < lines.size(); ++i) {
    std::string t = Trim(lines[i]);
    if (t == "S" || t == "$") break;
    if (t.empty() || !IsAsciiLetter(t[0])) continue;
    ++c.all;
    if (t[0] == 'T' || t[0] == 't') ++c.triggers;
  }
  return c;
}

namespace {

bool ReadBytes(const fs::path& p, std::string& bytes) {
  std::ifstream f(p, std::ios::binary | std::ios::ate);
  if (!f) return false;
  const std::streamoff size = f.tellg();
  if (size < 0) return false;
  bytes.resize(static_cast<size_t>(size));
  f.seekg(0);
  return static_cast<bool>(f.read(bytes.data(), size));
}

// The file's lines without their line ends; false when it cannot be read.
bool FileLines(const fs::path& p, std::vector<std::string>& lines) {
  lines.clear();
  std::string bytes;
  if (!ReadBytes(p, bytes)) return false;
  lines = LinesOf(bytes);
  return true;
}

fs::path Relocated(const fs::path& p, const fs::path& from, const fs::path& to) {
  fs::path rel = p.lexically_normal().lexically_relative(from);
  if (rel.empty() || *rel.begin() == "..") return to / "elsewhere" / p.filename();
  return to / rel;
}

// Every file of the world now goes to the same place under `to`.
void Relocate(World& w, const fs::path& from, const fs::path& to) {
  for (const auto& z : w.Zones)
    for (TFileSetting* s : {&z->ZoneFilename, &z->RoomFilename, &z->ZoneMapFilename,
                            &z->ObjFilename, &z->MobFilename, &z->ShopFilename, &z->TrigFilename}) {
      if (!s->Path.empty()) s->Path = Relocated(s->Path, from, to);
      for (TFilePlace& other : s->Others) other.Path = Relocated(other.Path, from, to);
    }
}

class TempFolder {
 public:
  TempFolder() {
    std::random_device rd;
    m_path = fs::temp_directory_path() /
             ("zemlemer-check-" + std::to_string(rd()) + std::to_string(rd()));
    fs::create_directories(m_path);
  }
  ~TempFolder() {
    std::error_code ec;
    fs::remove_all(m_path, ec);
  }
  const fs::path& path() const { return m_path; }

 private:
  fs::path m_path;
};

using Records = std::vector<std::pair<std::string, ordered_json>>;

// Every record under a label of its kind and vnum ("room 4004"); a vnum met
// again gets its count ("room 4004 (2)").
Records Collect(const World& w) {
  Records out;
  std::map<std::string, int> seen;
  auto add = [&](const char* kind, int32_t vnum, ordered_json j) {
    std::string label = std::string(kind) + " " + std::to_string(vnum);
    if (int n = ++seen[label]; n > 1) label += " (" + std::to_string(n) + ")";
    out.emplace_back(std::move(label), std::move(j));
  };
  for (const auto& z : w.Zones) add("zone", z->Vnum, ZoneJson(*z, w));
  for (const auto& r : w.Rooms) add("room", r->Vnum, RoomJson(*r, w));
  for (const auto& o : w.Objs) add("object", o->Vnum, ObjJson(*o));
  for (const auto& m : w.Mobs) add("mobile", m->Vnum, MobJson(*m));
  for (const auto& s : w.Shops) add("shop", s->Vnum, ShopJson(*s, w));
  for (const auto& t : w.Triggers) add("trigger", t->Vnum, TriggerJson(*t));
  return out;
}

// A prototype's MaxInWorld is whichever zone line came last, and the save
// regroups the lines by room; what the lines carry is each placement's Max.
bool Ignored(const std::string& key) {
  return key == "MaxInWorld" || key == "OwnMax";
}

std::string Show(const ordered_json& v) {
  return v.is_null() ? std::string("(none)") : v.dump();
}

void Diff(const ordered_json& a, const ordered_json& b, const std::string& path,
          std::vector<std::string>& out) {
  static const ordered_json none;
  if (a.is_object() && b.is_object()) {
    for (const auto& item : a.items()) {
      if (Ignored(item.key())) continue;
      auto it = b.find(item.key());
      Diff(item.value(), it == b.end() ? none : *it, path + "." + item.key(), out);
    }
    for (const auto& item : b.items())
      if (!Ignored(item.key()) && !a.contains(item.key()))
        Diff(none, item.value(), path + "." + item.key(), out);
    return;
  }
  if (a.is_array() && b.is_array()) {
    for (size_t i = 0; i < std::max(a.size(), b.size()); ++i)
      Diff(i < a.size() ? a[i] : none, i < b.size() ? b[i] : none,
           path + "[" + std::to_string(i) + "]", out);
    return;
  }
  if (a != b) out.push_back(path + ": " + Show(a) + " -> " + Show(b));
}

std::vector<std::string> CompareRecords(const World& before, const World& after) {
  Records a = Collect(before), b = Collect(after);
  std::map<std::string, const ordered_json*> later;
  for (const auto& [label, j] : b) later[label] = &j;
  std::vector<std::string> out;
  for (const auto& [label, j] : a) {
    auto it = later.find(label);
    if (it == later.end()) {
      out.push_back(label + ": lost");
      continue;
    }
    std::vector<std::string> diffs;
    Diff(j, *it->second, "", diffs);
    for (auto& d : diffs) out.push_back(label + ": " + d.substr(1));
    later.erase(it);
  }
  for (const auto& [label, j] : b)
    if (later.count(label)) out.push_back(label + ": new");
  return out;
}

std::string NoteText(const FileNote* n) {
  if (!n) return {};
  std::string s;
  if (n->Failed)
    s = ", loaded with errors (reading stopped at line " + std::to_string(n->FirstLine) + ")";
  else if (n->Skipped > 0)
    s = ", loaded with errors (" + std::to_string(n->Skipped) +
        " lines not read, the first at line " + std::to_string(n->FirstLine) + ")";
  return s;
}

// kZone to kTrigger; kRecordKinds for a file of no kind.
int KindOfExtension(std::string ext) {
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  static const std::pair<const char*, RecordKind> kinds[] = {
      {".zon", kZone},   {".wld", kRoom}, {".map", kZoneMap}, {".obj", kObject},
      {".mob", kMobile}, {".shp", kShop}, {".trg", kTrigger}};
  for (const auto& [e, k] : kinds)
    if (ext == e) return k;
  return kRecordKinds;
}

std::string PathKey(const fs::path& p) {
  return p.lexically_normal().generic_string();
}

// The coding each file was read in, by path, before the save moves them.
std::map<std::string, uint8_t> Codings(const World& w) {
  std::map<std::string, uint8_t> out;
  for (const auto& z : w.Zones)
    for (const TFileSetting* s : {&z->ZoneFilename, &z->RoomFilename, &z->ObjFilename,
                                  &z->MobFilename, &z->ShopFilename, &z->TrigFilename})
      if (!s->Path.empty()) out.emplace(PathKey(s->Path), s->Coding);
  return out;
}

std::string ShownLine(std::string text, uint8_t coding) {
  if (coding == kCodingKoi) KoiToWin(text);
  std::string out;
  for (char c : WinToUtf8(text)) out += c == '\0' ? std::string("\\0") : std::string(1, c);
  return out;
}

// Whether the world read back attaches the trigger where a zone's T line did.
bool Carries(const World& w, int32_t type, int32_t owner, int32_t trigger) {
  if (type == 0) {
    const TMob* m = w.Mobs.Find(owner);
    return m && m->Triggers.IndexOf(trigger) >= 0;
  }
  if (type == 1) {
    const TObj* o = w.Objs.Find(owner);
    return o && o->Triggers.IndexOf(trigger) >= 0;
  }
  const TRoom* r = type == 2 ? w.Rooms.Find(owner) : nullptr;
  return r && r->Triggers.IndexOfID(trigger) >= 0;
}

}  // namespace

int SaveCheck(const Options& opt, std::ostream& out, std::ostream& err) {
  CliReporter rep;
  World before(rep, nullptr, opt.dictionaries.get());
  const fs::path world = opt.world.lexically_normal();
  LoadWorld(before, world);
  bool bad = !rep.lines.empty();
  for (const auto& l : rep.lines) err << "load error: " << l << "\n";
  const size_t loadErrors = rep.lines.size();

  // What the files held, before the save writes anything.
  auto files = DiscoverWorldFiles(world);
  std::vector<fs::path> paths;
  std::vector<RecordKind> kinds;
  for (RecordKind k : {kZone, kRoom, kObject, kMobile, kShop, kTrigger})
    for (const auto& name : files[k].Names) {
      paths.push_back(files[k].Dir / name);
      kinds.push_back(k);
      std::error_code ec;
      if (k == kRoom && fs::exists(RoomMapPath(paths.back()), ec)) {
        paths.push_back(RoomMapPath(paths.back()));
        kinds.push_back(kZoneMap);
      }
    }
  const std::map<std::string, uint8_t> codings = Codings(before);
  std::vector<FileNote> notes;
  for (const auto& p : paths) {
    const FileNote* n = before.Files.Find(p);
    notes.push_back(n ? *n : FileNote{});
  }

  TempFolder temp;
  Relocate(before, world, temp.path());
  for (const auto& z : before.Zones) {
    if (z->Registered) {
      bad = !SaveWholeZone(before, z->Vnum).ok || bad;
      continue;
    }
    // A zone without a zone file still has the files its records came from.
    for (RecordKind k : {kRoom, kObject, kMobile, kShop, kTrigger})
      if (!FileSettingOf(*z, k)->Path.empty()) bad = !SaveZoneKind(before, z->Vnum, k).ok || bad;
  }
  for (size_t i = loadErrors; i < rep.lines.size(); ++i)
    err << "save error: " << rep.lines[i] << "\n";

  CliReporter rep2;
  World after(rep2, nullptr, opt.dictionaries.get());
  LoadWorld(after, temp.path());
  for (const auto& l : rep2.lines) err << "error reading the saved files back: " << l << "\n";
  bad = bad || !rep2.lines.empty();

  for (size_t i = 0; i < paths.size(); ++i) {
    const fs::path& p = paths[i];
    const fs::path saved = Relocated(p, world, temp.path());
    out << p.lexically_relative(world).generic_string() << ": ";
    std::vector<std::string> was, now;
    FileLines(p, was);
    if (!FileLines(saved, now)) {
      out << "not written" << NoteText(&notes[i]) << "\n";
      continue;
    }
    out << DifferingLines(was, now) << " differing lines";
    if (kinds[i] == kZone) {
      CommandCount c0 = CountResetCommands(was), c1 = CountResetCommands(now);
      out << ", reset commands " << c0.all << " -> " << c1.all;
      int moved = c0.triggers - c1.triggers;
      if (moved > 0) out << " (" << moved << " T lines saved with their owners)";
      if (c0.all - c0.triggers != c1.all - c1.triggers || moved < 0) bad = true;
    }
    out << NoteText(&notes[i]) << "\n";
    if (notes[i].Failed || notes[i].Skipped > 0) bad = true;
  }

  // Every line of the files as they were, against every saved file.
  SavedLines saved;
  std::set<std::string> added;
  std::vector<std::string> lines;
  std::string bytes;
  for (size_t i = 0; i < paths.size(); ++i) {
    const fs::path p = Relocated(paths[i], world, temp.path());
    if (!ReadBytes(p, bytes)) continue;
    saved.Add(kinds[i], LinesOf(bytes));
    added.insert(PathKey(p));
  }
  std::error_code ec;
  for (fs::recursive_directory_iterator it(temp.path(), ec), end; !ec && it != end;
       it.increment(ec)) {
    const int k = KindOfExtension(it->path().extension().string());
    if (k != kRecordKinds && !added.count(PathKey(it->path())) && ReadBytes(it->path(), bytes))
      saved.Add(static_cast<RecordKind>(k), LinesOf(bytes));
  }
  const TriggerCarried carried = [&](int32_t type, int32_t owner, int32_t trigger) {
    return Carries(after, type, owner, trigger);
  };
  size_t lostLines = 0;
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!ReadBytes(paths[i], bytes)) continue;
    lines = LinesOf(bytes);
    std::vector<LostLine> lost = saved.Lost(kinds[i], lines, carried);
    if (lost.empty()) continue;
    auto c = codings.find(PathKey(paths[i]));
    const uint8_t coding = c != codings.end() ? c->second : DetectCodingOf(bytes, true).Coding;
    out << paths[i].lexically_relative(world).generic_string() << ": " << lost.size()
        << " lines lost or changed\n";
    for (const LostLine& l : lost)
      out << "  " << l.Line << ": " << ShownLine(l.Text, coding) << "\n";
    lostLines += lost.size();
  }
  out << (lostLines == 0 ? std::string("no line lost or changed")
                         : std::to_string(lostLines) + " lines lost or changed")
      << "\n";
  bad = bad || lostLines > 0;

  std::vector<std::string> changes = CompareRecords(before, after);
  for (const auto& c : changes) out << c << "\n";
  out << (changes.empty() ? std::string("no value lost or changed")
                          : std::to_string(changes.size()) + " values lost or changed")
      << "\n";
  return bad || !changes.empty() ? kFailed : kOk;
}

}  // namespace zm::cli
