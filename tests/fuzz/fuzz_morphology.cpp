// The morphological dictionary's readers over arbitrary bytes. The input is
// cut at each "\n#\n" into the dictionary's files, in the order of
// Dictionary::FileNames(); a dictionary that loads is then asked about words
// taken from the same bytes and declines them. A load that fails must leave
// the dictionary empty with a reason, and the declension falls back on the
// ending rules.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "text/declension.h"
#include "text/morphology.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace zm;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (size_t at = 0;;) {
    const size_t cut = bytes.find("\n#\n", at);
    parts.push_back(bytes.substr(at, cut == std::string_view::npos ? cut : cut - at));
    if (cut == std::string_view::npos) break;
    at = cut + 3;
  }

  morph::Dawg dawg;
  std::string error;
  if (dawg.Read(parts[0], error)) {
    uint32_t index = morph::Dawg::kRoot;
    for (unsigned char c : parts.back()) {
      if (!dawg.Follow(c, index)) break;
      (void)dawg.HasValue(index);
    }
    (void)dawg.KeysBelow(index, 64);
  } else if (error.empty()) {
    std::abort();
  }
  std::vector<std::string> strings;
  (void)morph::ReadStringArray(parts[0], strings);

  morph::Dictionary::Files files;
  const auto& names = morph::Dictionary::FileNames();
  for (size_t i = 0; i < names.size() && i < parts.size(); ++i) files[names[i]] = parts[i];
  morph::Dictionary dict;
  error.clear();
  const bool loaded = dict.LoadBytes(files, error);
  if (loaded != dict.Loaded() || (!loaded && error.empty())) std::abort();
  if (!loaded) return 0;

  // Words of the last part, and each reading's every form.
  std::string_view rest = parts.back();
  while (!rest.empty()) {
    const size_t end = std::min(rest.find(' '), rest.size());
    for (const auto& p : dict.Analyse(rest.substr(0, end), true)) {
      for (size_t f = 0; f < dict.FormCount(p.paradigm); ++f)
        (void)dict.Inflect(p, static_cast<uint16_t>(f));
    }
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  (void)DeclineAll(parts.back(), &dict, Animacy::Animate);
  return 0;
}
