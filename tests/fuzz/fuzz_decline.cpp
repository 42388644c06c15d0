// DeclinePhrase and the word rules on arbitrary bytes, in every case, with the
// dictionary beside the executable and with the rules alone.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "text/declension.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (int c = -1; c <= zm::kDeclCaseCount; ++c) {
    (void)zm::DeclinePhrase(text, c);
    (void)zm::DeclinePhrase(text, c, nullptr, zm::Animacy::Animate);
    (void)zm::declension::DeclineNoun(text, c);
    (void)zm::declension::DeclineAdjective(text, c, true);
  }
  return 0;
}
