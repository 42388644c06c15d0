// The room map reader over arbitrary bytes: it must end, and a map it read
// whole must come back the same from its own output.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "io/mapfile.h"
#include "roundtrip.h"

namespace {

using namespace zm;

// Rooms of zone 0 and of two others, which the map of zone 0 leaves out.
class MapReading {
 public:
  explicit MapReading(const std::string& bytes) {
    for (int32_t v : {0, 1, 2, 3001, 3002, -5})
      m_w.Rooms.Add(std::make_unique<TRoom>(ZoneOf(v), v));
    (void)LoadRoomMapBytes(m_w, bytes, kPath);
  }
  bool Whole() const {
    const FileNote* n = m_w.Files.Find(kPath);
    return n && !n->Failed && n->Skipped == 0;
  }
  std::optional<std::string> Write() const {
    std::vector<std::string> lines;
    BuildRoomMapLines(m_w, 0, lines);
    return JoinLines(lines, {kCodingWin, kBreakCRLF});
  }
  // Digits only: no coding to guess.
  uint8_t Coding() const { return kCodingWin; }

 private:
  static constexpr const char* kPath = "fuzz.map";
  SilentReporter m_rep;
  World m_w{m_rep};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::CheckRoundTrip<MapReading>(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
