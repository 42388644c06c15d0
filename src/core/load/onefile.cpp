#include "load/onefile.h"

#include "common/textutil.h"
#include "io/mapfile.h"
#include "io/recordfile.h"
#include "io/zonefile.h"

namespace zm {
namespace fs = std::filesystem;

std::optional<RecordKind> WorldFileKind(const fs::path& path) {
  std::string ext = path.extension().string();
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  static constexpr std::pair<const char*, RecordKind> kExts[] = {
      {".zon", kZone}, {".wld", kRoom},    {".obj", kObject}, {".mob", kMobile},
      {".shp", kShop}, {".trg", kTrigger}, {".map", kZoneMap}};
  for (const auto& [e, kind] : kExts)
    if (ext == e) return kind;
  return std::nullopt;
}

namespace {

void BareRoom(World& w, int32_t vnum) {
  if (w.Rooms.IsFreeVnum(vnum)) w.Rooms.Append(std::make_unique<TRoom>(ZoneOf(vnum), vnum));
}

bool ReadZone(World& w, std::string bytes, const fs::path& path) {
  TZone& z = *w.Zones.Append(std::make_unique<TZone>(0));
  if (!ReadZoneHeaderBytes(w, z, bytes, path)) return false;
  w.Zones.VnumsChanged();
  z.Registered = true;
  for (int32_t i = 0; i < 100; ++i) BareRoom(w, z.Vnum * 100 + i);
  return ReadZoneCommandsBytes(w, z, std::move(bytes), path);
}

// The map reader places known rooms only: the rooms are those its lines name.
bool ReadMap(World& w, std::string bytes, const fs::path& path) {
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find('\n', at);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(at, end - at);
    int32_t vnum;
    if (ParseInt(NextWord(line, " \t\r"), vnum) && vnum >= 0) BareRoom(w, vnum);
    at = end + 1;
  }
  return LoadRoomMapBytes(w, std::move(bytes), path);
}

}  // namespace

bool ReadWorldFileAlone(World& w, RecordKind kind, std::string bytes, const fs::path& path) {
  switch (kind) {
    case kZone:
      return ReadZone(w, std::move(bytes), path);
    case kZoneMap:
      return ReadMap(w, std::move(bytes), path);
    default:
      return LoadRecordBytes(w, kind, std::move(bytes), path);
  }
}

}  // namespace zm
