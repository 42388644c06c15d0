// The merge over arbitrary bytes: the first byte picks the kind, the rest is
// split at the first two zero bytes into BASE, OURS and THEIRS. It must end,
// and a merge it does not refuse must be one the readers take in again; a
// file merged with itself must come back as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "edit/merge.h"
#include "io/recordfile.h"
#include "io/zonefile.h"

namespace {

using namespace zm;

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static constexpr RecordKind kKinds[] = {kZone, kRoom, kObject, kMobile, kShop, kTrigger};
  const RecordKind kind = kKinds[data[0] % 6];
  std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
  std::string parts[3];
  for (int i = 0; i < 2; ++i) {
    const size_t at = rest.find('\0');
    parts[i] = rest.substr(0, at);
    rest = at == std::string::npos ? std::string() : rest.substr(at + 1);
  }
  parts[2] = rest;
  MergeResult r = MergeWorldFile(kind, parts[0], parts[1], parts[2]);
  if (!r.Merged()) return 0;
  for (const std::string& p : parts) {
    MergeResult self = MergeWorldFile(kind, p, p, p);
    if (self.Merged() && (self.Bytes != p || !self.Conflicts.empty()))
      Fail("a file merged with itself changed");
  }
  SilentReporter rep;
  World w(rep);
  if (kind == kZone) {
    TZone& z = *w.Zones.Append(std::make_unique<TZone>());
    ReadZoneHeaderBytes(w, z, r.Bytes, "merged.zon");
  } else if (!r.Bytes.empty() && !LoadRecordBytes(w, kind, r.Bytes, "merged")) {
    Fail("the merged file does not read");
  }
  return 0;
}
