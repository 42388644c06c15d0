// The shop reader over arbitrary bytes: it must end, and a file it read
// whole must come back the same from its own output.
#include <cstddef>
#include <cstdint>
#include <string>

#include "roundtrip.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zm;
  fuzz::CheckRoundTrip<fuzz::KindReading<kShop>>(
      std::string(reinterpret_cast<const char*>(data), size));
  return 0;
}
