// The room map reader over arbitrary bytes: it must end, and positions written
// for a zone must read back as they were.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/reporter.h"
#include "common/savelines.h"
#include "common/worldbuffer.h"
#include "io/mapfile.h"
#include "model/world.h"

namespace {

using namespace zm;

void Parse(World& w, std::string bytes) {
  WorldBuffer buf;
  buf.LoadFromBytes(std::move(bytes));
  buf.SetCoding(buf.DetectCoding().Coding);
  try {
    ParseRoomMap(w.Rooms, buf);
  } catch (const ParseError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilentReporter rep;
  World w(rep);
  for (int32_t v : {0, 1, 2, 3001, 3002, -5}) w.Rooms.Add(std::make_unique<TRoom>(ZoneOf(v), v));
  Parse(w, std::string(reinterpret_cast<const char*>(data), size));

  std::vector<std::string> lines;
  BuildRoomMapLines(w, 0, lines);
  World again(rep);
  for (const auto& r : w.Rooms) again.Rooms.Add(std::make_unique<TRoom>(r->Zone, r->Vnum));
  Parse(again, JoinLines(lines, {kCodingWin, kBreakCRLF}));
  for (int i = 0; i < w.Rooms.Count(); ++i) {
    const TRoom& a = *w.Rooms.Items(i);
    const TRoom& b = *again.Rooms.Items(i);
    if (a.Zone == 0 && (a.MapX != b.MapX || a.MapY != b.MapY || a.MapZ != b.MapZ)) std::abort();
  }
  return 0;
}
