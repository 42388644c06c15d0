// The room reader over arbitrary bytes: it must end, and a file it read whole
// must come back the same from its own output.
#include <cstddef>
#include <cstdint>
#include <string>

#include "roundtrip.h"

namespace {

using namespace zm;

struct RoomReading : fuzz::KindReading<kRoom> {
  explicit RoomReading(const std::string& bytes) : KindReading(bytes) {
    for (const auto& r : world().Rooms) (void)JoinDescription(SplitDescription(r->Description));
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::CheckRoundTrip<RoomReading>(std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
