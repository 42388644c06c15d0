// The trigger reader over arbitrary bytes: it must end, and whatever it read
// must be written so that reading and writing it again changes nothing.
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
  if (BuildRecordLines(w, kTrigger, zone, lines)) return {};
  return JoinLines(lines, {kCodingWin, kBreakLF});
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SilentReporter rep;
  World w(rep);
  LoadRecordBytes(w, kTrigger, std::string(reinterpret_cast<const char*>(data), size), "f.trg");
  if (w.Triggers.Count() == 0) return 0;
  int32_t zone = w.Triggers.Items(0)->Zone;
  std::string first = Saved(w, zone);
  // Text that reads as KOI8-R would be converted on the second read; the
  // check is about the layout, not the code page guess.
  if (first.empty() || DetectCodingOf(first, true).Coding == kCodingKoi) return 0;

  World again(rep);
  if (!LoadRecordBytes(again, kTrigger, first, "g.trg")) std::abort();
  if (Saved(again, zone) != first) std::abort();
  return 0;
}
