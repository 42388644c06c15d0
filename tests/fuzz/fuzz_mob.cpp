// The mobile reader over arbitrary bytes: it must end, and what it read must
// come back the same from its own output.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/reporter.h"
#include "common/savelines.h"
#include "io/recordfile.h"
#include "model/world.h"

namespace {

using namespace zm;

// Every zone's file, in the order the zones first appear.
std::string SaveAll(const World& w) {
  std::vector<int32_t> zones;
  for (const auto& m : w.Mobs)
    if (std::find(zones.begin(), zones.end(), m->Zone) == zones.end()) zones.push_back(m->Zone);
  std::string all;
  std::vector<std::string> lines;
  for (int32_t z : zones) {
    if (BuildRecordLines(w, kMobile, z, lines)) std::abort();
    all += JoinLines(lines, {kCodingWin, kBreakLF});
  }
  return all;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string bytes(reinterpret_cast<const char*>(data), size);
  SilentReporter rep;
  World w(rep);
  (void)LoadRecordBytes(w, kMobile, bytes, "fuzz.mob");

  // Bytes without the high bit keep the coding undetermined, so the second
  // read sees exactly the text the first one produced.
  for (char& c : bytes) c &= 0x7F;
  World first(rep);
  (void)LoadRecordBytes(first, kMobile, bytes, "fuzz.mob");
  std::string once = SaveAll(first);
  World second(rep);
  if (!LoadRecordBytes(second, kMobile, once, "fuzz.mob")) std::abort();
  if (SaveAll(second) != once) std::abort();
  return 0;
}
