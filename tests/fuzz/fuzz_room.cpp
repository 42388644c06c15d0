// The room reader over arbitrary bytes: it must end, whatever it read must be
// writable, and writing, reading and writing again must change nothing.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/coding.h"
#include "common/reporter.h"
#include "common/savelines.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace {

using namespace zm;

std::string Saved(const World& w, int32_t zone) {
  std::vector<std::string> lines;
  // Anything read must be writable: a refusal here is a reader/writer mismatch.
  if (BuildRecordLines(w, kRoom, zone, lines) || lines.empty()) std::abort();
  return JoinLines(lines, {kCodingWin, kBreakLF});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilentReporter rep;
  World w(rep);
  LoadRecordBytes(w, kRoom, std::string(reinterpret_cast<const char*>(data), size), "f.wld");
  for (const auto& r : w.Rooms) (void)JoinDescription(SplitDescription(r->Description));
  if (w.Rooms.Count() == 0) return 0;
  int32_t zone = w.Rooms.Items(0)->Zone;
  std::string first = Saved(w, zone);
  // Text that detects as KOI8-R would be read back converted.
  if (DetectCodingOf(first, true).Coding == kCodingKoi) return 0;

  World again(rep);
  if (!LoadRecordBytes(again, kRoom, first, "g.wld")) std::abort();
  if (Saved(again, zone) != first) std::abort();
  return 0;
}
