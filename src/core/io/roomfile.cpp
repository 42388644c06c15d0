// The room file: the format definition of rooms.
#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/mapfile.h"
#include "io/recordformat.h"
#include "model/world.h"

namespace zm {
namespace fs = std::filesystem;

// ---- Reading ----

namespace {

int32_t IntField(std::string& line) {
  int32_t v;
  if (!ParseInt(NextWord(line, kBlanks), v)) throw ParseError();
  return v;
}

class RoomFileReader {
 public:
  RoomFileReader(World& w, WorldBuffer& buf, FileNote& note)
      : m_w(w), m_buf(buf), m_note(note), m_passed(note), m_seen(note) {}

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
    m_seen.Record(vnum, m_buf.Line(), m_w.Rooms.Find(vnum) != nullptr);
    while (!m_buf.BufferEof() && (m_buf.Peek() == '\r' || m_buf.Peek() == '\n'))
      m_buf.ReadBufferLine();
    std::string name = Need();
    TRoom& room = Start(vnum, TildeLine(std::move(name), m_note, m_buf.Line()));

    ReadTildeText(room.Description);
    std::string line = Need();
    // The zone number: the vnum says it; another one is kept as written.
    int32_t zone;
    if (!ParseInt(NextWord(line, kBlanks), zone)) throw ParseError();
    room.ZoneInFile.reset();
    if (zone != room.Zone) room.ZoneInFile = zone;
    room.Flags = BitVectorFromText(NextWord(line, kBlanks));
    int32_t sector;
    if (!ParseInt(Trim(line), sector)) throw ParseError();
    room.Sector = Narrow<int16_t>(sector);

    line = Need();
    m_exitsRead = {};
    while (!line.empty() && line[0] == 'D') {
      ReadExit(room, line);
      line = Need();
    }
    while (!line.empty() && line[0] == 'E') {
      TExtraDesc* ed = room.ExtraDescs.Add({});
      ed->Keywords = TildeLine(Need(), m_note, m_buf.Line());
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
      ingr.Power = Narrow<int16_t>(power);
      ingr.Chance = Narrow<int16_t>(chance);
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
    TRoom* room = m_w.Rooms.Find(vnum);
    if (!room) {
      auto fresh = std::make_unique<TRoom>(ZoneOf(vnum), vnum);
      fresh->Name = std::move(name);
      return *m_w.Rooms.Add(std::move(fresh));
    }
    room->Name = std::move(name);
    m_w.Rooms.Renamed(*room);
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
    e.Keywords = TildeLine(Need(), m_note, m_buf.Line());
    std::string nums = Need();
    e.DoorFlags = Narrow<uint8_t>(IntField(nums));
    e.Key = IntField(nums);
    e.ToRoom = IntField(nums);
    e.ToNowhere = e.ToRoom < 0;
    e.ExitExtra = Trim(nums);
    if (dir < 0) {
      m_note.Skip(m_buf.Line());
      return;
    }
    // A second exit of one direction replaces the first, as in the game;
    // the first is not written back.
    if (m_exitsRead[static_cast<size_t>(dir)]) m_note.Skip(m_buf.Line());
    m_exitsRead[static_cast<size_t>(dir)] = true;
    room.Exits[static_cast<size_t>(dir)] = std::move(e);
  }

  World& m_w;
  WorldBuffer& m_buf;
  FileNote& m_note;
  PassedLines m_passed;
  std::array<bool, kDirections> m_exitsRead{};  // of the room being read
  RecordsSeen m_seen;
  size_t m_lineStart = 0;
  int m_lineNo = 0;
};

bool ReadRooms(World& w, WorldBuffer& buf, FileNote& note, const fs::path&) {
  RoomFileReader(w, buf, note).ReadAll();
  return true;
}

}  // namespace

// ---- Writing ----

namespace {

// A "~" at a line end inside a tilde text would end the text there on reading.
bool TildeTextSafe(std::string_view s) {
  for (size_t i = 0; i + 1 < s.size(); ++i)
    if (s[i] == '~' && (s[i + 1] == '\r' || s[i + 1] == '\n')) return false;
  return true;
}

// Whether the room can be written so that it reads back as it is; texts typed
// in the editor could otherwise break the layout of the whole file.
bool Writable(const TRoom& r) {
  if (HasBreak(r.Name) || !TildeTextSafe(r.Description)) return false;
  if (r.Flags.find_first_of(" \t\r\n") != std::string::npos) return false;
  for (const auto& e : r.Exits)
    if (ExitWritten(e) &&
        (!TildeTextSafe(e.Description) || HasBreak(e.Keywords) || HasBreak(e.ExitExtra)))
      return false;
  for (const auto& ed : r.ExtraDescs)
    if (HasBreak(ed->Keywords) || !TildeTextSafe(ed->Description)) return false;
  for (const auto& i : r.Ingredients)
    if (HasBreak(i->Name) || i->Name.find(',') != std::string::npos) return false;
  return true;
}

bool WriteRoom(const World&, const TMUDClass& rec, std::vector<std::string>& lines) {
  const TRoom& r = static_cast<const TRoom&>(rec);
  if (!Writable(r)) return false;
  lines.push_back("#" + IntText(r.Vnum));
  lines.push_back(r.Name + "~");
  AddTilded(lines, r.Description);
  lines.push_back(IntText(r.ZoneInFile.value_or(r.Zone)) + " " + BitVectorText(r.Flags) + " " +
                  IntText(r.Sector));
  for (int d = 0; d < kDirections; ++d) {
    const TRoomExit& e = r.Exits[static_cast<size_t>(d)];
    if (!ExitWritten(e)) continue;
    lines.push_back("D" + IntText(d));
    AddTilded(lines, e.Description);
    lines.push_back(e.Keywords + "~");
    std::string nums = IntText(e.DoorFlags) + " " + IntText(e.Key) + " " + IntText(e.ToRoom);
    if (!e.ExitExtra.empty()) nums += " " + e.ExitExtra;
    lines.push_back(std::move(nums));
  }
  for (const auto& ed : r.ExtraDescs) {
    lines.push_back("E");
    lines.push_back(ed->Keywords + "~");
    AddTilded(lines, ed->Description);
  }
  lines.push_back("S");
  for (const auto& t : r.Triggers) lines.push_back("T " + IntText(t->ID));
  for (const auto& i : r.Ingredients)
    lines.push_back("I " + i->Name + "," + IntText(i->Power) + ":" + IntText(i->Chance));
  return true;
}

}  // namespace

const RecordFormat kRoomFormat{
    .Kind = kRoom,
    .LoadError = ErrorMsg::RoomLoad,
    .SaveError = ErrorMsg::RoomSave,
    .Setting = &TZone::RoomFilename,
    .BadRecord = "ошибка в комнате ",
    .RecordVnum = PlainRecordVnum,
    .Read = ReadRooms,
    .Header = "* Korvask room file v1.0",
    .Trailer = {"$", "$"},
    .Write = WriteRoom,
    .Companion = &TZone::ZoneMapFilename,
};

}  // namespace zm
