// The zone file: the header pass that sets a zone up before any other file is
// read, the registration of the zone's sibling files, and the writer. The
// command pass lives in zonecmds.cpp.
#include "io/zonefile.h"

#include <algorithm>
#include <system_error>

#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/recordfile.h"
#include "io/zonefile_internal.h"

namespace zm {
namespace fs = std::filesystem;

namespace zonefile {

int32_t ZoneNumber(const std::string& token) {
  int32_t n;
  if (!ParseInt(token, n) || n < 0 || n > kMaxZoneNumber) throw ParseError();
  return n;
}

std::string NameFromLine(const std::string& line) {
  // A name line that lost its "~" keeps its last letter.
  if (!line.empty() && line.back() == '~') return line.substr(0, line.size() - 1);
  return line;
}

std::string ReadLineOrFail(WorldBuffer& buf) {
  if (buf.BufferEof()) throw ParseError();
  return buf.ReadBufferLine();
}

}  // namespace zonefile

using namespace zonefile;

// ---------------------------------------------------------------- header pass

namespace {

bool HeaderPass(World& w, TZone& z, WorldBuffer& buf) {
  if (z.ZoneFilename.Coding == kCodingUnknown) z.ZoneFilename.SetWord(buf.DetectCoding());
  buf.SetCoding(z.ZoneFilename.Coding);
  buf.ResetWorldBuffer();
  const int32_t before = z.Vnum;
  z.Clear();
  std::string line;
  do {
    line = ReadLineOrFail(buf);
  } while (line.empty() || line[0] != '#');
  line.erase(0, 1);
  int32_t n = ZoneNumber(NextWord(line, kBlanks));
  std::string name = NameFromLine(ReadLineOrFail(buf));
  z.Zone = z.Vnum = n;
  z.Name = std::move(name);
  buf.SetLine(kLineClosed);
  buf.FreeWorldBuffer();
  if (z.Vnum != before) w.Zones.VnumsChanged();
  return true;
}

bool RunHeader(World& w, TZone& z, const fs::path& path, std::string* bytes) {
  const ReadReport report{.Error = ErrorMsg::ZoneLoad, .InBox = true, .Noted = false};
  return ReadWorldFile(w, path, bytes, report,
                       [&](WorldBuffer& buf, FileNote*) { return HeaderPass(w, z, buf); });
}

}  // namespace

bool ReadZoneHeader(World& w, TZone& z, const fs::path& path) {
  return RunHeader(w, z, path, nullptr);
}

bool ReadZoneHeaderBytes(World& w, TZone& z, std::string bytes, const fs::path& path) {
  return RunHeader(w, z, path, &bytes);
}

bool LoadZoneHeader(World& w, TZone& z, const fs::path& path) {
  if (!ReadZoneHeader(w, z, path)) return false;
  RegisterZoneFiles(w, z, path);
  return true;
}

// ------------------------------------------------------------ sibling files

namespace {

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// `word` in the letter case of `model`, letter by letter (ZON gives WLD,
// zon gives wld).
std::string CaseLike(std::string_view word, std::string_view model) {
  std::string out(word);
  for (size_t i = 0; i < out.size(); ++i) {
    bool upper = i < model.size() && model[i] >= 'A' && model[i] <= 'Z';
    out[i] = upper ? AsciiUpper(out[i]) : AsciiLower(out[i]);
  }
  return out;
}

// The entry of `dir` named `name` in any letter case: the exact spelling
// first, else the first such entry by name so the choice never depends on
// the order the folder lists in. Empty when there is none.
fs::path FindNoCase(const fs::path& dir, const std::string& name, bool wantDir) {
  std::error_code ec;
  auto fits = [&](const fs::path& p) {
    return wantDir ? fs::is_directory(p, ec) : fs::is_regular_file(p, ec);
  };
  if (fits(dir / name)) return dir / name;
  std::string best;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    std::string entry = it->path().filename().string();
    if (EqualNoCase(entry, name) && fits(it->path()) && (best.empty() || entry < best))
      best = entry;
  }
  return best.empty() ? fs::path() : dir / best;
}

}  // namespace

void AssignZoneFiles(TZone& z, const fs::path& path) {
  z.ZoneFilename.Path = path;
  const fs::path dir = path.parent_path();
  const std::string dirName = dir.filename().string();
  const bool inZonFolder = EqualNoCase(dirName, "zon");
  std::string zoneExt = path.extension().string();
  if (!zoneExt.empty()) zoneExt.erase(0, 1);
  // A numbered zone file whose header gives another number (a zone moved
  // without renaming its file) has files by its own number: the file name's
  // would be another zone's.
  std::string stem = path.stem().string();
  if (int32_t n; ParseInt(stem, n) && n != z.Vnum) stem = IntText(z.Vnum);

  struct Sibling {
    TFileSetting* setting;
    const char* folder;
    const char* ext;
  };
  const Sibling siblings[] = {
      {&z.RoomFilename, "wld", "wld"}, {&z.ZoneMapFilename, "wld", "map"},
      {&z.ObjFilename, "obj", "obj"},  {&z.MobFilename, "mob", "mob"},
      {&z.ShopFilename, "shp", "shp"}, {&z.TrigFilename, "trg", "trg"},
  };
  for (const Sibling& s : siblings) {
    fs::path folder = dir;
    if (inZonFolder) {
      folder = FindNoCase(dir.parent_path(), s.folder, true);
      if (folder.empty()) folder = dir.parent_path() / CaseLike(s.folder, dirName);
    }
    std::string name = stem + "." + CaseLike(s.ext, zoneExt);
    fs::path file = FindNoCase(folder, name, false);
    s.setting->Path = file.empty() ? folder / name : file;
    s.setting->SetWord(z.ZoneFilename.Word());
  }
}

void RegisterZoneFiles(World& w, TZone& z, const fs::path& path) {
  AssignZoneFiles(z, path);
  w.RegisterZone(z);
}

// ------------------------------------------------------------------ writer

namespace {

// A name that carried a line break would split its line and break the file.
std::string OneLine(std::string s) {
  std::replace_if(
      s.begin(), s.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  return s;
}

std::string Comment(const std::string* name) {
  return name ? "\t(" + OneLine(*name) + ")" : std::string();
}

std::string Numbers(std::initializer_list<int64_t> values) {
  std::string s;
  for (int64_t v : values) {
    s += ' ';
    s += IntText(v);
  }
  return s;
}

struct Prototypes {
  const World& w;

  // A line's own maximum where it has one, else the prototype's.
  std::string ObjMax(int32_t vnum, const std::optional<int32_t>& own) const {
    if (own) return IntText(*own);
    const TObj* o = w.Objs.Find(vnum);
    return IntText(o ? o->MaxInWorld : -1);
  }
  std::string MobMax(int32_t vnum, const std::optional<int32_t>& own) const {
    if (own) return IntText(*own);
    const TMob* m = w.Mobs.Find(vnum);
    return IntText(m ? m->MaxInWorld : -1);
  }
  std::string ObjComment(int32_t vnum) const {
    const TObj* o = w.Objs.Find(vnum);
    return Comment(o ? &o->Names[0] : nullptr);
  }
  std::string MobComment(int32_t vnum) const {
    const TMob* m = w.Mobs.Find(vnum);
    return Comment(m ? &m->Names[0] : nullptr);
  }
};

// A text left open (its file was cut short) is closed, or it would take the
// numbers line and the commands into itself.
void HeaderTextLines(const std::vector<std::string>& header, std::vector<std::string>& lines) {
  bool open = false;
  for (const auto& h : header) {
    std::string line = OneLine(h);
    if (!open && (line.empty() || (line[0] != '^' && line[0] != '&'))) {
      lines.push_back(std::move(line));
      continue;
    }
    open = !ClosesTilde(line);
    lines.push_back(std::move(line));
  }
  if (open) lines.back() += '~';
}

void AddKept(std::vector<std::string>& lines, const TKeptLines& kept) {
  lines.insert(lines.end(), kept.begin(), kept.end());
}

void RoomLines(const Prototypes& p, const TRoom& r, std::vector<std::string>& lines) {
  const std::string room = IntText(r.Vnum);
  for (const auto& rem : r.RemovedObjects)
    lines.push_back("R" + Numbers({rem->Cond}) + " " + room + Numbers({rem->ID}) + " -1 -1" +
                    p.ObjComment(rem->ID));
  for (const auto& o : r.Objects) {
    lines.push_back("O" + Numbers({o->Cond, o->ID}) + " " + p.ObjMax(o->ID, o->OwnMax) + " " +
                    room + Numbers({o->Chance}) + p.ObjComment(o->ID));
    for (const auto& c : o->Contents)
      lines.push_back("P" + Numbers({c->Cond, c->ID}) + " " + p.ObjMax(c->ID, c->OwnMax) +
                      Numbers({c->Container.value_or(o->ID), c->Chance}) + p.ObjComment(c->ID));
    AddKept(lines, o->KeptCommands);
  }
  for (const auto& m : r.Mobs) {
    lines.push_back("M" + Numbers({m->Cond, m->ID}) + " " + p.MobMax(m->ID, m->OwnMax) + " " +
                    room + Numbers({m->MaxInRoom}) + p.MobComment(m->ID));
    for (const auto& i : m->Inventory) {
      const std::string head = Numbers({i->Cond, i->ID}) + " " + p.ObjMax(i->ID, i->OwnMax);
      if (i->WearPos != 255)
        lines.push_back("E" + head + Numbers({i->WearPos, i->Chance}) + p.ObjComment(i->ID));
      else if (i->ChanceFifth)
        lines.push_back("G" + head + " -1" + Numbers({i->Chance}) + p.ObjComment(i->ID));
      else
        lines.push_back("G" + head + Numbers({i->Chance}) + " -1" + p.ObjComment(i->ID));
    }
    if (m->Leader != -1)
      lines.push_back("F 0 " + room + Numbers({m->Leader, m->ID}) + " -1" +
                      p.MobComment(m->Leader));
    AddKept(lines, m->KeptCommands);
  }
  for (int d = 0; d < kDirections; ++d) {
    const TRoomExit& e = r.Exits[static_cast<size_t>(d)];
    if (WritesDoor(e))
      lines.push_back("D 0 " + room + Numbers({d, e.DefaultState}) + " -1" + Comment(&r.Name));
  }
  AddKept(lines, r.KeptCommands);
}

}  // namespace

void BuildZoneLines(const World& w, const TZone& z, std::vector<std::string>& lines) {
  lines.clear();
  const Prototypes p{w};
  lines.push_back("* Korvask zone file v1.0");
  lines.push_back("#" + IntText(z.Vnum));
  lines.push_back(OneLine(z.Name) + "~");
  HeaderTextLines(z.HeaderLines, lines);
  const std::string top =
      z.TopInFile.empty() ? IntText(int64_t{z.Vnum} * 100 + 99) : OneLine(z.TopInFile);
  lines.push_back(top + Numbers({z.ResetTime, z.ResetMode}) + OneLine(z.NumbersTail));
  AddKept(lines, z.KeptCommands);
  for (const auto& o : z.CreatedObjects)
    lines.push_back("O" + Numbers({o->Cond, o->ID}) + " " + p.ObjMax(o->ID, o->OwnMax) + " -1" +
                    Numbers({o->Chance}) + p.ObjComment(o->ID));
  for (const auto& q : z.RemovedMobs)
    lines.push_back("Q" + Numbers({q->Cond, q->ID}) + " -1 -1 -1" + p.MobComment(q->ID));
  AddKept(lines, z.KeptAfterZoneWide);
  for (const TRoom* r : w.Rooms.InZone(z.Vnum)) RoomLines(p, *r, lines);
  lines.push_back("S");
  lines.push_back("$");
  lines.push_back("$");
}

bool SaveZoneFile(World& w, TZone& z, const fs::path& path) {
  const fs::path target = path.empty() ? z.ZoneFilename.Path : path;
  std::vector<std::string> lines;
  try {
    BuildZoneLines(w, z, lines);
  } catch (const std::exception& e) {
    ReportSaveFailure(w, ErrorMsg::ZoneSave, z.Vnum, target, e.what());
    return false;
  }
  if (!WriteWorldFile(w, ErrorMsg::ZoneSave, z.Vnum, target, lines, z.ZoneFilename.Word()))
    return false;
  if (target == z.ZoneFilename.Path) {
    z.DroppedCommands = 0;
    z.FirstDroppedLine = 0;
  }
  return true;
}

}  // namespace zm
