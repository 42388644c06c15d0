#include "io/mapfile.h"

#include <array>
#include <set>

#include "common/winutf8.h"
#include "common/worldbuffer.h"
#include "io/linesource.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace zm {
namespace fs = std::filesystem;

namespace {

bool AllUpper(const std::string& s) {
  bool letter = false;
  for (char c : s) {
    if (c >= 'a' && c <= 'z') return false;
    if (c >= 'A' && c <= 'Z') letter = true;
  }
  return letter;
}

bool IsPlaced(const TRoom& r) {
  return r.MapX != -1 || r.MapY != -1 || r.MapZ != -1;
}

int32_t NumberField(std::string& line) {
  int32_t v;
  if (!ParseInt(NextWord(line, kBlanks), v)) throw ParseError();
  return v;
}

}  // namespace

fs::path RoomMapPath(const fs::path& roomPath) {
  fs::path wanted = roomPath;
  wanted.replace_extension(AllUpper(roomPath.extension().string()) ? ".MAP" : ".map");
  std::error_code ec;
  if (fs::exists(wanted, ec)) return wanted;
  fs::path dir = roomPath.parent_path();
  fs::directory_iterator it(dir.empty() ? fs::path(".") : dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    const fs::path name = it->path().filename();
    if (name.stem() == roomPath.stem() && WinEqualNoCase(name.extension().string(), ".map"))
      return dir / name;
  }
  return wanted;
}

void ParseRoomMap(TRoomList& rooms, WorldBuffer& buf, FileNote* note) {
  auto skip = [&] {
    if (note) note->Skip(buf.Line());
  };
  std::set<std::array<int32_t, 4>> taken;  // zone and cell
  while (!buf.BufferEof()) {
    std::string line = buf.ReadBufferLine();
    TRoom* room = rooms.Find(NumberField(line));
    // A line of a room the world does not have is not written back.
    if (!room) {
      skip();
      continue;
    }
    int32_t x = NumberField(line);
    int32_t y = NumberField(line);
    int32_t z = NumberField(line);
    // Positions are signed bytes; a wider one, or more on the line, would
    // not come back.
    auto fits = [](int32_t v) { return v >= INT8_MIN && v <= INT8_MAX; };
    if (!fits(x) || !fits(y) || !fits(z)) {
      skip();
      continue;
    }
    if (!IsBlankLine(line)) skip();
    // The map shows one room a cell, and only cells of its grid: a room
    // placed elsewhere is shown unplaced and would be saved so.
    const bool placed = !(x == -1 && y == -1 && z == -1);
    if (placed && (!OnMapGrid(x, y, z) || !taken.insert({room->Zone, x, y, z}).second)) {
      skip();
      continue;
    }
    room->MapX = static_cast<int8_t>(x);
    room->MapY = static_cast<int8_t>(y);
    room->MapZ = static_cast<int8_t>(z);
  }
}

namespace {

// A failure is noted: the positions after the failing line would be lost by
// the next save.
bool ReadMap(World& w, const fs::path& mapPath, std::string* bytes) {
  return ReadWorldFile(w, mapPath, bytes, {ErrorMsg::MapLoad},
                       [&](WorldBuffer& buf, FileNote* note) {
                         buf.SetCoding(buf.DetectCoding().Coding);
                         buf.ResetWorldBuffer();
                         ParseRoomMap(w.Rooms, buf, note);
                         return true;
                       });
}

}  // namespace

bool LoadRoomMap(World& w, const fs::path& mapPath) {
  std::error_code ec;
  auto st = fs::status(mapPath, ec);
  if (st.type() == fs::file_type::not_found && !w.CopyOf(mapPath)) {
    // One that appears later is someone else's.
    w.Stamps.NoteAbsent(mapPath);
    return true;
  }
  return ReadMap(w, mapPath, nullptr);
}

bool LoadRoomMapBytes(World& w, std::string bytes, const fs::path& mapPath) {
  return ReadMap(w, mapPath, &bytes);
}

void BuildRoomMapLines(const World& w, int32_t zone, std::vector<std::string>& lines,
                       std::optional<uint16_t> file) {
  lines.clear();
  const TZone* z = w.Zones.ByNumber(zone);
  const TFileSetting* setting = z ? &z->RoomFilename : nullptr;
  for (const TRoom* r : w.Rooms.InZone(zone))
    if (InFile(*r, setting, file))
      lines.push_back(IntText(r->Vnum) + " " + IntText(r->MapX) + " " + IntText(r->MapY) + " " +
                      IntText(r->MapZ));
}

std::optional<CodingWord> RoomMapWord(const World& w, int32_t zone, const fs::path& roomPath,
                                      std::optional<uint16_t> file) {
  const TZone* z = w.Zones.ByNumber(zone);
  bool placed = false;
  for (const TRoom* r : w.Rooms.InZone(zone))
    if (IsPlaced(*r) && InFile(*r, z ? &z->RoomFilename : nullptr, file)) placed = true;
  std::error_code ec;
  if (!placed && !fs::exists(RoomMapPath(roomPath), ec)) return std::nullopt;
  // Plain digits: no code-page conversion, only the stored line break.
  CodingWord cw{kCodingWin, kBreakCRLF};
  // The map of one of the zone's further room files breaks its lines as
  // that file does.
  if (z && file && *file > 0 && *file <= z->RoomFilename.Others.size())
    cw.LineBreak = z->RoomFilename.Others[*file - 1].LineBreak;
  else if (z)
    cw.LineBreak = z->ZoneMapFilename.LineBreak;
  return cw;
}

bool SaveRoomMap(World& w, int32_t zone, const fs::path& roomPath, std::optional<uint16_t> file) {
  const std::optional<CodingWord> cw = RoomMapWord(w, zone, roomPath, file);
  if (!cw) return true;
  std::vector<std::string> lines;
  BuildRoomMapLines(w, zone, lines, file);
  return WriteWorldFile(w, ErrorMsg::MapSave, zone, RoomMapPath(roomPath), lines, *cw);
}

}  // namespace zm
