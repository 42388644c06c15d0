// One world file read alone, as textconv and diff read it: the first byte
// picks the kind, the rest is the file. It must end, and what it read must
// hold for the writers and the world's questions.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "io/recordfile.h"
#include "io/zonefile.h"
#include "load/onefile.h"
#include "roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zm;
  if (size == 0) return 0;
  const auto kind = static_cast<RecordKind>(data[0] % kRecordKinds);
  SilentReporter rep;
  World w(rep);
  (void)ReadWorldFileAlone(w, kind, std::string(reinterpret_cast<const char*>(data + 1), size - 1),
                           "fuzz.file");
  fuzz::AskAbout(w);
  std::vector<std::string> lines;
  for (const auto& z : w.Zones) {
    BuildZoneLines(w, *z, lines);
    for (RecordKind k : kRecordFileKinds) (void)BuildRecordLines(w, k, z->Vnum, lines);
  }
  return 0;
}
