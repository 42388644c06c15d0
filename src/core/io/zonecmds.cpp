// The command pass over a zone file: the reset commands are not kept as a
// list but distributed onto room contents, prototypes and the zone's own two
// lists, from which the writer regenerates them.
#include <cstdint>
#include <set>

#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/recordfile.h"
#include "io/zonefile.h"
#include "io/zonefile_internal.h"

namespace zm {
namespace fs = std::filesystem;
using namespace zonefile;

namespace {

char AsciiUpper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsCommandLetter(char c) {
  return std::string_view("MOPGEFDQRT").find(c) != std::string_view::npos;
}

std::string LeftTrim(std::string s) {
  size_t i = s.find_first_not_of(kBlanks);
  s.erase(0, i == std::string::npos ? s.size() : i);
  return s;
}

bool EndsSection(const std::string& line) {
  return line.empty() || Trim(line) == "S";
}

// Values that the records cannot hold as read would come back changed.
bool FitsCond(int32_t v) {
  return v >= 0 && v <= 255;
}
// A chance of -1 stays -1: the game's files have it, and a 100 written in
// its place would be a change nobody made.
bool FitsChance(int32_t v) {
  return v >= INT16_MIN && v <= INT16_MAX;
}

TLinkObj Link(int32_t cond, int32_t vnum, int32_t chance, uint8_t wearPos) {
  TLinkObj l;
  l.Cond = static_cast<uint8_t>(cond);
  l.ID = vnum;
  l.Chance = static_cast<int16_t>(chance);
  l.WearPos = wearPos;
  return l;
}

class CommandPass {
 public:
  CommandPass(World& w, TZone& z, WorldBuffer& buf) : m_w(w), m_z(z), m_buf(buf) {}

  // Throws ParseError (or FileError) at the first line it cannot read.
  void Run() {
    m_buf.SetCoding(m_z.ZoneFilename.Coding);
    m_buf.ResetWorldBuffer();
    m_z.Clear();
    if (!SeekRecordStart()) throw ParseError();
    m_buf.Skip();
    std::string numberLine = m_buf.ReadBufferWord(kLineEnds);
    m_z.Zone = m_z.Vnum = ZoneNumber(NextWord(numberLine, kBlanks));
    // Nothing after the number is written back.
    if (!IsBlankLine(numberLine)) {
      m_line = m_buf.Line();
      Drop();
    }
    m_z.Name = NameFromLine(ReadLineOrFail(m_buf));
    m_named = true;
    NumbersLine(HeaderLines());

    m_anchor = &m_z.KeptCommands;
    std::string raw = m_buf.ReadBufferLine();
    std::string line = LeftTrim(raw);
    while (!EndsSection(line)) {
      m_line = m_buf.Line();
      m_rest = line;
      char letter = AsciiUpper(NextWord(m_rest, kBlanks)[0]);
      if (letter == '*') {
        m_anchor->push_back(raw);  // a comment stays where it stood
      } else if (letter != '$') {
        ++m_z.CommandsRead;
        m_nowhere = m_mobOrRoom = false;
        const bool taken = IsCommandLetter(letter) && Command(letter);
        if (taken) {
          m_chain = m_chainFromMob = false;
        } else {
          Keep(raw, letter);
          Kept.push_back({m_before, line, m_line});
        }
        // A T line taken in is written with its owner, not here.
        if (!taken || letter != 'T') m_before = line;
      }
      if (m_buf.BufferEof()) break;
      raw = m_buf.ReadBufferLine();
      line = LeftTrim(raw);
    }
    CountLinesLeft();
    m_buf.SetLine(kLineClosed);
  }

  bool Named() const { return m_named; }

  // A kept line and the command line before it, as the file had them.
  struct KeptPlace {
    std::string before, line;
    int lineNo;
  };
  std::vector<KeptPlace> Kept;

  // The letter and the first three fields: enough to tell a command line,
  // whatever its comment and the numbers the writer settles.
  static std::string CommandKey(std::string line) {
    std::string key;
    for (int i = 0; i < 4; ++i) {
      std::string t = NextWord(line, kBlanks);
      if (t.empty() || t[0] == '(') break;
      key += (i ? " " : "") + t;
    }
    return key;
  }

  // Whether the writer puts each kept line after the command it followed;
  // one that would move among the commands the writer groups room by room
  // is counted lost.
  void CheckKeptPlaces(const World& w) {
    // Most zone files keep no line: their load builds no file to compare.
    if (Kept.empty()) return;
    std::vector<std::string> lines;
    BuildZoneLines(w, m_z, lines);
    // The kept line itself, by its text: a command the writer builds can
    // share its key ("D 0 3001 4 0 -1" beside a kept "D 0 3001 4 309").
    std::vector<std::string> texts, keys;
    for (size_t i = 4 + m_z.HeaderLines.size(); i < lines.size() && lines[i] != "S"; ++i) {
      if (Trim(lines[i]).rfind('*', 0) == 0) continue;
      texts.push_back(LeftTrim(lines[i]));
      keys.push_back(CommandKey(lines[i]));
    }
    std::vector<bool> used(keys.size());
    for (const KeptPlace& k : Kept) {
      const std::string before = CommandKey(k.before);
      size_t at = 0;
      while (at < keys.size() && (used[at] || texts[at] != k.line ||
                                  (at == 0 ? std::string() : keys[at - 1]) != before))
        ++at;
      if (at < keys.size()) {
        used[at] = true;
      } else {
        m_line = k.lineNo;
        Drop();
      }
    }
  }

  // A line not taken in stays after the command taken in before it. A P, G
  // or E line that found no room, object or mobile would find one there when
  // the file is read again, unless it follows a kept M or O that left no
  // room, as it does here; so would T and F lines. Such lines go to the top
  // of the section, where nothing comes before them. Those that no place
  // would take in stay where they are, and so do mobile and room T lines
  // after a kept M (which leaves no mobile and no room until a command is
  // taken in).
  void Keep(const std::string& raw, char letter) {
    bool needsRoom = letter == 'P' || letter == 'G' || letter == 'E';
    bool stays =
        (needsRoom && m_chain) || m_nowhere || (letter == 'T' && m_chainFromMob && m_mobOrRoom);
    if (letter == 'T' || letter == 'F' || needsRoom)
      (stays ? *m_anchor : m_z.KeptCommands).push_back(raw);
    else
      m_anchor->push_back(raw);
    if (letter == 'M' || letter == 'O') {
      m_chain = m_room == -1;
      m_chainFromMob = m_chain && letter == 'M';
    }
  }
  // The line that stopped the pass, and everything after it, is lost.
  void DropFailedLine() {
    m_line = m_buf.Line();
    Drop();
  }

 private:
  // SeekRecordStart passes over whole lines without counting them.
  bool SeekRecordStart() {
    size_t from = m_buf.Pos();
    bool found = m_buf.SeekRecordStart();
    std::string_view passed = m_buf.Data().substr(from, m_buf.Pos() - from);
    int lines = 0;
    for (size_t i = 0; i < passed.size(); ++i)
      if (passed[i] == '\n' ||
          (passed[i] == '\r' && (i + 1 == passed.size() || passed[i + 1] != '\n')))
        ++lines;
    m_buf.SetLine(m_buf.Line() + lines);
    return found;
  }

  int32_t Field() {
    int32_t v;
    if (!ParseInt(NextWord(m_rest, kBlanks), v)) throw ParseError();
    return v;
  }

  static bool LooksNumeric(std::string_view t) {
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
    return !t.empty() && t.find_first_not_of("0123456789") == std::string_view::npos;
  }

  // After the fields a command was read with stand the numbers the writer
  // writes there (`expected`, or fewer of them, as some files have it), then
  // the comment it rebuilds. Any other number would not come back, so such
  // a line is kept as written.
  bool TailFits(std::initializer_list<std::string_view> expected) const {
    std::string rest = m_rest;
    auto want = expected.begin();
    for (std::string t = NextWord(rest, kBlanks); LooksNumeric(t); t = NextWord(rest, kBlanks)) {
      if (want == expected.end() || t != *want) return false;
      ++want;
    }
    return true;
  }

  // The lines between the name and the numbers line that a running game's
  // file has: its "#" type line and its "^" author and "&" description
  // texts, which run to a line ending with "~". Returns the line after them.
  std::string HeaderLines() {
    std::string line = ReadLineOrFail(m_buf);
    while (!line.empty() && (line[0] == '#' || line[0] == '^' || line[0] == '&')) {
      bool text = line[0] != '#';
      m_z.HeaderLines.push_back(line);
      while (text && !ClosesTilde(line)) {
        line = ReadLineOrFail(m_buf);
        m_z.HeaderLines.push_back(line);
      }
      line = ReadLineOrFail(m_buf);
    }
    return line;
  }

  // The top vnum, ResetTime and ResetMode; what follows them is kept as
  // written, and so is a top other than the zone's own. A top that is no
  // number is lost (written back it could read as a header line).
  void NumbersLine(std::string line) {
    m_rest = std::move(line);
    std::string top = NextWord(m_rest, kBlanks);
    int32_t n;
    if (!ParseInt(top, n)) {
      m_line = m_buf.Line();
      Drop();
    } else if (top != IntText(int64_t{m_z.Vnum} * 100 + 99)) {
      m_z.TopInFile = std::move(top);
    }
    m_z.ResetTime = Field();
    size_t end = m_rest.find_first_of(kBlanks);
    std::string mode = m_rest.substr(0, end);
    if (!ParseInt(mode, m_z.ResetMode)) throw ParseError();
    m_z.NumbersTail = end == std::string::npos ? std::string() : m_rest.substr(end);
  }

  void Drop() {
    ++m_z.DroppedCommands;
    if (m_z.FirstDroppedLine <= 0 && m_line > 0) m_z.FirstDroppedLine = m_line;
  }

  // Commands after an empty line are ignored, like everything after the
  // section; they still count as lost. The "$" line ends the file.
  void CountLinesLeft() {
    while (!m_buf.BufferEof()) {
      std::string rest = m_buf.ReadBufferLine();
      std::string word = NextWord(rest, kBlanks);
      if (word == "$") break;
      if (!word.empty() && IsCommandLetter(AsciiUpper(word[0]))) {
        m_line = m_buf.Line();
        Drop();
      }
    }
  }

  TRoom* CurrentRoom() const { return m_w.Rooms.Items(m_room); }

  // Only this zone's rooms take commands in. A line naming another zone's
  // room is kept as written, so that it is saved with the file it came
  // from: taken in, it would be written into that zone's file, or nowhere
  // when that zone's file did not load.
  int OwnRoomIndex(int32_t vnum) const {
    const int i = m_w.Rooms.IndexOfVnum(vnum);
    const TRoom* r = m_w.Rooms.Items(i);
    return r && r->Zone == m_z.Vnum ? i : -1;
  }
  TRoom* OwnRoom(int32_t vnum) const { return m_w.Rooms.Items(OwnRoomIndex(vnum)); }

  // False when the line is not taken in.
  bool Command(char letter) {
    switch (letter) {
      case 'M':
        return Mobile();
      case 'O':
        return Object();
      case 'P':
        return Put();
      case 'G':
        return Give(false);
      case 'E':
        return Give(true);
      case 'F':
        return Follow();
      case 'D':
        return Door();
      case 'Q':
        return RemoveMobile();
      case 'R':
        return RemoveObject();
      default:
        return Trigger();
    }
  }

  bool Mobile() {
    int32_t cond = Field(), vnum = Field(), max = Field(), roomVnum = Field();
    int32_t inRoom = max;
    std::string fifth = NextWord(m_rest, kBlanks);
    const bool fifthFits = !LooksNumeric(fifth) || ParseInt(fifth, inRoom);
    if (!LooksNumeric(fifth)) m_rest = fifth + " " + m_rest;  // the comment
    m_room = OwnRoomIndex(roomVnum);
    // A trigger line after a lost mobile must not land on an earlier one.
    m_mob = -1;
    TRoom* room = CurrentRoom();
    if (!room || !FitsCond(cond) || !fifthFits || !TailFits({})) {
      m_room = -1;
      return false;
    }
    TRoomMob rm;
    rm.Cond = static_cast<uint8_t>(cond);
    rm.ID = vnum;
    rm.Leader = -1;
    rm.MaxInRoom = inRoom;
    rm.OwnMax = max;
    m_anchor = &room->Mobs.Add(std::move(rm))->KeptCommands;
    m_mob = m_w.Mobs.IndexOfVnum(vnum);
    if (TMob* m = m_w.Mobs.Items(m_mob)) m->MaxInWorld = max;
    return true;
  }

  bool Object() {
    int32_t cond = Field(), vnum = Field(), max = Field(), roomVnum = Field(), chance = Field();
    m_obj = m_w.Objs.IndexOfVnum(vnum);
    if (TObj* o = m_w.Objs.Items(m_obj)) o->MaxInWorld = max;
    if (roomVnum >= 0) m_room = OwnRoomIndex(roomVnum);
    // Only -1 stands for no room; another number below 0 would come back -1.
    if (!FitsCond(cond) || !FitsChance(chance) || !TailFits({}) || roomVnum < -1) {
      m_obj = -1;
      if (roomVnum >= 0) m_room = -1;
      return false;
    }
    if (roomVnum < 0) {
      m_z.CreatedObjects.Add(Link(cond, vnum, chance, 255))->OwnMax = max;
      m_anchor = &m_z.KeptAfterZoneWide;
      return true;
    }
    TRoom* room = CurrentRoom();
    if (!room) {
      m_obj = -1;
      return false;
    }
    TRoomObj ro;
    ro.Cond = static_cast<uint8_t>(cond);
    ro.ID = vnum;
    ro.Chance = static_cast<int16_t>(chance);
    ro.OwnMax = max;
    m_anchor = &room->Objects.Add(std::move(ro))->KeptCommands;
    return true;
  }

  // Into the last object of the current room, whatever container it names.
  bool Put() {
    int32_t cond = Field(), vnum = Field(), max = Field();
    int32_t container = Field();
    TRoom* room = CurrentRoom();
    // A trigger line after a lost object must not land on an earlier one.
    m_obj = -1;
    if (!room || room->Objects.Empty()) return false;
    int32_t chance = Field();
    if (!FitsCond(cond) || !FitsChance(chance) || !TailFits({})) return false;
    TRoomObj* in = room->Objects.Items(room->Objects.Count() - 1);
    TLinkObj* l = in->Contents.Add(Link(cond, vnum, chance, 255));
    l->OwnMax = max;
    // A container other than the room object (one put inside another) is
    // written back as the file named it.
    if (container != in->ID) l->Container = container;
    m_anchor = &in->KeptCommands;
    m_obj = m_w.Objs.IndexOfVnum(vnum);
    if (TObj* o = m_w.Objs.Items(m_obj)) o->MaxInWorld = max;
    return true;
  }

  // G and E: to the last mobile of the current room.
  bool Give(bool equip) {
    int32_t cond = Field(), vnum = Field(), max = Field();
    TRoom* room = CurrentRoom();
    m_obj = -1;
    if (!room || room->Mobs.Empty()) return false;
    int32_t wear = equip ? Field() : 255;
    int32_t chance = Field();
    bool fifth = false;
    if (!equip) {
      // A running game writes G as "G c v max -1 chance"; the designed layout
      // puts the chance fourth and -1 fifth. With both places taken the
      // line is not understood and is kept as written.
      std::string rest = m_rest;
      std::string next = NextWord(rest, kBlanks);
      int32_t v;
      if (ParseInt(next, v) && (chance == -1 || v != -1)) {
        if (chance != -1) return false;
        chance = v;
        fifth = true;
        m_rest = rest;
      } else if (ParseInt(next, v) && v == -1) {
        m_rest = rest;
      }
    }
    // Worn at 255 would be written back as given.
    if (!FitsCond(cond) || !FitsChance(chance) || wear < 0 || wear > (equip ? 254 : 255) ||
        !TailFits({}))
      return false;
    TRoomMob* mob = room->Mobs.Items(room->Mobs.Count() - 1);
    TLinkObj* l = mob->Inventory.Add(Link(cond, vnum, chance, static_cast<uint8_t>(wear)));
    l->OwnMax = max;
    l->ChanceFifth = fifth;
    m_anchor = &mob->KeptCommands;
    m_obj = m_w.Objs.IndexOfVnum(vnum);
    if (TObj* o = m_w.Objs.Items(m_obj)) o->MaxInWorld = max;
    return true;
  }

  bool Follow() {
    int32_t zero = Field(), roomVnum = Field(), leader = Field(), follower = Field();
    TRoom* room = OwnRoom(roomVnum);
    m_nowhere = !room || zero != 0 || !TailFits({"-1"});
    if (m_nowhere) return false;
    TRoomMob* m = room->Mobs.Items(room->Mobs.IndexOfID(follower));
    if (!m || leader == -1) return false;
    m->Leader = leader;
    m_anchor = &m->KeptCommands;
    return true;
  }

  bool Door() {
    int32_t zero = Field(), roomVnum = Field(), dir = Field(), state = Field();
    TRoom* room = OwnRoom(roomVnum);
    if (!room || dir < 0 || dir >= kDirections || state < 0 || state > 255 || zero != 0 ||
        !TailFits({"-1"}))
      return false;
    TRoomExit& e = room->Exits[static_cast<size_t>(dir)];
    e.DefaultState = static_cast<uint8_t>(state);
    e.WithoutReset = false;
    // Stored, but only an exit with a door is written back from it; the line
    // of any other is kept as written.
    if (!WritesDoor(e)) return false;
    m_anchor = &room->KeptCommands;
    return true;
  }

  bool RemoveMobile() {
    int32_t cond = Field(), vnum = Field();
    if (!FitsCond(cond) || !TailFits({"-1", "-1", "-1"})) return false;
    m_z.RemovedMobs.Add(TCondID{static_cast<uint8_t>(cond), vnum});
    m_anchor = &m_z.KeptAfterZoneWide;
    return true;
  }

  bool RemoveObject() {
    int32_t cond = Field(), roomVnum = Field(), vnum = Field();
    TRoom* room = OwnRoom(roomVnum);
    if (!room || !FitsCond(cond) || !TailFits({"-1", "-1"})) return false;
    room->RemovedObjects.Add(TCondID{static_cast<uint8_t>(cond), vnum});
    m_anchor = &room->KeptCommands;
    return true;
  }

  // The zone writer writes no T lines: what they attach is saved with the
  // owner's own file, so the owner's file is marked as needed. A trigger the
  // owner already has is not attached twice, or every save of the owner's
  // file alone would add one more.
  bool Trigger() {
    int32_t cond = Field(), type = Field(), vnum = Field();
    m_mobOrRoom = type == 0 || type == 2;
    // The owners' files have no place for a condition: such a line stays.
    m_nowhere = cond != 0 || !TailFits({}) || type < 0 || type > 2;
    if (m_nowhere) return false;
    switch (type) {
      case 0: {
        TMob* m = m_w.Mobs.Items(m_mob);
        if (!m) return false;
        if (m->Triggers.IndexOf(vnum) < 0) {
          m->Triggers.Add(vnum);
          m_z.PendingOwnerFiles.insert({m->Zone, kMobile});
        }
        return true;
      }
      case 1: {
        TObj* o = m_w.Objs.Items(m_obj);
        if (!o) return false;
        if (o->Triggers.IndexOf(vnum) < 0) {
          o->Triggers.Add(vnum);
          m_z.PendingOwnerFiles.insert({o->Zone, kObject});
        }
        return true;
      }
      case 2: {
        TRoom* room = CurrentRoom();
        if (!room || !FitsCond(cond)) return false;
        if (room->Triggers.IndexOfID(vnum) < 0) {
          room->Triggers.Add(TCondID{static_cast<uint8_t>(cond), vnum});
          m_z.PendingOwnerFiles.insert({room->Zone, kRoom});
        }
        return true;
      }
      default:
        return false;
    }
  }

  World& m_w;
  TZone& m_z;
  WorldBuffer& m_buf;
  std::string m_rest;  // the fields of the line being handled
  // Where a line that is not taken in goes: after the last command taken in.
  TKeptLines* m_anchor = nullptr;
  std::string m_before;  // the last command line read
  // Since the last command taken in, a kept M or O line has left no room.
  bool m_chain = false;
  bool m_chainFromMob = false;  // and that line was an M
  // The line just read would be taken in nowhere (an F line naming no room
  // of this zone, a T line with a condition or of no known type).
  bool m_nowhere = false;
  bool m_mobOrRoom = false;  // a T line of a mobile or a room
  int m_line = 0;
  bool m_named = false;
  // Indexes into the room, mobile and object lists, -1 when unset.
  int m_room = -1, m_mob = -1, m_obj = -1;
};

// A zone file whose letters do not tell its coding (a Latin name, or one in
// capitals) takes the coding of the first of its siblings whose letters did,
// and so do the siblings that could not tell either.
void AdoptSiblingCoding(const World& w, TZone& z) {
  TFileSetting* siblings[] = {&z.RoomFilename, &z.ObjFilename, &z.MobFilename, &z.ShopFilename,
                              &z.TrigFilename};
  auto decided = [&](const TFileSetting& s) {
    const FileNote* n = w.Files.Find(s.Path);
    return n && n->CodingDecided && s.Coding != kCodingUnknown;
  };
  for (TFileSetting* s : siblings) {
    if (!decided(*s)) continue;
    z.ZoneFilename.Coding = s->Coding;
    for (TFileSetting* other : siblings)
      if (!decided(*other)) other->Coding = s->Coding;
    return;
  }
}

bool RunCommands(World& w, TZone& z, const fs::path& path, std::string* bytes) {
  const int32_t headerNumber = z.Vnum;
  const std::string headerName = z.Name;
  z.CommandsRead = 0;
  z.DroppedCommands = 0;
  z.FirstDroppedLine = 0;
  bool ok =
      ReadWorldFile(w, path, bytes, {ErrorMsg::ZoneLoad}, [&](WorldBuffer& buf, FileNote* note) {
        note->CodingDecided = buf.CodingDecided();
        if (!note->CodingDecided) AdoptSiblingCoding(w, z);
        CommandPass pass(w, z, buf);
        try {
          pass.Run();
          pass.CheckKeptPlaces(w);
          note->Zones.insert(z.Vnum);
        } catch (const std::exception&) {
          // A pass that fails before the name leaves the zone
          // as the header pass made it, not renumbered to 0.
          if (!pass.Named()) {
            z.Zone = z.Vnum = headerNumber;
            z.Name = headerName;
          }
          pass.DropFailedLine();
          note->Skipped = z.DroppedCommands;
          throw;
        }
        note->Skipped = z.DroppedCommands;
        if (note->FirstLine <= 0) note->FirstLine = z.FirstDroppedLine;
        return true;
      });
  if (z.Vnum != headerNumber) w.Zones.VnumsChanged();
  w.ZoneRenamed(z, headerNumber);
  return ok;
}

}  // namespace

namespace {

void Settle(std::optional<int32_t>& own, int32_t prototypeMax) {
  if (own && *own == prototypeMax) own.reset();
}

int32_t ObjMax(const World& w, int32_t vnum) {
  const TObj* o = w.Objs.Find(vnum);
  return o ? o->MaxInWorld : -1;
}

void SettleLinks(const World& w, const TLinkObjList& links) {
  for (const auto& l : links) Settle(l->OwnMax, ObjMax(w, l->ID));
}

}  // namespace

void MarkDoorsWithoutReset(World& w) {
  for (const auto& r : w.Rooms) {
    const TZone* z = w.Zones.ByNumber(r->Zone);
    if (!z || !z->Registered) continue;
    for (auto& e : r->Exits) e.WithoutReset = e.DoorFlags != 0;
  }
}

void SettleZoneMaxima(const World& w, const TZone& z) {
  SettleLinks(w, z.CreatedObjects);
}

void SettleCommandMaxima(World& w) {
  for (const auto& z : w.Zones) SettleZoneMaxima(w, *z);
  for (const auto& r : w.Rooms) {
    for (const auto& o : r->Objects) {
      Settle(o->OwnMax, ObjMax(w, o->ID));
      SettleLinks(w, o->Contents);
    }
    for (const auto& m : r->Mobs) {
      const TMob* proto = w.Mobs.Find(m->ID);
      Settle(m->OwnMax, proto ? proto->MaxInWorld : -1);
      SettleLinks(w, m->Inventory);
    }
  }
}

bool ReadZoneCommands(World& w, TZone& z, const fs::path& path) {
  return RunCommands(w, z, path, nullptr);
}

bool ReadZoneCommandsBytes(World& w, TZone& z, std::string bytes, const fs::path& path) {
  return RunCommands(w, z, path, &bytes);
}

}  // namespace zm
