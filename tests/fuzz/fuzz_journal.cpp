// The journal's manifest over arbitrary bytes: it must end, a manifest it
// read must come back the same from its own text, and the copies it names
// never lie outside the journal folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "load/journal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zm;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::optional<JournalManifest> m = ReadManifestText(text);
  if (!m) return 0;
  if (ReadManifestText(ManifestText(*m)) != m) std::abort();
  (void)JournalSummary(*m, 15);
  const std::filesystem::path dir = "/nonexistent/zemlemer-fuzz";
  for (const auto& [rel, copy] : JournalCopies(dir, *m))
    if (copy.lexically_normal().string().rfind(dir.string() + "/", 0) != 0) std::abort();
  return 0;
}
