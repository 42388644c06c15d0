#include "world/rooms.h"

#include "common/cp1251.h"
#include "common/messages.h"
#include "common/savelines.h"
#include "common/worldbuffer.h"
#include "load/maps.h"
#include "load/world.h"
#include "world/linesource.h"

namespace zm {
namespace fs = std::filesystem;

const std::array<const char*, kVariants> kVariantTags = {
    "<day>",         "<night>",     "<winterday>",   "<winternight>", "<springday>",
    "<springnight>", "<summerday>", "<summernight>", "<autumnday>",   "<autumnnight>",
};

void TRoom::Assign(const TRoom& o) {
  if (this == &o) return;
  NodeHandle node = Node;
  RecordKind kind = Kind;
  *this = o;
  Node = node;
  Kind = kind;
}

bool TRoom::operator==(const TRoom& o) const {
  return Zone == o.Zone && Vnum == o.Vnum && Name == o.Name && Description == o.Description &&
         Flags == o.Flags && Sector == o.Sector && Exits == o.Exits && Objects == o.Objects &&
         RemovedObjects == o.RemovedObjects && Mobs == o.Mobs && ExtraDescs == o.ExtraDescs &&
         Ingredients == o.Ingredients && Triggers == o.Triggers && MapX == o.MapX &&
         MapY == o.MapY && MapZ == o.MapZ && KeptCommands == o.KeptCommands;
}

// ---- Description variants ----

namespace {

// A piece of text goes into an editor text as further lines.
void AddLines(std::string& target, std::string_view piece) {
  if (piece.empty()) return;
  if (!target.empty() && target.back() != '\n' && target.back() != '\r') target += "\r\n";
  target += piece;
}

}  // namespace

DescriptionParts SplitDescription(const std::string& description) {
  DescriptionParts parts;
  const std::string_view text = description;
  constexpr size_t npos = std::string_view::npos;
  // Next known place of each tag at or after `pos`; the text only shrinks from
  // the front, so every tag is searched through at most once.
  std::array<size_t, kVariants> next;
  for (int v = 0; v < kVariants; ++v) next[v] = text.find(kVariantTags[v]);
  size_t pos = 0;
  auto find = [&](int v) {
    if (next[v] != npos && next[v] < pos) next[v] = text.find(kVariantTags[v], pos);
    return next[v];
  };

  int current = -1;
  while (pos < text.size()) {
    if (current >= 0) {
      size_t at = find(current);
      // An opening tag that is never closed: the rest is that variant's text.
      size_t end = at == npos ? text.size() : at;
      AddLines(parts.Variants[current], text.substr(pos, end - pos));
      pos = at == npos ? text.size() : at + std::char_traits<char>::length(kVariantTags[current]);
      current = -1;
      continue;
    }
    // The first tag of the table that occurs anywhere, not the earliest one.
    size_t at = npos;
    for (int v = 0; v < kVariants && current < 0; ++v)
      if ((at = find(v)) != npos) current = v;
    if (current < 0) {
      AddLines(parts.General, text.substr(pos));
      break;
    }
    AddLines(parts.General, text.substr(pos, at - pos));
    pos = at + std::char_traits<char>::length(kVariantTags[current]);
    if (pos < text.size() && text[pos] == 'R') {
      parts.Marks[current] = true;
      ++pos;
    }
  }
  return parts;
}

std::string JoinDescription(const DescriptionParts& parts) {
  std::string out = StripLineEnd(parts.General);
  for (int v = 0; v < kVariants; ++v) {
    std::string t = StripLineEnd(parts.Variants[v]);
    if (t.empty()) continue;
    out += kVariantTags[v];
    if (parts.Marks[v]) out += 'R';
    out += t;
    out += kVariantTags[v];
  }
  return out;
}

// ---- Reading ----

namespace {

int32_t IntField(std::string& line) {
  int32_t v;
  if (!ParseInt(NextWord(line, kBlanks), v)) throw ParseError();
  return v;
}

class RoomFileReader {
 public:
  RoomFileReader(World& w, WorldBuffer& buf, NodeHandle group, FileNote& note)
      : m_w(w), m_buf(buf), m_group(group), m_note(note), m_passed(note) {}

  void ReadAll() {
    bool atRecord = SeekRecord();
    while (atRecord) atRecord = ReadRecord() || SeekRecord();
  }

 private:
  // To the next line that begins with "#", counting the lines passed over.
  bool SeekRecord() {
    std::string line;
    while (!m_buf.BufferEof()) {
      if (m_buf.Peek() == '#') return true;
      Next(line);
      m_passed.Passed(line, m_buf.Line());
    }
    return false;
  }

  // The next line; false at the end of the buffer.
  bool Next(std::string& line) {
    if (m_buf.BufferEof()) return false;
    m_lineStart = m_buf.Pos();
    m_lineNo = m_buf.Line();
    line = m_buf.ReadBufferLine();
    return true;
  }
  // The next line of a record that is not finished: the end of the buffer
  // here cuts the record off.
  std::string Need() {
    std::string line;
    if (!Next(line)) throw ParseError();
    return line;
  }
  std::string NextOrEmpty() {
    std::string line;
    Next(line);
    return line;
  }

  // Lines up to one ending with "~", joined with CR LF; a record cut off
  // keeps what was read.
  void ReadTildeText(std::string& out) {
    for (;;) {
      std::string line = Need();
      if (EndsWithTilde(line)) {
        out.append(line, 0, line.size() - 1);
        return;
      }
      out += line;
      out += "\r\n";
    }
  }

  // True when it stopped on the "#" line of the next record.
  bool ReadRecord() {
    m_passed.RecordSeen();
    m_buf.Skip();
    int32_t vnum;
    if (!ParseInt(Trim(Need()), vnum)) throw ParseError();
    while (!m_buf.BufferEof() && (m_buf.Peek() == '\r' || m_buf.Peek() == '\n'))
      m_buf.ReadBufferLine();
    TRoom& room = Start(vnum, DropLast(Need()));

    ReadTildeText(room.Description);
    std::string line = Need();
    NextWord(line, kBlanks);  // the zone number: the vnum says it
    room.Flags = BitVectorFromText(NextWord(line, kBlanks));
    int32_t sector;
    if (!ParseInt(Trim(line), sector)) throw ParseError();
    room.Sector = static_cast<int16_t>(sector);

    line = Need();
    while (!line.empty() && line[0] == 'D') {
      ReadExit(room, line);
      line = Need();
    }
    while (!line.empty() && line[0] == 'E') {
      TExtraDesc* ed = room.ExtraDescs.Add({});
      ed->Keywords = DropLast(Need());
      ReadTildeText(ed->Description);
      line = Need();
    }
    // Blocks out of order and anything else before "S" are not read.
    while (Trim(line) != "S") {
      if (!IsBlankLine(line)) m_note.Skip(m_buf.Line());
      line = Need();
    }

    line = NextOrEmpty();
    while (!line.empty() && line[0] == 'T') {
      NextWord(line, kBlanks);
      room.Triggers.Add(TCondID{0, IntField(line)});
      line = NextOrEmpty();
    }
    while (!line.empty() && line[0] == 'I') {
      NextWord(line, kBlanks);
      TIngr ingr;
      ingr.Name = NextWord(line, ",", true, false);
      int32_t power, chance;
      if (!ParseInt(NextWord(line, ":"), power) || !ParseInt(NextWord(line, kBlanks), chance))
        throw ParseError();
      ingr.Power = static_cast<int16_t>(power);
      ingr.Chance = static_cast<int16_t>(chance);
      room.Ingredients.Add(std::move(ingr));
      line = NextOrEmpty();
    }
    if (!line.empty() && line[0] == '#') {
      m_buf.SetPos(m_lineStart);
      m_buf.SetLine(m_lineNo);
      return true;
    }
    m_passed.Passed(line, m_buf.Line());
    return false;
  }

  // A new room, or the earlier one of that vnum emptied to be filled again
  // (its map position stays).
  TRoom& Start(int32_t vnum, std::string name) {
    m_note.Zones.insert(ZoneOf(vnum));
    TRoom* room = m_w.Rooms.Find(vnum);
    if (!room) {
      auto fresh = std::make_unique<TRoom>(ZoneOf(vnum), vnum);
      fresh->Name = std::move(name);
      return *m_w.Rooms.Add(std::move(fresh), m_group);
    }
    room->Name = std::move(name);
    if (room->Node && m_w.sink()) m_w.sink()->SetCaption(room->Node, NodeCaption(vnum, room->Name));
    room->Description.clear();
    for (auto& e : room->Exits) e = TRoomExit{};
    room->ExtraDescs.Clear();
    room->Triggers.Clear();
    room->Ingredients.Clear();
    // The zone file fills these again.
    room->Objects.Clear();
    room->Mobs.Clear();
    room->RemovedObjects.Clear();
    room->KeptCommands.clear();
    return *room;
  }

  void ReadExit(TRoom& room, const std::string& header) {
    // Only "D0" to "D5" name an exit; any other block is read and dropped.
    std::string d = Trim(std::string_view(header).substr(1));
    int dir = d.size() == 1 && d[0] >= '0' && d[0] < '0' + kDirections ? d[0] - '0' : -1;
    TRoomExit e;
    std::string text = Need();
    bool closed = EndsWithTilde(text);
    e.Description = text.find('~') != std::string::npos ? DropLast(text) : text;
    // Of an exit description only the first line is kept.
    while (!closed) {
      std::string more = Need();
      closed = EndsWithTilde(more);
      if (more != "~") m_note.Skip(m_buf.Line());
    }
    e.Keywords = DropLast(Need());
    std::string nums = Need();
    e.DoorFlags = static_cast<uint8_t>(IntField(nums));
    e.Key = IntField(nums);
    e.ToRoom = IntField(nums);
    e.ExitExtra = Trim(nums);
    if (dir >= 0)
      room.Exits[static_cast<size_t>(dir)] = std::move(e);
    else
      m_note.Skip(m_buf.Line());
  }

  World& m_w;
  WorldBuffer& m_buf;
  NodeHandle m_group;
  FileNote& m_note;
  PassedLines m_passed;
  size_t m_lineStart = 0;
  int m_lineNo = 0;
};

// Coding and paths into the zone of the file's first record, and that zone's
// rooms group for the nodes.
NodeHandle Prescan(World& w, WorldBuffer& buf, const fs::path& path) {
  CodingWord cw = buf.DetectCoding();
  buf.SetCoding(cw.Coding);
  buf.ResetWorldBuffer();
  NodeHandle group = nullptr;
  int32_t vnum;
  if (buf.SeekRecordStart() && (buf.Skip(), ParseInt(Trim(buf.ReadBufferLine()), vnum))) {
    TZone& zone = w.ZoneOrBare(ZoneOf(vnum));
    if (zone.RoomFilename.Coding == kCodingUnknown) {
      zone.RoomFilename.Path = path;
      zone.RoomFilename.SetWord(cw);
      zone.ZoneMapFilename.Path = RoomMapPath(path);
      zone.ZoneMapFilename.SetWord(cw);
    }
    if (w.sink()) group = w.sink()->FindGroupNode(zone.Vnum, kRoom);
  }
  buf.ResetWorldBuffer();
  return group;
}

void ReportLoadError(World& w, const fs::path& path, const WorldBuffer& buf) {
  w.reporter().AddLoadError(
      FormatMessage(ErrorText(3), {path.string(), LineErrorText(buf.Line())}));
}

bool ReadRooms(World& w, WorldBuffer& buf, const fs::path& path) {
  FileNote& note = w.Files.Begin(path);
  try {
    NodeHandle group = Prescan(w, buf, path);
    RoomFileReader(w, buf, group, note).ReadAll();
    buf.SetLine(kLineClosed);
  } catch (const std::exception&) {
    note.Fail(buf.Line());
    ReportLoadError(w, path, buf);
    return false;
  }
  return true;
}

}  // namespace

bool TRoomList::LoadFromFile(World& w, const fs::path& path) {
  WorldBuffer buf;
  try {
    buf.LoadWorldBuffer(path);
  } catch (const std::exception&) {
    w.Files.Begin(path).Fail(buf.Line());
    ReportLoadError(w, path, buf);
    return false;
  }
  bool ok = ReadRooms(w, buf, path);
  // The rooms read before a failure stay, and so do their positions: a save
  // after a failed load would otherwise unplace the whole zone.
  return LoadRoomMap(w, RoomMapPath(path)) && ok;
}

bool TRoomList::LoadFromBytes(World& w, std::string bytes, const fs::path& path) {
  WorldBuffer buf;
  buf.LoadFromBytes(std::move(bytes));
  return ReadRooms(w, buf, path);
}

// ---- Writing ----

namespace {

bool OneLine(std::string_view s) {
  return s.find_first_of("\r\n") == std::string_view::npos;
}

// A "~" at a line end inside a tilde text would end the text there on reading.
bool TildeTextSafe(std::string_view s) {
  for (size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == '~' && (s[i + 1] == '\r' || s[i + 1] == '\n')) return false;
  return true;
}

// Whether the room can be written so that it reads back as it is; texts typed
// in the editor could otherwise break the layout of the whole file.
bool Writable(const TRoom& r) {
  if (!OneLine(r.Name) || !TildeTextSafe(r.Description)) return false;
  if (r.Flags.find_first_of(" \t\r\n") != std::string::npos) return false;
  for (const auto& e : r.Exits)
    if (ExitWritten(e) &&
        (!TildeTextSafe(e.Description) || !OneLine(e.Keywords) || !OneLine(e.ExitExtra)))
      return false;
  for (const auto& ed : r.ExtraDescs)
    if (!OneLine(ed->Keywords) || !TildeTextSafe(ed->Description)) return false;
  for (const auto& i : r.Ingredients)
    if (!OneLine(i->Name) || i->Name.find(',') != std::string::npos) return false;
  return true;
}

// A text of several lines becomes several lines of the file, each ended by
// the file's own line break.
void AddText(std::vector<std::string>& lines, std::string_view text) {
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  lines.emplace_back(text.substr(start));
}

}  // namespace

int TRoomList::BuildLines(const World&, std::vector<std::string>& lines, int32_t zone) const {
  lines.clear();
  lines.push_back("* Korvask room file v1.0");
  for (const auto& p : m_items) {
    const TRoom& r = *p;
    if (r.Zone != zone) continue;
    if (!Writable(r)) {
      lines.clear();
      return r.Vnum;
    }
    lines.push_back("#" + IntText(r.Vnum));
    lines.push_back(r.Name + "~");
    AddText(lines, r.Description + "~");
    lines.push_back(IntText(r.Zone) + " " + BitVectorText(r.Flags) + " " + IntText(r.Sector));
    for (int d = 0; d < kDirections; ++d) {
      const TRoomExit& e = r.Exits[static_cast<size_t>(d)];
      if (!ExitWritten(e)) continue;
      lines.push_back("D" + IntText(d));
      AddText(lines, e.Description + "~");
      lines.push_back(e.Keywords + "~");
      std::string nums = IntText(e.DoorFlags) + " " + IntText(e.Key) + " " + IntText(e.ToRoom);
      if (!e.ExitExtra.empty()) nums += " " + e.ExitExtra;
      lines.push_back(std::move(nums));
    }
    for (const auto& ed : r.ExtraDescs) {
      lines.push_back("E");
      lines.push_back(ed->Keywords + "~");
      AddText(lines, ed->Description + "~");
    }
    lines.push_back("S");
    for (const auto& t : r.Triggers) lines.push_back("T " + IntText(t->ID));
    for (const auto& i : r.Ingredients)
      lines.push_back("I " + i->Name + "," + IntText(i->Power) + ":" + IntText(i->Chance));
  }
  lines.push_back("$");
  lines.push_back("$");
  return 0;
}

bool TRoomList::SaveZone(World& w, int32_t zone, const fs::path& path) {
  std::vector<std::string> lines;
  // An empty list marks the failure too: room 0 is a real vnum.
  if (int bad = BuildLines(w, lines, zone); bad != 0 || lines.empty()) {
    w.reporter().ShowError(4, {zone, bad});
    return false;
  }
  const TZone* z = w.Zones.ByNumber(zone);
  fs::path target = !path.empty() ? path : z ? z->RoomFilename.Path : fs::path();
  CodingWord cw = z ? z->RoomFilename.Word() : kDefaultCodingWord;
  if (target.empty() || !SaveLines(target, lines, cw)) {
    w.reporter().ShowError(4, {zone, -1});
    return false;
  }
  return SaveRoomMap(w, zone, target);
}

std::vector<std::string> TRoomList::FillChoiceList(int32_t zone) const {
  std::vector<std::string> list;
  for (const auto& r : m_items)
    if (zone == 0 || r->Zone == zone)
      list.push_back(IntText(r->Vnum) + "=" + NodeCaption(r->Vnum, r->Name));
  list.push_back("-1=" + W("Не выбран"));
  return list;
}

}  // namespace zm
