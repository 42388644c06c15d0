// Both passes over a zone file with arbitrary bytes: they must end, and a
// file they took in whole must come back the same from the writer's output.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "io/zonefile.h"
#include "roundtrip.h"

namespace {

using namespace zm;

// Rooms 3000-3003 and 3100 (3001 has doors north and up, 3002 an exit
// without a door), objects 3010-3012, mobiles 3020-3022.
void MakeWorld(World& w) {
  for (int32_t v : {3000, 3001, 3002, 3003, 3100}) {
    auto r = std::make_unique<TRoom>(ZoneOf(v), v);
    r->Name = "room " + std::to_string(v);
    w.Rooms.Append(std::move(r));
  }
  TRoom* r = w.Rooms.Find(3001);
  // Field by field: g++ warns of the fields a designated initializer leaves out.
  r->Exits[kNorth].DoorFlags = 1;
  r->Exits[kNorth].ToRoom = 3000;
  r->Exits[kUp].DoorFlags = 2;
  r->Exits[kUp].ToRoom = 3002;
  w.Rooms.Find(3002)->Exits[kDown].ToRoom = 3001;
  for (int32_t v : {3010, 3011, 3012}) {
    auto o = std::make_unique<TObj>(ZoneOf(v), v);
    o->Names[0] = "obj " + std::to_string(v);
    w.Objs.Append(std::move(o));
  }
  for (int32_t v : {3020, 3021, 3022}) {
    auto m = std::make_unique<TMob>(ZoneOf(v), v);
    m->Names[0] = "mob " + std::to_string(v);
    w.Mobs.Append(std::move(m));
  }
}

// Both passes over the bytes, against the world above, in the order of a
// world's load.
class ZoneReading {
 public:
  explicit ZoneReading(const std::string& bytes)
      : m_z(*m_w.Zones.Append(std::make_unique<TZone>())) {
    MakeWorld(m_w);
    m_ok = ReadZoneHeaderBytes(m_w, m_z, bytes, kPath);
    m_w.RegisterZone(m_z);
    MarkDoorsWithoutReset(m_w);
    m_ok = ReadZoneCommandsBytes(m_w, m_z, bytes, kPath) && m_ok;
    SettleCommandMaxima(m_w);
    fuzz::AskAbout(m_w);
  }
  bool Whole() const {
    const FileNote* n = m_w.Files.Find(kPath);
    return m_ok && n && !n->LossyFor(m_z.Vnum) && m_z.DroppedCommands == 0;
  }
  std::optional<std::string> Write() const {
    std::vector<std::string> lines;
    try {
      BuildZoneLines(m_w, m_z, lines);
    } catch (const std::exception&) {
      return std::nullopt;
    }
    return JoinLines(lines, m_z.ZoneFilename.Word());
  }
  uint8_t Coding() const { return m_z.ZoneFilename.Coding; }

 private:
  static constexpr const char* kPath = "fuzz.zon";
  SilentReporter m_rep;
  World m_w{m_rep};
  TZone& m_z;
  bool m_ok = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::CheckRoundTrip<ZoneReading>(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
