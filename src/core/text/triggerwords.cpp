#include "text/triggerwords.h"

#include <fstream>
#include <iterator>

#include "common/textutil.h"
#include "load/loadworld.h"

namespace zm {
namespace fs = std::filesystem;
namespace {

void AppendLines(const fs::path& dir, const std::string& name, std::vector<std::string>& out) {
  fs::path file = FindChildNoCase(dir, name);
  std::ifstream in(file.empty() ? dir / name : file, std::ios::binary);
  if (!in) return;
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = StripLineEnd(std::string_view(text).substr(pos, end - pos));
    if (!line.empty()) out.push_back(std::move(line));
    pos = end + 1;
  }
}

}  // namespace

TriggerWords ReadTriggerWords(const fs::path& basesDir) {
  TriggerWords words;
  for (const char* name : {"Trigger_Complete", "Trigger_CompleteChar", "Trigger_CompleteMob"})
    AppendLines(basesDir, name, words.Complete);
  AppendLines(basesDir, "Trigger_AutoChange", words.AutoChange);
  AppendLines(basesDir, "Trigger_Language", words.Language);
  return words;
}

}  // namespace zm
